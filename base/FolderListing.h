// Listing the files of a folder by a wildcard pattern, in an order that does not depend on the system.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvon {

// True when the name matches the pattern, "*" standing for any run of characters and "?" for one,
// ASCII letters compared without regard to case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The order of ListFolder: names by their bytes with ASCII letters folded to lower case, equal folded
// names by their bytes.
bool FolderOrderLess(const std::string& a, const std::string& b);

// The names (not paths) of the ordinary files in the folder, links to files included and
// directories never, that match the pattern; hidden files too. Sorted by their bytes with ASCII
// letters folded to lower case, equal folded names by their bytes. A missing or unreadable folder
// gives an empty list. Entries that match but are no ordinary file (a folder, a link that leads
// nowhere or in a loop, a FIFO, a device) go to others, when given, as "name (what it is)".
std::vector<std::string> ListFolder(const std::string& folder, std::string_view pattern,
                                    std::vector<std::string>* others = nullptr);

// What a path that is no ordinary file is, in a few words ("a folder", "a FIFO", "a device", "a link
// that leads nowhere", ...), or the system's reason when it cannot be looked at.
std::string EntryKind(const std::string& path);

// True when nothing is at path, or an ordinary file (not a link to one): a name that may be written
// without writing through anything.
bool OrdinaryOrFree(const std::string& path);
// True when path is a folder itself, not a link to one.
bool IsRealFolder(const std::string& path);

// The folder as a full path, for messages that must say where files went; the path itself when it
// cannot be resolved.
std::string FullPath(const std::string& folder);

// "folder/name", or the name alone when the folder is empty or ".", so that paths shown to the user
// stay short in the working folder.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace kalvon
