// A canvas that records what the diagram drawing asks for, with a fixed text size, so the drawing
// is checked without fonts or windows.
#pragma once

#include <vector>

#include "diagram/DiagramCanvas.h"

enum class TOp { Fill, Line, Ellipse, Chord, Text };

struct TDrawn {
    TOp Kind;
    QRect Rect;            // Fill, Ellipse, Chord; the text's box
    QPoint From, To;       // Line
    int Width = 0;         // Line
    QColor Fill, Outline;  // Ellipse, Chord; a text's ink and paper
    QString Text;
    int FontSize = 0;  // Text
};

class TRecordingCanvas final : public IDiagramCanvas {
public:
    std::vector<TDrawn> Drawn;
    // Every text is 7 pixels per character wide and 13 high.
    static constexpr int CharWidth = 7, TextHeight = 13;

    void FillRect(const QRect& rect, const QColor& colour) override {
        Drawn.push_back({TOp::Fill, rect, {}, {}, 0, colour, {}, {}, 0});
    }
    void Line(QPoint from, QPoint to, int width) override {
        Drawn.push_back({TOp::Line, {}, from, to, width, {}, {}, {}, 0});
    }
    void Ellipse(const QRect& square, const QColor& fill, const QColor& outline) override {
        Drawn.push_back({TOp::Ellipse, square, {}, {}, 0, fill, outline, {}, 0});
    }
    void Chord(const QRect& square, QPoint start, QPoint end, const QColor& fill) override {
        Drawn.push_back({TOp::Chord, square, start, end, 0, fill, Qt::black, {}, 0});
    }
    void SetFont(const QFont& font) override { FontSize_ = font.pointSize(); }
    QSize TextSize(const QString& text) override { return QSize(CharWidth * int(text.size()), TextHeight); }
    void Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) override {
        Drawn.push_back({TOp::Text, QRect(topLeft, TextSize(text)), {}, {}, 0, ink, paper, text, FontSize_});
    }

    std::vector<TDrawn> Of(TOp kind) const {
        std::vector<TDrawn> found;
        for (const TDrawn& drawn : Drawn)
            if (drawn.Kind == kind) found.push_back(drawn);
        return found;
    }

private:
    int FontSize_ = 0;
};
