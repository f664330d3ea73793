// The main window's rules commands: the rule in force (Moves > Rule), "Find VCF", "Find Threat" and
// "Check Games", and the status line's rule field.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <algorithm>

#include "rules/Rule.h"
#include "ui/CheckGamesCommand.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/VcfCommand.h"

namespace {

QString Caption(kalvon::TRule rule) {
    const std::string_view caption = kalvon::RuleCaption(rule);
    return QString::fromLatin1(caption.data(), qsizetype(caption.size()));
}

}  // namespace

void TMainWindow::ConnectRules() {
    auto* rules = new QActionGroup(this);
    rules->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* item : {Menu_.ruleRenjuAction, Menu_.ruleFreestyleAction, Menu_.ruleStandardAction})
        rules->addAction(item);
    Vcf_ = new TVcfCommand(Session_, *Board_, this);
    CheckGames_ = new TCheckGamesCommand(Session_, this);
    connect(&Session_, &TSession::RuleChanged, this, &TMainWindow::ShowRule);
    connect(CheckGames_, &TCheckGamesCommand::Finished, this, &TMainWindow::OpenNavigatorWhenListed);
    // The status line's rule field holds the longest caption whole.
    int widest = 0;
    for (kalvon::TRule rule : {kalvon::TRule::Renju, kalvon::TRule::Freestyle, kalvon::TRule::Standard})
        widest = std::max(widest, RuleField_->fontMetrics().horizontalAdvance(Caption(rule)));
    RuleField_->setMinimumWidth(widest + RuleField_->fontMetrics().averageCharWidth());
    ShowRule();
}

void TMainWindow::ShowRule() {
    const kalvon::TRule rule = Session_.Rule();
    Menu_.ruleRenjuAction->setChecked(rule == kalvon::TRule::Renju);
    Menu_.ruleFreestyleAction->setChecked(rule == kalvon::TRule::Freestyle);
    Menu_.ruleStandardAction->setChecked(rule == kalvon::TRule::Standard);
    RuleField_->setText(Caption(rule));
    RuleField_->setToolTip(RuleField_->text());
}

void TMainWindow::ChooseRenju() {
    Session_.ChooseRule(kalvon::TRule::Renju);
}

void TMainWindow::ChooseFreestyle() {
    Session_.ChooseRule(kalvon::TRule::Freestyle);
}

void TMainWindow::ChooseStandard() {
    Session_.ChooseRule(kalvon::TRule::Standard);
}

void TMainWindow::FindVcf() {
    Vcf_->Find(false);
}

void TMainWindow::FindThreat() {
    Vcf_->Find(true);
}

void TMainWindow::CheckGames() {
    CheckGames_->Start();
}
