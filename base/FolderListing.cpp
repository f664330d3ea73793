#include "base/FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace kalvon {

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool FoldedLess(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(FoldAscii(a[i])),
                   y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace

bool FolderOrderLess(const std::string& a, const std::string& b) {
    return FoldedLess(a, b);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    // Greedy matching that returns to the last "*" on a mismatch: linear in practice, never exponential.
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::string EntryKind(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return errno == ELOOP    ? "a link in a loop"
               : errno == ENOENT ? "a link that leads nowhere"
                                 : std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return "a folder";
    if (S_ISFIFO(info.st_mode)) return "a FIFO";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return "a device";
    if (S_ISSOCK(info.st_mode)) return "a socket";
    return "no ordinary file";
}

bool OrdinaryOrFree(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) != 0 ? errno == ENOENT : S_ISREG(info.st_mode);
}

bool IsRealFolder(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FullPath(const std::string& folder) {
    char resolved[PATH_MAX];
    return realpath(folder.empty() ? "." : folder.c_str(), resolved) ? std::string(resolved) : folder;
}

std::vector<std::string> ListFolder(const std::string& folder, std::string_view pattern,
                                    std::vector<std::string>* others) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !MatchesPattern(name, pattern)) continue;
        // stat follows links, so a link to a file counts as a file and a link to a folder does not.
        struct stat info {};
        const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(name);
        else if (others)
            others->push_back(name + " (" + EntryKind(path) + ")");
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), FoldedLess);
    if (others) std::sort(others->begin(), others->end(), FoldedLess);
    return names;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".") return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace kalvon
