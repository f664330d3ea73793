// The search data kept beside PartyList: a large part sorted once and a small part of the games added
// or edited since, so that a change of a few games costs a few milliseconds rather than a new sort.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/GameBase.h"
#include "search/IndexPart.h"

namespace kalvon {

// Every game of the base lies in exactly one of the parts. The engine routines that change PartyList
// record their changes in the base (PartyListLog.h); Refresh follows them and starts over only when
// they are not all recorded.
class TPositionIndex {
public:
    static constexpr int Depth = TIndexPart::Depth;

    // Brings the index up to the base's games: follows the recorded changes, or rebuilds it whole when
    // it was invalidated, was made for another base, or lost track; does nothing when it is current.
    void Refresh(const TBaseGames& base);
    // Marks the index out of date, so that the next Refresh rebuilds it.
    void Invalidate() { Built_ = false; }
    // Whether the index holds the base's games as they stand.
    bool IsBuiltFor(const TBaseGames& base) const;

    size_t GameCount() const { return Main_.GameCount() + Recent_.GameCount(); }
    // Bytes held by the search data, for the memory budget.
    size_t MemoryBytes() const;
    std::array<const TIndexPart*, 2> Parts() const { return {&Main_, &Recent_}; }
    // How many times the index sorted every game anew.
    size_t Rebuilds() const { return Rebuilds_; }

private:
    void Rebuild(const TPartyRecords& parties);
    // The most games the small part may hold before everything is sorted again.
    static size_t RecentLimit(size_t games);

    TIndexPart Main_, Recent_;
    std::vector<uint32_t> RecentGames_;  // the games of Recent_, as PartyList positions
    bool Built_ = false;
    uint64_t Generation_ = 0;
    size_t Size_ = 0;
    size_t Rebuilds_ = 0;
};

}  // namespace kalvon
