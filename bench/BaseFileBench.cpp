// Loading and saving bases of 10,000 to 1,000,000 games, each beside the plain file work it rests on:
// BM_LoadBase/N against BM_ReadAndSplitLines/N (read the file, cut it into lines) and BM_SaveBase/N
// against BM_WriteSameBytes/N (write the bytes SaveBase writes). Each baseline runs first, so the
// engine case can show its time as a multiple of it in the counter x_baseline.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/BaseFile.h"
#include "base/TextPolicy.h"
#include "generator/BaseGenerator.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t Sizes[] = {10'000, 100'000, 1'000'000};

kalvon::TSilentUi SilentUi;

// Mean seconds per iteration of a baseline, by its name and the size of the base.
std::map<std::pair<std::string, int64_t>, double> BaselineSeconds;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void ShowRatio(benchmark::State& state, const std::string& baseline, double seconds) {
    const auto found = BaselineSeconds.find({baseline, state.range(0)});
    if (found != BaselineSeconds.end() && found->second > 0 && state.iterations() > 0)
        state.counters["x_baseline"] = seconds / double(state.iterations()) / found->second;
}

// Bytes the program holds from malloc: the arenas and the large blocks mapped on their own.
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

size_t FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? size_t(info.st_size) : 0;
}

std::string SavePath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/kalvon-bench-save-" +
           std::to_string(getpid()) + ".bdt";
}

// The whole file in one read; empty when it cannot be read.
std::string ReadPlain(const std::string& path) {
    std::string content;
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return content;
    struct stat info {};
    if (fstat(fd, &info) == 0) content.resize(size_t(info.st_size));
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = read(fd, content.data() + done, content.size() - done);
        if (n <= 0) break;
        done += size_t(n);
    }
    content.resize(done);
    close(fd);
    return content;
}

// Lines ended by CR LF, LF or CR; a NUL ends the text.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c > '\r') continue;
        if (c == '\0') {
            text = text.substr(0, i);
            break;
        }
        if (c != '\n' && c != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// A loaded base and the bytes SaveBase writes for it, kept for the save cases of one size.
struct TLoadedBase {
    size_t Games = 0;
    std::unique_ptr<kalvon::TGameBase> Base;
    std::string Content;
};

const TLoadedBase& LoadedBase(size_t games) {
    static TLoadedBase cache;
    if (cache.Base && cache.Games == games) return cache;
    cache = {};
    auto base = std::make_unique<kalvon::TGameBase>();
    kalvon::LoadBase(*base, kalvon::bench::BenchBaseFile(games), SilentUi);
    cache.Content = kalvon::BaseFileContent(*base);
    cache.Base = std::move(base);
    cache.Games = games;
    return cache;
}

void BM_ReadAndSplitLines(benchmark::State& state) {
    const std::string path = kalvon::bench::BenchBaseFile(size_t(state.range(0)));
    double seconds = 0;
    size_t lines = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const std::string content = ReadPlain(path);
        const std::vector<std::string_view> split = SplitLines(content);
        benchmark::DoNotOptimize(split.data());
        lines = split.size();
        seconds += SecondsSince(start);
    }
    if (lines != size_t(state.range(0)))
        state.SkipWithError("the base file does not hold the games asked for");
    BaselineSeconds[{"load", state.range(0)}] = seconds / double(state.iterations());
}

void BM_LoadBase(benchmark::State& state) {
    const size_t games = size_t(state.range(0));
    const std::string path = kalvon::bench::BenchBaseFile(games);
    // The code page and collator are built on first use; that is start-up work, not the load's.
    kalvon::TextPolicy();

    // One load outside the timing measures what the loaded base keeps, and warms the page cache.
    double memoryPerByte = 0;
    {
        const size_t before = HeapInUse();
        auto base = std::make_unique<kalvon::TGameBase>();
        const bool loaded = kalvon::LoadBase(*base, path, SilentUi);
        const size_t after = HeapInUse();
        if (!loaded || base->PartyList.size() != games) {
            state.SkipWithError("LoadBase did not load the generated base");
            return;
        }
        memoryPerByte = double(after > before ? after - before : 0) / double(FileSize(path));
    }

    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto base = std::make_unique<kalvon::TGameBase>();
        state.ResumeTiming();
        const auto start = Clock::now();
        kalvon::LoadBase(*base, path, SilentUi);
        seconds += SecondsSince(start);
        // Freeing a million games is not part of loading them.
        state.PauseTiming();
        base.reset();
        state.ResumeTiming();
    }
    state.counters["mem_per_file_byte"] = memoryPerByte;
    ShowRatio(state, "load", seconds);
}

void BM_WriteSameBytes(benchmark::State& state) {
    const std::string& content = LoadedBase(size_t(state.range(0))).Content;
    const std::string path = SavePath();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const bool written = file && std::fwrite(content.data(), 1, content.size(), file) == content.size();
        const bool closed = file && std::fclose(file) == 0;
        seconds += SecondsSince(start);
        if (!written || !closed) {
            state.SkipWithError("cannot write the temporary base file");
            break;
        }
    }
    std::remove(path.c_str());
    BaselineSeconds[{"save", state.range(0)}] = seconds / double(state.iterations());
}

void BM_SaveBase(benchmark::State& state) {
    const kalvon::TGameBase& base = *LoadedBase(size_t(state.range(0))).Base;
    const std::string path = SavePath();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool saved = kalvon::SaveBase(base, path, SilentUi);
        seconds += SecondsSince(start);
        if (!saved) {
            state.SkipWithError("SaveBase failed");
            break;
        }
    }
    std::remove(path.c_str());
    ShowRatio(state, "save", seconds);
}

// Registered size by size, so that each engine case runs right after its baseline of the same size.
[[maybe_unused]] const bool Registered = [] {
    for (const size_t games : Sizes) {
        const auto configure = [games](benchmark::internal::Benchmark* b) {
            b->Arg(int64_t(games))->Unit(benchmark::kMillisecond)->UseRealTime();
            if (games >= 1'000'000)
                b->Iterations(3);
            else if (games >= 100'000)
                b->Iterations(10);
        };
        configure(benchmark::RegisterBenchmark("BM_ReadAndSplitLines", BM_ReadAndSplitLines));
        configure(benchmark::RegisterBenchmark("BM_LoadBase", BM_LoadBase));
        configure(benchmark::RegisterBenchmark("BM_WriteSameBytes", BM_WriteSameBytes));
        configure(benchmark::RegisterBenchmark("BM_SaveBase", BM_SaveBase));
    }
    return true;
}();

}  // namespace
