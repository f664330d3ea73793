// The three commands of notifications in the main window: "Add New Games", "Update Games" and
// "Out pbm format", with the base file on disk, the reload and the statistics that follow, and the
// message that ends each.
#include <QDir>

#include "base/BaseEdits.h"
#include "exchange/NotificationWriter.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"

namespace {

QStringList StatisticMemo(TMainWindow& main) {
    return Memo(main)->toPlainText().split(QLatin1Char('\n'));
}

}  // namespace

class TExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void missingFoldersAreCreatedWithTheirMessages();
    void addAppendsSortsAndFollowsWithTheStatistics();
    void aRefusedNotificationChangesNothing();
    void updateReplacesByKeyAndReloads();
    void outPbmWritesTheSelection();
};

void TExchangeTest::missingFoldersAreCreatedWithTheirMessages() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    Trigger(main, "AddNewGames1");
    Trigger(main, "UpdateGames1");
    const QString made = QDir(session.Path(QString())).canonicalPath();
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList({"Place add games in directory add! It was made as " + made + "/add.",
                          "Place update games in directory update! It was made as " + made + "/update."}));
    QVERIFY(QDir(session.Path(QStringLiteral("add"))).exists());
    QVERIFY(QDir(session.Path(QStringLiteral("update"))).exists());
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), SmallBase());

    // Nothing to write out: no folder either.
    Trigger(main, "OutPbmFormat1");
    QVERIFY(!QDir(session.Path(QStringLiteral("Outpbm"))).exists());
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("warning")).last(),
             QStringLiteral("Listing games is empty!"));
}

void TExchangeTest::addAppendsSortsAndFollowsWithTheStatistics() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    session.Write(QStringLiteral("add/Gomoku Board 4710_02.txt"),
                  Notification("2002, 4710=[Nord,Sud,-,8889987A7B,?,-]"));
    QVERIFY(QDir(session.Path(QStringLiteral("add"))).mkdir(QStringLiteral("kept.txt")));
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    Trigger(main, "StatisticShow");
    QCOMPARE(StatisticMemo(main).first(), QStringLiteral("Total: 3"));

    Trigger(main, "AddNewGames1");
    // The file is rewritten sorted, and memory follows it: the new game is the first.
    QCOMPARE(session.Read(QStringLiteral("games.bdt")),
             "2002, 4710=[Nord,Sud,-,8889987A7B,?,-]\r\n" + SmallBase());
    QCOMPARE(session.Base().PartyList.size(), size_t(4));
    QCOMPARE(session.Base().PartyList.front().Year.str(), std::string("2002"));
    QCOMPARE(StatisticMemo(main).first(), QStringLiteral("Total: 4"));
    // The notification stays where it was.
    QVERIFY(QFile::exists(session.Path(QStringLiteral("add/Gomoku Board 4710_02.txt"))));
    // The command ends by saying what it did, and what it passed over.
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{"Add New Games from " + QDir(session.Path(QString())).canonicalPath() +
                         "/add: 1 file read, 1 game added, 0 updated, 1 entry skipped: kept.txt (a "
                         "folder)."});
}

void TExchangeTest::aRefusedNotificationChangesNothing() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    session.Write(QStringLiteral("add/a.txt"), Notification("2002, 4710=[Nord,Sud,-,8889987A,?,-]"));
    // A game that plays H8 twice.
    QByteArray twice = Notification("2002, 4711=[Nord,Sud,-,8889987A,?,-]");
    twice.replace("J8", "H8");
    session.Write(QStringLiteral("add/b.txt"), twice);
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();

    Trigger(main, "AddNewGames1");
    const QStringList messages = session.Dialogs->Texts(QStringLiteral("information"));
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(QLatin1String("b.txt")), qPrintable(messages.first()));
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), SmallBase());
    QCOMPARE(session.Base().PartyList.size(), size_t(3));
    QCOMPARE(session.Base().PlayerCatalogue.PlayerRecords.size(), size_t(3));
}

void TExchangeTest::updateReplacesByKeyAndReloads() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    // Game 4711 of 2003 goes on, and an unknown game comes in.
    session.Write(QStringLiteral("update/Gomoku Board 4711_03.txt"),
                  Notification("2003, 4711=[Nord,Sud,+,1122334455,?,-]"));
    session.Write(QStringLiteral("update/Gomoku Board 99_05.txt"), Notification("2005,   99=[A,B,=,88,?,-]"));
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    Trigger(main, "StatisticShow");
    QStringList titles;
    connect(&main, &QWidget::windowTitleChanged, [&](const QString& title) { titles << title; });

    Trigger(main, "UpdateGames1");
    QCOMPARE(session.Read(QStringLiteral("games.bdt")),
             QByteArray("2003, 4711=[Nord,Sud,+,1122334455,?,-]\r\n"
                        "2003, 4712=[White One,Black One,-,88899A,?,-]\r\n"
                        "2004, 4713=[Third,Black One,=,,?,R]\r\n"
                        "2005,   99=[A,B,=,88,?,-]\r\n"));
    QCOMPARE(titles, QStringList({"Wait - goes reloading file.", "games.bdt"}));
    QCOMPARE(session.Base().PartyList.size(), size_t(4));
    QCOMPARE(StatisticMemo(main).first(), QStringLiteral("Total: 4"));
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{"Update Games from " + QDir(session.Path(QString())).canonicalPath() +
                         "/update: 2 files read, 1 game added, 1 updated."});
}

void TExchangeTest::outPbmWritesTheSelection() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    Trigger(main, "StatisticShow");  // the empty board lists every game
    Trigger(main, "OutPbmFormat1");
    const QStringList written =
        QDir(session.Path(QStringLiteral("Outpbm"))).entryList(QDir::Files, QDir::Name);
    QCOMPARE(written, QStringList({"Gomoku Board 4711_03.txt", "Gomoku Board 4713_04.txt",
                                   "Renju Board 4712_03.txt"}));
    QCOMPARE(session.Base().PartyList.size(), size_t(3));
    // The closing message: the folder, the files, and each game written with a loss ("file: reason");
    // then a name taken by a folder sends a game elsewhere, and the message says so.
    const QString outpbm = QDir(session.Path(QString())).canonicalPath() + "/Outpbm";
    const QStringList lines = session.Dialogs->Texts(QStringLiteral("information")).constLast().split('\n');
    QCOMPARE(lines.first(),
             "Out pbm format into " + outpbm + ": 3 files written; 3 games not carried exactly:");
    QVERIFY2(lines.size() == 4 && lines[3].startsWith(outpbm + "/Gomoku Board 4713_04.txt: "),
             qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY(QFile::remove(outpbm + "/Gomoku Board 4713_04.txt") &&
            QDir(outpbm).mkdir("Gomoku Board 4713_04.txt"));
    CurrentSession().SetListing({2});
    Trigger(main, "OutPbmFormat1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")).constLast(),
             "Out pbm format into " + outpbm + ": 1 file written; 1 game not carried exactly: " + outpbm +
                 "/Gomoku Board 4713_04 (2).txt: the colour exchange \"R\" reads back as \"-\"\n" + outpbm +
                 "/Gomoku Board 4713_04.txt is not an ordinary file: the game went to " + outpbm +
                 "/Gomoku Board 4713_04 (2).txt.");
}

KALVON_UI_TEST(TExchangeTest);

#include "ExchangeTest.moc"
