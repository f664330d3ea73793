// Rewriting a base into another code page, line for line.
#include <gtest/gtest.h>

#include <optional>

#include "base/BaseRecode.h"
#include "base/SafeFile.h"
#include "base/TextPolicy.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// Sets the code page in force for one case and the default back after it.
class TCodePageInForce {
public:
    explicit TCodePageInForce(const std::string& codePage) { SetTextPolicy(codePage, ""); }
    ~TCodePageInForce() { SetTextPolicy(DefaultCodePage); }
    TCodePageInForce(const TCodePageInForce&) = delete;
    TCodePageInForce& operator=(const TCodePageInForce&) = delete;
};

struct TRecodeCase {
    const char* Rule;
    const char* From;                // the code page in force
    std::string In;                  // the base's bytes
    const char* To;                  // the target code page
    std::optional<std::string> Out;  // the bytes written; nullopt: refused, nothing written
    std::string Error{};             // a part of the refusal's message
    bool OutExists = false;          // an earlier file stands at the output path
};

TEST(RecodeBase, LineForLineOrNothing) {
    // "Пётр" in windows-1251 and in UTF-8; the lines end in CR LF, LF, CR and nothing.
    const std::string cp1251 =
        "2003,    1=[\xcf\xb8\xf2\xf0,Bob,+,88,?,-]\r\n\r\n2004,    2=[Ann,\xcf\xb8\xf2\xf0,-,,?,R]\n"
        "x\rlast";
    const std::string utf8 =
        "2003,    1=[\xd0\x9f\xd1\x91\xd1\x82\xd1\x80,Bob,+,88,?,-]\r\n\r\n"
        "2004,    2=[Ann,\xd0\x9f\xd1\x91\xd1\x82\xd1\x80,-,,?,R]\nx\rlast";
    const std::string tonis = "2003,    1=[Ann,Bob,+,88,?,-]\r\n2003,    2=[T\xc3\xb5nis,Bob,+,88,?,-]\r\n";
    const TRecodeCase cases[] = {
        {"windows-1251 to UTF-8", "windows-1251", cp1251, "UTF-8", utf8},
        {"UTF-8 back to windows-1251, byte for byte", "UTF-8", utf8, "windows-1251", cp1251},
        {"an existing output is replaced and kept as .bak", "UTF-8", utf8, "windows-1251", cp1251, "", true},
        {"an empty base stays empty", "windows-1251", "", "UTF-8", ""},
        {"a name the target cannot hold stops it with its line", "UTF-8", tonis, "windows-1251", std::nullopt,
         "Line 2 of "},
        {"the character is named", "UTF-8", tonis, "windows-1251", std::nullopt,
         "\"\xc3\xb5\" in \"2003,    2=[T\xc3\xb5nis,Bob,+,88,?,-]\" cannot be written in windows-1251"},
        {"bytes the code page in force cannot read stop it", "UTF-8", "2003,1=[A,B,+,,?,-]\r\n\xff\r\n",
         "windows-1251", std::nullopt, "Line 2 of "},
        {"an unknown code page", "windows-1251", cp1251, "no-such-page", std::nullopt, "no-such-page"},
        {"a code page that does not keep ASCII", "windows-1251", cp1251, "UTF-16", std::nullopt, "ASCII"},
    };
    for (const TRecodeCase& c : cases) {
        SCOPED_TRACE(c.Rule);
        TCodePageInForce inForce(c.From);
        TTempFolder folder;
        const std::string in = folder.File("in.bdt"), out = folder.File("out.bdt");
        WriteFile(in, c.In);
        if (c.OutExists) WriteFile(out, "old");
        std::string error;
        EXPECT_EQ(RecodeBase(in, out, c.To, error), c.Out.has_value()) << error;
        EXPECT_EQ(ReadFile(in), c.In);
        if (c.Out) {
            EXPECT_EQ(ReadFile(out), *c.Out);
            EXPECT_EQ(std::filesystem::exists(PreviousFilePath(out)), c.OutExists);
        } else {
            EXPECT_NE(error.find(c.Error), std::string::npos) << error;
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

TEST(RecodeBase, RefusesToWriteOverItsInput) {
    TTempFolder folder;
    const std::string in = folder.File("in.bdt");
    WriteFile(in, "2003,    1=[Ann,Bob,+,88,?,-]\r\n");
    std::filesystem::create_symlink(in, folder.File("link.bdt"));
    for (const std::string& out : {in, folder.File("link.bdt"), folder.File("./in.bdt")}) {
        std::string error;
        EXPECT_FALSE(RecodeBase(in, out, "UTF-8", error)) << out;
        EXPECT_NE(error.find("cannot be recoded into itself"), std::string::npos) << error;
    }
    EXPECT_EQ(ReadFile(in), "2003,    1=[Ann,Bob,+,88,?,-]\r\n");
    EXPECT_FALSE(std::filesystem::exists(PreviousFilePath(in)));
}

}  // namespace
}  // namespace kalvon::test
