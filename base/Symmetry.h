// The eight symmetries of the 15 x 15 board, on PointCodes and on compact point values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvon {

inline constexpr int SymmetryCount = 8;

// The symmetries by name, numbered 1..8 as the search numbers them; (c, r) is column and row.
enum class TSymmetry : int {
    Identity = 1,           // (c, r)
    Diagonal = 2,           // (r, c)
    ReflectLeftRight = 3,   // (16 - c, r)
    ReflectUpDown = 4,      // (c, 16 - r)
    HalfTurn = 5,           // (16 - c, 16 - r)
    TurnAnticlockwise = 6,  // (16 - r, c)
    TurnClockwise = 7,      // (r, 16 - c)
    AntiDiagonal = 8,       // (16 - r, 16 - c)
};
// Compact form of a point used by the search: (column - 1) * 15 + row, so 1..225; 0 stands for no point.
inline constexpr int PointValueCount = 226;
inline constexpr uint8_t NoPoint = 0;

// The compact value of the PointCode at the start of code, or NoPoint when those two characters are
// no PointCode (too short, or a character outside "123456789ABCDEF").
uint8_t PointValue(std::string_view code);
// The PointCode of a compact value 1..225; "" for NoPoint or a value off the board.
std::string PointCodeOfValue(uint8_t value);

// The image of a PointCode under symmetry t (1..8, table of the board's symmetries); a text that is no
// PointCode, such as "En", or a t outside 1..8 gives the text unchanged.
std::string TransformPoint(std::string_view code, int t);
inline std::string TransformPoint(std::string_view code, TSymmetry t) {
    return TransformPoint(code, int(t));
}
// The symmetry that undoes t: 7 for 6, 6 for 7, t itself for the others.
int InverseTransform(int t);
// The image of a compact point value under symmetry t (1..8); NoPoint stays NoPoint.
uint8_t TransformValue(uint8_t value, int t);

// The number of moves of a move string up to its first two characters that are no PointCode: a stored
// game with an odd length or a stray character counts as ending there.
size_t ValidMoveCount(std::string_view moves);

}  // namespace kalvon
