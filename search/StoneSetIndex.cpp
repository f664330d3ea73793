#include "search/StoneSetIndex.h"

#include <algorithm>
#include <bit>

namespace kalvon {

uint8_t TStoneSetIndex::LengthClass(size_t moves) {
    return uint8_t(std::upper_bound(ClassFloor.begin(), ClassFloor.end(), moves) - ClassFloor.begin() - 1);
}

TStoneSetIndex::TSetRow TStoneSetIndex::RowOf(const uint8_t* moves, size_t length, uint32_t game) const {
    // The ranks of each colour's stones as a bitmap, read from the rarest up.
    std::array<std::array<uint64_t, 4>, 2> ranks{};
    for (int j = 0; j < Drawn_; ++j) {
        const uint8_t rank = Rank_[size_t(j % 2)][moves[j]];
        ranks[size_t(j % 2)][rank / 64] |= uint64_t(1) << (rank % 64);
    }
    TSetRow row;
    auto append = [&](uint8_t level) { row.Key = row.Key << 8 | level; };
    // The rarest count stones of a colour; a game that repeats a point has fewer stones than moves,
    // and repeats its last stone, which any image that holds the others holds as well.
    auto rarest = [&](std::array<uint64_t, 4>& bits, int count) {
        uint8_t last = 0;
        for (size_t w = 0; w < bits.size() && count > 0; ++w)
            for (; bits[w] != 0 && count > 0; bits[w] &= bits[w] - 1, --count) {
                last = uint8_t(64 * w + size_t(std::countr_zero(bits[w])));
                append(last);
            }
        for (; count > 0; --count) append(last);
    };
    rarest(ranks[0], ClassLevel);
    append(LengthClass(length));
    rarest(ranks[0], BlackStones - ClassLevel);
    rarest(ranks[1], WhiteStones);
    row.Game = game;
    return row;
}

void TStoneSetIndex::Store(TLargeVector<TSetRow>& rows) {
    static_assert(Levels == sizeof(TSetRow::Key));
    std::sort(rows.begin(), rows.end(), [](const TSetRow& a, const TSetRow& b) {
        return a.Key != b.Key ? a.Key < b.Key : a.Game < b.Game;
    });
    for (size_t k = 0; k < Columns_.size(); ++k) {
        Columns_[k].clear();
        Columns_[k].shrink_to_fit();
        Columns_[k].resize(rows.size());  // filled below
    }
    Game_.clear();
    Game_.shrink_to_fit();
    Game_.resize(rows.size());
    for (size_t e = 0; e < rows.size(); ++e) {
        for (size_t k = 0; k < Columns_.size(); ++k)
            Columns_[k][e] = uint8_t(rows[e].Key >> (8 * (Levels - 1 - k)));
        Game_[e] = rows[e].Game;
    }
}

void TStoneSetIndex::Remove(const TPositionShift& shift) {
    // Every entry's game moves down; the few entries of dropped games are noted and then cut out of
    // each column in block moves.
    std::vector<size_t> gone;
    for (size_t e = 0; e < Game_.size(); ++e) {
        const size_t x = Game_[e];
        if (shift.Dropped(x)) gone.push_back(e);
        Game_[e] = uint32_t(shift.Shifted(x));
    }
    for (auto& column : Columns_) CloseGaps(column, gone);
    CloseGaps(Game_, gone);
}

size_t TStoneSetIndex::MemoryBytes() const {
    size_t bytes = Game_.capacity() * sizeof(uint32_t) + sizeof(Rank_) + sizeof(Point_);
    for (const auto& column : Columns_) bytes += column.capacity();
    return bytes;
}

}  // namespace kalvon
