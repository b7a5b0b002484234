// Throughput of the graphics context on a 240 x 320 RGB565 image:
// - full-screen rectangle fills, opaque and blended (alpha 128), in pixels per second;
// - a few other primitives for scale (lines, a filled ellipse, a blended triangle).
// The typical game frame is graphics_frame_bench (GameFrame_bench.cpp).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include "hal/display/GraphicsContext.h"
#include "hal/display/GraphicsShapes.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Images.h"

namespace {

constexpr int32_t kWidth = 240, kHeight = 320;

struct Screen {
    Screen() {
        int code = 0;
        image = HAL_newMutableImage(kWidth, kHeight, &code);
        HAL_createGraphicsWithImage(&g, image);
    }
    ~Screen() {
        HAL_deleteGraphics(g);
        HAL_deleteImage(image);
    }
    HALPixelBuffer* image = nullptr;
    HALGraphics* g = nullptr;
};

void fill(benchmark::State& state, uint32_t argb) {
    Screen screen;
    HAL_setColor(screen.g, int32_t(argb));
    for (auto _ : state) {
        HAL_fillRect(screen.g, 0, 0, kWidth, kHeight);
        benchmark::DoNotOptimize(screen.image->surface->pixels[0]);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_OpaqueFill(benchmark::State& state) { fill(state, 0xFF3060A0u); }
void BM_BlendedFill(benchmark::State& state) { fill(state, 0x803060A0u); }

// 100 lines across the screen in every direction; items are pixels.
void BM_Lines(benchmark::State& state) {
    Screen screen;
    int64_t pixels = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < 100; ++i) {
            const int32_t x1 = (i * 37) % kWidth, y1 = (i * 91) % kHeight, x2 = kWidth - 1 - x1, y2 = (i * 13) % kHeight;
            HAL_drawLine(screen.g, x1, y1, x2, y2);
            pixels += std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
        }
    }
    benchmark::DoNotOptimize(screen.image->surface->pixels[0]);
    state.SetItemsProcessed(pixels);
}

void BM_FilledEllipse200(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) HAL_fillArc(screen.g, 20, 60, 200, 200, 0, 360);
    benchmark::DoNotOptimize(screen.image->surface->pixels[0]);
    state.SetItemsProcessed(state.iterations());
}

void BM_BlendedTriangle(benchmark::State& state) {
    Screen screen;
    HAL_setColor(screen.g, int32_t(0x80FF8000u));
    for (auto _ : state) HAL_fillTriangle(screen.g, 0, 0, 239, 100, 60, 319);
    benchmark::DoNotOptimize(screen.image->surface->pixels[0]);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_OpaqueFill);
BENCHMARK(BM_BlendedFill);
BENCHMARK(BM_Lines);
BENCHMARK(BM_FilledEllipse200);
BENCHMARK(BM_BlendedTriangle);
BENCHMARK_MAIN();
