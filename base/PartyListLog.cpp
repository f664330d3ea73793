#include "base/PartyListLog.h"

#include <algorithm>
#include <atomic>

#include "base/GameBase.h"

namespace kalvon {

namespace {

uint64_t NextGeneration() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

void Note(TBaseGames& base, TPartyListChange change) {
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

std::optional<std::vector<uint32_t>> PositionsSince(const TBaseGames& base, uint64_t since, size_t size) {
    std::vector<const TPartyListChange*> changes;
    if (!base.PartyListChanges.ChangesSince(since, base.PartyListGeneration, changes)) return std::nullopt;
    std::vector<uint32_t> at(size);
    for (size_t g = 0; g < size; ++g) at[g] = uint32_t(g);
    for (const TPartyListChange* change : changes) {
        switch (change->Kind) {
            case TPartyListChange::TKind::Appended:
            case TPartyListChange::TKind::Replaced:
                break;  // the games that were there keep their places
            case TPartyListChange::TKind::Removed: {
                const std::vector<uint32_t>& removed = change->Positions;
                for (uint32_t& position : at) {
                    if (position == NoGame) continue;
                    const auto before = std::lower_bound(removed.begin(), removed.end(), position);
                    position = before != removed.end() && *before == position
                                   ? NoGame
                                   : position - uint32_t(before - removed.begin());
                }
                break;
            }
            case TPartyListChange::TKind::Renumbered:
                for (uint32_t& position : at)
                    if (position != NoGame) {
                        if (position >= change->Positions.size()) return std::nullopt;
                        position = change->Positions[position];
                    }
                break;
        }
    }
    return at;
}

void NoteAppended(TBaseGames& base, size_t from, size_t count) {
    Note(base, {.Kind = TPartyListChange::TKind::Appended, .From = from, .Count = count, .Positions = {}});
}

void NoteReplaced(TBaseGames& base, size_t position) {
    Note(base, {.Kind = TPartyListChange::TKind::Replaced, .From = position, .Count = 1, .Positions = {}});
}

void NoteRemoved(TBaseGames& base, std::vector<uint32_t> positions) {
    const size_t count = positions.size();
    Note(base, {.Kind = TPartyListChange::TKind::Removed, .Count = count, .Positions = std::move(positions)});
}

void NoteRenumbered(TBaseGames& base, std::vector<uint32_t> newPositions) {
    const size_t count = newPositions.size();
    Note(base,
         {.Kind = TPartyListChange::TKind::Renumbered, .Count = count, .Positions = std::move(newPositions)});
}

void NoteReset(TBaseGames& base) {
    base.PartyListChanges.Clear();
    base.PartyListGeneration = NextGeneration();
}

}  // namespace kalvon
