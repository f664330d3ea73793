#include "exchange/FolderCommands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <functional>
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
#include "exchange/MailReader.h"
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

// An entry of add/ or update/ to read: a notification file or mail.
struct TFolderEntry {
    std::string Name;
    bool Mail = false;
};

bool IsMailName(const std::string& name) {
    return MatchesPattern(name, "*.eml") || MatchesPattern(name, "*.mbox");
}

// The entries of the folder that are read, in ListFolder order (see FolderCommands.h). Those that
// would be read but are no ordinary file go to skipped as "name (what it is)".
std::vector<TFolderEntry> FolderEntries(const std::string& folder, std::vector<std::string>& skipped) {
    std::vector<std::string> others;
    std::vector<TFolderEntry> entries;
    for (std::string& name : ListFolder(folder, "*", &others)) {
        const bool noExtension = name.find('.', 1) == std::string::npos;
        if (MatchesPattern(name, "*.txt"))
            entries.push_back({std::move(name), false});
        else if (IsMailName(name) || (noExtension && IsMail(JoinPath(folder, name))))
            entries.push_back({std::move(name), true});
    }
    for (std::string& other : others) {
        // ListFolder writes "name (what it is)".
        std::string name = other.substr(0, other.rfind(" ("));
        if (IsMaildir(JoinPath(folder, name)))
            entries.push_back({std::move(name), true});
        else if (MatchesPattern(name, "*.txt") || IsMailName(name))
            skipped.push_back(std::move(other));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const TFolderEntry& a, const TFolderEntry& b) {
        return FolderOrderLess(a.Name, b.Name);
    });
    return entries;
}

// Reads the mail at path into read (and, for Add, into the base) with its counts; false (message
// shown) when a message is refused.
bool ReadMailInto(const std::string& path, TGameBase* base, std::deque<std::string>& read, TFolderRun& run,
                  IBaseUi& ui, const TMailProgress& progress = TMailProgress()) {
    TMailRead mail = ReadMail(path, progress);
    if (mail.Error) {
        ui.ShowMessage(NotificationErrorText(*mail.Error));
        return false;
    }
    run.FilesRead += mail.FilesRead;
    run.MessagesRead += mail.MessagesRead;
    run.NotificationsFound += mail.NotificationsFound;
    run.MessagesSkipped += mail.MessagesSkipped;
    for (TMailNotification& notification : mail.Notifications) {
        if (base) AddBaseLine(*base, notification.BaseLine);
        read.push_back(std::move(notification.BaseLine));
    }
    return true;
}

// Reads every entry in order into read: a notification file's line (Update: an empty one for a file
// without header line) and a mailbox's lines; for Add each also into the base. False (message shown)
// at the first refusal.
bool ReadEntries(const std::string& folder, TGameBase* base, std::deque<std::string>& read, TFolderRun& run,
                 IBaseUi& ui) {
    const std::vector<TFolderEntry> entries = FolderEntries(folder, run.Skipped);
    ui.FolderProgress(0, entries.size());
    size_t done = 0;
    for (const TFolderEntry& entry : entries) {
        if (entry.Mail) {
            if (!ReadMailInto(JoinPath(folder, entry.Name), base, read, run, ui)) return false;
        } else if (base) {
            TNotificationError error;
            std::optional<std::string> line = ReadNotification(*base, folder, entry.Name, error);
            if (!line) {
                ui.ShowMessage(NotificationErrorText(error));
                return false;
            }
            if (!line->empty()) read.push_back(std::move(*line));
            ++run.FilesRead;
        } else {
            TNotificationRead notification = ReadNotificationFile(JoinPath(folder, entry.Name));
            if (notification.Error) {
                ui.ShowMessage(NotificationErrorText(*notification.Error));
                return false;
            }
            read.push_back(std::move(notification.BaseLine));
            ++run.FilesRead;
        }
        ui.FolderProgress(++done, entries.size());
    }
    return true;
}

// Add: the base file's lines without empty ones, and every line read, saved sorted.
TFolderRun SaveAdded(TGameBase& base, const TBaseMark& mark, const std::string& basePath,
                     const std::string& content, const std::deque<std::string>& read, TFolderRun& run,
                     IBaseUi& ui) {
    std::vector<std::string_view> lines;
    for (std::string_view line : SplitLines(content))
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

// Update: the base file's lines with the first line of each key read replaced by the last line read
// of that key, unknown keys appended, saved sorted; lines read empty are appended as empty lines.
TFolderRun SaveUpdated(const std::string& basePath, const std::string& content,
                       const std::deque<std::string>& read, TFolderRun& run, IBaseUi& ui) {
    std::vector<std::string_view> lines = SplitLines(content);
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

// Progress over the messages of one mailbox.
TMailProgress MessageProgress(IBaseUi& ui) {
    return [&ui](size_t read, size_t total) { ui.FolderProgress(read, total); };
}

// How a run reads its notifications: ReadEntries over a folder or ReadMailInto over a mailbox.
using TReadNotifications =
    std::function<bool(TGameBase* base, std::deque<std::string>& read, TFolderRun& run)>;

// The frame of the four runs: the base's writer lock for the whole run, its working copy, then the
// notifications read. With base they join the base in memory (taken back when the run fails) and are
// appended to the file; without, they update the file by key.
TFolderRun LockedRun(TGameBase* base, const std::string& basePath, TFolderRun run, IBaseUi& ui,
                     const TReadNotifications& readAll) {
    TBaseWriteLock lock;
    if (!LockBase(lock, basePath, ui)) return FailedRun(run);
    const std::optional<std::string> content = WorkingCopy(basePath, ui);
    if (!content) return FailedRun(run);
    const TBaseMark mark = base ? MarkBase(*base) : TBaseMark{};
    std::deque<std::string> read;  // a deque keeps the views of the lines of the save valid
    if (!readAll(base, read, run)) {
        if (base) RemoveAddedSince(*base, mark);
        return FailedRun(run);
    }
    return base ? SaveAdded(*base, mark, basePath, *content, read, run, ui)
                : SaveUpdated(basePath, *content, read, run, ui);
}

}  // namespace

std::string FolderRunSummary(std::string_view command, const TFolderRun& run) {
    auto count = [](size_t n, const char* one, const char* many) {
        return Concat({std::to_string(n), " ", n == 1 ? one : many});
    };
    std::string text =
        Concat({command, " from ", run.Folder, ": ", count(run.FilesRead, "file", "files"), " read, "});
    if (run.MessagesRead > 0)
        text += Concat({count(run.MessagesRead, "message", "messages"), " read, ",
                        count(run.NotificationsFound, "notification", "notifications"), " found, ",
                        count(run.MessagesSkipped, "message", "messages"), " skipped, "});
    text +=
        Concat({count(run.GamesAdded, "game", "games"), " added, ", count(run.GamesReplaced, "game", "games"),
                " updated, ", count(run.Skipped.size(), "entry", "entries"), " skipped"});
    for (size_t i = 0; i < run.Skipped.size(); ++i) text += Concat({i == 0 ? ": " : ", ", run.Skipped[i]});
    return text + ".";
}

TFolderRun AddPartysFromFolder(TGameBase& base, const std::string& basePath, const std::string& workFolder,
                               IBaseUi& ui) {
    TFolderRun run;
    const std::string folder = JoinPath(workFolder, "add");
    if (!FolderReady(folder, "Place add games in directory add!", ui, run)) return run;
    return LockedRun(&base, basePath, run, ui,
                     [&](TGameBase* into, std::deque<std::string>& read, TFolderRun& r) {
                         return ReadEntries(folder, into, read, r, ui);
                     });
}

TFolderRun UpdatePartysFromFolder(const std::string& basePath, const std::string& workFolder, IBaseUi& ui) {
    TFolderRun run;
    const std::string folder = JoinPath(workFolder, "update");
    if (!FolderReady(folder, "Place update games in directory update!", ui, run)) return run;
    return LockedRun(nullptr, basePath, run, ui,
                     [&](TGameBase* into, std::deque<std::string>& read, TFolderRun& r) {
                         return ReadEntries(folder, into, read, r, ui);
                     });
}

TFolderRun UpdatePartysFromMail(const std::string& basePath, const std::string& mailPath, IBaseUi& ui) {
    TFolderRun run;
    run.Folder = FullPath(mailPath);
    return LockedRun(nullptr, basePath, run, ui,
                     [&](TGameBase* into, std::deque<std::string>& read, TFolderRun& r) {
                         return ReadMailInto(mailPath, into, read, r, ui, MessageProgress(ui));
                     });
}

TFolderRun AddPartysFromMail(TGameBase& base, const std::string& basePath, const std::string& mailPath,
                             IBaseUi& ui) {
    TFolderRun run;
    run.Folder = FullPath(mailPath);
    return LockedRun(&base, basePath, run, ui,
                     [&](TGameBase* into, std::deque<std::string>& read, TFolderRun& r) {
                         return ReadMailInto(mailPath, into, read, r, ui, MessageProgress(ui));
                     });
}

}  // namespace kalvon
