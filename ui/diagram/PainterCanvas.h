// The diagram canvas over a QPainter: the preview, the bitmap, PNG and SVG pictures.
#pragma once

#include <QPainter>

#include "ui/diagram/DiagramCanvas.h"

class TPainterCanvas final : public IDiagramCanvas {
public:
    // Draws with the painter, which must be active; no antialiasing, as a metafile player draws.
    explicit TPainterCanvas(QPainter& painter);

    void FillRect(const QRect& rect, const QColor& colour) override;
    void Line(QPoint from, QPoint to, int width) override;
    void Ellipse(const QRect& square, const QColor& fill, const QColor& outline) override;
    void Chord(const QRect& square, QPoint start, QPoint end, const QColor& fill) override;
    void SetFont(const QFont& font) override;
    QSize TextSize(const QString& text) override;
    void Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) override;

private:
    QPainter& Painter_;
};
