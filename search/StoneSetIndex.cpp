#include "search/StoneSetIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kalvon {

uint8_t TStoneSetIndex::LengthClass(size_t moves) {
    return uint8_t(std::upper_bound(ClassFloor.begin(), ClassFloor.end(), moves) - ClassFloor.begin() - 1);
}

TStoneSetIndex::TSetRow TStoneSetIndex::RowOf(const uint8_t* moves, size_t length,
                                              const std::array<TMask, 2>& rank, uint32_t game) {
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
    row.Game = game;
    return row;
}

namespace {

// The two halves of a row's levels as numbers that compare as the levels do.
std::pair<uint64_t, uint64_t> SortWords(const std::array<uint8_t, 16>& level) {
    uint64_t high, low;
    std::memcpy(&high, level.data(), 8);
    std::memcpy(&low, level.data() + 8, 8);
    if constexpr (std::endian::native == std::endian::little) {
        high = __builtin_bswap64(high);
        low = __builtin_bswap64(low);
    }
    return {high, low};
}

}  // namespace

void TStoneSetIndex::Sort() {
    std::sort(Rows_.begin(), Rows_.end(), [](const TSetRow& a, const TSetRow& b) {
        const auto wordsA = SortWords(a.Level), wordsB = SortWords(b.Level);
        return wordsA != wordsB ? wordsA < wordsB : a.Game < b.Game;
    });
    Rows_.shrink_to_fit();
}

void TStoneSetIndex::Remove(const TPositionShift& shift) {
    size_t kept = 0;
    for (size_t e = 0; e < Rows_.size(); ++e) {
        const size_t x = Rows_[e].Game;
        if (shift.Dropped(x)) continue;
        Rows_[kept] = Rows_[e];
        Rows_[kept].Game = uint32_t(shift.Shifted(x));
        ++kept;
    }
    Rows_.resize(kept);
}

size_t TStoneSetIndex::MemoryBytes() const {
    return Rows_.capacity() * sizeof(TSetRow) + sizeof(Rank_) + sizeof(Point_);
}

}  // namespace kalvon
