// One line of a .bdt base: "2003, 4711=[BLACK,WHITE,+,8889...,?,-]", written, read and checked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/GameBase.h"

namespace kalvon {

// The board code stands right-aligned in this many characters; a longer code stands as it is.
inline constexpr size_t BoardCodeWidth = 5;

// Appends the board code right-aligned in BoardCodeWidth characters (blanks before a shorter one).
inline void AppendBoardCode(std::string& out, std::string_view board) {
    if (board.size() < BoardCodeWidth) out.append(BoardCodeWidth - board.size(), ' ');
    out += board;
}

// The texts a base line is written from.
struct TBaseLineParts {
    std::string_view Year, Board, Black, White;
    char Result = '?';
    std::string_view Moves, Alt;
    bool Reverse = false;
};
// Appends the base line of the parts without line end ("%s,%5s=[%s,%s,%c,%s,%s,R]" or with "-" for
// R) and builds no text of its own: a save formats a million of these.
void AppendBaseLine(std::string& out, const TBaseLineParts& parts);
// Appends the base line of a game of the base; a player id without a player gives an empty name.
void AppendBaseLine(std::string& out, const TBaseGames& base, const TPartyRecord& party);
// The base line of a game, without line end.
std::string FormatBaseLine(const TBaseGames& base, const TPartyRecord& party);

// The game a base line holds, with its players' names; ids are left 0. Never fails: missing fields
// stay empty, and a missing result character gives "?".
TPartyRecord ParseBaseLine(std::string_view line, std::string& blackName, std::string& whiteName);

// The key of a game, its year and board code, as every comparison of keys takes it: the year as the
// loader reads it, a comma, the board code right-aligned in BoardCodeWidth characters as the loader
// pads it, ASCII letters in lower case. Lines that load as the same year and board have one key.
std::string FoldedKey(std::string_view year, std::string_view board);
// The key of a base line, its year and board cut as the loader cuts them (the line trimmed first).
// Other bytes are compared as they are: a collation would take a soft hyphen for nothing.
std::string FoldedKey(std::string_view line);

// Nullopt when the text may stand as that field of a base line; otherwise the message that says why
// not. Names, years, board codes and alternatives may hold no ",", "=", "[", "]" or line break.
std::optional<std::string> CheckBaseField(std::string_view fieldCaption, std::string_view text);

}  // namespace kalvon
