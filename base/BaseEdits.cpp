#include "base/BaseEdits.h"

#include <algorithm>

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
    base.PartyList.push_back(std::move(party));
    NoteAppended(base, base.PartyList.size() - 1, 1);
}

bool ReplaceParty(TGameBase& base, long position, TPartyRecord party) {
    if (position < 0 || size_t(position) >= base.PartyList.size()) return false;
    base.PartyList[size_t(position)] = std::move(party);
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
        base.PartyList.resize(mark.Parties);
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
        players.PlayerIds.erase(TextPolicy().SortKey(name));
        players.PlayerNames.Remove(name);
        players.PlayerRecords.pop_back();
    }
    // Years carry the number of their arrival; the run's years are the ones numbered past the mark.
    TTurnCatalogue& turns = base.TurnCatalogue;
    if (turns.TurnIds.size() > mark.Years) {
        std::vector<std::string> added;
        for (const std::string& year : turns.TurnNames.Items())
            if (turns.TurnIds.at(TextPolicy().SortKey(year)) > int32_t(mark.Years)) added.push_back(year);
        for (const std::string& year : added) {
            turns.TurnIds.erase(TextPolicy().SortKey(year));
            turns.TurnNames.Remove(year);
        }
    }
}

void RemoveListedParties(TGameBase& base) {
    // One pass keeps the games not listed; a position listed twice is still one game.
    std::vector<bool> listed(base.PartyList.size(), false);
    for (long position : base.Listing)
        if (position >= 0 && position < long(base.PartyList.size())) listed[size_t(position)] = true;
    const long current = base.CurrentParty;
    const bool currentRemoved = current >= 0 && current < long(listed.size()) && listed[size_t(current)];
    size_t kept = 0;
    std::vector<uint32_t> removed;
    for (size_t i = 0; i < base.PartyList.size(); ++i) {
        if (listed[i]) {
            removed.push_back(uint32_t(i));
            continue;
        }
        if (long(i) == current) base.CurrentParty = long(kept);
        if (kept != i) base.PartyList[kept] = std::move(base.PartyList[i]);
        ++kept;
    }
    base.PartyList.resize(kept);
    NoteRemoved(base, std::move(removed));
    if (currentRemoved) {
        base.CurrentParty = NoParty;
        base.EditMode = false;
    }
    base.Listing.clear();
}

bool DeleteListedParties(TGameBase& base, const std::string& path, IBaseUi& ui) {
    // One pass keeps the games not listed; a position listed twice is still one game.
    std::vector<bool> listed(base.PartyList.size(), false);
    for (long position : base.Listing)
        if (position >= 0 && position < long(base.PartyList.size())) listed[size_t(position)] = true;
    std::vector<TPartyRecord> all = std::move(base.PartyList), kept, removed;
    kept.reserve(all.size());
    for (size_t i = 0; i < all.size(); ++i) (listed[i] ? removed : kept).push_back(std::move(all[i]));
    base.PartyList = std::move(kept);
    if (!SaveBase(base, path, ui)) {
        // The file keeps every game, so memory does too: the games go back to their places.
        kept = std::move(base.PartyList);
        base.PartyList.clear();
        size_t k = 0, r = 0;
        for (size_t i = 0; i < listed.size(); ++i)
            base.PartyList.push_back(std::move(listed[i] ? removed[r++] : kept[k++]));
        return false;
    }
    std::vector<uint32_t> removedPositions;
    for (size_t i = 0; i < listed.size(); ++i)
        if (listed[i]) removedPositions.push_back(uint32_t(i));
    NoteRemoved(base, std::move(removedPositions));
    const long current = base.CurrentParty;
    if (current >= 0 && current < long(listed.size())) {
        if (listed[size_t(current)]) {
            base.CurrentParty = NoParty;
            base.EditMode = false;
        } else {
            base.CurrentParty = current - long(std::count(listed.begin(), listed.begin() + current, true));
        }
    }
    base.Listing.clear();
    return true;
}

}  // namespace kalvon
