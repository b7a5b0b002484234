#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hal/input/DeviceQuirks.h"
#include "hal/input/HALPointerFilter.h"
#include "tests/hal/input/InputTestSupport.h"

namespace {

using Events = std::vector<RecordedEvent>;

TEST(HALPointerFilter, DuplicatesWithinThirtyMillisecondsAndFivePixelsAreDropped) {
    InputTestSupport support;
    HALPointerFilter filter;
    EXPECT_FALSE(filter.quirkEnabled()) << "this device has no pointer quirk";
    filter.press(100, 100);
    testTicks = 1029;
    filter.press(104, 96);  // the same press again
    filter.press(105, 96);  // 5 pixels away on one axis
    filter.press(105, 101);
    testTicks = 1058;
    filter.press(105, 101);
    testTicks = 1059;
    filter.press(105, 101);  // 30 ms on
    filter.release(105, 101);  // another type
    EXPECT_EQ(support.take(), (Events{point(11, 100, 100), point(11, 105, 96), point(11, 105, 101), point(11, 105, 101),
                                      point(12, 105, 101)}));
}

TEST(HALPointerFilter, ReleasesAndDragsFollowAPress) {
    InputTestSupport support;
    HALPointerFilter filter;
    filter.drag(10, 20);
    EXPECT_TRUE(filter.pressed());
    testTicks += 100;
    filter.drag(30, 40);
    testTicks += 100;
    filter.release(30, 40);
    EXPECT_FALSE(filter.pressed());
    testTicks += 100;
    filter.release(50, 60);
    filter.press(65535, 65535);  // the touch screen's coordinates are unsigned
    EXPECT_EQ(support.take(), (Events{point(11, 10, 20), point(13, 10, 20), point(13, 30, 40), point(12, 30, 40),
                                      point(11, 50, 60), point(12, 50, 60), point(11, 65535, 65535)}));
}

TEST(HALPointerFilter, PressesAndReleasesAtQuirkPointsAreIgnoredButDragsAreNot) {
    InputTestSupport support;
    const char* points = nullptr;
    ASSERT_EQ(HAL_pointerQuirkDefaultsFor(4, 240, 320, "WHERE", &points), kQuirkDefaultOn);
    int32_t values[16];
    HALPointerFilter filter;
    filter.setQuirkPoints(values, HAL_parseQuirkIntList(std::u16string(points, points + std::strlen(points)).c_str(), values, 16));
    ASSERT_EQ(filter.quirkPointCount(), 2);
    filter.press(505, 26);
    filter.release(407, 26);
    EXPECT_FALSE(filter.pressed());
    filter.drag(505, 26);
    testTicks += 100;
    filter.release(505, 26);  // ignored: the stylus stays down
    EXPECT_TRUE(filter.pressed());
    filter.release(505, 27);
    EXPECT_EQ(support.take(), (Events{point(11, 505, 26), point(13, 505, 26), point(12, 505, 27)}));
}

TEST(HALPointerFilter, QuirkPointsNeedTwoValuesAndTakeAtMostEight) {
    HALPointerFilter filter;
    const int32_t one[] = {10};
    filter.setQuirkPoints(one, 1);
    EXPECT_FALSE(filter.quirkEnabled());
    const int32_t odd[] = {10, 20, 30};
    filter.setQuirkPoints(odd, 3);
    EXPECT_EQ(filter.quirkPointCount(), 1);
    EXPECT_TRUE(filter.isQuirkPoint(10, 20));
    EXPECT_FALSE(filter.isQuirkPoint(20, 30));
    int32_t many[20];
    for (int32_t i = 0; i < 20; ++i) many[i] = i;
    filter.setQuirkPoints(many, 20);
    EXPECT_EQ(filter.quirkPointCount(), 8);
    EXPECT_TRUE(filter.isQuirkPoint(14, 15));
    EXPECT_FALSE(filter.isQuirkPoint(16, 17));
}

}  // namespace
