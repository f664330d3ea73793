#include "exchange/NotificationReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cstring>
#include <vector>

#include "base/BaseEdits.h"
#include "base/BaseLine.h"
#include "base/FolderListing.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"

namespace kalvon {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}
bool StartsWith(std::string_view text, std::string_view part) {
    return text.substr(0, part.size()) == part;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view After(std::string_view text, size_t from) {
    return from < text.size() ? text.substr(from) : "";
}

// The word that starts at or after from (blanks skipped) and runs to the next blank; end is set
// behind it.
std::string_view NextWord(std::string_view text, size_t from, size_t& end) {
    while (from < text.size() && IsBlank(text[from])) ++from;
    end = from;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    return text.substr(std::min(from, text.size()), end - std::min(from, text.size()));
}

std::string_view NextWord(std::string_view text, size_t from) {
    size_t end;
    return NextWord(text, from, end);
}

// "Eks", blanks, "Ohs": the column heads above the names. A name that merely contains "Eks" is no head.
bool IsColumnHeads(std::string_view trimmed) {
    if (trimmed.size() < 7 || !StartsWith(trimmed, "Eks") || trimmed.substr(trimmed.size() - 3) != "Ohs")
        return false;
    return std::ranges::all_of(trimmed.substr(3, trimmed.size() - 6),
                               [](char c) { return c == ' ' || c == '\t'; });
}

bool IsStopLine(std::string_view line) {
    return Trim(line).empty() || Contains(line, "Resign") || Contains(line, "Forfeit");
}

enum class TOutcome { Unfinished, Draw, Won };

// One notification being read. Every step returns false once the text is refused.
class TReader {
public:
    TReader(std::string_view text, std::string_view file) : Lines_(SplitLines(text)), File_(file) {}

    TNotificationRead Read(std::string_view fileName, std::time_t fileDate) {
        TNotificationRead read;
        if (!FindHeader()) return read;
        if (ReadHeader() && ReadResult() && ReadNames() && ReadTable() && CheckFields()) {
            const std::string year = std::to_string(NotificationYear(fileName, fileDate));
            AppendBaseLine(read.BaseLine, {.Year = year,
                                           .Board = Board_,
                                           .Black = Black_,
                                           .White = White_,
                                           .Result = ResultCode(),
                                           .Moves = Moves_,
                                           .Alt = Alt_,
                                           .Reverse = false});
        }
        read.Error = std::move(Error_);
        read.HeaderLine = Header_ + 1;
        read.NamesLine = Names_ > 0 ? Names_ + 1 : 0;
        read.LastLine = Last_ + 1;
        return read;
    }

private:
    bool Fail(size_t index, std::string_view text, std::string reason) {
        Error_ = TNotificationError{std::string(File_), index + 1, std::string(text), std::move(reason)};
        Last_ = std::max(Last_, index);
        return false;
    }

    bool FindHeader() {
        for (Header_ = 0; Header_ < Lines_.size(); ++Header_) {
            const std::string_view line = Lines_[Header_];
            if (Contains(line, "of Renju Board") || Contains(line, "of Gomoku Board")) return true;
        }
        return false;
    }

    bool ReadHeader() {
        Renju_ = Contains(Lines_[Header_], "of Renju Board");
        // A quoted mail: the header and everything after it lose their quote mark.
        if (StartsWith(Lines_[Header_], ">"))
            for (size_t i = Header_; i < Lines_.size(); ++i) Lines_[i] = Trim(After(Lines_[i], 1));
        const std::string_view header = Lines_[Header_];
        Board_ = Trim(After(header, header.find("Board") + 5));
        return true;
    }

    bool ReadResult() {
        for (Result_ = Header_; Result_ < Lines_.size(); ++Result_) {
            const std::string_view line = Trim(Lines_[Result_]);
            Last_ = Result_;
            if (Contains(line, "Game")) {
                const size_t wonBy = line.find("won by ");
                if (wonBy != std::string_view::npos) {
                    // The full stop that ends "Game won by NAME." is no part of the name.
                    Winner_ = Trim(line.substr(wonBy + 7, line.size() - wonBy - 8));
                    Outcome_ = Winner_.empty() ? TOutcome::Unfinished : TOutcome::Won;
                } else {
                    Outcome_ = Contains(line, "a tie.") ? TOutcome::Draw : TOutcome::Unfinished;
                }
                return true;
            }
            if (Contains(line, "s turn.") || Contains(line, "start the game")) return true;
        }
        return Fail(Lines_.size() - 1, "", "the text ends before the result line");
    }

    bool ReadNames() {
        size_t heads = Result_ + 1;
        while (heads < Lines_.size() && !IsColumnHeads(Trim(Lines_[heads]))) ++heads;
        if (heads >= Lines_.size())
            return Fail(Result_, "", "no column heads \"Eks\" and \"Ohs\" follow the result line");
        Last_ = heads;
        if (heads + 1 >= Lines_.size())
            return Fail(heads, "", "the text ends before the names of the players");
        Names_ = heads + 1;
        Last_ = Names_;
        const std::string_view names = Trim(Lines_[Names_]);
        size_t split = names.find(' ');
        if (split == std::string_view::npos) split = names.find('\b');
        if (split == std::string_view::npos) {
            White_ = names;
        } else {
            Black_ = Trim(names.substr(0, split));
            White_ = Trim(names.substr(split));
        }
        return true;
    }

    bool ReadTable() {
        // Renju starts at the centre, and the table never writes that move.
        Moves_ = Renju_ ? "88" : "";
        if (Renju_) Taken_.set(8 * 16 + 8);
        for (size_t i = Names_ + 1;; ++i) {
            Last_ = std::min(i, Lines_.size() - 1);
            if (i >= Lines_.size())
                return Fail(Lines_.size() - 1, "", "the text ends before the end of the move table");
            if (IsStopLine(Lines_[i])) {
                Forfeit_ = Contains(Lines_[i], "Forfeit");
                return ReadStopLine(i);
            }
            bool tableEnds = false;
            if (!ReadRow(i, tableEnds)) return false;
            if (tableEnds) return true;
        }
    }

    // The turn number before the row's first blank, for renju, where it says what the row holds.
    bool TurnNumber(size_t index, std::string_view row, size_t blank, int& turn) {
        const std::string_view digits = row.substr(0, blank);
        if (digits.empty() || digits.size() > 6)
            return Fail(index, digits, "the turn number is not a number");
        turn = 0;
        for (char c : digits) {
            if (!IsDigit(c)) return Fail(index, digits, "the turn number is not a number");
            turn = turn * 10 + (c - '0');
        }
        return true;
    }

    bool ReadRow(size_t index, bool& tableEnds) {
        const std::string_view row = Trim(Lines_[index]);
        const size_t blank = row.find(' ');
        if (blank == std::string_view::npos)
            return Fail(index, row, "a row of the move table needs a turn number and a move");
        int turn = 0;
        if (Renju_ && !TurnNumber(index, row, blank, turn)) return false;
        if (Renju_ && turn == 1) {
            size_t end = 0;
            if (!ReadPair(index, row, blank, end)) return false;
            const std::string_view rest = Trim(After(row, end));
            return rest.empty() || ReadSecondColumn(index, rest);
        }
        if (Renju_ && turn == 3) return ReadTurnThree(index, row, blank);
        size_t end = 0;
        if (!AddMove(index, NextWord(row, blank + 1, end))) return false;
        const std::string_view rest = Trim(After(row, end));
        // A row with only its first column ends the table, as a stop line without a last move.
        if (rest.empty()) {
            tableEnds = true;
            return true;
        }
        return ReadSecondColumn(index, rest);
    }

    // The second player's turn: its number, a blank, one move.
    bool ReadSecondColumn(size_t index, std::string_view column) {
        const size_t blank = column.find(' ');
        if (blank == std::string_view::npos)
            return Fail(index, column, "a turn needs a turn number and a move");
        return AddMove(index, NextWord(column, blank + 1));
    }

    // Renju turn 1: two moves separated by a comma, after the blank at from; end is set behind them.
    bool ReadPair(size_t index, std::string_view row, size_t blank, size_t& end) {
        const size_t comma = row.find(',', blank);
        if (comma == std::string_view::npos)
            return Fail(index, row, "turn 1 needs two points separated by a comma");
        return AddMove(index, Trim(row.substr(blank + 1, comma - blank - 1))) &&
               AddMove(index, NextWord(row, comma + 1, end));
    }

    // The two points offered for move 5, kept as text; end is set behind them.
    bool OfferedPoints(size_t index, std::string_view row, size_t blank, std::string_view& first,
                       std::string_view& second, size_t& end) {
        const size_t comma = row.find(',', blank);
        if (comma != std::string_view::npos) {
            first = Trim(row.substr(blank + 1, comma - blank - 1));
            second = NextWord(row, comma + 1, end);
        }
        if (comma == std::string_view::npos || first.empty() || second.empty())
            return Fail(index, row, "turn 3 needs two offered points separated by a comma");
        return true;
    }

    // Turn 3 offers two points for move 5; turn 4 beside it names the chosen one and plays move 6.
    bool ReadTurnThree(size_t index, std::string_view row, size_t blank) {
        std::string_view first, second;
        size_t end = 0;
        if (!OfferedPoints(index, row, blank, first, second, end)) return false;
        const std::string_view answer = Trim(After(row, end));
        if (answer.empty()) {
            Alt_ = std::string(first) + "-" + std::string(second);
            AltLine_ = index;
            return true;
        }
        const size_t answerBlank = answer.find(' ');
        const size_t comma = answer.find(',');
        if (answerBlank == std::string_view::npos || comma == std::string_view::npos || comma < answerBlank)
            return Fail(index, answer, "turn 4 needs the chosen point and a move separated by a comma");
        const std::string_view chosen = Trim(answer.substr(answerBlank + 1, comma - answerBlank - 1));
        Alt_ = std::string(chosen == first ? second : first);
        AltLine_ = index;
        if (!AddMove(index, chosen)) return false;
        // Nothing after the comma: the game stands after move 5.
        const std::string_view sixth = NextWord(answer, comma + 1);
        return sixth.empty() || AddMove(index, sixth);
    }

    bool ReadStopLine(size_t index) {
        const std::string_view line = Trim(Lines_[index]);
        if (line.empty()) return true;
        const size_t blank = line.find(' ');
        const std::string_view afterTurn = blank == std::string_view::npos ? line : After(line, blank + 1);
        if (StartsWith(afterTurn, "Resign") || StartsWith(afterTurn, "Forfeit")) return true;
        if (blank == std::string_view::npos)
            return Fail(index, line, "a row of the move table needs a turn number and a move");
        int turn = 0;
        if (Renju_ && !TurnNumber(index, line, blank, turn)) return false;
        size_t end = 0;
        if (Renju_ && turn == 1) return ReadPair(index, line, blank, end);
        if (Renju_ && turn == 3) {
            std::string_view first, second;
            if (!OfferedPoints(index, line, blank, first, second, end)) return false;
            Alt_ = std::string(first) + "-" + std::string(second);
            AltLine_ = index;
            return true;
        }
        return AddMove(index, NextWord(line, blank + 1));
    }

    bool AddMove(size_t index, std::string_view text) {
        const std::string code = PointTextToCode(text);
        if (code == "?") return Fail(index, text, "not a point of the board");
        const size_t point = size_t(PointDigitValue(code[0])) * 16 + size_t(PointDigitValue(code[1]));
        if (Taken_.test(point)) return Fail(index, text, "a stone of the game already stands on this point");
        Taken_.set(point);
        Moves_ += code;
        return true;
    }

    bool CheckFields() {
        struct TField {
            const char* Caption;
            std::string_view Text;
            size_t Line;
        };
        const std::string alt = Alt_;
        for (const TField& field :
             {TField{"The board number", Board_, Header_}, TField{"A name", Black_, Names_},
              TField{"A name", White_, Names_}, TField{"The alternative", alt, AltLine_}})
            if (std::optional<std::string> problem = CheckBaseField(field.Caption, field.Text))
                return Fail(field.Line, field.Text, problem->substr(0, problem->size() - 1));
        return true;
    }

    char ResultCode() const {
        if (Outcome_ == TOutcome::Draw) return '=';
        if (Outcome_ != TOutcome::Won) return '?';
        if (Winner_ == Black_) return Forfeit_ ? 'F' : '+';
        if (Winner_ == White_) return Forfeit_ ? 'f' : '-';
        return '?';
    }

    std::vector<std::string_view> Lines_;
    std::string_view File_;
    std::optional<TNotificationError> Error_;
    size_t Header_ = 0, Result_ = 0, Names_ = 0, AltLine_ = 0;
    size_t Last_ = 0;  // the last line looked at
    bool Renju_ = false, Forfeit_ = false;
    TOutcome Outcome_ = TOutcome::Unfinished;
    std::string_view Board_, Winner_, Black_, White_;
    std::string Moves_, Alt_ = "?";
    std::bitset<256> Taken_;
};

}  // namespace

std::string NotificationErrorText(const TNotificationError& error) {
    std::string text = "File " + ShowControls(error.File);
    if (error.Message > 0) text += ", message " + std::to_string(error.Message);
    if (error.Line > 0) text += ", line " + std::to_string(error.Line);
    text += ": " + error.Reason;
    if (!error.Text.empty()) text += ": \"" + ShowControls(error.Text) + "\"";
    return text;
}

int NotificationYear(std::string_view fileName, std::time_t fileDate) {
    const size_t slash = fileName.rfind('/');
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    auto twoDigitsAfter = [&](size_t at) {
        return at + 2 < fileName.size() && IsDigit(fileName[at + 1]) && IsDigit(fileName[at + 2]);
    };
    auto endsTheName = [&](size_t at) {
        const std::string_view rest = After(fileName, at + 3);
        return rest.empty() || AsciiUpper(rest) == ".TXT";
    };
    size_t found = std::string_view::npos;
    for (char mark : {'_', '-'}) {
        for (size_t at = fileName.size(); found == std::string_view::npos && at-- > 0;)
            if (fileName[at] == mark && twoDigitsAfter(at) && endsTheName(at)) found = at;
        if (found != std::string_view::npos) break;
    }
    for (char mark : {'_', '-'}) {
        for (size_t at = 0; found == std::string_view::npos && at < fileName.size(); ++at)
            if (fileName[at] == mark && twoDigitsAfter(at)) found = at;
    }
    if (found != std::string_view::npos) {
        const int dd = (fileName[found + 1] - '0') * 10 + (fileName[found + 2] - '0');
        return dd >= 50 ? 1900 + dd : 2000 + dd;
    }
    std::tm local{};
    localtime_r(&fileDate, &local);
    return local.tm_year + 1900;
}

TNotificationRead NotificationToBaseLine(std::string_view text, std::string_view fileName,
                                         std::time_t fileDate) {
    return TReader(text, fileName).Read(fileName, fileDate);
}

TNotificationRead ReadNotificationFile(const std::string& path) {
    TNotificationRead read;
    struct stat info {};
    std::string error;
    if (stat(path.c_str(), &info) != 0) {
        read.Error = TNotificationError{path, 0, "", std::string("cannot be read: ") + std::strerror(errno)};
        return read;
    }
    TReadFailure failure = TReadFailure::None;
    const std::optional<std::string> text = ReadWholeFile(path, error, &failure);
    if (!text) {
        // Say what the path is rather than a stale system reason: a FIFO, a folder, a device.
        const std::string reason =
            failure == TReadFailure::NotOrdinary ? "it is " + EntryKind(path) + ", not a file"
            : failure == TReadFailure::TooLarge  ? "it is too large to be held in memory"
                                                 : error.substr(error.find(": ") + 2);
        read.Error = TNotificationError{path, 0, "", "cannot be read: " + reason};
        return read;
    }
    return NotificationToBaseLine(*text, path, info.st_mtime);
}

std::optional<std::string> ReadNotification(TGameBase& base, const std::string& folder,
                                            const std::string& name, TNotificationError& error) {
    TNotificationRead read = ReadNotificationFile(JoinPath(folder, name));
    if (read.Error) {
        error = std::move(*read.Error);
        return std::nullopt;
    }
    if (!read.BaseLine.empty()) AddBaseLine(base, read.BaseLine);
    return std::move(read.BaseLine);
}

}  // namespace kalvon
