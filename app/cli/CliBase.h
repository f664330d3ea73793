// The commands over a whole base file: info, resave and restore.
#pragma once

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// info BASE: the numbers of games, players and years after loading.
int RunInfo(const TArguments& args);
// resave BASE OUT: loads BASE and saves it as OUT, sorted, as the program saves.
int RunResave(const TArguments& args);
// restore BASE [--yes]: swaps BASE with BASE.bak, the file as it was before its last rewrite, after
// a question on the terminal that names both files' games and dates (--yes answers it).
int RunRestore(const TArguments& args);

}  // namespace kalvon::cli
