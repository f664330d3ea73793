// kalvon-cli diagram: a game of a base drawn as the diagram window draws it, without a display.
#pragma once

#include "app/cli/CliCommon.h"

namespace kalvon::cli {

// diagram BASE NUMBER OUT.(bmp|emf|png|svg) [--full] [--caption] [--commentary] [--num N]
// [--marks A98,C77]: game NUMBER (1-based) with the move diameter and font of ini/Tools.ini.
int RunDiagram(const TArguments& args);

}  // namespace kalvon::cli
