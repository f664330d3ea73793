// The VCF search: the cases its rules name, drawn as boards; every sequence it returns checked move by
// move against the literal rules; and, on small positions, its length against a search that tries
// every four and every reply.
#include <gtest/gtest.h>

#include "rules/MoveShape.h"
#include "rules/Vcf.h"
#include "tests/engine/LiteralVcf.h"
#include "tests/engine/RuleTestBoards.h"

namespace kalvon::test {
namespace {

std::vector<TSpot> Spots(const std::vector<int>& points) {
    std::vector<TSpot> spots;
    for (int p : points) spots.push_back({p / 15 + 1, p % 15 + 1});
    return spots;
}

TVcfResult Search(const TPosition& position, TRule rule, TSide attacker, int length = 16) {
    TRuleBoard board;
    Put(position, board);
    // One for every search, as a check of a base uses it: making one fills a table of a megabyte, and
    // what one search leaves in it must not count for the next.
    static TVcfSearch search;
    TVcfLimits limits;
    limits.Length = length;
    const TVcfResult result = search.Find(board, rule, attacker, limits);
    TRuleBoard untouched;
    Put(position, untouched);
    EXPECT_EQ(board.Key(), untouched.Key()) << "the search must leave the board as it was";
    return result;
}

struct TVcfCase {
    const char* Name;
    std::vector<std::string> Rows;
    int Column, Row;  // the drawing's middle
    TRule Rule;
    TSide Attacker;
    const char* Expected;  // VcfResultLine
};

TEST(Vcf, NamedCases) {
    // clang-format off
    const TVcfCase cases[] = {
        // White's four F8-K8 must be blocked at G8, which makes black's vertical four; then the
        // diagonal D7-G10 becomes an open four.
        {"blocks the opponent's four first",
         {"..x....",
          ".......",
          "..x....",
          ".xx....",
          "xo.ooo."}, 8, 10, TRule::Renju, TSide::Black, "G8 G11 D7 C6 H11"},
        // White's last four G11-G14 is blocked only at G15, a double-four for black.
        {"ends with a block forbidden to black",
         {"xx.x.....",
          ".o..o..oo",
          "....x....",
          "..o......",
          "..o...x..",
          "..x......",
          "........."}, 9, 12, TRule::Renju, TSide::White, "K14 L14 G14 H14 G13"},
        // F6-J6 is a straight four when six in a row win; with exactly five only E6 completes it.
        {"five or more", {"x.xx.x."}, 9, 6, TRule::Freestyle, TSide::Black, "G6 E6 K6"},
        {"exactly five", {"x.xx.x."}, 9, 6, TRule::Standard, TSide::Black, "none within 16"},
        // Black's overline is no win under renju either.
        {"renju black", {"x.xx.x."}, 9, 6, TRule::Renju, TSide::Black, "none within 16"},
        {"renju white", {"o.oo.o."}, 9, 6, TRule::Renju, TSide::White, "G6 E6 K6"},
        {"a winning row at once", {"oxxxx."}, 8, 8, TRule::Renju, TSide::Black, "K8"},
        // Black's only four blocks nothing of white's open four.
        {"the opponent's open four",
         {".oooo.",
          "......",
          ".xxx.."}, 8, 8, TRule::Renju, TSide::Black, "none within 16"},
    };
    // clang-format on
    for (const TVcfCase& c : cases) {
        const TPosition position = Drawn(c.Rows, c.Column, c.Row);
        const TVcfResult result = Search(position, c.Rule, c.Attacker);
        EXPECT_EQ(VcfResultLine(result, 16), c.Expected) << c.Name;
        if (result.Outcome == TVcfOutcome::Found) {
            TLiteralBoard literal;
            Put(position, literal);
            EXPECT_EQ(VcfLineFault(literal, c.Rule, c.Attacker, Spots(result.Moves)), "") << c.Name;
            EXPECT_EQ(result.Length, int(result.Moves.size() + 1) / 2);
        }
    }
}

TEST(Vcf, StatusAndToolTexts) {
    TVcfResult found;
    found.Outcome = TVcfOutcome::Found;
    found.Attacker = TSide::White;
    found.Moves = {PointAt(9, 9), PointAt(10, 10), PointAt(11, 11)};
    found.Length = 2;
    EXPECT_EQ(VcfStatusText(found, 16), "VCF for white in 2: J9 K10 L11");
    TVcfResult stopped;
    stopped.Outcome = TVcfOutcome::Stopped;
    stopped.Stop = TVcfStop::NodeLimit;
    EXPECT_EQ(VcfResultLine(stopped, 16), "unknown (node limit)");
    EXPECT_EQ(VcfStatusText(stopped, 16), "VCF search stopped at the node limit");
    EXPECT_EQ(VcfStatusText(TVcfResult(), 7), "No VCF within 7");
}

TEST(Vcf, LimitsStopTheSearch) {
    std::mt19937_64 random(5);
    // The position of the longest search among some crowded boards.
    TPosition position;
    TVcfResult longest;
    for (int i = 0; i < 300; ++i) {
        const TPosition candidate = RandomStones(random, 20, 0.55);
        const TVcfResult result = Search(candidate, TRule::Freestyle, TSide::Black, 30);
        if (result.Nodes > longest.Nodes) {
            longest = result;
            position = candidate;
        }
    }
    ASSERT_GT(longest.Nodes, 100u);
    TRuleBoard board;
    Put(position, board);
    TVcfSearch search;
    TVcfLimits limits;
    limits.Length = 30;
    limits.NodeLimit = longest.Nodes / 2;
    TVcfResult result = search.Find(board, TRule::Freestyle, TSide::Black, limits);
    EXPECT_EQ(result.Outcome, TVcfOutcome::Stopped);
    EXPECT_EQ(result.Stop, TVcfStop::NodeLimit);
    EXPECT_TRUE(result.Moves.empty());

    std::atomic<bool> cancel = true;
    limits.NodeLimit = DefaultVcfNodeLimit;
    limits.Cancel = &cancel;
    EXPECT_EQ(search.Find(board, TRule::Freestyle, TSide::Black, limits).Stop, TVcfStop::Cancelled);
    // Stopped or not, the next search of the same object is whole.
    limits.Cancel = nullptr;
    result = search.Find(board, TRule::Freestyle, TSide::Black, limits);
    EXPECT_EQ(result.Moves, longest.Moves);
    EXPECT_EQ(result.Nodes, longest.Nodes);
}

// Positions where fours abound: game endings and crowded random boards, each side attacking.
std::vector<TPosition> VcfPositions(size_t count, int stones) {
    std::mt19937_64 random(99);
    const std::vector<std::string> games = GeneratedGameMoves(count, 3);
    std::vector<TPosition> positions;
    for (size_t i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            const std::string& moves = games[i];
            const size_t length = moves.size() / 2;
            positions.push_back(FromMoves(moves, length - std::min<size_t>(length, random() % 6)));
        } else {
            positions.push_back(RandomStones(random, 6 + int(random() % stones), 0.5));
        }
    }
    return positions;
}

TEST(Vcf, EverySequenceFoundIsAVcfOfTheLiteralRules) {
    size_t found = 0;
    int longest = 0;
    const TRule rules[] = {TRule::Renju, TRule::Freestyle, TRule::Standard};
    const std::vector<TPosition> positions = VcfPositions(1200, 40);
    for (size_t i = 0; i < positions.size(); ++i) {
        const TRule rule = rules[i % 3];
        for (TSide attacker : {TSide::Black, TSide::White}) {
            const TVcfResult result = Search(positions[i], rule, attacker);
            if (result.Outcome != TVcfOutcome::Found) continue;
            ++found;
            longest = std::max(longest, result.Length);
            TLiteralBoard literal;
            Put(positions[i], literal);
            ASSERT_EQ(VcfLineFault(literal, rule, attacker, Spots(result.Moves)), "")
                << VcfResultLine(result, 16) << " for " << SideWord(attacker) << " under " << RuleWord(rule)
                << "\n"
                << Drawing(positions[i]);
        }
    }
    EXPECT_GT(found, 200u);
    EXPECT_GE(longest, 5);
}

TEST(Vcf, ShortestLengthEqualsTheExhaustiveSearch) {
    const TRule rules[] = {TRule::Renju, TRule::Freestyle, TRule::Standard};
    const std::vector<TPosition> positions = VcfPositions(300, 16);
    int agreedFound = 0;
    for (size_t i = 0; i < positions.size(); ++i) {
        const TRule rule = rules[i % 3];
        const TSide attacker = i % 4 < 2 ? TSide::Black : TSide::White;
        TLiteralBoard literal;
        Put(positions[i], literal);
        const int shortest = ShortestVcf(literal, rule, attacker, 3);
        const TVcfResult result = Search(positions[i], rule, attacker, 3);
        ASSERT_EQ(result.Outcome == TVcfOutcome::Found ? result.Length : 0, shortest)
            << SideWord(attacker) << " under " << RuleWord(rule) << "\n"
            << Drawing(positions[i]);
        agreedFound += shortest > 0;
    }
    EXPECT_GT(agreedFound, 30);
}

}  // namespace
}  // namespace kalvon::test
