#include "ui/DiagramWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "base/FolderListing.h"
#include "base/GameTexts.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "ui/DiagramGamesModel.h"
#include "ui/DialogService.h"
#include "ui/LetterMarksDialog.h"
#include "ui/Session.h"
#include "ui/SettingsState.h"
#include "ui/ShownText.h"
#include "ui/TextWidths.h"
#include "ui/WindowPlacement.h"

namespace {

constexpr const char* OutFolder = "Out";
// The panel of controls over the preview: 142 pixels high, and 218 wide unless its list needs more.
constexpr int PanelHeight = 142;
constexpr int SmallestPanelWidth = 218;
constexpr int PanelMargin = 4;

// The preview: it shows the picture last drawn; drawing happens when something changes.
class TPreview final : public QWidget {
public:
    explicit TPreview(QWidget* parent) : QWidget(parent) {}
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, Picture);
    }
};

QString ResultShown(char result) {
    switch (result) {
        case '+':
            return QStringLiteral("1:0");
        case '-':
            return QStringLiteral("0:1");
        case '=':
            return QStringLiteral("1/2");
        default:
            return QStringLiteral("?");
    }
}

bool SameGame(const kalvon::TPartyRecord& a, const kalvon::TPartyRecord& b) {
    return a.Board == b.Board && a.BlackId == b.BlackId && a.WhiteId == b.WhiteId && a.Year == b.Year &&
           a.Result == b.Result && a.Moves == b.Moves;
}

// A name that stays a file of Out/: not empty, no folder separator, not "." or "..".
bool UsableName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) &&
           name != QLatin1String(".") && name != QLatin1String("..");
}

// A combo box whose list drops down below it rather than popping up over it: a popup is made as
// wide as the widest of its lines, which means measuring every game of a selection of a million.
class TDropDownStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// A control of the panel in its fixed height and, when given, its fixed width; a width of -1 lets it
// take the panel's width.
template <class Widget>
Widget* Named(Widget* widget, const char* name, int height, int width = -1) {
    widget->setObjectName(QLatin1String(name));
    widget->setFixedHeight(height);
    if (width >= 0) widget->setFixedWidth(width);
    return widget;
}

}  // namespace

TDiagramWindow::TDiagramWindow(TSession& session) : QWidget(nullptr), Session_(session) {
    CreateControls();
    LayOut();
    Connect();
}

void TDiagramWindow::CreateControls() {
    setObjectName(QStringLiteral("UsechForm"));
    setWindowTitle(QStringLiteral("Generation of truncated diagrams"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DefaultFont());

    panel = new QWidget(this);
    gamesBox = Named(new QComboBox(panel), "ComboBox1", 22);
    // The list is a model over the selection: neither the box nor its popup measures every line.
    Games_ = new TDiagramGamesModel(Session_, this);
    gamesBox->setModel(Games_);
    gamesBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* dropDown = new TDropDownStyle;
    dropDown->setParent(this);
    gamesBox->setStyle(dropDown);
    if (auto* list = qobject_cast<QListView*>(gamesBox->view())) list->setUniformItemSizes(true);
    gameLabel = Named(new QLabel(panel), "Label2", 16);
    fileNameCaption = Named(new QLabel(QStringLiteral("Name of save file"), panel), "", 16, 100);
    withNumCaption = Named(new QLabel(QStringLiteral("With Num"), panel), "", 16, 60);
    fileNameEdit = Named(new QLineEdit(QStringLiteral("1.bmp"), panel), "Edit1", 22, 100);
    withNumBox = Named(new QSpinBox(panel), "SpinEdit1", 22, 50);
    withNumBox->setRange(0, 1);
    withNumBox->setValue(1);
    lettersButton = Named(new QPushButton(QStringLiteral("Letters"), panel), "Button4", 22, 52);
    bitmapButton = Named(new QPushButton(QStringLiteral("Bitmap"), panel), "Button1", 22, 56);
    metafileButton = Named(new QPushButton(QStringLiteral("Metafile"), panel), "Button2", 22, 56);
    clipboardButton = Named(new QPushButton(QStringLiteral("CopyToClipboard"), panel), "Button3", 22, 94);
    fullDiagramBox = Named(new QCheckBox(QStringLiteral("Full Diagram"), panel), "CheckBox1", 16, 104);
    captionBox = Named(new QCheckBox(QStringLiteral("Caption"), panel), "CheckBox2", 16, 104);
    commentaryBox = Named(new QCheckBox(QStringLiteral("Commentary"), panel), "CheckBox3", 16, 104);
    captionBox->setEnabled(false);
    commentaryBox->setEnabled(false);

    preview = new TPreview(this);
    preview->setObjectName(QStringLiteral("PaintBox1"));
    closeShortcut = new QShortcut(Qt::Key_Escape, this);
}

void TDiagramWindow::LayOut() {
    // The controls keep the window's left part, however wide the preview below makes it: wide
    // enough for a line of the list with a board code and two names of 24 letters.
    const QFont& font = gamesBox->font();
    const int widestLine = WidestRepeated(font, QStringLiteral("0123456789"), 5) +
                           TextWidth(font, QStringLiteral(". - ")) + 2 * NameWidth(font);
    PanelWidth_ = std::max(SmallestPanelWidth, ComboBoxWidth(*gamesBox, widestLine) + 2 * PanelMargin);
    panel->setFixedSize(PanelWidth_, PanelHeight);

    // Rows of controls, left-aligned, with gaps of 4 pixels between the controls of a row and of 2
    // between the rows; a caption sits right on its field, and so do the two rows of check boxes.
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(PanelMargin, 2, PanelMargin, 2);
    rows->setSpacing(0);
    auto row = [rows](std::initializer_list<QWidget*> controls, int gap, int below) {
        auto* line = new QHBoxLayout;
        line->setSpacing(gap);
        for (QWidget* control : controls) line->addWidget(control);
        line->addStretch();
        rows->addLayout(line);
        rows->addSpacing(below);
    };
    // The list of games and the chosen game's line take the panel's width; the line keeps its
    // result at its end and shortens the names before it.
    gameLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    for (QWidget* wide : {static_cast<QWidget*>(gamesBox), static_cast<QWidget*>(gameLabel)}) {
        rows->addWidget(wide);
        rows->addSpacing(2);
    }
    row({fileNameCaption, withNumCaption}, 4, 0);
    row({fileNameEdit, withNumBox, lettersButton}, 4, 2);
    row({bitmapButton, metafileButton, clipboardButton}, 2, 2);
    row({fullDiagramBox, captionBox}, 2, 0);
    row({commentaryBox}, 0, 0);
    rows->addStretch();

    preview->setFixedSize(210, 128);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The window's size follows the picture (DrawPreview), not the layout.
    column->setSizeConstraint(QLayout::SetNoConstraint);
    column->addWidget(panel, 0, Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(preview, 0, Qt::AlignLeft | Qt::AlignTop);
    column->addStretch();
    setFixedSize(PanelWidth_, PanelHeight + 128);
}

void TDiagramWindow::Connect() {
    connect(gamesBox, &QComboBox::activated, this, &TDiagramWindow::ChooseGame);
    ToolTipFollowsText(*gamesBox);
    connect(fullDiagramBox, &QCheckBox::clicked, this, &TDiagramWindow::FullDiagramClick);
    connect(captionBox, &QCheckBox::clicked, this, &TDiagramWindow::CaptionClick);
    connect(commentaryBox, &QCheckBox::clicked, this, &TDiagramWindow::DrawPreview);
    connect(withNumBox, &QSpinBox::valueChanged, this, &TDiagramWindow::DrawPreview);
    connect(bitmapButton, &QPushButton::clicked, this, &TDiagramWindow::SaveBitmap);
    connect(metafileButton, &QPushButton::clicked, this, &TDiagramWindow::SaveMetafile);
    connect(clipboardButton, &QPushButton::clicked, this, &TDiagramWindow::CopyToClipboard);
    connect(lettersButton, &QPushButton::clicked, this, &TDiagramWindow::EditLetters);
    // Escape closes the window as its close button does.
    connect(closeShortcut, &QShortcut::activated, this, &QWidget::hide);
    // A window grown with its picture stays on the screen.
    KeepOnScreenWhenResized(*this);
    // Positions in PartyList and the Listing change under the window: the list is made anew and
    // no game stays chosen (every change of PartyList's positions also empties the Listing). A hidden
    // window makes it when it is shown: every move on the board changes the Listing, which may hold
    // a million games.
    auto refill = [this] {
        if (isVisible()) FillGames();
    };
    connect(&Session_, &TSession::ListingChanged, this, refill);
    // A rewrite of the base that sorted its games: the list and the chosen game follow them.
    connect(&Session_, &TSession::GamesRenumbered, this, &TDiagramWindow::FollowRenumbering);
    // The diagram follows the cell size and font in force.
    connect(&Session_, &TSession::SettingsChanged, this, &TDiagramWindow::DrawPreview);
}

void TDiagramWindow::Open() {
    show();
    raise();
    activateWindow();
}

void TDiagramWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FillGames();
}

void TDiagramWindow::FollowRenumbering(const std::vector<uint32_t>& newPosition) {
    Games_->Renumber(newPosition);
    const bool followed =
        Party_ >= 0 && size_t(Party_) < newPosition.size() && newPosition[size_t(Party_)] != kalvon::NoGame;
    Party_ = followed ? long(newPosition[size_t(Party_)]) : kalvon::NoParty;
    const QSignalBlocker quiet(gamesBox);
    gamesBox->setCurrentIndex(followed ? Games_->RowOf(Party_) : -1);
}

void TDiagramWindow::FillGames() {
    Games_->Fill();
    gamesBox->setCurrentIndex(-1);
    Party_ = kalvon::NoParty;
    // No game is chosen: neither the label nor the preview may still show the last one.
    gameLabel->clear();
    gameLabel->setToolTip(QString());
    static_cast<TPreview*>(preview)->Picture = QImage();
    preview->update();
}

std::optional<long> TDiagramWindow::DiagramParty() const {
    const kalvon::TPartyRecords& games = Session_.Base().PartyList;
    if (Party_ < 0 || size_t(Party_) >= games.size() || !SameGame(games[size_t(Party_)], Chosen_))
        return std::nullopt;
    return Party_;
}

void TDiagramWindow::ChooseGame(int line) {
    if (line < 0 || line >= gamesBox->count()) return;
    const long party = long(gamesBox->itemData(line).toLongLong());
    const kalvon::TGameBase& base = Session_.Base();
    if (party < 0 || size_t(party) >= base.PartyList.size()) return;
    LetterMarks_.clear();
    Party_ = party;
    Chosen_ = base.PartyList[size_t(party)];
    // The result stays in view at the line's end however long the names before it.
    const QString chosen = gamesBox->itemText(line),
                  result = QStringLiteral("  ") + ResultShown(Chosen_.Result);
    const QFontMetrics metrics(gameLabel->font());
    const int room = PanelWidth_ - 2 * PanelMargin - metrics.horizontalAdvance(result);
    gameLabel->setText(metrics.elidedText(chosen, Qt::ElideRight, std::max(0, room)) + result);
    gameLabel->setToolTip(chosen + result);
    {
        const QSignalBlocker quiet(withNumBox);
        withNumBox->setRange(0, int(DiagramMoves(Chosen_.Moves).size() / 2));
        withNumBox->setValue(1);
    }
    fileNameEdit->setText(QStringLiteral("u%1").arg(party + 1));
    DrawPreview();
}

void TDiagramWindow::FullDiagramClick() {
    captionBox->setEnabled(fullDiagramBox->isChecked());
    commentaryBox->setEnabled(captionBox->isEnabled());
    DrawPreview();
}

void TDiagramWindow::CaptionClick() {
    commentaryBox->setEnabled(captionBox->isChecked());
    DrawPreview();
}

TDiagram TDiagramWindow::CurrentDiagram() const {
    const std::optional<long> party = DiagramParty();
    TDiagram diagram = party ? DiagramOfGame(Session_.Base(), *party) : TDiagram();
    diagram.LetterMarks = LetterMarks_;
    diagram.Options.Full = fullDiagramBox->isChecked();
    diagram.Options.Caption = captionBox->isChecked();
    diagram.Options.Commentary = commentaryBox->isChecked();
    diagram.Options.WithNum = withNumBox->value();
    diagram.Diameter = Session_.Settings().MoveDiameter;
    diagram.MoveFont = Session_.Settings().MoveFont;
    return diagram;
}

void TDiagramWindow::SetOuterSize(int width, int height) {
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    setFixedSize(width - frame.width(), height - frame.height());
}

void TDiagramWindow::DrawPreview() {
    if (!DiagramParty()) return;
    const TDiagram diagram = CurrentDiagram();
    const TDiagramLayout layout = DiagramLayout(diagram);
    static_cast<TPreview*>(preview)->Picture = DiagramImage(diagram);
    SetOuterSize(std::max(PanelWidth_, layout.W() + 10), layout.H() + 170);
    preview->setFixedSize(layout.W(), layout.H());
    preview->update();
}

void TDiagramWindow::SavePicture(TPictureFormat format, const QString& extension) {
    const QString name = fileNameEdit->text();
    // Every message names the folder by its full path: the user finds the picture there.
    const QString folder = Session_.WorkPath(QLatin1String(OutFolder));
    if (!UsableName(name)) {
        Dialogs().Warning(this,
                          QStringLiteral("\"%1\" cannot be the name of a file in the folder %2: give a name "
                                         "without \"/\", other than \".\" and \"..\". Nothing was written.")
                              .arg(name, folder));
        return;
    }
    const std::string out = TSession::LocalPath(folder);
    std::error_code failure;
    std::filesystem::create_directory(out, failure);
    if (failure && !std::filesystem::is_directory(out)) {
        Dialogs().Error(
            this,
            QStringLiteral("Cannot create the folder %1: %2").arg(folder, EngineText(failure.message())));
        return;
    }
    // A link would send the picture somewhere else than the user looks for it.
    if (!kalvon::IsRealFolder(out)) {
        Dialogs().Error(this,
                        QStringLiteral("Cannot write into %1: it is not a folder of its own (a link or a "
                                       "file). Nothing was written.")
                            .arg(folder));
        return;
    }
    auto pathOf = [&folder](const QString& file) {
        return TSession::LocalPath(folder + QLatin1Char('/') + file);
    };
    // A name held by anything but an ordinary file (a link, a folder) passes to the next free one.
    QString file = name + extension, moved;
    for (int copy = 2; !kalvon::OrdinaryOrFree(pathOf(file)); ++copy) {
        if (moved.isEmpty()) moved = file;
        file = QStringLiteral("%1 (%2)%3").arg(name).arg(copy).arg(extension);
    }
    const QByteArray picture = DiagramPicture(CurrentDiagram(), format);
    std::string error;
    if (!kalvon::WriteFileReplacing(pathOf(file),
                                    std::string_view(picture.constData(), size_t(picture.size())), error,
                                    kalvon::TReplaceOptions{.FollowLink = false})) {
        Dialogs().Error(this, EngineText(error));
        return;
    }
    const QString saved = QStringLiteral("File %1 saved in %2.").arg(file, folder);
    Dialogs().Information(this, moved.isEmpty() ? saved
                                                : QStringLiteral("%1 is not an ordinary file, so the picture "
                                                                 "went to another name. %2")
                                                      .arg(moved, saved));
}

void TDiagramWindow::SaveBitmap() {
    if (DiagramParty()) SavePicture(TPictureFormat::Bmp, QStringLiteral(".bmp"));
}

void TDiagramWindow::SaveMetafile() {
    if (DiagramParty()) SavePicture(TPictureFormat::Emf, QStringLiteral(".emf"));
}

void TDiagramWindow::CopyToClipboard() {
    if (!DiagramParty()) return;
    const TDiagram diagram = CurrentDiagram();
    auto* picture = new QMimeData;
    picture->setData(QStringLiteral("image/x-emf"), DiagramPicture(diagram, TPictureFormat::Emf));
    picture->setData(QStringLiteral("image/png"), DiagramPicture(diagram, TPictureFormat::Png));
    QGuiApplication::clipboard()->setMimeData(picture);
}

void TDiagramWindow::EditLetters() {
    const std::optional<long> party = DiagramParty();
    if (!party || !LettersWindow_) return;
    TLetterMarksDialog& letters = LettersWindow_();
    // The window is modal for the user; its OK hands the marks back.
    disconnect(&letters, &TLetterMarksDialog::MarksAccepted, this, nullptr);
    connect(&letters, &TLetterMarksDialog::MarksAccepted, this, [this](const std::string& marks) {
        LetterMarks_ = marks;
        if (!LetterMarks_.empty()) DrawPreview();
    });
    letters.Edit(LetterMarks_, DiagramMoves(Session_.Base().PartyList[size_t(*party)].Moves));
}
