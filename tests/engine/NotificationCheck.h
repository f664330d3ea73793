// What must hold for whatever the notification reader is given; shared by the mutation test and the
// fuzz target.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
#include "exchange/NotificationReader.h"

namespace kalvon::test {

// Reads the text and returns what is wrong with the outcome, or "" when it is sound: a refusal names
// the file and a reason and gives no line; a line splits back into the fields it was made of, with moves that
// are distinct points of the board and a known result.
inline std::string CheckNotification(std::string_view text, std::string_view fileName) {
    const TNotificationRead read = NotificationToBaseLine(text, fileName, 0);
    if (read.Error) {
        if (!read.BaseLine.empty()) return "a refusal with a line";
        if (read.Error->File != fileName || read.Error->Reason.empty())
            return "a refusal without file or reason";
        return "";
    }
    if (read.BaseLine.empty()) return "";
    std::string black, white;
    const TPartyRecord party = ParseBaseLine(read.BaseLine, black, white);
    const std::string fields =
        Concat({party.Year, ",", party.Board, "=[", black, ",", white, ",", std::string(1, party.Result), ",",
                party.Moves, ",", party.Alt, ",-]"});
    if (fields != read.BaseLine) return "the fields of the line run into each other: " + read.BaseLine;
    if (std::string_view("+-=Ff?").find(party.Result) == std::string_view::npos) return "unknown result";
    if (party.Moves.size() % 2 != 0) return "half a move";
    std::bitset<256> taken;
    for (size_t i = 0; i < party.Moves.size(); i += 2) {
        const std::string_view code = std::string_view(party.Moves).substr(i, 2);
        if (!IsPointCode(code)) return "a move that is no point: " + std::string(code);
        const size_t point = size_t(PointDigitValue(code[0]) * 16 + PointDigitValue(code[1]));
        if (taken.test(point)) return "a point played twice: " + std::string(code);
        taken.set(point);
    }
    return "";
}

}  // namespace kalvon::test
