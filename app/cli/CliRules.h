// The commands over the rules: forbidden (black's forbidden points), vcf (a victory by continuous
// fours) and check (the games of a base replayed under their rules).
#pragma once

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// forbidden MOVES [--rule R]: one line of black's forbidden points as POINT:KIND; MOVES "-" answers
// each line of standard input.
int RunForbidden(const TArguments& args);
// vcf MOVES [--length N] [--threat] [--nodes N] [--rule R]: one line, the sequence, "none within N"
// or "unknown (node limit)"; MOVES "-" answers each line of standard input.
int RunVcf(const TArguments& args);
// check BASE [MOVES] [QUERY] [--missed-vcf N] [--won-without-five] [--rule R]: one tab-separated
// line per finding in the games listed for the position (the whole base without MOVES and QUERY).
int RunCheck(const TArguments& args);

}  // namespace kalvon::cli
