// Where the windows stand: inside the available area of their screen, on the test screens of a
// primary 1280 x 1024 and a 1024 x 768 right of it.
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include "base/SettingsFile.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/BoardPainter.h"
#include "ui/Session.h"
#include "ui/SettingsDialog.h"
#include "ui/WindowPlacement.h"

class TWindowPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void placeWithinMovesOnlyWhatSticksOut_data();
    void placeWithinMovesOnlyWhatSticksOut();
    void mainWindowStaysOnTheScreenAtTheLargestDiameter();
    void mainWindowLargerThanItsScreenKeepsItsTopLeft();

private:
    // The settings dialog's diameter and memo width, put in force with OK.
    static void Adjust(TProgramRun& session, int diameter, int memo);
};

void TWindowPlacementTest::initTestCase() {
    QuietOffscreenWarnings();
    const QList<QScreen*> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QCOMPARE(screens[0]->availableGeometry(), QRect(0, 0, 1280, 1024));
    QCOMPARE(screens[1]->availableGeometry(), QRect(1280, 0, 1024, 768));
}

void TWindowPlacementTest::placeWithinMovesOnlyWhatSticksOut_data() {
    QTest::addColumn<QRect>("room");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QPoint>("placed");
    const QRect large(0, 0, 1280, 1024), small(1280, 0, 1024, 768);
    QTest::newRow("inside") << large << QRect(100, 100, 500, 400) << QPoint(100, 100);
    QTest::newRow("touching the edges") << large << QRect(780, 624, 500, 400) << QPoint(780, 624);
    QTest::newRow("off at the right") << large << QRect(1000, 100, 500, 400) << QPoint(780, 100);
    QTest::newRow("off at the bottom") << large << QRect(100, 241, 927, 862) << QPoint(100, 162);
    QTest::newRow("off at the left and top") << large << QRect(-50, -20, 500, 400) << QPoint(0, 0);
    QTest::newRow("wider than the room") << large << QRect(300, 100, 1400, 400) << QPoint(0, 100);
    QTest::newRow("taller than the room") << small << QRect(2000, 500, 927, 862) << QPoint(1377, 0);
    QTest::newRow("on the other screen") << small << QRect(100, 100, 500, 400) << QPoint(1280, 100);
}

void TWindowPlacementTest::placeWithinMovesOnlyWhatSticksOut() {
    QFETCH(QRect, room);
    QFETCH(QRect, window);
    QFETCH(QPoint, placed);
    QCOMPARE(PlaceWithin(room, window), placed);
}

void TWindowPlacementTest::Adjust(TProgramRun& session, int diameter, int memo) {
    TMainWindow& main = session.Main();
    Trigger(main, "Adjustment1");
    TSettingsDialog& dialog = session.Program->SettingsDialog();
    dialog.findChild<QSpinBox*>(QStringLiteral("seRound"))->setValue(diameter);
    dialog.findChild<QSpinBox*>(QStringLiteral("seLengthMemo"))->setValue(memo);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    main.activateWindow();
    QTRY_COMPARE(BoardArea(main)->width(), TBoardGeometry(diameter).Width());
}

// The user's way to a window that grew off the screen: opened centred at the default diameter, then
// the largest diameter and the widest memo. The window moves in as it grows.
void TWindowPlacementTest::mainWindowStaysOnTheScreenAtTheLargestDiameter() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const QRect room = main.screen()->availableGeometry();
    QCOMPARE(room, QRect(0, 0, 1280, 1024));
    QVERIFY(room.contains(main.frameGeometry()));
    const QPoint opened = main.frameGeometry().topLeft();
    Trigger(main, "StatisticShow");
    Adjust(session, kalvon::DiameterRange.Max, kalvon::MemoLengthRange.Max);
    QCOMPARE(main.frameGeometry().size(),
             MainWindowOuterSize(kalvon::DiameterRange.Max, kalvon::MemoLengthRange.Max));
    QTRY_VERIFY2(
        room.contains(main.frameGeometry()),
        qPrintable(QStringLiteral("%1,%2").arg(main.frameGeometry().x()).arg(main.frameGeometry().y())));
    // Back at the default size the window stays where it went.
    const QPoint grown = main.frameGeometry().topLeft();
    QVERIFY(grown != opened);
    Adjust(session, DefaultMoveDiameter, DefaultMemoLength);
    QCOMPARE(main.frameGeometry().topLeft(), grown);
    // A place the user chose inside the screen is kept.
    main.move(10, 20);
    QTRY_COMPARE(main.frameGeometry().topLeft(), QPoint(10, 20));
    Adjust(session, 40, DefaultMemoLength);
    QCOMPARE(main.frameGeometry().topLeft(), QPoint(10, 20));
}

// On the smaller screen the largest board is taller than the screen: the window keeps its top on the
// screen's top edge, so that its menu stays reachable, and its place across.
void TWindowPlacementTest::mainWindowLargerThanItsScreenKeepsItsTopLeft() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    main.move(1300, 200);
    QTRY_COMPARE(main.screen(), QGuiApplication::screens()[1]);
    Adjust(session, kalvon::DiameterRange.Max, DefaultMemoLength);
    const QRect room = main.screen()->availableGeometry();
    QVERIFY(main.frameGeometry().height() > room.height());
    QTRY_COMPARE(main.frameGeometry().topLeft(), QPoint(1300, room.top()));
}

KALVON_UI_TEST(TWindowPlacementTest);

#include "WindowPlacementTest.moc"
