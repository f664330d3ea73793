// The arrays of one entry per game against std::vector, below and above the size at which their
// memory comes from mappings of its own.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "base/LargeArray.h"

namespace kalvon {
namespace {

struct alignas(32) TWideEntry {
    std::array<uint8_t, 32> Bytes;
};

TEST(LargeArray, HoldsWhatAVectorHoldsThroughGrowthAndShrinking) {
    const size_t large = LargeBlockBytes / sizeof(uint32_t);
    for (size_t size : {size_t(0), size_t(1), large - 1, large, 3 * large + 7}) {
        SCOPED_TRACE(size);
        TLargeVector<uint32_t> array;
        std::vector<uint32_t> oracle;
        // Grown an entry at a time, the array passes from the heap to its own mapping on the way.
        for (uint32_t i = 0; i < size; ++i) {
            array.push_back(i * 2654435761u);
            oracle.push_back(i * 2654435761u);
        }
        ASSERT_TRUE(std::equal(array.begin(), array.end(), oracle.begin(), oracle.end()));
        array.resize(size / 2);
        array.shrink_to_fit();
        oracle.resize(size / 2);
        EXPECT_TRUE(std::equal(array.begin(), array.end(), oracle.begin(), oracle.end()));
        TLargeVector<uint32_t> copy = array;
        EXPECT_EQ(copy, array);
    }
}

TEST(LargeArray, KeepsTheAlignmentOfItsEntries) {
    for (size_t count : {size_t(1), size_t(100), LargeBlockBytes / sizeof(TWideEntry) + 1}) {
        TLargeVector<TWideEntry> array(count);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(array.data()) % alignof(TWideEntry), 0u) << count;
        array.back().Bytes.fill(7);  // the whole block is writable up to its last entry
        EXPECT_EQ(array.back().Bytes[31], 7);
    }
}

}  // namespace
}  // namespace kalvon
