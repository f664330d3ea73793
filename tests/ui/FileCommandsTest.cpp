// The File and Help menus: opening a base, "New file", "Save as ...", "Help", "About ..." and the
// loading progress.
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <algorithm>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/ListingWindow.h"
#include "ui/LoadProgress.h"
#include "ui/NavigatorWindow.h"
#include "ui/RecentBases.h"

class TFileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void openingAnItemLoadsWithProgress();
    void missingFileBecomesTheCurrentBase();
    void newFileAsksOnlyForAScratchBaseWithGames();
    void exitAsksToSaveAScratchBaseWithGames();
    void unreadableOrCutBasesLoseNothing();
    void saveAsCopiesTheFileAndAddsAnItem();
    void saveAsIntoAnotherFolderKeepsTheFullPath();
    void saveAsFailureChangesNothing();
    void saveAsAsksBeforeReplacingUnderTheAppendedName();
    void openBaseTakesAFileOfAnyFolderAndRemembersIt();
    void recentBasesAreListedAtTheNextStart();
    void helpOpensTheFirstHelpFileFound();
    void aboutBoxShowsItsLabels();
    void browsersCloseAndTheNavigatorDocks();
};

namespace {

// "Save as ..." as the user gives it; true when the base was written (its item joins the File menu).
bool SaveAs(TMainWindow& main) {
    const qsizetype items = main.BaseItems().size();
    Action(main, "SaveAs1")->trigger();
    return main.BaseItems().size() == items + 1;
}

}  // namespace

void TFileCommandsTest::openingAnItemLoadsWithProgress() {
    TProgramRun session;
    QByteArray lines;
    for (int i = 0; i < 250; ++i)
        lines += QStringLiteral("2003, %1=[P%2,Q%3,+,8889,?,-]\r\n")
                     .arg(1000 + i)
                     .arg(i % 7)
                     .arg(i % 5)
                     .toLatin1();
    session.Write(QStringLiteral("games.bdt"), lines);
    TMainWindow& main = session.Start();
    // The progress window is made by the first load that shows progress.
    QVERIFY(!CurrentSession().LoadProgressWindow());
    main.BaseItems().first()->trigger();
    QVERIFY(CurrentSession().LoadProgressWindow());
    QCOMPARE(session.Base().PartyList.size(), size_t(250));
    QCOMPARE(session.Base().PlayerCatalogue.PlayerRecords.size(), size_t(12));
    QCOMPARE(main.windowTitle(), QStringLiteral("games.bdt"));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games.bdt"));
    QVERIFY(!CurrentSession().LoadProgressWindow()->isVisible());
    QVERIFY(session.Dialogs->Shown.isEmpty());

    // Opening it again replaces the base instead of adding to it, with the progress shown again.
    QProgressBar* bar = CurrentSession().LoadProgressWindow()->progressBar;
    QList<int> positions;
    QStringList titles;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        positions << value;
        titles << main.windowTitle();
    });
    main.BaseItems().first()->trigger();
    QCOMPARE(session.Base().PartyList.size(), size_t(250));
    QVERIFY(positions.size() >= 2);
    QCOMPARE(positions.first(), 1);
    QCOMPARE(positions.last(), 100);
    QVERIFY(std::is_sorted(positions.begin(), positions.end()));
    QCOMPARE(titles.first(), QStringLiteral("Wait - goes loading file."));
    QVERIFY(!CurrentSession().LoadProgressWindow()->isVisible());
}

void TFileCommandsTest::missingFileBecomesTheCurrentBase() {
    TProgramRun session;
    session.Write(QStringLiteral("gone.bdt"), SmallBase());
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    QCOMPARE(main.BaseItems().at(1)->text(), QStringLiteral("gone.bdt"));
    main.BaseItems().at(0)->trigger();
    QCOMPARE(session.Base().PartyList.size(), size_t(3));
    QFile::remove(session.Path(QStringLiteral("gone.bdt")));

    main.BaseItems().at(1)->trigger();
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{"File " + session.Path(QStringLiteral("gone.bdt")) + " not Found!"});
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("gone.bdt"));
    QCOMPARE(main.windowTitle(), QStringLiteral("gone.bdt"));
    QVERIFY(session.Base().PartyList.empty());
    QVERIFY(!CurrentSession().LoadProgressWindow() || !CurrentSession().LoadProgressWindow()->isVisible());

    // A base that is there but cannot be read is a failed file operation: the error box, with the
    // system's reason.
    QVERIFY(QDir(session.Path(QString())).mkdir(QStringLiteral("folder.bdt")));
    main.OpenBaseArgument(QStringLiteral("folder.bdt"));
    const QStringList errors = session.Dialogs->Texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QLatin1String("folder.bdt")), qPrintable(errors.first()));
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")).size(), 1);
}

// The scratch base's question, its buttons and its default.
void CheckScratchQuestion(const TFakeDialogs& dialogs, int games) {
    const auto last = std::find_if(dialogs.Shown.rbegin(), dialogs.Shown.rend(),
                                   [](const TFakeDialogs::TShown& shown) { return shown.Kind == "choose"; });
    QVERIFY(last != dialogs.Shown.rend());
    const TFakeDialogs::TShown& asked = *last;
    QVERIFY2(
        asked.Text.startsWith(
            QStringLiteral("Save New.bdt?\nIt holds %1 %2").arg(games).arg(games == 1 ? "game" : "games")),
        qPrintable(asked.Text));
    QCOMPARE(asked.Buttons, QStringList({"Save as ...", "Discard", "Cancel"}));
    QCOMPARE(asked.DefaultButton, 2);
    asked.Read = true;
}

void TFileCommandsTest::newFileAsksOnlyForAScratchBaseWithGames() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "NewFile1");  // an empty scratch base: no question
    QVERIFY(session.Dialogs->Shown.isEmpty());

    // Cancel, and Save as ... with the file dialog cancelled, keep everything.
    session.Write(QStringLiteral("New.bdt"), SmallBase());
    main.OpenBaseArgument(QStringLiteral("New.bdt"));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("New.bdt"));
    session.Dialogs->ChooseAnswers = {2, 0};
    session.Dialogs->SaveAnswers = {std::nullopt};
    for (int i = 0; i < 2; ++i) {
        Trigger(main, "NewFile1");
        CheckScratchQuestion(*session.Dialogs, 3);
    }
    QCOMPARE(session.Read(QStringLiteral("New.bdt")), SmallBase());
    QCOMPARE(session.Base().PartyList.size(), size_t(3));

    // Save as ... and a name: the games are saved there, then the scratch base starts empty.
    session.Dialogs->ChooseAnswers = {0};
    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("kept"))};
    Trigger(main, "NewFile1");
    QCOMPARE(session.Read(QStringLiteral("kept.bdt")), SmallBase());
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("New.bdt"));
    QVERIFY(!QFile::exists(session.Path(QStringLiteral("New.bdt"))));
    QVERIFY(session.Base().PartyList.empty());

    // Discard: the scratch base starts empty, and its games are still its generation 1.
    session.Write(QStringLiteral("New.bdt"), SmallBase());
    main.OpenBaseArgument(QStringLiteral("New.bdt"));
    session.Dialogs->ChooseAnswers = {1};
    Trigger(main, "NewFile1");
    QVERIFY(!QFile::exists(session.Path(QStringLiteral("New.bdt"))));
    QCOMPARE(session.Read(QStringLiteral("New.bdt.bak")), SmallBase());
    QVERIFY(session.Base().PartyList.empty());

    // A named base is on disk already: nothing is asked.
    session.Dialogs->Shown.clear();
    for (QAction* item : main.BaseItems())
        if (item->data().toString() == QLatin1String("kept.bdt")) item->trigger();
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("kept.bdt"));
    QCOMPARE(session.Base().PartyList.size(), size_t(3));
    Trigger(main, "NewFile1");
    QVERIFY(session.Dialogs->Texts(QStringLiteral("choose")).isEmpty());
}

void TFileCommandsTest::exitAsksToSaveAScratchBaseWithGames() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    // Games in the scratch base, and another base open: the exit still asks about them.
    session.Write(QStringLiteral("New.bdt"), SmallBase().left(SmallBase().indexOf('\n') + 1));
    main.OpenBaseArgument(QStringLiteral("games.bdt"));
    CurrentSession().StoreCodePage("windows-1252");  // a setting changed and not saved
    QSignalSpy closed(&main, &TMainWindow::Closed);

    // Cancel, and Save as ... with the file dialog cancelled, keep the program and its games.
    session.Dialogs->ChooseAnswers = {2, 0};
    session.Dialogs->SaveAnswers = {std::nullopt};
    Trigger(main, "Exit1");
    CheckScratchQuestion(*session.Dialogs, 1);
    main.close();
    CheckScratchQuestion(*session.Dialogs, 1);
    QCOMPARE(closed.count(), 0);
    QVERIFY(main.isVisible());

    // Save as ... writes the scratch base's games to the name; the settings' question comes next,
    // and its Cancel stays in the program too.
    session.Dialogs->ChooseAnswers = {0};
    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("kept"))};
    session.Dialogs->AskAnswers = {TAnswer::Cancel};
    Trigger(main, "Exit1");
    QCOMPARE(session.Read(QStringLiteral("kept.bdt")), session.Read(QStringLiteral("New.bdt.bak")));
    QVERIFY(!QFile::exists(session.Path(QStringLiteral("New.bdt"))));
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("ask")), QStringList{"Save the settings?"});
    QCOMPARE(closed.count(), 0);
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games.bdt"));

    // Now nothing about the scratch base; No to the settings ends the program.
    session.Dialogs->AskAnswers = {TAnswer::No};
    Trigger(main, "Exit1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("choose")).size(), 3);
    QCOMPARE(closed.count(), 1);
}

void TFileCommandsTest::saveAsCopiesTheFileAndAddsAnItem() {
    TProgramRun session;
    const QByteArray unsorted = "2004, 9=[B,A,+,88,?,-]\n2003, 1=[A,B,-,,?,R]\n";
    session.Write(QStringLiteral("games.bdt"), unsorted);
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();

    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("games2"))};
    QVERIFY(SaveAs(main));
    QCOMPARE(session.Read(QStringLiteral("games2.bdt")), unsorted);  // a copy of the file as it stands
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games2.bdt"));
    QCOMPARE(main.BaseItems().last()->text(), QStringLiteral("games2.bdt"));
    QCOMPARE(session.Base().PartyList.size(), size_t(2));  // the games in memory stay

    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("games.BDT"))};
    QVERIFY(SaveAs(main));
    QVERIFY(QFile::exists(session.Path(QStringLiteral("games.BDT.bdt"))));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games.BDT.bdt"));

    // Saving onto a file that has an item adds a second item with the same text.
    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("games.bdt"))};
    QVERIFY(SaveAs(main));
    QStringList texts;
    for (QAction* item : main.BaseItems()) texts << item->text();
    QCOMPARE(texts, QStringList({"games.bdt", "games2.bdt", "games.BDT.bdt", "games.bdt"}));

    // Cancelling the dialog changes nothing.
    session.Dialogs->SaveAnswers = {std::nullopt};
    QVERIFY(!SaveAs(main));
    QCOMPARE(main.BaseItems().size(), 4);
}

void TFileCommandsTest::saveAsIntoAnotherFolderKeepsTheFullPath() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    QTemporaryDir other;
    const QString target = other.filePath(QStringLiteral("copy.bdt"));
    session.Dialogs->SaveAnswers = {target};
    const QString folder = QDir::currentPath();
    QVERIFY(SaveAs(main));
    QCOMPARE(CurrentSession().BasePath(), target);
    QCOMPARE(main.BaseItems().last()->data().toString(), target);
    QCOMPARE(QDir::currentPath(), folder);
    QFile copy(target);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), SmallBase());
}

void TFileCommandsTest::saveAsFailureChangesNothing() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    QStringList targets = {session.Path(QStringLiteral("no/such/folder/x.bdt")),
                           session.Path(QStringLiteral("games.bdt/inside.bdt"))};
    if (::geteuid() != 0) {
        QDir().mkdir(session.Path(QStringLiteral("locked")));
        QFile::setPermissions(session.Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
        targets << session.Path(QStringLiteral("locked/x.bdt"));
    }
    for (const QString& target : targets) {
        session.Dialogs->Shown.clear();
        session.Dialogs->SaveAnswers = {target};
        QVERIFY(!SaveAs(main));
        const QStringList errors = session.Dialogs->Texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QLatin1String("x.bdt")) ||
                     errors.first().contains(QLatin1String("inside")),
                 qPrintable(errors.first()));
        QVERIFY2(errors.first().contains(QLatin1String(": ")),
                 qPrintable(errors.first()));  // the system's reason
        QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games.bdt"));
        QCOMPARE(main.windowTitle(), QStringLiteral("games.bdt"));
        QCOMPARE(main.BaseItems().size(), 1);
    }
    // Beside the base only the lock files of its writers and of the scratch base (taken to clear it at
    // the start), and this program's claim on the scratch base.
    QCOMPARE(QDir(session.Path(QString())).entryList(QDir::Files),
             QStringList({"games.bdt", "games.bdt.lock", "New.bdt.lock", "New.bdt.open"}));
    QCOMPARE(session.Read(QStringLiteral("games.bdt")), SmallBase());
}

void TFileCommandsTest::saveAsAsksBeforeReplacingUnderTheAppendedName() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    session.Write(QStringLiteral("other.bdt"), "precious\r\n");
    TMainWindow& main = session.Start();
    main.BaseItems().at(0)->trigger();
    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("other"))};
    session.Dialogs->ConfirmAnswers = {false};
    QVERIFY(!SaveAs(main));
    QCOMPARE(session.Read(QStringLiteral("other.bdt")), QByteArray("precious\r\n"));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games.bdt"));

    session.Dialogs->SaveAnswers = {session.Path(QStringLiteral("other"))};
    session.Dialogs->ConfirmAnswers = {true};
    QVERIFY(SaveAs(main));
    QCOMPARE(session.Read(QStringLiteral("other.bdt")), SmallBase());
}

void TFileCommandsTest::openBaseTakesAFileOfAnyFolderAndRemembersIt() {
    TProgramRun session;
    session.Write(QStringLiteral("far/away/games.bdt"), "2003, 4711=[NORD,SUD,+,8889,?,-]\r\n");
    session.Write(QStringLiteral("near.bdt"), "2004, 4712=[WEST,OST,-,8889,?,-]\r\n");
    const QString far = session.Path(QStringLiteral("far/away/games.bdt"));
    TMainWindow& main = session.Start();
    // Each row: the dialog's answer, then the open base and its games (a cancel keeps the last).
    const struct {
        std::optional<QStringList> Answer;
        QString Base;
        size_t Games;
    } rows[] = {
        {QStringList{far, session.Path(QStringLiteral("near.bdt"))}, far, 1},
        {std::nullopt, far, 1},
        {QStringList{session.Path(QStringLiteral("near.bdt"))}, QStringLiteral("near.bdt"), 1},
        {QStringList{far}, far, 1},
    };
    for (const auto& row : rows) {
        session.Dialogs->OpenAnswers = {row.Answer};
        Trigger(main, "OpenBase1");
        QCOMPARE(CurrentSession().BasePath(), row.Base);
        QCOMPARE(session.Base().PartyList.size(), row.Games);
    }
    // One item each, the far base by its full path; the newest opened comes first in the list.
    QStringList items;
    for (QAction* item : main.BaseItems()) items.append(item->data().toString());
    QCOMPARE(items, (QStringList{QStringLiteral("near.bdt"), far}));
    QCOMPARE(RecentBases(), (QStringList{far, session.Path(QStringLiteral("near.bdt"))}));
}

void TFileCommandsTest::recentBasesAreListedAtTheNextStart() {
    TProgramRun session;
    QStringList far;
    for (int i = 0; i < MaxRecentBases + 2; ++i) {
        const QString name = QStringLiteral("elsewhere/b%1.bdt").arg(i);
        session.Write(name, "2003, 4711=[NORD,SUD,+,8889,?,-]\r\n");
        far.prepend(session.Path(name));
        RememberBase(session.Path(name));
    }
    RememberBase(session.Path(QStringLiteral("gone.bdt")));  // no longer there: not listed
    session.Write(QStringLiteral("here.bdt"), "");
    RememberBase(session.Path(QStringLiteral("here.bdt")));  // listed once, by its name
    TMainWindow& main = session.Start();
    QStringList items;
    for (QAction* item : main.BaseItems()) items.append(item->data().toString());
    QCOMPARE(items, QStringList{QStringLiteral("here.bdt")} + far.mid(0, MaxRecentBases - 2));
}

void TFileCommandsTest::helpOpensTheFirstHelpFileFound() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "Help1");
    QVERIFY(session.Dialogs->Opened.isEmpty());
    // Without help/readme.* the user guide opens in the help window, pictures and all.
    THelpWindow* guide =
        session.Program->IsMade(TWindowKind::Help) ? &session.Program->HelpWindow() : nullptr;
    QVERIFY(guide && guide->isVisible());
    QCOMPARE(guide->source(), QUrl::fromLocalFile(UserGuidePath()));
    QVERIFY(guide->source().toLocalFile().endsWith(QLatin1String("/user-guide.md")));
    QVERIFY(guide->toPlainText().contains(QLatin1String("Kalvon")));
    // Its pictures load beside it.
    const QVariant picture =
        guide->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/main-window.png")));
    QVERIFY(!picture.toByteArray().isEmpty() || !picture.value<QImage>().isNull());
    guide->hide();
    session.Write(QStringLiteral("help/readme.txt"), "text");
    Trigger(main, "Help1");
    QCOMPARE(session.Dialogs->Opened, QStringList{session.Path(QStringLiteral("help/readme.txt"))});
    session.Write(QStringLiteral("help/readme.htm"), "<p>page</p>");
    Trigger(main, "Help1");
    QCOMPARE(session.Dialogs->Opened.last(), session.Path(QStringLiteral("help/readme.htm")));
}

void TFileCommandsTest::aboutBoxShowsItsLabels() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "About1");
    TAboutDialog* box = &session.Program->AboutDialog();
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QCOMPARE(box->windowTitle(), QStringLiteral("About"));
    // Each line a caption and its value, the captions in one column and the values in the next.
    const struct {
        const char* Name;
        const char* Caption;
        QString Value;
    } lines[] = {{"ProductName", "Product Name", QStringLiteral("Kalvon")},
                 {"Version", "Version", QStringLiteral("2.9")},
                 {"Copyright", "Copyright", QStringLiteral("\u00a9 the Kalvon developers")},
                 {"Licence", "Licence", QStringLiteral("GNU General Public License, version 3 or later")},
                 {"Comments", "Comments", QStringLiteral("Program for working with base of games renju")}};
    QList<QLabel*> captions, values;
    for (const auto& line : lines) {
        values.append(box->findChild<QLabel*>(QLatin1String(line.Name)));
        captions.append(box->findChild<QLabel*>(QLatin1String(line.Name) + QStringLiteral("Caption")));
        QVERIFY2(values.last() && captions.last(), line.Name);
        QCOMPARE(values.last()->text(), line.Value);
        QCOMPARE(captions.last()->text(), QLatin1String(line.Caption));
    }
    for (int i = 1; i < captions.size(); ++i) {
        QCOMPARE(captions[i]->x(), captions[0]->x());
        QCOMPARE(values[i]->x(), values[0]->x());
        QVERIFY(captions[i]->y() > captions[i - 1]->y());
        QCOMPARE(values[i]->y(), captions[i]->y());
    }
    QVERIFY(values[0]->x() > captions[0]->x() + captions[0]->width());
    auto* comments = values.last();
    QVERIFY(comments->wordWrap());
    auto* ok = box->findChild<QPushButton*>(QStringLiteral("OKButton"));
    QVERIFY(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!box->isVisible());
}

void TFileCommandsTest::browsersCloseAndTheNavigatorDocks() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    TNavigatorWindow* navigator = &session.Program->NavigatorWindow();
    TListingWindow* listing = &session.Program->ListingWindow();
    // Room on the right of the main window: the navigator docks there.
    const QRect room = main.screen()->availableGeometry();
    main.move(room.topLeft());
    navigator->show();
    listing->show();
    QVERIFY(QTest::qWaitForWindowExposed(navigator));

    main.FitToSettings();
    QTRY_COMPARE(
        navigator->frameGeometry().topLeft(),
        QPoint(main.frameGeometry().left() + main.frameGeometry().width(), main.frameGeometry().top()));
    // No room on the right: on the left; no room on either side: where it stands, on the screen.
    // The navigator follows the main window's moves.
    main.move(room.left() + room.width() - main.frameGeometry().width(), room.top());
    QTRY_COMPARE(navigator->frameGeometry().topRight() + QPoint(1, 0), main.frameGeometry().topLeft());
    const QPoint floating = navigator->pos();
    main.move(room.left() + (room.width() - main.frameGeometry().width()) / 2, room.top());
    QTRY_COMPARE(main.frameGeometry().left(),
                 room.left() + (room.width() - main.frameGeometry().width()) / 2);
    QCOMPARE(navigator->pos(), floating);
    QVERIFY(room.contains(navigator->frameGeometry()));

    // Opening a base with the statistics hidden closes the listing and the navigator and switches
    // the query off.
    kalvon::TQueryCriteria criteria = CurrentSession().Criteria();
    criteria.QueryOn = criteria.YearOn = criteria.PlayerOn = true;
    CurrentSession().SetCriteria(criteria);
    main.BaseItems().first()->trigger();
    QVERIFY(!CurrentSession().Criteria().QueryOn && !CurrentSession().Criteria().YearOn &&
            !CurrentSession().Criteria().PlayerOn);
    QVERIFY(!navigator->isVisible());
    QVERIFY(!listing->isVisible());
}

void TFileCommandsTest::unreadableOrCutBasesLoseNothing() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    // The NUL stands past the first 4 KB, where a file is taken for a base at all.
    const QByteArray cut = "2003, 1=[" + QByteArray(4200, 'A') + ",B,+,88,?,-]\r\n2003, 2=[A,B,-,88,?,-]" +
                           '\0' + QByteArray("\r\n2003, 3=[A,B,=,88,?,-]\r\n");
    session.Write(QStringLiteral("cut.bdt"), cut);
    TMainWindow& main = session.Start();
    main.OpenBaseArgument(QStringLiteral("games.bdt"));

    // A base that will not be read leaves the open base open.
    QVERIFY(QDir(session.Path(QString())).mkdir(QStringLiteral("folder.bdt")));
    main.OpenBaseArgument(QStringLiteral("folder.bdt"));
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("error")).size(), 1);
    QCOMPARE(main.windowTitle(), QStringLiteral("games.bdt"));
    QCOMPARE(session.Base().PartyList.size(), size_t(3));

    // A base cut short by a NUL byte says so, and is rewritten only when the user agrees.
    main.OpenBaseArgument(QStringLiteral("cut.bdt"));
    const QStringList messages = session.Dialogs->Texts(QStringLiteral("information"));
    QVERIFY(!messages.isEmpty());
    QVERIFY2(messages.last().contains(QLatin1String("NUL byte in line 2")), qPrintable(messages.last()));
    QCOMPARE(session.Base().PartyList.size(), size_t(2));
    Trigger(main, "AddNewGames1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("error")).size(), 2);
    CurrentSession().SetListing({0});
    session.Dialogs->ConfirmAnswers = {false};
    QVERIFY(!CurrentSession().DeleteListed(&main));
    QCOMPARE(session.Read(QStringLiteral("cut.bdt")), cut);
    QCOMPARE(session.Base().PartyList.size(), size_t(2));
    session.Dialogs->ConfirmAnswers = {true};
    QVERIFY(CurrentSession().DeleteListed(&main));
    QCOMPARE(session.Read(QStringLiteral("cut.bdt")), QByteArray("2003,    2=[A,B,-,88,?,-]\r\n"));
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("confirm")).size(), 2);
}

KALVON_UI_TEST(TFileCommandsTest);

#include "FileCommandsTest.moc"
