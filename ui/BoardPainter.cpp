#include "ui/BoardPainter.h"

#include <QFontMetrics>
#include <array>

#include "base/PointCodes.h"

namespace {

constexpr std::array<TBoardPoint, 5> StarPoints{{{8, 8}, {4, 12}, {4, 4}, {12, 12}, {12, 4}}};

// The line index 1..15 that an offset from the first line picks.
int NearestLine(int offset, int spacing) {
    for (int i = 1; i <= 15; ++i) {
        if (offset < (i - 1) * spacing) {
            if (i == 1) return 1;
            return (i - 1) * spacing - offset < spacing / 2 ? i : i - 1;
        }
    }
    return 15;
}

}  // namespace

TBoardPoint HitPoint(QPoint p, int diameter) {
    const TBoardGeometry geometry(diameter);
    const int column = NearestLine(p.x() - geometry.B, diameter);
    const int lineFromTop = NearestLine(p.y() - geometry.B, diameter);
    return {column, 16 - lineFromTop};
}

std::optional<TBoardPoint> PointOfCode(std::string_view code) {
    if (code.size() < 2 || !kalvon::IsPointCode(code.substr(0, 2))) return std::nullopt;
    return TBoardPoint{kalvon::PointDigitValue(code[0]), kalvon::PointDigitValue(code[1])};
}

TBoardPainter::TBoardPainter(QImage& image, int diameter, const QFont& moveFont)
    : Image_(image),
      Geometry_(diameter),
      MoveFont_(moveFont),
      LabelFont_(QStringLiteral("MS Sans Serif"), 8),
      Painter_(&image) {
    Painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TBoardPainter::ClearPaint() {
    Painter_.fillRect(Image_.rect(), BoardColour);
}

void TBoardPainter::HorizontalLine(int x1, int x2, int y) {
    Painter_.fillRect(QRect(x1, y, x2 - x1 + 1, 1), Qt::black);
}

void TBoardPainter::VerticalLine(int x, int y1, int y2) {
    Painter_.fillRect(QRect(x, y1, 1, y2 - y1 + 1), Qt::black);
}

void TBoardPainter::OpaqueText(int left, int top, const QString& text, const QColor& colour,
                               const QColor& paper) {
    const QFontMetrics metrics(Painter_.font(), &Image_);
    const QRect box(left, top, metrics.horizontalAdvance(text), metrics.height());
    // Glyphs may reach past their advance (the hook of a J); the paper covers all the ink, so that
    // drawing a text again over itself leaves the same pixels.
    const QRect ink =
        metrics.boundingRect(text).translated(left, top + metrics.ascent()).adjusted(-1, -1, 1, 1);
    Painter_.fillRect(box.united(ink), paper);
    Painter_.setPen(colour);
    Painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void TBoardPainter::RowNumber(int row) {
    Painter_.setFont(LabelFont_);
    const QString text = QString::number(row);
    const QFontMetrics metrics(LabelFont_, &Image_);
    OpaqueText(Geometry_.B / 2 - metrics.horizontalAdvance(text) / 2, Geometry_.Y(row) - metrics.height() / 2,
               text, Qt::black, BoardColour);
}

void TBoardPainter::ColumnLetter(int column) {
    Painter_.setFont(LabelFont_);
    const QString text(QChar::fromLatin1("ABCDEFGHJKLMNOP"[column - 1]));
    const QFontMetrics metrics(LabelFont_, &Image_);
    OpaqueText(Geometry_.X(column) - metrics.horizontalAdvance(text) / 2, Geometry_.B + 14 * Geometry_.S + 5,
               text, Qt::black, BoardColour);
}

void TBoardPainter::StarPoint(TBoardPoint point) {
    Painter_.setPen(QPen(Qt::black, 1));
    Painter_.setBrush(Qt::black);
    Painter_.drawEllipse(QRect(Geometry_.X(point.Column) - 3, Geometry_.Y(point.Row) - 3, 6, 6));
}

void TBoardPainter::DrawBoard() {
    const int first = Geometry_.B, last = Geometry_.B + 14 * Geometry_.S;
    for (int i = 1; i <= 15; ++i) {
        const int p = Geometry_.B + (i - 1) * Geometry_.S;
        VerticalLine(p, first, last);
        HorizontalLine(first, last, p);
        RowNumber(i);
        ColumnLetter(i);
    }
    for (TBoardPoint star : StarPoints) StarPoint(star);
}

void TBoardPainter::DrawStone(const QString& number, TBoardPoint point, bool numbered) {
    const bool black = number.toInt() % 2 == 1;
    const QColor fill = black ? Qt::black : Qt::white;
    const QRect square = Geometry_.Square(point.Column, point.Row);
    Painter_.setPen(QPen(Qt::black, 1));
    Painter_.setBrush(fill);
    // A stroked QRect covers its size plus one pixel, so the disc fills exactly the S x S square.
    Painter_.drawEllipse(square.adjusted(0, 0, -1, -1));
    if (!numbered) return;
    Painter_.setFont(MoveFont_);
    const QFontMetrics metrics(MoveFont_, &Image_);
    const int S = Geometry_.S;
    // A number wider than its stone is cut at the point's square, so that it never covers a neighbour.
    Painter_.setClipRect(square);
    OpaqueText(square.left() + S / 2 - metrics.horizontalAdvance(number) / 2,
               square.top() + S / 2 - metrics.height() / 2, number, black ? Qt::white : Qt::black, fill);
    Painter_.setClipping(false);
}

void TBoardPainter::ErasePoint(TBoardPoint point) {
    const QRect square = Geometry_.Square(point.Column, point.Row);
    const int S = Geometry_.S, L = square.left(), T = square.top();
    const int cx = L + S / 2, cy = T + S / 2;
    // The whole square, not only the disc: a number too wide for its stone leaves paper in the corners.
    Painter_.fillRect(square, BoardColour);

    // The grid is restored within the square only, so neighbouring stones are never touched.
    if (point.Column == 1) {
        HorizontalLine(cx, L + S - 1, cy);
        RowNumber(point.Row);
    } else if (point.Column == 15) {
        HorizontalLine(L, cx, cy);
    } else {
        HorizontalLine(L, L + S - 1, cy);
    }
    if (point.Row == 1) {
        VerticalLine(cx, T, cy);
        ColumnLetter(point.Column);
    } else if (point.Row == 15) {
        VerticalLine(cx, cy, T + S - 1);
    } else {
        VerticalLine(cx, T, T + S - 1);
    }
    for (TBoardPoint star : StarPoints)
        if (star == point) StarPoint(point);
}

void TBoardPainter::DrawLabel(QChar label, TBoardPoint point) {
    const int d = Geometry_.S;
    const int x0 = (point.Column - 1) * d + 5, y0 = (15 - point.Row) * d + 5;
    Painter_.setPen(QPen(Qt::black, 1));
    Painter_.setBrush(BoardColour);
    Painter_.drawEllipse(QRect(x0 + 2, y0 + 2, d - 5, d - 5));
    Painter_.setFont(MoveFont_);
    const QString text(label);
    const QFontMetrics metrics(MoveFont_, &Image_);
    Painter_.setClipRect(Geometry_.Square(point.Column, point.Row));
    OpaqueText(x0 + d / 2 - metrics.horizontalAdvance(text) / 2, y0 + d / 2 - metrics.height() / 2, text,
               Qt::black, BoardColour);
    Painter_.setClipping(false);
}
