// A whole base in memory: loaded, saved, loaded again and saved again. The two saved texts are the
// same bytes, and the second load holds the games the first save wrote, line for line.
// KALVON_FUZZ_CODE_PAGE picks the code page (windows-1251 when unset).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/TextPolicy.h"
#include "fuzz/FuzzCheck.h"

using namespace kalvon;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* codePage = std::getenv("KALVON_FUZZ_CODE_PAGE")) SetTextPolicy(codePage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TSilentUi ui;
    TLoadReport report;
    TGameBase first;
    LoadBaseText(first, text, "fuzz.bdt", ui, report);
    const std::string saved = BaseFileContent(first);

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
