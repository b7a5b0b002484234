// The typical game frame (GameFrame.h): its time in milliseconds beside a memcpy of one
// 150 KiB frame (240 x 320 RGB565) measured in the same run, each the median of five rounds
// after a warm-up. With --count N it only draws N frames inside renderFrames, for
// bench/graphics-frame-callgrind.sh, whose instruction count is the stable figure.
//
// Output: game_frame ms=<median> memcpy_150KiB ms=<median> frame_per_memcpy=<ratio> checksum=<value>
// Usage: graphics_frame_bench [--count N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/hal/GameFrame.h"

// Not inlined, and outside any namespace, so that callgrind can find it by name.
[[gnu::noinline]] uint32_t renderFrames(GameFrame& frame, int32_t count) {
    uint32_t sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        frame.draw(i);
        sum += frame.checksum();
    }
    return sum;
}

namespace {

// Median milliseconds per operation of five rounds of `ops` operations.
double medianMs(int32_t ops, const std::function<void(int32_t)>& round) {
    round(ops);  // warm-up
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        round(ops);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / ops);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

}  // namespace

int main(int argc, char** argv) {
    GameFrame frame;
    frame.draw(0);  // the glyphs are rendered once, before anything is counted
    if (argc == 3 && std::string(argv[1]) == "--count") {
        const int32_t frames = std::atoi(argv[2]);
        std::printf("frames=%d checksum=%u\n", frames, renderFrames(frame, frames));
        HAL_deleteFontCache();
        return 0;
    }
    uint32_t checksum = 0;
    const double frameMs = medianMs(200, [&](int32_t ops) { checksum += renderFrames(frame, ops); });
    std::vector<uint16_t> from(size_t(GameFrame::kWidth) * GameFrame::kHeight, 0x1234), to(from.size());
    const double copyMs = medianMs(2000, [&](int32_t ops) {
        for (int32_t i = 0; i < ops; ++i) {
            from[size_t(i) % from.size()] = uint16_t(i);
            std::memcpy(to.data(), from.data(), to.size() * sizeof(uint16_t));
            checksum += to[size_t(i * 7) % to.size()];
        }
    });
    std::printf("game_frame ms=%.4f memcpy_150KiB ms=%.4f frame_per_memcpy=%.1f checksum=%u\n", frameMs, copyMs,
                frameMs / copyMs, checksum);
    HAL_deleteFontCache();
    return 0;
}
