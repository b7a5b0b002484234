#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "hal/base/FloatConstants.h"

namespace {

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

uint64_t bitsOf(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(FloatConstants, FloatLimitsHaveTheirBitPatternsInProviderOrder) {
    float maxValue, minValue, nan, negativeInfinity, positiveInfinity;
    HAL_getFloatConstants(&maxValue, &minValue, &nan, &negativeInfinity, &positiveInfinity);
    EXPECT_EQ(bitsOf(maxValue), 0x7F7FFFFFu);
    EXPECT_EQ(bitsOf(minValue), 0x00000001u);
    EXPECT_EQ(bitsOf(nan), 0x7FC00000u);
    EXPECT_EQ(bitsOf(negativeInfinity), 0xFF800000u);
    EXPECT_EQ(bitsOf(positiveInfinity), 0x7F800000u);
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_GT(minValue, 0.0f);
    EXPECT_EQ(minValue / 2, 0.0f) << "the smallest positive value";
}

TEST(FloatConstants, DoubleLimitsHaveTheirBitPatternsInProviderOrder) {
    double maxValue, minValue, nan, negativeInfinity, positiveInfinity;
    HAL_getDoubleConstants(&maxValue, &minValue, &nan, &negativeInfinity, &positiveInfinity);
    EXPECT_EQ(bitsOf(maxValue), 0x7FEFFFFFFFFFFFFFull);
    EXPECT_EQ(bitsOf(minValue), 0x0000000000000001ull);
    EXPECT_EQ(bitsOf(nan), 0x7FF8000000000000ull);
    EXPECT_EQ(bitsOf(negativeInfinity), 0xFFF0000000000000ull);
    EXPECT_EQ(bitsOf(positiveInfinity), 0x7FF0000000000000ull);
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_EQ(maxValue, std::numeric_limits<double>::max());
}

TEST(FloatConstants, OnlyTheGivenOutLocationsAreFilled) {
    float floats[5] = {7, 7, 7, 7, 7};
    HAL_getFloatConstants(nullptr, &floats[1], nullptr, nullptr, &floats[4]);
    EXPECT_EQ(floats[0], 7.0f);
    EXPECT_EQ(bitsOf(floats[1]), 0x00000001u);
    EXPECT_EQ(floats[2], 7.0f);
    EXPECT_EQ(floats[3], 7.0f);
    EXPECT_EQ(bitsOf(floats[4]), 0x7F800000u);

    double doubles[5] = {7, 7, 7, 7, 7};
    HAL_getDoubleConstants(&doubles[0], nullptr, &doubles[2], &doubles[3], nullptr);
    EXPECT_EQ(bitsOf(doubles[0]), 0x7FEFFFFFFFFFFFFFull);
    EXPECT_EQ(doubles[1], 7.0);
    EXPECT_EQ(bitsOf(doubles[2]), 0x7FF8000000000000ull);
    EXPECT_EQ(bitsOf(doubles[3]), 0xFFF0000000000000ull);
    EXPECT_EQ(doubles[4], 7.0);

    HAL_getFloatConstants(nullptr, nullptr, nullptr, nullptr, nullptr);
    HAL_getDoubleConstants(nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
