#include "exchange/GameImport.h"

#include <sys/stat.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "base/BaseLine.h"
#include "base/FolderListing.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "exchange/BaseRewrite.h"
#include "exchange/GameReaders.h"
#include "exchange/ImportRecord.h"

namespace kalvon {

namespace {

constexpr size_t ProgressEveryGames = 1000;
constexpr size_t FirstNamesAsked = 5;
constexpr size_t ReasonsInSummary = 3;
constexpr const char* TransliterationRules = "Any-Latin; Latin-ASCII";

// Texts kept for the whole run in blocks that never move: views into them stay valid, and the
// growth of a large import never copies what is already held.
class TTextArena {
public:
    std::string_view Add(std::string_view text) {
        if (Blocks_.empty() || Blocks_.back().capacity() - Blocks_.back().size() < text.size()) {
            Blocks_.emplace_back();
            Blocks_.back().reserve(std::max(BlockBytes, text.size()));
        }
        std::string& block = Blocks_.back();
        const size_t start = block.size();
        block.append(text);
        return std::string_view(block).substr(start, text.size());
    }

    // The text in place of old, where old stood when it is not longer, else added anew.
    std::string_view Rewrite(std::string_view old, std::string_view text) {
        if (text.size() > old.size()) return Add(text);
        for (std::string& block : Blocks_) {
            if (old.data() < block.data() || old.data() >= block.data() + block.size()) continue;
            const size_t start = size_t(old.data() - block.data());
            std::copy(text.begin(), text.end(), block.begin() + ptrdiff_t(start));
            return std::string_view(block).substr(start, text.size());
        }
        return Add(text);
    }

private:
    static constexpr size_t BlockBytes = size_t(1) << 20;
    std::deque<std::string> Blocks_;
};

// One game read, held as its base line.
struct TImportEntry {
    std::string_view Line;   // the base line; its key stands before the first "="
    std::string_view Where;  // where in its file, for messages
    uint32_t File = 0;       // its position in the list of files
    bool Pending = false;    // a name the code page cannot hold: the line holds the names in UTF-8
    bool Dropped = false;    // not imported (refused, or a later game of the import has its key)
    bool NoResult = false;   // its result is "?"
};

std::string_view KeyOf(std::string_view line) {
    return line.substr(0, line.find('='));
}

// The board code of a line: between the first "," and the "=", without the blanks that align it.
std::string_view BoardOf(std::string_view line) {
    const std::string_view key = KeyOf(line);
    const size_t comma = key.find(',');
    return comma == std::string_view::npos ? std::string_view() : Trim(key.substr(comma + 1));
}

// "\"2003, r171548\"": the key as the user reads it, in UTF-8 and quoted.
std::string ShownKey(std::string_view line) {
    const std::string_view key = KeyOf(line);
    return QuoteShort(TextPolicy().ToUtf8(Concat({Trim(key.substr(0, key.find(','))), ", ", BoardOf(line)})));
}

bool AllAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return uint8_t(c) < 0x80; });
}

// UTF-8 as bytes of the code page in force; nullopt when it cannot hold a character.
std::optional<std::string> CodePageText(std::string_view utf8) {
    if (AllAscii(utf8)) return std::string(utf8);  // every code page in use keeps ASCII
    return TextPolicy().FromUtf8(utf8);
}

// A message of CheckBaseField as the reason of a refusal: without its full stop.
std::string WithoutFullStop(std::string text) {
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

bool IsResultCode(char c) {
    return std::string_view("+-=Ff?").find(c) != std::string_view::npos;
}

// The formats an import reads, known by the file's extension (letter case ignored).
enum class TImportFormat { Other, RenjuNet, Psq, Sgf };

TImportFormat FormatOf(std::string_view path) {
    if (MatchesPattern(path, "*.rif")) return TImportFormat::RenjuNet;
    if (MatchesPattern(path, "*.psq")) return TImportFormat::Psq;
    if (MatchesPattern(path, "*.sgf")) return TImportFormat::Sgf;
    return TImportFormat::Other;
}

// The year of the file's modification date, local time; nullopt (message in error) when unknown.
std::optional<int> FileYear(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = Concat({"Cannot read file ", path, "."});
        return std::nullopt;
    }
    std::tm local{};
    const time_t modified = info.st_mtime;
    if (!localtime_r(&modified, &local)) {
        error = Concat({"The date of file ", path, " cannot be read."});
        return std::nullopt;
    }
    return local.tm_year + 1900;
}

// Collects the games the readers hand over as base lines, and what they refuse.
class TImportCollector final : public IImportSink {
public:
    TImportCollector(IImportUi& ui, TImportRun& run) : Ui_(ui), Run_(run) {}

    void StartFile(const std::string& file, uint32_t index) {
        File_ = file;
        FileIndex_ = index;
    }

    bool Game(TImportedGame&& game) override {
        ++GamesRead_;
        for (const std::string& note : game.Notes) Run_.Notes.push_back(Concat({"File ", File_, ", ", note}));
        Take(game);
        if (GamesRead_ % ProgressEveryGames == 0) return Progressing();
        return !Cancelled_;
    }

    void Refused(TImportRefusal&& refusal) override { Run_.Skipped.push_back(std::move(refusal)); }

    bool Progress(uint64_t /*bytesRead*/, uint64_t /*bytesTotal*/) override { return Progressing(); }

    // Tells the user how far the run is; false once the user cancelled.
    bool Progressing() {
        if (!Cancelled_ && !Ui_.ImportProgress(File_, GamesRead_)) Cancelled_ = true;
        return !Cancelled_;
    }

    bool Cancelled() const { return Cancelled_; }
    std::deque<TImportEntry>& Entries() { return Entries_; }
    const std::vector<std::string>& UnwritableNames() const { return UnwritableNames_; }
    TTextArena& Arena() { return Arena_; }

private:
    void Refuse(const TImportedGame& game, std::string reason) {
        Run_.Skipped.push_back(TImportRefusal{File_, game.Where, std::move(reason)});
    }

    std::string CannotBeWritten(std::string_view what, std::string_view text) const {
        return Concat({what, " ", QuoteShort(text), " cannot be written in ", TextPolicy().CodePage()});
    }

    void Take(const TImportedGame& game) {
        if (!IsResultCode(game.Result))
            return Refuse(game,
                          Concat({"the result ", QuoteShort({&game.Result, 1}), " is none of + - = F f ?"}));
        const std::optional<std::string> board = CodePageText(Trim(game.Board));
        if (!board) return Refuse(game, CannotBeWritten("the board code", game.Board));
        if (board->empty()) return Refuse(game, "the game has no board code");
        const std::optional<std::string> alt = CodePageText(Trim(game.Alt));
        if (!alt) return Refuse(game, CannotBeWritten("the alternative", game.Alt));
        const std::string year = std::to_string(game.Year);
        std::string_view names[2] = {Trim(game.Black), Trim(game.White)};
        std::optional<std::string> converted[2];
        bool pending = false;
        for (int side = 0; side < 2; ++side) {
            converted[side] = CodePageText(names[side]);
            if (converted[side]) continue;
            pending = true;
            if (SeenNames_.insert(std::string(names[side])).second)
                UnwritableNames_.emplace_back(names[side]);
        }
        // A line still to be transliterated holds both names in UTF-8; any other one in the code page.
        if (!pending)
            for (int side = 0; side < 2; ++side) names[side] = *converted[side];
        struct TField {
            const char* Caption;
            std::string_view Text;
        };
        for (const TField& field : {TField{"The board code", *board}, TField{"A name", names[0]},
                                    TField{"A name", names[1]}, TField{"The alternative", *alt}})
            if (std::optional<std::string> problem = CheckBaseField(field.Caption, field.Text))
                return Refuse(game, WithoutFullStop(std::move(*problem)));
        Line_.clear();
        AppendBaseLine(Line_, {.Year = year,
                               .Board = *board,
                               .Black = names[0],
                               .White = names[1],
                               .Result = game.Result,
                               .Moves = game.Moves,
                               .Alt = *alt,
                               .Reverse = game.Reverse});
        Entries_.push_back(TImportEntry{.Line = Arena_.Add(Line_),
                                        .Where = Arena_.Add(game.Where),
                                        .File = FileIndex_,
                                        .Pending = pending,
                                        .NoResult = game.Result == '?'});
    }

    IImportUi& Ui_;
    TImportRun& Run_;
    std::string File_;
    uint32_t FileIndex_ = 0;
    size_t GamesRead_ = 0;
    bool Cancelled_ = false;
    TTextArena Arena_;
    std::deque<TImportEntry> Entries_;
    std::string Line_;
    std::unordered_set<std::string> SeenNames_;
    std::vector<std::string> UnwritableNames_;  // distinct, in the order met
};

// A run that ended without writing: only its status is left.
TImportRun EndedRun(TImportStatus status) {
    TImportRun run;
    run.Status = status;
    return run;
}

// Reads one file into the collector and counts it; a file of another kind is skipped whole. False when
// the run cannot go on (message shown, or cancelled).
bool ReadImportFile(const std::string& file, const TImportOptions& options, TImportCollector& collector,
                    IImportUi& ui, TImportRun& run) {
    const TImportFormat format = FormatOf(file);
    if (format == TImportFormat::RenjuNet) {
        const std::string problem = ReadRenjuNet(file, file, collector);
        if (collector.Cancelled()) return false;
        if (!problem.empty()) {
            ui.ShowMessage(problem);
            return false;
        }
        ++run.FilesRead;
        return true;
    }
    if (format == TImportFormat::Other) {
        run.Skipped.push_back(TImportRefusal{file, "", "not a .rif, .psq or .sgf file"});
        return true;
    }
    std::string error;
    const std::optional<std::string> text = ReadWholeFile(file, error);
    if (!text) {
        ui.ShowMessage(error);
        return false;
    }
    ++run.FilesRead;
    if (format == TImportFormat::Sgf) {
        ReadSgf(*text, file, collector);
        return !collector.Cancelled();
    }
    std::optional<int> year = options.PsqYear;
    if (!year) year = FileYear(file, error);
    if (!year) {
        ui.ShowMessage(error);
        return false;
    }
    ReadPsq(*text, file, *year, collector);
    return !collector.Cancelled();
}

// "Any-Latin; Latin-ASCII" of a name, with what a base line cannot hold made blanks.
std::string Transliterated(icu::Transliterator& transliterator, std::string_view utf8) {
    icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), int32_t(utf8.size())));
    transliterator.transliterate(text);
    std::string out;
    text.toUTF8String(out);
    for (char& c : out)
        if (uint8_t(c) < 32 || c == 127 || c == ',' || c == '=') c = ' ';
    return std::string(Trim(out));
}

// Transliterates the names the code page cannot hold and writes the lines that held them anew; a game
// whose name stays unwritable is dropped with its reason. False (message shown) when ICU cannot.
bool TransliterateNames(TImportCollector& collector, const std::vector<std::string>& files, IImportUi& ui,
                        TImportRun& run) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(icu::Transliterator::createInstance(
        icu::UnicodeString::fromUTF8(TransliterationRules), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator) {
        ui.ShowMessage(Concat({"The names cannot be transliterated: ICU has no \"", TransliterationRules,
                               "\" (", u_errorName(status), ")."}));
        return false;
    }
    // Each name the code page cannot hold, as written after the transliteration (nullopt: not even then).
    std::unordered_map<std::string, std::optional<std::string>> written;
    std::unordered_map<std::string, std::string> shown;
    for (const std::string& name : collector.UnwritableNames()) {
        std::string latin = Transliterated(*transliterator, name);
        std::optional<std::string> bytes = CodePageText(latin);
        if (bytes) {
            ++run.NamesTransliterated;
            run.Notes.push_back(Concat({name, " -> ", latin}));
        }
        written.emplace(name, std::move(bytes));
        shown.emplace(name, std::move(latin));
    }
    std::string line;
    for (TImportEntry& entry : collector.Entries()) {
        if (!entry.Pending) continue;
        // "year,board=[black,white,result,..." with both names in UTF-8: the rest is code page already.
        const size_t open = entry.Line.find("=[") + 2;
        const size_t blackEnd = entry.Line.find(',', open);
        const size_t whiteEnd = entry.Line.find(',', blackEnd + 1);
        const std::string_view names[2] = {entry.Line.substr(open, blackEnd - open),
                                           entry.Line.substr(blackEnd + 1, whiteEnd - blackEnd - 1)};
        std::optional<std::string> bytes[2];
        for (int side = 0; side < 2; ++side) {
            auto found = written.find(std::string(names[side]));
            bytes[side] = found != written.end() ? found->second : CodePageText(names[side]);
            if (bytes[side]) continue;
            run.Skipped.push_back(
                TImportRefusal{files[entry.File], std::string(entry.Where),
                               Concat({"the name ", QuoteShort(names[side]), " cannot be written in ",
                                       TextPolicy().CodePage(), ", not even transliterated as ",
                                       QuoteShort(shown[std::string(names[side])])})});
            entry.Dropped = true;
            break;
        }
        if (entry.Dropped) continue;
        line.assign(entry.Line.substr(0, open));
        line.append(*bytes[0]).append(",").append(*bytes[1]).append(entry.Line.substr(whiteEnd));
        entry.Line = collector.Arena().Rewrite(entry.Line, line);
        entry.Pending = false;
    }
    return true;
}

// The games that go into the base by their folded keys: of games with one key, the one read last;
// each earlier one is noted.
std::unordered_map<std::string, uint32_t> ImportedKeys(std::deque<TImportEntry>& entries,
                                                       const std::vector<std::string>& files,
                                                       TImportRun& run) {
    std::unordered_map<std::string, uint32_t> keys;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Dropped) continue;
        auto [at, added] = keys.try_emplace(FoldedKey(entries[i].Line), uint32_t(i));
        if (added) continue;
        TImportEntry& earlier = entries[at->second];
        earlier.Dropped = true;
        run.Notes.push_back(Concat({"File ", files[earlier.File], ", ", earlier.Where, ": the key ",
                                    ShownKey(earlier.Line), " comes again in file ", files[entries[i].File],
                                    ", ", entries[i].Where, ", which is imported instead"}));
        at->second = uint32_t(i);
    }
    return keys;
}

// Whether two lines of one folded key hold the same game: everything after the key is the same.
bool SameGame(std::string_view a, std::string_view b) {
    return a.substr(std::min(a.find('='), a.size())) == b.substr(std::min(b.find('='), b.size()));
}

// The base's lines (without empty ones) with the imported games merged in, and the keys to record for
// the base afterwards. A game whose key no line holds is appended; one whose key the record holds
// replaces the first line of that key (unchanged when that line holds the same game); one whose key
// only lines the record does not know hold is unchanged when one of them holds the same game (and
// recorded from then on), else skipped, so that a game the user entered is never replaced. Keys of
// the record that no line holds any more are dropped from it.
std::vector<std::string_view> MergedLines(std::string_view content, std::deque<TImportEntry>& entries,
                                          const std::vector<std::string>& files,
                                          const std::unordered_set<std::string>& record,
                                          std::vector<std::string>& recorded, TImportRun& run) {
    std::vector<std::string_view> lines;
    const std::unordered_map<std::string, uint32_t> keys = ImportedKeys(entries, files, run);
    for (std::string_view line : SplitLines(content))
        if (!Trim(line).empty()) lines.push_back(line);
    lines.reserve(lines.size() + keys.size());

    // Where each imported key stands in the base: its first line, and whether a line holds that game.
    constexpr size_t None = std::numeric_limits<size_t>::max();
    struct THolding {
        size_t First = None;
        bool Same = false;
    };
    std::unordered_map<uint32_t, THolding> holding;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string key = FoldedKey(lines[i]);
        const auto found = keys.find(key);
        if (found == keys.end()) {
            if (record.contains(key)) recorded.push_back(std::move(key));
            continue;
        }
        THolding& held = holding[found->second];
        if (held.First == None) held.First = i;
        held.Same = held.Same || SameGame(lines[i], entries[found->second].Line);
    }
    std::vector<std::pair<uint32_t, const std::string*>> order;
    order.reserve(keys.size());
    for (const auto& [key, index] : keys) order.emplace_back(index, &key);
    std::sort(order.begin(), order.end());
    for (const auto& [index, key] : order) {
        const TImportEntry& entry = entries[index];
        const auto held = holding.find(index);
        const bool inRecord = record.contains(*key);
        if (held == holding.end()) {
            lines.push_back(entry.Line);
            ++run.GamesAdded;
            run.GamesWithoutResult += entry.NoResult ? 1 : 0;
        } else if (inRecord && !SameGame(lines[held->second.First], entry.Line)) {
            lines[held->second.First] = entry.Line;
            ++run.GamesReplaced;
            run.GamesWithoutResult += entry.NoResult ? 1 : 0;
        } else if (inRecord || held->second.Same) {
            ++run.GamesUnchanged;
        } else {
            run.Skipped.push_back(
                TImportRefusal{files[entry.File], std::string(entry.Where),
                               Concat({"the key ", ShownKey(entry.Line), " belongs to a game of the base"})});
            ++run.KeysOfTheBase;
            continue;
        }
        recorded.push_back(*key);
    }
    return lines;
}

}  // namespace

std::string ImportRunSummary(const TImportRun& run) {
    auto count = [](size_t n, const char* one, const char* many) {
        return Concat({std::to_string(n), " ", n == 1 ? one : many});
    };
    std::string text = Concat(
        {"Import Games: ", count(run.FilesRead, "file", "files"), " read, ",
         count(run.GamesAdded, "game", "games"), " added, ", std::to_string(run.GamesReplaced), " replaced, ",
         std::to_string(run.GamesUnchanged), " unchanged, ", std::to_string(run.Skipped.size()), " skipped"});
    if (run.KeysOfTheBase > 0)
        text += Concat({" (", std::to_string(run.KeysOfTheBase),
                        run.KeysOfTheBase == 1 ? " because its key belongs" : " because their keys belong",
                        " to a game of the base)"});
    for (size_t i = 0; i < run.Skipped.size() && i < ReasonsInSummary; ++i)
        text += Concat({i == 0 ? ": " : "; ", ImportRefusalText(run.Skipped[i])});
    if (run.Skipped.size() > ReasonsInSummary) text += "; ...";
    return Concat({text, ", ", count(run.NamesTransliterated, "name", "names"), " transliterated, ",
                   count(run.GamesWithoutResult, "game", "games"), " imported without a result."});
}

std::vector<std::string> ImportableFiles(const std::string& folder) {
    std::vector<std::string> files;
    const std::string full = FullPath(folder);
    for (const std::string& name : ListFolder(folder, "*"))
        if (FormatOf(name) != TImportFormat::Other) files.push_back(JoinPath(full, name));
    return files;
}

TImportRun ImportGames(const std::string& basePath, const std::vector<std::string>& files,
                       const TImportOptions& options, IImportUi& ui) {
    TImportRun run;
    TBaseWriteLock lock;
    if (!LockBase(lock, basePath, ui)) return EndedRun(TImportStatus::Failed);
    const std::optional<std::string> content = WorkingCopy(basePath, ui);
    if (!content) return EndedRun(TImportStatus::Failed);
    std::string error;
    const std::optional<std::unordered_set<std::string>> record = ReadImportRecord(basePath, error);
    if (!record) {
        ui.ShowMessage(error);
        return EndedRun(TImportStatus::Failed);
    }

    TImportCollector collector(ui, run);
    for (size_t i = 0; i < files.size(); ++i) {
        collector.StartFile(files[i], uint32_t(i));
        if (!collector.Progressing()) return EndedRun(TImportStatus::Cancelled);
        if (!ReadImportFile(files[i], options, collector, ui, run))
            return EndedRun(collector.Cancelled() ? TImportStatus::Cancelled : TImportStatus::Failed);
    }
    if (!collector.Progressing()) return EndedRun(TImportStatus::Cancelled);

    if (const std::vector<std::string>& names = collector.UnwritableNames(); !names.empty()) {
        const std::vector<std::string> first(
            names.begin(), names.begin() + ptrdiff_t(std::min(names.size(), FirstNamesAsked)));
        if (!ui.AskTransliterate(names.size(), first)) return EndedRun(TImportStatus::Cancelled);
        if (!TransliterateNames(collector, files, ui, run)) return EndedRun(TImportStatus::Failed);
    }

    std::vector<std::string> recorded;
    std::vector<std::string_view> lines =
        MergedLines(*content, collector.Entries(), files, *record, recorded, run);
    // The games are in lines now: what found their places goes before the sort and the write.
    std::deque<TImportEntry>().swap(collector.Entries());
    if (run.GamesAdded + run.GamesReplaced > 0) {
        if (!SaveLines(basePath, lines, ui, run.GamesReplaced > 0)) return EndedRun(TImportStatus::Failed);
        run.ReloadDue = true;
    }
    // The record follows the base: a record short of the games just written would only make them count
    // as unchanged next time, while one ahead of the base could claim a key for a game never written.
    std::sort(recorded.begin(), recorded.end());
    recorded.erase(std::unique(recorded.begin(), recorded.end()), recorded.end());
    const bool recordChanged =
        recorded.size() != record->size() ||
        !std::ranges::all_of(recorded, [&](const std::string& key) { return record->contains(key); });
    if (recordChanged && !WriteImportRecord(basePath, std::move(recorded), error))
        ui.ShowMessage(Concat({error, run.ReloadDue ? " The games were imported; the next import counts them "
                                                      "as unchanged and records them then."
                                                    : ""}));
    return run;
}

}  // namespace kalvon
