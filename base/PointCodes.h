// Points of the board in their stored form (PointCode, "88") and their shown form (PointText, "H8").
#pragma once

#include <string>
#include <string_view>

namespace kalvon {

// Index 1..15 of a PointCode digit, or 0 when the character is none.
int PointDigitValue(char c);
// The PointCode digit for an index 1..15.
char PointDigit(int value);
// True when the two characters at code form a point of the board.
bool IsPointCode(std::string_view code);

// "H8" for "88"; "?" unless the input is exactly two upper-case PointCode digits.
std::string PointCodeToText(std::string_view code);
// "88" for " H8 "; "?" for anything that is no point (I5, h8, A16, A0, A01, a lone letter).
std::string PointTextToCode(std::string_view text);

}  // namespace kalvon
