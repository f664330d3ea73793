// The settings of the rules in section "Parameters" of ini/Tools.ini. A key is written only when its
// value differs from the default, so that a settings file of default values stays as it was.
#pragma once

#include <cstdint>

#include "base/SettingsFile.h"
#include "rules/Rule.h"
#include "rules/Vcf.h"

namespace kalvon {

inline constexpr const char* RuleKey = "Rule";                     // Renju, Freestyle or Standard
inline constexpr const char* GomokuRuleKey = "Gomoku Rule";        // Freestyle or Standard
inline constexpr const char* ShowForbiddenKey = "Show Forbidden";  // true or false
inline constexpr const char* VcfLengthKey = "VCF Length";          // the attacker's moves
inline constexpr const char* VcfNodesKey = "VCF Nodes";            // the node limit of a VCF search

inline constexpr TSettingRange VcfLengthRange{1, 60, 1};
inline constexpr uint64_t MinVcfNodes = 1000, MaxVcfNodes = 1'000'000'000;

struct TRuleSettings {
    TRule Rule = TRule::Renju;            // the rule in force
    TRule GomokuRule = TRule::Freestyle;  // the gomoku rule last chosen, for games not opened at the centre
    bool ShowForbidden = true;            // black's forbidden points marked on the board
    int VcfLength = DefaultVcfLength;
    uint64_t VcfNodes = DefaultVcfNodeLimit;
};

// The settings the list holds; an absent key, or a value that is none of the key's (a rule word
// that is no rule, a number that is no whole number), gives the default. Numbers are brought into
// their ranges; "true" in any letter case shows the forbidden points, "false" hides them.
TRuleSettings ReadRuleSettings(const TParameterList& list);

// "Renju", "Freestyle" or "Standard": the rule as the settings file holds it.
const char* RuleSettingWord(TRule rule);

// Stores the settings in the list: a value that differs from its default replaces the key's line or
// is appended; a default value removes the key's line.
void StoreRuleSettings(const TRuleSettings& settings, TParameterList& list);

// Writes the rule keys the list holds into section "Parameters" of the file (after the keys it holds
// already) and removes those the list does not hold, as "Save Tools" does for the display settings.
void CopyRuleSettings(const TParameterList& list, TSettingsFile& file);

}  // namespace kalvon
