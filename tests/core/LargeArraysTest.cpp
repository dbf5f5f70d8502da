#include "core/LargeArrays.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace quelmar {
namespace {

// Small and large arrays alike keep their values as they grow past the huge-page size, and the
// large ones begin on a huge page.
TEST(LargeArrays, VectorsGrowAcrossTheHugePageSizeKeepingTheirValues) {
    LargeVector<std::uint64_t> values(1000);
    std::iota(values.begin(), values.end(), std::uint64_t{0});
    for (const std::size_t size :
         {std::size_t{100'000}, std::size_t{300'000}, std::size_t{3'000'000}}) {
        values.resize(size, 7);
        EXPECT_EQ(values[999], 999u);
        EXPECT_EQ(values[1000], 7u);
        EXPECT_EQ(values.back(), 7u);
    }
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(values.data()) % (2u << 20), 0u);
    LargeVector<std::uint64_t> copy = values;
    EXPECT_EQ(copy, values);
}

} // namespace
} // namespace quelmar
