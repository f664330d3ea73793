// Synthetic bases in the .bdt line form: realistic players, years, board codes, games and results,
// the same bytes for the same seed on every platform. Used by the benchmarks, the tests and the
// sample base of the quick start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvon::bench {

struct TGeneratorOptions {
    size_t Games = 10000;
    uint64_t Seed = 1;
    // The share of gomoku games; the others are renju games, which always start at the centre.
    double GomokuShare = 0.15;
};

// More games than this would not fit the distinct (year, board) keys the generator hands out.
inline constexpr size_t MaxGeneratedGames = 10'000'000;

// The base lines of a generated base, without line ends, in the byte order of their distinct
// "year, board" keys: the order of a saved base under the root collation. Throws std::invalid_argument when
// Games exceeds MaxGeneratedGames or GomokuShare is not within 0..1.
std::vector<std::string> GenerateBaseLines(const TGeneratorOptions& options);

// The same lines as one file content, CR LF after each line. Throws like GenerateBaseLines.
std::string GenerateBaseContent(const TGeneratorOptions& options);

// The path of a generated base of that many games (seed 1), ${TMPDIR:-/tmp}/kalvon-bench-<games>.bdt,
// written once and reused while its bytes are the generated ones. Throws std::runtime_error naming
// the file and the reason when it cannot be written.
std::string BenchBaseFile(size_t games);

}  // namespace kalvon::bench
