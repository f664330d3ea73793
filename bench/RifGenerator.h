// Synthetic RenjuNet databases (.rif): the tables and games of the real archive's schema, made from a
// seed, the same bytes on every platform. For the import's benchmarks and its memory measurement.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvon::bench {

struct TRifOptions {
    size_t Games = 160'000;  // about the size of the real archive
    size_t Players = 5'000;
    size_t Tournaments = 3'000;
    uint64_t Seed = 1;
};

// The whole database as UTF-8 XML text: countries, cities, rules, openings, players (some with
// accented, Chinese or Japanese names, some without a given name), tournaments with years and dates,
// and games of 5 to 120 distinct moves from h8 with results 1, 0 and 0.5 and an <info>.
std::string GenerateRif(const TRifOptions& options);

// The path of a generated database of that many games (seed 1), ${TMPDIR:-/tmp}/kalvon-bench-<games>.rif,
// written once and reused while its bytes are the generated ones. Throws std::runtime_error naming the
// file and the reason when it cannot be written.
std::string BenchRifFile(size_t games);

}  // namespace kalvon::bench
