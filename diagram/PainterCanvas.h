// The diagram canvas over a QPainter: the preview, the bitmap, PNG and SVG pictures.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <optional>

#include "diagram/DiagramCanvas.h"

class TPainterCanvas final : public IDiagramCanvas {
public:
    // Draws with the painter, which must be active. With the image the painter paints on (RGB32),
    // discs and texts are drawn once into pictures of their own and then copied onto it: a diagram
    // draws hundreds of them. Without it (vector pictures) every shape is drawn as a shape.
    explicit TPainterCanvas(QPainter& painter, QImage* image = nullptr);

    void FillRect(const QRect& rect, const QColor& colour) override;
    void Line(QPoint from, QPoint to, int width) override;
    void Ellipse(const QRect& square, const QColor& fill, const QColor& outline) override;
    void Chord(const QRect& square, QPoint start, QPoint end, const QColor& fill) override;
    void SetFont(const QFont& font) override;
    QSize TextSize(const QString& text) override;
    void Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) override;

private:
    // Copies a picture onto the image at the point; its transparent pixels keep the image.
    void Copy(const QImage& picture, QPoint at);

    QPainter& Painter_;
    QImage* Image_ = nullptr;
    std::optional<QFontMetrics> Metrics_;
    QString FontKey_;
};
