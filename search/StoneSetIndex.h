// A second order of the games for deep positions: the stones of each game's first SetDepth moves,
// black and white apart, each colour listed from the point fewest games play to the most common one,
// after the game's length class. A position of at least SetDepth moves holds every one of those
// stones, so the search goes from the rare stones, where a game that does not fit leaves at once,
// rather than from the first moves, which nearly every game shares with a deep position; and it
// passes over the classes of games too short to reach the position.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "search/PositionSets.h"

namespace kalvon {

class TStoneSetIndex {
public:
    static constexpr int SetDepth = 16;  // moves per game; only games at least this long are held
    static constexpr int Half = SetDepth / 2;
    // Games of at least ClassFloor[c] moves and fewer than ClassFloor[c + 1] form length class c.
    static constexpr std::array<size_t, 9> ClassFloor = {SetDepth, 32, 48, 64};
    static int LengthClass(size_t moves) {
        return int(std::upper_bound(ClassFloor.begin(), ClassFloor.end(), moves) - ClassFloor.begin()) - 1;
    }

    // Makes the sets of the games at sorted positions 0..count-1 of their index, whose first moves
    // (at least SetDepth of them where length allows) are given by row and whose lengths by length.
    template <class FRow, class FLength>
    void Build(size_t count, FRow&& row, FLength&& length);
    // Drops the entries of the given sorted positions of the index (ascending, each once) and moves the
    // others down as the index closed its gaps.
    void Remove(const std::vector<size_t>& dropped);

    size_t MemoryBytes() const;

    // Calls found(x, alive) for every game (by sorted position x in the index) of at least the class of
    // games of that many moves whose first SetDepth stones lie in the sets under the symmetries of
    // alive (not 0).
    template <class FFound>
    void Find(const TPositionSets& sets, size_t moves, FFound&& found) const;

private:
    struct alignas(16) TSetRow {
        std::array<uint8_t, SetDepth> Ranks{};  // black ranks ascending, then white ranks ascending
        bool operator<(const TSetRow& other) const { return Ranks < other.Ranks; }
    };
    using TMasks = std::array<std::array<uint8_t, 256>, 2>;

    struct TEntry {
        uint8_t Class;
        TSetRow Set;
        uint32_t Game;
        bool operator<(const TEntry& other) const {
            if (Class != other.Class) return Class < other.Class;
            if (Set.Ranks != other.Set.Ranks) return Set < other.Set;
            return Game < other.Game;
        }
    };
    void Sort(std::vector<TEntry>& entries);
    template <class FFound>
    void Descend(const TMasks& masks, size_t lo, size_t hi, int k, uint8_t alive, FFound& found) const;

    std::array<std::array<uint8_t, 256>, 2> Rank_{};  // rank of a point value by colour, 0 the rarest
    std::array<std::array<uint8_t, 256>, 2> Point_{};  // the point value of a rank by colour
    std::array<size_t, ClassFloor.size() + 1> ClassStart_{};  // the rows of class c start at ClassStart_[c]
    std::vector<TSetRow> Rows_;
    std::vector<uint32_t> Game_;  // the sorted position in the index of each row's game
};

template <class FRow, class FLength>
void TStoneSetIndex::Build(size_t count, FRow&& row, FLength&& length) {
    std::array<std::array<uint32_t, 256>, 2> plays{};
    size_t held = 0;
    for (size_t x = 0; x < count; ++x) {
        if (length(x) < size_t(SetDepth)) continue;
        const uint8_t* moves = row(x);
        for (int j = 0; j < SetDepth; ++j) ++plays[size_t(j % 2)][moves[j]];
        ++held;
    }
    for (int colour = 0; colour < 2; ++colour) {
        std::array<uint8_t, 225> points;
        for (int p = 0; p < 225; ++p) points[size_t(p)] = uint8_t(p + 1);
        std::stable_sort(points.begin(), points.end(),
                         [&](uint8_t a, uint8_t b) { return plays[size_t(colour)][a] < plays[size_t(colour)][b]; });
        for (int r = 0; r < 225; ++r) {
            Rank_[size_t(colour)][points[size_t(r)]] = uint8_t(r);
            Point_[size_t(colour)][size_t(r)] = points[size_t(r)];
        }
    }
    std::vector<TEntry> entries;
    entries.reserve(held);
    for (size_t x = 0; x < count; ++x) {
        if (length(x) < size_t(SetDepth)) continue;
        const uint8_t* moves = row(x);
        TEntry entry{uint8_t(LengthClass(length(x))), {}, uint32_t(x)};
        std::array<uint8_t, SetDepth>& ranks = entry.Set.Ranks;
        for (int j = 0; j < SetDepth; ++j) ranks[size_t((j % 2) * Half + j / 2)] = Rank_[size_t(j % 2)][moves[j]];
        std::sort(ranks.begin(), ranks.begin() + Half);
        std::sort(ranks.begin() + Half, ranks.end());
        entries.push_back(entry);
    }
    Sort(entries);
}

template <class FFound>
void TStoneSetIndex::Find(const TPositionSets& sets, size_t moves, FFound&& found) const {
    const int first = LengthClass(moves);
    if (first < 0 || ClassStart_[size_t(first)] == Rows_.size()) return;
    TMasks masks{};
    for (int colour = 0; colour < 2; ++colour)
        for (int r = 0; r < 225; ++r)
            masks[size_t(colour)][size_t(r)] = sets.Mask(colour, Point_[size_t(colour)][size_t(r)]);
    // Each class is sorted on its own.
    for (size_t c = size_t(first); c < ClassFloor.size(); ++c)
        if (ClassStart_[c] < ClassStart_[c + 1]) Descend(masks, ClassStart_[c], ClassStart_[c + 1], 0, 0xFF, found);
}

template <class FFound>
void TStoneSetIndex::Descend(const TMasks& masks, size_t lo, size_t hi, int k, uint8_t alive,
                             FFound& found) const {
    constexpr size_t RowWalk = 8;  // below this many games each is checked on its own
    if (k == SetDepth || hi - lo <= RowWalk) {
        for (size_t e = lo; e < hi; ++e) {
            uint8_t live = alive;
            for (int m = k; m < SetDepth && live != 0; ++m)
                live &= masks[size_t(m / Half)][Rows_[e].Ranks[size_t(m)]];
            if (live != 0) found(size_t(Game_[e]), live);
        }
        return;
    }
    const std::array<uint8_t, 256>& mask = masks[size_t(k / Half)];
    for (size_t x = lo; x < hi;) {
        const uint8_t rank = Rows_[x].Ranks[size_t(k)];
        // The end of the run of this rank: galloping, then binary search.
        size_t step = 1, last = x;
        while (last + step < hi && Rows_[last + step].Ranks[size_t(k)] == rank) {
            last += step;
            step *= 2;
        }
        size_t end = last + 1;
        for (size_t top = std::min(hi, last + step); end < top;) {
            const size_t mid = end + (top - end) / 2;
            if (Rows_[mid].Ranks[size_t(k)] == rank)
                end = mid + 1;
            else
                top = mid;
        }
        if (const uint8_t next = alive & mask[rank]; next != 0) Descend(masks, x, end, k + 1, next, found);
        x = end;
    }
}

}  // namespace kalvon
