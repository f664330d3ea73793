#include "base/BaseLine.h"

#include <algorithm>

#include "base/LineFields.h"
#include "base/TextFields.h"

namespace kalvon {

void AppendBaseLine(std::string& out, const TBaseLineParts& parts) {
    out += parts.Year;
    out += ',';
    AppendBoardCode(out, parts.Board);
    out += "=[";
    out += parts.Black;
    out += ',';
    out += parts.White;
    out += ',';
    out += parts.Result;
    out += ',';
    out += parts.Moves;
    out += ',';
    out += parts.Alt;
    out += parts.Reverse ? ",R]" : ",-]";
}

void AppendBaseLine(std::string& out, const TBaseGames& base, const TPartyRecord& party) {
    const auto& players = base.PlayerCatalogue.PlayerRecords;
    auto name = [&](int32_t id) -> std::string_view {
        return id >= 1 && size_t(id) <= players.size() ? std::string_view(players[size_t(id - 1)].Name) : "";
    };
    AppendBaseLine(out, {.Year = party.Year,
                         .Board = party.Board,
                         .Black = name(party.BlackId),
                         .White = name(party.WhiteId),
                         .Result = party.Result,
                         .Moves = party.Moves,
                         .Alt = party.Alt,
                         .Reverse = party.Reverse});
}

std::string FormatBaseLine(const TBaseGames& base, const TPartyRecord& party) {
    std::string line;
    AppendBaseLine(line, base, party);
    return line;
}

TPartyRecord ParseBaseLine(std::string_view line, std::string& blackName, std::string& whiteName) {
    const TLineFields fields = SplitLine(Trim(line));
    blackName = fields.Black;
    whiteName = fields.White;
    TPartyRecord party;
    FillRecord(party, fields);
    return party;
}

std::string FoldedKey(std::string_view year, std::string_view board) {
    std::string key;
    key.reserve(year.size() + 1 + std::max(board.size(), BoardCodeWidth));
    key += year;
    key += ',';
    AppendBoardCode(key, board);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return key;
}

std::string FoldedKey(std::string_view line) {
    // Only the year and the board are cut, as SplitLine cuts them.
    line = Trim(line);
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) return FoldedKey(line, {});
    const size_t equals = line.find('=', comma + 1);
    return FoldedKey(line.substr(0, comma),
                     line.substr(comma + 1, equals == std::string_view::npos ? equals : equals - comma - 1));
}

std::string ResultDamage(std::string_view result) {
    if (result.empty()) return "the result is empty";
    return Concat({"the result ", QuoteShort(result), " is none of + - = F f ?"});
}

std::string MovesDamage(std::string_view moves, size_t at) {
    if (at >= moves.size())
        return Concat({"the moves have an odd number of characters: ",
                       QuoteShort(moves.substr(moves.size() - 1)), " is half a point"});
    return Concat({"the moves hold ", QuoteShort(moves.substr(at & ~size_t(1), 2)),
                   ", which is no point of the board"});
}

std::string AltDamage() {
    return "the alternative is blank (a save writes \"?\")";
}

std::string FlagDamage(std::string_view flag) {
    return Concat({"the flag ", QuoteShort(flag), " is neither R nor -"});
}

std::optional<std::string> CheckBaseField(std::string_view fieldCaption, std::string_view text) {
    for (char c : text) {
        if (c == ',' || c == '=')
            return std::string(fieldCaption) + " may not contain the character \"" + c + "\".";
        if (static_cast<unsigned char>(c) < 32)
            return std::string(fieldCaption) + " may not contain a line break or another control character.";
    }
    if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
        return std::string(fieldCaption) + " may not begin or end with a blank.";
    return std::nullopt;
}

}  // namespace kalvon
