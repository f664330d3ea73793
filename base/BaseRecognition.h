// Telling a Kalvon base from other files before one is opened as a base: a picture or a letter opened
// by mistake is refused with its reason instead of being read (and saved) as damaged games.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalvon {

// How far into a file the test looks: NUL bytes in the first NulWindowBytes, and the first
// LinesLookedAt lines that are not empty within the first RecognitionBytes.
inline constexpr size_t NulWindowBytes = 4096;
inline constexpr size_t LinesLookedAt = 100;
inline constexpr size_t RecognitionBytes = size_t(1) << 20;

// Nullopt when the text, the start of a file (RecognitionBytes of it are enough), may be a base: it
// is empty or blank, or one of its first LinesLookedAt lines that are not empty has the form
// "...=[...]"; otherwise the reason it is none (a NUL byte in its first NulWindowBytes, no such line).
std::optional<std::string> NotABaseReason(std::string_view start);

// "<path> is not a Kalvon base: <reason>." for the file at path; nullopt when it may be a base, or
// when it does not exist or cannot be read (its reading says why).
std::optional<std::string> NotABaseFile(const std::string& path);

// The message for a file whose start gave the reason.
std::string NotABaseMessage(const std::string& path, const std::string& reason);

}  // namespace kalvon
