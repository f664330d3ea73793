// The sorted positions of an index part that lose some of their games: which are dropped, and where
// the others move to when the gaps close. Branch-free, since every position of a part is mapped.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace kalvon {

class TPositionShift {
public:
    // dropped: ascending, each once, each below count.
    TPositionShift(const std::vector<size_t>& dropped, size_t count)
        : Bits_(count / 64 + 1), Before_(count / 64 + 1) {
        for (size_t x : dropped) Bits_[x / 64] |= uint64_t(1) << (x % 64);
        for (size_t w = 1; w < Bits_.size(); ++w)
            Before_[w] = Before_[w - 1] + uint32_t(std::popcount(Bits_[w - 1]));
    }
    bool Dropped(size_t x) const { return (Bits_[x / 64] >> (x % 64) & 1) != 0; }
    // The new position of a position that is kept.
    size_t Shifted(size_t x) const {
        const uint64_t below = Bits_[x / 64] & ((uint64_t(1) << (x % 64)) - 1);
        return x - Before_[x / 64] - size_t(std::popcount(below));
    }

private:
    std::vector<uint64_t> Bits_;
    std::vector<uint32_t> Before_;
};

// Removes the entries at the dropped positions (ascending, each once) from array, in one pass of block
// moves between them.
template <class TArray>
void CloseGaps(TArray& array, const std::vector<size_t>& dropped) {
    if (dropped.empty()) return;
    size_t to = dropped[0];
    for (size_t d = 0; d < dropped.size(); ++d) {
        const size_t from = dropped[d] + 1, end = d + 1 < dropped.size() ? dropped[d + 1] : array.size();
        std::copy(array.begin() + long(from), array.begin() + long(end), array.begin() + long(to));
        to += end - from;
    }
    array.resize(to);
}

}  // namespace kalvon
