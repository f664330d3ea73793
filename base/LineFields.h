// The fields of a base line cut from its text, for the parse of one line and for the load, which cuts
// a million lines and wants the cut inline.
#pragma once

#include <algorithm>
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

// Nullopt when the line, as its fields were cut, is written back whole by a save; otherwise the fault
// that loses text: a missing "=", "[" or "]", text after the "]", more or fewer than six fields.
// Normalisations (an unpadded board code, a lower-case flag, the line end) are no fault.
inline std::optional<std::string> LineDamage(std::string_view line, const TLineFields& fields) {
    if (fields.Equals == std::string_view::npos)
        return line.find('=') == std::string_view::npos ? "no \"=\""
                                                        : "no \",\" between the year and the board";
    if (fields.FieldCount == 6 && line[fields.Equals + 1] == '[' && line.back() == ']') return std::nullopt;
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
