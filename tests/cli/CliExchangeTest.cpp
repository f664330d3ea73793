// kalvon-cli read, add, update and write in a temporary working folder.
#include <gtest/gtest.h>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

std::string Notification(const std::string& board, const std::string& move) {
    return "Notification of Gomoku Board " + board +
           "\r\n\r\nGame won by Alice.\r\n\r\n   Eks          Ohs\r\n"
           "   Alice        Bob\r\n  1 " +
           move + "         2 Resign\r\n\r\n";
}

TEST(CliRead, PrintsEachLineAndNamesEachRefusal) {
    TTempFolder folder;
    WriteFile(folder.File("Gomoku Board 5_03.txt"), Notification("5", "H8"));
    WriteFile(folder.File("letter.txt"), "Dear Bob,\r\n");
    WriteFile(folder.File("bad_04.txt"), Notification("6", "I8"));
    const TCliResult result =
        RunCli(folder.Path(), {"read", "bad_04.txt", "Gomoku Board 5_03.txt", "letter.txt", "gone_05.txt"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, "2003,    5=[Alice,Bob,+,88,?,-]\n\n");
    EXPECT_EQ(result.Err,
              "File bad_04.txt, line 7: not a point of the board: \"I8\"\n"
              "File gone_05.txt: cannot be read: No such file or directory\n");
    EXPECT_EQ(RunCli(folder.Path(), {"read", "letter.txt"}).Status, 0);
    EXPECT_EQ(RunCli(folder.Path(), {"read"}).Status, 2);
}

TEST(CliFolders, MissingFolderThenRefusalThenSuccess) {
    for (const std::string command : {"add", "update"}) {
        TTempFolder folder;
        const std::string base = "2001,    1=[Carol,Dan,+,88,?,-]\r\n2000,    5=[Ann,Zed,-,11,?,-]\r\n";
        WriteFile(folder.File("b.bdt"), base);
        const TCliResult missing = RunCli(folder.Path(), {command, "b.bdt"});
        EXPECT_EQ(missing.Status, 1);
        EXPECT_EQ(missing.Err,
                  Concat({"Place ", command, " games in directory ", command, "! It was made as ",
                          std::filesystem::canonical(folder.Path()).string(), "/", command, ".\n"}));
        EXPECT_TRUE(std::filesystem::is_directory(folder.File(command)));

        WriteFile(folder.File(command + "/a_03.txt"), Notification("7", "A1"));
        WriteFile(folder.File(command + "/b_03.txt"), Notification("8", "A0"));
        WriteFile(folder.File(command + "/c_01.txt"), Notification("1", "B2"));
        const TCliResult refused = RunCli(folder.Path(), {command, "b.bdt"});
        EXPECT_EQ(refused.Status, 1);
        EXPECT_EQ(refused.Err, "File " + command + "/b_03.txt, line 7: not a point of the board: \"A0\"\n");
        EXPECT_EQ(ReadFile(folder.File("b.bdt")), base) << command;

        std::filesystem::remove(folder.File(command + "/b_03.txt"));
        // An entry that is no ordinary file is named in the closing line, not passed over in silence.
        std::filesystem::create_symlink("nowhere", folder.File(command + "/d_03.txt"));
        const TCliResult done = RunCli(folder.Path(), {command, "b.bdt"});
        EXPECT_EQ(done.Status, 0) << done.Err;
        EXPECT_EQ(
            done.Err,
            Concat({command == "add" ? "Add New Games" : "Update Games", " from ",
                    std::filesystem::canonical(folder.Path()).string(), "/", command, ": 2 files read, ",
                    command == "add" ? "2 games added, 0 updated" : "1 game added, 1 updated",
                    ", 1 entry skipped: d_03.txt (a link that leads nowhere).",
                    command == "add" ? "\nBoard 1, 2001: key now held twice: delete one.\n" : "\n"}));
        const std::string added =
            "2000,    5=[Ann,Zed,-,11,?,-]\r\n2001,    1=[Alice,Bob,+,22,?,-]\r\n"
            "2001,    1=[Carol,Dan,+,88,?,-]\r\n2003,    7=[Alice,Bob,+,11,?,-]\r\n";
        const std::string updated =
            "2000,    5=[Ann,Zed,-,11,?,-]\r\n2001,    1=[Alice,Bob,+,22,?,-]\r\n"
            "2003,    7=[Alice,Bob,+,11,?,-]\r\n";
        EXPECT_EQ(ReadFile(folder.File("b.bdt")), command == "add" ? added : updated);
    }
}

// A mail of a notification, dated, its text in quoted-printable windows-1251.
std::string Mail(const std::string& date, const std::string& text) {
    std::string encoded;
    for (const unsigned char c : text) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "=%02X", c);
        encoded += c >= 128 || c == '=' ? std::string(hex) : std::string(1, char(c));
    }
    return "From server@pbm.example Tue Jul  1 10:00:00 2003\nFrom: server@pbm.example\nDate: " + date +
           "\nContent-Type: text/plain; charset=windows-1251\nContent-Transfer-Encoding: "
           "quoted-printable\n\n" +
           encoded + "\n";
}

TEST(CliMail, ReadAddAndUpdateOverAMailbox) {
    TTempFolder folder;
    const std::string cyrillic =
        "Notification of Gomoku Board 6\r\n\r\nGame won by Alice.\r\n\r\n   Eks          Ohs\r\n"
        "   Alice        \xC1\xEE\xF0\xE8\xF1\r\n  1 H8         2 Resign\r\n\r\n";
    WriteFile(folder.File("Inbox"), Mail("Tue, 01 Jul 2003 10:00:00 +0000", Notification("5", "H8")) +
                                        Mail("Wed, 02 Jul 2003 10:00:00 +0000", Notification("5", "A1")) +
                                        Mail("Wed, 02 Jul 2004 10:00:00 +0000", cyrillic));
    const TCliResult read = RunCli(folder.Path(), {"read", "--mail", "Inbox"});
    EXPECT_EQ(read.Status, 0) << read.Err;
    EXPECT_EQ(read.Out,
              "1\t2003,    5=[Alice,Bob,+,88,?,-]\n2\t2003,    5=[Alice,Bob,+,11,?,-]\n"
              "3\t2004,    6=[Alice,Борис,+,88,?,-]\n");

    WriteFile(folder.File("b.bdt"), "2003,    5=[Old,Man,?,88,?,-]\r\n");
    const TCliResult updated = RunCli(folder.Path(), {"update", "b.bdt", "--mail", "Inbox"});
    EXPECT_EQ(updated.Status, 0) << updated.Err;
    EXPECT_EQ(updated.Err,
              "Update Games from " + std::filesystem::canonical(folder.Path()).string() +
                  "/Inbox: 1 file read, 3 messages read, 3 notifications found, 1 game added, 1 updated.\n");
    const std::string five = "2003,    5=[Alice,Bob,+,11,?,-]\r\n";
    const std::string six = "2004,    6=[Alice,\xC1\xEE\xF0\xE8\xF1,+,88,?,-]\r\n";
    EXPECT_EQ(ReadFile(folder.File("b.bdt")), five + six);
    // The mailbox read again adds nothing: its games are in the base.
    const TCliResult added = RunCli(folder.Path(), {"add", "b.bdt", "--mail", "Inbox"});
    EXPECT_EQ(added.Status, 0) << added.Err;
    EXPECT_NE(added.Err.find("0 games added, 0 updated, 2 already in the base."), std::string::npos)
        << added.Err;
    EXPECT_EQ(ReadFile(folder.File("b.bdt")), five + six);

    // A refused message: its number and line, nothing written.
    WriteFile(folder.File("Bad"), Mail("Tue, 01 Jul 2003 10:00:00 +0000", Notification("5", "H8")) +
                                      Mail("Tue, 01 Jul 2003 11:00:00 +0000", Notification("7", "A0")));
    for (const std::string command : {"read", "add", "update"}) {
        const TCliResult refused = command == "read"
                                       ? RunCli(folder.Path(), {"read", "--mail", "Bad"})
                                       : RunCli(folder.Path(), {command, "b.bdt", "--mail", "Bad"});
        EXPECT_EQ(refused.Status, 1) << command;
        EXPECT_EQ(refused.Out, "") << command;
        EXPECT_EQ(refused.Err, "File Bad, message 2, line 7: not a point of the board: \"A0\"\n") << command;
    }
    EXPECT_EQ(ReadFile(folder.File("b.bdt")), five + six);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"read", "--mail"},
                                               {"read", "--mail", "a", "b"},
                                               {"add", "b.bdt", "--mail"},
                                               {"update", "--mail", "Inbox"},
                                               {"update", "b.bdt", "c.bdt"},
                                               {"add", "b.bdt", "--post", "x"}})
        EXPECT_EQ(RunCli(folder.Path(), bad).Status, 2) << bad[0] << " " << bad.back();
}

TEST(CliWrite, WritesTheListingAndReadsBack) {
    TTempFolder folder;
    WriteFile(folder.File("b.bdt"),
              "2003,  123=[Alice,Bob,+,88899A79,J10-K9,-]\r\n"
              "2004,  124=[Carol,Bob,-,88899A7997,k7,-]\r\n2005,  125=[Dan,Eve,=,1122,?,-]\r\n");
    const TCliResult written = RunCli(folder.Path(), {"write", "b.bdt", "H8 H9", "--player", "bob"});
    EXPECT_EQ(written.Status, 0) << written.Err;
    EXPECT_EQ(written.Out, "Outpbm/Renju Board 123_03.txt\nOutpbm/Renju Board 124_04.txt\n");
    const TCliResult read =
        RunCli(folder.Path(), {"read", "Outpbm/Renju Board 123_03.txt", "Outpbm/Renju Board 124_04.txt"});
    EXPECT_EQ(read.Out,
              "2003,  123=[Alice,Bob,F,88899A79,J10-K9,-]\n2004,  124=[Carol,Bob,-,88899A7997,k7,-]\n");
    EXPECT_EQ(RunCli(folder.Path(), {"write", "b.bdt", "A1"}).Out, "") << "nothing listed, nothing written";
    EXPECT_EQ(RunCli(folder.Path(), {"write", "b.bdt"}).Status, 2);
    EXPECT_EQ(RunCli(folder.Path(), {"write", "b.bdt", "-", "--listing"}).Status, 2);
    EXPECT_EQ(RunCli(folder.Path(), {"write", "b.bdt", "-", "--player", "Nobody"}).Status, 1);
}

}  // namespace
}  // namespace kalvon::test
