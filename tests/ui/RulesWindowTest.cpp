// The rules in the program: the rule in force and its settings, black's forbidden points and the
// winning rows on the board.
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>

#include "base/SettingsFile.h"
#include "rules/Forbidden.h"
#include "rules/MoveShape.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsState.h"

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

void PlayMoves(const std::string& moves) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2)
        CurrentSession().PlayMove(std::string_view(moves).substr(i, 2));
}

kalvon::TRuleBoard RuleBoardOf(const std::string& moves) {
    kalvon::TRuleBoard board;
    kalvon::PlaceMoves(board, moves);
    return board;
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

QString StatusText(TMainWindow& main, const char* field) {
    return main.findChild<QLabel*>(QLatin1String(field))->text();
}

}  // namespace

class TRulesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void crossesStandWhereTheEngineSaysForBlackUnderRenju();
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
