// The statistics of the position moved one or two points across the board.
#include <gtest/gtest.h>

#include <set>

#include "search/ShiftStatistic.h"
#include "tests/engine/LiteralSearch.h"
#include "tests/engine/SearchTestBase.h"

namespace kalvon {
namespace {

TEST(SearchShift, VectorsAreTheOffsetsAtExactlyThatDistance) {
    for (int s : {1, 2}) {
        std::set<std::pair<int, int>> offsets;
        for (int type = 1; type <= 8 * s; ++type) {
            const auto [dc, dr] = ShiftVector(type, s);
            EXPECT_EQ(std::max(std::abs(dc), std::abs(dr)), s) << type;
            offsets.insert({dc, dr});
        }
        EXPECT_EQ(offsets.size(), size_t(8 * s));
    }
    EXPECT_EQ(ShiftVector(1, 2), std::make_pair(-2, -2));
    EXPECT_EQ(ShiftVector(9, 2), std::make_pair(-2, -1));
    EXPECT_EQ(ShiftVector(13, 2), std::make_pair(1, -2));
    EXPECT_EQ(ShiftVector(16, 2), std::make_pair(2, 1));
}

TEST(SearchShift, CentreMustHoldBlackOfACompletePair) {
    EXPECT_FALSE(HasCentreBlack(""));
    EXPECT_FALSE(HasCentreBlack("88"));
    EXPECT_TRUE(HasCentreBlack("8889"));
    EXPECT_FALSE(HasCentreBlack("8988"));    // white on the centre
    EXPECT_FALSE(HasCentreBlack("898A88"));  // the last black move of an odd position is not examined
    EXPECT_TRUE(HasCentreBlack("898A8877"));
}

TEST(SearchShift, ShiftedPositionsThatDoNotQualifyAreEmpty) {
    EXPECT_EQ(ShiftPosition("8889", 4, 1), "");  // 87 88: white on the centre
    EXPECT_EQ(ShiftPosition("8889", 5, 1), "");  // 89 8A: black left the centre
    EXPECT_EQ(ShiftPosition("78779897", 7, 1), "8887A8A7");
    EXPECT_EQ(ShiftPosition("78189897", 2, 1), "");  // A8 would leave the board
    EXPECT_EQ(ShiftPosition("AAAB68", 7, 2), "");    // only move 3 lands black on the centre
    EXPECT_EQ(ShiftPosition("AAAB6899", 7, 2), "CACB88B9");
}

TEST(SearchShift, SmallPositionsFindNothing) {
    TGameBase base = test::BaseOfGames({{"8889", '+'}, {"7788", '-'}});
    TPositionIndex index;
    for (const std::string position : {"", "77", "8889"}) {
        base.CurrentMoves = position;
        base.Listing = {0};
        for (int s : {1, 2}) {
            EXPECT_EQ(ShiftTotalText(ShiftStatistic(base, s, index)), "Total: 0 +0-0=0");
            EXPECT_TRUE(base.Listing.empty());
        }
    }
}

TEST(SearchShift, GameMatchedByTwoShiftsIsListedAndCountedTwice) {
    // Shifted left and right, 78 77 98 97 becomes two mirror images that the first game reached.
    TGameBase base = test::BaseOfGames({{"8887A8A7", '+'}, {"8887A8A6", '-'}, {"68678887CC", '='}});
    base.CurrentMoves = "78779897";
    TPositionIndex index;
    const TResultCount count = ShiftStatistic(base, 1, index);
    EXPECT_EQ(base.Listing, (TListing{0, 2, 0, 2}));
    EXPECT_EQ(ShiftTotalText(count), "Total: 4 +2-0=2");
    const literal::TShiftResult model = literal::ShiftStatistic(base, "78779897", 1);
    EXPECT_EQ(model.Listing, base.Listing);
    EXPECT_EQ(model.Count.ToResultCount(), count);
}

TEST(SearchShift, TwoShiftFindsPositionsTwoPointsAway) {
    TGameBase base = test::BaseOfGames({{"88998A", '+'}, {"8877", '-'}, {"CACB88", '?'}});
    TPositionIndex index;
    // Moved two points right, the only black stone on the centre is move 3: the last game does not count.
    base.CurrentMoves = "AAAB68";
    EXPECT_EQ(ShiftTotalText(ShiftStatistic(base, 1, index)), "Total: 0 +0-0=0");
    EXPECT_EQ(ShiftTotalText(ShiftStatistic(base, 2, index)), "Total: 0 +0-0=0");
    // Moved two points right, move 1 lands on the centre and the first game has the formation there.
    base.CurrentMoves = "68796A";
    EXPECT_EQ(ShiftTotalText(ShiftStatistic(base, 1, index)), "Total: 0 +0-0=0");
    const TResultCount two = ShiftStatistic(base, 2, index);
    EXPECT_EQ(base.Listing, (TListing{0}));
    EXPECT_EQ(ShiftTotalText(two), "Total: 1 +1-0=0");
}

}  // namespace
}  // namespace kalvon
