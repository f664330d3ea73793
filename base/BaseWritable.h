// Whether a base can be written at all, told when it is opened rather than at its first save.
#pragma once

#include <optional>
#include <string>

namespace kalvon {

// Nullopt when a rewrite of the base at path can succeed as far as the file system tells: the file
// (where a link leads) is an ordinary file with its write bit, or absent; its folder takes new files;
// the writers' lock file can be opened, or made. Otherwise "Base <path> cannot be written: <reason>."
// Nothing is created or changed.
std::optional<std::string> BaseWriteRefusal(const std::string& path);

}  // namespace kalvon
