// Small text helpers shared by the readers of lines.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon {

// Removes characters with codes 0 to 32 at both ends.
std::string_view Trim(std::string_view text);

// Takes the next field up to the delimiter from a 1-based cursor and moves the cursor behind it.
// Fails (false, empty field) once the cursor has passed the end: "a,,b" gives a, "", b, then fails;
// an empty text gives one empty field, then fails.
bool SplitField(std::string_view text, size_t& cursor, char delimiter, std::string_view& field);

// The lines of a text: CR LF, LF and CR each end one, and a NUL ends the text.
std::vector<std::string_view> SplitLines(std::string_view text);

// Upper case of ASCII letters only; other bytes stay as they are.
std::string AsciiUpper(std::string_view text);
// The text with every control character (codes 0 to 31 and 127) shown as \xNN, so that a name or
// file name quoted in a message cannot move the terminal's cursor or start a line of its own.
std::string ShowControls(std::string_view text);
// At most the first 60 bytes of the text between double quotes, "..." marking a cut, with its
// control characters shown: how a message quotes a value that may be long or hostile.
std::string QuoteShort(std::string_view text);

// The parts joined into one text, in order. (It also keeps GCC 12 from false overlap warnings that
// chains of "literal" + std::string give at -O3.)
std::string Concat(std::initializer_list<std::string_view> parts);

}  // namespace kalvon
