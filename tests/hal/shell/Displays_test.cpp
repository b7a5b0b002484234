#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hal/display/Displays.h"
#include "hal/display/HALDisplayable.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/host/HostMessages.h"
#include "hal/services/Properties.h"
#include "hal/shell/Shell.h"
#include "tests/vm/TestRuntime.h"

namespace {

struct CountingClient : HALSurfaceClient {
    void surfaceResized() override { ++resets; }
    void screenBufferDeleted() override { deleted = true; }
    int resets = 0;
    bool deleted = false;
};

TEST(Displays, CapabilitiesOfTheSixteenBitScreen) {
    int32_t isColor = 0, colors = 0, alphaLevels = 0, doubleBuffered = 0;
    HAL_getDisplayCapabilities(&isColor, &colors, &alphaLevels, &doubleBuffered);
    EXPECT_EQ(colors, 65536);
    EXPECT_EQ(HAL_colorsForDepth(32), 0);
    EXPECT_EQ(alphaLevels, 32);
    int32_t pointer = -1, motion = -1, repeat = -1;
    HAL_getCanvasCapabilities(&pointer, &motion, &repeat);
    EXPECT_EQ((std::vector<int32_t>{pointer, motion, repeat}), (std::vector<int32_t>{1, 1, 1})) << "a touch screen";
    EXPECT_EQ(_returnZero(), 0);
}

TEST(Displays, ScreenBuffersFollowTheirDisplayableAndForgetIt) {
    testRuntime();
    HALDisplayable* canvas = nullptr;
    ASSERT_EQ(HAL_createCanvas(&canvas, nullptr), 0);
    HALScreenBuffer* buffer = nullptr;
    ASSERT_EQ(HAL_createScreenBuffer(canvas, &buffer), 0);
    EXPECT_EQ(canvas->screenBuffer, buffer);
    int32_t height = 0;
    EXPECT_EQ(HAL_getScreenBufferSize(buffer, nullptr, &height), 0);
    EXPECT_EQ(height, 320);
    EXPECT_EQ(HAL_getScreenBufferSize(buffer, nullptr, nullptr), 2);
    CountingClient client;
    buffer->addClient(&client);
    buffer->resize();
    EXPECT_EQ(client.resets, 0) << "the same size does nothing";
    canvas->width = 100;  // a new size resets every client's clip
    buffer->resize();
    EXPECT_EQ(client.resets, 1);
    EXPECT_EQ(buffer->surface->width, 100);
    HAL_deleteScreenBuffer(buffer);
    EXPECT_EQ(canvas->screenBuffer, nullptr) << "no dangling link";
    EXPECT_TRUE(client.deleted) << "clients hear that the buffer is gone";
    HAL_deleteCanvas(canvas);
}

TEST(Displays, TheDisplayCannotRotateButItsCurrentOrientationIsFine) {
    HAL_initRotationTable();
    int32_t code = -1;
    EXPECT_EQ(HAL_getOrientation(&code), 0);
    EXPECT_EQ(code, 1);
    for (const auto& [orientation, result] : {std::pair{1, 0}, std::pair{2, 8}, std::pair{0, 0}, std::pair{5, 8}})
        EXPECT_EQ(HAL_setOrientation(orientation), result) << orientation;

    HAL_initPropertyLists();  // the table reads the orientation properties
    HAL_addProperty(kSystemPropertyList, u"WinceDisplayOrientation90", u"rotate90cw");
    HAL_addProperty(kSystemPropertyList, u"WinceDisplayOrientation180", u"Rotate180");  // case matters
    HAL_initRotationTable();
    EXPECT_EQ(HAL_rotationForIndex(1), 3);
    EXPECT_EQ(HAL_rotationForIndex(2), 2);
    EXPECT_EQ(HAL_rotationForIndex(7), 0) << "an unknown angle uses the fifth entry";
}

TEST(Displays, DeletingTheCurrentCanvasLeavesNothingPointingAtIt) {
    testRuntime();
    HALDisplayable *current = nullptr, *other = nullptr;
    ASSERT_EQ(HAL_createCanvas(&current, nullptr), 0);
    ASSERT_EQ(HAL_createCanvas(&other, nullptr), 0);
    HALScreenBuffer* buffer = nullptr;
    ASSERT_EQ(HAL_createScreenBuffer(current, &buffer), 0);
    HAL_setWindowDisplayable(current);
    HAL_deleteCanvas(other);
    EXPECT_EQ(HAL_getCurrentDisplayable(), current) << "another canvas going changes nothing";
    HAL_deleteCanvas(current);
    EXPECT_EQ(HAL_getCurrentDisplayable(), nullptr) << "the window's messages and flushes find no displayable";
    EXPECT_EQ(buffer->displayable, nullptr);
    HAL_deleteScreenBuffer(buffer);
}

// A display the system can turn behind the application's back; it counts the turns asked for.
int32_t displayRotation = 0, turnsAsked = 0;
const HALDisplayRotation kTurningDisplay = {[] { return displayRotation; },
                                            [](int32_t index) {
                                                ++turnsAsked;
                                                displayRotation = index;
                                                return true;
                                            }};

TEST(Displays, SizeAndRotationChangesTurnTheDisplayBackToTheRequestedOrientation) {
    testRuntime();
    HAL_setDisplayRotation(&kTurningDisplay);
    HAL_initRotationTable();
    HALDisplayable* canvas = nullptr;
    ASSERT_EQ(HAL_createCanvas(&canvas, nullptr), 0);
    ASSERT_EQ(HAL_setOrientation(3), 0);  // 180 degrees
    EXPECT_EQ(displayRotation, 2);
    const struct {
        uint32_t message;
        uint64_t wParam;
        bool reapplies;
    } messages[] = {{host::kMsgSize, 0, true}, {host::kMsgSettingChange, 0x3002, true}, {host::kMsgSettingChange, 7, false}};
    for (const auto& m : messages) {
        displayRotation = 0;  // the system turned it
        HAL_mainWindowProc(canvas, m.message, m.wParam, 0);
        EXPECT_EQ(displayRotation, m.reapplies ? 2 : 0) << m.message << " " << m.wParam;
    }
    turnsAsked = 0;
    displayRotation = 2;
    HAL_reapplyOrientation();
    EXPECT_EQ(turnsAsked, 0) << "already where it was asked to be";
    ASSERT_EQ(HAL_setOrientation(0), 0);
    displayRotation = 1;
    HAL_mainWindowProc(canvas, host::kMsgSize, 0, 0);
    EXPECT_EQ(displayRotation, 1) << "no orientation requested: nothing re-applied";
    EXPECT_EQ(turnsAsked, 0);
    HAL_deleteCanvas(canvas);
    HAL_setDisplayRotation(nullptr);
}

}  // namespace
