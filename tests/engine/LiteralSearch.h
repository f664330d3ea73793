// The position search done the plain way, string by string, step by step: the model the fast search
// is checked against in the tests and measured against in the benchmarks.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/GameBase.h"
#include "base/PointCodes.h"
#include "search/NextMoveTable.h"
#include "search/Query.h"
#include "search/ResultCount.h"

namespace kalvon::literal {

inline constexpr std::string_view Digits = "123456789ABCDEF";

inline int Index(char c) {
    const size_t at = Digits.find(c);
    return at == std::string_view::npos ? 0 : int(at) + 1;
}

// The move string up to its first two characters that are no PointCode.
inline std::string ValidMoves(std::string_view moves) {
    std::string valid;
    for (size_t i = 0; i + 1 < moves.size(); i += 2) {
        if (Index(moves[i]) == 0 || Index(moves[i + 1]) == 0) break;
        valid += moves.substr(i, 2);
    }
    return valid;
}

inline std::string TransformPoint(const std::string& point, int t) {
    const int x = Index(point[0]), y = Index(point[1]);
    const auto m = [](int v) { return 16 - v; };
    int tx = x, ty = y;
    switch (t) {
        case 2:
            tx = y, ty = x;
            break;
        case 3:
            tx = m(x), ty = y;
            break;
        case 4:
            tx = x, ty = m(y);
            break;
        case 5:
            tx = m(x), ty = m(y);
            break;
        case 6:
            tx = m(y), ty = x;
            break;
        case 7:
            tx = y, ty = m(x);
            break;
        case 8:
            tx = m(y), ty = m(x);
            break;
        default:
            break;
    }
    return {Digits[size_t(tx - 1)], Digits[size_t(ty - 1)]};
}

inline int InverseTransform(int t) {
    return t == 6 ? 7 : t == 7 ? 6 : t;
}

inline bool PointInList(const std::string& point, const std::string& list) {
    for (size_t i = 0; i + 1 < list.size(); i += 2)
        if (list[i] == point[0] && list[i + 1] == point[1]) return true;
    return false;
}

struct TSets {
    std::string Black[9], White[9];
};

inline TSets BuildSets(const std::string& moves) {
    TSets sets;
    const size_t n = moves.size() / 2;
    for (size_t i = 1; i <= n / 2; ++i) {
        sets.Black[1] += moves.substr(2 * (2 * i - 1) - 2, 2);
        sets.White[1] += moves.substr(2 * (2 * i) - 2, 2);
    }
    if (n % 2 == 1) sets.Black[1] += moves.substr(2 * n - 2, 2);
    for (size_t i = 0; i < sets.Black[1].size(); i += 2)
        for (int t = 2; t <= 8; ++t) sets.Black[t] += TransformPoint(sets.Black[1].substr(i, 2), t);
    for (size_t i = 0; i < sets.White[1].size(); i += 2)
        for (int t = 2; t <= 8; ++t) sets.White[t] += TransformPoint(sets.White[1].substr(i, 2), t);
    return sets;
}

inline bool MatchPosition(const TSets& sets, const std::string& prefix, size_t m, int& matched) {
    for (int t = 1; t <= 8; ++t) {
        bool all = true;
        for (size_t j = 1; j <= m && all; ++j) {
            const std::string code = prefix.substr(2 * j - 2, 2);
            all = PointInList(code, j % 2 == 1 ? sets.Black[t] : sets.White[t]);
        }
        if (all) {
            matched = t;
            return true;
        }
    }
    return false;
}

inline int Slot(char result) {
    switch (result) {
        case '+':
            return 0;
        case '-':
            return 1;
        case '=':
            return 2;
        case 'F':
            return 4;
        case 'f':
            return 5;
        default:
            return 3;
    }
}

struct TCount {
    int Slots[6] = {0, 0, 0, 0, 0, 0};
    int Total() const { return Slots[0] + Slots[1] + Slots[2] + Slots[3] + Slots[4] + Slots[5]; }
    TResultCount ToResultCount() const {
        TResultCount c;
        c.BlackWin = Slots[0], c.WhiteWin = Slots[1], c.Draw = Slots[2], c.Open = Slots[3];
        c.ForfeitBlackWin = Slots[4], c.ForfeitWhiteWin = Slots[5];
        return c;
    }
};

struct TEntry {
    std::string Move;
    TCount Count;
};

inline std::string Text(const TCount& c) {
    char buffer[128];
    if (c.Slots[4] > 0 || c.Slots[5] > 0)
        std::snprintf(buffer, sizeof buffer, "%d +%dF%d-%df%d=%d", c.Total(), c.Slots[0], c.Slots[4],
                      c.Slots[1], c.Slots[5], c.Slots[2]);
    else
        std::snprintf(buffer, sizeof buffer, "%d +%d-%d=%d", c.Total(), c.Slots[0], c.Slots[1], c.Slots[2]);
    std::string text = buffer;
    if (c.Slots[3] > 0) text += "?" + std::to_string(c.Slots[3]);
    return text;
}

inline bool PlayerFilter(const TQueryCriteria& q, const TPartyRecord& g) {
    if (q.PlayerColour == 0)
        return (q.PlayerId == g.BlackId || q.PlayerId == g.WhiteId) &&
               (!q.OpponentOn || q.OpponentId == g.BlackId || q.OpponentId == g.WhiteId);
    if (q.PlayerColour == 1) return g.BlackId == q.PlayerId && (!q.OpponentOn || g.WhiteId == q.OpponentId);
    if (q.PlayerColour == 2) return g.WhiteId == q.PlayerId && (!q.OpponentOn || g.BlackId == q.OpponentId);
    return false;
}

inline bool QueryFilter(const TQueryCriteria& q, const TPartyRecord& g) {
    if (q.NotFinishedOn && g.Result != '?') return false;
    if (q.GroupOn && g.Board.substr(0, 1) != std::string(1, q.GroupChar)) return false;
    if (q.YearOn && g.Year != q.QueryYear) return false;
    if (q.PlayerOn && !literal::PlayerFilter(q, g)) return false;
    return true;
}

struct TResult {
    TListing Listing;
    TCount TotalCount;
    TCount ColourCount[3];
    int LastColourMark = 0;
    std::vector<TEntry> Table;
    std::vector<std::string> MemoLines;
    std::string MessageText;

    TNextMoveTable NextMoveTable() const {
        TNextMoveTable table;
        for (const TEntry& e : Table) table.push_back({e.Move, e.Count.ToResultCount()});
        return table;
    }
};

inline void Fold(std::vector<TEntry>& table, const std::string& current) {
    const size_t n = current.size() / 2;
    const auto m = [](char c) { return Digits[size_t(16 - Index(c) - 1)]; };
    for (TEntry& e : table) {
        if (e.Move == "En") continue;
        char x = e.Move[0], y = e.Move[1];
        if (current == "88") {
            if (x < '8') x = m(x);
            if (y < '8') y = m(y);
            if (y < x) std::swap(x, y);
        } else if (current == "8889") {
            if (x < '8') x = m(x);
        } else if (current == "8899") {
            if (x < y) std::swap(x, y);
        } else if (n == 3 && current.substr(0, 2) == "88" && current.substr(2, 2) == "89" &&
                   current[4] == '8') {
            if (x < '8') x = m(x);
        }
        e.Move = {x, y};
    }
}

inline std::string Label(int r) {
    const int code = r <= 26 ? 64 + r : 70 + r;
    return code <= 255 ? std::string(1, char(code)) : std::string();
}

// MakeStatistic for the position of currentMoves, as the steps describe it.
inline TResult MakeStatistic(const TGameBase& base, const std::string& currentMoves,
                             const TQueryCriteria& q) {
    TResult r;
    const std::string current = ValidMoves(currentMoves);
    const size_t n = current.size() / 2;
    TSets sets = BuildSets(current);
    const bool playerOn = q.QueryOn && q.PlayerOn;

    for (size_t i = 0; i < base.PartyList.size(); ++i) {
        const TPartyRecord& g = base.PartyList[i];
        // Only the position and the next move matter; a game ending before that is cut all the same.
        const std::string moves = ValidMoves(g.Moves.substr(0, 2 * n + 2));
        if (moves.size() < 2 * n) continue;
        int matched = 0;
        if (!MatchPosition(sets, moves.substr(0, 2 * n), n, matched)) continue;
        if (q.QueryOn && !literal::QueryFilter(q, g)) continue;
        int mark = 0;
        if (playerOn) mark = g.BlackId == q.PlayerId ? 1 : 2;
        r.LastColourMark = mark;
        r.Listing.push_back(long(i));
        const std::string next = moves.size() > current.size()
                                     ? TransformPoint(moves.substr(2 * n, 2), InverseTransform(matched))
                                     : "En";
        const int k = Slot(g.Result);
        ++r.TotalCount.Slots[k];
        if (mark != 0) ++r.ColourCount[mark].Slots[k];
        bool found = false;
        for (TEntry& e : r.Table)
            if (e.Move[0] == next[0] && e.Move[1] == next[1]) {
                ++e.Count.Slots[k];
                found = true;
                break;
            }
        if (!found) {
            TEntry e{next, {}};
            e.Count.Slots[k] = 1;
            r.Table.push_back(e);
        }
    }

    // Merge symmetric continuations.
    const size_t m = n + 1;
    for (size_t w = 0; w + 1 < r.Table.size(); ++w) {
        if (r.Table[w].Move == "En") continue;
        const std::string& move = r.Table[w].Move;
        for (int t = 1; t <= 8; ++t) {
            if (m % 2 == 1)
                sets.Black[t] = sets.Black[t].substr(0, 2 * (m / 2)) + TransformPoint(move, t);
            else
                sets.White[t] = sets.White[t].substr(0, 2 * (m / 2 - 1)) + TransformPoint(move, t);
        }
        for (size_t p = w + 1; p < r.Table.size();) {
            int matched = 0;
            if (MatchPosition(sets, current + r.Table[p].Move, m, matched)) {
                for (int s = 0; s < 6; ++s) r.Table[w].Count.Slots[s] += r.Table[p].Count.Slots[s];
                r.Table.erase(r.Table.begin() + long(p));
            } else {
                ++p;
            }
        }
    }
    // End entry first.
    size_t first = 0;
    for (size_t i = 0; i < r.Table.size(); ++i)
        if (r.Table[i].Move == "En") {
            if (i != 0) std::swap(r.Table[0], r.Table[i]);
            first = 1;
            break;
        }
    // Sort by frequency with the exchange procedure.
    for (size_t w = first; w + 1 < r.Table.size(); ++w)
        for (size_t i = w + 1; i < r.Table.size(); ++i)
            if (r.Table[i].Count.Total() > r.Table[w].Count.Total()) std::swap(r.Table[w], r.Table[i]);
    if (n < 5) Fold(r.Table, current);

    // The shown texts.
    std::string block;
    if (r.LastColourMark != 0) {
        const TCount& b = r.ColourCount[1];
        const TCount& w = r.ColourCount[2];
        TCount wr, total;
        wr.Slots[0] = w.Slots[1], wr.Slots[4] = w.Slots[5], wr.Slots[1] = w.Slots[0],
        wr.Slots[5] = w.Slots[4];
        wr.Slots[2] = w.Slots[2], wr.Slots[3] = w.Slots[3];
        for (int s = 0; s < 6; ++s) total.Slots[s] = b.Slots[s] + wr.Slots[s];
        block = "black: " + Text(b) + "\rwhite: " + Text(wr) + "\rTotal: " + Text(total);
    }
    r.MemoLines.push_back("Total: " + std::to_string(r.Listing.size()));
    r.MemoLines.push_back(Text(r.TotalCount));
    if (!block.empty()) {
        std::string line;
        for (char c : block + "\r") {
            if (c == '\r') {
                r.MemoLines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
    }
    int real = 0;
    for (const TEntry& e : r.Table) {
        if (e.Move == "En") {
            r.MemoLines.push_back("End: " + Text(e.Count));
        } else {
            ++real;
            r.MemoLines.push_back("(" + Label(real) + ")" + PointCodeToText(e.Move) + ": " + Text(e.Count));
        }
    }
    r.MessageText = "Total: " + Text(r.TotalCount);
    if (!block.empty()) r.MessageText += "\r\n" + block;
    for (const TEntry& e : r.Table) r.MessageText += "\n\r" + PointCodeToText(e.Move) + ": " + Text(e.Count);
    return r;
}

inline bool HasCentreBlack(const std::string& moves) {
    if (moves.size() < 4) return false;
    const size_t k = moves.size() / 4;
    for (size_t i = 1; i <= 2 * k - 1; i += 2)
        if (moves.substr(2 * i - 2, 2) == "88") return true;
    return false;
}

inline std::string ShiftPosition(const std::string& moves, int type, int s) {
    const int table[17][2] = {{0, 0},   {-s, -s}, {-s, 0},  {-s, s}, {0, -s}, {0, s}, {s, -s}, {s, 0}, {s, s},
                              {-s, -1}, {-s, 1},  {-1, -s}, {-1, s}, {1, -s}, {1, s}, {s, -1}, {s, 1}};
    const int dc = table[type][0], dr = table[type][1];
    std::string shifted;
    for (size_t i = 0; i + 1 < moves.size(); i += 2) {
        const int c = Index(moves[i]) + dc, r = Index(moves[i + 1]) + dr;
        if (c < 1 || c > 15 || r < 1 || r > 15) return "";
        shifted += Digits[size_t(c - 1)];
        shifted += Digits[size_t(r - 1)];
    }
    return HasCentreBlack(shifted) ? shifted : "";
}

struct TShiftResult {
    TListing Listing;
    TCount Count;
};

inline TShiftResult ShiftStatistic(const TGameBase& base, const std::string& currentMoves, int s) {
    TShiftResult r;
    const std::string current = ValidMoves(currentMoves);
    for (int type = 1; type <= 8 * s; ++type) {
        const std::string p = ShiftPosition(current, type, s);
        if (p.empty()) continue;
        const TSets sets = BuildSets(p);
        const size_t n = p.size() / 2;
        for (size_t i = 0; i < base.PartyList.size(); ++i) {
            const std::string moves = ValidMoves(base.PartyList[i].Moves.substr(0, 2 * n));
            int matched = 0;
            if (moves.size() < 2 * n || !MatchPosition(sets, moves.substr(0, 2 * n), n, matched)) continue;
            r.Listing.push_back(long(i));
            ++r.Count.Slots[Slot(base.PartyList[i].Result)];
        }
    }
    return r;
}

}  // namespace kalvon::literal
