// The main window's commands of the browsing windows and the entry dialog: showing them, and deleting
// the listed games.
#include <QAction>
#include <vector>

#include "ui/DialogService.h"
#include "ui/GameEntryDialog.h"
#include "ui/ListingWindow.h"
#include "ui/MainWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/Session.h"

namespace {

// The games of the base the Listing names: a game listed twice is one game, an entry past the end none.
size_t ListedGameCount(const kalvon::TGameBase& base) {
    std::vector<bool> listed(base.PartyList.size(), false);
    size_t count = 0;
    for (long position : base.Listing)
        if (position >= 0 && size_t(position) < listed.size() && !listed[size_t(position)]) {
            listed[size_t(position)] = true;
            ++count;
        }
    return count;
}

}  // namespace

void TMainWindow::ConnectBrowsers() {
    connect(Menu_.navigatorShowAction, &QAction::triggered, this, &TMainWindow::ShowNavigator);
    connect(Menu_.listingGamesAction, &QAction::triggered, this, &TMainWindow::ShowListing);
    connect(Menu_.deleteGamesInListingAction, &QAction::triggered, this, &TMainWindow::DeleteListedGames);
    connect(Menu_.saveGameAction, &QAction::triggered, this, &TMainWindow::ShowGameEntry);
}

void TMainWindow::ShowNavigator() {
    if (Windows_.NavigatorWindow->isVisible()) return;
    if (Session_.Base().Listing.empty())
        Dialogs().Warning(this, QStringLiteral("Listing games is empty! Do query!"));
    else
        Windows_.NavigatorWindow->show();
}

void TMainWindow::ShowListing() {
    if (Windows_.ListingWindow->isVisible()) return;
    if (Session_.Base().Listing.empty())
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
    else
        Windows_.ListingWindow->show();
}

void TMainWindow::DeleteListedGames() {
    if (Session_.Base().Listing.empty()) {
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    const size_t games = ListedGameCount(Session_.Base());
    const QString question =
        games == 1 ? QStringLiteral("You really want to delete the 1 game in the listings?")
                   : QStringLiteral("You really want to delete all %1 games in the listings?").arg(games);
    if (!Dialogs().ConfirmDefaultNo(this, question)) return;
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
