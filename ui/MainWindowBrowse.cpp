// The main window's commands of the browsing windows and the entry dialog: showing them, and deleting
// the listed games.
#include <vector>

#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"

namespace {

// The games of the base the Listing names: a game listed twice is one game, an entry past the end none.
size_t ListedGameCount(const TSession& session) {
    std::vector<bool> listed(session.Games().PartyList.size(), false);
    size_t count = 0;
    for (long position : session.Listing())
        if (position >= 0 && size_t(position) < listed.size() && !listed[size_t(position)]) {
            listed[size_t(position)] = true;
            ++count;
        }
    return count;
}

}  // namespace

void TMainWindow::ShowNavigator() {
    if (Session_.Listing().empty())
        Dialogs().Warning(this, QStringLiteral("Listing games is empty! Do query!"));
    else
        emit WindowWanted(TWindowKind::Navigator);
}

void TMainWindow::ShowListing() {
    if (Session_.Listing().empty())
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
    else
        emit WindowWanted(TWindowKind::Listing);
}

void TMainWindow::DeleteListedGames() {
    if (Session_.Listing().empty()) {
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    const size_t games = ListedGameCount(Session_);
    const QString question =
        games == 1 ? QStringLiteral("You really want to delete the 1 game in the listings?")
                   : QStringLiteral("You really want to delete all %1 games in the listings?").arg(games);
    if (!Dialogs().ConfirmDefaultNo(this, question)) return;
    // A failed save keeps every game: the selection stays, to try again.
    Session_.DeleteListed(this);
}

void TMainWindow::ShowGameEntry() {
    emit WindowWanted(TWindowKind::GameEntry);
}
