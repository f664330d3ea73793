// What one stone makes in one line: the shapes through the middle of eleven points of a line, read
// from a table built once over every content of the ten points around the middle.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kalvon {

// Eleven points of a line, bit k for point k; the stone asked about stands on the middle one.
inline constexpr int LineWindow = 11;
inline constexpr int LineMiddle = 5;

// The shapes that contain the middle stone. Nothing beyond five points on either side can change
// them: a four, its winning point and the points next to that row all lie within that reach.
struct TLineShape {
    uint16_t FivePoints = 0;  // points (bits) where one more stone completes a four into a winning row
    uint16_t StraightFourPoints = 0;  // points where one more stone turns a three into a straight four
    uint8_t Fours = 0;                // distinct fours: sets of four stones that one point completes
    uint8_t Threes = 0;               // distinct threes, whatever their straight-four points are
    bool Five = false;                // a winning row
    bool Overline = false;            // six or more in a row
};

class TLineShapes {
public:
    // The table, built on first use (a few milliseconds) and shared by every thread.
    static const TLineShapes& Get();

    // The shapes for a stone on the middle point: own holds the side's stones, blocked the points it
    // cannot use (the opponent's stones and the points beyond the board's edge), each as 11 bits.
    // exactFive: only exactly five in a row wins; otherwise five or more do.
    const TLineShape& Of(uint32_t own, uint32_t blocked, bool exactFive) const {
        blocked &= ~own;
        return Shapes_[exactFive ? 1 : 0][Ternary_[Squeeze(own)] + 2 * Ternary_[Squeeze(blocked)]];
    }

private:
    TLineShapes();
    // The ten points around the middle as bits 0..9.
    static uint32_t Squeeze(uint32_t bits) {
        return (bits & 0x1F) | ((bits >> (LineMiddle + 1)) & 0x1F) << 5;
    }
    std::array<uint16_t, 1024> Ternary_{};  // bit k of the index -> 3^k
    std::array<std::vector<TLineShape>, 2> Shapes_;
};

}  // namespace kalvon
