// The surface a diagram is drawn on: the few plain operations the drawing needs, so that one
// routine draws the preview, the bitmap, the vector pictures and the metafile alike, and tests can
// record what it draws.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The pictures' device has 96 dots per inch; a font's size in points becomes a whole number of
// pixels there, the same in every picture (a metafile knows only whole pixels).
inline QFont PixelFont(const QFont& font) {
    QFont pixels = font;
    pixels.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
    return pixels;
}

// Rectangles are taken as a metafile takes them: a shape in QRect(x, y, w, h) covers the pixels
// x .. x + w - 1 and y .. y + h - 1.
class IDiagramCanvas {
public:
    virtual ~IDiagramCanvas() = default;
    virtual void FillRect(const QRect& rect, const QColor& colour) = 0;
    // A black line of the pen width from one end up to, not including, the other.
    virtual void Line(QPoint from, QPoint to, int width) = 0;
    // A disc filling the square with a one-pixel outline through the centres of the square's
    // outermost pixels.
    virtual void Ellipse(const QRect& square, const QColor& fill, const QColor& outline) = 0;
    // The part of the disc in the square cut off by the chord from start to end, running
    // anticlockwise from start; black one-pixel outline.
    virtual void Chord(const QRect& square, QPoint start, QPoint end, const QColor& fill) = 0;
    // The font of the texts that follow.
    virtual void SetFont(const QFont& font) = 0;
    // The width and height of a text in the font in force.
    virtual QSize TextSize(const QString& text) = 0;
    // A text whose top-left corner is at the point, on a filled background of paper.
    virtual void Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) = 0;
};
