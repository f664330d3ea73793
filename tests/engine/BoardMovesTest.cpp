// The game on the board: every routine against rows of move strings, the grid and the points to
// redraw, and the transformations against their algebra.
#include <gtest/gtest.h>

#include <functional>

#include "base/BoardMoves.h"
#include "base/PointCodes.h"

namespace kalvon {
namespace {

using TOperation = std::function<TBoardChange(TGameBase&)>;

struct TMoveRow {
    const char* Name;
    std::string Current, Forward;  // before
    TOperation Operation;
    std::string NewCurrent, NewForward;
    std::string Occupied;  // the occupied points of BoardGrid afterwards, as a move string in column order
    std::string Drawn;
    std::vector<std::string> Erased;
    bool Whole;
};

std::string OccupiedPoints(const TGameBase& base) {
    std::string points;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r)
            if (base.BoardGrid[size_t(c)][size_t(r)] != 0) points += {PointDigit(c), PointDigit(r)};
    return points;
}

TOperation Play(std::string point) {
    return [point](TGameBase& b) { return PlayMove(b, point); };
}
TOperation Back() {
    return [](TGameBase& b) { return TakeBackMove(b); };
}
TOperation Replay() {
    return [](TGameBase& b) { return ReplayMove(b); };
}
TOperation BackTo(std::string point) {
    return [point](TGameBase& b) { return TakeBackTo(b, point); };
}
TOperation Turn(TSymmetry s) {
    return [s](TGameBase& b) { return TransformGame(b, s); };
}

TEST(BoardMoves, EveryRoutineKeepsMovesGridAndRedrawInStep) {
    const std::vector<TMoveRow> rows = {
        {"play on an empty point", "8899", "9A", Play("9A"), "88999A", "9A", "88999A", "9A", {}, false},
        {"play on an occupied point", "8899", "9A", Play("88"), "8899", "9A", "8899", "", {}, false},
        {"play a code that is no point", "88", "", Play("G1"), "88", "", "88", "", {}, false},
        {"no move after one the board cannot show",
         "888988",
         "",
         Play("11"),
         "888988",
         "",
         "8889",
         "",
         {},
         false},
        {"take back", "88999A", "", Back(), "8899", "9A", "8899", "", {"9A"}, false},
        {"take back on an empty board", "", "9A", Back(), "", "9A", "", "", {}, false},
        {"take back a move the board never showed",
         "888988",
         "",
         Back(),
         "8889",
         "88",
         "8889",
         "",
         {},
         false},
        {"take back a stray character", "88899", "", Back(), "8889", "9", "8889", "", {}, false},
        {"replay", "88", "99AA", Replay(), "8899", "AA", "8899", "99", {}, false},
        {"replay onto an occupied point", "88", "88AA", Replay(), "88", "88AA", "88", "", {}, false},
        {"replay a stray character", "8889", "9", Replay(), "8889", "9", "8889", "", {}, false},
        {"back to move 2", "8899AABB", "CC", BackTo("99"), "8899", "AABBCC", "8899", "", {"BB", "AA"}, false},
        {"back to the last move", "8899", "", BackTo("99"), "8899", "", "8899", "", {}, false},
        {"back to an empty point", "8899", "", BackTo("77"), "8899", "", "8899", "", {}, false},
        {"in start", "8899", "AA", [](TGameBase& b) { return GoToStart(b); }, "", "8899AA", "", "", {}, true},
        {"in end",
         "88",
         "99AA",
         [](TGameBase& b) { return GoToEnd(b); },
         "8899AA",
         "",
         "8899AA",
         "",
         {},
         true},
        {"in end with a repeated point",
         "88",
         "9988",
         [](TGameBase& b) { return GoToEnd(b); },
         "889988",
         "",
         "8899",
         "",
         {},
         true},
        {"clear", "8899", "AA", [](TGameBase& b) { return ClearGame(b); }, "", "", "", "", {}, true},
        {"a game of the base",
         "11",
         "AA",
         [](TGameBase& b) { return SetGame(b, "88998877"); },
         "88998877",
         "",
         "8899",
         "",
         {},
         true},
        {"reflect up/down", "11", "2F", Turn(TSymmetry::ReflectUpDown), "1F", "21", "1F", "", {}, true},
        {"reflect left/right", "11", "", Turn(TSymmetry::ReflectLeftRight), "F1", "", "F1", "", {}, true},
        {"turn +90", "89", "", Turn(TSymmetry::TurnClockwise), "98", "", "98", "", {}, true},
        {"turn -90", "89", "", Turn(TSymmetry::TurnAnticlockwise), "78", "", "78", "", {}, true},
        {"turn an empty board with a continuation",
         "",
         "89",
         Turn(TSymmetry::TurnClockwise),
         "",
         "98",
         "",
         "",
         {},
         false},
        {"turn keeps a code that is no point",
         "89G1",
         "",
         Turn(TSymmetry::TurnClockwise),
         "98G1",
         "",
         "98",
         "",
         {},
         true},
    };
    for (const TMoveRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TGameBase base;
        base.CurrentMoves = row.Current;
        base.ForwardMoves = row.Forward;
        MarkBoardGrid(base);
        const TBoardChange change = row.Operation(base);
        EXPECT_EQ(base.CurrentMoves, row.NewCurrent);
        EXPECT_EQ(base.ForwardMoves, row.NewForward);
        EXPECT_EQ(OccupiedPoints(base), row.Occupied);
        EXPECT_EQ(change.Drawn, row.Drawn);
        EXPECT_EQ(change.Erased, row.Erased);
        EXPECT_EQ(change.Whole, row.Whole);
        EXPECT_EQ(change.Moved, row.Current != row.NewCurrent);
    }
}

TEST(BoardMoves, TransformationsComposeAsTheBoardDoes) {
    const std::string game = "8899AA11F1FF1F7C", forward = "C3D4";
    auto apply = [&](std::vector<TSymmetry> steps) {
        TGameBase base;
        base.CurrentMoves = game;
        base.ForwardMoves = forward;
        for (TSymmetry s : steps) TransformGame(base, s);
        return base.CurrentMoves + "|" + base.ForwardMoves;
    };
    const std::string same = game + "|" + forward;
    const auto Cw = TSymmetry::TurnClockwise, Acw = TSymmetry::TurnAnticlockwise;
    const auto Ud = TSymmetry::ReflectUpDown, Lr = TSymmetry::ReflectLeftRight;
    EXPECT_EQ(apply({Cw, Cw, Cw, Cw}), same);
    EXPECT_EQ(apply({Cw, Acw}), same);
    EXPECT_EQ(apply({Ud, Ud}), same);
    EXPECT_EQ(apply({Lr, Lr}), same);
    EXPECT_EQ(apply({Ud, Lr}), apply({Cw, Cw}));
}

TEST(BoardMoves, TakingBackAndReplayingRestoreTheGame) {
    // Whatever the game, CurrentMoves followed by ForwardMoves stays the whole game.
    for (const std::string game : {"8899AABBCC", "889988AA", "88G199", "88899"}) {
        SCOPED_TRACE(game);
        TGameBase base;
        SetGame(base, game);
        while (TakeBackMove(base).Moved) EXPECT_EQ(base.CurrentMoves + base.ForwardMoves, game);
        EXPECT_EQ(OccupiedPoints(base), "");
        GoToEnd(base);
        EXPECT_EQ(base.CurrentMoves, game);
    }
}

}  // namespace
}  // namespace kalvon
