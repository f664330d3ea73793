// The rules of the line shapes and black's forbidden points, each case a small board drawn as text
// with the point asked about marked '*'.
#include <gtest/gtest.h>

#include "rules/MoveShape.h"
#include "tests/engine/RuleTestBoards.h"

namespace kalvon::test {
namespace {

struct TShapeCase {
    const char* Name;
    std::vector<std::string> Rows;
    TRule Rule;
    TSide Side;
    bool Five, Overline;
    int Fours, Threes;
};

TEST(RuleShapes, FivesFoursAndThreesUnderEachRule) {
    const TShapeCase cases[] = {
        {"five", {"xxxx*"}, TRule::Renju, TSide::Black, true, false, 0, 0},
        {"black's six is no five", {"xxxx*x"}, TRule::Renju, TSide::Black, false, true, 0, 0},
        {"white's six is", {"oooo*o"}, TRule::Renju, TSide::White, true, true, 1, 0},
        {"five or more", {"xxxx*x"}, TRule::Freestyle, TSide::Black, true, true, 1, 0},
        {"exactly five", {"oooo*o"}, TRule::Standard, TSide::White, false, true, 0, 0},
        {"exactly five, five", {"ooo*o.o"}, TRule::Standard, TSide::White, true, false, 0, 0},
        // Beside a winning row the stone also makes a four: four stones whose fifth point makes seven.
        // OO.OOO is a four for white: its gap makes six; XX.XXX is none for black. The white stone
        // makes the three OO* too, whose straight four wins at either end.
        {"white's four of six", {"oo.oo*"}, TRule::Renju, TSide::White, false, false, 1, 1},
        {"no four for black", {"xx.xx*"}, TRule::Renju, TSide::Black, false, false, 0, 0},
        {"no four exactly five", {"oo.oo*"}, TRule::Standard, TSide::White, false, false, 0, 0},
        {"a straight four is one four", {".xx*x."}, TRule::Renju, TSide::Black, false, false, 1, 0},
        // Stones 1, 3, 4, 5, 7: the middle stone makes two fours, the first only one.
        {"two fours in one line", {"x.x*x.x"}, TRule::Renju, TSide::Black, false, false, 2, 0},
        {"the end of the shape", {"*.xxx.x"}, TRule::Renju, TSide::Black, false, false, 1, 0},
        {"three", {"..x*x.."}, TRule::Renju, TSide::Black, false, false, 0, 1},
        {"split three", {"..x.*x.."}, TRule::Renju, TSide::Black, false, false, 0, 1},
        {"no room for a straight four", {"o.xx*.o"}, TRule::Freestyle, TSide::Black, false, false, 0, 0},
        // Every four and straight four would make six with the stones beyond: nothing for black; for
        // white the gap completes two sets of four stones, and the left end a straight four.
        {"shapes before two stones", {"..xx*.xx"}, TRule::Renju, TSide::Black, false, false, 0, 0},
        {"white's shapes before two stones", {"..oo*.oo"}, TRule::Renju, TSide::White, false, false, 2, 1},
        {"at the edge", {"*xx.x."}, TRule::Freestyle, TSide::Black, false, false, 1, 0},
    };
    for (const TShapeCase& c : cases) {
        // The edge case lies on column A; the others in the middle of the board.
        const int column = std::string(c.Name) == "at the edge" ? int(c.Rows[0].size()) / 2 + 1 : 8;
        const TPosition position = Drawn(c.Rows, column, 8);
        TRuleBoard board;
        Put(position, board);
        const TMoveShape shape = MoveShape(board, position.Marks.at(0), c.Side, c.Rule);
        EXPECT_EQ(shape.Five, c.Five) << c.Name;
        EXPECT_EQ(MakesFive(board, position.Marks[0], c.Side, c.Rule), c.Five) << c.Name;
        EXPECT_EQ(shape.Overline, c.Overline) << c.Name;
        EXPECT_EQ(shape.Fours, c.Fours) << c.Name;
        EXPECT_EQ(shape.Threes, c.Threes) << c.Name;
    }
}

struct TForbiddenCase {
    const char* Name;
    std::vector<std::string> Rows;
    int Column, Row;  // the drawing's middle
    TForbiddenKind Kind;
};

TEST(RuleShapes, BlacksForbiddenPoints) {
    // clang-format off
    const TForbiddenCase cases[] = {
        {"overline", {"xxx*xx"}, 8, 8, TForbiddenKind::Overline},
        {"double-four X.XXX.X", {"x.x*x.x"}, 8, 8, TForbiddenKind::DoubleFour},
        {"double-four XX.XX.XX", {"xx.x*.xx"}, 8, 8, TForbiddenKind::DoubleFour},
        {"double-four XXX.X.XXX", {"xxx.*.xxx"}, 8, 8, TForbiddenKind::DoubleFour},
        {"double-four across",
         {".....",
          "...x.",
          "..x..",
          ".x...",
          "*xx.x"}, 8, 8, TForbiddenKind::DoubleFour},
        {"double-three",
         {".....",
          "..x..",
          "..x..",
          "xx*..",
          "....."}, 8, 8, TForbiddenKind::DoubleThree},
        {"four-three",
         {".....",
          "*x.xx",
          ".x...",
          ".....",
          "...x."}, 6, 6, TForbiddenKind::None},
        {"five beats an overline elsewhere",
         {"x.....",
          "x.....",
          "x.....",
          "x.....",
          "*xxxxx"}, 8, 8, TForbiddenKind::None},
        {"five with a double-three",
         {".......",
          "....x..",
          "...xx..",
          "xxxx*..",
          ".....x."}, 10, 10, TForbiddenKind::None},
        {"a blocked three does not count",
         {".......",
          "..x....",
          "..x....",
          ".o*xx..",
          "......."}, 8, 8, TForbiddenKind::None},
        // The diagonal three's only straight-four point J9 would also make J7-J10 four: a double-four,
        // so that three is fake and G7 makes one real three.
        {"fake three: its straight-four point is a double-four",
         {"...xx",
          ".....",
          "x.xx.",
          ".*.x.",
          "..x.."}, 8, 8, TForbiddenKind::None},
        // L5 makes L5-L7 and H8-J7-?-L5; the second's straight-four point K6 is a double-four, but it
        // also makes the five K6-O10, so it is allowed and the three is real.
        {"a three whose straight-four point makes five",
         {".......",
          "......x",
          ".....x.",
          "x...x..",
          ".x.x...",
          "xx.x...",
          "...*..."}, 11, 8, TForbiddenKind::DoubleThree},
        // J11 makes G9-H10-J11 and J8-?-J10-J11. The second's straight-four point J9 makes a four
        // (J8-J11) and the threes H10-J9-K8 and F6-?-H8-J9, both real (their straight-four points
        // are allowed): J9 is a double-three, the three it would complete is fake, and J11 allowed.
        {"double-three with a fake three a level down",
         {".....",
          "...*.",
          "..xx.",
          ".x...",
          "..xxx",
          ".....",
          "x...."}, 8, 9, TForbiddenKind::None},
    };
    // clang-format on
    for (const TForbiddenCase& c : cases) {
        const TPosition position = Drawn(c.Rows, c.Column, c.Row);
        TRuleBoard board;
        Put(position, board);
        const int point = position.Marks.at(0);
        EXPECT_EQ(ForbiddenWord(ForbiddenKind(board, point)), ForbiddenWord(c.Kind)) << c.Name;
        TLiteralBoard literal;
        Put(position, literal);
        EXPECT_EQ(ForbiddenWord(literal.Forbidden(point / 15 + 1, point % 15 + 1)), ForbiddenWord(c.Kind))
            << c.Name << " (literal rules)";
        // Gomoku has no forbidden points, and the list of all of them names this one under renju.
        EXPECT_TRUE(ForbiddenPoints(board, TRule::Freestyle).empty());
        const std::vector<TForbiddenPoint> all = ForbiddenPoints(board, TRule::Renju);
        const bool listed = std::any_of(all.begin(), all.end(), [&](const TForbiddenPoint& f) {
            return f.Point == point && f.Kind == c.Kind;
        });
        EXPECT_EQ(listed, c.Kind != TForbiddenKind::None) << c.Name;
    }
}

TEST(RuleShapes, WinningRowsOnTheBoard) {
    // Black's row of five, black's six (a row only where more than five win), white's five.
    const TPosition position = Drawn({"xxxxx..o", ".......o", "xxxxxx.o", ".......o", ".......o"});
    TRuleBoard board;
    Put(position, board);
    auto texts = [&](TRule rule) {
        std::string text;
        for (const TWinningRow& row : WinningRows(board, rule))
            text += TextOfPointNumber(row.From) + "-" + TextOfPointNumber(row.To) + ":" +
                    std::string(SideWord(row.Side)) + " ";
        return text;
    };
    EXPECT_EQ(texts(TRule::Renju), "D10-H10:black L6-L10:white ");
    EXPECT_EQ(texts(TRule::Freestyle), "D8-J8:black D10-H10:black L6-L10:white ");
    EXPECT_EQ(texts(TRule::Standard), "D10-H10:black L6-L10:white ");
}

}  // namespace
}  // namespace kalvon::test
