// The main window's commands that bring notifications into the base and write the selected games
// out as notifications.
#include <QAction>

#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"

void TMainWindow::ConnectExchange() {
    connect(Menu_.addNewGamesAction, &QAction::triggered, this, &TMainWindow::AddNewGames);
    connect(Menu_.updateGamesAction, &QAction::triggered, this, &TMainWindow::UpdateGames);
    connect(Menu_.outPbmFormatAction, &QAction::triggered, this, &TMainWindow::WriteNotifications);
}

// A base whose text ended at a NUL byte would lose the lines after it when a folder command rewrote it.
bool TMainWindow::FolderCommandRefused() {
    if (Session_.NulLine() == 0) return false;
    Dialogs().Error(this,
                    QStringLiteral("File %1 ended at a NUL byte in line %2 when it was loaded: it is not "
                                   "rewritten, so that the lines after it are not lost.")
                        .arg(Session_.BasePath())
                        .arg(Session_.NulLine()));
    return true;
}

// Games added, or the base read again instead of the run, change the statistics.
void TMainWindow::AddNewGames() {
    if (FolderCommandRefused()) return;
    const uint64_t generation = Session_.Base().PartyListGeneration;
    Session_.AddNewGames();
    SearchIfBaseChanged(generation);
}

void TMainWindow::UpdateGames() {
    if (FolderCommandRefused()) return;
    // The base file is rewritten on disk; the base in memory is then read again from it.
    const uint64_t generation = Session_.Base().PartyListGeneration;
    if (Session_.UpdateGames().ReloadDue)
        LoadBaseFile(Session_.BasePath(), true);
    else
        SearchIfBaseChanged(generation);
}

void TMainWindow::WriteNotifications() {
    Session_.WriteNotifications();
}
