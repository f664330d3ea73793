// The table of next moves of a position and the steps that put it in its shown order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "search/ResultCount.h"

namespace kalvon {

// The Move of the entry for the games that end at the position.
inline constexpr std::string_view EndMove = "En";

struct TNextMove {
    std::string Move;  // a PointCode in the board's orientation, or EndMove
    TResultCount Count;
    bool operator==(const TNextMove&) const = default;
};

using TNextMoveTable = std::vector<TNextMove>;

// Adds each later entry whose move leads to a symmetric image of the position after an earlier entry's
// move into that earlier entry and removes it; position is the valid move string of the board. The
// entry seen first stays as the group's representative; the end entry is never merged.
void MergeSymmetricMoves(TNextMoveTable& table, std::string_view position);
// Exchanges the end entry, if any, with the first entry.
void PutEndFirst(TNextMoveTable& table);
// Orders the entries after the end entry by descending number of games with the exchange procedure
// (not stable: totals 1 (a), 1 (b), 2 (c) end as c, b, a).
void SortByFrequency(TNextMoveTable& table);
// For the opening positions 88, 8889, 8899 and 88 89 8x, rewrites the moves after the end entry into
// one sector of the board; other positions and positions of 5 or more moves are left alone.
void FoldOpeningMoves(TNextMoveTable& table, std::string_view position);

}  // namespace kalvon
