#include "search/StoneSetIndex.h"

#include <algorithm>

namespace kalvon {

uint8_t TStoneSetIndex::LengthClass(size_t moves) {
    return uint8_t(std::upper_bound(ClassFloor.begin(), ClassFloor.end(), moves) - ClassFloor.begin() - 1);
}

TStoneSetIndex::TSetRow TStoneSetIndex::RowOf(const uint8_t* moves, size_t length,
                                              const std::array<TMask, 2>& rank) {
    std::array<uint8_t, BlackStones> black;
    std::array<uint8_t, SetDepth - BlackStones> white;
    for (int j = 0; j < SetDepth; ++j)
        (j % 2 == 0 ? black[size_t(j / 2)] : white[size_t(j / 2)]) = rank[size_t(j % 2)][moves[j]];
    std::sort(black.begin(), black.end());
    std::sort(white.begin(), white.end());
    TSetRow row;
    auto level = row.Level.begin();
    level = std::copy(black.begin(), black.begin() + ClassLevel, level);
    *level++ = LengthClass(length);
    level = std::copy(black.begin() + ClassLevel, black.end(), level);
    std::copy(white.begin(), white.end(), level);
    return row;
}

void TStoneSetIndex::Sort(std::vector<std::pair<TSetRow, uint32_t>>& entries) {
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.first.Level != b.first.Level ? a.first.Level < b.first.Level : a.second < b.second;
    });
    Rows_.resize(entries.size());
    Game_.resize(entries.size());
    for (size_t e = 0; e < entries.size(); ++e) {
        Rows_[e] = entries[e].first;
        Game_[e] = entries[e].second;
    }
    Rows_.shrink_to_fit();
    Game_.shrink_to_fit();
}

void TStoneSetIndex::Remove(const std::vector<size_t>& dropped) {
    if (dropped.empty()) return;
    size_t kept = 0;
    for (size_t e = 0; e < Rows_.size(); ++e) {
        const size_t x = Game_[e];
        const auto at = std::lower_bound(dropped.begin(), dropped.end(), x);
        if (at != dropped.end() && *at == x) continue;
        Rows_[kept] = Rows_[e];
        Game_[kept] = uint32_t(x - size_t(at - dropped.begin()));
        ++kept;
    }
    Rows_.resize(kept);
    Game_.resize(kept);
}

size_t TStoneSetIndex::MemoryBytes() const {
    return Rows_.capacity() * sizeof(TSetRow) + Game_.capacity() * sizeof(uint32_t) + sizeof(Rank_) +
           sizeof(Point_);
}

}  // namespace kalvon
