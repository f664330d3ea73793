#include "ui/RuleMarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/SettingsState.h"

namespace {

// The marks' red, which shows on the board, on black stones and on white ones.
const QColor MarkRed(220, 0, 0);
// The ring of a VCF move, which tells it from a stone played.
const QColor VcfRing(0, 90, 230);

QPoint Centre(const TBoardGeometry& geometry, int point) {
    const TBoardPoint at = BoardPointOf(point);
    return {geometry.X(at.Column), geometry.Y(at.Row)};
}

QRect SquareOf(const TBoardGeometry& geometry, int point) {
    const TBoardPoint at = BoardPointOf(point);
    return geometry.Square(at.Column, at.Row);
}

// The line of a winning row reaches a third of a point beyond its end stones.
std::pair<QPointF, QPointF> FiveLine(const TBoardGeometry& geometry, const kalvon::TWinningRow& row) {
    const QPointF from = Centre(geometry, row.From), to = Centre(geometry, row.To);
    const QPointF along = to - from;
    const double length = std::max(1.0, std::hypot(along.x(), along.y()));
    const QPointF reach = along * (geometry.S / 3.0 / length);
    return {from - reach, to + reach};
}

}  // namespace

TBoardPoint BoardPointOf(int point) {
    return {point / 15 + 1, point % 15 + 1};
}

TRuleMarks RuleMarksOf(std::string_view moves, kalvon::TRule rule, bool showForbidden) {
    TRuleMarks marks;
    kalvon::TRuleBoard board;
    // The stones up to the first move the board cannot show, as the board draws them.
    kalvon::PlaceMoves(board, moves);
    if (showForbidden && rule == kalvon::TRule::Renju &&
        kalvon::SideToMove(size_t(board.Stones())) == kalvon::TSide::Black)
        marks.Forbidden = kalvon::ForbiddenPoints(board, rule);
    marks.Fives = kalvon::WinningRows(board, rule);
    return marks;
}

QRegion MarksRegion(const TRuleMarks& marks, int diameter) {
    const TBoardGeometry geometry(diameter);
    QRegion region;
    for (const kalvon::TForbiddenPoint& forbidden : marks.Forbidden)
        region += SquareOf(geometry, forbidden.Point);
    for (const kalvon::TWinningRow& row : marks.Fives) {
        const auto [from, to] = FiveLine(geometry, row);
        region += QRectF(from, to).normalized().toAlignedRect().adjusted(-3, -3, 3, 3);
    }
    for (int point : marks.Vcf) region += SquareOf(geometry, point);
    return region;
}

void PaintRuleMarks(QPainter& painter, const TRuleMarks& marks, int diameter) {
    const TBoardGeometry geometry(diameter);
    const int S = geometry.S;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(MarkRed, 2, Qt::SolidLine, Qt::RoundCap));
    const int arm = std::max(3, S / 6);
    for (const kalvon::TForbiddenPoint& forbidden : marks.Forbidden) {
        const QPoint c = Centre(geometry, forbidden.Point);
        painter.drawLine(c + QPoint(-arm, -arm), c + QPoint(arm, arm));
        painter.drawLine(c + QPoint(-arm, arm), c + QPoint(arm, -arm));
    }
    // Thin and a little transparent, so that the numbers of the stones stay readable.
    painter.setPen(QPen(QColor(MarkRed.red(), 0, 0, 200), std::max(2, S / 15), Qt::SolidLine, Qt::RoundCap));
    for (const kalvon::TWinningRow& row : marks.Fives) {
        const auto [from, to] = FiveLine(geometry, row);
        painter.drawLine(from, to);
    }
    QFont font = DefaultFont();
    font.setBold(true);
    painter.setFont(font);
    const int disc = std::max(8, S * 2 / 3);
    for (size_t k = 0; k < marks.Vcf.size(); ++k) {
        const bool black = (k % 2 == 0) == (marks.VcfAttacker == kalvon::TSide::Black);
        const QPoint c = Centre(geometry, marks.Vcf[k]);
        const QRect box(c.x() - disc / 2, c.y() - disc / 2, disc, disc);
        painter.setPen(QPen(VcfRing, 2));
        painter.setBrush(black ? Qt::black : Qt::white);
        painter.drawEllipse(box);
        painter.setPen(black ? Qt::white : Qt::black);
        painter.drawText(box, Qt::AlignCenter, QString::number(k + 1));
    }
    painter.restore();
}

QString ForbiddenTip(const TRuleMarks& marks, TBoardPoint point) {
    for (const kalvon::TForbiddenPoint& forbidden : marks.Forbidden)
        if (BoardPointOf(forbidden.Point) == point)
            return QString::fromLatin1(kalvon::ForbiddenWord(forbidden.Kind).data(),
                                       qsizetype(kalvon::ForbiddenWord(forbidden.Kind).size()));
    return {};
}
