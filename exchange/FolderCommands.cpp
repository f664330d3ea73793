#include "exchange/FolderCommands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLock.h"
#include "base/FolderListing.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "exchange/BaseRewrite.h"
#include "exchange/NotificationReader.h"

// GCC 12 at -O3 reports overlapping copies inside std::string concatenations that cannot happen
// (its known -Wrestrict false positive); nothing else in this file is affected.
#pragma GCC diagnostic ignored "-Wrestrict"

namespace kalvon {

namespace {

// Creates the folder when it is missing; false (message shown, status set) when the run cannot go on.
bool FolderReady(const std::string& folder, const std::string& missingMessage, IBaseUi& ui, TFolderRun& run) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) {
        run.Folder = FullPath(folder);
        if (S_ISDIR(info.st_mode)) return true;
        ui.ShowMessage("Cannot read notifications from " + run.Folder + ": it is not a folder.");
        run.Status = TFolderRunStatus::Failed;
        return false;
    }
    if (mkdir(folder.c_str(), 0777) != 0) {
        ui.ShowMessage("Cannot create folder " + FullPath(".") + "/" + folder + ": " + std::strerror(errno));
        run.Status = TFolderRunStatus::Failed;
        return false;
    }
    run.Folder = FullPath(folder);
    ui.ShowMessage(Concat({missingMessage, " It was made as ", run.Folder, "."}));
    run.Status = TFolderRunStatus::FolderCreated;
    return false;
}

// A run that failed: nothing read or written counts; where it looked stays.
TFolderRun FailedRun(const TFolderRun& run) {
    TFolderRun failed;
    failed.Status = TFolderRunStatus::Failed;
    failed.Folder = run.Folder;
    failed.Skipped = run.Skipped;
    return failed;
}

}  // namespace

std::string FolderRunSummary(std::string_view command, const TFolderRun& run) {
    auto count = [](size_t n, const char* one, const char* many) {
        return Concat({std::to_string(n), " ", n == 1 ? one : many});
    };
    std::string text =
        Concat({command, " from ", run.Folder, ": ", count(run.FilesRead, "file", "files"), " read, ",
                count(run.GamesAdded, "game", "games"), " added, ", count(run.GamesReplaced, "game", "games"),
                " updated, ", count(run.Skipped.size(), "entry", "entries"), " skipped"});
    for (size_t i = 0; i < run.Skipped.size(); ++i) text += Concat({i == 0 ? ": " : ", ", run.Skipped[i]});
    return text + ".";
}

TFolderRun AddPartysFromFolder(TGameBase& base, const std::string& basePath, const std::string& workFolder,
                               IBaseUi& ui) {
    TFolderRun run;
    const std::string folder = JoinPath(workFolder, "add");
    if (!FolderReady(folder, "Place add games in directory add!", ui, run)) return run;
    TBaseWriteLock lock;
    if (!LockBase(lock, basePath, ui)) return FailedRun(run);
    const std::optional<std::string> content = WorkingCopy(basePath, ui);
    if (!content) {
        run.Status = TFolderRunStatus::Failed;
        return run;
    }
    const std::vector<std::string> names = ListFolder(folder, "*.txt", &run.Skipped);
    const TBaseMark mark = MarkBase(base);
    auto fail = [&](const std::string& message) {
        RemoveAddedSince(base, mark);
        ui.ShowMessage(message);
        return run = FailedRun(run);
    };
    std::deque<std::string> read;  // a deque keeps the views of the lines below valid
    ui.FolderProgress(0, names.size());
    for (const std::string& name : names) {
        TNotificationError error;
        std::optional<std::string> line = ReadNotification(base, folder, name, error);
        if (!line) return fail(NotificationErrorText(error));
        if (!line->empty()) read.push_back(std::move(*line));
        ui.FolderProgress(++run.FilesRead, names.size());
    }
    std::vector<std::string_view> lines;
    for (std::string_view line : SplitLines(*content))
        if (!Trim(line).empty()) lines.push_back(line);
    lines.insert(lines.end(), read.begin(), read.end());
    if (!SaveLines(basePath, lines, ui)) {
        RemoveAddedSince(base, mark);
        return FailedRun(run);
    }
    run.GamesAdded = read.size();
    run.StatisticsDue = !read.empty();
    return run;
}

TFolderRun UpdatePartysFromFolder(const std::string& basePath, const std::string& workFolder, IBaseUi& ui) {
    TFolderRun run;
    const std::string folder = JoinPath(workFolder, "update");
    if (!FolderReady(folder, "Place update games in directory update!", ui, run)) return run;
    TBaseWriteLock lock;
    if (!LockBase(lock, basePath, ui)) return FailedRun(run);
    const std::optional<std::string> content = WorkingCopy(basePath, ui);
    if (!content) {
        run.Status = TFolderRunStatus::Failed;
        return run;
    }
    const std::vector<std::string> names = ListFolder(folder, "*.txt", &run.Skipped);
    std::deque<std::string> read;
    ui.FolderProgress(0, names.size());
    for (const std::string& name : names) {
        TNotificationRead notification = ReadNotificationFile(JoinPath(folder, name));
        if (notification.Error) {
            ui.ShowMessage(NotificationErrorText(*notification.Error));
            return FailedRun(run);
        }
        read.push_back(std::move(notification.BaseLine));
        ui.FolderProgress(++run.FilesRead, names.size());
    }

    // The last notification of each key; files without a header line are appended as empty lines.
    std::vector<std::string_view> lines = SplitLines(*content);
    std::unordered_map<std::string, size_t> latest;
    for (size_t i = 0; i < read.size(); ++i)
        if (read[i].empty())
            lines.push_back(read[i]);
        else
            latest[FoldedKey(read[i])] = i;
    // One pass over the base replaces the first line of each key met.
    for (std::string_view& line : lines) {
        if (latest.empty()) break;
        if (line.empty()) continue;
        auto found = latest.find(FoldedKey(line));
        if (found == latest.end()) continue;
        line = read[found->second];
        latest.erase(found);
        ++run.GamesReplaced;
    }
    for (size_t i = 0; i < read.size(); ++i) {
        auto unknown = read[i].empty() ? latest.end() : latest.find(FoldedKey(read[i]));
        if (unknown != latest.end() && unknown->second == i) {
            lines.push_back(read[i]);
            ++run.GamesAdded;
        }
    }
    if (!SaveLines(basePath, lines, ui)) return FailedRun(run);
    run.ReloadDue = true;
    return run;
}

}  // namespace kalvon
