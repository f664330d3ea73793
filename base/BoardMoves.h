// The game on the board: playing, taking back and replaying moves, jumps, clearing and turning the
// board. Each routine keeps CurrentMoves, ForwardMoves and BoardGrid consistent and says which points
// the board must redraw.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/GameBase.h"
#include "base/Symmetry.h"

namespace kalvon {

// What a change of the game on the board asks the board's picture to redraw.
struct TBoardChange {
    bool Moved = false;               // CurrentMoves is not what it was
    bool Whole = false;               // many points changed: the whole board is drawn again
    std::string Drawn;                // a stone to draw: the last move on the board, numbered so
    std::vector<std::string> Erased;  // points to paint empty, in the order their moves came off
};

// The number of moves of a move string that the board shows: up to the first code that is no point
// or that repeats a point of an earlier move. A game of the base keeps its whole move string all
// the same.
size_t ShownMoveCount(std::string_view moves);
// Sets BoardGrid to the points of the shown moves of CurrentMoves.
void MarkBoardGrid(TBoardGame& base);
// Whether a move can be played at the point: a point of the board, empty, and every move on the
// board shown (nothing is ever played after a move the board cannot show).
bool CanPlayAt(const TBoardGame& base, std::string_view point);

// Appends the point to CurrentMoves when CanPlayAt allows; ForwardMoves stays as it is.
TBoardChange PlayMove(TBoardGame& base, std::string_view point);
// Drops the moves that wait to be replayed.
void DropContinuation(TBoardGame& base);
// Takes back the last move, which becomes the first of ForwardMoves; nothing when the board is empty.
TBoardChange TakeBackMove(TBoardGame& base);
// Replays the first move of ForwardMoves when it can be played; otherwise nothing changes.
TBoardChange ReplayMove(TBoardGame& base);
// Takes back moves until the first move on the point is the last; nothing when no move is there.
TBoardChange TakeBackTo(TBoardGame& base, std::string_view point);
// Takes back every move: the board is empty and ForwardMoves holds the whole game.
TBoardChange GoToStart(TBoardGame& base);
// Replays every move of ForwardMoves.
TBoardChange GoToEnd(TBoardGame& base);
// Empties the board and drops the continuation.
TBoardChange ClearGame(TBoardGame& base);
// Puts a whole move string on the board (a game opened from the base) and drops the continuation.
TBoardChange SetGame(TBoardGame& base, std::string_view moves);
// Replaces every move of CurrentMoves and ForwardMoves by its image under the symmetry, in order.
// The board is drawn again only when it holds stones.
TBoardChange TransformGame(TBoardGame& base, TSymmetry symmetry);

}  // namespace kalvon
