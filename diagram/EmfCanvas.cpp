#include "diagram/EmfCanvas.h"

#include <libEMF/emf.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <stdexcept>

#include "diagram/DiagramCanvas.h"

namespace {

// libEMF's reference device: 1024 x 768 pixels on 320 x 240 mm, so a pixel is 31.25 hundredths of
// a millimetre; the frame is given in those hundredths.
constexpr int FrameUnitsPerPixel100 = 3125;

COLORREF Colour(const QColor& colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}

// Text is measured on an image, as the bitmap measures it, so both place every text alike.
const QImage& ReferenceImage() {
    static const QImage image(1, 1, QImage::Format_RGB32);
    return image;
}

class TEmfCanvas final : public IDiagramCanvas {
public:
    TEmfCanvas(FILE* file, int width, int height) {
        const RECT frame{0, 0, (width * FrameUnitsPerPixel100 + 50) / 100,
                         (height * FrameUnitsPerPixel100 + 50) / 100};
        Dc_ = CreateEnhMetaFileWithFILEA(0, file, &frame, "Kalvon\0diagram\0");
        if (!Dc_) throw std::runtime_error("the metafile cannot be recorded");
        SetBkMode(Dc_, OPAQUE);
        // A metafile player puts an integer coordinate on a pixel; a vector reader (Inkscape, an
        // office suite) puts it on the corner between pixels and smears every one-pixel line over
        // two. Half a pixel down and right puts the lines on the pixels for both.
        const XFORM halfPixel{1.0f, 0.0f, 0.0f, 1.0f, 0.5f, 0.5f};
        SetWorldTransform(Dc_, &halfPixel);
    }
    ~TEmfCanvas() override {
        if (Dc_) Close();
    }
    // Completes the recording.
    void Close() {
        SelectObject(Dc_, GetStockObject(BLACK_PEN));
        SelectObject(Dc_, GetStockObject(WHITE_BRUSH));
        if (Font_) SelectObject(Dc_, GetStockObject(SYSTEM_FONT));
        for (auto& [key, pen] : Pens_) DeleteObject(pen);
        for (auto& [key, brush] : Brushes_) DeleteObject(brush);
        if (Font_) DeleteObject(Font_);
        DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(Dc_));
        Dc_ = 0;
    }

    void FillRect(const QRect& rect, const QColor& colour) override {
        Use(colour, 1, colour);
        Rectangle(Dc_, rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
    }
    void Line(QPoint from, QPoint to, int width) override {
        // A wide line is drawn as lines of one pixel side by side, w / 2 of them before the line:
        // a wide pen's pixels differ between readers.
        SelectObject(Dc_, Pen(Qt::black, 1));
        const QPoint across = from.y() == to.y() ? QPoint(0, 1) : QPoint(1, 0);
        for (int k = -(width / 2); k < width - width / 2; ++k) {
            MoveToEx(Dc_, from.x() + k * across.x(), from.y() + k * across.y(), nullptr);
            LineTo(Dc_, to.x() + k * across.x(), to.y() + k * across.y());
        }
    }
    void Ellipse(const QRect& square, const QColor& fill, const QColor& outline) override {
        Use(outline, 1, fill);
        // The outline runs from the square's first pixel to its last (QRect's right and bottom),
        // through their centres by the world transform.
        ::Ellipse(Dc_, square.left(), square.top(), square.right(), square.bottom());
    }
    void Chord(const QRect& square, QPoint start, QPoint end, const QColor& fill) override {
        Use(Qt::black, 1, fill);
        // libEMF records no chord: the same figure as a path of an arc closed by its chord.
        BeginPath(Dc_);
        MoveToEx(Dc_, start.x(), start.y(), nullptr);
        ArcTo(Dc_, square.left(), square.top(), square.right(), square.bottom(), start.x(), start.y(),
              end.x(), end.y());
        CloseFigure(Dc_);
        EndPath(Dc_);
        StrokeAndFillPath(Dc_);
    }
    void SetFont(const QFont& font) override {
        const QFont pixelFont = PixelFont(font);
        Metrics_.emplace(pixelFont, &const_cast<QImage&>(ReferenceImage()));
        const int pixels = pixelFont.pixelSize();
        // The face the pictures really use, so that a reader draws the same letters.
        const QString face = QFontInfo(font).family();
        HFONT made = CreateFontW(-pixels, 0, 0, 0, font.bold() ? FW_BOLD : FW_NORMAL, font.italic(), 0, 0,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, reinterpret_cast<LPCWSTR>(face.utf16()));
        SelectObject(Dc_, made);
        if (Font_) DeleteObject(Font_);
        Font_ = made;
    }
    QSize TextSize(const QString& text) override {
        return Metrics_ ? QSize(Metrics_->horizontalAdvance(text), Metrics_->height()) : QSize();
    }
    void Text(QPoint topLeft, const QString& text, const QColor& ink, const QColor& paper) override {
        SetTextColor(Dc_, Colour(ink));
        SetBkColor(Dc_, Colour(paper));
        TextOutW(Dc_, topLeft.x(), topLeft.y(), reinterpret_cast<LPCWSTR>(text.utf16()), INT(text.size()));
    }

private:
    HPEN Pen(const QColor& colour, int width) {
        HPEN& pen = Pens_[{Colour(colour), width}];
        if (!pen) pen = CreatePen(PS_SOLID, width, Colour(colour));
        return pen;
    }
    void Use(const QColor& outline, int width, const QColor& fill) {
        SelectObject(Dc_, Pen(outline, width));
        HBRUSH& brush = Brushes_[Colour(fill)];
        if (!brush) brush = CreateSolidBrush(Colour(fill));
        SelectObject(Dc_, brush);
    }

    HDC Dc_ = 0;
    HFONT Font_ = 0;
    std::map<std::pair<COLORREF, int>, HPEN> Pens_;
    std::map<COLORREF, HBRUSH> Brushes_;
    std::optional<QFontMetrics> Metrics_;
};

}  // namespace

std::string DiagramMetafile(const TDiagram& diagram) {
    const TDiagramLayout layout = DiagramLayout(diagram);
    char* buffer = nullptr;
    size_t size = 0;
    FILE* memory = open_memstream(&buffer, &size);
    if (!memory) throw std::runtime_error("no memory for the metafile");
    {
        TEmfCanvas canvas(memory, layout.W(), layout.H());
        DrawDiagram(canvas, diagram);
        canvas.Close();
    }
    std::fclose(memory);
    std::string bytes(buffer, size);
    std::free(buffer);
    return bytes;
}
