// The rules' settings in ini/Tools.ini: written only when they differ from their defaults, so a
// default file stays byte for byte as it is; read back as stored; odd values read as defaults.
#include <gtest/gtest.h>

#include "rules/RuleSettings.h"

namespace kalvon {
namespace {

void ExpectSame(const TRuleSettings& a, const TRuleSettings& b) {
    EXPECT_EQ(a.Rule, b.Rule);
    EXPECT_EQ(a.GomokuRule, b.GomokuRule);
    EXPECT_EQ(a.ShowForbidden, b.ShowForbidden);
    EXPECT_EQ(a.VcfLength, b.VcfLength);
    EXPECT_EQ(a.VcfNodes, b.VcfNodes);
}

// "Save Tools" of the rules: the list's keys into the file.
std::string Saved(const TSettingsFile& file, const TParameterList& list) {
    TSettingsFile saved = file;
    CopyRuleSettings(list, saved);
    return saved.Format();
}

TEST(RuleSettings, OnlyValuesOtherThanTheDefaultsAreWritten) {
    const TSettingsFile file = TSettingsFile::Parse(DefaultSettingsText());
    TParameterList list = file.Section(ParametersSection);
    ExpectSame(ReadRuleSettings(list), TRuleSettings());
    StoreRuleSettings(TRuleSettings(), list);
    // "Save Tools" writes the same bytes as without the rules.
    const std::string today = file.Format();
    EXPECT_EQ(Saved(file, list), today);

    TRuleSettings changed;
    changed.Rule = TRule::Standard;
    changed.GomokuRule = TRule::Standard;
    changed.ShowForbidden = false;
    changed.VcfLength = 9;
    changed.VcfNodes = 50000;
    StoreRuleSettings(changed, list);
    const std::string saved = Saved(file, list);
    // After the seven lines of the display settings.
    EXPECT_EQ(saved, today.substr(0, today.size() - 2) +
                         "Rule=Standard\r\nGomoku Rule=Standard\r\nShow Forbidden=false\r\nVCF Length=9\r\n"
                         "VCF Nodes=50000\r\n\r\n");
    ExpectSame(ReadRuleSettings(TSettingsFile::Parse(saved).Section(ParametersSection)), changed);

    // Back to the defaults: the keys leave the list and the saved file alike.
    TSettingsFile reread = TSettingsFile::Parse(saved);
    TParameterList back = reread.Section(ParametersSection);
    StoreRuleSettings(TRuleSettings(), back);
    EXPECT_EQ(back.Entries().size(), 6u);
    EXPECT_EQ(Saved(reread, back), today);
}

TEST(RuleSettings, OddValuesReadAsDefaultsOrWithinRange) {
    struct TCase {
        const char* Text;
        TRuleSettings Expected;
    };
    TRuleSettings freestyle;
    freestyle.Rule = TRule::Freestyle;
    TRuleSettings longest;
    longest.VcfLength = VcfLengthRange.Max;
    longest.ShowForbidden = false;
    TRuleSettings fewest;
    fewest.VcfNodes = MinVcfNodes;
    fewest.VcfLength = VcfLengthRange.Min;
    const TCase cases[] = {
        {"[Parameters]\nRule=Chess\nVCF Length=abc\nShow Forbidden=maybe\nGomoku Rule=Renju\n",
         TRuleSettings()},
        {"[Parameters]\nrule = freestyle \nVCF Nodes=-5\n", freestyle},
        {"[Parameters]\nVCF Length=999\nshow forbidden=FALSE\n", longest},
        {"[Parameters]\nVCF Length=0\nVCF Nodes=3\n", fewest},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        ExpectSame(ReadRuleSettings(TSettingsFile::Parse(c.Text).Section(ParametersSection)), c.Expected);
    }
}

}  // namespace
}  // namespace kalvon
