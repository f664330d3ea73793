// Compact search data kept beside PartyList: the first moves of every game as point values, in an
// order that groups games with the same opening, so that a search touches only the games whose moves
// can still lie in the position.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/GConst.h"
#include "search/ResultCount.h"

namespace kalvon {

// The games sorted by their first Depth moves (a game that ends sorts before its continuations, equal
// openings by PartyList position); every per-game array is indexed by that sorted position.
// MakeStatistic and ShiftStatistic refresh it themselves: every change of PartyList moves the base's
// PartyListGeneration, and the index is rebuilt when that differs from the one it was built for.
class TPositionIndex {
public:
    static constexpr int Depth = 32;  // moves kept per game; deeper positions read the move strings

    // Marks the index out of date, so that the next Refresh rebuilds it.
    void Invalidate() { Built_ = false; }
    // Rebuilds the index from the games when it was invalidated, or when PartyList changed since the
    // last build; otherwise does nothing.
    void Refresh(const TGameBase& base);
    // Whether the last build was made from the base's games as they stand.
    bool IsBuiltFor(const TGameBase& base) const;

    size_t GameCount() const { return Order_.size(); }
    // Bytes held by the search data (capacities of every array), for the memory budget.
    size_t MemoryBytes() const;

    // The PartyList position of the game at sorted position x.
    uint32_t Game(size_t x) const { return Order_[x]; }
    // Move j (0-based, j < Depth) of every game in sorted order, 0 once the game has ended.
    const uint8_t* Column(int j) const { return Columns_[size_t(j)].data(); }
    // The result slot of the game at sorted position x.
    TResultSlot Slot(size_t x) const { return TResultSlot(ResultCode_[x] & SlotBits); }
    // Whether the game at sorted position x is exactly '?' (not finished).
    bool NotFinished(size_t x) const { return (ResultCode_[x] & NotFinishedBit) != 0; }
    char Group(size_t x) const { return Group_[x]; }
    int32_t BlackId(size_t x) const { return Black_[x]; }
    int32_t WhiteId(size_t x) const { return White_[x]; }
    int32_t YearCode(size_t x) const { return Year_[x]; }
    // The code of a Year text (compared byte for byte), or -1 when no game has that year.
    int32_t YearCodeOf(std::string_view year) const;

    // The result counts of the games at sorted positions lo..hi-1.
    TResultCount CountRange(size_t lo, size_t hi) const;
    // The smallest PartyList position among the games at sorted positions lo..hi-1 (lo < hi).
    uint32_t FirstGame(size_t lo, size_t hi) const;

private:
    static constexpr uint8_t SlotBits = 7;
    static constexpr uint8_t NotFinishedBit = 8;
    static constexpr size_t BlockShift = 6;  // blocks of 64 games for the running counts and minima

    void Build(const std::vector<TPartyRecord>& parties);
    TResultCount CountBefore(size_t x) const;
    uint32_t BlockMinimum(size_t firstBlock, size_t lastBlock) const;

    bool Built_ = false;
    const TPartyRecord* BuiltData_ = nullptr;
    size_t BuiltSize_ = 0;
    uint64_t BuiltGeneration_ = 0;

    std::vector<uint32_t> Order_;
    std::array<std::vector<uint8_t>, Depth> Columns_;
    std::vector<uint8_t> ResultCode_;
    std::vector<char> Group_;
    std::vector<int32_t> Black_, White_, Year_;
    std::unordered_map<std::string, int32_t> YearCodes_;
    std::vector<std::array<uint32_t, ResultSlotCount>> BlockCounts_;  // counts before each block
    std::vector<std::vector<uint32_t>> BlockMinima_;  // level k: minimum over 2^k blocks from each block
};

}  // namespace kalvon
