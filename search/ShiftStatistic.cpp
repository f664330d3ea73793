#include "search/ShiftStatistic.h"

#include "base/PointCodes.h"
#include "search/PositionSearch.h"
#include "search/PositionSets.h"

namespace kalvon {

std::pair<int, int> ShiftVector(int type, int s) {
    switch (type) {
        case 1:
            return {-s, -s};
        case 2:
            return {-s, 0};
        case 3:
            return {-s, s};
        case 4:
            return {0, -s};
        case 5:
            return {0, s};
        case 6:
            return {s, -s};
        case 7:
            return {s, 0};
        case 8:
            return {s, s};
        case 9:
            return {-s, -1};
        case 10:
            return {-s, 1};
        case 11:
            return {-1, -s};
        case 12:
            return {-1, s};
        case 13:
            return {1, -s};
        case 14:
            return {1, s};
        case 15:
            return {s, -1};
        case 16:
            return {s, 1};
        default:
            return {0, 0};
    }
}

bool HasCentreBlack(std::string_view moves) {
    if (moves.size() < 4) return false;
    const size_t pairs = moves.size() / 4;
    for (size_t i = 0; i < pairs; ++i)
        if (moves.substr(4 * i, 2) == "88") return true;
    return false;
}

std::string ShiftPosition(std::string_view moves, int type, int s) {
    const auto [dc, dr] = ShiftVector(type, s);
    std::string shifted;
    for (size_t i = 0; i + 1 < moves.size(); i += 2) {
        const int c = PointDigitValue(moves[i]) + dc, r = PointDigitValue(moves[i + 1]) + dr;
        if (PointDigitValue(moves[i]) == 0 || PointDigitValue(moves[i + 1]) == 0) return "";
        if (c < 1 || c > 15 || r < 1 || r > 15) return "";
        shifted += PointDigit(c);
        shifted += PointDigit(r);
    }
    return HasCentreBlack(shifted) ? shifted : "";
}

TResultCount ShiftStatistic(TGameBase& base, int s, TPositionIndex& index) {
    base.Listing.clear();
    TResultCount total;
    if (s != 1 && s != 2) return total;
    index.Refresh(base);
    const std::string position = base.CurrentMoves.substr(0, 2 * ValidMoveCount(base.CurrentMoves));
    for (int type = 1; type <= 8 * s; ++type) {
        const std::string shifted = ShiftPosition(position, type, s);
        if (shifted.empty()) continue;
        const TIndexMatches matches = FindPosition(index, base.PartyList, MoveValues(shifted));
        AppendMatchedGames(matches, index.GameCount(), base.Listing);
        for (const auto& [part, found] : matches) {
            for (const TRangeMatch& range : found.Ranges) total += part->CountRange(range.Lo, range.Hi);
            for (const TGameMatch& game : found.Games) ++total[part->Slot(game.Sorted)];
        }
    }
    return total;
}

std::string ShiftTotalText(const TResultCount& count) {
    return "Total: " + StatisticText(count);
}

}  // namespace kalvon
