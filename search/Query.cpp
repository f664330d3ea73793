#include "search/Query.h"

namespace kalvon {

// The dialog clears PlayerOn whenever it switches the query off; requiring QueryOn as well keeps a
// criterion that no longer filters from splitting the counts by colour.
bool PlayerCriterionActive(const TQueryCriteria& c) {
    return c.QueryOn && c.PlayerOn;
}

}  // namespace kalvon
