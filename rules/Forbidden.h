// Black's forbidden points under renju: a double-three, a double-four or an overline, unless the
// stone makes five.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/RuleBoard.h"

namespace kalvon {

enum class TForbiddenKind : uint8_t { None, DoubleThree, DoubleFour, Overline };

// "3x3", "4x4", "overline"; empty for None.
std::string_view ForbiddenWord(TForbiddenKind kind);

// Why a black stone on the empty point would be forbidden under renju, or None when it is allowed.
// A point of several kinds gives the first of overline, double-four and double-three. A three counts
// only when one of its straight-four points is itself allowed to black, which is decided the same
// way with the stone in place; the board is used for that and comes back as it was.
TForbiddenKind ForbiddenKind(TRuleBoard& board, int point);
// The same, from the LineSummary bytes of a black stone on the point in the four directions (exactly
// five winning), when the caller has read them already.
TForbiddenKind ForbiddenKind(TRuleBoard& board, int point, const std::array<uint8_t, Directions>& summaries);

struct TForbiddenPoint {
    int Point = NoPointNumber;
    TForbiddenKind Kind = TForbiddenKind::None;
};
// Black's forbidden points on the board in the order of their point codes; none under gomoku.
std::vector<TForbiddenPoint> ForbiddenPoints(TRuleBoard& board, TRule rule);

// The forbidden points as "J9:3x3 K10:4x4 H12:overline", empty when there is none.
std::string ForbiddenPointsText(const std::vector<TForbiddenPoint>& points);

}  // namespace kalvon
