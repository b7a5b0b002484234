// Text figures for the platform's fonts, one line per workload:
// - create-all-fonts: the 72 cached fonts (every face, size and style value) created once;
// - draw-*: a 32-character line drawn into a 240 x 320 RGB565 surface at rows going down
//   the screen, its glyphs already rendered (the steady state of a game's text), opaque
//   or at alpha 128, medium plain and large bold italic; and the same line clipped to its
//   middle third;
// - measure: HAL_getStringWidth of the same line.
// Each workload runs one warm-up round and three measured rounds; the median is reported,
// with a checksum of the pixels or widths so that no loop can be dropped.
//
// Output, one line per workload:
//   <name> ops=<per round> ns_per_op=<median> per_second=<median> chars_per_second=<median> checksum=<value>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hal/display/FontCache.h"
#include "hal/display/HALFont.h"
#include "hal/display/HALSurface.h"
#include "hal/display/TextRenderer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char16_t kLine[] = u"Score 012345 - Level 7 & bonus!!";
constexpr int32_t kLineLength = 32;
constexpr int32_t kWidth = 240, kHeight = 320;

struct Screen {
    Screen() : pixels(size_t(kWidth) * kHeight, 0x18E3), surface(pixels.data(), kWidth, kHeight, kWidth, kSurfaceOpaque) {}
    uint64_t checksum() const {
        uint64_t sum = 0;
        for (uint16_t p : pixels) sum = sum * 31 + p;
        return sum;
    }
    std::vector<uint16_t> pixels;
    HALSurface surface;
};

void report(const char* name, int32_t ops, int32_t charsPerOp, const std::function<uint64_t(int32_t)>& round) {
    round(ops);  // warm-up
    std::vector<double> times;
    uint64_t checksum = 0;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        checksum += round(ops);
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double perOp = times[1] / ops;
    std::printf("%-24s ops=%-8d ns_per_op=%-10.1f per_second=%-12.0f chars_per_second=%-12.0f checksum=%llu\n", name, ops,
                perOp * 1e9, 1 / perOp, charsPerOp / perOp, static_cast<unsigned long long>(checksum));
}

std::function<uint64_t(int32_t)> drawing(HALFont* font, uint32_t argb, bool clipped) {
    return [=](int32_t ops) {
        Screen screen;
        const int32_t width = HAL_getStringWidth(font, kLine, kLineLength), rows = kHeight - font->height;
        for (int32_t i = 0; i < ops; ++i) {
            const int32_t y = (i * 7) % rows;
            const HALTextClip clip = clipped ? HALTextClip{width / 3, 0, width / 3, kHeight} : HALTextClip{0, 0, kWidth, kHeight};
            HAL_drawText(&screen.surface, font, kLine, kLineLength, 0, y, argb, clip);
        }
        return screen.checksum();
    };
}

}  // namespace

int main() {
    const auto start = Clock::now();
    for (int32_t face : {0, 32, 64})
        for (int32_t size : {8, 0, 16})
            for (int32_t style = 0; style < 8; ++style)
                if (HAL_createNativeFont(face, style, size) == nullptr) return std::puts("fonts missing"), 1;
    std::printf("%-24s ms=%.2f\n", "create-all-fonts", std::chrono::duration<double, std::milli>(Clock::now() - start).count());

    HALFont* medium = HAL_createNativeFont(0, 0, 0);
    HALFont* largeBoldItalic = HAL_createNativeFont(0, 3, 16);
    report("draw-medium-opaque", 200000, kLineLength, drawing(medium, 0xFFFFFFFF, false));
    report("draw-medium-alpha128", 200000, kLineLength, drawing(medium, 0x80FFFFFF, false));
    report("draw-large-bold-italic", 100000, kLineLength, drawing(largeBoldItalic, 0xFFFFFF00, false));
    report("draw-medium-clipped", 200000, kLineLength / 3, drawing(medium, 0xFFFFFFFF, true));
    report("measure-medium", 2000000, kLineLength, [=](int32_t ops) {
        uint64_t sum = 0;
        for (int32_t i = 0; i < ops; ++i) sum += uint64_t(HAL_getStringWidth(medium, kLine, kLineLength - (i & 7)));
        return sum;
    });
    HAL_deleteFontCache();
    return 0;
}
