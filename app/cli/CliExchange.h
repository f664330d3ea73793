// The commands over play-by-mail notifications: read, add, update and write.
#pragma once

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// read FILE...: the base line of each notification on standard output (an empty line for a file
// without a header line); a refused file prints one line on standard error and the others are still
// read; exit status 1 when any was refused.
int RunRead(const TArguments& args);
// add BASE: the notifications of the working folder's add/ into BASE, as "Add New Games".
int RunAdd(const TArguments& args);
// update BASE: the notifications of the working folder's update/ into BASE, as "Update Games".
int RunUpdate(const TArguments& args);
// write BASE MOVES [QUERY]: the notifications of the games listed for the position into Outpbm/,
// printing each path written in Listing order.
int RunWrite(const TArguments& args);

// Loads the base of query (BASE MOVES [QUERY]) and lists the games of the position under the query's
// options into base.Listing, as write and export-sgf list them: ExitOk, or the exit status to end
// with (the message printed; usage is the bad-arguments message).
int ListPositionGames(const TArguments& query, const std::string& usage, TGameBase& base);

}  // namespace kalvon::cli
