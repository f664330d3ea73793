// The .bdt base file as a whole: loaded into memory, and saved sorted. One game per line,
// "2003, 4711=[BLACK,WHITE,+,8889...,?,-]" (base/BaseLine.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/BaseUi.h"
#include "base/FileIdentity.h"
#include "base/GameBase.h"

namespace kalvon {

// What a load found in the text besides its games; line numbers count from 1, 0 means none.
struct TLoadReport {
    size_t NulLine = 0;  // a NUL byte ends the text in this line; the lines after it were not read
    size_t UndecodableLines = 0, FirstUndecodableLine = 0;  // text the code page cannot decode
    size_t EmptyResultLines = 0, FirstEmptyResultLine = 0;  // games added with "?" for no result
    size_t FirstUnshownEmptyResultLine = 0;                 // the first of those past MaxEmptyResultMessages
    bool NotFound = false;                                  // the file does not exist
    bool TooLarge = false;                                  // the file does not fit in memory
    TFileIdentity Identity;                                 // the file read, with the checksum of its bytes
    // Lines that a save would not write back as they stand but for the documented normalisations
    // (LineDamage: a missing "=" or "]", text after the "]", a field count other than six, a result,
    // moves, alternative or flag that a save would change, blanks around the line): how many, and
    // the first few with their faults.
    size_t DamagedLines = 0;
    std::vector<std::pair<size_t, std::string>> FirstDamaged;
};

// How many damaged lines a load lists with their faults.
inline constexpr size_t MaxDamagedLinesListed = 10;
// "The base has N damaged lines, first line L: fault" for a question or a refusal; empty when the
// report has none.
std::string DamagedLinesText(const TLoadReport& report);

// Messages a load shows one by one before it collects the rest of the same kind into one.
inline constexpr size_t MaxEmptyResultMessages = 10;

// Reads a base file into the base, adding to what it holds. A missing file: the message
// "File <path> not Found!" and nothing changes; a file that is not an ordinary file, cannot be read
// or does not fit in memory: a message naming it, and nothing changes. Returns whether the file was
// read. Progress goes to ui, at most 100 moves; the report tells what the caller must act on.
bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui, TLoadReport& report);
bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui);
// The file is read a piece at a time and never held whole; pieceBytes sets how much. A piece of a
// quarter megabyte stays in the cache between the read and the parse.
inline constexpr size_t LoadPieceBytes = size_t(256) << 10;
bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui, TLoadReport& report, size_t pieceBytes);
// Reads base text already in memory as LoadBase reads a file's content; path names it in messages.
// Throws std::bad_alloc with the base unchanged when memory runs out.
void LoadBaseText(TGameBase& base, std::string_view text, const std::string& path, IBaseUi& ui,
                  TLoadReport& report);

// The whole base as its file content: lines sorted by collation (lines equal in it by their bytes),
// each ended by CR LF.
std::string BaseFileContent(const TBaseGames& base);
// Writes the base to path, sorted, through a temporary file. On failure the message names the file
// and the system's reason, and the old file is intact. Returns whether it was written; when it was
// and order is given, order holds the PartyList position of the game of each line written, so that
// ReorderParties (base/BaseEdits.h) can put memory in the file's order.
bool SaveBase(const TBaseGames& base, const std::string& path, IBaseUi& ui,
              std::vector<uint32_t>* order = nullptr);
// Writes the base as SaveBase does, without the games whose positions in PartyList are marked in
// skipped; the base in memory is not touched. The file it replaces is kept as the before-removal
// file too (base/BaseGenerations.h).
bool SaveBase(const TBaseGames& base, const std::string& path, IBaseUi& ui, const std::vector<bool>& skipped,
              std::vector<uint32_t>* order = nullptr);
// The file "Save as ..." writes for a chosen name: ".bdt" is appended unless the name holds ".bdt"
// somewhere (letter case counts).
std::string SaveAsName(std::string chosen);
// Copies the base file at from to the path to, through a temporary file, a few megabytes at a time;
// a from that does not exist gives an empty base. False, with the file and the system's reason in error, when
// it fails.
bool CopyBaseFile(const std::string& from, const std::string& to, std::string& error);
// Sorts base lines into the order SaveBase writes them in.
void SortBaseLines(std::vector<std::string_view>& lines);

}  // namespace kalvon
