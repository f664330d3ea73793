#include "base/BaseLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

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

int OpenLockFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // Another user's lock file locks as well when it is only readable.
    return fd >= 0 || errno != EACCES ? fd : open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
    const int fd = OpenLockFile(path);
    if (fd < 0) {
        const int why = errno;
        HeldLocks().erase(path);
        // No file can be made in that folder, so no writer can rename a new base into it either: the
        // write goes on unlocked and fails with its own reason.
        if (why == EACCES || why == EROFS || why == EPERM) return true;
        error = "Cannot lock base " + basePath + ": the lock file " + path + " cannot be made (" +
                std::strerror(why) + ").";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        if ((why != EWOULDBLOCK && why != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            error = why == EWOULDBLOCK || why == EINTR
                        ? "Base " + basePath +
                              " is being rewritten by another program; nothing was written. Try again "
                              "when it has finished."
                        : "Cannot lock base " + basePath + ": " + std::strerror(why);
            close(fd);
            HeldLocks().erase(path);
            return false;
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
    Fd_ = OpenLockFile(BaseLockPath(basePath, ".open"));
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
