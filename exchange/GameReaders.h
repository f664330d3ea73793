// The readers of other programs' game files. Each hands every game it reads whole to the sink and
// every game it cannot read to sink.Refused, then goes on with the next game.
#pragma once

#include <string>
#include <string_view>

#include "exchange/ImportedGame.h"

namespace kalvon {

// A RenjuNet database (.rif: UTF-8 XML), read as a stream from the file at path, never held whole.
// Board codes "r" + the game id; the year is the tournament's year, else the year of its start.
// Returns "" when the file was read to its end or the sink stopped it; otherwise the message that
// refused the rest of the file (unreadable, not well-formed XML at line N, no <database> root): the
// games handed before it were complete; a piece of XML that expat cannot hand on in parts (a tag with
// its attributes, a comment) of more than 16 MB refuses the rest too. That message goes to the caller
// only, not to sink.Refused. sink.Progress is called after each piece of the file (64 KiB or more).
std::string ReadRenjuNet(const std::string& path, const std::string& shownName, IImportSink& sink);
// The same over text in memory (tests and the fuzz target).
std::string ReadRenjuNetText(std::string_view xml, const std::string& shownName, IImportSink& sink);

// A Gomocup record (.psq): one game. Board code "g" + the file name without its folder and extension;
// year as given (one outside 1..9999 refuses the game). After the moves, lines of a number are result
// codes and the others the engines' names, without the ".zip" of their files; a record whose trailer
// holds a move, or a line begun as a move that is none, is damaged and refused whole.
void ReadPsq(std::string_view text, const std::string& shownName, int year, IImportSink& sink);

// An SGF file of GM[4] games (one game or a collection): the main line of each. Board code "s" + GN,
// else "s" + the file name without its extension + "-" + the game's number in the file.
void ReadSgf(std::string_view text, const std::string& shownName, IImportSink& sink);

}  // namespace kalvon
