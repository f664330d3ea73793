// The two commands that bring the notifications of a folder into the base file: "Add New Games" over
// add/ and "Update Games" over update/ of the working folder.
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
    size_t FilesRead = 0;              // notification files read
    size_t GamesAdded = 0;             // games appended to the file (for Add also to PartyList)
    size_t GamesReplaced = 0;          // Update: lines replaced by a notification of their key
    bool StatisticsDue = false;        // Add: PartyList grew, so the statistics and browsers are out of date
    bool ReloadDue = false;            // Update: the base file was rewritten; the base in memory must be
                                       // cleared and loaded again from it
};

// The one message that ends a run: the command, the folder and the counts, and the entries skipped.
std::string FolderRunSummary(std::string_view command, const TFolderRun& run);

// Adds the notification of every *.txt file of workFolder/add (in ListFolder order) to the base file
// at basePath (a missing file counts as empty) and, through ReadNotification, to the base in memory:
// the file is rewritten sorted as SaveBase sorts, without empty lines. A missing folder is created
// with the message "Place add games in directory add!" and its full path; an add that is no folder is
// an error. The notification files are never changed.
TFolderRun AddPartysFromFolder(TGameBase& base, const std::string& basePath, const std::string& workFolder,
                               IBaseUi& ui);

// Replaces, in the base file at basePath, the first line whose key ("year, board" before the first
// "=", letter case ignored) equals that of a notification in workFolder/update, and appends the
// notifications of unknown keys; a later file of the same key wins. Files without a header line add
// an empty line. The file is rewritten sorted; the base in memory is not touched, the caller reloads
// it (ReloadDue). A missing folder is created with "Place update games in directory update!".
TFolderRun UpdatePartysFromFolder(const std::string& basePath, const std::string& workFolder, IBaseUi& ui);

}  // namespace kalvon
