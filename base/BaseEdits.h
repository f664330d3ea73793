// The edits of the base in memory: games appended from base lines, replaced, taken out again after a
// run of appends, and the listed games removed (in memory, or with the file saved).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/BaseUi.h"
#include "base/GameBase.h"

namespace kalvon {

// Appends the game of one base line, numbering new players and years after the existing ones.
void AddBaseLine(TGameBase& base, std::string_view line);
// Puts the game in place of the game at that position of PartyList (an edit from the entry dialog);
// false, with nothing changed, when no game is there.
bool ReplaceParty(TGameBase& base, long position, TPartyRecord party);
// How far the base reached before a run of AddBaseLine calls, so that the run can be taken out again.
struct TBaseMark {
    size_t Parties = 0, Players = 0, Years = 0;
};
// The mark of the base as it stands now.
TBaseMark MarkBase(const TGameBase& base);
// Takes out the games, players and years that AddBaseLine added since the mark; the selection and the
// game opened for editing forget the games taken out.
void RemoveAddedSince(TGameBase& base, const TBaseMark& mark);
// Puts the games in the order of their lines in the base file: fileOrder[i] is the position of the
// game written as line i + 1 (what SaveBase reports). Listing and CurrentParty follow their games to
// their new positions. False, with nothing changed, when fileOrder is not an order of every game.
bool ReorderParties(TGameBase& base, const std::vector<uint32_t>& fileOrder);
// Removes the listed games (each once) from memory and clears Listing. When the game being edited
// is removed, CurrentParty becomes NoParty and EditMode goes off; otherwise CurrentParty follows it.
void RemoveListedParties(TGameBase& base);
// Removes the listed games (each once), clears Listing and saves; the games left stand in the order
// of the file then. When the game being edited is removed, CurrentParty becomes NoParty and EditMode
// goes off; otherwise CurrentParty follows it. A failed save (the message went to ui) returns false
// and leaves the base in memory as it was.
bool DeleteListedParties(TGameBase& base, const std::string& path, IBaseUi& ui);

}  // namespace kalvon
