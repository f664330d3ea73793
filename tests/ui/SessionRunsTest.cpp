// The session runs the program: the memo is the tool's statistics of the position on the board after
// every command, a game's number in the windows is its number in the file after every rewrite, and
// the status line names the query in force.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include "base/GameTexts.h"
#include "exchange/SgfWriter.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "ui/DiagramWindow.h"
#include "ui/GameEntryDialog.h"
#include "ui/QueryDialog.h"
#include "ui/ShownText.h"

using namespace browse;

class TSessionRunsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void theMemoIsTheToolsStatisticsAfterEachCommand();
    void aGamesNumberIsItsNumberInTheFileAfterEachRewrite();
    void theStatusLineNamesTheQueryInForce();
};

namespace {

// What kalvon-cli prints for the arguments, run in the folder of the run; its lines.
QStringList Tool(TProgramRun& run, const QStringList& arguments) {
    QProcess cli;
    cli.setWorkingDirectory(run.Path(QString()));
    cli.start(QStringLiteral(KALVON_CLI), arguments);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) {
        qWarning("kalvon-cli %s: %s", qPrintable(arguments.join(' ')),
                 cli.readAllStandardError().constData());
        return {};
    }
    QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QString Position(const kalvon::TGameBase& base) {
    return base.CurrentMoves.empty() ? QStringLiteral("-") : QString::fromStdString(base.CurrentMoves);
}

// The memo's lines against the tool's statistics of the position on the board.
bool MemoIsTheTools(TProgramRun& run) {
    const QStringList tool =
        Tool(run, {QStringLiteral("stat"), QStringLiteral("games.bdt"), Position(run.Base())});
    const QStringList memo = Memo(run.Main())->Lines();
    if (memo == tool && !tool.isEmpty()) return true;
    qWarning("memo: %s\ntool: %s", qPrintable(memo.join('|')), qPrintable(tool.join('|')));
    return false;
}

// The number the navigator shows for the game listed alone.
QString NavigatorNumber(TProgramRun& run, long game) {
    run.Program->Session.SetListing({int32_t(game)});
    run.Program->Show(TWindowKind::Navigator);
    return Panel(run.Program->NavigatorWindow(), 1)->edNum->text();
}

// The number of the game of that base line in the tool's listing of the whole base.
QString ToolNumber(TProgramRun& run, const QString& black, const QString& board) {
    for (const QString& line : Tool(run, {QStringLiteral("stat"), QStringLiteral("games.bdt"),
                                          QStringLiteral("-"), QStringLiteral("--listing")}))
        if (line.contains(QLatin1Char('.') + black + QStringLiteral(" - ")) &&
            line.contains(board + QLatin1Char(')')))
            return line.section(QLatin1Char('.'), 0, 0);
    return {};
}

// The diagram the window draws for the game and the one the tool draws for its number, alike.
bool ToolDrawsTheGame(TProgramRun& run, long game, const QString& number) {
    TDiagramWindow& diagram = run.Program->DiagramWindow();
    run.Program->Session.SetListing({int32_t(game)});
    run.Program->Show(TWindowKind::Diagram);
    auto* games = diagram.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    games->setCurrentIndex(0);
    emit games->activated(0);
    diagram.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("window"));
    diagram.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    run.Dialogs->Texts(QStringLiteral("information"));
    diagram.hide();
    if (Tool(run, {QStringLiteral("diagram"), QStringLiteral("games.bdt"), number,
                   QStringLiteral("tool.bmp")}) != QStringList())
        return false;
    const QImage window(run.Path(QStringLiteral("Out/window.bmp")), "BMP"),
        tool(run.Path(QStringLiteral("tool.bmp")), "BMP");
    return !window.isNull() &&
           window.convertToFormat(QImage::Format_RGB32) == tool.convertToFormat(QImage::Format_RGB32);
}

// The position of the first game of that black player, or -1.
long GameOf(const kalvon::TGameBase& base, const std::string& black) {
    for (size_t g = 0; g < base.PartyList.size(); ++g)
        if (kalvon::PlayerName(base, base.PartyList[g].BlackId) == black) return long(g);
    return -1;
}

void TypeNewGame(TProgramRun& run, const QString& black, const QString& board) {
    Trigger(run.Main(), "SaveGame1");
    QWidget& entry = run.Program->GameEntryDialog();
    entry.findChild<QComboBox*>(QStringLiteral("cbBlack"))->setEditText(black);
    entry.findChild<QComboBox*>(QStringLiteral("cbWhite"))->setEditText(QStringLiteral("OTHER"));
    entry.findChild<QLineEdit*>(QStringLiteral("edYear"))->setText(QStringLiteral("1998"));
    entry.findChild<QLineEdit*>(QStringLiteral("edKod"))->setText(board);
    entry.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
}

}  // namespace

void TSessionRunsTest::theMemoIsTheToolsStatisticsAfterEachCommand() {
    TProgramRun run;
    TMainWindow& main = Start(run, 12);
    Trigger(main, "StatisticShow");
    QVERIFY(MemoIsTheTools(run));

    // Right after "Save Game" of a new game the memo counts it.
    CurrentSession().PlayMove("12");
    CurrentSession().PlayMove("22");
    QVERIFY(MemoIsTheTools(run));
    TypeNewGame(run, QStringLiteral("SAVED"), QStringLiteral("777"));
    QCOMPARE(run.Base().PartyList.size(), size_t(13));
    QVERIFY(Memo(main)->Lines().first() != QStringLiteral("Total: 0"));
    QVERIFY(MemoIsTheTools(run));

    // A game opened from the navigator: the memo is its position's; the Listing stays for browsing.
    List(run, {2, 5, 7});
    QTest::mouseClick(Panel(run.Program->NavigatorWindow(), 2), Qt::LeftButton, {}, QPoint(250, 20));
    QCOMPARE(run.Base().CurrentParty, 5L);
    QVERIFY(MemoIsTheTools(run));
    QCOMPARE(run.Base().Listing, kalvon::TListing({2, 5, 7}));

    // From the listing window, likewise.
    List(run, {1, 9}, false, true);
    auto* lines = run.Program->ListingWindow().findChild<QListView*>(QStringLiteral("clbPartys"));
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, {},
                      lines->visualRect(lines->model()->index(1, 0)).center());
    QCOMPARE(run.Base().CurrentParty, 9L);
    QVERIFY(MemoIsTheTools(run));
    QCOMPARE(run.Base().Listing, kalvon::TListing({1, 9}));

    // "In Start" and "In End" bring the memo along, and keep the Listing too.
    Trigger(main, "N15");
    QVERIFY(MemoIsTheTools(run));
    Trigger(main, "N16");
    QVERIFY(MemoIsTheTools(run));
    QCOMPARE(run.Base().Listing, kalvon::TListing({1, 9}));
}

void TSessionRunsTest::aGamesNumberIsItsNumberInTheFileAfterEachRewrite() {
    TProgramRun run;
    TMainWindow& main = Start(run, 12);
    const auto check = [&](const char* after, const std::string& black, const QString& board) {
        const long game = GameOf(run.Base(), black);
        QVERIFY2(game >= 0, after);
        const QString number = NavigatorNumber(run, game);
        QCOMPARE(number, QString::number(game + 1));
        QVERIFY2(number == ToolNumber(run, QString::fromStdString(black), board), after);
        QVERIFY2(ToolDrawsTheGame(run, game, number), after);
    };
    // A save: the new game sorts among the others.
    TypeNewGame(run, QStringLiteral("SAVED"), QStringLiteral("777"));
    check("a save", "SAVED", QStringLiteral("  777"));
    check("a save", "B7", QStringLiteral("  107"));

    // A deletion.
    run.Dialogs->ConfirmAnswers = {true};
    CurrentSession().SetListing({int32_t(GameOf(run.Base(), "B0")), int32_t(GameOf(run.Base(), "B3"))});
    Trigger(main, "DeleteGamesInListing1");
    QCOMPARE(run.Base().PartyList.size(), size_t(11));
    check("a deletion", "SAVED", QStringLiteral("  777"));
    check("a deletion", "B11", QStringLiteral("  111"));

    // "Add New Games".
    run.Write(QStringLiteral("add/added.txt"), Notification("1997,  555=[ADDED,OTHER,+,8889,?,-]"));
    Trigger(main, "AddNewGames1");
    run.Dialogs->Texts(QStringLiteral("information"));
    check("an add", "ADDED", QStringLiteral("  555"));
    check("an add", "SAVED", QStringLiteral("  777"));

    // An import of an SGF file.
    kalvon::TGameBase imported;
    kalvon::AddBaseLine(imported, "1996,  444=[IMPORTED,OTHER,-,88899A,?,-]");
    std::string sgf;
    kalvon::AppendSgfGame(sgf, imported, imported.PartyList.front());
    run.Write(QStringLiteral("import/game.sgf"), QByteArray::fromStdString(sgf));
    run.Dialogs->ChooseAnswers = {0};
    run.Dialogs->OpenAnswers = {QStringList{run.Path(QStringLiteral("import/game.sgf"))}};
    Trigger(main, "ImportGames1");
    run.Dialogs->Texts(QStringLiteral("information"));
    const long game = GameOf(run.Base(), "IMPORTED");
    QVERIFY(game >= 0);
    check("an import", "IMPORTED", CodePageText(run.Base().PartyList[size_t(game)].Board));
    check("an import", "ADDED", QStringLiteral("  555"));
}

void TSessionRunsTest::theStatusLineNamesTheQueryInForce() {
    TProgramRun run;
    TMainWindow& main = Start(run, 12);
    auto* query = main.findChild<QLabel*>(QStringLiteral("StatusQuery"));
    QCOMPARE(query->text(), QStringLiteral("Whole base"));
    Trigger(main, "Execute1");
    QWidget& dialog = run.Program->QueryDialog();
    dialog.findChild<QCheckBox*>(QStringLiteral("cb3"))->setChecked(true);
    dialog.findChild<QComboBox*>(QStringLiteral("cbPlayer"))->setEditText(QStringLiteral("B4"));
    dialog.findChild<QRadioButton*>(QStringLiteral("rgColorBlack"))->setChecked(true);
    dialog.findChild<QCheckBox*>(QStringLiteral("cb2"))->setChecked(true);
    dialog.findChild<QComboBox*>(QStringLiteral("cbTurn"))->setEditText(QStringLiteral("2001"));
    dialog.findChild<QCheckBox*>(QStringLiteral("cbFinish"))->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(query->text(), QStringLiteral("Query: B4 as black, 2001, not finished"));
    // The dialog opens with its boxes unchecked; "Base" searches the whole base again.
    Trigger(main, "Execute1");
    QVERIFY(!dialog.findChild<QCheckBox*>(QStringLiteral("cb3"))->isChecked());
    dialog.findChild<QCheckBox*>(QStringLiteral("cb1"))->setChecked(true);
    dialog.findChild<QCheckBox*>(QStringLiteral("cbFinish"))->setChecked(false);
    dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(query->text(), QStringLiteral("Whole base"));
}

KALVON_UI_TEST(TSessionRunsTest);

#include "SessionRunsTest.moc"
