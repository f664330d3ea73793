// "Export SGF": games of the base written out as SGF (GM[4], UTF-8) that the SGF reader reads back
// as the same games.
#pragma once

#include <string>
#include <vector>

#include "base/GameBase.h"

namespace kalvon {

// Appends one game as an SGF game tree "(;GM[4]FF[4]CA[UTF-8]SZ[15]PB[..]PW[..]DT[year]RE[..]GN[board]
// KA[alt]KR[1 or 0];B[hh];W[..]...)" and a line end. KA and KR are the alternative and the
// colour-exchange flag, which SGF has no property for.
void AppendSgfGame(std::string& out, const TGameBase& base, const TPartyRecord& party);

// Writes the listed games (positions in PartyList) into one SGF collection at path; false with the
// reason in error, nothing left behind.
bool WriteSgfCollection(const std::string& path, const TGameBase& base, const TListing& games, std::string& error);

// Writes each listed game into a file of its own in folder (named after its board code, never
// writing over an existing file); the paths written, in Listing order; false with error on failure.
bool WriteSgfFiles(const std::string& folder, const TGameBase& base, const TListing& games,
                   std::vector<std::string>& written, std::string& error);

}  // namespace kalvon
