// Byte scanners over the text of a base: sixteen bytes at a time with SSE2, then eight at a time in a
// 64-bit word, then byte by byte. Each scanner is a probe that tests a block of each width; one loop
// drives them all. Simd = false keeps to the word and the single bytes, as a machine without SSE2
// does.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kalvon {

// A byte repeated over a word, and the high bit of every byte of a word.
inline constexpr uint64_t EveryByteOne = 0x0101'0101'0101'0101u;
inline constexpr uint64_t EveryByteHigh = 0x8080'8080'8080'8080u;

namespace bytescan {

// The first position from `from` on that the probe marks, or size. A probe has Block16 (a mask with
// bit k set for a marked byte k of sixteen; only with SSE2), Word (a word whose lowest set high bit
// marks the first marked byte of eight) and Byte (whether the one byte is marked).
template <bool Simd, typename TProbe>
inline size_t Scan(const char* text, size_t from, size_t size, TProbe& probe) {
    size_t i = from;
#if defined(__SSE2__)
    if constexpr (Simd) {
        for (; i + 16 <= size; i += 16) {
            const unsigned found = probe.Block16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)));
            if (found != 0) return i + size_t(std::countr_zero(found));
        }
    }
#endif
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        const uint64_t found = probe.Word(word);
        if (found != 0) {
            // Bytes past the first marked one may be marked falsely; only the lowest mark is sure.
            if constexpr (std::endian::native == std::endian::little)
                return i + size_t(std::countr_zero(found) / 8);
            break;
        }
    }
    for (; i < size && !probe.Byte(uint8_t(text[i])); ++i) {
    }
    return i;
}

// Marks the bytes equal to one byte.
struct TEqualProbe {
    explicit TEqualProbe(char c) : Wanted(uint8_t(c)), Pattern(EveryByteOne * uint8_t(c)) {
#if defined(__SSE2__)
        Wanted16 = _mm_set1_epi8(c);
#endif
    }
#if defined(__SSE2__)
    unsigned Block16(__m128i bytes) const {
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, Wanted16)));
    }
    __m128i Wanted16;
#endif
    uint64_t Word(uint64_t word) const {
        word ^= Pattern;
        return (word - EveryByteOne) & ~word & EveryByteHigh;
    }
    bool Byte(uint8_t byte) const {
        return byte == Wanted;
    }

    uint8_t Wanted;
    uint64_t Pattern;
};

// Marks the control characters up to CR (LF, CR and NUL among them) and joins the bytes it looks at,
// of which only the high bits count: whether a byte above ASCII was met.
struct TControlProbe {
    static constexpr uint8_t Last = '\r';

#if defined(__SSE2__)
    unsigned Block16(__m128i bytes) {
        All16 = _mm_or_si128(All16, bytes);
        // The bytes up to CR are those that the unsigned minimum with CR leaves as they are.
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(Last)), bytes)));
    }
    __m128i All16 = _mm_setzero_si128();
#endif
    uint64_t Word(uint64_t word) {
        Joined |= word;
        return (word - EveryByteOne * (Last + 1)) & ~word & EveryByteHigh;
    }
    bool Byte(uint8_t byte) {
        if (byte <= Last) return true;
        Joined |= byte;
        return false;
    }
    // The bytes joined by all three widths.
    uint64_t AllJoined() const {
#if defined(__SSE2__)
        if (_mm_movemask_epi8(All16) != 0) return Joined | EveryByteHigh;
#endif
        return Joined;
    }

    uint64_t Joined = 0;
};

}  // namespace bytescan

// The position of the first c in text from `from` on, or npos; sixteen or eight bytes are tested at a
// time, so that the short fields of a line cost no call each.
template <bool Simd = true>
inline size_t FindByte(std::string_view text, size_t from, char c) {
    bytescan::TEqualProbe probe(c);
    const size_t at = bytescan::Scan<Simd>(text.data(), from, text.size(), probe);
    return at < text.size() ? at : std::string_view::npos;
}

// The position of the first byte from `from` on that is a control character up to CR (LF, CR and NUL
// among them), or size when there is none. The bytes looked at up to the one found, and perhaps a few
// after it in the same block, leave their high bits in `joined`, so that the caller learns on the way
// whether a line is all ASCII.
template <bool Simd = true>
inline size_t NextControlByte(const char* text, size_t from, size_t size, uint64_t& joined) {
    bytescan::TControlProbe probe;
    const size_t at = bytescan::Scan<Simd>(text, from, size, probe);
    joined |= probe.AllJoined();
    return at;
}

}  // namespace kalvon
