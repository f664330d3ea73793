// Finding every game that reached a position, in any move order and under any board symmetry.
#pragma once

#include <cstdint>
#include <vector>

#include "base/GameBase.h"
#include "search/PositionIndex.h"

namespace kalvon {

// Games at sorted positions Lo..Hi-1 that share their first N moves and reached the position under
// Symmetry (the smallest that fits); their next move is move N of their rows in the index.
struct TRangeMatch {
    uint32_t Lo = 0, Hi = 0;
    int Symmetry = 1;
};

// One game found past the depth of the index, with its next move (NoPoint when it ends there).
struct TGameMatch {
    uint32_t Sorted = 0;  // its sorted position in the index
    int Symmetry = 1;
    uint8_t Next = 0;
};

struct TPositionMatches {
    std::vector<TRangeMatch> Ranges;  // used for positions shorter than the depth of the index
    std::vector<TGameMatch> Games;    // used for deeper positions
    size_t Count() const;
};

// The matches in one part of the index.
struct TPartMatches {
    const TIndexPart* Part = nullptr;
    TPositionMatches Matches;
};
using TIndexMatches = std::vector<TPartMatches>;

// The games of parties (indexed by an index that holds them as they stand) whose first moves, taken
// as black and white stones, lie in the stones of the position (compact values, odd moves black) under
// some symmetry; one entry per part of the index. A game counts as ending before its first code that
// is no point.
TIndexMatches FindPosition(const TPositionIndex& index, const TPartyRecords& parties,
                           const std::vector<uint8_t>& position);

// Appends the PartyList positions of the matched games (of a base of gameCount games) to listing, in
// ascending order, each once.
void AppendMatchedGames(const TIndexMatches& matches, size_t gameCount, TListing& listing);
// Appends the given PartyList positions (each below gameCount, each once) to listing in ascending order.
void AppendSortedGames(std::vector<uint32_t>& games, size_t gameCount, TListing& listing);

}  // namespace kalvon
