// The texts the user reads from a statistic: the memo lines, the board labels and the message box.
#pragma once

#include <string>
#include <vector>

#include "search/Statistic.h"

namespace kalvon {

// The label of the r-th real next move: 'A'..'Z' for 1..26, then 'a' (27) and the characters that
// follow in the code page, up to the last byte (r = 185); "" where no byte is left, and for r < 1.
std::string MoveLabel(int r);

// The player's results as black, as white and in total ("black: 3 +2-1=0", ...), from the player's
// side: in the white row black's and white's results change places.
TResultCount ColourRowBlack(const TStatistic& stat);
TResultCount ColourRowWhite(const TStatistic& stat);
// "black: " + row + "\rwhite: " + row + "\rTotal: " + row; "" when the statistic has no colour block.
std::string ColourBlockText(const TStatistic& stat);

// The statistics memo, line by line: "Total: %d", the total count, the three colour lines if any, then
// "End: " + count for the end entry and "(label)H8: " + count for each real next move.
std::vector<std::string> StatisticMemoLines(const TStatistic& stat);
// The PointCodes of the real next moves in label order (AlfMoves): its k-th code carries MoveLabel(k).
std::string StatisticAlfMoves(const TStatistic& stat);
// The message-box form: "Total: " + count, "\r\n" + colour block if any, then "\n\r" + point + ": " +
// count for each entry, the end entry's point shown as "?".
std::string StatisticMessageText(const TStatistic& stat);

}  // namespace kalvon
