// The main window's commands that bring notifications into the base and write the selected games
// out as notifications.
#include <QAction>

#include "base/FolderListing.h"
#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

namespace {

QString Counted(size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// The closing message of "Out pbm format": where the files went and how many, the games whose
// notification reads back as another game ("file: reason", one a line when there are several), then
// the games that went to another name than their own.
QString OutPbmSummary(const kalvon::TWrittenNotifications& written) {
    QString text =
        QStringLiteral("Out pbm format into %1: %2 written")
            .arg(EngineText(kalvon::FullPath("Outpbm")), Counted(written.Paths.size(), "file", "files"));
    const size_t notCarried = written.NotCarried.size();
    if (notCarried == 0)
        text += QLatin1Char('.');
    else
        text += QStringLiteral("; %1 not carried exactly:").arg(Counted(notCarried, "game", "games"));
    for (const std::string& game : written.NotCarried)
        text += (notCarried == 1 ? QStringLiteral(" ") : QStringLiteral("\n")) + EngineText(game);
    for (const std::string& note : written.Notes) text += QLatin1Char('\n') + EngineText(note);
    return text;
}

}  // namespace

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

// Games added, or the base read again instead of the run, change the statistics. A run that was
// done ends with what it did; a created folder or a failure had its message already.
void TMainWindow::AddNewGames() {
    if (FolderCommandRefused()) return;
    const uint64_t generation = Session_.Base().PartyListGeneration;
    const kalvon::TFolderRun run = Session_.AddNewGames();
    SearchIfBaseChanged(generation);
    if (run.Status == kalvon::TFolderRunStatus::Done)
        Dialogs().Information(this, EngineText(kalvon::FolderRunSummary("Add New Games", run)));
}

// A run that rewrote the base file on disk is followed by reading the base again from it; otherwise
// only a change in memory calls for a new search.
void TMainWindow::FollowBaseFile(bool reloadDue, uint64_t generation) {
    if (reloadDue)
        LoadBaseFile(Session_.BasePath(), true);
    else
        SearchIfBaseChanged(generation);
}

void TMainWindow::UpdateGames() {
    if (FolderCommandRefused()) return;
    const uint64_t generation = Session_.Base().PartyListGeneration;
    const kalvon::TFolderRun run = Session_.UpdateGames();
    FollowBaseFile(run.ReloadDue, generation);
    if (run.Status == kalvon::TFolderRunStatus::Done)
        Dialogs().Information(this, EngineText(kalvon::FolderRunSummary("Update Games", run)));
}

void TMainWindow::WriteNotifications() {
    if (Session_.Base().Listing.empty()) {
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    const kalvon::TWrittenNotifications written = Session_.WriteNotifications();
    // A failure had its message, naming the file; the files written before it stay.
    if (written.Ok) Dialogs().Information(this, OutPbmSummary(written));
}
