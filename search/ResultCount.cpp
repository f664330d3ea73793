#include "search/ResultCount.h"

#include "base/TextFields.h"

namespace kalvon {

TResultSlot ResultSlot(char result) {
    switch (result) {
        case '+':
            return TResultSlot::BlackWin;
        case '-':
            return TResultSlot::WhiteWin;
        case '=':
            return TResultSlot::Draw;
        case 'F':
            return TResultSlot::ForfeitBlackWin;
        case 'f':
            return TResultSlot::ForfeitWhiteWin;
        default:
            return TResultSlot::Open;
    }
}

int& TResultCount::operator[](TResultSlot slot) {
    switch (slot) {
        case TResultSlot::BlackWin:
            return BlackWin;
        case TResultSlot::WhiteWin:
            return WhiteWin;
        case TResultSlot::Draw:
            return Draw;
        case TResultSlot::ForfeitBlackWin:
            return ForfeitBlackWin;
        case TResultSlot::ForfeitWhiteWin:
            return ForfeitWhiteWin;
        default:
            return Open;
    }
}

int TResultCount::operator[](TResultSlot slot) const {
    return const_cast<TResultCount&>(*this)[slot];
}

TResultCount& TResultCount::operator+=(const TResultCount& other) {
    BlackWin += other.BlackWin;
    WhiteWin += other.WhiteWin;
    Draw += other.Draw;
    Open += other.Open;
    ForfeitBlackWin += other.ForfeitBlackWin;
    ForfeitWhiteWin += other.ForfeitWhiteWin;
    return *this;
}

std::string StatisticText(const TResultCount& c) {
    const auto n = [](int v) { return std::to_string(v); };
    std::string text;
    if (c.ForfeitBlackWin > 0 || c.ForfeitWhiteWin > 0)
        text = Concat({n(c.Total()), " +", n(c.BlackWin), "F", n(c.ForfeitBlackWin), "-", n(c.WhiteWin), "f",
                       n(c.ForfeitWhiteWin), "=", n(c.Draw)});
    else
        text = Concat({n(c.Total()), " +", n(c.BlackWin), "-", n(c.WhiteWin), "=", n(c.Draw)});
    if (c.Open > 0) text = Concat({text, "?", n(c.Open)});
    return text;
}

}  // namespace kalvon
