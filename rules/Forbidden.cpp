#include "rules/Forbidden.h"

namespace kalvon {

std::string_view ForbiddenWord(TForbiddenKind kind) {
    switch (kind) {
        case TForbiddenKind::DoubleThree:
            return "3x3";
        case TForbiddenKind::DoubleFour:
            return "4x4";
        case TForbiddenKind::Overline:
            return "overline";
        case TForbiddenKind::None:
            break;
    }
    return "";
}

TForbiddenKind ForbiddenKind(TRuleBoard& board, int point) {
    std::array<uint8_t, Directions> summaries{};
    for (int d = 0; d < Directions; ++d) summaries[size_t(d)] = board.Summary(point, d, TSide::Black, true);
    return ForbiddenKind(board, point, summaries);
}

TForbiddenKind ForbiddenKind(TRuleBoard& board, int point, const std::array<uint8_t, Directions>& summaries) {
    uint8_t any = 0;
    int fours = 0, threes = 0;
    for (const uint8_t summary : summaries) {
        any |= summary;
        fours += LineSummary::Fours(summary);
        threes += LineSummary::Threes(summary);
    }
    if (any & LineSummary::Five) return TForbiddenKind::None;
    if (any & LineSummary::Overline) return TForbiddenKind::Overline;
    if (fours >= 2) return TForbiddenKind::DoubleFour;
    if (threes < 2) return TForbiddenKind::None;

    // Black has at most one three in a line (two would need an overline to be straight fours), so a
    // line's straight-four points all belong to one three: it is real when one of them is allowed.
    std::array<uint16_t, Directions> straightFourPoints{};
    for (int d = 0; d < Directions; ++d)
        if (LineSummary::Threes(summaries[size_t(d)]))
            straightFourPoints[size_t(d)] = board.Shape(point, d, TSide::Black, true).StraightFourPoints;
    board.Place(point, TSide::Black);
    int real = 0, open = threes;
    for (int d = 0; d < Directions && real < 2 && real + open >= 2; ++d) {
        if (!straightFourPoints[size_t(d)]) continue;
        --open;
        for (uint32_t bits = straightFourPoints[size_t(d)]; bits; bits &= bits - 1) {
            if (ForbiddenKind(board, TRuleBoard::WindowPoint(point, d, std::countr_zero(bits))) ==
                TForbiddenKind::None) {
                ++real;
                break;
            }
        }
    }
    board.Remove(point);
    return real >= 2 ? TForbiddenKind::DoubleThree : TForbiddenKind::None;
}

std::vector<TForbiddenPoint> ForbiddenPoints(TRuleBoard& board, TRule rule) {
    std::vector<TForbiddenPoint> points;
    if (rule != TRule::Renju) return points;
    // A double-three needs black stones within four points in two lines: the points where black can
    // make a four are a superset only of fours, so every empty point is asked; the table makes it cheap.
    for (int p = 0; p < BoardPoints; ++p) {
        if (!board.IsEmpty(p)) continue;
        if (const TForbiddenKind kind = ForbiddenKind(board, p); kind != TForbiddenKind::None)
            points.push_back({p, kind});
    }
    return points;
}

std::string ForbiddenPointsText(const std::vector<TForbiddenPoint>& points) {
    std::string text;
    for (const TForbiddenPoint& point : points) {
        if (!text.empty()) text += ' ';
        text += TextOfPointNumber(point.Point);
        text += ':';
        text += ForbiddenWord(point.Kind);
    }
    return text;
}

}  // namespace kalvon
