// The import of a generated RenjuNet database into an empty base (names transliterated) beside the
// bare work it cannot do without: expat's parse of the same file with empty callbacks and the same
// chunks, plus SaveBase of the base the import made (counter x_ParseAndSave: the import's median
// time as a multiple of the sum of the two medians). 16,000 games by default; KALVON_BENCH_RIF_GAMES
// sets the number (160000 is the size of the real archive).

#include <benchmark/benchmark.h>
#include <expat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/BaseFile.h"
#include "base/SafeFile.h"
#include "bench/RifGenerator.h"
#include "exchange/GameImport.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

class TTransliteratingUi final : public kalvon::IImportUi {
public:
    void ShowMessage(const std::string&) override {}
    bool AskTransliterate(size_t, const std::vector<std::string>&) override { return true; }
};

size_t RifGames() {
    const char* games = std::getenv("KALVON_BENCH_RIF_GAMES");
    const long long n = games ? std::atoll(games) : 0;
    return n > 0 ? size_t(n) : 16'000;
}

double Median(std::vector<double> times) {
    if (times.empty()) return 0;
    std::nth_element(times.begin(), times.begin() + long(times.size() / 2), times.end());
    return times[times.size() / 2];
}

struct TSetup {
    std::string Rif, Work, Imported, Saved;
    kalvon::TGameBase Base;  // the base the import makes, as the program loads it
    std::vector<double> ParseTimes, SaveTimes;

    TSetup() {
        Rif = kalvon::bench::BenchRifFile(RifGames());
        const char* tmp = std::getenv("TMPDIR");
        Work = std::string(tmp && *tmp ? tmp : "/tmp") + "/kalvon-bench-import-" + std::to_string(getpid());
        fs::create_directories(Work);
        Imported = Work + "/imported.bdt";
        Saved = Work + "/saved.bdt";
        TTransliteratingUi ui;
        kalvon::ImportGames(Imported, {Rif}, {}, ui);
        kalvon::TSilentUi silent;
        kalvon::LoadBase(Base, Imported, silent);
    }
    ~TSetup() {
        std::error_code ignored;
        fs::remove_all(Work, ignored);
    }
};

TSetup& Setup() {
    static TSetup setup;
    return setup;
}

void OnStart(void*, const XML_Char*, const XML_Char**) {}
void OnEnd(void*, const XML_Char*) {}
void OnText(void*, const XML_Char*, int) {}

// expat over the file as the reader feeds it: 64 KiB at a time into expat's own buffer.
bool BareParse(const std::string& path) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    kalvon::TFileReader file;
    std::string error;
    bool ok = file.Open(path, error);
    while (ok) {
        constexpr int Chunk = 64 * 1024;
        void* buffer = XML_GetBuffer(parser, Chunk);
        const std::optional<size_t> count = file.Read(static_cast<char*>(buffer), Chunk, error);
        ok = count &&
             XML_ParseBuffer(parser, int(*count), *count == 0 ? XML_TRUE : XML_FALSE) == XML_STATUS_OK;
        if (count && *count == 0) break;
    }
    XML_ParserFree(parser);
    return ok;
}

void BM_BareParse(benchmark::State& state) {
    TSetup& setup = Setup();
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!BareParse(setup.Rif)) state.SkipWithError("expat refused the generated file");
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        setup.ParseTimes.push_back(took);
    }
}

void BM_SaveImportedBase(benchmark::State& state) {
    TSetup& setup = Setup();
    kalvon::TSilentUi silent;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!kalvon::SaveBase(setup.Base, setup.Saved, silent)) state.SkipWithError("the save failed");
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        setup.SaveTimes.push_back(took);
    }
    state.counters["games"] = double(setup.Base.PartyList.size());
}

void BM_ImportRif(benchmark::State& state) {
    TSetup& setup = Setup();
    std::vector<double> times;
    size_t added = 0;
    for (auto _ : state) {
        std::error_code ignored;
        fs::remove(setup.Imported, ignored);
        TTransliteratingUi ui;
        const auto start = Clock::now();
        const kalvon::TImportRun run = kalvon::ImportGames(setup.Imported, {setup.Rif}, {}, ui);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        if (run.Status != kalvon::TImportStatus::Done) state.SkipWithError("the import failed");
        added = run.GamesAdded;
        state.SetIterationTime(took);
        times.push_back(took);
    }
    state.counters["games"] = double(added);
    const double bare = Median(setup.ParseTimes) + Median(setup.SaveTimes);
    if (bare > 0) state.counters["x_ParseAndSave"] = Median(times) / bare;
}

}  // namespace

BENCHMARK(BM_BareParse)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_SaveImportedBase)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_ImportRif)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
