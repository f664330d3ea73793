// The settings file: reading never fails, the display settings read from any text stay in range,
// and a file written from what was read reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/SettingsFile.h"
#include "fuzz/FuzzCheck.h"

using namespace kalvon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TSettingsFile file = TSettingsFile::Parse(text);
    const std::string written = file.Format();
    KALVON_FUZZ_CHECK(TSettingsFile::Parse(written).Format() == written);

    TParameterList list = file.Section(ParametersSection);
    TDisplaySettings settings;
    if (ReadDisplaySettings(list, settings)) {
        KALVON_FUZZ_CHECK(settings.FontSize >= FontSizeRange.Min && settings.FontSize <= FontSizeRange.Max);
        KALVON_FUZZ_CHECK(settings.DiameterMoves >= DiameterRange.Min &&
                          settings.DiameterMoves <= DiameterRange.Max);
        KALVON_FUZZ_CHECK(settings.LengthMemo >= MemoLengthRange.Min &&
                          settings.LengthMemo <= MemoLengthRange.Max);
    }
    (void)SettingsCodePage(list);
    TSettingsFile copy = file;
    CopyDisplaySettings(list, copy);
    KALVON_FUZZ_CHECK(TSettingsFile::Parse(copy.Format()).Format() == copy.Format());
    return 0;
}
