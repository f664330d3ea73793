#include "base/GameBase.h"

#include <algorithm>

#include "base/TextPolicy.h"

namespace kalvon {

namespace {

// The entry equal to the text (letter case ignored, nothing else), or where it would stand: in
// collation order, and among texts the collation takes for equal (which may differ in more than
// letter case) in the order of their folded bytes, as CatalogueKey orders them.
std::vector<std::string>::iterator FindName(std::vector<std::string>& items, std::string_view text,
                                            bool& found) {
    const TTextPolicy& policy = TextPolicy();
    const std::string folded = policy.FoldedCase(text);
    auto at =
        std::lower_bound(items.begin(), items.end(), text, [&](const std::string& item, std::string_view t) {
            const int order = policy.Compare(item, t);
            return order != 0 ? order < 0 : policy.FoldedCase(item) < folded;
        });
    found = at != items.end() && policy.Compare(*at, text) == 0 && policy.FoldedCase(*at) == folded;
    return at;
}

}  // namespace

size_t TSortedNames::Add(std::string_view text) {
    bool found = false;
    auto at = FindName(Items_, text, found);
    if (!found) at = Items_.insert(at, std::string(text));
    return size_t(at - Items_.begin());
}

void TSortedNames::Remove(std::string_view text) {
    bool found = false;
    auto at = FindName(Items_, text, found);
    if (found) Items_.erase(at);
}

int32_t TPlayerCatalogue::IdOf(std::string_view name) const {
    auto at = PlayerIds.find(TextPolicy().CatalogueKey(name));
    return at == PlayerIds.end() ? 0 : at->second;
}

int32_t TPlayerCatalogue::Add(std::string_view name) {
    auto [at, added] =
        PlayerIds.try_emplace(TextPolicy().CatalogueKey(name), int32_t(PlayerRecords.size() + 1));
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
    return TurnIds.contains(TextPolicy().CatalogueKey(year));
}

void TTurnCatalogue::Add(std::string_view year) {
    if (TurnIds.try_emplace(TextPolicy().CatalogueKey(year), int32_t(TurnIds.size() + 1)).second)
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
