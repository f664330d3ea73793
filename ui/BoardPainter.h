// The board of the main window: its geometry, the choice of a point by a mouse press, and the
// drawing operations on the board's backing image.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <optional>
#include <string_view>

// The board's light green.
inline const QColor BoardColour(179, 255, 179);

// Pixel positions of the board for one move diameter S: the outermost lines lie B = S div 2 + 5
// from the top and the left edge, and the lines are S apart.
struct TBoardGeometry {
    explicit TBoardGeometry(int diameter) : S(diameter), B(diameter / 2 + 5) {}
    int S, B;
    // The vertical line of a column (1 = A at the left) and the horizontal line of a row (1 at the bottom).
    int X(int column) const { return B + (column - 1) * S; }
    int Y(int row) const { return B + (15 - row) * S; }
    // The width of the board area: the margin right of column P equals B.
    int Width() const { return 14 * S + 2 * B; }
    // The square of side S centred on the intersection that a stone or an erasing disc fills.
    QRect Square(int column, int row) const { return QRect(X(column) - S / 2, Y(row) - S / 2, S, S); }
};

struct TPointPicture;

struct TBoardPoint {
    int Column = 0;
    int Row = 0;
    bool operator==(const TBoardPoint&) const = default;
};

// The point a press at pixel p picks: in each direction the nearer line, the left or upper one when
// exactly half-way, and the edge line for presses outside the grid. Always a point of the board.
TBoardPoint HitPoint(QPoint p, int diameter);

// Column and row of a PointCode ("88" -> 8, 8), or nullopt when the text is no point of the board.
std::optional<TBoardPoint> PointOfCode(std::string_view code);

// Drawing on the board's image with plain operations; every operation stays inside the squares of
// the points it concerns, apart from the coordinate labels. Stones, labels and empty points are
// drawn once for the diameter and font in force and then copied: the statistics put and remove
// dozens of labels on every move.
class TBoardPainter {
public:
    TBoardPainter(QImage& image, int diameter, const QFont& moveFont);

    // Fills the whole image with the board colour.
    void ClearPaint();
    // The grid, the row numbers at the left, the column letters below and the five star points.
    void DrawBoard();
    // A stone: black for an odd move number, white for an even one, with its number when numbered.
    void DrawStone(const QString& number, TBoardPoint point, bool numbered);
    // Paints the point back to an empty intersection with its pieces of grid, label and star point.
    void ErasePoint(TBoardPoint point);
    // The letter label of a next move: a disc in the board colour with the letter in it. Labels are
    // drawn on every move, so each is drawn once and then copied.
    void DrawLabel(QChar label, TBoardPoint point);
    // Whether the label over, drawn on a point, hides every pixel of the label under drawn there.
    bool LabelCovers(QChar over, QChar under);

private:
    // The painter on the image, begun on first use so that copied pictures need none.
    QPainter& Painter();
    void PaintStone(const QString& number, bool black, TBoardPoint point, bool numbered);
    void PaintErasedPoint(TBoardPoint point);
    void PaintLabel(QChar label, TBoardPoint point);
    const TPointPicture& LabelPicture(QChar label, TBoardPoint point);
    // Draws one point's square into a picture of its own by the painting function given.
    template <class Paint>
    QImage Picture(QImage::Format format, TBoardPoint point, Paint&& paint) const;
    // Copies a picture of a point's square onto the image; transparent pixels keep the image.
    void CopyPicture(const TPointPicture& picture, TBoardPoint point);
    void HorizontalLine(int x1, int x2, int y);
    void VerticalLine(int x, int y1, int y2);
    void RowNumber(int row);
    void ColumnLetter(int column);
    void StarPoint(TBoardPoint point);
    void OpaqueText(int left, int top, const QString& text, const QColor& colour, const QColor& paper);

    QImage& Image_;
    TBoardGeometry Geometry_;
    QFont MoveFont_;
    QFont LabelFont_;
    QPainter Painter_;
    uchar* Bits_ = nullptr;  // the image's pixels, once a picture has been copied onto it
    qsizetype Stride_ = 0;
    bool Direct_ = false;
};
