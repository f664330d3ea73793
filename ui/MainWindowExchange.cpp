// The main window's commands that bring notifications into the base and write the selected games
// out as notifications.
#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

namespace {

// The closing message of "Out pbm format": where the files went and how many, the games whose
// notification reads back as another game ("file: reason", one a line when there are several), then
// the games that went to another name than their own.
QString OutPbmSummary(const TSession& session, const kalvon::TWrittenNotifications& written) {
    QString text =
        QStringLiteral("Out pbm format into %1: %2 written")
            .arg(session.WorkPath(QStringLiteral("Outpbm")), Counted(written.Paths.size(), "file", "files"));
    const size_t notCarried = written.NotCarried.size();
    if (notCarried == 0)
        text += QLatin1Char('.');
    else
        text += QStringLiteral("; %1 not carried exactly:").arg(Counted(notCarried, "game", "games"));
    for (const std::string& game : written.NotCarried)
        text += (notCarried == 1 ? QStringLiteral(" ") : QStringLiteral("\n")) + session.Shown(game);
    for (const std::string& note : written.Notes) text += QLatin1Char('\n') + session.Shown(note);
    return text;
}

}  // namespace

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

// A run that was done ends with what it did; a created folder or a failure had its message already.
// The base in memory and the statistics followed the run in the session.
void TMainWindow::FolderRunDone(const char* command, const kalvon::TFolderRun& run) {
    if (run.Status != kalvon::TFolderRunStatus::Done) return;
    const QString summary = EngineText(kalvon::FolderRunSummary(command, run));  // names its folder in full
    Session_.SetStatusMessage(summary.section(QLatin1Char('\n'), 0, 0));
    Dialogs().Information(this, summary);
}

void TMainWindow::AddNewGames() {
    if (!FolderCommandRefused()) FolderRunDone("Add New Games", Session_.AddNewGames(this));
}

void TMainWindow::UpdateGames() {
    if (!FolderCommandRefused()) FolderRunDone("Update Games", Session_.UpdateGames(this));
}

void TMainWindow::WriteNotifications() {
    if (Session_.Listing().empty()) {
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    const kalvon::TWrittenNotifications written = Session_.WriteNotifications(this);
    // A failure had its message, naming the file; the files written before it stay.
    if (written.Ok) Dialogs().Information(this, OutPbmSummary(Session_, written));
}
