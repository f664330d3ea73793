// The position search on generated bases of 10,000 to 1,000,000 games, each case beside the plain
// string-by-string search of the same position in the same run:
//   BM_MakeStatistic/games:G/moves:M   positions of M moves taken from games of the base (-1: a position
//                                      no game reached); x_literal = literal time / this time
//   BM_MakeStatisticPlayerQuery/...    the same under a query for one player's games
//   BM_ShiftStatistic2/games:G         the two-point shift of a 9-move position, x_literal likewise
//   BM_BuildIndex/games:G              rebuilding the search data after the base changed
// Counters: matches (games listed), index_bytes_per_game (the search data, by its own count) and
// heap_bytes_per_game (what the heap grew by when the search data was built).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "base/BaseFile.h"
#include "base/PointCodes.h"
#include "bench/generator/BaseGenerator.h"
#include "search/ShiftStatistic.h"
#include "search/Statistic.h"
#include "search/Symmetry.h"
#include "tests/engine/LiteralSearch.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace kalvon;

constexpr int64_t Sizes[] = {10'000, 100'000, 1'000'000};
constexpr int64_t PositionMoves[] = {0, 1, 2, 3, 5, 9, 15, 25, -1};

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
        const std::string& game = base.PartyList[(n / 3 + k * 7919) % n].Moves;
        if (ValidMoveCount(game) > size_t(moves)) return game.substr(0, size_t(2 * moves));
    }
    return "";
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
    ->ArgsProduct({{std::begin(Sizes), std::end(Sizes)},
                   {std::begin(PositionMoves), std::end(PositionMoves)}})
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
    ->ArgsProduct({{std::begin(Sizes), std::end(Sizes)}, {0, 3}})
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
BENCHMARK(BM_ShiftStatistic2)
    ->Apply(OnEachBaseSize);

void BM_BuildIndex(benchmark::State& state) {
    TBenchBase& b = BenchBase(state.range(0));
    TPositionIndex index;
    for (auto _ : state) {
        index.Invalidate();
        index.Refresh(b.Base);
    }
    SetMemoryCounters(state, b);
}
BENCHMARK(BM_BuildIndex)
    ->Apply(OnEachBaseSize);

}  // namespace
