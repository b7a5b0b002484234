#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "hal/base/FloatConstants.h"

namespace {

template <typename Bits, typename Value>
Bits bitsOf(Value value) {
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Maximum, minimum (the smallest positive), NaN, negative and positive infinity, in that
// order; an out location not given is left alone.
TEST(FloatConstants, LimitsHaveTheirBitPatternsInProviderOrder) {
    float f[5] = {7, 7, 7, 7, 7};
    HAL_getFloatConstants(&f[0], &f[1], &f[2], &f[3], &f[4]);
    const uint32_t floatBits[5] = {0x7F7FFFFFu, 0x00000001u, 0x7FC00000u, 0xFF800000u, 0x7F800000u};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bitsOf<uint32_t>(f[i]), floatBits[i]) << i;
    double d[5] = {7, 7, 7, 7, 7};
    HAL_getDoubleConstants(&d[0], &d[1], &d[2], &d[3], &d[4]);
    const uint64_t doubleBits[5] = {0x7FEFFFFFFFFFFFFFull, 1ull, 0x7FF8000000000000ull, 0xFFF0000000000000ull,
                                    0x7FF0000000000000ull};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bitsOf<uint64_t>(d[i]), doubleBits[i]) << i;

    float partial[2] = {7, 7};
    HAL_getFloatConstants(nullptr, &partial[1], nullptr, nullptr, nullptr);
    EXPECT_EQ(partial[0], 7.0f);
    EXPECT_EQ(bitsOf<uint32_t>(partial[1]), 1u);
    HAL_getDoubleConstants(nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
