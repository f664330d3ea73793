// kalvon-cli stat and shift on small bases in a temporary folder.
#include <gtest/gtest.h>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// "\xcf\xe5\xf2\xf0" is a name in the code page of the bases (windows-1251).
const std::string Base =
    "2003, 4711=[NORD,SUED,+,88899AAB,?,-]\r\n"
    "2003, 4712=[SUED,\xcf\xe5\xf2\xf0,-,8887796A,?,-]\r\n"
    "2004,  815=[\xcf\xe5\xf2\xf0,NORD,?,8889,?,-]\r\n"
    "2004,b4713=[NORD,SUED,=,7788,?,-]\r\n";

class CliStat : public testing::Test {
protected:
    void SetUp() override { WriteFile(Folder.File("b.bdt"), Base); }
    TCliResult Run(std::vector<std::string> args) { return RunCli(Folder.Path(), args); }
    TTempFolder Folder;
};

TEST_F(CliStat, PrintsTheMemoLinesAndTheListing) {
    // The end entry changes places with the first entry (J10), so J7 comes first.
    const TCliResult codes = Run({"stat", "b.bdt", "8889", "--listing"});
    EXPECT_EQ(codes.Status, 0) << codes.Err;
    EXPECT_EQ(codes.Out,
              "Total: 3\n3 +1-1=0?1\nEnd: 1 +0-0=0?1\n(A)J7: 1 +0-1=0\n(B)J10: 1 +1-0=0\n"
              "1.NORD - SUED(2003, 4711)\n2.SUED - \xd0\x9f\xd0\xb5\xd1\x82\xd1\x80(2003, 4712)\n"
              "3.\xd0\x9f\xd0\xb5\xd1\x82\xd1\x80 - NORD(2004,  815)\n");
    EXPECT_EQ(Run({"stat", "b.bdt", "h8 H9"}).Out, Run({"stat", "b.bdt", "H8,H9"}).Out);
    EXPECT_EQ(Run({"stat", "b.bdt", "-"}).Out, "Total: 4\n4 +1-1=1?1\n(A)H8: 3 +1-1=0?1\n(B)G7: 1 +0-0=1\n");
}

TEST_F(CliStat, QueriesNarrowTheGames) {
    // The player is named in the terminal's encoding and found without regard to letter case.
    const TCliResult player = Run({"stat", "b.bdt", "-", "--player", "\xd0\xbf\xd0\xb5\xd1\x82\xd1\x80",
                                   "--colour", "white", "--opponent", "sued", "--listing"});
    EXPECT_EQ(player.Status, 0) << player.Err;
    EXPECT_EQ(player.Out,
              "Total: 1\n1 +0-1=0\nblack: 0 +0-0=0\nwhite: 1 +1-0=0\nTotal: 1 +1-0=0\n(A)H8: 1 +0-1=0\n"
              "2.SUED - \xd0\x9f\xd0\xb5\xd1\x82\xd1\x80(2003, 4712)\n");
    EXPECT_EQ(Run({"stat", "b.bdt", "-", "--not-finished"}).Out, "Total: 1\n1 +0-0=0?1\n(A)H8: 1 +0-0=0?1\n");
    EXPECT_EQ(
        Run({"stat", "b.bdt", "-", "--year", "2004", "--group", "None", "--listing"}).Out,
        "Total: 1\n1 +0-0=0?1\n(A)H8: 1 +0-0=0?1\n3.\xd0\x9f\xd0\xb5\xd1\x82\xd1\x80 - NORD(2004,  815)\n");
    EXPECT_EQ(Run({"stat", "b.bdt", "-", "--group", "b"}).Out, "Total: 1\n1 +0-0=1\n(A)G7: 1 +0-0=1\n");
}

TEST_F(CliStat, UnknownNamesAreToldByTheToolsOwnOptions) {
    const TCliResult player = Run({"stat", "b.bdt", "-", "--player", "WEST"});
    EXPECT_EQ(player.Status, 1);
    EXPECT_EQ(player.Err, "kalvon-cli: no player \"WEST\" in b.bdt (--player)\n");
    EXPECT_EQ(player.Out, "");
    const TCliResult opponent = Run({"stat", "b.bdt", "-", "--player", "NORD", "--opponent", "Пётр"});
    EXPECT_EQ(opponent.Status, 1);
    EXPECT_EQ(opponent.Err, "kalvon-cli: no player \"Пётр\" in b.bdt (--opponent)\n");
    const TCliResult group = Run({"stat", "b.bdt", "-", "--group", "z"});
    EXPECT_EQ(group.Status, 1);
    EXPECT_EQ(group.Err, "kalvon-cli: no game of the group \"z\" in b.bdt (--group)\n");
    const TCliResult written = Run({"write", "b.bdt", "-", "--player", "WEST"});
    EXPECT_EQ(written.Status, 1);
    EXPECT_EQ(written.Err, "kalvon-cli: no player \"WEST\" in b.bdt (--player)\n");
}

// Control characters of every kind in a name are shown, never sent to the terminal: the C1 controls
// U+0080..U+009F (0x9B is CSI in ISO-8859-1) as well as ESC.
TEST_F(CliStat, ControlCharactersOfNamesAreShown) {
    const struct {
        const char* CodePage;
        std::string Name, Shown;
    } cases[] = {
        {"ISO-8859-1",
         "A\x9b"
         "2JB",
         "A\\u009b2JB"},
        {"ISO-8859-1",
         "A\x85"
         "B\x9f",
         "A\\u0085B\\u009f"},
        {"UTF-8",
         "A\xc2\x9b"
         "2J",
         "A\\u009b2J"},
        {"windows-1251", "A\x1b[2J\x7f", "A\\x1b[2J\\x7f"},
        {"windows-1251", "\xc0\xe0", "\xd0\x90\xd0\xb0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Shown);
        std::filesystem::create_directories(Folder.File("ini"));
        WriteFile(Folder.File("ini/Tools.ini"), Concat({"[Parameters]\r\nCode Page=", c.CodePage, "\r\n"}));
        WriteFile(Folder.File("c.bdt"), Concat({"2003,1=[", c.Name, ",Bob,+,88,?,-]\r\n"}));
        const TCliResult listed = Run({"stat", "c.bdt", "-", "--listing"});
        EXPECT_EQ(listed.Status, 0) << listed.Err;
        EXPECT_NE(listed.Out.find(Concat({"1.", c.Shown, " - Bob(2003,    1)\n"})), std::string::npos)
            << listed.Out;
        for (size_t i = 0; i + 1 < listed.Out.size(); ++i) {
            const auto byte = static_cast<unsigned char>(listed.Out[i]);
            const auto next = static_cast<unsigned char>(listed.Out[i + 1]);
            EXPECT_FALSE(byte == 0xC2 && next >= 0x80 && next < 0xA0) << "a C1 control at " << i;
            EXPECT_FALSE(byte == 0x1B) << "ESC at " << i;
        }
    }
}

TEST_F(CliStat, BadArgumentsAndMissingFiles) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"stat", "b.bdt"},
                                                 {"stat", "b.bdt", "H8 I9"},
                                                 {"stat", "b.bdt", "H8 H9 H8"},
                                                 {"stat", "b.bdt", "889"},
                                                 {"stat", "b.bdt", "88", "--colour", "black"},
                                                 {"stat", "b.bdt", "88", "--player"},
                                                 {"stat", "b.bdt", "88", "--frobnicate"},
                                                 {"shift", "b.bdt", "88"},
                                                 {"shift", "b.bdt", "88", "3"},
                                                 {"shift", "b.bdt", "88", "1", "--all"}}) {
        const TCliResult bad = Run(args);
        EXPECT_EQ(bad.Status, 2) << args[2];
        EXPECT_EQ(bad.Err.rfind("kalvon-cli: ", 0), 0u) << bad.Err;
        EXPECT_EQ(std::count(bad.Err.begin(), bad.Err.end(), '\n'), 1) << bad.Err;
        EXPECT_EQ(bad.Out, "");
    }
    const TCliResult missing = Run({"stat", "none.bdt", "88"});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err, "File none.bdt not Found!\n");
}

TEST_F(CliStat, ShiftPrintsItsTotalAndRepeatsGamesInTheListing) {
    WriteFile(Folder.File("s.bdt"), "2003,1=[A,B,+,8887A8A7,?,-]\r\n2003,2=[B,A,-,8887A8A6,?,-]\r\n");
    const TCliResult one = Run({"shift", "s.bdt", "G8 G7 J8 J7", "1", "--listing"});
    EXPECT_EQ(one.Status, 0) << one.Err;
    EXPECT_EQ(one.Out, "Total: 2 +2-0=0\n1.A - B(2003,    1)\n1.A - B(2003,    1)\n");
    EXPECT_EQ(Run({"shift", "s.bdt", "-", "2"}).Out, "Total: 0 +0-0=0\n");
}

}  // namespace
}  // namespace kalvon::test
