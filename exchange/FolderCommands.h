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
    size_t GamesReplaced = 0;          // Update: lines of the base changed by a notification of their key
    size_t GamesUnchanged = 0;         // Update: notifications of a game that the base holds as it is
    size_t OlderKept = 0;              // Update: notifications of an earlier turn of the base's game
                                       // (IsEarlierTurn), which stays
    size_t AlreadyInBase = 0;          // Add: notifications of a game the base holds, or of an earlier turn
    std::vector<std::string> Notes;    // what the closing message names: games kept, keys now held twice
    bool StatisticsDue = false;        // Add: PartyList grew, so the statistics and browsers are out of date
    bool ReloadDue = false;            // Update: the base file was rewritten; the base in memory must be
                                       // cleared and loaded again from it
};

// The one message that ends a run: "<command> from <folder>: N files read, N games added, N updated,
// N unchanged, N older kept, N already in the base, N entries skipped: <entries>." (the mail's counts
// after the files when messages were read; counts of zero left out but "added" and "updated"), then
// the notes of the run, one a line.
std::string FolderRunSummary(std::string_view command, const TFolderRun& run);

// Whether the notification's base line holds an earlier turn of the game of the base line of the
// same key: its moves a proper beginning of the base's, or the same moves while the base's game is
// finished and the notification's result is "?".
bool IsEarlierTurn(std::string_view notification, std::string_view baseLine);
// Whether the two base lines hold the same game: one key (FoldedKey), the same names (letter case
// ignored, as the catalogues take them), result, moves, alternative and flag as a load reads them.
bool IsSameGame(std::string_view a, std::string_view b);

// The entries of add/ and update/ that are read, in ListFolder order: *.txt files as notifications,
// and as mail (see MailReader.h) .eml and .mbox files, files without extension that are mail (an mbox,
// a saved message) and Maildir folders. Each mailbox gives the latest notification of each board, in
// its own order; across entries the folder order stays.

// Adds the notification of every *.txt file and of the mail of workFolder/add (in ListFolder order)
// to the base file at basePath (a missing file counts as empty) and, through AddBaseLine, to the base
// in memory: the file is rewritten sorted as SaveBase sorts, without empty lines. A notification of a
// game that the file (or an earlier notification of the run) holds already, or of an earlier turn of
// it, is left out (AlreadyInBase); one whose key the file holds with another game is added and noted
// ("key now held twice"). A missing folder is
// created with the message "Place add games in directory add!" and its full path; an add that is no
// folder is an error. The notification and mail files are never changed.
TFolderRun AddPartysFromFolder(TGameBase& base, const std::string& basePath, const std::string& workFolder,
                               IBaseUi& ui);

// Replaces, in the base file at basePath, the first line whose key (FoldedKey) equals that of a
// notification in workFolder/update, and appends the notifications of unknown keys; the notifications
// are taken in order, so a later file (or mailbox) of the same key wins. A notification of the game as
// the line holds it leaves the line as it is (GamesUnchanged); one of an earlier turn (IsEarlierTurn)
// leaves it too and is noted (OlderKept). Files without a header line add an empty line. The file is
// rewritten sorted (kept as the before-removal file when a line was replaced); the base in memory is
// not touched, the caller reloads it (ReloadDue). A missing folder is created with "Place update games
// in directory update!".
TFolderRun UpdatePartysFromFolder(const std::string& basePath, const std::string& workFolder, IBaseUi& ui);

// The two runs over one mailbox (an mbox file, a Maildir folder or a saved message) instead of a
// folder: the latest notification of each board in it is added or updated as above. Folder is the
// mailbox's full path; the progress counts its messages.
TFolderRun UpdatePartysFromMail(const std::string& basePath, const std::string& mailPath, IBaseUi& ui);
TFolderRun AddPartysFromMail(TGameBase& base, const std::string& basePath, const std::string& mailPath,
                             IBaseUi& ui);

}  // namespace kalvon
