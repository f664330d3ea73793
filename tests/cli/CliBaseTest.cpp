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

// The earlier files of a base: kept by every rewrite as many as ini/Tools.ini asks for, listed, and
// brought back by restore with its options (what a restore does to the generations is the engine's
// test).
TEST(CliRestore, ListsAndRestoresTheChosenGeneration) {
    TTempFolder folder;
    std::filesystem::create_directory(folder.File("ini"));
    WriteFile(folder.File("ini/Tools.ini"), "[Parameters]\r\nBackup Generations=3\r\n");
    auto games = [](int count) {
        std::string text;
        for (int g = 1; g <= count; ++g) text += "2000,    " + std::to_string(g) + "=[A,B,+,88,?,-]\r\n";
        return text;
    };
    WriteFile(folder.File("v.bdt"), games(1));
    for (int count = 2; count <= 5; ++count) {
        WriteFile(folder.File("in.bdt"), games(count));
        ASSERT_EQ(RunCli(folder.Path(), {"resave", "in.bdt", "v.bdt"}).Status, 0);
    }
    const TCliResult list = RunCli(folder.Path(), {"restore", "v.bdt", "--list"});
    EXPECT_EQ(list.Out.rfind("generation 1: v.bdt.bak: 4 games, last changed ", 0), 0u) << list.Out;
    EXPECT_NE(list.Out.find("\ngeneration 3: v.bdt.bak3: 2 games, last changed "), std::string::npos)
        << list.Out;
    EXPECT_EQ(std::count(list.Out.begin(), list.Out.end(), '\n'), 3)
        << "three generations, as the settings ask";

    const std::tuple<std::vector<std::string>, int, const char*, std::string> rows[] = {
        {{"--generation", "3"}, 1, "nothing was changed", games(5)},
        {{"--generation", "3", "--yes"}, 0, "with generation 3: v.bdt.bak3: 2 games", games(2)},
        {{"--before-removal", "--yes"}, 0, "with the file from before the last removal", games(5)},
        {{"--generation", "7", "--yes"}, 1, "has no generation 7 to go back to", games(5)},
        {{"--generation", "0"}, 2, "--generation takes a number from 1 to 99", games(5)},
        {{"--list", "--yes"}, 2, "usage: kalvon-cli restore", games(5)},
    };
    for (const auto& [options, status, said, base] : rows) {
        std::vector<std::string> args = {"restore", "v.bdt"};
        args.insert(args.end(), options.begin(), options.end());
        const TCliResult result = RunCli(folder.Path(), args);
        EXPECT_EQ(result.Status, status) << options[0] << result.Err;
        EXPECT_NE(result.Err.find(said), std::string::npos) << result.Err;
        EXPECT_EQ(ReadFile(folder.File("v.bdt")), base) << options[0];
    }
}

}  // namespace
}  // namespace kalvon::test
