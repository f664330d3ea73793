#include "ui/BoardPainter.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "base/PointCodes.h"
#include "diagram/PixelBlend.h"
#include "ui/SettingsState.h"

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

bool IsStarPoint(TBoardPoint point) {
    return std::ranges::find(StarPoints, point) != StarPoints.end();
}

}  // namespace

// A picture of a point's square and, for each row, the run of pixels it covers; outside the runs it
// is transparent, so the board shows through there.
struct TPointPicture {
    QImage Image;
    std::vector<std::pair<int, int>> Runs;  // first covered pixel of the row and one past the last
    bool Plain = true;                      // every pixel is either covered or fully transparent
    const uchar* Bits = nullptr;
    qsizetype Stride = 0;

    bool isNull() const { return Image.isNull(); }
    TPointPicture& operator=(QImage image) {
        Image = std::move(image);
        Bits = Image.constBits();
        Stride = Image.bytesPerLine();
        Runs.clear();
        Plain = true;
        for (int y = 0; y < Image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
            int first = Image.width(), end = 0;
            for (int x = 0; x < Image.width(); ++x)
                if (qAlpha(row[x]) != 0) {
                    first = std::min(first, x);
                    end = x + 1;
                }
            for (int x = first; x < end; ++x) Plain = Plain && qAlpha(row[x]) == 255;
            Runs.emplace_back(first, std::max(first, end));
        }
        return *this;
    }
};

namespace {

// The pictures drawn so far for one diameter and move font.
struct TPictures {
    int Diameter = 0;
    QFont Font;
    std::array<TPointPicture, 256> Labels;  // by character code
    std::unordered_map<char16_t, TPointPicture> OtherLabels;
    std::array<std::array<TPointPicture, 226>, 2> Stones;  // [numbered][move number]
    TPointPicture EmptyPoint;                              // a point off the edges, no star point
    TPointPicture EmptyStarPoint;                          // the five star points are off the edges
};

TPictures& PicturesFor(int diameter, const QFont& font) {
    // Never destroyed: images and fonts must not outlive the application's caches.
    static TPictures* const pictures = new TPictures;
    if (pictures->Diameter != diameter || pictures->Font != font) {
        *pictures = TPictures();
        pictures->Diameter = diameter;
        pictures->Font = font;
    }
    return *pictures;
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
    : Image_(image), Geometry_(diameter), MoveFont_(moveFont), LabelFont_(DefaultFont()) {}

QPainter& TBoardPainter::Painter() {
    if (!Painter_.isActive()) {
        Painter_.begin(&Image_);
        Painter_.setRenderHint(QPainter::Antialiasing, false);
    }
    return Painter_;
}

template <class Paint>
QImage TBoardPainter::Picture(QImage::Format format, TBoardPoint point, Paint&& paint) const {
    const QRect square = Geometry_.Square(point.Column, point.Row);
    QImage picture(square.size(), format);
    picture.fill(Qt::transparent);
    TBoardPainter painter(picture, Geometry_.S, MoveFont_);
    painter.Painter().translate(-square.topLeft());
    paint(painter);
    return picture;
}

void TBoardPainter::CopyPicture(const TPointPicture& picture, TBoardPoint point) {
    const QRect square = Geometry_.Square(point.Column, point.Row);
    if (!Bits_) {
        // The raster painter writes straight into the image, so rows may be copied while it is
        // active; the image is not shared while this painter lives.
        Direct_ = Image_.format() == QImage::Format_RGB32;
        Bits_ = Image_.bits();
        Stride_ = Image_.bytesPerLine();
    }
    const bool inside = square.left() >= 0 && square.top() >= 0 && square.right() < Image_.width() &&
                        square.bottom() < Image_.height();
    if (!Direct_ || !inside || int(picture.Runs.size()) != square.height()) {
        Painter().drawImage(square.topLeft(), picture.Image);
        return;
    }
    for (int y = 0; y < square.height(); ++y) {
        const auto [first, end] = picture.Runs[size_t(y)];
        auto* to = reinterpret_cast<QRgb*>(Bits_ + (square.top() + y) * Stride_) + square.left();
        const auto* from = reinterpret_cast<const QRgb*>(picture.Bits + y * picture.Stride);
        if (picture.Plain) {
            std::memcpy(to + first, from + first, size_t(end - first) * sizeof(QRgb));
            continue;
        }
        for (int x = first; x < end; ++x) to[x] = OverPremultiplied(from[x], to[x], 0);
    }
}

void TBoardPainter::ClearPaint() {
    Painter().fillRect(Image_.rect(), BoardColour);
}

void TBoardPainter::HorizontalLine(int x1, int x2, int y) {
    Painter().fillRect(QRect(x1, y, x2 - x1 + 1, 1), Qt::black);
}

void TBoardPainter::VerticalLine(int x, int y1, int y2) {
    Painter().fillRect(QRect(x, y1, 1, y2 - y1 + 1), Qt::black);
}

void TBoardPainter::OpaqueText(int left, int top, const QString& text, const QColor& colour,
                               const QColor& paper) {
    const QFontMetrics metrics(Painter().font(), &Image_);
    const QRect box(left, top, metrics.horizontalAdvance(text), metrics.height());
    // Glyphs may reach past their advance (the hook of a J); the paper covers all the ink, so that
    // drawing a text again over itself leaves the same pixels.
    const QRect ink =
        metrics.boundingRect(text).translated(left, top + metrics.ascent()).adjusted(-1, -1, 1, 1);
    Painter().fillRect(box.united(ink), paper);
    Painter().setPen(colour);
    Painter().drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void TBoardPainter::RowNumber(int row) {
    Painter().setFont(LabelFont_);
    const QString text = QString::number(row);
    const QFontMetrics metrics(LabelFont_, &Image_);
    OpaqueText(Geometry_.B / 2 - metrics.horizontalAdvance(text) / 2, Geometry_.Y(row) - metrics.height() / 2,
               text, Qt::black, BoardColour);
}

void TBoardPainter::ColumnLetter(int column) {
    Painter().setFont(LabelFont_);
    const QString text(QChar::fromLatin1("ABCDEFGHJKLMNOP"[column - 1]));
    const QFontMetrics metrics(LabelFont_, &Image_);
    OpaqueText(Geometry_.X(column) - metrics.horizontalAdvance(text) / 2, Geometry_.B + 14 * Geometry_.S + 5,
               text, Qt::black, BoardColour);
}

void TBoardPainter::StarPoint(TBoardPoint point) {
    Painter().setPen(QPen(Qt::black, 1));
    Painter().setBrush(Qt::black);
    Painter().drawEllipse(QRect(Geometry_.X(point.Column) - 3, Geometry_.Y(point.Row) - 3, 6, 6));
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
    const int move = number.toInt();
    if (move < 0 || move > 225 || QString::number(move) != number)
        return PaintStone(number, move % 2 == 1, point, numbered);
    TPointPicture& picture = PicturesFor(Geometry_.S, MoveFont_).Stones[numbered][size_t(move)];
    if (picture.isNull())
        picture = Picture(QImage::Format_ARGB32_Premultiplied, point, [&](TBoardPainter& painter) {
            painter.PaintStone(number, move % 2 == 1, point, numbered);
        });
    CopyPicture(picture, point);
}

void TBoardPainter::PaintStone(const QString& number, bool black, TBoardPoint point, bool numbered) {
    const QColor fill = black ? Qt::black : Qt::white;
    const QRect square = Geometry_.Square(point.Column, point.Row);
    Painter().setPen(QPen(Qt::black, 1));
    Painter().setBrush(fill);
    // A stroked QRect covers its size plus one pixel, so the disc fills exactly the S x S square.
    Painter().drawEllipse(square.adjusted(0, 0, -1, -1));
    if (!numbered) return;
    Painter().setFont(MoveFont_);
    const QFontMetrics metrics(MoveFont_, &Image_);
    const int S = Geometry_.S;
    // A number wider than its stone is cut at the point's square, so that it never covers a neighbour.
    Painter().setClipRect(square);
    OpaqueText(square.left() + S / 2 - metrics.horizontalAdvance(number) / 2,
               square.top() + S / 2 - metrics.height() / 2, number, black ? Qt::white : Qt::black, fill);
    Painter().setClipping(false);
}

void TBoardPainter::ErasePoint(TBoardPoint point) {
    // Off the edges every empty point looks the same, but for the star points; at the edges the
    // coordinates reach out of the square.
    if (point.Column == 1 || point.Column == 15 || point.Row == 1 || point.Row == 15)
        return PaintErasedPoint(point);
    TPictures& pictures = PicturesFor(Geometry_.S, MoveFont_);
    TPointPicture& picture = IsStarPoint(point) ? pictures.EmptyStarPoint : pictures.EmptyPoint;
    if (picture.isNull())
        picture = Picture(QImage::Format_RGB32, point,
                          [&](TBoardPainter& painter) { painter.PaintErasedPoint(point); });
    CopyPicture(picture, point);
}

void TBoardPainter::PaintErasedPoint(TBoardPoint point) {
    const QRect square = Geometry_.Square(point.Column, point.Row);
    const int S = Geometry_.S, L = square.left(), T = square.top();
    const int cx = L + S / 2, cy = T + S / 2;
    // The whole square, not only the disc: a number too wide for its stone leaves paper in the corners.
    Painter().fillRect(square, BoardColour);

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
    if (IsStarPoint(point)) StarPoint(point);
}

const TPointPicture& TBoardPainter::LabelPicture(QChar label, TBoardPoint point) {
    // Outside its disc the picture is transparent, so the grid around the label stays as it is.
    TPictures& pictures = PicturesFor(Geometry_.S, MoveFont_);
    TPointPicture& picture = label.unicode() < pictures.Labels.size() ? pictures.Labels[label.unicode()]
                                                                      : pictures.OtherLabels[label.unicode()];
    if (picture.isNull())
        picture = Picture(QImage::Format_ARGB32_Premultiplied, point,
                          [&](TBoardPainter& painter) { painter.PaintLabel(label, point); });
    return picture;
}

void TBoardPainter::DrawLabel(QChar label, TBoardPoint point) {
    CopyPicture(LabelPicture(label, point), point);
}

bool TBoardPainter::LabelCovers(QChar over, QChar under) {
    const TBoardPoint somewhere{8, 8};
    const TPointPicture& top = LabelPicture(over, somewhere);
    const TPointPicture& bottom = LabelPicture(under, somewhere);
    if (!top.Plain || top.Runs.size() != bottom.Runs.size()) return false;
    for (size_t y = 0; y < top.Runs.size(); ++y) {
        const auto [first, end] = bottom.Runs[y];
        if (first < end && (first < top.Runs[y].first || end > top.Runs[y].second)) return false;
    }
    return true;
}

void TBoardPainter::PaintLabel(QChar label, TBoardPoint point) {
    const int d = Geometry_.S;
    const int x0 = (point.Column - 1) * d + 5, y0 = (15 - point.Row) * d + 5;
    Painter().setPen(QPen(Qt::black, 1));
    Painter().setBrush(BoardColour);
    Painter().drawEllipse(QRect(x0 + 2, y0 + 2, d - 5, d - 5));
    Painter().setFont(MoveFont_);
    const QString text(label);
    const QFontMetrics metrics(MoveFont_, &Image_);
    Painter().setClipRect(Geometry_.Square(point.Column, point.Row));
    OpaqueText(x0 + d / 2 - metrics.horizontalAdvance(text) / 2, y0 + d / 2 - metrics.height() / 2, text,
               Qt::black, BoardColour);
    Painter().setClipping(false);
}
