// The engine's line tables and forbidden points against the rules written out literally
// (LiteralRules.h), point by point, on random crowded positions, generated games and real games.
// KALVON_RULES_POSITIONS sets how many positions (scripts/rules-property.sh asks 100,000).
#include <gtest/gtest.h>

#include <cstdlib>

#include "rules/MoveShape.h"
#include "tests/engine/RuleTestBoards.h"

namespace kalvon::test {
namespace {

size_t PositionCount() {
    const char* count = std::getenv("KALVON_RULES_POSITIONS");
    return count ? size_t(std::strtoul(count, nullptr, 10)) : 5000;
}

// Every empty point, both sides: five, overline, fours and threes, and black's forbidden kind under
// renju. Returns the first disagreement, or "".
std::string Disagreement(const TPosition& position, TRule rule) {
    TRuleBoard board;
    TLiteralBoard literal;
    Put(position, board);
    Put(position, literal);
    for (int p = 0; p < BoardPoints; ++p) {
        if (!board.IsEmpty(p)) continue;
        const int c = p / 15 + 1, r = p % 15 + 1;
        for (TSide side : {TSide::Black, TSide::White}) {
            const TMoveShape shape = MoveShape(board, p, side, rule);
            const bool five = literal.MakesFive(c, r, side, rule);
            const bool overline = literal.MakesOverline(c, r, side);
            const int fours = literal.FourCount(c, r, side, rule),
                      threes = literal.ThreeCount(c, r, side, rule);
            // The check of games reads fives, and the chance of black's double shapes under renju, from
            // the stones near the point alone.
            int longest = 0, exactlyFive = 0, shapeLines = 0, crowded = 0;
            for (int d = 0; d < Directions; ++d) {
                const uint8_t near = board.Neighbours(p, d, side);
                longest = std::max(longest, near & NeighbourInfo::RowMask);
                exactlyFive |= (near & NeighbourInfo::RowMask) == 5;
                shapeLines += (near & NeighbourInfo::MayShape) != 0;
                crowded |= near & NeighbourInfo::Crowded;
            }
            const bool rowsFive = ExactFiveWins(rule, side) ? exactlyFive != 0 : longest >= 5;
            std::string what;
            if (shape.Five != five || MakesFive(board, p, side, rule) != five || rowsFive != five)
                what = "five";
            if ((longest >= 6) != overline) what = "overline from the rows";
            if (rule == TRule::Renju && side == TSide::Black && (fours >= 2 || threes >= 2) &&
                shapeLines < 2 && !crowded)
                what = "a double shape the rows rule out";
            if (shape.Overline != overline) what = "overline";
            if (shape.Fours != fours)
                what = "fours " + std::to_string(shape.Fours) + " not " + std::to_string(fours);
            if (shape.Threes != threes)
                what = "threes " + std::to_string(shape.Threes) + " not " + std::to_string(threes);
            if (rule == TRule::Renju && side == TSide::Black) {
                const TForbiddenKind fast = ForbiddenKind(board, p), slow = literal.Forbidden(c, r);
                if (fast != slow)
                    what = "forbidden " + std::string(ForbiddenWord(fast)) + " not " +
                           std::string(ForbiddenWord(slow));
            }
            if (!what.empty())
                return TextOfPointNumber(p) + " for " + std::string(SideWord(side)) + " under " +
                       std::string(RuleWord(rule)) + ": " + what + "\n" + Drawing(position);
        }
    }
    return "";
}

TEST(RulesOracle, LineTablesAndForbiddenPointsAgreeWithTheLiteralRules) {
    const size_t count = PositionCount();
    std::mt19937_64 random(20240601);
    const std::vector<std::string> real = RealGameMoves();
    const std::vector<std::string> generated = GeneratedGameMoves(std::max<size_t>(count / 8, 50), 7);
    size_t forbiddenSeen = 0, checked = 0;
    for (size_t i = 0; i < count; ++i) {
        TPosition position;
        const std::vector<std::string>& games = real.empty() || i % 2 ? generated : real;
        switch (i % 4) {
            case 0:  // crowded, mostly black: forbidden shapes and their recursion
                position = RandomStones(random, 8 + int(random() % 40), 0.65);
                break;
            case 1:
                position = RandomStones(random, 4 + int(random() % 90), 0.5);
                break;
            default: {  // a game cut anywhere, mostly near its end
                const std::string& moves = games[random() % games.size()];
                const size_t length = moves.size() / 2;
                position = FromMoves(moves, length - std::min<size_t>(length, random() % 12));
                break;
            }
        }
        const TRule rule = i % 3 == 0 ? TRule::Freestyle : i % 3 == 1 ? TRule::Standard : TRule::Renju;
        const std::string problem = Disagreement(position, i % 4 == 0 ? TRule::Renju : rule);
        ASSERT_EQ(problem, "") << "position " << i;
        TRuleBoard board;
        Put(position, board);
        forbiddenSeen += ForbiddenPoints(board, TRule::Renju).size();
        ++checked;
    }
    EXPECT_EQ(checked, count);
    // The positions must reach the shapes the comparison is about.
    EXPECT_GT(forbiddenSeen, count / 4);
    RecordProperty("positions", int(count));
}

}  // namespace
}  // namespace kalvon::test
