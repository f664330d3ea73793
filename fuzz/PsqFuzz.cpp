// The Gomocup reader on any bytes: it never crashes, and the one game it may hand is sound (see
// ImportCheck.h). Seeds: corpus/psq, small records.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/GameReaders.h"
#include "fuzz/ImportCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kalvon::fuzz::TCheckingSink sink('g', "dir/fuzz game.psq");
    kalvon::ReadPsq(text, "dir/fuzz game.psq", 2024, sink);
    KALVON_FUZZ_CHECK(sink.Games <= 1);
    return 0;
}
