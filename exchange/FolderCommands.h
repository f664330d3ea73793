// The two commands that bring the notifications of a folder into the base file: "Add New Games" over
// add/ and "Update Games" over update/ of the working folder, and both over one mailbox.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/BaseUi.h"
#include "base/GameBase.h"

namespace kalvon {

enum class TFolderRunStatus {
    Done,           // the base file was rewritten
    FolderCreated,  // the folder was missing: it was created, its message shown, nothing else done
    Failed,         // a notification was refused or a file could not be read or written (message
                    // shown): the base file and the base in memory are as before the run
};

// What the menu command needs to finish its work after a run.
struct TFolderRun {
    TFolderRunStatus Status = TFolderRunStatus::Done;
    std::string Folder;                // the folder read, as a full path
    std::vector<std::string> Skipped;  // its entries that are no ordinary file, "name (what it is)"
    size_t FilesRead = 0;              // notification files, mailbox files and message files read
    size_t MessagesRead = 0;           // mail messages read
    size_t NotificationsFound = 0;     // messages that held a notification
    size_t MessagesSkipped = 0;        // messages without a plain text or without a notification in it
    size_t GamesAdded = 0;             // games appended to the file (for Add also to PartyList)
    size_t GamesReplaced = 0;          // Update: lines replaced by a notification of their key
    bool StatisticsDue = false;        // Add: PartyList grew, so the statistics and browsers are out of date
    bool ReloadDue = false;            // Update: the base file was rewritten; the base in memory must be
                                       // cleared and loaded again from it
};

// The one message that ends a run: the command, the folder and the counts (those of the mail when a
// message was read), and the entries skipped.
std::string FolderRunSummary(std::string_view command, const TFolderRun& run);

// The entries of add/ and update/ that are read, in ListFolder order: *.txt files as notifications,
// and as mail (see MailReader.h) .eml and .mbox files, files without extension that are mail (an mbox,
// a saved message) and Maildir folders. Each mailbox gives the latest notification of each board, in
// its own order; across entries the folder order stays.

// Adds the notification of every *.txt file and of the mail of workFolder/add (in ListFolder order)
// to the base file at basePath (a missing file counts as empty) and, through AddBaseLine, to the base
// in memory: the file is rewritten sorted as SaveBase sorts, without empty lines. A missing folder is
// created with the message "Place add games in directory add!" and its full path; an add that is no
// folder is an error. The notification and mail files are never changed.
TFolderRun AddPartysFromFolder(TGameBase& base, const std::string& basePath, const std::string& workFolder,
                               IBaseUi& ui);

// Replaces, in the base file at basePath, the first line whose key ("year, board" before the first
// "=", letter case ignored) equals that of a notification in workFolder/update, and appends the
// notifications of unknown keys; a later file (or mailbox) of the same key wins. Files without a header line
// add an empty line. The file is rewritten sorted; the base in memory is not touched, the caller reloads it
// (ReloadDue). A missing folder is created with "Place update games in directory update!".
TFolderRun UpdatePartysFromFolder(const std::string& basePath, const std::string& workFolder, IBaseUi& ui);

// The two runs over one mailbox (an mbox file, a Maildir folder or a saved message) instead of a
// folder: the latest notification of each board in it is added or updated as above. Folder is the
// mailbox's full path; the progress counts its messages.
TFolderRun UpdatePartysFromMail(const std::string& basePath, const std::string& mailPath, IBaseUi& ui);
TFolderRun AddPartysFromMail(TGameBase& base, const std::string& basePath, const std::string& mailPath,
                             IBaseUi& ui);

}  // namespace kalvon
