#include "exchange/ImportRecord.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "exchange/BaseRewrite.h"

namespace kalvon {

std::string ImportRecordPath(const std::string& basePath) {
    // Every name of a base reached through a link meets the one record beside the file, as its lock.
    char resolved[PATH_MAX];
    if (realpath(basePath.c_str(), resolved)) return std::string(resolved) + ".imports";
    return basePath + ".imports";
}

std::optional<std::unordered_set<std::string>> ReadImportRecord(const std::string& basePath,
                                                                std::string& error) {
    const std::string path = ImportRecordPath(basePath);
    std::unordered_set<std::string> keys;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return keys;
    const std::optional<std::string> text = ReadWholeFile(path, error);
    if (!text) return std::nullopt;
    // Folded once more, so that a record written by a build that folded less still matches.
    for (const std::string_view line : SplitLines(*text))
        if (!Trim(line).empty()) keys.insert(FoldedKey(line));
    return keys;
}

bool WriteImportRecord(const std::string& basePath, std::vector<std::string> keys, std::string& error) {
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::string text;
    for (const std::string& key : keys) text.append(key).append("\n");
    return WriteFileReplacing(ImportRecordPath(basePath), text, error, TReplaceOptions{.KeepPrevious = true});
}

}  // namespace kalvon
