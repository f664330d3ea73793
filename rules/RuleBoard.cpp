#include "rules/RuleBoard.h"

namespace kalvon {

namespace {

constexpr int Padding = 5;  // bit k + Padding of a line holds its point k; five wall bits on either side
static_assert(Padding == LineMiddle, "a point's window starts at its own shift");

struct TLineOf {
    int Line, Position;
};

// The line and the position along it of a point (column c, row r from 1) in a direction.
TLineOf LineOf(int c, int r, int direction) {
    switch (direction) {
        case 0:
            return {r - 1, c - 1};
        case 1:
            return {15 + c - 1, r - 1};
        case 2:
            return {30 + c - r + 14, c - 1};
        default:
            return {59 + c + r - 2, c - 1};
    }
}

uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

}  // namespace

const std::array<TRuleBoard::TPointLines, BoardPoints> TRuleBoard::PointLines = [] {
    std::array<TPointLines, BoardPoints> table{};
    for (int p = 0; p < BoardPoints; ++p)
        for (int d = 0; d < Directions; ++d) {
            const TLineOf at = LineOf(p / 15 + 1, p % 15 + 1, d);
            table[size_t(p)].Line[size_t(d)] = uint8_t(at.Line);
            table[size_t(p)].Shift[size_t(d)] = uint8_t(at.Position);
        }
    return table;
}();

const std::array<uint32_t, TRuleBoard::LineCount> TRuleBoard::Wall = [] {
    std::array<uint32_t, LineCount> onBoard{};
    for (int p = 0; p < BoardPoints; ++p)
        for (int d = 0; d < Directions; ++d) {
            const TLineOf at = LineOf(p / 15 + 1, p % 15 + 1, d);
            onBoard[size_t(at.Line)] |= 1u << (at.Position + Padding);
        }
    std::array<uint32_t, LineCount> wall{};
    for (int line = 0; line < LineCount; ++line) wall[size_t(line)] = ~onBoard[size_t(line)];
    return wall;
}();

const std::array<std::array<int16_t, 32>, TRuleBoard::LineCount> TRuleBoard::LinePoint = [] {
    std::array<std::array<int16_t, 32>, LineCount> table{};
    for (auto& line : table) line.fill(int16_t(NoPointNumber));
    for (int p = 0; p < BoardPoints; ++p)
        for (int d = 0; d < Directions; ++d) {
            const TLineOf at = LineOf(p / 15 + 1, p % 15 + 1, d);
            table[size_t(at.Line)][size_t(at.Position) + Padding] = int16_t(p);
        }
    return table;
}();

// Fixed keys, so that a position has the same key in every run.
const std::array<std::array<uint64_t, BoardPoints>, 2> TRuleBoard::Keys = [] {
    std::array<std::array<uint64_t, BoardPoints>, 2> keys{};
    uint64_t state = 0x6b616c766f6e;
    for (auto& side : keys)
        for (uint64_t& key : side) key = SplitMix(state);
    return keys;
}();

TRuleBoard::TRuleBoard() : Shapes_(&TLineShapes::Get()) {}

void TRuleBoard::Clear() {
    Lines_ = {};
    Cells_ = {};
    Key_ = 0;
    Stones_ = 0;
}

TPointSet TRuleBoard::Candidates(TSide side, int minStones) const {
    TPointSet points;
    for (int line = 0; line < LineCount; ++line) {
        const uint32_t own = Lines_[size_t(side)][size_t(line)];
        if (!HasBits(own, minStones)) continue;
        const uint32_t open = ~(Lines_[1 - size_t(side)][size_t(line)] | Wall[size_t(line)]);
        // Bit s of each: the five points from s onwards are all free of the other side / the count
        // of own stones among them, added up in bit slices.
        const uint32_t free5 = open & open >> 1 & open >> 2 & open >> 3 & open >> 4;
        uint32_t ones = 0, twos = 0, fours = 0;
        for (int k = 0; k < 5; ++k) {
            const uint32_t x = own >> k;
            const uint32_t carry1 = ones & x;
            ones ^= x;
            const uint32_t carry2 = twos & carry1;
            twos ^= carry1;
            fours |= carry2;
        }
        const uint32_t enough = minStones >= 4 ? fours : (fours | (twos & ones));
        const uint32_t starts = free5 & enough;
        if (!starts) continue;
        const uint32_t covered = starts | starts << 1 | starts << 2 | starts << 3 | starts << 4;
        for (uint32_t bits = covered & open & ~own; bits; bits &= bits - 1)
            points.Add(LinePoint[size_t(line)][size_t(std::countr_zero(bits))]);
    }
    return points;
}

bool PlaceMoves(TRuleBoard& board, std::string_view moves) {
    for (size_t k = 0; k + 1 < moves.size(); k += 2) {
        const int point = PointNumberOfCode(moves.substr(k, 2));
        if (point == NoPointNumber || !board.IsEmpty(point)) return false;
        board.Place(point, SideToMove(k / 2));
    }
    return moves.size() % 2 == 0;
}

}  // namespace kalvon
