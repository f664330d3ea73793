// A working folder without a base: the board says how to get one, and a base copied in later is in
// the File menu the next time it opens, without a restart.
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"

class TEmptyFolderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void theHintLastsUntilABaseComes();
    void theWelcomeMakesASampleBase();
};

void TEmptyFolderTest::theHintLastsUntilABaseComes() {
    TProgramRun run;
    TMainWindow& main = run.Start();
    auto* hint = main.findChild<QWidget*>(QStringLiteral("Welcome"));
    QVERIFY(hint);
    QVERIFY(hint->isVisibleTo(&main));
    QVERIFY(main.findChild<QLabel*>(QStringLiteral("EmptyFolderHint"))
                ->text()
                .startsWith(QLatin1String("Welcome to Kalvon.")));
    QVERIFY(main.BaseItems().isEmpty());

    run.Write(QStringLiteral("later.bdt"), SmallBase());
    emit FileMenu(main)->aboutToShow();
    QCOMPARE(main.BaseItems().size(), 1);
    QCOMPARE(main.BaseItems().first()->data().toString(), QStringLiteral("later.bdt"));
    QVERIFY(!hint->isVisibleTo(&main));
    emit FileMenu(main)->aboutToShow();
    QCOMPARE(main.BaseItems().size(), 1);  // listed once
}

void TEmptyFolderTest::theWelcomeMakesASampleBase() {
    TProgramRun run;
    TMainWindow& main = run.Start();
    // Open and import start their dialogs (cancelled here); the sample is made and opened.
    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("WelcomeOpen")), Qt::LeftButton);
    QCOMPARE(run.Dialogs->Shown.last().Kind, QStringLiteral("open"));
    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("WelcomeImport")), Qt::LeftButton);
    QCOMPARE(run.Dialogs->Shown.last().Kind, QStringLiteral("choose"));
    run.Dialogs->Shown.clear();
    run.Dialogs->Unanswered.clear();
    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("WelcomeSample")), Qt::LeftButton);
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("sample (generated games).bdt"));
    QCOMPARE(run.Base().PartyList.size(), size_t(2000));
    QCOMPARE(run.Read(QStringLiteral("sample (generated games).bdt")).count('\n'), 2000);
    QVERIFY(!main.findChild<QWidget*>(QStringLiteral("Welcome"))->isVisibleTo(&main));
    QCOMPARE(main.BaseItems().size(), 1);
}

KALVON_UI_TEST(TEmptyFolderTest);

#include "EmptyFolderTest.moc"
