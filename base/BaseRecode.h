// Rewriting a base file from the code page in force into another one.
#pragma once

#include <string>

namespace kalvon {

// Writes the base at inPath, read in the code page in force (TextPolicy()), as a new file at outPath in
// the code page toCodePage (an ICU converter name), line for line. A text the target cannot hold stops
// it with the line named in error (false), and nothing is written; so does an unknown code page, an
// unreadable input or an outPath that names the input.
bool RecodeBase(const std::string& inPath, const std::string& outPath, const std::string& toCodePage,
                std::string& error);

}  // namespace kalvon
