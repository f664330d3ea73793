// The commands over the position search: stat (next-move statistics) and shift (shifted statistics).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/cli/CliCommon.h"
#include "search/Query.h"

namespace kalvon::cli {

// stat BASE MOVES [QUERY] [--listing]: the statistics memo lines of the position, then with --listing
// the listing window's line of each listed game.
int RunStat(const TArguments& args);
// shift BASE MOVES 1|2 [--listing]: the "Total: " line of the shifted statistics, then the listing.
int RunShift(const TArguments& args);

// The QUERY options (and --listing) after BASE and MOVES.
struct TQueryOptions {
    bool Listing = false;
    bool NotFinished = false;
    std::optional<std::string> Year, Player, Colour, Opponent, Group;
};
// Reads the options after BASE and MOVES; returns the bad-arguments message, or "" when they are fine.
std::string ReadQueryOptions(const TArguments& args, TQueryOptions& options);
// Fills the criteria as the query dialog's OK does; returns the message naming the option whose player
// or group the base at basePath does not know ("no player ... in BASE (--player)"), or "" when the
// query can run.
std::string BuildCriteria(const TGameBase& base, const std::string& basePath, const TQueryOptions& options,
                          TQueryCriteria& criteria);

// The move string of a MOVES argument: PointCodes ("88899A"), point texts separated by blanks or
// commas ("H8 H9 J10", letter case ignored), or "-" for the empty board. Nullopt with the reason in
// error when a point is unknown or taken twice.
std::optional<std::string> ParseMovesArgument(std::string_view text, std::string& error);

}  // namespace kalvon::cli
