// The recent changes of PartyList, recorded by the engine routines that make them, so that data kept
// beside the games (the search index) follows them instead of starting over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace kalvon {

struct TBaseGames;

struct TPartyListChange {
    enum class TKind : uint8_t { Appended, Replaced, Removed, Renumbered };
    TKind Kind = TKind::Appended;
    uint64_t Before = 0, After = 0;  // PartyListGeneration before and after the change
    size_t From = 0, Count = 0;      // Appended: the games From..From+Count-1; Replaced: the game From
    // Removed: the positions the games had, ascending, each once. Renumbered: the new position of the
    // game at each old position (the same games, in another order).
    std::vector<uint32_t> Positions;
};

class TPartyListLog {
public:
    // The changes that lead from generation since to generation now, oldest first; false when the log
    // no longer holds all of them (or never did), and the follower must start over.
    bool ChangesSince(uint64_t since, uint64_t now, std::vector<const TPartyListChange*>& changes) const;
    // Adds a change; only the latest changes are kept, enough for the games a folder command adds.
    void Record(TPartyListChange change);
    void Clear() { Changes_.clear(); }

private:
    static constexpr size_t MaxChanges = 4096;
    std::deque<TPartyListChange> Changes_;
};

// Where the games that stood at positions 0..size-1 of PartyList at generation since stand now: the
// new position of each (NoGame for a game removed since), composed from the recorded changes;
// nullopt when the log no longer holds them all (the games were read anew, say).
inline constexpr uint32_t NoGame = UINT32_MAX;
std::optional<std::vector<uint32_t>> PositionsSince(const TBaseGames& base, uint64_t since, size_t size);

// Each records one change of PartyList and moves PartyListGeneration to a number that no base held
// before, so that a follower never mistakes one base for another.
void NoteAppended(TBaseGames& base, size_t from, size_t count);
void NoteReplaced(TBaseGames& base, size_t position);
// positions: the positions the removed games had, ascending, each once.
void NoteRemoved(TBaseGames& base, std::vector<uint32_t> positions);
// newPositions: the new position of the game at each old position, every game kept.
void NoteRenumbered(TBaseGames& base, std::vector<uint32_t> newPositions);
// Any other change (loading, clearing): followers start over.
void NoteReset(TBaseGames& base);

}  // namespace kalvon
