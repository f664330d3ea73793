// The main window's commands that reach beyond the play-by-mail folders: notifications straight
// from a mailbox, games of other programs' files into the base, and the listed games out as SGF.
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "base/FolderListing.h"
#include "exchange/GameImport.h"
#include "ui/DialogService.h"
#include "ui/ImportUi.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/UserSettings.h"

namespace {

// Where a file dialog for a path starts: its folder when it still exists, else the working folder.
QString StartFolder(const QString& path, const QString& workFolder) {
    const QFileInfo info(path);
    if (!path.isEmpty() && info.dir().exists()) return info.absolutePath();
    return workFolder;
}

// The files an import reads: those chosen, or every .rif, .psq and .sgf file of a chosen folder.
std::optional<QStringList> ImportFiles(QWidget* parent, const QString& workFolder) {
    const QString purpose = QStringLiteral("Import Games");
    const QString start = LastFolder(purpose, workFolder);
    const int source = Dialogs().Choose(
        parent,
        QStringLiteral("Import games from RenjuNet databases (.rif), Gomocup records (.psq) and SGF files "
                       "(.sgf): choose the files, or a folder to import every such file of it."),
        {QStringLiteral("Files ..."), QStringLiteral("Folder ..."), QStringLiteral("Cancel")}, 0);
    if (source == 0) {
        std::optional<QStringList> files = Dialogs().OpenFileNames(
            parent, purpose, start,
            QStringLiteral("Games (*.rif *.psq *.sgf *.RIF *.PSQ *.SGF);;All files (*)"));
        if (files && !files->isEmpty()) RememberFolder(purpose, files->first());
        return files;
    }
    if (source != 1) return std::nullopt;
    const std::optional<QString> folder = Dialogs().FolderName(parent, purpose, start);
    if (!folder) return std::nullopt;
    RememberFolder(purpose, *folder);
    QStringList files;
    for (const std::string& file : kalvon::ImportableFiles(QFile::encodeName(*folder).toStdString()))
        files.append(QFile::decodeName(QByteArray::fromStdString(file)));
    if (files.isEmpty()) {
        Dialogs().Information(parent,
                              QStringLiteral("Folder %1 holds no .rif, .psq or .sgf file.").arg(*folder));
        return std::nullopt;
    }
    return files;
}

// The year of the Gomocup (.psq) games among the files, which carry none: asked for, the first such
// file's date's year proposed. Nullopt in the options when there is no .psq file; false when the
// user cancelled.
bool AskPsqYear(QWidget* parent, const QStringList& files, kalvon::TImportOptions& options) {
    const auto psq = std::find_if(files.begin(), files.end(), [](const QString& file) {
        return file.endsWith(QLatin1String(".psq"), Qt::CaseInsensitive);
    });
    if (psq == files.end()) return true;
    QString proposed = QString::number(QFileInfo(*psq).lastModified().date().year());
    for (;;) {
        const std::optional<QString> typed = Dialogs().InputText(
            parent, QStringLiteral("Import Games"),
            QStringLiteral("Gomocup records (.psq) carry no year. The year of their games:"), proposed);
        if (!typed) return false;
        bool number = false;
        const int year = typed->trimmed().toInt(&number);
        if (number && year >= 1000 && year <= 9999) {
            options.PsqYear = year;
            return true;
        }
        Dialogs().Warning(parent, QStringLiteral("\"%1\" is no year of four digits.").arg(*typed));
        proposed = *typed;
    }
}

// The closing message of an import, with the first of the texts changed on the way in.
QString ImportSummary(const kalvon::TImportRun& run) {
    constexpr size_t shownNotes = 5;
    // The import speaks UTF-8: its texts come from the files read, not from the base.
    QString text = QString::fromStdString(kalvon::ImportRunSummary(run));
    for (size_t i = 0; i < run.Notes.size() && i < shownNotes; ++i)
        text += QLatin1Char('\n') + QString::fromStdString(run.Notes[i]);
    if (run.Notes.size() > shownNotes)
        text += QStringLiteral("\n... and %1 more changes.").arg(run.Notes.size() - shownNotes);
    return text;
}

}  // namespace

// The mailbox is asked for once and remembered in the user's settings; "Choose Mailbox ..." asks
// again, and so does the command when the remembered one is gone.
std::optional<QString> TMainWindow::AskMailbox() {
    const QString remembered = RememberedMailbox();
    const int kind = Dialogs().Choose(
        this,
        QStringLiteral(
            "Where does your mail keep the notifications? Choose an mbox file (Thunderbird keeps one "
            "for each mail folder, without an extension) or a Maildir folder."),
        {QStringLiteral("Mbox File ..."), QStringLiteral("Maildir Folder ..."), QStringLiteral("Cancel")}, 0);
    std::optional<QString> chosen;
    if (kind == 0) {
        const std::optional<QStringList> files = Dialogs().OpenFileNames(
            this, QStringLiteral("Mailbox"), StartFolder(remembered, Session_.WorkFolder()),
            QStringLiteral("All files (*);;Mailboxes (*.mbox *.mbx);;Saved mails (*.eml)"));
        if (files && !files->isEmpty()) chosen = files->first();
    } else if (kind == 1) {
        chosen = Dialogs().FolderName(this, QStringLiteral("Maildir folder"),
                                      StartFolder(remembered, Session_.WorkFolder()));
    }
    if (chosen) RememberMailbox(*chosen);
    return chosen;
}

void TMainWindow::ChooseMailbox() {
    AskMailbox();
}

void TMainWindow::UpdateFromMail() {
    if (FolderCommandRefused()) return;
    QString mailbox = RememberedMailbox();
    if (mailbox.isEmpty() || !QFileInfo::exists(mailbox)) {
        const std::optional<QString> chosen = AskMailbox();
        if (!chosen) return;
        mailbox = *chosen;
    }
    FolderRunDone("Update Games", Session_.UpdateFromMail(mailbox, this));
}

void TMainWindow::ImportGames() {
    if (FolderCommandRefused()) return;
    const std::optional<QStringList> files = ImportFiles(this, Session_.WorkFolder());
    if (!files || files->isEmpty()) return;
    kalvon::TImportOptions options;
    if (!AskPsqYear(this, *files, options)) return;
    kalvon::TImportRun run;
    {
        TImportUi ui(this);
        run = Session_.ImportGames(*files, options, ui, this);
    }
    if (run.Status == kalvon::TImportStatus::Done) {
        const QString summary = ImportSummary(run);
        Session_.SetStatusMessage(summary.section(QLatin1Char('\n'), 0, 0));
        Dialogs().Information(this, summary);
    } else if (run.Status == kalvon::TImportStatus::Cancelled)
        Dialogs().Information(this, QStringLiteral("Import Games was cancelled: the base is as it was."));
}

void TMainWindow::ExportSgf() {
    const size_t games = Session_.Listing().size();
    if (games == 0) {
        Dialogs().Warning(this, QStringLiteral("Listing games is empty!"));
        return;
    }
    const int form = Dialogs().Choose(
        this,
        QStringLiteral("Export the %1 listed %2 as SGF: into one collection file, or into a folder with a "
                       "file for each game?")
            .arg(games)
            .arg(games == 1 ? QStringLiteral("game") : QStringLiteral("games")),
        {QStringLiteral("One File ..."), QStringLiteral("File per Game ..."), QStringLiteral("Cancel")}, 0);
    std::optional<QString> path;
    if (form == 0) {
        path = Dialogs().SaveFileName(this, QStringLiteral("Export SGF"), Session_.WorkFolder(),
                                      QStringLiteral("SGF files (*.sgf)"));
        if (path && QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".sgf");
    } else if (form == 1) {
        path = Dialogs().FolderName(this, QStringLiteral("Export SGF"), Session_.WorkFolder());
    }
    if (!path) return;
    std::vector<std::string> written;
    if (!Session_.ExportSgf(*path, form == 1, written, this)) return;
    Dialogs().Information(this,
                          QStringLiteral("Export SGF into %1: %2 %3 written in %4 %5.")
                              .arg(*path)
                              .arg(games)
                              .arg(games == 1 ? QStringLiteral("game") : QStringLiteral("games"))
                              .arg(written.size())
                              .arg(written.size() == 1 ? QStringLiteral("file") : QStringLiteral("files")));
}
