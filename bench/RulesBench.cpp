// The rules on positions cut from generated games near their end, and "Check Games" over a generated
// base, each beside its baseline in the same run:
//   BM_ForbiddenPointsLiteral  all of black's forbidden points of a position under the literal rules
//                              (tests/engine/LiteralRules.h), per position
//   BM_ForbiddenPoints         the same with the engine's tables, per position; x_literal = the
//                              literal time / this time
//   BM_Vcf/length:16           the VCF search of the side to move, per position; found: the share of
//                              positions with a VCF, nodes: the mean nodes searched
//   BM_LoadCheckBase/games:160000  LoadBase of a generated base of 160,000 games
//   BM_CheckGames/games:160000 the check of all of its games without missed VCF; x_load = this time /
//                              LoadBase's
//   BM_CheckGamesMissedVcf/games:2000  the check of its first 2,000 games with missed VCF to 16 moves

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/BaseFile.h"
#include "generator/BaseGenerator.h"
#include "rules/Forbidden.h"
#include "rules/GameCheck.h"
#include "rules/Vcf.h"
#include "tests/engine/LiteralRules.h"

namespace {

using namespace kalvon;
using Clock = std::chrono::steady_clock;

constexpr size_t PositionCount = 1000;
constexpr int64_t CheckBaseGames = 160'000, MissedVcfGames = 2'000;

// Renju games of a generated base, each cut at most five moves before its end.
const std::vector<std::string>& Positions() {
    static const std::vector<std::string> positions = [] {
        std::vector<std::string> cut;
        std::mt19937_64 random(17);
        for (const std::string& line : bench::GenerateBaseLines({.Games = 3 * PositionCount, .Seed = 11})) {
            size_t at = line.find('[');
            for (int field = 0; field < 3; ++field) at = line.find(',', at + 1);
            const std::string moves = line.substr(at + 1, line.find(',', at + 1) - at - 1);
            if (moves.substr(0, 2) != "88" || moves.size() < 20) continue;
            cut.push_back(moves.substr(0, moves.size() - 2 * (random() % 6)));
            if (cut.size() == PositionCount) break;
        }
        return cut;
    }();
    return positions;
}

std::vector<TRuleBoard> Boards() {
    std::vector<TRuleBoard> boards(Positions().size());
    for (size_t i = 0; i < boards.size(); ++i) PlaceMoves(boards[i], Positions()[i]);
    return boards;
}

double LiteralSecondsPerPosition = 0;

void BM_ForbiddenPointsLiteral(benchmark::State& state) {
    std::vector<test::TLiteralBoard> boards(Positions().size());
    for (size_t i = 0; i < boards.size(); ++i) boards[i].Play(Positions()[i]);
    const auto start = Clock::now();
    size_t forbidden = 0;
    for (auto _ : state) {
        for (test::TLiteralBoard& board : boards)
            for (int c = 1; c <= 15; ++c)
                for (int r = 1; r <= 15; ++r)
                    if (board.At(c, r) == 0 && board.Forbidden(c, r) != TForbiddenKind::None) ++forbidden;
    }
    const double positions = double(state.iterations()) * double(boards.size());
    LiteralSecondsPerPosition = std::chrono::duration<double>(Clock::now() - start).count() / positions;
    state.SetItemsProcessed(int64_t(positions));
    state.counters["forbidden_per_position"] = double(forbidden) / positions;
}
BENCHMARK(BM_ForbiddenPointsLiteral)->Unit(benchmark::kMillisecond);

void BM_ForbiddenPoints(benchmark::State& state) {
    std::vector<TRuleBoard> boards = Boards();
    const auto start = Clock::now();
    size_t forbidden = 0;
    for (auto _ : state)
        for (TRuleBoard& board : boards) forbidden += ForbiddenPoints(board, TRule::Renju).size();
    const double positions = double(state.iterations()) * double(boards.size());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count() / positions;
    state.SetItemsProcessed(int64_t(positions));
    state.counters["us_per_position"] = seconds * 1e6;
    state.counters["forbidden_per_position"] = double(forbidden) / positions;
    if (LiteralSecondsPerPosition > 0) state.counters["x_literal"] = LiteralSecondsPerPosition / seconds;
}
BENCHMARK(BM_ForbiddenPoints)->Unit(benchmark::kMillisecond);

void BM_Vcf(benchmark::State& state) {
    std::vector<TRuleBoard> boards = Boards();
    TVcfSearch search;
    TVcfLimits limits;
    limits.Length = int(state.range(0));
    size_t found = 0;
    uint64_t nodes = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        for (size_t i = 0; i < boards.size(); ++i) {
            const TVcfResult result =
                search.Find(boards[i], TRule::Renju, SideToMove(Positions()[i].size() / 2), limits);
            found += result.Outcome == TVcfOutcome::Found;
            nodes += result.Nodes;
        }
    }
    const double positions = double(state.iterations()) * double(boards.size());
    state.SetItemsProcessed(int64_t(positions));
    state.counters["us_per_position"] =
        std::chrono::duration<double>(Clock::now() - start).count() / positions * 1e6;
    state.counters["found"] = double(found) / positions;
    state.counters["nodes"] = double(nodes) / positions;
}
BENCHMARK(BM_Vcf)->ArgName("length")->Arg(16)->Unit(benchmark::kMillisecond);

TSilentUi SilentUi;
double LoadSeconds = 0;

const TGameBase& CheckBase() {
    static const std::unique_ptr<TGameBase> base = [] {
        auto loaded = std::make_unique<TGameBase>();
        if (!LoadBase(*loaded, bench::BenchBaseFile(size_t(CheckBaseGames)), SilentUi))
            throw std::runtime_error("no bench base");
        return loaded;
    }();
    return *base;
}

void BM_LoadCheckBase(benchmark::State& state) {
    const std::string path = bench::BenchBaseFile(size_t(state.range(0)));
    const auto start = Clock::now();
    for (auto _ : state) {
        TGameBase base;
        LoadBase(base, path, SilentUi);
        benchmark::DoNotOptimize(base.PartyList.size());
    }
    LoadSeconds = std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
}
BENCHMARK(BM_LoadCheckBase)->ArgName("games")->Arg(CheckBaseGames)->Unit(benchmark::kMillisecond);

void BM_CheckGames(benchmark::State& state) {
    const TGameBase& base = CheckBase();
    size_t findings = 0;
    const auto start = Clock::now();
    for (auto _ : state) findings = CheckGames(base, {}, TCheckOptions()).Findings.size();
    const double seconds =
        std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
    state.counters["findings"] = double(findings);
    if (LoadSeconds > 0) state.counters["x_load"] = seconds / LoadSeconds;
}
BENCHMARK(BM_CheckGames)->ArgName("games")->Arg(CheckBaseGames)->Unit(benchmark::kMillisecond);

void BM_CheckGamesMissedVcf(benchmark::State& state) {
    const TGameBase& base = CheckBase();
    TListing games(size_t(state.range(0)));
    for (size_t i = 0; i < games.size(); ++i) games[i] = int32_t(i);
    TCheckOptions options;
    options.MissedVcfLength = DefaultVcfLength;
    size_t findings = 0;
    for (auto _ : state) findings = CheckGames(base, games, options).Findings.size();
    state.counters["findings"] = double(findings);
}
BENCHMARK(BM_CheckGamesMissedVcf)->ArgName("games")->Arg(MissedVcfGames)->Unit(benchmark::kMillisecond);

}  // namespace
