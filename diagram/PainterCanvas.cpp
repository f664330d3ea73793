#include "diagram/PainterCanvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "diagram/PixelBlend.h"

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

// Numbers as characters of a key.
QString Key(std::initializer_list<uint32_t> numbers) {
    QString key;
    for (uint32_t n : numbers) {
        key.append(QChar(char16_t(n & 0xFFFF)));
        key.append(QChar(char16_t(n >> 16)));
    }
    return key;
}

// The pictures of discs and texts, kept for every diagram drawn: the preview is drawn again on
// every change. Bounded, since every text of every caption has a picture.
std::unordered_map<QString, QImage>& Pictures() {
    static std::unordered_map<QString, QImage> pictures;
    if (pictures.size() > 4096) pictures.clear();
    return pictures;
}

}  // namespace

TPainterCanvas::TPainterCanvas(QPainter& painter, QImage* image) : Painter_(painter) {
    Painter_.setRenderHint(QPainter::Antialiasing, false);
    Painter_.setRenderHint(QPainter::TextAntialiasing, true);
    if (image && image->format() == QImage::Format_RGB32) Image_ = image;
}

void TPainterCanvas::Copy(const QImage& picture, QPoint at) {
    const QRect onImage = QRect(at, picture.size()).intersected(Image_->rect());
    // The raster painter writes straight into the image, so rows may be copied while it is active.
    uchar* bits = Image_->bits();
    const qsizetype stride = Image_->bytesPerLine();
    for (int y = onImage.top(); y <= onImage.bottom(); ++y) {
        auto* to = reinterpret_cast<QRgb*>(bits + y * stride);
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y - at.y())) - at.x();
        for (int x = onImage.left(); x <= onImage.right(); ++x)
            to[x] = OverPremultiplied(from[x], to[x], 127);
    }
}

void TPainterCanvas::FillRect(const QRect& rect, const QColor& colour) {
    Painter_.fillRect(rect, colour);
}

void TPainterCanvas::Line(QPoint from, QPoint to, int width) {
    // The diagram's lines run along the grid: a pen of width w covers w / 2 pixels before the line
    // and the rest after it, and the last pixel is left out, as a metafile's line leaves it.
    const int before = width / 2;
    if (from.y() == to.y())
        Painter_.fillRect(
            QRect(std::min(from.x(), to.x()), from.y() - before, std::abs(to.x() - from.x()), width),
            Qt::black);
    else if (from.x() == to.x())
        Painter_.fillRect(
            QRect(from.x() - before, std::min(from.y(), to.y()), width, std::abs(to.y() - from.y())),
            Qt::black);
    else {
        Painter_.setPen(QPen(Qt::black, width));
        Painter_.drawLine(from, to);
    }
}

void TPainterCanvas::Ellipse(const QRect& square, const QColor& fill, const QColor& outline) {
    auto draw = [&](QPainter& painter, const QRect& at) {
        // Round edges are smoothed, as vector readers draw the metafile's.
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(outline, 1));
        painter.setBrush(fill);
        painter.drawEllipse(OutlineRect(at));
        painter.setRenderHint(QPainter::Antialiasing, false);
    };
    if (!Image_) {
        draw(Painter_, square);
        return;
    }
    QImage& picture =
        Pictures()[Key({uint32_t(square.width()), uint32_t(square.height()), fill.rgb(), outline.rgb()})];
    if (picture.isNull()) {
        picture = QImage(square.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        draw(painter, QRect(QPoint(0, 0), square.size()));
    }
    Copy(picture, square.topLeft());
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
    Metrics_.emplace(Painter_.fontMetrics());
    // Pictures of texts are known by font, colours and text; a character apart ends the font.
    FontKey_ = Painter_.font().key() + QChar(u'\n');
}

QSize TPainterCanvas::TextSize(const QString& text) {
    if (!Metrics_) SetFont(Painter_.font());
    // Every number is measured to be centred: measured once, as its picture is drawn once.
    static std::unordered_map<QString, QSize> sizes;
    if (sizes.size() > 4096) sizes.clear();
    QSize& size = sizes[FontKey_ + text];
    if (size.isEmpty()) size = QSize(Metrics_->horizontalAdvance(text), Metrics_->height());
    return size;
}

void TPainterCanvas::Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) {
    QString key;
    QImage* cached = nullptr;
    if (Image_) {
        key = FontKey_ + Key({ink.rgb(), paper.rgb()}) + text;
        cached = &Pictures()[key];
        if (!cached->isNull()) {
            Copy(*cached, topLeft);
            return;
        }
    }
    const QSize size = TextSize(text);
    auto draw = [&](QPainter& painter, QPoint at) {
        painter.fillRect(QRect(at, size), paper);
        painter.setPen(ink);
        painter.drawText(QPoint(at.x(), at.y() + painter.fontMetrics().ascent()), text);
    };
    if (!cached || size.isEmpty()) {
        draw(Painter_, topLeft);
        return;
    }
    *cached = QImage(size, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(cached);
        painter.setFont(Painter_.font());
        painter.setRenderHints(Painter_.renderHints());
        draw(painter, QPoint(0, 0));
    }
    Copy(*cached, topLeft);
}
