// The load of base/BaseFile.h: the text read a piece at a time, cut into lines and fields, the
// players and years numbered once all lines are in.
#include <sys/stat.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>

#include "base/BaseFile.h"
#include "base/ByteScan.h"
#include "base/LineFields.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

namespace kalvon {

namespace {

// A text as two words that, with its size, tell it from every other text of up to 16 bytes: its
// first and last eight bytes, or for shorter texts bytes that together cover all of it. A load looks
// up the two players of each of a million lines by these words.
struct TTextWords {
    uint64_t A = 0, B = 0;
    size_t Size = 0;

    explicit TTextWords(std::string_view text) : Size(text.size()) {
        const char* p = text.data();
        if (Size >= 8) {
            std::memcpy(&A, p, 8);
            std::memcpy(&B, p + Size - 8, 8);
        } else if (Size >= 4) {
            uint32_t first, last;
            std::memcpy(&first, p, 4);
            std::memcpy(&last, p + Size - 4, 4);
            A = first | uint64_t(last) << 32;
        } else if (Size > 0) {
            A = uint8_t(p[0]) | uint64_t(uint8_t(p[Size / 2])) << 8 | uint64_t(uint8_t(p[Size - 1])) << 16;
        }
    }
    bool operator==(const TTextWords&) const = default;
    uint64_t Hash() const {
        uint64_t h = A * 0x9E37'79B9'7F4A'7C15u;
        h ^= std::rotl(B * 0xC2B2'AE3D'27D4'EB4Fu, 31) ^ Size;
        h ^= h >> 29;
        h *= 0xBF58'476D'1CE4'E5B9u;
        return h ^ (h >> 32);
    }
};

// Distinct texts met in a file (texts that differ in letter case alone are one), the first spelling of
// each kept, looked up by their exact bytes first so that the collation runs once per spelling rather
// than once per line. The texts it is given may
// go away after each call: it keeps its own copies, one after the other in one block.
class TSpellings {
public:
    struct TFound {
        uint32_t Slot;
        bool Decodable;  // whether the code page can decode the spelling
    };

    TSpellings() : Table_(64) {}

    TFound Find(std::string_view spelling) {
        const TTextWords words(spelling);
        const size_t mask = Table_.size() - 1;
        size_t at = size_t(words.Hash()) & mask;
        for (; Table_[at].Index != 0; at = (at + 1) & mask) {
            const TCell& cell = Table_[at];
            if (!(cell.Words == words)) continue;
            // Texts of up to 16 bytes are told apart by their words alone, and their cell answers.
            if (words.Size <= 16 ||
                std::memcmp(Pool_.data() + Offsets_[cell.Index - 1], spelling.data(), spelling.size()) == 0)
                return cell.Found();
        }
        return Add(spelling, words, at);
    }
    uint32_t Slot(std::string_view spelling) { return Find(spelling).Slot; }
    // The slots in collation order.
    std::vector<uint32_t> SortedSlots() const {
        std::vector<uint32_t> order(Entries_.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](uint32_t a, uint32_t b) { return Entries_[a].Key < Entries_[b].Key; });
        return order;
    }
    const std::string& Spelling(uint32_t slot) const { return Entries_[slot].Spelling; }
    const std::string& Key(uint32_t slot) const { return Entries_[slot].Key; }

private:
    struct TCell {
        TTextWords Words{std::string_view()};
        uint32_t Index = 0;   // a position in Offsets_ plus one, 0 when free
        uint32_t Answer = 0;  // the slot, with DecodableBit: kept here to spare a second look-up
        TFound Found() const { return {Answer & ~DecodableBit, (Answer & DecodableBit) != 0}; }
    };
    static constexpr uint32_t DecodableBit = uint32_t(1) << 31;

    TFound Add(std::string_view spelling, const TTextWords& words, size_t at) {
        std::string key = TextPolicy().CatalogueKey(spelling);
        auto [entry, added] = ByKey_.try_emplace(key, uint32_t(Entries_.size()));
        if (added) Entries_.push_back({std::string(spelling), std::move(key)});
        const TFound found{entry->second, TextPolicy().CanDecode(spelling)};
        Offsets_.push_back(Pool_.size());
        Pool_.append(spelling);
        Table_[at] = {words, uint32_t(Offsets_.size()), found.Slot | (found.Decodable ? DecodableBit : 0)};
        if (Offsets_.size() * 2 > Table_.size()) Grow();
        return found;
    }
    void Grow() {
        std::vector<TCell> table(Table_.size() * 2);
        const size_t mask = table.size() - 1;
        for (const TCell& cell : Table_) {
            if (cell.Index == 0) continue;
            size_t at = size_t(cell.Words.Hash()) & mask;
            while (table[at].Index != 0) at = (at + 1) & mask;
            table[at] = cell;
        }
        Table_ = std::move(table);
    }

    struct TEntry {
        std::string Spelling, Key;
    };
    static_assert(sizeof(TCell) == 32);
    std::vector<TCell> Table_;  // open addressing
    std::string Pool_;
    std::vector<size_t> Offsets_;  // of each spelling in Pool_
    std::unordered_map<std::string, uint32_t> ByKey_;
    std::vector<TEntry> Entries_;
};

// Reads the lines of a base text into the base, the text coming in pieces; the catalogues are rebuilt
// once all lines are read. Memory may run out on the way: until Finish the catalogues and the ids of
// the games already there are untouched, and the caller takes the games added out again.
class TBaseReader {
public:
    // totalBytes: the size of the whole text, for the progress.
    // games: the base's own list, which only the loading routines may hand out.
    TBaseReader(TGameBase& base, TPartyRecords& games, const std::string& path, IBaseUi& ui,
                TLoadReport& report, uint64_t totalBytes)
        : Base_(base),
          Games_(games),
          Path_(path),
          Ui_(ui),
          Report_(report),
          Policy_(TextPolicy()),
          Total_(totalBytes),
          FirstNew_(base.PartyList.size()) {
        // Names and years already in memory count as met first.
        for (const TPlayerRecord& player : base.PlayerCatalogue.PlayerRecords)
            OldPlayerSlots_.push_back(Players_.Slot(player.Name));
        for (const std::string& year : base.TurnCatalogue.TurnNames.Items()) Years_.Slot(year);
        Ui_.ProgressShow();
        Ui_.ProgressSetPosition(1);
        NextProgressAt_ = ProgressOffset(2);
    }

    // Reads the complete lines of text, which starts at a line start and at offset of the whole text;
    // scan is where the search for the next line end goes on (a piece that ends inside a line is
    // given again with more after it). Returns the bytes of the lines read, which the next piece need
    // not hold again; final tells that nothing follows text. Stops at a NUL byte: the text ends there.
    size_t Take(std::string_view text, uint64_t offset, bool final, size_t& scan) {
        const char* p = text.data();
        const size_t n = text.size();
        size_t start = 0, i = scan;
        for (;;) {
            i = NextControlByte(p, i, n, Joined_);
            if (i == n) break;
            const char c = p[i];
            if (c == '\n' || c == '\r') {
                size_t next = i + 1;
                if (c == '\r') {
                    if (next == n && !final) break;  // the LF of a CR LF may be in the next piece
                    if (next < n && p[next] == '\n') ++next;
                }
                Line(text.substr(start, i - start), offset + next);
                start = i = next;
            } else if (c == '\0') {
                Report_.NulLine = Lines_ + 1;
                if (i > start) Line(text.substr(start, i - start), offset + i);
                Ended_ = true;
                scan = 0;
                return n;
            } else {
                ++i;
            }
        }
        if (final && start < n) {
            Line(text.substr(start), offset + n);
            start = i = n;
        }
        scan = i - start;
        return start;
    }
    // Whether a NUL byte ended the text.
    bool Ended() const { return Ended_; }
    size_t Lines() const { return Lines_; }
    size_t GamesRead() const { return Base_.PartyList.size() - FirstNew_; }

    // Makes room for the games that the whole text will hold, judged by the lines read so far, so that
    // the list of games does not need to be moved (and held twice) while it grows. Only a guess: if
    // memory will not give that much, the list grows as it must.
    void ReserveFor(uint64_t bytesRead) {
        if (bytesRead == 0 || Lines_ == 0 || Total_ <= bytesRead) return;
        const double perByte = double(GamesRead()) / double(bytesRead);
        const size_t expected = size_t(perByte * double(Total_) * 1.05) + 64;
        try {
            Games_.reserve(Games_.size() + expected);
        } catch (const std::bad_alloc&) {
        }
    }

    // Numbers the players and years and builds the catalogues; the messages about the text follow.
    void Finish() {
        if (Lines_ > 0 && Shown_ < 100) Ui_.ProgressSetPosition(Shown_ = 100);
        // A player's id is its place in the sorted names plus one.
        const std::vector<uint32_t> playerOrder = Players_.SortedSlots();
        std::vector<int32_t> idOfSlot(playerOrder.size());
        TPlayerCatalogue catalogue;
        std::vector<std::string> names;
        names.reserve(playerOrder.size());
        catalogue.PlayerRecords.reserve(playerOrder.size());
        for (size_t i = 0; i < playerOrder.size(); ++i) {
            const uint32_t slot = playerOrder[i];
            idOfSlot[slot] = int32_t(i + 1);
            names.push_back(Players_.Spelling(slot));
            catalogue.PlayerIds.emplace(Players_.Key(slot), int32_t(i + 1));
            catalogue.PlayerRecords.push_back({int32_t(i + 1), Players_.Spelling(slot)});
        }
        catalogue.PlayerNames.Assign(std::move(names));

        const std::vector<uint32_t> yearOrder = Years_.SortedSlots();
        TTurnCatalogue turns;
        std::vector<std::string> yearNames;
        for (size_t i = 0; i < yearOrder.size(); ++i) {
            yearNames.push_back(Years_.Spelling(yearOrder[i]));
            turns.TurnIds.emplace(Years_.Key(yearOrder[i]), int32_t(i + 1));
        }
        turns.TurnNames.Assign(std::move(yearNames));

        // Nothing below allocates: the games get their ids and the catalogues are swapped in at once.
        auto& parties = Games_;
        for (size_t g = 0; g < FirstNew_; ++g) {
            TPartyRecord& party = parties[g];
            party.BlackId = idOfSlot[OldPlayerSlots_[size_t(party.BlackId - 1)]];
            party.WhiteId = idOfSlot[OldPlayerSlots_[size_t(party.WhiteId - 1)]];
        }
        // The games read hold the slots of their players until now.
        for (size_t g = FirstNew_; g < parties.size(); ++g) {
            TPartyRecord& party = parties[g];
            party.BlackId = idOfSlot[size_t(party.BlackId)];
            party.WhiteId = idOfSlot[size_t(party.WhiteId)];
        }
        Base_.PlayerCatalogue = std::move(catalogue);
        Base_.TurnCatalogue = std::move(turns);
        // The players of the games held before may have new ids: followers start over.
        NoteReset(Base_);
        Ui_.ProgressHide();
    }

    // The messages about the text: lines with an empty result past the first ten, undecodable text,
    // the NUL byte that ended it.
    void ShowReport() {
        if (Report_.EmptyResultLines > MaxEmptyResultMessages) {
            const size_t more = Report_.EmptyResultLines - MaxEmptyResultMessages;
            Ui_.ShowMessage("File " + Path_ + ": " + std::to_string(more) + " more line" +
                            (more == 1 ? "" : "s") + " had an empty result; the first of them is line " +
                            std::to_string(Report_.FirstUnshownEmptyResultLine) + ".");
        }
        if (Report_.UndecodableLines > 0)
            Ui_.ShowMessage("File " + Path_ + ": " + std::to_string(Report_.UndecodableLines) +
                            (Report_.UndecodableLines == 1 ? " line holds" : " lines hold") +
                            " text that the code page " + Policy_.CodePage() +
                            " cannot decode; the first is line " +
                            std::to_string(Report_.FirstUndecodableLine) + ".");
        if (Report_.DamagedLines > 0) {
            std::string lines;
            for (const auto& [number, fault] : Report_.FirstDamaged)
                lines += Concat({lines.empty() ? "" : "; ", "line ", std::to_string(number), ": ", fault});
            Ui_.ShowMessage(
                Concat({"File ", Path_, ": ", std::to_string(Report_.DamagedLines),
                        Report_.DamagedLines == 1 ? " line is" : " lines are",
                        " damaged and would lose text when saved (", lines,
                        Report_.DamagedLines > Report_.FirstDamaged.size() ? "; ..." : "", ")."}));
        }
        if (Report_.NulLine > 0)
            Ui_.ShowMessage("File " + Path_ + ": the text ends at a NUL byte in line " +
                            std::to_string(Report_.NulLine) + "; the lines after it are not loaded.");
    }

private:
    // A line of the text; Joined_ holds its bytes (and perhaps a few after it) joined.
    void Line(std::string_view text, uint64_t endOffset) {
        const size_t number = ++Lines_;
        const bool ascii = (Joined_ & EveryByteHigh) == 0;
        Joined_ = 0;
        const std::string_view line = Trim(text);
        if (!line.empty()) {
            const TLineFields fields = SplitLine(line);
            // Games of one year mostly follow each other in a base.
            if (fields.Year != LastYear_) {
                Years_.Slot(fields.Year);
                LastYear_.assign(fields.Year);
            }
            const TSpellings::TFound black = Players_.Find(fields.Black);
            const TSpellings::TFound white = Players_.Find(fields.White);
            const bool decodable = (ascii && Policy_.DecodesAscii()) ||
                                   Decodable(line, fields, black.Decodable && white.Decodable);
            if (!decodable && Report_.UndecodableLines++ == 0) Report_.FirstUndecodableLine = number;
            if (fields.Result.empty()) {
                if (Report_.EmptyResultLines++ == 0) Report_.FirstEmptyResultLine = number;
                if (Report_.EmptyResultLines <= MaxEmptyResultMessages)
                    Ui_.ShowEmptyResult(Path_, number);
                else if (Report_.EmptyResultLines == MaxEmptyResultMessages + 1)
                    Report_.FirstUnshownEmptyResultLine = number;
            }
            // The line a NUL byte cut short has a message of its own.
            std::optional<std::string> damage =
                Report_.NulLine == number ? std::nullopt : LineDamage(line, fields);
            if (!damage && line.size() != text.size() && Report_.NulLine != number) [[unlikely]]
                damage = "blanks or control characters before or after the line";
            if (damage) {
                if (Report_.DamagedLines++ < MaxDamagedLinesListed)
                    Report_.FirstDamaged.emplace_back(number, std::move(*damage));
            }
            TPartyRecord& party = Games_.emplace_back();
            FillRecord(party, fields);
            party.BlackId = int32_t(black.Slot);
            party.WhiteId = int32_t(white.Slot);
        }
        if (endOffset >= NextProgressAt_) {
            const int percent = int(std::min<uint64_t>(100, endOffset * 100 / Total_));
            if (percent > Shown_) Ui_.ProgressSetPosition(Shown_ = percent);
            NextProgressAt_ = Shown_ >= 100 ? UINT64_MAX : ProgressOffset(Shown_ + 1);
        }
    }
    // Whether the code page can decode the line. The names were checked once when they were first
    // met; the rest of the line is checked here.
    bool Decodable(std::string_view line, const TLineFields& fields, bool namesDecodable) const {
        if (!namesDecodable) return false;
        // Byte by byte, the names decode again: one look through the whole line is the quickest.
        if (Policy_.SingleByte()) return Policy_.CanDecode(line);
        const char* black = fields.Black.data();
        const char* white = fields.White.data();
        // Both names are parts of the line, the black one first, unless the line is cut short.
        if (fields.Black.empty() || fields.White.empty()) return Policy_.CanDecode(line);
        const char* begin = line.data();
        const char* end = begin + line.size();
        return Policy_.CanDecode({begin, size_t(black - begin)}) &&
               Policy_.CanDecode(
                   {black + fields.Black.size(), size_t(white - black - fields.Black.size())}) &&
               Policy_.CanDecode({white + fields.White.size(), size_t(end - white - fields.White.size())});
    }
    // The first offset at which the progress reaches percent.
    uint64_t ProgressOffset(int percent) const {
        return Total_ == 0 ? UINT64_MAX : (uint64_t(percent) * Total_ + 99) / 100;
    }

    TGameBase& Base_;
    TPartyRecords& Games_;
    const std::string& Path_;
    IBaseUi& Ui_;
    TLoadReport& Report_;
    const TTextPolicy& Policy_;
    const uint64_t Total_;
    const size_t FirstNew_;
    TSpellings Players_, Years_;
    std::vector<uint32_t> OldPlayerSlots_;
    std::string LastYear_ = std::string(1, '\0');  // no year is a NUL
    size_t Lines_ = 0;
    uint64_t Joined_ = 0;  // the bytes of the line being scanned, joined
    bool Ended_ = false;
    int Shown_ = 1;
    uint64_t NextProgressAt_ = 0;
};

// Runs a load into the base: the games read are taken out again and the progress is hidden when
// the load does not get to its end, by an error or by an exception.
class TLoadGuard {
public:
    TLoadGuard(TPartyRecords& games, IBaseUi& ui) : Games_(games), Ui_(ui), FirstNew_(games.size()) {}
    ~TLoadGuard() {
        if (Done_) return;
        Games_.erase(Games_.begin() + long(FirstNew_), Games_.end());
        try {
            Games_.shrink_to_fit();
        } catch (const std::bad_alloc&) {
        }
        if (Started_) Ui_.ProgressHide();
    }
    void Started() { Started_ = true; }
    void Done() { Done_ = true; }

private:
    TPartyRecords& Games_;
    IBaseUi& Ui_;
    const size_t FirstNew_;
    bool Started_ = false, Done_ = false;
};

}  // namespace

bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui) {
    TLoadReport report;
    return LoadBase(base, path, ui, report);
}

bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui, TLoadReport& report) {
    return LoadBase(base, path, ui, report, LoadPieceBytes);
}

bool LoadBase(TGameBase& base, const std::string& path, IBaseUi& ui, TLoadReport& report, size_t pieceBytes) {
    report = {};
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        report.NotFound = true;
        ui.ShowMessage("File " + path + " not Found!");
        return false;
    }
    std::string error;
    TReadFailure failure = TReadFailure::None;
    TFileReader file;
    if (!file.Open(path, error, &failure)) {
        report.TooLarge = failure == TReadFailure::TooLarge;
        ui.ShowError(error);
        return false;
    }
    pieceBytes = std::max<size_t>(pieceBytes, 1);
    report.Identity = file.Identity();
    uint32_t checksum = 0;
    try {
        bool readFailed = false;
        {
            TLoadGuard guard(base.PartyList.Games_, ui);
            TBaseReader reader(base, base.PartyList.Games_, path, ui, report, file.Size());
            guard.Started();
            // The text goes through one buffer: the lines read leave it, the start of an unfinished
            // line stays for the next piece to complete.
            size_t capacity = 2 * pieceBytes, filled = 0;
            auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
            uint64_t offset = 0;  // of the buffer's first byte in the file
            size_t scan = 0;
            for (bool final = false; !final && !reader.Ended();) {
                if (capacity - filled < pieceBytes) {  // a line longer than a piece
                    capacity = std::max(2 * capacity, filled + pieceBytes);
                    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
                    std::memcpy(larger.get(), buffer.get(), filled);
                    buffer = std::move(larger);
                }
                const std::optional<size_t> n = file.Read(buffer.get() + filled, pieceBytes, error);
                if (!n) {
                    readFailed = true;
                    break;
                }
                checksum = ChecksumOf(checksum, {buffer.get() + filled, *n});
                filled += *n;
                final = *n == 0;
                const size_t used = reader.Take({buffer.get(), filled}, offset, final, scan);
                if (offset == 0) reader.ReserveFor(used);
                offset += used;
                filled -= used;
                std::memmove(buffer.get(), buffer.get() + used, filled);
            }
            if (!readFailed) {
                // A text that ends at a NUL byte was not read to its end.
                report.Identity.HasChecksum = !reader.Ended();
                report.Identity.Checksum = checksum;
                reader.Finish();
                guard.Done();
                reader.ShowReport();
            }
        }
        if (readFailed) ui.ShowError(error);
#ifdef __GLIBC__
        // The reader's scratch memory goes back to the system before the caller builds anything of its
        // own beside the games, such as the search index: otherwise the peak holds both.
        malloc_trim(0);
#endif
        return !readFailed;
    } catch (const std::bad_alloc&) {
        report.TooLarge = true;
        ui.ShowError(TooLargeMessage(path));
        return false;
    }
}

void LoadBaseText(TGameBase& base, std::string_view text, const std::string& path, IBaseUi& ui,
                  TLoadReport& report) {
    report = {};
    TLoadGuard guard(base.PartyList.Games_, ui);
    TBaseReader reader(base, base.PartyList.Games_, path, ui, report, text.size());
    guard.Started();
    size_t scan = 0;
    // A first slice of the text tells how many games the whole will hold.
    const size_t first = std::min(text.size(), LoadPieceBytes);
    const size_t used = reader.Take(text.substr(0, first), 0, first == text.size(), scan);
    if (!reader.Ended() && used < text.size()) {
        reader.ReserveFor(used);
        reader.Take(text.substr(used), used, true, scan);
    }
    reader.Finish();
    guard.Done();
    reader.ShowReport();
}

std::string DamagedLinesText(const TLoadReport& report) {
    if (report.DamagedLines == 0) return {};
    const auto& [line, fault] = report.FirstDamaged.front();
    return Concat({"The base has ", std::to_string(report.DamagedLines),
                   report.DamagedLines == 1 ? " damaged line" : " damaged lines", ", first line ",
                   std::to_string(line), ": ", fault});
}

}  // namespace kalvon
