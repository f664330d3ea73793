#include "base/BaseFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <unordered_map>

#include "base/GameTexts.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

namespace kalvon {

namespace {

// The fields of one base line as they stand in the text.
struct TLineFields {
    std::string_view Year, Board, Black, White, Result, Moves, Alt, Flag;
};

TLineFields SplitLine(std::string_view line) {
    TLineFields f;
    size_t cursor = 1;
    SplitField(line, cursor, ',', f.Year);
    SplitField(line, cursor, '=', f.Board);
    // The characters right after "=" and at the very end are "[" and "]"; they are dropped unread.
    std::string_view inner;
    if (cursor + 1 <= line.size()) inner = line.substr(cursor, line.size() - 1 - cursor);
    size_t at = 1;
    for (std::string_view* field : {&f.Black, &f.White, &f.Result, &f.Moves, &f.Alt, &f.Flag})
        SplitField(inner, at, ',', *field);
    return f;
}

std::string PadBoard(std::string_view board) {
    return board.size() >= 5 ? std::string(board) : std::string(5 - board.size(), ' ') + std::string(board);
}

TPartyRecord RecordOf(const TLineFields& f) {
    TPartyRecord party;
    party.Year = f.Year;
    party.Board = PadBoard(f.Board);
    party.Result = f.Result.empty() ? '?' : f.Result[0];
    party.Moves = f.Moves;
    party.Alt = Trim(f.Alt).empty() ? std::string("?") : std::string(f.Alt);
    party.Reverse = f.Flag == "R";
    return party;
}

// Distinct texts met in a file, the first spelling of each kept, looked up by their exact bytes first
// so that the collation runs once per spelling rather than once per line. The spellings it is given
// must outlive it.
class TSpellings {
public:
    uint32_t Slot(std::string_view spelling) {
        auto known = BySpelling_.find(spelling);
        if (known != BySpelling_.end()) return known->second;
        std::string key = TextPolicy().SortKey(spelling);
        auto [at, added] = ByKey_.try_emplace(std::move(key), uint32_t(Entries_.size()));
        if (added) Entries_.push_back({std::string(spelling), at->first});
        BySpelling_.emplace(spelling, at->second);
        return at->second;
    }
    // The slots in collation order.
    std::vector<uint32_t> SortedSlots() const {
        std::vector<uint32_t> order(Entries_.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return Entries_[a].Key < Entries_[b].Key; });
        return order;
    }
    const std::string& Spelling(uint32_t slot) const { return Entries_[slot].Spelling; }
    const std::string& Key(uint32_t slot) const { return Entries_[slot].Key; }

private:
    struct TEntry {
        std::string Spelling, Key;
    };
    std::unordered_map<std::string_view, uint32_t> BySpelling_;
    std::unordered_map<std::string, uint32_t> ByKey_;
    std::vector<TEntry> Entries_;
};

// The number of the line that holds the byte at offset, counting line ends as SplitLines does.
size_t LineOfOffset(std::string_view text, size_t offset) {
    size_t line = 1;
    for (size_t i = 0; i < offset; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= offset || text[i + 1] != '\n'))) ++line;
    return line;
}

// Appends the games of the lines to the base and rebuilds its catalogues. Memory may run out on the
// way: the catalogues and the ids of the games already there change only once everything is built.
void ReadLines(TGameBase& base, const std::vector<std::string_view>& lines, const std::string& path,
               IBaseUi& ui, TLoadReport& report) {
    const TTextPolicy& policy = TextPolicy();
    ui.ProgressShow();
    ui.ProgressSetPosition(1);
    int shown = 1;

    // Names and years already in memory count as met first.
    TSpellings players, years;
    std::vector<uint32_t> oldPlayerSlots;
    for (const TPlayerRecord& player : base.PlayerCatalogue.PlayerRecords)
        oldPlayerSlots.push_back(players.Slot(player.Name));
    for (const std::string& year : base.TurnCatalogue.TurnNames.Items()) years.Slot(year);

    // One pass reads the games and collects the names; ids follow once all names are known.
    const size_t firstNew = base.PartyList.size();
    std::vector<std::pair<uint32_t, uint32_t>> slotsOfGames;
    base.PartyList.reserve(firstNew + lines.size());
    slotsOfGames.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (!line.empty()) {
            const TLineFields fields = SplitLine(line);
            years.Slot(fields.Year);
            const uint32_t black = players.Slot(fields.Black);
            const uint32_t white = players.Slot(fields.White);
            if (!policy.CanDecode(line) && report.UndecodableLines++ == 0)
                report.FirstUndecodableLine = i + 1;
            if (fields.Result.empty()) {
                if (report.EmptyResultLines++ == 0) report.FirstEmptyResultLine = i + 1;
                if (report.EmptyResultLines <= MaxEmptyResultMessages)
                    ui.ShowEmptyResult(path, i + 1);
                else if (report.EmptyResultLines == MaxEmptyResultMessages + 1)
                    report.FirstUnshownEmptyResultLine = i + 1;
            }
            base.PartyList.push_back(RecordOf(fields));
            slotsOfGames.emplace_back(black, white);
        }
        const int percent = int((i + 1) * 100 / lines.size());
        if (percent > shown) ui.ProgressSetPosition(shown = percent);
    }

    // A player's id is its place in the sorted names plus one.
    const std::vector<uint32_t> playerOrder = players.SortedSlots();
    std::vector<int32_t> idOfSlot(playerOrder.size());
    TPlayerCatalogue catalogue;
    std::vector<std::string> names;
    names.reserve(playerOrder.size());
    for (size_t i = 0; i < playerOrder.size(); ++i) {
        const uint32_t slot = playerOrder[i];
        idOfSlot[slot] = int32_t(i + 1);
        names.push_back(players.Spelling(slot));
        catalogue.PlayerIds.emplace(players.Key(slot), int32_t(i + 1));
        catalogue.PlayerRecords.push_back({int32_t(i + 1), players.Spelling(slot)});
    }
    catalogue.PlayerNames.Assign(std::move(names));

    const std::vector<uint32_t> yearOrder = years.SortedSlots();
    TTurnCatalogue turns;
    std::vector<std::string> yearNames;
    for (size_t i = 0; i < yearOrder.size(); ++i) {
        yearNames.push_back(years.Spelling(yearOrder[i]));
        turns.TurnIds.emplace(years.Key(yearOrder[i]), int32_t(i + 1));
    }
    turns.TurnNames.Assign(std::move(yearNames));

    for (size_t g = 0; g < firstNew; ++g) {
        TPartyRecord& party = base.PartyList[g];
        party.BlackId = idOfSlot[oldPlayerSlots[size_t(party.BlackId - 1)]];
        party.WhiteId = idOfSlot[oldPlayerSlots[size_t(party.WhiteId - 1)]];
    }
    for (size_t g = 0; g < slotsOfGames.size(); ++g) {
        TPartyRecord& party = base.PartyList[firstNew + g];
        party.BlackId = idOfSlot[slotsOfGames[g].first];
        party.WhiteId = idOfSlot[slotsOfGames[g].second];
    }
    base.PlayerCatalogue = std::move(catalogue);
    base.TurnCatalogue = std::move(turns);
    // The players of the games held before may have new ids: followers start over.
    NoteReset(base);
    ui.ProgressHide();
}

}  // namespace

TPartyRecord ParseBaseLine(std::string_view line, std::string& blackName, std::string& whiteName) {
    const TLineFields fields = SplitLine(Trim(line));
    blackName = fields.Black;
    whiteName = fields.White;
    return RecordOf(fields);
}

namespace {

// Appends the base line of a game without building any text of its own: saving a large base formats
// a million of these.
void AppendBaseLine(std::string& out, const TGameBase& base, const TPartyRecord& party) {
    const auto& players = base.PlayerCatalogue.PlayerRecords;
    auto name = [&](int32_t id) -> std::string_view {
        return id >= 1 && size_t(id) <= players.size() ? std::string_view(players[size_t(id - 1)].Name) : "";
    };
    out += party.Year;
    out += ',';
    if (party.Board.size() < 5) out.append(5 - party.Board.size(), ' ');
    out += party.Board;
    out += "=[";
    out += name(party.BlackId);
    out += ',';
    out += name(party.WhiteId);
    out += ',';
    out += party.Result;
    out += ',';
    out += party.Moves;
    out += ',';
    out += party.Alt;
    out += party.Reverse ? ",R]" : ",-]";
}

}  // namespace

std::string FormatBaseLine(const TGameBase& base, const TPartyRecord& party) {
    std::string line;
    AppendBaseLine(line, base, party);
    return line;
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

bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui) {
    TLoadReport report;
    return LoadBase(base, path, ui, report);
}

bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui, TLoadReport& report) {
    report = {};
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        report.NotFound = true;
        ui.ShowMessage("File " + path + " not Found!");
        return false;
    }
    std::string error;
    TReadFailure failure = TReadFailure::None;
    try {
        const std::optional<std::string> content = ReadWholeFile(path, error, &failure);
        if (content) {
            LoadBaseText(base, *content, path, ui, report);
            return true;
        }
    } catch (const std::bad_alloc&) {
        failure = TReadFailure::TooLarge;
        error = TooLargeMessage(path);
    }
    report.TooLarge = failure == TReadFailure::TooLarge;
    ui.ShowError(error);
    return false;
}

void LoadBaseText(TGameBase& base, std::string_view text, const std::string& path, IBaseUi& ui,
                  TLoadReport& report) {
    report = {};
    const size_t nul = text.find('\0');
    const std::vector<std::string_view> lines = SplitLines(text.substr(0, nul));
    if (nul != std::string_view::npos) report.NulLine = LineOfOffset(text, nul);
    const size_t firstNew = base.PartyList.size();
    try {
        ReadLines(base, lines, path, ui, report);
    } catch (...) {
        base.PartyList.resize(firstNew);  // the catalogues are only replaced once all is built
        ui.ProgressHide();
        throw;
    }
    const TTextPolicy& policy = TextPolicy();
    if (report.EmptyResultLines > MaxEmptyResultMessages) {
        const size_t more = report.EmptyResultLines - MaxEmptyResultMessages;
        ui.ShowMessage("File " + path + ": " + std::to_string(more) + " more line" + (more == 1 ? "" : "s") +
                       " had an empty result; the first of them is line " +
                       std::to_string(report.FirstUnshownEmptyResultLine) + ".");
    }
    if (report.UndecodableLines > 0)
        ui.ShowMessage("File " + path + ": " + std::to_string(report.UndecodableLines) +
                       (report.UndecodableLines == 1 ? " line holds" : " lines hold") +
                       " text that the code page " + policy.CodePage() +
                       " cannot decode; the first is line " + std::to_string(report.FirstUndecodableLine) +
                       ".");
    if (report.NulLine > 0)
        ui.ShowMessage("File " + path + ": the text ends at a NUL byte in line " +
                       std::to_string(report.NulLine) + "; the lines after it are not loaded.");
}

void AddBaseLine(TGameBase& base, std::string_view line) {
    std::string black, white;
    TPartyRecord party = ParseBaseLine(line, black, white);
    base.TurnCatalogue.Add(party.Year);
    party.BlackId = base.PlayerCatalogue.Add(black);
    party.WhiteId = base.PlayerCatalogue.Add(white);
    base.PartyList.push_back(std::move(party));
    NoteAppended(base, base.PartyList.size() - 1, 1);
}

std::string SaveAsName(std::string chosen) {
    if (chosen.find(".bdt") == std::string::npos) chosen += ".bdt";
    return chosen;
}

bool CopyBaseFile(const std::string& from, const std::string& to, std::string& error) {
    std::string content;
    struct stat info {};
    if (stat(from.c_str(), &info) == 0) {
        std::optional<std::string> read = ReadWholeFile(from, error);
        if (!read) return false;
        content = std::move(*read);
    }
    return WriteFileReplacing(to, content, error);
}

bool ReplaceParty(TGameBase& base, long position, TPartyRecord party) {
    if (position < 0 || size_t(position) >= base.PartyList.size()) return false;
    base.PartyList[size_t(position)] = std::move(party);
    NoteReplaced(base, size_t(position));
    return true;
}

TBaseMark MarkBase(const TGameBase& base) {
    return {base.PartyList.size(), base.PlayerCatalogue.PlayerRecords.size(), base.TurnCatalogue.TurnIds.size()};
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

void SortBaseLines(std::vector<std::string_view>& lines) {
    struct TItem {
        TTextPolicy::TPrefix Prefix;
        std::string_view Line;
    };
    const TTextPolicy& policy = TextPolicy();
    std::vector<TItem> items;
    items.reserve(lines.size());
    for (std::string_view line : lines) items.push_back({policy.Prefix(line), line});
    auto less = [&](const TItem& a, const TItem& b) {
        if (a.Prefix.Exact && b.Prefix.Exact && !(a.Prefix == b.Prefix))
            return a.Prefix.High != b.Prefix.High ? a.Prefix.High < b.Prefix.High : a.Prefix.Low < b.Prefix.Low;
        return policy.Compare(a.Line, b.Line) < 0;
    };
    // Lines mostly come from a sorted file with a few appended: only the unsorted tail is sorted and
    // then merged in.
    const auto sortedEnd = std::is_sorted_until(items.begin(), items.end(), less);
    std::stable_sort(sortedEnd, items.end(), less);
    std::inplace_merge(items.begin(), sortedEnd, items.end(), less);
    for (size_t i = 0; i < items.size(); ++i) lines[i] = items[i].Line;
}

namespace {

// The games in the order of their base lines. Lines are compared by packed prefixes; only where
// those cannot decide are the two lines formatted again and compared whole.
std::vector<size_t> FileOrder(const TGameBase& base) {
    struct TItem {
        TTextPolicy::TPrefix Prefix;
        size_t Game;
    };
    const TTextPolicy& policy = TextPolicy();
    std::vector<TItem> items;
    items.reserve(base.PartyList.size());
    std::string line, other;
    for (size_t g = 0; g < base.PartyList.size(); ++g) {
        line.clear();
        AppendBaseLine(line, base, base.PartyList[g]);
        items.push_back({policy.Prefix(line), g});
    }
    std::sort(items.begin(), items.end(), [&](const TItem& a, const TItem& b) {
        if (a.Prefix.Exact && b.Prefix.Exact && !(a.Prefix == b.Prefix))
            return a.Prefix.High != b.Prefix.High ? a.Prefix.High < b.Prefix.High : a.Prefix.Low < b.Prefix.Low;
        line.clear();
        other.clear();
        AppendBaseLine(line, base, base.PartyList[a.Game]);
        AppendBaseLine(other, base, base.PartyList[b.Game]);
        // Lines equal without regard to case (F and f, a soft hyphen) keep the order of their bytes,
        // so that a saved base saved again is the same file.
        const int order = policy.Compare(line, other);
        return order != 0 ? order < 0 : line < other;
    });
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < items.size(); ++i) order[i] = items[i].Game;
    return order;
}

// Hands out the sorted lines, each with its CR LF, a few megabytes at a time.
TPieceSource SortedLines(const TGameBase& base) {
    return [&base, order = FileOrder(base), next = size_t(0)](std::string& piece) mutable {
        piece.clear();
        while (next < order.size() && piece.size() < (4u << 20)) {
            AppendBaseLine(piece, base, base.PartyList[order[next++]]);
            piece += "\r\n";
        }
        return !piece.empty();
    };
}

}  // namespace

std::string BaseFileContent(const TGameBase& base) {
    std::string content, piece;
    for (TPieceSource next = SortedLines(base); next(piece);) content += piece;
    return content;
}

bool SaveBase(const TGameBase& base, const std::string& path, IBaseUi& ui) {
    std::string error;
    if (WriteFileReplacing(path, SortedLines(base), error)) return true;
    ui.ShowError(error);
    return false;
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
