// The generation of a base that its last rewrite kept as "<base>.bak", and its way back.
#pragma once

#include <ctime>
#include <optional>
#include <string>

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

// Swaps the base with its previous generation under the base's writer lock, so that the base is the
// file as it was before its last rewrite and the .bak the file it replaces. False, with both files
// untouched and the reason in error, when there is no previous generation or the swap fails.
bool RestorePreviousBase(const std::string& path, std::string& error);

}  // namespace kalvon
