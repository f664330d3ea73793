#include "base/BaseLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

#include "base/TextFields.h"

namespace kalvon {

namespace {

// The locks this process holds, by lock file: flock belongs to an open file, so a second open of the
// same file by a nested save would wait for the process itself.
struct THeldLock {
    int Fd = -1;
    int Count = 0;
};
std::map<std::string, THeldLock>& HeldLocks() {
    static std::map<std::string, THeldLock> held;
    return held;
}

// The folder part of a path: "." when it has none.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Why a lock file could not be opened for locking. Made says that it was missing and could not be
// created: waiting cannot help there, as no other writer can make a file in that folder either.
struct TLockFileProblem {
    std::string Reason;
    bool Made = false;
};

// The system's reason for an errno, in the words a message quotes.
std::string ErrnoReason(int number) {
    if (number == ELOOP) return "it is a link, and a lock is never taken through a link";
    return std::strerror(number);
}

// Opens the lock file at path for flock, never through a link: read-write where it may, else read-only
// (flock locks either way, so another user's lock file locks as well when it is only readable). A
// missing one is made with the base file's group and read/write bits, so that every user who may
// write the base may lock it too. -1 with the reason of the first failure.
int OpenLockFile(const std::string& path, const std::string& basePath, TLockFileProblem& problem) {
    constexpr int Flags = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    struct stat base {};
    const bool baseKnown = stat(basePath.c_str(), &base) == 0;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | Flags, 0666);
    if (fd >= 0) {
        if (baseKnown) {
            // A group the user does not belong to cannot be given: the folder's stays then.
            [[maybe_unused]] const bool grouped = fchown(fd, uid_t(-1), base.st_gid) == 0;
            [[maybe_unused]] const bool moded = fchmod(fd, base.st_mode & 0666) == 0;
        }
        return fd;
    }
    const int first = errno;
    if (first != EEXIST) {
        problem = {Concat({"cannot be made in folder ", FolderOf(path), ": ", ErrnoReason(first)}),
                   first != ELOOP};
        return -1;
    }
    fd = open(path.c_str(), O_RDWR | Flags);
    const int readWrite = errno;
    if (fd < 0 && (readWrite == EACCES || readWrite == EISDIR || readWrite == EROFS))
        fd = open(path.c_str(), O_RDONLY | Flags);
    if (fd < 0) {
        problem = {Concat({"cannot be opened: ", ErrnoReason(readWrite)}), false};
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        problem = {S_ISDIR(info.st_mode) ? "cannot be opened: it is a folder, not a file"
                                         : "cannot be opened: it is no ordinary file",
                   false};
        return -1;
    }
    return fd;
}

}  // namespace

std::string BaseLockPath(const std::string& basePath, const std::string& suffix) {
    // A base reached through a link is locked where the file is, so every name of it meets one lock.
    char resolved[PATH_MAX];
    if (realpath(basePath.c_str(), resolved)) return std::string(resolved) + suffix;
    return basePath + suffix;
}

bool TBaseWriteLock::Lock(const std::string& basePath, std::string& error, int waitMilliseconds) {
    Unlock();
    const std::string path = BaseLockPath(basePath, ".lock");
    THeldLock& held = HeldLocks()[path];
    if (held.Count > 0) {
        ++held.Count;
        LockPath_ = path;
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    auto giveUp = [&](const std::string& text) {
        HeldLocks().erase(path);
        error = text;
        return false;
    };
    // A lock file that cannot be opened for locking (another user's, a link, a folder) may be put
    // right while the writer waits; it never writes without the lock.
    int fd = -1;
    for (TLockFileProblem problem; (fd = OpenLockFile(path, basePath, problem)) < 0;) {
        if (problem.Made || std::chrono::steady_clock::now() >= deadline)
            return giveUp(Concat({"Cannot lock base ", basePath, ": the lock file ", path, " ",
                                  problem.Reason, "; nothing was written."}));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        if ((why != EWOULDBLOCK && why != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            close(fd);
            return giveUp(why == EWOULDBLOCK || why == EINTR
                              ? Concat({"Base ", basePath,
                                        " is being rewritten by another program; nothing was written. Try "
                                        "again when it has finished."})
                              : Concat({"Cannot lock base ", basePath, ": ", std::strerror(why)}));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    held = {fd, 1};
    LockPath_ = path;
    return true;
}

void TBaseWriteLock::Unlock() {
    if (LockPath_.empty()) return;
    auto found = HeldLocks().find(LockPath_);
    if (found != HeldLocks().end() && --found->second.Count <= 0) {
        close(found->second.Fd);  // closing the last descriptor releases the lock
        HeldLocks().erase(found);
    }
    LockPath_.clear();
}

bool TBaseOpenClaim::Claim(const std::string& basePath) {
    Release();
    TLockFileProblem ignored;
    Fd_ = OpenLockFile(BaseLockPath(basePath, ".open"), basePath, ignored);
    if (Fd_ < 0) return true;  // no claims can be kept here (a read-only folder): nobody else's either
    if (flock(Fd_, LOCK_EX | LOCK_NB) == 0) {
        // Nobody else claims it; from now on others may share the claim, but not take it alone.
        flock(Fd_, LOCK_SH);
        return true;
    }
    // The other holder may be between its own claim and sharing it: wait for that moment.
    flock(Fd_, LOCK_SH);
    return false;
}

void TBaseOpenClaim::Release() {
    if (Fd_ >= 0) close(Fd_);
    Fd_ = -1;
}

}  // namespace kalvon
