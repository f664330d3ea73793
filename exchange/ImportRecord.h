// What an import brought into a base: the keys of the games it wrote, kept in "<base>.imports" beside
// the base file, so that a later import replaces only those and never a game the user entered.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace kalvon {

// The record's file: "<base>.imports" beside the file the base path leads to.
std::string ImportRecordPath(const std::string& basePath);

// The folded keys (FoldedKey) recorded for the base, empty when it has no record yet; nullopt, with the
// message in error, when the record cannot be read.
std::optional<std::unordered_set<std::string>> ReadImportRecord(const std::string& basePath,
                                                                std::string& error);

// Writes the keys, one a line in byte order, as the base's record through a temporary file, keeping
// the record it replaces as "<record>.bak"; false, with the message in error, when it cannot be
// written (the old record then stays as it was).
bool WriteImportRecord(const std::string& basePath, std::vector<std::string> keys, std::string& error);

}  // namespace kalvon
