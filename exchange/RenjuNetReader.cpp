// The RenjuNet reader: the XML of the database goes through expat a piece at a time; the players and
// tournaments are kept as they pass (they stand before the games), and each game is handed when its
// element ends.
#include <expat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "exchange/GameReaders.h"

namespace kalvon {

namespace {

// How much of the file is handed to expat at a time, at the least.
constexpr size_t ChunkBytes = size_t(64) * 1024;
// The most bytes one piece of XML that expat cannot hand on in parts (a tag with its attributes, a
// comment, a declaration) may take: a RenjuNet database has none over a few kilobytes.
constexpr size_t MaxTokenBytes = size_t(16) << 20;
// More move text than this is no game of the board (225 points take under 1000 characters).
constexpr size_t MaxMoveText = size_t(16) * 1024;

enum class TElement : uint8_t { Other, Database, Players, Tournaments, Games, Game, Move };

struct TParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

std::string_view Attribute(const XML_Char** attributes, std::string_view name) {
    for (size_t i = 0; attributes[i] && attributes[i + 1]; i += 2)
        if (name == attributes[i]) return attributes[i + 1];
    return {};
}

// The year of a tournament: its year, else the year of its start (YYYY-MM-DD); 0 when neither has one.
int TournamentYear(std::string_view year, std::string_view start) {
    for (const std::string_view text : {Trim(year), Trim(start).substr(0, 4)}) {
        if (text.empty() || text.size() > 4) continue;
        int value = 0;
        bool digits = true;
        for (char c : text) {
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + (c - '0');
        }
        if (digits && IsImportedYear(value)) return value;
    }
    return 0;
}

// A game's element as read so far.
struct TRifGame {
    std::string Id, Tournament, Black, White, Result, Moves;
    bool MovesTooLong = false;
};

class TRifReader {
public:
    TRifReader(const std::string& shownName, IImportSink& sink)
        : ShownName_(shownName), Sink_(sink), Parser_(XML_ParserCreate(nullptr)) {
        XML_SetUserData(Parser_.get(), this);
        XML_SetElementHandler(Parser_.get(), &TRifReader::OnStart, &TRifReader::OnEnd);
        XML_SetCharacterDataHandler(Parser_.get(), &TRifReader::OnText);
    }

    // Feeds the next bytes of the document (final with its last ones); "" while it goes on well, else
    // the message that ends the reading (empty as well when the sink stopped it: see Stopped).
    std::string Feed(const char* data, size_t size, bool final) {
        size_t piece = ChunkBytes;
        for (size_t at = 0; at < size || (final && at == size);) {
            const size_t count = std::min(size - at, piece);
            const bool last = final && at + count == size;
            if (XML_Parse(Parser_.get(), data + at, int(count), last ? XML_TRUE : XML_FALSE) != XML_STATUS_OK)
                return Failure();
            at += count;
            if (last) break;
            if (!NextPiece(at, piece)) return TokenTooLarge();
        }
        return {};
    }

    // The same for a file, read into expat's own buffer a piece at a time.
    std::string FeedFile(TFileReader& file) {
        uint64_t read = 0;
        size_t piece = ChunkBytes;
        for (;;) {
            void* buffer = XML_GetBuffer(Parser_.get(), int(piece));
            if (!buffer) return Concat({"File ", ShownName_, " cannot be read: out of memory"});
            std::string error;
            const std::optional<size_t> count = file.Read(static_cast<char*>(buffer), piece, error);
            if (!count) return error;
            read += *count;
            if (XML_ParseBuffer(Parser_.get(), int(*count), *count == 0 ? XML_TRUE : XML_FALSE) !=
                XML_STATUS_OK)
                return Failure();
            if (*count == 0) return {};
            if (!Sink_.Progress(read, file.Size())) return {};
            if (!NextPiece(read, piece)) return TokenTooLarge();
        }
    }

private:
    // The size of the next piece once fed bytes went to expat: doubled while most of the last one is
    // still waiting as one unfinished piece of XML, which expat reads again from its start on every
    // call (its version of Debian 12 has no deferral of that), so that a long one costs time in
    // proportion to its length and not to its square. False when that piece of XML passed
    // MaxTokenBytes: one longer than that and a first piece is always refused, a shorter one read.
    bool NextPiece(uint64_t fed, size_t& piece) const {
        const XML_Index parsed = XML_GetCurrentByteIndex(Parser_.get());
        const uint64_t waiting = parsed < 0 || uint64_t(parsed) > fed ? 0 : fed - uint64_t(parsed);
        if (waiting > MaxTokenBytes) return false;
        // Never so large that a piece of XML could pass the limit unseen within one piece.
        const size_t desired = waiting > piece / 2 ? piece * 2 : piece;
        piece = std::clamp(desired, ChunkBytes, MaxTokenBytes + ChunkBytes - size_t(waiting));
        return true;
    }

    std::string TokenTooLarge() const {
        return Concat({"File ", ShownName_, " holds at line ",
                       std::to_string(XML_GetCurrentLineNumber(Parser_.get())),
                       " one piece of XML (a tag, a comment or a declaration) of more than ",
                       std::to_string(MaxTokenBytes >> 20),
                       " MB, more than a RenjuNet database holds: the rest of it was not read"});
    }

    std::string Failure() {
        if (Stopped_) return {};
        if (!Refusal_.empty()) return Refusal_;
        return Concat({"File ", ShownName_, " is not well-formed XML at line ",
                       std::to_string(XML_GetCurrentLineNumber(Parser_.get())), " (",
                       XML_ErrorString(XML_GetErrorCode(Parser_.get())), "): the rest of it was not read"});
    }

    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<TRifReader*>(self)->Start(name, attributes);
    }
    static void OnEnd(void* self, const XML_Char* /*name*/) { static_cast<TRifReader*>(self)->End(); }
    static void OnText(void* self, const XML_Char* text, int length) {
        auto& reader = *static_cast<TRifReader*>(self);
        if (reader.Open_.empty() || reader.Open_.back() != TElement::Move) return;
        TRifGame& game = reader.Game_;
        if (game.Moves.size() + size_t(length) > MaxMoveText)
            game.MovesTooLong = true;
        else
            game.Moves.append(text, size_t(length));
    }

    void Start(std::string_view name, const XML_Char** attributes) {
        const TElement parent = Open_.empty() ? TElement::Other : Open_.back();
        TElement element = TElement::Other;
        if (Open_.empty()) {
            if (name != "database") {
                Refusal_ = Concat({"File ", ShownName_, " is no RenjuNet database: its first element is <",
                                   QuoteShort(name), ">, not <database>"});
                XML_StopParser(Parser_.get(), XML_FALSE);
                return;
            }
            element = TElement::Database;
        } else if (parent == TElement::Database) {
            element = name == "players"       ? TElement::Players
                      : name == "tournaments" ? TElement::Tournaments
                      : name == "games"       ? TElement::Games
                                              : TElement::Other;
        } else if (parent == TElement::Players && name == "player") {
            AddPlayer(attributes);
        } else if (parent == TElement::Tournaments && name == "tournament") {
            Tournaments_[std::string(Attribute(attributes, "id"))] =
                TournamentYear(Attribute(attributes, "year"), Attribute(attributes, "start"));
        } else if (parent == TElement::Games && name == "game") {
            element = TElement::Game;
            ++GameCount_;
            Game_ = {.Id = std::string(Attribute(attributes, "id")),
                     .Tournament = std::string(Attribute(attributes, "tournament")),
                     .Black = std::string(Attribute(attributes, "black")),
                     .White = std::string(Attribute(attributes, "white")),
                     .Result = std::string(Attribute(attributes, "bresult")),
                     .Moves = {},
                     .MovesTooLong = false};
        } else if (parent == TElement::Game && name == "move") {
            element = TElement::Move;
            if (!Game_.Moves.empty()) Game_.Moves += ' ';
        }
        Open_.push_back(element);
    }

    void End() {
        if (Open_.empty()) return;
        const TElement element = Open_.back();
        Open_.pop_back();
        if (element == TElement::Game) HandGame();
    }

    void AddPlayer(const XML_Char** attributes) {
        const std::string_view given = Trim(Attribute(attributes, "name"));
        const std::string_view surname = Trim(Attribute(attributes, "surname"));
        std::string name =
            given.empty() || surname.empty() ? Concat({given, surname}) : Concat({given, " ", surname});
        Players_[std::string(Attribute(attributes, "id"))] = std::move(name);
    }

    std::string PlayerName(const std::string& id, std::string_view what, TImportedGame& game) const {
        const auto found = Players_.find(id);
        if (found == Players_.end()) {
            game.Notes.push_back(
                Concat({game.Where, ": ", what, " ", QuoteShort(id), " is unknown: named \"?\""}));
            return "?";
        }
        return CleanImportedField(found->second, Concat({what, "'s name"}), game, "?");
    }

    // The moves "h8 h9 i10": a letter a..o for the column, rows 1..15 from the bottom.
    static bool AppendMoves(std::string_view text, TImportedGame& game, std::string& reason) {
        size_t cursor = 0;
        while (cursor < text.size()) {
            while (cursor < text.size() && static_cast<unsigned char>(text[cursor]) <= ' ') ++cursor;
            const size_t start = cursor;
            while (cursor < text.size() && static_cast<unsigned char>(text[cursor]) > ' ') ++cursor;
            const std::string_view token = text.substr(start, cursor - start);
            if (token.empty()) break;
            const char letter = AsciiUpper(token.substr(0, 1))[0];
            int row = 0;
            bool point = letter >= 'A' && letter <= 'Z' && token.size() >= 2 && token.size() <= 3;
            for (size_t i = 1; point && i < token.size(); ++i) {
                point = token[i] >= '0' && token[i] <= '9';
                row = row * 10 + (token[i] - '0');
            }
            if (!point) {
                reason = Concat({"move ", std::to_string(game.Moves.size() / 2 + 1), " ", QuoteShort(token),
                                 " is no point"});
                return false;
            }
            if (!AppendImportedMove(game, letter - 'A' + 1, row, reason)) {
                reason += Concat({" (", token, ")"});
                return false;
            }
        }
        return true;
    }

    void HandGame() {
        TImportedGame game;
        game.Where = Game_.Id.empty()
                         ? Concat({"game without id (game ", std::to_string(GameCount_), " of the file)"})
                         : Concat({"game ", Game_.Id});
        std::string reason;
        const auto tournament = Tournaments_.find(Game_.Tournament);
        if (Game_.Id.empty()) {
            reason = "no id";
        } else if (tournament == Tournaments_.end()) {
            reason = Concat({"unknown tournament ", QuoteShort(Game_.Tournament)});
        } else if (tournament->second == 0) {
            reason = Concat({"tournament ", QuoteShort(Game_.Tournament), " has no year"});
        } else if (Game_.MovesTooLong) {
            reason = "more move text than a game of the board can hold";
        } else if (SetImportedBoard(game, 'r', Game_.Id, reason) && AppendMoves(Game_.Moves, game, reason)) {
            game.Year = tournament->second;
            game.Black = PlayerName(Game_.Black, "black player", game);
            game.White = PlayerName(Game_.White, "white player", game);
            const std::string_view result = Trim(Game_.Result);
            game.Result = result == "1" ? '+' : result == "0" ? '-' : result == "0.5" ? '=' : '?';
            if (!Sink_.Game(std::move(game))) {
                Stopped_ = true;
                XML_StopParser(Parser_.get(), XML_FALSE);
            }
            return;
        }
        Sink_.Refused({ShownName_, game.Where, reason});
    }

    const std::string& ShownName_;
    IImportSink& Sink_;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, TParserDeleter> Parser_;
    std::vector<TElement> Open_;                            // the elements open, outermost first
    std::unordered_map<std::string, std::string> Players_;  // id -> "name surname" as written
    std::unordered_map<std::string, int> Tournaments_;      // id -> year, 0 when it has none
    TRifGame Game_;
    size_t GameCount_ = 0;
    bool Stopped_ = false;  // the sink stopped the reading
    std::string Refusal_;   // why the reader stopped the parse itself
};

}  // namespace

std::string ReadRenjuNet(const std::string& path, const std::string& shownName, IImportSink& sink) {
    TFileReader file;
    std::string error;
    if (!file.Open(path, error)) return error;
    TRifReader reader(shownName, sink);
    return reader.FeedFile(file);
}

std::string ReadRenjuNetText(std::string_view xml, const std::string& shownName, IImportSink& sink) {
    TRifReader reader(shownName, sink);
    return reader.Feed(xml.data(), xml.size(), true);
}

}  // namespace kalvon
