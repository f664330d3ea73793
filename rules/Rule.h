// The three rules the engine knows, the two sides, and the points of the board as numbers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalvon {

// Renju (black has forbidden points and wins only with exactly five), gomoku "five or more"
// (freestyle) and gomoku "exactly five" (standard).
enum class TRule : uint8_t { Renju, Freestyle, Standard };

enum class TSide : uint8_t { Black, White };

inline TSide Opponent(TSide side) {
    return side == TSide::Black ? TSide::White : TSide::Black;
}
// The side to move after that many moves: black plays the odd moves.
inline TSide SideToMove(size_t moves) {
    return moves % 2 == 0 ? TSide::Black : TSide::White;
}
// Whether only exactly five stones in a row win for the side (more is an overline, no win).
inline bool ExactFiveWins(TRule rule, TSide side) {
    return rule == TRule::Standard || (rule == TRule::Renju && side == TSide::Black);
}

// "renju", "freestyle", "standard": the rule's word in the tool's options.
std::string_view RuleWord(TRule rule);
// The rule of a word of RuleWord, letter case ignored; nullopt for any other text.
std::optional<TRule> RuleOfWord(std::string_view word);
// "Renju", "Gomoku five or more", "Gomoku exactly five": the rule as menus and messages name it.
std::string_view RuleCaption(TRule rule);
// "black" or "white".
std::string_view SideWord(TSide side);

// The rule a game of the base is checked under: renju when its moves start at the centre ("88"),
// whatever its opening; otherwise the gomoku rule given (Renju given there counts as Freestyle).
TRule GameRule(std::string_view moves, TRule gomokuRule);

// A point of the board as a number 0..224, in the order of the point codes: (column-1)*15 + row-1.
inline constexpr int BoardPoints = 225;
inline constexpr int NoPointNumber = -1;
// The value 1..15 of each byte as a point code's character, 0 for a byte that is none.
extern const std::array<uint8_t, 256> PointCodeDigits;
// The number of a point code ("88"), or NoPointNumber when the two characters are no point.
inline int PointNumberOfCode(std::string_view code) {
    if (code.size() != 2) return NoPointNumber;
    const int column = PointCodeDigits[uint8_t(code[0])], row = PointCodeDigits[uint8_t(code[1])];
    return column == 0 || row == 0 ? NoPointNumber : (column - 1) * 15 + row - 1;
}
// The point code of a point number ("88" for 112).
std::string CodeOfPointNumber(int point);
// The point text of a point number ("H8" for 112).
std::string TextOfPointNumber(int point);
// The point texts of a move string, separated by blanks ("H8 J9"); a code that is no point shows
// as "?".
std::string MovesAsTexts(std::string_view moves);

}  // namespace kalvon
