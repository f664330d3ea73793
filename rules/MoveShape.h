// What a stone makes under a rule, summed over the four lines through it, and the winning rows on
// the board.
#pragma once

#include <vector>

#include "rules/RuleBoard.h"

namespace kalvon {

struct TMoveShape {
    bool Five = false;      // a winning row in some line
    bool Overline = false;  // six or more in a row in some line
    int Fours = 0;          // distinct fours over the four lines
    int Threes = 0;         // distinct threes over the four lines, their straight-four points unchecked
};

// What a stone of the side on the empty point would make under the rule.
TMoveShape MoveShape(const TRuleBoard& board, int point, TSide side, TRule rule);

// Whether a stone of the side on the empty point would make a winning row under the rule.
bool MakesFive(const TRuleBoard& board, int point, TSide side, TRule rule);

// The empty points where a stone of the side would make a winning row under the rule, from fours
// already on the board.
TPointSet WinningPoints(const TRuleBoard& board, TSide side, TRule rule);

// The points where a stone of the side would complete a four through the empty point into a winning
// row, were the side's stone on it.
TPointSet FivePointsThrough(const TRuleBoard& board, int point, TSide side, TRule rule);

// A winning row on the board: its first and last point (the lower point code first) and its side.
struct TWinningRow {
    int From = NoPointNumber, To = NoPointNumber;
    TSide Side = TSide::Black;
};
// The winning rows on the board under the rule, in the order of their first points.
std::vector<TWinningRow> WinningRows(const TRuleBoard& board, TRule rule);

}  // namespace kalvon
