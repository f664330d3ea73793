#include "base/TextFields.h"

namespace kalvon {

std::string_view Trim(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

bool SplitField(std::string_view text, size_t& cursor, char delimiter, std::string_view& field) {
    field = {};
    if (cursor == 0) cursor = 1;
    const size_t length = text.size();
    if (cursor > length + 1) return false;
    if (cursor == length + 1) {
        cursor = length + 2;
        return true;
    }
    size_t from = cursor - 1;
    size_t at = text.find(delimiter, from);
    if (at == std::string_view::npos) {
        field = text.substr(from);
        cursor = length + 2;
    } else {
        field = text.substr(from, at - from);
        cursor = at + 2;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 64 + 1);
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
    size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text.append(part);
    return text;
}

std::string ShowControls(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte != 127) {
            shown += c;
            continue;
        }
        constexpr std::string_view Hex = "0123456789abcdef";
        shown += "\\x";
        shown += Hex[byte >> 4];
        shown += Hex[byte & 15];
    }
    return shown;
}

std::string QuoteShort(std::string_view text) {
    constexpr size_t Shown = 60;
    return Concat({"\"", ShowControls(text.substr(0, Shown)), text.size() > Shown ? "...\"" : "\""});
}

}  // namespace kalvon
