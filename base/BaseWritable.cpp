#include "base/BaseWritable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/BaseLock.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"

namespace kalvon {

namespace {

std::string FolderOf(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

// The reason a file or folder the write needs is refused, from the errno of access() or open().
std::string Reason(int error) {
    if (error == EROFS) return "the file system is read-only";
    return std::strerror(error);
}

}  // namespace

std::optional<std::string> BaseWriteRefusal(const std::string& path) {
    auto refuse = [&](const std::string& why) {
        return Concat({"Base ", path, " cannot be written: ", why, "."});
    };
    struct stat entry {};
    if (lstat(path.c_str(), &entry) == 0 && S_ISLNK(entry.st_mode) && stat(path.c_str(), &entry) != 0)
        return refuse("it is a link that leads to no file");
    const std::string target = RewrittenFile(path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return refuse("it is not an ordinary file");
        if ((info.st_mode & S_IWUSR) == 0) return refuse("the file is write-protected");
        if (access(target.c_str(), W_OK) != 0)
            return refuse(errno == EROFS ? Reason(errno) : "the file is write-protected");
    } else if (errno != ENOENT) {
        return refuse(Reason(errno));
    }
    // A rewrite makes a temporary file beside the base and renames it over the base.
    const std::string folder = FolderOf(target);
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return refuse(Concat({"no file can be made in folder ", folder, " (", Reason(errno), ")"}));
    const std::string lock = BaseLockPath(path, ".lock");
    if (lstat(lock.c_str(), &entry) == 0) {
        if (S_ISLNK(entry.st_mode)) return refuse(Concat({"its lock file ", lock, " is a link"}));
        const int fd = open(lock.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return refuse(Concat({"its lock file ", lock, " cannot be opened (", Reason(errno), ")"}));
        close(fd);
    } else if (access(FolderOf(lock).c_str(), W_OK | X_OK) != 0) {
        return refuse(Concat({"its lock file ", lock, " cannot be made (", Reason(errno), ")"}));
    }
    return std::nullopt;
}

}  // namespace kalvon
