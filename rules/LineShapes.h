// What one stone makes in one line: the shapes through the middle of eleven points of a line, read
// from a table built once over every content of the ten points around the middle.
#pragma once

#include <array>
#include <cstddef>
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

// The counts of a TLineShape in one byte, from a table small enough to stay in the cache: a check of
// a whole base asks it four times a move.
namespace LineSummary {
inline constexpr uint8_t Five = 1, Overline = 2;
inline constexpr int FoursShift = 2, ThreesShift = 5;  // three bits of fours (at most 4), two of threes
inline int Fours(uint8_t summary) {
    return (summary >> FoursShift) & 7;
}
inline int Threes(uint8_t summary) {
    return (summary >> ThreesShift) & 3;
}
}  // namespace LineSummary

// What the stones of one side near a point in a line allow, from their eleven-point window alone:
// the row a stone on the point would make, and whether a three or a four through it is possible.
namespace NeighbourInfo {
inline constexpr uint8_t RowMask = 15;   // the row through the point, with the stone on it
inline constexpr uint8_t MayShape = 16;  // two more stones within three points, or three within four
inline constexpr uint8_t Crowded = 32;   // four more stones within four points: two fours in the line
}  // namespace NeighbourInfo

class TLineShapes {
public:
    // The table, built on first use (a few milliseconds) and shared by every thread.
    static const TLineShapes& Get();

    // The shapes for a stone on the middle point: own holds the side's stones, blocked the points it
    // cannot use (the opponent's stones and the points beyond the board's edge), each as 11 bits.
    // exactFive: only exactly five in a row wins; otherwise five or more do.
    const TLineShape& Of(uint32_t own, uint32_t blocked, bool exactFive) const {
        return Shapes_[exactFive ? 1 : 0][Index(own, blocked)];
    }
    // The counts of the same shape as a LineSummary byte.
    uint8_t SummaryOf(uint32_t own, uint32_t blocked, bool exactFive) const {
        return Summaries_[exactFive ? 1 : 0][Index(own, blocked)];
    }
    // The NeighbourInfo byte of the side's stones in the window (the middle bit is ignored).
    uint8_t NeighboursOf(uint32_t own) const { return Neighbours_[own & ~(1u << LineMiddle)]; }

private:
    TLineShapes();
    // The ten points around the middle as bits 0..9.
    static uint32_t Squeeze(uint32_t bits) {
        return (bits & 0x1F) | ((bits >> (LineMiddle + 1)) & 0x1F) << 5;
    }
    size_t Index(uint32_t own, uint32_t blocked) const {
        return size_t(Ternary_[Squeeze(own)]) + 2 * size_t(Ternary_[Squeeze(blocked & ~own)]);
    }
    std::array<uint16_t, 1024> Ternary_{};  // bit k of the index -> 3^k
    std::array<std::vector<TLineShape>, 2> Shapes_;
    std::array<std::vector<uint8_t>, 2> Summaries_;
    std::array<uint8_t, 1u << LineWindow> Neighbours_{};
};

}  // namespace kalvon
