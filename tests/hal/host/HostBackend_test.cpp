#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "hal/host/HeadlessBackend.h"
#include "hal/host/SdlBackend.h"

namespace {

using namespace host;

TEST(HostBackend, TheEnvironmentChoosesTheHeadlessBackend) {
    setenv(kBackendVariable, "headless", 1);
    EXPECT_STREQ(hostBackend().name(), "headless");
}

TEST(HeadlessBackend, CapturesAndCountsFrames) {
    HeadlessBackend backend;
    ASSERT_TRUE(backend.openWindow("Ostrel"));
    EXPECT_EQ(backend.title(), "Ostrel");
    std::vector<uint16_t> pixels(size_t(kScreenWidth + 8) * kScreenHeight, 0);
    pixels[1] = 0xF800;
    pixels[size_t(kScreenWidth + 8) * 2 + 3] = 0x07E0;  // row 2, column 3 (stride 248)
    backend.presentFrame(pixels.data(), kScreenWidth, kScreenHeight, kScreenWidth + 8);
    EXPECT_EQ(backend.framesPresented(), 1);
    EXPECT_EQ(backend.lastFrame()[1], 0xF800);
    EXPECT_EQ(backend.lastFrame()[size_t(kScreenWidth) * 2 + 3], 0x07E0);
}

TEST(SdlBackend, MapsThePhoneKeys) {
    const std::pair<SDL_Keycode, uint32_t> keys[] = {{SDLK_LEFT, kVkLeft}, {SDLK_RETURN, kVkReturn}, {SDLK_7, kVk0 + 7},
                                                     {SDLK_KP_7, kVk0 + 7}, {SDLK_F1, kVkF1}, {SDLK_F2, kVkF2}, {SDLK_F5, 0}};
    for (const auto& [sdl, virtualKey] : keys) EXPECT_EQ(SdlBackend::virtualKeyFor(sdl), virtualKey) << sdl;
}

// SDL's dummy video driver, chosen on purpose: a window that opens nowhere, with a real
// window surface and event queue.
struct DummySdl : testing::Test {
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("OSTREL_SCALE");  // the default whole factor, 2
        ASSERT_TRUE(backend.openWindow("Ostrel")) << backend.openFailure();
    }
    SdlBackend backend;
};

// The window surface's pixel at (x, y) as 0xRRGGBB.
uint32_t shownAt(const SDL_Surface* surface, int x, int y) {
    uint32_t value = 0;
    std::memcpy(&value, static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * 4, 4);
    uint8_t red, green, blue;
    SDL_GetRGB(value, surface->format, &red, &green, &blue);
    return uint32_t(red) << 16 | uint32_t(green) << 8 | blue;
}

TEST_F(DummySdl, FramesAreScaledByAWholeFactorIntoTheWindowSurface) {
    std::vector<uint16_t> pixels(size_t(kScreenWidth) * kScreenHeight, 0x001F);
    pixels[1] = 0xF800;  // (1, 0) red, the rest blue
    backend.presentFrame(pixels.data(), kScreenWidth, kScreenHeight, kScreenWidth);
    const SDL_Surface* shown = SDL_GetWindowSurface(SDL_GetWindowFromID(1));
    ASSERT_TRUE(shown && shown->format->BytesPerPixel == 4 && shown->w == kScreenWidth * 2);
    for (auto [x, y, colour] : {std::tuple{2, 0, 0xFF0000u}, {3, 1, 0xFF0000u}, {1, 1, 0x0000FFu}, {4, 0, 0x0000FFu}})
        EXPECT_EQ(shownAt(shown, x, y), colour) << x << "," << y;
}

TEST_F(DummySdl, TheMouseTouchesThePhonesPixels) {
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 7;
    press.button.y = 9;
    SDL_PushEvent(&press);
    backend.waitForMessages(0);
    HostMessage m{};
    ASSERT_TRUE(backend.queue().take(&m));
    EXPECT_EQ(m.message, kMsgLeftButtonDown);
    EXPECT_EQ(m.lParam, pointParam(3, 4));
}

TEST_F(DummySdl, PostsFromAnotherThreadEndTheWait) {
    std::thread poster([&] { backend.queue().post(kMsgExitRequest); });
    HostMessage m{};
    for (int i = 0; i < 100 && !backend.queue().take(&m); ++i) backend.waitForMessages(100);
    poster.join();
    EXPECT_EQ(m.message, kMsgExitRequest);
    backend.closeWindow();
    EXPECT_FALSE(backend.isWindowOpen());
}

// A frame flushed after the UI thread found nothing to do, but before it waits: the wake-up
// event is consumed by the wait's own poll, and the wait must still end at once.
TEST_F(DummySdl, AWakeUpJustBeforeTheWaitEndsIt) {
    backend.queue().wake();
    const auto start = std::chrono::steady_clock::now();
    backend.waitForMessages(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << "ended long before its limit";
}

}  // namespace
