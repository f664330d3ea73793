#include "base/BaseLine.h"

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
