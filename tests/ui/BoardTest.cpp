// The board's geometry, picking a point, and the pixels that drawing and erasing leave.
#include <QAction>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/BoardPainter.h"
#include "ui/SettingsState.h"

namespace {

const QRgb Green = BoardColour.rgb();
const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);

QImage BareBoard(int diameter, const QFont& font, QSize size = {}) {
    const int width = TBoardGeometry(diameter).Width();
    QImage image(size.isValid() ? size : QSize(width, width + 20), QImage::Format_RGB32);
    TBoardPainter painter(image, diameter, font);
    painter.ClearPaint();
    painter.DrawBoard();
    return image;
}

// How many pixels of that colour lie in the rectangle.
int Count(const QImage& image, QRect area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// Pixels of text: antialiased glyphs need not be pure black.
int Dark(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += qGray(image.pixel(x, y)) < 100;
    return n;
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000;
}

const QFont MoveFont = DefaultFont();

}  // namespace

class TBoardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void geometry();
    void hitPointPicksTheNearerLine_data();
    void hitPointPicksTheNearerLine();
    void hitPointIsTheNearestLineForEvenDiameters();
    void bareBoardPixels();
    void erasingRestoresTheBareBoard_data();
    void erasingRestoresTheBareBoard();
    void erasingLeavesTheNeighboursAlone();
    void stonesAndNumbersInTheWindow();
    void cornerAndStarPointAreRestoredInTheWindow();
};

void TBoardTest::geometry() {
    const TBoardGeometry g30(30);
    QCOMPARE(g30.B, 20);
    QCOMPARE(g30.X(1), 20);
    QCOMPARE(g30.X(15), 440);
    QCOMPARE(g30.Y(1), 440);
    QCOMPARE(g30.Y(15), 20);
    QCOMPARE(g30.Width(), 460);
    QCOMPARE(g30.Square(8, 8), QRect(215, 215, 30, 30));
    const TBoardGeometry g21(21);
    QCOMPARE(g21.B, 15);
    QCOMPARE(g21.Width(), 324);
    // An odd diameter: the square runs from 12 pixels before to 12 after the intersection.
    const TBoardGeometry g25(25);
    QCOMPARE(g25.Square(1, 15), QRect(g25.X(1) - 12, g25.Y(15) - 12, 25, 25));
}

void TBoardTest::hitPointPicksTheNearerLine_data() {
    QTest::addColumn<int>("diameter");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("A15 exactly") << 30 << QPoint(20, 20) << 1 << 15;
    QTest::newRow("left of and above the grid") << 30 << QPoint(0, 0) << 1 << 15;
    QTest::newRow("right of and below the grid") << 30 << QPoint(459, 459) << 15 << 1;
    QTest::newRow("far outside") << 30 << QPoint(5000, 5000) << 15 << 1;
    QTest::newRow("half-way picks the left") << 30 << QPoint(35, 20) << 1 << 15;
    QTest::newRow("just past half-way") << 30 << QPoint(36, 20) << 2 << 15;
    QTest::newRow("half-way picks the upper") << 30 << QPoint(20, 35) << 1 << 15;
    QTest::newRow("just below half-way") << 30 << QPoint(20, 36) << 1 << 14;
    QTest::newRow("centre H8") << 30 << QPoint(230, 230) << 8 << 8;
    QTest::newRow("near the centre") << 30 << QPoint(244, 216) << 8 << 8;
    QTest::newRow("odd diameter, 13 past A") << 25 << QPoint(17 + 13, 17) << 1 << 15;
    QTest::newRow("odd diameter, 14 past A") << 25 << QPoint(17 + 14, 17) << 2 << 15;
    QTest::newRow("left of column A, row 1") << 20 << QPoint(2, 15 + 14 * 20) << 1 << 1;
}

void TBoardTest::hitPointPicksTheNearerLine() {
    QFETCH(int, diameter);
    QFETCH(QPoint, press);
    QFETCH(int, column);
    QFETCH(int, row);
    QCOMPARE(HitPoint(press, diameter), (TBoardPoint{column, row}));
}

void TBoardTest::hitPointIsTheNearestLineForEvenDiameters() {
    for (int S = 20; S <= 50; S += 2) {
        const TBoardGeometry g(S);
        for (int x = -10; x < g.Width() + 10; ++x) {
            // The nearest line, the lower one on a tie, within the board.
            int best = 1;
            for (int c = 2; c <= 15; ++c)
                if (std::abs(g.X(c) - x) < std::abs(g.X(best) - x)) best = c;
            const TBoardPoint picked = HitPoint(QPoint(x, x), S);
            QCOMPARE(picked.Column, best);
            QCOMPARE(picked.Row, 16 - best);
        }
    }
}

void TBoardTest::bareBoardPixels() {
    const QImage image = BareBoard(30, MoveFont);
    const TBoardGeometry g(30);
    QCOMPARE(At(image, 2, 2), Green);
    QCOMPARE(At(image, 457, 2), Green);
    for (int i = 1; i <= 15; ++i) {
        QCOMPARE(At(image, g.X(i), g.B + 7), Black);      // vertical line
        QCOMPARE(At(image, g.B + 7, g.Y(i)), Black);      // horizontal line
        QCOMPARE(At(image, g.X(i), g.B - 1), Green);      // nothing above the grid
        QCOMPARE(At(image, g.X(15) + 1, g.Y(i)), Green);  // nothing right of it
    }
    QCOMPARE(At(image, g.X(1) + 15, g.Y(1) - 15), Green);  // inside a cell
    for (TBoardPoint star : {TBoardPoint{8, 8}, {4, 12}, {4, 4}, {12, 12}, {12, 4}}) {
        QCOMPARE(At(image, g.X(star.Column) + 2, g.Y(star.Row) + 2), Black);
        QCOMPARE(At(image, g.X(star.Column) - 2, g.Y(star.Row) - 2), Black);
    }
    QCOMPARE(At(image, g.X(7) + 2, g.Y(7) + 2), Green);  // no star point there
    // The letters start 5 pixels below row 1, the row numbers stand left of column A.
    QVERIFY(Dark(image, QRect(g.X(1) - 6, 445, 13, 16)) > 0);
    QCOMPARE(Dark(image, QRect(g.X(1) - 6, 441, 13, 4)), 0);  // nothing between row 1 and the letters
    QVERIFY(Dark(image, QRect(0, g.Y(8) - 6, g.B - 4, 13)) > 0);
}

void TBoardTest::erasingRestoresTheBareBoard_data() {
    QTest::addColumn<int>("diameter");
    QTest::addColumn<int>("fontSize");
    for (int diameter : {20, 21, 25, 30, 50}) QTest::addRow("diameter %d", diameter) << diameter << 8;
    QTest::newRow("numbers wider than the stones") << 20 << 16;
}

void TBoardTest::erasingRestoresTheBareBoard() {
    QFETCH(int, diameter);
    QFETCH(int, fontSize);
    const QFont font(QLatin1String(DefaultFace), fontSize, fontSize > 8 ? QFont::Bold : QFont::Normal);
    const QImage bare = BareBoard(diameter, font);
    for (int column = 1; column <= 15; ++column) {
        for (int row = 1; row <= 15; ++row) {
            QImage image = bare;
            TBoardPainter(image, diameter, font)
                .DrawStone(QString::number(100 + column + row), {column, row}, true);
            QVERIFY(image != bare);
            TBoardPainter(image, diameter, font).ErasePoint({column, row});
            QVERIFY2(image == bare, qPrintable(QStringLiteral("stone at %1,%2").arg(column).arg(row)));

            TBoardPainter(image, diameter, font).DrawLabel(QLatin1Char('W'), {column, row});
            TBoardPainter(image, diameter, font).ErasePoint({column, row});
            QVERIFY2(image == bare, qPrintable(QStringLiteral("label at %1,%2").arg(column).arg(row)));
        }
    }
}

void TBoardTest::erasingLeavesTheNeighboursAlone() {
    const int S = 20;
    const QFont wide(QLatin1String(DefaultFace), 14);
    auto fullBoard = [&](TBoardPoint without) {
        QImage image = BareBoard(S, wide);
        TBoardPainter painter(image, S, wide);
        int number = 0;
        for (int row = 15; row >= 1; --row)
            for (int column = 1; column <= 15; ++column) {
                ++number;
                if (TBoardPoint{column, row} != without)
                    painter.DrawStone(QString::number(number), {column, row}, true);
            }
        return image;
    };
    const QImage all = fullBoard({0, 0});
    for (TBoardPoint p :
         {TBoardPoint{1, 1}, {15, 15}, {1, 15}, {15, 1}, {8, 8}, {4, 4}, {7, 1}, {1, 9}, {15, 6}, {9, 15}}) {
        QImage image = all;
        TBoardPainter(image, S, wide).ErasePoint(p);
        QVERIFY2(image == fullBoard(p), qPrintable(QStringLiteral("%1,%2").arg(p.Column).arg(p.Row)));
    }
}

void TBoardTest::stonesAndNumbersInTheWindow() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const TBoardGeometry g(30);
    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, QPoint(g.X(8), g.Y(8)));
    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, QPoint(g.X(9), g.Y(8)));
    QCOMPARE(session.Base().CurrentMoves, std::string("8898"));
    const QImage& canvas = BoardArea(main)->Canvas();
    const QRect black = g.Square(8, 8), white = g.Square(9, 8);
    QCOMPARE(At(canvas, black.left() + 3, g.Y(8)), Black);
    QCOMPARE(At(canvas, black.left(), g.Y(8)), Black);                // outline
    QVERIFY(Count(canvas, black.adjusted(8, 8, -8, -8), White) > 0);  // the white "1"
    QCOMPARE(At(canvas, white.left() + 3, g.Y(8)), White);
    QCOMPARE(At(canvas, white.left(), g.Y(8)), Black);  // the black outline of a white stone
    QCOMPARE(At(canvas, white.right(), g.Y(8)), Black);
    QCOMPARE(At(canvas, white.right() + 1, g.Y(8) - 5), Green);       // the stone stays in its square
    QVERIFY(Count(canvas, white.adjusted(8, 8, -8, -8), Black) > 0);  // the black "2"

    // Without numbers the stones are plain discs, redrawn at once.
    Trigger(main, "Num");
    QVERIFY(!Action(main, "Num")->isChecked());
    QCOMPARE(Count(canvas, black.adjusted(5, 5, -5, -5), White), 0);
    QCOMPARE(Count(canvas, white.adjusted(5, 5, -5, -5), Black), 0);
    Trigger(main, "Num");
    QVERIFY(Count(canvas, black.adjusted(8, 8, -8, -8), White) > 0);

    // The screen shows the canvas.
    const QImage shown = BoardArea(main)->grab().toImage();
    QCOMPARE(At(shown, black.left() + 3, g.Y(8)), Black);
    QCOMPARE(At(shown, 2, 2), Green);
}

void TBoardTest::cornerAndStarPointAreRestoredInTheWindow() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const TBoardGeometry g(30);
    const QImage bare = BareBoard(30, CurrentSession().Settings().MoveFont, BoardArea(main)->Canvas().size());
    QCOMPARE(BoardArea(main)->Canvas(), bare);

    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, QPoint(g.X(1), g.Y(1)));
    QCOMPARE(session.Base().CurrentMoves, std::string("11"));
    QTest::keyClick(BoardArea(main), '-');
    const QImage& canvas = BoardArea(main)->Canvas();
    QCOMPARE(At(canvas, g.X(1) + 3, g.Y(1)), Black);  // right half of the row line
    QCOMPARE(At(canvas, g.X(1) - 3, g.Y(1)), Green);
    QCOMPARE(At(canvas, g.X(1), g.Y(1) - 3), Black);  // upper half of the column line
    QCOMPARE(At(canvas, g.X(1), g.Y(1) + 3), Green);
    QCOMPARE(canvas, bare);  // the row label "1" and the letter "A" are back as well

    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, QPoint(g.X(8), g.Y(8)));
    QCOMPARE(At(canvas, g.X(8) + 6, g.Y(8)), Black);
    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(At(canvas, g.X(8) + 2, g.Y(8) + 2), Black);  // the star point
    QCOMPARE(At(canvas, g.X(8) + 6, g.Y(8) + 6), Green);
    QCOMPARE(canvas, bare);
}

KALVON_UI_TEST(TBoardTest);

#include "BoardTest.moc"
