#include "ui/Program.h"

#include "ui/AboutDialog.h"
#include "ui/DiagramWindow.h"
#include "ui/GameEntryDialog.h"
#include "ui/LetterMarksDialog.h"
#include "ui/ListingWindow.h"
#include "ui/LoadProgress.h"
#include "ui/MainWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/SettingsDialog.h"

TProgram::TProgram() {
    MainWindow = std::make_unique<TMainWindow>(Session);
    SettingsDialog = std::make_unique<TSettingsDialog>(Session.Settings());
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
    // The diagram follows the cell size and font in force.
    QObject::connect(SettingsDialog.get(), &TSettingsDialog::Accepted, DiagramWindow.get(),
                     &TDiagramWindow::DrawPreview);
    MainWindow->AttachWindows({SettingsDialog.get(), QueryDialog.get(), AboutDialog.get(),
                               NavigatorWindow.get(), ListingWindow.get(), GameEntryDialog.get(),
                               DiagramWindow.get()});

    QObject::connect(NavigatorWindow.get(), &TNavigatorWindow::Shown, MainWindow.get(),
                     &TMainWindow::DockNavigator);
    QObject::connect(&Session, &TSession::ListingChanged, NavigatorWindow.get(),
                     [this](bool openNavigator, bool openListing) {
                         RefreshBrowsers(Session, *NavigatorWindow, *ListingWindow, openNavigator,
                                         openListing);
                     });
    // A reordered Listing moves the navigator's games; changed games show their new texts.
    QObject::connect(ListingWindow.get(), &TListingWindow::ListingReordered, NavigatorWindow.get(),
                     &TNavigatorWindow::RefillPanels);
    QObject::connect(&Session, &TSession::PartiesChanged, NavigatorWindow.get(),
                     &TNavigatorWindow::RefillPanels);
    QObject::connect(&Session, &TSession::PartiesChanged, ListingWindow.get(), &TListingWindow::RefillLines);
    QObject::connect(&Session, &TSession::BrowsersClosed, NavigatorWindow.get(), [this] {
        ListingWindow->hide();
        NavigatorWindow->hide();
    });
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
