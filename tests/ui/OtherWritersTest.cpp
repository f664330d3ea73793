// Other programs writing the open base: nothing is written over changes the program has not read,
// "Save as ..." never copies a file that has gone, a scratch base another program claims stays, and
// "Restore Previous Base" swaps the base with its .bak.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "base/BaseLock.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/GameEntryDialog.h"
#include "ui/RecentBases.h"

namespace {

// Stores the game on the board with the entry dialog (a new game gets a black player, as a name may
// not be empty); an empty year keeps the one shown.
void StoreGame(TMainWindow& main, const QString& white, const QString& year) {
    Trigger(main, "SaveGame1");
    TGameEntryDialog* form = &TProgramRun::Current().Program->GameEntryDialog();
    auto* black = form->findChild<QComboBox*>(QStringLiteral("cbBlack"));
    if (black->currentText().isEmpty()) black->setEditText(QStringLiteral("Someone"));
    form->findChild<QComboBox*>(QStringLiteral("cbWhite"))->setEditText(white);
    if (!year.isEmpty()) form->findChild<QLineEdit*>(QStringLiteral("edYear"))->setText(year);
    form->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
}

}  // namespace

class TOtherWritersTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void aChangedFileIsNeverWrittenOver();
    void aScratchBaseOfAnotherProgramStaysAndSaveAsWritesTheGamesShown();
    void restoreSwapsTheBaseWithItsPreviousGeneration();
    void aBaseThatCannotBeWrittenOrReadIsToldAtOnce();
};

void TOtherWritersTest::aChangedFileIsNeverWrittenOver() {
    // The command, the button pressed (0 reloads, 1 cancels), then the games in the file and in memory.
    for (const auto& [command, answer, inFile, inMemory] : {std::tuple{"store", 1, 5, 3},
                                                            {"store", 0, 6, 6},
                                                            {"edit", 0, 5, 5},
                                                            {"delete", 0, 5, 5},
                                                            {"add", 1, 5, 3}}) {
        TProgramRun run;
        run.Write(QStringLiteral("add/new.txt"), Notification("2005,    7=[New,Game,+,88,?,-]"));
        run.Write(QStringLiteral("games.bdt"), SmallBase());
        TMainWindow& main = run.Start();
        main.BaseItems().first()->trigger();
        const QString what = QLatin1String(command);
        if (what == QLatin1String("edit")) CurrentSession().OpenGame(1);  // 2003, 4712
        // Another program puts two games in front of the three.
        const QByteArray changed =
            "2001,    5=[Other,One,+,88,?,-]\r\n2001,    6=[Other,Two,-,,?,-]\r\n" + SmallBase();
        run.Write(QStringLiteral("games.bdt"), changed);
        run.Dialogs->ChooseAnswers = {answer};
        CurrentSession().SetListing({0});
        if (what == QLatin1String("add")) {
            Trigger(main, "AddNewGames1");
        } else if (what == QLatin1String("delete")) {
            run.Dialogs->ConfirmAnswers = {true};  // "You really want to delete ...?"
            Trigger(main, "DeleteGamesInListing1");
        } else {
            StoreGame(main, QStringLiteral("Changed"), what == QLatin1String("store") ? "2010" : "");
        }
        const TFakeDialogs::TShown& asked = run.Dialogs->Shown.last();
        QVERIFY2(asked.Text.startsWith(QLatin1String("File games.bdt was changed by another program")),
                 command);
        const bool store = what == QLatin1String("store") || what == QLatin1String("edit");
        QCOMPARE(asked.Buttons, QStringList({store ? "Reload and save" : "Reload", "Cancel"}));
        QCOMPARE(asked.DefaultButton, 1);
        QCOMPARE(run.Read(QStringLiteral("games.bdt")).count('\n'), inFile);
        QCOMPARE(run.Base().PartyList.size(), size_t(inMemory));
        if (!store || answer == 1) QCOMPARE(run.Read(QStringLiteral("games.bdt")), changed);
        if (what == QLatin1String("edit"))  // over the game found again by its year and board
            QVERIFY(run.Read(QStringLiteral("games.bdt"))
                        .contains("2003, 4712=[White One,CHANGED,-,88899A,?,-]"));
        if (answer == 1) continue;
        // The file read again is the one known: the next store asks nothing.
        CurrentSession().ClearBoard();
        StoreGame(main, QStringLiteral("Later"), QStringLiteral("2011"));
        QCOMPARE(run.Read(QStringLiteral("games.bdt")).count('\n'), inFile + 1);
    }
}

void TOtherWritersTest::aScratchBaseOfAnotherProgramStaysAndSaveAsWritesTheGamesShown() {
    TProgramRun run;
    run.Write(QStringLiteral("New.bdt"), SmallBase());
    auto other = std::make_unique<kalvon::TBaseOpenClaim>();
    const std::string scratch = run.Path(QStringLiteral("New.bdt")).toStdString();
    QVERIFY(other->Claim(scratch));
    TMainWindow& main = run.Start();
    QCOMPARE(run.Read(QStringLiteral("New.bdt")), SmallBase());
    QVERIFY(run.Base().PartyList.empty());  // kept, not loaded
    // This program claims it too, so that the next program's start keeps it as well.
    other.reset();
    QVERIFY(!kalvon::TBaseOpenClaim().Claim(scratch));

    // The games shown outlive the deletion of their file by "Save as ...".
    main.OpenBaseArgument(QStringLiteral("New.bdt"));
    QVERIFY(QFile::remove(run.Path(QStringLiteral("New.bdt"))));
    run.Dialogs->SaveAnswers = {run.Path(QStringLiteral("kept"))};
    Trigger(main, "SaveAs1");
    QCOMPARE(run.Read(QStringLiteral("kept.bdt")), SmallBase());
}

void TOtherWritersTest::restoreSwapsTheBaseWithItsPreviousGeneration() {
    TProgramRun run;
    run.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = run.Start();
    main.BaseItems().first()->trigger();
    const QList<QAction*> file = FileMenu(main)->actions();
    QCOMPARE(file.at(file.indexOf(Action(main, "SaveAs1")) + 1), Action(main, "RestorePreviousBase1"));
    QVERIFY(!Action(main, "RestorePreviousBase1")->isEnabled());
    StoreGame(main, QStringLiteral("One"), QStringLiteral("2010"));
    const auto games = [&](const char* name) { return int(run.Read(QLatin1String(name)).count('\n')); };
    // Restores the list's item picked (nullopt cancels the list) with the question's button (0
    // restores, 1 cancels); the items listed.
    const auto restore = [&](std::optional<int> item, int button) {
        run.Dialogs->ChooseItemAnswers = {item};
        if (item) run.Dialogs->ChooseAnswers = {button};
        const qsizetype shown = run.Dialogs->Shown.size();
        if (!Action(main, "RestorePreviousBase1")->isEnabled()) return QStringList{"disabled"};
        Action(main, "RestorePreviousBase1")->trigger();
        return run.Dialogs->Shown.at(shown).Buttons;
    };
    // Cancelling the list or the question changes nothing.
    for (const std::optional<int> item : {std::optional<int>(), std::optional<int>(0)}) {
        const QStringList listed = restore(item, 1);
        QCOMPARE(listed.size(), 1);
        QVERIFY2(
            listed.first().startsWith(QStringLiteral("generation 1: games.bdt.bak: 3 games, last changed ")),
            qPrintable(listed.first()));
        QCOMPARE(games("games.bdt"), 4);
    }
    // Generation 1 back: the file it replaced becomes generation 1 and the file from before the last
    // removal, and the base is read again.
    restore(0, 0);
    QCOMPARE(run.Base().PartyList.size(), size_t(3));
    QCOMPARE(games("games.bdt"), 3);
    QCOMPARE(games("games.bdt.bak"), 4);
    const QStringList listed = restore(std::nullopt, 1);
    QVERIFY2(listed.last().startsWith(
                 QStringLiteral("the file from before the last removal: games.bdt.before-removal: 4 games")),
             qPrintable(listed.join(QLatin1Char('\n'))));
    restore(int(listed.size()) - 1, 0);
    QCOMPARE(run.Base().PartyList.size(), size_t(4));
    QCOMPARE(games("games.bdt"), 4);
}

void TOtherWritersTest::aBaseThatCannotBeWrittenOrReadIsToldAtOnce() {
    TProgramRun run;
    run.Write(QStringLiteral("games.bdt"), SmallBase());
    QVERIFY(
        QFile::setPermissions(run.Path(QStringLiteral("games.bdt")), QFile::ReadOwner | QFile::ReadGroup));
    run.Write(QStringLiteral("other/picture.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    TMainWindow& main = run.Start();
    const QStringList writers = {"SaveGame1",    "DeleteGamesInListing1", "AddNewGames1",
                                 "UpdateGames1", "UpdateFromMail1",       "ImportGames1"};
    // Said once, on opening, before anything is typed; the writing commands wait, Save as stays.
    main.OpenBaseArgument(QStringLiteral("games.bdt"));
    const QStringList told = run.Dialogs->Texts(QStringLiteral("information"));
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains(QLatin1String("cannot be written")) &&
                 told.first().contains(QLatin1String("read-only")),
             qPrintable(told.first()));
    QCOMPARE(main.windowTitle(), QStringLiteral("games.bdt [read-only]"));
    for (const QString& name : writers)
        QVERIFY2(!Action(main, qPrintable(name))->isEnabled(), qPrintable(name));
    QCOMPARE(run.Base().PartyList.size(), size_t(3));
    run.Dialogs->SaveAnswers = {run.Path(QStringLiteral("copy"))};
    Trigger(main, "SaveAs1");
    QCOMPARE(run.Read(QStringLiteral("copy.bdt")), SmallBase());
    QCOMPARE(main.windowTitle(), QStringLiteral("copy.bdt"));
    for (const QString& name : writers)
        QVERIFY2(Action(main, qPrintable(name))->isEnabled(), qPrintable(name));

    // A file that is no base is refused with its reason, and not listed.
    main.OpenBaseArgument(run.Path(QStringLiteral("other/picture.png")));
    const QStringList errors = run.Dialogs->Texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QLatin1String("is not a Kalvon base")), qPrintable(errors.first()));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("copy.bdt"));
    for (QAction* item : main.BaseItems())
        QVERIFY(!item->data().toString().contains(QLatin1String("picture")));
    QVERIFY(!RecentBases().contains(run.Path(QStringLiteral("other/picture.png"))));
}

KALVON_UI_TEST(TOtherWritersTest);

#include "OtherWritersTest.moc"
