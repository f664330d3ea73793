// kalvon-cli forbidden, vcf and check: their output forms, standard input, exit statuses.
#include <gtest/gtest.h>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// Black's overline F12 (row 12), double-four E3 (row 3) and double-three H7; white far off.
const std::string ThreeKinds =
    "C12 A1 D12 C1 E12 E1 G12 G1 H12 J1 B3 L1 D3 N1 F3 A15 H3 C15 H8 E15 H9 G15 F7 J15 G7";
// Black to move has the open three H8-K8.
const std::string OpenThree = "H8 A1 J8 A3 K8 A5";

// A forbidden move that ended the game, a five followed by a move, a point twice, a game without a
// five, black's open three left alone at move 7.
const std::string Base =
    "2001,    1=[NORD,SUED,-,881189136715771787,?,-]\r\n"
    "2001,    2=[NORD,SUED,-,88119813A815B817C819,?,-]\r\n"
    "2002,  123=[NORD,SUED,?,888988,?,-]\r\n"
    "2002, 4711=[SUED,NORD,+,8889,?,-]\r\n"
    "2003,    8=[NORD,SUED,-,88119813A8151F17,?,-]\r\n";

class CliRules : public testing::Test {
protected:
    void SetUp() override { WriteFile(Folder.File("b.bdt"), Base); }
    TCliResult Run(std::vector<std::string> args, const std::optional<std::string>& input = std::nullopt) {
        return RunCli(Folder.Path(), args, input);
    }
    TTempFolder Folder;
};

TEST_F(CliRules, ForbiddenPointsInTheOrderOfTheirCodes) {
    const TCliResult renju = Run({"forbidden", ThreeKinds});
    EXPECT_EQ(renju.Status, 0) << renju.Err;
    EXPECT_EQ(renju.Out, "E3:4x4 F12:overline H7:3x3\n");
    EXPECT_EQ(Run({"forbidden", ThreeKinds, "--rule", "freestyle"}).Out, "\n");
    EXPECT_EQ(Run({"forbidden", "--rule", "standard", ThreeKinds}).Out, "\n");
    // One line per line of input, an empty line the empty board; CR LF lines too.
    const TCliResult lines =
        Run({"forbidden", "-"}, ThreeKinds + "\r\n\n" + OpenThree + "\n" + ThreeKinds + "\n");
    EXPECT_EQ(lines.Status, 0) << lines.Err;
    EXPECT_EQ(lines.Out, "E3:4x4 F12:overline H7:3x3\n\n\nE3:4x4 F12:overline H7:3x3\n");
    // A line that is no position stops the answers.
    const TCliResult bad = Run({"forbidden", "-"}, OpenThree + "\nH8 Z9\n" + OpenThree + "\n");
    EXPECT_EQ(bad.Status, 2);
    EXPECT_EQ(bad.Out, "\n");
    EXPECT_EQ(bad.Err, "kalvon-cli: standard input, line 2: not a point of the board: \"Z9\"\n");
}

TEST_F(CliRules, VcfSequencesAndTheirAbsence) {
    EXPECT_EQ(Run({"vcf", OpenThree}).Out, "G8 F8 L8\n");
    EXPECT_EQ(Run({"vcf", OpenThree, "--threat"}).Out, "none within 16\n");
    EXPECT_EQ(Run({"vcf", OpenThree, "--length", "1"}).Out, "none within 1\n");
    // White to move: black's open three is white's threat to answer.
    EXPECT_EQ(Run({"vcf", "H8 A1 J8 A3 K8", "--threat", "--rule", "standard"}).Out, "G8 F8 L8\n");
    const TCliResult stopped = Run({"vcf", OpenThree, "--nodes", "1"});
    EXPECT_EQ(stopped.Status, 0);
    EXPECT_EQ(stopped.Out, "unknown (node limit)\n");
    const TCliResult lines = Run({"vcf", "-", "--length", "3"}, OpenThree + "\n\n88\n");
    EXPECT_EQ(lines.Status, 0) << lines.Err;
    EXPECT_EQ(lines.Out, "G8 F8 L8\nnone within 3\nnone within 3\n");
}

TEST_F(CliRules, CheckListsTheFindingsOfTheSelectedGames) {
    const TCliResult all = Run({"check", "b.bdt"});
    EXPECT_EQ(all.Status, 0) << all.Err;
    EXPECT_EQ(all.Out,
              "1\t2001,    1\tmove 9\tforbidden 3x3 H7, ended the game\n"
              "2\t2001,    2\tmove 9\tresult contradicted: black has a winning row, recorded 0:1\n"
              "2\t2001,    2\tmove 10\tafter win: 1 move after the winning row of move 9\n"
              "3\t2002,  123\tmove 3\tpoint twice: H8 taken at move 1\n");
    EXPECT_EQ(all.Err, "Checked 5 games: 4 findings in 3 games\n");
    // The games of a position and a query; the options add their findings.
    EXPECT_EQ(Run({"check", "b.bdt", "H8 A1 J8", "--missed-vcf", "4"}).Out,
              "1\t2001,    1\tmove 9\tforbidden 3x3 H7, ended the game\n"
              "2\t2001,    2\tmove 9\tresult contradicted: black has a winning row, recorded 0:1\n"
              "2\t2001,    2\tmove 10\tafter win: 1 move after the winning row of move 9\n"
              "5\t2003,    8\tmove 7\tmissed VCF for black in 2: G8 F8 L8\n");
    EXPECT_EQ(Run({"check", "b.bdt", "--player", "sued", "--colour", "black", "--won-without-five"}).Out,
              "4\t2002, 4711\tmove 2\twon without five: recorded 1:0\n");
    EXPECT_EQ(Run({"check", "b.bdt", "--year", "2003", "--rule", "freestyle"}).Out, "");
    const TCliResult none = Run({"check", "b.bdt", "A1"});
    EXPECT_EQ(none.Out, "");
    EXPECT_EQ(none.Err, "Checked 0 games: 0 findings in 0 games\n");
    EXPECT_EQ(Run({"check", "nothing.bdt"}).Status, 1);
}

TEST_F(CliRules, BadArgumentsExitWithStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"forbidden"},
        {"forbidden", "H8", "J9"},
        {"forbidden", "H8", "--rule"},
        {"forbidden", "H8", "--rule", "chess"},
        {"forbidden", "H8 H8"},
        {"vcf"},
        {"vcf", "H8", "--length", "0"},
        {"vcf", "H8", "--length", "x"},
        {"vcf", "H8", "--nodes"},
        {"vcf", "H8", "--depth", "3"},
        {"check"},
        {"check", "b.bdt", "Q8"},
        {"check", "b.bdt", "--missed-vcf", "0"},
        {"check", "b.bdt", "--missed-vcf"},
        {"check", "b.bdt", "--listing"},
        {"check", "b.bdt", "--colour", "black"},
        {"check", "--rule", "renju"},
    };
    for (const std::vector<std::string>& args : cases) {
        const TCliResult bad = Run(args);
        EXPECT_EQ(bad.Status, 2) << args.back();
        EXPECT_EQ(bad.Out, "") << args.back();
        EXPECT_EQ(bad.Err.rfind("kalvon-cli: ", 0), 0u) << bad.Err;
        EXPECT_EQ(std::count(bad.Err.begin(), bad.Err.end(), '\n'), 1) << bad.Err;
    }
}

}  // namespace
}  // namespace kalvon::test
