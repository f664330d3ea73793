// The byte scanners against a plain loop, on their portable path (the word and the single bytes) and
// on the path the machine takes: random lines of every length up to 100 with the byte sought at every
// position, bytes above ASCII among the others.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/ByteScan.h"

namespace kalvon {
namespace {

template <bool Simd>
void CheckScanners(std::mt19937& random) {
    for (size_t size = 0; size <= 100; ++size) {
        for (size_t at = 0; at <= size; ++at) {  // at == size: the byte sought is not there
            const size_t from = random() % (at + 1);
            const char c = char(random());
            std::string text(size, c);
            for (size_t i = 0; i < size; ++i)
                while (text[i] == c && i != at) text[i] = char(random());
            size_t found = from;
            while (found < size && text[found] != c) ++found;
            EXPECT_EQ(FindByte<Simd>(text, from, c), found < size ? found : std::string::npos)
                << size << " " << at << " " << from;

            // ASCII above CR, one control byte at `at` and one byte above ASCII at `high` (none at size).
            std::string line(size, ' ');
            for (char& b : line) b = char('\r' + 1 + random() % (0x80 - '\r' - 1));
            const size_t high = random() % (size + 1);
            if (high < size) line[high] = char(0x80 + random() % 0x80);
            if (at < size) line[at] = char(random() % ('\r' + 1));
            size_t control = from;
            bool above = false, aboveInBlock = false;  // before the control byte; up to its block's end
            for (; control < size && uint8_t(line[control]) > '\r'; ++control)
                above |= uint8_t(line[control]) > 0x7F;
            for (size_t i = from; i < size && i < control + 16; ++i) aboveInBlock |= uint8_t(line[i]) > 0x7F;
            uint64_t joined = 0;
            EXPECT_EQ(NextControlByte<Simd>(line.data(), from, size, joined), control) << size << " " << from;
            // A byte above ASCII before the control byte is met; one after it only within its block.
            const bool met = (joined & EveryByteHigh) != 0;
            EXPECT_TRUE(met || !above) << size << " " << at << " " << from << " " << high;
            EXPECT_TRUE(!met || aboveInBlock) << size << " " << at << " " << from << " " << high;
        }
    }
}

TEST(ByteScan, PortablePathFindsWhatAPlainLoopFinds) {
    std::mt19937 random(1);
    CheckScanners<false>(random);
}

TEST(ByteScan, MachinePathFindsWhatAPlainLoopFinds) {
    std::mt19937 random(2);
    CheckScanners<true>(random);
}

}  // namespace
}  // namespace kalvon
