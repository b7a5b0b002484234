#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "hal/base/Memory.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Rgb565.h"

namespace {

// The packed blend equals d + floor((s - d) * k / 32) in every channel, for every weight.
TEST(Rgb565, BlendMatchesThePerChannelRule) {
    auto channel = [](int d, int s, int k) { return d + int(std::floor((s - d) * k / 32.0)); };
    uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245 + 12345;
        const auto d = uint16_t(seed >> 8), s = uint16_t(seed >> 15 ^ seed << 3);
        const uint32_t k = 1 + (seed >> 27);
        const uint16_t r = rgb565::blend(d, s, k);
        ASSERT_EQ(r >> 11, channel(d >> 11, s >> 11, int(k))) << d << " " << s << " " << k;
        ASSERT_EQ((r >> 5) & 0x3F, channel((d >> 5) & 0x3F, (s >> 5) & 0x3F, int(k)));
        ASSERT_EQ(r & 0x1F, channel(d & 0x1F, s & 0x1F, int(k)));
    }
    EXPECT_EQ(rgb565::blend(0x0000, 0xFFFF, 32), 0xFFFF) << "weight 32 is the source";
    EXPECT_EQ(rgb565::blend(0xFFFF, 0x0000, 16), 0x7BEF);
}

TEST(HALSurface, SidesRunFromOneTo32767) {
    EXPECT_EQ(HALSurface::create(0, 5, kSurfaceOpaque), nullptr);
    EXPECT_EQ(HALSurface::create(5, -1, kSurfaceOpaque), nullptr);
    EXPECT_EQ(HALSurface::create(32768, 1, kSurfaceOpaque), nullptr);
    EXPECT_EQ(HALSurface::create(4, 4, 0), nullptr);
    EXPECT_EQ(HALSurface::create(4, 4, 4), nullptr);
    std::unique_ptr<HALSurface> longest(HALSurface::create(32767, 1, kSurfaceColorKey));
    ASSERT_NE(longest, nullptr);
    EXPECT_EQ(longest->stride, 32767);
    EXPECT_TRUE(longest->ownsPixels);
    EXPECT_EQ(HALSurface::blockBytes(32767, 32767, kSurfaceAlpha), 32767ull * 32767 * 3) << "no 32-bit wrap";
}

TEST(HALSurface, TheAlphaPlaneSharesTheCountedBlock) {
    const uint64_t before = HAL_getPixelBytes();
    std::unique_ptr<HALSurface> surface(HAL_createAlphaSurface(5, 3));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(HAL_getPixelBytes(), before + 5 * 3 * 3 + kCountedBlockHeader);
    surface.reset();
    EXPECT_EQ(HAL_getPixelBytes(), before);
    std::unique_ptr<HALSurface> opaque(HAL_createOpaqueSurface(5, 3));
    EXPECT_EQ(opaque->alphaPlane(), nullptr);
    EXPECT_EQ(HAL_getPixelBytes(), before + 5 * 3 * 2 + kCountedBlockHeader);
}

TEST(HALSurface, ResizeReallocatesOwnedPixelsOnlyAndKeepsThemOnFailure) {
    std::unique_ptr<HALSurface> owned(HAL_createOpaqueSurface(4, 4));
    const uint64_t before = HAL_getPixelBytes();
    EXPECT_TRUE(owned->resize(10, 2));
    EXPECT_TRUE(owned->width == 10 && owned->stride == 10);
    EXPECT_EQ(HAL_getPixelBytes(), before + 4 * 2);
    uint16_t* pixels = owned->pixels;
    EXPECT_TRUE(owned->resize(10, 2));
    EXPECT_EQ(owned->pixels, pixels) << "the same size keeps the pixels";
    EXPECT_FALSE(owned->resize(0, 2));
    EXPECT_FALSE(owned->resize(32768, 2));
    EXPECT_TRUE(owned->pixels == pixels && owned->width == 10) << "kept on failure";

    uint16_t external[6] = {1, 2, 3, 4, 5, 6};
    HALSurface wrapped(external, 2, 2, 3, kSurfaceOpaque);
    EXPECT_TRUE(wrapped.resize(8, 8));
    EXPECT_TRUE(wrapped.pixels == external && wrapped.width == 2) << "pixels it does not own stay";
    EXPECT_EQ(wrapped.row(1)[0], 4) << "rows are stride pixels apart";
}

TEST(HALSurface, NothingBeyondTheMemoryBudgetIsAllocated) {
    setenv("OSTREL_MEMORY_BUDGET", "100000", 1);
    EXPECT_EQ(HALSurface::create(300, 300, kSurfaceOpaque), nullptr) << "180000 bytes";
    std::unique_ptr<HALSurface> fits(HALSurface::create(200, 200, kSurfaceOpaque));
    ASSERT_NE(fits, nullptr) << "80000 bytes";
    EXPECT_EQ(HALSurface::create(100, 100, kSurfaceOpaque), nullptr) << "beside the first, over the budget";
    EXPECT_FALSE(fits->resize(240, 240));
    EXPECT_EQ(fits->width, 200);
    EXPECT_TRUE(fits->resize(210, 210)) << "only the growth counts";
}

TEST(HALPixelBuffer, LastReferenceDestroysTheSurface) {
    const uint64_t before = HAL_getPixelBytes();
    HALPixelBuffer* buffer = HALPixelBuffer::wrap(HAL_createOpaqueSurface(3, 7));
    ASSERT_NE(buffer, nullptr);
    EXPECT_TRUE(buffer->width == 3 && buffer->height == 7);
    buffer->addReference();  // a graphics context
    buffer->release();       // the image goes
    EXPECT_EQ(buffer->references(), 1);
    EXPECT_GT(HAL_getPixelBytes(), before) << "the context keeps the pixels";
    buffer->release();
    EXPECT_EQ(HAL_getPixelBytes(), before);
    EXPECT_EQ(HALPixelBuffer::wrap(nullptr), nullptr);
}

}  // namespace
