// What the messages say: a load's warnings in one box, a bad settings file named key by key, with
// the settings dialog keeping its size.
#include <QPushButton>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/SettingsDialog.h"

class TMessagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void aLoadSaysWhatItMetInOneBox_data();
    void aLoadSaysWhatItMetInOneBox();
    void adjustmentKeepsItsSizeAfterABadSettingsFile();
};

void TMessagesTest::aLoadSaysWhatItMetInOneBox_data() {
    QTest::addColumn<int>("emptyResults");
    QTest::addColumn<QStringList>("lines");  // the box's lines past those of the empty results shown
    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("two") << 2 << QStringList();
    QTest::newRow("ten") << 10 << QStringList();
    QTest::newRow("thirteen") << 13
                              << QStringList{QStringLiteral("File %1: 3 more lines had an empty result; the "
                                                            "first of them is line 11.")};
}

void TMessagesTest::aLoadSaysWhatItMetInOneBox() {
    QFETCH(int, emptyResults);
    QFETCH(QStringList, lines);
    TProgramRun session;
    QByteArray base;
    for (int game = 1; game <= emptyResults + 2; ++game)
        base += QStringLiteral("2003, %1=[A,B,%2,88,?,-]\r\n")
                    .arg(game)
                    .arg(game <= emptyResults ? "" : "+")
                    .toLatin1();
    session.Write(QStringLiteral("b.bdt"), base);
    TMainWindow& main = session.Start();
    main.OpenBaseArgument(QStringLiteral("b.bdt"));
    QCOMPARE(session.Base().PartyList.size(), size_t(emptyResults + 2));
    QStringList expected;
    for (int line = 1; line <= std::min(emptyResults, 10); ++line)
        expected.append(
            QStringLiteral("File %1, line %2: the result is empty; the game is read as not finished.")
                .arg(session.Path(QStringLiteral("b.bdt")))
                .arg(line));
    // Files are named by their full paths.
    for (const QString& line : lines) expected += line.arg(session.Path(QStringLiteral("b.bdt")));
    // A save would write "?" for an empty result: such lines are named as damaged last.
    if (emptyResults > 0)
        expected.append(
            QStringLiteral("File %1: %2 damaged and would lose text when saved (line 1: the result is empty")
                .arg(session.Path(QStringLiteral("b.bdt")),
                     emptyResults == 1 ? QStringLiteral("1 line is")
                                       : QStringLiteral("%1 lines are").arg(emptyResults)));
    const QStringList boxes = session.Dialogs->Texts(QStringLiteral("information"));
    QCOMPARE(boxes.size(), expected.isEmpty() ? 0 : 1);
    if (!expected.isEmpty())
        QVERIFY2(boxes.first().startsWith(expected.join(QLatin1Char('\n'))), qPrintable(boxes.first()));
}

void TMessagesTest::adjustmentKeepsItsSizeAfterABadSettingsFile() {
    QRect shown[2];
    for (int bad = 0; bad < 2; ++bad) {
        TProgramRun session;
        if (bad)
            session.Write(QStringLiteral("ini/Tools.ini"), "[Parameters]\nFont Move=Arial\nFont Size=big\n");
        TMainWindow& main = session.Start();
        Trigger(main, "Adjustment1");
        TSettingsDialog* dialog = &session.Program->SettingsDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        shown[bad] = dialog->geometry();
        QCOMPARE(session.Dialogs->Texts(QStringLiteral("warning")).size(), bad ? 2 : 0);  // start-up, showing
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    }
    QCOMPARE(shown[1], shown[0]);
}

KALVON_UI_TEST(TMessagesTest);

#include "MessagesTest.moc"
