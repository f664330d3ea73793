#include "app/cli/CliStat.h"

#include <algorithm>
#include <iostream>
#include <set>

#include "app/cli/CliUsage.h"
#include "base/GameTexts.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
#include "search/Query.h"
#include "search/QueryRequest.h"
#include "search/ShiftStatistic.h"
#include "search/Statistic.h"
#include "search/StatisticLines.h"

namespace kalvon::cli {

namespace {

bool AllPointDigits(std::string_view text) {
    return std::ranges::none_of(text, [](char c) { return PointDigitValue(c) == 0; });
}

void PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::cout << ToTerminal(line) << '\n';
}

void PrintListing(const TGameBase& base) {
    for (long game : base.Listing) std::cout << ToTerminal(ListingLine(base, game)) << '\n';
}

}  // namespace

std::string ReadQueryOptions(const TArguments& args, TQueryOptions& options) {
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::optional<std::string>& into) -> std::string {
            if (i + 1 >= args.size()) return arg + " needs a value";
            into = args[++i];
            return "";
        };
        std::string problem;
        if (arg == "--listing")
            options.Listing = true;
        else if (arg == "--not-finished")
            options.NotFinished = true;
        else if (arg == "--year")
            problem = value(options.Year);
        else if (arg == "--player")
            problem = value(options.Player);
        else if (arg == "--colour" || arg == "--color")
            problem = value(options.Colour);
        else if (arg == "--opponent")
            problem = value(options.Opponent);
        else if (arg == "--group")
            problem = value(options.Group);
        else
            problem = "unknown option " + QuoteArgument(arg);
        if (!problem.empty()) return problem;
    }
    if ((options.Colour || options.Opponent) && !options.Player)
        return "--colour and --opponent need --player";
    if (options.Colour && *options.Colour != "all" && *options.Colour != "black" &&
        *options.Colour != "white")
        return "--colour must be all, black or white";
    for (const auto* text : {&options.Year, &options.Player, &options.Opponent, &options.Group}) {
        if (!*text) continue;
        if (!IsUtf8(**text)) return "not UTF-8 text: " + QuoteArgument(**text);
        if (!FromTerminal(**text)) return "the code page cannot hold " + QuoteArgument(**text);
    }
    // A group is one character of the code page: the first character of a board code.
    if (options.Group && *options.Group != "None" && FromTerminal(*options.Group)->size() != 1)
        return "--group takes one character or None, not " + QuoteArgument(*options.Group);
    return "";
}

std::string BuildCriteria(const TGameBase& base, const std::string& basePath, const TQueryOptions& options,
                          TQueryCriteria& criteria) {
    TQueryRequest request;
    request.WholeBase = !(options.NotFinished || options.Year || options.Player || options.Group);
    request.NotFinished = options.NotFinished;
    // A name the code page cannot hold is no name of the base.
    auto bytes = [](const std::optional<std::string>& utf8) -> std::optional<std::string> {
        if (!utf8) return std::nullopt;
        return std::string(Trim(FromTerminal(*utf8).value_or(std::string())));
    };
    request.Year = bytes(options.Year);
    request.Player = bytes(options.Player);
    request.Opponent = bytes(options.Opponent);
    request.Group = bytes(options.Group);
    const std::string colour = options.Colour.value_or("all");
    request.Colour = colour == "black"   ? TPlayerColour::Black
                     : colour == "white" ? TPlayerColour::White
                                         : TPlayerColour::All;
    // The dialog's messages name its check boxes; the tool speaks of its options.
    const std::string in = Concat({" in ", ToTerminal(basePath)});
    switch (ResolveQueryCriteria(base, request, criteria)) {
        case TUnknownCriterion::Player:
            return Concat({"kalvon-cli: no player ", QuoteArgument(*options.Player), in, " (--player)"});
        case TUnknownCriterion::Opponent:
            return Concat({"kalvon-cli: no player ", QuoteArgument(*options.Opponent), in, " (--opponent)"});
        case TUnknownCriterion::Group:
            return Concat(
                {"kalvon-cli: no game of the group ", QuoteArgument(*options.Group), in, " (--group)"});
        case TUnknownCriterion::None:
            break;
    }
    return "";
}

std::optional<std::string> ParseMovesArgument(std::string_view text, std::string& error) {
    const std::string upper = AsciiUpper(Trim(text));
    if (upper == "-") return std::string();
    std::string moves;
    if (upper.find_first_of(" ,\t") == std::string::npos && upper.size() % 2 == 0 && AllPointDigits(upper)) {
        moves = upper;
    } else {
        for (size_t from = 0; from < upper.size();) {
            const size_t end = std::min(upper.find_first_of(" ,\t", from), upper.size());
            const std::string token = upper.substr(from, end - from);
            from = end + 1;
            if (token.empty()) continue;
            const std::string code = PointTextToCode(token);
            if (code == "?") {
                error = "not a point of the board: " + QuoteArgument(token);
                return std::nullopt;
            }
            moves += code;
        }
    }
    // Only "-" stands for the empty board: a blank or empty argument is more likely a mistake.
    if (moves.empty()) {
        error = "no moves in " + QuoteArgument(text) + " (\"-\" is the empty board)";
        return std::nullopt;
    }
    std::set<std::string> taken;
    for (size_t i = 0; i < moves.size(); i += 2)
        if (!taken.insert(moves.substr(i, 2)).second) {
            error = "point " + PointCodeToText(moves.substr(i, 2)) + " is played twice";
            return std::nullopt;
        }
    return moves;
}

int RunStat(const TArguments& args) {
    if (args.size() < 2) return BadArguments(Usage("stat"));
    std::string error;
    const std::optional<std::string> moves = ParseMovesArgument(args[1], error);
    if (!moves) return BadArguments(error);
    TQueryOptions options;
    if (std::string problem = ReadQueryOptions(args, options); !problem.empty()) return BadArguments(problem);

    TGameBase& base = UntilExit<TGameBase>();
    if (!LoadBaseForCommand(base, args[0])) return ExitFailure;
    TQueryCriteria criteria;
    if (std::string message = BuildCriteria(base, args[0], options, criteria); !message.empty())
        return Failure(message);

    base.CurrentMoves = *moves;
    TPositionIndex& index = UntilExit<TPositionIndex>();
    const TStatistic stat = MakeStatistic(base, criteria, index);
    PrintLines(StatisticMemoLines(stat));
    if (options.Listing) PrintListing(base);
    return ExitOk;
}

int RunShift(const TArguments& args) {
    if (args.size() < 3 || args.size() > 4) return BadArguments(Usage("shift"));
    if (args[2] != "1" && args[2] != "2") return BadArguments("the shift must be 1 or 2");
    if (args.size() == 4 && args[3] != "--listing")
        return BadArguments("unknown option " + QuoteArgument(args[3]));
    std::string error;
    const std::optional<std::string> moves = ParseMovesArgument(args[1], error);
    if (!moves) return BadArguments(error);

    TGameBase& base = UntilExit<TGameBase>();
    if (!LoadBaseForCommand(base, args[0])) return ExitFailure;
    base.CurrentMoves = *moves;
    TPositionIndex& index = UntilExit<TPositionIndex>();
    const TResultCount count = ShiftStatistic(base, args[2] == "1" ? 1 : 2, index);
    PrintLines({ShiftTotalText(count)});
    if (args.size() == 4) PrintListing(base);
    return ExitOk;
}

}  // namespace kalvon::cli
