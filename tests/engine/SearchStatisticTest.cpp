// The statistics of a position on small bases whose answers are worked out by hand: the worked example,
// merges, folds, the order of the table, labels, the colour block, queries and broken move strings.
#include <gtest/gtest.h>

#include "search/PositionSearch.h"
#include "search/PositionSets.h"
#include "tests/engine/SearchTestBase.h"

namespace kalvon {
namespace {

using test::BaseOfGames;
using test::MemoOf;
using test::StatisticOf;
using Lines = std::vector<std::string>;

TEST(SearchStatistic, WorkedExampleOfTwoGames) {
    // A: 88, 89, 9A matches as it stands; B: 88, 87, 79 matches only mirrored top to bottom.
    TGameBase base = BaseOfGames({{"88899AAB", '+'}, {"8887796A", '-'}});
    base.CurrentMoves = "8889";
    TPositionIndex index;
    index.Refresh(base);
    const TIndexMatches matches = FindPosition(index, base.PartyList, MoveValues("8889"));
    ASSERT_EQ(matches.size(), 1u);
    ASSERT_EQ(matches[0].Matches.Ranges.size(), 2u);
    for (const TRangeMatch& range : matches[0].Matches.Ranges) {
        ASSERT_EQ(range.Hi - range.Lo, 1u);
        EXPECT_EQ(range.Symmetry, matches[0].Part->Game(range.Lo) == 0 ? 1 : 4);
    }
    EXPECT_EQ(TransformPoint("79", InverseTransform(4)), "77");

    base.CurrentParty = 1;  // a game open for editing stays the one open
    const TStatistic stat = MakeStatistic(base, {}, index);
    EXPECT_EQ(base.CurrentParty, 1);
    EXPECT_EQ(base.Listing, (TListing{0, 1}));
    // 77 is folded to 97 (J7); 9A (J10) stays.
    EXPECT_EQ(StatisticMemoLines(stat),
              (Lines{"Total: 2", "2 +1-1=0", "(A)J10: 1 +1-0=0", "(B)J7: 1 +0-1=0"}));
    EXPECT_EQ(StatisticAlfMoves(stat), "9A97");
    EXPECT_EQ(StatisticMessageText(stat), "Total: 2 +1-1=0\n\rJ10: 1 +1-0=0\n\rJ7: 1 +0-1=0");
}

TEST(SearchStatistic, SymmetricContinuationsOfTheCentreMerge) {
    // H7 seen first and H9 lead to mirror images of each other; J9 does not.
    TGameBase base = BaseOfGames({{"888799", '+'}, {"8889", '-'}, {"889977", '='}, {"8878", 'F'}});
    EXPECT_EQ(MemoOf(base, "88"),
              (Lines{"Total: 4", "4 +1F1-1f0=1", "(A)H9: 3 +1F1-1f0=0", "(B)J9: 1 +0-0=1"}));
}

TEST(SearchStatistic, EmptyBoardListsEveryGameAndMergesSymmetricFirstMoves) {
    TGameBase base =
        BaseOfGames({{"7788", '+'}, {"88", '-'}, {"", '?'}, {"99", '+'}, {"8A", '='}, {"79", '+'}});
    EXPECT_EQ(MemoOf(base, ""), (Lines{"Total: 6", "6 +3-1=1?1", "End: 1 +0-0=0?1", "(A)G7: 3 +3-0=0",
                                       "(B)H8: 1 +0-1=0", "(C)H10: 1 +0-0=1"}));
    EXPECT_EQ(base.Listing, (TListing{0, 1, 2, 3, 4, 5}));
}

TEST(SearchStatistic, TranspositionsAndMirroredGamesMatch) {
    // The same three stones in another order, turned a quarter, and mirrored.
    TGameBase base = BaseOfGames({{"88899A", '+'}, {"9A8988", '-'}, {"8898A7", '='}, {"887A89", '+'}});
    const TStatistic stat = StatisticOf(base, "88899A");
    EXPECT_EQ(base.Listing, (TListing{0, 1, 2}));
    EXPECT_EQ(StatisticMemoLines(stat), (Lines{"Total: 3", "3 +1-1=1", "End: 3 +1-1=1"}));
}

TEST(SearchStatistic, TableFollowsTheExchangeSort) {
    // Totals 1 (A1), 1 (A2), 2 (A3) after an asymmetric position end as A3, A2, A1.
    TGameBase base = BaseOfGames({{"889A11", '+'}, {"889A12", '+'}, {"889A13", '-'}, {"889A13", '-'}});
    EXPECT_EQ(MemoOf(base, "889A"),
              (Lines{"Total: 4", "4 +2-2=0", "(A)A3: 2 +0-2=0", "(B)A2: 1 +1-0=0", "(C)A1: 1 +1-0=0"}));

    // The end entry is exchanged with the first entry before the sort: a, b, End, c, c -> End, c, a, b.
    TGameBase withEnd =
        BaseOfGames({{"889A11", '+'}, {"889A12", '+'}, {"889A", '='}, {"889A13", '-'}, {"889A13", '-'}});
    EXPECT_EQ(MemoOf(withEnd, "889A"), (Lines{"Total: 5", "5 +2-2=1", "End: 1 +0-0=1", "(A)A3: 2 +0-2=0",
                                              "(B)A1: 1 +1-0=0", "(C)A2: 1 +1-0=0"}));

    TNextMoveTable table = {{"a", {.BlackWin = 1}}, {"b", {.WhiteWin = 1}}, {"c", {.Draw = 2}}};
    SortByFrequency(table);
    EXPECT_EQ(table[0].Move + table[1].Move + table[2].Move, "cba");
}

TEST(SearchStatistic, OpeningMovesAreFolded) {
    auto fold = [](const std::string& position, std::vector<std::string> moves) {
        TNextMoveTable table;
        for (const std::string& move : moves) table.push_back({move, {.Open = 1}});
        FoldOpeningMoves(table, position);
        std::string folded;
        for (const TNextMove& entry : table) folded += entry.Move + " ";
        return folded;
    };
    EXPECT_EQ(fold("88", {"En", "87", "76", "5C", "A3", "C9", "99"}), "En 89 9A BC AD 9C 99 ");
    EXPECT_EQ(fold("8889", {"79", "A7", "8A"}), "99 A7 8A ");
    EXPECT_EQ(fold("8899", {"A9", "9A", "7B"}), "A9 A9 B7 ");
    EXPECT_EQ(fold("888987", {"79", "67"}), "99 A7 ");
    // Other positions stay as they are.
    EXPECT_EQ(fold("888997", {"79"}), "79 ");
    EXPECT_EQ(fold("8898", {"79"}), "79 ");
    EXPECT_EQ(fold("889987", {"79"}), "79 ");
    EXPECT_EQ(fold("8887", {"79"}), "79 ");
}

TEST(SearchStatistic, FoldLeavesFiveMovePositionsAlone) {
    // The same continuation after 88 89 87 (folded) and after five moves (not folded).
    TGameBase three = BaseOfGames({{"88898779", '+'}});
    EXPECT_EQ(MemoOf(three, "888987").back(), "(A)J9: 1 +1-0=0");
    TGameBase five = BaseOfGames({{"8889879A7B79", '+'}});
    EXPECT_EQ(MemoOf(five, "8889879A7B").back(), "(A)G9: 1 +1-0=0");
}

TEST(SearchStatistic, LabelsGoOnPastTheAlphabet) {
    EXPECT_EQ(MoveLabel(1), "A");
    EXPECT_EQ(MoveLabel(26), "Z");
    EXPECT_EQ(MoveLabel(27), "a");
    EXPECT_EQ(MoveLabel(52), "z");
    EXPECT_EQ(MoveLabel(53), "{");
    EXPECT_EQ(MoveLabel(185), "\xFF");
    EXPECT_EQ(MoveLabel(186), "");  // no byte is left for it
    EXPECT_EQ(MoveLabel(0), "");

    // An asymmetric position with a game ending there and 28 different continuations.
    std::vector<test::TGameLine> games = {{"889A", '?'}};
    std::string expectedAlf;
    for (char column : std::string("123456")) {
        for (char row : std::string("12345")) {
            games.push_back({"889A" + std::string{column, row}, '+'});
            expectedAlf += std::string{column, row};
        }
    }
    games.resize(29);
    expectedAlf.resize(56);
    TGameBase base = BaseOfGames(games);
    const TStatistic stat = StatisticOf(base, "889A");
    const Lines memo = StatisticMemoLines(stat);
    ASSERT_EQ(memo.size(), 2u + 1u + 28u);
    EXPECT_EQ(memo[2], "End: 1 +0-0=0?1");
    EXPECT_EQ(memo[3], "(A)A1: 1 +1-0=0");
    EXPECT_EQ(memo[28], "(Z)F1: 1 +1-0=0");
    EXPECT_EQ(memo[29], "(a)F2: 1 +1-0=0");
    EXPECT_EQ(memo[30], "(b)F3: 1 +1-0=0");
    EXPECT_EQ(StatisticAlfMoves(stat), expectedAlf);
}

TQueryCriteria PlayerQuery(const TGameBase& base, const std::string& player, TPlayerColour colour,
                           const std::string& opponent = "") {
    TQueryCriteria q;
    q.QueryOn = q.PlayerOn = true;
    q.PlayerId = base.PlayerCatalogue.IdOf(player);
    q.PlayerColour = int(colour);
    q.OpponentOn = !opponent.empty();
    q.OpponentId = q.OpponentOn ? base.PlayerCatalogue.IdOf(opponent) : 0;
    return q;
}

TEST(SearchStatistic, ColourBlockIsFromThePlayersSide) {
    // NORD won 2 and lost 1 with black, won 1 and drew 1 with white; a game without NORD is left out.
    TGameBase base = BaseOfGames({{"8889", '+', "NORD", "SUED"},
                                  {"8889", '+', "NORD", "OST"},
                                  {"8889", '-', "NORD", "SUED"},
                                  {"8889", '-', "SUED", "NORD"},
                                  {"8889", '=', "OST", "NORD"},
                                  {"8889", '+', "OST", "SUED"}});
    const TStatistic stat = StatisticOf(base, "88", PlayerQuery(base, "nord", TPlayerColour::All));
    EXPECT_EQ(base.Listing, (TListing{0, 1, 2, 3, 4}));
    EXPECT_EQ(StatisticMemoLines(stat), (Lines{"Total: 5", "5 +2-2=1", "black: 3 +2-1=0", "white: 2 +1-0=1",
                                               "Total: 5 +3-1=1", "(A)H9: 5 +2-2=1"}));
    EXPECT_EQ(StatisticMessageText(stat),
              "Total: 5 +2-2=1\r\nblack: 3 +2-1=0\rwhite: 2 +1-0=1\rTotal: 5 +3-1=1\n\rH9: 5 +2-2=1");
}

TEST(SearchStatistic, ColourBlockRowsSwapForfeitsAndShowAnEmptyColour) {
    // NORD only had white: the black row is empty; a forfeit win of white is the player's forfeit win.
    TGameBase base = BaseOfGames({{"8889", 'f', "SUED", "NORD"}, {"8889", '?', "OST", "NORD"}});
    EXPECT_EQ(MemoOf(base, "", PlayerQuery(base, "NORD", TPlayerColour::All)),
              (Lines{"Total: 2", "2 +0F0-0f1=0?1", "black: 0 +0-0=0", "white: 2 +0F1-0f0=0?1",
                     "Total: 2 +0F1-0f0=0?1", "(A)H8: 2 +0F0-0f1=0?1"}));
    // No game matched: no colour block.
    EXPECT_EQ(MemoOf(base, "11", PlayerQuery(base, "NORD", TPlayerColour::All)),
              (Lines{"Total: 0", "0 +0-0=0"}));
    // The same player criterion without QueryOn filters nothing and splits nothing.
    TQueryCriteria off = PlayerQuery(base, "NORD", TPlayerColour::All);
    off.QueryOn = false;
    EXPECT_EQ(MemoOf(base, "", off).size(), 3u);
}

TEST(SearchStatistic, QueryNarrowsTheListing) {
    TGameBase base = BaseOfGames({{"8889", '+', "NORD", "SUED", "2003", "a4711"},
                                  {"8889", '?', "SUED", "NORD", "2003A", "123"},
                                  {"8889", 'x', "NORD", "OST", "2003a", "b77"},
                                  {"8889", '?', "OST", "NORD", "2004", "a7"},
                                  {"889A", '?', "NORD", "SUED", "2003", "a4712"}});
    auto listed = [&](const TQueryCriteria& q, const std::string& position = "") {
        StatisticOf(base, position, q);
        return base.Listing;
    };
    using L = TListing;
    EXPECT_EQ(listed(PlayerQuery(base, "NORD", TPlayerColour::Black, "SUED")), (L{0, 4}));
    EXPECT_EQ(listed(PlayerQuery(base, "NORD", TPlayerColour::White, "SUED")), (L{1}));
    EXPECT_EQ(listed(PlayerQuery(base, "NORD", TPlayerColour::All, "SUED")), (L{0, 1, 4}));
    EXPECT_EQ(listed(PlayerQuery(base, "OST", TPlayerColour::All)), (L{2, 3}));
    EXPECT_EQ(listed(PlayerQuery(base, "NORD", TPlayerColour::All, "SUED"), "8889"), (L{0, 1}));
    TQueryCriteria badColour = PlayerQuery(base, "NORD", TPlayerColour::All);
    badColour.PlayerColour = 3;
    EXPECT_EQ(listed(badColour), L{});

    TQueryCriteria q;
    q.QueryOn = q.NotFinishedOn = true;  // 'x' is counted as open but is not '?'
    EXPECT_EQ(listed(q), (L{1, 3, 4}));
    q.NotFinishedOn = false;
    q.YearOn = true;
    q.QueryYear = "2003a";  // letter case counts
    EXPECT_EQ(listed(q), (L{2}));
    q.YearOn = false;
    q.GroupOn = true;
    q.GroupChar = ' ';  // "None": boards of fewer than five characters
    EXPECT_EQ(listed(q), (L{1, 2, 3}));
    q.GroupChar = 'a';
    EXPECT_EQ(listed(q), (L{0, 4}));
    q.QueryOn = false;  // the whole base, whatever the other fields say
    EXPECT_EQ(listed(q), (L{0, 1, 2, 3, 4}));
}

TEST(SearchStatistic, NothingFoundGivesZeroTotals) {
    TGameBase empty;
    const TStatistic none = StatisticOf(empty, "8889");
    EXPECT_EQ(StatisticMemoLines(none), (Lines{"Total: 0", "0 +0-0=0"}));
    EXPECT_EQ(StatisticMessageText(none), "Total: 0 +0-0=0");
    EXPECT_TRUE(empty.Listing.empty());

    TGameBase base = BaseOfGames({{"8899", '+'}, {"88", '-'}});
    base.Listing = {0, 1};
    EXPECT_EQ(MemoOf(base, "8889"), (Lines{"Total: 0", "0 +0-0=0"}));
    EXPECT_TRUE(base.Listing.empty());
}

TEST(SearchStatistic, EndEntryShowsFirstAndAsQuestionMarkInTheMessage) {
    TGameBase base = BaseOfGames({{"888999", '+'}, {"888999AA", '-'}, {"888999AA", '-'}, {"888999", '?'}});
    const TStatistic stat = StatisticOf(base, "888999");
    EXPECT_EQ(StatisticMemoLines(stat),
              (Lines{"Total: 4", "4 +1-2=0?1", "End: 2 +1-0=0?1", "(A)K10: 2 +0-2=0"}));
    EXPECT_EQ(StatisticMessageText(stat), "Total: 4 +1-2=0?1\n\r?: 2 +1-0=0?1\n\rK10: 2 +0-2=0");
    EXPECT_EQ(StatisticAlfMoves(stat), "AA");
}

TEST(SearchStatistic, BrokenMoveStringsEndBeforeTheirFirstBadCode) {
    TGameBase base =
        BaseOfGames({{"8889x9AA", '+'}, {"888999", '-'}, {"88890A", '='}, {"88899", '?'}, {"8g89", '+'}});
    // Three games end right after 88 89, one goes on; the last ends before its first move.
    EXPECT_EQ(MemoOf(base, "8889"), (Lines{"Total: 4", "4 +1-1=1?1", "End: 3 +1-0=1?1", "(A)J9: 1 +0-1=0"}));
    EXPECT_EQ(MemoOf(base, "888999"), (Lines{"Total: 1", "1 +0-1=0", "End: 1 +0-1=0"}));
    EXPECT_EQ(MemoOf(base, ""), (Lines{"Total: 5", "5 +2-1=1?1", "End: 1 +1-0=0", "(A)H8: 4 +1-1=1?1"}));
    // A position with a stray code is searched up to it.
    const TStatistic stat = StatisticOf(base, "8889zz99");
    EXPECT_EQ(stat.Position, "8889");
    EXPECT_EQ(stat.ListingCount, 4u);
}

}  // namespace
}  // namespace kalvon
