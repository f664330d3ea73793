// Compact search data kept beside PartyList: the first moves of every game as point values, in an
// order that groups games with the same opening, so that a search touches only the games whose moves
// can still lie in the position.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/GameBase.h"
#include "base/LargeArray.h"
#include "search/ResultCount.h"
#include "search/StoneSetIndex.h"

namespace kalvon {

// Some games of a base (or all of them) sorted by their first Depth moves (a game that ends sorts
// before its continuations, equal openings by PartyList position); every per-game array is indexed by
// that sorted position. TPositionIndex keeps it in step with PartyList.
//
// The moves are kept as one row per game: a row is half a cache line, so once few games are left in a
// run, the deep moves of a game cost one memory access rather than one per move. The length of each
// game, kept apart, lets a deep position pass over the games too short to reach it without reading
// their rows.
class TIndexPart {
public:
    static constexpr int Depth = 32;  // moves kept per game; deeper positions read the move strings

    // Sorts the given games of parties (all of them when games is null) anew.
    void Build(const TPartyRecords& parties, const std::vector<uint32_t>* games = nullptr);
    // Drops the games at the given PartyList positions (ascending, each once, each below oldCount);
    // with renumber, the games kept move down by the number of removed games before them, as they
    // did in PartyList.
    void Remove(const std::vector<uint32_t>& removed, size_t oldCount, bool renumber);

    // The same games under new PartyList positions (newPosition[old]), their sorted order kept.
    void Renumber(const std::vector<uint32_t>& newPosition);

    size_t GameCount() const { return Order_.size(); }

    // The stones of the first moves of the games, for a deep position of that many moves: drawn from
    // all the moves of a row once the position is that deep, from fewer before; null for a position
    // too shallow for either.
    const TStoneSetIndex* StoneSets(size_t moves) const {
        if (moves >= size_t(DeepStoneSets_.Drawn())) return &DeepStoneSets_;
        return moves >= size_t(StoneSets_.Drawn()) ? &StoneSets_ : nullptr;
    }
    // The number of moves of the game at sorted position x, up to MaxLength.
    static constexpr size_t MaxLength = 255;
    size_t Length(size_t x) const { return Length_[x]; }
    // Bytes held by the search data (capacities of every array), for the memory budget.
    size_t MemoryBytes() const;

    // The PartyList position of the game at sorted position x.
    uint32_t Game(size_t x) const { return Order_[x]; }
    // The first Depth moves of the game at sorted position x, 0 once the game has ended.
    const uint8_t* Row(size_t x) const { return Rows_[x].Moves.data(); }
    uint8_t Move(size_t x, int j) const { return Rows_[x].Moves[size_t(j)]; }
    // The end of the run of games from sorted position x on (below hi) whose move j equals that of x;
    // the games of a range that shares its first j moves are sorted by move j.
    size_t RunEnd(size_t x, size_t hi, int j) const;
    // The first sorted position from x on (below hi) whose move j is at least value, in such a range.
    size_t LowerBound(size_t x, size_t hi, int j, uint8_t value) const;
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

    // The sorted positions (ascending) of the games that the player with that id played, either colour.
    std::span<const uint32_t> GamesOfPlayer(int32_t id) const;

    // The result counts of the games at sorted positions lo..hi-1.
    TResultCount CountRange(size_t lo, size_t hi) const;
    // The smallest PartyList position among the games at sorted positions lo..hi-1 (lo < hi).
    uint32_t FirstGame(size_t lo, size_t hi) const;

private:
    // From this many games a part is built on two threads.
    static constexpr size_t ParallelFrom = 65536;
    static constexpr uint8_t SlotBits = 7;
    static constexpr uint8_t NotFinishedBit = 8;
    static constexpr size_t BlockShift = 6;  // blocks of 64 games for the running counts and minima

    void Summarise();
    void ListPlayersGames();
    void DropPlayersGames(const TPositionShift& shift);
    TResultCount CountBefore(size_t x) const;
    uint32_t BlockMinimum(size_t firstBlock, size_t lastBlock) const;

    struct alignas(Depth) TRow {
        std::array<uint8_t, Depth> Moves;
    };

    TLargeVector<uint32_t> Order_;
    TLargeVector<TRow> Rows_;
    TLargeVector<uint8_t> Length_;
    TStoneSetIndex StoneSets_{TStoneSetIndex::MinDrawn};
    TStoneSetIndex DeepStoneSets_{Depth};
    TLargeVector<uint8_t> ResultCode_;
    TLargeVector<char> Group_;
    TLargeVector<int32_t> Black_, White_, Year_;
    // Looked up by any text, so that the year of a record needs no copy.
    struct TTextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, int32_t, TTextHash, std::equal_to<>> YearCodes_;
    std::vector<std::array<uint32_t, ResultSlotCount>> BlockCounts_;  // counts before each block
    std::vector<std::vector<uint32_t>> BlockMinima_;  // level k: minimum over 2^k blocks from each block
    // The games of player id are PlayerGames_[PlayerStart_[id] .. PlayerStart_[id + 1]).
    std::vector<uint32_t> PlayerStart_;
    TLargeVector<uint32_t> PlayerGames_;
};

}  // namespace kalvon
