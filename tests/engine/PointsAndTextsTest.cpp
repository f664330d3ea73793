// Points, fields and the one-line texts built from a game.
#include <gtest/gtest.h>

#include "base/BaseEdits.h"
#include "base/GameTexts.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"

namespace kalvon {
namespace {

struct TPointCase {
    const char* Code;
    const char* Text;
};

class PointConversion : public ::testing::TestWithParam<TPointCase> {};

TEST_P(PointConversion, GoesBothWays) {
    EXPECT_EQ(PointCodeToText(GetParam().Code), GetParam().Text);
    EXPECT_EQ(PointTextToCode(GetParam().Text), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(Corners, PointConversion,
                         ::testing::Values(TPointCase{"88", "H8"}, TPointCase{"1A", "A10"},
                                           TPointCase{"FF", "P15"}, TPointCase{"11", "A1"},
                                           TPointCase{"99", "J9"}, TPointCase{"F8", "P8"},
                                           TPointCase{"8F", "H15"}));

TEST(PointCodes, RefuseWhatIsNoPoint) {
    for (const char* code : {"8", "888", "0A", "8g", "", "G1", "1G"})
        EXPECT_EQ(PointCodeToText(code), "?") << code;
    for (const char* text : {"I5", "h8", "A16", "A0", "A01", "A", "", "Q5", "A1 0", "H-8"})
        EXPECT_EQ(PointTextToCode(text), "?") << text;
    EXPECT_EQ(PointTextToCode("  J9 "), "99");
    EXPECT_EQ(PointTextToCode("\tP15\r"), "FF");
}

std::vector<std::string> Fields(std::string_view text, char delimiter) {
    std::vector<std::string> fields;
    size_t cursor = 1;
    std::string_view field;
    while (SplitField(text, cursor, delimiter, field)) fields.emplace_back(field);
    EXPECT_TRUE(field.empty()) << "a failed call leaves the field empty";
    return fields;
}

TEST(SplitField, TakesFieldsUpToTheEndsOfTheText) {
    EXPECT_EQ(Fields("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Fields("a,", ','), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(Fields(",a", ','), (std::vector<std::string>{"", "a"}));
    EXPECT_EQ(Fields("", ','), (std::vector<std::string>{""}));
    EXPECT_EQ(Fields("abc", ','), (std::vector<std::string>{"abc"}));
    size_t cursor = 0;  // taken as 1
    std::string_view field;
    ASSERT_TRUE(SplitField("x.y", cursor, '.', field));
    EXPECT_EQ(field, "x");
    EXPECT_EQ(cursor, 3u);
}

TEST(Trim, RemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim(std::string_view("\0 \t a b \r\n", 10)), "a b");
    EXPECT_EQ(Trim("   "), "");
}

// The two tables of opening names: move 2 at H9 (direct) and J9 (indirect), rows 10 down to 6,
// columns F to K; "" marks the points of move 2 and the centre.
const char* const DirectTable[5][5] = {{"3D", "2D", "1D", "2D", "3D"},
                                       {"5D", "4D", "", "4D", "5D"},
                                       {"7D", "6D", "", "6D", "7D"},
                                       {"10D", "9D", "8D", "9D", "10D"},
                                       {"13D", "12D", "11D", "12D", "13D"}};
const char* const IndirectTable[5][5] = {{"5I", "4I", "3I", "2I", "1I"},
                                         {"8I", "7I", "6I", "", "2I"},
                                         {"10I", "9I", "", "6I", "3I"},
                                         {"12I", "11I", "9I", "7I", "4I"},
                                         {"13I", "12I", "10I", "8I", "5I"}};

// Point (column, row) under the symmetry that takes the placement (1, 0) or (1, 1) of move 2 to
// each of its eight images around the centre.
std::pair<int, int> Turn(int dx, int dy, int symmetry) {
    switch (symmetry) {
        case 0:
            return {dx, dy};
        case 1:
            return {-dx, dy};
        case 2:
            return {dx, -dy};
        case 3:
            return {-dx, -dy};
        case 4:
            return {dy, dx};
        case 5:
            return {-dy, dx};
        case 6:
            return {dy, -dx};
        default:
            return {-dy, -dx};
    }
}

void CheckTable(const char* const table[5][5], int move2dx, int move2dy) {
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        // The tables are drawn with move 2 above (direct) or above right (indirect) of the centre.
        auto [m2x, m2y] = Turn(move2dx, move2dy, symmetry);
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 5; ++column) {
                if (*table[row][column] == 0) continue;
                auto [x, y] = Turn(column - 2, 2 - row, symmetry);
                std::string moves = {PointDigit(8 + m2x), PointDigit(8 + m2y), PointDigit(8 + x),
                                     PointDigit(8 + y)};
                EXPECT_EQ(OpeningName(moves), table[row][column]) << "moves 2 and 3: " << moves;
            }
    }
}

TEST(OpeningName, NamesTheWholeSquareForEveryPlacementOfMove2) {
    CheckTable(DirectTable, 0, 1);
    CheckTable(IndirectTable, 1, 1);
}

TEST(OpeningName, NamesUnusualOpenings) {
    EXPECT_EQ(OpeningName("898A"), "1D");
    EXPECT_EQ(OpeningName("8999"), "4D");
    EXPECT_EQ(OpeningName("99AA"), "1I");
    EXPECT_EQ(OpeningName("9999"), "0D");
    EXPECT_EQ(OpeningName("8B99"), "??");
    EXPECT_EQ(OpeningName("89CC"), "?D");
    EXPECT_EQ(OpeningName("99CC"), "?I");
    EXPECT_EQ(OpeningName("89"), "?");
    EXPECT_EQ(OpeningName("98A8"), "1D") << "move 2 at J8, move 3 at K8";
    EXPECT_EQ(OpeningName("9878"), "8D") << "move 2 at J8, move 3 at G8";
}

TPartyRecord Game(char result, std::string moves, std::string alt = "?", bool reverse = false) {
    TPartyRecord party;
    party.Result = result;
    party.Moves = std::move(moves);
    party.Alt = std::move(alt);
    party.Reverse = reverse;
    return party;
}

TEST(GameTexts, ResultTextsAndMarks) {
    EXPECT_EQ(ResultText('+'), "1:0");
    EXPECT_EQ(ResultText('-'), "0:1");
    EXPECT_EQ(ResultText('='), "1/2");
    EXPECT_EQ(ResultText('F'), "+:-");
    EXPECT_EQ(ResultText('f'), "-:+");
    EXPECT_EQ(ResultText('?'), "");
    EXPECT_EQ(ResultText('x'), "");
    EXPECT_EQ(ResultMark(Game('+', std::string(114, '8'))), "/57");
    EXPECT_EQ(ResultMark(Game('f', std::string(62, '8'))), "o31");
    EXPECT_EQ(ResultMark(Game('=', std::string(240, '8'))), "x120");
    EXPECT_EQ(ResultMark(Game('z', std::string(25, '8'))), "?12");
}

TEST(GameTexts, AlternativeShowsTheMoveThatLaterTookItsPoint) {
    std::string moves = "88899A7879776A5B4C3D99";  // move 11 at 99 (J9)
    EXPECT_EQ(AltMoveText(Game('+', moves, "j9")), "11");
    EXPECT_EQ(AltMoveText(Game('+', moves, "q3")), "?");
    EXPECT_EQ(AltMoveText(Game('+', moves, "?")), "?");
    EXPECT_EQ(AltMoveText(Game('+', moves, "k12")), "K12");
    EXPECT_EQ(AltMoveText(Game('+', moves, "H10-J7")), "?");
}

TEST(GameTexts, CaptionJoinsOpeningExchangeAlternativeAndResult) {
    TPartyRecord party = Game('F', "8889" + std::string(76, '7'), "k12", true);
    party.Moves[4] = '9';  // move 3 at J10: 2D
    party.Moves[5] = 'A';
    EXPECT_EQ(PartyCaption(party), "2D,R,5A=K12,/40");
    EXPECT_EQ(PartyCaption(Game('?', "88")), "?,-,5A=?,?1");
}

TEST(GameTexts, ListingLinesNameTheirGame) {
    TGameBase base;
    AddBaseLine(base, "2003, 4711=[NORD,SUED,+,8889,?,-]");
    AddBaseLine(base, "2004,a0002=[SUED,NORD,-,88,?,R]");
    EXPECT_EQ(ListingLine(base, 0), "1.NORD - SUED(2003, 4711)");
    EXPECT_EQ(ListingLine(base, 1), "2.SUED - NORD(2004,a0002)");
    EXPECT_EQ(PartyGroup(base.PartyList[0]), ' ');
    EXPECT_EQ(PartyGroup(base.PartyList[1]), 'a');
}

}  // namespace
}  // namespace kalvon
