// The platform functions on Graphics objects: a screen buffer painted at the translation,
// a resize that resets translation and clip, and a released context that draws nothing
// while the image keeps its pixels.

#include "hal/display/Displays.h"
#include "hal/display/HALGraphics.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/profile/ProfileGraphics.h"
#include "tests/j2me/lcdui/ProfileTestSupport.h"

namespace profiletest {
namespace {

TEST(ProfileGraphics, ScreenBufferPaintAndResize) {
    testRuntime();
    HALDisplayable* canvas = nullptr;
    HALScreenBuffer* buffer = nullptr;
    ASSERT_EQ(HAL_createCanvas(&canvas, nullptr), 0);
    ASSERT_EQ(HAL_createScreenBuffer(canvas, &buffer), 0);
    VMPtr<Graphics> screen = Graphics::createGraphicsWithScreenBuffer(buffer);
    EXPECT_EQ(screen->getClipWidth(), buffer->width);
    screen->setColor(0xF80000);
    screen->fillRect(0, 0, 2, 2);
    screen->translate(3, 4);
    screen->setClip(0, 0, 1, 1);
    ASSERT_EQ(HAL_setGraphicsSize(screen.get(), 0x8000 | 4, 3), 0);
    EXPECT_EQ(screen->getTranslateX(), 0);
    EXPECT_EQ(screen->getClipWidth(), 4) << "the size is masked to 15 bits";
    EXPECT_EQ(screen->nativeContext->clip().height, 3) << "the clip reaches the platform";

    Canvas target(6, 6);
    target.g->translate(2, 1);
    ASSERT_EQ(HAL_paintScreenBuffer(target.g.get(), buffer), 0);
    EXPECT_EQ(lettersOf(target.image)[0], "......");
    EXPECT_EQ(lettersOf(target.image)[2].substr(0, 4), "..AA") << "the buffer at the translation";
    HAL_deleteScreenBuffer(buffer);
    HAL_deleteCanvas(canvas);
    EXPECT_EQ(HAL_paintScreenBuffer(nullptr, nullptr), 2);
}

TEST(ProfileGraphics, AReleasedContextDrawsNothingAndTheImageKeepsItsPixels) {
    Canvas canvas(2, 1);
    canvas.g->setColor(0xF80000);
    canvas.g->fillRect(0, 0, 1, 1);
    ASSERT_EQ(HAL_releaseImageGraphics(canvas.g.get()), 0);
    EXPECT_EQ(canvas.g->nativeContext, nullptr);
    canvas.g->fillRect(0, 0, 2, 1);
    EXPECT_EQ(lettersOf(canvas.image)[0], "A.");
    EXPECT_EQ(HAL_releaseImageGraphics(canvas.g.get()), 0) << "releasing twice is harmless";
}

}  // namespace
}  // namespace profiletest
