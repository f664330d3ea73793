#include "search/IndexPart.h"

#include <algorithm>
#include <bit>
#include <future>

#include "base/PointCodes.h"
#include "base/Symmetry.h"
#include "search/Gallop.h"

namespace kalvon {

namespace {

// One game while the index is built: its first Depth moves packed big-endian into four words, so that
// comparing the words compares the openings move by move. It is kept small, because a million of
// them live beside the records while they are sorted; the rest of a game is read after the sort.
struct TSortKey {
    std::array<uint64_t, TIndexPart::Depth / 8> Words{};
    uint32_t Game = 0;
    uint8_t Length = 0;

    uint8_t Move(int j) const { return uint8_t(Words[size_t(j / 8)] >> (56 - 8 * (j % 8))); }
    bool operator<(const TSortKey& other) const {
        if (Words != other.Words) return Words < other.Words;
        return Game < other.Game;
    }
};
static_assert(sizeof(TSortKey) == 40);

// PointCode digit values by character, 0 for anything else: decoding a million games a character at a
// time goes through this table.
struct TDigitTable {
    std::array<uint8_t, 256> Value{};
    TDigitTable() {
        for (int c = 0; c < 256; ++c) Value[size_t(c)] = uint8_t(PointDigitValue(char(c)));
    }
};

TSortKey KeyOf(const TPartyRecord& party, uint32_t game) {
    static const TDigitTable digits;
    TSortKey key;
    key.Game = game;
    const std::string_view moves = party.Moves;
    size_t j = 0;
    for (; 2 * j + 1 < moves.size(); ++j) {
        const uint8_t x = digits.Value[uint8_t(moves[2 * j])], y = digits.Value[uint8_t(moves[2 * j + 1])];
        if (x == 0 || y == 0) break;  // the game counts as ending before its first code that is no point
        if (j < size_t(TIndexPart::Depth))
            key.Words[j / 8] |= uint64_t((x - 1) * 15 + y) << (56 - 8 * (j % 8));
    }
    key.Length = uint8_t(std::min(j, TIndexPart::MaxLength));
    return key;
}

template <class TArray>
size_t Bytes(const TArray& v) {
    using T = typename TArray::value_type;
    return v.capacity() * sizeof(T);
}

}  // namespace

void TIndexPart::Build(const TPartyRecords& parties, const std::vector<uint32_t>* games) {
    const size_t n = games ? games->size() : parties.size();
    // A large part is sorted on both cores: each half's keys made and sorted beside the other's, then
    // merged; the deep stone sets are drawn beside the rest of the arrays.
    const bool beside = n >= ParallelFrom;
    TLargeVector<TSortKey> keys(n);
    auto sortKeys = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            const uint32_t g = games ? (*games)[i] : uint32_t(i);
            keys[i] = KeyOf(parties[g], g);
        }
        std::sort(keys.begin() + long(from), keys.begin() + long(to));
    };
    if (beside) {
        const size_t half = n / 2;
        std::future<void> second = std::async(std::launch::async, sortKeys, half, n);
        sortKeys(0, half);
        second.get();
        std::inplace_merge(keys.begin(), keys.begin() + long(half), keys.end());
    } else {
        sortKeys(0, n);
    }

    Order_.resize(n);
    Rows_.resize(n);
    Length_.resize(n);
    for (size_t x = 0; x < n; ++x) {
        const TSortKey& key = keys[x];
        for (int j = 0; j < Depth; ++j) Rows_[x].Moves[size_t(j)] = key.Move(j);
        Order_[x] = key.Game;
        Length_[x] = key.Length;
    }
    TLargeVector<TSortKey>().swap(keys);  // frees the keys: assigning {} would keep their memory
    // A base that shrank gives its memory back; the rows stay put from here on.
    Order_.shrink_to_fit();
    Rows_.shrink_to_fit();
    Length_.shrink_to_fit();
    auto drawDeepSets = [this, n] {
        DeepStoneSets_.Build(
            n, [&](size_t x) { return Row(x); }, [&](size_t x) { return Length(x); });
    };
    std::future<void> deepSets = beside ? std::async(std::launch::async, drawDeepSets) : std::future<void>();

    ResultCode_.resize(n);
    Group_.resize(n);
    Black_.resize(n);
    White_.resize(n);
    Year_.resize(n);
    YearCodes_.clear();
    for (size_t x = 0; x < n; ++x) {
        const TPartyRecord& party = parties[Order_[x]];
        ResultCode_[x] = uint8_t(int(ResultSlot(party.Result)) | (party.Result == '?' ? NotFinishedBit : 0));
        Group_[x] = party.Board.empty() ? ' ' : party.Board[0];
        const std::string_view year = party.Year;
        auto known = YearCodes_.find(year);
        if (known == YearCodes_.end())
            known = YearCodes_.emplace(std::string(year), int32_t(YearCodes_.size())).first;
        Year_[x] = known->second;
        Black_[x] = party.BlackId;
        White_[x] = party.WhiteId;
    }
    ResultCode_.shrink_to_fit();
    Group_.shrink_to_fit();
    Black_.shrink_to_fit();
    White_.shrink_to_fit();
    Year_.shrink_to_fit();
    StoneSets_.Build(
        n, [&](size_t x) { return Row(x); }, [&](size_t x) { return Length(x); });
    ListPlayersGames();
    Summarise();
    if (deepSets.valid())
        deepSets.get();
    else
        drawDeepSets();
}

void TIndexPart::Renumber(const std::vector<uint32_t>& newPosition) {
    // The rows stay where they are: a renumbered game has the same moves. Only the minima of the
    // blocks, which are PartyList positions, are taken anew.
    for (uint32_t& game : Order_) game = newPosition[game];
    Summarise();
}

void TIndexPart::Remove(const std::vector<uint32_t>& removed, size_t oldCount, bool renumber) {
    if (removed.empty() || Order_.empty()) return;
    // The removed games as a bitmap with the number of removed games before each word.
    const size_t words = oldCount / 64 + 1;
    std::vector<uint64_t> bits(words);
    for (uint32_t g : removed) bits[g / 64] |= uint64_t(1) << (g % 64);
    std::vector<uint32_t> before(words);
    for (size_t w = 1; w < words; ++w) before[w] = before[w - 1] + uint32_t(std::popcount(bits[w - 1]));

    // The sorted positions of the dropped games, found in one pass; most parts lose few.
    std::vector<size_t> dropped;
    const size_t n = Order_.size();
    for (size_t x = 0; x < n; ++x) {
        const uint32_t g = Order_[x];
        const uint64_t word = bits[g / 64], below = word & ((uint64_t(1) << (g % 64)) - 1);
        if (word >> (g % 64) & 1)
            dropped.push_back(x);
        else if (renumber)
            Order_[x] = g - before[g / 64] - uint32_t(std::popcount(below));
    }
    if (dropped.empty()) return Summarise();

    // Every array closes the gaps in one pass of block moves between the dropped positions.
    CloseGaps(Order_, dropped);
    CloseGaps(Rows_, dropped);
    CloseGaps(Length_, dropped);
    CloseGaps(ResultCode_, dropped);
    CloseGaps(Group_, dropped);
    CloseGaps(Black_, dropped);
    CloseGaps(White_, dropped);
    CloseGaps(Year_, dropped);
    const TPositionShift shift(dropped, n);
    StoneSets_.Remove(shift);
    DeepStoneSets_.Remove(shift);
    DropPlayersGames(shift);
    Summarise();
}

void TIndexPart::Summarise() {
    const size_t n = Order_.size();
    const size_t blocks = (n >> BlockShift) + 1;
    BlockCounts_.assign(blocks, {});
    std::array<uint32_t, ResultSlotCount> running{};
    for (size_t x = 0; x < n; ++x) {
        if ((x & ((size_t(1) << BlockShift) - 1)) == 0) BlockCounts_[x >> BlockShift] = running;
        ++running[ResultCode_[x] & SlotBits];
    }
    if ((n & ((size_t(1) << BlockShift) - 1)) == 0) BlockCounts_[n >> BlockShift] = running;

    BlockMinima_.clear();
    const size_t fullBlocks = n >> BlockShift;
    if (fullBlocks > 0) {
        std::vector<uint32_t> level(fullBlocks);
        for (size_t b = 0; b < fullBlocks; ++b)
            level[b] = *std::min_element(Order_.begin() + long(b << BlockShift),
                                         Order_.begin() + long((b + 1) << BlockShift));
        BlockMinima_.push_back(std::move(level));
        for (size_t width = 2; width <= fullBlocks; width *= 2) {
            const std::vector<uint32_t>& below = BlockMinima_.back();
            std::vector<uint32_t> next(fullBlocks - width + 1);
            for (size_t b = 0; b < next.size(); ++b) next[b] = std::min(below[b], below[b + width / 2]);
            BlockMinima_.push_back(std::move(next));
        }
    }
}

void TIndexPart::ListPlayersGames() {
    const size_t n = Order_.size();
    int32_t top = 0;
    for (size_t x = 0; x < n; ++x) top = std::max({top, Black_[x], White_[x]});
    PlayerStart_.assign(size_t(top) + 2, 0);
    // Counted at id + 1 first, so that the running sums leave each player's start at id.
    for (size_t x = 0; x < n; ++x) {
        ++PlayerStart_[size_t(Black_[x]) + 1];
        if (White_[x] != Black_[x]) ++PlayerStart_[size_t(White_[x]) + 1];
    }
    for (size_t id = 1; id < PlayerStart_.size(); ++id) PlayerStart_[id] += PlayerStart_[id - 1];
    PlayerGames_.resize(PlayerStart_.back());
    std::vector<uint32_t> next(PlayerStart_.begin(), PlayerStart_.end() - 1);
    for (size_t x = 0; x < n; ++x) {
        PlayerGames_[next[size_t(Black_[x])]++] = uint32_t(x);
        if (White_[x] != Black_[x]) PlayerGames_[next[size_t(White_[x])]++] = uint32_t(x);
    }
    PlayerStart_.shrink_to_fit();
    PlayerGames_.shrink_to_fit();
}

void TIndexPart::DropPlayersGames(const TPositionShift& shift) {
    // Each list keeps its order; its games move down by the dropped games before them.
    size_t kept = 0, from = 0;
    for (size_t id = 0; id + 1 < PlayerStart_.size(); ++id) {
        const size_t end = PlayerStart_[id + 1];
        PlayerStart_[id] = kept;
        for (; from < end; ++from) {
            const uint32_t x = PlayerGames_[from];
            if (!shift.Dropped(x)) PlayerGames_[kept++] = uint32_t(shift.Shifted(x));
        }
    }
    PlayerStart_.back() = kept;
    PlayerGames_.resize(kept);
}

std::span<const uint32_t> TIndexPart::GamesOfPlayer(int32_t id) const {
    if (id < 0 || size_t(id) + 1 >= PlayerStart_.size()) return {};
    return {PlayerGames_.data() + PlayerStart_[size_t(id)],
            PlayerGames_.data() + PlayerStart_[size_t(id) + 1]};
}

size_t TIndexPart::MemoryBytes() const {
    size_t bytes = Bytes(Order_) + Bytes(Rows_) + Bytes(Length_) + Bytes(ResultCode_) + Bytes(Group_) +
                   Bytes(Black_) + Bytes(White_) + Bytes(Year_) + Bytes(BlockCounts_) +
                   StoneSets_.MemoryBytes() + DeepStoneSets_.MemoryBytes() + Bytes(PlayerStart_) +
                   Bytes(PlayerGames_);
    for (const auto& level : BlockMinima_) bytes += Bytes(level);
    for (const auto& [year, code] : YearCodes_)
        bytes += sizeof(std::string) + year.capacity() + sizeof(code) + 16;
    return bytes;
}

int32_t TIndexPart::YearCodeOf(std::string_view year) const {
    auto at = YearCodes_.find(year);
    return at == YearCodes_.end() ? -1 : at->second;
}

size_t TIndexPart::RunEnd(size_t x, size_t hi, int j) const {
    const uint8_t value = Move(x, j);
    return Gallop(x, hi, [&](size_t y) { return Move(y, j) == value; });
}

size_t TIndexPart::LowerBound(size_t x, size_t hi, int j, uint8_t value) const {
    return Gallop(x, hi, [&](size_t y) { return Move(y, j) < value; });
}

TResultCount TIndexPart::CountBefore(size_t x) const {
    std::array<uint32_t, ResultSlotCount> counts = BlockCounts_[x >> BlockShift];
    for (size_t y = (x >> BlockShift) << BlockShift; y < x; ++y) ++counts[ResultCode_[y] & SlotBits];
    TResultCount result;
    for (int s = 0; s < ResultSlotCount; ++s) result[TResultSlot(s)] = int(counts[size_t(s)]);
    return result;
}

TResultCount TIndexPart::CountRange(size_t lo, size_t hi) const {
    TResultCount result;
    if (hi - lo <= (size_t(1) << BlockShift)) {
        std::array<int, ResultSlotCount> counts{};
        for (size_t x = lo; x < hi; ++x) ++counts[ResultCode_[x] & SlotBits];
        for (int s = 0; s < ResultSlotCount; ++s) result[TResultSlot(s)] = counts[size_t(s)];
        return result;
    }
    const TResultCount before = CountBefore(lo), until = CountBefore(hi);
    for (int s = 0; s < ResultSlotCount; ++s)
        result[TResultSlot(s)] = until[TResultSlot(s)] - before[TResultSlot(s)];
    return result;
}

uint32_t TIndexPart::BlockMinimum(size_t firstBlock, size_t lastBlock) const {
    const size_t count = lastBlock - firstBlock + 1;
    // count is at least 1; "| 1" only tells the analyser so.
    const size_t level = size_t(std::bit_width(count | 1)) - 1;
    const std::vector<uint32_t>& minima = BlockMinima_[level];
    return std::min(minima[firstBlock], minima[lastBlock + 1 - (size_t(1) << level)]);
}

uint32_t TIndexPart::FirstGame(size_t lo, size_t hi) const {
    const size_t firstBlock = lo >> BlockShift, lastBlock = (hi - 1) >> BlockShift;
    if (lastBlock - firstBlock < 2)
        return *std::min_element(Order_.begin() + long(lo), Order_.begin() + long(hi));
    const size_t headEnd = (firstBlock + 1) << BlockShift, tailBegin = lastBlock << BlockShift;
    uint32_t first = std::min(*std::min_element(Order_.begin() + long(lo), Order_.begin() + long(headEnd)),
                              *std::min_element(Order_.begin() + long(tailBegin), Order_.begin() + long(hi)));
    return std::min(first, BlockMinimum(firstBlock + 1, lastBlock - 1));
}

}  // namespace kalvon
