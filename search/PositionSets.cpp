#include "search/PositionSets.h"

namespace kalvon {

std::vector<uint8_t> MoveValues(std::string_view moves) {
    std::vector<uint8_t> values(ValidMoveCount(moves));
    for (size_t i = 0; i < values.size(); ++i) values[i] = PointValue(moves.substr(2 * i, 2));
    return values;
}

TPositionSets::TPositionSets(const std::vector<uint8_t>& moves) {
    for (size_t i = 0; i < moves.size(); ++i) AddStone(int(i % 2), moves[i]);
}

void TPositionSets::AddStone(int colour, uint8_t point) {
    if (point == NoPoint) return;
    for (int t = 1; t <= SymmetryCount; ++t)
        Mask_[colour][TransformValue(point, t)] |= uint8_t(1u << (t - 1));
}

uint8_t TPositionSets::Alive(const std::vector<uint8_t>& moves, uint8_t alive) const {
    for (size_t i = 0; i < moves.size() && alive != 0; ++i) alive &= Mask_[i % 2][moves[i]];
    return alive;
}

}  // namespace kalvon
