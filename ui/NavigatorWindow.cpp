#include "ui/NavigatorWindow.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "base/GameTexts.h"
#include "ui/PartyPanel.h"
#include "ui/Session.h"
#include "ui/SettingsState.h"
#include "ui/ShownText.h"
#include "ui/WindowPlacement.h"

namespace {

constexpr int HeaderHeight = 28;
constexpr int HeadingHeight = 13;
constexpr int ScrollBarWidth = 16;
// The window's first height: the header and nine rows of the default font.
constexpr int FirstHeight = 317;

QFont HeadingFont() {
    return QFont(QStringLiteral("Tahoma"), 8);
}

// The cell's place in the window's coordinates: the panels stand one pixel inside the column.
QRect InWindow(QRect cell) {
    return cell.translated(1, 0);
}

}  // namespace

TNavigatorWindow::TNavigatorWindow(TSession& session)
    : QWidget(nullptr), Session_(session), Layout_(DefaultFont(), HeadingFont()) {
    CreateControls();
    LayOut();
    Connect();
}

void TNavigatorWindow::CreateControls() {
    setObjectName(QStringLiteral("NavigatorForm"));
    setWindowTitle(QStringLiteral("NavigatorBD"));
    setAttribute(Qt::WA_QuitOnClose, false);

    PanelHeader = new QWidget(this);
    PanelHeader->setObjectName(QStringLiteral("PanelHeader"));
    PanelHeader->setAutoFillBackground(true);
    QPalette header = PanelHeader->palette();
    header.setColor(QPalette::Window, QColor(255, 128, 128));
    PanelHeader->setPalette(header);
    // The headings stand over the text of their cells.
    const TPanelLayout& at = Layout_;
    playersHeading = new THeadingRow({{QStringLiteral("№"), InWindow(at.Num)},
                                      {QStringLiteral("BLACK"), InWindow(at.Black)},
                                      {QStringLiteral("Result"), InWindow(at.Result), true},
                                      {QStringLiteral("WHITE"), InWindow(at.White)}},
                                     PanelHeader);
    boardHeading = new THeadingRow({{QStringLiteral("Board"), InWindow(at.Kod)},
                                    {QStringLiteral("Year"), InWindow(at.Year)},
                                    {QStringLiteral("Commentary"), InWindow(at.Com)}},
                                   PanelHeader);
    playersHeading->setObjectName(QStringLiteral("Label1"));
    boardHeading->setObjectName(QStringLiteral("Label2"));
    for (QLabel* label : {playersHeading, boardHeading}) label->setFont(HeadingFont());

    sbPartys = new QScrollBar(Qt::Vertical, this);
    sbPartys->setObjectName(QStringLiteral("sbPartys"));
    sbPartys->setRange(0, 0);
    sbPartys->setFocusPolicy(Qt::StrongFocus);

    // The game panels of the column are placed by the window, one row each.
    panelColumn = new QWidget(this);
    panelColumn->setObjectName(QStringLiteral("Panel1"));
    closeShortcut = new QShortcut(Qt::Key_Escape, this);
}

void TNavigatorWindow::LayOut() {
    auto* headings = new QVBoxLayout(PanelHeader);
    headings->setContentsMargins(0, 1, 0, 1);
    headings->setSpacing(0);
    for (QLabel* label : {playersHeading, boardHeading}) {
        // Two lines of 13 pixels, cut at the window's edge rather than widening it.
        label->setFixedHeight(HeadingHeight);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        headings->addWidget(label);
    }
    PanelHeader->setFixedHeight(HeaderHeight);
    sbPartys->setFixedWidth(ScrollBarWidth);
    panelColumn->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The user makes the window as small as he likes.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(PanelHeader, 0, 0, 1, 2);
    layout->addWidget(panelColumn, 1, 0);
    layout->addWidget(sbPartys, 1, 1);
    layout->setRowStretch(1, 1);

    // Wide enough for the panels' cells beside the scroll bar.
    const QSize first(Layout_.Width + 2 + ScrollBarWidth, FirstHeight);
    resize(first);
    CentreOnScreen(*this, first);
}

void TNavigatorWindow::Connect() {
    sbPartys->installEventFilter(this);
    connect(sbPartys, &QScrollBar::valueChanged, this, &TNavigatorWindow::sbPartysChange);
    // Escape closes the window as its close button does.
    connect(closeShortcut, &QShortcut::activated, this, &QWidget::hide);
    // A new selection is drawn from its first game; a reordered one and changed games in place.
    connect(&Session_, &TSession::ListingChanged, this, [this] {
        if (isVisible()) DrawPanels(1, 1);
    });
    connect(&Session_, &TSession::ListingReordered, this, &TNavigatorWindow::RefillPanels);
    connect(&Session_, &TSession::PartiesChanged, this, &TNavigatorWindow::RefillPanels);
    connect(&Session_, &TSession::BrowsersClosed, this, &QWidget::hide);
}

int TNavigatorWindow::RowsThatFit() const {
    return std::max(0, height() - HeaderHeight) / Layout_.RowHeight;
}

long TNavigatorWindow::ListedGame(int position) const {
    const kalvon::TListing& listing = Session_.Base().Listing;
    return position >= 1 && size_t(position) <= listing.size() ? listing[size_t(position - 1)] : -1;
}

void TNavigatorWindow::DrawPanels(int first, int position) {
    const int count = int(std::min<size_t>(Session_.Base().Listing.size(), INT_MAX));
    const QSignalBlocker quiet(sbPartys);
    if (count == 0) {
        while (!Panels_.empty()) {
            delete Panels_.back();
            Panels_.pop_back();
        }
        sbPartys->setRange(0, 0);
        FirstIndex_ = LastIndex_ = ActivePanel_ = 0;
        return;
    }
    const int V = std::max(1, std::min(RowsThatFit(), count));
    while (PanelCount() > V) {
        delete Panels_.back();
        Panels_.pop_back();
    }
    FirstIndex_ = std::max(1, first);
    LastIndex_ = FirstIndex_ + V - 1;
    if (LastIndex_ > count) {
        LastIndex_ = count;
        FirstIndex_ = count - V + 1;
    }
    while (PanelCount() < V) {
        auto* panel = new TPartyPanel(PanelCount() + 1, panelColumn, Layout_, DefaultFont());
        connect(panel, &TPartyPanel::Clicked, this, &TNavigatorWindow::PanelClicked);
        panel->show();
        Panels_.push_back(panel);
    }
    sbPartys->setRange(1, count);
    sbPartys->setValue(std::clamp(position, FirstIndex_, LastIndex_));
    sbPartys->setPageStep(std::max(1, PanelCount() - 1));
    sbPartys->setSingleStep(1);
    ActivePanel_ = sbPartys->value() - FirstIndex_ + 1;
    PreviousActive_ = 0;
    for (TPartyPanel* panel : Panels_) panel->SetActive(panel->Number() == ActivePanel_);
    FillColumn();
}

void TNavigatorWindow::FillColumn() {
    for (TPartyPanel* panel : Panels_) LocateControl(*panel, ListedGame(FirstIndex_ + panel->Number() - 1));
}

void TNavigatorWindow::LocateControl(TPartyPanel& panel, long party) {
    const kalvon::TGameBase& base = Session_.Base();
    if (party < 0 || size_t(party) >= base.PartyList.size()) {
        for (QLabel* cell : {panel.edNum, panel.edBlack, panel.edWhite, panel.edKod, panel.edResult,
                             panel.edCom, panel.edYear})
            cell->clear();
        return;
    }
    const kalvon::TPartyRecord& game = base.PartyList[size_t(party)];
    panel.edNum->setText(QString::number(party + 1));
    panel.edBlack->setText(CodePageText(kalvon::PlayerName(base, game.BlackId)));
    panel.edWhite->setText(CodePageText(kalvon::PlayerName(base, game.WhiteId)));
    panel.edKod->setText(CodePageText(game.Board));
    panel.edResult->setText(QString::fromLatin1(kalvon::ResultText(game.Result)));
    panel.edCom->setText(CodePageText(kalvon::PartyCaption(game)));
    panel.edYear->setText(CodePageText(game.Year));
}

void TNavigatorWindow::ChangeActiveColor() {
    for (TPartyPanel* panel : Panels_)
        if (panel->Number() == PreviousActive_ || panel->Number() == ActivePanel_)
            panel->SetActive(panel->Number() == ActivePanel_);
}

void TNavigatorWindow::sbPartysChange(int position) {
    const int N = PanelCount(), Max = sbPartys->maximum();
    if (N == 0) return;
    PreviousActive_ = ActivePanel_;
    if (position >= FirstIndex_ && position <= LastIndex_) {
        ActivePanel_ = position - FirstIndex_ + 1;
        ChangeActiveColor();
        return;
    }
    // The column moves and keeps the highlight at its place where the ends allow.
    if (position == 1) {
        ActivePanel_ = 1;
        LastIndex_ = N;
    } else if (position == Max) {
        ActivePanel_ = N;
        LastIndex_ = Max;
    } else {
        LastIndex_ = position - ActivePanel_ + N;
        if (LastIndex_ < N) {
            ActivePanel_ = position;
            LastIndex_ = N;
        } else if (LastIndex_ > Max) {
            ActivePanel_ = position + N - Max;
            LastIndex_ = Max;
        }
    }
    if (ActivePanel_ != PreviousActive_) ChangeActiveColor();
    FirstIndex_ = LastIndex_ - N + 1;
    FillColumn();
}

void TNavigatorWindow::PanelClicked(int n) {
    const int pos = n + FirstIndex_ - 1;
    const long game = ListedGame(pos);
    if (game < 0) return;
    if (pos == sbPartys->value() && n != ActivePanel_) {
        PreviousActive_ = ActivePanel_;
        ActivePanel_ = n;
        ChangeActiveColor();
    } else {
        sbPartys->setValue(pos);
    }
    Session_.OpenGame(game);
}

void TNavigatorWindow::RefillPanels() {
    if (!isVisible()) return;
    const size_t count = Session_.Base().Listing.size();
    if (size_t(LastIndex_) > count || (PanelCount() == 0) != (count == 0))
        DrawPanels(FirstIndex_, sbPartys->value());
    else
        FillColumn();
}

bool TNavigatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sbPartys && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Session_.Base().Listing.empty() &&
            ActivePanel_ > 0) {
            PanelClicked(ActivePanel_);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TNavigatorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TNavigatorWindow::FormShow() {
    // The main window docks the navigator at its right edge.
    emit Shown();
    DrawPanels(1, 1);
    sbPartys->setFocus();
}

void TNavigatorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TNavigatorWindow::FormResize() {
    // The layout has placed the header, the column and the scroll bar; the column follows the rows that fit,
    // also when it grows past the games of the Listing.
    const int count = int(std::min<size_t>(Session_.Base().Listing.size(), INT_MAX));
    if (PanelCount() > 0 && std::min(RowsThatFit(), count) != PanelCount())
        DrawPanels(FirstIndex_, sbPartys->value());
    for (TPartyPanel* panel : Panels_) panel->resize(panelColumn->width() - 2, Layout_.RowHeight);
}
