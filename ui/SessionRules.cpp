// The session's rules: the rule in force, the rules' settings of ini/Tools.ini, and a continuation
// put on the board by a command (a VCF found).
#include "ui/Session.h"

namespace {

bool SameRuleSettings(const kalvon::TRuleSettings& a, const kalvon::TRuleSettings& b) {
    return a.Rule == b.Rule && a.GomokuRule == b.GomokuRule && a.ShowForbidden == b.ShowForbidden &&
           a.VcfLength == b.VcfLength && a.VcfNodes == b.VcfNodes;
}

}  // namespace

void TSession::SetRule(kalvon::TRule rule) {
    if (rule == Rule_) return;
    Rule_ = rule;
    emit RuleChanged();
}

void TSession::FollowGameRule(std::string_view moves) {
    SetRule(kalvon::GameRule(moves, Settings_.Rules.GomokuRule));
}

void TSession::ReadRuleSettings() {
    Settings_.Rules = kalvon::ReadRuleSettings(Settings_.ParameterList);
    SetRule(Settings_.Rules.Rule);
}

void TSession::ChooseRule(kalvon::TRule rule) {
    SetRule(rule);
    kalvon::TRuleSettings chosen = Settings_.Rules;
    chosen.Rule = rule;
    if (rule != kalvon::TRule::Renju) chosen.GomokuRule = rule;
    if (SameRuleSettings(chosen, Settings_.Rules)) return;
    Settings_.Rules = chosen;
    // Only values that differ from their defaults get a line, so a default file stays as it is.
    kalvon::StoreRuleSettings(chosen, Settings_.ParameterList);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

void TSession::StoreRuleSettings(bool showForbidden, int vcfLength) {
    kalvon::TRuleSettings stored = Settings_.Rules;
    stored.ShowForbidden = showForbidden;
    stored.VcfLength = kalvon::ClampSetting(vcfLength, kalvon::VcfLengthRange);
    if (SameRuleSettings(stored, Settings_.Rules)) return;
    Settings_.Rules = stored;
    kalvon::StoreRuleSettings(stored, Settings_.ParameterList);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

void TSession::SetContinuation(std::string moves) {
    Base_.ForwardMoves = std::move(moves);
    // Nothing to draw; the commands that replay follow.
    emit PositionChanged(kalvon::TBoardChange{});
}
