#include "ui/Program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

#include "base/FolderListing.h"
#include "ui/AboutDialog.h"
#include "ui/DiagramWindow.h"
#include "ui/DialogService.h"
#include "ui/GameEntryDialog.h"
#include "ui/HelpWindow.h"
#include "ui/LetterMarksDialog.h"
#include "ui/ListingWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/RecentBases.h"
#include "ui/SettingsDialog.h"
#include "ui/ShownText.h"
#include "ui/WindowPlacement.h"

namespace {

void ShowRaised(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

// Makes the window at first use.
template <class Window, class... Arguments>
Window& Made(std::unique_ptr<Window>& window, Arguments&&... arguments) {
    if (!window) window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
    return *window;
}

}  // namespace

TProgram::TProgram(const QString& workFolder, IDialogService& dialogs)
    : Session(workFolder, dialogs), MainWindow_(std::make_unique<TMainWindow>(Session)) {
    QObject::connect(MainWindow_.get(), &TMainWindow::WindowWanted, MainWindow_.get(),
                     [this](TWindowKind window) { Show(window); });
    QObject::connect(MainWindow_.get(), &TMainWindow::Moved, MainWindow_.get(), [this] { DockNavigator(); });
    StartUp();
}

// The other windows go first: they refer to the session and are docked at the main window.
TProgram::~TProgram() {
    HelpWindow_.reset();
    LetterMarksDialog_.reset();
    DiagramWindow_.reset();
    GameEntryDialog_.reset();
    ListingWindow_.reset();
    NavigatorWindow_.reset();
    AboutDialog_.reset();
    QueryDialog_.reset();
    SettingsDialog_.reset();
    MainWindow_.reset();
}

void TProgram::StartUp() {
    Session.ClearLists();
    // A scratch base left with games (the program was killed, or another one's closed) is kept.
    if (const std::optional<size_t> kept = Session.SetAsideScratchBase(MainWindow_.get()); kept && *kept > 0)
        Dialogs().Information(MainWindow_.get(),
                              QStringLiteral("New.bdt held %1 from an earlier run. They are kept as its "
                                             "generation 1: File > Restore Previous Base brings them back.")
                                  .arg(Counted(*kept, "game", "games")));
    Session.SetBasePath(QString::fromLatin1(ScratchBase));
    for (const std::string& name : kalvon::ListFolder(TSession::LocalPath(Session.WorkFolder()), "*.bdt"))
        MainWindow_->AddBaseItem(QFile::decodeName(name.c_str()));
    // The bases opened lately in other folders; those of the working folder are listed above.
    for (const QString& path : RecentBases()) {
        const QFileInfo file(path);
        if (file.isFile() && file.absolutePath() != Session.WorkFolder())
            MainWindow_->AddBaseItem(file.absoluteFilePath());
    }
    Session.ReadSettings(MainWindow_.get());
}

TSettingsDialog& TProgram::SettingsDialog() {
    return Made(SettingsDialog_, Session);
}

TQueryDialog& TProgram::QueryDialog() {
    return Made(QueryDialog_, Session);
}

TAboutDialog& TProgram::AboutDialog() {
    return Made(AboutDialog_);
}

TNavigatorWindow& TProgram::NavigatorWindow() {
    if (!NavigatorWindow_) {
        Made(NavigatorWindow_, Session);
        QObject::connect(NavigatorWindow_.get(), &TNavigatorWindow::Shown, MainWindow_.get(),
                         [this] { DockNavigator(); });
    }
    return *NavigatorWindow_;
}

TListingWindow& TProgram::ListingWindow() {
    return Made(ListingWindow_, Session);
}

TGameEntryDialog& TProgram::GameEntryDialog() {
    return Made(GameEntryDialog_, Session);
}

TDiagramWindow& TProgram::DiagramWindow() {
    if (!DiagramWindow_) {
        Made(DiagramWindow_, Session);
        DiagramWindow_->AttachLetters([this]() -> TLetterMarksDialog& { return LetterMarksDialog(); });
    }
    return *DiagramWindow_;
}

TLetterMarksDialog& TProgram::LetterMarksDialog() {
    return Made(LetterMarksDialog_);
}

THelpWindow& TProgram::HelpWindow() {
    return Made(HelpWindow_);
}

bool TProgram::IsMade(TWindowKind window) const {
    switch (window) {
        case TWindowKind::Settings:
            return SettingsDialog_ != nullptr;
        case TWindowKind::Query:
            return QueryDialog_ != nullptr;
        case TWindowKind::About:
            return AboutDialog_ != nullptr;
        case TWindowKind::Navigator:
            return NavigatorWindow_ != nullptr;
        case TWindowKind::Listing:
            return ListingWindow_ != nullptr;
        case TWindowKind::GameEntry:
            return GameEntryDialog_ != nullptr;
        case TWindowKind::Diagram:
            return DiagramWindow_ != nullptr;
        case TWindowKind::Help:
            return HelpWindow_ != nullptr;
    }
    return false;
}

void TProgram::Show(TWindowKind window) {
    switch (window) {
        case TWindowKind::Settings:
            return ShowRaised(SettingsDialog());
        case TWindowKind::Query: {
            QDialog& query = QueryDialog();
            if (!query.isVisible()) {
                query.adjustSize();
                CentreOnScreen(query, query.size());
            }
            return ShowRaised(query);
        }
        case TWindowKind::About:
            return ShowRaised(AboutDialog());
        case TWindowKind::Navigator:
            // A navigator that is shown already keeps its place in the list.
            if (!NavigatorWindow().isVisible()) NavigatorWindow().show();
            return;
        case TWindowKind::Listing:
            if (!ListingWindow().isVisible()) ListingWindow().show();
            return;
        case TWindowKind::GameEntry:
            return ShowRaised(GameEntryDialog());
        case TWindowKind::Diagram:
            return DiagramWindow().Open();
        case TWindowKind::Help: {
            const QString guide = UserGuidePath();
            if (guide.isEmpty())
                return Dialogs().Warning(MainWindow_.get(),
                                         QStringLiteral("The user guide is not installed."));
            return HelpWindow().ShowGuide(guide);
        }
    }
}

void TProgram::DockNavigator() {
    if (!NavigatorWindow_ || !NavigatorWindow_->isVisible()) return;
    const QRect outer = MainWindow_->frameGeometry();
    const int width = NavigatorWindow_->frameGeometry().width();
    const QRect room = MainWindow_->screen() ? MainWindow_->screen()->availableGeometry() : QRect();
    QPoint at(outer.left() + outer.width(), outer.top());
    if (room.isValid() && at.x() + width > room.left() + room.width()) {
        if (outer.left() - width < room.left()) return;
        at.setX(outer.left() - width);
    }
    NavigatorWindow_->move(at);
}
