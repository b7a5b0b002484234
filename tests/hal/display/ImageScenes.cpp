#include "tests/hal/display/ImageScenes.h"

#include <algorithm>
#include <memory>

#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/ImageDecoding.h"
#include "hal/display/ImagePixels.h"
#include "hal/display/SurfaceBlit.h"
#include "tests/support/PngWriter.h"

namespace {

constexpr int32_t kSpriteWidth = 24;
constexpr int32_t kSpriteHeight = 16;

enum SpriteKind { kOpaqueSprite, kKeyedSprite, kTranslucentSprite, kMagentaStripeSprite };

struct ImageDeleter {
    void operator()(HALPixelBuffer* image) const { image->release(); }
};
using Image = std::unique_ptr<HALPixelBuffer, ImageDeleter>;

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

// An "F" in the top-left corner (asymmetric under every transform) on a warm gradient, with a
// blue dot at the bottom-right; the kinds differ in their transparency.
uint32_t spritePixel(SpriteKind kind, int32_t x, int32_t y) {
    const bool glyph = (x >= 3 && x <= 4 && y >= 2 && y <= 12) || (y >= 2 && y <= 3 && x >= 3 && x <= 11) ||
                       (y >= 6 && y <= 7 && x >= 3 && x <= 8);
    const bool dot = x >= 19 && x <= 21 && y >= 11 && y <= 13;
    uint32_t alpha = 255;
    if (kind == kKeyedSprite && (x + y < 4 || (kSpriteWidth - 1 - x) + y < 4)) alpha = 0;
    if (kind == kTranslucentSprite && !glyph) alpha = uint32_t(x * 255 / (kSpriteWidth - 1));
    if (glyph) return argb(255, 20, 30, 120);
    if (dot) return argb(alpha, 0, 90, 255);
    if (kind == kMagentaStripeSprite && y == 9) return argb(255, 255, 0, 255);
    return argb(alpha, 200 + uint32_t(x) * 2, 60 + uint32_t(x) * 7, uint32_t(y) * 8);
}

Image sprite(SpriteKind kind) {
    std::vector<int32_t> values;
    for (int32_t y = 0; y < kSpriteHeight; ++y) {
        for (int32_t x = 0; x < kSpriteWidth; ++x) values.push_back(int32_t(spritePixel(kind, x, y)));
    }
    int code = 0;
    return Image(HAL_createPixelsFromRGB(values.data(), kSpriteWidth, kSpriteHeight, kSpriteWidth, true, &code));
}

// Light and white 4 x 4 squares, so that transparency shows.
void checker(HALSurface& canvas) {
    for (int32_t y = 0; y < canvas.height; ++y) {
        for (int32_t x = 0; x < canvas.width; ++x) canvas.row(y)[x] = ((x >> 2) + (y >> 2)) & 1 ? 0xC618 : 0xFFFF;
    }
}

HALBlitTarget whole(HALSurface& canvas, int32_t alpha = 255) {
    return {&canvas, 0, 0, canvas.width, canvas.height, alpha};
}

void blitSprite(const HALBlitTarget& target, const HALPixelBuffer& image, int32_t x, int32_t y, int32_t flags) {
    HAL_blitSurface(target, x, y, kSpriteWidth, kSpriteHeight, *image.surface, 0, 0, flags);
}

// Cells of 32 x 32, four a row: the keyed sprite with each transform, centred.
void drawTransforms(HALSurface& canvas) {
    checker(canvas);
    const Image image = sprite(kKeyedSprite);
    for (int32_t t = 0; t < 8; ++t) {
        const bool swap = t & kBlitSwapAxes;
        const int32_t w = swap ? kSpriteHeight : kSpriteWidth, h = swap ? kSpriteWidth : kSpriteHeight;
        blitSprite(whole(canvas), *image, (t % 4) * 32 + (32 - w) / 2, (t / 4) * 32 + (32 - h) / 2, t);
    }
}

// Rows: opaque, colour-keyed and alpha-plane sprites; columns: context alpha 255, 248, 247,
// 128, 8 and 7.
void drawFormatsAndAlpha(HALSurface& canvas) {
    checker(canvas);
    const SpriteKind kinds[] = {kOpaqueSprite, kKeyedSprite, kTranslucentSprite};
    const int32_t alphas[] = {255, 248, 247, 128, 8, 7};
    for (int32_t row = 0; row < 3; ++row) {
        const Image image = sprite(kinds[row]);
        for (int32_t column = 0; column < 6; ++column) {
            blitSprite(whole(canvas, alphas[column]), *image, column * 32 + 4, row * 24 + 4, 0);
        }
    }
}

// Rows: transforms 0 to 7; columns: the 16 x 12 region at (4, 2) of the opaque sprite, clipped
// 5 pixels in from its left, top, right and bottom edge.
void drawClippedRegions(HALSurface& canvas) {
    checker(canvas);
    const Image image = sprite(kOpaqueSprite);
    for (int32_t t = 0; t < 8; ++t) {
        const bool swap = t & kBlitSwapAxes;
        const int32_t w = swap ? 12 : 16, h = swap ? 16 : 12;
        for (int32_t edge = 0; edge < 4; ++edge) {
            const int32_t x = edge * 32 + 8, y = t * 32 + 8;
            HALBlitTarget clip{&canvas, x, y, w, h, 255};
            if (edge == 0) clip.clipX += 5;
            if (edge == 1) clip.clipY += 5;
            if (edge == 0 || edge == 2) clip.clipWidth -= 5;
            if (edge == 1 || edge == 3) clip.clipHeight -= 5;
            HAL_blitSurface(clip, x, y, 16, 12, *image->surface, 4, 2, t);
        }
    }
}

// Rows: an opaque sprite with a magenta (key colour) stripe, the keyed sprite, the alpha
// sprite; columns: format override none, opaque, colour key, alpha plane.
void drawFormatOverrides(HALSurface& canvas) {
    checker(canvas);
    const SpriteKind kinds[] = {kMagentaStripeSprite, kKeyedSprite, kTranslucentSprite};
    for (int32_t row = 0; row < 3; ++row) {
        const Image image = sprite(kinds[row]);
        for (int32_t format = 0; format < 4; ++format) {
            blitSprite(whole(canvas), *image, format * 32 + 4, row * 24 + 4, format << kBlitFormatShift);
        }
    }
}

// A 32 x 24 block of ARGB values (hue across, alpha fading downwards) drawn without and with
// processAlpha, upside down through a negative scanlength, and with processAlpha at context
// alpha 128.
void drawRgbData(HALSurface& canvas) {
    checker(canvas);
    std::vector<int32_t> values;
    for (uint32_t y = 0; y < 24; ++y) {
        for (uint32_t x = 0; x < 32; ++x) {
            values.push_back(int32_t(argb(255 - y * 11, x < 16 ? 255 - x * 16 : 0,
                                          x < 16 ? x * 16 : 255 - (x - 16) * 16, x < 16 ? 0 : (x - 16) * 16)));
        }
    }
    HAL_blitRGB(whole(canvas), values.data(), 32, 4, 4, 32, 24, false);
    HAL_blitRGB(whole(canvas), values.data(), 32, 44, 4, 32, 24, true);
    HAL_blitRGB(whole(canvas), values.data() + 23 * 32, -32, 84, 4, 32, 24, true);
    HAL_blitRGB(whole(canvas, 128), values.data(), 32, 124, 4, 32, 24, true);
}

// Four 48 x 48 cells of sprites, each with its middle 32 x 32 copied 6 right and 4 down, 6
// left and 4 up, 6 right and 4 up, 6 left and 4 down (overlapping its source).
void drawCopyArea(HALSurface& canvas) {
    checker(canvas);
    const Image image = sprite(kOpaqueSprite);
    const int32_t shifts[4][2] = {{6, 4}, {-6, -4}, {6, -4}, {-6, 4}};
    for (int32_t cell = 0; cell < 4; ++cell) {
        const int32_t x = cell * 48;
        for (int32_t row = 0; row < 3; ++row)
            blitSprite(whole(canvas), *image, x, row * kSpriteHeight, row == 1 ? 2 : 0);
        const HALBlitTarget inside{&canvas, x, 0, 48, 48, 255};
        HAL_copySurfaceArea(inside, x + 8, 8, 32, 32, x + 8 + shifts[cell][0], 8 + shifts[cell][1]);
    }
}

png_writer::Picture pngPicture(uint8_t bitDepth, uint8_t colorType, bool interlaced) {
    png_writer::Picture picture;
    picture.width = 24;
    picture.height = 24;
    picture.bitDepth = bitDepth;
    picture.colorType = colorType;
    picture.interlaced = interlaced;
    const uint16_t top = uint16_t((1u << bitDepth) - 1);
    for (uint32_t y = 0; y < 24; ++y) {
        for (uint32_t x = 0; x < 24; ++x) {
            const int32_t dx = int32_t(x) - 12, dy = int32_t(y) - 12;
            const bool ring = dx * dx + dy * dy < 100;
            const auto level = [&](uint32_t v, uint32_t of) { return uint16_t(v * top / of); };
            switch (colorType) {
            case png_writer::kPalette: picture.samples.push_back(uint16_t(ring ? (x / 6) % 3 + 1 : 0)); break;
            case png_writer::kGrey: picture.samples.push_back(level(x + y, 46)); break;
            case png_writer::kGreyAlpha:
                picture.samples.insert(picture.samples.end(), {level(y, 23), level(ring ? 23 : x, 23)});
                break;
            case png_writer::kRgb:
                if (!ring && x % 8 < 3)
                    picture.samples.insert(picture.samples.end(), {0, 0, 0});  // the tRNS colour
                else
                    picture.samples.insert(picture.samples.end(),
                                           {level(x, 23), level(y, 23), ring ? top : uint16_t(0)});
                break;
            default:
                picture.samples.insert(picture.samples.end(),
                                       {level(x, 23), uint16_t(0), level(y, 23), ring ? top : level(x, 46)});
            }
        }
    }
    if (colorType == png_writer::kPalette) {
        picture.palette = {0, 0, 0, 230, 40, 40, 40, 200, 40, 40, 40, 230};
        picture.transparency = {0, 255, 128};
    }
    if (colorType == png_writer::kRgb) picture.transparency = {0, 0, 0, 0, 0, 0};  // black is transparent
    return picture;
}

// Decoded PNGs on the checker: palette with tRNS, grey 16-bit, grey with alpha, RGB with tRNS,
// RGBA, interlaced RGBA.
void drawDecodedPngs(HALSurface& canvas) {
    checker(canvas);
    const png_writer::Picture pictures[] = {
        pngPicture(2, png_writer::kPalette, false),   pngPicture(16, png_writer::kGrey, false),
        pngPicture(8, png_writer::kGreyAlpha, false), pngPicture(8, png_writer::kRgb, false),
        pngPicture(8, png_writer::kRgba, false),      pngPicture(8, png_writer::kRgba, true)};
    for (int32_t i = 0; i < 6; ++i) {
        const png_writer::Bytes file = png_writer::encode(pictures[i]);
        int code = 0;
        const Image image(HAL_decodeImage(file.data(), int32_t(file.size()), &code));
        if (image) HAL_blitSurface(whole(canvas), i * 32 + 4, 4, 24, 24, *image->surface, 0, 0, 0);
    }
}

}  // namespace

const std::vector<ImageScene>& imageScenes() {
    static const std::vector<ImageScene> scenes = {
        {"region_transforms", 128, 64, drawTransforms},
        {"formats_and_alpha", 192, 72, drawFormatsAndAlpha},
        {"clipped_regions", 128, 256, drawClippedRegions},
        {"format_overrides", 128, 72, drawFormatOverrides},
        {"rgb_data", 160, 32, drawRgbData},
        {"copy_area", 192, 48, drawCopyArea},
        {"decoded_png", 192, 32, drawDecodedPngs},
    };
    return scenes;
}
