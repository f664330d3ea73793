#include "base/BaseRecognition.h"

#include "base/SafeFile.h"
#include "base/TextFields.h"

namespace kalvon {

namespace {

// "2003, 4711=[NORD,SUD,+,88,?,-]": something, "=[", and a closing "]" at the end; a line cut by
// the end of the text looked at needs no "]".
bool HasBaseLineForm(std::string_view line, bool cut) {
    const size_t open = line.find("=[");
    return open != std::string_view::npos && open > 0 && (cut || line.back() == ']');
}

}  // namespace

std::optional<std::string> NotABaseReason(std::string_view start) {
    if (start.substr(0, NulWindowBytes).find('\0') != std::string_view::npos)
        return std::string("it holds a NUL byte in its first 4 KB");
    const std::string_view text = start.substr(0, RecognitionBytes);
    size_t lines = 0;
    for (size_t at = 0; at < text.size() && lines < LinesLookedAt;) {
        size_t end = text.find_first_of("\r\n", at);
        const bool cut = end == std::string_view::npos && text.size() < start.size();
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty()) continue;
        ++lines;
        if (HasBaseLineForm(line, cut)) return std::nullopt;
    }
    if (lines == 0) return std::nullopt;
    return std::string(lines < LinesLookedAt ? "no line of it"
                                             : "none of its first 100 lines that are not empty") +
           " reads as a game (YEAR, BOARD=[...])";
}

std::string NotABaseMessage(const std::string& path, const std::string& reason) {
    return Concat({path, " is not a Kalvon base: ", reason, "."});
}

std::optional<std::string> NotABaseFile(const std::string& path) {
    TFileReader file;
    std::string error, start;
    if (!file.Open(path, error)) return std::nullopt;
    while (start.size() < RecognitionBytes) {
        const std::optional<size_t> n = file.Read(start, RecognitionBytes - start.size(), error);
        if (!n) return std::nullopt;
        if (*n == 0) break;
    }
    // One byte more tells a file cut by the window from one that ends there.
    if (start.size() == RecognitionBytes) file.Read(start, 1, error);
    const std::optional<std::string> reason = NotABaseReason(start);
    if (!reason) return std::nullopt;
    return NotABaseMessage(path, *reason);
}

}  // namespace kalvon
