// What the commands that rewrite a base file share: the lock, the working copy of the file, the key of
// a line and the sorted write with the .bak.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/BaseLock.h"
#include "base/BaseUi.h"

namespace kalvon {

// Takes the base's writer lock for the whole run; false (message shown) when another writer keeps it.
bool LockBase(TBaseWriteLock& lock, const std::string& basePath, IBaseUi& ui);

// The bytes of the base file, empty when there is none yet; nullopt (message shown) when unreadable or
// when a NUL byte stands in it (a rewrite would lose the lines after it).
std::optional<std::string> WorkingCopy(const std::string& basePath, IBaseUi& ui);

// Writes the lines sorted (SortBaseLines), each ended by CR LF, through a temporary file, keeping the
// old file as <base>.bak; false (message shown) when it cannot be written.
bool SaveLines(const std::string& basePath, std::vector<std::string_view>& lines, IBaseUi& ui);

// The key of a line ("year, board", before the first "=") folded so that keys equal without regard
// to ASCII letter case are equal bytes. Other bytes are compared as they are: a collation would take
// a soft hyphen for nothing.
std::string FoldedKey(std::string_view line);

}  // namespace kalvon
