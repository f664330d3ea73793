#include "search/PositionIndex.h"

#include <algorithm>

namespace kalvon {

bool TPositionIndex::IsBuiltFor(const TBaseGames& base) const {
    return Built_ && Generation_ == base.PartyListGeneration && Size_ == base.PartyList.size();
}

size_t TPositionIndex::RecentLimit(size_t games) {
    // Sorting the small part again costs about games/128 of a whole sort at most.
    return std::max<size_t>(4096, games / 128);
}

void TPositionIndex::Rebuild(const TPartyRecords& parties) {
    Built_ = false;  // until the last array is filled, should memory run out on the way
    RecentGames_.clear();
    Recent_.Build(parties, &RecentGames_);
    Main_.Build(parties);
    Built_ = true;
    ++Rebuilds_;
}

void TPositionIndex::Refresh(const TBaseGames& base) {
    if (IsBuiltFor(base)) return;
    const TPartyRecords& parties = base.PartyList;
    std::vector<const TPartyListChange*> changes;
    if (!Built_ || !base.PartyListChanges.ChangesSince(Generation_, base.PartyListGeneration, changes)) {
        Rebuild(parties);
    } else {
        size_t size = Size_;
        bool followed = true;
        for (const TPartyListChange* change : changes) {
            if (!followed) break;
            switch (change->Kind) {
                case TPartyListChange::TKind::Appended:
                    for (size_t g = change->From; g < change->From + change->Count; ++g)
                        RecentGames_.push_back(uint32_t(g));
                    size += change->Count;
                    break;
                case TPartyListChange::TKind::Replaced:
                    // The edited game leaves the large part and is sorted anew with the recent ones.
                    Main_.Remove({uint32_t(change->From)}, size, false);
                    if (std::find(RecentGames_.begin(), RecentGames_.end(), uint32_t(change->From)) ==
                        RecentGames_.end())
                        RecentGames_.push_back(uint32_t(change->From));
                    break;
                case TPartyListChange::TKind::Removed: {
                    Main_.Remove(change->Positions, size, true);
                    const std::vector<uint32_t>& removed = change->Positions;
                    std::erase_if(RecentGames_, [&](uint32_t g) {
                        return std::binary_search(removed.begin(), removed.end(), g);
                    });
                    for (uint32_t& g : RecentGames_)
                        g -= uint32_t(std::lower_bound(removed.begin(), removed.end(), g) - removed.begin());
                    size -= removed.size();
                    break;
                }
                case TPartyListChange::TKind::Renumbered: {
                    const std::vector<uint32_t>& renumbered = change->Positions;
                    if (renumbered.size() != size) {
                        followed = false;  // a log that does not fit the index: start over below
                        break;
                    }
                    Main_.Renumber(renumbered);
                    for (uint32_t& g : RecentGames_) g = renumbered[g];
                    break;
                }
            }
        }
        // Recorded changes that do not add up to the games as they stand mean the log was bypassed.
        if (!followed || size != parties.size() || RecentGames_.size() > RecentLimit(size))
            Rebuild(parties);
        else
            Recent_.Build(parties, &RecentGames_);
    }
    Generation_ = base.PartyListGeneration;
    Size_ = parties.size();
}

size_t TPositionIndex::MemoryBytes() const {
    return Main_.MemoryBytes() + Recent_.MemoryBytes() + RecentGames_.capacity() * sizeof(uint32_t);
}

}  // namespace kalvon
