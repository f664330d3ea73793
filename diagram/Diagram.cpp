#include "diagram/Diagram.h"

#include <algorithm>

#include "base/BoardMoves.h"
#include "base/GameTexts.h"
#include "base/PointCodes.h"
#include "base/TextPolicy.h"
#include "diagram/DiagramCanvas.h"

namespace {

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);

QFont SizedFont(const QFont& moveFont, int size) {
    QFont font = moveFont;
    font.setPointSize(std::max(1, size));
    return font;
}

int Column(std::string_view code) {
    return kalvon::PointDigitValue(code[0]);
}
int Row(std::string_view code) {
    return kalvon::PointDigitValue(code[1]);
}

QString Shown(std::string_view bytes) {
    return QString::fromStdString(kalvon::TextPolicy().ToUtf8(bytes));
}

// The game's caption with its result mark drawn as a disc: black for a win of black, white for a
// win of white, half black for a draw; an unfinished game keeps its text.
void DrawResultCaption(IDiagramCanvas& canvas, int x, int y, const QString& caption) {
    const qsizetype comma = caption.lastIndexOf(QLatin1Char(','));
    const QString head = caption.left(comma + 1), tail = caption.mid(comma + 1);
    if (tail.startsWith(QLatin1Char('?')) || tail.isEmpty()) {
        canvas.Text(QPoint(x, y), caption, Black, White);
        return;
    }
    canvas.Text(QPoint(x, y), head, Black, White);
    const int X = x + canvas.TextSize(head).width();
    const int d = canvas.TextSize(QStringLiteral("A")).height() - 4;
    const QRect disc(X + 2, y + 2, d - 2, d - 2);
    canvas.Ellipse(disc, tail.startsWith(QLatin1Char('/')) ? Black : White, Black);
    if (tail.startsWith(QLatin1Char('x'))) {
        const int middle = X + 1 + d / 2;
        canvas.Chord(disc, QPoint(middle, y + 2), QPoint(middle, y + d), Black);
    }
    canvas.Text(QPoint(X + d + 2, y), tail.mid(1), Black, White);
}

void DrawGrid(IDiagramCanvas& canvas, const TDiagramLayout& l) {
    const int S = l.S, half = S / 2, top = l.CaptionHeight;
    const bool left = l.MinCol == 1, right = l.MaxCol == 15, bottom = l.MinRow == 1, upper = l.MaxRow == 15;
    const int extLeft = left ? half : 0, extRight = right ? half : 0;
    const int extTop = upper ? half : 0, extBottom = bottom ? half : 0;
    for (int i = 1; i <= l.NRows(); ++i) {
        const int y = top + i * S;
        const bool thick = (i == 1 && upper) || (i == l.NRows() && bottom);
        canvas.Line(QPoint(half + extLeft, y), QPoint((l.NCols() + 1) * S - half - extRight, y),
                    thick ? 2 : 1);
    }
    for (int j = 1; j <= l.NCols(); ++j) {
        const int x = j * S;
        const bool thick = (j == 1 && left) || (j == l.NCols() && right);
        canvas.Line(QPoint(x, top + half + extTop), QPoint(x, top + (l.NRows() + 1) * S - half - extBottom),
                    thick ? 2 : 1);
    }
}

void DrawCaption(IDiagramCanvas& canvas, const TDiagram& diagram, const TDiagramLayout& l, int textSize) {
    canvas.Text(QPoint(l.S, 5), diagram.Players, Black, White);
    if (!diagram.Options.Commentary) return;
    // The line is laid out for the width of the full board.
    const int y = textSize + 12;
    canvas.Text(QPoint(l.S, y), diagram.Year, Black, White);
    DrawResultCaption(canvas, 8 * l.S - canvas.TextSize(diagram.PartyCaption).width() / 2, y,
                      diagram.PartyCaption);
    canvas.Text(QPoint(15 * l.S - canvas.TextSize(diagram.Board).width(), y), diagram.Board, Black, White);
}

void DrawStarPoints(IDiagramCanvas& canvas, const TDiagramLayout& l) {
    for (const auto& [column, row] : {std::pair{8, 8}, {4, 12}, {4, 4}, {12, 12}, {12, 4}})
        canvas.Ellipse(QRect(l.X(column) - 3, l.Y(row) - 3, 6, 6), Black, Black);
}

// Text centred on the centre of a square.
void CentredText(IDiagramCanvas& canvas, const QRect& square, const QString& text, const QColor& ink,
                 const QColor& paper) {
    const QSize size = canvas.TextSize(text);
    const int S = square.width();
    canvas.Text(QPoint(square.left() + S / 2 - size.width() / 2, square.top() + S / 2 - size.height() / 2),
                text, ink, paper);
}

}  // namespace

std::string DiagramMoves(std::string_view moves) {
    return std::string(moves.substr(0, 2 * kalvon::ShownMoveCount(moves)));
}

TDiagramLayout DiagramLayout(const TDiagram& diagram) {
    TDiagramLayout l;
    l.S = diagram.Diameter;
    if (diagram.Options.Full) {
        l.MinCol = l.MinRow = 1;
        l.MaxCol = l.MaxRow = 15;
    } else {
        auto widen = [&l](std::string_view code) {
            if (!kalvon::IsPointCode(code)) return;
            l.MinCol = std::min(l.MinCol, Column(code));
            l.MaxCol = std::max(l.MaxCol, Column(code));
            l.MinRow = std::min(l.MinRow, Row(code));
            l.MaxRow = std::max(l.MaxRow, Row(code));
        };
        const std::string moves = DiagramMoves(diagram.Moves);
        for (size_t i = 0; i + 1 < moves.size(); i += 2) widen(std::string_view(moves).substr(i, 2));
        for (size_t i = 0; i + 2 < diagram.LetterMarks.size(); i += 3)
            widen(std::string_view(diagram.LetterMarks).substr(i + 1, 2));
    }
    // The font size in points serves as a count of pixels.
    const int line = diagram.MoveFont.pointSize() + 7;
    l.CaptionHeight = !diagram.Options.Caption ? 0 : diagram.Options.Commentary ? 2 * line : line;
    return l;
}

void DrawDiagram(IDiagramCanvas& canvas, const TDiagram& diagram) {
    const TDiagramLayout l = DiagramLayout(diagram);
    canvas.FillRect(QRect(0, 0, l.W(), l.H()), White);
    DrawGrid(canvas, l);

    const int textSize = diagram.MoveFont.pointSize() + 2;
    const QFont textFont = SizedFont(diagram.MoveFont, textSize);
    canvas.SetFont(textFont);
    if (diagram.Options.Caption) DrawCaption(canvas, diagram, l, textSize);
    if (diagram.Options.Full) DrawStarPoints(canvas, l);

    canvas.SetFont(diagram.MoveFont);
    const std::string moves = DiagramMoves(diagram.Moves);
    const int v = diagram.Options.WithNum;
    for (int d = 1; 2 * size_t(d) <= moves.size(); ++d) {
        const std::string_view code = std::string_view(moves).substr(2 * size_t(d) - 2, 2);
        const QRect square = l.Square(Column(code), Row(code));
        const bool black = d % 2 == 1;
        const QColor fill = black ? Black : White, ink = black ? White : Black;
        canvas.Ellipse(square, fill, Black);
        if (v != 0 && d - v + 1 > 0) CentredText(canvas, square, QString::number(d - v + 1), ink, fill);
    }

    canvas.SetFont(textFont);
    const std::string& marks = diagram.LetterMarks;
    for (size_t i = 0; i + 2 < marks.size(); i += 3) {
        const std::string_view code = std::string_view(marks).substr(i + 1, 2);
        if (!kalvon::IsPointCode(code)) continue;
        const QRect square = l.Square(Column(code), Row(code));
        canvas.Ellipse(square, White, White);
        CentredText(canvas, square, QString(QLatin1Char(marks[i])), Black, White);
    }
}

TDiagram DiagramOfGame(const kalvon::TGameBase& base, long party) {
    TDiagram diagram;
    if (party < 0 || size_t(party) >= base.PartyList.size()) return diagram;
    const kalvon::TPartyRecord& game = base.PartyList[size_t(party)];
    diagram.Moves = DiagramMoves(game.Moves);
    diagram.Players = Shown(kalvon::PlayerName(base, game.BlackId)) + QStringLiteral(" vs ") +
                      Shown(kalvon::PlayerName(base, game.WhiteId));
    diagram.Year = Shown(game.Year);
    diagram.PartyCaption = Shown(kalvon::PartyCaption(game));
    diagram.Board = Shown(game.Board);
    return diagram;
}
