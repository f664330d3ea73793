// "Export SGF": games of the base written out as SGF (GM[4], UTF-8) that the SGF reader reads back
// as the same games.
#pragma once

#include <string>
#include <vector>

#include "base/GameBase.h"

namespace kalvon {

// Appends one game as an SGF game tree "(;GM[4]FF[4]CA[UTF-8]SZ[15]PB[..]PW[..]DT[year]RE[..]GN[board]
// KA[alt]KR[1 or 0];B[hh];W[..]...)" and a line end. KA and KR are the alternative and the
// colour-exchange flag, which SGF has no property for. Texts are the base's bytes in the code page in
// force, written as UTF-8 with "]" and "\" escaped; GN is the board code without its padding and is
// left out when that is empty; a move that is no point of the board ends the moves written.
void AppendSgfGame(std::string& out, const TGameBase& base, const TPartyRecord& party);

// Writes the listed games (positions in PartyList) into one SGF collection at path; false with the
// reason in error, nothing left behind.
bool WriteSgfCollection(const std::string& path, const TGameBase& base, const TListing& games,
                        std::string& error);

// Writes each listed game into a file of its own in folder, created when missing (named after its
// board code, "/" and control characters made "_"; a name that exists or that an earlier game of the
// run took gets " (2)", " (3)"... before ".sgf", so no file is ever written over; a board code too
// long for a file name is cut to the start that fits, and that is told in notes); the paths written,
// in Listing order; false with error on failure, the files written before it staying.
bool WriteSgfFiles(const std::string& folder, const TGameBase& base, const TListing& games,
                   std::vector<std::string>& written, std::string& error,
                   std::vector<std::string>* notes = nullptr);

}  // namespace kalvon
