#include "hal/display/TextRenderer.h"

#include <algorithm>
#include <array>

#include "hal/display/HALFont.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Rgb565.h"

namespace {

// A half-open pixel box in 64 bits, so that no sum of 32-bit coordinates overflows.
struct Box {
    int64_t left, top, right, bottom;

    bool empty() const { return left >= right || top >= bottom; }
    Box intersect(const Box& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
};

struct Paint {
    HALSurface* surface;
    Box visible;  // clip ∩ surface ∩ the text's cell
    uint16_t colour;
    std::array<uint8_t, 256> weight;  // blend weight out of 32 per coverage: 0 skips, 32 copies
    std::array<uint8_t, 256> level;   // the alpha level each coverage draws with
};

uint16_t toRgb565(uint32_t argb) {
    return uint16_t(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb & 0xFF) >> 3));
}

// The source s over the destination d with weight k of 32, the three channels at once:
// green is moved to the upper half so that every channel has room for its product.
uint16_t blend(uint16_t d, uint16_t s, uint32_t k) {
    const uint32_t spreadD = (d & 0xF81Fu) | (uint32_t(d & 0x07E0u) << 16);
    const uint32_t spreadS = (s & 0xF81Fu) | (uint32_t(s & 0x07E0u) << 16);
    const uint32_t r = spreadD + (((spreadS - spreadD) * k) >> 5);
    return uint16_t(r ^ ((r ^ (r >> 16)) & 0x07E0u));
}

// The alpha level of each coverage s under the text's alpha.
std::array<uint8_t, 256> levelsFor(uint32_t alpha) {
    std::array<uint8_t, 256> level{};
    for (uint32_t s = 0; s < 256; ++s)
        level[s] = uint8_t(alpha >= 248 ? s : (((s + 1) * ((alpha + 1) & 255)) >> 8) & 255);
    return level;
}

std::array<uint8_t, 256> weightsFor(uint32_t alpha, const std::array<uint8_t, 256>& level) {
    std::array<uint8_t, 256> weight{};
    for (uint32_t s = 0; s < 256; ++s) {
        const uint32_t m = level[s];
        weight[s] = uint8_t(m < 8 ? 0 : m >= 248 ? 32 : alpha >= 248 ? (m + 1) >> 3 : m >> 3);
    }
    return weight;
}

// One coverage value drawn at *pixel; alpha is the pixel's alpha-plane byte or null.
inline void put(const Paint& paint, uint16_t* pixel, uint8_t* alpha, uint8_t coverage) {
    const uint8_t weight = paint.weight[coverage];
    if (weight == 0) return;
    if (alpha != nullptr) rgb565::over(*pixel, *alpha, paint.colour, paint.level[coverage], weight);
    else if (weight >= 32) *pixel = paint.colour;
    else *pixel = blend(*pixel, paint.colour, weight);
}

uint8_t* alphaAt(const Paint& paint, int64_t x, int64_t y) {
    return paint.surface->hasAlphaPlane() ? paint.surface->alphaRow(int32_t(y)) + x : nullptr;
}

// The glyph's bitmap with its top-left pixel at (left, top), within the visible box.
void paintGlyph(const Paint& paint, const HALGlyph& glyph, int64_t left, int64_t top) {
    const Box shown = paint.visible.intersect({left, top, left + glyph.width, top + glyph.rows});
    if (shown.empty()) return;
    for (int64_t y = shown.top; y < shown.bottom; ++y) {
        const uint8_t* coverage = glyph.coverage.data() + (y - top) * glyph.width + (shown.left - left);
        uint16_t* row = paint.surface->row(int32_t(y));
        uint8_t* alphas = alphaAt(paint, 0, y);
        for (int64_t x = shown.left; x < shown.right; ++x) put(paint, row + x, alphas ? alphas + x : nullptr, *coverage++);
    }
}

void paintBar(const Paint& paint, const Box& bar) {
    const Box shown = paint.visible.intersect(bar);
    if (shown.empty()) return;
    for (int64_t y = shown.top; y < shown.bottom; ++y) {
        uint16_t* row = paint.surface->row(int32_t(y));
        uint8_t* alphas = alphaAt(paint, 0, y);
        for (int64_t x = shown.left; x < shown.right; ++x) put(paint, row + x, alphas ? alphas + x : nullptr, 255);
    }
}

bool drawable(const HALSurface* surface, const HALFont* font, const char16_t* chars, int32_t length, uint32_t argb) {
    return surface != nullptr && surface->pixels != nullptr && surface->stride >= surface->width && font != nullptr &&
           chars != nullptr && length > 0 && (argb >> 24) >= 8;
}

}  // namespace

void HAL_drawText(HALSurface* surface, HALFont* font, const char16_t* chars, int32_t length, int32_t x, int32_t y,
                  uint32_t argb, const HALTextClip& clip) {
    if (!drawable(surface, font, chars, length, argb)) return;
    const int64_t width = font->textWidth(chars, length);
    const Box cell{x, y, x + width, int64_t(y) + font->height};
    const Box clipBox{clip.x, clip.y, int64_t(clip.x) + std::max(clip.width, 0), int64_t(clip.y) + std::max(clip.height, 0)};
    const std::array<uint8_t, 256> levels = levelsFor(argb >> 24);
    Paint paint{surface, cell.intersect(clipBox).intersect({0, 0, surface->width, surface->height}), toRgb565(argb),
                weightsFor(argb >> 24, levels), levels};
    if (paint.visible.empty()) return;
    const int64_t baseline = int64_t(y) + font->baseline;
    font->forEachCharacter(chars, length, [&](const HALGlyph& glyph, int64_t pen) {
        const int64_t left = x + pen + glyph.left;
        if (left < paint.visible.right) paintGlyph(paint, glyph, left, baseline - glyph.top);
    });
    if (font->underline) paintBar(paint, {x, baseline + font->underlineOffset, x + width, baseline + font->underlineOffset + font->underlineRows});
}
