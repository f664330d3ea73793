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

// What a load found in the text besides its games; line numbers count from 1, 0 means none.
struct TLoadReport {
    size_t NulLine = 0;  // a NUL byte ends the text in this line; the lines after it were not read
    size_t UndecodableLines = 0, FirstUndecodableLine = 0;  // text the code page cannot decode
    size_t EmptyResultLines = 0, FirstEmptyResultLine = 0;  // games added with "?" for no result
    size_t FirstUnshownEmptyResultLine = 0;                 // the first of those past MaxEmptyResultMessages
    bool NotFound = false;                                  // the file does not exist
    bool TooLarge = false;                                  // the file does not fit in memory
};

// Messages a load shows one by one before it collects the rest of the same kind into one.
inline constexpr size_t MaxEmptyResultMessages = 10;

// Reads a base file into the base, adding to what it holds. A missing file: the message
// "File <path> not Found!" and nothing changes; a file that is not an ordinary file, cannot be read
// or does not fit in memory: a message naming it, and nothing changes. Returns whether the file was
// read. Progress goes to ui, at most 100 moves; the report tells what the caller must act on.
bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui, TLoadReport& report);
bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui);
// Reads base text already in memory as LoadBase reads a file's content; path names it in messages.
// Throws std::bad_alloc with the base unchanged when memory runs out.
void LoadBaseText(TGameBase& base, std::string_view text, const std::string& path, IBaseUi& ui,
                  TLoadReport& report);
// Appends the game of one base line, numbering new players and years after the existing ones.
void AddBaseLine(TGameBase& base, std::string_view line);
// The whole base as its file content: lines sorted by collation (lines equal in it by their bytes),
// each ended by CR LF.
std::string BaseFileContent(const TGameBase& base);
// Writes the base to path, sorted, through a temporary file. On failure the message names the file
// and the system's reason, and the old file is intact. Returns whether it was written.
bool SaveBase(const TGameBase& base, const std::string& path, IBaseUi& ui);
// Removes the listed games (each once), clears Listing and saves. When the game being edited is
// removed, CurrentParty becomes NoParty and EditMode goes off; otherwise CurrentParty follows it.
bool DeleteListedParties(TGameBase& base, const std::string& path, IBaseUi& ui);

}  // namespace kalvon
