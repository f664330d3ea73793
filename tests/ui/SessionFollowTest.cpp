// The windows over the session follow its changes by its signals alone: the two list models keep
// the model contract (checked by Qt's model tester) across every change of the Listing, and the
// navigator, the listing window and the diagram window follow a deletion nobody told them about.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QListView>
#include <functional>

#include "base/GameTexts.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "ui/DiagramGamesModel.h"
#include "ui/DiagramWindow.h"
#include "ui/ListingModel.h"
#include "ui/ShownText.h"

using namespace browse;

class TSessionFollowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void listModelsKeepTheContractAcrossListingChanges();
    void browsingWindowsFollowADeletionBySignalAlone();
};

namespace {

// The game numbers a model's lines show ("5.B4 - W4..." shows 5; an empty line shows ""), and
// which lines are checked ("x" or "-").
QString Lines(const QAbstractItemModel& model) {
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex line = model.index(row, 0);
        const QString check = line.data(Qt::CheckStateRole).toInt() == Qt::Checked ? "x" : "-";
        lines.append(line.data().toString().section(QLatin1Char('.'), 0, 0) + check);
    }
    return lines.join(QLatin1Char(' '));
}

// The PartyList positions of the diagram window's list.
QString Games(const QAbstractItemModel& model) {
    QStringList games;
    for (int row = 0; row < model.rowCount(); ++row)
        games.append(QString::number(model.index(row, 0).data(Qt::UserRole).toLongLong()));
    return games.join(QLatin1Char(' '));
}

}  // namespace

void TSessionFollowTest::listModelsKeepTheContractAcrossListingChanges() {
    TProgramRun run;
    Start(run, 12);
    TSession& session = run.Program->Session;
    TListingModel lines(session);
    TDiagramGamesModel games(session, nullptr);
    const QAbstractItemModelTester linesTester(&lines,
                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QAbstractItemModelTester gamesTester(&games,
                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The diagram window makes its list anew on every new selection; the listing window's lines
    // follow by themselves while it is shown.
    connect(&session, &TSession::ListingChanged, &games, &TDiagramGamesModel::Fill);
    lines.Follow(true);

    struct TStep {
        const char* What;
        std::function<void()> Change;
        QString Lines, Games;
    };
    const TStep steps[] = {
        {"a selection",
         [&] {
             session.SetListing({4, 0, 9});
         },
         "5x 1x 10x", "4 0 9"},
        {"a line unchecked", [&] { lines.setData(lines.index(1), Qt::Unchecked, Qt::CheckStateRole); },
         "5x 1- 10x", "4 0 9"},
        // The check goes with its line; the diagram's list keeps its order until the next selection.
        {"an entry moved up", [&] { QVERIFY(session.MoveListed(1, 0)); }, "1- 5x 10x", "4 0 9"},
        {"an entry moved down", [&] { QVERIFY(session.MoveListed(0, 2)); }, "5x 10x 1-", "4 0 9"},
        {"an entry that cannot move", [&] { QVERIFY(!session.MoveListed(2, 3)); }, "5x 10x 1-", "4 0 9"},
        {"a game changed in place",
         [&] {
             kalvon::TPartyRecord game = session.Base().PartyList[9];
             game.Moves = "88";
             QVERIFY(session.ReplaceGame(9, game));
         },
         "5x 10x 1-", "4 0 9"},
        // An entry past the end of the base: an empty line, and no game in the diagram's list.
        {"a selection past the base",
         [&] {
             session.SetListing({3, 99});
         },
         "4x x", "3"},
        {"a search", [&] { session.Search(); }, "1x 2x 3x 4x 5x 6x 7x 8x 9x 10x 11x 12x",
         "0 1 2 3 4 5 6 7 8 9 10 11"},
        {"a deletion",
         [&] {
             session.SetListing({2, 3});
             QVERIFY(session.DeleteListed(nullptr));
         },
         "", ""},
        {"not following",
         [&] {
             lines.Follow(false);
             session.SetListing({0});
         },
         "", "0"},
        {"following again, the base cleared",
         [&] {
             lines.Follow(true);
             QCOMPARE(Lines(lines), QStringLiteral("1x"));
             session.SetListing({1});
             session.ClearLists();
         },
         "", ""},
    };
    for (const TStep& step : steps) {
        step.Change();
        QVERIFY2(!QTest::currentTestFailed(), step.What);
        QCOMPARE(Lines(lines), step.Lines);
        QCOMPARE(Games(games), step.Games);
    }
}

void TSessionFollowTest::browsingWindowsFollowADeletionBySignalAlone() {
    TProgramRun run;
    TMainWindow& main = Start(run, 12);
    List(run, {4, 0, 9}, true, true);
    Trigger(main, "Truncated1");
    TNavigatorWindow& navigator = run.Program->NavigatorWindow();
    TDiagramWindow& diagram = run.Program->DiagramWindow();
    QAbstractItemModel* lines = run.Program->ListingWindow().findChild<QListView*>("clbPartys")->model();
    QComboBox* games = diagram.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    QCOMPARE(navigator.PanelCount(), 3);
    QCOMPARE(lines->rowCount(), 3);
    QCOMPARE(games->count(), 3);
    games->setCurrentIndex(2);
    emit games->activated(2);
    QCOMPARE(diagram.DiagramParty(), std::optional<long>(9));

    // "Delete Games in Listing": the main window asks and hands over to the session; the three
    // windows empty themselves, and the diagram window forgets its game.
    run.Dialogs->ConfirmAnswers = {true};
    Trigger(main, "DeleteGamesInListing1");
    QCOMPARE(run.Base().PartyList.size(), size_t(9));
    QCOMPARE(navigator.PanelCount(), 0);
    QCOMPARE(lines->rowCount(), 0);
    QCOMPARE(games->count(), 0);
    QCOMPARE(diagram.DiagramParty(), std::nullopt);

    // The session's command alone, without any window's handler: all three follow as well.
    // The games stand in the order of the file the deletion wrote.
    const auto black = [&](size_t game) {
        return CodePageText(kalvon::PlayerName(run.Base(), run.Base().PartyList[game].BlackId));
    };
    List(run, {1, 5, 7});
    QCOMPARE(Cells(Panel(navigator, 3)).mid(0, 2), QStringList({"8", black(7)}));
    QVERIFY(run.Program->Session.DeleteListed(nullptr));
    QCOMPARE(run.Base().PartyList.size(), size_t(6));
    QCOMPARE(navigator.PanelCount(), 0);
    QCOMPARE(lines->rowCount(), 0);
    QCOMPARE(games->count(), 0);
    // The next selection shows the games under their new numbers in all three.
    List(run, {5});
    const QString fifth = black(5);
    const QString number = fifth.mid(1);  // "B11": game 11 of the base written
    QCOMPARE(Cells(Panel(navigator, 1)).mid(0, 2), QStringList({"6", fifth}));
    QCOMPARE(lines->index(0, 0).data().toString().section(QLatin1Char('('), 0, 0),
             QStringLiteral("6.%1 - W%2").arg(fifth, number));
    QCOMPARE(games->itemText(0),
             QStringLiteral("%1.%2 - W%3").arg(100 + number.toInt(), 5).arg(fifth, number));
    QVERIFY(navigator.isVisible() && run.Program->ListingWindow().isVisible() && diagram.isVisible());
}

KALVON_UI_TEST(TSessionFollowTest);

#include "SessionFollowTest.moc"
