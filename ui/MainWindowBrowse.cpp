// The main window's commands of the browsing windows and the entry dialog: showing them, and deleting
// the listed games.
#include <QAction>

#include "ui/DialogService.h"
#include "ui/GameEntryDialog.h"
#include "ui/ListingWindow.h"
#include "ui/MainWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/Session.h"

void TMainWindow::ConnectBrowsers() {
    connect(Menu_.navigatorShowAction, &QAction::triggered, this, &TMainWindow::ShowNavigator);
    connect(Menu_.listingGamesAction, &QAction::triggered, this, &TMainWindow::ShowListing);
    connect(Menu_.deleteGamesInListingAction, &QAction::triggered, this, &TMainWindow::DeleteListedGames);
    connect(Menu_.saveGameAction, &QAction::triggered, this, &TMainWindow::ShowGameEntry);
}

void TMainWindow::ShowNavigator() {
    if (Windows_.NavigatorWindow->isVisible()) return;
    if (Session_.Base().Listing.empty())
        Dialogs().Information(this, QStringLiteral("Listing games is empty! Do query!"));
    else
        Windows_.NavigatorWindow->show();
}

void TMainWindow::ShowListing() {
    if (Windows_.ListingWindow->isVisible()) return;
    if (Session_.Base().Listing.empty())
        Dialogs().Information(this, QStringLiteral("Listing games is empty!"));
    else
        Windows_.ListingWindow->show();
}

void TMainWindow::DeleteListedGames() {
    if (Session_.Base().Listing.empty()) {
        Dialogs().Information(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    if (!Dialogs().Confirm(this, QStringLiteral("You really want to delete all games in the listings?")))
        return;
    // A failed save keeps every game: the selection stays, to try again. The browsing windows follow
    // the deletion (or the base read again instead); the statistics need a search.
    const uint64_t generation = Session_.Base().PartyListGeneration;
    Session_.DeleteListed();
    SearchIfBaseChanged(generation);
}

void TMainWindow::ShowGameEntry() {
    Windows_.GameEntryDialog->show();
    Windows_.GameEntryDialog->raise();
    Windows_.GameEntryDialog->activateWindow();
}
