// The listing window: its lines, opening a game, the four moves, OK and Cancel, and the two commands
// "Listing Games" and "Delete Games in Listing".
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <numeric>

#include "base/BaseFile.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"

using namespace browse;

class TListingWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void init();
    void cleanup() { Run_.reset(); }
    void linesNameTheGamesOfTheListing();
    void okKeepsTheCheckedGamesInLineOrder();
    void movesReachTheListingAtOnceAndStayAfterCancel();
    void theMovedLineStaysInView();
    void theLastOfAHundredThousandLinesComesIntoView();
    void aLineOpensItsGameWhole();
    void deletingAsksThenRewritesTheFile();
    void aFailedDeleteKeepsEveryGame();

private:
    TListingWindow& Listing() { return Run_->Program->ListingWindow(); }
    QListView* Lines() { return Listing().findChild<QListView*>(QStringLiteral("clbPartys")); }
    QStringList Texts();
    QList<bool> Checks();
    void Press(const char* button) {
        if (auto* speed = Listing().findChild<QToolButton*>(QLatin1String(button)))
            speed->click();
        else
            Listing().findChild<QPushButton*>(QLatin1String(button))->click();
    }
    void Select(int line) { Lines()->setCurrentIndex(Lines()->model()->index(line, 0)); }
    std::unique_ptr<TProgramRun> Run_;
    TMainWindow* Main_ = nullptr;
};

void TListingWindowTest::init() {
    Run_ = std::make_unique<TProgramRun>();
    Main_ = &Start(*Run_, 12);
}

QStringList TListingWindowTest::Texts() {
    QStringList texts;
    for (int i = 0; i < Lines()->model()->rowCount(); ++i)
        texts.append(Lines()->model()->index(i, 0).data().toString());
    return texts;
}

QList<bool> TListingWindowTest::Checks() {
    QList<bool> checks;
    for (int i = 0; i < Lines()->model()->rowCount(); ++i)
        checks.append(Lines()->model()->index(i, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked);
    return checks;
}

void TListingWindowTest::linesNameTheGamesOfTheListing() {
    Trigger(*Main_, "ListingGames1");
    QCOMPARE(Run_->Dialogs->Texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Listing games is empty!")});
    QVERIFY(!Listing().isVisible());
    CurrentSession().SetListing({4, 0, 9});
    Trigger(*Main_, "ListingGames1");
    QVERIFY(Listing().isVisible());
    QCOMPARE(Texts(),
             QStringList({"5.B4 - W4(2001,  104)", "1.B0 - W0(2000,  100)", "10.B9 - W9(2000,  109)"}));
    QCOMPARE(Checks(), QList<bool>({true, true, true}));
    QCOMPARE(Lines()->currentIndex().row(), 0);
    for (const char* hint : {"Check All", "To Raise on first line", "To Raise party up",
                             "To Lower party down", "To Lower on last line", "Cancel All"}) {
        bool found = false;
        for (QToolButton* button : Listing().findChildren<QToolButton*>())
            found |= button->toolTip() == QLatin1String(hint);
        QVERIFY2(found, hint);
    }
    // A search while the window is shown refills it.
    Trigger(*Main_, "N8");
    QCOMPARE(Lines()->model()->rowCount(), 12);
}

void TListingWindowTest::okKeepsTheCheckedGamesInLineOrder() {
    List(*Run_, {4, 0, 9}, true, true);
    QVERIFY(Listing().isVisible());
    Lines()->model()->setData(Lines()->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    Press("BitBtn1");
    QVERIFY(!Listing().isVisible());
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({4, 9}));
    TNavigatorWindow& navigator = Run_->Program->NavigatorWindow();
    QCOMPARE(navigator.PanelCount(), 2);
    QCOMPARE(Panel(navigator, 2)->edNum->text(), QStringLiteral("10"));
    // "Cancel All" then OK leaves nothing; unchecked lines are forgotten at the next showing.
    Trigger(*Main_, "ListingGames1");
    QCOMPARE(Checks(), QList<bool>({true, true}));
    Press("SpeedButton6");
    QCOMPARE(Checks(), QList<bool>({false, false}));
    Press("SpeedButton1");
    Press("SpeedButton6");
    Press("BitBtn1");
    QVERIFY(Run_->Base().Listing.empty());
    QCOMPARE(navigator.PanelCount(), 0);
}

// "To last line" in a listing of 100,000 games: the moved game is the last line, and it is in view.
void TListingWindowTest::theLastOfAHundredThousandLinesComesIntoView() {
    Run_.reset();  // one program at a time
    Run_ = std::make_unique<TProgramRun>();
    Main_ = &Start(*Run_, 100000);
    kalvon::TListing all(100000);
    std::iota(all.begin(), all.end(), 0);
    List(*Run_, std::move(all), false, true);
    QVERIFY(QTest::qWaitForWindowExposed(&Listing()));
    Select(0);
    Press("SpeedButton5");
    QCOMPARE(Lines()->currentIndex().row(), 99999);
    // The long list is laid out in batches: the line comes into view once they are done.
    QTRY_VERIFY(Lines()->viewport()->rect().contains(Lines()->visualRect(Lines()->currentIndex())));
}

void TListingWindowTest::theMovedLineStaysInView() {
    List(*Run_, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, false, true);
    QVERIFY(QTest::qWaitForWindowExposed(&Listing()));
    Lines()->setFixedHeight(3 * Lines()->sizeHintForRow(0) + 2 * Lines()->frameWidth());
    const struct {
        int Selected;
        const char* Button;
        int Row;
    } steps[] = {{0, "SpeedButton5", 11}, {11, "SpeedButton2", 0}, {10, "SpeedButton3", 9},
                 {0, "SpeedButton4", 1},  {1, "SpeedButton5", 11}, {11, "SpeedButton3", 10}};
    for (const auto& step : steps) {
        Select(step.Selected);
        Lines()->scrollTo(Lines()->currentIndex());
        Press(step.Button);
        QCOMPARE(Lines()->currentIndex().row(), step.Row);
        const QRect line = Lines()->visualRect(Lines()->currentIndex());
        QVERIFY2(Lines()->viewport()->rect().contains(line), step.Button);
    }
}

void TListingWindowTest::movesReachTheListingAtOnceAndStayAfterCancel() {
    List(*Run_, {4, 0, 9, 7}, true, true);
    TNavigatorWindow& navigator = Run_->Program->NavigatorWindow();
    // Up on the first line and Down on the last change nothing.
    Select(0);
    Press("SpeedButton3");
    Select(3);
    Press("SpeedButton4");
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({4, 0, 9, 7}));
    Lines()->model()->setData(Lines()->model()->index(3, 0), Qt::Unchecked, Qt::CheckStateRole);
    Press("SpeedButton2");
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({7, 4, 0, 9}));
    QCOMPARE(Lines()->currentIndex().row(), 0);
    // The check goes with its line.
    QCOMPARE(Checks(), QList<bool>({false, true, true, true}));
    // The navigator follows at once.
    QCOMPARE(Panel(navigator, 1)->edNum->text(), QStringLiteral("8"));
    Select(1);
    Press("SpeedButton4");
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({7, 0, 4, 9}));
    Press("SpeedButton5");
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({7, 0, 9, 4}));
    QCOMPARE(Lines()->currentIndex().row(), 3);
    Press("SpeedButton3");
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({7, 0, 4, 9}));
    QCOMPARE(Texts().first(), QStringLiteral("8.B7 - W7(2001,  107)"));
    Press("BitBtn2");
    QVERIFY(!Listing().isVisible());
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({7, 0, 4, 9}));
}

void TListingWindowTest::aLineOpensItsGameWhole() {
    Trigger(*Main_, "StatisticShow");
    QVERIFY(!CurrentSession().AlfMoves().empty());
    List(*Run_, {4, 1, 9}, false, true);
    Select(1);
    const QRect line = Lines()->visualRect(Lines()->currentIndex());
    // A click on the check box only unchecks the line.
    QTest::mouseClick(Lines()->viewport(), Qt::LeftButton, {}, QPoint(line.left() + 9, line.center().y()));
    QCOMPARE(Checks(), QList<bool>({true, false, true}));
    QVERIFY(!Run_->Base().EditMode);
    QTest::mouseClick(Lines()->viewport(), Qt::LeftButton, {}, line.center());
    QCOMPARE(Run_->Base().CurrentParty, 1L);
    QCOMPARE(Run_->Base().CurrentMoves, Moves(30));
    int stones = 0;
    for (const auto& column : Run_->Base().BoardGrid)
        for (int point : column) stones += point != 0;
    QCOMPARE(stones, 30);
    QVERIFY(CurrentSession().AlfMoves().empty());
    QVERIFY(Button(*Main_, "ToolButton6")->isEnabled());
    // Enter on the list opens the selected line's game.
    Select(2);
    QTest::keyClick(Lines(), Qt::Key_Return);
    QCOMPARE(Run_->Base().CurrentParty, 9L);
}

void TListingWindowTest::deletingAsksThenRewritesTheFile() {
    Trigger(*Main_, "DeleteGamesInListing1");
    QCOMPARE(Run_->Dialogs->Texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Listing games is empty!")});
    List(*Run_, {4, 0, 9, 4}, true, true);
    Run_->Dialogs->ConfirmAnswers = {false, true};
    Trigger(*Main_, "DeleteGamesInListing1");
    QCOMPARE(Run_->Base().PartyList.size(), size_t(12));
    Trigger(*Main_, "DeleteGamesInListing1");
    QCOMPARE(Run_->Dialogs->Texts(QStringLiteral("confirm")),
             QStringList(2, QStringLiteral("You really want to delete all 3 games in the listings?")));
    QCOMPARE(Run_->Base().PartyList.size(), size_t(9));
    // "Statistic Show" off: both windows are redrawn empty.
    QCOMPARE(Run_->Program->NavigatorWindow().PanelCount(), 0);
    QCOMPARE(Lines()->model()->rowCount(), 0);
    // The file was rewritten without them (the engine tests check the remaining lines byte for byte).
    QCOMPARE(Run_->Read(QStringLiteral("games.bdt")).count('\n'), 9);
}

void TListingWindowTest::aFailedDeleteKeepsEveryGame() {
    // The base's folder replaced by a file: the save fails for every user, root included.
    Run_->Write(QStringLiteral("gone"), "");
    CurrentSession().SetBasePath(QStringLiteral("gone/games.bdt"));
    List(*Run_, {2, 3}, true, false);
    Run_->Dialogs->ConfirmAnswers = {true};
    // The folder went after the base was opened: the command, which is disabled for a base found
    // unwritable when it is opened, was enabled then.
    Action(*Main_, "DeleteGamesInListing1")->setEnabled(true);
    Trigger(*Main_, "DeleteGamesInListing1");
    const QStringList errors = Run_->Dialogs->Texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QLatin1String("gone")), qPrintable(errors[0]));
    QCOMPARE(Run_->Base().PartyList.size(), size_t(12));
    QCOMPARE(Run_->Base().Listing, kalvon::TListing({2, 3}));
    QCOMPARE(Run_->Program->NavigatorWindow().PanelCount(), 2);
}

#include "ListingWindowTest.moc"
KALVON_UI_TEST(TListingWindowTest);
