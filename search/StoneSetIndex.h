// A second order of the games for deep positions. A position of at least Drawn() moves holds every
// stone of the first Drawn() moves of a game that reached it, whatever their order; so the search
// goes through the rarest of those stones first, where a game that does not fit leaves at once,
// rather than through the first moves, which nearly every game shares with a deep position. It passes
// over the games too short to reach the position on the way. The more moves the stones are drawn
// from, the rarer the rarest of them, and the fewer games a deep position has to look at.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "base/LargeArray.h"
#include "search/Gallop.h"
#include "search/PositionSets.h"
#include "search/PositionShift.h"

namespace kalvon {

class TStoneSetIndex {
public:
    static constexpr int MinDrawn = 15;  // the fewest moves the stones may be drawn from

    // The stones are drawn from the first drawn moves of each game (MinDrawn to 32); only games at
    // least this long are held.
    explicit TStoneSetIndex(int drawn) : Drawn_(drawn) {}
    int Drawn() const { return Drawn_; }

    // Makes the sets of the games at sorted positions 0..count-1 of their index, whose first moves are
    // given by row (at least Drawn() of them where length allows) and whose lengths by length.
    template <class FRow, class FLength>
    void Build(size_t count, FRow&& row, FLength&& length);
    // Drops the entries of the dropped sorted positions of the index and moves the others down as the
    // index closed its gaps.
    void Remove(const TPositionShift& shift);

    size_t MemoryBytes() const;

    // Calls found(x, alive) for every game (by sorted position x in the index) that may be long enough
    // for a position of that many moves (at least Drawn()) and whose rarest stones among its first
    // Drawn() moves lie in the sets under the symmetries of alive (not 0). The other stones of those
    // moves are left to the caller.
    template <class FFound>
    void Find(const TPositionSets& sets, size_t moves, FFound&& found) const;

private:
    // A row holds, level by level: the ranks of the game's four rarest black stones (rarest first), its
    // length class, then the ranks of its three rarest white stones. The class comes after a few
    // stones, which already part most games, so that it splits few runs. Rarer stones are not needed:
    // by then few games are left, and the caller checks the rest of each game on its row.
    static constexpr int Levels = 8;
    static constexpr int ClassLevel = 4;
    static constexpr int BlackStones = 4;
    static constexpr int WhiteStones = Levels - 1 - BlackStones;
    struct TSetRow {
        uint64_t Key = 0;   // the levels from the most significant byte down: compares as they do
        uint32_t Game = 0;  // the sorted position of the game in the index
    };
    using TMask = std::array<uint8_t, 256>;

    // Games of at least ClassFloor[c] moves and fewer than ClassFloor[c + 1] are of length class c.
    static constexpr std::array<size_t, 9> ClassFloor = {MinDrawn, 24, 32, 40, 48, 56, 64, 80, 100};
    static uint8_t LengthClass(size_t moves);
    TSetRow RowOf(const uint8_t* moves, size_t length, uint32_t game) const;

    // Sorts the rows and keeps them as columns.
    void Store(TLargeVector<TSetRow>& rows);
    template <class FFound>
    void Descend(const std::array<const TMask*, Levels>& masks, size_t lo, size_t hi, int k, uint8_t alive,
                 FFound& found) const;

    int Drawn_;
    std::array<TMask, 2> Rank_{};   // the rank of a point value by colour, 0 the rarest
    std::array<TMask, 2> Point_{};  // the point value of a rank by colour
    // Level k of every row in sorted order, one column per level: the search looks for the ends of runs
    // in one level at a time, and a column keeps those looks within few cache lines.
    std::array<TLargeVector<uint8_t>, Levels> Columns_;
    TLargeVector<uint32_t> Game_;  // the sorted position in the index of each row's game
};

template <class FRow, class FLength>
void TStoneSetIndex::Build(size_t count, FRow&& row, FLength&& length) {
    std::array<std::array<uint32_t, 256>, 2> plays{};
    size_t held = 0;
    for (size_t x = 0; x < count; ++x) {
        if (length(x) < size_t(Drawn_)) continue;
        const uint8_t* moves = row(x);
        for (int j = 0; j < Drawn_; ++j) ++plays[size_t(j % 2)][moves[j]];
        ++held;
    }
    for (size_t colour = 0; colour < 2; ++colour) {
        std::array<uint8_t, 225> points;
        for (int p = 0; p < 225; ++p) points[size_t(p)] = uint8_t(p + 1);
        std::stable_sort(points.begin(), points.end(),
                         [&](uint8_t a, uint8_t b) { return plays[colour][a] < plays[colour][b]; });
        for (size_t r = 0; r < points.size(); ++r) {
            Rank_[colour][points[r]] = uint8_t(r);
            Point_[colour][r] = points[r];
        }
    }
    TLargeVector<TSetRow> rows;
    rows.reserve(held);
    for (size_t x = 0; x < count; ++x)
        if (length(x) >= size_t(Drawn_)) rows.push_back(RowOf(row(x), length(x), uint32_t(x)));
    Store(rows);
}

template <class FFound>
void TStoneSetIndex::Find(const TPositionSets& sets, size_t moves, FFound&& found) const {
    if (Game_.empty() || moves < size_t(Drawn_)) return;
    std::array<TMask, 2> stones{};
    for (size_t colour = 0; colour < 2; ++colour)
        for (size_t r = 0; r < 225; ++r) stones[colour][r] = sets.Mask(int(colour), Point_[colour][r]);
    TMask classes{};
    for (int c = LengthClass(moves); c < int(ClassFloor.size()); ++c) classes[size_t(c)] = 0xFF;
    std::array<const TMask*, Levels> masks;
    for (int k = 0; k < Levels; ++k)
        masks[size_t(k)] = k == ClassLevel ? &classes : &stones[k <= BlackStones ? 0 : 1];
    Descend(masks, 0, Game_.size(), 0, 0xFF, found);
}

template <class FFound>
void TStoneSetIndex::Descend(const std::array<const TMask*, Levels>& masks, size_t lo, size_t hi, int k,
                             uint8_t alive, FFound& found) const {
    constexpr size_t RowWalk = 8;  // below this many games each is checked on its own
    if (k == Levels || hi - lo <= RowWalk) {
        for (size_t e = lo; e < hi; ++e) {
            uint8_t live = alive;
            for (int m = k; m < Levels && live != 0; ++m) live &= (*masks[size_t(m)])[Columns_[size_t(m)][e]];
            if (live != 0) found(size_t(Game_[e]), live);
        }
        return;
    }
    const TMask& mask = *masks[size_t(k)];
    const uint8_t* column = Columns_[size_t(k)].data();
    // The first row from x on whose level k is at least value.
    auto seek = [&](size_t x, unsigned value) { return FirstAtLeast(column, x, hi, value); };
    for (size_t x = lo; x < hi;) {
        const uint8_t value = column[x];
        if (const uint8_t next = alive & mask[value]; next != 0) {
            const size_t end = seek(x, value + 1u);
            Descend(masks, x, end, k + 1, next, found);
            x = end;
            continue;
        }
        // Over the runs of values that no live symmetry of the position holds.
        unsigned wanted = value + 1u;
        while (wanted < mask.size() && (mask[wanted] & alive) == 0) ++wanted;
        if (wanted == mask.size()) break;
        x = seek(x, wanted);
    }
}

}  // namespace kalvon
