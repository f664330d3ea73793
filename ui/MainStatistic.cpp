// The main window's statistics commands and the reflections and turns of the board.
#include <QGuiApplication>
#include <QScreen>

#include "search/ShiftStatistic.h"
#include "search/StatisticLines.h"
#include "ui/BoardView.h"
#include "ui/DialogService.h"
#include "ui/Main.h"
#include "ui/QueryPartys.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"

// ---------------------------------------------------------------------------------------------
// Statistics

void TMainForm::MakeStatistic(bool quiet) {
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

void TMainForm::StatisticShowClick() {
    // The menu has already toggled the check mark.
    const bool shown = StatisticShown();
    FormActivate();
    Memo1->setVisible(shown);
    if (shown)
        MakeStatistic(false);
    else
        Board_->DeleteMovesAlf();
}

void TMainForm::N8Click() {
    // The search redrew the open windows; this opens the navigator when games were found.
    MakeStatistic(false);
    Session_.RefreshBrowsers(true, false);
}

void TMainForm::N11Click() {
    if (Session_.Base().PartyList.empty()) {
        Dialogs().Information(this, QStringLiteral("The Base is empty, so query impossible!"));
        return;
    }
    QDialog* query = Forms_.QueryForm;
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

void TMainForm::ShowShiftStatistic(int s) {
    const QString total =
        CodePageText(kalvon::ShiftTotalText(kalvon::ShiftStatistic(Session_.Base(), s, Session_.Index())));
    if (StatisticShown()) {
        Board_->DeleteMovesAlf();
        Memo1->setPlainText(total);
    } else {
        Dialogs().Information(this, total);
    }
}

void TMainForm::OneShiftClick() {
    ShowShiftStatistic(1);
    Session_.RefreshBrowsers(true, false);
}

void TMainForm::TwoShiftClick() {
    ShowShiftStatistic(2);
    Session_.RefreshBrowsers(true, false);
}

// ---------------------------------------------------------------------------------------------
// Reflecting and turning the board

void TMainForm::TransformBoard(kalvon::TSymmetry symmetry) {
    const kalvon::TBoardChange change = Session_.ChangePosition(kalvon::TransformGame, symmetry);
    if (StatisticShown()) MakeStatistic(false);
    ShowChange(change);
}

void TMainForm::VertClick() {
    TransformBoard(kalvon::TSymmetry::ReflectUpDown);
}

void TMainForm::HorizClick() {
    TransformBoard(kalvon::TSymmetry::ReflectLeftRight);
}

void TMainForm::ClockwiseClick() {
    TransformBoard(kalvon::TSymmetry::TurnClockwise);
}

void TMainForm::AgainstClick() {
    TransformBoard(kalvon::TSymmetry::TurnAnticlockwise);
}
