// The quick comparison of code-page text must give exactly what ICU gives.
#include <gtest/gtest.h>

#include <random>

#include "base/TextPolicy.h"

namespace kalvon {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Texts of the kinds a base holds: names, years, board codes and whole lines, with local letters,
// punctuation, control characters and bytes that the code page does not map.
std::string RandomText(std::mt19937& random) {
    static const std::string alphabet =
        "abcABCxyzXYZ019 ,.=[]-+?_'\"\t\x01\x7f"
        "\xc0\xe0\xc1\xe1\xa8\xb8\xc9\xe9\xdf\xff\x98\xad\xa0"  // Cyrillic letters, Yo, soft hyphen, NBSP
        "chCHLl\xb7\xb7lL\xe4\xc4\xe6\xdf\xf0";  // and, in windows-1252, a-umlaut, ae, sharp s, eth
    std::string text;
    const size_t length = random() % 12;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    return text;
}

class CompareAgreesWithIcu : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(CompareAgreesWithIcu, OnRandomTexts) {
    TTextPolicy policy(GetParam().first, GetParam().second);
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string a = RandomText(random), b = RandomText(random);
        if (i % 3 == 0) b = a.substr(0, a.size() / 2) + b;  // shared beginnings are the common case
        const int byKey = Sign(policy.SortKey(a).compare(policy.SortKey(b)));
        ASSERT_EQ(Sign(policy.Compare(a, b)), byKey) << "\"" << a << "\" vs \"" << b << "\"";
        const auto pa = policy.Prefix(a), pb = policy.Prefix(b);
        if (pa.Exact && pb.Exact && !(pa == pb)) {
            const int byPrefix =
                pa.High != pb.High ? (pa.High < pb.High ? -1 : 1) : (pa.Low < pb.Low ? -1 : 1);
            ASSERT_EQ(byPrefix, byKey) << "\"" << a << "\" vs \"" << b << "\"";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CompareAgreesWithIcu,
    ::testing::Values(std::make_pair("windows-1251", ""), std::make_pair("windows-1251", "ru"),
                      std::make_pair("windows-1252", "cs"), std::make_pair("windows-1252", "da"),
                      std::make_pair("windows-1251", "en_US"),
                      std::make_pair("windows-1252", "de@collation=phonebook"),
                      std::make_pair("windows-1252", "sk"), std::make_pair("UTF-8", "")));

// Whether a text can be decoded, against the text shown: a byte the code page cannot decode is shown
// as U+FFFD. Lines of base length, mostly ASCII, with the odd byte anywhere in a word of eight.
TEST(TextPolicy, CanDecodeAgreesWithTheTextShown) {
    std::mt19937 random(9);
    // Code pages that decode every byte, leave one to four bytes unused, leave more, and UTF-8.
    for (const char* codePage :
         {"windows-1251", "windows-1252", "windows-1253", "ISO-8859-7", "ISO-8859-3", "UTF-8"}) {
        TTextPolicy policy(codePage, "");
        const std::string odd = "\x98\x81\x8d\xc0\xe9\xd0\x96\xc3\xa9\x80\xff\xd2\xae\xa5";
        for (int i = 0; i < 20000; ++i) {
            std::string text;
            for (size_t length = random() % 41; text.size() < length;)
                text += random() % 12 == 0 ? odd[random() % odd.size()] : char(' ' + random() % 95);
            const bool shownWhole = policy.ToUtf8(text).find("\xef\xbf\xbd") == std::string::npos;
            ASSERT_EQ(policy.CanDecode(text), shownWhole)
                << codePage << ": " << ::testing::PrintToString(text);
        }
    }
}

// Texts made mostly of bytes UTF-8 cannot decode weigh each such byte as a character of its own (two
// units): their keys and shown forms come out, texts that differ in such bytes stay apart, and letter
// case alone still folds away. (ICU's own growing conversion ran for ever on a year such as the first.)
TEST(TextPolicy, TextsOfUndecodableBytesAreWeighedWhole) {
    TTextPolicy policy("UTF-8", "");
    const std::string years[] = {"1=[\xcf\xe5\xf2\xf0\xee\xe2?9-\xe2\xe0\xed\xee\xe2",
                                 std::string(200, '\xff'), "A" + std::string(31, '\xc0') + "\xe2"};
    for (const std::string& year : years) {
        EXPECT_FALSE(policy.SortKey(year).empty());
        EXPECT_EQ(policy.ToUtf8(year).find("\xef\xbf\xbd") != std::string::npos, true);
        EXPECT_NE(policy.CatalogueKey(year), policy.CatalogueKey(year + "\xff"));
        EXPECT_EQ(policy.FoldedCase(year + "Nord"), policy.FoldedCase(year + "NORD"));
    }
}

TEST(TextPolicy, IgnoresLetterCaseAndConvertsText) {
    TTextPolicy policy("windows-1251", "");
    EXPECT_EQ(policy.Compare("Nord", "NORD"), 0);
    EXPECT_EQ(policy.Compare("\xcf\xe5\xf2\xf0\xee\xe2", "\xcf\xc5\xd2\xd0\xce\xc2"),
              0);  // Petrov in two cases
    EXPECT_LT(policy.Compare("Abc", "abd"), 0);
    EXPECT_EQ(policy.ToUtf8("\xcf\xe5\xf2\xf0"), "\xd0\x9f\xd0\xb5\xd1\x82\xd1\x80");
    EXPECT_EQ(policy.FromUtf8("\xd0\x9f\xd0\xb5\xd1\x82\xd1\x80"),
              std::optional<std::string>("\xcf\xe5\xf2\xf0"));
    EXPECT_EQ(policy.FromUtf8("\xe4\xb8\xad"), std::nullopt)
        << "a character the code page cannot hold is refused";
    EXPECT_THROW(TTextPolicy("no-such-code-page", ""), std::runtime_error);
}

// A path is shown as the file system holds it: parts that are UTF-8 as they stand stay (ls shows
// them so), the names the program makes from the code page's bytes show their characters.
TEST(TextPolicy, ShownPathKeepsUtf8PartsAndDecodesTheOthers) {
    const std::pair<std::string, std::string> cases[] = {
        {"Outpbm/Renju Board \xc8"
         "1_03.txt",
         "Outpbm/Renju Board \xd0\x98"
         "1_03.txt"},
        {"\xd0\xa2\xd0\xb5\xd1\x81\xd1\x82/Outpbm/\xcf\xe5\xf2\xf0.txt",
         "\xd0\xa2\xd0\xb5\xd1\x81\xd1\x82/Outpbm/\xd0\x9f\xd0\xb5\xd1\x82\xd1\x80.txt"},
        // windows-1251 bytes that happen to be UTF-8: the file system shows "Ж", not "Р–".
        {"Outpbm/Renju Board \xd0\x96.txt", "Outpbm/Renju Board \xd0\x96.txt"},
        {"/abs//x/", "/abs//x/"},
        {"", ""},
    };
    for (const auto& [path, shown] : cases) EXPECT_EQ(ShownPath(path), shown) << path;
}

}  // namespace
}  // namespace kalvon
