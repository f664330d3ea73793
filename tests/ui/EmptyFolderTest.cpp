// A working folder without a base: the board says how to get one, and a base copied in later is in
// the File menu the next time it opens, without a restart.
#include <QLabel>
#include <QMenu>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"

class TEmptyFolderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void theHintLastsUntilABaseComes();
};

void TEmptyFolderTest::theHintLastsUntilABaseComes() {
    TProgramRun run;
    TMainWindow& main = run.Start();
    auto* hint = main.findChild<QLabel*>(QStringLiteral("EmptyFolderHint"));
    QVERIFY(hint);
    QVERIFY(hint->isVisibleTo(&main));
    QVERIFY(hint->text().startsWith(QLatin1String("No base here: File > Open Base ...")));
    QVERIFY(main.BaseItems().isEmpty());

    run.Write(QStringLiteral("later.bdt"), SmallBase());
    emit FileMenu(main)->aboutToShow();
    QCOMPARE(main.BaseItems().size(), 1);
    QCOMPARE(main.BaseItems().first()->data().toString(), QStringLiteral("later.bdt"));
    QVERIFY(!hint->isVisibleTo(&main));
    emit FileMenu(main)->aboutToShow();
    QCOMPARE(main.BaseItems().size(), 1);  // listed once
}

KALVON_UI_TEST(TEmptyFolderTest);

#include "EmptyFolderTest.moc"
