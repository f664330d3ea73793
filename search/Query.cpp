#include "search/Query.h"

namespace kalvon {

bool PlayerFilter(const TQueryCriteria& c, const TPartyRecord& g) {
    switch (TPlayerColour(c.PlayerColour)) {
        case TPlayerColour::All:
            return (g.BlackId == c.PlayerId || g.WhiteId == c.PlayerId) &&
                   (!c.OpponentOn || g.BlackId == c.OpponentId || g.WhiteId == c.OpponentId);
        case TPlayerColour::Black:
            return g.BlackId == c.PlayerId && (!c.OpponentOn || g.WhiteId == c.OpponentId);
        case TPlayerColour::White:
            return g.WhiteId == c.PlayerId && (!c.OpponentOn || g.BlackId == c.OpponentId);
    }
    return false;
}

bool QueryFilter(const TQueryCriteria& c, const TPartyRecord& g) {
    if (c.NotFinishedOn && g.Result != '?') return false;
    if (c.GroupOn && (g.Board.empty() ? ' ' : g.Board[0]) != c.GroupChar) return false;
    if (c.YearOn && g.Year != c.QueryYear) return false;
    if (c.PlayerOn && !PlayerFilter(c, g)) return false;
    return true;
}

// The dialog clears PlayerOn whenever it switches the query off; requiring QueryOn as well keeps a
// criterion that no longer filters from splitting the counts by colour.
bool PlayerCriterionActive(const TQueryCriteria& c) {
    return c.QueryOn && c.PlayerOn;
}

}  // namespace kalvon
