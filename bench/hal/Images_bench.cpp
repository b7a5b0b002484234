// Throughput of the surface blits and of image decoding, on a 240 x 320 RGB565 target:
// - full-screen opaque, colour-keyed, alpha-plane (every level, and a sprite sheet's mostly
//   clear or opaque plane) and context-blended blits, in pixels per second;
// - 32 x 32 region blits with each of the eight transforms from opaque, colour-keyed and
//   alpha-plane sprite sheets, in blits per second;
// - an overlapping area copy of most of the screen;
// - decoding a 240 x 320 RGBA PNG.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/ImageDecoding.h"
#include "hal/display/SurfaceBlit.h"
#include "tests/support/PngWriter.h"

namespace {

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 320;

// An alpha plane like a sprite sheet's: 32 x 32 discs, clear outside, opaque inside, with a
// blended rim; the other alpha plane runs through every level.
constexpr int32_t kSpriteAlpha = 4;

uint8_t spriteAlpha(int32_t x, int32_t y) {
    const int32_t d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
    return d < 144 ? 255 : d < 196 ? uint8_t((196 - d) * 255 / 52) : 0;
}

std::unique_ptr<HALSurface> source(int32_t width, int32_t height, int32_t format) {
    std::unique_ptr<HALSurface> surface(
        HALSurface::create(width, height, format == kSpriteAlpha ? kSurfaceAlpha : format));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            surface->row(y)[x] = uint16_t((x * 2654435761u ^ y * 40503u) >> 7);
            if (format == kSurfaceColorKey && (x + y) % 5 == 0) surface->row(y)[x] = 0xF81F;
            if (format == kSurfaceAlpha) surface->alphaRow(y)[x] = uint8_t((x * 7 + y * 3) & 255);
            if (format == kSpriteAlpha) surface->alphaRow(y)[x] = spriteAlpha(x % 32, y % 32);
        }
    }
    return surface;
}

void fullScreen(benchmark::State& state, int32_t format, int32_t alpha) {
    auto target = source(kWidth, kHeight, kSurfaceOpaque);
    auto image = source(kWidth, kHeight, format);
    const HALBlitTarget into{target.get(), 0, 0, kWidth, kHeight, alpha};
    for (auto _ : state) {
        HAL_blitSurface(into, 0, 0, kWidth, kHeight, *image, 0, 0, 0);
        benchmark::DoNotOptimize(target->pixels[0]);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_OpaqueBlit(benchmark::State& state) { fullScreen(state, kSurfaceOpaque, 255); }
void BM_ColorKeyBlit(benchmark::State& state) { fullScreen(state, kSurfaceColorKey, 255); }
void BM_AlphaBlit(benchmark::State& state) { fullScreen(state, kSurfaceAlpha, 255); }
void BM_AlphaSpriteSheetBlit(benchmark::State& state) { fullScreen(state, kSpriteAlpha, 255); }
void BM_AlphaBlitAtContextAlpha128(benchmark::State& state) { fullScreen(state, kSurfaceAlpha, 128); }
void BM_BlendedOpaqueBlit(benchmark::State& state) { fullScreen(state, kSurfaceOpaque, 128); }

// 32 x 32 regions of an alpha-plane sprite sheet, one transform per run, over the screen.
void BM_RegionBlit32(benchmark::State& state) {
    const auto transform = int32_t(state.range(0));
    const auto format = int32_t(state.range(1));
    auto target = source(kWidth, kHeight, kSurfaceOpaque);
    auto sheet = source(128, 128, format);
    const HALBlitTarget into{target.get(), 0, 0, kWidth, kHeight, 255};
    int32_t i = 0;
    for (auto _ : state) {
        HAL_blitSurface(into, (i * 37) % (kWidth - 32), (i * 53) % (kHeight - 32), 32, 32, *sheet, (i % 4) * 32,
                        (i / 4 % 4) * 32, transform);
        ++i;
    }
    benchmark::DoNotOptimize(target->pixels[0]);
    state.SetItemsProcessed(state.iterations());
}

void BM_OverlappingCopyArea(benchmark::State& state) {
    auto target = source(kWidth, kHeight, kSurfaceOpaque);
    const HALBlitTarget into{target.get(), 0, 0, kWidth, kHeight, 255};
    for (auto _ : state) {
        HAL_copySurfaceArea(into, 0, 0, kWidth - 8, kHeight - 8, 8, 8);
        benchmark::DoNotOptimize(target->pixels[0]);
    }
    state.SetItemsProcessed(state.iterations() * (kWidth - 8) * (kHeight - 8));
}

void BM_DecodeRgbaPng(benchmark::State& state) {
    png_writer::Picture picture;
    picture.width = kWidth;
    picture.height = kHeight;
    picture.colorType = png_writer::kRgba;
    for (uint32_t i = 0; i < uint32_t(kWidth * kHeight); ++i) {
        picture.samples.insert(picture.samples.end(), {uint16_t(i & 255), uint16_t(i >> 8 & 255), uint16_t(i * 7 & 255),
                                                       uint16_t(i % 3 ? 255 : i & 255)});
    }
    const png_writer::Bytes file = png_writer::encode(picture);
    for (auto _ : state) {
        int code = 0;
        HALPixelBuffer* image = HAL_decodeImage(file.data(), int32_t(file.size()), &code);
        if (image == nullptr)
            state.SkipWithError("decode failed");
        else
            image->release();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

}  // namespace

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_ColorKeyBlit);
BENCHMARK(BM_AlphaBlit);
BENCHMARK(BM_AlphaSpriteSheetBlit);
BENCHMARK(BM_AlphaBlitAtContextAlpha128);
BENCHMARK(BM_BlendedOpaqueBlit);
BENCHMARK(BM_RegionBlit32)
    ->ArgNames({"transform", "format"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 2, kSpriteAlpha}});
BENCHMARK(BM_OverlappingCopyArea);
BENCHMARK(BM_DecodeRgbaPng);
BENCHMARK_MAIN();
