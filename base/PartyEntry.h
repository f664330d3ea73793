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

// Nullopt when every field may stand in a base line (after trimming its blanks); otherwise the
// message that names the first field that may not.
std::optional<std::string> CheckPartyEntry(const TPartyEntry& entry);

// Stores the entry with the moves as a new game at the end of PartyList (position NoParty) or in
// place of the game at position, adds unknown players and the year to the catalogues, and saves the
// base to path. Blanks around the fields are dropped, the board code is right-aligned in five
// characters and an empty alternative becomes "?". The games then stand in the order of the file
// written (Listing and CurrentParty follow them). Returns the position of the stored game; on a
// failed save (the message went to ui) returns NoParty and the base in memory is as it was.
long StorePartyEntry(TGameBase& base, const TPartyEntry& entry, const std::string& moves, long position,
                     const std::string& path, IBaseUi& ui);

}  // namespace kalvon
