// Games the program points at (the selection, the game being edited, the diagram's game) found again
// after their base was read anew from a file that another command rewrote and sorted.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/GameBase.h"

namespace kalvon {

class TGameTracker {
public:
    // Remembers the games at these positions of base (a position past its end is remembered as none).
    TGameTracker(const TBaseGames& base, const std::vector<uint32_t>& positions);
    // The position in base of each remembered game, in the order given: the game of the same base line,
    // else the game of the same year and board, else NoGame. Games of one line or key are found again
    // in the order they stood.
    std::vector<uint32_t> Find(const TBaseGames& base) const;

private:
    std::vector<std::string> Lines_, Keys_;
};

}  // namespace kalvon
