// A slip never costs a game: each question before games are deleted, replaced or dropped names what
// goes and has the button that keeps everything as its default; the others do what they say.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "ui/GameEntryDialog.h"

using namespace browse;

class TSlipTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void questionsThatLoseGamesDefaultToKeepingThem_data();
    void questionsThatLoseGamesDefaultToKeepingThem();
};

void TSlipTest::questionsThatLoseGamesDefaultToKeepingThem_data() {
    // action: "delete" and the listed games, or the entry dialog's OK on the game taken back to 20 of
    // its 30 moves ("back"), on it with a move of the board's own ("left"), or on a new game of that
    // year; "damaged"/"cut" put a damaged line/a NUL byte in line 13 of the base file.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");  // the button pressed, the last being No or Cancel
    QTest::addColumn<int>("games");   // the games of the base afterwards
    const QString all = QStringLiteral("You really want to delete all 3 games in the listings?");
    const QString back = QStringLiteral("Save the game without its last 10 moves?");
    const QString left = QStringLiteral(
        "The board no longer follows game 2001, 101 (30 moves): replace its "
        "moves with the board's 21 moves?");
    const QString year = QStringLiteral(
        "Year 03 is not a four-digit year; notifications of this game will not find it. Save anyway?");
    const QString damaged = QStringLiteral(
        "The base has 1 damaged line, first line 13: no closing \"]\". "
        "Saving rewrites them as shown. Save anyway?");
    QTest::newRow("delete: No") << "delete 4 0 9 4" << all << 1 << 12;
    QTest::newRow("delete: Yes") << "delete 4 0 9 4" << all << 0 << 9;
    QTest::newRow("delete one: No") << "delete 2"
                                    << "You really want to delete the 1 game in the listings?" << 1 << 12;
    QTest::newRow("moves taken back: No") << "back" << back << 1 << 12;
    QTest::newRow("board left the game: Cancel") << "left" << left << 2 << 12;
    QTest::newRow("board left the game: Replace") << "left" << left << 0 << 12;
    QTest::newRow("board left the game: Save as New Game") << "left" << left << 1 << 13;
    QTest::newRow("year of two digits: No") << "new 03" << year << 1 << 12;
    QTest::newRow("year of two digits: Yes") << "new 03" << year << 0 << 13;
    QTest::newRow("damaged line, OK: No") << "damaged new 2004" << damaged << 1 << 13;
    QTest::newRow("damaged line, OK: Yes") << "damaged new 2004" << damaged << 0 << 14;
    QTest::newRow("damaged line, delete: No") << "damaged delete 0" << damaged << 1 << 13;
    QTest::newRow("NUL byte, delete: No")
        << "cut delete 0"
        << "File games.bdt ended at a NUL byte in line 13 when it was loaded; saving it now drops the lines "
           "after it for good.\nSave it all the same?"
        << 1 << 13;
}

void TSlipTest::questionsThatLoseGamesDefaultToKeepingThem() {
    QFETCH(QString, action);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QFETCH(int, games);
    QStringList words = action.split(QLatin1Char(' '));
    const QString tail = words.first();
    QByteArray base = Content(12);
    if (tail == QLatin1String("damaged")) base += "2003, 4715=[A,B\r\n";
    // The NUL stands past the first 4 KB, where a file is taken for a base at all.
    if (tail == QLatin1String("cut"))
        base += "2003, 4714=[" + QByteArray(4200, 'A') + ",B,+,88,?,-]" + '\0' + "\r\n";
    const bool flawed = base.size() > Content(12).size();
    if (flawed) words.removeFirst();
    TProgramRun run;
    run.Write(QStringLiteral("games.bdt"), base);
    TMainWindow& main = run.Start();
    main.BaseItems().first()->trigger();
    TFakeDialogs& dialogs = *run.Dialogs;
    // A damaged or cut base is asked about after the deletion itself.
    if (flawed && words.first() == QLatin1String("delete")) dialogs.ConfirmAnswers.push_back(true);
    if (words.first() == QLatin1String("left")) {
        dialogs.ChooseAnswers.push_back(answer);
        // A new game of the edited game's year and board holds its key twice: the user says so.
        if (answer == 1) dialogs.ChooseAnswers.push_back(1);
    } else
        dialogs.ConfirmAnswers.push_back(answer == 0);

    QWidget* entry = &run.Program->GameEntryDialog();
    if (words.first() == QLatin1String("delete")) {
        kalvon::TListing listing;
        for (const QString& game : words.mid(1)) listing.push_back(game.toInt());
        CurrentSession().SetListing(listing);
        Trigger(main, "DeleteGamesInListing1");
    } else {
        if (words.first() != QLatin1String("new")) {
            CurrentSession().OpenGame(1);
            for (int i = 0; i < 10; ++i) Trigger(main, "N13");
            if (words.first() == QLatin1String("left")) CurrentSession().PlayMove("88");
        }
        Trigger(main, "SaveGame1");
        if (words.first() == QLatin1String("new")) {
            entry->findChild<QComboBox*>(QStringLiteral("cbBlack"))->setEditText(QStringLiteral("NEU"));
            entry->findChild<QComboBox*>(QStringLiteral("cbWhite"))->setEditText(QStringLiteral("ALT"));
            entry->findChild<QLineEdit*>(QStringLiteral("edYear"))->setText(words.last());
        }
        entry->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    }

    const TFakeDialogs::TShown& asked = dialogs.Shown.at(
        dialogs.Shown.size() - (words.first() == QLatin1String("left") && answer == 1 ? 2 : 1));
    QCOMPARE(asked.Text, question);
    QCOMPARE(asked.Buttons, words.first() == QLatin1String("left")
                                ? QStringList({"Replace", "Save as New Game", "Cancel"})
                                : QStringList({"Yes", "No"}));
    QCOMPARE(asked.DefaultButton, int(asked.Buttons.size()) - 1);
    const bool kept = answer == asked.DefaultButton;
    QCOMPARE(run.Read(QStringLiteral("games.bdt")) == base, kept);
    QCOMPARE(entry->isVisible(), kept && words.first() != QLatin1String("delete"));
    QCOMPARE(run.Base().PartyList.size(), size_t(games));
    // Replace stores the board's moves over the game; Save as New Game stores them as the next game.
    const std::string board = Moves(20) + "88";
    // Memory follows the sorted file: the games are found by their moves.
    const auto holding = [&](const std::string& moves) {
        return std::count_if(run.Base().PartyList.begin(), run.Base().PartyList.end(),
                             [&](const kalvon::TPartyRecord& game) { return game.Moves.str() == moves; });
    };
    if (words.first() == QLatin1String("left")) QCOMPARE(holding(Moves(30)) == 0, answer == 0);
    if (answer == 1 && words.first() == QLatin1String("left"))
        QCOMPARE(run.Base().PartyList[size_t(run.Base().CurrentParty)].Moves.str(), board);
}

#include "SlipTest.moc"
KALVON_UI_TEST(TSlipTest);
