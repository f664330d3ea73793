// The statistics on screen: "Statistic Show" with the memo and the letter labels, "Statistic" in the
// memo or a box, the letter keys on a searched position, the shifted statistics, and a real base.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>

#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "base/BoardMoves.h"
#include "base/PointCodes.h"
#include "search/Statistic.h"
#include "search/StatisticLines.h"
#include "tests/ui/StatisticBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/NavigatorWindow.h"
#include "ui/StatisticMemo.h"

using namespace statbase;

namespace {

// The program started over the hand-made base, opened from the File menu.
TMainWindow& StartWithBase(TProgramRun& session, const QByteArray& content = Content()) {
    session.Write(QStringLiteral("games.bdt"), content);
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    return main;
}

QStringList ShownMemoLines(TMainWindow& main) {
    return Lines(Memo(main)->toPlainText());
}

}  // namespace

class TStatisticTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void statisticShowWidensTheWindowAndLabelsTheNextMoves();
    void labelsFollowThePositionAndSurviveRepaints();
    void lettersPlayTheLabelledMovesOfTheSearch();
    void aStoneOnALabelledPointStaysWhenTheLabelsGo();
    void statisticInABoxOpensTheNavigatorOnlyWithGames();
    void emptyBaseAndUnknownPositionGiveTotalZero();
    void shiftedStatisticsInTheBoxAndTheMemo();
    void realBaseMemoAndLettersMatchTheEngine();
    void labelsPastTheAlphabetGoOnInLowerCase();
    void memoShowsTheFirstLineAndCopiesLines();
};

void TStatisticTest::statisticShowWidensTheWindowAndLabelsTheNextMoves() {
    TProgramRun session;
    TMainWindow& main = StartWithBase(session);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    Play(main, Position);
    const QImage unlabelled = BoardArea(main)->Canvas();
    QCOMPARE(main.frameGeometry().width(), 467);
    QVERIFY(Memo(main)->toPlainText().isEmpty());  // nothing searched while the memo is hidden

    QTest::keyClick(&main, Qt::Key_F8);
    QVERIFY(Action(main, "StatisticShow")->isChecked());
    QCOMPARE(main.frameGeometry().width(), 627);
    QVERIFY(Memo(main)->isVisible());
    QCOMPARE(Memo(main)->geometry().left(), 460);
    QCOMPARE(ShownMemoLines(main), MemoLines);
    QCOMPARE(Memo(main)->FirstVisibleLine(), 0);
    QCOMPARE(CurrentSession().AlfMoves(), Labels);
    for (size_t k = 0; k < Labels.size(); k += 2) QVERIFY(HasLabel(main, Labels.substr(k, 2)));
    QVERIFY(!HasLabel(main, "B4"));
    QCOMPARE(session.Base().Listing.size(), size_t(16));

    QTest::keyClick(&main, Qt::Key_F8);
    QVERIFY(!Action(main, "StatisticShow")->isChecked());
    QCOMPARE(main.frameGeometry().width(), 467);
    QVERIFY(!Memo(main)->isVisible());
    QVERIFY(CurrentSession().AlfMoves().empty());
    QCOMPARE(BoardArea(main)->Canvas(), unlabelled);

    // Hidden, the memo keeps its lines; they are searched again on the next showing.
    QCOMPARE(ShownMemoLines(main), MemoLines);
    QTest::keyClick(BoardArea(main), '-');
    Trigger(main, "StatisticShow");
    QCOMPARE(ShownMemoLines(main).first(), QStringLiteral("Total: 16"));
    QCOMPARE(CurrentSession().AlfMoves(), std::string("99"));
}

void TStatisticTest::labelsFollowThePositionAndSurviveRepaints() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), Content());
    TMainWindow& main = session.Start();
    Trigger(main, "StatisticShow");
    // Statistics of the empty base; loading a base searches again.
    QCOMPARE(ShownMemoLines(main), QStringList({QStringLiteral("Total: 0"), QStringLiteral("0 +0-0=0")}));
    Play(main, Position);
    QCOMPARE(Memo(main)->toPlainText(), QStringLiteral("Total: 0\n0 +0-0=0"));
    main.BaseItems().first()->trigger();
    QCOMPARE(ShownMemoLines(main), MemoLines);

    // A full repaint, as after "Numeration", draws the labels again from AlfMoves.
    Trigger(main, "Num");
    QVERIFY(HasLabel(main, "B9"));
    Trigger(main, "Num");
    QVERIFY(HasLabel(main, "B9"));

    // Taking back searches the shorter position; its labels replace the old ones.
    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(ShownMemoLines(main).mid(0, 3),
             QStringList({QStringLiteral("Total: 16"), QStringLiteral("16 +6F1-5f1=2?1"),
                          QStringLiteral("(A)J9: 16 +6F1-5f1=2?1")}));
    QCOMPARE(CurrentSession().AlfMoves(), std::string("99"));
    QVERIFY(!HasLabel(main, "B9"));
    QVERIFY(HasLabel(main, "99"));

    // "Clear Board" searches the empty board: every game of the base, its first moves as labels.
    Trigger(main, "N2");
    QCOMPARE(ShownMemoLines(main).first(), QStringLiteral("Total: 18"));
    QVERIFY(!CurrentSession().AlfMoves().empty());
    QVERIFY(HasLabel(main, CurrentSession().AlfMoves().substr(0, 2)));

    // "In Start" and "In End" search the position they reach: the memo and the labels follow.
    Play(main, Position);
    Trigger(main, "N15");
    QCOMPARE(ShownMemoLines(main).first(), QStringLiteral("Total: 18"));
    QVERIFY(HasLabel(main, CurrentSession().AlfMoves().substr(0, 2)));
    Trigger(main, "N16");
    QCOMPARE(ShownMemoLines(main), MemoLines);
    QVERIFY(HasLabel(main, "B9"));
}

void TStatisticTest::lettersPlayTheLabelledMovesOfTheSearch() {
    TProgramRun session;
    TMainWindow& main = StartWithBase(session);
    const kalvon::TGameBase& base = session.Base();
    Play(main, Position);

    // Hidden statistics: letters do nothing.
    QTest::keyClick(BoardArea(main), 'a');
    QCOMPARE(base.CurrentMoves, Position);

    Trigger(main, "StatisticShow");
    QTest::keyClick(BoardArea(main), 'c');
    QCOMPARE(base.CurrentMoves, Position + "98");
    // The three games of J8 end there.
    QCOMPARE(ShownMemoLines(main), QStringList({QStringLiteral("Total: 3"), QStringLiteral("3 +0-3=0"),
                                                QStringLiteral("End: 3 +0-3=0")}));
    QVERIFY(CurrentSession().AlfMoves().empty());
    QTest::keyClick(BoardArea(main), 'a');  // no label left
    QCOMPARE(base.CurrentMoves, Position + "98");

    QTest::keyClick(BoardArea(main), '-');
    QCOMPARE(CurrentSession().AlfMoves(), Labels);
    QCOMPARE(base.ForwardMoves, std::string("98"));
    QTest::keyClick(BoardArea(main), 'C', Qt::ShiftModifier);
    QCOMPARE(base.CurrentMoves, Position + "98");
    QCOMPARE(base.ForwardMoves, std::string());

    // "F": five labels only; the continuation goes and nothing is played. "Z" likewise.
    QTest::keyClick(BoardArea(main), '-');
    QTest::keyClick(BoardArea(main), 'F', Qt::ShiftModifier);
    QCOMPARE(base.CurrentMoves, Position);
    QCOMPARE(base.ForwardMoves, std::string());
    QVERIFY(!Action(main, "N14")->isEnabled());
    QTest::keyClick(BoardArea(main), 'z');
    QCOMPARE(base.CurrentMoves, Position);
    QCOMPARE(CurrentSession().AlfMoves(), Labels);

    // "+" with nothing to replay plays label A; the new position is searched.
    QTest::keyClick(BoardArea(main), '+');
    QCOMPARE(base.CurrentMoves, Position + "6A");
    QCOMPARE(ShownMemoLines(main).first(), QStringLiteral("Total: 5"));
    const QPoint stone = Centre("6A");
    QCOMPARE(Pixel(main, stone + QPoint(-11, 0)), qRgb(255, 255, 255));  // move 6 is white
}

void TStatisticTest::aStoneOnALabelledPointStaysWhenTheLabelsGo() {
    TProgramRun session;
    TMainWindow& main = StartWithBase(session);
    Play(main, Position);
    Trigger(main, "StatisticShow");
    QVERIFY(HasLabel(main, "8A"));
    // A stone put on label B without a search, then the labels are removed with the memo.
    CurrentSession().PlayMove("8A");
    Board(main)->DrawMove(QStringLiteral("6"), "8A");
    Trigger(main, "StatisticShow");
    const QPoint stone = Centre("8A");
    QCOMPARE(Pixel(main, stone + QPoint(-11, 0)), qRgb(255, 255, 255));
    QCOMPARE(Pixel(main, stone + QPoint(-15, 0)), qRgb(0, 0, 0));  // its outline
    // The other labels are gone: the points show the bare board again.
    QVERIFY(!HasLabel(main, "6A"));
    QCOMPARE(Pixel(main, Centre("6A") + QPoint(-11, 0)), qRgb(0, 0, 0));  // the grid line
    QCOMPARE(Pixel(main, Centre("6A") + QPoint(-8, -8)), qRgb(179, 255, 179));
}

void TStatisticTest::statisticInABoxOpensTheNavigatorOnlyWithGames() {
    TProgramRun session;
    TMainWindow& main = StartWithBase(session);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QWidget* navigator = &session.Program->NavigatorWindow();

    // A position no game reached: the box says so and the navigator stays closed.
    Play(main, "11");
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{QStringLiteral("Total: 0 +0-0=0")});
    QVERIFY(!navigator->isVisible());
    QVERIFY(session.Base().Listing.empty());

    Trigger(main, "N2");
    Play(main, Position);
    session.Dialogs->Shown.clear();
    Trigger(main, "N8");
    QCOMPARE(
        session.Dialogs->Texts(QStringLiteral("information")),
        QStringList{QStringLiteral("Total: 16 +6F1-5f1=2?1\n?: 1 +0-0=1\nF10: 5 +2-1=1?1\nH10: 4 +3-1=0\n"
                                   "J8: 3 +0-3=0\nG7: 2 +0F1-0f1=0\nL9: 1 +1-0=0")});
    // "Statistic" opens the navigator on the games found.
    QVERIFY(navigator->isVisible());
    QCOMPARE(session.Base().Listing.size(), size_t(16));
    // The box draws no labels and leaves the memo alone.
    QVERIFY(CurrentSession().AlfMoves().empty());
    QVERIFY(!HasLabel(main, "6A"));
    QVERIFY(Memo(main)->toPlainText().isEmpty());

    // While the statistics are hidden, moving on the board runs no search.
    session.Dialogs->Shown.clear();
    QTest::keyClick(BoardArea(main), '-');
    QVERIFY(session.Dialogs->Shown.isEmpty());
    QCOMPARE(session.Base().Listing.size(), size_t(16));
}

void TStatisticTest::emptyBaseAndUnknownPositionGiveTotalZero() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "N8");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{QStringLiteral("Total: 0 +0-0=0")});
    QVERIFY(!session.Program->NavigatorWindow().isVisible());

    Trigger(main, "StatisticShow");
    Play(main, "8899");
    QCOMPARE(ShownMemoLines(main), QStringList({QStringLiteral("Total: 0"), QStringLiteral("0 +0-0=0")}));
    QVERIFY(CurrentSession().AlfMoves().empty());
    QTest::keyClick(BoardArea(main), 'a');
    QCOMPARE(session.Base().CurrentMoves, std::string("8899"));
}

void TStatisticTest::shiftedStatisticsInTheBoxAndTheMemo() {
    TProgramRun session;
    // The position below moved one point right is the opening of the first two games.
    TMainWindow& main = StartWithBase(session,
                                      "2003,a0001=[A,B,+,8889999A7A,?,-]\r\n"
                                      "2003,a0002=[A,B,-,8889999A,?,-]\r\n"
                                      "2003,a0003=[A,B,=,8898,?,-]\r\n");
    QWidget* navigator = &session.Program->NavigatorWindow();
    Play(main, "7879898A");
    Trigger(main, "TwoShift1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")),
             QStringList{QStringLiteral("Total: 0 +0-0=0")});
    QVERIFY(session.Base().Listing.empty());
    QVERIFY(!navigator->isVisible());

    Trigger(main, "OneShift1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("information")).last(), QStringLiteral("Total: 2 +1-1=0"));
    QCOMPARE(session.Base().Listing, kalvon::TListing({0, 1}));
    QVERIFY(navigator->isVisible());

    // In the memo: one line; the labels of the last search go. The empty board has no shifted position.
    navigator->hide();
    Trigger(main, "N2");
    Trigger(main, "StatisticShow");
    QCOMPARE(CurrentSession().AlfMoves(), std::string("88"));
    QVERIFY(HasLabel(main, "88"));
    Trigger(main, "OneShift1");
    QCOMPARE(Memo(main)->toPlainText(), QStringLiteral("Total: 0 +0-0=0"));
    QVERIFY(CurrentSession().AlfMoves().empty());
    QVERIFY(!HasLabel(main, "88"));
    QVERIFY(!navigator->isVisible());

    session.Dialogs->Shown.clear();
    Play(main, "7879898A");
    Trigger(main, "OneShift1");
    QCOMPARE(Memo(main)->toPlainText(), QStringLiteral("Total: 2 +1-1=0"));
    QVERIFY(session.Dialogs->Shown.isEmpty());
    QCOMPARE(session.Base().Listing, kalvon::TListing({0, 1}));
}

void TStatisticTest::realBaseMemoAndLettersMatchTheEngine() {
    const QString path = QStringLiteral(KALVON_SHARED_DATA "/gomocup-standard-2021.bdt");
    if (!QFile::exists(path)) QSKIP("the real games are not at hand");
    TProgramRun session;
    QFile source(path);
    QVERIFY(source.open(QIODevice::ReadOnly));
    TMainWindow& main = StartWithBase(session, source.readAll());
    QCOMPARE(session.Base().PartyList.size(), size_t(2492));
    Trigger(main, "StatisticShow");

    // The engine on its own copy of the base, for the same positions.
    kalvon::TGameBase engine;
    kalvon::TSilentUi silent;
    QVERIFY(kalvon::LoadBase(engine, path.toStdString(), silent));
    kalvon::TPositionIndex index;

    // Eight moves of a game by clicks, then the game's own ninth move by its letter.
    int checked = 0;
    for (size_t g = 0; g < engine.PartyList.size() && checked < 5; g += 397) {
        const std::string moves(engine.PartyList[g].Moves);
        if (moves.size() < 20) continue;
        Trigger(main, "N2");
        Play(main, std::string_view(moves).substr(0, 16));
        engine.CurrentMoves = moves.substr(0, 16);
        const kalvon::TStatistic statistic = kalvon::MakeStatistic(engine, {}, index);
        QStringList expected;
        for (const std::string& line : kalvon::StatisticMemoLines(statistic))
            expected.append(QString::fromStdString(line));
        QCOMPARE(ShownMemoLines(main), expected);
        QCOMPARE(session.Base().Listing, engine.Listing);
        QCOMPARE(CurrentSession().AlfMoves(), kalvon::StatisticAlfMoves(statistic));

        const size_t label = CurrentSession().AlfMoves().find(moves.substr(16, 2));
        if (label == std::string::npos || label % 2 != 0 || label / 2 >= 26) continue;
        QTest::keyClick(BoardArea(main), char('a' + label / 2));
        QCOMPARE(session.Base().CurrentMoves, moves.substr(0, 18));
        ++checked;
    }
    QVERIFY(checked >= 3);
}

void TStatisticTest::labelsPastTheAlphabetGoOnInLowerCase() {
    // Thirty games opening on thirty points of which no two are images of each other.
    QByteArray content;
    int board = 1;
    for (int x = 8; x <= 15 && board <= 30; ++x)
        for (int y = x; y <= 15 && board <= 30; ++y, ++board)
            content += QStringLiteral("2003,%1=[A,B,+,%2%3,?,-]\r\n")
                           .arg(board, 5, 10, QLatin1Char('0'))
                           .arg(QChar::fromLatin1(kalvon::PointDigit(x)))
                           .arg(QChar::fromLatin1(kalvon::PointDigit(y)))
                           .toLatin1();
    TProgramRun session;
    TMainWindow& main = StartWithBase(session, content);
    Trigger(main, "StatisticShow");
    QCOMPARE(CurrentSession().AlfMoves().size(), size_t(60));
    const QStringList memo = ShownMemoLines(main);
    QCOMPARE(memo.size(), 32);
    QVERIFY(memo.at(2 + 25).startsWith(QLatin1String("(Z)")));
    QVERIFY(memo.at(2 + 26).startsWith(QLatin1String("(a)")));
    QVERIFY(memo.at(2 + 29).startsWith(QLatin1String("(d)")));
    const std::string a = CurrentSession().AlfMoves().substr(52, 2);
    QVERIFY(HasLabel(main, a));
    // The key "a" is label A, not the 27th.
    const std::string first = CurrentSession().AlfMoves().substr(0, 2);
    QTest::keyClick(BoardArea(main), 'a');
    QCOMPARE(session.Base().CurrentMoves, first);
}

void TStatisticTest::memoShowsTheFirstLineAndCopiesLines() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "StatisticShow");
    TStatisticMemo* memo = Memo(main);
    std::vector<std::string> lines;
    for (int i = 0; i < 80; ++i) lines.push_back("line " + std::to_string(i));
    lines[1] = "(\xC0)H8: 1 +1-0=0";  // a label past the Latin letters, in the code page
    memo->SetLines(lines);
    QCOMPARE(memo->Lines().at(1), QString::fromUtf8("(\u0410)H8: 1 +1-0=0"));
    QTest::keyClick(memo, Qt::Key_End);
    QVERIFY(memo->FirstVisibleLine() > 0);
    memo->SetLines(lines);
    QCOMPARE(memo->FirstVisibleLine(), 0);

    // Lines chosen with the mouse, or all of them, go to the clipboard.
    const int height = memo->fontMetrics().lineSpacing();
    QTest::mousePress(memo->viewport(), Qt::LeftButton, {}, QPoint(10, 3 + height * 2 + 1));
    QTest::mouseMove(memo->viewport(), QPoint(10, 3 + height * 3 + 1));
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, {}, QPoint(10, 3 + height * 3 + 1));
    QCOMPARE(memo->SelectedText(), QStringLiteral("line 2\nline 3"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("line 2\nline 3"));
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), memo->toPlainText());
    QCOMPARE(session.Base().CurrentMoves, std::string());  // no key reached the board
}

KALVON_UI_TEST(TStatisticTest);

#include "StatisticTest.moc"
