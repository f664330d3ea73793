// Reading files whole, and rewriting them so that a crash or a full disk never leaves half a file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/FileIdentity.h"

namespace kalvon {

// Why a file could not be read.
enum class TReadFailure { None, NotOrdinary, TooLarge, Unreadable };

// The whole content of a file, or nullopt with the reason in error (and in failure, when given).
// Only ordinary files are read (a device, a FIFO or a folder is refused at once), and only when they
// fit in memory.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         TReadFailure* failure = nullptr);
// An ordinary file read a piece at a time, so that a large file never has to be held whole.
class TFileReader {
public:
    TFileReader() = default;
    ~TFileReader();
    TFileReader(const TFileReader&) = delete;
    TFileReader& operator=(const TFileReader&) = delete;
    // Opens the file for reading; false, with the reason and the message ReadWholeFile would give, for
    // a file that ReadWholeFile refuses before reading (missing, unreadable, not an ordinary file,
    // larger than memory).
    bool Open(const std::string& path, std::string& error, TReadFailure* failure = nullptr);
    // The size of the file when it was opened.
    uint64_t Size() const { return Size_; }
    // The file as it was when it was opened.
    const TFileIdentity& Identity() const { return Identity_; }
    // Appends up to count bytes of the file to piece: the number appended, 0 at the end of the file,
    // or nullopt with the message "Cannot read file <path>: <reason>" in error.
    std::optional<size_t> Read(std::string& piece, size_t count, std::string& error);
    // The same into memory of at least count bytes.
    std::optional<size_t> Read(char* into, size_t count, std::string& error);

private:
    int Fd_ = -1;
    std::string Path_;
    uint64_t Size_ = 0;
    TFileIdentity Identity_;
};

// Why a file that exists would not be opened as a base (not an ordinary file, larger than memory, no
// Kalvon base: NotABaseFile), before it is loaded; nullopt when it may be read or does not exist.
std::optional<std::string> ReadRefusal(const std::string& path);
// "File <path> is too large to be loaded into memory."
std::string TooLargeMessage(const std::string& path);
// How a rewrite treats the file it replaces.
struct TReplaceOptions {
    // The old file stays as generation 1, "<file>.bak", beside the new one (a second name of the old
    // file, so a full disk never fails a save for it); the earlier generations move down
    // (base/BaseGenerations.h).
    bool KeepPrevious = false;
    // The old file also becomes "<file>.before-removal": the rewrite removes or replaces games.
    bool KeepBeforeRemoval = false;
    // A path that is a link is written where it leads (the link stays a link); when false, anything
    // but an ordinary file or nothing at path is refused, so that no file is written through a link.
    bool FollowLink = true;
};

// Writes the bytes to a temporary file beside path and renames it over path. The target must be an
// ordinary file with its owner's write bit, a link to one, or absent. The new file takes the old one's
// mode and, where the process may set them, its owner and group; the folder is synced after the
// rename. On failure returns false with the reason in error, and the old file is untouched. Temporary
// files that earlier saves of the same file on this host left behind, by processes that are gone, are
// removed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error,
                        const TReplaceOptions& options = {});
// The same for content made piece by piece: nextPiece fills its argument and returns false once
// there is nothing more to write. A source that cannot go on throws TPieceFailure with the message to
// give: the old file stays as it was, the temporary file goes, and the message is the error. Any
// other exception also takes the temporary file away before it goes on.
using TPieceSource = std::function<bool(std::string& piece)>;
struct TPieceFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
bool WriteFileReplacing(const std::string& path, const TPieceSource& nextPiece, std::string& error,
                        const TReplaceOptions& options = {});
// The file a rewrite with KeepPrevious leaves the old content in, for the file path leads to.
std::string PreviousFilePath(const std::string& path);
// The file a rewrite of path replaces: where a link leads (a link to nowhere: path itself), else path.
std::string RewrittenFile(const std::string& path);

// The prefix of the names of the temporary files that saves of target on this host make; the rest
// of such a name is the writing process's id, "~" and six random characters.
std::string TemporaryPrefix(const std::string& target);

}  // namespace kalvon
