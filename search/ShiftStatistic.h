// Statistics of the position moved one or two points across the board.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "base/GameBase.h"
#include "search/PositionIndex.h"
#include "search/ResultCount.h"

namespace kalvon {

// The column and row change of shift type 1..16 at distance s (1 or 2); types 9..16 only for s = 2.
// Returns (0, 0) for a type outside 1..16.
std::pair<int, int> ShiftVector(int type, int s);
// True when the position has at least two moves and one of its black moves 1, 3, ..., 2k-1, k being
// the number of complete black-white pairs, is the centre "88".
bool HasCentreBlack(std::string_view moves);
// The move string moved by ShiftVector(type, s), or "" when a stone would leave the board, when the
// moved position keeps no black stone of a complete pair on the centre, or when moves holds a code
// that is no point.
std::string ShiftPosition(std::string_view moves, int type, int s);

// For every shift type of distance s in order (8 types for s = 1, 16 for s = 2), finds the shifted
// position of base.CurrentMoves in the whole base (no query), appends the matching games of each shift
// in ascending order to the emptied base.Listing (a game matched by two shifts is listed twice) and
// returns their counts. Never fails; index is refreshed from PartyList first.
TResultCount ShiftStatistic(TGameBase& base, int s, TPositionIndex& index);

// The one memo line of the shifted statistics: "Total: " followed by the count's text.
std::string ShiftTotalText(const TResultCount& count);

}  // namespace kalvon
