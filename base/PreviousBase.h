// What the user is told of a base file and of its generations, and the way back to generation 1.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "base/BaseGenerations.h"

namespace kalvon {

// What the user is told of a base file before it is swapped with its previous generation.
struct TBaseFileFacts {
    size_t Games = 0;          // lines that are not empty
    std::time_t Modified = 0;  // the file's last modification
};

// The facts of the file, or nullopt with the reason in error when it is missing or unreadable.
std::optional<TBaseFileFacts> BaseFileFacts(const std::string& path, std::string& error);

// "<path>: N games, last changed YYYY-MM-DD HH:MM" in local time, the line a question shows.
std::string DescribeBaseFile(const std::string& path, const TBaseFileFacts& facts);

// Brings generation 1, the file as it was before the base's last rewrite, back as the base
// (RestoreBaseGeneration): the file it replaces becomes generation 1 and the others move down. False,
// with every file untouched and the reason in error, when there is no generation 1 or it fails.
bool RestorePreviousBase(const std::string& path, std::string& error);

// "generation 2", or "the file from before the last removal".
std::string GenerationName(const TBaseGeneration& generation);
// One line of the list of a base's earlier files: "generation 2: g.bdt.bak2: 4015 games, last
// changed 2026-12-09 21:57".
std::string GenerationLine(const TBaseGeneration& generation);

}  // namespace kalvon
