#include "search/Query.h"

#include <vector>

#include "base/GameTexts.h"

namespace kalvon {

// The dialog clears PlayerOn whenever it switches the query off; requiring QueryOn as well keeps a
// criterion that no longer filters from splitting the counts by colour.
bool PlayerCriterionActive(const TQueryCriteria& c) {
    return c.QueryOn && c.PlayerOn;
}

std::string QueryDescription(const TBaseGames& base, const TQueryCriteria& c) {
    if (!c.QueryOn) return {};
    std::vector<std::string> parts;
    if (c.PlayerOn) {
        std::string player = PlayerName(base, c.PlayerId);
        if (c.PlayerColour == int(TPlayerColour::Black)) player += " as black";
        if (c.PlayerColour == int(TPlayerColour::White)) player += " as white";
        if (c.OpponentOn) player += " against " + PlayerName(base, c.OpponentId);
        parts.push_back(std::move(player));
    }
    if (c.YearOn) parts.push_back(c.QueryYear);
    if (c.GroupOn)
        parts.push_back(c.GroupChar == ' ' ? std::string("no group")
                                           : "group " + std::string(1, c.GroupChar));
    if (c.NotFinishedOn) parts.push_back("not finished");
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

}  // namespace kalvon
