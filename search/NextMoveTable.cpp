#include "search/NextMoveTable.h"

#include <utility>

#include "base/PointCodes.h"
#include "search/PositionSets.h"

namespace kalvon {

void MergeSymmetricMoves(TNextMoveTable& table, std::string_view position) {
    const std::vector<uint8_t> moves = MoveValues(position);
    const TPositionSets positionSets(moves);
    const int colour = int(moves.size() % 2);  // the colour of the next move
    for (size_t w = 0; w + 1 < table.size(); ++w) {
        const uint8_t moveW = PointValue(table[w].Move);
        if (table[w].Move == EndMove || moveW == NoPoint) continue;
        TPositionSets sets = positionSets;
        sets.AddStone(colour, moveW);
        // The stones of the position must still lie in the widened sets under a symmetry that also
        // takes the later entry's move there.
        const uint8_t alive = sets.Alive(moves);
        for (size_t p = w + 1; p < table.size();) {
            const uint8_t moveP = PointValue(table[p].Move);
            if (table[p].Move.size() == 2 && moveP != NoPoint && (alive & sets.Mask(colour, moveP)) != 0) {
                table[w].Count += table[p].Count;
                table.erase(table.begin() + long(p));
            } else {
                ++p;
            }
        }
    }
}

void PutEndFirst(TNextMoveTable& table) {
    for (size_t i = 1; i < table.size(); ++i)
        if (table[i].Move == EndMove) {
            std::swap(table[0], table[i]);
            return;
        }
}

void SortByFrequency(TNextMoveTable& table) {
    const size_t first = !table.empty() && table[0].Move == EndMove ? 1 : 0;
    for (size_t w = first; w + 1 < table.size(); ++w)
        for (size_t i = w + 1; i < table.size(); ++i)
            if (table[i].Count.Total() > table[w].Count.Total()) std::swap(table[w], table[i]);
}

namespace {

char Mirror(char digit) {
    return PointDigit(16 - PointDigitValue(digit));
}

}  // namespace

void FoldOpeningMoves(TNextMoveTable& table, std::string_view position) {
    enum class TFold { None, Sector, Column, Diagonal } fold = TFold::None;
    if (position == "88")
        fold = TFold::Sector;
    else if (position == "8889" ||
             (position.size() == 6 && position.substr(0, 4) == "8889" && position[4] == '8'))
        fold = TFold::Column;
    else if (position == "8899")
        fold = TFold::Diagonal;
    if (fold == TFold::None) return;
    for (TNextMove& entry : table) {
        if (entry.Move == EndMove || !IsPointCode(entry.Move)) continue;
        char& x = entry.Move[0];
        char& y = entry.Move[1];
        switch (fold) {
            case TFold::Sector:
                if (x < '8') x = Mirror(x);
                if (y < '8') y = Mirror(y);
                if (y < x) std::swap(x, y);
                break;
            case TFold::Column:
                if (x < '8') x = Mirror(x);
                break;
            case TFold::Diagonal:
                if (x < y) std::swap(x, y);
                break;
            case TFold::None:
                break;
        }
    }
}

}  // namespace kalvon
