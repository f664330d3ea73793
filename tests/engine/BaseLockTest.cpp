// The writers' lock of a base between two users: a writer takes the lock or writes nothing, never
// follows a link to its lock file, and makes the lock file so that every user of the base can lock it.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "base/BaseLock.h"
#include "base/TextFields.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

namespace fs = std::filesystem;

// Two users who share the group of a base.
constexpr uid_t UserA = 4601, UserB = 4602;
constexpr gid_t OwnGroupA = 4611, SharedGroup = 4600;

// Runs what in a child process as the user (with the shared group beside its own) under umask 077, as
// a careful user's shell has it; the child's answer comes back through a pipe.
std::string AsUser(uid_t user, gid_t ownGroup, const std::function<std::string()>& what) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const gid_t groups[] = {SharedGroup};
        std::string answer = "cannot become the user";
        if (setgroups(1, groups) == 0 && setgid(ownGroup) == 0 && setuid(user) == 0) {
            umask(077);
            answer = what();
        }
        const ssize_t written = write(pipeEnds[1], answer.data(), answer.size());
        _exit(written == ssize_t(answer.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string answer;
    char piece[256];
    for (ssize_t n; (n = read(pipeEnds[0], piece, sizeof piece)) > 0;) answer.append(piece, size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return answer;
}

// What a writer's lock gives: "locked" or the message.
std::string TryLock(const std::string& base) {
    TBaseWriteLock lock;
    std::string error;
    return lock.Lock(base, error, 300) ? "locked" : error;
}

struct TLockCase {
    const char* Rule;
    std::function<void(const std::string& folder)> Prepare;  // run as root beside b.bdt
    const char* Expected;                                    // "locked", or a part of the message
};

TEST(BaseLock, ASecondUserTakesTheLockOrWritesNothing) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as two users (the test script runs as root)";
    const TLockCase cases[] = {
        {"a lock file another user made for himself alone: the wait ends in the real reason",
         [](const std::string& folder) {
             AsUser(UserA, OwnGroupA, [&] {
                 const int fd = open((folder + "/b.bdt.lock").c_str(), O_RDWR | O_CREAT, 0600);
                 close(fd);
                 return "";
             });
         },
         "b.bdt.lock cannot be opened: Permission denied; nothing was written."},
        {"a lock file that is a link leading nowhere: refused, and its target never made",
         [](const std::string& folder) { fs::create_symlink(folder + "/elsewhere", folder + "/b.bdt.lock"); },
         "b.bdt.lock cannot be opened: it is a link, and a lock is never taken through a link;"},
        {"a lock file that is a folder",
         [](const std::string& folder) { fs::create_directory(folder + "/b.bdt.lock"); },
         "b.bdt.lock cannot be opened: it is a folder, not a file;"},
        {"a folder the user may not write: the first reason, at once",
         [](const std::string& folder) { chmod(folder.c_str(), 0755); },
         "b.bdt.lock cannot be made in folder "},
        {"a lock file the other user made for the base: it locks",
         [](const std::string& folder) {
             AsUser(UserA, OwnGroupA, [&] { return TryLock(folder + "/b.bdt"); });
         },
         "locked"},
    };
    for (const TLockCase& c : cases) {
        SCOPED_TRACE(c.Rule);
        TTempFolder temp;
        const std::string folder = fs::canonical(temp.Path()).string(), base = folder + "/b.bdt";
        WriteFile(base, "2003, 4711=[A,B,+,88,?,-]\r\n");
        ASSERT_EQ(chown(base.c_str(), UserA, SharedGroup), 0);
        ASSERT_EQ(chmod(base.c_str(), 0660), 0);
        ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
        c.Prepare(folder);
        const std::string outcome = AsUser(UserB, UserB, [&] { return TryLock(base); });
        if (std::string_view(c.Expected) == "locked") {
            EXPECT_EQ(outcome, "locked");
        } else {
            EXPECT_NE(outcome.find(c.Expected), std::string::npos) << outcome;
        }
        EXPECT_FALSE(fs::exists(folder + "/elsewhere")) << "no link is followed";
        if (std::string_view(c.Rule).starts_with("a folder the user")) {
            EXPECT_NE(outcome.find(Concat({folder, ": Permission denied; nothing was written."})),
                      std::string::npos)
                << outcome;
        }
    }
}

TEST(BaseLock, ANewLockFileTakesTheBaseFilesGroupAndReadWriteBits) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as two users (the test script runs as root)";
    for (const mode_t mode : {mode_t(0660), mode_t(0640), mode_t(0600), mode_t(0644)}) {
        SCOPED_TRACE(mode);
        TTempFolder temp;
        const std::string folder = fs::canonical(temp.Path()).string(), base = folder + "/b.bdt";
        WriteFile(base, "");
        ASSERT_EQ(chown(base.c_str(), UserA, SharedGroup), 0);
        ASSERT_EQ(chmod(base.c_str(), mode | S_IXUSR), 0);
        ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
        EXPECT_EQ(AsUser(UserA, OwnGroupA, [&] { return TryLock(base); }), "locked");
        struct stat info {};
        ASSERT_EQ(lstat((base + ".lock").c_str(), &info), 0);
        EXPECT_EQ(info.st_gid, SharedGroup) << "the base's group, not the writer's own";
        EXPECT_EQ(info.st_mode & 0777, mode) << "the base's read and write bits, whatever the umask";
        // A second user who may read the base may now lock it.
        const std::string second = AsUser(UserB, UserB, [&] { return TryLock(base); });
        if ((mode & 0040) != 0) {
            EXPECT_EQ(second, "locked");
        } else {
            EXPECT_NE(second.find("cannot be opened: Permission denied"), std::string::npos)
                << "one who may not read the base cannot lock it either: " << second;
        }
    }
}

}  // namespace
}  // namespace kalvon::test
