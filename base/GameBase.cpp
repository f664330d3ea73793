#include "base/GameBase.h"

#include <algorithm>

#include "base/TextPolicy.h"

namespace kalvon {

size_t TSortedNames::Add(std::string_view text) {
    const TTextPolicy& policy = TextPolicy();
    auto at =
        std::lower_bound(Items_.begin(), Items_.end(), text,
                         [&](const std::string& item, std::string_view t) { return policy.Less(item, t); });
    if (at == Items_.end() || policy.Compare(*at, text) != 0) at = Items_.insert(at, std::string(text));
    return size_t(at - Items_.begin());
}

void TSortedNames::Remove(std::string_view text) {
    const TTextPolicy& policy = TextPolicy();
    auto at =
        std::lower_bound(Items_.begin(), Items_.end(), text,
                         [&](const std::string& item, std::string_view t) { return policy.Less(item, t); });
    if (at != Items_.end() && policy.Compare(*at, text) == 0) Items_.erase(at);
}

int32_t TPlayerCatalogue::IdOf(std::string_view name) const {
    auto at = PlayerIds.find(TextPolicy().SortKey(name));
    return at == PlayerIds.end() ? 0 : at->second;
}

int32_t TPlayerCatalogue::Add(std::string_view name) {
    auto [at, added] = PlayerIds.try_emplace(TextPolicy().SortKey(name), int32_t(PlayerRecords.size() + 1));
    if (added) {
        PlayerRecords.push_back({at->second, std::string(name)});
        PlayerNames.Add(name);
    }
    return at->second;
}

void TPlayerCatalogue::clear() {
    PlayerNames.clear();
    PlayerIds.clear();
    PlayerRecords.clear();
}

bool TTurnCatalogue::Contains(std::string_view year) const {
    return TurnIds.contains(TextPolicy().SortKey(year));
}

void TTurnCatalogue::Add(std::string_view year) {
    if (TurnIds.try_emplace(TextPolicy().SortKey(year), int32_t(TurnIds.size() + 1)).second)
        TurnNames.Add(year);
}

void TTurnCatalogue::clear() {
    TurnNames.clear();
    TurnIds.clear();
}

void ClearLists(TGameBase& base) {
    base.EditMode = false;
    base.CurrentParty = NoParty;
    base.PlayerCatalogue.clear();
    base.TurnCatalogue.clear();
    base.Listing.clear();
    base.PartyList.Games_.clear();
    NoteReset(base);
    base.ForwardMoves.clear();
}

void ClearBoardGrid(TBoardGame& base) {
    for (auto& column : base.BoardGrid) column.fill(0);
}

}  // namespace kalvon
