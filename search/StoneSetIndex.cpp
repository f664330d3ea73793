#include "search/StoneSetIndex.h"

#include <algorithm>

namespace kalvon {

void TStoneSetIndex::Sort(std::vector<TEntry>& entries) {
    std::sort(entries.begin(), entries.end());
    Rows_.resize(entries.size());
    Game_.resize(entries.size());
    ClassStart_.fill(entries.size());
    for (size_t e = entries.size(); e-- > 0;) {
        Rows_[e] = entries[e].Set;
        Game_[e] = entries[e].Game;
        ClassStart_[entries[e].Class] = e;
    }
    // An empty class starts where the next one does.
    for (size_t c = ClassFloor.size(); c-- > 0;) ClassStart_[c] = std::min(ClassStart_[c], ClassStart_[c + 1]);
    Rows_.shrink_to_fit();
    Game_.shrink_to_fit();
}

void TStoneSetIndex::Remove(const std::vector<size_t>& dropped) {
    if (dropped.empty()) return;
    std::vector<size_t> removedRows;
    size_t kept = 0;
    for (size_t e = 0; e < Rows_.size(); ++e) {
        const size_t x = Game_[e];
        const auto at = std::lower_bound(dropped.begin(), dropped.end(), x);
        if (at != dropped.end() && *at == x) {
            removedRows.push_back(e);
            continue;
        }
        Rows_[kept] = Rows_[e];
        Game_[kept] = uint32_t(x - size_t(at - dropped.begin()));
        ++kept;
    }
    Rows_.resize(kept);
    Game_.resize(kept);
    for (size_t& start : ClassStart_)
        start -= size_t(std::lower_bound(removedRows.begin(), removedRows.end(), start) - removedRows.begin());
}

size_t TStoneSetIndex::MemoryBytes() const {
    return Rows_.capacity() * sizeof(TSetRow) + Game_.capacity() * sizeof(uint32_t) + sizeof(Rank_) +
           sizeof(Point_);
}

}  // namespace kalvon
