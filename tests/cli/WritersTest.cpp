// Several writers of one base, and what a rewrite leaves beside it: no writer loses another's games,
// the previous generation can be brought back, owners stay and nothing is written through a link.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "tests/cli/CliRun.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

namespace fs = std::filesystem;

std::string Notification(int board) {
    return Concat({"Notification of Gomoku Board ", std::to_string(board),
                   "\r\n\r\nGame won by Alice.\r\n\r\nAlice's\r\nBob's\r\n\r\n   Eks          Ohs\r\n"
                   "   Alice  Bob\r\n  1 H8         2 Resign\r\n\r\n\r\n"});
}

size_t LineCount(const std::string& text) {
    return size_t(std::count(text.begin(), text.end(), '\n'));
}

// A base of games of distinct boards, as a player's base holds them.
std::string Base(int games) {
    std::string text;
    for (int g = 0; g < games; ++g)
        text += Concat({"2000,", std::to_string(100000 + g), "=[A,B,+,88,?,-]\r\n"});
    return text;
}

TEST(Writers, ConcurrentAddsKeepEveryGameAndTheLastRewriteCanBeUndone) {
    TTempFolder folder;
    const std::string base = folder.File("g.bdt");
    WriteFile(base, Base(4000));
    for (int round = 0; round < 3; ++round) {
        // Two working folders, three notifications each, every board its own in every round: a game
        // the base holds already is not added again.
        for (int run = 0; run < 2; ++run)
            for (int n = 0; n < 3; ++n) {
                const std::string add = Concat({"w", std::to_string(run), "/add"});
                fs::create_directories(folder.File(add));
                WriteFile(folder.File(Concat({add, "/", std::to_string(n), "_03.txt"})),
                          Notification(round * 100 + run * 10 + n + 1));
            }
        const std::string before = ReadFile(base);
        TCliResult first, second;
        std::thread a([&] { first = RunCli(folder.Path() / "w0", {"add", base}); });
        std::thread b([&] { second = RunCli(folder.Path() / "w1", {"add", base}); });
        a.join();
        b.join();
        ASSERT_EQ(first.Status, 0) << first.Err;
        ASSERT_EQ(second.Status, 0) << second.Err;
        EXPECT_EQ(LineCount(ReadFile(base)), LineCount(before) + 6) << "round " << round;
        // The base as the second writer found it, three games short, is the previous generation.
        EXPECT_EQ(LineCount(ReadFile(base + ".bak")), LineCount(before) + 3);
    }
    EXPECT_TRUE(fs::exists(base + ".lock"));

    const std::string now = ReadFile(base), previous = ReadFile(base + ".bak");
    const TCliResult refused = RunCli(folder.Path(), {"restore", base});
    EXPECT_EQ(refused.Status, 1) << "no answer on standard input is No";
    EXPECT_NE(refused.Err.find("g.bdt: 4018 games, last changed "), std::string::npos) << refused.Err;
    EXPECT_NE(refused.Err.find("g.bdt.bak: 4015 games"), std::string::npos) << refused.Err;
    EXPECT_EQ(ReadFile(base), now);
    const TCliResult restored = RunCli(folder.Path(), {"restore", base, "--yes"});
    EXPECT_EQ(restored.Status, 0) << restored.Err;
    EXPECT_EQ(ReadFile(base), previous);
    EXPECT_EQ(ReadFile(base + ".bak"), now) << "the swap can itself be undone";
}

TEST(Writers, AWriterThatCannotHaveTheLockWritesNothing) {
    TTempFolder folder;
    WriteFile(folder.File("g.bdt"), Base(3));
    fs::create_directories(folder.File("add"));
    WriteFile(folder.File("add/1_03.txt"), Notification(1));
    // flock(1) keeps the lock while the tool waits and gives up.
    const std::string holder =
        Concat({"cd ", Quote(folder.Path().string()), " && exec flock g.bdt.lock sleep 8 >/dev/null 2>&1 &"});
    ASSERT_EQ(std::system(holder.c_str()), 0);
    for (int i = 0; i < 100 && !fs::exists(folder.File("g.bdt.lock")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const TCliResult result = RunCli(folder.Path(), {"add", "g.bdt"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Base g.bdt is being rewritten by another program; nothing was written."),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(ReadFile(folder.File("g.bdt")), Base(3));
    EXPECT_FALSE(fs::exists(folder.File("g.bdt.bak")));
}

TEST(Writers, ARewriteKeepsTheOwnerGroupAndMode) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TTempFolder folder;
    const std::string base = folder.File("g.bdt");
    WriteFile(base, Base(3));
    ASSERT_EQ(chown(base.c_str(), 4321, 4322), 0);
    ASSERT_EQ(chmod(base.c_str(), 0660), 0);
    fs::create_directories(folder.File("add"));
    WriteFile(folder.File("add/1_03.txt"), Notification(1));
    ASSERT_EQ(RunCli(folder.Path(), {"add", "g.bdt"}).Status, 0);
    struct stat info {};
    ASSERT_EQ(stat(base.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(info.st_mode & 07777, 0660u);
    EXPECT_EQ(LineCount(ReadFile(base)), 4u);
}

// Two users who share the base's group, and a shell command run as one of them under umask 077.
constexpr int UserA = 4701, UserB = 4702, SharedGroup = 4700;
std::string AsUser(int user, const std::string& command) {
    return Concat({"umask 077 && setpriv --reuid=", std::to_string(user), " --regid=", std::to_string(user),
                   " --groups=", std::to_string(SharedGroup), " ", command});
}

TCliResult RunCliAs(const fs::path& folder, int user, const std::vector<std::string>& args) {
    std::string command = Quote(KALVON_CLI);
    for (const std::string& arg : args) command = Concat({command, " ", Quote(arg)});
    const auto out = folder / ".cli-out", err = folder / ".cli-err";
    const std::string shell =
        Concat({"cd ", Quote(folder.string()), " && timeout -k 5 30 sh -c ", Quote(AsUser(user, command)),
                " >", Quote(out.string()), " 2>", Quote(err.string())});
    TCliResult result;
    const int status = std::system(shell.c_str());
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = Slurp(out);
    result.Err = Slurp(err);
    return result;
}

TEST(Writers, TwoUsersOfOneBaseEachTakeTheLockOrWriteNothing) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to run the tool as two users (the test script runs as root)";
    TTempFolder folder;
    const std::string base = folder.File("g.bdt");
    WriteFile(base, Base(3));
    ASSERT_EQ(chown(base.c_str(), UserA, SharedGroup), 0);
    ASSERT_EQ(chmod(base.c_str(), 0660), 0);
    ASSERT_EQ(chmod(folder.Path().c_str(), 0777), 0);
    for (const char* sub : {"a", "b"}) {
        fs::create_directories(folder.File(Concat({sub, "/add"})));
        WriteFile(folder.File(Concat({sub, "/add/1_03.txt"})), Notification(sub[0] == 'a' ? 1 : 2));
        ASSERT_EQ(chmod(folder.File(sub).c_str(), 0777), 0);
    }
    // The first user holds a lock file only he may open, as one made under umask 077 by an earlier
    // version: the second user's add waits for a lock it can take, then fails and writes nothing.
    const std::string holder = Concat({"cd ", Quote(folder.Path().string()), " && ",
                                       AsUser(UserA, "flock g.bdt.lock sleep 2"), " >/dev/null 2>&1 &"});
    ASSERT_EQ(std::system(holder.c_str()), 0);
    for (int i = 0; i < 100 && !fs::exists(folder.File("g.bdt.lock")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const TCliResult refused = RunCliAs(folder.Path() / "b", UserB, {"add", "../g.bdt"});
    EXPECT_EQ(refused.Status, 1) << refused.Err;
    EXPECT_NE(refused.Err.find("g.bdt.lock cannot be opened: Permission denied; nothing was written."),
              std::string::npos)
        << refused.Err;
    EXPECT_EQ(ReadFile(base), Base(3));

    // Once that lock file is gone, the one a writer makes takes the base's group and bits: each user's
    // add takes the lock in turn and both games are kept.
    for (int i = 0;
         i < 200 && std::system(Concat({"flock -n ", Quote(folder.File("g.bdt.lock")), " true"}).c_str());
         ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    fs::remove(folder.File("g.bdt.lock"));
    const TCliResult first = RunCliAs(folder.Path() / "a", UserA, {"add", "../g.bdt"});
    ASSERT_EQ(first.Status, 0) << first.Err;
    struct stat lock {};
    ASSERT_EQ(stat(folder.File("g.bdt.lock").c_str(), &lock), 0);
    EXPECT_EQ(lock.st_gid, gid_t(SharedGroup));
    EXPECT_EQ(lock.st_mode & 0777, 0660u);
    const TCliResult second = RunCliAs(folder.Path() / "b", UserB, {"add", "../g.bdt"});
    ASSERT_EQ(second.Status, 0) << second.Err;
    EXPECT_EQ(LineCount(ReadFile(base)), 5u);
}

}  // namespace
}  // namespace kalvon::test
