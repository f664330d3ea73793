// The position search on generated bases of 10,000 to 1,000,000 games (also 5,000,000 with
// KALVON_BENCH_5M set), each case beside the plain string-by-string search of the same position in
// the same run:
//   BM_MakeStatistic/games:G/moves:M   positions of M moves taken from games of the base (-M: a position
//                                      of M moves that no game reached, -1: stones in the corners);
//                                      x_literal = literal time / this time
//   BM_MakeStatisticPlayerQuery/...    the same under a query for one player's games
//   BM_ShiftStatistic2/games:G         the two-point shift of a 9-move position, x_literal likewise
//   BM_BuildIndex/games:G              sorting the search data of every game anew (after a load)
//   BM_AppendTenGames/games:G          AddBaseLine of 10 games and the refresh of the search data;
//                                      index_ms: the refresh alone
//   BM_DeleteTenGames/games:G          RemoveListedParties of 10 scattered games and the refresh;
//                                      index_ms: the refresh alone
//   BM_ReplaceGame/games:G             ReplaceParty of one game and the refresh
// Counters: matches (games listed), index_bytes_per_game (the search data, by its own count) and
// heap_bytes_per_game (what the heap grew by when the search data was built).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/Symmetry.h"
#include "generator/BaseGenerator.h"
#include "search/ShiftStatistic.h"
#include "search/Statistic.h"
#include "tests/engine/LiteralSearch.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace kalvon;

// With KALVON_BENCH_5M set, the searches also run on a base of 5,000,000 games (about 630 MB).
const std::vector<int64_t> Sizes = [] {
    std::vector<int64_t> sizes = {10'000, 100'000, 1'000'000};
    if (std::getenv("KALVON_BENCH_5M")) sizes.push_back(5'000'000);
    return sizes;
}();
constexpr int64_t PositionMoves[] = {0, 1, 2, 3, 5, 9, 15, 25, 33, 40, 50, 60, -1, -5, -20, -40};

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <class F>
double MedianSeconds(int runs, F&& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(Seconds(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct TBenchBase {
    TGameBase Base;
    TPositionIndex Index;
    size_t HeapBytes = 0;
    std::map<int64_t, std::string> Positions;  // by number of moves; -1: reached by no game
};

// A position of that many moves from a game of the base that goes on after it.
std::string PositionFromGames(const TGameBase& base, int64_t moves) {
    const size_t n = base.PartyList.size();
    for (size_t k = 0; k < n; ++k) {
        const std::string_view game = base.PartyList[(n / 3 + k * 7919) % n].Moves;
        if (ValidMoveCount(game) > size_t(moves)) return std::string(game.substr(0, size_t(2 * moves)));
    }
    return "";
}

// A position of that many moves that no game reached: the opening of a game that goes on after it,
// with its last stone moved to a point where the literal search finds no game.
std::string PositionNoGameReached(const TGameBase& base, int64_t moves) {
    const std::string opening = PositionFromGames(base, moves);
    const std::string before = opening.substr(0, opening.size() - 2);
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            const std::string point{PointDigit(c), PointDigit(r)};
            bool taken = false;
            for (size_t i = 0; i < before.size(); i += 2) taken = taken || before.compare(i, 2, point) == 0;
            if (taken) continue;
            if (literal::MakeStatistic(base, before + point, TQueryCriteria{}).Listing.empty())
                return before + point;
        }
    throw std::runtime_error("every point was reached");
}

TBenchBase& BenchBase(int64_t games) {
    static std::map<int64_t, std::unique_ptr<TBenchBase>> bases;
    auto& slot = bases[games];
    if (slot) return *slot;
    slot = std::make_unique<TBenchBase>();
    TSilentUi ui;
    if (!LoadBase(slot->Base, bench::BenchBaseFile(size_t(games)), ui))
        throw std::runtime_error("no bench base");
    const size_t before = HeapInUse();
    slot->Index.Refresh(slot->Base);
    slot->HeapBytes = HeapInUse() - before;
    for (int64_t moves : PositionMoves)
        if (moves >= 0) slot->Positions[moves] = PositionFromGames(slot->Base, moves);
    // Stones in the four corners and beside them: no generated game goes there in its first moves.
    slot->Positions[-1] = "11FF1FF1122EFE";
    for (int64_t moves : PositionMoves)
        if (moves < -1) slot->Positions[moves] = PositionNoGameReached(slot->Base, -moves);
    return *slot;
}

void SetMemoryCounters(benchmark::State& state, const TBenchBase& b) {
    const double games = double(b.Base.PartyList.size());
    state.counters["index_bytes_per_game"] = double(b.Index.MemoryBytes()) / games;
    state.counters["heap_bytes_per_game"] = double(b.HeapBytes) / games;
}

// Runs the timed loop and shows how many times slower the plain search (literalSeconds per call) is.
template <class F>
void RunAgainstLiteral(benchmark::State& state, double literalSeconds, F&& search) {
    const auto start = Clock::now();
    for (auto _ : state) search();
    const double seconds =
        Seconds(start) / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["literal_ms"] = literalSeconds * 1000;
    state.counters["x_literal"] = literalSeconds / seconds;
}

// MakeStatistic under the criteria at the position of the case, against the literal search.
void RunStatisticCase(benchmark::State& state, const TQueryCriteria& criteria, TBenchBase& b) {
    const std::string& position = b.Positions.at(state.range(1));
    b.Base.CurrentMoves = position;
    static std::map<std::tuple<int64_t, int64_t, bool>, double> literalSeconds;
    auto& literal = literalSeconds[{state.range(0), state.range(1), criteria.PlayerOn}];
    if (literal == 0)
        literal = MedianSeconds(
            3, [&] { benchmark::DoNotOptimize(literal::MakeStatistic(b.Base, position, criteria)); });
    RunAgainstLiteral(state, literal,
                      [&] { benchmark::DoNotOptimize(MakeStatistic(b.Base, criteria, b.Index)); });
    state.counters["matches"] = double(b.Base.Listing.size());
}

// Runs a case once for each size of base, in milliseconds.
void OnEachBaseSize(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"games"})->Unit(benchmark::kMillisecond);
    for (const int64_t games : Sizes) bench->Arg(games);
}

void BM_MakeStatistic(benchmark::State& state) {
    TBenchBase& b = BenchBase(state.range(0));
    RunStatisticCase(state, TQueryCriteria{}, b);
    SetMemoryCounters(state, b);
}
BENCHMARK(BM_MakeStatistic)
    ->ArgNames({"games", "moves"})
    ->ArgsProduct({Sizes, {std::begin(PositionMoves), std::end(PositionMoves)}})
    ->Unit(benchmark::kMillisecond);

// The statistics under a query: the games of one player, at the empty board and after three moves.
void BM_MakeStatisticPlayerQuery(benchmark::State& state) {
    TQueryCriteria criteria;
    criteria.QueryOn = criteria.PlayerOn = true;
    criteria.PlayerId = 1;
    RunStatisticCase(state, criteria, BenchBase(state.range(0)));
}
BENCHMARK(BM_MakeStatisticPlayerQuery)
    ->ArgNames({"games", "moves"})
    ->ArgsProduct({Sizes, {0, 3}})
    ->Unit(benchmark::kMillisecond);

void BM_ShiftStatistic2(benchmark::State& state) {
    TBenchBase& b = BenchBase(state.range(0));
    // Nine moves of a game moved two points up and right, so that one of the shifts brings them back.
    std::string position;
    for (size_t i = 0; i + 1 < b.Positions.at(9).size(); i += 2)
        for (char c : b.Positions.at(9).substr(i, 2))
            position += PointDigitValue(c) <= 13 ? PointDigit(PointDigitValue(c) + 2) : 'F';
    b.Base.CurrentMoves = position;
    static std::map<int64_t, double> literalSeconds;
    auto& literal = literalSeconds[state.range(0)];
    if (literal == 0)
        literal =
            MedianSeconds(3, [&] { benchmark::DoNotOptimize(literal::ShiftStatistic(b.Base, position, 2)); });
    RunAgainstLiteral(state, literal, [&] { benchmark::DoNotOptimize(ShiftStatistic(b.Base, 2, b.Index)); });
    state.counters["matches"] = double(b.Base.Listing.size());
}
BENCHMARK(BM_ShiftStatistic2)->Apply(OnEachBaseSize);

void BM_BuildIndex(benchmark::State& state) {
    TBenchBase& b = BenchBase(state.range(0));
    TPositionIndex index;
    for (auto _ : state) {
        index.Invalidate();
        index.Refresh(b.Base);
    }
    SetMemoryCounters(state, b);
}
BENCHMARK(BM_BuildIndex)->Apply(OnEachBaseSize);

// The base lines of ten games that no base of the benchmarks holds.
const std::vector<std::string>& TenNewLines() {
    static const std::vector<std::string> lines = bench::GenerateBaseLines({.Games = 10, .Seed = 2});
    return lines;
}

// Times change(base) together with the refresh of the index, and the refresh alone as index_ms;
// undo(base) runs untimed after each change and leaves the base as large as before.
template <class FChange, class FUndo>
void RunChange(benchmark::State& state, FChange&& change, FUndo&& undo) {
    TBenchBase& b = BenchBase(state.range(0));
    b.Index.Refresh(b.Base);
    const size_t rebuilds = b.Index.Rebuilds();
    double indexSeconds = 0;
    for (auto _ : state) {
        change(b.Base);
        const auto start = Clock::now();
        b.Index.Refresh(b.Base);
        indexSeconds += Seconds(start);
        state.PauseTiming();
        undo(b.Base);
        b.Index.Refresh(b.Base);
        state.ResumeTiming();
    }
    state.counters["index_ms"] =
        indexSeconds * 1000 / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["rebuilds"] = double(b.Index.Rebuilds() - rebuilds);
}

void BM_AppendTenGames(benchmark::State& state) {
    TBaseMark mark;
    RunChange(
        state,
        [&](TGameBase& base) {
            mark = MarkBase(base);
            for (const std::string& line : TenNewLines()) AddBaseLine(base, line);
        },
        [&](TGameBase& base) { RemoveAddedSince(base, mark); });
}
BENCHMARK(BM_AppendTenGames)->Apply(OnEachBaseSize);

void BM_DeleteTenGames(benchmark::State& state) {
    std::vector<std::string> lines;
    uint64_t next = 0;
    RunChange(
        state,
        [&](TGameBase& base) {
            base.Listing.clear();
            lines.clear();
            for (int k = 0; k < 10; ++k) {
                const long game = long((++next * 7919 * 101) % base.PartyList.size());
                base.Listing.push_back(game);
                lines.push_back(FormatBaseLine(base, base.PartyList[size_t(game)]));
            }
            RemoveListedParties(base);
        },
        [&](TGameBase& base) {
            for (const std::string& line : lines) AddBaseLine(base, line);
        });
}
BENCHMARK(BM_DeleteTenGames)->Apply(OnEachBaseSize);

void BM_ReplaceGame(benchmark::State& state) {
    TPartyRecord old;
    long position = 0;
    RunChange(
        state,
        [&](TGameBase& base) {
            position = long((size_t(position) + 7919) % base.PartyList.size());
            old = base.PartyList[size_t(position)];
            TPartyRecord edited = old;
            edited.Moves = base.PartyList[size_t(position) / 2].Moves;
            ReplaceParty(base, position, std::move(edited));
        },
        [&](TGameBase& base) { ReplaceParty(base, position, old); });
}
BENCHMARK(BM_ReplaceGame)->Apply(OnEachBaseSize);

}  // namespace
