// The query dialog: its lists and enabling rules, "OK" with its messages and their effect, cancel,
// and the criteria in later searches.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "base/BaseEdits.h"
#include "tests/ui/StatisticBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/QueryDialog.h"
#include "ui/StatisticMemo.h"

using namespace statbase;

namespace {

struct TQuery {
    TQueryDialog* Form;
    QCheckBox* Box(const char* name) const { return Form->findChild<QCheckBox*>(QLatin1String(name)); }
    QComboBox* Combo(const char* name) const { return Form->findChild<QComboBox*>(QLatin1String(name)); }
    QWidget* Colours() const { return Form->findChild<QGroupBox*>(QStringLiteral("rgColor")); }
    QRadioButton* Colour(const char* caption) const {
        return Form->findChild<QRadioButton*>(QStringLiteral("rgColor%1").arg(QLatin1String(caption)));
    }
    void Check(const char* name, bool on = true) const {
        if (Box(name)->isChecked() != on) Box(name)->click();
    }
    void Type(const char* combo, const QString& text) const { Combo(combo)->setEditText(text); }
    void Ok() const {
        QTest::mouseClick(Form->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    }
    void Cancel() const {
        QTest::mouseClick(Form->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    }
};

kalvon::TListing Range(long from, long to) {
    kalvon::TListing listing;
    for (long i = from; i <= to; ++i) listing.push_back(i);
    return listing;
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
    return items;
}

}  // namespace

class TQueryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void init();
    void cleanup() { Session_.reset(); }
    void executeOnAnEmptyBaseSaysSo();
    void showingFillsTheListsAndUnchecksTheCriteria();
    void enablingRules();
    void criteriaNarrowTheListing_data();
    void criteriaNarrowTheListing();
    void unknownNamesAndNoGroupStopTheQuery();
    void aFailedOkLeavesTheCriteriaSetSoFar();
    void okSearchesQuietlyAndLeavesEditMode();
    void cancelChangesNothingAndClearingTheBaseSwitchesTheQueryOff();

private:
    TMainWindow& Main() { return Session_->Main(); }
    const kalvon::TGameBase& Base() { return Session_->Base(); }
    // Opens the dialog by Ctrl+Q.
    TQuery Open();

    std::unique_ptr<TProgramRun> Session_;
};

void TQueryTest::init() {
    Session_ = std::make_unique<TProgramRun>();
    Session_->Write(QStringLiteral("games.bdt"), Content());
    TMainWindow& main = Session_->Start();
    main.BaseItems().first()->trigger();
    Play(main, Position);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

TQuery TQueryTest::Open() {
    Main().activateWindow();
    if (!QTest::qWaitForWindowActive(&Main())) qWarning("main window not active");
    QTest::keyClick(&Main(), Qt::Key_Q, Qt::ControlModifier);
    return TQuery{&Session_->Program->QueryDialog()};
}

void TQueryTest::executeOnAnEmptyBaseSaysSo() {
    Trigger(Main(), "NewFile1");
    const TQuery query = Open();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("The Base is empty, so query impossible!")});
    QVERIFY(!query.Form->isVisible());
}

void TQueryTest::showingFillsTheListsAndUnchecksTheCriteria() {
    TQuery query = Open();
    QVERIFY(query.Form->isVisible());
    QCOMPARE(query.Form->windowTitle(), QStringLiteral("Query"));
    QVERIFY(!query.Form->isModal());
    // Groups by the first character of the board: the blank group first as "None", letter case aside.
    QCOMPARE(Items(query.Combo("cbGroup")),
             QStringList({QStringLiteral("None"), QStringLiteral("A"), QStringLiteral("a"),
                          QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(query.Combo("cbGroup")->currentIndex(), -1);
    QCOMPARE(Items(query.Combo("cbTurn")),
             QStringList({QStringLiteral("2003"), QStringLiteral("2004"), QStringLiteral("2005")}));
    const QStringList players = {QStringLiteral("Black One"), QStringLiteral("Third"),
                                 QStringLiteral("White One")};
    QCOMPARE(Items(query.Combo("cbPlayer")), players);
    QCOMPARE(Items(query.Combo("cbOpp")), players);
    for (const char* caption : {"Not Finished", "Base", "Group", "Year", "Player", "Opponent"}) {
        bool found = false;
        for (QCheckBox* box : query.Form->findChildren<QCheckBox*>())
            found |= box->text() == QLatin1String(caption);
        QVERIFY2(found, caption);
    }
    QVERIFY(query.Colour("All")->isChecked());

    // Checked boxes go with the next showing; "Not Finished" and the colour stay.
    query.Check("cbFinish");
    query.Check("cb3");
    query.Colour("White")->click();
    query.Check("cb4");
    query.Check("cb2");
    query.Check("cb5");
    query.Cancel();
    QVERIFY(!query.Form->isVisible());
    // A base grown since shows its new group.
    AddGames(*Session_, {"2003,Z0099=[A,B,+,88,?,-]"});
    query = Open();
    for (const char* name : {"cb1", "cb2", "cb3", "cb4", "cb5"})
        QVERIFY2(!query.Box(name)->isChecked(), name);
    QVERIFY(query.Box("cbFinish")->isChecked());
    QVERIFY(query.Colour("White")->isChecked());
    QVERIFY(!query.Box("cb4")->isEnabled());
    QCOMPARE(Items(query.Combo("cbGroup")).last(), QStringLiteral("Z"));
}

void TQueryTest::enablingRules() {
    const TQuery query = Open();
    auto enabled = [&](std::initializer_list<const char*> names) {
        QStringList state;
        for (const char* name : names) {
            QWidget* w = query.Form->findChild<QWidget*>(QLatin1String(name));
            state.append(QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(w->isEnabled()));
        }
        return state.join(QLatin1Char(' '));
    };
    const auto all = {"cbFinish", "cb2", "cbTurn", "cb3", "cbPlayer",
                      "rgColor",  "cb4", "cbOpp",  "cb5", "cbGroup"};
    QCOMPARE(enabled(all),
             QStringLiteral("cbFinish=1 cb2=1 cbTurn=0 cb3=1 cbPlayer=0 rgColor=0 cb4=0 cbOpp=0 "
                            "cb5=1 cbGroup=0"));
    QVERIFY(QTest::qWaitForWindowActive(query.Form));
    query.Check("cb2");
    QVERIFY(query.Combo("cbTurn")->isEnabled());
    QVERIFY(query.Combo("cbTurn")->hasFocus());
    query.Check("cb3");
    QVERIFY(query.Combo("cbPlayer")->hasFocus());
    query.Check("cb4");
    query.Check("cb5");
    QCOMPARE(enabled(all),
             QStringLiteral("cbFinish=1 cb2=1 cbTurn=1 cb3=1 cbPlayer=1 rgColor=1 cb4=1 cbOpp=1 "
                            "cb5=1 cbGroup=1"));
    query.Check("cb1");
    QCOMPARE(enabled(all),
             QStringLiteral("cbFinish=0 cb2=0 cbTurn=0 cb3=0 cbPlayer=0 rgColor=0 cb4=0 cbOpp=0 "
                            "cb5=0 cbGroup=0"));
    query.Check("cb1", false);
    QCOMPARE(enabled(all),
             QStringLiteral("cbFinish=1 cb2=1 cbTurn=1 cb3=1 cbPlayer=1 rgColor=1 cb4=1 cbOpp=1 "
                            "cb5=1 cbGroup=1"));
    // Without a player there is no opponent: the box is cleared as it goes out of reach.
    query.Check("cb3", false);
    QVERIFY(!query.Box("cb4")->isChecked());
    QCOMPARE(enabled({"cbPlayer", "rgColor", "cb4", "cbOpp"}),
             QStringLiteral("cbPlayer=0 rgColor=0 cb4=0 cbOpp=0"));
}

void TQueryTest::criteriaNarrowTheListing_data() {
    QTest::addColumn<QStringList>("steps");  // box names to check, or combo=text, or a colour caption
    QTest::addColumn<kalvon::TListing>("listing");
    QTest::newRow("no criteria") << QStringList() << Range(0, 15);
    QTest::newRow("base, whatever else is checked")
        << QStringList({"cbFinish", "cb3", "cbPlayer=nobody", "cb1"}) << Range(0, 15);
    QTest::newRow("not finished") << QStringList({"cbFinish"}) << kalvon::TListing{4};
    QTest::newRow("year") << QStringList({"cb2", "cbTurn=2004"}) << kalvon::TListing{2, 3, 6, 7, 10, 12, 14};
    QTest::newRow("group A, not a") << QStringList({"cb5", "cbGroup=A"}) << kalvon::TListing{2, 10, 15};
    QTest::newRow("group None") << QStringList({"cb5", "cbGroup=None"}) << kalvon::TListing{3, 7};
    QTest::newRow("player in another letter case, black")
        << QStringList({"cb3", "cbPlayer=bLACK oNE", "Black"}) << kalvon::TListing{0, 3, 4, 5, 9, 13};
    QTest::newRow("player, white") << QStringList({"cb3", "cbPlayer=Black One", "White"})
                                   << kalvon::TListing{1, 7, 8, 12, 14};
    QTest::newRow("player and opponent, either colour")
        << QStringList({"cb3", "cbPlayer=Black One", "All", "cb4", "cbOpp=third"})
        << kalvon::TListing{3, 7, 9, 12};
    QTest::newRow("player and opponent, black")
        << QStringList({"cb3", "cbPlayer=Black One", "Black", "cb4", "cbOpp=Third"})
        << kalvon::TListing{3, 9};
    QTest::newRow("all together") << QStringList({"cb2", "cbTurn=2003", "cb5", "cbGroup=a", "cb3",
                                                  "cbPlayer=White One"})
                                  << kalvon::TListing{0, 1, 5, 11, 13};
}

void TQueryTest::criteriaNarrowTheListing() {
    QFETCH(QStringList, steps);
    QFETCH(kalvon::TListing, listing);
    const TQuery query = Open();
    for (const QString& step : steps) {
        const qsizetype equals = step.indexOf(QLatin1Char('='));
        if (equals > 0)
            query.Type(step.left(equals).toLatin1().constData(), step.mid(equals + 1));
        else if (query.Colour(step.toLatin1().constData()))
            query.Colour(step.toLatin1().constData())->click();
        else
            query.Check(step.toLatin1().constData());
    }
    query.Ok();
    QVERIFY(Session_->Dialogs->Shown.isEmpty());
    QVERIFY(!query.Form->isVisible());
    QCOMPARE(Base().Listing, listing);
}

void TQueryTest::unknownNamesAndNoGroupStopTheQuery() {
    CurrentSession().SetListing({99});  // the search would replace it
    TQuery query = Open();
    query.Check("cb3");
    query.Type("cbPlayer", QStringLiteral("Nobody"));
    query.Ok();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("The player not found! Remove checked \"Player\"!")});
    QVERIFY(query.Form->isVisible());
    QVERIFY(!CurrentSession().Criteria().PlayerOn);
    QCOMPARE(Base().Listing, kalvon::TListing{99});

    query.Type("cbPlayer", QStringLiteral("  third "));
    query.Check("cb4");
    query.Type("cbOpp", QStringLiteral("Ghost"));
    query.Ok();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")).last(),
             QStringLiteral("The opponent not found! Remove checked \"Opponent\""));
    QVERIFY(CurrentSession().Criteria().PlayerOn && !CurrentSession().Criteria().OpponentOn);
    QCOMPARE(Base().Listing, kalvon::TListing{99});

    query.Check("cb4", false);
    query.Check("cb5");
    query.Ok();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")).last(),
             QStringLiteral("The group not found! Remove checked \"Group\""));
    QVERIFY(!CurrentSession().Criteria().GroupOn);
    query.Type("cbGroup", QStringLiteral("q"));  // no game has it
    query.Ok();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")).size(), 4);
    QVERIFY(query.Form->isVisible());
    QCOMPARE(Base().Listing, kalvon::TListing{99});

    // Chosen from the list, the group is found.
    query.Combo("cbGroup")->setCurrentIndex(3);
    query.Ok();
    QVERIFY(!query.Form->isVisible());
    QCOMPARE(Base().Listing, kalvon::TListing({12}));  // Third's games in group b
}

void TQueryTest::aFailedOkLeavesTheCriteriaSetSoFar() {
    TQuery query = Open();
    query.Check("cbFinish");
    query.Check("cb3");
    query.Type("cbPlayer", QStringLiteral("Black One"));
    query.Ok();
    QCOMPARE(Base().Listing, kalvon::TListing{4});

    // The year is taken before the player is looked up; the old player stays switched off.
    query = Open();
    query.Box("cbFinish")->setChecked(false);
    query.Check("cb2");
    query.Type("cbTurn", QStringLiteral("2004"));
    query.Check("cb3");
    query.Type("cbPlayer", QStringLiteral("Somebody"));
    query.Ok();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")).size(), 1);
    query.Cancel();
    Trigger(Main(), "N8");
    QCOMPARE(Base().Listing, kalvon::TListing({2, 3, 6, 7, 10, 12, 14}));
    QVERIFY(Session_->Dialogs->Texts(QStringLiteral("information"))
                .last()
                .startsWith(QLatin1String("Total: 7 ")));
}

void TQueryTest::okSearchesQuietlyAndLeavesEditMode() {
    Trigger(Main(), "StatisticShow");
    const QString memo = Memo(Main())->toPlainText();
    CurrentSession().SetEditMode(true);

    TQuery query = Open();
    query.Check("cb3");
    query.Type("cbPlayer", QStringLiteral("Nobody"));
    query.Ok();
    QCOMPARE(Session_->Dialogs->Texts(QStringLiteral("warning")).size(), 1);
    // Leaving edit mode comes before the player is looked up.
    QVERIFY(!Base().EditMode);
    QVERIFY(!Button(Main(), "ToolButton6")->isEnabled());

    query.Type("cbPlayer", QStringLiteral("Black One"));
    query.Ok();
    QCOMPARE(Base().Listing.size(), size_t(11));
    // With the statistics shown the memo follows the query at once, with the player's side; the
    // next search of the same position shows the same.
    const QStringList player({QStringLiteral("Total: 11"), QStringLiteral("11 +4F1-3f1=1?1"),
                              QStringLiteral("black: 6 +2F0-1f1=1?1"), QStringLiteral("white: 5 +2F0-2f1=0"),
                              QStringLiteral("Total: 11 +4F0-3f2=1?1")});
    QVERIFY(Memo(Main())->toPlainText() != memo);
    QCOMPARE(Lines(Memo(Main())->toPlainText()).mid(0, 5), player);
    const std::string labels = CurrentSession().AlfMoves();
    QTest::keyClick(BoardArea(Main()), '-');
    QTest::keyClick(BoardArea(Main()), '+');
    QCOMPARE(Lines(Memo(Main())->toPlainText()).mid(0, 5), player);
    QCOMPARE(CurrentSession().AlfMoves(), labels);
}

void TQueryTest::cancelChangesNothingAndClearingTheBaseSwitchesTheQueryOff() {
    TQuery query = Open();
    query.Check("cb2");
    query.Type("cbTurn", QStringLiteral("2005"));
    query.Cancel();
    QVERIFY(!CurrentSession().Criteria().QueryOn && !CurrentSession().Criteria().YearOn);
    QVERIFY(Session_->Dialogs->Shown.isEmpty());

    query = Open();
    query.Check("cb2");
    query.Type("cbTurn", QStringLiteral("2003"));
    query.Ok();
    QCOMPARE(Base().Listing.size(), size_t(9));
    QVERIFY(CurrentSession().Criteria().YearOn);

    // Opening the base again clears the lists and with them the query.
    Main().BaseItems().first()->trigger();
    QVERIFY(!CurrentSession().Criteria().QueryOn && !CurrentSession().Criteria().YearOn);
    Trigger(Main(), "N8");
    QCOMPARE(Base().Listing.size(), size_t(16));
}

KALVON_UI_TEST(TQueryTest);

#include "QueryTest.moc"
