// kalvon-cli diagram: the four picture formats, the settings of the working folder, and the
// arguments it refuses.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// Game 2 lies between columns G and K and rows 7 and 10.
const std::string Base =
    "2003, 4711=[NORD,SUED,+,8889,?,-]\r\n"
    "2003, 4712=[SUED,NORD,-,8878A9978A,?,-]\r\n";

class CliDiagram : public testing::Test {
protected:
    void SetUp() override { WriteFile(Folder.File("b.bdt"), Base); }
    TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "diagram");
        return RunCli(Folder.Path(), args);
    }
    int32_t Bmp(const std::string& name, size_t at) {
        const std::string bytes = ReadFile(Folder.File(name));
        int32_t value = 0;
        if (bytes.size() >= at + 4) std::memcpy(&value, bytes.data() + at, 4);
        return value;
    }
    TTempFolder Folder;
};

// A target that is a link is not written through: the file it leads to stays as it was.
TEST_F(CliDiagram, RefusesATargetThatIsALink) {
    std::filesystem::create_symlink("b.bdt", Folder.File("d.png"));
    const TCliResult result = Run({"b.bdt", "1", "d.png"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("it is not an ordinary file; nothing is written through it."),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(ReadFile(Folder.File("b.bdt")), Base);
}

TEST_F(CliDiagram, WritesEachFormatQuietly) {
    for (const auto& [name, magic] : {std::pair{"d.bmp", std::string("BM")},
                                      {"d.png", std::string("\x89PNG")},
                                      {"d.svg", std::string("<?xml")},
                                      {"D.EMF", std::string("\x01\0\0\0", 4)}}) {
        const TCliResult result = Run({"b.bdt", "2", name});
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(ReadFile(Folder.File(name)).substr(0, magic.size()), magic) << name;
    }
    // A 4 x 4 frame with the default cell of 30 pixels; the full board with two caption lines.
    EXPECT_EQ(Bmp("d.bmp", 18), 150);
    EXPECT_EQ(std::abs(Bmp("d.bmp", 22)), 150);
    ASSERT_EQ(Run({"b.bdt", "2", "f.bmp", "--full", "--caption", "--commentary", "--num", "0", "--marks",
                   "C77,A98"})
                  .Status,
              0);
    EXPECT_EQ(Bmp("f.bmp", 18), 480);
    EXPECT_EQ(std::abs(Bmp("f.bmp", 22)), 480 + 30);
}

TEST_F(CliDiagram, TakesTheCellAndFontOfTheWorkingFolder) {
    std::filesystem::create_directory(Folder.Path() / "ini");
    WriteFile(Folder.File("ini/Tools.ini"), "[Parameters]\r\nFont Size=12\r\nDiameter Moves=40\r\n");
    ASSERT_EQ(Run({"b.bdt", "2", "d.bmp", "--full", "--caption"}).Status, 0);
    EXPECT_EQ(Bmp("d.bmp", 18), 16 * 40);
    EXPECT_EQ(std::abs(Bmp("d.bmp", 22)), 16 * 40 + 12 + 7);
}

TEST_F(CliDiagram, RefusesBadArgumentsWithOneLine) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"b.bdt", "3", "d.bmp"},
                                                 {"b.bdt", "0", "d.bmp"},
                                                 {"b.bdt", "x", "d.bmp"},
                                                 {"b.bdt", "2", "d.jpg"},
                                                 {"b.bdt", "2", "d"},
                                                 {"b.bdt", "2", "d.bmp", "--num", "6"},
                                                 {"b.bdt", "2", "d.bmp", "--num", "-1"},
                                                 {"b.bdt", "2", "d.bmp", "--num"},
                                                 {"b.bdt", "2", "d.bmp", "--marks", "a98"},
                                                 {"b.bdt", "2", "d.bmp", "--marks", "A9"},
                                                 {"b.bdt", "2", "d.bmp", "--marks", "AH8"},
                                                 {"b.bdt", "2", "d.bmp", "--marks", "A98,A77"},
                                                 {"b.bdt", "2", "d.bmp", "--marks", "A98,"},
                                                 {"b.bdt", "2", "d.bmp", "--frame"},
                                                 {"b.bdt", "2"}}) {
        const TCliResult bad = Run(args);
        std::string shown;
        for (const std::string& arg : args) shown += arg + " ";
        EXPECT_EQ(bad.Status, 2) << shown;
        EXPECT_EQ(bad.Err.rfind("kalvon-cli: ", 0), 0u) << bad.Err;
        EXPECT_EQ(std::count(bad.Err.begin(), bad.Err.end(), '\n'), 1) << bad.Err;
        EXPECT_FALSE(std::filesystem::exists(Folder.File("d.bmp"))) << shown;
    }
    // "With Num" may name the last move; a missing base is a failure, not a bad argument.
    EXPECT_EQ(Run({"b.bdt", "2", "d.bmp", "--num", "5"}).Status, 0);
    EXPECT_EQ(Run({"none.bdt", "1", "e.bmp"}).Status, 1);
    const TCliResult unwritable = Run({"b.bdt", "1", "missing/e.bmp"});
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_NE(unwritable.Err, "");
}

}  // namespace
}  // namespace kalvon::test
