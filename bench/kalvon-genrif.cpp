// kalvon-genrif: writes a generated RenjuNet database (.rif), for the import's measurements.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/SafeFile.h"
#include "bench/RifGenerator.h"

namespace {

constexpr const char* Usage = "usage: kalvon-genrif [--games N] [--seed S] OUT.rif";

int BadArguments(const std::string& message) {
    std::fprintf(stderr, "kalvon-genrif: %s (%s)\n", message.c_str(), Usage);
    return 2;
}

// A decimal number of at most 18 digits, or -1.
long long Number(std::string_view text) {
    if (text.empty() || text.size() > 18) return -1;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    kalvon::bench::TRifOptions options;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--games" || arg == "--seed") && i + 1 < argc) {
            const long long value = Number(argv[++i]);
            if (value < 0 || (arg == "--games" && value == 0))
                return BadArguments("bad number " + std::string(argv[i]));
            if (arg == "--games")
                options.Games = size_t(value);
            else
                options.Seed = uint64_t(value);
        } else if (!arg.starts_with("--") && out.empty()) {
            out = arg;
        } else {
            return BadArguments("unknown argument " + std::string(arg));
        }
    }
    if (out.empty()) return BadArguments("no output file");
    std::string error;
    if (!kalvon::WriteFileReplacing(out, kalvon::bench::GenerateRif(options), error)) {
        std::fprintf(stderr, "kalvon-genrif: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
