// The SGF reader on any bytes: it never crashes, and every game it hands is sound (see
// ImportCheck.h). Seeds: corpus/sgf, small files as the writer and other programs write them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/GameReaders.h"
#include "fuzz/ImportCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kalvon::fuzz::TCheckingSink sink('s', "fuzz.sgf");
    kalvon::ReadSgf(text, "fuzz.sgf", sink);
    return 0;
}
