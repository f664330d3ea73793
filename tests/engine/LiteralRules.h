// The rules of renju and gomoku written straight from their wording, slow and plain: the oracle the
// tests hold the engine's line tables, forbidden points and VCF search against. Points are
// (column, row) from 1; a stone is 0 (empty), 1 (black) or 2 (white).
#pragma once

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "base/PointCodes.h"
#include "rules/Forbidden.h"
#include "rules/Rule.h"

namespace kalvon::test {

using TSpot = std::pair<int, int>;  // column, row

class TLiteralBoard {
public:
    static constexpr int Lines[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};

    int At(int c, int r) const { return Cells_[size_t(c - 1)][size_t(r - 1)]; }
    void Set(int c, int r, int stone) { Cells_[size_t(c - 1)][size_t(r - 1)] = stone; }
    static bool OnBoard(int c, int r) { return c >= 1 && c <= 15 && r >= 1 && r <= 15; }
    static int StoneOf(TSide side) { return side == TSide::Black ? 1 : 2; }

    // Plays a move string, black first; false at a code that is no point or a point taken.
    bool Play(std::string_view moves) {
        for (size_t k = 0; k + 1 < moves.size(); k += 2) {
            const int c = PointDigitValue(moves[k]), r = PointDigitValue(moves[k + 1]);
            if (c == 0 || r == 0 || At(c, r) != 0) return false;
            Set(c, r, k / 2 % 2 == 0 ? 1 : 2);
        }
        return true;
    }

    // How many stones of the stone's colour stand in a row through (c, r) along the line, (c, r)
    // counted as holding one.
    int Run(int c, int r, int line, int stone) const {
        int length = 1;
        for (int sign : {-1, 1}) {
            int x = c + sign * Lines[line][0], y = r + sign * Lines[line][1];
            while (OnBoard(x, y) && At(x, y) == stone) {
                ++length;
                x += sign * Lines[line][0];
                y += sign * Lines[line][1];
            }
        }
        return length;
    }

    // Whether a stone on the empty point makes a winning row in that line.
    bool WinsInLine(int c, int r, int line, TSide side, TRule rule) const {
        const int run = Run(c, r, line, StoneOf(side));
        return ExactFiveWins(rule, side) ? run == 5 : run >= 5;
    }
    bool MakesFive(int c, int r, TSide side, TRule rule) const {
        for (int line = 0; line < 4; ++line)
            if (WinsInLine(c, r, line, side, rule)) return true;
        return false;
    }
    bool MakesOverline(int c, int r, TSide side) const {
        for (int line = 0; line < 4; ++line)
            if (Run(c, r, line, StoneOf(side)) >= 6) return true;
        return false;
    }

    // The fours a stone on the empty point makes in the line: each a set of four stones, the new one
    // among them, within five points whose fifth is empty and wins. (Fixed arrays rather than sets:
    // the tests ask this millions of times, also under the sanitizers.)
    int FourCount(int c, int r, int line, TSide side, TRule rule) {
        const int stone = StoneOf(side), dc = Lines[line][0], dr = Lines[line][1];
        std::array<std::array<TSpot, 4>, 5> fours{};
        int count = 0;
        Set(c, r, stone);
        for (int start = -4; start <= 0; ++start) {
            std::array<TSpot, 4> stones{};
            int own = 0, empty = 0, blocked = 0;
            TSpot gap;
            for (int k = start; k < start + 5; ++k) {
                const int x = c + k * dc, y = r + k * dr;
                if (!OnBoard(x, y) || (At(x, y) != stone && At(x, y) != 0)) {
                    ++blocked;
                } else if (At(x, y) == stone) {
                    if (own < 4) stones[size_t(own)] = {x, y};
                    ++own;
                } else {
                    ++empty;
                    gap = {x, y};
                }
            }
            if (blocked != 0 || own != 4 || empty != 1) continue;
            if (WinsInLine(gap.first, gap.second, line, side, rule)) {
                std::sort(stones.begin(), stones.end());
                if (std::find(fours.begin(), fours.begin() + count, stones) == fours.begin() + count)
                    fours[size_t(count++)] = stones;
            }
        }
        Set(c, r, 0);
        return count;
    }
    int FourCount(int c, int r, TSide side, TRule rule) {
        int count = 0;
        for (int line = 0; line < 4; ++line) count += FourCount(c, r, line, side, rule);
        return count;
    }

    // The threes a stone on the empty point makes in the line, each with its straight-four points:
    // an empty point of the line whose stone gives four in a row holding both stones, with both ends
    // empty and each end making a winning row.
    struct TThree {
        std::array<TSpot, 3> Stones{};
        std::array<TSpot, 4> Points{};
        int PointCount = 0;
    };
    struct TThrees {
        std::array<TThree, 8> Items{};
        int Count = 0;
    };
    TThrees Threes(int c, int r, int line, TSide side, TRule rule) {
        const int stone = StoneOf(side), dc = Lines[line][0], dr = Lines[line][1];
        TThrees threes;
        Set(c, r, stone);
        for (int q = -14; q <= 14; ++q) {
            const int qc = c + q * dc, qr = r + q * dr;
            if (q == 0 || !OnBoard(qc, qr) || At(qc, qr) != 0) continue;
            Set(qc, qr, stone);
            for (int start = std::min(0, q) - 3; start <= std::min(0, q); ++start) {
                if (std::max(0, q) > start + 3) continue;
                std::array<TSpot, 3> three{};
                int stones = 0;
                bool four = true;
                for (int k = start; k < start + 4; ++k) {
                    const int x = c + k * dc, y = r + k * dr;
                    if (!OnBoard(x, y) || At(x, y) != stone) four = false;
                    if (k != q && stones < 3) three[size_t(stones++)] = {x, y};
                }
                const int bc = c + (start - 1) * dc, br = r + (start - 1) * dr;
                const int ac = c + (start + 4) * dc, ar = r + (start + 4) * dr;
                if (!four || !OnBoard(bc, br) || !OnBoard(ac, ar) || At(bc, br) != 0 || At(ac, ar) != 0)
                    continue;
                if (!WinsInLine(bc, br, line, side, rule) || !WinsInLine(ac, ar, line, side, rule)) continue;
                std::sort(three.begin(), three.end());
                TThree* known = nullptr;
                for (int t = 0; t < threes.Count; ++t)
                    if (threes.Items[size_t(t)].Stones == three) known = &threes.Items[size_t(t)];
                if (!known) {
                    known = &threes.Items.at(size_t(threes.Count++));
                    known->Stones = three;
                }
                known->Points.at(size_t(known->PointCount++)) = {qc, qr};
            }
            Set(qc, qr, 0);
        }
        Set(c, r, 0);
        return threes;
    }
    int ThreeCount(int c, int r, TSide side, TRule rule) {
        int count = 0;
        for (int line = 0; line < 4; ++line) count += Threes(c, r, line, side, rule).Count;
        return count;
    }

    // Black's forbidden point under renju: five first (never forbidden), then overline, double-four,
    // and double-three of real threes (one of whose straight-four points is allowed, with the stone
    // in place).
    TForbiddenKind Forbidden(int c, int r) {
        if (MakesFive(c, r, TSide::Black, TRule::Renju)) return TForbiddenKind::None;
        if (MakesOverline(c, r, TSide::Black)) return TForbiddenKind::Overline;
        if (FourCount(c, r, TSide::Black, TRule::Renju) >= 2) return TForbiddenKind::DoubleFour;
        int real = 0;
        for (int line = 0; line < 4; ++line) {
            const TThrees threes = Threes(c, r, line, TSide::Black, TRule::Renju);
            for (int t = 0; t < threes.Count; ++t) {
                const TThree& three = threes.Items[size_t(t)];
                Set(c, r, 1);
                const bool allowed = std::any_of(
                    three.Points.begin(), three.Points.begin() + three.PointCount,
                    [&](const TSpot& q) { return Forbidden(q.first, q.second) == TForbiddenKind::None; });
                Set(c, r, 0);
                real += allowed;
            }
        }
        return real >= 2 ? TForbiddenKind::DoubleThree : TForbiddenKind::None;
    }
    bool IsForbidden(int c, int r, TSide side, TRule rule) {
        return rule == TRule::Renju && side == TSide::Black && Forbidden(c, r) != TForbiddenKind::None;
    }

private:
    std::array<std::array<int, 15>, 15> Cells_{};
};

}  // namespace kalvon::test
