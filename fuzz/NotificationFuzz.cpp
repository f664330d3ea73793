// The notification reader on any bytes: it never crashes, and what it gives is sound (see
// CheckNotification). Seeds: corpus/notification, notifications written by the writer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/engine/NotificationCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string problem = kalvon::test::CheckNotification(text, "Renju Board 4711_03.txt");
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
