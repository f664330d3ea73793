// "Check Games" over a small base: each kind of finding once, the lines the tool and the report
// window show, the games chosen, the rule of each game, and the options.
#include <gtest/gtest.h>

#include "base/BaseFile.h"
#include "rules/GameCheck.h"
#include "tests/engine/TestBase.h"

namespace kalvon {
namespace {

// Black's H7 (move 9) is a double-three (F7-H7, H7-H9); black's five H8-M8 (move 9) is followed by a
// white move; H8 twice; a code that is no point; a game without a five; a forfeit; black's six on
// row 2 (five or more wins it); black's open three H8-K8 left alone at move 7.
const std::string Base =
    "2001,    1=[NORD,SUED,-,881189136715771787,?,-]\r\n"
    "2001,    2=[NORD,SUED,-,88119813A815B817C819,?,-]\r\n"
    "2001,    3=[NORD,SUED,?,888988,?,-]\r\n"
    "2001,    4=[NORD,SUED,=,88890Z,?,-]\r\n"
    "2001,    5=[NORD,SUED,+,8889,?,-]\r\n"
    "2001,    6=[NORD,SUED,F,8889,?,-]\r\n"
    "2001,    7=[NORD,SUED,+,121F223F325F427F629F52,?,-]\r\n"
    "2001,    8=[NORD,SUED,-,88119813A8151F17,?,-]\r\n";

class GameCheck : public testing::Test {
protected:
    void SetUp() override {
        TLoadReport report;
        LoadBaseText(Games, Base, "b.bdt", Ui, report);
        ASSERT_EQ(Games.PartyList.size(), 8u);
    }
    std::vector<std::string> Lines(const TCheckOptions& options, const TListing& games = {}) {
        const TCheckReport report = CheckGames(Games, games, options);
        std::vector<std::string> lines;
        for (const TGameFinding& finding : report.Findings) lines.push_back(FindingLine(Games, finding));
        return lines;
    }
    TGameBase Games;
    test::TRecordingUi Ui;
};

TEST_F(GameCheck, ReportsEachFindingWithItsGameAndMove) {
    EXPECT_EQ(Lines({}),
              (std::vector<std::string>{
                  "1\t2001,    1\tmove 9\tforbidden 3x3 H7, ended the game",
                  "2\t2001,    2\tmove 9\tresult contradicted: black has a winning row, recorded 0:1",
                  "2\t2001,    2\tmove 10\tafter win: 1 move after the winning row of move 9",
                  "3\t2001,    3\tmove 3\tpoint twice: H8 taken at move 1",
                  "4\t2001,    4\tmove 3\tnot a point: \"0Z\"",
              }));
    // Won without five comes after the rest (game 2's winner has no row, whatever the loser has); the
    // forfeit is left out, and so is game 7, won by six in a row under five or more.
    TCheckOptions options;
    options.WonWithoutFive = true;
    options.MissedVcfLength = 16;
    EXPECT_EQ(Lines(options),
              (std::vector<std::string>{
                  "1\t2001,    1\tmove 9\tforbidden 3x3 H7, ended the game",
                  "2\t2001,    2\tmove 9\tresult contradicted: black has a winning row, recorded 0:1",
                  "2\t2001,    2\tmove 10\tafter win: 1 move after the winning row of move 9",
                  "3\t2001,    3\tmove 3\tpoint twice: H8 taken at move 1",
                  "4\t2001,    4\tmove 3\tnot a point: \"0Z\"",
                  "8\t2001,    8\tmove 7\tmissed VCF for black in 2: G8 F8 L8",
                  "1\t2001,    1\tmove 9\twon without five: recorded 0:1",
                  "2\t2001,    2\tmove 10\twon without five: recorded 0:1",
                  "5\t2001,    5\tmove 2\twon without five: recorded 1:0",
                  "8\t2001,    8\tmove 8\twon without five: recorded 0:1",
              }));
}

TEST_F(GameCheck, RulesOfTheGamesAndTheSelection) {
    // Game 7 does not start at the centre: under renju black's six is an overline, under exactly
    // five no win at all.
    TCheckOptions renju;
    renju.Rule = TRule::Renju;
    EXPECT_EQ(Lines(renju, {6}), (std::vector<std::string>{"7\t2001,    7\tmove 11\tforbidden overline E2"}));
    TCheckOptions standard;
    standard.GomokuRule = TRule::Standard;
    standard.WonWithoutFive = true;
    EXPECT_EQ(Lines(standard, {6, 4}),
              (std::vector<std::string>{"7\t2001,    7\tmove 11\twon without five: recorded 1:0",
                                        "5\t2001,    5\tmove 2\twon without five: recorded 1:0"}));
    EXPECT_EQ(GameRule("8889", TRule::Standard), TRule::Renju);
    EXPECT_EQ(GameRule("7788", TRule::Renju), TRule::Freestyle);

    // The report names the games with findings once each, in the order checked; positions outside
    // the base are passed over.
    const TCheckReport report = CheckGames(Games, {3, 99, 1, 0, -1}, {});
    EXPECT_EQ(report.GamesWithFindings, (TListing{3, 1, 0}));
    EXPECT_EQ(report.GamesToCheck, 5u);
    EXPECT_EQ(CheckSummaryText(report), "Checked 5 games: 4 findings in 3 games");
}

TEST_F(GameCheck, ProgressAndCancel) {
    TCheckOptions options;
    options.MissedVcfLength = 4;  // progress after every game
    std::vector<size_t> steps;
    const TCheckReport report = CheckGames(Games, {}, options, [&](size_t checked, size_t total) {
        EXPECT_EQ(total, 8u);
        steps.push_back(checked);
        return checked < 3;
    });
    EXPECT_EQ(steps, (std::vector<size_t>{1, 2, 3}));
    EXPECT_TRUE(report.Cancelled);
    EXPECT_EQ(report.GamesChecked, 3u);
    EXPECT_EQ(report.GamesWithFindings, (TListing{0, 1, 2}));
    EXPECT_EQ(CheckSummaryText(report), "Checked 3 games: 4 findings in 3 games (cancelled)");
}

}  // namespace
}  // namespace kalvon
