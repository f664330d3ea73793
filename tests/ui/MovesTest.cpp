// Moving on the board: clicks, double-clicks, the right button, keys, menu commands and buttons.
#include <QAction>
#include <QToolButton>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/BoardPainter.h"
#include "ui/SettingsState.h"
#include "ui/StatisticMemo.h"

namespace {

const TBoardGeometry Geometry(DefaultMoveDiameter);

void Click(TMainWindow& main, std::string_view code) {
    const std::optional<TBoardPoint> p = PointOfCode(code);
    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, QPoint(Geometry.X(p->Column), Geometry.Y(p->Row)));
}

void Play(TMainWindow& main, const std::string& moves) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2) Click(main, std::string_view(moves).substr(i, 2));
}

// What a double-click delivers: a click, then a press that is a double-click, then its release.
void DoubleClick(TMainWindow& main, QPoint at) {
    QTest::mouseClick(BoardArea(main), Qt::LeftButton, {}, at);
    QTest::mousePress(BoardArea(main), Qt::LeftButton, {}, at);
    QTest::mouseDClick(BoardArea(main), Qt::LeftButton, {}, at);
    QTest::mouseRelease(BoardArea(main), Qt::LeftButton, {}, at);
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
    void noMoveGoesOntoAnOccupiedPoint();
};

void TMovesTest::clickPlaysAndAnOccupiedPointDropsTheContinuation() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    QVERIFY(!Action(main, "N13")->isEnabled() && !Button(main, "ToolButton1")->isEnabled());
    Play(main, "889988");
    QCOMPARE(base.CurrentMoves, std::string("8899"));
    QCOMPARE(base.BoardGrid[8][8], 1);
    QCOMPARE(base.BoardGrid[9][9], 1);
    QCOMPARE(Occupied(base), 2);
    QVERIFY(Action(main, "N13")->isEnabled() && Action(main, "N15")->isEnabled() &&
            Button(main, "ToolButton1")->isEnabled() && Button(main, "ToolButton2")->isEnabled());

    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(base.ForwardMoves, std::string("99"));
    QVERIFY(Action(main, "N14")->isEnabled() && Button(main, "ToolButton3")->isEnabled());
    Click(main, "88");  // occupied: nothing is played, the continuation is gone
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!Action(main, "N14")->isEnabled() && !Action(main, "N16")->isEnabled() &&
            !Button(main, "ToolButton3")->isEnabled());
}

void TMovesTest::takingBackAndReplayingByKeysMenuAndButtons() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    Play(main, "88899A");
    QTest::keyClick(BoardArea(main), '-');
    Trigger(main, "N13");
    QTest::mouseClick(Button(main, "ToolButton2"), Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, std::string());
    QCOMPARE(base.ForwardMoves, std::string("88899A"));
    QCOMPARE(Occupied(base), 0);
    QVERIFY(!Action(main, "N13")->isEnabled() && Action(main, "N14")->isEnabled() &&
            Action(main, "N16")->isEnabled());
    QTest::keyClick(BoardArea(main), '-');  // nothing left to take back
    QCOMPARE(base.ForwardMoves, std::string("88899A"));

    QTest::keyClick(BoardArea(main), '+');
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string("899A"));
    const QRect square = Geometry.Square(8, 8);
    QCOMPARE(BoardArea(main)->Canvas().pixel(square.left() + 3, Geometry.Y(8)) | 0xFF000000, qRgb(0, 0, 0));
    Trigger(main, "N14");
    QTest::mouseClick(Button(main, "ToolButton3"), Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, std::string("88899A"));
    QVERIFY(!Action(main, "N14")->isEnabled() && !Button(main, "ToolButton4")->isEnabled());
    QCOMPARE(Occupied(base), 3);
}

void TMovesTest::inStartAndInEndRestoreThePosition() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    Play(main, "8889");
    QTest::keyClick(BoardArea(main), '-');
    const QImage before = BoardArea(main)->Canvas();
    Click(main, "89");
    QTest::keyClick(BoardArea(main), '-');  // CurrentMoves 88, ForwardMoves 89
    Trigger(main, "N15");
    QCOMPARE(base.CurrentMoves, std::string());
    QCOMPARE(base.ForwardMoves, std::string("8889"));
    QCOMPARE(Occupied(base), 0);
    QVERIFY(CurrentSession().AlfMoves().empty());
    QVERIFY(!Action(main, "N15")->isEnabled() && Action(main, "N16")->isEnabled());

    QTest::mouseClick(Button(main, "ToolButton4"), Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, std::string("8889"));
    QCOMPARE(base.ForwardMoves, std::string());
    QCOMPARE(Occupied(base), 2);
    QVERIFY(!Action(main, "N16")->isEnabled());
    Trigger(main, "N15");
    Trigger(main, "N16");
    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(BoardArea(main)->Canvas(), before);
}

void TMovesTest::doubleClickGoesBackToTheMove() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
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
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    Play(main, "8899");
    QTest::mousePress(BoardArea(main), Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseRelease(BoardArea(main), Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string("99"));
}

void TMovesTest::letterKeysPlayTheLabelledMoves() {
    // After H8 the base's games went on at five points, five games, four, three, two and one: labels
    // A to E.
    TProgramRun session;
    QByteArray lines;
    int board = 1;
    for (const auto& [next, games] :
         {std::pair("89", 5), std::pair("99", 4), std::pair("8A", 3), std::pair("9A", 2), std::pair("AA", 1)})
        for (int g = 0; g < games; ++g)
            lines += QStringLiteral("2003, %1=[A,B,+,88%2,?,-]\r\n")
                         .arg(board++)
                         .arg(QLatin1String(next))
                         .toLatin1();
    session.Write(QStringLiteral("games.bdt"), lines);
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    const kalvon::TGameBase& base = session.Base();
    Play(main, "88");

    // Without the statistics shown there are no labels, and letters do nothing.
    QVERIFY(CurrentSession().AlfMoves().empty());
    QTest::keyClick(BoardArea(main), 'c');
    QCOMPARE(base.CurrentMoves, std::string("88"));

    Trigger(main, "StatisticShow");
    const std::string labels = CurrentSession().AlfMoves();
    QCOMPARE(labels.size(), size_t(10));
    // The upper left quarter of the cell of label A holds no grid: only the label's ring is black there.
    const std::optional<TBoardPoint> a = PointOfCode(labels.substr(0, 2));
    const QRect cell = Geometry.Square(a->Column, a->Row);
    const QRect quarter(cell.left() + 1, cell.top() + 1, 12, 12);
    auto ring = [&] {
        int black = 0;
        for (int y = quarter.top(); y <= quarter.bottom(); ++y)
            for (int x = quarter.left(); x <= quarter.right(); ++x)
                black += (BoardArea(main)->Canvas().pixel(x, y) & 0xFFFFFF) == 0;
        return black;
    };
    QVERIFY(ring() > 0);

    const std::string c = "88" + labels.substr(4, 2);
    QTest::keyClick(BoardArea(main), 'c');
    QCOMPARE(base.CurrentMoves, c);
    QCOMPARE(ring(), 0);  // no game went on after C: no labels
    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(CurrentSession().AlfMoves(), labels);
    QVERIFY(ring() > 0);

    QTest::keyClick(BoardArea(main), 'C', Qt::ShiftModifier);
    QCOMPARE(base.CurrentMoves, c);
    QCOMPARE(base.ForwardMoves, std::string());

    // "F" has no label: the continuation goes, nothing is played.
    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(base.ForwardMoves, labels.substr(4, 2));
    QTest::keyClick(BoardArea(main), 'F', Qt::ShiftModifier);
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!Action(main, "N14")->isEnabled());

    // "+" with nothing to replay plays label A; a key that is no letter does nothing at all.
    QTest::keyClick(BoardArea(main), '+');
    QCOMPARE(base.CurrentMoves, "88" + labels.substr(0, 2));
    QTest::keyClick(BoardArea(main), '-');
    QTest::keyClick(BoardArea(main), '7');
    QCOMPARE(base.CurrentMoves, std::string("88"));
    QCOMPARE(base.ForwardMoves, labels.substr(0, 2));
}

void TMovesTest::memoPassesCharactersToTheBoard() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Play(main, "8899");
    Memo(main)->show();
    Memo(main)->setFocus();
    QTest::keyClick(Memo(main), '-');
    QCOMPARE(session.Base().CurrentMoves, std::string("88"));
    QTest::keyClick(Memo(main), '+');
    QCOMPARE(session.Base().CurrentMoves, std::string("8899"));
    QVERIFY(Memo(main)->toPlainText().isEmpty());
}

void TMovesTest::clearBoardAndTheEditModeButton() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    QVERIFY(!Button(main, "ToolButton6")->isEnabled());
    QCOMPARE(Button(main, "ToolButton6")->toolTip(),
             QStringLiteral("Attention! Was included a mode of editing a party!"));
    CurrentSession().SetEditMode(true);
    QTest::mouseClick(Button(main, "ToolButton6"), Qt::LeftButton);
    QVERIFY(!base.EditMode);
    QVERIFY(!Button(main, "ToolButton6")->isEnabled());

    const QImage bare = BoardArea(main)->Canvas();
    Play(main, "88899A");
    QTest::keyClick(BoardArea(main), '-');
    CurrentSession().SetEditMode(true);
    Trigger(main, "N2");
    QCOMPARE(base.CurrentMoves, std::string());
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!base.EditMode && !Button(main, "ToolButton6")->isEnabled());
    QCOMPARE(Occupied(base), 0);
    QVERIFY(!Action(main, "N13")->isEnabled() && !Action(main, "N14")->isEnabled());
    QCOMPARE(BoardArea(main)->Canvas(), bare);
}

void TMovesTest::noMoveGoesOntoAnOccupiedPoint() {
    // A damaged game that plays H8 twice: its statistics list H8 as a next move of H8 H9.
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), "2003, 1=[A,B,+,888988,?,-]\r\n");
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    Trigger(main, "StatisticShow");
    Play(main, "8889");
    QCOMPARE(CurrentSession().AlfMoves(), std::string("88"));
    QTest::keyClick(BoardArea(main), 'a');
    QTest::keyClick(BoardArea(main), '+');
    QCOMPARE(session.Base().CurrentMoves, std::string("8889"));

    // Nor by a replay: the stored game's whole moves stay, the board shows them up to the repeat.
    Trigger(main, "StatisticShow");
    CurrentSession().OpenGame(0);
    QCOMPARE(Occupied(session.Base()), 2);
    QTest::keyClick(BoardArea(main), '-');
    QTest::keyClick(BoardArea(main), '+');
    QCOMPARE(session.Base().CurrentMoves, std::string("8889"));
    QCOMPARE(session.Base().ForwardMoves, std::string("88"));
    QCOMPARE(Occupied(session.Base()), 2);
}

KALVON_UI_TEST(TMovesTest);

#include "MovesTest.moc"
