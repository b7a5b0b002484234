#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hal/base/KeepAlive.h"

namespace {

TEST(KeepAlive, IntervalIsNinetyPercentOfTheSmallestTimeoutAtMostFiveSeconds) {
    EXPECT_EQ(HAL_keepAliveIntervalFor(nullptr, 0), 5000u);
    // Seconds, 0 for none; the last case would overflow 32 bits.
    const std::pair<std::vector<uint32_t>, uint32_t> cases[] = {{{0, 60, 3}, 2700}, {{60}, 5000}, {{0, 0}, 5000}, {{0xFFFFFFFF}, 5000}};
    for (const auto& [timeouts, interval] : cases)
        EXPECT_EQ(HAL_keepAliveIntervalFor(timeouts.data(), timeouts.size()), interval) << timeouts[0];
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
