// Boards for the tests of the rules: small boards drawn as text, and positions taken from random
// stones, generated games and real games.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "generator/BaseGenerator.h"
#include "rules/RuleBoard.h"
#include "tests/engine/LiteralRules.h"

namespace kalvon::test {

struct TStone {
    int Point = NoPointNumber;
    TSide Side = TSide::Black;
};

// A position: its stones, and the points a drawing marks.
struct TPosition {
    std::vector<TStone> Stones;
    std::vector<int> Marks;  // '*' first, then the digits '1'..'9' in their order
};

inline int PointAt(int column, int row) {
    return (column - 1) * 15 + row - 1;
}

// A drawing's rows from top to bottom, one character a point: 'x' black, 'o' white, '.' empty, '*'
// and '1'..'9' empty points the test names, blanks ignored. The drawing's middle point lies at
// (column, row) (H8 unless given).
inline TPosition Drawn(const std::vector<std::string>& rows, int column = 8, int row = 8) {
    TPosition position;
    std::vector<std::string> cells;
    for (const std::string& text : rows) {
        std::string line;
        for (char c : text)
            if (c != ' ') line += c;
        cells.push_back(line);
    }
    const int height = int(cells.size()), width = int(cells.front().size());
    std::vector<std::pair<char, int>> marks;
    for (int y = 0; y < height; ++y) {
        if (int(cells[size_t(y)].size()) != width) throw std::invalid_argument("rows of unequal length");
        for (int x = 0; x < width; ++x) {
            const int c = column - width / 2 + x, r = row + height / 2 - y;
            const char cell = cells[size_t(y)][size_t(x)];
            if (cell == '.') continue;
            if (!TLiteralBoard::OnBoard(c, r)) throw std::invalid_argument("a drawing beyond the board");
            if (cell == 'x' || cell == 'o')
                position.Stones.push_back({PointAt(c, r), cell == 'x' ? TSide::Black : TSide::White});
            else if (cell == '*' || (cell >= '1' && cell <= '9'))
                marks.push_back({cell == '*' ? '0' : cell, PointAt(c, r)});
            else
                throw std::invalid_argument(std::string("unknown cell ") + cell);
        }
    }
    std::sort(marks.begin(), marks.end());
    for (const auto& mark : marks) position.Marks.push_back(mark.second);
    return position;
}

inline void Put(const TPosition& position, TRuleBoard& board) {
    board.Clear();
    for (const TStone& stone : position.Stones) board.Place(stone.Point, stone.Side);
}

inline void Put(const TPosition& position, TLiteralBoard& board) {
    board = TLiteralBoard();
    for (const TStone& stone : position.Stones)
        board.Set(stone.Point / 15 + 1, stone.Point % 15 + 1, TLiteralBoard::StoneOf(stone.Side));
}

// The position as rows of 'x', 'o' and '.', row 15 first, for failure messages.
inline std::string Drawing(const TPosition& position) {
    std::vector<std::string> rows(15, std::string(15, '.'));
    for (const TStone& stone : position.Stones)
        rows[size_t(14 - stone.Point % 15)][size_t(stone.Point / 15)] =
            stone.Side == TSide::Black ? 'x' : 'o';
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// The stones of the first moves of a move string, black first; stops at a code that is no point or a
// point taken.
inline TPosition FromMoves(std::string_view moves, size_t count) {
    TPosition position;
    std::vector<bool> taken(BoardPoints);
    for (size_t k = 0; k < count && 2 * k + 1 < moves.size(); ++k) {
        const int point = PointNumberOfCode(moves.substr(2 * k, 2));
        if (point == NoPointNumber || taken[size_t(point)]) break;
        taken[size_t(point)] = true;
        position.Stones.push_back({point, SideToMove(k)});
    }
    return position;
}

// Stones dropped near each other round the centre, each beside an earlier one; blackShare of them
// black (the rest white), so that crowded black shapes with their recursive threes turn up often.
inline TPosition RandomStones(std::mt19937_64& random, int count, double blackShare) {
    TPosition position;
    std::vector<bool> taken(BoardPoints);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int placed = 0; placed < count;) {
        int c = 8, r = 8;
        if (placed > 0) {
            const TStone& near = position.Stones[random() % position.Stones.size()];
            c = near.Point / 15 + 1 + int(random() % 5) - 2;
            r = near.Point % 15 + 1 + int(random() % 5) - 2;
        }
        if (!TLiteralBoard::OnBoard(c, r) || taken[size_t(PointAt(c, r))]) continue;
        taken[size_t(PointAt(c, r))] = true;
        position.Stones.push_back({PointAt(c, r), unit(random) < blackShare ? TSide::Black : TSide::White});
        ++placed;
    }
    return position;
}

// The move strings of the real games beside the checkout, or none when the file is absent.
inline std::vector<std::string> RealGameMoves() {
    std::vector<std::string> games;
    std::ifstream in(KALVON_SHARED_DATA "/gomocup-standard-2021.bdt", std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        size_t at = line.find('[');
        for (int field = 0; field < 3 && at != std::string::npos; ++field) at = line.find(',', at + 1);
        if (at == std::string::npos) continue;
        games.push_back(line.substr(at + 1, line.find(',', at + 1) - at - 1));
    }
    return games;
}

// The move strings of generated games.
inline std::vector<std::string> GeneratedGameMoves(size_t count, uint64_t seed) {
    std::vector<std::string> games;
    for (const std::string& line : bench::GenerateBaseLines({.Games = count, .Seed = seed})) {
        size_t at = line.find('[');
        for (int field = 0; field < 3; ++field) at = line.find(',', at + 1);
        games.push_back(line.substr(at + 1, line.find(',', at + 1) - at - 1));
    }
    return games;
}

}  // namespace kalvon::test
