// Adding and updating games from the notifications of the add/ and update/ folders.
#include <gtest/gtest.h>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "exchange/FolderCommands.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// A gomoku notification of one move as the server mails it.
std::string Notification(const std::string& board, const std::string& black, const std::string& white,
                         const std::string& move = "H8") {
    return "Notification of Gomoku Board " + board + "\r\n\r\nGame won by " + black + ".\r\n\r\n" + black +
           "'s\r\n" + white + "'s\r\n\r\n   Eks          Ohs\r\n   " + black + "  " + white + "\r\n  1 " +
           move + "         2 Resign\r\n\r\n\r\n";
}

// The lines of the games in memory, in PartyList order, and the catalogues.
std::string Snapshot(const TGameBase& base) {
    std::string text;
    for (const TPartyRecord& party : base.PartyList) text += FormatBaseLine(base, party) + "\n";
    for (const std::string& name : base.PlayerCatalogue.PlayerNames.Items()) text += "player " + name + "\n";
    for (const TPlayerRecord& player : base.PlayerCatalogue.PlayerRecords)
        text += std::to_string(player.Id) + "=" + player.Name + "\n";
    for (const std::string& year : base.TurnCatalogue.TurnNames.Items()) text += "year " + year + "\n";
    text += "ids " + std::to_string(base.PlayerCatalogue.PlayerIds.size()) + " " +
            std::to_string(base.TurnCatalogue.TurnIds.size()) + "\n";
    return text;
}

class FolderCommands : public testing::Test {
protected:
    std::string Work() const { return Folder.Path().string(); }
    std::string BasePath() const { return Folder.File("games.bdt"); }
    void Put(const std::string& folder, const std::string& name, const std::string& text) {
        std::filesystem::create_directories(Folder.File(folder));
        WriteFile(Folder.File(folder + "/" + name), text);
    }
    void Load() {
        TSilentUi silent;
        ASSERT_TRUE(LoadBase(Base, BasePath(), silent));
    }
    TTempFolder Folder;
    TGameBase Base;
    TRecordingUi Ui;
};

TEST_F(FolderCommands, AddAppendsSortsAndDropsEmptyLines) {
    WriteFile(BasePath(), "2001,    9=[Zed,Ann,+,88,?,-]\r\n\r\n2000,    5=[Ann,Zed,-,1122,?,-]\r\n");
    Load();
    Base.Listing = {1};
    Put("add", "b_03.txt", Notification("20", "Alice", "Bob"));
    Put("add", "A_04.TXT", Notification("10", "Carol", "ann"));
    Put("add", ".hidden_05.txt", Notification("30", "Alice", "Zed"));
    Put("add", "no header.txt", "Dear Alice,\r\nsee you.\r\n");
    Put("add", "notes.doc", "Notification of Gomoku Board 1\r\n");
    std::filesystem::create_directory(Folder.File("add/dir.txt"));
    const auto stamp = std::filesystem::last_write_time(Folder.File("add/b_03.txt"));

    const TFolderRun run = AddPartysFromFolder(Base, BasePath(), Work(), Ui);
    EXPECT_EQ(run.Status, TFolderRunStatus::Done);
    EXPECT_EQ(run.FilesRead, 4u);
    EXPECT_EQ(run.GamesAdded, 3u);
    EXPECT_TRUE(run.StatisticsDue);
    EXPECT_FALSE(run.ReloadDue);
    EXPECT_EQ(ReadFile(BasePath()),
              "2000,    5=[Ann,Zed,-,1122,?,-]\r\n2001,    9=[Zed,Ann,+,88,?,-]\r\n"
              "2003,   20=[Alice,Bob,+,88,?,-]\r\n2004,   10=[Carol,ann,+,88,?,-]\r\n"
              "2005,   30=[Alice,Zed,+,88,?,-]\r\n");
    // New games at the end of PartyList in reading order; the known player keeps the base's spelling.
    ASSERT_EQ(Base.PartyList.size(), 5u);
    EXPECT_EQ(FormatBaseLine(Base, Base.PartyList[2]), "2005,   30=[Alice,Zed,+,88,?,-]");
    EXPECT_EQ(FormatBaseLine(Base, Base.PartyList[3]), "2004,   10=[Carol,Ann,+,88,?,-]");
    EXPECT_EQ(FormatBaseLine(Base, Base.PartyList[4]), "2003,   20=[Alice,Bob,+,88,?,-]");
    EXPECT_EQ(Base.Listing, TListing{1});
    EXPECT_TRUE(Ui.Messages.empty());
    EXPECT_EQ(Ui.FolderSteps.front(), std::make_pair(size_t(0), size_t(4)));
    EXPECT_EQ(Ui.FolderSteps.back(), std::make_pair(size_t(4), size_t(4)));
    EXPECT_EQ(ReadFile(Folder.File("add/b_03.txt")), Notification("20", "Alice", "Bob"));
    EXPECT_EQ(std::filesystem::last_write_time(Folder.File("add/b_03.txt")), stamp);
}

TEST_F(FolderCommands, UpdateReplacesByKeyLaterFileWinsUnknownKeysAppended) {
    WriteFile(BasePath(),
              "2003,   20=[Old,Man,?,88,?,-]\r\n2003, a123=[Old,Man,?,88,?,-]\r\n"
              "2004,   10=[Keep,Me,+,11,?,-]\r\n2003,   20=[Second,Line,?,88,?,-]\r\n");
    Load();
    const std::string before = Snapshot(Base);
    Put("update", "1_03.txt", Notification("20", "Alice", "Bob", "A1"));
    Put("update", "2_03.txt", Notification("20", "Alice", "Bob", "B2"));
    Put("update", "3_03.txt", Notification("A123", "Carol", "Dan"));
    Put("update", "4_05.txt", Notification("77", "Eve", "Fay"));
    Put("update", "5.txt", "no notification here\r\n");

    const TFolderRun run = UpdatePartysFromFolder(BasePath(), Work(), Ui);
    EXPECT_EQ(run.Status, TFolderRunStatus::Done);
    EXPECT_EQ(run.FilesRead, 5u);
    EXPECT_EQ(run.GamesReplaced, 2u);
    EXPECT_EQ(run.GamesAdded, 1u);
    EXPECT_TRUE(run.ReloadDue);
    EXPECT_EQ(ReadFile(BasePath()),
              "\r\n2003,   20=[Alice,Bob,+,22,?,-]\r\n2003,   20=[Second,Line,?,88,?,-]\r\n"
              "2003, A123=[Carol,Dan,+,88,?,-]\r\n2004,   10=[Keep,Me,+,11,?,-]\r\n2005,   "
              "77=[Eve,Fay,+,88,?,-]\r\n");
    EXPECT_EQ(Snapshot(Base), before) << "the caller reloads the base";
    EXPECT_TRUE(Ui.Messages.empty());
}

TEST_F(FolderCommands, MissingFoldersAreCreatedWithTheirMessages) {
    WriteFile(BasePath(), "2000,1=[A,B,+,88,?,-]\r\n\r\n");
    EXPECT_EQ(AddPartysFromFolder(Base, BasePath(), Work(), Ui).Status, TFolderRunStatus::FolderCreated);
    EXPECT_EQ(UpdatePartysFromFolder(BasePath(), Work(), Ui).Status, TFolderRunStatus::FolderCreated);
    const std::string made = std::filesystem::canonical(Folder.Path()).string();
    EXPECT_EQ(Ui.Messages,
              (std::vector<std::string>{
                  "Place add games in directory add! It was made as " + made + "/add.",
                  "Place update games in directory update! It was made as " + made + "/update."}));
    EXPECT_TRUE(std::filesystem::is_directory(Folder.File("add")));
    EXPECT_TRUE(std::filesystem::is_directory(Folder.File("update")));
    EXPECT_EQ(ReadFile(BasePath()), "2000,1=[A,B,+,88,?,-]\r\n\r\n");
    // With the folders there and empty, Add still rewrites the base sorted and without empty lines.
    EXPECT_EQ(AddPartysFromFolder(Base, BasePath(), Work(), Ui).Status, TFolderRunStatus::Done);
    EXPECT_EQ(ReadFile(BasePath()), "2000,1=[A,B,+,88,?,-]\r\n");
    EXPECT_EQ(AddPartysFromFolder(Base, Folder.File("new.bdt"), Work(), Ui).Status, TFolderRunStatus::Done);
    EXPECT_EQ(ReadFile(Folder.File("new.bdt")), "") << "a missing base file starts empty";
}

TEST_F(FolderCommands, FailedRunLeavesFileAndMemoryAsBefore) {
    const std::string content = "2001,    9=[Zed,Ann,+,88,?,-]\r\n2000,    5=[Ann,Zed,-,1122,?,-]\r\n";
    WriteFile(BasePath(), content);
    Load();
    Base.Listing = {0, 1};
    Base.CurrentParty = 1;
    Base.EditMode = true;
    const std::string before = Snapshot(Base);
    for (const char* folder : {"add", "update"}) {
        // The first file brings a new year and new players, the second is refused, the third is never read.
        Put(folder, "a_03.txt", Notification("20", "Newman", "Newer"));
        Put(folder, "b_03.txt", Notification("21", "Alice", "Bob", "Z9"));
        Put(folder, "c_03.txt", Notification("22", "Carol", "Dan"));
    }
    const std::string refusal = "File " + Work() + "/add/b_03.txt, line 10: not a point of the board: \"Z9\"";
    TFolderRun added = AddPartysFromFolder(Base, BasePath(), Work(), Ui);
    EXPECT_EQ(added.Status, TFolderRunStatus::Failed);
    EXPECT_FALSE(added.StatisticsDue);
    TFolderRun updated = UpdatePartysFromFolder(BasePath(), Work(), Ui);
    EXPECT_EQ(updated.Status, TFolderRunStatus::Failed);
    EXPECT_FALSE(updated.ReloadDue);
    EXPECT_EQ(Ui.Messages, (std::vector<std::string>{refusal, "File " + Work() +
                                                                  "/update/b_03.txt, line 10: "
                                                                  "not a point of the board: \"Z9\""}));
    EXPECT_EQ(ReadFile(BasePath()), content);
    EXPECT_EQ(Snapshot(Base), before);
    EXPECT_EQ(Base.Listing, (TListing{0, 1}));
    EXPECT_EQ(Base.CurrentParty, 1);

    // A base file that cannot be written fails the same way, after all notifications were read.
    std::filesystem::remove(Folder.File("add/b_03.txt"));
    const TFolderRun unsaved = AddPartysFromFolder(Base, Folder.File("no/such/games.bdt"), Work(), Ui);
    EXPECT_EQ(unsaved.Status, TFolderRunStatus::Failed);
    EXPECT_NE(Ui.Messages.back().find("No such file or directory"), std::string::npos) << Ui.Messages.back();
    EXPECT_EQ(Snapshot(Base), before);
}

// The lines of a base are read up to a NUL byte; neither command rewrites such a file, so the lines
// after it stay.
TEST_F(FolderCommands, BaseEndingAtANulByteIsNotRewritten) {
    using namespace std::string_literals;  // the literal holds its NUL byte
    // Past the first 4 KB, where a NUL byte makes the file no base at all.
    std::string content;
    for (int g = 0; g < 200; ++g) content += "2001," + std::to_string(10000 + g) + "=[Zed,Ann,+,88,?,-]\r\n";
    content +=
        "2001,    9=[Zed,Ann,+,88,?,-]\r\n\r\n2000,    5=[A\0n,Zed,-,1122,?,-]\r\n2002,    7=[Bob,Zed,-,1122,?,-]\r\n"s;
    WriteFile(BasePath(), content);
    for (const char* folder : {"add", "update"})
        Put(folder, "a_03.txt", Notification("20", "Newman", "Newer"));
    EXPECT_EQ(AddPartysFromFolder(Base, BasePath(), Work(), Ui).Status, TFolderRunStatus::Failed);
    EXPECT_EQ(UpdatePartysFromFolder(BasePath(), Work(), Ui).Status, TFolderRunStatus::Failed);
    const std::string refusal =
        "File " + BasePath() +
        " ends at a NUL byte in line 203: it is not rewritten, so that the lines after it are not lost.";
    EXPECT_EQ(Ui.Messages, (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(ReadFile(BasePath()), content);
    EXPECT_TRUE(Base.PartyList.empty());
}

// A mail of the text, dated (the year of the notification comes from the Date).
std::string Mail(const std::string& date, const std::string& text) {
    return "From: server@pbm.example\r\nDate: " + date + "\r\nSubject: turn\r\n\r\n" + text;
}

std::string Mbox(std::initializer_list<std::string> mails) {
    std::string mbox;
    for (const std::string& mail : mails)
        mbox += "From server@pbm.example Tue Jul  1 10:00:00 2003\r\n" + mail + "\r\n";
    return mbox;
}

// Mail beside notification files: each mailbox gives the latest turn of each board, Add appends every
// entry's lines, Update lets the later entry win.
TEST_F(FolderCommands, MailBesideTextFilesInFolderOrder) {
    const std::string base = "2003,   20=[Old,Man,?,88,?,-]\r\n2003,   22=[Old,Man,?,88,?,-]\r\n";
    const std::string mbox =
        Mbox({Mail("Wed, 02 Jul 2003 10:00:00 +0000", Notification("20", "Alice", "Bob", "B2")),
              Mail("Tue, 01 Jul 2003 10:00:00 +0000", Notification("22", "Eve", "Fay", "C3")),
              Mail("Thu, 03 Jul 2003 10:00:00 +0000", Notification("22", "Eve", "Fay", "D4")),
              Mail("Thu, 03 Jul 2003 11:00:00 +0000", "Dear Alice,\r\n"),
              Mail("Tue, 01 Jul 2003 10:00:00 +0000", Notification("20", "Alice", "Bob", "E5"))});
    for (const char* folder : {"add", "update"}) {
        Put(folder, "a_03.txt", Notification("20", "Alice", "Bob", "A1"));
        Put(folder, "b.eml", Mail("Tue, 01 Jul 2003 10:00:00 +0000", Notification("21", "Carol", "Dan")));
        Put(folder, "c", mbox);
        Put(std::string(folder) + "/d/new", "1",
            Mail("Thu, 01 Jan 2004 10:00:00 +0000", Notification("23", "Gus", "Hal")));
        Put(folder, "notes.doc", Notification("24", "Ivy", "Jon"));
        std::filesystem::create_directories(Folder.File(std::string(folder) + "/plain"));
        std::filesystem::create_symlink("nowhere", Folder.File(std::string(folder) + "/z.mbox"));
    }
    const std::string mailCounts =
        ": 4 files read, 7 messages read, 6 notifications found, 1 message skipped, ";
    const std::string skipped = ", 1 entry skipped: z.mbox (a link that leads nowhere).";
    // Add keeps every new state of a game it already holds, and says so.
    const std::string twice =
        "\nBoard 20, 2003: key now held twice: delete one.\nBoard 22, 2003: key now held twice: "
        "delete one.";

    WriteFile(BasePath(), base);
    Load();
    const TFolderRun added = AddPartysFromFolder(Base, BasePath(), Work(), Ui);
    ASSERT_EQ(added.Status, TFolderRunStatus::Done) << (Ui.Messages.empty() ? "" : Ui.Messages.back());
    EXPECT_EQ(FolderRunSummary("Add New Games", added), "Add New Games from " + added.Folder + mailCounts +
                                                            "5 games added, 0 updated" + skipped + twice);
    EXPECT_EQ(ReadFile(BasePath()),
              "2003,   20=[Alice,Bob,+,11,?,-]\r\n2003,   20=[Alice,Bob,+,22,?,-]\r\n2003,   "
              "20=[Old,Man,?,88,?,-]\r\n"
              "2003,   21=[Carol,Dan,+,88,?,-]\r\n2003,   22=[Eve,Fay,+,44,?,-]\r\n2003,   "
              "22=[Old,Man,?,88,?,-]\r\n"
              "2004,   23=[Gus,Hal,+,88,?,-]\r\n");
    ASSERT_EQ(Base.PartyList.size(), 7u);
    EXPECT_EQ(FormatBaseLine(Base, Base.PartyList.back()), "2004,   23=[Gus,Hal,+,88,?,-]");
    EXPECT_EQ(Ui.FolderSteps.front(), std::make_pair(size_t(0), size_t(4)));
    EXPECT_EQ(Ui.FolderSteps.back(), std::make_pair(size_t(4), size_t(4)));

    WriteFile(BasePath(), base);
    const TFolderRun updated = UpdatePartysFromFolder(BasePath(), Work(), Ui);
    ASSERT_EQ(updated.Status, TFolderRunStatus::Done) << (Ui.Messages.empty() ? "" : Ui.Messages.back());
    EXPECT_EQ(FolderRunSummary("Update Games", updated),
              "Update Games from " + updated.Folder + mailCounts + "2 games added, 2 updated" + skipped);
    EXPECT_EQ(ReadFile(BasePath()),
              "2003,   20=[Alice,Bob,+,22,?,-]\r\n2003,   21=[Carol,Dan,+,88,?,-]\r\n2003,   "
              "22=[Eve,Fay,+,44,?,-]\r\n"
              "2004,   23=[Gus,Hal,+,88,?,-]\r\n");
    EXPECT_EQ(ReadFile(Folder.File("update/c")), mbox) << "mail is never changed";
    EXPECT_TRUE(Ui.Messages.empty());
}

// The runs over one mailbox: progress by message; a refused message leaves file and memory as before.
TEST_F(FolderCommands, RunsOverOneMailbox) {
    const std::string base = "2003,   20=[Old,Man,?,88,?,-]\r\n";
    WriteFile(BasePath(), base);
    Load();
    const std::string before = Snapshot(Base);
    const std::string good =
        Mail("Wed, 02 Jul 2003 10:00:00 +0000", Notification("20", "Alice", "Bob", "B2"));
    const std::string bad = Mail("Wed, 02 Jul 2003 11:00:00 +0000", Notification("21", "Carol", "Dan", "Z9"));
    const std::string mailbox = Folder.File("Inbox");
    WriteFile(mailbox, Mbox({good, bad}));
    EXPECT_EQ(AddPartysFromMail(Base, BasePath(), mailbox, Ui).Status, TFolderRunStatus::Failed);
    EXPECT_EQ(UpdatePartysFromMail(BasePath(), mailbox, Ui).Status, TFolderRunStatus::Failed);
    const std::string refusal = "File " + mailbox + ", message 2, line 10: not a point of the board: \"Z9\"";
    EXPECT_EQ(Ui.Messages, (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(ReadFile(BasePath()), base);
    EXPECT_EQ(Snapshot(Base), before);

    Ui = TRecordingUi();
    WriteFile(mailbox, Mbox({good, Mail("Wed, 02 Jul 2003 11:00:00 +0000", "Dear Alice,\r\n")}));
    const TFolderRun updated = UpdatePartysFromMail(BasePath(), mailbox, Ui);
    ASSERT_EQ(updated.Status, TFolderRunStatus::Done);
    EXPECT_EQ(FolderRunSummary("Update Games", updated),
              "Update Games from " + mailbox +
                  ": 1 file read, 2 messages read, 1 notification found, 1 message skipped, 0 games added, 1 "
                  "updated.");
    EXPECT_TRUE(updated.ReloadDue);
    EXPECT_EQ(ReadFile(BasePath()), "2003,   20=[Alice,Bob,+,22,?,-]\r\n");
    EXPECT_EQ(Ui.FolderSteps, (std::vector<std::pair<size_t, size_t>>{{0, 2}, {1, 2}, {2, 2}}));

    // The game the update brought is in the base: adding the same mailbox adds nothing.
    const TFolderRun added = AddPartysFromMail(Base, BasePath(), mailbox, Ui);
    ASSERT_EQ(added.Status, TFolderRunStatus::Done);
    EXPECT_EQ(added.GamesAdded, 0u);
    EXPECT_EQ(added.AlreadyInBase, 1u);
    EXPECT_FALSE(added.StatisticsDue);
    EXPECT_EQ(ReadFile(BasePath()), "2003,   20=[Alice,Bob,+,22,?,-]\r\n");
    EXPECT_EQ(Base.PartyList.size(), 1u);

    const TFolderRun missing = UpdatePartysFromMail(BasePath(), Folder.File("gone"), Ui);
    EXPECT_EQ(missing.Status, TFolderRunStatus::Failed);
    EXPECT_EQ(Ui.Messages.back(),
              "File " + Folder.File("gone") + ": cannot be read: No such file or directory");
}

// The first count points of a game that fills the board row by row, as point texts.
std::vector<std::string> Points(size_t count) {
    std::vector<std::string> points;
    for (size_t k = 0; k < count; ++k)
        points.push_back(std::string(1, ColumnLetters[k % 15]) + std::to_string(k / 15 + 1));
    return points;
}

// A gomoku notification of board 4711 after moves moves of Alice and Bob, finished (Alice won) or not.
std::string Turns(size_t moves, bool finished) {
    std::string text = "Notification of Gomoku Board 4711\r\n\r\n" +
                       std::string(finished ? "Game won by Alice." : "It is Bob's turn.") +
                       "\r\n\r\n   Eks          Ohs\r\n   Alice        Bob\r\n";
    const std::vector<std::string> points = Points(moves);
    for (size_t k = 0; k < points.size(); k += 2) {
        std::string row = (k < 9 ? "  " : " ") + std::to_string(k + 1) + " " + points[k];
        if (k + 1 < points.size())
            row += std::string(15 - row.size(), ' ') + std::to_string(k + 2) + " " + points[k + 1];
        text += row + "\r\n";
    }
    return text + "\r\n\r\n";
}

// The base line of that notification, with the key written as given.
std::string TurnsLine(size_t moves, bool finished, const std::string& key = "2003, 4711") {
    std::string codes;
    for (const std::string& point : Points(moves)) codes += PointTextToCode(point);
    return key + "=[Alice,Bob," + (finished ? "+" : "?") + "," + codes + ",?,-]";
}

struct TMergeRow {
    const char* Name;
    std::string Base;                // the base's lines, each ended by CR LF here
    std::vector<std::string> Notes;  // the notifications, read in this order
    bool Update;                     // Update Games, else Add New Games
    std::string After;               // the base file afterwards
    std::string Summary;             // the closing message after "<command> from <folder>: "
};

void PrintTo(const TMergeRow& row, std::ostream* out) {
    *out << row.Name;
}

class FolderMerge : public testing::TestWithParam<TMergeRow> {};

// What Update and Add make of a notification of a game the base holds: an earlier turn never replaces
// a later one, the same game is neither updated nor added again, and keys are compared as the loader
// reads them.
TEST_P(FolderMerge, KeepsNewerTurnsAndAddsNothingTwice) {
    const TMergeRow& row = GetParam();
    TTempFolder folder;
    const std::string base = folder.File("games.bdt"), dir = row.Update ? "update" : "add";
    WriteFile(base, row.Base);
    std::filesystem::create_directories(folder.File(dir));
    for (size_t i = 0; i < row.Notes.size(); ++i)
        WriteFile(folder.File(dir + "/" + std::to_string(i + 1) + "_03.txt"), row.Notes[i]);
    TGameBase memory;
    TSilentUi silent;
    ASSERT_TRUE(LoadBase(memory, base, silent));
    const size_t before = memory.PartyList.size();
    TRecordingUi ui;
    const TFolderRun run = row.Update ? UpdatePartysFromFolder(base, folder.Path().string(), ui)
                                      : AddPartysFromFolder(memory, base, folder.Path().string(), ui);
    ASSERT_EQ(run.Status, TFolderRunStatus::Done) << (ui.Messages.empty() ? "" : ui.Messages.back());
    EXPECT_EQ(ReadFile(base), row.After);
    const std::string command = row.Update ? "Update Games" : "Add New Games";
    EXPECT_EQ(FolderRunSummary(command, run), command + " from " + run.Folder + ": " + row.Summary);
    if (!row.Update) {
        EXPECT_EQ(memory.PartyList.size(), before + run.GamesAdded) << "memory follows the file";
    }
}

const std::string Finished33 = TurnsLine(33, true) + "\r\n", Open15 = TurnsLine(15, false) + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, FolderMerge,
    testing::Values(
        TMergeRow{"UpdateKeepsTheLaterTurn",
                  Finished33,
                  {Turns(15, false)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 0 updated, 1 older kept.\n"
                  "Board 4711, 2003: kept the base's 33 moves over a notification of 15 moves."},
        TMergeRow{"UpdateKeepsTheFinishedGame",
                  Finished33,
                  {Turns(33, false)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 0 updated, 1 older kept.\n"
                  "Board 4711, 2003: kept the base's finished game of 33 moves over an unfinished "
                  "notification of the same moves."},
        TMergeRow{"UpdateTakesTheLaterTurn",
                  Open15,
                  {Turns(33, true)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 1 updated."},
        TMergeRow{"UpdateTakesAnotherResultOfTheSameMoves",
                  TurnsLine(33, false) + "\r\n",
                  {Turns(33, true)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 1 updated."},
        TMergeRow{"UpdateOfTheSameGameChangesNothing",
                  Finished33,
                  {Turns(33, true)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 0 updated, 1 unchanged."},
        TMergeRow{"UpdateInOrderKeepsTheLatestOfTheRun",
                  Open15,
                  {Turns(33, true), Turns(15, false)},
                  true,
                  Finished33,
                  "2 files read, 0 games added, 1 updated, 1 older kept.\n"
                  "Board 4711, 2003: kept the base's 33 moves over a notification of 15 moves."},
        TMergeRow{"UpdateFindsAnUnpaddedKey",
                  TurnsLine(15, false, "2003,4711") + "\r\n",
                  {Turns(33, true)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 1 updated."},
        TMergeRow{"UpdateFindsAKeyWithBlanks",
                  " " + TurnsLine(15, false, "2003, 4711") + "\r\n",
                  {Turns(33, true)},
                  true,
                  Finished33,
                  "1 file read, 0 games added, 1 updated."},
        TMergeRow{"AddSkipsTheSameGame",
                  Finished33,
                  {Turns(33, true)},
                  false,
                  Finished33,
                  "1 file read, 0 games added, 0 updated, 1 already in the base."},
        TMergeRow{"AddSkipsAnEarlierTurn",
                  Finished33,
                  {Turns(15, false), Turns(33, false)},
                  false,
                  Finished33,
                  "2 files read, 0 games added, 0 updated, 2 already in the base."},
        TMergeRow{"AddSkipsTheSameGameUnderAnUnpaddedKey",
                  TurnsLine(33, true, "2003,4711") + "\r\n",
                  {Turns(33, true)},
                  false,
                  TurnsLine(33, true, "2003,4711") + "\r\n",
                  "1 file read, 0 games added, 0 updated, 1 already in the base."},
        TMergeRow{"AddSkipsAGameTwiceInOneRun",
                  "",
                  {Turns(15, false), Turns(15, false)},
                  false,
                  Open15,
                  "2 files read, 1 game added, 0 updated, 1 already in the base."},
        TMergeRow{
            "AddOfALaterTurnNamesTheKeyHeldTwice",
            Open15,
            {Turns(33, true)},
            false,
            Open15 + Finished33,
            "1 file read, 1 game added, 0 updated.\nBoard 4711, 2003: key now held twice: delete one."}),
    [](const testing::TestParamInfo<TMergeRow>& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace kalvon::test
