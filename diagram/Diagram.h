// A truncated diagram of one game: its frame, its size and its drawing on a canvas.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "base/GameBase.h"

class IDiagramCanvas;

struct TDiagramOptions {
    bool Full = false;        // the whole board instead of the part the game uses
    bool Caption = false;     // the players above the diagram
    bool Commentary = false;  // a second caption line (drawn only with the first)
    int WithNum = 1;          // the first move that carries a number; 0 = no numbers
};

// Everything a diagram is drawn from.
struct TDiagram {
    std::string Moves;        // the moves drawn, move 1 first
    std::string LetterMarks;  // letter + PointCode entries in letter order, such as "A98C77"
    TDiagramOptions Options;
    int Diameter = 30;  // S: the spacing of the lines and the side of a stone
    QFont MoveFont;
    // The caption texts.
    QString Players, Year, PartyCaption, Board;
};

// The rectangle of board points a diagram shows and where they lie in the picture.
struct TDiagramLayout {
    int MinCol = 8, MaxCol = 8, MinRow = 8, MaxRow = 8;
    int S = 30;
    int CaptionHeight = 0;

    int NCols() const { return MaxCol - MinCol + 1; }
    int NRows() const { return MaxRow - MinRow + 1; }
    int W() const { return S * (NCols() + 1); }
    int H() const { return S * (NRows() + 1) + CaptionHeight; }
    // The lines of a column and of a row.
    int X(int column) const { return (column - MinCol + 1) * S; }
    int Y(int row) const { return CaptionHeight + (MaxRow - row + 1) * S; }
    // The square of side S round a point, in which its stone or mark is drawn.
    QRect Square(int column, int row) const {
        return QRect((column - MinCol) * S + S / 2, CaptionHeight + (MaxRow - row) * S + S / 2, S, S);
    }
};

// The moves a diagram draws: those before the first code that is no point or that repeats the point
// of an earlier move (a trailing odd character is no move either).
std::string DiagramMoves(std::string_view moves);

// The frame: the whole board, or the points of every move and mark widened from H8; the caption
// height follows the check marks and the font size.
TDiagramLayout DiagramLayout(const TDiagram& diagram);

// Draws the diagram on a canvas of the layout's W x H: white ground, grid with edge lines and stubs,
// star points of the full board, the caption lines, the stones and the letter marks.
void DrawDiagram(IDiagramCanvas& canvas, const TDiagram& diagram);

// The diagram of the game at that position of PartyList with its caption texts and moves; the
// options, marks, diameter and font are the caller's.
TDiagram DiagramOfGame(const kalvon::TGameBase& base, long party);
