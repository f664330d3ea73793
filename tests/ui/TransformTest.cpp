// Reflecting and turning the board: the move strings, the picture, the continuation and the search.
#include <QAction>
#include <QToolButton>

#include "base/PointCodes.h"
#include "base/Symmetry.h"
#include "tests/ui/StatisticBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/StatisticMemo.h"

using namespace statbase;

namespace {

// A game of twelve moves that touches every edge.
const std::string Game = "8889119AF1A7FF7A1F6B3C5C";

int Occupied(const kalvon::TGameBase& base) {
    int n = 0;
    for (int c = 1; c <= 15; ++c)
        for (int r = 1; r <= 15; ++r) n += base.BoardGrid[c][r];
    return n;
}

std::string Mapped(const std::string& moves, int t) {
    std::string image;
    for (size_t i = 0; i + 1 < moves.size(); i += 2) image += kalvon::TransformPoint(moves.substr(i, 2), t);
    return image;
}

}  // namespace

class TTransformTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void eachCommandMapsThePoints_data();
    void eachCommandMapsThePoints();
    void fourTurnsOrTwoReflectionsRestoreTheGame();
    void reflectionsTogetherAreAHalfTurn();
    void theContinuationTurnsWithTheBoard();
    void theSearchFollowsTheTurnedPosition();
};

void TTransformTest::eachCommandMapsThePoints_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("button");
    QTest::addColumn<std::string>("before");
    QTest::addColumn<std::string>("after");
    QTest::newRow("Reflect Up/Down") << "Vert"
                                     << "ToolButton8" << std::string("8811") << std::string("881F");
    QTest::newRow("Reflect Left/Right") << "Horiz"
                                        << "ToolButton11" << std::string("8811") << std::string("88F1");
    QTest::newRow("Turn +90 degrees") << "Clockwise"
                                      << "ToolButton9" << std::string("8889") << std::string("8898");
    QTest::newRow("Turn -90 degrees") << "Against"
                                      << "ToolButton10" << std::string("8889") << std::string("8878");
}

void TTransformTest::eachCommandMapsThePoints() {
    QFETCH(QString, command);
    QFETCH(QString, button);
    QFETCH(std::string, before);
    QFETCH(std::string, after);
    for (bool byButton : {false, true}) {
        TProgramRun session;
        TMainWindow& main = session.Start();
        const kalvon::TGameBase& base = session.Base();
        Play(main, before);
        CurrentSession().SetEditMode(true);
        if (byButton)
            QTest::mouseClick(main.findChild<QToolButton*>(button), Qt::LeftButton);
        else
            main.findChild<QAction*>(command)->trigger();
        QCOMPARE(base.CurrentMoves, after);
        QVERIFY(base.EditMode);  // the game taken from the base is still the one being edited
        // The stones are drawn at their new places with their old colours and numbers.
        QCOMPARE(Occupied(base), 2);
        QCOMPARE(base.BoardGrid[kalvon::PointDigitValue(after[2])][kalvon::PointDigitValue(after[3])], 1);
        QCOMPARE(Pixel(main, Centre(after.substr(2, 2)) + QPoint(-11, 0)), qRgb(255, 255, 255));
        QCOMPARE(Pixel(main, Centre("88") + QPoint(-11, 0)), qRgb(0, 0, 0));
        QCOMPARE(Pixel(main, Centre(before.substr(2, 2)) + QPoint(8, -8)), qRgb(179, 255, 179));
    }
}

void TTransformTest::fourTurnsOrTwoReflectionsRestoreTheGame() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    Play(main, Game);
    for (int i = 0; i < 4; ++i) QTest::keyClick(BoardArea(main), '-');
    const std::string current = base.CurrentMoves, forward = base.ForwardMoves;
    Board(main)->DrawWholeBoard();
    const QImage picture = BoardArea(main)->Canvas();

    for (QAction* command :
         {Action(main, "Clockwise"), Action(main, "Against"), Action(main, "Vert"), Action(main, "Horiz")}) {
        const int times = command == Action(main, "Clockwise") || command == Action(main, "Against") ? 4 : 2;
        for (int i = 0; i < times; ++i) {
            command->trigger();
            if (i + 1 < times) QVERIFY(base.CurrentMoves != current);
        }
        QCOMPARE(base.CurrentMoves, current);
        QCOMPARE(base.ForwardMoves, forward);
        QCOMPARE(BoardArea(main)->Canvas(), picture);
        QCOMPARE(Occupied(base), 8);
    }
    // Turning one way and back.
    Trigger(main, "Clockwise");
    Trigger(main, "Against");
    QCOMPARE(base.CurrentMoves, current);
}

void TTransformTest::reflectionsTogetherAreAHalfTurn() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    Play(main, Game);
    QTest::keyClick(BoardArea(main), '-');
    Trigger(main, "Vert");
    Trigger(main, "Horiz");
    const std::string current = base.CurrentMoves, forward = base.ForwardMoves;
    const QImage picture = BoardArea(main)->Canvas();
    Trigger(main, "Horiz");
    Trigger(main, "Vert");
    QCOMPARE(base.CurrentMoves, Game.substr(0, 22));
    Trigger(main, "Clockwise");
    Trigger(main, "Clockwise");
    QCOMPARE(base.CurrentMoves, current);
    QCOMPARE(base.ForwardMoves, forward);
    QCOMPARE(base.ForwardMoves, std::string("B4"));  // 5C turned half round
    QCOMPARE(BoardArea(main)->Canvas(), picture);
}

void TTransformTest::theContinuationTurnsWithTheBoard() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    const QImage bare = BoardArea(main)->Canvas();

    // An empty board with nothing to replay stays as it is.
    Trigger(main, "Clockwise");
    QVERIFY(base.CurrentMoves.empty() && base.ForwardMoves.empty());

    Play(main, Game);
    Trigger(main, "N15");
    QCOMPARE(BoardArea(main)->Canvas(), bare);
    Trigger(main, "Against");
    QCOMPARE(base.ForwardMoves, Mapped(Game, 6));
    QVERIFY(base.CurrentMoves.empty());
    QCOMPARE(BoardArea(main)->Canvas(), bare);  // no stones, no repaint
    Trigger(main, "N16");
    QCOMPARE(base.CurrentMoves, Mapped(Game, 6));
    QCOMPARE(Occupied(base), 12);
    // Moves go on from the turned game: back one and a click elsewhere.
    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(base.ForwardMoves, Mapped(Game.substr(22), 6));
    Click(main, "22");
    QCOMPARE(base.CurrentMoves, Mapped(Game.substr(0, 22), 6) + "22");
}

void TTransformTest::theSearchFollowsTheTurnedPosition() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), Content());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    const kalvon::TGameBase& base = session.Base();
    Play(main, Position);
    Trigger(main, "StatisticShow");
    QCOMPARE(CurrentSession().AlfMoves(), Labels);

    // The games are the same in any orientation: the labels turn with the board.
    QTest::mouseClick(Button(main, "ToolButton9"), Qt::LeftButton);
    QCOMPARE(base.CurrentMoves, Mapped(Position, 7));
    QCOMPARE(CurrentSession().AlfMoves(), Mapped(Labels, 7));
    QCOMPARE(base.Listing.size(), size_t(16));
    for (size_t k = 0; k < CurrentSession().AlfMoves().size(); k += 2)
        QVERIFY(HasLabel(main, CurrentSession().AlfMoves().substr(k, 2)));
    QVERIFY(!HasLabel(main, "6A"));
    // "(A)F10" is now at the point F10 turned clockwise.
    QCOMPARE(Lines(Memo(main)->toPlainText()).at(3), QStringLiteral("(A)K10: 5 +2-1=1?1"));
    // A label key plays in the turned orientation.
    QTest::keyClick(BoardArea(main), 'b');
    QCOMPARE(base.CurrentMoves, Mapped(Position + "8A", 7));

    // With the statistics shown, even the empty board is searched after a turn.
    Trigger(main, "N2");
    CurrentSession().SetListing({});
    Trigger(main, "Vert");
    QCOMPARE(base.Listing.size(), size_t(18));
}

KALVON_UI_TEST(TTransformTest);

#include "TransformTest.moc"
