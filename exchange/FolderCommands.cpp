#include "exchange/FolderCommands.h"

#include <sys/stat.h>

#include <algorithm>
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
#include "base/LineFields.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
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

// Reads the mail at path into read with its counts; false (message shown) when a message is refused.
bool ReadMailInto(const std::string& path, std::deque<std::string>& read, TFolderRun& run, IBaseUi& ui,
                  const TMailProgress& progress = TMailProgress()) {
    TMailRead mail = ReadMail(path, progress);
    if (mail.Error) {
        ui.ShowMessage(NotificationErrorText(*mail.Error));
        return false;
    }
    run.FilesRead += mail.FilesRead;
    run.MessagesRead += mail.MessagesRead;
    run.NotificationsFound += mail.NotificationsFound;
    run.MessagesSkipped += mail.MessagesSkipped;
    for (TMailNotification& notification : mail.Notifications)
        read.push_back(std::move(notification.BaseLine));
    return true;
}

// Reads every entry in order into read: a notification file's line (an empty one for a file without
// header line, which Add drops) and a mailbox's lines. False (message shown) at the first refusal.
bool ReadEntries(const std::string& folder, std::deque<std::string>& read, TFolderRun& run, IBaseUi& ui) {
    const std::vector<TFolderEntry> entries = FolderEntries(folder, run.Skipped);
    ui.FolderProgress(0, entries.size());
    size_t done = 0;
    for (const TFolderEntry& entry : entries) {
        if (entry.Mail) {
            if (!ReadMailInto(JoinPath(folder, entry.Name), read, run, ui)) return false;
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

// The lines of the base that hold the keys of the notifications read, found in one pass: for each
// key read, the positions of its lines in lines, in file order.
std::unordered_map<std::string, std::vector<size_t>> KeyHolders(const std::vector<std::string_view>& lines,
                                                                const std::deque<std::string>& read) {
    std::unordered_map<std::string, std::vector<size_t>> holders;
    for (const std::string& line : read)
        if (!line.empty()) holders.try_emplace(FoldedKey(line));
    if (holders.empty()) return holders;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Trim(lines[i]).empty()) continue;
        if (auto found = holders.find(FoldedKey(lines[i])); found != holders.end())
            found->second.push_back(i);
    }
    return holders;
}

// "Board 4711, 2003": the game of a base line as a note names it.
std::string GameName(std::string_view line) {
    const TLineFields fields = SplitLine(Trim(line));
    return Concat({"Board ", Trim(fields.Board), ", ", Trim(fields.Year)});
}

size_t MoveCount(std::string_view line) {
    return SplitLine(Trim(line)).Moves.size() / 2;
}

std::string Moves(size_t count) {
    return Concat({std::to_string(count), count == 1 ? " move" : " moves"});
}

// The note of a notification of an earlier turn that Update left out.
std::string KeptNote(std::string_view baseLine, std::string_view notification) {
    const size_t kept = MoveCount(baseLine), offered = MoveCount(notification);
    if (kept == offered)
        return Concat({GameName(baseLine), ": kept the base's finished game of ", Moves(kept),
                       " over an unfinished notification of the same moves"});
    return Concat(
        {GameName(baseLine), ": kept the base's ", Moves(kept), " over a notification of ", Moves(offered)});
}

// Add: the base file's lines without empty ones, and every line read that the base does not hold yet
// (nor an earlier turn of), saved sorted; the lines added join the base in memory too.
TFolderRun SaveAdded(TGameBase& base, const std::string& basePath, const std::string& content,
                     const std::deque<std::string>& read, TFolderRun& run, IBaseUi& ui) {
    std::vector<std::string_view> lines;
    for (std::string_view line : SplitLines(content))
        if (!Trim(line).empty()) lines.push_back(line);
    std::unordered_map<std::string, std::vector<size_t>> holders = KeyHolders(lines, read);
    std::vector<std::string> twice;  // keys noted as held twice, once each
    const TBaseMark mark = MarkBase(base);
    for (const std::string& line : read) {
        if (line.empty()) continue;
        std::vector<size_t>& held = holders[FoldedKey(line)];
        const bool known = std::any_of(held.begin(), held.end(), [&](size_t at) {
            return IsSameGame(line, lines[at]) || IsEarlierTurn(line, lines[at]);
        });
        if (known) {
            ++run.AlreadyInBase;
            continue;
        }
        if (!held.empty() && std::find(twice.begin(), twice.end(), FoldedKey(line)) == twice.end()) {
            twice.push_back(FoldedKey(line));
            run.Notes.push_back(Concat({GameName(line), ": key now held twice: delete one"}));
        }
        held.push_back(lines.size());
        lines.push_back(line);
        AddBaseLine(base, line);
        ++run.GamesAdded;
    }
    if (!SaveLines(basePath, lines, ui)) {
        RemoveAddedSince(base, mark);
        return FailedRun(run);
    }
    run.StatisticsDue = run.GamesAdded > 0;
    return run;
}

// Update: the notifications taken in order over the base file's lines: each replaces the first line
// of its key unless it holds that line's game or an earlier turn of it; unknown keys are appended (and
// met by the later notifications of the run); lines read empty are appended as empty lines. Saved
// sorted.
TFolderRun SaveUpdated(const std::string& basePath, const std::string& content,
                       const std::deque<std::string>& read, TFolderRun& run, IBaseUi& ui) {
    std::vector<std::string_view> lines = SplitLines(content);
    const size_t original = lines.size();
    std::unordered_map<std::string, std::vector<size_t>> holders = KeyHolders(lines, read);
    std::vector<bool> changed(original, false);
    for (const std::string& line : read) {
        if (line.empty()) {
            lines.push_back(line);
            continue;
        }
        std::vector<size_t>& held = holders[FoldedKey(line)];
        if (held.empty()) {
            held.push_back(lines.size());
            lines.push_back(line);
            ++run.GamesAdded;
            continue;
        }
        const size_t at = held.front();
        if (IsSameGame(line, lines[at])) {
            ++run.GamesUnchanged;
        } else if (IsEarlierTurn(line, lines[at])) {
            ++run.OlderKept;
            run.Notes.push_back(KeptNote(lines[at], line));
        } else {
            lines[at] = line;
            // A line changed twice in one run, or a game appended by it, counts once.
            if (at < original && !changed[at]) ++run.GamesReplaced;
            if (at < original) changed[at] = true;
        }
    }
    if (!SaveLines(basePath, lines, ui, run.GamesReplaced > 0)) return FailedRun(run);
    run.ReloadDue = true;
    return run;
}

// Progress over the messages of one mailbox.
TMailProgress MessageProgress(IBaseUi& ui) {
    return [&ui](size_t read, size_t total) { ui.FolderProgress(read, total); };
}

// How a run reads its notifications: ReadEntries over a folder or ReadMailInto over a mailbox.
using TReadNotifications = std::function<bool(std::deque<std::string>& read, TFolderRun& run)>;

// The frame of the four runs: the base's writer lock for the whole run, its working copy, then the
// notifications read. With base they are appended to the file and join the base in memory (taken
// back when the run fails); without, they update the file by key.
TFolderRun LockedRun(TGameBase* base, const std::string& basePath, TFolderRun run, IBaseUi& ui,
                     const TReadNotifications& readAll) {
    TBaseWriteLock lock;
    if (!LockBase(lock, basePath, ui)) return FailedRun(run);
    const std::optional<std::string> content = WorkingCopy(basePath, ui);
    if (!content) return FailedRun(run);
    std::deque<std::string> read;  // a deque keeps the views of the lines of the save valid
    if (!readAll(read, run)) return FailedRun(run);
    return base ? SaveAdded(*base, basePath, *content, read, run, ui)
                : SaveUpdated(basePath, *content, read, run, ui);
}

}  // namespace

std::string FolderRunSummary(std::string_view command, const TFolderRun& run) {
    std::vector<std::string> counts;
    // A count of zero is left out, but those of the games added and updated.
    auto count = [&](size_t n, const char* one, const char* many, bool always = false) {
        if (n > 0 || always) counts.push_back(Concat({std::to_string(n), " ", n == 1 ? one : many}));
    };
    count(run.FilesRead, "file read", "files read");
    count(run.MessagesRead, "message read", "messages read");
    count(run.NotificationsFound, "notification found", "notifications found");
    count(run.MessagesSkipped, "message skipped", "messages skipped");
    count(run.GamesAdded, "game added", "games added", true);
    count(run.GamesReplaced, "updated", "updated", true);
    count(run.GamesUnchanged, "unchanged", "unchanged");
    count(run.OlderKept, "older kept", "older kept");
    count(run.AlreadyInBase, "already in the base", "already in the base");
    count(run.Skipped.size(), "entry skipped", "entries skipped");
    std::string text = Concat({command, " from ", run.Folder, ": "});
    for (size_t i = 0; i < counts.size(); ++i) text += Concat({i == 0 ? "" : ", ", counts[i]});
    for (size_t i = 0; i < run.Skipped.size(); ++i) text += Concat({i == 0 ? ": " : ", ", run.Skipped[i]});
    text += ".";
    for (const std::string& note : run.Notes) text += Concat({"\n", note, "."});
    return text;
}

bool IsEarlierTurn(std::string_view notification, std::string_view baseLine) {
    const TLineFields offered = SplitLine(Trim(notification)), held = SplitLine(Trim(baseLine));
    if (offered.Moves.size() < held.Moves.size())
        return held.Moves.substr(0, offered.Moves.size()) == offered.Moves;
    const char heldResult = held.Result.empty() ? '?' : held.Result[0];
    const char offeredResult = offered.Result.empty() ? '?' : offered.Result[0];
    return offered.Moves == held.Moves && heldResult != '?' && offeredResult == '?';
}

bool IsSameGame(std::string_view a, std::string_view b) {
    const TLineFields x = SplitLine(Trim(a)), y = SplitLine(Trim(b));
    auto alt = [](std::string_view text) { return Trim(text).empty() ? std::string_view("?") : text; };
    auto result = [](std::string_view text) { return text.empty() ? '?' : text[0]; };
    const TTextPolicy& policy = TextPolicy();
    return FoldedKey(a) == FoldedKey(b) && result(x.Result) == result(y.Result) && x.Moves == y.Moves &&
           alt(x.Alt) == alt(y.Alt) && (x.Flag == "R") == (y.Flag == "R") &&
           (x.Black == y.Black || policy.FoldedCase(x.Black) == policy.FoldedCase(y.Black)) &&
           (x.White == y.White || policy.FoldedCase(x.White) == policy.FoldedCase(y.White));
}

TFolderRun AddPartysFromFolder(TGameBase& base, const std::string& basePath, const std::string& workFolder,
                               IBaseUi& ui) {
    TFolderRun run;
    const std::string folder = JoinPath(workFolder, "add");
    if (!FolderReady(folder, "Place add games in directory add!", ui, run)) return run;
    return LockedRun(&base, basePath, run, ui, [&](std::deque<std::string>& read, TFolderRun& r) {
        return ReadEntries(folder, read, r, ui);
    });
}

TFolderRun UpdatePartysFromFolder(const std::string& basePath, const std::string& workFolder, IBaseUi& ui) {
    TFolderRun run;
    const std::string folder = JoinPath(workFolder, "update");
    if (!FolderReady(folder, "Place update games in directory update!", ui, run)) return run;
    return LockedRun(nullptr, basePath, run, ui, [&](std::deque<std::string>& read, TFolderRun& r) {
        return ReadEntries(folder, read, r, ui);
    });
}

TFolderRun UpdatePartysFromMail(const std::string& basePath, const std::string& mailPath, IBaseUi& ui) {
    TFolderRun run;
    run.Folder = FullPath(mailPath);
    return LockedRun(nullptr, basePath, run, ui, [&](std::deque<std::string>& read, TFolderRun& r) {
        return ReadMailInto(mailPath, read, r, ui, MessageProgress(ui));
    });
}

TFolderRun AddPartysFromMail(TGameBase& base, const std::string& basePath, const std::string& mailPath,
                             IBaseUi& ui) {
    TFolderRun run;
    run.Folder = FullPath(mailPath);
    return LockedRun(&base, basePath, run, ui, [&](std::deque<std::string>& read, TFolderRun& r) {
        return ReadMailInto(mailPath, read, r, ui, MessageProgress(ui));
    });
}

}  // namespace kalvon
