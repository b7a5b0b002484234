#include <gtest/gtest.h>

#include "hal/display/Displays.h"
#include "hal/host/HostMessages.h"
#include "hal/input/HALCanvasWindow.h"
#include "tests/hal/input/InputTestSupport.h"

namespace {

using namespace host;
using Events = std::vector<RecordedEvent>;

TEST(HALCanvasWindow, InputMessagesBecomeEventsAndTheRestGoOn) {
    InputTestSupport support;
    HALDisplayable* created = nullptr;
    ASSERT_EQ(HAL_createCanvas(&created, nullptr), 0);
    auto* canvas = dynamic_cast<HALCanvasWindow*>(created);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->handleMessage(kMsgLeftButtonDown, kMkLeftButton, pointParam(40000, 6)), 0);
    EXPECT_EQ(canvas->handleMessage(kMsgEraseBackground, 0, 0), -1) << "other messages: the main window's handling";
    EXPECT_EQ(support.take(), (Events{point(11, 40000, 6)})) << "coordinates are unsigned";
    HAL_deleteCanvas(canvas);
}

TEST(HALCanvasWindow, TheFullScreenSwitchUpdatesTheSize) {
    InputTestSupport support;
    int owner = 0;
    HALCanvasWindow canvas(reinterpret_cast<java::lang::Object*>(&owner));
    HAL_setDisplayableFullScreenMode(&canvas, 7);
    EXPECT_TRUE(canvas.fullScreen);
    EXPECT_TRUE(support.take().empty()) << "the window already fills the screen: no size change";
    canvas.width = 100;  // as if the window had been smaller
    canvas.setFullScreenMode(false);
    EXPECT_FALSE(canvas.fullScreen);
    EXPECT_EQ(support.take(), (Events{{6, {reinterpret_cast<intptr_t>(&owner), 240, 320}}}));
}

}  // namespace
