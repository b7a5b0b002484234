#include <gtest/gtest.h>

#include "hal/base/KeepAlive.h"

namespace {

TEST(KeepAlive, IntervalIsNinetyPercentOfTheSmallestTimeoutAtMostFiveSeconds) {
    EXPECT_EQ(HAL_keepAliveIntervalFor(nullptr, 0), 5000u);
    const uint32_t three[] = {0, 60, 3};
    EXPECT_EQ(HAL_keepAliveIntervalFor(three, 3), 2700u);
    const uint32_t sixty[] = {60};
    EXPECT_EQ(HAL_keepAliveIntervalFor(sixty, 1), 5000u);
    const uint32_t zeros[] = {0, 0};
    EXPECT_EQ(HAL_keepAliveIntervalFor(zeros, 2), 5000u);
    const uint32_t huge[] = {0xFFFFFFFF};
    EXPECT_EQ(HAL_keepAliveIntervalFor(huge, 1), 5000u) << "no 32-bit overflow";
    EXPECT_EQ(HAL_getKeepAliveInterval(), 5000u) << "no power timeouts on this platform";
}

TEST(KeepAlive, TheSinkFollowsTheState) {
    static bool sinkEnabled = false;
    static uint32_t sinkInterval = 0;
    HAL_setKeepAliveSink([](bool enabled, uint32_t interval) {
        sinkEnabled = enabled;
        sinkInterval = interval;
    });
    EXPECT_EQ(HAL_setKeepAlive(1), 1);
    EXPECT_TRUE(HAL_isKeepAliveOn());
    EXPECT_TRUE(sinkEnabled);
    EXPECT_EQ(sinkInterval, 5000u);
    EXPECT_EQ(HAL_setKeepAlive(0), 1);
    EXPECT_FALSE(HAL_isKeepAliveOn());
    EXPECT_FALSE(sinkEnabled);
    HAL_setKeepAliveSink(nullptr);
}

}  // namespace
