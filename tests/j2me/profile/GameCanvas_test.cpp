// GameCanvas end to end, headless: a frame drawn on its own thread reaches the window pixel
// for pixel, input and lifecycle reach the canvas and MIDlet, and the Graphics is reused.

#include "hal/base/VMCallbacks.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/display/Rgb565.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "pb_src/j2me/javax_microedition_lcdui_game_GameCanvas.h"
#include "tests/j2me/profile/ProfileScenario.h"

namespace {

using namespace host;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using Log = std::vector<std::string>;

constexpr int kSpriteWidth = 5, kSpriteHeight = 3;
constexpr int kSpriteX = 100, kSpriteY = 120, kTextY = 200;
constexpr uint32_t kBackground = 0x204080, kBox = 0xFF8000;
constexpr int32_t kMirror = 2;

// An asymmetric sprite: every pixel its own opaque colour.
uint32_t spritePixel(int x, int y) { return 0xFF000000u | uint32_t(x * 50) << 16 | uint32_t(y * 100) << 8 | 0x33; }

HeadlessBackend& headless() { return static_cast<HeadlessBackend&>(hostBackend()); }

void drawFrame(test::RecordingCanvas* canvas) {
    VMPtr<Graphics> g = canvas->getGraphics();
    g->setColor(int32_t(kBackground));
    g->fillRect(0, 0, 240, 320);
    g->setColor(int32_t(kBox));
    g->fillRect(10, 10, 50, 30);
    VMPtr<Graphics::IntArray> argb = Graphics::IntArray::_VM_new(kSpriteWidth * kSpriteHeight);
    for (int i = 0; i < kSpriteWidth * kSpriteHeight; ++i)
        argb->elements()[i] = int32_t(spritePixel(i % kSpriteWidth, i / kSpriteWidth));
    g->drawRegion(Image::createRGBImage(argb, kSpriteWidth, kSpriteHeight, false), 0, 0, kSpriteWidth,
                  kSpriteHeight, kMirror, kSpriteX, kSpriteY, Graphics::TOP | Graphics::LEFT);
    g->setColor(0xFFFFFF);
    g->drawString(VMPtr<java::lang::String>::fromLiteral("Ostrel"), 20, kTextY, Graphics::TOP | Graphics::LEFT);
    canvas->flushGraphics();
}

int countPixels(const std::vector<uint16_t>& frame, int x0, int y0, int x1, int y1, uint16_t colour) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += frame[size_t(y) * 240 + size_t(x)] == colour;
    return count;
}

void checkFrame(const std::vector<uint16_t>& frame, int textWidth, int textHeight) {
    ASSERT_EQ(frame.size(), 240u * 320u);
    auto at = [&](int x, int y) { return frame[size_t(y) * 240 + size_t(x)]; };
    const uint16_t background = rgb565::fromArgb(kBackground), box = rgb565::fromArgb(kBox);
    EXPECT_EQ(countPixels(frame, 10, 10, 60, 40, box), 50 * 30);
    for (int y = 0; y < kSpriteHeight; ++y)
        for (int x = 0; x < kSpriteWidth; ++x)
            EXPECT_EQ(at(kSpriteX + x, kSpriteY + y), rgb565::fromArgb(spritePixel(kSpriteWidth - 1 - x, y)))
                << "mirrored sprite at " << x << "," << y;
    const int textArea = textWidth * textHeight;
    const int backgroundInText = countPixels(frame, 20, kTextY, 20 + textWidth, kTextY + textHeight, background);
    EXPECT_GT(countPixels(frame, 20, kTextY, 20 + textWidth, kTextY + textHeight, 0xFFFF), 0) << "the text";
    EXPECT_GT(textArea - backgroundInText, 40) << "the text, smoothed";
    EXPECT_EQ(countPixels(frame, 0, 0, 240, 320, background) - backgroundInText,
              240 * 320 - 50 * 30 - kSpriteWidth * kSpriteHeight - textArea)
        << "nothing drawn outside the boxes";
}

TEST(GameCanvas, AFrameFromItsOwnThreadReachesTheWindowAndInputPauseResumeAndExitReachTheApplication) {
    ProfileHarness harness;
    static int framesBefore = 0, textWidth = 0, textHeight = 0;
    static std::vector<uint16_t> frame;
    onStart = [] {
        static VMPtr<test::RecordingCanvas> canvas{VMStaticScope::instance()};
        canvas = recordingCanvas("canvas");
        Display::getDisplay(nullptr)->setCurrent(canvas);
        startThread([] {
            framesBefore = headless().framesPresented();
            drawFrame(canvas.get());
            textWidth = canvas->getGraphics()->getFont()->stringWidth(VMPtr<java::lang::String>::fromLiteral("Ostrel"));
            textHeight = canvas->getGraphics()->getFont()->getHeight();
            for (const WaitLimit limit; headless().framesPresented() == framesBefore && !limit.reached();)
                java::lang::Thread::sleep(1);
            frame = headless().lastFrame();
            hostBackend().input().pointerDown(30, 40);
            hostBackend().input().pointerMove(35, 45);
            hostBackend().input().keyDown(kVkReturn);
            settle();
            HAL_postMessage(kMsgActivate, kInactive);
            HAL_postMessage(kMsgActivate, kActive);
            settle();
            HAL_requestExit();
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    checkFrame(frame, textWidth, textHeight);
    EXPECT_EQ(lifecycleLog, (Log{"startApp", "canvas show", "canvas press 30,40", "canvas drag 35,45", "canvas key -5",
                                 "canvas hide", "pauseApp", "startApp", "canvas show", "destroyApp"}));
}

}  // namespace

namespace {

TEST(GameCanvas, EveryFrameGetsTheSameGraphicsResetAlsoInItsPlatformContext) {
    testRuntime();
    VMPtr<test::RecordingCanvas> canvas = recordingCanvas("canvas");
    VMPtr<Graphics> first = canvas->getGraphics();
    first->setColor(0xFF0000);
    first->fillRect(0, 0, 240, 320);
    first->setAlpha(100);
    first->setClip(0, 0, 10, 10);
    first->translate(5, 5);
    canvas->flushGraphics();
    const uint32_t collections = VM::instance()->collections;
    HAL_callbackCollect();  // between frames, through the platform's entry
    EXPECT_EQ(VM::instance()->collections, collections + 1);
    VMPtr<Graphics> second = canvas->getGraphics();
    EXPECT_EQ(second.get(), first.get());
    EXPECT_EQ((std::vector<int32_t>{second->getColor(), second->getAlpha(), second->getTranslateX(),
                                    second->getClipX(), second->getClipWidth(), second->getClipHeight()}),
              (std::vector<int32_t>{0, 255, 0, 0, 240, 320}));
    EXPECT_EQ(second->getFont().get(), javax::microedition::lcdui::Font::getDefaultFont().get());
    second->setColor(0);  // the reset value: the context must already draw opaque black
    second->fillRect(0, 0, 240, 320);
    HALSurface* surface = canvas->screenBuffer->surface;
    EXPECT_EQ(surface->row(0)[0], 0);
    EXPECT_EQ(surface->row(319)[239], 0) << "the whole buffer, not last frame's clip";
    // The canvas and its Graphics go in one collection, in whichever order.
    canvas = nullptr;
    first = second = nullptr;
    VM::instance()->collect();
}

}  // namespace
