#include "exchange/ImportedGame.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <memory>

#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"

namespace kalvon {

namespace {

// The length of the character at text[at] that CleanImportedText turns into one blank (a control
// character, "," or "=", U+0080..U+009F, U+2028, U+2029), or 0 when it stays; kind tells which.
size_t CleanedLength(std::string_view text, size_t at, char& kind) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char c = byte(at);
    if (c < 32 || c == 127) {
        kind = 'c';
        return 1;
    }
    if (c == ',' || c == '=') {
        kind = char(c);
        return 1;
    }
    if (c == 0xC2 && at + 1 < text.size() && byte(at + 1) >= 0x80 && byte(at + 1) <= 0x9F) {
        kind = 'c';
        return 2;
    }
    if (c == 0xE2 && at + 2 < text.size() && byte(at + 1) == 0x80 &&
        (byte(at + 2) == 0xA8 || byte(at + 2) == 0xA9)) {
        kind = 'c';
        return 3;
    }
    return 0;
}

bool IsValidUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = int32_t(text.size());
    for (int32_t at = 0; at < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        if (c < 0) return false;
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += char(0xC0 | (byte >> 6));
            utf8 += char(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

bool IsUtf8Name(std::string_view charset) {
    const std::string upper = AsciiUpper(Trim(charset));
    return upper == "UTF-8" || upper == "UTF8";
}

}  // namespace

std::string ImportRefusalText(const TImportRefusal& refusal) {
    if (refusal.Where.empty()) return Concat({"File ", refusal.File, ": ", refusal.Reason});
    return Concat({"File ", refusal.File, ", ", refusal.Where, ": ", refusal.Reason});
}

std::string CleanImportedText(std::string_view text, std::string_view what, TImportedGame& game) {
    std::string cleaned;
    cleaned.reserve(text.size());
    bool control = false, comma = false, equals = false;
    for (size_t at = 0; at < text.size();) {
        char kind = 0;
        const size_t length = CleanedLength(text, at, kind);
        if (length == 0) {
            cleaned += text[at++];
            continue;
        }
        cleaned += ' ';
        at += length;
        (kind == ',' ? comma : kind == '=' ? equals : control) = true;
    }
    if (control || comma || equals) {
        std::string kinds;
        for (const auto& [found, name] : {std::pair{control, "a line break or control character"},
                                          std::pair{comma, "\",\""}, std::pair{equals, "\"=\""}}) {
            if (!found) continue;
            if (!kinds.empty()) kinds += " and ";
            kinds += name;
        }
        game.Notes.push_back(Concat({game.Where, game.Where.empty() ? "" : ": ", what, " ", QuoteShort(text),
                                     ": ", kinds, " made a blank"}));
    }
    return cleaned;
}

std::string CleanImportedField(std::string_view text, std::string_view what, TImportedGame& game,
                               std::string_view fallback) {
    const std::string cleaned = CleanImportedText(text, what, game);
    const std::string_view trimmed = Trim(cleaned);
    return std::string(trimmed.empty() ? fallback : trimmed);
}

bool SetImportedBoard(TImportedGame& game, char prefix, std::string_view key, std::string& reason) {
    const char prefixText[1] = {prefix};
    game.Board = Concat({std::string_view(prefixText, 1), CleanImportedField(key, "board code", game, "")});
    if (std::optional<std::string> problem = CheckBaseField("The board code", game.Board)) {
        reason = *problem;
        return false;
    }
    return true;
}

std::string ImportedFileStem(std::string_view shownName) {
    const size_t slash = shownName.rfind('/');
    std::string_view name = slash == std::string_view::npos ? shownName : shownName.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

std::optional<std::string> ImportedTextToUtf8(std::string_view bytes, std::string_view charset) {
    if (Trim(charset).empty()) return IsValidUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
    if (IsUtf8Name(charset) && IsValidUtf8(bytes)) return std::string(bytes);
    const std::string name(Trim(charset));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open(name.c_str(), &status),
                                                                       &ucnv_close);
    if (U_FAILURE(status) || !converter) return std::nullopt;
    const icu::UnicodeString text(bytes.data(), int32_t(bytes.size()), converter.get(), status);
    if (U_FAILURE(status)) return std::nullopt;
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

bool AppendImportedMove(TImportedGame& game, int column, int row, std::string& reason) {
    const size_t number = game.Moves.size() / 2 + 1;
    if (column < 1 || column > BoardSize || row < 1 || row > BoardSize) {
        reason = Concat({"move ", std::to_string(number), " is off the board"});
        return false;
    }
    const char code[2] = {PointDigit(column), PointDigit(row)};
    // The point set answers at once; only a point played twice looks for the move that took it.
    const size_t point = size_t(column - 1) * BoardSize + size_t(row - 1);
    for (size_t at = 0; game.Taken[point] && at + 1 < game.Moves.size(); at += 2) {
        if (game.Moves[at] == code[0] && game.Moves[at + 1] == code[1]) {
            reason = Concat({"move ", std::to_string(number), " takes ",
                             PointCodeToText(std::string_view(code, 2)), ", taken by move ",
                             std::to_string(at / 2 + 1)});
            return false;
        }
    }
    game.Taken.set(point);
    game.Moves.append(code, 2);
    return true;
}

}  // namespace kalvon
