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
#include <QStatusBar>
#include <algorithm>

#include "base/BaseFile.h"
#include "base/FolderListing.h"
#include "base/PointCodes.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"
#include "generator/BaseGenerator.h"
#include "ui/BoardArea.h"
#include "ui/BoardView.h"
#include "ui/ClientArea.h"
#include "ui/DialogService.h"
#include "ui/Icons.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"
#include "ui/UserSettings.h"
#include "ui/WelcomePanel.h"
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

// The height of the status line below the board.
constexpr int StatusLineHeight = 22;

}  // namespace

TMainWindow::TMainWindow(TSession& session) : QMainWindow(nullptr), Session_(session) {
    CreateControls();
    CreateMenu();
    LayOut();
    ConnectSession();
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::CreateControls() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Base E'mail partys"));
    setWindowIcon(ProgramIcon());
    // A fixed-size window: no maximise button, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    Client_ = new TClientArea(this);
    Board_ = new TBoardView(Session_, Client_);
    Memo_ = new TStatisticMemo(Session_, Client_);
    Memo_->setObjectName(QStringLiteral("Memo1"));
    Memo_->setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    QPalette memoColours = Memo_->palette();
    memoColours.setColor(QPalette::Base, memoColours.color(QPalette::Midlight));
    Memo_->setPalette(memoColours);
    Memo_->installEventFilter(this);

    Welcome_ = new TWelcomePanel(Client_);
    Welcome_->hide();

    // The status line: the query in force, the rule in force, the last command's message.
    QueryField_ = new QLabel(this);
    QueryField_->setObjectName(QStringLiteral("StatusQuery"));
    RuleField_ = new QLabel(this);
    RuleField_->setObjectName(QStringLiteral("StatusRule"));
    MessageField_ = new QLabel(this);
    MessageField_->setObjectName(QStringLiteral("StatusMessage"));
}

void TMainWindow::LayOut() {
    Client_->Board = Board_->Area();
    Client_->Memo = Memo_;
    setCentralWidget(Client_);
    Welcome_->setGeometry(20, 20, 320, 200);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(StatusLineHeight);
    statusBar()->addWidget(QueryField_, 2);
    statusBar()->addWidget(RuleField_, 1);
    statusBar()->addWidget(MessageField_, 3);
    for (QLabel* field : {QueryField_, RuleField_, MessageField_})
        field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    UpdateStatusLine();
}

void TMainWindow::ConnectSession() {
    TBoardArea* box = Board_->Area();
    box->OnMouseDown = [this](Qt::MouseButton button, QPoint point) { BoardMouseDown(button, point); };
    box->OnClick = [this] { BoardClick(); };
    box->OnDblClick = [this] { BoardDoubleClick(); };

    connect(&Session_, &TSession::EditModeChanged, Menu_.editModeAction, &QAction::setEnabled);
    connect(&Session_, &TSession::BasePathChanged, this, &TMainWindow::ShowBasePath);
    connect(&Session_, &TSession::BaseLoading, this, [this](bool reloading) {
        SetTitle(reloading ? QStringLiteral("Wait - goes reloading file.")
                           : QStringLiteral("Wait - goes loading file."));
    });
    // The moves commands follow the moves on the board, whoever changed them.
    connect(&Session_, &TSession::PositionChanged, this, &TMainWindow::MoveEnabled);
    connect(&Session_, &TSession::StatisticChanged, this, &TMainWindow::ShowStatisticChange);
    // The previous generation of the open base comes and goes with the base and its saves.
    for (auto changed : {&TSession::BaseChanged, &TSession::PartiesChanged})
        connect(&Session_, changed, this, &TMainWindow::RestoreEnabled);
    connect(Menu_.fileMenu, &QMenu::aboutToShow, this, &TMainWindow::RestoreEnabled);
    connect(Menu_.fileMenu, &QMenu::aboutToShow, this, &TMainWindow::ListNewBases);
    connect(Welcome_, &TWelcomePanel::OpenBaseWanted, this, &TMainWindow::OpenBase);
    connect(Welcome_, &TWelcomePanel::ImportWanted, this, &TMainWindow::ImportGames);
    connect(Welcome_, &TWelcomePanel::SampleWanted, this, &TMainWindow::CreateSampleBase);
    connect(&Session_, &TSession::BaseChanged, this, &TMainWindow::UpdateEmptyFolderHint);
    connect(&Session_, &TSession::PartiesChanged, this, &TMainWindow::UpdateEmptyFolderHint);
    connect(&Session_, &TSession::PositionChanged, this, &TMainWindow::UpdateEmptyFolderHint);
    // Settings changed by the dialog and not yet written can be saved; the window fits the board.
    connect(&Session_, &TSession::SettingsChanged, this, [this] {
        Menu_.saveToolsAction->setEnabled(Session_.SettingsUnsaved());
        if (Shown_) FitToSettings();
    });
    for (auto changed : {&TSession::CriteriaChanged, &TSession::BaseChanged})
        connect(&Session_, changed, this, &TMainWindow::UpdateStatusLine);
    connect(&Session_, &TSession::StatusMessageChanged, this, &TMainWindow::UpdateStatusLine);
    connect(&Session_, &TSession::GameOpened, this, &TMainWindow::MoveEnabled);
    ConnectRules();
}

QList<QAction*> TMainWindow::BaseItems() const {
    return ::BaseItems(Menu_);
}

// ---------------------------------------------------------------------------------------------
// Titles, sizes and the status line

void TMainWindow::SetTitle(const QString& text) {
    // "[*]" would otherwise be taken for the modification mark.
    QString title = text;
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(title);
}

void TMainWindow::ShowBasePath(const QString& path) {
    const bool readOnly = Session_.WriteRefusal().has_value();
    SetTitle(readOnly ? path + QStringLiteral(" [read-only]") : path);
    // The commands that write the open base; "Save as ..." writes another file and stays.
    for (QAction* writer : {Menu_.saveGameAction, Menu_.deleteGamesInListingAction, Menu_.addNewGamesAction,
                            Menu_.updateGamesAction, Menu_.updateFromMailAction, Menu_.importGamesAction})
        writer->setEnabled(!readOnly);
    RestoreEnabled();
}

void TMainWindow::SetOuterSize(int width, int height) {
    // The formulas give the outer size; the frame is known once the window manager has framed us.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    setFixedSize(width - frame.width(), height - frame.height());
}

void TMainWindow::FitToSettings() {
    const TSettingsState& settings = Session_.Settings();
    const int W = TBoardGeometry(settings.MoveDiameter).Width();
    // The status line adds its height below the board.
    SetOuterSize(!Memo_->isHidden() ? settings.MemoLength + W + 2 : W + 7, W + 80 + StatusLineHeight);
    Client_->BoardWidth = W;
    Client_->Arrange();
    // Setting the size docks the navigator even when the size stays the same.
    emit Moved();
}

void TMainWindow::UpdateStatusLine() {
    QueryField_->setText(Session_.QueryText());
    MessageField_->setText(Session_.StatusMessage());
    for (QLabel* field : {QueryField_, RuleField_, MessageField_}) field->setToolTip(field->text());
}

bool TMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && Shown_) FitToSettings();
    return QMainWindow::event(event);
}

void TMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    emit Moved();
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    emit Moved();
}

void TMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown_) return;
    Shown_ = true;
    Board_->ClearPaint();
    FitToSettings();
    CentreOnScreen(*this, size());
    KeepOnScreenWhenResized(*this);
    Board_->Area()->setFocus();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    // Games in the scratch base would be deleted by the next start: the user decides first.
    if (!ScratchBaseSaved()) {
        event->ignore();
        return;
    }
    // Settings changed with OK and not saved are offered for saving; Cancel stays in the program.
    if (Session_.SettingsUnsaved()) {
        switch (Dialogs().Ask(this, QStringLiteral("Save the settings?"))) {
            case TAnswer::Yes:
                SaveSettings();
                break;
            case TAnswer::No:
                break;
            case TAnswer::Cancel:
                event->ignore();
                return;
        }
    }
    event->accept();
    emit Closed();
}

// ---------------------------------------------------------------------------------------------
// Base files

void TMainWindow::AddBaseItem(const QString& path) {
    QAction* item = ::AddBaseItem(Menu_, path);
    connect(item, &QAction::triggered, this,
            [this, item] { Session_.OpenBase(item->data().toString(), this); });
    UpdateEmptyFolderHint();
}

void TMainWindow::ListNewBases() {
    const QList<QAction*> items = BaseItems();
    for (const std::string& file : kalvon::ListFolder(TSession::LocalPath(Session_.WorkFolder()), "*.bdt")) {
        const QString name = QFile::decodeName(file.c_str());
        if (std::none_of(items.begin(), items.end(),
                         [&](QAction* item) { return item->data().toString() == name; }))
            AddBaseItem(name);
    }
}

void TMainWindow::UpdateEmptyFolderHint() {
    // Until there is a base, or a game begins on the board.
    Welcome_->setVisible(BaseItems().isEmpty() && Session_.Games().PartyList.empty() &&
                         Session_.Board().CurrentMoves.empty());
    // Over the board, which is laid out after it.
    Welcome_->raise();
}

void TMainWindow::CreateSampleBase() {
    const QString name = QStringLiteral("sample (generated games).bdt");
    if (!QFileInfo::exists(Session_.WorkPath(name))) {
        std::string error;
        const std::string content = kalvon::bench::GenerateBaseContent({.Games = 2000});
        if (!kalvon::WriteFileReplacing(TSession::LocalPath(Session_.WorkPath(name)), content, error))
            return Dialogs().Error(this, EngineText(error));
    }
    OpenBaseArgument(name);
    Session_.SetStatusMessage(QStringLiteral("%1: generated games, whose statistics mean nothing").arg(name));
}

void TMainWindow::OpenBaseArgument(const QString& path) {
    // A file of the working folder is known by its name, as the File menu lists it.
    const QString name = Session_.BaseName(path);
    QAction* found = nullptr;
    for (QAction* item : BaseItems())
        if (item->data().toString() == name) found = item;
    // A file that is refused (no base, unreadable) is not listed.
    if (found)
        found->trigger();
    else if (Session_.OpenBase(name, this))
        AddBaseItem(name);
}

void TMainWindow::OpenBase() {
    const std::optional<QStringList> chosen = Dialogs().OpenFileNames(
        this, QStringLiteral("Open Base ..."), LastFolder(QStringLiteral("Open Base"), Session_.WorkFolder()),
        QStringLiteral("Файлы формата bdt (*.bdt *.BDT)"));
    if (!chosen || chosen->isEmpty()) return;
    RememberFolder(QStringLiteral("Open Base"), chosen->first());
    OpenBaseArgument(chosen->first());
}

bool TMainWindow::ScratchBaseSaved() {
    const size_t games = Session_.ScratchBaseGames();
    if (games == 0) return true;
    const QString question = QStringLiteral(
                                 "Save New.bdt?\nIt holds %1; Discard keeps them only as "
                                 "New.bdt's generation 1 (File > Restore Previous Base).")
                                 .arg(Counted(games, "game", "games"));
    switch (Dialogs().Choose(
        this, question, {QStringLiteral("Save as ..."), QStringLiteral("Discard"), QStringLiteral("Cancel")},
        2)) {
        case 0:
            // Clearing the scratch base after a save that did not happen would lose its games.
            if (Session_.BasePath() == QLatin1String(ScratchBase) ? !SaveBaseAs() : !SaveScratchFileAs())
                return false;
            break;
        case 1:
            break;
        default:
            return false;
    }
    return Session_.SetAsideScratchBase(this).has_value();
}

bool TMainWindow::SaveScratchFileAs() {
    const std::optional<QString> name = ChosenBaseName();
    if (!name) return false;
    std::string error;
    if (!kalvon::CopyBaseFile(TSession::LocalPath(Session_.WorkPath(QString::fromLatin1(ScratchBase))),
                              TSession::LocalPath(Session_.WorkPath(*name)), error)) {
        Dialogs().Error(this, EngineText(error));
        return false;
    }
    AddBaseItem(Session_.BaseName(Session_.WorkPath(*name)));
    return true;
}
void TMainWindow::NewFile() {
    if (ScratchBaseSaved()) Session_.NewScratchBase(this);
}

void TMainWindow::SaveAs() {
    SaveBaseAs();
}

std::optional<QString> TMainWindow::ChosenBaseName() {
    const std::optional<QString> chosen =
        Dialogs().SaveFileName(this, QStringLiteral("Save as ..."), Session_.WorkFolder(),
                               QStringLiteral("Файлы формата bdt (*.bdt *.BDT)"));
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString name = QFile::decodeName(kalvon::SaveAsName(TSession::LocalPath(*chosen)).c_str());
    // The dialog asked about replacing the name as typed, not about one with ".bdt" appended.
    if (name != *chosen && QFileInfo::exists(Session_.WorkPath(name)) &&
        !Dialogs().ConfirmDefaultNo(this, QStringLiteral("File %1 already exists.\nReplace it?").arg(name)))
        return std::nullopt;
    return name;
}

bool TMainWindow::SaveBaseAs() {
    const std::optional<QString> name = ChosenBaseName();
    if (!name || !Session_.SaveBaseAs(*name, this)) return false;
    AddBaseItem(Session_.BasePath());
    return true;
}

void TMainWindow::RestorePreviousBase() {
    const std::string path = TSession::LocalPath(Session_.WorkPath(Session_.BasePath()));
    const std::vector<kalvon::TBaseGeneration> generations = kalvon::ListBaseGenerations(path);
    if (generations.empty())
        return Dialogs().Information(
            this, QStringLiteral("%1 has no earlier file to go back to.").arg(Session_.BasePath()));
    // The files named as the title names the base.
    const std::string shown = TSession::LocalPath(Session_.BasePath());
    QStringList items;
    for (kalvon::TBaseGeneration generation : generations) {
        generation.Path = shown + generation.Path.substr(path.size());
        items.append(EngineText(kalvon::GenerationLine(generation)));
    }
    std::string error;
    const std::optional<kalvon::TBaseFileFacts> now = kalvon::BaseFileFacts(path, error);
    const QString base = now ? EngineText(kalvon::DescribeBaseFile(shown, *now))
                             : QStringLiteral("%1 (no file)").arg(Session_.BasePath());
    const std::optional<int> picked = Dialogs().ChooseItem(
        this, QStringLiteral("Restore Previous Base"),
        QStringLiteral("Replace %1 with which earlier file? The file it replaces becomes generation 1, "
                       "the others move down.")
            .arg(base),
        items, 0);
    if (!picked) return;
    const kalvon::TBaseGeneration& chosen = generations[size_t(*picked)];
    if (Dialogs().Choose(this, QStringLiteral("Replace %1 with %2?").arg(base, items[*picked]),
                         {QStringLiteral("Restore"), QStringLiteral("Cancel")}, 1) != 0)
        return;
    Session_.RestoreGeneration(
        {.Generation = std::max(chosen.Generation, 1), .BeforeRemoval = chosen.Generation == 0}, this);
}
void TMainWindow::RestoreEnabled() {
    const std::string path = TSession::LocalPath(Session_.WorkPath(Session_.BasePath()));
    const auto exists = [](const std::string& file) {
        return QFileInfo::exists(QFile::decodeName(file.c_str()));
    };
    Menu_.restorePreviousBaseAction->setEnabled(
        !Session_.WriteRefusal() &&
        (exists(kalvon::GenerationPath(path, 1)) || exists(kalvon::BeforeRemovalPath(path))));
}

void TMainWindow::ShowDiagrams() {
    emit WindowWanted(TWindowKind::Diagram);
}

void TMainWindow::ShowHelp() {
    for (const char* name : {"help/readme.htm", "help/readme.txt"}) {
        const QString path = Session_.WorkPath(QLatin1String(name));
        if (QFileInfo::exists(path)) {
            Dialogs().OpenDocument(path);
            return;
        }
    }
    emit WindowWanted(TWindowKind::Help);
}

void TMainWindow::ShowAbout() {
    emit WindowWanted(TWindowKind::About);
}

void TMainWindow::Exit() {
    close();
}

void TMainWindow::ShowSettings() {
    emit WindowWanted(TWindowKind::Settings);
}

void TMainWindow::SaveSettings() {
    std::string error;
    // A failed write leaves the settings unsaved, so the command stays available.
    if (!Session_.SaveSettings(error)) Dialogs().Error(this, EngineText(error));
}

// ---------------------------------------------------------------------------------------------
// Moving on the board

void TMainWindow::MoveEnabled() {
    const kalvon::TBoardGame& board = Session_.Board();
    const bool back = !board.CurrentMoves.empty(), forward = !board.ForwardMoves.empty();
    for (QAction* action : {Menu_.moveBackAction, Menu_.moveToStartAction}) action->setEnabled(back);
    for (QAction* action : {Menu_.moveForwardAction, Menu_.moveToEndAction}) action->setEnabled(forward);
}

void TMainWindow::NumerationToggled() {
    Board_->SetNumbered(Menu_.numerationAction->isChecked());
}

void TMainWindow::TypedKey(QChar key) {
    const kalvon::TBoardGame& board = Session_.Board();
    if (key == QLatin1Char('-')) {
        Session_.TakeBackMove();
        return;
    }
    if (key == QLatin1Char('+') && !board.ForwardMoves.empty()) {
        Session_.ReplayMove();
        return;
    }
    // The labelled next moves: "+" plays the one labelled A, a letter the one it labels.
    int label = 1;
    if (key != QLatin1Char('+')) {
        const QChar upper = key.toUpper();
        if (upper < QLatin1Char('A') || upper > QLatin1Char('Z')) return;
        label = upper.unicode() - 'A' + 1;
        if (Session_.AlfMoves().empty()) return;
        Session_.DropContinuation();
    }
    Session_.PlayLabel(label);
}

void TMainWindow::keyPressEvent(QKeyEvent* event) {
    if (IsTypedCharacter(event)) {
        TypedKey(event->text().at(0));
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Characters go to the board; the memo keeps its navigation and copy keys.
        if (IsTypedCharacter(key)) {
            TypedKey(key->text().at(0));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::MoveBack() {
    Session_.TakeBackMove();
}

void TMainWindow::MoveForward() {
    TypedKey(QLatin1Char('+'));
}

void TMainWindow::MoveToStart() {
    Session_.GoToStart();
}

void TMainWindow::MoveToEnd() {
    Session_.GoToEnd();
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
    Session_.PlayMove(PointOf(Board_->HitPoint(PressPoint_)));
    MoveEnabled();
}

void TMainWindow::BoardDoubleClick() {
    // The moves after the first move on the point come off as "-" takes them, with one search at
    // the end; a double-click on an empty point only searches.
    Session_.TakeBackTo(PointOf(Board_->HitPoint(PressPoint_)));
}

void TMainWindow::ClearBoard() {
    Session_.ClearBoard();
}
