// The .bdt base file: one game per line, "2003, 4711=[BLACK,WHITE,+,8889...,?,-]".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/BaseUi.h"
#include "base/GConst.h"

namespace kalvon {

// The base line of a game, without line end ("%s,%5s=[%s,%s,%s,%s,%s,R]" or with "-" for R).
std::string FormatBaseLine(const TGameBase& base, const TPartyRecord& party);
// The game a base line holds, with its players' names; ids are left 0. Never fails: missing fields
// stay empty, and a missing result character gives "?".
TPartyRecord ParseBaseLine(std::string_view line, std::string& blackName, std::string& whiteName);

// Nullopt when the text may stand as that field of a base line; otherwise the message that says why
// not. Names, years, board codes and alternatives may hold no ",", "=", "[", "]" or line break.
std::optional<std::string> CheckBaseField(std::string_view fieldCaption, std::string_view text);

// Reads a base file into the base, adding to what it holds. A missing file: the message
// "File <path> not Found!" and nothing changes; an unreadable one: the system's reason. Returns
// whether the file was read. Progress goes to ui, at most 100 moves.
bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui);
// Appends the game of one base line, numbering new players and years after the existing ones.
void AddBaseLine(TGameBase& base, std::string_view line);
// Puts the game in place of the game at that position of PartyList (an edit from the entry dialog);
// false, with nothing changed, when no game is there.
bool ReplaceParty(TGameBase& base, long position, TPartyRecord party);
// The whole base as its file content: lines sorted by collation, each ended by CR LF.
std::string BaseFileContent(const TGameBase& base);
// Writes the base to path, sorted, through a temporary file. On failure the message names the file
// and the system's reason, and the old file is intact. Returns whether it was written.
bool SaveBase(const TGameBase& base, const std::string& path, IBaseUi& ui);
// Removes the listed games (each once), clears Listing and saves. When the game being edited is
// removed, CurrentParty becomes NoParty and EditMode goes off; otherwise CurrentParty follows it.
// A failed save (the message went to ui) returns false and leaves the base in memory as it was.
bool DeleteListedParties(TGameBase& base, const std::string& path, IBaseUi& ui);

}  // namespace kalvon
