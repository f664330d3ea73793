// The keys of a new user: Escape closes every dialog and window as Cancel would, and the arrows,
// Home and End step through the game while the board has the focus.
#include <QAction>
#include <QApplication>
#include <QDialog>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/AboutDialog.h"
#include "ui/BoardPainter.h"
#include "ui/DiagramWindow.h"
#include "ui/GameEntryDialog.h"
#include "ui/HelpWindow.h"
#include "ui/LetterMarksDialog.h"
#include "ui/ListingWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsState.h"

namespace {

QWidget* WindowNamed(TProgram& program, const QString& name) {
    const QList<QWidget*> windows = {
        &program.SettingsDialog(),    &program.QueryDialog(),     &program.GameEntryDialog(),
        &program.LetterMarksDialog(), &program.AboutDialog(),     &program.DiagramWindow(),
        &program.ListingWindow(),     &program.NavigatorWindow(), &program.HelpWindow()};
    for (QWidget* window : windows)
        if (window->objectName() == name) return window;
    qFatal("no window %s", qPrintable(name));
}

}  // namespace

class TKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void escapeClosesTheWindow_data();
    void escapeClosesTheWindow();
    void arrowsHomeAndEndMoveOnTheBoard();
    void everyShortcutTriggersItsCommand();
};

void TKeysTest::escapeClosesTheWindow_data() {
    QTest::addColumn<QString>("window");
    for (const char* name : {"FormT", "QueryForm", "SaveForm", "FormBook", "AboutBox", "UsechForm",
                             "FormKonstr", "NavigatorForm", "HelpWindow"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TKeysTest::escapeClosesTheWindow() {
    QFETCH(QString, window);
    TProgramRun session;
    TMainWindow& main = session.Start();
    QWidget* shown = WindowNamed(*session.Program, window);
    shown->show();
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QWidget* focus = shown->focusWidget() ? shown->focusWidget() : shown;
    QTest::keyClick(focus, Qt::Key_Escape);
    QVERIFY2(!shown->isVisible(), qPrintable(window));
    if (auto* dialog = qobject_cast<QDialog*>(shown)) QCOMPARE(dialog->result(), int(QDialog::Rejected));
    Q_UNUSED(main);
}

void TKeysTest::arrowsHomeAndEndMoveOnTheBoard() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    const TBoardGeometry geometry(DefaultMoveDiameter);
    for (const char* code : {"88", "89", "9A"}) {
        const std::optional<TBoardPoint> p = PointOfCode(code);
        QTest::mouseClick(BoardArea(main), Qt::LeftButton, {},
                          QPoint(geometry.X(p->Column), geometry.Y(p->Row)));
    }
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    BoardArea(main)->setFocus();
    const struct {
        Qt::Key Key;
        const char *Current, *Forward;
    } steps[] = {{Qt::Key_Left, "8889", "9A"}, {Qt::Key_Left, "88", "899A"}, {Qt::Key_Right, "8889", "9A"},
                 {Qt::Key_Home, "", "88899A"}, {Qt::Key_Left, "", "88899A"}, {Qt::Key_End, "88899A", ""},
                 {Qt::Key_Right, "88899A", ""}};
    for (const auto& step : steps) {
        QTest::keyClick(BoardArea(main), step.Key);
        QCOMPARE(base.CurrentMoves, std::string(step.Current));
        QCOMPARE(base.ForwardMoves, std::string(step.Forward));
        int stones = 0;  // the board follows: one stone a move made
        for (int c = 1; c <= 15; ++c)
            for (int r = 1; r <= 15; ++r) stones += base.BoardGrid[c][r];
        QCOMPARE(stones, int(std::string_view(step.Current).size() / 2));
    }
}

// Each command's key, pressed as the user presses it in the main window (the board's keys with the
// board focused), runs that command and no other; the windows a command opens are closed again.
void TKeysTest::everyShortcutTriggersItsCommand() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    QList<QAction*> commands;
    for (QAction* action : main.findChildren<QAction*>())
        if (!action->shortcut().isEmpty() && action->objectName() != QLatin1String("Exit1"))
            commands.append(action);
    // The file dialogs are cancelled, the question of the entry dialog is not reached.
    session.Dialogs->OpenAnswers = {std::nullopt};
    int pressed = 0;
    for (QAction* command : commands) {
        // A move to take back and one to replay, for the board's keys.
        CurrentSession().ClearBoard();
        CurrentSession().PlayMove("88");
        CurrentSession().PlayMove("89");
        CurrentSession().TakeBackMove();
        QList<QAction*> triggered;
        QList<QMetaObject::Connection> heard;
        for (QAction* action : main.findChildren<QAction*>())
            heard.append(connect(action, &QAction::triggered, this,
                                 [&triggered, action] { triggered.append(action); }));
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        BoardArea(main)->setFocus();
        const QKeyCombination key = command->shortcut()[0];
        QTest::keyClick(BoardArea(main), key.key(), key.keyboardModifiers());
        for (const QMetaObject::Connection& connection : heard) disconnect(connection);
        QVERIFY2(triggered == QList<QAction*>{command},
                 qPrintable(command->objectName() + QStringLiteral(" by ") + command->shortcut().toString()));
        ++pressed;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window != &main) window->hide();
    }
    QCOMPARE(pressed, 17);
    session.Dialogs->Texts(QStringLiteral("warning"));
    QSignalSpy closed(&main, &TMainWindow::Closed);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(closed.count(), 1);
}

KALVON_UI_TEST(TKeysTest);

#include "KeysTest.moc"
