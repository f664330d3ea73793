#include "base/GameTexts.h"

#include <cstdlib>

#include "base/PointCodes.h"
#include "base/TextFields.h"

namespace kalvon {

std::string ResultText(char result) {
    switch (result) {
        case '+':
            return "1:0";
        case '-':
            return "0:1";
        case '=':
            return "1/2";
        case 'F':
            return "+:-";
        case 'f':
            return "-:+";
        default:
            return "";
    }
}

std::string ResultMark(const TPartyRecord& party) {
    const char* mark = "?";
    switch (party.Result) {
        case '+':
        case 'F':
            mark = "/";
            break;
        case '-':
        case 'f':
            mark = "o";
            break;
        case '=':
            mark = "x";
            break;
        default:
            break;
    }
    return Concat({mark, std::to_string(party.Moves.size() / 2)});
}

namespace {

// The number of the opening (1..13 direct, 14..26 indirect, 0 when unnamed) for move 3 at distance t
// from the centre, s from move 2, dc columns from move 2 and dx columns from the centre.
int DirectOpening(int t, int s, int dc, int dx) {
    switch (t) {
        case 1:
            return dc == 1 ? 6 : 8;
        case 2:
            if (dx == 1) return s == 1 ? 4 : 9;
            if (s == 1) return 1;
            return (dc == 1 || dc == 2) ? 7 : 11;
        case 3:
            if (s == 2) return dc == 1 ? 2 : 5;
            return dc == 2 ? 10 : 12;
        case 4:
            return s == 3 ? 3 : 13;
        default:
            return 0;
    }
}

int IndirectOpening(int t, int s, int dc) {
    switch (t) {
        case 1:
            return s == 1 ? 19 : 22;
        case 2:
            if (s == 2) return dc == 1 ? 16 : 20;
            if (s == 4) return dc == 2 ? 24 : 23;
            return 0;
        case 3:
            if (s == 1) return 15;
            if (s == 3) return (dc == 0 || dc == 3) ? 21 : 17;
            if (s == 5) return 25;
            return 0;
        case 4:
            if (s == 2) return 14;
            if (s == 4) return 18;
            if (s == 6) return 26;
            return 0;
        default:
            return 0;
    }
}

}  // namespace

std::string OpeningName(std::string_view moves2and3) {
    if (moves2and3.size() < 4) return "?";
    const int c2 = PointDigitValue(moves2and3[0]), r2 = PointDigitValue(moves2and3[1]);
    const int c3 = PointDigitValue(moves2and3[2]), r3 = PointDigitValue(moves2and3[3]);
    if (std::abs(c2 - 8) > 1 || std::abs(r2 - 8) > 1) return "??";
    const bool direct = c2 == 8 || r2 == 8;
    if (std::abs(c3 - 8) > 2 || std::abs(r3 - 8) > 2) return direct ? "?D" : "?I";
    const int t = std::abs(c3 - 8) + std::abs(r3 - 8);
    const int s = std::abs(c3 - c2) + std::abs(r3 - r2);
    const int dc = std::abs(c3 - c2);
    const int dx = std::abs(c3 - 8);
    const int n = direct ? DirectOpening(t, s, dc, dx) : IndirectOpening(t, s, dc);
    return n <= 13 ? std::to_string(n) + "D" : std::to_string(n - 13) + "I";
}

std::string AltMoveText(const TPartyRecord& party) {
    std::string alt = AsciiUpper(party.Alt);
    if (alt == "?") return "?";
    const std::string code = PointTextToCode(alt);
    if (code == "?") return "?";
    for (size_t k = 0; k + 1 < party.Moves.size(); k += 2)
        if (party.Moves.compare(k, 2, code) == 0) return std::to_string(k / 2 + 1);
    return alt;
}

std::string PartyCaption(const TPartyRecord& party) {
    const std::string_view moves = party.Moves;
    const std::string_view opening = moves.size() > 2 ? moves.substr(2, 4) : std::string_view{};
    return OpeningName(opening) + (party.Reverse ? ",R,5A=" : ",-,5A=") + AltMoveText(party) + "," +
           ResultMark(party);
}

std::string PlayerName(const TBaseGames& base, int32_t id) {
    const auto& records = base.PlayerCatalogue.PlayerRecords;
    if (id < 1 || size_t(id) > records.size()) return "";
    return records[size_t(id - 1)].Name;
}

char PartyGroup(const TPartyRecord& party) {
    return party.Board.empty() ? ' ' : party.Board[0];
}

std::string ListingLine(const TBaseGames& base, long game) {
    const TPartyRecord& party = base.PartyList[size_t(game)];
    return Concat({std::to_string(game + 1), ".", PlayerName(base, party.BlackId), " - ",
                   PlayerName(base, party.WhiteId), "(", party.Year, ",", party.Board, ")"});
}

}  // namespace kalvon
