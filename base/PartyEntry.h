// A game typed in by the user: the texts of the entry dialog checked, then stored as a new game or in
// place of the game being edited, with the new players and year, and the base file rewritten.
#pragma once

#include <optional>
#include <string>

#include "base/BaseUi.h"
#include "base/GameBase.h"

namespace kalvon {

// The fields of the entry dialog in the bytes of the code page, names already in capitals.
struct TPartyEntry {
    std::string Black, White, Year, Board, Alt;
    char Result = '?';
    bool Reverse = false;
};

// Nullopt when the text (blanks around it dropped) may stand as the fifth-move alternative, "5 A =":
// a point of the board (J9, letter case ignored), two different points joined by "-" (an offered
// pair, H8-J9), or nothing ("" or "?"); otherwise the reason, which the dialog can show as the user
// types.
std::optional<std::string> CheckAlternative(std::string_view text);

// Nullopt when every field may stand in a base line (after trimming its blanks) and the alternative
// is one (CheckAlternative); otherwise the message that names the first field that may not.
std::optional<std::string> CheckPartyEntry(const TPartyEntry& entry);

// The position in PartyList of a game whose key is that of the year and board (compared as FoldedKey
// compares keys, so " 2003" and "2003" or "4702" and " 4702" are one), other than the game at
// excluded (NoParty to exclude none); NoParty when no other game holds the key.
long GameWithKey(const TGameBase& base, std::string_view year, std::string_view board, long excluded);

// Stores the entry with the moves as a new game at the end of PartyList (position NoParty) or in
// place of the game at position, adds unknown players and the year to the catalogues, and saves the
// base to path. Blanks around the fields are dropped, the board code is right-aligned in five
// characters and an empty alternative becomes "?". The games then stand in the order of the file
// written (Listing and CurrentParty follow them). Returns the position of the stored game; an entry
// that CheckPartyEntry refuses, or a failed save, returns NoParty (the message went to ui) with the
// base in memory and the file as they were.
long StorePartyEntry(TGameBase& base, const TPartyEntry& entry, const std::string& moves, long position,
                     const std::string& path, IBaseUi& ui);

}  // namespace kalvon
