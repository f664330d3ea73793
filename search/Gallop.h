// Finding the end of a run in sorted data where the end is usually near the start.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The first position from x on (below hi) whose byte is at least value, in bytes that ascend over
// x..hi. Short runs are the common case deep in a search: sixteen bytes are compared at a time before
// galloping, which spares the mispredicted branches of a binary search.
inline size_t FirstAtLeast(const uint8_t* bytes, size_t x, size_t hi, unsigned value) {
    if (value > 0xFF) return hi;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(char(value));
    for (int chunk = 0; chunk < 4 && x + 16 <= hi; ++chunk, x += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + x));
        const unsigned atLeast = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v, wanted), v)));
        if (atLeast != 0) return x + size_t(__builtin_ctz(atLeast));
    }
#endif
    return Gallop(x, hi, [&](size_t y) { return bytes[y] < value; });
}

}  // namespace kalvon
