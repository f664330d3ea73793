#include "exchange/NotificationCarry.h"

#include "base/BaseLine.h"
#include "base/TextFields.h"
#include "exchange/NotificationReader.h"
#include "exchange/NotificationWriter.h"

namespace kalvon {

namespace {

// The fields of a base line as texts, for naming what differs.
struct TLineTexts {
    std::string Key, Black, White, Result, Moves, Alt, Flag;
};

TLineTexts Texts(const std::string& line) {
    std::string black, white;
    const TPartyRecord party = ParseBaseLine(line, black, white);
    return {Concat({std::string_view(party.Year), ",", std::string_view(party.Board)}),
            black,
            white,
            std::string(1, party.Result),
            std::string(party.Moves),
            std::string(party.Alt),
            party.Reverse ? "R" : "-"};
}

}  // namespace

std::optional<std::string> NotificationCarryProblem(const TGameBase& base, const TPartyRecord& party) {
    const std::string own = FormatBaseLine(base, party);
    const TNotificationRead read =
        NotificationToBaseLine(NotificationText(base, party), NotificationFileName(party), 0);
    if (read.Error) return "it does not read back: " + NotificationErrorText(*read.Error);
    if (read.BaseLine == own) return std::nullopt;
    const TLineTexts was = Texts(own), is = Texts(read.BaseLine);
    std::string why;
    auto differs = [&](const char* what, const std::string& a, const std::string& b) {
        if (a == b) return;
        why += Concat({why.empty() ? "" : "; ", what, " \"", a, "\" reads back as \"", b, "\""});
    };
    differs("the year and board", was.Key, is.Key);
    differs("black", was.Black, is.Black);
    differs("white", was.White, is.White);
    differs("the result", was.Result, is.Result);
    differs("the moves", was.Moves, is.Moves);
    differs("the alternative", was.Alt, is.Alt);
    differs("the colour exchange", was.Flag, is.Flag);
    return why.empty() ? "it reads back as " + read.BaseLine : why;
}

}  // namespace kalvon
