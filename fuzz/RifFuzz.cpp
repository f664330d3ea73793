// The RenjuNet reader on any bytes: it never crashes, every game it hands is sound (see
// ImportCheck.h), and when it stops early it says why. Seeds: corpus/rif, small databases.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/GameReaders.h"
#include "fuzz/ImportCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kalvon::fuzz::TCheckingSink sink('r', "fuzz.rif");
    const std::string message = kalvon::ReadRenjuNetText(text, "fuzz.rif", sink);
    KALVON_FUZZ_CHECK(message.empty() || message.starts_with("File fuzz.rif "));
    return 0;
}
