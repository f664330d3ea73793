// The navigator: the column of game panels, its scrolling, its colours, opening a game, and its
// following every change of the selection.
#include <QLabel>
#include <QScreen>

#include "base/BaseEdits.h"
#include "base/GameTexts.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"

using namespace browse;

class TNavigatorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void init() { Run_ = std::make_unique<TProgramRun>(); }
    void cleanup() { Run_.reset(); }
    void showWithAnEmptyListingSaysSo();
    void fewGamesGiveFewPanelsNumberedInTheWholeBase();
    void scrollingMovesTheHighlightThenTheColumn();
    void panelCellsAndTheHighlightHaveTheirColours();
    void clickingAPanelOpensItsGameWhole();
    void resizingKeepsOnlyThePanelsThatFit();
    void longTextsEndInAnEllipsisInsideTheirCells();

private:
    TNavigatorWindow& Navigator() { return Run_->Program->NavigatorWindow(); }
    // Room for exactly that many panels below the header.
    void Room(int panels) { Navigator().resize(321, 28 + panels * 33 + 10); }
    std::unique_ptr<TProgramRun> Run_;
};

void TNavigatorWindowTest::showWithAnEmptyListingSaysSo() {
    TMainWindow& main = Start(*Run_, 5);
    Trigger(main, "NavigatorShow1");
    QCOMPARE(Run_->Dialogs->Texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Listing games is empty! Do query!")});
    QVERIFY(!Navigator().isVisible());
    // "Statistic" on the empty board selects every game and opens the navigator, beside the main
    // window where the screen leaves room.
    main.move(main.screen()->availableGeometry().topLeft());
    Trigger(main, "N8");
    QVERIFY(Navigator().isVisible());
    QCOMPARE(Navigator().PanelCount(), 5);
    // Docked at the main window's right edge.
    QCOMPARE(Navigator().frameGeometry().topLeft(), main.frameGeometry().topRight() + QPoint(1, 0));
}

void TNavigatorWindowTest::fewGamesGiveFewPanelsNumberedInTheWholeBase() {
    Start(*Run_, 12);
    Room(7);
    List(*Run_, {4, 0, 9});
    QCOMPARE(Navigator().PanelCount(), 3);
    QVERIFY(!Panel(Navigator(), 4));
    QScrollBar* bar = ScrollBar(Navigator());
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 3);
    QCOMPARE(bar->pageStep(), 2);
    QCOMPARE(Navigator().ActivePanel(), 1);
    QCOMPARE(Cells(Panel(Navigator(), 1)), QStringList({"5", "B4", "1:0", "W4", "104", "2001"}));
    QCOMPARE(Cells(Panel(Navigator(), 3)).first(), QStringLiteral("10"));
    QCOMPARE(Panel(Navigator(), 2)->edCom->text(),
             QString::fromStdString(kalvon::PartyCaption(Run_->Base().PartyList[0])));

    // A game added, and a deletion, rewrite the file sorted: the numbers are the games' lines in it.
    const auto lineOf = [&](const char* black) {
        const QList<QByteArray> lines = Run_->Read(QStringLiteral("games.bdt")).split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines[i].contains(QByteArray("=[") + black + ',')) return int(i + 1);
        return 0;
    };
    AddGames(*Run_, {"2009,  999=[NEU,ALT,-,88,?,-]"});
    List(*Run_, {lineOf("NEU") - 1, lineOf("B9") - 1});
    QCOMPARE(Cells(Panel(Navigator(), 1)).mid(0, 2), QStringList({QString::number(lineOf("NEU")), "NEU"}));
    QCOMPARE(Cells(Panel(Navigator(), 2)).mid(0, 2), QStringList({QString::number(lineOf("B9")), "B9"}));
    CurrentSession().SetListing({0, 1});
    QVERIFY(CurrentSession().DeleteListed(nullptr));
    QCOMPARE(Navigator().PanelCount(), 0);
    List(*Run_, {lineOf("NEU") - 1, lineOf("B9") - 1});
    QCOMPARE(Cells(Panel(Navigator(), 1)).mid(0, 2), QStringList({QString::number(lineOf("NEU")), "NEU"}));
    QCOMPARE(Cells(Panel(Navigator(), 2)).mid(0, 2), QStringList({QString::number(lineOf("B9")), "B9"}));

    // An entry past the end of the base shows an empty panel and opens nothing.
    List(*Run_, {3, 99});
    QCOMPARE(Cells(Panel(Navigator(), 2)), QStringList(6, QString()));
    QTest::mouseClick(Panel(Navigator(), 2), Qt::LeftButton, {}, QPoint(250, 20));
    QCOMPARE(Run_->Base().CurrentParty, kalvon::NoParty);
}

void TNavigatorWindowTest::scrollingMovesTheHighlightThenTheColumn() {
    Start(*Run_, 20);
    Room(7);
    kalvon::TListing all;
    for (long i = 0; i < 20; ++i) all.push_back(i);
    List(*Run_, all);
    QScrollBar* bar = ScrollBar(Navigator());
    QCOMPARE(Navigator().PanelCount(), 7);
    QCOMPARE(bar->pageStep(), 6);
    auto state = [this] {
        return QList<int>{Navigator().FirstIndex(), Navigator().LastIndex(), Navigator().ActivePanel()};
    };
    // Down inside the column moves the highlight only; past the bottom panel the column moves.
    bar->setFocus();
    for (int i = 0; i < 6; ++i) QTest::keyClick(bar, Qt::Key_Down);
    QCOMPARE(state(), QList<int>({1, 7, 7}));
    QTest::keyClick(bar, Qt::Key_Down);
    QCOMPARE(state(), QList<int>({2, 8, 7}));
    QCOMPARE(Panel(Navigator(), 7)->edNum->text(), QStringLiteral("8"));
    QCOMPARE(Panel(Navigator(), 1)->edNum->text(), QStringLiteral("2"));
    // Up from the top panel moves the column the other way and keeps the top panel active.
    for (int i = 0; i < 6; ++i) QTest::keyClick(bar, Qt::Key_Up);
    QCOMPARE(state(), QList<int>({2, 8, 1}));
    QTest::keyClick(bar, Qt::Key_Up);
    QCOMPARE(state(), QList<int>({1, 7, 1}));
    // Dragging to the ends.
    bar->setValue(20);
    QCOMPARE(state(), QList<int>({14, 20, 7}));
    QCOMPARE(Panel(Navigator(), 7)->edNum->text(), QStringLiteral("20"));
    bar->setValue(1);
    QCOMPARE(state(), QList<int>({1, 7, 1}));
    // A jump into the middle keeps the highlight at its place in the column.
    bar->setValue(4);
    bar->setValue(12);
    QCOMPARE(state(), QList<int>({9, 15, 4}));
    // Only one panel is ever highlighted.
    int active = 0;
    for (int n = 1; n <= 7; ++n) active += Panel(Navigator(), n)->Active();
    QCOMPARE(active, 1);
    // Enter on the scroll bar opens the active panel's game.
    QTest::keyClick(bar, Qt::Key_Return);
    QCOMPARE(Run_->Base().CurrentParty, 11L);
    QVERIFY(Run_->Base().EditMode);
}

void TNavigatorWindowTest::longTextsEndInAnEllipsisInsideTheirCells() {
    const QString longName = QStringLiteral("Konstantin Alexandrovich Wolkenstein-Trakhtenberg");
    Run_->Write(QStringLiteral("long.bdt"),
                "2003, 1=[Konstantin Alexandrovich Wolkenstein-Trakhtenberg,Bo,+,88,?,-]\r\n");
    TMainWindow& main = Run_->Start();
    main.OpenBaseArgument(QStringLiteral("long.bdt"));
    List(*Run_, {0});
    TPartyPanel* panel = Panel(Navigator(), 1);
    for (int diameter : {20, 30, 50}) {
        CurrentSession().ApplySettings(CurrentSession().Settings().MoveFont, diameter);
        QCOMPARE(panel->edBlack->text(), longName);  // the cell keeps the whole text
        const QString shown = panel->edBlack->Shown();
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        QVERIFY(panel->edBlack->fontMetrics().horizontalAdvance(shown) <=
                panel->edBlack->contentsRect().width());
        QCOMPARE(panel->edWhite->Shown(), QStringLiteral("Bo"));  // what fits is shown whole
        // The cells of a row never overlap.
        QVERIFY(panel->edBlack->geometry().right() < panel->edWhite->geometry().left());
        QVERIFY(panel->edNum->geometry().right() < panel->edBlack->geometry().left());
    }
    panel->grab();  // painted, the elided cell tells the whole text in its tool tip
    QCOMPARE(panel->edBlack->toolTip(), longName);
}

void TNavigatorWindowTest::panelCellsAndTheHighlightHaveTheirColours() {
    Start(*Run_, 5);
    Room(7);
    List(*Run_, {0, 1, 2});
    const QImage picture = Navigator().grab().toImage();
    struct TCell {
        int Left, Top;
        QColor Colour;
    };
    const QColor active(207, 189, 156), normal = Navigator().palette().color(QPalette::Button);
    for (int n = 1; n <= 2; ++n) {
        const QPoint panel = Panel(Navigator(), n)->mapTo(&Navigator(), QPoint(0, 0));
        for (const TCell& cell :
             {TCell{8, 2, {255, 255, 128}}, TCell{63, 2, {221, 221, 221}}, TCell{160, 2, {0, 255, 0}},
              TCell{177, 2, {221, 221, 221}}, TCell{8, 18, {179, 255, 179}}, TCell{60, 18, {179, 255, 179}},
              TCell{112, 18, {182, 185, 243}}, TCell{230, 18, n == 1 ? active : normal}})
            // The corner and the far corner of the cell, clear of its text.
            for (QPoint at : {QPoint(cell.Left, cell.Top), QPoint(cell.Left + 1, cell.Top + 12)})
                QCOMPARE(picture.pixelColor(panel + at), cell.Colour);
    }
    // The header strip.
    QCOMPARE(picture.pixelColor(300, 1), QColor(255, 128, 128));
}

void TNavigatorWindowTest::clickingAPanelOpensItsGameWhole() {
    TMainWindow& main = Start(*Run_, 5);
    Trigger(main, "StatisticShow");
    QVERIFY(!CurrentSession().AlfMoves().empty());
    List(*Run_, {3, 1, 2});
    QTest::mouseClick(Panel(Navigator(), 2), Qt::LeftButton, {}, QPoint(250, 20));
    const kalvon::TGameBase& base = Run_->Base();
    QCOMPARE(base.CurrentParty, 1L);
    QCOMPARE(base.CurrentMoves, Moves(30));
    QVERIFY(base.ForwardMoves.empty());
    QVERIFY2(CurrentSession().AlfMoves().empty(), "no next-move labels, and no search");
    // Without the statistics a move back does not search, so the selection stays.
    Trigger(main, "StatisticShow");
    QVERIFY(Button(main, "ToolButton6")->isEnabled());
    QVERIFY(Action(main, "N13")->isEnabled());
    QCOMPARE(Navigator().ActivePanel(), 2);
    // The board shows the whole game: the last stone stands on its point.
    const QImage board = BoardArea(main)->grab().toImage();
    Trigger(main, "N13");
    QVERIFY(BoardArea(main)->grab().toImage() != board);
    // Clicking the active panel again puts the whole game back.
    QTest::mouseClick(Panel(Navigator(), 2), Qt::LeftButton, {}, QPoint(250, 20));
    QCOMPARE(base.CurrentMoves, Moves(30));
    QCOMPARE(BoardArea(main)->grab().toImage(), board);
}

void TNavigatorWindowTest::resizingKeepsOnlyThePanelsThatFit() {
    Start(*Run_, 20);
    Room(7);
    kalvon::TListing some = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    List(*Run_, some);
    QCOMPARE(Navigator().PanelCount(), 7);
    Room(4);
    QCOMPARE(Navigator().PanelCount(), 4);
    QVERIFY(!Panel(Navigator(), 5));
    // Growing past the selection in one step shows every game of it.
    Room(15);
    QCOMPARE(Navigator().PanelCount(), 10);
    QCOMPARE(Panel(Navigator(), 1)->width(), Navigator().width() - 16 - 2);
}

#include "NavigatorWindowTest.moc"
KALVON_UI_TEST(TNavigatorWindowTest);
