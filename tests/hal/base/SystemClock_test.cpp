#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "hal/base/SystemClock.h"

namespace {

TEST(SystemClock, CalendarFieldsBecomeMillisecondsSince1970) {
    EXPECT_EQ(HAL_fieldsToMillis(1970, 1, 1, 0, 0, 0), 0);
    EXPECT_EQ(HAL_fieldsToMillis(2024, 3, 1, 0, 0, 0), 1709251200000);
    EXPECT_EQ(HAL_fieldsToMillis(2000, 2, 29, 23, 59, 59), 951868799000);  // 2000 is a leap year
    EXPECT_EQ(HAL_fieldsToMillis(2023, 12, 31, 0, 0, 0), 1703980800000);
    EXPECT_EQ(HAL_fieldsToMillis(2100, 3, 1, 0, 0, 0), 4107542400000);  // 2100 is no leap year
    EXPECT_EQ(HAL_fieldsToMillis(2038, 1, 19, 3, 14, 8), 2147483648000);  // 2^31 seconds
}

// The 32-bit count read between two reads of the 64-bit one lies between their low halves
// (however long the reads take on a busy machine, across a wrap too).
bool tickCountBetweenTwoReadsOfThe64BitOne() {
    const uint64_t first = HAL_getTickCount64();
    const uint32_t ticks = HAL_getTickCount();
    const uint64_t last = HAL_getTickCount64();
    return uint64_t(ticks - uint32_t(first)) <= last - first;
}

TEST(SystemClock, CurrentTimeIsUtcAndNeverGoesBack) {
    const int64_t wallClock = int64_t(time(nullptr)) * 1000;
    const int64_t first = HAL_currentTimeMillis();
    EXPECT_NEAR(double(first), double(wallClock), 5000.0);
    int64_t previous = first;
    for (int i = 0; i < 1000; ++i) {
        const int64_t now = HAL_currentTimeMillis();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

TEST(SystemClock, TickCountsAgreeAndLocalTimeFollowsTheZone) {
    EXPECT_TRUE(tickCountBetweenTwoReadsOfThe64BitOne()) << "one clock, seen in 32 bits";
    const int64_t local = HAL_getLocalTimeMillis();
    const int64_t utc = int64_t(time(nullptr)) * 1000;
    EXPECT_NEAR(double(local - HAL_getTimeZoneOffset()), double(utc), 5000.0);
}

// A replaced tick source moves only the 32-bit count; the 64-bit one keeps the system clock.
TEST(SystemClock, TestsCanSetTheTimeAndTheTicks) {
    HAL_setTimeSource([] { return int64_t(1709251200000); });  // 2024-03-01 00:00:00 UTC
    HAL_setTickCountSource([] { return uint32_t(0xFFFFFFF0); });
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(HAL_currentTimeMillis(), 1709251200000);
    EXPECT_EQ(HAL_getLocalTimeMillis(), 1709251200000);
    EXPECT_EQ(HAL_getTickCount(), 0xFFFFFFF0u);
    EXPECT_NE(uint32_t(HAL_getTickCount64()), 0xFFFFFFF0u);
    HAL_setTimeSource(nullptr);
    HAL_setTickCountSource(nullptr);
    EXPECT_NE(HAL_currentTimeMillis(), 1709251200000);
    EXPECT_TRUE(tickCountBetweenTwoReadsOfThe64BitOne()) << "restored";
}

}  // namespace
