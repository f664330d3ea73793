// One base line: reading never fails, and a line written from what was read reads back as itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/BaseEdits.h"
#include "base/BaseLine.h"
#include "fuzz/FuzzCheck.h"

using namespace kalvon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    TGameBase once;
    AddBaseLine(once, line);
    const std::string written = FormatBaseLine(once, once.PartyList[0]);
    for (std::string_view name : {std::string_view(once.PlayerCatalogue.PlayerRecords[0].Name),
                                  std::string_view(once.PartyList[0].Year)})
        (void)CheckBaseField("Name", name);

    TGameBase twice;
    AddBaseLine(twice, written);
    KALVON_FUZZ_CHECK(FormatBaseLine(twice, twice.PartyList[0]) == written);
    KALVON_FUZZ_CHECK(twice.PlayerCatalogue.PlayerRecords.size() ==
                      once.PlayerCatalogue.PlayerRecords.size());
    return 0;
}
