// The main window's statistics commands and the reflections and turns of the board.

#include "search/ShiftStatistic.h"
#include "search/StatisticLines.h"
#include "ui/BoardView.h"
#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/QueryDialog.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"
#include "ui/WindowPlacement.h"

// ---------------------------------------------------------------------------------------------
// Statistics

void TMainWindow::MakeStatistic(bool quiet) {
    const kalvon::TStatistic statistic = Session_.Search();
    if (!StatisticShown()) {
        if (quiet) return;
        // The box neither labels the board nor touches the memo; the browsing windows followed the
        // search all the same, so they never show a selection that is gone.
        Dialogs().Information(this, BoxLines(kalvon::StatisticMessageText(statistic)));
        return;
    }
    Memo_->SetLines(kalvon::StatisticMemoLines(statistic));
    Board_->ShowLabels(kalvon::StatisticAlfMoves(statistic));
}

void TMainWindow::StatisticShowToggled() {
    // The menu has already toggled the check mark.
    const bool shown = StatisticShown();
    FormActivate();
    Memo_->setVisible(shown);
    if (shown)
        MakeStatistic(false);
    else
        Board_->DeleteMovesAlf();
}

void TMainWindow::ShowStatistic() {
    // The search redrew the open windows; this opens the navigator when games were found.
    MakeStatistic(false);
    Windows_.NavigatorWindow->OpenWhenListed();
}

void TMainWindow::ShowQuery() {
    if (Session_.Base().PartyList.empty()) {
        Dialogs().Warning(this, QStringLiteral("The Base is empty, so query impossible!"));
        return;
    }
    QDialog* query = Windows_.QueryDialog;
    if (!query->isVisible()) {
        query->adjustSize();
        CentreOnScreen(*query, query->size());
        query->show();
    }
    query->raise();
    query->activateWindow();
}

void TMainWindow::ShowShiftStatistic(int s) {
    const QString total = CodePageText(kalvon::ShiftTotalText(Session_.ShiftStatistic(s)));
    if (StatisticShown()) {
        Board_->DeleteMovesAlf();
        Memo_->setPlainText(total);
    } else {
        Dialogs().Information(this, total);
    }
}

void TMainWindow::OneShiftStatistic() {
    ShowShiftStatistic(1);
    Windows_.NavigatorWindow->OpenWhenListed();
}

void TMainWindow::TwoShiftStatistic() {
    ShowShiftStatistic(2);
    Windows_.NavigatorWindow->OpenWhenListed();
}

// ---------------------------------------------------------------------------------------------
// Reflecting and turning the board

void TMainWindow::TransformBoard(kalvon::TSymmetry symmetry) {
    const kalvon::TBoardChange change = Session_.ChangePosition(kalvon::TransformGame, symmetry);
    if (StatisticShown()) MakeStatistic(false);
    ShowChange(change);
}

void TMainWindow::ReflectUpDown() {
    TransformBoard(kalvon::TSymmetry::ReflectUpDown);
}

void TMainWindow::ReflectLeftRight() {
    TransformBoard(kalvon::TSymmetry::ReflectLeftRight);
}

void TMainWindow::TurnClockwise() {
    TransformBoard(kalvon::TSymmetry::TurnClockwise);
}

void TMainWindow::TurnAnticlockwise() {
    TransformBoard(kalvon::TSymmetry::TurnAnticlockwise);
}
