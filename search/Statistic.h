// The statistics of the position on the board: the games that reached it and what they played next.
#pragma once

#include <array>
#include <string>

#include "base/GameBase.h"
#include "search/NextMoveTable.h"
#include "search/PositionIndex.h"
#include "search/Query.h"
#include "search/ResultCount.h"

namespace kalvon {

struct TStatistic {
    std::string Position;     // the move string searched: CurrentMoves up to its first code that is no point
    size_t ListingCount = 0;  // the number of games listed
    TResultCount TotalCount;  // over all listed games
    // The listed games in which the query player had black (index 0) and white (index 1), counted by
    // result like any other count; filled only under a player criterion.
    std::array<TResultCount, 2> ColourCount;
    bool HasColourBlock = false;   // a player criterion is in force and some game matched
    TNextMoveTable NextMoveTable;  // end entry first, then by descending number of games
};

// Searches the position of base.CurrentMoves in every game of base.PartyList that passes the criteria
// (all games when QueryOn is off), under all eight symmetries and in any move order; rewrites
// base.Listing with the matching games in ascending order and returns the counts and the next-move
// table. Never fails and never touches CurrentParty; index is refreshed from PartyList first.
TStatistic MakeStatistic(TGameBase& base, const TQueryCriteria& criteria, TPositionIndex& index);
// The same search for the moves given, into listing instead of base.Listing.
TStatistic MakeStatistic(const TBaseGames& base, std::string_view moves, const TQueryCriteria& criteria,
                         TPositionIndex& index, TListing& listing);

}  // namespace kalvon
