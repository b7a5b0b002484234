#include <gtest/gtest.h>

#include "hal/input/HALPointerFilter.h"
#include "tests/hal/input/InputTestSupport.h"

// Drags and releases without a press, and the device's phantom points, are seen end to end
// (the shell's input test); here, the limits of the duplicate filter and of the quirk points.

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
