// Reading files whole, and rewriting them so that a crash or a full disk never leaves half a file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kalvon {

// Why a file could not be read.
enum class TReadFailure { None, NotOrdinary, TooLarge, Unreadable };

// The whole content of a file, or nullopt with the reason in error (and in failure, when given).
// Only ordinary files are read (a device, a FIFO or a folder is refused at once), and only when they
// fit in memory.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         TReadFailure* failure = nullptr);
// Why a file that exists would not be read (not an ordinary file, larger than memory), before
// anything is read; nullopt when it may be read or does not exist.
std::optional<std::string> ReadRefusal(const std::string& path);
// "File <path> is too large to be loaded into memory."
std::string TooLargeMessage(const std::string& path);
// Writes the bytes to a temporary file beside path and renames it over path. The target must be an
// ordinary file with its owner's write bit, a link to one, or absent. On failure returns false with
// the reason in error, and the old file is untouched. Temporary files that earlier saves of the same
// file on this host left behind, by processes that are gone, are removed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error);
// The same for content made piece by piece: nextPiece fills its argument and returns false once
// there is nothing more to write.
using TPieceSource = std::function<bool(std::string& piece)>;
bool WriteFileReplacing(const std::string& path, const TPieceSource& nextPiece, std::string& error);

// The prefix of the names of the temporary files that saves of target on this host make; the rest
// of such a name is the writing process's id, "~" and six random characters.
std::string TemporaryPrefix(const std::string& target);

}  // namespace kalvon
