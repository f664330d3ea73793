// What the commands that rewrite a base file share: the lock, the working copy of the file and the
// sorted write with its generations; the key of a line is FoldedKey (base/BaseLine.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/BaseLine.h"
#include "base/BaseLock.h"
#include "base/BaseUi.h"

namespace kalvon {

// Takes the base's writer lock for the whole run; false (message shown) when another writer keeps it.
bool LockBase(TBaseWriteLock& lock, const std::string& basePath, IBaseUi& ui);

// The bytes of the base file, empty when there is none yet; nullopt (message shown) when unreadable,
// when it is no Kalvon base (NotABaseText) or when a NUL byte stands in it (a rewrite would lose the
// lines after it).
std::optional<std::string> WorkingCopy(const std::string& basePath, IBaseUi& ui);

// Writes the lines sorted (SortBaseLines), each ended by CR LF, through a temporary file, keeping the
// old file as generation 1 (and, for a run that removed or replaced games, as the before-removal
// file); false (message shown) when it cannot be written.
bool SaveLines(const std::string& basePath, std::vector<std::string_view>& lines, IBaseUi& ui,
               bool removedGames = false);

}  // namespace kalvon
