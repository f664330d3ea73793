#include "ui/PartyPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <initializer_list>

#include "ui/TextWidths.h"

namespace {

// The cell's height for a font: 13 pixels for the default font, more for a larger one.
constexpr int SmallestCellHeight = 13;
// The blank left of the first cells and right of the last, above and below the rows, between the
// rows, between the cells of the upper row (more after the number) and of the lower row.
constexpr int Margin = 8;
constexpr int EdgeGap = 2;
constexpr int RowGap = 3;
constexpr int CellGap = 2;
constexpr int NumberGap = 4;
constexpr int LowerCellGap = 3;

// The widest of the texts.
int Widest(const QFont& font, std::initializer_list<QString> texts) {
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, TextWidth(font, text));
    return widest;
}

TPanelCell* Cell(QWidget* panel, const char* name, QColor colour, const QFont& font) {
    auto* cell = new TPanelCell(panel);
    cell->setObjectName(QLatin1String(name));
    cell->setAutoFillBackground(true);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    cell->setPalette(palette);
    cell->setFont(font);
    cell->setContentsMargins(TPanelLayout::CellPadding, 0, TPanelLayout::CellPadding, 0);
    // A text too long for the cell ends in an ellipsis, never reaching into the next cell.
    cell->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return cell;
}

}  // namespace

QString TPanelCell::Shown() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void TPanelCell::paintEvent(QPaintEvent*) {
    const QString shown = Shown();
    setToolTip(shown == text() ? QString() : text());
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()), shown);
}

TPanelLayout::TPanelLayout(const QFont& cellFont, const QFont& headingFont) {
    const QString digits = QStringLiteral("0123456789");
    const QString codeCharacters = digits + QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    // Each cell holds its widest text and its heading, with the padding on both sides.
    const auto width = [&headingFont](int text, const QString& heading) {
        return std::max(text, TextWidth(headingFont, heading)) + 2 * CellPadding;
    };
    const int height = std::max(SmallestCellHeight, QFontMetrics(cellFont).height());
    const int name = width(NameWidth(cellFont), QStringLiteral("BLACK"));
    const int code = width(WidestRepeated(cellFont, codeCharacters, 5), QStringLiteral("Board"));
    const int upper = EdgeGap, lower = EdgeGap + height + RowGap;

    Num = QRect(Margin, upper, width(WidestRepeated(cellFont, digits, 7), QStringLiteral("№")), height);
    Black = QRect(Num.right() + 1 + NumberGap, upper, name, height);
    const int result =
        width(Widest(cellFont, {QStringLiteral("1:0"), QStringLiteral("0:1"), QStringLiteral("1/2"),
                                QStringLiteral("+:-"), QStringLiteral("-:+")}),
              QStringLiteral("Result"));
    Result = QRect(Black.right() + 1 + CellGap, upper, result, height);
    White = QRect(Result.right() + 1 + CellGap, upper, name, height);
    Kod = QRect(Margin, lower, code, height);
    Year = QRect(Kod.right() + 1 + LowerCellGap, lower, code, height);
    const int comLeft = Year.right() + 1 + LowerCellGap;
    Com = QRect(comLeft, lower, std::max(White.right() + 1 - comLeft, width(0, QStringLiteral("Commentary"))),
                height);
    Width = std::max(White.right(), Com.right()) + 1 + Margin;
    RowHeight = lower + height + EdgeGap;
}

THeadingRow::THeadingRow(const QList<TCaption>& captions, QWidget* parent)
    : QLabel(parent), Captions_(captions) {
    QStringList texts;
    for (const TCaption& caption : captions) texts.append(caption.Text);
    setText(texts.join(QLatin1Char(' ')));
}

QRect THeadingRow::CaptionPlace(int caption) const {
    const TCaption& shown = Captions_.at(caption);
    const int width = TextWidth(font(), shown.Text);
    const int left = shown.Centred ? shown.Cell.left() + (shown.Cell.width() - width) / 2
                                   : shown.Cell.left() + TPanelLayout::CellPadding;
    return {left, 0, width, height()};
}

void THeadingRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < CaptionCount(); ++i)
        painter.drawText(CaptionPlace(i), int(Qt::AlignLeft | Qt::AlignVCenter), Captions_.at(i).Text);
}

TPartyPanel::TPartyPanel(int number, QWidget* parent, const TPanelLayout& layout, const QFont& cellFont)
    : QFrame(parent), Number_(number) {
    CreateCells(cellFont);
    LayOut(layout);
    SetActive(false);
}

void TPartyPanel::CreateCells(const QFont& cellFont) {
    setObjectName(QStringLiteral("Pan%1").arg(Number_));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    edNum = Cell(this, "edNum", QColor(255, 255, 128), cellFont);
    edBlack = Cell(this, "edBlack", QColor(221, 221, 221), cellFont);
    edWhite = Cell(this, "edWhite", QColor(221, 221, 221), cellFont);
    edKod = Cell(this, "edKod", QColor(179, 255, 179), cellFont);
    edResult = Cell(this, "edResult", QColor(0, 255, 0), cellFont);
    edResult->setAlignment(Qt::AlignCenter);
    edCom = Cell(this, "edCom", QColor(182, 185, 243), cellFont);
    edYear = Cell(this, "edYear", QColor(179, 255, 179), cellFont);
}

void TPartyPanel::LayOut(const TPanelLayout& layout) {
    setGeometry(1, (Number_ - 1) * layout.RowHeight + 1, parentWidget()->width() - 2, layout.RowHeight);
    edNum->setGeometry(layout.Num);
    edBlack->setGeometry(layout.Black);
    edWhite->setGeometry(layout.White);
    edKod->setGeometry(layout.Kod);
    edResult->setGeometry(layout.Result);
    edCom->setGeometry(layout.Com);
    edYear->setGeometry(layout.Year);
}

void TPartyPanel::SetActive(bool active) {
    if (active == Active_) return;
    Active_ = active;
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     active ? QColor(207, 189, 156) : parentWidget()->palette().color(QPalette::Button));
    setPalette(colours);
}

void TPartyPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked(Number_);
    QFrame::mousePressEvent(event);
}
