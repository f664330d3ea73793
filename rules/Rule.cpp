#include "rules/Rule.h"

#include <array>
#include <cstdint>

#include "base/PointCodes.h"
#include "base/TextFields.h"

namespace kalvon {

std::string_view RuleWord(TRule rule) {
    switch (rule) {
        case TRule::Renju:
            return "renju";
        case TRule::Freestyle:
            return "freestyle";
        case TRule::Standard:
            return "standard";
    }
    return "renju";
}

std::optional<TRule> RuleOfWord(std::string_view word) {
    const std::string upper = AsciiUpper(word);
    for (TRule rule : {TRule::Renju, TRule::Freestyle, TRule::Standard})
        if (upper == AsciiUpper(RuleWord(rule))) return rule;
    return std::nullopt;
}

std::string_view RuleCaption(TRule rule) {
    switch (rule) {
        case TRule::Renju:
            return "Renju";
        case TRule::Freestyle:
            return "Gomoku five or more";
        case TRule::Standard:
            return "Gomoku exactly five";
    }
    return "Renju";
}

std::string_view SideWord(TSide side) {
    return side == TSide::Black ? "black" : "white";
}

TRule GameRule(std::string_view moves, TRule gomokuRule) {
    if (moves.substr(0, 2) == "88") return TRule::Renju;
    return gomokuRule == TRule::Renju ? TRule::Freestyle : gomokuRule;
}

const std::array<uint8_t, 256> PointCodeDigits = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) table[size_t(c)] = uint8_t(PointDigitValue(char(c)));
    return table;
}();

std::string CodeOfPointNumber(int point) {
    return {PointDigit(point / 15 + 1), PointDigit(point % 15 + 1)};
}

std::string TextOfPointNumber(int point) {
    return PointCodeToText(CodeOfPointNumber(point));
}

std::string MovesAsTexts(std::string_view moves) {
    std::string texts;
    for (size_t k = 0; k + 1 < moves.size(); k += 2) {
        if (!texts.empty()) texts += ' ';
        texts += PointCodeToText(moves.substr(k, 2));
    }
    return texts;
}

}  // namespace kalvon
