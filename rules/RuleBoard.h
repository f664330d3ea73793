// A board for the rules: the stones of each side as bit rows of every line in the four directions,
// so that what a stone makes in a line is one table lookup, and a scan of the whole board for fours
// is a few operations a line.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

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
    void Place(int point, TSide side) {
        const TPointLines& at = PointLines[size_t(point)];
        Cells_[size_t(point)] = uint8_t(1 + int(side));
        for (size_t d = 0; d < Directions; ++d)
            Lines_[size_t(side)][at.Line[d]] |= 1u << (at.Shift[d] + LineMiddle);
        Key_ ^= Keys[size_t(side)][size_t(point)];
        ++Stones_;
    }
    // Takes the stone off the point.
    void Remove(int point) {
        const TPointLines& at = PointLines[size_t(point)];
        const size_t side = size_t(Cells_[size_t(point)] - 1);
        Cells_[size_t(point)] = 0;
        for (size_t d = 0; d < Directions; ++d)
            Lines_[side][at.Line[d]] &= ~(1u << (at.Shift[d] + LineMiddle));
        Key_ ^= Keys[side][size_t(point)];
        --Stones_;
    }
    // The number of stones on the board.
    int Stones() const { return Stones_; }
    // A key of the stones on the board, the same for the same stones however they were played.
    uint64_t Key() const { return Key_; }

    // What a stone of the side on the empty point would make in the direction (0: along a row,
    // 1: along a column, 2 and 3: the two diagonals).
    const TLineShape& Shape(int point, int direction, TSide side, bool exactFive) const {
        const auto [own, blocked] = Window(point, direction, side);
        return Shapes_->Of(own, blocked, exactFive);
    }
    // The counts of that shape as a LineSummary byte.
    uint8_t Summary(int point, int direction, TSide side, bool exactFive) const {
        const auto [own, blocked] = Window(point, direction, side);
        return Shapes_->SummaryOf(own, blocked, exactFive);
    }
    // The NeighbourInfo byte of the side's stones near the empty point in the direction.
    uint8_t Neighbours(int point, int direction, TSide side) const {
        return Shapes_->NeighboursOf(Window(point, direction, side).first);
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
    // The side's stones and the points it cannot use within five points of the point, as 11 bits.
    std::pair<uint32_t, uint32_t> Window(int point, int direction, TSide side) const {
        const size_t line = PointLines[size_t(point)].Line[size_t(direction)];
        const int shift = PointLines[size_t(point)].Shift[size_t(direction)];
        const uint32_t own = Lines_[size_t(side)][line] >> shift;
        const uint32_t blocked = (Lines_[1 - size_t(side)][line] | Wall[line]) >> shift;
        return {own & WindowMask, blocked & WindowMask};
    }

    static constexpr int LineCount = 88;
    static constexpr uint32_t WindowMask = (1u << LineWindow) - 1;
    static constexpr std::array<int, Directions> Step = {15, 1, 16, 14};
    // The line through each point in each direction, and the point's position along it.
    struct TPointLines {
        std::array<uint8_t, Directions> Line, Shift;
    };
    static const std::array<TPointLines, BoardPoints> PointLines;
    static const std::array<uint32_t, LineCount> Wall;
    static const std::array<std::array<int16_t, 32>, LineCount> LinePoint;
    static const std::array<std::array<uint64_t, BoardPoints>, 2> Keys;

    const TLineShapes* Shapes_;
    std::array<std::array<uint32_t, LineCount>, 2> Lines_{};
    std::array<uint8_t, BoardPoints> Cells_{};
    uint64_t Key_ = 0;
    int Stones_ = 0;
};

// Whether at least count bits are set (without a population count, which this build has no
// instruction for).
inline bool HasBits(uint32_t bits, int count) {
    for (int k = 1; k < count && bits; ++k) bits &= bits - 1;
    return bits != 0;
}

// Puts the moves of a move string on the board, black first; false (the board holding the moves
// before it) at the first code that is no point or a point already taken.
bool PlaceMoves(TRuleBoard& board, std::string_view moves);

}  // namespace kalvon
