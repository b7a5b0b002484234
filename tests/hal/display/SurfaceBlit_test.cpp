#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "hal/display/HALSurface.h"
#include "hal/display/Rgb565.h"
#include "hal/display/SurfaceBlit.h"

namespace {

using Surface = std::unique_ptr<HALSurface>;

// A pattern pixel that is never the colour key.
uint16_t patternAt(int32_t x, int32_t y, uint32_t seed) {
    const auto p = uint16_t((uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u ^ seed * 97u) >> 7);
    return p == rgb565::kColorKey ? 0 : p;
}

Surface patterned(int32_t width, int32_t height, int32_t format, uint32_t seed) {
    Surface surface(HALSurface::create(width, height, format));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            surface->row(y)[x] = patternAt(x, y, seed);
            if (surface->hasAlphaPlane()) surface->alphaRow(y)[x] = 255;
        }
    }
    return surface;
}

Surface filled(int32_t width, int32_t height, uint16_t pixel) {
    Surface surface(HALSurface::create(width, height, kSurfaceOpaque));
    std::fill_n(surface->pixels, width * height, pixel);
    return surface;
}

HALBlitTarget whole(HALSurface* surface, int32_t alpha = 255) {
    return {surface, 0, 0, surface->width, surface->height, alpha};
}

std::vector<uint16_t> pixelsOf(const HALSurface& surface) {
    std::vector<uint16_t> out;
    for (int32_t y = 0; y < surface.height; ++y) out.insert(out.end(), surface.row(y), surface.row(y) + surface.width);
    return out;
}

// Where each transform puts each pixel, clipped on each edge, is shown by the golden pictures
// (an asymmetric glyph under all eight transforms); these cases reach what they do not.

// A region reaching outside its source draws only the part inside, where the whole region
// would have put it: the same as a keyed source whose outside is the key.
TEST(SurfaceBlit, ARegionOutsideItsSourceDrawsOnlyThePartInside) {
    Surface inner = patterned(5, 4, kSurfaceOpaque, 3);
    Surface padded(HALSurface::create(15, 12, kSurfaceColorKey));
    std::fill_n(padded->pixels, 15 * 12, rgb565::kColorKey);
    for (int32_t y = 0; y < 4; ++y) std::copy_n(inner->row(y), 5, padded->row(4 + y) + 5);
    for (int32_t transform = 0; transform < 8; ++transform) {
        Surface expected = filled(20, 20, 0x2222), actual = filled(20, 20, 0x2222);
        HAL_blitSurface(whole(expected.get()), 6, 5, 9, 7, *padded, 2, 2, transform);
        HAL_blitSurface(whole(actual.get()), 6, 5, 9, 7, *inner, -3, -2, transform);
        EXPECT_EQ(pixelsOf(*actual), pixelsOf(*expected)) << "transform " << transform;
    }
    Surface target = filled(4, 4, 7);
    HAL_blitSurface(whole(target.get()), 0, 0, 4, 4, *inner, 5, 0, 0);
    HAL_blitSurface(whole(target.get()), 0, 0, 4, 4, *inner, -4, -4, 0);
    HAL_blitSurface(whole(target.get()), INT_MAX - 1, INT_MAX - 1, 4, 4, *inner, 0, 0, 5);
    HAL_blitSurface(whole(target.get()), INT_MIN, 0, INT_MAX, 4, *inner, INT_MIN, 0, 0);
    HAL_blitSurface({target.get(), 1, 1, 0, 3, 255}, 0, 0, 4, 4, *inner, 0, 0, 0);  // an empty clip
    EXPECT_EQ(pixelsOf(*target), std::vector<uint16_t>(16, 7)) << "nothing there, nothing drawn";
}

// One red source pixel of alpha s over blue at context alpha a, from a format-3 source.
uint16_t alphaPixel(uint8_t s, int32_t a) {
    Surface source(HALSurface::create(1, 1, kSurfaceAlpha));
    source->pixels[0] = 0xF800;
    source->alphaPlane()[0] = s;
    Surface target = filled(1, 1, 0x001F);
    HAL_blitSurface(whole(target.get(), a), 0, 0, 1, 1, *source, 0, 0, 0);
    return target->pixels[0];
}

// The combined level m = ((s + 1) * (a + 1)) >> 8 draws nothing below 8, copies from 248 and
// otherwise blends with the weight m >> 3.
TEST(SurfaceBlit, PixelAlphaThresholdsAndTheCombinedLevel) {
    const struct {
        uint8_t pixelAlpha;
        int32_t contextAlpha;
        uint32_t weight;  // 0 leaves the target, 32 copies
    } cases[] = {{7, 255, 0},    {8, 255, 1},   {247, 255, 31}, {248, 255, 32}, {0, 255, 0},   {255, 247, 32},
                 {255, 128, 16}, {29, 127, 1},  {8, 128, 0},    {255, 8, 1},    {255, 7, 0},   {255, -1, 32}};
    for (const auto& c : cases) {
        const uint16_t expected = c.weight == 0 ? 0x001F : c.weight == 32 ? 0xF800 : rgb565::blend(0x001F, 0xF800, c.weight);
        EXPECT_EQ(alphaPixel(c.pixelAlpha, c.contextAlpha), expected) << int(c.pixelAlpha) << " at " << c.contextAlpha;
    }
}

// A target's alpha plane composites source over: the source's level adds its share of the
// remaining transparency; its colour lands exactly on a transparent pixel and blends as on
// an opaque surface over an opaque one.
TEST(SurfaceBlit, TheTargetsAlphaPlaneCompositesSourceOver) {
    struct Case { uint8_t below, source, after; } cases[] = {
        {0, 128, 128}, {0, 255, 255}, {128, 128, 192}, {255, 128, 255}, {33, 7, 33}, {0, 0, 0}};
    for (const Case& c : cases) {
        Surface target(HALSurface::create(1, 1, kSurfaceAlpha));
        Surface source = patterned(1, 1, kSurfaceAlpha, 4);
        target->pixels[0] = 0x1234;
        target->alphaPlane()[0] = c.below;
        source->alphaPlane()[0] = c.source;
        HAL_blitSurface(whole(target.get()), 0, 0, 1, 1, *source, 0, 0, 0);
        EXPECT_EQ(target->alphaPlane()[0], c.after) << int(c.below) << " " << int(c.source);
        const uint16_t colour = c.source < 8 ? 0x1234
                                : c.below == 0 || c.source == 255 ? source->pixels[0]
                                : c.below == 255 ? rgb565::blend(0x1234, source->pixels[0], (c.source + 1) >> 3)
                                                 : target->pixels[0];
        EXPECT_EQ(target->pixels[0], colour) << int(c.below) << " " << int(c.source);
    }
}

TEST(SurfaceCopyArea, OverlappingCopiesActAsIfThroughATemporary) {
    for (int32_t alpha : {255, 128}) {
        for (int32_t dy = -2; dy <= 2; dy += 2) {
            for (int32_t dx = -3; dx <= 3; dx += 3) {
                Surface surface = patterned(16, 12, kSurfaceOpaque, 5);
                const std::vector<uint16_t> before = pixelsOf(*surface);
                std::vector<uint16_t> expected = before;
                for (int32_t y = 0; y < 6; ++y) {
                    for (int32_t x = 0; x < 9; ++x) {
                        const uint16_t s = before[size_t(3 + y) * 16 + 4 + x];
                        uint16_t& d = expected[size_t(3 + y + dy) * 16 + 4 + x + dx];
                        d = alpha == 255 ? s : rgb565::blend(d, s, 16);
                    }
                }
                EXPECT_EQ(HAL_copySurfaceArea(whole(surface.get(), alpha), 4, 3, 9, 6, 4 + dx, 3 + dy), 0);
                EXPECT_EQ(pixelsOf(*surface), expected) << "shift " << dx << "," << dy << " alpha " << alpha;
            }
        }
    }
}

TEST(SurfaceCopyArea, TransformedBlitsOntoItselfReadTheOriginalPixels) {
    for (int32_t transform = 1; transform < 8; ++transform) {
        Surface surface = patterned(10, 10, kSurfaceAlpha, 6);
        for (int32_t i = 0; i < 100; ++i) surface->alphaPlane()[i] = uint8_t(i * 37);
        Surface copy = patterned(10, 10, kSurfaceAlpha, 6);
        std::copy_n(surface->alphaPlane(), 100, copy->alphaPlane());
        Surface expected = patterned(10, 10, kSurfaceAlpha, 6);
        std::copy_n(surface->alphaPlane(), 100, expected->alphaPlane());
        HAL_blitSurface(whole(expected.get()), 3, 2, 6, 5, *copy, 1, 1, transform);
        HAL_blitSurface(whole(surface.get()), 3, 2, 6, 5, *surface, 1, 1, transform);
        EXPECT_EQ(pixelsOf(*surface), pixelsOf(*expected)) << "transform " << transform;
    }
}

TEST(SurfaceBlitRGB, RefusesMissingValuesAndEmptySizes) {
    const int32_t values[4] = {};
    Surface target = filled(2, 2, 0x0000);
    EXPECT_EQ(HAL_blitRGB(whole(target.get()), nullptr, 2, 0, 0, 2, 2, true), 2);
    EXPECT_EQ(HAL_blitRGB(whole(target.get()), values, 2, 0, 0, 0, 2, true), 2);
    EXPECT_EQ(HAL_copySurfaceArea({nullptr, 0, 0, 1, 1, 255}, 0, 0, 1, 1, 0, 0), 2);
}

}  // namespace
