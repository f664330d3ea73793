// "Update Games" over update/ holding one mbox of 10,000 notification mails (quoted-printable,
// windows-1251), beside the same run over the same 10,000 notifications as .txt files. Both start
// from a base file of the 10,000 games as they stood before (copied afresh, untimed), so that the
// reading dominates. Each is repeated 5 times; the mbox run's counter x_Txt is its time as a multiple
// of the median .txt run, and its median is the ratio of the medians.
//   build-h/bench/kalvon_bench --benchmark_filter=UpdateFrom

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/BaseEdits.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "exchange/FolderCommands.h"
#include "exchange/NotificationWriter.h"
#include "generator/BaseGenerator.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr size_t Notifications = 10'000;

kalvon::TSilentUi SilentUi;
std::vector<double> TxtTimes;  // of every repetition of the .txt run, for the median

double Median(std::vector<double> times) {
    if (times.empty()) return 0;
    std::nth_element(times.begin(), times.begin() + long(times.size() / 2), times.end());
    return times[times.size() / 2];
}

// Quoted-printable as a mail client writes it: "=" and bytes beyond ASCII as =XX, blanks at a line's
// end as =20, lines of at most 76 characters with soft breaks.
std::string QuotedPrintable(std::string_view text) {
    std::string out, line;
    for (std::string_view rest = text; !rest.empty();) {
        const size_t end = rest.find("\r\n");
        const std::string_view source = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        for (size_t i = 0; i < source.size(); ++i) {
            const auto c = static_cast<unsigned char>(source[i]);
            std::string token(1, char(c));
            if (c == '=' || c >= 127 || (i + 1 == source.size() && c == ' ')) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "=%02X", c);
                token = hex;
            }
            if (line.size() + token.size() > 75) {
                out += line + "=\r\n";
                line.clear();
            }
            line += token;
        }
        out += line + "\r\n";
        line.clear();
    }
    return out;
}

struct TSetup {
    std::string Txt, Mbox;  // working folders, each with update/
    std::string Base;       // the base file each run starts from

    TSetup() {
        const char* tmp = std::getenv("TMPDIR");
        const std::string work =
            std::string(tmp && *tmp ? tmp : "/tmp") + "/kalvon-bench-mail-" + std::to_string(getpid());
        Txt = work + "/txt";
        Mbox = work + "/mbox";
        Base = work + "/games.bdt";
        fs::create_directories(Txt + "/update");
        fs::create_directories(Mbox + "/update");
        const std::vector<std::string> lines = kalvon::bench::GenerateBaseLines({Notifications, 3, 0.15});
        kalvon::TGameBase base;
        std::string content;
        for (const std::string& line : lines) {
            kalvon::AddBaseLine(base, line);
            content += line.substr(0, line.find('[') + 1) + "Old,Man,?,88,?,-]\r\n";
        }
        std::string error;
        kalvon::WriteFileReplacing(Base, content, error);
        std::string mbox;
        for (size_t i = 0; i < base.PartyList.size(); ++i) {
            const kalvon::TPartyRecord& party = base.PartyList[i];
            const std::string text = kalvon::NotificationText(base, party);
            kalvon::WriteFileReplacing(
                kalvon::Concat({Txt, "/update/", std::to_string(i), "_", party.Year.substr(2, 2), ".txt"}),
                text, error);
            mbox += kalvon::Concat(
                {"From server@pbm.example Mon Jul  7 10:00:00 2003\r\nFrom: Renju server "
                 "<server@pbm.example>\r\n"
                 "To: player@example.org\r\nDate: 7 Jul ",
                 party.Year, " 10:", std::to_string(10 + i % 50), ":00 +0400\r\nSubject: Board ", party.Board,
                 "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=windows-1251\r\n"
                 "Content-Transfer-Encoding: quoted-printable\r\n\r\n",
                 QuotedPrintable(text), "\r\n"});
        }
        kalvon::WriteFileReplacing(Mbox + "/update/season", mbox, error);
    }
    ~TSetup() {
        std::error_code ignored;
        fs::remove_all(fs::path(Txt).parent_path(), ignored);
    }
};

TSetup& Setup() {
    static TSetup setup;
    return setup;
}

// One timed "Update Games" over the working folder; the base file is copied afresh before it.
double TimedUpdate(benchmark::State& state, const std::string& work, bool mail) {
    const TSetup& setup = Setup();
    fs::copy_file(setup.Base, work + "/games.bdt", fs::copy_options::overwrite_existing);
    const auto start = Clock::now();
    const kalvon::TFolderRun run = kalvon::UpdatePartysFromFolder(work + "/games.bdt", work, SilentUi);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    const size_t read = mail ? run.NotificationsFound : run.FilesRead;
    if (run.Status != kalvon::TFolderRunStatus::Done || read != Notifications)
        state.SkipWithError("the run did not read every notification");
    state.SetIterationTime(took);
    return took;
}

void BM_UpdateFromTxtFiles(benchmark::State& state) {
    for (auto _ : state) TxtTimes.push_back(TimedUpdate(state, Setup().Txt, false));
}

void BM_UpdateFromMbox(benchmark::State& state) {
    double seconds = 0;
    for (auto _ : state) seconds += TimedUpdate(state, Setup().Mbox, true);
    if (Median(TxtTimes) > 0)
        state.counters["x_Txt"] = seconds / double(state.iterations()) / Median(TxtTimes);
}

}  // namespace

BENCHMARK(BM_UpdateFromTxtFiles)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_UpdateFromMbox)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
