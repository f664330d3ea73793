// Small bases written line by line for the search tests.
#pragma once

#include <string>
#include <vector>

#include "base/BaseEdits.h"
#include "base/GameBase.h"
#include "search/Statistic.h"
#include "search/StatisticLines.h"

namespace kalvon::test {

struct TGameLine {
    std::string Moves;
    char Result = '?';
    std::string Black = "NORD", White = "SUED", Year = "2003", Board = "4711";
};

inline std::string BaseLineOf(const TGameLine& g) {
    return g.Year + "," + g.Board + "=[" + g.Black + "," + g.White + "," + std::string(1, g.Result) + "," +
           g.Moves + ",?,-]";
}

inline TGameBase BaseOfGames(const std::vector<TGameLine>& games) {
    TGameBase base;
    for (const TGameLine& g : games) AddBaseLine(base, BaseLineOf(g));
    return base;
}

// The statistic of a position in a base, with its own index.
inline TStatistic StatisticOf(TGameBase& base, const std::string& position,
                              const TQueryCriteria& criteria = {}) {
    TPositionIndex index;
    base.CurrentMoves = position;
    return MakeStatistic(base, criteria, index);
}

inline std::vector<std::string> MemoOf(TGameBase& base, const std::string& position,
                                       const TQueryCriteria& criteria = {}) {
    return StatisticMemoLines(StatisticOf(base, position, criteria));
}

}  // namespace kalvon::test
