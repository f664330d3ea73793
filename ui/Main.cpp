#include "ui/Main.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStringDecoder>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <stdexcept>

#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextPolicy.h"
#include "search/ShiftStatistic.h"
#include "search/Statistic.h"
#include "search/StatisticLines.h"
#include "search/Symmetry.h"
#include "ui/BoardPainter.h"
#include "ui/DialogService.h"
#include "ui/Icons.h"
#include "ui/KCollection.h"
#include "ui/Nav.h"
#include "ui/PaintBox.h"
#include "ui/ProcessLoading.h"
#include "ui/QueryPartys.h"
#include "ui/StatisticMemo.h"
#include "ui/help.h"

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Engine messages carry paths and system reasons (UTF-8 here) or texts of the base (code page).
QString EngineText(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromStdString(kalvon::TextPolicy().ToUtf8(text));
}

QString MenuText(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// Memo lines and labels are ASCII apart from the labels past 'z', which are bytes of the code page.
QString CodePageText(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromStdString(kalvon::TextPolicy().ToUtf8(text));
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The character of the label of the k-th next move; none past the last byte of the code page (the
// memo shows such a move all the same).
QChar LabelText(int k) {
    const QString label = CodePageText(kalvon::MoveLabel(k));
    return label.isEmpty() ? QChar() : label.at(0);
}

// The statistics texts separate their lines by CR, CR LF or LF CR; a box shows one line each.
QString BoxLines(const std::string& text) {
    QString shown = CodePageText(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// A character typed as such: with Ctrl, Alt or Meta held a key is a command (Ctrl+C in the memo),
// whatever text the platform attaches to it.
bool IsTypedCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    return text.size() == 1 && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// Every move of a move string replaced by its image under symmetry t, in place and in order; a code
// that is no point stays as it is.
std::string TransformMoves(const std::string& moves, int t) {
    std::string image = moves;
    for (size_t i = 0; i + 1 < image.size(); i += 2) {
        const std::string point = kalvon::TransformPoint(std::string_view(moves).substr(i, 2), t);
        image[i] = point[0];
        image[i + 1] = point[1];
    }
    return image;
}

// The board's symmetries (numbered as in the search) that the four commands apply.
constexpr int ReflectUpDown = 4;      // (c, 16 - r)
constexpr int ReflectLeftRight = 3;   // (16 - c, r)
constexpr int TurnClockwise = 7;      // (r, 16 - c)
constexpr int TurnAnticlockwise = 6;  // (16 - r, c)

}  // namespace

// The client area below the tool bar: the board at the left, the statistics memo right of it.
class TClientArea final : public QWidget {
public:
    explicit TClientArea(QWidget* parent) : QWidget(parent) {}
    QWidget* Board = nullptr;
    QWidget* Memo = nullptr;
    int BoardWidth = 460;

    void Arrange() {
        Board->setGeometry(0, 0, BoardWidth, height());
        Memo->setGeometry(BoardWidth, 0, std::max(0, width() - BoardWidth), height());
    }

protected:
    void resizeEvent(QResizeEvent*) override { Arrange(); }
};

// The engine tells the user through the dialog service and shows the loading in the progress window.
class TMainForm::TWindowUi final : public kalvon::IBaseUi {
public:
    explicit TWindowUi(TMainForm& form) : Form_(form) {}
    void ShowMessage(const std::string& text) override { Dialogs().Information(&Form_, EngineText(text)); }
    void ProgressShow() override {
        if (Form_.Forms_.FormLoad) Form_.Forms_.FormLoad->Start();
    }
    void ProgressSetPosition(int percent) override {
        if (Form_.Forms_.FormLoad) Form_.Forms_.FormLoad->SetPosition(percent);
    }
    void ProgressHide() override {
        if (Form_.Forms_.FormLoad) Form_.Forms_.FormLoad->Finish();
    }

private:
    TMainForm& Form_;
};

TMainForm::TMainForm(kalvon::TGameBase& base)
    : QMainWindow(nullptr), Base_(base), BaseUi_(std::make_unique<TWindowUi>(*this)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Base E'mail partys"));
    setWindowIcon(ProgramIcon());
    // A fixed-size window: no maximise button, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    Client_ = new TClientArea(this);
    PaintBox1 = new TPaintBox(Client_);
    PaintBox1->setFocusPolicy(Qt::StrongFocus);
    Memo1 = new TStatisticMemo(Client_);
    Memo1->setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    QPalette memoColours = Memo1->palette();
    memoColours.setColor(QPalette::Base, memoColours.color(QPalette::Midlight));
    Memo1->setPalette(memoColours);
    Memo1->installEventFilter(this);
    Memo1->hide();
    Client_->Board = PaintBox1;
    Client_->Memo = Memo1;
    setCentralWidget(Client_);

    PaintBox1->OnMouseDown = [this](Qt::MouseButton button, QPoint point) {
        PaintBox1MouseDown(button, point);
    };
    PaintBox1->OnClick = [this] { PaintBox1Click(); };
    PaintBox1->OnDblClick = [this] { PaintBox1DblClick(); };
    PaintBox1->OnCanvasResized = [this] { PaintBox1Paint(); };

    CreateMenu();
    CreateToolBar();

    // Start-up, in this order.
    Base_.EditMode = false;
    QueryCriteria.SwitchOff();
    ToolButton6->setEnabled(false);
    kalvon::ClearLists(Base_);

    SetCurrentBase(QString::fromLatin1(ScratchBase));
    if (QFileInfo::exists(QString::fromLatin1(ScratchBase))) {
        QFile scratch(QString::fromLatin1(ScratchBase));
        // A scratch base that survives would be saved over by the first change: say so.
        if (!scratch.remove())
            Dialogs().Error(
                nullptr,
                QStringLiteral("Cannot delete file %1: %2").arg(scratch.fileName(), scratch.errorString()));
    }

    QDir folder = QDir::current();
    folder.setNameFilters({QStringLiteral("*.bdt")});
    folder.setFilter(QDir::Files | QDir::Hidden);
    folder.setSorting(QDir::Name | QDir::IgnoreCase);
    for (const QString& name : folder.entryList()) NewItems(name);

    NewGame();
    ReadSettings();
}

TMainForm::~TMainForm() = default;

void TMainForm::AttachForms(const TOtherForms& forms) {
    Forms_ = forms;
    connect(Forms_.FormT, &TFormT::Accepted, this, [this] {
        SaveTools1->setEnabled(true);
        // The dialog was the active window; the sizing need not wait for the next activation.
        FormActivate();
        PaintBox1Paint();
    });
    connect(Forms_.FormT, &TFormT::Cancelled, this, [this] {
        FormActivate();
        PaintBox1Paint();
    });
    if (Forms_.QueryForm) {
        connect(Forms_.QueryForm, &TQueryForm::EditModeLeft, this, [this] {
            Base_.EditMode = false;
            ToolButton6->setEnabled(false);
        });
        connect(Forms_.QueryForm, &TQueryForm::QueryAccepted, this, [this] {
            MakeStatistic(true);
            RefreshBrowsers(false, false);
        });
    }
}

void TMainForm::ReadSettings() {
    std::string error;
    if (!kalvon::EnsureSettingsFile(kalvon::SettingsFolder, kalvon::SettingsPath, error))
        Dialogs().Error(nullptr, EngineText(error));
    std::optional<kalvon::TSettingsFile> file = kalvon::ReadSettingsFile(kalvon::SettingsPath, error);
    if (!file) {
        if (error.empty()) error = "Cannot read file " + std::string(kalvon::SettingsPath);
        Dialogs().Error(nullptr, EngineText(error) + QStringLiteral("\nThe default settings are used."));
        file = kalvon::TSettingsFile::Parse(kalvon::DefaultSettingsText());
    }
    Settings_.SettingsIni = std::move(*file);
    Settings_.ParameterList = Settings_.SettingsIni.Section(kalvon::ParametersSection);

    const std::string codePage =
        kalvon::SettingsCodePage(Settings_.ParameterList).value_or(kalvon::DefaultCodePage);
    try {
        kalvon::SetTextPolicy(codePage);
    } catch (const std::exception&) {
        kalvon::SetTextPolicy(kalvon::DefaultCodePage);
        Dialogs().Warning(nullptr,
                          QStringLiteral("The code page \"%1\" named by \"Code Page\" in %2 is unknown.\n"
                                         "Names are read and written in %3.")
                              .arg(QString::fromStdString(codePage), QLatin1String(kalvon::SettingsPath),
                                   QLatin1String(kalvon::DefaultCodePage)));
    }
}

void TMainForm::CreateMenu() {
    auto item = [this](QMenu* menu, const char* name, const QString& text,
                       const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        return action;
    };
    auto picture = [](QAction* action, const QIcon& icon) { action->setIcon(icon); };
    QStyle* look = style();

    File1 = menuBar()->addMenu(QStringLiteral("File"));
    File1->setObjectName(QStringLiteral("File1"));
    NewFile1 = item(File1, "NewFile1", QStringLiteral("New file"), Qt::Key_F2);
    SaveAs1 = item(File1, "SaveAs1", QStringLiteral("Save as ..."));
    N2 = item(File1, "N2", QStringLiteral("Clear Board"), Qt::Key_F5);
    QMenu* graphics = File1->addMenu(QStringLiteral("Graphics"));
    graphics->setObjectName(QStringLiteral("Graphics1"));
    Collection1 = item(graphics, "Collection1", QStringLiteral("Collection"));
    Collection1->setEnabled(false);
    Truncated1 = item(graphics, "Truncated1", QStringLiteral("Truncated"));
    File1->addSeparator();
    BaseItemsEnd_ = File1->addSeparator();
    Exit1 = item(File1, "Exit1", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_F4));
    picture(NewFile1, look->standardIcon(QStyle::SP_FileIcon));
    picture(SaveAs1, look->standardIcon(QStyle::SP_DialogSaveButton));
    picture(N2, ToolPicture(TToolPicture::ClearBoard));
    picture(Exit1, look->standardIcon(QStyle::SP_DialogCloseButton));

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    Adjustment1 = item(tools, "Adjustment1", QStringLiteral("Adjustment"), Qt::Key_F9);
    SaveTools1 = item(tools, "SaveTools1", QStringLiteral("Save Tools"));
    SaveTools1->setEnabled(false);
    picture(Adjustment1, ToolPicture(TToolPicture::Adjustment));
    picture(SaveTools1, look->standardIcon(QStyle::SP_DialogSaveButton));

    QMenu* query = menuBar()->addMenu(QStringLiteral("Query"));
    query->setObjectName(QStringLiteral("Query1"));
    N8 = item(query, "N8", QStringLiteral("Statistic"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* shift = query->addMenu(QStringLiteral("Statistik with shift"));
    shift->setObjectName(QStringLiteral("StatistikWithShift1"));
    OneShift1 = item(shift, "OneShift1", QStringLiteral("One Shift"));
    TwoShift1 = item(shift, "TwoShift1", QStringLiteral("Two Shift"));
    Execute1 = item(query, "Execute1", QStringLiteral("Execute"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    StatisticShow = item(query, "StatisticShow", QStringLiteral("Statistic Show"), Qt::Key_F8);
    StatisticShow->setCheckable(true);
    picture(N8, ToolPicture(TToolPicture::Statistic));
    picture(Execute1, ToolPicture(TToolPicture::Query));

    QMenu* work = menuBar()->addMenu(QStringLiteral("Work with Base"));
    work->setObjectName(QStringLiteral("WorkWithBase1"));
    AddNewGames1 = item(work, "AddNewGames1", QStringLiteral("Add New Games"));
    UpdateGames1 = item(work, "UpdateGames1", QStringLiteral("Update Games"));
    OutPbmFormat1 = item(work, "OutPbmFormat1", QStringLiteral("Out pbm format"));
    SaveGame1 = item(work, "SaveGame1", QStringLiteral("Save Game"), QKeySequence(Qt::CTRL | Qt::Key_P));
    DeleteGamesInListing1 = item(work, "DeleteGamesInListing1", QStringLiteral("Delete Games in Listing"));
    ListingGames1 =
        item(work, "ListingGames1", QStringLiteral("Listing Games"), QKeySequence(Qt::CTRL | Qt::Key_L));
    NavigatorShow1 =
        item(work, "NavigatorShow1", QStringLiteral("Navigator Show"), QKeySequence(Qt::CTRL | Qt::Key_N));
    picture(AddNewGames1, look->standardIcon(QStyle::SP_FileDialogNewFolder));
    picture(UpdateGames1, look->standardIcon(QStyle::SP_BrowserReload));
    picture(SaveGame1, look->standardIcon(QStyle::SP_DialogSaveButton));
    picture(DeleteGamesInListing1, look->standardIcon(QStyle::SP_TrashIcon));
    picture(ListingGames1, ToolPicture(TToolPicture::Listing));
    picture(NavigatorShow1, ToolPicture(TToolPicture::Navigator));

    QMenu* moves = menuBar()->addMenu(QStringLiteral("Moves"));
    moves->setObjectName(QStringLiteral("Moves1"));
    Num = item(moves, "Num", QStringLiteral("Numeration"));
    Num->setCheckable(true);
    Num->setChecked(true);
    Vert = item(moves, "Vert", QStringLiteral("Reflect Up/Down"));
    Clockwise = item(moves, "Clockwise", QStringLiteral("Turn +90 degrees"));
    Against = item(moves, "Against", QStringLiteral("Turn -90 degrees"));
    Horiz = item(moves, "Horiz", QStringLiteral("Reflect Left/Right"));
    N13 = item(moves, "N13", QStringLiteral("Move back"));
    N14 = item(moves, "N14", QStringLiteral("Move up"));
    N15 = item(moves, "N15", QStringLiteral("In Start"));
    N16 = item(moves, "N16", QStringLiteral("In End"));
    picture(Vert, ToolPicture(TToolPicture::ReflectUpDown));
    picture(Clockwise, ToolPicture(TToolPicture::TurnClockwise));
    picture(Against, ToolPicture(TToolPicture::TurnAnticlockwise));
    picture(Horiz, ToolPicture(TToolPicture::ReflectLeftRight));
    picture(N13, ToolPicture(TToolPicture::MoveBack));
    picture(N14, ToolPicture(TToolPicture::MoveUp));
    picture(N15, ToolPicture(TToolPicture::InStart));
    picture(N16, ToolPicture(TToolPicture::InEnd));
    for (QAction* navigation : {N13, N14, N15, N16}) navigation->setEnabled(false);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help2"));
    Help1 = item(help, "Help1", QStringLiteral("Help"), Qt::Key_F1);
    help->addSeparator();
    About1 = item(help, "About1", QStringLiteral("About ..."));
    picture(Help1, look->standardIcon(QStyle::SP_DialogHelpButton));
    picture(About1, look->standardIcon(QStyle::SP_MessageBoxInformation));

    // The commands whose work comes with the browsing windows, the exchange of games and the
    // diagrams stay in place, disabled, until they are built.
    for (QAction* later : {Truncated1, AddNewGames1, UpdateGames1, OutPbmFormat1, SaveGame1,
                           DeleteGamesInListing1, ListingGames1, NavigatorShow1})
        later->setEnabled(false);

    connect(NewFile1, &QAction::triggered, this, &TMainForm::NewFile1Click);
    connect(SaveAs1, &QAction::triggered, this, &TMainForm::SaveAs1Click);
    connect(N2, &QAction::triggered, this, &TMainForm::N2Click);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Adjustment1, &QAction::triggered, this, &TMainForm::Adjustment1Click);
    connect(SaveTools1, &QAction::triggered, this, &TMainForm::SaveTools1Click);
    connect(Num, &QAction::triggered, this, &TMainForm::NumClick);
    connect(N13, &QAction::triggered, this, &TMainForm::N13Click);
    connect(N14, &QAction::triggered, this, &TMainForm::N14Click);
    connect(N15, &QAction::triggered, this, &TMainForm::N15Click);
    connect(N16, &QAction::triggered, this, &TMainForm::N16Click);
    connect(N8, &QAction::triggered, this, &TMainForm::N8Click);
    connect(OneShift1, &QAction::triggered, this, &TMainForm::OneShiftClick);
    connect(TwoShift1, &QAction::triggered, this, &TMainForm::TwoShiftClick);
    connect(Execute1, &QAction::triggered, this, &TMainForm::N11Click);
    connect(StatisticShow, &QAction::triggered, this, &TMainForm::StatisticShowClick);
    connect(Vert, &QAction::triggered, this, &TMainForm::VertClick);
    connect(Clockwise, &QAction::triggered, this, &TMainForm::ClockwiseClick);
    connect(Against, &QAction::triggered, this, &TMainForm::AgainstClick);
    connect(Horiz, &QAction::triggered, this, &TMainForm::HorizClick);
    connect(Help1, &QAction::triggered, this, &TMainForm::Help1Click);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::CreateToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    ToolBar1->setFixedHeight(30);
    ToolBar1->setIconSize(QSize(16, 16));
    setContextMenuPolicy(Qt::NoContextMenu);

    auto button = [this](const char* name, TToolPicture picture, const QString& hint,
                         void (TMainForm::*click)()) {
        auto* toolButton = new QToolButton(ToolBar1);
        toolButton->setObjectName(QLatin1String(name));
        toolButton->setIcon(ToolPicture(picture));
        toolButton->setToolTip(hint);
        toolButton->setAutoRaise(true);
        toolButton->setFocusPolicy(Qt::NoFocus);
        ToolBar1->addWidget(toolButton);
        if (click) connect(toolButton, &QToolButton::clicked, this, click);
        return toolButton;
    };
    ToolButton1 = button("ToolButton1", TToolPicture::InStart, QStringLiteral("In Start"),
                         &TMainForm::ToolButton1Click);
    ToolButton2 = button("ToolButton2", TToolPicture::MoveBack, QStringLiteral("Move back"),
                         &TMainForm::ToolButton2Click);
    ToolButton3 =
        button("ToolButton3", TToolPicture::MoveUp, QStringLiteral("Move up"), &TMainForm::ToolButton3Click);
    ToolButton4 =
        button("ToolButton4", TToolPicture::InEnd, QStringLiteral("In End"), &TMainForm::ToolButton4Click);
    ToolBar1->addSeparator();
    ToolButton6 = button("ToolButton6", TToolPicture::EditMode,
                         QStringLiteral("Attention! Was included a mode of editing a party!"),
                         &TMainForm::ToolButton6Click);
    ToolBar1->addSeparator();
    ToolButton8 = button("ToolButton8", TToolPicture::ReflectUpDown, QStringLiteral("Reflect Up/Down"),
                         &TMainForm::ToolButton8Click);
    ToolButton9 = button("ToolButton9", TToolPicture::TurnClockwise, QStringLiteral("Turn +90 degrees"),
                         &TMainForm::ToolButton9Click);
    ToolButton10 = button("ToolButton10", TToolPicture::TurnAnticlockwise, QStringLiteral("Turn -90 degrees"),
                          &TMainForm::ToolButton10Click);
    ToolButton11 = button("ToolButton11", TToolPicture::ReflectLeftRight,
                          QStringLiteral("Reflect Left/Right"), &TMainForm::ToolButton11Click);
    for (QToolButton* navigation : {ToolButton1, ToolButton2, ToolButton3, ToolButton4})
        navigation->setEnabled(false);
}

QList<QAction*> TMainForm::BaseItems() const {
    QList<QAction*> items;
    const QList<QAction*> all = File1->actions();
    bool inside = false;
    for (QAction* action : all) {
        if (action == BaseItemsEnd_) break;
        if (inside) items.append(action);
        if (action->isSeparator()) inside = true;
    }
    return items;
}

// ---------------------------------------------------------------------------------------------
// Titles, sizes and the other windows

void TMainForm::SetTitle(const QString& text) {
    // "[*]" would otherwise be taken for the modification mark.
    QString title = text;
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(title);
}

void TMainForm::SetCurrentBase(const QString& path) {
    CurrentBase_ = path;
    SetTitle(path);
}

void TMainForm::SetOuterSize(int width, int height) {
    // The formulas give the outer size; the frame is known once the window manager has framed us.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    setFixedSize(width - frame.width(), height - frame.height());
}

void TMainForm::FormActivate() {
    const int D = Settings_.MoveDiameter;
    const int L = Forms_.FormT ? Forms_.FormT->MemoLength() : kalvon::MemoLengthRange.Min;
    const int W = TBoardGeometry(D).Width();
    SetOuterSize(StatisticShow->isChecked() ? L + W + 2 : W + 7, W + 80);
    Client_->BoardWidth = W;
    Client_->Arrange();
    // Setting the size docks the navigator even when the size stays the same.
    DockNavigator();
}

void TMainForm::DockNavigator() {
    QWidget* navigator = Forms_.NavigatorForm;
    if (!navigator || !navigator->isVisible()) return;
    const QRect outer = frameGeometry();
    navigator->move(outer.left() + outer.width(), outer.top());
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QMainWindow::event(event);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    DockNavigator();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown_) return;
    Shown_ = true;
    // The settings dialog reads the parameter list into the settings in force, without appearing.
    if (Forms_.FormT) Forms_.FormT->FormShow();
    ClearPaint();
    FormActivate();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    PaintBox1->setFocus();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

// ---------------------------------------------------------------------------------------------
// Base files

void TMainForm::ClearLists() {
    // The engine empties the games, catalogues, Listing, CurrentParty, EditMode and ForwardMoves.
    kalvon::ClearLists(Base_);
    QueryCriteria.SwitchOff();
    ToolButton6->setEnabled(false);
    MoveEnabled();
    if (!StatisticShow->isChecked()) {
        if (Forms_.FormKonstr) Forms_.FormKonstr->hide();
        if (Forms_.NavigatorForm) Forms_.NavigatorForm->hide();
    }
}

void TMainForm::NewItems(const QString& path) {
    auto* action = new QAction(MenuText(path), this);
    action->setData(path);
    action->setObjectName(QStringLiteral("BaseItem%1").arg(BaseItems().size() + 1));
    File1->insertAction(BaseItemsEnd_, action);
    connect(action, &QAction::triggered, this,
            [this, action] { LoadBaseFile(action->data().toString(), false); });
}

void TMainForm::LoadBaseFile(const QString& path, bool reloading) {
    ClearLists();
    SetTitle(reloading ? QStringLiteral("Wait - goes reloading file.")
                       : QStringLiteral("Wait - goes loading file."));
    kalvon::LoadBase(Base_, LocalPath(path), *BaseUi_);
    // A missing file becomes the current base all the same; the next save creates it.
    SetCurrentBase(path);
    BaseChanged();
}

void TMainForm::OpenBaseArgument(const QString& path) {
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

void TMainForm::BaseChanged() {
    if (StatisticShow->isChecked())
        MakeStatistic(false);
    else
        RefreshBrowsers(false, false);
}

void TMainForm::NewFile1Click() {
    if (CurrentBase_ == QLatin1String(ScratchBase) && !Base_.PartyList.empty()) {
        // Deleting the scratch base after a save that did not happen would lose its games.
        if (Dialogs().Confirm(this, QStringLiteral("Save New.bdt?")) && !SaveAs1Click()) return;
    }
    SetCurrentBase(QString::fromLatin1(ScratchBase));
    if (QFileInfo::exists(QString::fromLatin1(ScratchBase))) {
        QFile scratch(QString::fromLatin1(ScratchBase));
        if (!scratch.remove()) {
            Dialogs().Error(
                this,
                QStringLiteral("Cannot delete file %1: %2").arg(scratch.fileName(), scratch.errorString()));
        }
    }
    ClearLists();
    if (Forms_.FormKonstr) Forms_.FormKonstr->hide();
    if (Forms_.NavigatorForm) Forms_.NavigatorForm->hide();
}

bool TMainForm::SaveAs1Click() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen = Dialogs().SaveFileName(
        this, QStringLiteral("Save as ..."), folder, QStringLiteral("Файлы формата bdt (*.bdt *.BDT)"));
    if (!chosen || chosen->isEmpty()) return false;

    std::string content, error;
    if (QFileInfo::exists(CurrentBase_)) {
        std::optional<std::string> read = kalvon::ReadWholeFile(LocalPath(CurrentBase_), error);
        if (!read) {
            Dialogs().Error(this, EngineText(error));
            return false;
        }
        content = std::move(*read);
    }

    QString name = *chosen;
    if (!name.contains(QLatin1String(".bdt"))) {
        name += QLatin1String(".bdt");
        // The dialog asked about replacing the name as typed, not about this one.
        if (QFileInfo::exists(name) &&
            !Dialogs().Confirm(this, QStringLiteral("File %1 already exists.\nReplace it?").arg(name)))
            return false;
    }
    if (!kalvon::WriteFileReplacing(LocalPath(name), content, error)) {
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

void TMainForm::Help1Click() {
    for (const char* name : {"help/readme.htm", "help/readme.txt"}) {
        if (QFileInfo::exists(QLatin1String(name))) {
            Dialogs().OpenDocument(QDir::current().absoluteFilePath(QLatin1String(name)));
            return;
        }
    }
}

void TMainForm::About1Click() {
    if (!Forms_.AboutBox) return;
    QWidget* box = Forms_.AboutBox;
    box->show();
    box->raise();
    box->activateWindow();
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::Adjustment1Click() {
    if (!Forms_.FormT) return;
    Forms_.FormT->show();
    Forms_.FormT->raise();
    Forms_.FormT->activateWindow();
}

void TMainForm::SaveTools1Click() {
    kalvon::CopyDisplaySettings(Settings_.ParameterList, Settings_.SettingsIni);
    std::string error;
    if (!kalvon::WriteSettingsFile(kalvon::SettingsPath, Settings_.SettingsIni, error)) {
        // The settings stay unsaved, so the command stays available.
        Dialogs().Error(this, EngineText(error));
        return;
    }
    SaveTools1->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Drawing the board

void TMainForm::ClearPaint() {
    TBoardPainter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont).ClearPaint();
    PaintBox1->update();
}

void TMainForm::PaintBox1Paint() {
    {
        TBoardPainter painter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont);
        painter.ClearPaint();
        painter.DrawBoard();
    }
    const std::string& moves = Base_.CurrentMoves;
    for (size_t i = 1; i <= moves.size() / 2; ++i)
        DrawMove(QString::number(i), std::string_view(moves).substr(2 * i - 2, 2));
    if (StatisticShow->isChecked())
        for (size_t j = 1; j <= AlfMoves.size() / 2; ++j)
            NextMovesAlf(int(j), std::string_view(AlfMoves).substr(2 * j - 2, 2));
    MoveEnabled();
    PaintBox1->update();
}

void TMainForm::DrawMove(const QString& number, std::string_view point) {
    // A move string from a base may hold a code that is no point; it has no place to be drawn.
    const std::optional<TBoardPoint> at = PointOfCode(point);
    if (at) {
        TBoardPainter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont)
            .DrawStone(number, *at, Num->isChecked());
        Base_.BoardGrid[at->Column][at->Row] = 1;
        UpdatePoint(*at);
    }
    MoveEnabled();
}

void TMainForm::MoveBackup(std::string_view point) {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    if (!at) return;
    TBoardPainter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont).ErasePoint(*at);
    UpdatePoint(*at);
}

void TMainForm::NextMovesAlf(int index, std::string_view point) {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    if (!at) return;
    const QChar label = LabelText(index);
    if (label.isNull()) return;
    TBoardPainter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont).DrawLabel(label, *at);
    UpdatePoint(*at);
}

void TMainForm::UpdatePoint(TBoardPoint point) {
    PaintBox1->update(TBoardGeometry(Settings_.MoveDiameter).Square(point.Column, point.Row));
}

bool TMainForm::IsPointEmpty(std::string_view point) const {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    return at && Base_.BoardGrid[at->Column][at->Row] == 0;
}

void TMainForm::DeleteMovesAlf() {
    if (!AlfMoves.empty()) {
        // MoveBackup of every label on a point still empty, with one painter for all of them.
        TBoardPainter painter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont);
        for (size_t j = 0; j + 1 < AlfMoves.size(); j += 2) {
            const std::string_view point = std::string_view(AlfMoves).substr(j, 2);
            if (IsPointEmpty(point)) {
                painter.ErasePoint(*PointOfCode(point));
                UpdatePoint(*PointOfCode(point));
            }
        }
    }
    AlfMoves.clear();
}

void TMainForm::MoveEnabled() {
    const bool back = !Base_.CurrentMoves.empty();
    const bool forward = !Base_.ForwardMoves.empty();
    N13->setEnabled(back);
    N15->setEnabled(back);
    ToolButton2->setEnabled(back);
    ToolButton1->setEnabled(back);
    N14->setEnabled(forward);
    N16->setEnabled(forward);
    ToolButton3->setEnabled(forward);
    ToolButton4->setEnabled(forward);
}

void TMainForm::NumClick() {
    // The check mark has already been toggled by the menu.
    if (!Base_.CurrentMoves.empty()) PaintBox1Paint();
}

// ---------------------------------------------------------------------------------------------
// Moving on the board

void TMainForm::PositionChanged() {
    if (StatisticShow->isChecked()) MakeStatistic(false);
}

void TMainForm::FormKeyPress(QChar key) {
    std::string& current = Base_.CurrentMoves;
    std::string& forward = Base_.ForwardMoves;

    if (key == QLatin1Char('-') && !current.empty()) {
        const std::string last = current.substr(current.size() - 2);
        if (const std::optional<TBoardPoint> at = PointOfCode(last)) Base_.BoardGrid[at->Column][at->Row] = 0;
        forward.insert(0, last);
        current.resize(current.size() - 2);
        MoveBackup(last);
        if (StatisticShow->isChecked()) {
            DeleteMovesAlf();
            if (!TakeBackBatch_) PositionChanged();
        }
        MoveEnabled();
        return;
    }

    if (key == QLatin1Char('+') && !forward.empty()) {
        const std::string next = forward.substr(0, 2);
        if (const std::optional<TBoardPoint> at = PointOfCode(next)) Base_.BoardGrid[at->Column][at->Row] = 1;
        current += next;
        PositionChanged();
        DrawMove(QString::number(current.size() / 2), next);
        forward.erase(0, 2);
        MoveEnabled();
        return;
    }

    if (StatisticShow->isChecked() && !AlfMoves.empty()) {
        int label = 1;
        if (key != QLatin1Char('+')) {
            const QChar upper = key.toUpper();
            if (upper < QLatin1Char('A') || upper > QLatin1Char('Z')) return;
            label = upper.unicode() - 'A' + 1;
            forward.clear();
        }
        const size_t at = size_t(2 * label - 2);
        const std::string move = at + 2 <= AlfMoves.size() ? AlfMoves.substr(at, 2) : std::string();
        if (move.size() < 2 || move[0] == ' ' || move[1] == ' ') {
            MoveEnabled();
            return;
        }
        if (const std::optional<TBoardPoint> p = PointOfCode(move)) Base_.BoardGrid[p->Column][p->Row] = 1;
        current += move;
        PositionChanged();
        DrawMove(QString::number(current.size() / 2), move);
        MoveEnabled();
    }
}

void TMainForm::Memo1KeyPress(QChar key) {
    FormKeyPress(key);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (IsTypedCharacter(event)) {
        FormKeyPress(text.at(0));
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Characters go to the board; the memo keeps its navigation and copy keys.
        if (IsTypedCharacter(key)) {
            Memo1KeyPress(text.at(0));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::N13Click() {
    FormKeyPress(QLatin1Char('-'));
}
void TMainForm::N14Click() {
    FormKeyPress(QLatin1Char('+'));
}

void TMainForm::N15Click() {
    Base_.ForwardMoves = Base_.CurrentMoves + Base_.ForwardMoves;
    Base_.CurrentMoves.clear();
    kalvon::ClearBoardGrid(Base_);
    AlfMoves.clear();
    PaintBox1Paint();
}

void TMainForm::N16Click() {
    const std::string& forward = Base_.ForwardMoves;
    for (size_t i = 0; i + 1 < forward.size(); i += 2)
        if (const std::optional<TBoardPoint> at = PointOfCode(std::string_view(forward).substr(i, 2)))
            Base_.BoardGrid[at->Column][at->Row] = 1;
    Base_.CurrentMoves += forward;
    Base_.ForwardMoves.clear();
    AlfMoves.clear();
    PaintBox1Paint();
}

void TMainForm::ToolButton1Click() {
    N15Click();
}
void TMainForm::ToolButton2Click() {
    N13Click();
}
void TMainForm::ToolButton3Click() {
    N14Click();
}
void TMainForm::ToolButton4Click() {
    N16Click();
}

void TMainForm::ToolButton6Click() {
    Base_.EditMode = false;
    ToolButton6->setEnabled(false);
}

void TMainForm::PaintBox1MouseDown(Qt::MouseButton button, QPoint point) {
    PressPoint_ = point;
    if (button == Qt::RightButton) N13Click();
}

void TMainForm::PaintBox1Click() {
    Base_.ForwardMoves.clear();
    const TBoardPoint at = HitPoint(PressPoint_, Settings_.MoveDiameter);
    if (Base_.BoardGrid[at.Column][at.Row] != 0) {
        MoveEnabled();
        return;
    }
    const std::string move{kalvon::PointDigit(at.Column), kalvon::PointDigit(at.Row)};
    Base_.CurrentMoves += move;
    PositionChanged();
    DrawMove(QString::number(Base_.CurrentMoves.size() / 2), move);
}

void TMainForm::PaintBox1DblClick() {
    const TBoardPoint at = HitPoint(PressPoint_, Settings_.MoveDiameter);
    if (Base_.BoardGrid[at.Column][at.Row] != 0) {
        const std::string move{kalvon::PointDigit(at.Column), kalvon::PointDigit(at.Row)};
        const std::string& current = Base_.CurrentMoves;
        size_t k = 0;
        for (size_t i = 0; i + 1 < current.size(); i += 2)
            if (current.compare(i, 2, move) == 0) {
                k = i / 2 + 1;
                break;
            }
        if (k > 0) {
            const size_t n = current.size() / 2;
            TakeBackBatch_ = true;
            for (size_t i = 0; i < n - k; ++i) FormKeyPress(QLatin1Char('-'));
            TakeBackBatch_ = false;
        }
    }
    PositionChanged();
}

void TMainForm::NewGame() {
    Base_.EditMode = false;
    ToolButton6->setEnabled(false);
    Base_.CurrentMoves.clear();
    Base_.ForwardMoves.clear();
    AlfMoves.clear();
    MoveEnabled();
    kalvon::ClearBoardGrid(Base_);
    ClearPaint();
}

void TMainForm::N2Click() {
    NewGame();
    PositionChanged();
    PaintBox1Paint();
}

// ---------------------------------------------------------------------------------------------
// Statistics

void TMainForm::MakeStatistic(bool quiet) {
    const kalvon::TStatistic statistic = kalvon::MakeStatistic(Base_, QueryCriteria, Index_);
    if (quiet) return;
    if (!StatisticShow->isChecked()) {
        // The box neither labels the board nor touches the memo and the browsing windows.
        Dialogs().Information(this, BoxLines(kalvon::StatisticMessageText(statistic)));
        return;
    }
    Memo1->SetLines(kalvon::StatisticMemoLines(statistic));
    const std::string labels = kalvon::StatisticAlfMoves(statistic);
    {
        // DeleteMovesAlf, then NextMovesAlf for every label, with one painter for all of them. An old
        // label on a point that gets a new one needs no erasing when the new one hides it.
        TBoardPainter painter(PaintBox1->Canvas(), Settings_.MoveDiameter, Settings_.MoveFont);
        std::array<QChar, kalvon::PointValueCount> next{};
        for (size_t k = 1; k <= labels.size() / 2; ++k)
            next[kalvon::PointValue(std::string_view(labels).substr(2 * k - 2))] = LabelText(int(k));
        for (size_t j = 1; j <= AlfMoves.size() / 2; ++j) {
            const std::string_view point = std::string_view(AlfMoves).substr(2 * j - 2, 2);
            if (!IsPointEmpty(point)) continue;
            const QChar over = next[kalvon::PointValue(point)], under = LabelText(int(j));
            if (!over.isNull() && !under.isNull() && painter.LabelCovers(over, under)) continue;
            painter.ErasePoint(*PointOfCode(point));
        }
        AlfMoves = labels;
        for (size_t k = 1; k <= AlfMoves.size() / 2; ++k) {
            const QChar label = LabelText(int(k));
            const std::optional<TBoardPoint> at =
                PointOfCode(std::string_view(AlfMoves).substr(2 * k - 2, 2));
            if (at && !label.isNull()) painter.DrawLabel(label, *at);
        }
    }
    PaintBox1->update();
    RefreshBrowsers(false, false);
}

void TMainForm::SetMemoLines(const QString& text) {
    // The memo shows its first line with nothing selected.
    Memo1->setPlainText(text);
}

void TMainForm::RefreshBrowsers(bool openNavigator, bool openListing) {
    const bool listed = !Base_.Listing.empty();
    if (TNavigatorForm* navigator = Forms_.NavigatorForm) {
        if (navigator->isVisible()) {
            navigator->DrawPanels(1, 1);
        } else if (openNavigator && listed) {
            navigator->show();
            DockNavigator();
        }
    }
    if (TFormKonstr* listing = Forms_.FormKonstr) {
        if (listing->isVisible())
            listing->ShowFormKonstr();
        else if (openListing && listed)
            listing->show();
    }
}

void TMainForm::StatisticShowClick() {
    // The menu has already toggled the check mark.
    const bool shown = StatisticShow->isChecked();
    FormActivate();
    Memo1->setVisible(shown);
    if (shown)
        MakeStatistic(false);
    else
        DeleteMovesAlf();
}

void TMainForm::N8Click() {
    MakeStatistic(false);
    RefreshBrowsers(true, false);
}

void TMainForm::N11Click() {
    if (Base_.PartyList.empty()) {
        Dialogs().Information(this, QStringLiteral("The Base is empty, so query impossible!"));
        return;
    }
    QDialog* query = Forms_.QueryForm;
    if (!query) return;
    if (!query->isVisible()) {
        query->adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen())
            query->move(screen->availableGeometry().center() -
                        QPoint(query->width() / 2, query->height() / 2));
        query->show();
    }
    query->raise();
    query->activateWindow();
}

void TMainForm::ShowShiftStatistic(int s) {
    const QString total = CodePageText(kalvon::ShiftTotalText(kalvon::ShiftStatistic(Base_, s, Index_)));
    if (StatisticShow->isChecked()) {
        DeleteMovesAlf();
        SetMemoLines(total);
    } else {
        Dialogs().Information(this, total);
    }
}

void TMainForm::OneShiftClick() {
    ShowShiftStatistic(1);
    RefreshBrowsers(true, false);
}

void TMainForm::TwoShiftClick() {
    ShowShiftStatistic(2);
    RefreshBrowsers(true, false);
}

// ---------------------------------------------------------------------------------------------
// Reflecting and turning the board

void TMainForm::TransformBoard(int t) {
    kalvon::ClearBoardGrid(Base_);
    Base_.CurrentMoves = TransformMoves(Base_.CurrentMoves, t);
    Base_.ForwardMoves = TransformMoves(Base_.ForwardMoves, t);
    if (StatisticShow->isChecked()) MakeStatistic(false);
    // The repaint marks BoardGrid again; with no stones there is nothing to mark or move.
    if (!Base_.CurrentMoves.empty()) PaintBox1Paint();
}

void TMainForm::VertClick() {
    TransformBoard(ReflectUpDown);
}
void TMainForm::HorizClick() {
    TransformBoard(ReflectLeftRight);
}
void TMainForm::ClockwiseClick() {
    TransformBoard(TurnClockwise);
}
void TMainForm::AgainstClick() {
    TransformBoard(TurnAnticlockwise);
}
void TMainForm::ToolButton8Click() {
    VertClick();
}
void TMainForm::ToolButton9Click() {
    ClockwiseClick();
}
void TMainForm::ToolButton10Click() {
    AgainstClick();
}
void TMainForm::ToolButton11Click() {
    HorizClick();
}
