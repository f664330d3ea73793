#include "base/BaseGenerations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/BaseLock.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"

namespace kalvon {

namespace {

std::atomic<int>& GenerationsKept() {
    static std::atomic<int> generations{DefaultBackupGenerations};
    return generations;
}

// The names the old file waits under between Keep and Commit. A name of its own for each: a kill
// leaves them for the next rewrite to finish, which holds the same lock.
std::string PendingGeneration(const std::string& target) {
    return target + ".bak~pending";
}

std::string PendingBeforeRemoval(const std::string& target) {
    return BeforeRemovalPath(target) + "~pending";
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// Whether the two files hold the same bytes: the same file, or files of equal size and content.
bool SameContent(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) return false;
    if (first.st_dev == second.st_dev && first.st_ino == second.st_ino) return true;
    if (first.st_size != second.st_size) return false;
    TFileReader left, right;
    std::string error, x, y;
    if (!left.Open(a, error) || !right.Open(b, error)) return false;
    for (;;) {
        x.clear();
        y.clear();
        const std::optional<size_t> n = left.Read(x, size_t(1) << 20, error);
        const std::optional<size_t> m = right.Read(y, size_t(1) << 20, error);
        if (!n || !m || x != y) return false;
        if (*n == 0) return true;
    }
}

// Gives the file a second name; where the file system has no hard links, a copy with the mode.
bool KeepUnder(const std::string& target, const std::string& name, unsigned mode) {
    unlink(name.c_str());
    if (link(target.c_str(), name.c_str()) == 0) return true;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK && errno != EXDEV) return false;
    TFileReader file;
    std::string error, piece;
    if (!file.Open(target, error)) return false;
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool copied = false;
    for (;;) {
        piece.clear();
        const std::optional<size_t> n = file.Read(piece, size_t(4) << 20, error);
        if (!n) break;
        if (*n == 0) {
            copied = fsync(fd) == 0 && fchmod(fd, mode_t(mode & 07777)) == 0;
            break;
        }
        std::string_view rest = piece;
        while (!rest.empty()) {
            const ssize_t written = write(fd, rest.data(), rest.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) break;
            rest.remove_prefix(size_t(written));
        }
        if (!rest.empty()) break;
    }
    const int failure = errno;
    copied = close(fd) == 0 && copied;
    if (!copied) {
        unlink(name.c_str());
        errno = failure;
    }
    return copied;
}

// The lowest generation that is missing while a later one stands: where a rotation cut short by a
// kill stopped (each step renames generation k to k + 1, from the oldest down). 0 when there is none.
int RotationGap(const std::string& target) {
    bool laterStands = false;
    int gap = 0;
    for (int k = MaxBackupGenerations + 1; k >= 1; --k) {
        const bool stands = Exists(GenerationPath(target, k));
        if (!stands && laterStands) gap = k;
        laterStands = laterStands || stands;
    }
    return gap;
}

// Moves generations from..1 one down (k to k + 1), each with one rename, oldest first, so that no
// moment holds a generation under two names or none.
void MoveDown(const std::string& target, int from) {
    for (int k = from; k >= 1; --k) {
        const std::string older = GenerationPath(target, k);
        if (Exists(older)) std::rename(older.c_str(), GenerationPath(target, k + 1).c_str());
    }
}

// The generations past the number kept go.
void DropOldGenerations(const std::string& target) {
    for (int k = BackupGenerations() + 1; k <= MaxBackupGenerations + 1; ++k)
        unlink(GenerationPath(target, k).c_str());
}

// The pending file becomes generation 1 after the others moved down from where the rotation stands.
void FinishRotation(const std::string& target, int gap) {
    MoveDown(target, gap > 0 ? gap - 1 : BackupGenerations() - 1);
    std::rename(PendingGeneration(target).c_str(), GenerationPath(target, 1).c_str());
}

}  // namespace

void SetBackupGenerations(int generations) {
    GenerationsKept() = generations < 1                      ? 1
                        : generations > MaxBackupGenerations ? MaxBackupGenerations
                                                             : generations;
}

int BackupGenerations() {
    return GenerationsKept();
}

std::string GenerationPath(const std::string& target, int generation) {
    return target + ".bak" + (generation == 1 ? std::string() : std::to_string(generation));
}

std::string BeforeRemovalPath(const std::string& target) {
    return target + ".before-removal";
}

void FinishInterruptedRotation(const std::string& target) {
    const std::string pending = PendingGeneration(target), pendingRemoval = PendingBeforeRemoval(target);
    // A kept name that still holds what the file holds belongs to a rewrite that never replaced it.
    if (Exists(pending)) {
        if (Exists(target) && SameContent(pending, target))
            unlink(pending.c_str());
        else
            FinishRotation(target, RotationGap(target));
    }
    if (Exists(pendingRemoval)) {
        if (Exists(target) && SameContent(pendingRemoval, target))
            unlink(pendingRemoval.c_str());
        else
            std::rename(pendingRemoval.c_str(), BeforeRemovalPath(target).c_str());
    }
}

bool TGenerationKeeper::Keep(const std::string& target, unsigned mode, bool beforeRemoval, std::string& why) {
    Abandon();
    FinishInterruptedRotation(target);
    Target_ = target;
    BeforeRemoval_ = beforeRemoval;
    auto fail = [&](const std::string& name) {
        why = "the previous file cannot be kept as " + name + " (" + std::strerror(errno) + ").";
        Abandon();
        return false;
    };
    Kept_ = true;
    if (!KeepUnder(target, PendingGeneration(target), mode)) return fail(GenerationPath(target, 1));
    if (beforeRemoval && !KeepUnder(target, PendingBeforeRemoval(target), mode))
        return fail(BeforeRemovalPath(target));
    return true;
}

void TGenerationKeeper::Commit() {
    if (!Kept_) return;
    Kept_ = false;
    FinishRotation(Target_, 0);
    if (BeforeRemoval_)
        std::rename(PendingBeforeRemoval(Target_).c_str(), BeforeRemovalPath(Target_).c_str());
    DropOldGenerations(Target_);
}

void TGenerationKeeper::Abandon() {
    if (!Kept_) return;
    Kept_ = false;
    unlink(PendingGeneration(Target_).c_str());
    unlink(PendingBeforeRemoval(Target_).c_str());
}

std::optional<size_t> SetAsideScratchBase(const std::string& path, std::string& error) {
    TBaseWriteLock lock;
    if (!lock.Lock(path, error)) return std::nullopt;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return size_t(0);
    // A link goes as the file did before: what it leads to is not the scratch base's to move.
    if (S_ISLNK(info.st_mode)) {
        if (unlink(path.c_str()) == 0) return size_t(0);
        error = "Cannot delete file " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::optional<TBaseFileFacts> facts = BaseFileFacts(path, error);
    if (!facts) return std::nullopt;
    if (facts->Games == 0) {
        if (unlink(path.c_str()) == 0) return size_t(0);
        error = "Cannot delete file " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::string& target = path;
    TGenerationKeeper keeper;
    std::string why;
    if (!keeper.Keep(target, unsigned(info.st_mode), false, why)) {
        error = "Cannot set aside file " + path + ": " + why;
        return std::nullopt;
    }
    // The file's one name goes only once generation 1 holds it under a name of its own.
    if (unlink(target.c_str()) != 0) {
        error = "Cannot set aside file " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    keeper.Commit();
    return facts->Games;
}

std::vector<TBaseGeneration> ListBaseGenerations(const std::string& path) {
    const std::string target = RewrittenFile(path);
    {
        TBaseWriteLock lock;
        std::string ignored;
        if (lock.Lock(path, ignored, 0)) FinishInterruptedRotation(target);
    }
    std::vector<TBaseGeneration> list;
    auto add = [&](int generation, const std::string& file) {
        std::string ignored;
        struct stat info {};
        if (lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
        if (const std::optional<TBaseFileFacts> facts = BaseFileFacts(file, ignored))
            list.push_back({generation, file, facts->Games, facts->Modified});
    };
    for (int k = 1; k <= MaxBackupGenerations + 1; ++k) add(k, GenerationPath(target, k));
    add(0, BeforeRemovalPath(target));
    return list;
}

bool RestoreBaseGeneration(const std::string& path, const TRestoreChoice& choice, std::string& error) {
    TBaseWriteLock lock;
    if (!lock.Lock(path, error)) return false;
    const std::string target = RewrittenFile(path);
    FinishInterruptedRotation(target);
    const std::string source =
        choice.BeforeRemoval ? BeforeRemovalPath(target) : GenerationPath(target, choice.Generation);
    struct stat info {};
    if ((!choice.BeforeRemoval && choice.Generation < 1) || lstat(source.c_str(), &info) != 0 ||
        !S_ISREG(info.st_mode)) {
        error = "Base " + path + " has no " +
                (choice.BeforeRemoval ? std::string("file from before the last removal")
                                      : "generation " + std::to_string(choice.Generation)) +
                " (" + source + ") to go back to.";
        return false;
    }
    TFileReader file;
    if (!file.Open(source, error)) return false;
    // The earlier file is read whole into the new one before anything is renamed.
    return WriteFileReplacing(
        path,
        [&file](std::string& piece) {
            piece.clear();
            std::string readError;
            const std::optional<size_t> n = file.Read(piece, size_t(4) << 20, readError);
            if (!n) throw TPieceFailure(readError);
            return *n > 0;
        },
        error, TReplaceOptions{.KeepPrevious = true, .KeepBeforeRemoval = true});
}

}  // namespace kalvon
