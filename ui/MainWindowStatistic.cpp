// The main window's statistics commands, the memo and the labels that show them, and the
// reflections and turns of the board.
#include <QAction>

#include "ui/BoardView.h"
#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/StatisticMemo.h"

void TMainWindow::ShowStatisticChange() {
    // The memo has followed the session; the check mark and the window's width follow the memo.
    const bool shown = !Memo_->isHidden();
    Menu_.statisticShowAction->setChecked(shown);
    if (Shown_) FitToSettings();
}

void TMainWindow::StatisticShowToggled() {
    Session_.SetStatisticShown(Menu_.statisticShowAction->isChecked());
}

void TMainWindow::ShowStatistic() {
    // The box neither labels the board nor touches the memo; the browsing windows followed the
    // search all the same, so they never show a selection that is gone.
    if (const std::optional<std::string> box = Session_.RunStatistic())
        Dialogs().Information(this, BoxLines(*box));
    OpenNavigatorWhenListed();
}

void TMainWindow::OpenNavigatorWhenListed() {
    if (!Session_.Listing().empty()) emit WindowWanted(TWindowKind::Navigator);
}

void TMainWindow::ShowQuery() {
    if (Session_.Games().PartyList.empty()) {
        Dialogs().Warning(this, QStringLiteral("The Base is empty, so query impossible!"));
        return;
    }
    emit WindowWanted(TWindowKind::Query);
}

void TMainWindow::ShowShiftStatistic(int s) {
    if (const std::optional<std::string> box = Session_.RunShiftStatistic(s))
        Dialogs().Information(this, CodePageText(*box));
    OpenNavigatorWhenListed();
}

void TMainWindow::OneShiftStatistic() {
    ShowShiftStatistic(1);
}

void TMainWindow::TwoShiftStatistic() {
    ShowShiftStatistic(2);
}

void TMainWindow::ReflectUpDown() {
    Session_.Transform(kalvon::TSymmetry::ReflectUpDown);
}

void TMainWindow::ReflectLeftRight() {
    Session_.Transform(kalvon::TSymmetry::ReflectLeftRight);
}

void TMainWindow::TurnClockwise() {
    Session_.Transform(kalvon::TSymmetry::TurnClockwise);
}

void TMainWindow::TurnAnticlockwise() {
    Session_.Transform(kalvon::TSymmetry::TurnAnticlockwise);
}
