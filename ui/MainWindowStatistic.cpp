// The main window's statistics commands and the reflections and turns of the board.
#include <QGuiApplication>
#include <QScreen>

#include "search/ShiftStatistic.h"
#include "search/StatisticLines.h"
#include "ui/BoardView.h"
#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/QueryDialog.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"

// ---------------------------------------------------------------------------------------------
// Statistics

void TMainWindow::MakeStatistic(bool quiet) {
    const kalvon::TStatistic statistic = Session_.Search();
    if (quiet) return;
    if (!StatisticShown()) {
        // The box neither labels the board nor touches the memo; the browsing windows followed the
        // search all the same, so they never show a selection that is gone.
        Dialogs().Information(this, BoxLines(kalvon::StatisticMessageText(statistic)));
        return;
    }
    Memo1->SetLines(kalvon::StatisticMemoLines(statistic));
    Board_->ShowLabels(kalvon::StatisticAlfMoves(statistic));
}

void TMainWindow::StatisticShowClick() {
    // The menu has already toggled the check mark.
    const bool shown = StatisticShown();
    FormActivate();
    Memo1->setVisible(shown);
    if (shown)
        MakeStatistic(false);
    else
        Board_->DeleteMovesAlf();
}

void TMainWindow::N8Click() {
    // The search redrew the open windows; this opens the navigator when games were found.
    MakeStatistic(false);
    Session_.RefreshBrowsers(true, false);
}

void TMainWindow::N11Click() {
    if (Session_.Base().PartyList.empty()) {
        Dialogs().Information(this, QStringLiteral("The Base is empty, so query impossible!"));
        return;
    }
    QDialog* query = Windows_.QueryDialog;
    if (!query->isVisible()) {
        query->adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen())
            query->move(screen->availableGeometry().center() -
                        QPoint(query->width() / 2, query->height() / 2));
        query->show();
    }
    query->raise();
    query->activateWindow();
}

void TMainWindow::ShowShiftStatistic(int s) {
    const QString total =
        CodePageText(kalvon::ShiftTotalText(kalvon::ShiftStatistic(Session_.Base(), s, Session_.Index())));
    if (StatisticShown()) {
        Board_->DeleteMovesAlf();
        Memo1->setPlainText(total);
    } else {
        Dialogs().Information(this, total);
    }
}

void TMainWindow::OneShiftClick() {
    ShowShiftStatistic(1);
    Session_.RefreshBrowsers(true, false);
}

void TMainWindow::TwoShiftClick() {
    ShowShiftStatistic(2);
    Session_.RefreshBrowsers(true, false);
}

// ---------------------------------------------------------------------------------------------
// Reflecting and turning the board

void TMainWindow::TransformBoard(kalvon::TSymmetry symmetry) {
    const kalvon::TBoardChange change = Session_.ChangePosition(kalvon::TransformGame, symmetry);
    if (StatisticShown()) MakeStatistic(false);
    ShowChange(change);
}

void TMainWindow::VertClick() {
    TransformBoard(kalvon::TSymmetry::ReflectUpDown);
}

void TMainWindow::HorizClick() {
    TransformBoard(kalvon::TSymmetry::ReflectLeftRight);
}

void TMainWindow::ClockwiseClick() {
    TransformBoard(kalvon::TSymmetry::TurnClockwise);
}

void TMainWindow::AgainstClick() {
    TransformBoard(kalvon::TSymmetry::TurnAnticlockwise);
}
