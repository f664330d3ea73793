// kalvon-cli import, export-sgf and recode: their exit statuses and what they leave behind.
#include <gtest/gtest.h>

#include <optional>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

const std::string OwnBase = "2001,    5=[Ann,Zed,-,1122,?,-]\r\n2003,   S7=[Own,Game,+,88,?,-]\r\n";

std::string Sgf(const std::string& gn, const std::string& black) {
    return Concat(
        {"(;GM[4]FF[4]CA[UTF-8]SZ[15]PB[", black, "]PW[Bob]DT[2003]RE[B+]GN[", gn, "];B[hh];W[hi])\n"});
}

struct TCliCase {
    std::vector<std::string> Args;
    int Status;
    std::string Out;                    // standard output, exactly
    std::string ErrPart{};              // a part of standard error ("" for no check)
    std::optional<std::string> Base{};  // b.bdt after; nullopt: as before
};

// Each case in a folder of its own: b.bdt, a.sgf (the user's key s7 again, and s8), names.sgf (a name
// windows-1251 has no letter for), in/ with two files.
void RunCases(const std::vector<TCliCase>& cases) {
    for (const TCliCase& c : cases) {
        std::string shown;
        for (const std::string& arg : c.Args) shown += arg + " ";
        SCOPED_TRACE(shown);
        TTempFolder folder;
        WriteFile(folder.File("b.bdt"), OwnBase);
        WriteFile(folder.File("a.sgf"), Sgf("7", "Ann") + Sgf("8", "Carol"));
        WriteFile(folder.File("names.sgf"), Sgf("9", "T\xc3\xb5nis"));
        std::filesystem::create_directory(folder.File("in"));
        WriteFile(folder.File("in/x.SGF"), Sgf("10", "Dan"));
        WriteFile(folder.File("in/y.psq"), "Piskvorky 15x15, 11:11, 0\n8,8,100\nAlpha\nBeta\n-1\n");
        WriteFile(folder.File("in/z.txt"), "not a game");
        const TCliResult result = RunCli(folder.Path(), c.Args);
        EXPECT_EQ(result.Status, c.Status) << result.Err;
        EXPECT_EQ(result.Out, c.Out);
        EXPECT_NE(result.Err.find(c.ErrPart), std::string::npos) << result.Err;
        EXPECT_EQ(ReadFile(folder.File("b.bdt")), c.Base.value_or(OwnBase));
    }
}

TEST(CliImport, ExitStatuses) {
    const std::string names =
        "1 name cannot be written in windows-1251: \"T\xc3\xb5nis\". Nothing was imported. "
        "Pass --transliterate";
    RunCases({
        {{"import"}, 2, "", "usage: kalvon-cli import"},
        {{"import", "b.bdt"}, 2, "", "usage: kalvon-cli import"},
        {{"import", "b.bdt", "a.sgf", "--year"}, 2, "", "usage"},
        {{"import", "b.bdt", "a.sgf", "--year", "20x"}, 2, "", "--year needs a year"},
        {{"import", "b.bdt", "a.sgf", "--fast"}, 2, "", "unknown option \"--fast\""},
        {{"import", "b.bdt", "gone.sgf"}, 1, "", "gone.sgf"},
        {{"import", "b.bdt", "a.sgf", "names.sgf"}, 1, "", names},
        {{"import", "b.bdt", "a.sgf", "names.sgf", "--transliterate"},
         0,
         "Import Games: 2 files read, 2 games added, 0 replaced, 0 unchanged, 1 skipped (1 because its key "
         "belongs to a game of the base): File a.sgf, game 1 (GN \"7\"): the key \"2003, s7\" belongs to a "
         "game of the base, 1 name transliterated, 0 games imported without a result.\n",
         "T\xc3\xb5nis -> Tonis",
         OwnBase + "2003,   s8=[Carol,Bob,+,8887,?,-]\r\n2003,   s9=[Tonis,Bob,+,8887,?,-]\r\n"},
        {{"import", "b.bdt", "--year", "1999", "in"},
         0,
         "Import Games: 2 files read, 2 games added, 0 replaced, 0 unchanged, 0 skipped, 0 names "
         "transliterated, 1 game imported without a result.\n",
         "",
         "1999,   gy=[Alpha,Beta,?,88,?,-]\r\n" + OwnBase + "2003,  s10=[Dan,Bob,+,8887,?,-]\r\n"},
    });
}

TEST(CliExportSgf, ExitStatusesAndTheGamesReadBack) {
    RunCases({
        {{"export-sgf", "b.bdt", "H8"}, 2, "", "usage: kalvon-cli export-sgf"},
        {{"export-sgf", "b.bdt", "Z99", "o.sgf"}, 2, "", "Z99"},
        {{"export-sgf", "gone.bdt", "H8", "o.sgf"}, 1, "", "gone.bdt"},
        {{"export-sgf", "b.bdt", "-", "no/such/o.sgf"}, 1, "", "no/such/o.sgf"},
        {{"export-sgf", "b.bdt", "H8", "--player", "Own", "o.sgf"}, 0, "1 game written to o.sgf\n"},
        {{"export-sgf", "b.bdt", "-", "out/"}, 0, "out/5.sgf\nout/S7.sgf\n"},
    });
    // What export-sgf writes, import reads back as the same games under the prefix s.
    TTempFolder folder;
    WriteFile(folder.File("b.bdt"), OwnBase);
    ASSERT_EQ(RunCli(folder.Path(), {"export-sgf", "b.bdt", "-", "all.sgf"}).Status, 0);
    const TCliResult imported = RunCli(folder.Path(), {"import", "new.bdt", "all.sgf"});
    EXPECT_EQ(imported.Status, 0) << imported.Err;
    EXPECT_EQ(ReadFile(folder.File("new.bdt")),
              "2001,   s5=[Ann,Zed,-,1122,?,-]\r\n2003,  sS7=[Own,Game,+,88,?,-]\r\n");
}

TEST(CliRecode, ExitStatuses) {
    RunCases({
        {{"recode", "b.bdt", "o.bdt"}, 2, "", "usage: kalvon-cli recode"},
        {{"recode", "b.bdt", "o.bdt", "--to"}, 2, "", "usage: kalvon-cli recode"},
        {{"recode", "b.bdt", "b.bdt", "--to", "UTF-8"}, 1, "", "cannot be recoded into itself"},
        {{"recode", "b.bdt", "o.bdt", "--to", "no-such-page"}, 1, "", "no-such-page"},
        {{"recode", "gone.bdt", "o.bdt", "--to", "UTF-8"}, 1, "", "gone.bdt"},
        {{"recode", "--to", "UTF-8", "b.bdt", "o.bdt"}, 0, ""},
    });
}

}  // namespace
}  // namespace kalvon::test
