// Start-up: the working folder, the windows, the menu, the window size and the settings file.
#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

#include "base/SettingsFile.h"
#include "base/TextPolicy.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/AboutDialog.h"
#include "ui/DiagramWindow.h"
#include "ui/GameEntryDialog.h"
#include "ui/LetterMarksDialog.h"
#include "ui/ListingWindow.h"
#include "ui/LoadProgress.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/SettingsDialog.h"
#include "ui/StatisticMemo.h"

class TStartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void emptyFolderGetsTheDefaultSettings();
    void scratchBaseIsSetAsideAndBaseFilesListed();
    void windowsAreMadeWhenFirstWantedWithTheirCaptions();
    void menuCaptionsShortcutsAndStartStates_data();
    void menuCaptionsShortcutsAndStartStates();
    void windowIsSizedFromTheDiameter_data();
    void windowIsSizedFromTheDiameter();
    void badSettingsGiveTheWarningAndRangedValues_data();
    void badSettingsGiveTheWarningAndRangedValues();
    void codePageComesFromTheSettings();
    void baseNamedOnTheCommandLineOpensLikeItsItem();
    void windowsFacesFallBackToAPlainFace();
};

void TStartupTest::emptyFolderGetsTheDefaultSettings() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")),
             QByteArray::fromStdString(kalvon::DefaultSettingsText()));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("New.bdt"));
    QCOMPARE(main.windowTitle(), QStringLiteral("New.bdt"));
    QVERIFY(main.BaseItems().isEmpty());
    QVERIFY(session.Dialogs->Shown.isEmpty());
    const TSettingsState& settings = CurrentSession().Settings();
    QCOMPARE(settings.MoveFont.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(settings.MoveFont.pointSize(), 8);
    QVERIFY(!settings.MoveFont.bold() && !settings.MoveFont.italic());
    QCOMPARE(settings.MoveDiameter, 30);
    QCOMPARE(CurrentSession().Settings().MemoLength, 165);
}

void TStartupTest::scratchBaseIsSetAsideAndBaseFilesListed() {
    TProgramRun session;
    for (const char* name : {"New.bdt", "b.bdt", "A.BDT", "c.Bdt", "notes.txt", "b.bdt.txt", "a&b.bdt"})
        session.Write(QLatin1String(name), SmallBase());
    QDir().mkdir(session.Path(QStringLiteral("folder.bdt")));
    TMainWindow& main = session.Start();
    // The scratch base's games are kept as its generation 1, and the user is told where they are.
    QVERIFY(!QFile::exists(session.Path(QStringLiteral("New.bdt"))));
    QCOMPARE(session.Read(QStringLiteral("New.bdt.bak")), SmallBase());
    const QStringList told = session.Dialogs->Texts(QStringLiteral("information"));
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().startsWith(QStringLiteral("New.bdt held 3 games")) &&
                 told.first().contains(QStringLiteral("Restore Previous Base")),
             qPrintable(told.first()));
    QVERIFY(Action(main, "RestorePreviousBase1")->isEnabled());
    QStringList names, texts;
    for (QAction* item : main.BaseItems()) {
        names << item->data().toString();
        texts << item->text();
    }
    QCOMPARE(names, QStringList({"a&b.bdt", "A.BDT", "b.bdt", "c.Bdt"}));
    QCOMPARE(texts.first(), QStringLiteral("a&&b.bdt"));  // shown with its ampersand, not as an accelerator
    QVERIFY(session.Base().PartyList.empty());            // no base is loaded at start

    // Base items sit between the two separators, above "Exit".
    const QList<QAction*> file = FileMenu(main)->actions();
    const qsizetype first = file.indexOf(main.BaseItems().first());
    QVERIFY(file.at(first - 1)->isSeparator());
    QVERIFY(file.at(first + 4)->isSeparator());
    QCOMPARE(file.at(first + 5), Action(main, "Exit1"));
}

void TStartupTest::windowsAreMadeWhenFirstWantedWithTheirCaptions() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    TProgram& p = *session.Program;
    // At start only the main window exists; each other window is made when first wanted, hidden.
    for (TWindowKind kind :
         {TWindowKind::Settings, TWindowKind::Query, TWindowKind::About, TWindowKind::Navigator,
          TWindowKind::Listing, TWindowKind::GameEntry, TWindowKind::Diagram, TWindowKind::Help})
        QVERIFY(!p.IsMade(kind));
    QVERIFY(!p.Session.LoadProgressWindow());
    const QList<QPair<QWidget*, QString>> windows = {
        {&p.SettingsDialog(), "Adjustment"},
        {&p.NavigatorWindow(), "NavigatorBD"},
        {&p.QueryDialog(), "Query"},
        {&p.AboutDialog(), "About"},
        {&p.DiagramWindow(), "Generation of truncated diagrams"},
        {&p.GameEntryDialog(), "SaveForm"},
        {&p.ListingWindow(), "Listing Parties"},
        {&p.LetterMarksDialog(), "Letters"},
    };
    for (const auto& [window, caption] : windows) {
        QVERIFY(window->isWindow());
        QVERIFY2(!window->isVisible(), qPrintable(caption));
        QCOMPARE(window->windowTitle(), caption);
    }
    QVERIFY(main.isVisible());
    QVERIFY(!(main.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(main.minimumSize(), main.maximumSize());  // not resizable

    // Closing the main window ends the program.
    QSignalSpy closed(&main, &TMainWindow::Closed);
    Trigger(main, "Exit1");
    QCOMPARE(closed.count(), 1);
    QVERIFY(!main.isVisible());
}

void TStartupTest::menuCaptionsShortcutsAndStartStates_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("checked");  // -1: no check item
    auto row = [](const char* name, const char* caption, QKeySequence shortcut, bool enabled,
                  int checked = -1) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << shortcut
                            << enabled << checked;
    };
    row("OpenBase1", "Open Base ...", QKeySequence(Qt::CTRL | Qt::Key_O), true);
    row("NewFile1", "New file", Qt::Key_F2, true);
    row("SaveAs1", "Save as ...", {}, true);
    row("RestorePreviousBase1", "Restore Previous Base", {}, false);
    row("N2", "Clear Board", Qt::Key_F5, true);
    row("Collection1", "Collection", {}, false);
    row("Exit1", "Exit", QKeySequence(Qt::CTRL | Qt::Key_F4), true);
    row("Adjustment1", "Adjustment", Qt::Key_F9, true);
    row("SaveTools1", "Save Tools", {}, false);
    row("N8", "Statistic", QKeySequence(Qt::CTRL | Qt::Key_S), true);
    row("OneShift1", "One Shift", {}, true);
    row("TwoShift1", "Two Shift", {}, true);
    row("Execute1", "Execute", QKeySequence(Qt::CTRL | Qt::Key_Q), true);
    row("StatisticShow", "Statistic Show", Qt::Key_F8, true, 0);
    row("SaveGame1", "Save Game", QKeySequence(Qt::CTRL | Qt::Key_P), true);
    row("ListingGames1", "Listing Games", QKeySequence(Qt::CTRL | Qt::Key_L), true);
    row("NavigatorShow1", "Navigator Show", QKeySequence(Qt::CTRL | Qt::Key_N), true);
    row("Num", "Numeration", {}, true, 1);
    row("Vert", "Reflect Up/Down", {}, true);
    row("Clockwise", "Turn +90 degrees", {}, true);
    row("Against", "Turn -90 degrees", {}, true);
    row("Horiz", "Reflect Left/Right", {}, true);
    row("N13", "Move back", Qt::Key_Left, false);
    row("N14", "Move up", Qt::Key_Right, false);
    row("N15", "In Start", Qt::Key_Home, false);
    row("N16", "In End", Qt::Key_End, false);
    row("RuleRenju", "Renju", {}, true, 1);
    row("RuleFreestyle", "Gomoku five or more", {}, true, 0);
    row("RuleStandard", "Gomoku exactly five", {}, true, 0);
    row("FindVcf1", "Find VCF", QKeySequence(Qt::CTRL | Qt::Key_F9), true);
    row("FindThreat1", "Find Threat", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9), true);
    row("CheckGames1", "Check Games ...", {}, true);
    row("Help1", "Help", Qt::Key_F1, true);
    row("About1", "About ...", {}, true);
}

void TStartupTest::menuCaptionsShortcutsAndStartStates() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    QFETCH(int, checked);
    TProgramRun session;
    TMainWindow& main = session.Start();
    auto* action = main.findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled(), enabled);
    QCOMPARE(action->isCheckable(), checked >= 0);
    if (checked >= 0) QCOMPARE(action->isChecked(), checked == 1);
}

void TStartupTest::windowIsSizedFromTheDiameter_data() {
    QTest::addColumn<int>("diameter");
    QTest::addColumn<int>("board");
    QTest::newRow("default 30") << 30 << 460;
    QTest::newRow("odd 21") << 21 << 324;
    QTest::newRow("largest 50") << 50 << 760;
}

void TStartupTest::windowIsSizedFromTheDiameter() {
    QFETCH(int, diameter);
    QFETCH(int, board);
    TProgramRun session;
    session.Write(
        QStringLiteral("ini/Tools.ini"),
        QStringLiteral("[Parameters]\r\nFont Size=8\r\nDiameter Moves=%1\r\n").arg(diameter).toLatin1());
    TMainWindow& main = session.Start();
    main.activateWindow();
    QTRY_COMPARE(BoardArea(main)->width(), board);
    // The status line below the board adds its height to the window's.
    const QStatusBar* status = main.findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    QVERIFY(status && status->isVisible());
    QCOMPARE(main.frameGeometry().size(), QSize(board + 7, board + 80 + status->height()));
    QVERIFY(!Memo(main)->isVisible());
    QCOMPARE(BoardArea(main)->Canvas().width(), board);

    // With the statistics shown the memo width joins in.
    Trigger(main, "StatisticShow");
    QCOMPARE(main.frameGeometry().width(), 165 + board + 2);
}

void TStartupTest::badSettingsGiveTheWarningAndRangedValues_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("warning");  // how the warning begins; empty: none
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("diameter");
    QTest::addColumn<int>("memo");
    const QString all = QStringLiteral(" Used instead: Font Size 8, Diameter Moves 30, Length Memo 165.");
    QTest::newRow("out of range") << QByteArray(
                                         "[Parameters]\nFont Size=2\nDiameter Moves=100\nLength Memo=9999\n")
                                  << QString() << 6 << 50 << 400;
    QTest::newRow("letters for the size")
        << QByteArray("[parameters]\nfont size=abc\nDiameter Moves=40\nLength Memo=200\n")
        << QStringLiteral("File ini/Tools.ini: \"Font Size\" is \"abc\", which is not a whole number.") + all
        << 8 << 30 << 165;
    QTest::newRow("letters for the memo")
        << QByteArray("[Parameters]\nFont Size=10\nDiameter Moves=40\nLength Memo=wide\n")
        << QStringLiteral(
               "File ini/Tools.ini: \"Length Memo\" is \"wide\", which is not a whole number. "
               "Used instead: Length Memo 165.")
        << 10 << 40 << 165;
    QTest::newRow("missing keys") << QByteArray("[Parameters]\n")
                                  << QStringLiteral("File ini/Tools.ini: \"Font Size\" has no value.") + all
                                  << 8 << 30 << 165;
    QTest::newRow("no memo width") << QByteArray("[Parameters]\nFont Size=9\nDiameter Moves=24\n")
                                   << QString() << 9 << 24 << 165;
    QByteArray garbage;
    for (int i = 0; i < 2000; ++i) garbage += char((i * 7919 + 13) % 256);
    QTest::newRow("binary garbage") << garbage << QStringLiteral("File ini/Tools.ini: \"Font Size\"") << 8
                                    << 30 << 165;
}

void TStartupTest::badSettingsGiveTheWarningAndRangedValues() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, warning);
    QFETCH(int, size);
    QFETCH(int, diameter);
    QFETCH(int, memo);
    TProgramRun session;
    session.Write(QStringLiteral("ini/Tools.ini"), ini);
    session.Start();
    const QStringList warnings = session.Dialogs->Texts(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), warning.isEmpty() ? 0 : 1);
    // The warning names the key, its value and the values used instead.
    if (!warning.isEmpty()) QVERIFY2(warnings.first().startsWith(warning), qPrintable(warnings.first()));
    QCOMPARE(CurrentSession().Settings().MoveFont.pointSize(), size);
    QCOMPARE(CurrentSession().Settings().MoveDiameter, diameter);
    QCOMPARE(CurrentSession().Settings().MemoLength, memo);
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")), ini);  // reading never writes
}

void TStartupTest::codePageComesFromTheSettings() {
    {
        TProgramRun session;
        session.Write(QStringLiteral("ini/Tools.ini"),
                      "[Parameters]\r\nFont Size=8\r\nDiameter Moves=30\r\nCode Page=UTF-8\r\n");
        session.Start();
        QCOMPARE(kalvon::TextPolicy().CodePage(), std::string("UTF-8"));
        QVERIFY(session.Dialogs->Shown.isEmpty());
    }
    {
        TProgramRun session;
        session.Write(QStringLiteral("ini/Tools.ini"),
                      "[Parameters]\r\nFont Size=8\r\nDiameter Moves=30\r\nCode Page=no-such-page\r\n");
        session.Start();
        QCOMPARE(kalvon::TextPolicy().CodePage(), std::string("windows-1251"));
        const QStringList warnings = session.Dialogs->Texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().contains(QLatin1String("no-such-page")));
    }
    {
        TProgramRun session;  // without the key the default is back in force
        session.Start();
        QCOMPARE(kalvon::TextPolicy().CodePage(), std::string("windows-1251"));
    }
}

void TStartupTest::baseNamedOnTheCommandLineOpensLikeItsItem() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("far.bdt"));
    {
        QFile file(outside);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SmallBase().left(SmallBase().indexOf('\n') + 1));
    }
    TMainWindow& main = session.Start();

    main.OpenBaseArgument(session.Path(QStringLiteral("games.bdt")));
    QCOMPARE(CurrentSession().BasePath(), QStringLiteral("games.bdt"));
    QCOMPARE(session.Base().PartyList.size(), size_t(3));
    QCOMPARE(main.BaseItems().size(), 1);  // the listed item was used

    main.OpenBaseArgument(outside);
    QCOMPARE(CurrentSession().BasePath(), outside);
    QCOMPARE(session.Base().PartyList.size(), size_t(1));
    QCOMPARE(main.BaseItems().size(), 2);
    QCOMPARE(main.BaseItems().last()->data().toString(), outside);
}

void TStartupTest::windowsFacesFallBackToAPlainFace() {
    // Where the Windows faces are missing, the memo, the dialogs and the board get the plain face,
    // in the size and style asked for, never the system's calligraphic fallback.
    for (const char* face : {"Comic Sans MS", "MS Sans Serif", "Tahoma"}) {
        QFont font(QLatin1String(face), 8);
        font.setBold(true);
        const QFontInfo shown(font);
        if (shown.family() == QLatin1String(face)) continue;  // the face itself is installed
        QCOMPARE(shown.family(), QStringLiteral("DejaVu Sans"));
        QVERIFY(shown.bold() && !shown.italic());
        QCOMPARE(shown.pointSize(), 8);
    }
}

KALVON_UI_TEST(TStartupTest);

#include "StartupTest.moc"
