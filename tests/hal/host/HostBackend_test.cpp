#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <thread>
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
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_LEFT), kVkLeft);
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_RETURN), kVkReturn);
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_7), kVk0 + 7);
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_KP_7), kVk0 + 7);
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_F1), kVkF1);
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_F2), kVkF2);
    EXPECT_EQ(SdlBackend::virtualKeyFor(SDLK_F5), 0u);
}

// Runs on SDL's dummy video driver: a window opens, frames present, posts end waits.
TEST(SdlBackend, WorksOnTheDummyDriver) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SdlBackend backend;
    ASSERT_TRUE(backend.openWindow("Ostrel")) << SDL_GetError();
    EXPECT_TRUE(backend.isWindowOpen());
    std::vector<uint16_t> pixels(size_t(kScreenWidth) * kScreenHeight, 0x001F);
    backend.presentFrame(pixels.data(), kScreenWidth, kScreenHeight, kScreenWidth);
    std::thread poster([&] { backend.queue().post(kMsgExitRequest); });
    HostMessage m{};
    for (int i = 0; i < 100 && !backend.queue().take(&m); ++i) backend.waitForMessages(100);
    poster.join();
    EXPECT_EQ(m.message, kMsgExitRequest);
    backend.closeWindow();
    EXPECT_FALSE(backend.isWindowOpen());
}

}  // namespace
