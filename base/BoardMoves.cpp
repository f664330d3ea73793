#include "base/BoardMoves.h"

#include <bitset>

#include "base/PointCodes.h"

namespace kalvon {

namespace {

std::string_view MoveAt(std::string_view moves, size_t k) {
    return moves.substr(2 * k, 2);
}

// A change of many points at once.
TBoardChange Many(bool moved, bool whole) {
    TBoardChange change;
    change.Moved = moved;
    change.Whole = whole;
    return change;
}

int& GridAt(TBoardGame& base, std::string_view point) {
    return base.BoardGrid[size_t(PointDigitValue(point[0]))][size_t(PointDigitValue(point[1]))];
}

size_t MoveCount(std::string_view moves) {
    return moves.size() / 2;
}

// Removes the last move of CurrentMoves into the front of ForwardMoves; the point is erased when the
// board showed that move. A stray last character of a stored game comes off alone, so that
// CurrentMoves followed by ForwardMoves is always the whole game.
void TakeBackOne(TBoardGame& base, TBoardChange& change) {
    const size_t size = base.CurrentMoves.size();
    const size_t length = size % 2 == 1 ? 1 : 2;
    const bool shown = length == 2 && ShownMoveCount(base.CurrentMoves) == MoveCount(base.CurrentMoves);
    const std::string last = base.CurrentMoves.substr(size - length);
    base.ForwardMoves.insert(0, last);
    base.CurrentMoves.resize(size - length);
    if (shown) {
        GridAt(base, last) = 0;
        change.Erased.push_back(last);
    }
    change.Moved = true;
}

}  // namespace

size_t ShownMoveCount(std::string_view moves) {
    std::bitset<256> taken;  // one bit for each pair of point digits
    size_t k = 0;
    for (; k < MoveCount(moves); ++k) {
        const std::string_view move = MoveAt(moves, k);
        if (!IsPointCode(move)) break;
        const size_t at = size_t(PointDigitValue(move[0])) * 16 + size_t(PointDigitValue(move[1]));
        if (taken[at]) break;
        taken[at] = true;
    }
    return k;
}

void MarkBoardGrid(TBoardGame& base) {
    ClearBoardGrid(base);
    const size_t shown = ShownMoveCount(base.CurrentMoves);
    for (size_t k = 0; k < shown; ++k) GridAt(base, MoveAt(base.CurrentMoves, k)) = 1;
}

bool CanPlayAt(const TBoardGame& base, std::string_view point) {
    if (point.size() != 2 || !IsPointCode(point)) return false;
    if (base.BoardGrid[size_t(PointDigitValue(point[0]))][size_t(PointDigitValue(point[1]))] != 0)
        return false;
    return base.CurrentMoves.size() % 2 == 0 &&
           ShownMoveCount(base.CurrentMoves) == MoveCount(base.CurrentMoves);
}

TBoardChange PlayMove(TBoardGame& base, std::string_view point) {
    TBoardChange change;
    if (!CanPlayAt(base, point)) return change;
    base.CurrentMoves += point;
    GridAt(base, point) = 1;
    change.Moved = true;
    change.Drawn = std::string(point);
    return change;
}

void DropContinuation(TBoardGame& base) {
    base.ForwardMoves.clear();
}

TBoardChange TakeBackMove(TBoardGame& base) {
    TBoardChange change;
    if (!base.CurrentMoves.empty()) TakeBackOne(base, change);
    return change;
}

TBoardChange ReplayMove(TBoardGame& base) {
    if (base.ForwardMoves.size() < 2) return {};
    const std::string next = base.ForwardMoves.substr(0, 2);
    TBoardChange change = PlayMove(base, next);
    if (change.Moved) base.ForwardMoves.erase(0, 2);
    return change;
}

TBoardChange TakeBackTo(TBoardGame& base, std::string_view point) {
    TBoardChange change;
    const size_t shown = ShownMoveCount(base.CurrentMoves);
    for (size_t k = 0; k < shown; ++k)
        if (MoveAt(base.CurrentMoves, k) == point) {
            while (base.CurrentMoves.size() > 2 * k + 2) TakeBackOne(base, change);
            break;
        }
    return change;
}

TBoardChange GoToStart(TBoardGame& base) {
    TBoardChange change = Many(!base.CurrentMoves.empty(), true);
    base.ForwardMoves.insert(0, base.CurrentMoves);
    base.CurrentMoves.clear();
    ClearBoardGrid(base);
    return change;
}

TBoardChange GoToEnd(TBoardGame& base) {
    TBoardChange change = Many(!base.ForwardMoves.empty(), true);
    base.CurrentMoves += base.ForwardMoves;
    base.ForwardMoves.clear();
    MarkBoardGrid(base);
    return change;
}

TBoardChange ClearGame(TBoardGame& base) {
    TBoardChange change = Many(!base.CurrentMoves.empty(), true);
    base.CurrentMoves.clear();
    base.ForwardMoves.clear();
    ClearBoardGrid(base);
    return change;
}

TBoardChange SetGame(TBoardGame& base, std::string_view moves) {
    TBoardChange change = Many(base.CurrentMoves != moves, true);
    base.CurrentMoves = std::string(moves);
    base.ForwardMoves.clear();
    MarkBoardGrid(base);
    return change;
}

TBoardChange TransformGame(TBoardGame& base, TSymmetry symmetry) {
    auto transform = [symmetry](std::string& moves) {
        // A code that is no point stays as it is, in its place.
        for (size_t i = 0; i + 1 < moves.size(); i += 2)
            moves.replace(i, 2, TransformPoint(moves.substr(i, 2), symmetry));
    };
    TBoardChange change = Many(!base.CurrentMoves.empty(), !base.CurrentMoves.empty());
    transform(base.CurrentMoves);
    transform(base.ForwardMoves);
    MarkBoardGrid(base);
    return change;
}

}  // namespace kalvon
