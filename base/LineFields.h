// The fields of a base line cut from its text, for the parse of one line and for the load, which cuts
// a million lines and wants the cut inline.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/BaseLine.h"
#include "base/ByteScan.h"
#include "base/GameBase.h"
#include "base/TextFields.h"

namespace kalvon {

// The fields of one base line as they stand in the text.
struct TLineFields {
    std::string_view Year, Board, Black, White, Result, Moves, Alt, Flag;
    size_t Equals = std::string_view::npos;  // where the "=" stands, npos when there is none
    uint8_t FieldCount = 0;                  // fields between the brackets; 7 stands for more than six
};

// The fields are cut as SplitField cuts them (a missing field is empty), here without a call per
// field.
inline TLineFields SplitLine(std::string_view line) {
    constexpr size_t None = std::string_view::npos;
    // Each field is made once, where it is found: the struct is not first filled with empty views.
    const size_t comma = FindByte(line, 0, ',');
    if (comma == None) return {line, {}, {}, {}, {}, {}, {}, {}, FindByte(line, 0, '='), 0};
    const std::string_view year = line.substr(0, comma);
    const size_t equals = FindByte(line, comma + 1, '=');
    const std::string_view board = line.substr(comma + 1, equals == None ? None : equals - comma - 1);
    // The characters right after "=" and at the very end are "[" and "]"; they are dropped unread.
    if (equals == None || equals + 3 > line.size()) return {year, board, {}, {}, {}, {}, {}, {}, equals, 0};
    const std::string_view inner = line.substr(equals + 2, line.size() - equals - 3);
    size_t at = 0;
    uint8_t count = 0;
    auto next = [&]() -> std::string_view {
        if (at > inner.size()) return {};
        ++count;
        const size_t end = FindByte(inner, at, ',');
        const std::string_view field = inner.substr(at, end == None ? None : end - at);
        at = end == None ? inner.size() + 1 : end + 1;
        return field;
    };
    const std::string_view black = next();
    const std::string_view white = next();
    const std::string_view result = next();
    const std::string_view moves = next();
    const std::string_view alt = next();
    const std::string_view flag = next();
    if (at <= inner.size()) ++count;  // a seventh field
    return {year, board, black, white, result, moves, alt, flag, equals, count};
}

// What a save would change in fields that the line holds in their places, named for a message: a
// result that is not one of the six result codes, moves that are not whole points of the board, a
// blank alternative (saved as "?"), a flag other than R or -. Kept out of line: damage is rare.
std::string ResultDamage(std::string_view result);
std::string MovesDamage(std::string_view moves, size_t at);
std::string AltDamage();
std::string FlagDamage(std::string_view flag);

// Whether each byte is a PointCode digit, for the check of a million move strings.
inline constexpr std::array<bool, 256> PointDigitBytes = [] {
    std::array<bool, 256> table{};
    for (char c : PointDigits) table[uint8_t(c)] = true;
    return table;
}();

// Where the moves stop being whole points: the first byte that is no PointCode digit, the size of
// an odd text whose last byte is then half a point, or npos when every pair is a point. Sixteen
// bytes at a time where SSE2 is there: a load checks some hundred million of them.
inline size_t MovesFault(std::string_view moves) {
    const char* p = moves.data();
    const size_t n = moves.size();
    size_t i = 0;
#if defined(__SSE2__)
    // A byte is a digit when byte - '1' <= 8 or byte - 'A' <= 5, both unsigned.
    const __m128i one = _mm_set1_epi8('1'), eight = _mm_set1_epi8(8);
    const __m128i a = _mm_set1_epi8('A'), five = _mm_set1_epi8(5);
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i digit = _mm_sub_epi8(bytes, one), letter = _mm_sub_epi8(bytes, a);
        const __m128i ok = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(digit, eight), digit),
                                        _mm_cmpeq_epi8(_mm_min_epu8(letter, five), letter));
        const unsigned good = unsigned(_mm_movemask_epi8(ok));
        if (good != 0xFFFFu) [[unlikely]]
            return i + size_t(std::countr_zero(~good));
    }
#endif
    for (; i < n; ++i)
        if (!PointDigitBytes[uint8_t(p[i])]) [[unlikely]]
            return i;
    return n % 2 == 0 ? std::string_view::npos : n;
}

// Whether the byte is one of the six result codes, without a search: a load asks it once a line.
inline bool IsResultByte(char c) {
    switch (c) {
        case '+':
        case '-':
        case '=':
        case 'F':
        case 'f':
        case '?':
            return true;
        default:
            return false;
    }
}

// Nullopt when the fields, cut from a line whose frame is whole, are written back as they stand.
inline std::optional<std::string> FieldDamage(const TLineFields& f) {
    if (f.Result.size() != 1 || !IsResultByte(f.Result[0])) [[unlikely]]
        return ResultDamage(f.Result);
    if (const size_t fault = MovesFault(f.Moves); fault != std::string_view::npos) [[unlikely]]
        return MovesDamage(f.Moves, fault);
    if (f.Alt.empty() || (uint8_t(f.Alt[0]) <= ' ' && Trim(f.Alt).empty())) [[unlikely]]
        return AltDamage();
    if (f.Flag.size() != 1 || (f.Flag[0] != 'R' && f.Flag[0] != '-')) [[unlikely]]
        return FlagDamage(f.Flag);
    return std::nullopt;
}

// Nullopt when the line, as its fields were cut, is written back byte for byte by a save but for the
// documented normalisations (the board code padded to five characters, the line end, and a player's
// spelling taken from the first line that names the player in a spelling that differs only in letter
// case); otherwise the first fault: a missing "=", "[" or "]", text after the "]", more or fewer
// than six fields, then what FieldDamage names.
inline std::optional<std::string> LineDamage(std::string_view line, const TLineFields& fields) {
    if (fields.Equals == std::string_view::npos)
        return line.find('=') == std::string_view::npos ? "no \"=\""
                                                        : "no \",\" between the year and the board";
    if (fields.FieldCount == 6 && line[fields.Equals + 1] == '[' && line.back() == ']') [[likely]]
        return FieldDamage(fields);
    if (fields.Equals + 1 >= line.size() || line[fields.Equals + 1] != '[') return "no \"[\" after the \"=\"";
    if (line.back() != ']') {
        const size_t close = line.rfind(']');
        return close == std::string_view::npos || close <= fields.Equals ? "no closing \"]\""
                                                                         : "text after the \"]\"";
    }
    const std::string_view inner = line.substr(fields.Equals + 2, line.size() - fields.Equals - 3);
    const size_t count = size_t(std::count(inner.begin(), inner.end(), ',')) + 1;
    return std::to_string(count) + (count == 1 ? " field" : " fields") +
           " between the brackets instead of six";
}

// Everything of the game but its players.
inline void FillRecord(TPartyRecord& party, const TLineFields& f) {
    party.Year = f.Year;
    if (f.Board.size() >= BoardCodeWidth) {
        party.Board = f.Board;
    } else {
        std::string padded;  // short enough to need no heap block
        AppendBoardCode(padded, f.Board);
        party.Board = padded;
    }
    party.Result = f.Result.empty() ? '?' : f.Result[0];
    party.Moves = f.Moves;
    party.Alt = Trim(f.Alt).empty() ? std::string_view("?") : f.Alt;
    party.Reverse = f.Flag == "R";
}

}  // namespace kalvon
