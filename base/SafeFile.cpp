#include "base/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "base/BaseGenerations.h"
#include "base/BaseRecognition.h"

namespace kalvon {

namespace {

std::string Reason() {
    return std::strerror(errno);
}

}  // namespace

std::string TooLargeMessage(const std::string& path) {
    return "File " + path + " is too large to be loaded into memory.";
}

namespace {

// No file larger than the machine's memory can be held in it, whatever the allocator would promise.
uint64_t MemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : UINT64_MAX;
}

struct FdCloser {
    int Fd;
    ~FdCloser() {
        if (Fd >= 0) close(Fd);
    }
};

}  // namespace

namespace {

std::string NotOrdinaryMessage(const std::string& path) {
    return "Cannot read file " + path + ": it is not an ordinary file.";
}

}  // namespace

std::optional<std::string> ReadRefusal(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    if (!S_ISREG(info.st_mode)) return NotOrdinaryMessage(path);
    if (uint64_t(info.st_size) > MemoryBytes()) return TooLargeMessage(path);
    return NotABaseFile(path);
}

TFileReader::~TFileReader() {
    if (Fd_ >= 0) close(Fd_);
}

bool TFileReader::Open(const std::string& path, std::string& error, TReadFailure* failure) {
    TReadFailure ignored;
    TReadFailure& why = failure ? *failure : ignored;
    why = TReadFailure::None;
    auto fail = [&](TReadFailure kind, const std::string& message) {
        why = kind;
        error = message;
        return false;
    };
    if (Fd_ >= 0) close(Fd_);
    Fd_ = -1;
    Path_ = path;
    // Without O_NONBLOCK opening a FIFO waits for a writer that may never come.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(TReadFailure::Unreadable, "Cannot read file " + path + ": " + Reason());
    FdCloser closer{fd};
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return fail(TReadFailure::Unreadable, "Cannot read file " + path + ": " + Reason());
    if (!S_ISREG(info.st_mode)) return fail(TReadFailure::NotOrdinary, NotOrdinaryMessage(path));
    if (uint64_t(info.st_size) > MemoryBytes()) return fail(TReadFailure::TooLarge, TooLargeMessage(path));
    Size_ = uint64_t(info.st_size);
    Identity_ = IdentityOf(info);
    Fd_ = std::exchange(closer.Fd, -1);
    return true;
}

std::optional<size_t> TFileReader::Read(std::string& piece, size_t count, std::string& error) {
    const size_t old = piece.size();
    piece.resize(old + count);
    const std::optional<size_t> n = Read(piece.data() + old, count, error);
    piece.resize(old + n.value_or(0));
    return n;
}

std::optional<size_t> TFileReader::Read(char* into, size_t count, std::string& error) {
    for (;;) {
        const ssize_t n = Fd_ < 0 ? 0 : read(Fd_, into, count);
        if (n >= 0) return size_t(n);
        if (errno == EINTR) continue;
        error = "Cannot read file " + Path_ + ": " + Reason();
        return std::nullopt;
    }
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error, TReadFailure* failure) {
    TReadFailure ignored;
    TReadFailure& why = failure ? *failure : ignored;
    auto fail = [&](TReadFailure kind, const std::string& message) {
        why = kind;
        error = message;
        return std::nullopt;
    };
    TFileReader file;
    if (!file.Open(path, error, &why)) return std::nullopt;
    const uint64_t limit = MemoryBytes();
    std::string content;
    try {
        content.reserve(size_t(file.Size()));
        for (;;) {
            const size_t before = content.size();
            const std::optional<size_t> n = file.Read(content, 1 << 16, error);
            if (!n) return fail(TReadFailure::Unreadable, error);
            if (*n == 0) break;
            // A file that grows while it is read stops at the same limit.
            if (before + *n > limit) return fail(TReadFailure::TooLarge, TooLargeMessage(path));
        }
    } catch (const std::bad_alloc&) {
        return fail(TReadFailure::TooLarge, TooLargeMessage(path));
    }
    return content;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error,
                        const TReplaceOptions& options) {
    bool given = false;
    return WriteFileReplacing(
        path,
        [&](std::string& piece) {
            piece.assign(bytes);
            return !std::exchange(given, true);
        },
        error, options);
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

}  // namespace

namespace {

std::string HostName() {
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') return "localhost";
    std::string name(host);
    for (char& c : name)
        if (c == '/' || c == '~') c = '_';
    return name;
}

std::pair<std::string, std::string> FolderAndName(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    if (slash == std::string::npos) return {".", file};
    return {slash == 0 ? "/" : file.substr(0, slash), file.substr(slash + 1)};
}

// Removes the temporary files of target that saves on this host left behind when they were killed:
// those whose writing process no longer runs.
void RemoveStaleTemporaries(const std::string& target) {
    const auto [folder, name] = FolderAndName(target);
    const std::string prefix = FolderAndName(TemporaryPrefix(target)).second;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view entryName(entry->d_name);
        if (entryName.size() <= prefix.size() || entryName.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = entryName.substr(prefix.size());
        const size_t tilde = rest.find('~');
        if (tilde == 0 || tilde == std::string_view::npos || rest.size() - tilde - 1 != 6) continue;
        long pid = 0;
        bool digits = tilde <= 9;
        for (char c : rest.substr(0, tilde)) {
            digits = digits && c >= '0' && c <= '9';
            pid = pid * 10 + (c - '0');
        }
        if (!digits || pid <= 0) continue;
        if (kill(pid_t(pid), 0) != 0 && errno == ESRCH) unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

}  // namespace

std::string TemporaryPrefix(const std::string& target) {
    const auto [folder, name] = FolderAndName(target);
    return (target.find('/') == std::string::npos ? "" : folder + "/") + name + ".kalvon-save~" + HostName() +
           "~";
}

namespace {

// The target a rewrite of path writes: where a link leads, so that the link stays a link.
std::optional<std::string> RewriteTarget(const std::string& path, std::string& why) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return std::string(resolved);
    why = "it is a link that leads to no file (" + Reason() + ").";
    return std::nullopt;
}

// Makes a rename in the folder survive a power loss.
void SyncFolder(const std::string& file) {
    const int fd = open(FolderAndName(file).first.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::string PreviousFilePath(const std::string& path) {
    return GenerationPath(RewrittenFile(path), 1);
}

std::string RewrittenFile(const std::string& path) {
    std::string why;
    return RewriteTarget(path, why).value_or(path);
}

bool WriteFileReplacing(const std::string& path, const TPieceSource& nextPiece, std::string& error,
                        const TReplaceOptions& options) {
    auto refuse = [&](const std::string& why) {
        error = "Cannot write file " + path + ": " + why;
        return false;
    };
    struct stat entry {};
    if (!options.FollowLink && lstat(path.c_str(), &entry) == 0 && !S_ISREG(entry.st_mode))
        return refuse("it is not an ordinary file; nothing is written through it.");
    // Write where a link points, so the link stays a link; a link to nowhere is not made a file.
    std::string why;
    const std::optional<std::string> resolved = RewriteTarget(path, why);
    if (!resolved) return refuse(why);
    const std::string& target = *resolved;
    struct stat old {};
    const bool targetExists = stat(target.c_str(), &old) == 0;
    if (!targetExists && errno != ENOENT) return refuse(Reason());
    // A device, a FIFO or a folder is never replaced by a file, not even by root.
    if (targetExists && !S_ISREG(old.st_mode)) return refuse("it is not an ordinary file.");
    // A file the user made read-only is not to be replaced behind their back; root passes access().
    if (targetExists && ((old.st_mode & S_IWUSR) == 0 || access(target.c_str(), W_OK) != 0))
        return refuse(errno == EROFS ? "the file system is read-only." : "the file is write-protected.");
    RemoveStaleTemporaries(target);
    std::string temporary = TemporaryPrefix(target) + std::to_string(getpid()) + "~XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        return refuse("no temporary file can be made in folder " + FolderAndName(target).first + ": " +
                      Reason());
    auto fail = [&] {
        error = "Cannot write file " + path + ": " + Reason();
        close(fd);
        unlink(temporary.c_str());
        return false;
    };
    std::string piece;
    try {
        while (nextPiece(piece))
            if (!WriteAll(fd, piece)) return fail();
    } catch (const TPieceFailure& failure) {
        close(fd);
        unlink(temporary.c_str());
        error = failure.what();
        return false;
    } catch (...) {
        close(fd);
        unlink(temporary.c_str());
        throw;
    }
    const mode_t mode = targetExists ? (old.st_mode & 07777) : (0666 & ~[] {
        mode_t m = umask(0);
        umask(m);
        return m;
    }());
    // The owner and group stay where the process may set them (root, or a group of the user's own).
    if (targetExists && fchown(fd, old.st_uid, old.st_gid) != 0) (void)!fchown(fd, uid_t(-1), old.st_gid);
    if (fchmod(fd, mode) != 0 || fdatasync(fd) != 0) return fail();
    if (close(fd) != 0) {
        error = "Cannot write file " + path + ": " + Reason();
        unlink(temporary.c_str());
        return false;
    }
    // The old file's coming names are made before the rename and the generations move only after it.
    TGenerationKeeper generations;
    if (options.KeepPrevious && targetExists &&
        !generations.Keep(target, unsigned(old.st_mode), options.KeepBeforeRemoval, why)) {
        unlink(temporary.c_str());
        return refuse(why);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = "Cannot write file " + path + ": " + Reason();
        unlink(temporary.c_str());
        return false;
    }
    generations.Commit();
    SyncFolder(target);
    return true;
}

}  // namespace kalvon
