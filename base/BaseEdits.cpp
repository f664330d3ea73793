#include "base/BaseEdits.h"

#include <utility>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/TextPolicy.h"

namespace kalvon {

void AddBaseLine(TGameBase& base, std::string_view line) {
    std::string black, white;
    TPartyRecord party = ParseBaseLine(line, black, white);
    base.TurnCatalogue.Add(party.Year);
    party.BlackId = base.PlayerCatalogue.Add(black);
    party.WhiteId = base.PlayerCatalogue.Add(white);
    base.PartyList.Games_.push_back(std::move(party));
    NoteAppended(base, base.PartyList.size() - 1, 1);
}

bool ReplaceParty(TGameBase& base, long position, TPartyRecord party) {
    if (position < 0 || size_t(position) >= base.PartyList.size()) return false;
    base.PartyList.Games_[size_t(position)] = std::move(party);
    NoteReplaced(base, size_t(position));
    return true;
}

TBaseMark MarkBase(const TGameBase& base) {
    return {base.PartyList.size(), base.PlayerCatalogue.PlayerRecords.size(),
            base.TurnCatalogue.TurnIds.size()};
}

void RemoveAddedSince(TGameBase& base, const TBaseMark& mark) {
    if (base.PartyList.size() > mark.Parties) {
        std::vector<uint32_t> removed(base.PartyList.size() - mark.Parties);
        for (size_t i = 0; i < removed.size(); ++i) removed[i] = uint32_t(mark.Parties + i);
        base.PartyList.Games_.resize(mark.Parties);
        std::erase_if(base.Listing, [&](long game) { return game >= long(mark.Parties); });
        if (base.CurrentParty >= long(mark.Parties)) {
            base.CurrentParty = NoParty;
            base.EditMode = false;
        }
        NoteRemoved(base, std::move(removed));
    }
    TPlayerCatalogue& players = base.PlayerCatalogue;
    while (players.PlayerRecords.size() > mark.Players) {
        const std::string name = players.PlayerRecords.back().Name;
        players.PlayerIds.erase(TextPolicy().CatalogueKey(name));
        players.PlayerNames.Remove(name);
        players.PlayerRecords.pop_back();
    }
    // Years carry the number of their arrival; the run's years are the ones numbered past the mark.
    TTurnCatalogue& turns = base.TurnCatalogue;
    if (turns.TurnIds.size() > mark.Years) {
        std::vector<std::string> added;
        for (const std::string& year : turns.TurnNames.Items())
            if (turns.TurnIds.at(TextPolicy().CatalogueKey(year)) > int32_t(mark.Years))
                added.push_back(year);
        for (const std::string& year : added) {
            turns.TurnIds.erase(TextPolicy().CatalogueKey(year));
            turns.TurnNames.Remove(year);
        }
    }
}

namespace {

// The games Listing names, marked by their positions; a position listed twice is still one game.
std::vector<bool> ListedGames(const TGameBase& base) {
    std::vector<bool> listed(base.PartyList.size(), false);
    for (long position : base.Listing)
        if (position >= 0 && position < long(base.PartyList.size())) listed[size_t(position)] = true;
    return listed;
}

// Removes the marked games in one pass that keeps the others in their order, and clears Listing.
void RemoveGames(TGameBase& base, TPartyRecords& games, const std::vector<bool>& listed) {
    const long current = base.CurrentParty;
    const bool currentRemoved = current >= 0 && current < long(listed.size()) && listed[size_t(current)];
    size_t kept = 0;
    std::vector<uint32_t> removed;
    for (size_t i = 0; i < games.size(); ++i) {
        if (listed[i]) {
            removed.push_back(uint32_t(i));
            continue;
        }
        if (long(i) == current) base.CurrentParty = long(kept);
        if (kept != i) games[kept] = std::move(games[i]);
        ++kept;
    }
    games.resize(kept);
    NoteRemoved(base, std::move(removed));
    if (currentRemoved) {
        base.CurrentParty = NoParty;
        base.EditMode = false;
    }
    base.Listing.clear();
}

}  // namespace

void RemoveListedParties(TGameBase& base) {
    RemoveGames(base, base.PartyList.Games_, ListedGames(base));
}

bool ReorderParties(TGameBase& base, const std::vector<uint32_t>& fileOrder) {
    const size_t n = base.PartyList.size();
    if (fileOrder.size() != n) return false;
    std::vector<uint32_t> newPosition(n, UINT32_MAX);
    bool moved = false;
    for (size_t line = 0; line < n; ++line) {
        const uint32_t old = fileOrder[line];
        if (old >= n || newPosition[old] != UINT32_MAX) return false;
        newPosition[old] = uint32_t(line);
        moved = moved || old != line;
    }
    if (!moved) return true;
    // The games move along the cycles of the order in place: a million games need no second copy.
    TPartyRecords& games = base.PartyList.Games_;
    std::vector<bool> placed(n, false);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start] || fileOrder[start] == start) continue;
        TPartyRecord first = std::move(games[start]);
        size_t line = start;
        while (fileOrder[line] != start) {
            games[line] = std::move(games[fileOrder[line]]);
            placed[line] = true;
            line = fileOrder[line];
        }
        games[line] = std::move(first);
        placed[line] = true;
    }
    for (int32_t& listed : base.Listing)
        if (listed >= 0 && size_t(listed) < n) listed = int32_t(newPosition[size_t(listed)]);
    if (base.CurrentParty >= 0 && size_t(base.CurrentParty) < n)
        base.CurrentParty = long(newPosition[size_t(base.CurrentParty)]);
    NoteRenumbered(base, std::move(newPosition));
    return true;
}

bool DeleteListedParties(TGameBase& base, const std::string& path, IBaseUi& ui) {
    const std::vector<bool> listed = ListedGames(base);
    // The file is written without the listed games while memory still holds them all, so that a
    // failed save leaves both as they were.
    std::vector<uint32_t> order;
    if (!SaveBase(base, path, ui, listed, &order)) return false;
    // The order names positions from before the removal: each game kept moves down by the games
    // removed before it.
    std::vector<uint32_t> removedBefore(listed.size() + 1, 0);
    for (size_t g = 0; g < listed.size(); ++g) removedBefore[g + 1] = removedBefore[g] + (listed[g] ? 1 : 0);
    for (uint32_t& game : order) game -= removedBefore[game];
    RemoveGames(base, base.PartyList.Games_, listed);
    ReorderParties(base, order);
    return true;
}

}  // namespace kalvon
