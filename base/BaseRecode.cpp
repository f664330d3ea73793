#include "base/BaseRecode.h"

#include <sys/stat.h>

#include <exception>
#include <optional>
#include <string_view>

#include "base/BaseLock.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

namespace kalvon {

namespace {

// The length of the UTF-8 character that starts with this byte (1 for a byte that starts none).
size_t Utf8Length(uint8_t lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// The first character of the UTF-8 text that the policy's code page has no byte for.
std::string_view FirstUnwritable(const TTextPolicy& policy, std::string_view utf8) {
    for (size_t i = 0; i < utf8.size();) {
        const std::string_view character = utf8.substr(i, Utf8Length(uint8_t(utf8[i])));
        if (!policy.FromUtf8(character)) return character;
        i += character.size();
    }
    return utf8;
}

// The end of the line that starts at start: the first CR or LF, or the end of the text.
size_t LineEnd(std::string_view text, size_t start) {
    const size_t end = text.find_first_of("\r\n", start);
    return end == std::string_view::npos ? text.size() : end;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace

bool RecodeBase(const std::string& inPath, const std::string& outPath, const std::string& toCodePage,
                std::string& error) {
    if (SameFile(inPath, outPath)) {
        error = Concat({"The base ", inPath, " cannot be recoded into itself: name another file to write."});
        return false;
    }
    std::optional<TTextPolicy> target;
    try {
        // The policy refuses a code page ICU does not know, and one that would garble the fields of a line.
        target.emplace(toCodePage, "");
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    const std::optional<std::string> content = ReadWholeFile(inPath, error);
    if (!content) return false;
    const TTextPolicy& source = TextPolicy();
    std::string out;
    out.reserve(content->size());
    size_t number = 1;
    for (size_t start = 0; start < content->size(); ++number) {
        const size_t end = LineEnd(*content, start);
        const std::string_view line = std::string_view(*content).substr(start, end - start);
        if (line.find('\0') != std::string_view::npos || !source.CanDecode(line)) {
            error = Concat({"Line ", std::to_string(number), " of ", inPath, " cannot be read in ",
                            source.CodePage(), ": nothing was written."});
            return false;
        }
        const std::string utf8 = source.ToUtf8(line);
        const std::optional<std::string> recoded = target->FromUtf8(utf8);
        if (!recoded) {
            error = Concat({"Line ", std::to_string(number), " of ", inPath, ": ",
                            QuoteShort(FirstUnwritable(*target, utf8)), " in ", QuoteShort(utf8),
                            " cannot be written in ", toCodePage, ": nothing was written."});
            return false;
        }
        out += *recoded;
        // The line end stays as it was: CR LF, LF or CR.
        size_t next = end;
        if (next < content->size() && (*content)[next] == '\r') ++next;
        if (next < content->size() && (*content)[next] == '\n') ++next;
        out.append(*content, end, next - end);
        start = next;
    }
    TBaseWriteLock lock;
    if (!lock.Lock(outPath, error)) return false;
    struct stat existing {};
    const bool replacing = stat(outPath.c_str(), &existing) == 0;
    return WriteFileReplacing(outPath, out, error, TReplaceOptions{.KeepPrevious = replacing});
}

}  // namespace kalvon
