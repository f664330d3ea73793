// A game read from another program's file (the RenjuNet database, a Gomocup record, an SGF file) on
// its way to becoming a base line, and what the readers share.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon {

struct TImportedGame {
    std::string Where;  // where in its file, for messages: "game 171548", "game 3", "line 12"
    int Year = 0;
    std::string Board;         // the board code with its source prefix: "r171548", "g<file>", "s<GN>"
    std::string Black, White;  // UTF-8, already cleaned (no control character, "," or "=")
    char Result = '?';         // '+', '-', '=', 'F', 'f' or '?'
    std::string Moves;         // PointCodes, two characters a move
    std::bitset<size_t{15} * 15> Taken;  // the points of Moves: a point played twice is seen at once
    std::string Alt = "?";               // the alternative
    bool Reverse = false;                // the colour-exchange flag
    std::vector<std::string> Notes;      // each change made to a text on its way in, for the report
};

// A game (or a whole file) that is not imported, and why.
struct TImportRefusal {
    std::string File;   // the file as the caller named it
    std::string Where;  // "game 171548", "line 12"; empty when the whole file is refused
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
// changed it, a note "<game.Where>: <what> ..." joins game.Notes. The text is UTF-8: the control
// characters U+0080..U+009F and the line and paragraph separators U+2028, U+2029 count too.
std::string CleanImportedText(std::string_view text, std::string_view what, TImportedGame& game);

// The text cleaned as CleanImportedText does, without blanks at either end; fallback when nothing is
// left. How names, alternatives and the keys of board codes are taken in.
std::string CleanImportedField(std::string_view text, std::string_view what, TImportedGame& game,
                               std::string_view fallback);

// Sets game.Board to the prefix and the key cleaned as CleanImportedField does; false, with the
// reason, when the result could still not stand as a board code.
bool SetImportedBoard(TImportedGame& game, char prefix, std::string_view key, std::string& reason);

// The file's name without its folder and its extension: "games" for "/home/me/games.sgf".
std::string ImportedFileStem(std::string_view shownName);

// Whether a year may stand in a base line as an imported game's year.
inline bool IsImportedYear(int year) {
    return year >= 1 && year <= 9999;
}

// The text of a file as UTF-8. Bytes of the named character set (an ICU converter name, "UTF-8",
// "ISO-8859-1", "windows-1251"...) are converted, bytes it has no character for becoming U+FFFD; with
// no name the text stays as it is when it is valid UTF-8 and is read as ISO-8859-1 otherwise. Nullopt
// when ICU does not know the character set.
std::optional<std::string> ImportedTextToUtf8(std::string_view bytes, std::string_view charset = {});

// Appends the point at column 1..15 (left to right, A..P without I) and row 1..15 (bottom to top) to
// game.Moves; false, with the reason, when the point is off the board or already taken.
bool AppendImportedMove(TImportedGame& game, int column, int row, std::string& reason);

}  // namespace kalvon
