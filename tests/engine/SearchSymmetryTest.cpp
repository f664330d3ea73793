// The vocabulary of the search: the eight symmetries, move strings with broken codes, result counts and
// their text, the merge of symmetric continuations, and the range queries of the index.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/Symmetry.h"
#include "search/NextMoveTable.h"
#include "search/PositionIndex.h"
#include "search/ResultCount.h"
#include "tests/engine/SearchTestBase.h"

namespace kalvon {
namespace {

struct TImage {
    int Symmetry;
    const char* Image;
};

class SearchSymmetry : public testing::TestWithParam<TImage> {};

// J10 (9, 10) under each symmetry.
INSTANTIATE_TEST_SUITE_P(ImagesOfJ10, SearchSymmetry,
                         testing::Values(TImage{1, "9A"}, TImage{2, "A9"}, TImage{3, "7A"}, TImage{4, "96"},
                                         TImage{5, "76"}, TImage{6, "69"}, TImage{7, "A7"}, TImage{8, "67"}));

TEST_P(SearchSymmetry, MapsAPointAndBack) {
    const TImage image = GetParam();
    EXPECT_EQ(TransformPoint("9A", image.Symmetry), image.Image);
    EXPECT_EQ(TransformPoint(image.Image, InverseTransform(image.Symmetry)), "9A");
    EXPECT_EQ(PointCodeOfValue(TransformValue(PointValue("9A"), image.Symmetry)), image.Image);
}

TEST(SearchSymmetryRules, QuarterTurnsAreOppositeAndEveryPointReturns) {
    // The point east of the centre goes north under the counter-clockwise turn, south under the other.
    EXPECT_EQ(TransformPoint("98", 6), "89");
    EXPECT_EQ(TransformPoint("98", 7), "87");
    EXPECT_EQ(InverseTransform(6), 7);
    EXPECT_EQ(InverseTransform(7), 6);
    for (int t : {1, 2, 3, 4, 5, 8}) EXPECT_EQ(InverseTransform(t), t);
    for (int value = 1; value <= 225; ++value) {
        const std::string code = PointCodeOfValue(uint8_t(value));
        ASSERT_EQ(PointValue(code), value);
        std::vector<std::string> images;
        for (int t = 1; t <= 8; ++t) {
            images.push_back(TransformPoint(code, t));
            EXPECT_EQ(TransformPoint(images.back(), InverseTransform(t)), code);
        }
        EXPECT_EQ(TransformPoint(code, 1), code);
        // Only the centre is its own image under all eight.
        std::sort(images.begin(), images.end());
        EXPECT_EQ(std::unique(images.begin(), images.end()) == images.begin() + 1, code == "88");
    }
    EXPECT_EQ(TransformPoint("En", 5), "En");
    EXPECT_EQ(TransformPoint("0A", 2), "0A");
}

TEST(SearchSymmetryRules, MoveStringsEndAtTheirFirstBadCode) {
    EXPECT_EQ(ValidMoveCount(""), 0u);
    EXPECT_EQ(ValidMoveCount("889A"), 2u);
    EXPECT_EQ(ValidMoveCount("888"), 1u);
    EXPECT_EQ(ValidMoveCount("88x9AA"), 1u);
    EXPECT_EQ(ValidMoveCount("880A"), 1u);
    EXPECT_EQ(ValidMoveCount("8g"), 0u);
    EXPECT_EQ(ValidMoveCount("8889fa"), 2u);  // lower case is no PointCode
    EXPECT_EQ(PointValue("G1"), NoPoint);
}

TEST(SearchResultCount, TextsOfCounts) {
    EXPECT_EQ(StatisticText({}), "0 +0-0=0");
    EXPECT_EQ(StatisticText({.BlackWin = 4, .WhiteWin = 3, .Draw = 2, .Open = 1}), "10 +4-3=2?1");
    EXPECT_EQ(
        StatisticText(
            {.BlackWin = 4, .WhiteWin = 3, .Draw = 2, .Open = 1, .ForfeitBlackWin = 1, .ForfeitWhiteWin = 1}),
        "12 +4F1-3f1=2?1");
    EXPECT_EQ(StatisticText({.ForfeitWhiteWin = 1}), "1 +0F0-0f1=0");
    TResultCount count;
    for (char result : std::string("+-=?FfxR")) ++count[ResultSlot(result)];
    EXPECT_EQ(
        count,
        (TResultCount{
            .BlackWin = 1, .WhiteWin = 1, .Draw = 1, .Open = 3, .ForfeitBlackWin = 1, .ForfeitWhiteWin = 1}));
}

TEST(SearchMerge, ContinuationsLeadingToImagesOfEachOtherBecomeOne) {
    auto merged = [](const std::string& position, std::vector<std::string> moves) {
        TNextMoveTable table;
        for (size_t i = 0; i < moves.size(); ++i) table.push_back({moves[i], {.BlackWin = int(i + 1)}});
        MergeSymmetricMoves(table, position);
        std::string text;
        for (const TNextMove& entry : table)
            text += entry.Move + ":" + std::to_string(entry.Count.Total()) + " ";
        return text;
    };
    // Around the lone centre the four sides are one, the four corners another.
    EXPECT_EQ(merged("88", {"87", "99", "89", "En", "78", "77", "98"}), "87:16 99:8 En:4 ");
    // After 88 89 only the mirror left to right is left.
    EXPECT_EQ(merged("8889", {"79", "99", "97", "77", "8A"}), "79:3 97:7 8A:5 ");
    // An asymmetric position merges nothing.
    EXPECT_EQ(merged("889A", {"11", "12", "21"}), "11:1 12:2 21:3 ");
    // The empty board: first moves in one orbit of the eight symmetries merge (D3, 3D, DD are images
    // of 33, not of 13).
    EXPECT_EQ(merged("", {"13", "31", "D3", "3D", "DD", "88"}), "13:3 D3:12 88:6 ");
}

TEST(SearchIndex, RangeCountsAndFirstGamesMatchAPlainScan) {
    std::mt19937_64 random(3);
    std::vector<test::TGameLine> games;
    for (int g = 0; g < 3000; ++g)
        games.push_back({std::string("88") + "8997A9"[random() % 6] + "9" + "9A"[random() % 2] + "A",
                         "+-=?Ffx"[random() % 7]});
    TGameBase base = test::BaseOfGames(games);
    TIndexPart index;
    index.Build(base.PartyList);
    ASSERT_EQ(index.GameCount(), 3000u);
    for (int round = 0; round < 2000; ++round) {
        size_t lo = random() % 3000, hi = random() % 3000;
        if (lo > hi) std::swap(lo, hi);
        ++hi;
        TResultCount expected;
        uint32_t first = UINT32_MAX;
        for (size_t x = lo; x < hi; ++x) {
            ++expected[ResultSlot(base.PartyList[index.Game(x)].Result)];
            first = std::min(first, index.Game(x));
        }
        ASSERT_EQ(index.CountRange(lo, hi), expected) << lo << ".." << hi;
        ASSERT_EQ(index.FirstGame(lo, hi), first) << lo << ".." << hi;
    }
    EXPECT_LE(index.MemoryBytes(), 64u * 3000u);
}

}  // namespace
}  // namespace kalvon
