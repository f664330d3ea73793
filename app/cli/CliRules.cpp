#include "app/cli/CliRules.h"

#include <iostream>
#include <optional>

#include "app/cli/CliStat.h"
#include "app/cli/CliUsage.h"
#include "rules/Forbidden.h"
#include "rules/GameCheck.h"
#include "rules/RuleSettings.h"
#include "rules/Vcf.h"
#include "search/Statistic.h"

namespace kalvon::cli {

namespace {

// A whole number within the bounds, or nullopt.
std::optional<uint64_t> Count(const std::string& text, uint64_t min, uint64_t max) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const uint64_t value = std::stoull(text);
    if (value < min || value > max) return std::nullopt;
    return value;
}

// Takes "--rule R" out of the arguments; the bad-arguments message, or "".
std::string TakeRule(TArguments& args, std::optional<TRule>& rule) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--rule") continue;
        if (i + 1 >= args.size()) return "--rule needs a value";
        rule = RuleOfWord(args[i + 1]);
        if (!rule) return "--rule must be renju, freestyle or standard, not " + QuoteArgument(args[i + 1]);
        args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
        --i;
    }
    return "";
}

// Answers one MOVES argument, or each line of standard input for "-"; a line that is no position
// stops the answers with exit status 2.
template <class F>
int AnswerPositions(const std::string& movesArgument, F&& answer) {
    std::string error;
    if (movesArgument != "-") {
        const std::optional<std::string> moves = ParseMovesArgument(movesArgument, error);
        if (!moves) return BadArguments(error);
        std::cout << answer(*moves) << '\n';
        return ExitOk;
    }
    size_t number = 0;
    for (std::string line; std::getline(std::cin, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::optional<std::string> moves = std::string();
        if (line.find_first_not_of(" \t") != std::string::npos) moves = ParseMovesArgument(line, error);
        if (!moves) {
            std::cout.flush();
            return BadArguments("standard input, line " + std::to_string(number) + ": " + error);
        }
        std::cout << answer(*moves) << '\n';
    }
    return ExitOk;
}

}  // namespace

int RunForbidden(const TArguments& args) {
    TArguments rest = args;
    std::optional<TRule> rule;
    if (std::string problem = TakeRule(rest, rule); !problem.empty()) return BadArguments(problem);
    if (rest.size() != 1) return BadArguments(Usage("forbidden"));
    TRuleBoard board;
    return AnswerPositions(rest[0], [&](const std::string& moves) {
        board.Clear();
        PlaceMoves(board, moves);
        return ForbiddenPointsText(ForbiddenPoints(board, rule.value_or(TRule::Renju)));
    });
}

int RunVcf(const TArguments& args) {
    TArguments rest = args;
    std::optional<TRule> rule;
    if (std::string problem = TakeRule(rest, rule); !problem.empty()) return BadArguments(problem);
    if (rest.empty()) return BadArguments(Usage("vcf"));
    TVcfLimits limits;
    bool threat = false;
    for (size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] == "--threat") {
            threat = true;
        } else if (rest[i] == "--length" || rest[i] == "--nodes") {
            if (i + 1 >= rest.size()) return BadArguments(rest[i] + " needs a value");
            const bool length = rest[i] == "--length";
            const std::optional<uint64_t> value =
                length ? Count(rest[i + 1], uint64_t(VcfLengthRange.Min), uint64_t(VcfLengthRange.Max))
                       : Count(rest[i + 1], 1, MaxVcfNodes);
            if (!value)
                return BadArguments(
                    length ? "--length takes a number of moves from 1 to " +
                                 std::to_string(VcfLengthRange.Max) + ", not " + QuoteArgument(rest[i + 1])
                           : "--nodes takes a number of nodes from 1, not " + QuoteArgument(rest[i + 1]));
            if (length)
                limits.Length = int(*value);
            else
                limits.NodeLimit = *value;
            ++i;
        } else {
            return BadArguments("unknown option " + QuoteArgument(rest[i]));
        }
    }
    TRuleBoard board;
    TVcfSearch search;
    return AnswerPositions(rest[0], [&](const std::string& moves) {
        board.Clear();
        PlaceMoves(board, moves);
        const TSide toMove = SideToMove(moves.size() / 2);
        const TVcfResult result =
            search.Find(board, rule.value_or(TRule::Renju), threat ? Opponent(toMove) : toMove, limits);
        return VcfResultLine(result, limits.Length);
    });
}

int RunCheck(const TArguments& args) {
    TArguments rest = args;
    TCheckOptions options;
    if (std::string problem = TakeRule(rest, options.Rule); !problem.empty()) return BadArguments(problem);
    if (rest.empty() || rest[0].starts_with("--")) return BadArguments(Usage("check"));
    // BASE, then MOVES unless an option comes first, then the query's options.
    TArguments query = {rest[0], "-"};
    const bool hasMoves = rest.size() > 1 && !rest[1].starts_with("--");
    if (hasMoves) query[1] = rest[1];
    for (size_t i = hasMoves ? 2 : 1; i < rest.size(); ++i) {
        if (rest[i] == "--won-without-five") {
            options.WonWithoutFive = true;
        } else if (rest[i] == "--missed-vcf") {
            const std::optional<uint64_t> length =
                i + 1 < rest.size()
                    ? Count(rest[i + 1], uint64_t(VcfLengthRange.Min), uint64_t(VcfLengthRange.Max))
                    : std::nullopt;
            if (!length)
                return BadArguments("--missed-vcf takes a number of moves from 1 to " +
                                    std::to_string(VcfLengthRange.Max));
            options.MissedVcfLength = int(*length);
            ++i;
        } else {
            query.push_back(rest[i]);
        }
    }
    std::string error;
    const std::optional<std::string> moves = ParseMovesArgument(query[1], error);
    if (!moves) return BadArguments(error);
    TQueryOptions queryOptions;
    if (std::string problem = ReadQueryOptions(query, queryOptions); !problem.empty())
        return BadArguments(problem);
    if (queryOptions.Listing) return BadArguments("check takes no --listing");

    TGameBase& base = UntilExit<TGameBase>();
    if (!LoadBaseForCommand(base, rest[0])) return ExitFailure;
    TListing games;
    if (hasMoves || query.size() > 2) {
        TQueryCriteria criteria;
        if (std::string message = BuildCriteria(base, rest[0], queryOptions, criteria); !message.empty())
            return Failure(message);
        base.CurrentMoves = *moves;
        MakeStatistic(base, criteria, UntilExit<TPositionIndex>());
        games = base.Listing;
        // No game reached the position: nothing to check (an empty selection would be the whole base).
        if (games.empty()) {
            std::cerr << CheckSummaryText(TCheckReport()) << '\n';
            return ExitOk;
        }
    }
    const TCheckReport report = CheckGames(base, games, options);
    // Each field for the terminal by itself: a tab inside a year shows as \x09, the separators stay.
    for (const TGameFinding& finding : report.Findings) {
        const std::array<std::string, 4> fields = FindingFields(base, finding);
        std::cout << fields[0] << '\t' << ToTerminal(fields[1]) << '\t' << fields[2] << '\t' << fields[3]
                  << '\n';
    }
    std::cerr << CheckSummaryText(report) << '\n';
    return ExitOk;
}

}  // namespace kalvon::cli
