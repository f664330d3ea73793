#include "base/PartyEntry.h"

#include <algorithm>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"

namespace kalvon {

namespace {

struct TField {
    const char* Caption;
    std::string_view Text;
};

}  // namespace

std::optional<std::string> CheckAlternative(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text == "?") return std::nullopt;
    auto isPoint = [](std::string_view point) { return PointTextToCode(AsciiUpper(Trim(point))) != "?"; };
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        if (isPoint(text)) return std::nullopt;
    } else {
        const std::string_view first = text.substr(0, dash), second = text.substr(dash + 1);
        if (isPoint(first) && isPoint(second)) {
            if (PointTextToCode(AsciiUpper(Trim(first))) != PointTextToCode(AsciiUpper(Trim(second))))
                return std::nullopt;
            return Concat({"5 A = offers two different points, not ", QuoteShort(text), "."});
        }
    }
    return Concat(
        {"5 A = takes a point such as J9, two points joined by \"-\" such as H8-J9 (an offered "
         "pair), or nothing; ",
         QuoteShort(text), " is none of them."});
}

std::optional<std::string> CheckPartyEntry(const TPartyEntry& entry) {
    for (const TField& field :
         {TField{"Black", entry.Black}, TField{"White", entry.White}, TField{"Year", entry.Year},
          TField{"Board", entry.Board}, TField{"5 A =", entry.Alt}})
        if (auto refused = CheckBaseField(field.Caption, Trim(field.Text))) return refused;
    return CheckAlternative(entry.Alt);
}

long GameWithKey(const TGameBase& base, std::string_view year, std::string_view board, long excluded) {
    const std::string key = FoldedKey(Trim(year), Trim(board));
    for (size_t g = 0; g < base.PartyList.size(); ++g) {
        const TPartyRecord& party = base.PartyList[g];
        if (long(g) != excluded && FoldedKey(party.Year, party.Board) == key) return long(g);
    }
    return NoParty;
}

long StorePartyEntry(TGameBase& base, const TPartyEntry& entry, const std::string& moves, long position,
                     const std::string& path, IBaseUi& ui) {
    if (const std::optional<std::string> refused = CheckPartyEntry(entry)) {
        ui.ShowMessage(*refused);
        return NoParty;
    }
    const bool edit = position >= 0 && size_t(position) < base.PartyList.size();
    // The catalogues only grow here; a copy brings them back when the file cannot be written.
    const TPlayerCatalogue players = base.PlayerCatalogue;
    const TTurnCatalogue years = base.TurnCatalogue;

    TPartyRecord party;
    std::string board;
    AppendBoardCode(board, Trim(entry.Board));
    party.Board = board;
    party.Year = Trim(entry.Year);
    base.TurnCatalogue.Add(party.Year);
    // The white name is looked up after the black one was added: one new name for both colours is
    // one player.
    party.BlackId = base.PlayerCatalogue.Add(Trim(entry.Black));
    party.WhiteId = base.PlayerCatalogue.Add(Trim(entry.White));
    party.Result = entry.Result;
    party.Moves = moves;
    const std::string_view alt = Trim(entry.Alt);
    party.Alt = alt.empty() ? std::string("?") : std::string(alt);
    party.Reverse = entry.Reverse;

    std::optional<TPartyRecord> replaced;
    if (edit) {
        replaced = base.PartyList[size_t(position)];
        ReplaceParty(base, position, std::move(party));
    } else {
        position = long(base.PartyList.size());
        base.PartyList.Games_.push_back(std::move(party));
        NoteAppended(base, size_t(position), 1);
    }
    std::vector<uint32_t> order;
    if (SaveBase(base, path, ui, &order)) {
        // Memory takes the file's order, so that the game's number is the one the file gives it.
        const auto line = std::find(order.begin(), order.end(), uint32_t(position));
        ReorderParties(base, order);
        return long(line - order.begin());
    }

    if (replaced)
        ReplaceParty(base, position, std::move(*replaced));
    else {
        base.PartyList.Games_.pop_back();
        NoteRemoved(base, {uint32_t(position)});
    }
    base.PlayerCatalogue = players;
    base.TurnCatalogue = years;
    return NoParty;
}

}  // namespace kalvon
