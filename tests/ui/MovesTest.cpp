// Moving on the board: clicks, double-clicks, the right button, keys, menu commands and buttons.
#include <QAction>
#include <QToolButton>

#include "tests/ui/UiTestSupport.h"
#include "ui/BoardPainter.h"
#include "ui/StatisticMemo.h"

namespace {

const TBoardGeometry Geometry(30);

void Click(TMainForm& main, std::string_view code) {
    const std::optional<TBoardPoint> p = PointOfCode(code);
    QTest::mouseClick(main.PaintBox1, Qt::LeftButton, {}, QPoint(Geometry.X(p->Column), Geometry.Y(p->Row)));
}

void Play(TMainForm& main, const std::string& moves) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2) Click(main, std::string_view(moves).substr(i, 2));
}

// What a double-click delivers: a click, then a press that is a double-click, then its release.
void DoubleClick(TMainForm& main, QPoint at) {
    QTest::mouseClick(main.PaintBox1, Qt::LeftButton, {}, at);
    QTest::mousePress(main.PaintBox1, Qt::LeftButton, {}, at);
    QTest::mouseDClick(main.PaintBox1, Qt::LeftButton, {}, at);
    QTest::mouseRelease(main.PaintBox1, Qt::LeftButton, {}, at);
}

int Occupied(const kalvon::TGameBase& base) {
    int n = 0;
    for (int c = 1; c <= 15; ++c)
        for (int r = 1; r <= 15; ++r) n += base.BoardGrid[c][r];
    return n;
}

}  // namespace

class TMovesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void clickPlaysAndAnOccupiedPointDropsTheContinuation();
    void takingBackAndReplayingByKeysMenuAndButtons();
    void inStartAndInEndRestoreThePosition();
    void doubleClickGoesBackToTheMove();
    void rightButtonTakesBackOneMove();
    void letterKeysPlayTheLabelledMoves();
    void memoPassesCharactersToTheBoard();
    void clearBoardAndTheEditModeButton();
};

void TMovesTest::clickPlaysAndAnOccupiedPointDropsTheContinuation() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    QVERIFY(!main.N13->isEnabled() && !main.ToolButton1->isEnabled());
    Play(main, "889988");
    QCOMPARE(base.CurrentMoves, std::string("8899"));
    QCOMPARE(base.BoardGrid[8][8], 1);
    QCOMPARE(base.BoardGrid[9][9], 1);
    QCOMPARE(Occupied(base), 2);
    QVERIFY(main.N13->isEnabled() && main.N15->isEnabled() && main.ToolButton1->isEnabled() &&
            main.ToolButton2->isEnabled());

    QTest::keyClick(main.PaintBox1, '-');
    QCOMPARE(base.ForwardMoves, std::string("99"));
    QVERIFY(main.N14->isEnabled() && main.ToolButton3->isEnabled());
    Click(main, "88");  // occupied: nothing is played, the continuation is gone
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!main.N14->isEnabled() && !main.N16->isEnabled() && !main.ToolButton3->isEnabled());
}

void TMovesTest::takingBackAndReplayingByKeysMenuAndButtons() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    Play(main, "88899A");
    QTest::keyClick(main.PaintBox1, '-');
    main.N13->trigger();
    QTest::mouseClick(main.ToolButton2, Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, std::string());
    QCOMPARE(base.ForwardMoves, std::string("88899A"));
    QCOMPARE(Occupied(base), 0);
    QVERIFY(!main.N13->isEnabled() && main.N14->isEnabled() && main.N16->isEnabled());
    main.FormKeyPress(QLatin1Char('-'));  // nothing left to take back
    QCOMPARE(base.ForwardMoves, std::string("88899A"));

    QTest::keyClick(main.PaintBox1, '+');
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string("899A"));
    const QRect square = Geometry.Square(8, 8);
    QCOMPARE(main.PaintBox1->Canvas().pixel(square.left() + 3, Geometry.Y(8)) | 0xFF000000, qRgb(0, 0, 0));
    main.N14->trigger();
    QTest::mouseClick(main.ToolButton3, Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, std::string("88899A"));
    QVERIFY(!main.N14->isEnabled() && !main.ToolButton4->isEnabled());
    QCOMPARE(Occupied(base), 3);
}

void TMovesTest::inStartAndInEndRestoreThePosition() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    Play(main, "8889");
    QTest::keyClick(main.PaintBox1, '-');
    const QImage before = main.PaintBox1->Canvas();
    Click(main, "89");
    QTest::keyClick(main.PaintBox1, '-');  // CurrentMoves 88, ForwardMoves 89
    main.AlfMoves = "7777";
    main.N15->trigger();
    QCOMPARE(base.CurrentMoves, std::string());
    QCOMPARE(base.ForwardMoves, std::string("8889"));
    QCOMPARE(Occupied(base), 0);
    QVERIFY(main.AlfMoves.empty());
    QVERIFY(!main.N15->isEnabled() && main.N16->isEnabled());

    QTest::mouseClick(main.ToolButton4, Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, std::string("8889"));
    QCOMPARE(base.ForwardMoves, std::string());
    QCOMPARE(Occupied(base), 2);
    QVERIFY(!main.N16->isEnabled());
    main.N15->trigger();
    main.N16->trigger();
    QTest::keyClick(main.PaintBox1, '-');
    QCOMPARE(main.PaintBox1->Canvas(), before);
}

void TMovesTest::doubleClickGoesBackToTheMove() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    const std::string game = "8889999A7A7B6B6C5C5D4D4E";
    Play(main, game);
    QCOMPARE(base.CurrentMoves, game);
    const std::optional<TBoardPoint> fifth = PointOfCode("7A");
    DoubleClick(main, QPoint(Geometry.X(fifth->Column) + 4, Geometry.Y(fifth->Row) - 3));
    QCOMPARE(base.CurrentMoves, game.substr(0, 10));
    QCOMPARE(base.ForwardMoves, game.substr(10));
    QCOMPARE(Occupied(base), 5);

    // On an empty point the click of the first press plays a move and nothing is taken back.
    DoubleClick(main, QPoint(Geometry.X(1), Geometry.Y(1)));
    QCOMPARE(base.CurrentMoves, game.substr(0, 10) + "11");
    QCOMPARE(base.ForwardMoves, std::string());
}

void TMovesTest::rightButtonTakesBackOneMove() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    Play(main, "8899");
    QTest::mousePress(main.PaintBox1, Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseRelease(main.PaintBox1, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string("99"));
}

void TMovesTest::letterKeysPlayTheLabelledMoves() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    Play(main, "88");
    const std::string labels = "899A7A6B5C";

    // Without the statistics shown letters do nothing.
    main.AlfMoves = labels;
    QTest::keyClick(main.PaintBox1, 'c');
    QCOMPARE(base.CurrentMoves, std::string("88"));

    main.StatisticShow->setChecked(true);
    main.PaintBox1Paint();
    // The upper left quarter of the cell of label A holds no grid: only the label's ring is black there.
    const std::optional<TBoardPoint> a = PointOfCode("89");
    const QRect cell = Geometry.Square(a->Column, a->Row);
    const QRect quarter(cell.left() + 1, cell.top() + 1, 12, 12);
    auto ring = [&] {
        int black = 0;
        for (int y = quarter.top(); y <= quarter.bottom(); ++y)
            for (int x = quarter.left(); x <= quarter.right(); ++x)
                black += (main.PaintBox1->Canvas().pixel(x, y) & 0xFFFFFF) == 0;
        return black;
    };
    QVERIFY(ring() > 0);

    QTest::keyClick(main.PaintBox1, 'c');
    QCOMPARE(base.CurrentMoves, std::string("887A"));
    QTest::keyClick(main.PaintBox1, '-');  // removes the labels still on empty points
    QVERIFY(main.AlfMoves.empty());
    QCOMPARE(ring(), 0);

    main.AlfMoves = labels;
    QTest::keyClick(main.PaintBox1, 'C', Qt::ShiftModifier);
    QCOMPARE(base.CurrentMoves, std::string("887A"));
    QCOMPARE(base.ForwardMoves, std::string());

    // "F" has no label: the continuation goes, nothing is played.
    main.FormKeyPress(QLatin1Char('-'));
    main.AlfMoves = labels;
    QCOMPARE(base.ForwardMoves, std::string("7A"));
    main.FormKeyPress(QLatin1Char('F'));
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!main.N14->isEnabled());

    // "+" with nothing to replay plays label A; a key that is no letter does nothing at all.
    main.FormKeyPress(QLatin1Char('+'));
    QCOMPARE(base.CurrentMoves, std::string("8889"));
    main.FormKeyPress(QLatin1Char('-'));
    main.AlfMoves = labels;
    main.FormKeyPress(QLatin1Char('7'));
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string("89"));
}

void TMovesTest::memoPassesCharactersToTheBoard() {
    TSession session;
    TMainForm& main = session.Start();
    Play(main, "8899");
    main.Memo1->show();
    main.Memo1->setFocus();
    QTest::keyClick(main.Memo1, '-');
    QCOMPARE(session.Base().CurrentMoves, std::string("88"));
    QTest::keyClick(main.Memo1, '+');
    QCOMPARE(session.Base().CurrentMoves, std::string("8899"));
    QVERIFY(main.Memo1->toPlainText().isEmpty());
}

void TMovesTest::clearBoardAndTheEditModeButton() {
    TSession session;
    TMainForm& main = session.Start();
    kalvon::TGameBase& base = session.Base();
    QVERIFY(!main.ToolButton6->isEnabled());
    QCOMPARE(main.ToolButton6->toolTip(),
             QStringLiteral("Attention! Was included a mode of editing a party!"));
    base.EditMode = true;
    main.ToolButton6->setEnabled(true);
    QTest::mouseClick(main.ToolButton6, Qt::LeftButton);
    QVERIFY(!base.EditMode);
    QVERIFY(!main.ToolButton6->isEnabled());

    const QImage bare = main.PaintBox1->Canvas();
    Play(main, "88899A");
    QTest::keyClick(main.PaintBox1, '-');
    base.EditMode = true;
    main.ToolButton6->setEnabled(true);
    main.N2->trigger();
    QCOMPARE(base.CurrentMoves, std::string());
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!base.EditMode && !main.ToolButton6->isEnabled());
    QCOMPARE(Occupied(base), 0);
    QVERIFY(!main.N13->isEnabled() && !main.N14->isEnabled());
    QCOMPARE(main.PaintBox1->Canvas(), bare);
}

int RunMovesTest(int argc, char** argv) {
    TMovesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MovesTest.moc"
