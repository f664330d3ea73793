// A whole base in memory: loaded, saved, loaded again and saved again. The two saved texts are the
// same bytes, and the second load holds the games the first save wrote, line for line. When the first
// load found no damaged line, the save holds the text's own lines, byte for byte but for the board's
// padding, the line ends and the letter case of names spelled twice.
// KALVON_FUZZ_CODE_PAGE picks the code page (windows-1251 when unset).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/LineFields.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "fuzz/FuzzCheck.h"

using namespace kalvon;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* codePage = std::getenv("KALVON_FUZZ_CODE_PAGE")) SetTextPolicy(codePage);
    return 0;
}

namespace {

// A line as the save may write it: the board padded, the names in one letter case.
std::string Normalised(std::string_view line) {
    const TLineFields f = SplitLine(line);
    std::string text(f.Year);
    text += ',';
    AppendBoardCode(text, f.Board);
    text += "=[" + TextPolicy().FoldedCase(f.Black) + "," + TextPolicy().FoldedCase(f.White);
    text += line.substr(size_t(f.White.data() + f.White.size() - line.data()));
    return text;
}

// The normalised lines of a text that are not empty, sorted.
std::vector<std::string> NormalisedLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(text))
        if (!Trim(line).empty()) lines.push_back(Normalised(line));
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TSilentUi ui;
    TLoadReport report;
    TGameBase first;
    LoadBaseText(first, text, "fuzz.bdt", ui, report);
    const std::string saved = BaseFileContent(first);
    if (report.DamagedLines == 0 && report.NulLine == 0)
        KALVON_FUZZ_CHECK(NormalisedLines(text) == NormalisedLines(saved));

    TGameBase second;
    LoadBaseText(second, saved, "fuzz.bdt", ui, report);
    KALVON_FUZZ_CHECK(report.NulLine == 0 && report.EmptyResultLines == 0);
    KALVON_FUZZ_CHECK(second.PartyList.size() == first.PartyList.size());
    size_t at = 0;
    for (const TPartyRecord& party : second.PartyList) {
        const std::string line = FormatBaseLine(second, party) + "\r\n";
        KALVON_FUZZ_CHECK(saved.compare(at, line.size(), line) == 0);
        at += line.size();
    }
    KALVON_FUZZ_CHECK(BaseFileContent(second) == saved);
    return 0;
}
