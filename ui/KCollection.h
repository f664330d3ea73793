// The listing window "Listing Parties": the selected games, to reorder, thin out and delete.
#pragma once

#include <QWidget>

class TSession;

class TFormKonstr final : public QWidget {
public:
    explicit TFormKonstr(TSession& session);

    // Fills the window with the games of the Listing.
    void ShowFormKonstr();
    // Whether the window has lines of games to show: it is never opened empty.
    bool HasLines() const { return false; }

private:
    TSession& Session_;
};
