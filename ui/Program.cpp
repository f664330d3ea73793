#include "ui/Program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/FolderListing.h"
#include "ui/AboutDialog.h"
#include "ui/DiagramWindow.h"
#include "ui/GameEntryDialog.h"
#include "ui/LetterMarksDialog.h"
#include "ui/ListingWindow.h"
#include "ui/LoadProgress.h"
#include "ui/MainWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/RecentBases.h"
#include "ui/SettingsDialog.h"

// Each window follows the session's signals itself; here the windows meet each other.
TProgram::TProgram() {
    MainWindow = std::make_unique<TMainWindow>(Session);
    SettingsDialog = std::make_unique<TSettingsDialog>(Session);
    NavigatorWindow = std::make_unique<TNavigatorWindow>(Session);
    QueryDialog = std::make_unique<TQueryDialog>(Session);
    AboutDialog = std::make_unique<TAboutDialog>();
    DiagramWindow = std::make_unique<TDiagramWindow>(Session);
    GameEntryDialog = std::make_unique<TGameEntryDialog>(Session);
    ListingWindow = std::make_unique<TListingWindow>(Session);
    LetterMarksDialog = std::make_unique<TLetterMarksDialog>();
    LoadProgress = std::make_unique<TLoadProgress>();
    EngineUi.SetProgressWindow(LoadProgress.get());
    DiagramWindow->AttachLetters(*LetterMarksDialog);
    MainWindow->AttachWindows({SettingsDialog.get(), QueryDialog.get(), AboutDialog.get(),
                               NavigatorWindow.get(), ListingWindow.get(), GameEntryDialog.get(),
                               DiagramWindow.get()});
    QObject::connect(NavigatorWindow.get(), &TNavigatorWindow::Shown, MainWindow.get(),
                     &TMainWindow::DockNavigator);
    StartUp();
}

void TProgram::StartUp() {
    Session.ClearLists();
    Session.SetBasePath(QString::fromLatin1(ScratchBase));
    Session.DeleteScratchBase();
    for (const std::string& name : kalvon::ListFolder(".", "*.bdt"))
        MainWindow->NewItems(QFile::decodeName(name.c_str()));
    // The bases opened lately in other folders; those of the working folder are listed above.
    for (const QString& path : RecentBases()) {
        const QFileInfo file(path);
        if (file.isFile() && file.absolutePath() != QDir::current().absolutePath())
            MainWindow->NewItems(file.absoluteFilePath());
    }
    MainWindow->NewGame();
    Session.ReadSettings();
}

// The other windows go first: the main window refers to them.
TProgram::~TProgram() {
    EngineUi.SetProgressWindow(nullptr);
    LoadProgress.reset();
    LetterMarksDialog.reset();
    ListingWindow.reset();
    GameEntryDialog.reset();
    DiagramWindow.reset();
    AboutDialog.reset();
    QueryDialog.reset();
    NavigatorWindow.reset();
    SettingsDialog.reset();
    MainWindow.reset();
}
