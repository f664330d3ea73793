// A game read from another program's file (the RenjuNet database, a Gomocup record, an SGF file) on
// its way to becoming a base line, and what the readers share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon {

struct TImportedGame {
    std::string Where;         // where in its file, for messages: "game 171548", "game 3", "line 12"
    int Year = 0;
    std::string Board;         // the board code with its source prefix: "r171548", "g<file>", "s<GN>"
    std::string Black, White;  // UTF-8, already cleaned (no control character, "," or "=")
    char Result = '?';         // '+', '-', '=', 'F', 'f' or '?'
    std::string Moves;         // PointCodes, two characters a move
    std::string Alt = "?";     // the alternative
    bool Reverse = false;      // the colour-exchange flag
    std::vector<std::string> Notes;  // each change made to a text on its way in, for the report
};

// A game (or a whole file) that is not imported, and why.
struct TImportRefusal {
    std::string File;    // the file as the caller named it
    std::string Where;   // "game 171548", "line 12"; empty when the whole file is refused
    std::string Reason;
};

// "File F, game 171548: reason" (or "File F: reason"), one line for a message or standard error.
std::string ImportRefusalText(const TImportRefusal& refusal);

// Where a reader hands what it reads. A reader hands a game only when it read all of it.
class IImportSink {
public:
    virtual ~IImportSink() = default;
    // A game read whole; false stops the reading (the user cancelled).
    virtual bool Game(TImportedGame&& game) = 0;
    // A game skipped, or the rest of a file that cannot be read on.
    virtual void Refused(TImportRefusal&& refusal) = 0;
    // How far a long file is read; false stops the reading.
    virtual bool Progress(uint64_t /*bytesRead*/, uint64_t /*bytesTotal*/) { return true; }
};

// The text with every control character, line break, "," and "=" turned into a blank; when that
// changed it, a note "<game.Where>: <what> ..." joins game.Notes.
std::string CleanImportedText(std::string_view text, std::string_view what, TImportedGame& game);

// Appends the point at column 1..15 (left to right, A..P without I) and row 1..15 (bottom to top) to
// game.Moves; false, with the reason, when the point is off the board or already taken.
bool AppendImportedMove(TImportedGame& game, int column, int row, std::string& reason);

}  // namespace kalvon
