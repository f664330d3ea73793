// The commands over other programs' game files: import, export-sgf, and recode for the code page.
#pragma once

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// import BASE FILE... [--transliterate] [--year Y]: the games of .rif, .psq and .sgf files (a FILE
// that is a folder: its files of those kinds) into BASE. Refused games and notes on standard error,
// the summary on standard output. Exit 1 when names the code page cannot hold are met without
// --transliterate, or when a file or the base cannot be read or written.
int RunImport(const TArguments& args);
// export-sgf BASE MOVES [QUERY] OUT: the games listed for the position as one SGF collection at OUT,
// or one file per game when OUT ends in "/" or is a folder.
int RunExportSgf(const TArguments& args);
// recode BASE OUT --to CODEPAGE: BASE rewritten at OUT in another code page.
int RunRecode(const TArguments& args);

}  // namespace kalvon::cli
