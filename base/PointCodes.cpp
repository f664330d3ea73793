#include "base/PointCodes.h"

#include "base/GameBase.h"
#include "base/TextFields.h"

namespace kalvon {

int PointDigitValue(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

char PointDigit(int value) {
    return PointDigits[size_t(value - 1)];
}

bool IsPointCode(std::string_view code) {
    return code.size() == 2 && PointDigitValue(code[0]) != 0 && PointDigitValue(code[1]) != 0;
}

std::string PointCodeToText(std::string_view code) {
    if (!IsPointCode(code)) return "?";
    return Concat({ColumnLetters.substr(size_t(PointDigitValue(code[0]) - 1), 1),
                   std::to_string(PointDigitValue(code[1]))});
}

std::string PointTextToCode(std::string_view text) {
    text = Trim(text);
    if (text.size() != 2 && text.size() != 3) return "?";
    size_t column = ColumnLetters.find(text[0]);
    if (column == std::string_view::npos) return "?";
    int row = 0;
    if (text.size() == 2) {
        if (text[1] < '1' || text[1] > '9') return "?";
        row = text[1] - '0';
    } else {
        if (text[1] != '1' || text[2] < '0' || text[2] > '5') return "?";
        row = 10 + (text[2] - '0');
    }
    return {PointDigit(int(column) + 1), PointDigit(row)};
}

}  // namespace kalvon
