// kalvon-genbase: writes a generated sample base, for a first look at the program and for trials.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/SafeFile.h"
#include "generator/BaseGenerator.h"

namespace {

constexpr const char* Usage = "usage: kalvon-genbase [--games N] [--seed S] OUT.bdt";

// A decimal number without sign, blanks or overflow.
std::optional<uint64_t> ParseNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const uint64_t digit = uint64_t(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

int BadArguments(const std::string& message) {
    std::fprintf(stderr, "kalvon-genbase: %s (%s)\n", message.c_str(), Usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    kalvon::bench::TGeneratorOptions options;
    options.Games = 2000;
    options.Seed = 1;
    std::string out;

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::printf(
                "%s\nWrites a generated base of N games (default 2000) made from seed S (default 1).\n",
                Usage);
            return 0;
        }
        std::string_view name, value;
        bool isOption = arg.size() > 1 && arg[0] == '-';
        if (isOption) {
            const size_t equals = arg.find('=');
            name = arg.substr(0, equals);
            if (name != "--games" && name != "--seed")
                return BadArguments("unknown option " + std::string(arg));
            if (equals != std::string_view::npos) {
                value = arg.substr(equals + 1);
            } else {
                if (i + 1 >= argc) return BadArguments(std::string(name) + " needs a value");
                value = argv[++i];
            }
            const std::optional<uint64_t> number = ParseNumber(value);
            if (!number)
                return BadArguments(std::string(name) + " takes a whole number, not \"" + std::string(value) +
                                    "\"");
            if (name == "--games") {
                if (*number > kalvon::bench::MaxGeneratedGames)
                    return BadArguments("--games may be at most " +
                                        std::to_string(kalvon::bench::MaxGeneratedGames));
                options.Games = size_t(*number);
            } else {
                options.Seed = *number;
            }
            continue;
        }
        if (!out.empty()) return BadArguments("only one output file may be named");
        out = arg;
    }
    if (out.empty()) return BadArguments("no output file named");

    const std::string content = kalvon::bench::GenerateBaseContent(options);
    std::string error;
    if (!kalvon::WriteFileReplacing(out, content, error)) {
        std::fprintf(stderr, "kalvon-genbase: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu games written\n", out.c_str(), options.Games);
    return 0;
}
