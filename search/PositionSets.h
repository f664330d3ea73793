// The stones of a position under all eight symmetries, as one symmetry mask per point and colour.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/Symmetry.h"

namespace kalvon {

// A move string as compact point values, cut before its first code that is no PointCode.
std::vector<uint8_t> MoveValues(std::string_view moves);

// Bit t-1 of Mask(colour, point) is set when the point holds a stone of that colour (0 black, 1 white)
// in the image of the position under symmetry t. A game's prefix matches the position under t exactly
// when every one of its moves, black on odd moves and white on even ones, has bit t-1 set.
class TPositionSets {
public:
    TPositionSets() = default;
    // The sets of a position: odd moves black, even moves white.
    explicit TPositionSets(const std::vector<uint8_t>& moves);

    // Adds a stone of that colour, in the image of each symmetry.
    void AddStone(int colour, uint8_t point);
    uint8_t Mask(int colour, uint8_t point) const { return Mask_[colour][point]; }
    const std::array<uint8_t, PointValueCount>& Masks(int colour) const { return Mask_[colour]; }
    // The symmetries under which every move of the sequence lies in the sets (colour by move number),
    // starting from alive; 0 when none.
    uint8_t Alive(const std::vector<uint8_t>& moves, uint8_t alive = 0xFF) const;

private:
    std::array<std::array<uint8_t, PointValueCount>, 2> Mask_{};
};

// The symmetry number (1..8) of the lowest bit of a non-zero mask: the smallest symmetry wins.
inline int FirstSymmetry(uint8_t alive) {
    return __builtin_ctz(alive) + 1;
}

}  // namespace kalvon
