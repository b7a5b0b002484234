// What the profile's Graphics adds to a drawing call, and a composite frame drawn through
// it. Each figure is the fastest of fifteen rounds after a warm-up (the least disturbed by
// other load on the machine); the direct and the profile rounds of one operation alternate,
// so both see the same machine state.
//
// Output, one line per operation: <name> direct_ns=<n> profile_ns=<n> ratio=<profile/direct>
// then: frame_through_profile us=<n> frame_copy_240x320 us=<n> frame_per_copy=<ratio>
// Usage: profile_drawing_bench

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "hal/display/FontCache.h"
#include "hal/display/GraphicsContext.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

using javax::microedition::lcdui::Font;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using IntArray = VMArray<int32_t, 1>;

namespace {

constexpr int32_t kWidth = 240, kHeight = 320;
constexpr int32_t kTopLeft = Graphics::TOP | Graphics::LEFT;
constexpr int kRounds = 15;

double nanosPerCall(int32_t calls, const std::function<void(int32_t)>& run) {
    const auto start = std::chrono::steady_clock::now();
    run(calls);
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / calls;
}

// Fastest of alternating rounds of the two ways of making one call.
void compare(const char* name, int32_t calls, const std::function<void(int32_t)>& direct,
             const std::function<void(int32_t)>& profile) {
    direct(calls);
    profile(calls);
    std::vector<double> directTimes, profileTimes;
    for (int round = 0; round < kRounds; ++round) {
        directTimes.push_back(nanosPerCall(calls, direct));
        profileTimes.push_back(nanosPerCall(calls, profile));
    }
    std::sort(directTimes.begin(), directTimes.end());
    std::sort(profileTimes.begin(), profileTimes.end());
    std::printf("%-24s direct_ns=%8.1f profile_ns=%8.1f ratio=%.3f\n", name, directTimes[0], profileTimes[0],
                profileTimes[0] / directTimes[0]);
}

// A 32 x 32 sprite: opaque, or a disc with a clear outside and a blended rim.
VMPtr<Image> sprite(bool withAlpha) {
    VMPtr<IntArray> argb = IntArray::_VM_new(32 * 32);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const int32_t dx = x - 16, dy = y - 16, d = dx * dx + dy * dy;
            const uint32_t alpha = !withAlpha || d < 144 ? 255 : d < 196 ? uint32_t((196 - d) * 255 / 52) : 0;
            argb->elements()[y * 32 + x] = int32_t(alpha << 24 | uint32_t(x * 8) << 16 | uint32_t(y * 8) << 8 | 0x40u);
        }
    return Image::createRGBImage(argb, 32, 32, withAlpha);
}

}  // namespace

int main() {
    benchRuntime();
    VMPtr<Image> screen = Image::createImage(kWidth, kHeight, false, 0x203040);
    VMPtr<Graphics> g = screen->getGraphics();
    HALGraphics* context = g->nativeContext;
    g->setColor(0x80C040);
    VMPtr<Image> opaque = sprite(false), blended = sprite(true);
    VMPtr<java::lang::String> text = VMPtr<java::lang::String>::fromLiteral("Score 0001234 Lv 07!");
    std::u16string chars = text->toUtf16();

    compare("fillRect_16x16", 4000,
            [&](int32_t n) { for (int32_t i = 0; i < n; ++i) HAL_fillRect(context, i % 200, i % 300, 16, 16); },
            [&](int32_t n) { for (int32_t i = 0; i < n; ++i) g->fillRect(i % 200, i % 300, 16, 16); });
    for (int32_t transform = 0; transform < 8; ++transform)
        for (bool withAlpha : {false, true}) {
            const std::string name = std::string("drawRegion_32_") + (withAlpha ? "alpha_t" : "opaque_t") +
                                     std::to_string(transform);
            VMPtr<Image> source = withAlpha ? blended : opaque;
            compare(name.c_str(), 1000,
                    [&](int32_t n) {
                        for (int32_t i = 0; i < n; ++i)
                            HAL_drawRegion(context, source->nativeHandle, 0, 0, 32, 32, transform, i % 200, i % 280);
                    },
                    [&](int32_t n) {
                        for (int32_t i = 0; i < n; ++i)
                            g->drawRegion(source, 0, 0, 32, 32, transform, i % 200, i % 280, kTopLeft);
                    });
        }
    HALFont* font = g->getFont()->nativeFont;
    HAL_setFont(context, font);
    compare("drawString_20", 1000,
            [&](int32_t n) {
                for (int32_t i = 0; i < n; ++i) HAL_drawChars(context, chars.data(), 20, i % 100, i % 300);
            },
            [&](int32_t n) { for (int32_t i = 0; i < n; ++i) g->drawString(text, i % 100, i % 300, kTopLeft); });

    // The composite frame: clear, 150 sprite regions, 10 strings, then the 240 x 320 copy
    // to the window's frame.
    std::vector<uint16_t> window(size_t(kWidth) * kHeight);
    const HALSurface& surface = *screen->nativeHandle->surface;
    auto copyFrame = [&] {
        for (int32_t y = 0; y < kHeight; ++y)
            std::memcpy(window.data() + size_t(y) * kWidth, surface.row(y), size_t(kWidth) * sizeof(uint16_t));
    };
    auto frame = [&](int32_t n) {
        for (int32_t f = 0; f < n; ++f) {
            g->setColor(0x203040);
            g->fillRect(0, 0, kWidth, kHeight);
            for (int32_t s = 0; s < 150; ++s)
                g->drawRegion(s % 3 == 0 ? opaque : blended, 0, 0, 32, 32, s & 7, (s * 37 + f) % 220, (s * 53) % 300,
                              kTopLeft);
            g->setColor(0xFFFFFF);
            for (int32_t line = 0; line < 10; ++line) g->drawString(text, 4, 4 + line * 30, kTopLeft);
            copyFrame();
        }
    };
    auto copies = [&](int32_t n) {
        for (int32_t i = 0; i < n; ++i) copyFrame();
    };
    frame(20);
    std::vector<double> frameTimes, copyTimes;
    for (int round = 0; round < kRounds; ++round) {
        frameTimes.push_back(nanosPerCall(20, frame) / 1000);
        copyTimes.push_back(nanosPerCall(200, copies) / 1000);
    }
    std::sort(frameTimes.begin(), frameTimes.end());
    std::sort(copyTimes.begin(), copyTimes.end());
    std::printf("frame_through_profile us=%.1f frame_copy_240x320 us=%.2f frame_per_copy=%.1f checksum=%u\n",
                frameTimes[0], copyTimes[0], frameTimes[0] / copyTimes[0], unsigned(window[12345]));
    HAL_deleteFontCache();
    return 0;
}
