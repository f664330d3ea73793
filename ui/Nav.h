// The navigator "NavigatorBD": the selected games as a column of game panels beside the main window,
// and the refresh of the browsing windows that follows every change of the Listing.
#pragma once

#include <QWidget>

class TFormKonstr;
class TSession;

class TNavigatorForm final : public QWidget {
    Q_OBJECT
public:
    explicit TNavigatorForm(TSession& session);

    // Rebuilds the column of game panels from the Listing, the game at Listing position first (1-based)
    // at the top and the scroll bar at position.
    void DrawPanels(int first, int position);
    // Whether there are game panels to show: the window is never opened empty.
    bool HasPanels() const { return false; }

signals:
    // The window was shown: the main window docks it at its right edge.
    void Shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TSession& Session_;
};

// Brings the navigator and the listing window up to date with the Listing: redrawn when shown,
// opened when asked to and the Listing holds games.
void RefreshBrowsers(const TSession& session, TNavigatorForm& navigator, TFormKonstr& listing, bool openNavigator,
                     bool openListing);
