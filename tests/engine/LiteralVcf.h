// A VCF checked move by move against the rules' wording, and the shortest VCF found by trying every
// four and every reply: the oracles of the VCF search, built on the literal rules.
#pragma once

#include <string>
#include <vector>

#include "tests/engine/LiteralRules.h"

namespace kalvon::test {

// The empty points where a stone of the side makes a winning row.
inline std::vector<TSpot> WinningSpots(const TLiteralBoard& board, TSide side, TRule rule) {
    std::vector<TSpot> spots;
    for (int c = 1; c <= 15; ++c)
        for (int r = 1; r <= 15; ++r)
            if (board.At(c, r) == 0 && board.MakesFive(c, r, side, rule)) spots.push_back({c, r});
    return spots;
}

inline bool Among(const std::vector<TSpot>& spots, TSpot spot) {
    return std::find(spots.begin(), spots.end(), spot) != spots.end();
}

// "" when the moves (attacker first, then the two sides in turn) are a VCF of the attacker on the
// board under the rule; otherwise what is wrong, naming the move.
inline std::string VcfLineFault(TLiteralBoard board, TRule rule, TSide attacker,
                                const std::vector<TSpot>& moves) {
    const TSide defender = Opponent(attacker);
    const int attackerStone = TLiteralBoard::StoneOf(attacker),
              defenderStone = TLiteralBoard::StoneOf(defender);
    for (size_t i = 0; i < moves.size(); ++i) {
        const auto [c, r] = moves[i];
        const std::string where = "move " + std::to_string(i + 1) + ": ";
        const bool last = i + 1 == moves.size();
        if (!TLiteralBoard::OnBoard(c, r) || board.At(c, r) != 0) return where + "not an empty point";
        if (i % 2 == 0) {
            if (board.MakesFive(c, r, attacker, rule))
                return last ? "" : where + "a winning row before the end";
            const std::vector<TSpot> threats = WinningSpots(board, defender, rule);
            if (!threats.empty() && !Among(threats, {c, r})) return where + "leaves the defender's four";
            if (board.FourCount(c, r, attacker, rule) == 0) return where + "makes no four";
            if (board.IsForbidden(c, r, attacker, rule)) return where + "forbidden";
            board.Set(c, r, attackerStone);
            if (last) {
                // Only a four whose every block is forbidden to black may end it.
                const std::vector<TSpot> wins = WinningSpots(board, attacker, rule);
                for (const TSpot& w : wins)
                    if (!board.IsForbidden(w.first, w.second, defender, rule))
                        return where + "ends without a win";
                return wins.empty() ? where + "ends without a four" : "";
            }
        } else {
            if (!Among(WinningSpots(board, attacker, rule), {c, r}))
                return where + "blocks no point of the four";
            if (board.MakesFive(c, r, defender, rule)) return where + "the defender's winning row";
            if (board.IsForbidden(c, r, defender, rule)) return where + "a block forbidden to black";
            board.Set(c, r, defenderStone);
        }
    }
    return "ends with the defender's move";
}

// Whether the attacker to move wins by fours within length moves, every reply tried.
inline bool WinsByFours(TLiteralBoard& board, TRule rule, TSide attacker, int length) {
    if (length <= 0) return false;
    if (!WinningSpots(board, attacker, rule).empty()) return true;
    const TSide defender = Opponent(attacker);
    const std::vector<TSpot> threats = WinningSpots(board, defender, rule);
    if (threats.size() >= 2) return false;
    for (int c = 1; c <= 15; ++c) {
        for (int r = 1; r <= 15; ++r) {
            if (board.At(c, r) != 0 || (!threats.empty() && !Among(threats, {c, r}))) continue;
            if (board.FourCount(c, r, attacker, rule) == 0 || board.IsForbidden(c, r, attacker, rule))
                continue;
            board.Set(c, r, TLiteralBoard::StoneOf(attacker));
            bool wins = true, anyReply = false;
            for (const TSpot& reply : WinningSpots(board, attacker, rule)) {
                if (board.IsForbidden(reply.first, reply.second, defender, rule)) continue;
                anyReply = true;
                if (board.MakesFive(reply.first, reply.second, defender, rule) || length < 2) {
                    wins = false;
                    break;
                }
                board.Set(reply.first, reply.second, TLiteralBoard::StoneOf(defender));
                wins = WinsByFours(board, rule, attacker, length - 1);
                board.Set(reply.first, reply.second, 0);
                if (!wins) break;
            }
            board.Set(c, r, 0);
            if (wins || !anyReply) return true;
        }
    }
    return false;
}

// The length of the shortest VCF within maxLength, or 0 when there is none.
inline int ShortestVcf(TLiteralBoard board, TRule rule, TSide attacker, int maxLength) {
    for (int length = 1; length <= maxLength; ++length)
        if (WinsByFours(board, rule, attacker, length)) return length;
    return 0;
}

}  // namespace kalvon::test
