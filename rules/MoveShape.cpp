#include "rules/MoveShape.h"

#include <algorithm>

namespace kalvon {

TMoveShape MoveShape(const TRuleBoard& board, int point, TSide side, TRule rule) {
    const bool exact = ExactFiveWins(rule, side);
    TMoveShape shape;
    for (int d = 0; d < Directions; ++d) {
        const uint8_t summary = board.Summary(point, d, side, exact);
        shape.Five |= (summary & LineSummary::Five) != 0;
        shape.Overline |= (summary & LineSummary::Overline) != 0;
        shape.Fours += LineSummary::Fours(summary);
        shape.Threes += LineSummary::Threes(summary);
    }
    return shape;
}

bool MakesFive(const TRuleBoard& board, int point, TSide side, TRule rule) {
    const bool exact = ExactFiveWins(rule, side);
    for (int d = 0; d < Directions; ++d)
        if (board.Summary(point, d, side, exact) & LineSummary::Five) return true;
    return false;
}

TPointSet WinningPoints(const TRuleBoard& board, TSide side, TRule rule) {
    TPointSet wins;
    board.Candidates(side, 4).ForEach([&](int point) {
        if (MakesFive(board, point, side, rule)) wins.Add(point);
    });
    return wins;
}

TPointSet FivePointsThrough(const TRuleBoard& board, int point, TSide side, TRule rule) {
    const bool exact = ExactFiveWins(rule, side);
    TPointSet points;
    for (int d = 0; d < Directions; ++d)
        for (uint32_t bits = board.Shape(point, d, side, exact).FivePoints; bits; bits &= bits - 1)
            points.Add(TRuleBoard::WindowPoint(point, d, std::countr_zero(bits)));
    return points;
}

std::vector<TWinningRow> WinningRows(const TRuleBoard& board, TRule rule) {
    // Walk each line from every point that starts a run of one side (no stone of that side before it).
    constexpr int Columns[Directions] = {1, 0, 1, 1}, Rows[Directions] = {0, 1, 1, -1};
    std::vector<TWinningRow> rows;
    auto stone = [&](int c, int r, TSide side) {
        return c >= 1 && c <= 15 && r >= 1 && r <= 15 && board.Holds((c - 1) * 15 + r - 1, side);
    };
    for (int p = 0; p < BoardPoints; ++p) {
        if (board.IsEmpty(p)) continue;
        const TSide side = board.Holds(p, TSide::Black) ? TSide::Black : TSide::White;
        const int c = p / 15 + 1, r = p % 15 + 1;
        for (int d = 0; d < Directions; ++d) {
            if (stone(c - Columns[d], r - Rows[d], side)) continue;
            int length = 1;
            while (stone(c + length * Columns[d], r + length * Rows[d], side)) ++length;
            if (ExactFiveWins(rule, side) ? length != 5 : length < 5) continue;
            const int last = (c + (length - 1) * Columns[d] - 1) * 15 + r + (length - 1) * Rows[d] - 1;
            rows.push_back({std::min(p, last), std::max(p, last), side});
        }
    }
    std::sort(rows.begin(), rows.end(), [](const TWinningRow& a, const TWinningRow& b) {
        return a.From != b.From ? a.From < b.From : a.To < b.To;
    });
    return rows;
}

}  // namespace kalvon
