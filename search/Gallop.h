// Finding the end of a run in sorted data where the end is usually near the start.
#pragma once

#include <algorithm>
#include <cstddef>

namespace kalvon {

// The first position from x on (below hi) where before(position) is false, for a predicate that holds
// on a prefix of x..hi: galloping, then binary search, because runs are long near the root of a search
// and short deep down.
template <class FBefore>
size_t Gallop(size_t x, size_t hi, FBefore&& before) {
    if (x >= hi || !before(x)) return x;
    size_t step = 1, last = x;  // before(last) holds
    while (last + step < hi && before(last + step)) {
        last += step;
        step *= 2;
    }
    size_t end = last + 1;
    for (size_t top = std::min(hi, last + step); end < top;) {
        const size_t mid = end + (top - end) / 2;
        if (before(mid))
            end = mid + 1;
        else
            top = mid;
    }
    return end;
}

}  // namespace kalvon
