// The navigator "NavigatorBD": the selected games as a column of game panels beside the main window,
// redrawn by every change of the Listing while it is shown.
#pragma once

#include <QWidget>
#include <vector>

#include "ui/PartyPanel.h"

class QScrollBar;
class QShortcut;
class TSession;

class TNavigatorWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TNavigatorWindow(TSession& session);

    // Rebuilds the column of game panels from the Listing, the game at Listing position first (1-based)
    // at the top and the scroll bar at position. Only the panels that fit exist.
    void DrawPanels(int first, int position);
    // Fills the panel with the game at that position of PartyList; a position past the end leaves
    // the panel empty.
    void LocateControl(TPartyPanel& panel, long party);
    // The highlight leaves the panel that had it and goes to the active panel.
    void ChangeActiveColor();
    // The scroll bar moved to position: the highlight follows, the column moves where it must.
    void sbPartysChange(int position);
    // Panel n was clicked: its game goes on the board for editing.
    void PanelClicked(int n);
    // The same column filled again: the Listing was reordered or games changed.
    void RefillPanels();

    int PanelCount() const { return int(Panels_.size()); }
    int FirstIndex() const { return FirstIndex_; }
    int LastIndex() const { return LastIndex_; }
    int ActivePanel() const { return ActivePanel_; }
    // Where the cells of the panels lie, and the height of a panel.
    const TPanelLayout& PanelLayout() const { return Layout_; }

signals:
    // The window was shown: the main window docks it beside itself, where the screen has room.
    void Shown();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    void FormShow();
    void FormResize();
    // The rows of panels that the panel column holds.
    int RowsThatFit() const;
    // The game of the 1-based Listing position, or -1 past its end.
    long ListedGame(int position) const;
    void FillColumn();

    TSession& Session_;
    const TPanelLayout Layout_;
    QWidget* PanelHeader;
    THeadingRow* playersHeading;
    THeadingRow* boardHeading;
    QScrollBar* sbPartys;
    QWidget* panelColumn;
    QShortcut* closeShortcut;
    std::vector<TPartyPanel*> Panels_;
    int FirstIndex_ = 0;
    int LastIndex_ = 0;
    int ActivePanel_ = 0;
    int PreviousActive_ = 0;
};
