// The Gomocup reader: "Piskvorky 15x15, 11:11, 0", a line "x,y,ms" per move (x from the left, y from
// the top, both from 1), then the trailer: the engines' names (often as their ".zip" files) and
// lines with result codes.
#include <array>
#include <vector>

#include "base/GameBase.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
#include "exchange/GameReaders.h"

namespace kalvon {

namespace {

// The number a text of digits (with an optional "-" before them) stands for; false for anything else
// and for numbers beyond a few digits.
bool ParseNumber(std::string_view text, int& number) {
    text = Trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 6) return false;
    number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (negative) number = -number;
    return true;
}

// A move line "x,y" or "x,y,ms": the point; false when the line is none.
bool ParseMoveLine(std::string_view line, int& x, int& y) {
    size_t cursor = 1;
    std::string_view first, second, time;
    if (!SplitField(line, cursor, ',', first) || !SplitField(line, cursor, ',', second)) return false;
    if (!ParseNumber(first, x) || !ParseNumber(second, y)) return false;
    if (SplitField(line, cursor, ',', time)) {
        int ms = 0;
        if (!ParseNumber(time, ms)) return false;
    }
    return cursor > line.size();
}

// Whether a line begins as a move line does, with a number and a comma ("8,x9,0").
bool LooksLikeMoveLine(std::string_view line) {
    const size_t comma = line.find(',');
    int number = 0;
    return comma != std::string_view::npos && comma > 0 && ParseNumber(line.substr(0, comma), number);
}

// An engine's name as the trailer gives it, without the ".zip" of its file (letter case ignored).
std::string_view WithoutZipEnding(std::string_view name) {
    constexpr std::string_view Zip = ".ZIP";
    if (name.size() > Zip.size() && AsciiUpper(name.substr(name.size() - Zip.size())) == Zip)
        name.remove_suffix(Zip.size());
    return name;
}

// The board size "W x H" of the first line "Piskvorky 15x15, 11:11, 0" and the side that began (its
// third field; 0 when absent); false when the line is no such line.
bool ParseHeader(std::string_view line, int& width, int& height, int& began) {
    constexpr std::string_view Name = "Piskvorky";
    line = Trim(line);
    if (!line.starts_with(Name)) return false;
    line.remove_prefix(Name.size());
    std::vector<std::string_view> fields;
    size_t cursor = 1;
    for (std::string_view field; SplitField(line, cursor, ',', field);) fields.push_back(field);
    const std::string_view size = fields.front();
    const size_t times = size.find('x');
    if (times == std::string_view::npos || !ParseNumber(size.substr(0, times), width) ||
        !ParseNumber(size.substr(times + 1), height))
        return false;
    began = 0;
    if (fields.size() >= 3 && !ParseNumber(fields[2], began)) began = 0;
    return true;
}

// Whether the last move forms a row of five or more stones of its side.
bool LastMoveMakesFive(std::string_view moves) {
    if (moves.size() < 2) return false;
    std::array<std::array<int, BoardSize + 2>, BoardSize + 2> grid{};  // 0 empty, 1 black, 2 white
    for (size_t at = 0; at + 1 < moves.size(); at += 2)
        grid[size_t(PointDigitValue(moves[at]))][size_t(PointDigitValue(moves[at + 1]))] = (at / 2) % 2 + 1;
    const size_t last = moves.size() - 2;
    const int column = PointDigitValue(moves[last]), row = PointDigitValue(moves[last + 1]);
    const int side = grid[size_t(column)][size_t(row)];
    for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}, std::pair{1, -1}}) {
        int count = 1;
        for (const int sign : {1, -1})
            for (int c = column + sign * dc, r = row + sign * dr;
                 c >= 1 && c <= BoardSize && r >= 1 && r <= BoardSize && grid[size_t(c)][size_t(r)] == side;
                 c += sign * dc, r += sign * dr)
                ++count;
        if (count >= 5) return true;
    }
    return false;
}

}  // namespace

void ReadPsq(std::string_view text, const std::string& shownName, int year, IImportSink& sink) {
    const std::vector<std::string_view> lines = SplitLines(text);
    auto refuse = [&](size_t line, std::string reason) {
        sink.Refused(
            {shownName, line == 0 ? std::string() : "line " + std::to_string(line), std::move(reason)});
    };
    int width = 0, height = 0, began = 0;
    if (lines.empty() || !ParseHeader(lines[0], width, height, began)) {
        refuse(lines.empty() ? 0 : 1, "no first line \"Piskvorky 15x15, ...\": no Gomocup record");
        return;
    }
    if (width != BoardSize || height != BoardSize) {
        refuse(1,
               Concat({"the board is ", std::to_string(width), "x", std::to_string(height), ", not 15x15"}));
        return;
    }
    if (!IsImportedYear(year)) {
        refuse(0, Concat({"the year ", std::to_string(year), " is no year of a game"}));
        return;
    }
    TImportedGame game;
    game.Year = year;
    std::string reason;
    if (!SetImportedBoard(game, 'g', ImportedFileStem(shownName), reason)) {
        refuse(0, reason);
        return;
    }
    size_t at = 1;
    for (int x = 0, y = 0; at < lines.size() && ParseMoveLine(lines[at], x, y); ++at) {
        if (!AppendImportedMove(game, x, BoardSize + 1 - y, reason)) {
            refuse(at + 1, Concat({reason, " (", Trim(lines[at]), ")"}));
            return;
        }
    }
    // After the moves, the trailer: the names of the side that began and of the other (often the
    // engines' files, "KATAGOMO21.R.zip"), and result codes ("-1"). Which side won is read from the
    // moves instead. A trailer line that looks like a move, or a move after the trailer began, is a
    // damaged record: refused whole rather than read cut short with move text as names.
    std::vector<std::pair<size_t, std::string_view>> names;
    for (size_t i = at; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        int x = 0, y = 0, code = 0;
        if (line.empty() || ParseNumber(line, code)) continue;
        if (ParseMoveLine(line, x, y))
            return refuse(i + 1, Concat({"a move (", line, ") after the moves ended on line ",
                                         std::to_string(at + 1), ": the record is damaged"}));
        if (LooksLikeMoveLine(line))
            return refuse(i + 1,
                          Concat({"a damaged move line ", QuoteShort(line), ": no \"x,y\" or \"x,y,ms\""}));
        names.emplace_back(i + 1, WithoutZipEnding(line));
    }
    std::string_view first = "?", second = "?";
    if (!names.empty()) first = names[0].second;
    if (names.size() >= 2) second = names[1].second;
    const std::string_view black = began == 1 ? second : first, white = began == 1 ? first : second;
    game.Black = CleanImportedField(ImportedTextToUtf8(black).value_or(""), "black's name", game, "?");
    game.White = CleanImportedField(ImportedTextToUtf8(white).value_or(""), "white's name", game, "?");
    if (names.size() > 2)
        game.Notes.push_back(Concat({"line ", std::to_string(names[2].first), ": more than two names: ",
                                     QuoteShort(names[2].second), " and after it left out"}));
    if (LastMoveMakesFive(game.Moves)) game.Result = (game.Moves.size() / 2) % 2 == 1 ? '+' : '-';
    sink.Game(std::move(game));
}

}  // namespace kalvon
