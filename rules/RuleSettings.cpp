#include "rules/RuleSettings.h"

#include <algorithm>
#include <charconv>

#include "base/TextFields.h"

namespace kalvon {

namespace {

constexpr const char* RuleKeys[] = {RuleKey, GomokuRuleKey, ShowForbiddenKey, VcfLengthKey, VcfNodesKey};

std::optional<TRule> RuleOfSetting(std::string_view text) {
    const std::string upper = AsciiUpper(Trim(text));
    for (TRule rule : {TRule::Renju, TRule::Freestyle, TRule::Standard})
        if (upper == AsciiUpper(RuleSettingWord(rule))) return rule;
    return std::nullopt;
}

std::optional<uint64_t> ParseCount(std::string_view text) {
    text = Trim(text);
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The file without the key's line in the section; the file offers no removal of its own, and its
// text read again is the same file.
TSettingsFile WithoutKey(const TSettingsFile& file, std::string_view section, std::string_view key) {
    std::string text;
    for (const TSettingsFile::TSection& s : file.Sections()) {
        const bool inSection = AsciiUpper(s.Name) == AsciiUpper(section);
        text += "[" + s.Name + "]\n";
        for (const TIniEntry& entry : s.Lines)
            if (!inSection || AsciiUpper(entry.Key) != AsciiUpper(key))
                text += entry.Key + "=" + entry.Value + "\n";
    }
    return TSettingsFile::Parse(text);
}

}  // namespace

const char* RuleSettingWord(TRule rule) {
    switch (rule) {
        case TRule::Freestyle:
            return "Freestyle";
        case TRule::Standard:
            return "Standard";
        case TRule::Renju:
            break;
    }
    return "Renju";
}

TRuleSettings ReadRuleSettings(const TParameterList& list) {
    TRuleSettings settings;
    if (const auto rule = RuleOfSetting(list.Value(RuleKey))) settings.Rule = *rule;
    if (const auto rule = RuleOfSetting(list.Value(GomokuRuleKey)); rule && *rule != TRule::Renju)
        settings.GomokuRule = *rule;
    const std::string show = AsciiUpper(Trim(list.Value(ShowForbiddenKey)));
    if (show == "FALSE") settings.ShowForbidden = false;
    if (const auto length = ParseSettingInteger(Trim(list.Value(VcfLengthKey))))
        settings.VcfLength = ClampSetting(*length, VcfLengthRange);
    if (const auto nodes = ParseCount(list.Value(VcfNodesKey)))
        settings.VcfNodes = std::clamp(*nodes, MinVcfNodes, MaxVcfNodes);
    return settings;
}

void StoreRuleSettings(const TRuleSettings& settings, TParameterList& list) {
    const TRuleSettings defaults;
    // An empty value removes the key's line.
    list.Set(RuleKey, settings.Rule == defaults.Rule ? "" : RuleSettingWord(settings.Rule));
    list.Set(GomokuRuleKey,
             settings.GomokuRule == defaults.GomokuRule ? "" : RuleSettingWord(settings.GomokuRule));
    list.Set(ShowForbiddenKey, settings.ShowForbidden == defaults.ShowForbidden ? "" : "false");
    list.Set(VcfLengthKey,
             settings.VcfLength == defaults.VcfLength ? "" : std::to_string(settings.VcfLength));
    list.Set(VcfNodesKey, settings.VcfNodes == defaults.VcfNodes ? "" : std::to_string(settings.VcfNodes));
}

void CopyRuleSettings(const TParameterList& list, TSettingsFile& file) {
    for (const char* key : RuleKeys) {
        if (const auto value = list.Find(key))
            file.SetValue(ParametersSection, key, *value);
        else if (file.Find(ParametersSection, key))
            file = WithoutKey(file, ParametersSection, key);
    }
}

}  // namespace kalvon
