// The commands that reach beyond the play-by-mail folders: "Import Games ...", "Export SGF ..." and
// "Update from Mail ...", with the dialogs faked, the base file on disk and the reload that follows.
#include <QDate>
#include <QDir>

#include "exchange/BaseRewrite.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"

namespace {

// Three games in SGF: one new with a name that windows-1251 cannot hold, one of an earlier import
// of this file (recorded in the base's import record), and one that passes, which is refused.
const QByteArray Games =
    "(;GM[4]SZ[15]PB[T\xc3\xb5nis Kask]PW[Anna]DT[2005-03-01]RE[B+]GN[777];B[hh];W[hi];B[ih])\n"
    "(;GM[4]SZ[15]PB[Ivan]PW[Petr]DT[2005]RE[W+]GN[779];B[hh];W[gg])\n"
    "(;GM[4]SZ[15]PB[Ivan]PW[Petr]DT[2005]RE[W+]GN[780];B[hh];W[])\n";

// A notification mail as an mbox keeps it: the mbox's separator line, headers and the text.
QByteArray MboxMessage(const char* line, const char* date) {
    return QByteArray(
               "From server@pbm.example Mon Jan  1 00:00:00 2007\n"
               "From: server@pbm.example\nDate: ") +
           date +
           "\nSubject: Your turn\nContent-Type: text/plain; charset=windows-1251\n"
           "Content-Transfer-Encoding: 8bit\n\n" +
           Notification(line).replace("\r\n", "\n") + "\n";
}

}  // namespace

class TImportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void importAddsReplacesSkipsAndAsksAboutNames();
    void aCancelledTransliterationLeavesTheBase();
    void psqGamesTakeTheYearAskedAndTheDialogKeepsItsFolder();
    void exportWritesTheListingAsSgf();
    void updateFromMailAsksForTheMailboxOnce();
};

void TImportTest::importAddsReplacesSkipsAndAsksAboutNames() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase() + "2005, s779=[Old,Old,?,88,?,-]\r\n");
    session.Write(QStringLiteral("games.bdt.imports"),
                  QByteArray::fromStdString(kalvon::FoldedKey("2005, s779=") + "\n"));
    session.Write(QStringLiteral("in/games.sgf"), Games);
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    session.Dialogs->ChooseAnswers = {0, 0};  // files; transliterate
    session.Dialogs->OpenAnswers = {QStringList{session.Path(QStringLiteral("in/games.sgf"))}};
    Trigger(main, "ImportGames1");

    const QStringList choices = session.Dialogs->Texts(QStringLiteral("choose"));
    QCOMPARE(choices.size(), 2);
    QVERIFY2(
        choices[1].startsWith("1 name cannot be written in the code page windows-1251: T\u00f5nis Kask."),
        qPrintable(choices[1]));
    // The file is rewritten sorted, with the imported games' keys and the name transliterated; the
    // base in memory is read again from it.
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), SmallBase() +
                                                            "2005, s777=[Tonis Kask,Anna,+,888798,?,-]\r\n"
                                                            "2005, s779=[Ivan,Petr,-,8879,?,-]\r\n");
    QCOMPARE(session.Base().PartyList.size(), size_t(5));
    const QString summary = session.Dialogs->Texts(QStringLiteral("information")).constLast();
    QVERIFY2(summary.contains("1 game added") && summary.contains("1 replaced") &&
                 summary.contains("1 skipped") && summary.contains("1 name transliterated") &&
                 summary.contains("T\u00f5nis Kask") && summary.contains("Tonis Kask"),
             qPrintable(summary));
}

void TImportTest::psqGamesTakeTheYearAskedAndTheDialogKeepsItsFolder() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    session.Write(QStringLiteral("records/g1.psq"),
                  "Piskvorky 15x15, 11:11, 0\n8,8,100\n8,7,100\nAlpha.zip\nBeta\n-1\n");
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    const QString records = session.Path(QStringLiteral("records"));
    // A year that is none is said and asked again; Cancel of the question imports nothing.
    session.Dialogs->ChooseAnswers = {0, 0};
    session.Dialogs->OpenAnswers = {QStringList{records + QStringLiteral("/g1.psq")},
                                    QStringList{records + QStringLiteral("/g1.psq")}};
    session.Dialogs->InputAnswers = {QStringLiteral("19"), std::nullopt, QStringLiteral("2019")};
    Trigger(main, "ImportGames1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("warning")),
             QStringList{"\"19\" is no year of four digits."});
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), SmallBase());
    Trigger(main, "ImportGames1");
    // The question proposes the file's year; the second dialog starts where the first took its file.
    const QStringList asked = session.Dialogs->Texts(QStringLiteral("input"));
    QVERIFY2(asked.first().endsWith(QString::number(QDate::currentDate().year())), qPrintable(asked.first()));
    QList<QString> folders;
    for (const TFakeDialogs::TShown& shown : session.Dialogs->Shown)
        if (shown.Kind == QLatin1String("open")) folders.append(shown.Folder);
    QCOMPARE(folders, QList<QString>({CurrentSession().WorkFolder(), records}));
    QVERIFY2(session.Read(QStringLiteral("games.bdt")).contains("2019,"),
             session.Read(QStringLiteral("games.bdt")).constData());
    QVERIFY(session.Read(QStringLiteral("games.bdt")).contains("[Alpha,Beta,"));
    session.Dialogs->Texts(QStringLiteral("information"));
}

void TImportTest::aCancelledTransliterationLeavesTheBase() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    session.Write(QStringLiteral("in/games.sgf"), Games);
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    session.Dialogs->ChooseAnswers = {1, 1};  // a folder; cancel at the names
    session.Dialogs->FolderAnswers = {session.Path(QStringLiteral("in"))};
    Trigger(main, "ImportGames1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("choose")).size(), 2);
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{"Import Games was cancelled: the base is as it was."});
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), SmallBase());
    QVERIFY(!QFile::exists(session.Path(QStringLiteral("games.bdt.bak"))));
    QCOMPARE(session.Base().PartyList.size(), size_t(3));
}

void TImportTest::exportWritesTheListingAsSgf() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    Trigger(main, "StatisticShow");  // the empty board lists every game
    session.Dialogs->ChooseAnswers = {0, 1};
    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("out"))};
    session.Dialogs->FolderAnswers = {session.Path(QString())};
    Trigger(main, "ExportSgf1");
    Trigger(main, "ExportSgf1");

    // One collection, named with the extension added, and one file a game; both read back.
    const QByteArray collection = session.Read(QStringLiteral("out.sgf"));
    QCOMPARE(collection.count("(;GM[4]"), 3);
    QVERIFY(collection.contains("PB[Black One]") && collection.contains("GN[4713]"));
    QCOMPARE(QDir(session.Path(QString())).entryList({QStringLiteral("*.sgf")}, QDir::Files).size(), 4);
    const QStringList texts = session.Dialogs->Texts(QStringLiteral("information"));
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0],
             "Export SGF into " + session.Path(QStringLiteral("out.sgf")) + ": 3 games written in 1 file.");
    QVERIFY2(texts[1].endsWith(": 3 games written in 3 files."), qPrintable(texts[1]));
}

void TImportTest::updateFromMailAsksForTheMailboxOnce() {
    TProgramRun session;
    // Names with blanks do not travel in notifications: these have none.
    const QByteArray base = "2003, 4711=[Nord,Sud,?,8889,?,-]\r\n2004, 4713=[West,Ost,=,,?,R]\r\n";
    session.Write(QStringLiteral("games.bdt"), base);
    // Two turns of one board and a new game: the later Date of the board wins.
    session.Write(QStringLiteral("Mail/Inbox"),
                  MboxMessage("2007, 5001=[Nord,Sud,?,8889,?,-]", "Mon, 05 Mar 2007 10:00:00 +0000") +
                      MboxMessage("2007, 5001=[Nord,Sud,?,88899A,?,-]", "Tue, 06 Mar 2007 10:00:00 +0000") +
                      MboxMessage("2003, 4711=[Nord,Sud,?,888977,?,-]", "Wed, 05 Mar 2003 09:00:00 +0000"));
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    session.Dialogs->ChooseAnswers = {0};
    session.Dialogs->OpenAnswers = {QStringList{session.Path(QStringLiteral("Mail/Inbox"))}};
    Trigger(main, "UpdateFromMail1");
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), QByteArray("2003, 4711=[Nord,Sud,?,888977,?,-]\r\n"
                                                                   "2004, 4713=[West,Ost,=,,?,R]\r\n"
                                                                   "2007, 5001=[Nord,Sud,?,88899A,?,-]\r\n"));
    QCOMPARE(session.Base().PartyList.size(), size_t(3));

    // The mailbox is remembered: the second run asks nothing.
    Trigger(main, "UpdateFromMail1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("choose")).size(), 1);
    const QStringList texts = session.Dialogs->Texts(QStringLiteral("information"));
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts[0].contains("3 messages read") && texts[0].contains("3 notifications found") &&
                 texts[0].contains("1 updated") && texts[0].contains("1 game added"),
             qPrintable(texts[0]));
}

KALVON_UI_TEST(TImportTest);

#include "ImportTest.moc"
