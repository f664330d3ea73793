// Where the windows stand: inside the available area of their screen, on the test screens of a
// primary 1280 x 1024 and a 1024 x 768 right of it.
#include <QGuiApplication>
#include <QScreen>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/WindowPlacement.h"

class TWindowPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void placeWithinMovesOnlyWhatSticksOut_data();
    void placeWithinMovesOnlyWhatSticksOut();
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

KALVON_UI_TEST(TWindowPlacementTest);

#include "WindowPlacementTest.moc"
