// The navigator: the column of game panels, its scrolling, its colours, opening a game, and its
// following every change of the selection.
#include <QLabel>
#include <QScreen>

#include "base/BaseEdits.h"
#include "base/GameTexts.h"
#include "base/SettingsFile.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "ui/SettingsState.h"
#include "ui/TextWidths.h"

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
    void cellsHoldTheWidestTextOfTheirKind_data();
    void cellsHoldTheWidestTextOfTheirKind();
    void headingsStandOverTheirCells();

private:
    TNavigatorWindow& Navigator() { return Run_->Program->NavigatorWindow(); }
    // Room for exactly that many panels below the header.
    void Room(int panels) {
        const TPanelLayout& layout = Navigator().PanelLayout();
        Navigator().resize(layout.Width + 2 + 16, 28 + panels * layout.RowHeight + 10);
    }
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
                "2003,M1234=[Konstantin Alexandrovich Wolkenstein-Trakhtenberg,Bo,=,88,?,-]\r\n");
    TMainWindow& main = Run_->Start();
    main.OpenBaseArgument(QStringLiteral("long.bdt"));
    List(*Run_, {0});
    TPartyPanel* panel = Panel(Navigator(), 1);
    QFont largest = CurrentSession().Settings().MoveFont;
    largest.setPointSize(kalvon::FontSizeRange.Max);
    largest.setBold(true);
    const struct {
        QFont Font;
        int Diameter;
    } settings[] = {{DefaultFont(), 20}, {DefaultFont(), 30}, {largest, kalvon::DiameterRange.Max}};
    for (const auto& setting : settings) {
        CurrentSession().ApplySettings(setting.Font, setting.Diameter);
        QCOMPARE(panel->edBlack->text(), longName);  // the cell keeps the whole text
        const QString shown = panel->edBlack->Shown();
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        QVERIFY(panel->edBlack->fontMetrics().horizontalAdvance(shown) <=
                panel->edBlack->contentsRect().width());
        QCOMPARE(panel->edWhite->Shown(), QStringLiteral("Bo"));  // what fits is shown whole
        for (TPanelCell* whole : {panel->edNum, panel->edResult, panel->edKod, panel->edYear})
            QCOMPARE(whole->Shown(), whole->text());
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
    const QColor active(207, 189, 156), normal = Navigator().palette().color(QPalette::Button);
    for (int n = 1; n <= 2; ++n) {
        TPartyPanel* panel = Panel(Navigator(), n);
        const QPoint origin = panel->mapTo(&Navigator(), QPoint(0, 0));
        const struct {
            QWidget* Cell;
            QColor Colour;
        } cells[] = {{panel->edNum, {255, 255, 128}}, {panel->edBlack, {221, 221, 221}},
                     {panel->edResult, {0, 255, 0}},  {panel->edWhite, {221, 221, 221}},
                     {panel->edKod, {179, 255, 179}}, {panel->edYear, {179, 255, 179}},
                     {panel->edCom, {182, 185, 243}}};
        for (const auto& cell : cells) {
            const QRect place = cell.Cell->geometry();
            // The corner and the far corner of the cell, clear of its text.
            for (QPoint at : {place.topLeft(), place.bottomRight()})
                QCOMPARE(picture.pixelColor(origin + at), cell.Colour);
        }
        // Between the cells the panel shows its own colour, the highlight on the active one.
        const QPoint gap(panel->edKod->geometry().right() + 2, panel->edKod->geometry().center().y());
        QCOMPARE(picture.pixelColor(origin + gap), n == 1 ? active : normal);
    }
    // The header strip.
    QCOMPARE(picture.pixelColor(Navigator().width() - 20, 1), QColor(255, 128, 128));
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

// Every cell holds the widest text of its kind whole, in the navigator's font and in the largest
// font the settings allow, and only names too long for their cells are elided.
void TNavigatorWindowTest::cellsHoldTheWidestTextOfTheirKind_data() {
    QTest::addColumn<QFont>("font");
    QTest::newRow("default") << DefaultFont();
    QFont largest = DefaultFont();
    largest.setPointSize(kalvon::FontSizeRange.Max);
    largest.setBold(true);
    QTest::newRow("largest") << largest;
}

void TNavigatorWindowTest::cellsHoldTheWidestTextOfTheirKind() {
    QFETCH(QFont, font);
    const TPanelLayout layout(font, QFont(QStringLiteral("Tahoma"), 8));
    QWidget column;
    column.resize(layout.Width + 2, layout.RowHeight + 2);
    TPartyPanel panel(1, &column, layout, font);
    column.show();
    QVERIFY(QTest::qWaitForWindowExposed(&column));
    const QString digits = QStringLiteral("0123456789");
    const QString codes = digits + QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QStringList numbers, boards;
    for (QChar c : digits) numbers.append(QString(7, c));
    for (QChar c : codes) boards.append(QString(5, c));
    const struct {
        TPanelCell* Cell;
        QStringList Texts;
    } kinds[] = {
        {panel.edNum, numbers},
        {panel.edResult, {"1:0", "0:1", "1/2", "+:-", "-:+"}},
        {panel.edKod, boards},
        {panel.edYear, {"2021", "1999", "88888"}},
        {panel.edBlack, {NameSample(), "Bo"}},
        {panel.edWhite, {NameSample(), "Bo"}},
        {panel.edCom, {"2D,R,5A=J10,/225"}},
    };
    for (const auto& kind : kinds)
        for (const QString& text : kind.Texts) {
            kind.Cell->setText(text);
            const QFontMetrics metrics(kind.Cell->font());
            QVERIFY2(metrics.horizontalAdvance(text) <= kind.Cell->contentsRect().width(),
                     qPrintable(kind.Cell->objectName() + QLatin1Char(' ') + text));
            QCOMPARE(kind.Cell->Shown(), text);
            QVERIFY(metrics.height() <= kind.Cell->height());
            QVERIFY(kind.Cell->geometry().right() < panel.width());
        }
    // The cells of a row follow one another without overlapping.
    for (const auto& [left, right] : {std::pair{panel.edNum, panel.edBlack},
                                      {panel.edBlack, panel.edResult},
                                      {panel.edResult, panel.edWhite},
                                      {panel.edKod, panel.edYear},
                                      {panel.edYear, panel.edCom}})
        QVERIFY2(left->geometry().right() < right->geometry().left(), qPrintable(left->objectName()));
    QVERIFY(panel.edNum->geometry().bottom() < panel.edKod->geometry().top());
    QVERIFY(panel.edKod->geometry().bottom() < panel.height());
    // A longer name is elided, and only a name: painted, the cell tells it whole as its tip.
    const QString longer = NameSample() + QStringLiteral("YZ") + NameSample();
    panel.edBlack->setText(longer);
    QVERIFY(panel.edBlack->Shown().endsWith(QChar(0x2026)));
    panel.edBlack->grab();
    QCOMPARE(panel.edBlack->toolTip(), longer);
}

// The headings of the two rows stand over the text of their own cells, in their own font.
void TNavigatorWindowTest::headingsStandOverTheirCells() {
    Start(*Run_, 3);
    List(*Run_, {0});
    TPartyPanel* panel = Panel(Navigator(), 1);
    const struct {
        const char* Row;
        QList<TPanelCell*> Cells;
        QString Text;
    } rows[] = {
        {"Label1", {panel->edNum, panel->edBlack, panel->edResult, panel->edWhite}, "№ BLACK Result WHITE"},
        {"Label2", {panel->edKod, panel->edYear, panel->edCom}, "Board Year Commentary"}};
    for (const auto& row : rows) {
        auto* heading = Navigator().findChild<THeadingRow*>(QLatin1String(row.Row));
        QVERIFY(heading);
        QCOMPARE(heading->text(), row.Text);
        QCOMPARE(heading->CaptionCount(), int(row.Cells.size()));
        for (int i = 0; i < heading->CaptionCount(); ++i) {
            const QRect caption =
                heading->CaptionPlace(i).translated(heading->mapTo(&Navigator(), QPoint(0, 0)));
            const QRect cell = row.Cells[i]->geometry().translated(panel->mapTo(&Navigator(), QPoint(0, 0)));
            QVERIFY2(caption.left() >= cell.left() && caption.right() <= cell.right(), qPrintable(row.Text));
            QVERIFY(caption.width() >=
                    heading->fontMetrics().horizontalAdvance(row.Text.split(QLatin1Char(' '))[i]));
        }
    }
}

#include "NavigatorWindowTest.moc"
KALVON_UI_TEST(TNavigatorWindowTest);
