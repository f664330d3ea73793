// The commands over a whole base file: info and resave.
#pragma once

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// info BASE: the numbers of games, players and years after loading.
int RunInfo(const TArguments& args);
// resave BASE OUT: loads BASE and saves it as OUT, sorted, as the program saves.
int RunResave(const TArguments& args);

}  // namespace kalvon::cli
