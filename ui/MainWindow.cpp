#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <algorithm>

#include "base/BaseFile.h"
#include "base/FolderListing.h"
#include "base/PointCodes.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"
#include "ui/AboutDialog.h"
#include "ui/BoardArea.h"
#include "ui/BoardView.h"
#include "ui/ClientArea.h"
#include "ui/DiagramWindow.h"
#include "ui/DialogService.h"
#include "ui/HelpWindow.h"
#include "ui/Icons.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/RecentBases.h"
#include "ui/Session.h"
#include "ui/SettingsDialog.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"
#include "ui/WindowPlacement.h"

namespace {

// A character typed as such: with Ctrl, Alt or Meta held a key is a command (Ctrl+C in the memo),
// whatever text the platform attaches to it.
bool IsTypedCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    return text.size() == 1 && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

std::string PointOf(TBoardPoint at) {
    return {kalvon::PointDigit(at.Column), kalvon::PointDigit(at.Row)};
}

}  // namespace

TMainWindow::TMainWindow(TSession& session) : QMainWindow(nullptr), Session_(session) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Base E'mail partys"));
    setWindowIcon(ProgramIcon());
    // A fixed-size window: no maximise button, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    Client_ = new TClientArea(this);
    Board_ = new TBoardView(Session_, Client_);
    Memo_ = new TStatisticMemo(Client_);
    Memo_->setObjectName(QStringLiteral("Memo1"));
    Memo_->setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    QPalette memoColours = Memo_->palette();
    memoColours.setColor(QPalette::Base, memoColours.color(QPalette::Midlight));
    Memo_->setPalette(memoColours);
    Memo_->installEventFilter(this);
    Memo_->hide();
    Client_->Board = Board_->Area();
    Client_->Memo = Memo_;
    setCentralWidget(Client_);

    TBoardArea* box = Board_->Area();
    box->OnMouseDown = [this](Qt::MouseButton button, QPoint point) { BoardMouseDown(button, point); };
    box->OnClick = [this] { BoardClick(); };
    box->OnDblClick = [this] { BoardDoubleClick(); };

    Menu_ = CreateMainMenu(*this);
    // Their keys act while the board has the focus.
    box->addActions(
        {Menu_.moveBackAction, Menu_.moveForwardAction, Menu_.moveToStartAction, Menu_.moveToEndAction});
    ConnectMenu();
    connect(&Session_, &TSession::EditModeChanged, Menu_.editModeAction, &QAction::setEnabled);
    connect(&Session_, &TSession::BasePathChanged, this, &TMainWindow::SetTitle);
    // The previous generation of the open base comes and goes with the base and its saves.
    for (auto changed : {&TSession::BaseChanged, &TSession::PartiesChanged})
        connect(&Session_, changed, this, &TMainWindow::RestoreEnabled);
    connect(&Session_, &TSession::BasePathChanged, this, &TMainWindow::RestoreEnabled);
    connect(Menu_.fileMenu, &QMenu::aboutToShow, this, &TMainWindow::RestoreEnabled);
    connect(Menu_.fileMenu, &QMenu::aboutToShow, this, &TMainWindow::ListNewBases);
    EmptyFolderHint_ =
        new QLabel(QStringLiteral("No base here: File > Open Base ... opens one, and Work "
                                  "with Base > Add New Games reads notifications into New.bdt."),
                   Client_);
    EmptyFolderHint_->setObjectName(QStringLiteral("EmptyFolderHint"));
    EmptyFolderHint_->setWordWrap(true);
    EmptyFolderHint_->setStyleSheet(
        QStringLiteral("background: white; padding: 6px; border: 1px solid gray;"));
    EmptyFolderHint_->setGeometry(20, 20, 300, 60);
    // Clicks go through to the board beneath.
    EmptyFolderHint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    EmptyFolderHint_->hide();
    for (auto changed : {&TSession::BaseChanged, &TSession::PartiesChanged, &TSession::PositionChanged})
        connect(&Session_, changed, this, &TMainWindow::UpdateEmptyFolderHint);
    // Settings changed by the dialog and not yet written can be saved.
    connect(&Session_, &TSession::SettingsChanged, this,
            [this] { Menu_.saveToolsAction->setEnabled(Session_.SettingsUnsaved()); });
    // A game opened from the navigator or the listing stands whole on the board, without labels.
    connect(&Session_, &TSession::GameOpened, this, [this] {
        Board_->DrawWholeBoard();
        MoveEnabled();
    });
    // The board draws numbers and labels as the two check marks say, however they were set.
    connect(Menu_.numerationAction, &QAction::toggled, Board_, &TBoardView::SetNumbered);
    connect(Menu_.statisticShowAction, &QAction::toggled, Board_, &TBoardView::SetLabelsShown);
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::ConnectMenu() {
    const TMainMenu& m = Menu_;
    connect(m.newFileAction, &QAction::triggered, this, &TMainWindow::NewFile);
    connect(m.saveAsAction, &QAction::triggered, this, &TMainWindow::SaveAs);
    connect(m.restorePreviousBaseAction, &QAction::triggered, this, &TMainWindow::RestorePreviousBase);
    connect(m.clearBoardAction, &QAction::triggered, this, &TMainWindow::ClearBoard);
    connect(m.exitAction, &QAction::triggered, this, &TMainWindow::Exit);
    connect(m.adjustmentAction, &QAction::triggered, this, &TMainWindow::ShowSettings);
    connect(m.saveToolsAction, &QAction::triggered, this, &TMainWindow::SaveSettings);
    connect(m.numerationAction, &QAction::triggered, this, &TMainWindow::NumerationToggled);
    connect(m.moveBackAction, &QAction::triggered, this, &TMainWindow::MoveBack);
    connect(m.moveForwardAction, &QAction::triggered, this, &TMainWindow::MoveForward);
    connect(m.moveToStartAction, &QAction::triggered, this, &TMainWindow::MoveToStart);
    connect(m.moveToEndAction, &QAction::triggered, this, &TMainWindow::MoveToEnd);
    connect(m.statisticAction, &QAction::triggered, this, &TMainWindow::ShowStatistic);
    connect(m.oneShiftAction, &QAction::triggered, this, &TMainWindow::OneShiftStatistic);
    connect(m.twoShiftAction, &QAction::triggered, this, &TMainWindow::TwoShiftStatistic);
    connect(m.executeQueryAction, &QAction::triggered, this, &TMainWindow::ShowQuery);
    connect(m.statisticShowAction, &QAction::triggered, this, &TMainWindow::StatisticShowToggled);
    connect(m.reflectUpDownAction, &QAction::triggered, this, &TMainWindow::ReflectUpDown);
    connect(m.turnClockwiseAction, &QAction::triggered, this, &TMainWindow::TurnClockwise);
    connect(m.turnAnticlockwiseAction, &QAction::triggered, this, &TMainWindow::TurnAnticlockwise);
    connect(m.reflectLeftRightAction, &QAction::triggered, this, &TMainWindow::ReflectLeftRight);
    connect(m.openBaseAction, &QAction::triggered, this, &TMainWindow::OpenBase);
    connect(m.helpAction, &QAction::triggered, this, &TMainWindow::ShowHelp);
    connect(m.aboutAction, &QAction::triggered, this, &TMainWindow::ShowAbout);
    connect(m.editModeAction, &QAction::triggered, this, &TMainWindow::LeaveEditMode);
}

void TMainWindow::AttachWindows(const TOtherWindows& windows) {
    Windows_ = windows;
    // The dialog was the active window; the sizing need not wait for the next activation.
    for (auto closed : {&TSettingsDialog::Accepted, &TSettingsDialog::Cancelled})
        connect(Windows_.SettingsDialog, closed, this, [this] {
            FormActivate();
            Board_->DrawWholeBoard();
        });
    connect(Menu_.truncatedAction, &QAction::triggered, Windows_.DiagramWindow, &TDiagramWindow::Open);
    // The search itself brings the browsing windows up to date.
    connect(Windows_.QueryDialog, &TQueryDialog::QueryAccepted, this, [this] { MakeStatistic(true); });
    ConnectBrowsers();
    ConnectExchange();
    ConnectImport();
}

QList<QAction*> TMainWindow::BaseItems() const {
    return ::BaseItems(Menu_);
}

bool TMainWindow::StatisticShown() const {
    return Menu_.statisticShowAction->isChecked();
}

// ---------------------------------------------------------------------------------------------
// Titles, sizes and the other windows

void TMainWindow::SetTitle(const QString& text) {
    // "[*]" would otherwise be taken for the modification mark.
    QString title = text;
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(title);
}

void TMainWindow::SetOuterSize(int width, int height) {
    // The formulas give the outer size; the frame is known once the window manager has framed us.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    setFixedSize(width - frame.width(), height - frame.height());
}

void TMainWindow::FormActivate() {
    const TSettingsState& settings = Session_.Settings();
    const int W = TBoardGeometry(settings.MoveDiameter).Width();
    SetOuterSize(StatisticShown() ? settings.MemoLength + W + 2 : W + 7, W + 80);
    Client_->BoardWidth = W;
    Client_->Arrange();
    // Setting the size docks the navigator even when the size stays the same.
    DockNavigator();
}

void TMainWindow::DockNavigator() {
    QWidget* navigator = Windows_.NavigatorWindow;
    if (!navigator || !navigator->isVisible()) return;
    const QRect outer = frameGeometry();
    const int width = navigator->frameGeometry().width();
    const QRect room = screen() ? screen()->availableGeometry() : QRect();
    // Beside the main window on the right; on the left where the screen ends first; and where it
    // stands, floating, when neither side has room: never off the screen.
    QPoint at(outer.left() + outer.width(), outer.top());
    if (room.isValid() && at.x() + width > room.left() + room.width()) {
        if (outer.left() - width < room.left()) return;
        at.setX(outer.left() - width);
    }
    navigator->move(at);
}

bool TMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QMainWindow::event(event);
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    DockNavigator();
}

void TMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown_) return;
    Shown_ = true;
    // The settings dialog reads the parameter list into the settings in force, without appearing.
    if (Windows_.SettingsDialog) Windows_.SettingsDialog->FormShow();
    Board_->ClearPaint();
    FormActivate();
    CentreOnScreen(*this, size());
    Board_->Area()->setFocus();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    // Games in the scratch base would be deleted by the next start: the user decides first.
    if (!Closing_ && !ScratchBaseSaved()) {
        event->ignore();
        return;
    }
    // Settings changed with OK and not saved are offered for saving.
    if (!Closing_ && Session_.SettingsUnsaved() &&
        Dialogs().Confirm(this, QStringLiteral("Save the settings?")))
        SaveSettings();
    event->accept();
    emit Closed();
}

// ---------------------------------------------------------------------------------------------
// Base files

void TMainWindow::ClearLists() {
    Session_.ClearLists();
    MoveEnabled();
    if (!StatisticShown()) Session_.CloseBrowsers();
}

void TMainWindow::NewItems(const QString& path) {
    QAction* item = AddBaseItem(Menu_, path);
    connect(item, &QAction::triggered, this, [this, item] { LoadBaseFile(item->data().toString(), false); });
    UpdateEmptyFolderHint();
}

void TMainWindow::ListNewBases() {
    const QList<QAction*> items = BaseItems();
    for (const std::string& file : kalvon::ListFolder(".", "*.bdt")) {
        const QString name = QFile::decodeName(file.c_str());
        if (std::none_of(items.begin(), items.end(),
                         [&](QAction* item) { return item->data().toString() == name; }))
            NewItems(name);
    }
}

void TMainWindow::UpdateEmptyFolderHint() {
    // Until there is a base, or a game begins on the board.
    EmptyFolderHint_->setVisible(BaseItems().isEmpty() && Session_.Base().PartyList.empty() &&
                                 Session_.Base().CurrentMoves.empty());
}

void TMainWindow::LoadBaseFile(const QString& path, bool reloading) {
    // A file that will not be read (too large, not an ordinary file) leaves the open base open.
    if (const std::optional<std::string> refusal = kalvon::ReadRefusal(TSession::LocalPath(path)))
        return Dialogs().Error(this, EngineText(*refusal));
    ClearLists();
    SetTitle(reloading ? QStringLiteral("Wait - goes reloading file.")
                       : QStringLiteral("Wait - goes loading file."));
    // A missing file becomes the open base all the same; the next save creates it.
    Session_.LoadBase(path);
    if (QFileInfo(path).isFile()) RememberBase(path);
    // The browsing windows followed the load; the statistics need a search.
    if (StatisticShown()) MakeStatistic(false);
}

void TMainWindow::OpenBaseArgument(const QString& path) {
    // A file of the working folder is known by its name, as the File menu lists it.
    const QFileInfo file(path);
    const QString name =
        file.absolutePath() == QDir::current().absolutePath() ? file.fileName() : file.absoluteFilePath();
    QAction* found = nullptr;
    for (QAction* item : BaseItems())
        if (item->data().toString() == name) found = item;
    if (!found) {
        NewItems(name);
        found = BaseItems().constLast();
    }
    found->trigger();
}

void TMainWindow::OpenBase() {
    const std::optional<QStringList> chosen =
        Dialogs().OpenFileNames(this, QStringLiteral("Open Base ..."), QDir::currentPath(),
                                QStringLiteral("Файлы формата bdt (*.bdt *.BDT)"));
    if (chosen && !chosen->isEmpty()) OpenBaseArgument(chosen->first());
}

bool TMainWindow::ScratchBaseSaved() {
    if (Session_.BasePath() != QLatin1String(ScratchBase) || Session_.Base().PartyList.empty()) return true;
    switch (Dialogs().Ask(this, QStringLiteral("Save New.bdt?"))) {
        case TAnswer::Yes:
            // Deleting the scratch base after a save that did not happen would lose its games.
            return SaveAs();
        case TAnswer::No:
            return true;
        case TAnswer::Cancel:
            break;
    }
    return false;
}

void TMainWindow::NewFile() {
    if (!ScratchBaseSaved()) return;
    Session_.SetBasePath(QString::fromLatin1(ScratchBase));
    Session_.DeleteScratchBase();
    ClearLists();
    Session_.CloseBrowsers();
}

bool TMainWindow::SaveAs() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen = Dialogs().SaveFileName(
        this, QStringLiteral("Save as ..."), folder, QStringLiteral("Файлы формата bdt (*.bdt *.BDT)"));
    if (!chosen || chosen->isEmpty()) return false;

    const QString name = QFile::decodeName(kalvon::SaveAsName(TSession::LocalPath(*chosen)).c_str());
    // The dialog asked about replacing the name as typed, not about one with ".bdt" appended.
    if (name != *chosen && QFileInfo::exists(name) &&
        !Dialogs().ConfirmDefaultNo(this, QStringLiteral("File %1 already exists.\nReplace it?").arg(name)))
        return false;
    // A file of the working folder is known by its name, any other by its full path.
    const QFileInfo file(QDir(folder), name);
    const QString title =
        file.absolutePath() == QDir(folder).absolutePath() ? file.fileName() : file.absoluteFilePath();
    if (!Session_.SaveBaseAs(name, title)) return false;
    NewItems(title);
    return true;
}

void TMainWindow::RestorePreviousBase() {
    const std::string path = TSession::LocalPath(Session_.BasePath());
    const std::string previous = kalvon::PreviousFilePath(path);
    std::string error;
    const std::optional<kalvon::TBaseFileFacts> now = kalvon::BaseFileFacts(path, error);
    const std::optional<kalvon::TBaseFileFacts> before =
        now ? kalvon::BaseFileFacts(previous, error) : std::nullopt;
    if (!before) return Dialogs().Error(this, EngineText(error));
    const QString question = QStringLiteral("Replace %1 with %2? The two files change places.")
                                 .arg(EngineText(kalvon::DescribeBaseFile(path, *now)),
                                      EngineText(kalvon::DescribeBaseFile(previous, *before)));
    if (Dialogs().Choose(this, question, {QStringLiteral("Restore"), QStringLiteral("Cancel")}, 1) != 0)
        return;
    const uint64_t generation = Session_.Base().PartyListGeneration;
    Session_.RestorePreviousBase();
    SearchIfBaseChanged(generation);
}

void TMainWindow::RestoreEnabled() {
    Menu_.restorePreviousBaseAction->setEnabled(QFileInfo::exists(
        QFile::decodeName(kalvon::PreviousFilePath(TSession::LocalPath(Session_.BasePath())).c_str())));
}

void TMainWindow::SearchIfBaseChanged(uint64_t generation) {
    if (Session_.Base().PartyListGeneration != generation && StatisticShown()) MakeStatistic(false);
}

void TMainWindow::ShowHelp() {
    for (const char* name : {"help/readme.htm", "help/readme.txt"}) {
        if (QFileInfo::exists(QLatin1String(name))) {
            Dialogs().OpenDocument(QDir::current().absoluteFilePath(QLatin1String(name)));
            return;
        }
    }
    const QString guide = UserGuidePath();
    if (guide.isEmpty()) return Dialogs().Warning(this, QStringLiteral("The user guide is not installed."));
    if (!Help_) Help_ = std::make_unique<THelpWindow>();
    Help_->ShowGuide(guide);
}

void TMainWindow::ShowAbout() {
    Windows_.AboutDialog->show();
    Windows_.AboutDialog->raise();
    Windows_.AboutDialog->activateWindow();
}

void TMainWindow::Exit() {
    close();
}

void TMainWindow::ShowSettings() {
    Windows_.SettingsDialog->show();
    Windows_.SettingsDialog->raise();
    Windows_.SettingsDialog->activateWindow();
}

void TMainWindow::SaveSettings() {
    std::string error;
    // A failed write leaves the settings unsaved, so the command stays available.
    if (!Session_.SaveSettings(error)) Dialogs().Error(this, EngineText(error));
}

// ---------------------------------------------------------------------------------------------
// Moving on the board

void TMainWindow::ShowChange(const kalvon::TBoardChange& change) {
    Board_->Show(change);
    MoveEnabled();
}

void TMainWindow::MoveEnabled() {
    const kalvon::TGameBase& base = Session_.Base();
    const bool back = !base.CurrentMoves.empty(), forward = !base.ForwardMoves.empty();
    for (QAction* action : {Menu_.moveBackAction, Menu_.moveToStartAction}) action->setEnabled(back);
    for (QAction* action : {Menu_.moveForwardAction, Menu_.moveToEndAction}) action->setEnabled(forward);
}

void TMainWindow::NumerationToggled() {
    // The check mark has already been toggled by the menu.
    if (!Session_.Base().CurrentMoves.empty()) Board_->DrawWholeBoard();
}

void TMainWindow::PositionChanged() {
    if (StatisticShown()) MakeStatistic(false);
}

void TMainWindow::FormKeyPress(QChar key) {
    const kalvon::TGameBase& base = Session_.Base();
    if (key == QLatin1Char('-') && !base.CurrentMoves.empty()) {
        ShowChange(Session_.ChangePosition(kalvon::TakeBackMove));
        if (StatisticShown()) {
            Board_->DeleteMovesAlf();
            PositionChanged();
        }
        return;
    }
    std::string move;
    if (key == QLatin1Char('+') && !base.ForwardMoves.empty()) {
        move = base.ForwardMoves.substr(0, 2);
    } else if (StatisticShown() && !Session_.AlfMoves().empty()) {
        // The labelled next moves: "+" plays the one labelled A, a letter the one it labels.
        const std::string& labels = Session_.AlfMoves();
        int label = 1;
        if (key != QLatin1Char('+')) {
            const QChar upper = key.toUpper();
            if (upper < QLatin1Char('A') || upper > QLatin1Char('Z')) return;
            label = upper.unicode() - 'A' + 1;
            Session_.DropContinuation();
        }
        const size_t at = size_t(2 * label - 2);
        if (at + 2 <= labels.size() && labels[at] != ' ' && labels[at + 1] != ' ')
            move = labels.substr(at, 2);
    }
    // No move is ever played onto an occupied point, whatever the statistics list.
    if (move.empty() || !kalvon::CanPlayAt(base, move)) {
        MoveEnabled();
        return;
    }
    const bool replay = key == QLatin1Char('+') && !base.ForwardMoves.empty();
    const kalvon::TBoardChange change = replay ? Session_.ChangePosition(kalvon::ReplayMove)
                                               : Session_.ChangePosition(kalvon::PlayMove, move);
    PositionChanged();
    ShowChange(change);
}

void TMainWindow::MemoKeyPress(QChar key) {
    FormKeyPress(key);
}

void TMainWindow::keyPressEvent(QKeyEvent* event) {
    if (IsTypedCharacter(event)) {
        FormKeyPress(event->text().at(0));
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Characters go to the board; the memo keeps its navigation and copy keys.
        if (IsTypedCharacter(key)) {
            MemoKeyPress(key->text().at(0));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::MoveBack() {
    FormKeyPress(QLatin1Char('-'));
}

void TMainWindow::MoveForward() {
    FormKeyPress(QLatin1Char('+'));
}

void TMainWindow::MoveToStart() {
    Session_.SetAlfMoves(std::string());
    const kalvon::TBoardChange change = Session_.ChangePosition(kalvon::GoToStart);
    // With the statistics shown, the memo and the labels follow the new position.
    PositionChanged();
    ShowChange(change);
}

void TMainWindow::MoveToEnd() {
    Session_.SetAlfMoves(std::string());
    const kalvon::TBoardChange change = Session_.ChangePosition(kalvon::GoToEnd);
    // With the statistics shown, the memo and the labels follow the new position.
    PositionChanged();
    ShowChange(change);
}

void TMainWindow::LeaveEditMode() {
    Session_.SetEditMode(false);
}

void TMainWindow::BoardMouseDown(Qt::MouseButton button, QPoint point) {
    PressPoint_ = point;
    if (button == Qt::RightButton) MoveBack();
}

void TMainWindow::BoardClick() {
    Session_.DropContinuation();
    const std::string move = PointOf(Board_->HitPoint(PressPoint_));
    if (!kalvon::CanPlayAt(Session_.Base(), move)) {
        MoveEnabled();
        return;
    }
    const kalvon::TBoardChange change = Session_.ChangePosition(kalvon::PlayMove, move);
    PositionChanged();
    ShowChange(change);
}

void TMainWindow::BoardDoubleClick() {
    // The moves after the first move on the point come off as "-" takes them, with one search at
    // the end; a double-click on an empty point only searches.
    const kalvon::TBoardChange change =
        Session_.ChangePosition(kalvon::TakeBackTo, PointOf(Board_->HitPoint(PressPoint_)));
    if (change.Moved) {
        ShowChange(change);
        if (StatisticShown()) Board_->DeleteMovesAlf();
    }
    PositionChanged();
}

void TMainWindow::NewGame() {
    Session_.NewGame();
    MoveEnabled();
    Board_->ClearPaint();
}

void TMainWindow::ClearBoard() {
    NewGame();
    PositionChanged();
    Board_->DrawWholeBoard();
}
