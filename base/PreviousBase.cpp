#include "base/PreviousBase.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/BaseGenerations.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"

namespace kalvon {

std::optional<TBaseFileFacts> BaseFileFacts(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = "File " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    TFileReader file;
    if (!file.Open(path, error)) return std::nullopt;
    TBaseFileFacts facts{.Games = 0, .Modified = info.st_mtime};
    std::string piece;
    bool lineHasText = false;
    for (;;) {
        piece.clear();
        const std::optional<size_t> n = file.Read(piece, size_t(1) << 20, error);
        if (!n) return std::nullopt;
        if (*n == 0) break;
        for (char c : piece) {
            if (c == '\r' || c == '\n') {
                facts.Games += lineHasText ? 1 : 0;
                lineHasText = false;
            } else if (uint8_t(c) > ' ') {
                lineHasText = true;
            }
        }
    }
    facts.Games += lineHasText ? 1 : 0;
    return facts;
}

std::string DescribeBaseFile(const std::string& path, const TBaseFileFacts& facts) {
    char when[32] = "?";
    std::tm local{};
    if (localtime_r(&facts.Modified, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    return Concat({path, ": ", std::to_string(facts.Games), facts.Games == 1 ? " game" : " games",
                   ", last changed ", when});
}

bool RestorePreviousBase(const std::string& path, std::string& error) {
    return RestoreBaseGeneration(path, TRestoreChoice{.Generation = 1}, error);
}

std::string GenerationName(const TBaseGeneration& generation) {
    return generation.Generation == 0 ? std::string("the file from before the last removal")
                                      : "generation " + std::to_string(generation.Generation);
}

std::string GenerationLine(const TBaseGeneration& generation) {
    return GenerationName(generation) + ": " +
           DescribeBaseFile(generation.Path, {.Games = generation.Games, .Modified = generation.Modified});
}

}  // namespace kalvon
