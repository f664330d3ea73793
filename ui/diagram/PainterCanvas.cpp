#include "ui/diagram/PainterCanvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The outline of a shape that a metafile bounds by the rectangle's last pixels.
QRectF OutlineRect(const QRect& square) {
    return QRectF(square.left() + 0.5, square.top() + 0.5, square.width() - 1, square.height() - 1);
}

int Angle16(const QRect& square, QPoint at) {
    const QPointF centre = QRectF(square).center();
    const double degrees = std::atan2(centre.y() - at.y(), at.x() - centre.x()) * 180.0 / M_PI;
    return int(std::lround(degrees * 16));
}

}  // namespace

TPainterCanvas::TPainterCanvas(QPainter& painter) : Painter_(painter) {
    Painter_.setRenderHint(QPainter::Antialiasing, false);
    Painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void TPainterCanvas::FillRect(const QRect& rect, const QColor& colour) {
    Painter_.fillRect(rect, colour);
}

void TPainterCanvas::Line(QPoint from, QPoint to, int width) {
    // The diagram's lines run along the grid: a pen of width w covers w / 2 pixels before the line
    // and the rest after it, and the last pixel is left out, as a metafile's line leaves it.
    const int before = width / 2;
    if (from.y() == to.y())
        Painter_.fillRect(QRect(std::min(from.x(), to.x()), from.y() - before, std::abs(to.x() - from.x()), width),
                          Qt::black);
    else if (from.x() == to.x())
        Painter_.fillRect(QRect(from.x() - before, std::min(from.y(), to.y()), width, std::abs(to.y() - from.y())),
                          Qt::black);
    else {
        Painter_.setPen(QPen(Qt::black, width));
        Painter_.drawLine(from, to);
    }
}

void TPainterCanvas::Ellipse(const QRect& square, const QColor& fill, const QColor& outline) {
    // Round edges are smoothed, as vector readers draw the metafile's.
    Painter_.setRenderHint(QPainter::Antialiasing, true);
    Painter_.setPen(QPen(outline, 1));
    Painter_.setBrush(fill);
    Painter_.drawEllipse(OutlineRect(square));
    Painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TPainterCanvas::Chord(const QRect& square, QPoint start, QPoint end, const QColor& fill) {
    Painter_.setRenderHint(QPainter::Antialiasing, true);
    Painter_.setPen(QPen(Qt::black, 1));
    Painter_.setBrush(fill);
    const int from = Angle16(square, start);
    int span = Angle16(square, end) - from;
    if (span <= 0) span += 360 * 16;
    Painter_.drawChord(OutlineRect(square), from, span);
    Painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TPainterCanvas::SetFont(const QFont& font) {
    Painter_.setFont(PixelFont(font));
}

QSize TPainterCanvas::TextSize(const QString& text) {
    const QFontMetrics metrics = Painter_.fontMetrics();
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void TPainterCanvas::Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) {
    const QSize size = TextSize(text);
    Painter_.fillRect(QRect(topLeft, size), paper);
    Painter_.setPen(ink);
    Painter_.drawText(QPoint(topLeft.x(), topLeft.y() + Painter_.fontMetrics().ascent()), text);
}
