#include "search/Statistic.h"

#include <algorithm>
#include <limits>
#include <span>

#include "search/PositionSearch.h"
#include "search/PositionSets.h"

namespace kalvon {

namespace {

// Next moves in the board's orientation, indexed by point value (NoPoint: the games that end).
class TNextMoveCounts {
public:
    void Add(uint8_t move, const TResultCount& count, uint32_t firstGame) {
        Entries_[move].Count += count;
        Entries_[move].FirstGame = std::min(Entries_[move].FirstGame, firstGame);
    }
    void AddGame(uint8_t move, TResultSlot slot, uint32_t game) {
        ++Entries_[move].Count[slot];
        Entries_[move].FirstGame = std::min(Entries_[move].FirstGame, game);
    }
    // The table in order of each move's first appearance in PartyList.
    TNextMoveTable Table() const {
        std::vector<uint8_t> moves;
        for (int move = 0; move < PointValueCount; ++move)
            if (Entries_[size_t(move)].Count.Total() > 0) moves.push_back(uint8_t(move));
        std::sort(moves.begin(), moves.end(),
                  [&](uint8_t a, uint8_t b) { return Entries_[a].FirstGame < Entries_[b].FirstGame; });
        TNextMoveTable table;
        for (uint8_t move : moves)
            table.push_back(
                {move == NoPoint ? std::string(EndMove) : PointCodeOfValue(move), Entries_[move].Count});
        return table;
    }

private:
    struct TEntry {
        TResultCount Count;
        uint32_t FirstGame = std::numeric_limits<uint32_t>::max();
    };
    std::array<TEntry, PointValueCount> Entries_{};
};

// The query criteria against the compact copy of a game in the index.
class TCompactQuery {
public:
    TCompactQuery(const TQueryCriteria& criteria, const TIndexPart& index)
        : C_(criteria), YearCode_(criteria.YearOn ? index.YearCodeOf(criteria.QueryYear) : -1) {}

    bool Passes(const TIndexPart& index, size_t x) const {
        if (C_.NotFinishedOn && !index.NotFinished(x)) return false;
        if (C_.GroupOn && index.Group(x) != C_.GroupChar) return false;
        if (C_.YearOn && index.YearCode(x) != YearCode_) return false;
        if (C_.PlayerOn && !PlayerPasses(index.BlackId(x), index.WhiteId(x))) return false;
        return true;
    }

private:
    bool PlayerPasses(int32_t black, int32_t white) const {
        switch (TPlayerColour(C_.PlayerColour)) {
            case TPlayerColour::All:
                return (black == C_.PlayerId || white == C_.PlayerId) &&
                       (!C_.OpponentOn || black == C_.OpponentId || white == C_.OpponentId);
            case TPlayerColour::Black:
                return black == C_.PlayerId && (!C_.OpponentOn || white == C_.OpponentId);
            case TPlayerColour::White:
                return white == C_.PlayerId && (!C_.OpponentOn || black == C_.OpponentId);
        }
        return false;
    }

    const TQueryCriteria& C_;
    int32_t YearCode_;
};

// Without a query every game of a matched range counts, so whole runs of equal next moves are
// counted at once from the running counts of the index. Ranges exist only for positions shorter than
// the depth of the index, so column n exists whenever one is found.
void CountRanges(const TIndexPart& index, const TPositionMatches& matches, size_t n,
                 TNextMoveCounts& counts) {
    for (const TRangeMatch& range : matches.Ranges) {
        const int inverse = InverseTransform(range.Symmetry);
        for (size_t x = range.Lo; x < range.Hi;) {
            const uint8_t move = index.Move(x, int(n));
            const size_t end = index.RunEnd(x, range.Hi, int(n));
            counts.Add(TransformValue(move, inverse), index.CountRange(x, end), index.FirstGame(x, end));
            x = end;
        }
    }
}

}  // namespace

TStatistic MakeStatistic(TGameBase& base, const TQueryCriteria& criteria, TPositionIndex& index) {
    return MakeStatistic(base, base.CurrentMoves, criteria, index, base.Listing);
}

TStatistic MakeStatistic(const TBaseGames& base, std::string_view moves, const TQueryCriteria& criteria,
                         TPositionIndex& index, TListing& listing) {
    TStatistic stat;
    const std::vector<uint8_t> position = MoveValues(moves);
    stat.Position = std::string(moves.substr(0, 2 * position.size()));
    const size_t n = position.size();

    index.Refresh(base);
    const TIndexMatches matches = FindPosition(index, base.PartyList, position);
    listing.clear();
    TNextMoveCounts counts;

    bool anyGames = false;
    for (const TPartMatches& part : matches) anyGames = anyGames || !part.Matches.Games.empty();
    if (!criteria.QueryOn && !anyGames) {
        AppendMatchedGames(matches, index.GameCount(), listing);
        for (const auto& [part, found] : matches) CountRanges(*part, found, n, counts);
    } else {
        const bool byColour = PlayerCriterionActive(criteria);
        std::vector<uint32_t> listed;
        for (const auto& [part, found] : matches) {
            const TIndexPart& games = *part;
            const TCompactQuery query(criteria, games);
            auto take = [&](size_t x, int symmetry, auto next) {
                if (criteria.QueryOn && !query.Passes(games, x)) return;
                const uint32_t game = games.Game(x);
                const TResultSlot slot = games.Slot(x);
                listed.push_back(game);
                if (byColour) ++stat.ColourCount[games.BlackId(x) == criteria.PlayerId ? 0 : 1][slot];
                counts.AddGame(TransformValue(next(), InverseTransform(symmetry)), slot, game);
            };
            // The next move is read only for the games that pass the query.
            const bool byPlayer = criteria.QueryOn && criteria.PlayerOn;
            const std::span<const uint32_t> played =
                byPlayer ? games.GamesOfPlayer(criteria.PlayerId) : std::span<const uint32_t>();
            if (byPlayer && played.size() < found.Count()) {
                // The player's games, in sorted order like the ranges, are fewer than the games matched:
                // only they are looked at.
                auto range = found.Ranges.begin();
                for (const uint32_t x : played) {
                    while (range != found.Ranges.end() && range->Hi <= x) ++range;
                    if (range == found.Ranges.end()) break;
                    if (x >= range->Lo) take(x, range->Symmetry, [&] { return games.Move(x, int(n)); });
                }
            } else {
                for (const TRangeMatch& range : found.Ranges)
                    for (size_t x = range.Lo; x < range.Hi; ++x)
                        take(x, range.Symmetry, [&] { return games.Move(x, int(n)); });
            }
            for (const TGameMatch& game : found.Games)
                take(game.Sorted, game.Symmetry, [&] { return game.Next; });
        }
        AppendSortedGames(listed, index.GameCount(), listing);
        stat.HasColourBlock = byColour && !listed.empty();
    }

    stat.ListingCount = listing.size();
    stat.NextMoveTable = counts.Table();
    for (const TNextMove& entry : stat.NextMoveTable) stat.TotalCount += entry.Count;
    MergeSymmetricMoves(stat.NextMoveTable, stat.Position);
    PutEndFirst(stat.NextMoveTable);
    SortByFrequency(stat.NextMoveTable);
    if (n < 5) FoldOpeningMoves(stat.NextMoveTable, stat.Position);
    return stat;
}

}  // namespace kalvon
