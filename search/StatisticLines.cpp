#include "search/StatisticLines.h"

#include "base/PointCodes.h"
#include "base/TextFields.h"

namespace kalvon {

std::string MoveLabel(int r) {
    if (r < 1) return "";
    const int code = r <= 26 ? 64 + r : 70 + r;
    // Past the last byte a label would wrap round to control characters and NUL, which would cut the
    // memo text short; such moves get no label.
    if (code > 255) return "";
    return std::string(1, char(code));
}

TResultCount ColourRowBlack(const TStatistic& stat) {
    return stat.ColourCount[0];
}

TResultCount ColourRowWhite(const TStatistic& stat) {
    const TResultCount& white = stat.ColourCount[1];
    TResultCount row;
    row.BlackWin = white.WhiteWin;
    row.ForfeitBlackWin = white.ForfeitWhiteWin;
    row.WhiteWin = white.BlackWin;
    row.ForfeitWhiteWin = white.ForfeitBlackWin;
    row.Draw = white.Draw;
    row.Open = white.Open;
    return row;
}

std::string ColourBlockText(const TStatistic& stat) {
    if (!stat.HasColourBlock) return "";
    const TResultCount black = ColourRowBlack(stat), white = ColourRowWhite(stat);
    TResultCount total = black;
    total += white;
    return "black: " + StatisticText(black) + "\rwhite: " + StatisticText(white) +
           "\rTotal: " + StatisticText(total);
}

std::vector<std::string> StatisticMemoLines(const TStatistic& stat) {
    std::vector<std::string> lines;
    lines.push_back("Total: " + std::to_string(stat.ListingCount));
    lines.push_back(StatisticText(stat.TotalCount));
    if (stat.HasColourBlock) {
        const std::string block = ColourBlockText(stat);
        for (size_t from = 0;;) {
            const size_t end = block.find('\r', from);
            lines.push_back(block.substr(from, end - from));
            if (end == std::string::npos) break;
            from = end + 1;
        }
    }
    int r = 0;
    for (const TNextMove& entry : stat.NextMoveTable) {
        if (entry.Move == EndMove)
            lines.push_back("End: " + StatisticText(entry.Count));
        else
            lines.push_back(Concat(
                {"(", MoveLabel(++r), ")", PointCodeToText(entry.Move), ": ", StatisticText(entry.Count)}));
    }
    return lines;
}

std::string StatisticAlfMoves(const TStatistic& stat) {
    std::string alf;
    for (const TNextMove& entry : stat.NextMoveTable)
        if (entry.Move != EndMove) alf += entry.Move;
    return alf;
}

std::string StatisticMessageText(const TStatistic& stat) {
    std::string text = "Total: " + StatisticText(stat.TotalCount);
    if (stat.HasColourBlock) text += "\r\n" + ColourBlockText(stat);
    for (const TNextMove& entry : stat.NextMoveTable)
        text += "\n\r" + PointCodeToText(entry.Move) + ": " + StatisticText(entry.Count);
    return text;
}

}  // namespace kalvon
