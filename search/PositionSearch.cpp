#include "search/PositionSearch.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>

#include "search/PositionSets.h"

namespace kalvon {

size_t TPositionMatches::Count() const {
    size_t count = Games.size();
    for (const TRangeMatch& range : Ranges) count += range.Hi - range.Lo;
    return count;
}

namespace {

class TSearch {
public:
    TSearch(const TIndexPart& index, const TPartyRecords& parties, const std::vector<uint8_t>& position)
        : Index_(index), Parties_(parties), Position_(position), Sets_(position) {
        for (int colour = 0; colour < 2; ++colour)
            for (int value = 1; value < PointValueCount; ++value)
                if (uint8_t mask = Sets_.Mask(colour, uint8_t(value)); mask != 0)
                    Candidates_[colour].push_back({uint8_t(value), mask});
        Depth_ = std::min<size_t>(position.size(), TIndexPart::Depth);
        MinLength_ = std::min(position.size(), TIndexPart::MaxLength);
    }

    TPositionMatches Run() {
        if (const TStoneSetIndex* sets = Index_.StoneSets(Position_.size()))
            sets->Find(Sets_, Position_.size(),
                       [&](size_t x, uint8_t alive) { CheckGame(uint32_t(x), alive); });
        else if (Index_.GameCount() > 0)
            Descend(0, uint32_t(Index_.GameCount()), 0, 0xFF);
        return std::move(Matches_);
    }

private:
    static constexpr uint32_t LinearWalk = 32;  // below this many games stepping beats searching
    static constexpr uint32_t RowWalk = 16;     // below this many games each is checked on its own
    static constexpr int WalkDepth = 6;         // from this move on each game is checked on its own

    struct TCandidate {
        uint8_t Value, Mask;
    };

    void Descend(uint32_t lo, uint32_t hi, size_t j, uint8_t alive) {
        if (j == Depth_) return Found(lo, hi, alive);
        if (j >= size_t(WalkDepth) || hi - lo <= RowWalk) return CheckRows(lo, hi, j, alive);
        const int colour = int(j % 2);
        for (uint32_t x = lo; x < hi;) {
            const uint8_t value = Index_.Move(x, int(j));
            if (const uint8_t next = alive & Sets_.Mask(colour, value); next != 0) {
                const uint32_t end = uint32_t(Index_.RunEnd(x, hi, int(j)));
                Descend(x, end, j + 1, next);
                x = end;
            } else if (hi - x <= LinearWalk) {
                ++x;
            } else {
                // Jump over the games whose move here lies in none of the live images of the position.
                const int wanted = NextLive(colour, value, alive);
                if (wanted == 0) break;
                x = uint32_t(Index_.LowerBound(x, hi, int(j), uint8_t(wanted)));
            }
        }
    }

    // Few games share the first j moves: each game's row decides its remaining moves on its own.
    void CheckRows(uint32_t lo, uint32_t hi, size_t j, uint8_t alive) {
        for (uint32_t x = lo; x < hi; ++x) {
            if (Index_.Length(x) < MinLength_) continue;
            const uint8_t* row = Index_.Row(x);
            const uint8_t live = AliveAfter(row, j, alive);
            if (live == 0) continue;
            // Games that share their first Depth_ moves with the one before stay in its range.
            TRangeMatch* last = Matches_.Ranges.empty() ? nullptr : &Matches_.Ranges.back();
            if (last && last->Hi == x && last->Symmetry == FirstSymmetry(live) &&
                std::equal(row, row + Depth_, Index_.Row(x - 1)))
                ++last->Hi;
            else
                Found(x, x + 1, live);
        }
    }

    // The symmetries of alive under which the row's moves from move j to the position's depth lie in it.
    uint8_t AliveAfter(const uint8_t* row, size_t j, uint8_t alive) const {
        for (size_t k = j; k < Depth_ && alive != 0; ++k) alive &= Sets_.Mask(int(k % 2), row[k]);
        return alive;
    }

    // The smallest point value above value that lies in the sets under a live symmetry, or 0.
    int NextLive(int colour, uint8_t value, uint8_t alive) const {
        const std::vector<TCandidate>& candidates = Candidates_[colour];
        auto at = std::upper_bound(candidates.begin(), candidates.end(), value,
                                   [](uint8_t v, const TCandidate& c) { return v < c.Value; });
        for (; at != candidates.end(); ++at)
            if ((at->Mask & alive) != 0) return at->Value;
        return 0;
    }

    // A game whose rarest first stones lie in the position under the symmetries of alive: its row and,
    // past the depth of the index, its move string decide the rest.
    void CheckGame(uint32_t x, uint8_t alive) {
        if (Index_.Length(x) < MinLength_) return;
        const uint8_t* row = Index_.Row(x);
        uint8_t live = AliveAfter(row, 0, alive);
        if (live == 0) return;
        const size_t n = Position_.size();
        if (n < TIndexPart::Depth) return Matches_.Games.push_back({x, FirstSymmetry(live), row[n]});
        // Past the depth of the index the game's own move string decides.
        const std::string_view moves = Parties_[Index_.Game(x)].Moves;
        for (size_t j = TIndexPart::Depth; j < n && live != 0; ++j)
            live &= Sets_.Mask(int(j % 2),
                               2 * j + 1 < moves.size() ? PointValue(moves.substr(2 * j, 2)) : NoPoint);
        if (live == 0) return;
        const uint8_t next = 2 * n + 1 < moves.size() ? PointValue(moves.substr(2 * n, 2)) : NoPoint;
        Matches_.Games.push_back({x, FirstSymmetry(live), next});
    }

    // Games that share the position's moves, shorter than the depth of the index.
    void Found(uint32_t lo, uint32_t hi, uint8_t alive) {
        Matches_.Ranges.push_back({lo, hi, FirstSymmetry(alive)});
    }

    const TIndexPart& Index_;
    const TPartyRecords& Parties_;
    const std::vector<uint8_t>& Position_;
    TPositionSets Sets_;
    std::vector<TCandidate> Candidates_[2];
    size_t Depth_ = 0;
    size_t MinLength_ = 0;  // shorter games end before the position
    TPositionMatches Matches_;
};

// For every byte, the positions of its set bits and their number.
struct TByteBits {
    std::array<std::array<uint8_t, 8>, 256> Positions{};
    std::array<uint8_t, 256> Count{};
    TByteBits() {
        for (int byte = 0; byte < 256; ++byte)
            for (int bit = 0; bit < 8; ++bit)
                if (byte & (1 << bit)) Positions[size_t(byte)][Count[size_t(byte)]++] = uint8_t(bit);
    }
};

// Writes the set bits of words from..to of the bitmap (inverted when complement is set) as ascending
// positions from out, a byte at a time: eight values are always written and the cursor moves by the
// number of set bits, so out needs room for 8 values past the last one. Returns the end.
int32_t* EmitBits(const std::vector<uint64_t>& bits, size_t from, size_t to, bool complement,
                  size_t gameCount, int32_t* out) {
    static const TByteBits table;
    for (size_t w = from; w < to; ++w) {
        uint64_t word = complement ? ~bits[w] : bits[w];
        if (w == bits.size() - 1 && gameCount % 64 != 0) word &= (uint64_t(1) << (gameCount % 64)) - 1;
        const int32_t base = int32_t(w * 64);
        if (__builtin_popcountll(word) <= 16) {
            // Sparse words: one bit at a time.
            for (; word != 0; word &= word - 1) *out++ = base + __builtin_ctzll(word);
            continue;
        }
        for (int32_t at = base; word != 0; word >>= 8, at += 8) {
            const size_t byte = word & 0xFF;
            const std::array<uint8_t, 8>& positions = table.Positions[byte];
            for (size_t i = 0; i < 8; ++i) out[i] = at + positions[i];
            out += table.Count[byte];
        }
    }
    return out;
}

// Appends count values to listing, made a block at a time by make(block, from) (which fills a
// block of BlockValues from the value from and returns its end) in a buffer that stays in the cache:
// the listing's memory is written once, not cleared first and written again.
constexpr size_t BlockWords = 16, BlockValues = 64 * BlockWords;
template <class FMake>
void AppendInBlocks(TListing& listing, size_t count, size_t values, FMake&& make) {
    listing.reserve(listing.size() + count);
    std::array<int32_t, BlockValues + 8> block;
    for (size_t from = 0; from < values; from += BlockValues) {
        int32_t* end = make(block.data(), from);
        listing.insert(listing.end(), block.data(), end);
    }
}

// Appends the positions of the bitmap's set bits (or clear ones) to listing, count of them in all.
void AppendBits(const std::vector<uint64_t>& bits, bool complement, size_t gameCount, size_t count,
                TListing& listing) {
    AppendInBlocks(listing, count, gameCount, [&](int32_t* block, size_t from) {
        const size_t word = from / 64;
        return EmitBits(bits, word, std::min(word + BlockWords, bits.size()), complement, gameCount, block);
    });
}

void Mark(std::vector<uint64_t>& bits, uint32_t game) {
    bits[game / 64] |= uint64_t(1) << (game % 64);
}

}  // namespace

TIndexMatches FindPosition(const TPositionIndex& index, const TPartyRecords& parties,
                           const std::vector<uint8_t>& position) {
    TIndexMatches matches;
    for (const TIndexPart* part : index.Parts())
        if (part->GameCount() > 0) matches.push_back({part, TSearch(*part, parties, position).Run()});
    return matches;
}

void AppendSortedGames(std::vector<uint32_t>& games, size_t gameCount, TListing& listing) {
    if (games.size() < gameCount / 64) {
        std::sort(games.begin(), games.end());
        listing.insert(listing.end(), games.begin(), games.end());
        return;
    }
    std::vector<uint64_t> bits((gameCount + 63) / 64);
    for (uint32_t g : games) Mark(bits, g);
    AppendBits(bits, false, gameCount, games.size(), listing);
}

void AppendMatchedGames(const TIndexMatches& matches, size_t gameCount, TListing& listing) {
    const size_t n = gameCount;
    size_t count = 0;
    bool anyGames = false;
    for (const TPartMatches& part : matches) {
        count += part.Matches.Count();
        anyGames = anyGames || !part.Matches.Games.empty();
    }
    if (count == 0) return;
    if (count == n) {
        AppendInBlocks(listing, n, n, [&](int32_t* block, size_t from) {
            const size_t values = std::min(BlockValues, n - from);
            std::iota(block, block + values, int32_t(from));
            return block + values;
        });
        return;
    }
    if (count < n / 64) {
        std::vector<uint32_t> games;
        games.reserve(count);
        for (const auto& [part, found] : matches) {
            for (const TRangeMatch& range : found.Ranges)
                for (uint32_t x = range.Lo; x < range.Hi; ++x) games.push_back(part->Game(x));
            for (const TGameMatch& game : found.Games) games.push_back(part->Game(game.Sorted));
        }
        AppendSortedGames(games, n, listing);
        return;
    }
    std::vector<uint64_t> bits((n + 63) / 64);
    if (anyGames || count < n / 2) {
        for (const auto& [part, found] : matches) {
            for (const TRangeMatch& range : found.Ranges)
                for (uint32_t x = range.Lo; x < range.Hi; ++x) Mark(bits, part->Game(x));
            for (const TGameMatch& game : found.Games) Mark(bits, part->Game(game.Sorted));
        }
        AppendBits(bits, false, n, count, listing);
        return;
    }
    // Most games matched: mark the few that did not, in the gaps between the ranges, and invert.
    for (const auto& [part, found] : matches) {
        uint32_t from = 0;
        for (const TRangeMatch& range : found.Ranges) {
            for (uint32_t x = from; x < range.Lo; ++x) Mark(bits, part->Game(x));
            from = range.Hi;
        }
        for (uint32_t x = from; x < part->GameCount(); ++x) Mark(bits, part->Game(x));
    }
    AppendBits(bits, true, n, count, listing);
}

}  // namespace kalvon
