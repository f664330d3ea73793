#include "base/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace kalvon {

namespace {

std::string Reason() { return std::strerror(errno); }

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "Cannot read file " + path + ": " + Reason();
        return std::nullopt;
    }
    std::string content;
    struct stat info {};
    if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode)) content.reserve(size_t(info.st_size));
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, n);
    if (std::ferror(file.get())) {
        error = "Cannot read file " + path + ": " + Reason();
        return std::nullopt;
    }
    return content;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error) {
    bool given = false;
    return WriteFileReplacing(
        path,
        [&](std::string& piece) {
            piece.assign(bytes);
            return !std::exchange(given, true);
        },
        error);
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

bool WriteFileReplacing(const std::string& path, const TPieceSource& nextPiece, std::string& error) {
    // Write where a link points, so the link stays a link.
    std::string target = path;
    char resolved[PATH_MAX];
    struct stat old {};
    const bool exists = lstat(path.c_str(), &old) == 0;
    if (exists && S_ISLNK(old.st_mode) && realpath(path.c_str(), resolved)) target = resolved;
    const bool targetExists = stat(target.c_str(), &old) == 0;
    // A file the user made read-only is not to be replaced behind their back.
    if (targetExists && access(target.c_str(), W_OK) != 0) {
        error = "Cannot write file " + path + ": " + Reason();
        return false;
    }
    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "Cannot write file " + path + ": " + Reason();
        return false;
    }
    auto fail = [&] {
        error = "Cannot write file " + path + ": " + Reason();
        close(fd);
        unlink(temporary.c_str());
        return false;
    };
    std::string piece;
    while (nextPiece(piece))
        if (!WriteAll(fd, piece)) return fail();
    const mode_t mode = targetExists ? (old.st_mode & 07777) : (0666 & ~[] { mode_t m = umask(0); umask(m); return m; }());
    if (fchmod(fd, mode) != 0 || fdatasync(fd) != 0) return fail();
    if (close(fd) != 0) {
        error = "Cannot write file " + path + ": " + Reason();
        unlink(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = "Cannot write file " + path + ": " + Reason();
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace kalvon
