#include "base/PartyListLog.h"

#include <atomic>

#include "base/GameBase.h"

namespace kalvon {

namespace {

uint64_t NextGeneration() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

void Note(TGameBase& base, TPartyListChange change) {
    change.Before = base.PartyListGeneration;
    change.After = base.PartyListGeneration = NextGeneration();
    base.PartyListChanges.Record(std::move(change));
}

}  // namespace

bool TPartyListLog::ChangesSince(uint64_t since, uint64_t now,
                                 std::vector<const TPartyListChange*>& changes) const {
    changes.clear();
    if (since == now) return true;
    size_t first = Changes_.size();
    while (first > 0 && Changes_[first - 1].Before != since) --first;
    if (first == 0) return false;
    for (size_t i = first - 1; i < Changes_.size(); ++i) {
        if (i >= first && Changes_[i].Before != Changes_[i - 1].After) return false;
        changes.push_back(&Changes_[i]);
    }
    return Changes_.back().After == now;
}

void TPartyListLog::Record(TPartyListChange change) {
    Changes_.push_back(std::move(change));
    if (Changes_.size() > MaxChanges) Changes_.pop_front();
}

void NoteAppended(TGameBase& base, size_t from, size_t count) {
    Note(base, {.Kind = TPartyListChange::TKind::Appended, .From = from, .Count = count, .Removed = {}});
}

void NoteReplaced(TGameBase& base, size_t position) {
    Note(base, {.Kind = TPartyListChange::TKind::Replaced, .From = position, .Count = 1, .Removed = {}});
}

void NoteRemoved(TGameBase& base, std::vector<uint32_t> positions) {
    const size_t count = positions.size();
    Note(base, {.Kind = TPartyListChange::TKind::Removed, .Count = count, .Removed = std::move(positions)});
}

void NoteReset(TGameBase& base) {
    base.PartyListChanges.Clear();
    base.PartyListGeneration = NextGeneration();
}

}  // namespace kalvon
