// The rules' marks on the board: black's forbidden points, the winning rows, and the moves of a VCF
// found. They are worked out when the position changes and drawn over the board's picture, so the
// picture itself never holds them.
#pragma once

#include <QRegion>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "rules/Forbidden.h"
#include "rules/MoveShape.h"
#include "ui/BoardPainter.h"

class QPainter;

struct TRuleMarks {
    // Black's forbidden points while black is to move under renju, in the order of their codes.
    std::vector<kalvon::TForbiddenPoint> Forbidden;
    // The winning rows on the board, each marked by a line through its stones.
    std::vector<kalvon::TWinningRow> Fives;
    // The moves of a VCF, numbered from 1 on the board, the attacker's first; its attacker.
    std::vector<int> Vcf;
    kalvon::TSide VcfAttacker = kalvon::TSide::Black;
};

// The forbidden points (black to move under renju, when showForbidden) and the winning rows of the
// position of the moves, as far as the board shows them; no VCF.
TRuleMarks RuleMarksOf(std::string_view moves, kalvon::TRule rule, bool showForbidden);

// The board point of a point number of the rules.
TBoardPoint BoardPointOf(int point);

// The part of the board the marks are drawn on, for a board of that move diameter.
QRegion MarksRegion(const TRuleMarks& marks, int diameter);

// Draws the marks over the board: a small red cross on each forbidden point, a line through each
// winning row, and each VCF move as a small numbered stone of its side.
void PaintRuleMarks(QPainter& painter, const TRuleMarks& marks, int diameter);

// The kind of the forbidden point ("3x3", "4x4", "overline"), empty when the point is not marked.
QString ForbiddenTip(const TRuleMarks& marks, TBoardPoint point);
