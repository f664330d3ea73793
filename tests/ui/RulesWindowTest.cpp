// The rules in the program: the rule in force and its settings, black's forbidden points and the
// winning rows on the board, "Find VCF" and "Find Threat", and "Check Games".
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>

#include "base/SettingsFile.h"
#include "rules/Forbidden.h"
#include "rules/MoveShape.h"
#include "rules/Vcf.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CheckGamesCommand.h"
#include "ui/CheckGamesDialog.h"
#include "ui/CheckReportWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsState.h"
#include "ui/VcfCommand.h"

namespace {

// Black to move under renju: H8 is a double-three (G8 J8, H9 H10), O3 a double-four (L3 M3 N3,
// O4 O5 O6) and E13 an overline (B13 C13 D13, F13 G13); the white stones stand apart on the edges.
constexpr const char* ForbiddenPosition =
    "7811"
    "9831"
    "8951"
    "8A71"
    "B391"
    "C3B1"
    "D3D1"
    "E413"
    "E515"
    "E617"
    "2D19"
    "3DF9"
    "4DFB"
    "6DFD"
    "7DFF";
// Black to move, with the open three H8 J8 K8: black wins by a straight four.
constexpr const char* VcfPosition = "88119831A871";

void PlayMoves(const std::string& moves) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2)
        CurrentSession().PlayMove(std::string_view(moves).substr(i, 2));
}

kalvon::TRuleBoard RuleBoardOf(const std::string& moves) {
    kalvon::TRuleBoard board;
    kalvon::PlaceMoves(board, moves);
    return board;
}

// The VCF the engine finds for the attacker in the position, as point codes.
std::string EngineVcf(const std::string& moves, kalvon::TSide attacker) {
    kalvon::TRuleBoard board = RuleBoardOf(moves);
    kalvon::TVcfSearch search(16);
    const kalvon::TVcfResult result =
        search.Find(board, kalvon::TRule::Renju, attacker, kalvon::TVcfLimits());
    std::string codes;
    for (int point : result.Moves) codes += kalvon::CodeOfPointNumber(point);
    return codes;
}

std::string CodesOf(const std::vector<int>& points) {
    std::string codes;
    for (int point : points) codes += kalvon::CodeOfPointNumber(point);
    return codes;
}

// The red pixels of the marks in the point's square of the board as the screen shows it.
int RedPixels(const QImage& shot, int point) {
    const TBoardPoint at = BoardPointOf(point);
    const QRect square = TBoardGeometry(DefaultMoveDiameter).Square(at.Column, at.Row);
    int red = 0;
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    return red;
}

QString ToolTipAt(TMainWindow& main, int point) {
    const TBoardPoint at = BoardPointOf(point);
    const TBoardGeometry geometry(DefaultMoveDiameter);
    const QPoint pixel(geometry.X(at.Column), geometry.Y(at.Row));
    QHelpEvent help(QEvent::ToolTip, pixel, BoardArea(main)->mapToGlobal(pixel));
    QApplication::sendEvent(BoardArea(main), &help);
    return help.isAccepted() ? QToolTip::text() : QString();
}

// Runs a VCF command by its key and waits for its outcome.
void PressAndWait(TMainWindow& main, Qt::KeyboardModifiers modifiers) {
    auto* command = main.findChild<TVcfCommand*>();
    QVERIFY(command);
    QSignalSpy finished(command, &TVcfCommand::Finished);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F9, modifiers);
    QTRY_COMPARE(finished.count(), 1);
}

QString StatusText(TMainWindow& main, const char* field) {
    return main.findChild<QLabel*>(QLatin1String(field))->text();
}

}  // namespace

class TRulesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void crossesStandWhereTheEngineSaysForBlackUnderRenju();
    void vcfBecomesTheContinuationAndTheRightArrowPlaysIt();
    void vcfOfAnEditedGameAndAThreatAreOnlyMarked();
    void checkGamesListsTheGamesWithFindings_data();
    void checkGamesListsTheGamesWithFindings();
    void ruleIsRememberedAndADefaultFileStaysAsItWas();
};

void TRulesWindowTest::crossesStandWhereTheEngineSaysForBlackUnderRenju() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    PlayMoves(ForbiddenPosition);
    kalvon::TRuleBoard board = RuleBoardOf(ForbiddenPosition);
    const std::vector<kalvon::TForbiddenPoint> expected =
        kalvon::ForbiddenPoints(board, kalvon::TRule::Renju);
    QCOMPARE(QString::fromStdString(kalvon::ForbiddenPointsText(expected)),
             QStringLiteral("E13:overline H8:3x3 O3:4x4"));
    auto marked = [&main] { return kalvon::ForbiddenPointsText(Board(main)->Marks().Forbidden); };
    QCOMPARE(marked(), kalvon::ForbiddenPointsText(expected));
    QCOMPARE(StatusText(main, "StatusRule"), QStringLiteral("Renju"));
    // On the screen: a red cross on each forbidden point and on no other empty point, the kind as
    // the point's tooltip.
    const QImage shot = BoardArea(main)->grab().toImage();
    for (const kalvon::TForbiddenPoint& point : expected) {
        QVERIFY2(RedPixels(shot, point.Point) > 6, kalvon::TextOfPointNumber(point.Point).c_str());
        QCOMPARE(ToolTipAt(main, point.Point), QString::fromLatin1(kalvon::ForbiddenWord(point.Kind).data()));
    }
    const int empty = kalvon::PointNumberOfCode("AA");
    QCOMPARE(RedPixels(shot, empty), 0);
    QCOMPARE(ToolTipAt(main, empty), QString());

    // White to move: no crosses; black to move again: the same crosses.
    CurrentSession().PlayMove("FA");
    QCOMPARE(marked(), std::string());
    QVERIFY(RedPixels(BoardArea(main)->grab().toImage(), expected.front().Point) == 0);
    CurrentSession().TakeBackMove();
    QCOMPARE(marked(), kalvon::ForbiddenPointsText(expected));
    // No forbidden points under gomoku, nor with the marks switched off in "Adjustment".
    Trigger(main, "RuleFreestyle");
    QCOMPARE(marked(), std::string());
    QCOMPARE(StatusText(main, "StatusRule"), QStringLiteral("Gomoku five or more"));
    Trigger(main, "RuleRenju");
    QCOMPARE(marked(), kalvon::ForbiddenPointsText(expected));
    Trigger(main, "Adjustment1");
    TSettingsDialog& dialog = session.Program->SettingsDialog();
    dialog.findChild<QCheckBox*>(QStringLiteral("cbShowForbidden"))->setChecked(false);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QCOMPARE(marked(), std::string());
    QCOMPARE(RedPixels(BoardArea(main)->grab().toImage(), expected.front().Point), 0);
}

void TRulesWindowTest::vcfBecomesTheContinuationAndTheRightArrowPlaysIt() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    const kalvon::TGameBase& base = session.Base();
    PlayMoves(VcfPosition);
    const std::string vcf = EngineVcf(VcfPosition, kalvon::TSide::Black);
    QCOMPARE(vcf.size(), size_t(6));  // a straight four, a block, five
    PressAndWait(main, Qt::ControlModifier);
    QCOMPARE(base.ForwardMoves, vcf);
    QVERIFY(Board(main)->Marks().Vcf.empty());
    QVERIFY2(StatusText(main, "StatusMessage").startsWith(QLatin1String("VCF for black in 2: ")),
             qPrintable(StatusText(main, "StatusMessage")));
    QVERIFY(Action(main, "N14")->isEnabled());
    BoardArea(main)->setFocus();
    for (int k = 0; k < 3; ++k) QTest::keyClick(BoardArea(main), Qt::Key_Right);
    QCOMPARE(base.CurrentMoves, std::string(VcfPosition) + vcf);
    QVERIFY(base.ForwardMoves.empty());
    // The five is marked by a line through its stones.
    const std::vector<kalvon::TWinningRow> fives = Board(main)->Marks().Fives;
    QCOMPARE(int(fives.size()), 1);
    QCOMPARE(fives.front().Side, kalvon::TSide::Black);
    QVERIFY(RedPixels(BoardArea(main)->grab().toImage(), kalvon::PointNumberOfCode("98")) > 0);

    // With a continuation waiting, nothing of it is replaced: the VCF is marked.
    CurrentSession().GoToStart();
    PlayMoves(VcfPosition);
    const std::string waiting = base.ForwardMoves;
    QVERIFY(!waiting.empty());
    PressAndWait(main, Qt::ControlModifier);
    QCOMPARE(base.ForwardMoves, waiting);
    QCOMPARE(CodesOf(Board(main)->Marks().Vcf), vcf);
}

void TRulesWindowTest::vcfOfAnEditedGameAndAThreatAreOnlyMarked() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"),
                  QByteArray("2003, 4711=[Black One,White One,-,") + VcfPosition + ",?,-]\r\n");
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    const kalvon::TGameBase& base = session.Base();
    CurrentSession().OpenGame(0);
    QVERIFY(base.EditMode && base.ForwardMoves.empty());
    PressAndWait(main, Qt::ControlModifier);
    QVERIFY(base.ForwardMoves.empty());
    QCOMPARE(base.PartyList[0].Moves.str(), std::string(VcfPosition));
    const std::string vcf = EngineVcf(VcfPosition, kalvon::TSide::Black);
    QCOMPARE(CodesOf(Board(main)->Marks().Vcf), vcf);
    // The marks stay until the position changes.
    CurrentSession().TakeBackMove();
    QVERIFY(Board(main)->Marks().Vcf.empty());

    // White to move now: the threat is black's VCF, marked, never the continuation.
    CurrentSession().SetEditMode(false);
    CurrentSession().DropContinuation();
    const std::string position = base.CurrentMoves;
    PressAndWait(main, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(base.ForwardMoves.empty());
    QCOMPARE(CodesOf(Board(main)->Marks().Vcf), EngineVcf(position, kalvon::TSide::Black));
    QVERIFY(!Board(main)->Marks().Vcf.empty());
    // White itself has none.
    PressAndWait(main, Qt::ControlModifier);
    QCOMPARE(StatusText(main, "StatusMessage"), QStringLiteral("No VCF within 16"));
    QVERIFY(Board(main)->Marks().Vcf.empty());
}

void TRulesWindowTest::checkGamesListsTheGamesWithFindings_data() {
    QTest::addColumn<QList<int>>("listing");
    QTest::addColumn<bool>("wonWithoutFive");
    QTest::addColumn<QList<int>>("found");
    QTest::addColumn<QStringList>("findings");
    // Game 3 ends with black's double-three at K8; no game is won with a five.
    const QString forbidden = QStringLiteral("4\t2005, 4714\tmove 9\tforbidden 3x3 K8, ended the game");
    QTest::newRow("whole base") << QList<int>{} << false << QList<int>{3} << QStringList{forbidden};
    QTest::newRow("won without five too")
        << QList<int>{} << true << QList<int>{0, 1, 3}
        << QStringList{forbidden, QStringLiteral("1\t2003, 4711\tmove 2\twon without five: recorded 1:0"),
                       QStringLiteral("2\t2003, 4712\tmove 3\twon without five: recorded 0:1"),
                       QStringLiteral("4\t2005, 4714\tmove 9\twon without five: recorded 0:1")};
    QTest::newRow("clean listing") << QList<int>{1, 2} << false << QList<int>{} << QStringList{};
}

void TRulesWindowTest::checkGamesListsTheGamesWithFindings() {
    QFETCH(QList<int>, listing);
    QFETCH(bool, wonWithoutFive);
    QFETCH(QList<int>, found);
    QFETCH(QStringList, findings);
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"),
                  SmallBase() + "2005, 4714=[Four,Five,-,88119831A951AA71A8,?,-]\r\n");
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    const kalvon::TGameBase& base = session.Base();
    QCOMPARE(base.PartyList[3].Moves.str(), std::string("88119831A951AA71A8"));
    CurrentSession().SetListing(kalvon::TListing(listing.begin(), listing.end()));
    const std::vector<std::string> before = [&] {
        std::vector<std::string> lines;
        for (const kalvon::TPartyRecord& party : base.PartyList) lines.push_back(party.Moves.str());
        return lines;
    }();

    auto* command = main.findChild<TCheckGamesCommand*>();
    QSignalSpy finished(command, &TCheckGamesCommand::Finished);
    Trigger(main, "CheckGames1");
    TCheckGamesDialog* dialog = command->Dialog();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QCheckBox*>(QStringLiteral("cbWonWithoutFive"))->setChecked(wonWithoutFive);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QTRY_COMPARE(finished.count(), 1);

    const size_t checked = listing.isEmpty() ? base.PartyList.size() : size_t(listing.size());
    const QString summary = QStringLiteral("Checked %1 games: %2 %3 in %4 %5")
                                .arg(checked)
                                .arg(findings.size())
                                .arg(findings.size() == 1 ? "finding" : "findings")
                                .arg(found.size())
                                .arg(found.size() == 1 ? "game" : "games");
    QCOMPARE(StatusText(main, "StatusMessage"), summary);
    if (found.isEmpty()) {
        QCOMPARE(
            session.Dialogs->Texts(QStringLiteral("information")),
            QStringList{QStringLiteral("No game has a finding; the Listing stays as it was.\n") + summary});
        QCOMPARE(QList<int>(base.Listing.begin(), base.Listing.end()), listing);
        QVERIFY(!command->ReportWindow());
    } else {
        QCOMPARE(QList<int>(base.Listing.begin(), base.Listing.end()), found);
        QVERIFY(command->ReportWindow()->isVisible());
        QCOMPARE(command->ReportWindow()->Text(), findings.join(QLatin1Char('\n')) + "\n\n" + summary);
        // The navigator shows the games found.
        QVERIFY(session.Program->IsMade(TWindowKind::Navigator));
        QTest::mouseClick(command->ReportWindow()->findChild<QPushButton*>(QStringLiteral("CopyButton")),
                          Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), command->ReportWindow()->Text());
    }
    // Nothing in the base is changed.
    for (size_t i = 0; i < before.size(); ++i) QCOMPARE(base.PartyList[i].Moves.str(), before[i]);
    QCOMPARE(session.Read(QStringLiteral("games.bdt")),
             SmallBase() + "2005, 4714=[Four,Five,-,88119831A951AA71A8,?,-]\r\n");
}

void TRulesWindowTest::ruleIsRememberedAndADefaultFileStaysAsItWas() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"),
                  "2003, 4711=[Black One,White One,+,8889,?,-]\r\n"
                  "2003, 4712=[White One,Black One,-,7789,?,-]\r\n");
    TMainWindow& main = session.Start();
    main.BaseItems().first()->trigger();
    const QByteArray defaults = QByteArray::fromStdString(kalvon::DefaultSettingsText());
    QVERIFY(Action(main, "RuleRenju")->isChecked());
    // A game opened sets the rule in force: renju at the centre, else the gomoku rule last chosen;
    // only a rule chosen in the menu is a setting to save.
    CurrentSession().OpenGame(1);
    QCOMPARE(CurrentSession().Rule(), kalvon::TRule::Freestyle);
    QVERIFY(Action(main, "RuleFreestyle")->isChecked() && !Action(main, "SaveTools1")->isEnabled());
    Trigger(main, "RuleStandard");
    QVERIFY(Action(main, "SaveTools1")->isEnabled());
    QVERIFY(Action(main, "RuleStandard")->isChecked() && !Action(main, "RuleRenju")->isChecked());
    CurrentSession().OpenGame(0);
    QCOMPARE(CurrentSession().Rule(), kalvon::TRule::Renju);
    QVERIFY(Action(main, "RuleRenju")->isChecked());
    CurrentSession().OpenGame(1);
    QCOMPARE(CurrentSession().Rule(), kalvon::TRule::Standard);
    QCOMPARE(StatusText(main, "StatusRule"), QStringLiteral("Gomoku exactly five"));
    Trigger(main, "Adjustment1");
    TSettingsDialog& dialog = session.Program->SettingsDialog();
    dialog.findChild<QSpinBox*>(QStringLiteral("seVcfLength"))->setValue(7);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    Trigger(main, "SaveTools1");
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")),
             defaults + "Rule=Standard\r\nGomoku Rule=Standard\r\nVCF Length=7\r\n\r\n");

    // A new start has the rule and the length, and the defaults chosen again give the default file.
    session.Program.reset();
    session.Start();
    TMainWindow& again = session.Main();
    QCOMPARE(CurrentSession().Rule(), kalvon::TRule::Standard);
    QVERIFY(Action(again, "RuleStandard")->isChecked());
    QCOMPARE(CurrentSession().Settings().Rules.VcfLength, 7);
    Trigger(again, "RuleFreestyle");
    Trigger(again, "RuleRenju");
    Trigger(again, "Adjustment1");
    QCOMPARE(session.Program->SettingsDialog().findChild<QSpinBox*>(QStringLiteral("seVcfLength"))->value(),
             7);
    session.Program->SettingsDialog().findChild<QSpinBox*>(QStringLiteral("seVcfLength"))->setValue(16);
    QTest::mouseClick(session.Program->SettingsDialog().findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                      Qt::LeftButton);
    Trigger(again, "SaveTools1");
    // As "Save Tools" writes the default settings: the section ends with its empty line.
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")), defaults + "\r\n");
}

KALVON_UI_TEST(TRulesWindowTest);

#include "RulesWindowTest.moc"
