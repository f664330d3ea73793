#include "rules/LineShapes.h"

#include <algorithm>
#include <stdexcept>

namespace kalvon {

namespace {

enum class TCell : uint8_t { Empty, Own, Blocked };
using TWindow = std::array<TCell, LineWindow>;

constexpr int TableSize = 59049;  // 3^10

// The length of the run of own stones through the point (0 when it holds none).
int RunThrough(const TWindow& w, int at) {
    if (w[size_t(at)] != TCell::Own) return 0;
    int length = 1;
    for (int k = at - 1; k >= 0 && w[size_t(k)] == TCell::Own; --k) ++length;
    for (int k = at + 1; k < LineWindow && w[size_t(k)] == TCell::Own; ++k) ++length;
    return length;
}

bool Wins(int run, bool exactFive) {
    return exactFive ? run == 5 : run >= 5;
}

// Whether a stone on the empty point would make a winning row through it.
bool StoneWins(TWindow w, int at, bool exactFive) {
    w[size_t(at)] = TCell::Own;
    return Wins(RunThrough(w, at), exactFive);
}

uint16_t Bit(int k) {
    return uint16_t(1u << k);
}

TLineShape ShapeOf(TWindow w, bool exactFive) {
    TLineShape shape;
    const int run = RunThrough(w, LineMiddle);
    shape.Five = Wins(run, exactFive);
    shape.Overline = run >= 6;

    // Fours: five points holding the middle stone, three more stones and one empty point that wins.
    std::array<uint16_t, 5> fours{};
    int fourCount = 0;
    for (int start = LineMiddle - 4; start <= LineMiddle; ++start) {
        int own = 0, empty = -1, blocked = 0;
        uint16_t stones = 0;
        for (int k = start; k < start + 5; ++k) {
            if (w[size_t(k)] == TCell::Own) {
                ++own;
                stones |= Bit(k);
            } else if (w[size_t(k)] == TCell::Empty) {
                empty = k;
            } else {
                ++blocked;
            }
        }
        if (own != 4 || blocked != 0 || !StoneWins(w, empty, exactFive)) continue;
        shape.FivePoints |= Bit(empty);
        if (std::find(fours.begin(), fours.begin() + fourCount, stones) == fours.begin() + fourCount)
            fours[size_t(fourCount++)] = stones;
    }
    shape.Fours = uint8_t(fourCount);

    // Threes: four points holding the middle stone and two more, whose empty point makes them four
    // in a row with both ends empty and each end winning.
    std::array<uint16_t, 4> threes{};
    int threeCount = 0;
    for (int start = LineMiddle - 3; start <= LineMiddle; ++start) {
        const int before = start - 1, after = start + 4;
        if (w[size_t(before)] != TCell::Empty || w[size_t(after)] != TCell::Empty) continue;
        int own = 0, empty = -1;
        uint16_t stones = 0;
        for (int k = start; k < start + 4; ++k) {
            if (w[size_t(k)] == TCell::Own) {
                ++own;
                stones |= Bit(k);
            } else if (w[size_t(k)] == TCell::Empty) {
                empty = k;
            }
        }
        if (own != 3 || empty < 0) continue;
        TWindow four = w;
        four[size_t(empty)] = TCell::Own;
        if (!StoneWins(four, before, exactFive) || !StoneWins(four, after, exactFive)) continue;
        shape.StraightFourPoints |= Bit(empty);
        if (std::find(threes.begin(), threes.begin() + threeCount, stones) == threes.begin() + threeCount)
            threes[size_t(threeCount++)] = stones;
    }
    shape.Threes = uint8_t(threeCount);
    return shape;
}

}  // namespace

const TLineShapes& TLineShapes::Get() {
    static const TLineShapes shapes;
    return shapes;
}

TLineShapes::TLineShapes() {
    for (uint32_t own = 0; own < Neighbours_.size(); ++own) {
        TWindow w{};
        for (int k = 0; k < LineWindow; ++k) w[size_t(k)] = (own >> k) & 1 ? TCell::Own : TCell::Empty;
        w[LineMiddle] = TCell::Own;
        int within3 = 0, within4 = 0;
        for (int k = 1; k <= 4; ++k)
            for (int side : {-1, 1}) {
                const int at = LineMiddle + side * k;
                const bool stone = w[size_t(at)] == TCell::Own;
                within4 += stone;
                within3 += stone && k <= 3;
            }
        Neighbours_[own] = uint8_t(std::min(RunThrough(w, LineMiddle), 15) |
                                   (within3 >= 2 || within4 >= 3 ? NeighbourInfo::MayShape : 0) |
                                   (within4 >= 4 ? NeighbourInfo::Crowded : 0));
    }
    for (uint32_t bits = 0; bits < Ternary_.size(); ++bits) {
        uint32_t value = 0, power = 1;
        for (int k = 0; k < 10; ++k, power *= 3)
            if (bits & (1u << k)) value += power;
        Ternary_[bits] = uint16_t(value);
    }
    for (int exact = 0; exact < 2; ++exact) {
        auto& table = Shapes_[size_t(exact)];
        table.resize(TableSize);
        for (int index = 0; index < TableSize; ++index) {
            TWindow w{};
            int rest = index;
            for (int k = 0; k < LineWindow; ++k) {
                if (k == LineMiddle) {
                    w[size_t(k)] = TCell::Own;
                    continue;
                }
                w[size_t(k)] = TCell(rest % 3);
                rest /= 3;
            }
            table[size_t(index)] = ShapeOf(w, exact == 1);
        }
        auto& summaries = Summaries_[size_t(exact)];
        summaries.resize(TableSize);
        for (size_t index = 0; index < summaries.size(); ++index) {
            const TLineShape& shape = table[index];
            if (shape.Fours > 7 || shape.Threes > 3)
                throw std::logic_error("a line shape beyond its summary");
            summaries[index] =
                uint8_t((shape.Five ? LineSummary::Five : 0) | (shape.Overline ? LineSummary::Overline : 0) |
                        shape.Fours << LineSummary::FoursShift | shape.Threes << LineSummary::ThreesShift);
        }
    }
}

}  // namespace kalvon
