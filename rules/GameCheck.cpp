#include "rules/GameCheck.h"

#include <algorithm>
#include <array>
#include <memory>

#include "base/GameTexts.h"
#include "rules/MoveShape.h"

namespace kalvon {

namespace {

constexpr size_t ProgressGames = 256;

// The recorded winner of a result, or nullopt for a draw, a game not finished or an unknown mark.
std::optional<TSide> RecordedWinner(char result) {
    if (result == '+' || result == 'F') return TSide::Black;
    if (result == '-' || result == 'f') return TSide::White;
    return std::nullopt;
}

// A move's two characters as the user may read them: printable ASCII as it is, other bytes as \xNN.
std::string ShownCode(std::string_view code) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string shown;
    for (unsigned char c : code) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            shown += char(c);
        } else {
            shown += "\\x";
            shown += Hex[c >> 4];
            shown += Hex[c & 15];
        }
    }
    return shown;
}

class TGameChecker {
public:
    TGameChecker(const TCheckOptions& options, TCheckReport& report) : Options_(options), Report_(report) {
        Limits_.Length = options.MissedVcfLength;
        Limits_.NodeLimit = options.VcfNodeLimit;
    }

    void Check(int32_t game, const TPartyRecord& party, std::vector<TGameFinding>& apart) {
        const size_t first = Report_.Findings.size();
        const TRule rule = Options_.Rule ? *Options_.Rule : GameRule(party.Moves, Options_.GomokuRule);
        const std::string_view moves = party.Moves;
        const int total = int(moves.size() + 1) / 2;
        const std::optional<TSide> winner = RecordedWinner(party.Result);
        Board_.Clear();
        std::array<int, 2> firstFive{};  // the move that made each side's first winning row
        int decided = 0;                 // the move of the first winning row

        auto finding = [&](TFindingKind kind, int move) -> TGameFinding& {
            TGameFinding& f = Report_.Findings.emplace_back();
            f.Game = game;
            f.Move = move;
            f.Kind = kind;
            f.Result = party.Result;
            return f;
        };
        for (int i = 0; i < total; ++i) {
            const int move = i + 1;
            const std::string_view code = moves.substr(2 * size_t(i), 2);
            const int point = PointNumberOfCode(code);
            if (point == NoPointNumber) {
                TGameFinding& f = finding(TFindingKind::NotAPoint, move);
                std::copy(code.begin(), code.end(), f.Code.begin());
                break;
            }
            if (!Board_.IsEmpty(point)) {
                TGameFinding& f = finding(TFindingKind::PointTwice, move);
                f.Point = int16_t(point);
                for (int k = 0; k < i && f.EarlierMove == 0; ++k)
                    if (moves.substr(2 * size_t(k), 2) == code) f.EarlierMove = k + 1;
                break;
            }
            const TSide side = SideToMove(size_t(i));
            // The rows through the point tell fives and overlines without the line tables, and the
            // stones near it whether a double-three or double-four is possible at all.
            // A side with fewer than four stones makes neither (the first eight moves).
            int longest = 0, exactlyFive = 0, shapeLines = 0, crowded = 0;
            for (int d = 0; d < Directions && i >= 8; ++d) {
                const uint8_t near = Board_.Neighbours(point, d, side);
                const int row = near & NeighbourInfo::RowMask;
                longest = std::max(longest, row);
                exactlyFive |= row == 5;
                shapeLines += (near & NeighbourInfo::MayShape) != 0;
                crowded |= near & NeighbourInfo::Crowded;
            }
            const bool five = ExactFiveWins(rule, side) ? exactlyFive != 0 : longest >= 5;
            if (decided == 0) {
                if (rule == TRule::Renju && side == TSide::Black && !five)
                    CheckForbidden(point, longest >= 6, shapeLines >= 2 || crowded, move, total, party,
                                   finding);
                if (Options_.MissedVcfLength > 0 && side != winner)
                    CheckMissedVcf(rule, side, point, move, finding);
            } else if (move == decided + 1) {
                TGameFinding& f = finding(TFindingKind::AfterWin, move);
                f.EarlierMove = decided;
                f.MovesAfter = total - decided;
            }
            if (five) {
                if (firstFive[size_t(side)] == 0) firstFive[size_t(side)] = move;
                if (decided == 0) decided = move;
            }
            Board_.Place(point, side);
        }
        if (winner || party.Result == '=') {
            for (TSide side : {TSide::Black, TSide::White}) {
                if (firstFive[size_t(side)] == 0 || side == winner) continue;
                finding(TFindingKind::ResultContradicted, firstFive[size_t(side)]).Side = side;
            }
        }
        if (Options_.WonWithoutFive && (party.Result == '+' || party.Result == '-') &&
            firstFive[size_t(*winner)] == 0) {
            TGameFinding f;
            f.Game = game;
            f.Move = Board_.Stones();
            f.Kind = TFindingKind::WonWithoutFive;
            f.Side = *winner;
            f.Result = party.Result;
            apart.push_back(std::move(f));
        }
        std::stable_sort(Report_.Findings.begin() + long(first), Report_.Findings.end(),
                         [](const TGameFinding& a, const TGameFinding& b) { return a.Move < b.Move; });
    }

private:
    template <class F>
    void CheckForbidden(int point, bool overline, bool mayShape, int move, int total,
                        const TPartyRecord& party, F&& finding) {
        const TForbiddenKind kind = overline   ? TForbiddenKind::Overline
                                    : mayShape ? ForbiddenKind(Board_, point)
                                               : TForbiddenKind::None;
        if (kind == TForbiddenKind::None) return;
        TGameFinding& f = finding(TFindingKind::Forbidden, move);
        f.Point = int16_t(point);
        f.Forbidden = kind;
        // Black's last move: no black move follows it.
        f.EndedGame = move + 2 > total && (party.Result == '-' || party.Result == 'f');
    }

    template <class F>
    void CheckMissedVcf(TRule rule, TSide side, int point, int move, F&& finding) {
        // Made on first use: its table is large, and most checks search no VCF.
        if (!Search_) Search_ = std::make_unique<TVcfSearch>();
        const TVcfResult vcf = Search_->Find(Board_, rule, side, Limits_);
        if (vcf.Outcome != TVcfOutcome::Found || vcf.Moves.front() == point) return;
        if (Search_->Find(Board_, rule, side, Limits_, point).Outcome == TVcfOutcome::Found) return;
        TGameFinding& f = finding(TFindingKind::MissedVcf, move);
        f.Side = side;
        f.Vcf = vcf.Moves;
    }

    const TCheckOptions& Options_;
    TCheckReport& Report_;
    TVcfLimits Limits_;
    std::unique_ptr<TVcfSearch> Search_;
    TRuleBoard Board_;
};

std::string GroupedNumber(size_t n) {
    std::string digits = std::to_string(n), grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

TCheckReport CheckGames(const TGameBase& base, const TListing& games, const TCheckOptions& options,
                        const TCheckProgress& progress) {
    TCheckReport report;
    const size_t total = games.empty() ? base.PartyList.size() : games.size();
    report.GamesToCheck = total;
    TGameChecker checker(options, report);
    std::vector<TGameFinding> apart;
    const size_t every = options.MissedVcfLength > 0 ? 1 : ProgressGames;
    for (size_t k = 0; k < total; ++k) {
        const int32_t game = games.empty() ? int32_t(k) : games[k];
        if (game >= 0 && size_t(game) < base.PartyList.size()) {
            const size_t before = report.Findings.size() + apart.size();
            checker.Check(game, base.PartyList[size_t(game)], apart);
            if (report.Findings.size() + apart.size() > before) report.GamesWithFindings.push_back(game);
        }
        report.GamesChecked = k + 1;
        if (progress && (k + 1) % every == 0 && k + 1 < total && !progress(k + 1, total)) {
            report.Cancelled = true;
            break;
        }
    }
    if (progress && !report.Cancelled) progress(report.GamesChecked, total);
    for (TGameFinding& f : apart) report.Findings.push_back(std::move(f));
    return report;
}

std::string FindingText(const TGameFinding& f) {
    switch (f.Kind) {
        case TFindingKind::Forbidden:
            return "forbidden " + std::string(ForbiddenWord(f.Forbidden)) + " " + TextOfPointNumber(f.Point) +
                   (f.EndedGame ? ", ended the game" : "");
        case TFindingKind::AfterWin:
            return "after win: " + std::to_string(f.MovesAfter) + (f.MovesAfter == 1 ? " move" : " moves") +
                   " after the winning row of move " + std::to_string(f.EarlierMove);
        case TFindingKind::ResultContradicted:
            return "result contradicted: " + std::string(SideWord(f.Side)) + " has a winning row, recorded " +
                   ResultText(f.Result);
        case TFindingKind::PointTwice:
            return "point twice: " + TextOfPointNumber(f.Point) + " taken at move " +
                   std::to_string(f.EarlierMove);
        case TFindingKind::NotAPoint:
            return "not a point: \"" +
                   ShownCode(std::string_view(f.Code.data(), f.Code[1]   ? 2
                                                             : f.Code[0] ? 1
                                                                         : 0)) +
                   "\"";
        case TFindingKind::WonWithoutFive:
            return "won without five: recorded " + ResultText(f.Result);
        case TFindingKind::MissedVcf: {
            std::string line;
            for (int point : f.Vcf) line += " " + TextOfPointNumber(point);
            return "missed VCF for " + std::string(SideWord(f.Side)) + " in " +
                   std::to_string((f.Vcf.size() + 1) / 2) + ":" + line;
        }
    }
    return "";
}

std::array<std::string, 4> FindingFields(const TGameBase& base, const TGameFinding& finding) {
    const TPartyRecord& party = base.PartyList[size_t(finding.Game)];
    return {std::to_string(finding.Game + 1), party.Year.str() + "," + party.Board.str(),
            "move " + std::to_string(finding.Move), FindingText(finding)};
}

std::string FindingLine(const TGameBase& base, const TGameFinding& finding) {
    const std::array<std::string, 4> fields = FindingFields(base, finding);
    return fields[0] + "\t" + fields[1] + "\t" + fields[2] + "\t" + fields[3];
}

std::string CheckSummaryText(const TCheckReport& report) {
    std::string text = "Checked " + GroupedNumber(report.GamesChecked) +
                       (report.GamesChecked == 1 ? " game: " : " games: ") +
                       GroupedNumber(report.Findings.size()) +
                       (report.Findings.size() == 1 ? " finding in " : " findings in ") +
                       GroupedNumber(report.GamesWithFindings.size()) +
                       (report.GamesWithFindings.size() == 1 ? " game" : " games");
    if (report.Cancelled) text += " (cancelled)";
    return text;
}

}  // namespace kalvon
