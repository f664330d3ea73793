// Reading files whole, and rewriting them so that a crash or a full disk never leaves half a file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kalvon {

// The whole content of a file, or nullopt with the system's reason in error.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);
// Writes the bytes to a temporary file beside path and renames it over path. On failure returns
// false with the system's reason in error, and the old file is untouched.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error);
// The same for content made piece by piece: nextPiece fills its argument and returns false once
// there is nothing more to write.
using TPieceSource = std::function<bool(std::string& piece)>;
bool WriteFileReplacing(const std::string& path, const TPieceSource& nextPiece, std::string& error);

}  // namespace kalvon
