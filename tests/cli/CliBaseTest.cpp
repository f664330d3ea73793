// kalvon-cli info and resave on files in a temporary folder.
#include <gtest/gtest.h>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

const std::string RealGames = KALVON_SHARED_DATA "/gomocup-standard-2021.bdt";

TEST(CliVersion, PrintsTheProjectVersionAndNothingElse) {
    TTempFolder folder;
    TCliResult result = RunCli(folder.Path(), {"--version"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "kalvon-cli 2.9\n");
    EXPECT_EQ(result.Err, "");
}

TEST(CliInfo, CountsGamesPlayersAndYears) {
    TTempFolder folder;
    WriteFile(folder.File("b.bdt"), "2000,1=[Nord,Sud,+,88,?,-]\r\n2001,2=[NORD,West,-,88,?,-]\r\n");
    TCliResult result = RunCli(folder.Path(), {"info", "b.bdt"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Out, "games: 2\nplayers: 3\nyears: 2\n");
}

TEST(CliInfo, MissingFileAndBadArguments) {
    TTempFolder folder;
    TCliResult missing = RunCli(folder.Path(), {"info", "games.bdt"});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err, "File games.bdt not Found!\n");
    EXPECT_EQ(missing.Out, "");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"frobnicate"}, {"info"}, {"info", "a", "b"}, {"resave", "a"}}) {
        TCliResult bad = RunCli(folder.Path(), args);
        EXPECT_EQ(bad.Status, 2);
        EXPECT_EQ(bad.Err.rfind("kalvon-cli: ", 0), 0u) << bad.Err;
        EXPECT_EQ(std::count(bad.Err.begin(), bad.Err.end(), '\n'), 1) << "one line";
    }
}

TEST(CliInfo, FollowsTheCodePageOfTheSettingsFile) {
    TTempFolder folder;
    // "Petrov" in Windows-1251 and in UTF-8: two spellings of one player only when read as UTF-8.
    WriteFile(
        folder.File("b.bdt"),
        "2000,1=[\xcf\xe5\xf2\xf0\xee\xe2,\xd0\x9f\xd0\xb5\xd1\x82\xd1\x80\xd0\xbe\xd0\xb2,+,88,?,-]\r\n"
        "2000,2=[\xd0\xbf\xd0\xb5\xd1\x82\xd1\x80\xd0\xbe\xd0\xb2,x,+,88,?,-]\r\n");
    EXPECT_EQ(RunCli(folder.Path(), {"info", "b.bdt"}).Out, "games: 2\nplayers: 4\nyears: 1\n");
    std::filesystem::create_directory(folder.File("ini"));
    WriteFile(folder.File("ini/Tools.ini"), "[Parameters]\r\nCode Page=UTF-8\r\n");
    EXPECT_EQ(RunCli(folder.Path(), {"info", "b.bdt"}).Out, "games: 2\nplayers: 3\nyears: 1\n")
        << "in UTF-8 the two spellings of Petrov differ only in letter case";
    WriteFile(folder.File("ini/Tools.ini"), "[Parameters]\r\nCode Page=klingon\r\n");
    TCliResult unknown = RunCli(folder.Path(), {"info", "b.bdt"});
    EXPECT_EQ(unknown.Status, 0);
    EXPECT_NE(unknown.Err.find("\"klingon\""), std::string::npos) << unknown.Err;
    EXPECT_EQ(unknown.Out, "games: 2\nplayers: 4\nyears: 1\n");
}

TEST(CliResave, RealGamesComeBackByteForByte) {
    if (!std::filesystem::exists(RealGames)) GTEST_SKIP() << "no shared data beside the checkout";
    TTempFolder folder;
    ASSERT_EQ(RunCli(folder.Path(), {"resave", RealGames, "once.bdt"}).Status, 0);
    ASSERT_EQ(RunCli(folder.Path(), {"resave", "once.bdt", "twice.bdt"}).Status, 0);
    const std::string once = ReadFile(folder.File("once.bdt"));
    EXPECT_EQ(once, ReadFile(folder.File("twice.bdt")));
    EXPECT_EQ(once.size(), std::filesystem::file_size(RealGames)) << "the same lines, sorted";
    EXPECT_EQ(RunCli(folder.Path(), {"info", "once.bdt"}).Out, "games: 2492\nplayers: 18\nyears: 1\n");
}

TEST(CliResave, FailureLeavesNothingHalfWritten) {
    TTempFolder folder;
    WriteFile(folder.File("b.bdt"), "2000,1=[A,B,+,88,?,-]\r\n");
    TCliResult result = RunCli(folder.Path(), {"resave", "b.bdt", "no/such/folder/out.bdt"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("No such file or directory"), std::string::npos) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("no")));
}

}  // namespace
}  // namespace kalvon::test
