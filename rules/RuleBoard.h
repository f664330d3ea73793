// A board for the rules: the stones of each side as bit rows of every line in the four directions,
// so that what a stone makes in a line is one table lookup, and a scan of the whole board for fours
// is a few operations a line.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "rules/LineShapes.h"
#include "rules/Rule.h"

namespace kalvon {

// A set of points of the board.
class TPointSet {
public:
    void Add(int point) { Words_[size_t(point >> 6)] |= uint64_t(1) << (point & 63); }
    void Remove(int point) { Words_[size_t(point >> 6)] &= ~(uint64_t(1) << (point & 63)); }
    bool Contains(int point) const { return (Words_[size_t(point >> 6)] >> (point & 63)) & 1; }
    bool Empty() const { return (Words_[0] | Words_[1] | Words_[2] | Words_[3]) == 0; }
    int Count() const {
        return std::popcount(Words_[0]) + std::popcount(Words_[1]) + std::popcount(Words_[2]) +
               std::popcount(Words_[3]);
    }
    // The smallest point of the set, or NoPointNumber when it is empty.
    int First() const {
        for (size_t w = 0; w < Words_.size(); ++w)
            if (Words_[w]) return int(w * 64) + std::countr_zero(Words_[w]);
        return NoPointNumber;
    }
    // Calls f(point) for each point in ascending order.
    template <class F>
    void ForEach(F&& f) const {
        for (size_t w = 0; w < Words_.size(); ++w)
            for (uint64_t bits = Words_[w]; bits; bits &= bits - 1) f(int(w * 64) + std::countr_zero(bits));
    }

private:
    std::array<uint64_t, 4> Words_{};
};

inline constexpr int Directions = 4;

class TRuleBoard {
public:
    TRuleBoard();

    // Empties the board.
    void Clear();
    // Whether the point holds no stone.
    bool IsEmpty(int point) const { return Cells_[size_t(point)] == 0; }
    // Whether the point holds a stone of the side.
    bool Holds(int point, TSide side) const { return Cells_[size_t(point)] == 1 + int(side); }
    // Puts a stone of the side on an empty point.
    void Place(int point, TSide side);
    // Takes the stone off the point.
    void Remove(int point);
    // The number of stones on the board.
    int Stones() const { return Stones_; }
    // A key of the stones on the board, the same for the same stones however they were played.
    uint64_t Key() const { return Key_; }

    // What a stone of the side on the empty point would make in the direction (0: along a row,
    // 1: along a column, 2 and 3: the two diagonals).
    const TLineShape& Shape(int point, int direction, TSide side, bool exactFive) const {
        const int line = PointLine[size_t(point)][size_t(direction)];
        const int shift = PointShift[size_t(point)][size_t(direction)];
        const uint32_t own = Lines_[size_t(side)][size_t(line)] >> shift;
        const uint32_t blocked = (Lines_[1 - size_t(side)][size_t(line)] | Wall[size_t(line)]) >> shift;
        return Shapes_->Of(own & WindowMask, blocked & WindowMask, exactFive);
    }
    // The point at bit k of the eleven-point window of the point in the direction (k = 5 is the
    // point itself); only meaningful for a bit that a shape names.
    static int WindowPoint(int point, int direction, int k) {
        return point + (k - LineMiddle) * Step[direction];
    }

    // The empty points that lie in five points of one line holding at least minStones stones of the
    // side and none of the other side: every point where the side can make a four (minStones 3) or a
    // winning row (minStones 4) is among them.
    TPointSet Candidates(TSide side, int minStones) const;

private:
    static constexpr int LineCount = 88;
    static constexpr uint32_t WindowMask = (1u << LineWindow) - 1;
    static constexpr std::array<int, Directions> Step = {15, 1, 16, 14};
    static const std::array<std::array<uint8_t, Directions>, BoardPoints> PointLine, PointShift;
    static const std::array<uint32_t, LineCount> Wall;
    static const std::array<std::array<int16_t, 32>, LineCount> LinePoint;
    static const std::array<std::array<uint64_t, BoardPoints>, 2> Keys;

    const TLineShapes* Shapes_;
    std::array<std::array<uint32_t, LineCount>, 2> Lines_{};
    std::array<uint8_t, BoardPoints> Cells_{};
    uint64_t Key_ = 0;
    int Stones_ = 0;
};

// Puts the moves of a move string on the board, black first; false (the board holding the moves
// before it) at the first code that is no point or a point already taken.
bool PlaceMoves(TRuleBoard& board, std::string_view moves);

}  // namespace kalvon
