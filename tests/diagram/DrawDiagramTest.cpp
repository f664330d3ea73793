// The drawing of a diagram, recorded: frame, edge lines and stubs, star points, stones and their
// numbers, captions, the result disc and the letter marks.
#include <gtest/gtest.h>

#include <algorithm>

#include "diagram/Diagram.h"
#include "tests/diagram/RecordingCanvas.h"

namespace {

constexpr int S = 30;

TDiagram Diagram(std::string moves, TDiagramOptions options = {}, std::string marks = {}) {
    TDiagram diagram;
    diagram.Moves = std::move(moves);
    diagram.Options = options;
    diagram.LetterMarks = std::move(marks);
    diagram.Diameter = S;
    diagram.MoveFont = QFont(QStringLiteral("MS Sans Serif"), 8);
    diagram.Players = QStringLiteral("NORD vs SUED");
    diagram.Year = QStringLiteral("2003");
    diagram.PartyCaption = QStringLiteral("2D,-,5A=J9,/57");
    diagram.Board = QStringLiteral(" 4711");
    return diagram;
}

TRecordingCanvas Drawn(const TDiagram& diagram) {
    TRecordingCanvas canvas;
    DrawDiagram(canvas, diagram);
    return canvas;
}

// What a picture shows at its four sides.
struct TSides {
    bool Left, Right, Top, Bottom;
    bool operator==(const TSides&) const = default;
};

struct TGrid {
    int Horizontal = 0, Vertical = 0;
    TSides Thick{}, Stubs{};
};

// Reads the grid back from the recorded lines: a side is closed by a thick line when its outermost
// line is 2 pixels wide, and has stubs when the crossing lines run past its outermost line.
TGrid GridOf(const TRecordingCanvas& canvas) {
    std::vector<TDrawn> rows, columns;
    for (const TDrawn& line : canvas.Of(TOp::Line))
        (line.From.y() == line.To.y() ? rows : columns).push_back(line);
    auto byY = [](const TDrawn& a, const TDrawn& b) { return a.From.y() < b.From.y(); };
    auto byX = [](const TDrawn& a, const TDrawn& b) { return a.From.x() < b.From.x(); };
    std::sort(rows.begin(), rows.end(), byY);
    std::sort(columns.begin(), columns.end(), byX);
    TGrid grid;
    grid.Horizontal = int(rows.size());
    grid.Vertical = int(columns.size());
    if (rows.empty() || columns.empty()) return grid;
    grid.Thick = {columns.front().Width == 2, columns.back().Width == 2, rows.front().Width == 2,
                  rows.back().Width == 2};
    grid.Stubs = {
        rows.front().From.x() < columns.front().From.x(), rows.front().To.x() > columns.back().From.x(),
        columns.front().From.y() < rows.front().From.y(), columns.front().To.y() > rows.back().From.y()};
    return grid;
}

struct TFrameCase {
    const char* Name;
    std::string Moves;
    TDiagramOptions Options;
    int W, H, Columns, Rows;
    TSides Thick, Stubs;
    size_t StarPoints;
};

void PrintTo(const TFrameCase& c, std::ostream* out) {
    *out << c.Name;
}

class DiagramFrame : public testing::TestWithParam<TFrameCase> {};

TEST_P(DiagramFrame, SizeEdgesAndStubs) {
    const TFrameCase& c = GetParam();
    const TDiagram diagram = Diagram(c.Moves, c.Options);
    const TDiagramLayout layout = DiagramLayout(diagram);
    EXPECT_EQ(layout.W(), c.W);
    EXPECT_EQ(layout.H(), c.H);
    const TRecordingCanvas canvas = Drawn(diagram);
    ASSERT_FALSE(canvas.Drawn.empty());
    EXPECT_EQ(canvas.Drawn.front().Kind, TOp::Fill);
    EXPECT_EQ(canvas.Drawn.front().Rect, QRect(0, 0, c.W, c.H));
    const TGrid grid = GridOf(canvas);
    EXPECT_EQ(grid.Vertical, c.Columns);
    EXPECT_EQ(grid.Horizontal, c.Rows);
    EXPECT_EQ(grid.Thick, c.Thick);
    EXPECT_EQ(grid.Stubs, c.Stubs);
    // Star points are the 6-pixel discs; stones fill the squares of side S.
    size_t stars = 0, stones = 0;
    for (const TDrawn& disc : canvas.Of(TOp::Ellipse)) {
        stars += disc.Rect.width() == 6;
        stones += disc.Rect.width() == S;
    }
    EXPECT_EQ(stars, c.StarPoints);
    EXPECT_EQ(stones, DiagramMoves(diagram.Moves).size() / 2);
}

const TDiagramOptions Full{true, false, false, 1};
const TDiagramOptions FullCaption{true, true, false, 1};
const TDiagramOptions FullCommentary{true, true, true, 1};
// The caption line is the font size (8) plus 7 pixels.
INSTANTIATE_TEST_SUITE_P(
    Frames, DiagramFrame,
    testing::Values(TFrameCase{"FourByFour",
                               "7788AA97",
                               {},
                               5 * S,
                               5 * S,
                               4,
                               4,
                               {false, false, false, false},
                               {true, true, true, true},
                               0},
                    TFrameCase{"ColumnA",
                               "8818",
                               {},
                               9 * S,
                               2 * S,
                               8,
                               1,
                               {true, false, false, false},
                               {false, true, true, true},
                               0},
                    TFrameCase{"RowFifteen",
                               "888F",
                               {},
                               2 * S,
                               9 * S,
                               1,
                               8,
                               {false, false, true, false},
                               {true, true, false, true},
                               0},
                    TFrameCase{"EmptyGame",
                               "",
                               {},
                               2 * S,
                               2 * S,
                               1,
                               1,
                               {false, false, false, false},
                               {true, true, true, true},
                               0},
                    TFrameCase{"FullBoard",
                               "8889",
                               Full,
                               16 * S,
                               16 * S,
                               15,
                               15,
                               {true, true, true, true},
                               {false, false, false, false},
                               5},
                    TFrameCase{"Caption",
                               "",
                               FullCaption,
                               16 * S,
                               16 * S + 15,
                               15,
                               15,
                               {true, true, true, true},
                               {false, false, false, false},
                               5},
                    TFrameCase{"Commentary",
                               "",
                               FullCommentary,
                               16 * S,
                               16 * S + 30,
                               15,
                               15,
                               {true, true, true, true},
                               {false, false, false, false},
                               5},
                    // The frame ends at the first code that is no point ("0A", "X9") or repeats a point, and
                    // an odd last character is no move: nothing widens towards column A or row 1.
                    TFrameCase{"BadCodeEndsTheGame",
                               "88890A11",
                               {},
                               2 * S,
                               3 * S,
                               1,
                               2,
                               {false, false, false, false},
                               {true, true, true, true},
                               0},
                    TFrameCase{"RepeatedPointEndsTheGame",
                               "88898811",
                               {},
                               2 * S,
                               3 * S,
                               1,
                               2,
                               {false, false, false, false},
                               {true, true, true, true},
                               0},
                    TFrameCase{"OddLength",
                               "88891",
                               {},
                               2 * S,
                               3 * S,
                               1,
                               2,
                               {false, false, false, false},
                               {true, true, true, true},
                               0}),
    [](const testing::TestParamInfo<TFrameCase>& frame) { return std::string(frame.param.Name); });

TEST(DiagramStones, ColoursAlternateAndNumbersStartAtWithNum) {
    // Eight moves; with "With Num" 5 move 5 shows 1 and move 6 shows 2; with 0 nothing is numbered.
    const std::string moves = "8889999A7A7B6B6C";
    for (const auto& [withNum, expected] : {std::pair{5, QStringList{"1", "2", "3", "4"}},
                                            {1, QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}},
                                            {0, QStringList{}}}) {
        TDiagramOptions options;
        options.WithNum = withNum;
        const TRecordingCanvas canvas = Drawn(Diagram(moves, options));
        const std::vector<TDrawn> stones = canvas.Of(TOp::Ellipse);
        ASSERT_EQ(stones.size(), 8u);
        QStringList numbers;
        for (const TDrawn& text : canvas.Of(TOp::Text)) {
            numbers.append(text.Text);
            // Each number is centred on a stone, in the stone's opposite colour on its fill.
            const auto stone = std::find_if(stones.begin(), stones.end(), [&](const TDrawn& s) {
                return s.Rect.contains(text.Rect.center());
            });
            ASSERT_NE(stone, stones.end()) << text.Text.toStdString();
            EXPECT_LE(std::abs(text.Rect.center().x() - stone->Rect.center().x()), 1);
            EXPECT_EQ(text.Outline, stone->Fill);
            EXPECT_NE(text.Fill, stone->Fill);
            EXPECT_EQ(text.FontSize, 8);
        }
        EXPECT_EQ(numbers, expected) << "With Num " << withNum;
        for (size_t d = 0; d < stones.size(); ++d) {
            EXPECT_EQ(stones[d].Fill, d % 2 == 0 ? QColor(Qt::black) : QColor(Qt::white)) << "move " << d + 1;
            EXPECT_EQ(stones[d].Outline, QColor(Qt::black));
            EXPECT_EQ(stones[d].Rect.size(), QSize(S, S));
        }
    }
}

TEST(DiagramMarks, MarkHidesTheStoneAndWidensTheFrame) {
    // Mark A on the stone of move 1, mark C off the game at B2.
    const TDiagram diagram = Diagram("8889", {}, "A88C22");
    const TDiagramLayout layout = DiagramLayout(diagram);
    EXPECT_EQ(layout.MinCol, 2);
    EXPECT_EQ(layout.MinRow, 2);
    const TRecordingCanvas canvas = Drawn(diagram);
    const std::vector<TDrawn> discs = canvas.Of(TOp::Ellipse);
    ASSERT_EQ(discs.size(), 4u);
    EXPECT_EQ(discs[2].Rect, discs[0].Rect);  // drawn after the stone, on its square
    EXPECT_EQ(discs[2].Fill, QColor(Qt::white));
    EXPECT_EQ(discs[2].Outline, QColor(Qt::white));
    const std::vector<TDrawn> texts = canvas.Of(TOp::Text);
    ASSERT_EQ(texts.size(), 4u);  // two numbers, two letters
    EXPECT_EQ(texts[2].Text, QStringLiteral("A"));
    EXPECT_TRUE(discs[0].Rect.contains(texts[2].Rect.center()));
    EXPECT_EQ(texts[2].FontSize, 10);
    EXPECT_EQ(texts[3].Text, QStringLiteral("C"));
    EXPECT_LE((texts[3].Rect.center() - layout.Square(2, 2).center()).manhattanLength(), 2);
}

TEST(DiagramCaption, PlayersCommentaryAndTheResultDisc) {
    struct TCase {
        QString Caption;
        QColor Disc;  // invalid: no disc, the text drawn whole
        bool Chord;
    };
    for (const TCase& c :
         {TCase{"2D,-,5A=J9,/57", Qt::black, false}, TCase{"1I,R,5A=?,o31", Qt::white, false},
          TCase{"?,-,5A=?,x120", Qt::white, true}, TCase{"4D,-,5A=?,?12", QColor(), false}}) {
        TDiagram diagram = Diagram("88", FullCommentary);
        diagram.PartyCaption = c.Caption;
        const TRecordingCanvas canvas = Drawn(diagram);
        QStringList texts;
        for (const TDrawn& text : canvas.Of(TOp::Text)) texts.append(text.Text);
        const std::vector<TDrawn> all = canvas.Of(TOp::Text);
        EXPECT_EQ(all[0].Text, QStringLiteral("NORD vs SUED"));
        EXPECT_EQ(all[0].Rect.topLeft(), QPoint(S, 5));
        EXPECT_EQ(all[1].Text, QStringLiteral("2003"));
        EXPECT_EQ(all[1].Rect.topLeft(), QPoint(S, 10 + 12));
        EXPECT_EQ(all.back().Text, QStringLiteral("1"));  // the stone's number comes last
        const TDrawn& board = all[all.size() - 2];
        EXPECT_EQ(board.Text, QStringLiteral(" 4711"));
        EXPECT_EQ(board.Rect.right() + 1, 15 * S);
        // The caption is centred on 8 * S as a whole text.
        const int left = 8 * S - TRecordingCanvas::CharWidth * int(c.Caption.size()) / 2;
        EXPECT_EQ(all[2].Rect.left(), left);
        const std::vector<TDrawn> discs = canvas.Of(TOp::Ellipse);
        const auto disc =
            std::find_if(discs.begin(), discs.end(), [](const TDrawn& d) { return d.Rect.top() < S; });
        if (!c.Disc.isValid()) {
            EXPECT_EQ(all[2].Text, c.Caption);
            EXPECT_EQ(disc, discs.end());
            continue;
        }
        const qsizetype comma = c.Caption.lastIndexOf(QLatin1Char(','));
        EXPECT_EQ(all[2].Text, c.Caption.left(comma + 1));
        EXPECT_EQ(all[3].Text, c.Caption.mid(comma + 2));  // the number of moves after the disc
        ASSERT_NE(disc, discs.end()) << c.Caption.toStdString();
        EXPECT_EQ(disc->Fill, c.Disc);
        EXPECT_EQ(disc->Rect.left(), all[2].Rect.right() + 1 + 2);
        EXPECT_GT(all[3].Rect.left(), disc->Rect.right());
        const std::vector<TDrawn> chords = canvas.Of(TOp::Chord);
        EXPECT_EQ(chords.size(), c.Chord ? 1u : 0u);
        if (c.Chord) {
            EXPECT_EQ(chords[0].Fill, QColor(Qt::black));
            EXPECT_LT(chords[0].From.y(), chords[0].To.y());  // top middle to bottom middle: the left half
            EXPECT_EQ(chords[0].From.x(), chords[0].To.x());
        }
    }
}

}  // namespace
