#include "base/Symmetry.h"

#include <array>

#include "base/PointCodes.h"

namespace kalvon {

namespace {

int Mirror(int v) {
    return 16 - v;
}

// (x, y) -> image under t, both 1..15.
void Transform(int x, int y, int t, int& outX, int& outY) {
    switch (t) {
        case 2:
            outX = y, outY = x;
            break;
        case 3:
            outX = Mirror(x), outY = y;
            break;
        case 4:
            outX = x, outY = Mirror(y);
            break;
        case 5:
            outX = Mirror(x), outY = Mirror(y);
            break;
        case 6:
            outX = Mirror(y), outY = x;
            break;
        case 7:
            outX = y, outY = Mirror(x);
            break;
        case 8:
            outX = Mirror(y), outY = Mirror(x);
            break;
        default:
            outX = x, outY = y;
            break;
    }
}

uint8_t ValueOf(int x, int y) {
    return uint8_t((x - 1) * 15 + y);
}

// Every image of every value, computed once: the search looks these up in its inner loops.
struct TTransformTable {
    std::array<std::array<uint8_t, PointValueCount>, SymmetryCount + 1> Image{};
    TTransformTable() {
        for (int t = 1; t <= SymmetryCount; ++t)
            for (int x = 1; x <= 15; ++x)
                for (int y = 1; y <= 15; ++y) {
                    int tx = 0, ty = 0;
                    Transform(x, y, t, tx, ty);
                    Image[t][ValueOf(x, y)] = ValueOf(tx, ty);
                }
    }
};

const TTransformTable& Table() {
    static const TTransformTable table;
    return table;
}

}  // namespace

uint8_t PointValue(std::string_view code) {
    if (code.size() < 2) return NoPoint;
    int x = PointDigitValue(code[0]), y = PointDigitValue(code[1]);
    return x != 0 && y != 0 ? ValueOf(x, y) : NoPoint;
}

std::string PointCodeOfValue(uint8_t value) {
    if (value == NoPoint || value > 225) return "";
    int x = (value - 1) / 15 + 1, y = (value - 1) % 15 + 1;
    return {PointDigit(x), PointDigit(y)};
}

std::string TransformPoint(std::string_view code, int t) {
    if (code.size() != 2 || t < 1 || t > SymmetryCount) return std::string(code);
    uint8_t value = PointValue(code);
    return value == NoPoint ? std::string(code) : PointCodeOfValue(Table().Image[t][value]);
}

int InverseTransform(int t) {
    return t == 6 ? 7 : t == 7 ? 6 : t;
}

uint8_t TransformValue(uint8_t value, int t) {
    return Table().Image[t][value];
}

size_t ValidMoveCount(std::string_view moves) {
    size_t count = 0;
    while (2 * count + 1 < moves.size() && PointValue(moves.substr(2 * count, 2)) != NoPoint) ++count;
    return count;
}

}  // namespace kalvon
