// The SGF reader: game trees "(...)" of nodes ";" of properties IDENT[value][value]..., the main line
// of each game (the first variation at every branch) made into one imported game.
#include <optional>
#include <utility>
#include <vector>

#include "base/GameBase.h"
#include "base/TextFields.h"
#include "exchange/GameReaders.h"

namespace kalvon {

namespace {

struct TSgfProperty {
    std::string Ident;  // upper-case letters and digits ("PB", "5A"); lower-case letters dropped
    std::vector<std::string> Values;  // with their escapes undone
};
using TSgfNode = std::vector<TSgfProperty>;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsIdentChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Reads one game tree from the "(" at text[at]: the nodes of its main line, or the reason it cannot
// be read. at ends behind the tree's ")", or at the end of the text when the tree is broken.
class TSgfTreeReader {
public:
    TSgfTreeReader(std::string_view text, size_t& at) : Text_(text), At_(at) {}

    std::optional<std::vector<TSgfNode>> Read(std::string& reason) {
        std::vector<TSgfNode> nodes;
        ++At_;  // the "("
        size_t depth = 1;
        bool mainLine = true;  // ends with the first ")": every later node lies in another variation
        while (At_ < Text_.size()) {
            const char c = Text_[At_];
            if (IsBlank(c)) {
                ++At_;
            } else if (c == '(') {
                ++depth;
                ++At_;
            } else if (c == ')') {
                ++At_;
                mainLine = false;
                if (--depth == 0) return nodes;
            } else if (c == ';') {
                ++At_;
                if (mainLine) nodes.emplace_back();
            } else if (IsIdentChar(c)) {
                std::optional<TSgfProperty> property = ReadProperty(reason);
                if (!property) return std::nullopt;
                if (!mainLine) continue;
                if (nodes.empty()) {
                    reason = "a property stands before the first node";
                    return std::nullopt;
                }
                nodes.back().push_back(std::move(*property));
            } else {
                reason = Concat({"the character ", QuoteShort(std::string_view(&Text_[At_], 1)), " at byte ",
                                 std::to_string(At_ + 1), " is no SGF"});
                return std::nullopt;
            }
        }
        reason = "the file ends inside the game";
        return std::nullopt;
    }

private:
    std::optional<TSgfProperty> ReadProperty(std::string& reason) {
        TSgfProperty property;
        const size_t start = At_;
        while (At_ < Text_.size() && IsIdentChar(Text_[At_])) {
            const char c = Text_[At_++];
            if (c < 'a' || c > 'z') property.Ident += c;
        }
        if (property.Ident.empty()) property.Ident = Text_.substr(start, At_ - start);
        SkipBlanks();
        if (At_ >= Text_.size() || Text_[At_] != '[') {
            reason = Concat({"the property ", QuoteShort(property.Ident), " has no value"});
            return std::nullopt;
        }
        while (At_ < Text_.size() && Text_[At_] == '[') {
            std::optional<std::string> value = ReadValue();
            if (!value) {
                reason = Concat({"the value of ", QuoteShort(property.Ident), " has no closing \"]\""});
                return std::nullopt;
            }
            property.Values.push_back(std::move(*value));
            SkipBlanks();
        }
        return property;
    }

    // The value from the "[" at At_ to its "]": "\" takes the next character as it is, and "\"
    // before a line break (a soft line break) is dropped with it.
    std::optional<std::string> ReadValue() {
        std::string value;
        for (++At_; At_ < Text_.size(); ++At_) {
            const char c = Text_[At_];
            if (c == ']') {
                ++At_;
                return value;
            }
            if (c != '\\') {
                value += c;
                continue;
            }
            if (++At_ >= Text_.size()) break;
            const char next = Text_[At_];
            if (next == '\n' || next == '\r') {
                const char pair = next == '\n' ? '\r' : '\n';
                if (At_ + 1 < Text_.size() && Text_[At_ + 1] == pair) ++At_;
                continue;
            }
            value += next;
        }
        return std::nullopt;
    }

    void SkipBlanks() {
        while (At_ < Text_.size() && IsBlank(Text_[At_])) ++At_;
    }

    std::string_view Text_;
    size_t& At_;
};

// The first value of the first property of that name on the main line.
const std::string* FindValue(const std::vector<TSgfNode>& nodes, std::string_view ident) {
    for (const TSgfNode& node : nodes)
        for (const TSgfProperty& property : node)
            if (property.Ident == ident && !property.Values.empty()) return &property.Values.front();
    return nullptr;
}

char SgfResult(std::string_view value, TImportedGame& game) {
    const std::string result = AsciiUpper(Trim(value));
    if (result.starts_with("B+F")) return 'F';
    if (result.starts_with("W+F")) return 'f';
    if (result.starts_with("B+")) return '+';
    if (result.starts_with("W+")) return '-';
    if (result == "0" || result == "DRAW" || result == "JIGO") return '=';
    if (!result.empty() && result != "?" && result != "VOID")
        game.Notes.push_back(
            Concat({game.Where, ": the result RE[", QuoteShort(value), "] is read as unknown"}));
    return '?';
}

// The year from the first four digits of DT ("2003-05-17", "2003"), or 0.
int SgfYear(std::string_view date) {
    date = Trim(date);
    if (date.size() < 4) return 0;
    int year = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (date[i] < '0' || date[i] > '9') return 0;
        year = year * 10 + (date[i] - '0');
    }
    if (date.size() > 4 && date[4] >= '0' && date[4] <= '9') return 0;
    return year;
}

// The moves of the main line into game.Moves; false with the reason when they cannot be.
bool SgfMoves(const std::vector<TSgfNode>& nodes, TImportedGame& game, std::string& reason) {
    for (const TSgfNode& node : nodes) {
        const TSgfProperty* move = nullptr;
        for (const TSgfProperty& property : node) {
            if (property.Ident == "AB" || property.Ident == "AW" || property.Ident == "AE") {
                reason = Concat({"setup stones (", property.Ident, ") cannot stand in a game of the base"});
                return false;
            }
            if (property.Ident != "B" && property.Ident != "W") continue;
            if (move) {
                reason = "a node holds two moves";
                return false;
            }
            move = &property;
        }
        if (!move) continue;
        const size_t number = game.Moves.size() / 2 + 1;
        const char colour = number % 2 == 1 ? 'B' : 'W';
        if (move->Ident[0] != colour) {
            reason = Concat({"move ", std::to_string(number), " is ",
                             move->Ident == "B" ? "black's" : "white's", " where the other side is to move"});
            return false;
        }
        const std::string_view point = Trim(move->Values.front());
        if (move->Values.size() != 1 || point.size() == 1 || point.size() > 2) {
            reason = Concat(
                {"move ", std::to_string(number), " ", QuoteShort(move->Values.front()), " is no point"});
            return false;
        }
        if (point.empty() || point == "tt") {
            reason = Concat({"move ", std::to_string(number), " is a pass"});
            return false;
        }
        const auto letter = [](char c) {
            return c >= 'a' && c <= 'z' ? c - 'a' + 1 : c >= 'A' && c <= 'Z' ? c - 'A' + 27 : 99;
        };
        const int column = letter(point[0]), y = letter(point[1]);
        if (column == 99 || y == 99) {
            reason = Concat({"move ", std::to_string(number), " ", QuoteShort(point), " is no point"});
            return false;
        }
        if (!AppendImportedMove(game, column, BoardSize + 1 - y, reason)) {
            reason += Concat({" (", std::string(point), ")"});
            return false;
        }
    }
    return true;
}

}  // namespace

void ReadSgf(std::string_view text, const std::string& shownName, IImportSink& sink) {
    size_t at = 0;
    for (size_t number = 1;; ++number) {
        while (at < text.size() && text[at] != '(') ++at;
        if (at >= text.size()) return;
        TImportedGame game;
        game.Where = "game " + std::to_string(number);
        std::string reason;
        auto refuse = [&] { sink.Refused({shownName, game.Where, reason}); };
        const std::optional<std::vector<TSgfNode>> nodes = TSgfTreeReader(text, at).Read(reason);
        if (!nodes) {
            refuse();
            return;  // where the tree ends is not known: nothing after it can be trusted
        }
        const std::string* charset = FindValue(*nodes, "CA");
        if (charset && !ImportedTextToUtf8("", *charset)) {
            reason = Concat({"the character set CA[", QuoteShort(*charset), "] is unknown"});
            refuse();
            continue;
        }
        // Texts of the game as UTF-8 ("" for a property that is absent).
        auto utf8 = [&](std::string_view ident) {
            const std::string* value = FindValue(*nodes, ident);
            if (!value) return std::string();
            return ImportedTextToUtf8(*value, charset ? std::string_view(*charset) : std::string_view())
                .value_or(std::string());
        };
        const std::string key = utf8("GN");
        if (!Trim(key).empty()) game.Where += Concat({" (GN ", QuoteShort(Trim(key)), ")"});
        const std::string* kind = FindValue(*nodes, "GM");
        if (!kind || Trim(*kind) != "4") {
            reason = kind ? Concat({"GM[", QuoteShort(*kind), "] is no gomoku or renju game (GM[4])"})
                          : "no GM[4]: without it SGF means a game of go";
            refuse();
            continue;
        }
        const std::string* size = FindValue(*nodes, "SZ");
        if (size && Trim(*size) != "15" && Trim(*size) != "15:15") {
            reason = Concat({"the board size SZ[", QuoteShort(*size), "] is not 15"});
            refuse();
            continue;
        }
        const std::string* date = FindValue(*nodes, "DT");
        game.Year = date ? SgfYear(*date) : 0;
        if (!IsImportedYear(game.Year)) {
            reason = date ? Concat({"no year in DT[", QuoteShort(*date), "]"}) : "no year (DT)";
            refuse();
            continue;
        }
        if (!SetImportedBoard(
                game, 's',
                Trim(key).empty() ? Concat({ImportedFileStem(shownName), "-", std::to_string(number)}) : key,
                reason)) {
            refuse();
            continue;
        }
        if (!SgfMoves(*nodes, game, reason)) {
            refuse();
            continue;
        }
        game.Black = CleanImportedField(utf8("PB"), "black's name", game, "?");
        game.White = CleanImportedField(utf8("PW"), "white's name", game, "?");
        const std::string* result = FindValue(*nodes, "RE");
        game.Result = result ? SgfResult(*result, game) : '?';
        game.Alt = CleanImportedField(utf8("KA"), "alternative", game, "?");
        const std::string* flag = FindValue(*nodes, "KR");
        game.Reverse = flag && Trim(*flag) == "1";
        if (!sink.Game(std::move(game))) return;
    }
}

}  // namespace kalvon
