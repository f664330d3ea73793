#include "exchange/BaseRewrite.h"

#include <sys/stat.h>

#include "base/BaseFile.h"
#include "base/BaseRecognition.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"

namespace kalvon {

bool LockBase(TBaseWriteLock& lock, const std::string& basePath, IBaseUi& ui) {
    std::string error;
    if (lock.Lock(basePath, error)) return true;
    ui.ShowMessage(error);
    return false;
}

std::optional<std::string> WorkingCopy(const std::string& basePath, IBaseUi& ui) {
    struct stat info {};
    if (stat(basePath.c_str(), &info) != 0) return std::string();
    std::string error;
    std::optional<std::string> content = ReadWholeFile(basePath, error);
    if (!content) {
        ui.ShowMessage(error);
        return content;
    }
    // A picture or a letter is not rewritten as damaged games.
    if (const std::optional<std::string> reason = NotABaseReason(*content)) {
        ui.ShowMessage(NotABaseMessage(basePath, *reason));
        return std::nullopt;
    }
    // The lines are read up to a NUL byte: a rewrite would lose the ones after it.
    if (const size_t nul = content->find('\0'); nul != std::string::npos) {
        const size_t lineStart = content->find_last_of("\r\n", nul) + 1;  // 0 when there is none
        const size_t line = SplitLines(std::string_view(*content).substr(0, lineStart)).size() + 1;
        ui.ShowMessage(Concat({"File ", basePath, " ends at a NUL byte in line ", std::to_string(line),
                               ": it is not rewritten, so that the lines after it are not lost."}));
        return std::nullopt;
    }
    return content;
}

bool SaveLines(const std::string& basePath, std::vector<std::string_view>& lines, IBaseUi& ui,
               bool removedGames) {
    SortBaseLines(lines);
    size_t next = 0;
    std::string error;
    const bool saved = WriteFileReplacing(
        basePath,
        [&](std::string& piece) {
            piece.clear();
            while (next < lines.size() && piece.size() < (4u << 20))
                piece.append(lines[next++]).append("\r\n");
            return !piece.empty();
        },
        error, TReplaceOptions{.KeepPrevious = true, .KeepBeforeRemoval = removedGames});
    if (!saved) ui.ShowMessage(error);
    return saved;
}

}  // namespace kalvon
