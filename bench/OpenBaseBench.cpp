// Opening a base in the program and putting memory in the file's order after a save, on a generated
// base of a million games, each beside its baseline in the same run:
//   BM_SortF                 LC_ALL=C sort -f of the base file, the whole process (the baseline of
//                            opening: the least a sorted base of that size costs)
//   BM_OpenBase              what the session does to open it: the load, and the search index built
//   BM_LoadBase1M            LoadBase alone (the baseline of following the file)
//   BM_ReorderAfterSave      after a new game was stored and the file written, the games put in the
//                            order of the file (ReorderParties) and the index brought up to date
//   BM_ReloadAfterSave       the same followed by reading the file again and building the index anew
// Each case reports x_sort_f or x_load: its mean over its baseline's.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/TextPolicy.h"
#include "generator/BaseGenerator.h"
#include "search/PositionIndex.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t Games = 1'000'000;
kalvon::TSilentUi SilentUi;
double SortSeconds = 0, LoadSeconds = 0;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string WorkPath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/kalvon-bench-open-" +
           std::to_string(getpid()) + ".bdt";
}

void BM_SortF(benchmark::State& state) {
    const std::string command = "LC_ALL=C sort -f '" + kalvon::bench::BenchBaseFile(Games) + "' >/dev/null";
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
        seconds += SecondsSince(start);
    }
    SortSeconds = seconds / double(state.iterations());
}

void BM_OpenBase(benchmark::State& state) {
    const std::string path = kalvon::bench::BenchBaseFile(Games);
    kalvon::TextPolicy();
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto base = std::make_unique<kalvon::TGameBase>();
        auto index = std::make_unique<kalvon::TPositionIndex>();
        state.ResumeTiming();
        const auto start = Clock::now();
        kalvon::LoadBase(*base, path, SilentUi);
        index->Refresh(*base);
        seconds += SecondsSince(start);
        state.PauseTiming();
        index.reset();
        base.reset();
        state.ResumeTiming();
    }
    if (SortSeconds > 0) state.counters["x_sort_f"] = seconds / double(state.iterations()) / SortSeconds;
}

void BM_LoadBase1M(benchmark::State& state) {
    const std::string path = kalvon::bench::BenchBaseFile(Games);
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto base = std::make_unique<kalvon::TGameBase>();
        state.ResumeTiming();
        const auto start = Clock::now();
        kalvon::LoadBase(*base, path, SilentUi);
        seconds += SecondsSince(start);
        state.PauseTiming();
        base.reset();
        state.ResumeTiming();
    }
    LoadSeconds = seconds / double(state.iterations());
}

// A base loaded from a copy of the generated file, with its index built, ready for a store.
struct TOpenBase {
    std::string Path = WorkPath();
    kalvon::TGameBase Base;
    kalvon::TPositionIndex Index;
    TOpenBase() {
        kalvon::LoadBase(Base, kalvon::bench::BenchBaseFile(Games), SilentUi);
        kalvon::SaveBase(Base, Path, SilentUi);
        Index.Refresh(Base);
    }
    ~TOpenBase() {
        for (const char* ending : {"", ".bak", ".lock"}) std::remove((Path + ending).c_str());
    }
};

// A new game joins the base at its end and the file is written sorted, as "Save Game" does; the
// timing covers what the store does after its write: the games put in the file's order and the index
// brought up to date.
void BM_ReorderAfterSave(benchmark::State& state) {
    TOpenBase open;
    double seconds = 0;
    int stored = 0;
    for (auto _ : state) {
        // A key that sorts among the others, so that most of the games move.
        kalvon::AddBaseLine(open.Base, "2003,b" + std::to_string(++stored) + "=[BENCH,MARK,+,8889,?,-]");
        open.Index.Refresh(open.Base);
        std::vector<uint32_t> order;
        kalvon::SaveBase(open.Base, open.Path, SilentUi, &order);
        const auto start = Clock::now();
        kalvon::ReorderParties(open.Base, order);
        open.Index.Refresh(open.Base);
        const double spent = SecondsSince(start);
        seconds += spent;
        state.SetIterationTime(spent);
    }
    if (LoadSeconds > 0) state.counters["x_load"] = seconds / double(state.iterations()) / LoadSeconds;
}

// The other way for memory to follow the file: the base read again and its index built anew.
void BM_ReloadAfterSave(benchmark::State& state) {
    TOpenBase open;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        kalvon::ClearLists(open.Base);
        kalvon::LoadBase(open.Base, open.Path, SilentUi);
        open.Index.Refresh(open.Base);
        const double spent = SecondsSince(start);
        seconds += spent;
        state.SetIterationTime(spent);
    }
    if (LoadSeconds > 0) state.counters["x_load"] = seconds / double(state.iterations()) / LoadSeconds;
}

BENCHMARK(BM_SortF)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenBase)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadBase1M)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReorderAfterSave)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ReloadAfterSave)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
