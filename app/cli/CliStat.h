// The commands over the position search: stat (next-move statistics) and shift (shifted statistics).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// stat BASE MOVES [QUERY] [--listing]: the statistics memo lines of the position, then with --listing
// the listing window's line of each listed game.
int RunStat(const TArguments& args);
// shift BASE MOVES 1|2 [--listing]: the "Total: " line of the shifted statistics, then the listing.
int RunShift(const TArguments& args);

// The move string of a MOVES argument: PointCodes ("88899A"), point texts separated by blanks or
// commas ("H8 H9 J10", letter case ignored), or "-" for the empty board. Nullopt with the reason in
// error when a point is unknown or taken twice.
std::optional<std::string> ParseMovesArgument(std::string_view text, std::string& error);

}  // namespace kalvon::cli
