// The folder commands over a generated base of 1,000,000 games with 10,000 notifications, each beside
// SaveBase of that base in the same run (counter x_SaveBase: the command's time as a multiple of the
// save's), and the reader on notifications held in memory (items_per_second: files per second).
// The copy of the base file that each run starts from and the reload after an update are not timed.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "exchange/FolderCommands.h"
#include "exchange/NotificationReader.h"
#include "exchange/NotificationWriter.h"
#include "generator/BaseGenerator.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr size_t BaseGames = 1'000'000;
constexpr size_t Notifications = 10'000;

kalvon::TSilentUi SilentUi;
std::vector<double> SaveTimes;  // of every repetition of BM_SaveBaseOf1M, for the median

double SaveSeconds() {
    std::vector<double> times = SaveTimes;
    if (times.empty()) return 0;
    std::nth_element(times.begin(), times.begin() + long(times.size() / 2), times.end());
    return times[times.size() / 2];
}

struct TNotification {
    std::string Name, Text;
};

// Notifications of the games of base lines, named "<n>_<yy>.txt" so that each keeps its year.
std::vector<TNotification> NotificationsOf(const std::vector<std::string>& lines) {
    kalvon::TGameBase base;
    for (const std::string& line : lines) kalvon::AddBaseLine(base, line);
    std::vector<TNotification> notes;
    for (size_t i = 0; i < base.PartyList.size(); ++i) {
        const kalvon::TPartyRecord& party = base.PartyList[i];
        notes.push_back({kalvon::Concat({std::to_string(i), "_", party.Year.substr(2, 2), ".txt"}),
                         kalvon::NotificationText(base, party)});
    }
    return notes;
}

struct TSetup {
    std::string Work, BaseFile, WorkBase;
    kalvon::TGameBase Base;  // the generated base, loaded as the program holds it
    std::vector<TNotification> NewGames, Updates;

    TSetup() {
        const char* tmp = std::getenv("TMPDIR");
        Work = std::string(tmp && *tmp ? tmp : "/tmp") + "/kalvon-bench-exchange-" + std::to_string(getpid());
        BaseFile = kalvon::bench::BenchBaseFile(BaseGames);
        WorkBase = Work + "/games.bdt";
        kalvon::LoadBase(Base, BaseFile, SilentUi);
        // New games come from another seed; updates rewrite every hundredth game of the base.
        NewGames = NotificationsOf(kalvon::bench::GenerateBaseLines({Notifications, 2, 0.15}));
        std::vector<std::string> updated;
        std::vector<std::string> all = kalvon::bench::GenerateBaseLines({BaseGames, 1, 0.15});
        for (size_t i = 0; i < all.size() && updated.size() < Notifications; i += BaseGames / Notifications)
            updated.push_back(all[i]);
        Updates = NotificationsOf(updated);
        for (const auto& [folder, notes] : {std::pair{"add", &NewGames}, std::pair{"update", &Updates}}) {
            fs::create_directories(Work + "/" + folder);
            for (const TNotification& note : *notes) {
                std::string error;
                kalvon::WriteFileReplacing(Work + "/" + folder + "/" + note.Name, note.Text, error);
            }
        }
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

void Fresh(const TSetup& setup) {
    fs::copy_file(setup.BaseFile, setup.WorkBase, fs::copy_options::overwrite_existing);
}

void BM_SaveBaseOf1M(benchmark::State& state) {
    TSetup& setup = Setup();
    for (auto _ : state) {
        const auto start = Clock::now();
        kalvon::SaveBase(setup.Base, setup.WorkBase, SilentUi);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        SaveTimes.push_back(took);
    }
}

template <typename Run>
void TimeFolderCommand(benchmark::State& state, Run run) {
    TSetup& setup = Setup();
    double seconds = 0;
    for (auto _ : state) {
        Fresh(setup);
        const kalvon::TBaseMark mark = kalvon::MarkBase(setup.Base);
        const auto start = Clock::now();
        const kalvon::TFolderRun result = run(setup);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        kalvon::RemoveAddedSince(setup.Base, mark);
        if (result.Status != kalvon::TFolderRunStatus::Done || result.FilesRead != Notifications)
            state.SkipWithError("the run did not read every notification");
        state.SetIterationTime(took);
        seconds += took;
    }
    if (SaveSeconds() > 0)
        state.counters["x_SaveBase"] = seconds / double(state.iterations()) / SaveSeconds();
}

void BM_AddPartysFromFolder(benchmark::State& state) {
    TimeFolderCommand(state, [](TSetup& setup) {
        return kalvon::AddPartysFromFolder(setup.Base, setup.WorkBase, setup.Work, SilentUi);
    });
}

void BM_UpdatePartysFromFolder(benchmark::State& state) {
    TimeFolderCommand(state, [](TSetup& setup) {
        return kalvon::UpdatePartysFromFolder(setup.WorkBase, setup.Work, SilentUi);
    });
}

void BM_ReadNotificationsFromMemory(benchmark::State& state) {
    const std::vector<TNotification>& notes = Setup().NewGames;
    size_t read = 0;
    for (auto _ : state) {
        for (const TNotification& note : notes) {
            const kalvon::TNotificationRead line = kalvon::NotificationToBaseLine(note.Text, note.Name, 0);
            benchmark::DoNotOptimize(line.BaseLine.data());
        }
        read += notes.size();
    }
    state.SetItemsProcessed(int64_t(read));
}

}  // namespace

BENCHMARK(BM_SaveBaseOf1M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_AddPartysFromFolder)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_UpdatePartysFromFolder)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_ReadNotificationsFromMemory)->Unit(benchmark::kMillisecond);
