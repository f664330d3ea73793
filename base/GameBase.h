// The vocabulary of a base and the one process-wide state that holds it in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/CompactText.h"
#include "base/LargeArray.h"
#include "base/PartyListLog.h"

namespace kalvon {

inline constexpr int BoardSize = 15;
// The k-th character stands for index k (1..15) in a PointCode.
inline constexpr std::string_view PointDigits = "123456789ABCDEF";
// Column letters as shown to the user; there is no I.
inline constexpr std::string_view ColumnLetters = "ABCDEFGHJKLMNOP";

// One game of the base.
struct TPartyRecord {
    TCompactText Board;  // right-aligned in 5 characters; its first character is the game's group
    TCompactText Year;
    TCompactText Moves;  // PointCodes in playing order
    TCompactText Alt{std::string_view("?")};
    int32_t BlackId = 0;
    int32_t WhiteId = 0;
    char Result = '?';
    bool Reverse = false;
};

// The games of a base, in PartyList order.
using TPartyRecords = TLargeVector<TPartyRecord>;

struct TPlayerRecord {
    int32_t Id = 0;  // always the record's position in PlayerRecords plus one
    std::string Name;
};

// Distinct texts kept in collation order, equal when they differ in letter case alone (as
// TTextPolicy::CatalogueKey tells); the spelling met first survives. Shared by the player and the year
// catalogues.
class TSortedNames {
public:
    const std::vector<std::string>& Items() const { return Items_; }
    size_t size() const { return Items_.size(); }
    // Adds the text unless an equal one is present; returns its position either way.
    size_t Add(std::string_view text);
    // Takes already sorted, distinct entries in one go (the loader sorts once).
    void Assign(std::vector<std::string> sortedDistinct) { Items_ = std::move(sortedDistinct); }
    // Removes the entry equal to the text, if any.
    void Remove(std::string_view text);
    void clear() { Items_.clear(); }

private:
    std::vector<std::string> Items_;
};

struct TPlayerCatalogue {
    TSortedNames PlayerNames;
    std::unordered_map<std::string, int32_t> PlayerIds;  // CatalogueKey of a name -> id
    std::vector<TPlayerRecord> PlayerRecords;            // entry id-1 is the player with that id

    // The id of the player of that name (letter case ignored), or 0 when unknown.
    int32_t IdOf(std::string_view name) const;
    // The id of the player, adding the player with the next free id when unknown.
    int32_t Add(std::string_view name);
    void clear();
};

struct TTurnCatalogue {
    TSortedNames TurnNames;
    std::unordered_map<std::string, int32_t> TurnIds;  // CatalogueKey of a year -> n

    bool Contains(std::string_view year) const;
    // Adds the year with the next number when it is new.
    void Add(std::string_view year);
    void clear();
};

using TBoardGrid = std::array<std::array<int, BoardSize + 1>, BoardSize + 1>;  // [column][row], 1..15

inline constexpr long NoParty = -1;

// Games by their positions in PartyList, as the selection lists them. Four bytes a game: a search that
// lists most of a large base writes the whole list.
using TListing = std::vector<int32_t>;

struct TGameBase;
struct TLoadReport;
struct TBaseMark;
struct TPartyEntry;
class IBaseUi;

// The games of a base in load order; a game is known by its position here. Everyone reads them; only
// the engine's edit routines below change them, and each notes its change in the log that the search
// index follows, so that no change can pass the index by.
class TPartyList {
public:
    using const_iterator = TPartyRecords::const_iterator;
    size_t size() const { return Games_.size(); }
    bool empty() const { return Games_.empty(); }
    const TPartyRecord& operator[](size_t position) const { return Games_[position]; }
    const TPartyRecord& at(size_t position) const { return Games_.at(position); }
    const TPartyRecord& front() const { return Games_.front(); }
    const TPartyRecord& back() const { return Games_.back(); }
    const_iterator begin() const { return Games_.begin(); }
    const_iterator end() const { return Games_.end(); }
    operator const TPartyRecords&() const { return Games_; }  // reads as the list it is

private:
    friend bool LoadBase(TGameBase&, const std::string&, IBaseUi&, TLoadReport&, size_t);
    friend void LoadBaseText(TGameBase&, std::string_view, const std::string&, IBaseUi&, TLoadReport&);
    friend void AddBaseLine(TGameBase&, std::string_view);
    friend bool ReplaceParty(TGameBase&, long, TPartyRecord);
    friend void RemoveAddedSince(TGameBase&, const TBaseMark&);
    friend void RemoveListedParties(TGameBase&);
    friend bool DeleteListedParties(TGameBase&, const std::string&, IBaseUi&);
    friend long StorePartyEntry(TGameBase&, const TPartyEntry&, const std::string&, long, const std::string&,
                                IBaseUi&);
    friend void ClearLists(TGameBase&);
    friend bool ReorderParties(TGameBase&, const std::vector<uint32_t>&);
    TPartyRecords Games_;
};

// The base in memory: its games and their catalogues.
struct TBaseGames {
    TPartyList PartyList;
    TPlayerCatalogue PlayerCatalogue;
    TTurnCatalogue TurnCatalogue;
    // Moves with every change of PartyList (loading, adding, editing, deleting, clearing, renumbering),
    // so that data kept beside the games, such as the search index, can tell that it is out of date;
    // the recent changes themselves let it catch up without starting over. Only the Note routines of
    // PartyListLog.h move them.
    uint64_t PartyListGeneration = 0;
    TPartyListLog PartyListChanges;
};

// The selection: the games the last search (or the user) chose.
struct TSelection {
    TListing Listing;  // positions in PartyList, in display order
};

// The game on the board.
struct TBoardGame {
    long CurrentParty = NoParty;  // the game opened from the base, or NoParty
    std::string CurrentMoves;     // the moves on the board
    std::string ForwardMoves;     // moves taken back, the next one to replay first
    TBoardGrid BoardGrid{};       // 0 = empty point
    bool EditMode = false;        // "Save Game" stores over CurrentParty
};

// The three as the program holds them: one base, its selection and the game on the board. Routines
// that need only one part take that part; those that keep them in step (a load empties the selection,
// a deletion forgets the game being edited) take the whole. The program owns one; tests build their
// own.
struct TGameBase : TBaseGames, TSelection, TBoardGame {
    const TPartyRecord* CurrentRecord() const {
        return CurrentParty >= 0 && CurrentParty < long(PartyList.size()) ? &PartyList[size_t(CurrentParty)]
                                                                          : nullptr;
    }
};

// Empties the base in memory: games, catalogues, the selection and the game opened for editing.
void ClearLists(TGameBase& base);
// Sets all 225 points of BoardGrid to empty.
void ClearBoardGrid(TBoardGame& base);

}  // namespace kalvon
