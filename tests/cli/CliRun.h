// Runs kalvon-cli in a folder and collects what it printed and its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/TextFields.h"

namespace kalvon::test {

struct TCliResult {
    int Status = -1;
    std::string Out, Err;
};

inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs kalvon-cli with the arguments in the folder, reading the input given on its standard input;
// one that hangs is stopped after 30 s (status 124).
inline TCliResult RunCli(const std::filesystem::path& folder, const std::vector<std::string>& args,
                         const std::optional<std::string>& input = std::nullopt) {
    // A tool that hangs fails its test instead of blocking the suite.
    std::string command = Concat({"cd ", Quote(folder.string()), " && timeout -k 5 30 ", Quote(KALVON_CLI)});
    for (const std::string& arg : args) command = Concat({command, " ", Quote(arg)});
    const auto out = folder / ".cli-out", err = folder / ".cli-err";
    command = Concat({command, " >", Quote(out.string()), " 2>", Quote(err.string())});
    const auto in = folder / ".cli-in";
    if (input) {
        std::ofstream(in, std::ios::binary) << *input;
        command = Concat({command, " <", Quote(in.string())});
    }
    TCliResult result;
    const int status = std::system(command.c_str());
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = Slurp(out);
    result.Err = Slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    if (input) std::filesystem::remove(in);
    return result;
}

}  // namespace kalvon::test
