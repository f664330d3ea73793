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

void TStoneSetIndex::Store(std::vector<TSetRow>& rows) {
    std::sort(rows.begin(), rows.end(), [](const TSetRow& a, const TSetRow& b) {
        const auto wordsA = SortWords(a.Level), wordsB = SortWords(b.Level);
        return wordsA != wordsB ? wordsA < wordsB : a.Game < b.Game;
    });
    for (size_t k = 0; k < Columns_.size(); ++k) {
        Columns_[k].assign(rows.size(), 0);
        Columns_[k].shrink_to_fit();
    }
    Game_.assign(rows.size(), 0);
    Game_.shrink_to_fit();
    for (size_t e = 0; e < rows.size(); ++e) {
        for (size_t k = 0; k < Columns_.size(); ++k) Columns_[k][e] = rows[e].Level[k];
        Game_[e] = rows[e].Game;
    }
}

void TStoneSetIndex::Remove(const TPositionShift& shift) {
    size_t kept = 0;
    for (size_t e = 0; e < Game_.size(); ++e) {
        const size_t x = Game_[e];
        if (shift.Dropped(x)) continue;
        for (auto& column : Columns_) column[kept] = column[e];
        Game_[kept] = uint32_t(shift.Shifted(x));
        ++kept;
    }
    for (auto& column : Columns_) column.resize(kept);
    Game_.resize(kept);
}

size_t TStoneSetIndex::MemoryBytes() const {
    size_t bytes = Game_.capacity() * sizeof(uint32_t) + sizeof(Rank_) + sizeof(Point_);
    for (const auto& column : Columns_) bytes += column.capacity();
    return bytes;
}

}  // namespace kalvon
