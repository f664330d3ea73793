// The main window's commands of the browsing windows and the entry dialog: showing them, and deleting
// the listed games.
#include <QAction>

#include "ui/DataEn.h"
#include "ui/DialogService.h"
#include "ui/KCollection.h"
#include "ui/Main.h"
#include "ui/Nav.h"
#include "ui/Session.h"

void TMainForm::ConnectBrowsers() {
    connect(Menu_.NavigatorShow1, &QAction::triggered, this, &TMainForm::NavigatorShow1Click);
    connect(Menu_.ListingGames1, &QAction::triggered, this, &TMainForm::ListingGames1Click);
    connect(Menu_.DeleteGamesInListing1, &QAction::triggered, this, &TMainForm::DeleteGamesInListing1Click);
    connect(Menu_.SaveGame1, &QAction::triggered, this, &TMainForm::SaveParty1Click);
}

void TMainForm::NavigatorShow1Click() {
    if (Forms_.NavigatorForm->isVisible()) return;
    if (Session_.Base().Listing.empty())
        Dialogs().Information(this, QStringLiteral("Listing games is empty! Do query!"));
    else
        Forms_.NavigatorForm->show();
}

void TMainForm::ListingGames1Click() {
    if (Forms_.FormKonstr->isVisible()) return;
    if (Session_.Base().Listing.empty())
        Dialogs().Information(this, QStringLiteral("Listing games is empty!"));
    else
        Forms_.FormKonstr->show();
}

void TMainForm::DeleteGamesInListing1Click() {
    if (Session_.Base().Listing.empty()) {
        Dialogs().Information(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    if (!Dialogs().Confirm(this, QStringLiteral("You really want to delete all games in the listings?")))
        return;
    // A failed save keeps every game: the selection stays, to try again.
    if (!Session_.DeleteListed()) return;
    if (StatisticShown())
        MakeStatistic(false);
    else
        Session_.RefreshBrowsers(false, false);
}

void TMainForm::SaveParty1Click() {
    Forms_.SaveForm->show();
    Forms_.SaveForm->raise();
    Forms_.SaveForm->activateWindow();
}
