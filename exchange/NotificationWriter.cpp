#include "exchange/NotificationWriter.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "base/FolderListing.h"
#include "base/GameTexts.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "exchange/NotificationCarry.h"

// GCC 12 at -O3 reports overlapping copies inside std::string concatenations that cannot happen
// (its known -Wrestrict false positive); nothing else in this file is affected.
#pragma GCC diagnostic ignored "-Wrestrict"

namespace kalvon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string PadRight(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string PadLeft(const std::string& text, size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// A turn number right-aligned in three characters, as "%3d" writes it.
std::string Turn(int turn) {
    return PadLeft(std::to_string(turn), 3);
}

// The two points offered for move 5 while a game stands at that choice ("J10-K9"), or false when Alt
// holds no such pair that a notification could carry.
bool OfferedPair(std::string_view alt, std::string& first, std::string& second) {
    const size_t dash = alt.find('-');
    if (dash == std::string_view::npos || alt.find('-', dash + 1) != std::string_view::npos) return false;
    first = alt.substr(0, dash);
    second = alt.substr(dash + 1);
    for (const std::string* part : {&first, &second}) {
        if (part->empty()) return false;
        for (char c : *part)
            if (static_cast<unsigned char>(c) <= 32 || c == 127 || c == ',' || c == '=') return false;
    }
    return true;
}

// The alternative as turn 3 of a longer game can carry it: "?" or one point text in any letter case;
// anything else would make a row the reader refuses, so it becomes "?".
std::string CarriedAlternative(std::string_view alt) {
    if (alt == "?") return std::string(alt);
    for (char c : alt)
        if (static_cast<unsigned char>(c) <= 32) return "?";
    return PointTextToCode(AsciiUpper(alt)) == "?" ? "?" : std::string(alt);
}

class TTableWriter {
public:
    TTableWriter(const TPartyRecord& party, std::vector<std::string>& lines)
        : Party_(party), Lines_(lines), Count_(int(party.Moves.size() / 2)) {}

    void Gomoku() {
        const int n = Count_;
        for (int w = 1; w <= n / 2; ++w) Row(First(2 * w - 1, 2 * w - 1), 2 * w, Move(2 * w));
        if (n % 2 == 1)
            ClosingAfter(First(n, n), n + 1);
        else
            ClosingAlone(n + 1);
    }

    void Renju() {
        const int n = Count_;
        if (n <= 1) {
            Lines_.push_back("   1 Forfeit");
            return;
        }
        const std::string t1 = "  1 " + Move(2) + "," + Move(3);
        if (n == 3) {
            Lines_.push_back(" " + PadLeft(t1, 12) + "   2 Forfeit");
            return;
        }
        Lines_.push_back(" " + PadRight(t1, 12) + "   2 " + Move(4));
        if (n == 4) return StandingAtTheChoice();
        const std::string t3 = "  3 " + Move(5) + "," + CarriedAlternative(Party_.Alt);
        if (n == 5) {
            // Turn 4 names the chosen point and nothing after its comma: no sixth move is invented.
            Lines_.push_back(" " + PadRight(t3, 12) + "   4 " + Move(5) + ",");
            ClosingAfter("", 4);
            return;
        }
        Lines_.push_back(" " + PadRight(t3, 12) + "   4 " + Move(5) + "," + Move(6));
        // From turn 5 on, turn t carries move t + 2.
        for (int k = 4; k <= n / 2; ++k) Row(First(2 * k - 3, 2 * k - 1), 2 * k - 2, Move(2 * k));
        const int q = n / 2;
        if (n % 2 == 1)
            ClosingAfter(First(2 * q - 1, n), 2 * q);
        else
            ClosingAlone(2 * q - 1);
    }

private:
    std::string Move(int number) const {
        return PointCodeToText(std::string_view(Party_.Moves).substr(size_t(2 * number - 2), 2));
    }
    std::string First(int turn, int move) const { return Turn(turn) + " " + Move(move); }

    void Row(const std::string& first, int turn, const std::string& move) {
        Lines_.push_back(" " + PadRight(first, 12) + " " + Turn(turn) + " " + move);
    }

    // The last row when the first player made the last move: a draw ends there, else the other
    // player's resignation or forfeit follows in the second column.
    void ClosingAfter(const std::string& first, int turn) {
        if (Party_.Result == '=') {
            if (!first.empty()) Lines_.push_back(" " + first);
        } else {
            Lines_.push_back(" " + PadRight(first, 12) + " " + Turn(turn) +
                             (Forfeit() ? " Forfeit" : " Resign"));
        }
    }

    void ClosingAlone(int turn) {
        if (Party_.Result != '=') Lines_.push_back(" " + Turn(turn) + (Forfeit() ? " Forfeit" : " Resign"));
    }

    bool Forfeit() const { return Party_.Result == 'F' || Party_.Result == 'f'; }

    // Four moves: turn 3 offered two points and the choice is still open.
    void StandingAtTheChoice() {
        std::string first, second;
        if (!OfferedPair(Party_.Alt, first, second) || Party_.Result == '-') {
            Lines_.push_back("   3 Forfeit");
            return;
        }
        const std::string t3 = "  3 " + first + "," + second;
        Lines_.push_back(Party_.Result == '=' ? " " + t3 : " " + PadLeft(t3, 12) + "   4 Forfeit");
    }

    const TPartyRecord& Party_;
    std::vector<std::string>& Lines_;
    const int Count_;
};

constexpr const char* ColumnLine = "      A B C D E F G H J K L M N O P";

void AppendBoard(const TPartyRecord& party, std::vector<std::string>& lines) {
    std::array<std::array<char, BoardSize + 1>, BoardSize + 1> marks{};  // [column][row]
    for (auto& column : marks) column.fill('-');
    const size_t n = party.Moves.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        const std::string_view code = std::string_view(party.Moves).substr(2 * i, 2);
        if (!IsPointCode(code)) continue;
        const bool black = i % 2 == 0;
        const bool last = i + 1 == n;
        marks[size_t(PointDigitValue(code[0]))][size_t(PointDigitValue(code[1]))] =
            last ? (black ? 'X' : 'O') : (black ? 'x' : 'o');
    }
    std::string first, second;
    if (IsRenjuGame(party) && n == 4 && party.Result == '+' && OfferedPair(party.Alt, first, second))
        for (const std::string& offered : {first, second}) {
            const std::string code = PointTextToCode(offered);
            if (code != "?") marks[size_t(PointDigitValue(code[0]))][size_t(PointDigitValue(code[1]))] = '?';
        }
    lines.insert(lines.end(), {"", "", ColumnLine, ""});
    for (int row = BoardSize; row >= 1; --row) {
        const std::string number = PadLeft(std::to_string(row), 2);
        std::string line = "  " + number + " ";
        for (int column = 1; column <= BoardSize; ++column) {
            line += ' ';
            line += marks[size_t(column)][size_t(row)];
        }
        line += "  ";
        line += number;
        lines.push_back(std::move(line));
    }
    lines.insert(lines.end(), {"", ColumnLine});
}

std::string FoldAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

}  // namespace

bool IsRenjuGame(const TPartyRecord& party) {
    if (party.Moves.substr(0, 2) != "88") return false;
    return party.Moves.size() / 2 == 1 || OpeningName(std::string_view(party.Moves).substr(2, 4))[0] != '?';
}

std::string NotificationFileName(const TPartyRecord& party) {
    const std::string_view year = party.Year;
    std::string digits;
    if (year.size() >= 4 && IsDigit(year[2]) && IsDigit(year[3]) && (year.size() == 4 || !IsDigit(year[4])))
        digits = year.substr(2, 2);
    else if (year.size() >= 2 && IsDigit(year[year.size() - 2]) && IsDigit(year.back()))
        digits = year.substr(year.size() - 2);
    std::string name = (IsRenjuGame(party) ? "Renju Board " : "Gomoku Board ") +
                       std::string(Trim(party.Board)) + (digits.empty() ? "" : "_" + digits) + ".txt";
    // Nothing in a name may lead out of the folder or into a control sequence.
    for (char& c : name)
        if (c == '/' || static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
    return name;
}

std::string NotificationText(const TGameBase& base, const TPartyRecord& party) {
    const std::string black = PlayerName(base, party.BlackId), white = PlayerName(base, party.WhiteId);
    const bool renju = IsRenjuGame(party);
    std::vector<std::string> lines;
    lines.push_back((renju ? "Notification of Renju Board " : "Notification of Gomoku Board ") +
                    std::string(Trim(party.Board)));
    lines.push_back("");
    switch (party.Result) {
        case '+':
        case 'F':
            lines.push_back("Game won by " + black + ".");
            break;
        case '-':
        case 'f':
            lines.push_back("Game won by " + white + ".");
            break;
        case '=':
            lines.push_back("Game was a tie.");
            break;
        default:
            lines.push_back("Game");
    }
    lines.push_back("");
    lines.push_back((party.Reverse ? white : black) + "'s");
    lines.push_back((party.Reverse ? black : white) + "'s");
    lines.push_back("");
    lines.push_back("   Eks          Ohs");
    lines.push_back("   " + PadRight(black, 12) + " " + PadRight(white, 12));
    TTableWriter table(party, lines);
    if (renju)
        table.Renju();
    else
        table.Gomoku();
    AppendBoard(party, lines);
    std::string text;
    for (const std::string& line : lines) text.append(line).append("\r\n");
    return text;
}

namespace {

// "2003, 4711" as the user knows the game.
std::string TrimmedKey(const TPartyRecord& party) {
    return Concat({std::string_view(party.Year), ", ", Trim(party.Board)});
}

}  // namespace

TWrittenNotifications WriteNotifications(const TGameBase& base, const std::string& workFolder, IBaseUi& ui,
                                         bool strict) {
    TWrittenNotifications written;
    if (base.Listing.empty()) return written;
    std::vector<std::string> problems(base.Listing.size());
    for (size_t i = 0; i < base.Listing.size(); ++i) {
        const long game = base.Listing[i];
        if (game < 0 || game >= long(base.PartyList.size())) continue;
        const TPartyRecord& party = base.PartyList[size_t(game)];
        if (std::optional<std::string> problem = NotificationCarryProblem(base, party)) {
            problems[i] = *problem;
            if (strict) {
                ui.ShowMessage(Concat({"Game ", TrimmedKey(party),
                                       " cannot be written exactly as a notification: ", *problem,
                                       ". Nothing was written."}));
                written.Ok = false;
                return written;
            }
        }
    }
    const std::string folder = JoinPath(workFolder, "Outpbm");
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 && mkdir(folder.c_str(), 0777) != 0) {
        ui.ShowMessage("Cannot create folder " + folder + ": " + std::strerror(errno));
        written.Ok = false;
        return written;
    }
    // A link would send the notifications somewhere else than the user looks for them.
    if (!IsRealFolder(folder)) {
        ui.ShowMessage("Cannot write into " + folder + ": it is not a folder of its own (a link or a file).");
        written.Ok = false;
        return written;
    }
    std::unordered_set<std::string> taken;
    for (size_t i = 0; i < base.Listing.size(); ++i) {
        const long game = base.Listing[i];
        if (game < 0 || game >= long(base.PartyList.size())) continue;
        const TPartyRecord& party = base.PartyList[size_t(game)];
        std::string name = NotificationFileName(party);
        const std::string stem = name.substr(0, name.size() - 4);
        // A name taken by an earlier game of the run, or by anything but an ordinary file, is passed.
        const std::string wanted = JoinPath(folder, name);
        for (int copy = 2; !taken.insert(FoldAscii(name)).second || !OrdinaryOrFree(JoinPath(folder, name));
             ++copy)
            name = stem + " (" + std::to_string(copy) + ").txt";
        const std::string path = JoinPath(folder, name);
        if (!OrdinaryOrFree(wanted))
            written.Notes.push_back(
                Concat({wanted, " is not an ordinary file: the game went to ", path, "."}));
        std::string error;
        if (!WriteFileReplacing(path, NotificationText(base, party), error,
                                TReplaceOptions{.FollowLink = false})) {
            ui.ShowMessage(error);
            written.Ok = false;
            return written;
        }
        written.Paths.push_back(path);
        if (!problems[i].empty()) written.NotCarried.push_back(Concat({path, ": ", problems[i]}));
    }
    return written;
}

}  // namespace kalvon
