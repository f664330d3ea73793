// Counts of games by result, and their one-line form such as "10 +4-3=2?1".
#pragma once

#include <array>
#include <string>

namespace kalvon {

// The six counters of a TResultCount, in their fixed order.
enum class TResultSlot : int { BlackWin, WhiteWin, Draw, Open, ForfeitBlackWin, ForfeitWhiteWin };
inline constexpr int ResultSlotCount = 6;

// The counter a game's result code goes to: '+', '-', '=', 'F', 'f' have their own; any other
// character, normally '?', counts as Open.
TResultSlot ResultSlot(char result);

struct TResultCount {
    int BlackWin = 0;
    int WhiteWin = 0;
    int Draw = 0;
    int Open = 0;
    int ForfeitBlackWin = 0;
    int ForfeitWhiteWin = 0;

    int& operator[](TResultSlot slot);
    int operator[](TResultSlot slot) const;
    // The number of games counted.
    int Total() const { return BlackWin + WhiteWin + Draw + Open + ForfeitBlackWin + ForfeitWhiteWin; }
    TResultCount& operator+=(const TResultCount& other);
    bool operator==(const TResultCount&) const = default;
};

// "T +b-w=d" with "?o" appended when open games were counted; with any forfeit the form is
// "T +bFfb-wfw=d": 10 +4-3=2?1, 12 +4F1-3f1=2?1, 0 +0-0=0.
std::string StatisticText(const TResultCount& count);

}  // namespace kalvon
