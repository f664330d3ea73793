#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

#include "base/BaseFile.h"
#include "base/FolderListing.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "ui/AboutDialog.h"
#include "ui/BoardArea.h"
#include "ui/BoardView.h"
#include "ui/ClientArea.h"
#include "ui/DiagramWindow.h"
#include "ui/DialogService.h"
#include "ui/Icons.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/Session.h"
#include "ui/SettingsDialog.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"

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
    Memo1 = new TStatisticMemo(Client_);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    QPalette memoColours = Memo1->palette();
    memoColours.setColor(QPalette::Base, memoColours.color(QPalette::Midlight));
    Memo1->setPalette(memoColours);
    Memo1->installEventFilter(this);
    Memo1->hide();
    Client_->Board = Board_->PaintBox1();
    Client_->Memo = Memo1;
    setCentralWidget(Client_);

    TBoardArea* box = Board_->PaintBox1();
    box->OnMouseDown = [this](Qt::MouseButton button, QPoint point) { PaintBox1MouseDown(button, point); };
    box->OnClick = [this] { PaintBox1Click(); };
    box->OnDblClick = [this] { PaintBox1DblClick(); };

    Menu_ = CreateMainMenu(*this);
    ConnectMenu();
    connect(&Session_, &TSession::EditModeChanged, Menu_.ToolButton6, &QToolButton::setEnabled);
    // A game opened from the navigator or the listing stands whole on the board, without labels.
    connect(&Session_, &TSession::GameOpened, this, [this] {
        Board_->PaintBox1Paint();
        MoveEnabled();
    });
    // The board draws numbers and labels as the two check marks say, however they were set.
    connect(Menu_.Num, &QAction::toggled, Board_, &TBoardView::SetNumbered);
    connect(Menu_.StatisticShow, &QAction::toggled, Board_, &TBoardView::SetLabelsShown);

    // Start-up, in this order.
    Menu_.ToolButton6->setEnabled(false);
    ClearLists();
    SetCurrentBase(QString::fromLatin1(ScratchBase));
    DeleteScratchBase();
    for (const std::string& name : kalvon::ListFolder(".", "*.bdt"))
        NewItems(QFile::decodeName(name.c_str()));
    NewGame();
    ReadToolsIni(Session_.Settings());
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::ConnectMenu() {
    const TMainMenu& m = Menu_;
    connect(m.NewFile1, &QAction::triggered, this, &TMainWindow::NewFile1Click);
    connect(m.SaveAs1, &QAction::triggered, this, &TMainWindow::SaveAs1Click);
    connect(m.N2, &QAction::triggered, this, &TMainWindow::N2Click);
    connect(m.Exit1, &QAction::triggered, this, &TMainWindow::Exit1Click);
    connect(m.Adjustment1, &QAction::triggered, this, &TMainWindow::Adjustment1Click);
    connect(m.SaveTools1, &QAction::triggered, this, &TMainWindow::SaveTools1Click);
    connect(m.Num, &QAction::triggered, this, &TMainWindow::NumClick);
    connect(m.N13, &QAction::triggered, this, &TMainWindow::N13Click);
    connect(m.N14, &QAction::triggered, this, &TMainWindow::N14Click);
    connect(m.N15, &QAction::triggered, this, &TMainWindow::N15Click);
    connect(m.N16, &QAction::triggered, this, &TMainWindow::N16Click);
    connect(m.N8, &QAction::triggered, this, &TMainWindow::N8Click);
    connect(m.OneShift1, &QAction::triggered, this, &TMainWindow::OneShiftClick);
    connect(m.TwoShift1, &QAction::triggered, this, &TMainWindow::TwoShiftClick);
    connect(m.Execute1, &QAction::triggered, this, &TMainWindow::N11Click);
    connect(m.StatisticShow, &QAction::triggered, this, &TMainWindow::StatisticShowClick);
    connect(m.Vert, &QAction::triggered, this, &TMainWindow::VertClick);
    connect(m.Clockwise, &QAction::triggered, this, &TMainWindow::ClockwiseClick);
    connect(m.Against, &QAction::triggered, this, &TMainWindow::AgainstClick);
    connect(m.Horiz, &QAction::triggered, this, &TMainWindow::HorizClick);
    connect(m.Help1, &QAction::triggered, this, &TMainWindow::Help1Click);
    connect(m.About1, &QAction::triggered, this, &TMainWindow::About1Click);
    connect(m.ToolButton6, &QToolButton::clicked, this, &TMainWindow::ToolButton6Click);
}

void TMainWindow::AttachWindows(const TOtherWindows& windows) {
    Windows_ = windows;
    connect(Windows_.SettingsDialog, &TSettingsDialog::Accepted, this, [this] {
        Menu_.SaveTools1->setEnabled(true);
        // The dialog was the active window; the sizing need not wait for the next activation.
        FormActivate();
        Board_->PaintBox1Paint();
    });
    connect(Windows_.SettingsDialog, &TSettingsDialog::Cancelled, this, [this] {
        FormActivate();
        Board_->PaintBox1Paint();
    });
    connect(Menu_.Truncated1, &QAction::triggered, Windows_.DiagramWindow, &TDiagramWindow::Open);
    // The search itself brings the browsing windows up to date.
    connect(Windows_.QueryDialog, &TQueryDialog::QueryAccepted, this, [this] { MakeStatistic(true); });
    ConnectBrowsers();
    ConnectExchange();
}

QList<QAction*> TMainWindow::BaseItems() const {
    return ::BaseItems(Menu_);
}

bool TMainWindow::StatisticShown() const {
    return Menu_.StatisticShow->isChecked();
}

// ---------------------------------------------------------------------------------------------
// Titles, sizes and the other windows

void TMainWindow::SetTitle(const QString& text) {
    // "[*]" would otherwise be taken for the modification mark.
    QString title = text;
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(title);
}

void TMainWindow::SetCurrentBase(const QString& path) {
    Session_.SetBasePath(path);
    SetTitle(path);
}

void TMainWindow::SetOuterSize(int width, int height) {
    // The formulas give the outer size; the frame is known once the window manager has framed us.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    setFixedSize(width - frame.width(), height - frame.height());
}

void TMainWindow::FormActivate() {
    const TToolsState& settings = Session_.Settings();
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
    navigator->move(outer.left() + outer.width(), outer.top());
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
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    Board_->PaintBox1()->setFocus();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    // Games in the scratch base would be deleted by the next start: the user decides first.
    if (!Closing_ && !ScratchBaseSaved()) {
        event->ignore();
        return;
    }
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
}

void TMainWindow::LoadBaseFile(const QString& path, bool reloading) {
    // A file that will not be read (too large, not an ordinary file) leaves the open base open.
    if (const std::optional<std::string> refusal = kalvon::ReadRefusal(TSession::LocalPath(path)))
        return Dialogs().Error(this, EngineText(*refusal));
    ClearLists();
    SetTitle(reloading ? QStringLiteral("Wait - goes reloading file.")
                       : QStringLiteral("Wait - goes loading file."));
    Session_.LoadBase(path);
    // A missing file becomes the current base all the same; the next save creates it.
    SetCurrentBase(path);
    BaseChanged();
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

void TMainWindow::BaseChanged() {
    if (StatisticShown())
        MakeStatistic(false);
    else
        Session_.RefreshBrowsers(false, false);
}

bool TMainWindow::DeleteScratchBase() {
    QFile scratch(QString::fromLatin1(ScratchBase));
    if (!scratch.exists() || scratch.remove()) return true;
    // A scratch base that survives would be saved over by the first change: say so.
    Dialogs().Error(
        this, QStringLiteral("Cannot delete file %1: %2").arg(scratch.fileName(), scratch.errorString()));
    return false;
}

bool TMainWindow::ScratchBaseSaved() {
    if (Session_.BasePath() != QLatin1String(ScratchBase) || Session_.Base().PartyList.empty()) return true;
    switch (Dialogs().Ask(this, QStringLiteral("Save New.bdt?"))) {
        case TAnswer::Yes:
            // Deleting the scratch base after a save that did not happen would lose its games.
            return SaveAs1Click();
        case TAnswer::No:
            return true;
        case TAnswer::Cancel:
            break;
    }
    return false;
}

void TMainWindow::NewFile1Click() {
    if (!ScratchBaseSaved()) return;
    SetCurrentBase(QString::fromLatin1(ScratchBase));
    DeleteScratchBase();
    ClearLists();
    Session_.CloseBrowsers();
}

bool TMainWindow::SaveAs1Click() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen = Dialogs().SaveFileName(
        this, QStringLiteral("Save as ..."), folder, QStringLiteral("Файлы формата bdt (*.bdt *.BDT)"));
    if (!chosen || chosen->isEmpty()) return false;

    const QString name = QFile::decodeName(kalvon::SaveAsName(TSession::LocalPath(*chosen)).c_str());
    // The dialog asked about replacing the name as typed, not about one with ".bdt" appended.
    if (name != *chosen && QFileInfo::exists(name) &&
        !Dialogs().Confirm(this, QStringLiteral("File %1 already exists.\nReplace it?").arg(name)))
        return false;
    std::string error;
    if (!kalvon::CopyBaseFile(TSession::LocalPath(Session_.BasePath()), TSession::LocalPath(name), error)) {
        Dialogs().Error(this, EngineText(error));
        return false;
    }

    // A file of the working folder is known by its name, any other by its full path.
    const QFileInfo file(QDir(folder), name);
    const QString title =
        file.absolutePath() == QDir(folder).absolutePath() ? file.fileName() : file.absoluteFilePath();
    SetCurrentBase(title);
    NewItems(title);
    return true;
}

void TMainWindow::Help1Click() {
    for (const char* name : {"help/readme.htm", "help/readme.txt"}) {
        if (QFileInfo::exists(QLatin1String(name))) {
            Dialogs().OpenDocument(QDir::current().absoluteFilePath(QLatin1String(name)));
            return;
        }
    }
}

void TMainWindow::About1Click() {
    Windows_.AboutDialog->show();
    Windows_.AboutDialog->raise();
    Windows_.AboutDialog->activateWindow();
}

void TMainWindow::Exit1Click() {
    close();
}

void TMainWindow::Adjustment1Click() {
    Windows_.SettingsDialog->show();
    Windows_.SettingsDialog->raise();
    Windows_.SettingsDialog->activateWindow();
}

void TMainWindow::SaveTools1Click() {
    std::string error;
    // A failed write leaves the settings unsaved, so the command stays available.
    if (!SaveToolsIni(Session_.Settings(), error)) return Dialogs().Error(this, EngineText(error));
    Menu_.SaveTools1->setEnabled(false);
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
    for (QAction* action : {Menu_.N13, Menu_.N15}) action->setEnabled(back);
    for (QToolButton* button : {Menu_.ToolButton2, Menu_.ToolButton1}) button->setEnabled(back);
    for (QAction* action : {Menu_.N14, Menu_.N16}) action->setEnabled(forward);
    for (QToolButton* button : {Menu_.ToolButton3, Menu_.ToolButton4}) button->setEnabled(forward);
}

void TMainWindow::NumClick() {
    // The check mark has already been toggled by the menu.
    if (!Session_.Base().CurrentMoves.empty()) Board_->PaintBox1Paint();
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

void TMainWindow::Memo1KeyPress(QChar key) {
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
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Characters go to the board; the memo keeps its navigation and copy keys.
        if (IsTypedCharacter(key)) {
            Memo1KeyPress(key->text().at(0));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::N13Click() {
    FormKeyPress(QLatin1Char('-'));
}

void TMainWindow::N14Click() {
    FormKeyPress(QLatin1Char('+'));
}

void TMainWindow::N15Click() {
    Session_.SetAlfMoves(std::string());
    ShowChange(Session_.ChangePosition(kalvon::GoToStart));
}

void TMainWindow::N16Click() {
    Session_.SetAlfMoves(std::string());
    ShowChange(Session_.ChangePosition(kalvon::GoToEnd));
}

void TMainWindow::ToolButton6Click() {
    Session_.SetEditMode(false);
}

void TMainWindow::PaintBox1MouseDown(Qt::MouseButton button, QPoint point) {
    PressPoint_ = point;
    if (button == Qt::RightButton) N13Click();
}

void TMainWindow::PaintBox1Click() {
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

void TMainWindow::PaintBox1DblClick() {
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

void TMainWindow::N2Click() {
    NewGame();
    PositionChanged();
    Board_->PaintBox1Paint();
}
