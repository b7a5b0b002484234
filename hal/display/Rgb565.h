#pragma once

// RGB565 pixel arithmetic shared by surfaces, images and drawing.
//
// - ARGB to RGB565 keeps the top 5, 6 and 5 bits of red, green and blue; alpha is ignored.
// - RGB565 to ARGB shifts the channels back with their low bits 0 (no replication), so
//   0xFFFF reads as 0xF8FCF8.
// - Alpha has 33 levels: below 8 draws nothing, 248 or more is opaque, anything between
//   blends with weight (alpha + 1) >> 3 of 32.
// - On a surface with an alpha plane a draw composites source over: an opaque draw makes
//   the pixel opaque, a blended draw of level s adds its share, s + a * (255 - s) / 255,
//   and its colour weighs by its part of that result (over a fully transparent pixel the
//   source colour itself, over an opaque one exactly the plain blend).
// - The blend works on the spread form of a pixel (green moved to bits 21-26, red and blue
//   left in place) with one multiply, and equals d + floor((s - d) * weight / 32) in each
//   channel.

#include <cstdint>

namespace rgb565 {

constexpr uint16_t kColorKey = 0xF81F;
constexpr int32_t kAlphaVisibleFrom = 8;
constexpr int32_t kAlphaOpaqueFrom = 248;

constexpr uint16_t fromArgb(uint32_t argb) {
    return uint16_t((((argb >> 19) & 0x1F) << 11) | (((argb >> 10) & 0x3F) << 5) | ((argb >> 3) & 0x1F));
}

constexpr uint32_t toArgb(uint16_t pixel, uint32_t alpha) {
    return (alpha << 24) | (uint32_t(pixel >> 11) << 19) | (uint32_t((pixel >> 5) & 0x3F) << 10) |
           (uint32_t(pixel & 0x1F) << 3);
}

// Blend weight (of 32) of an alpha between 8 and 247.
constexpr uint32_t weightOf(int32_t alpha) { return uint32_t(alpha + 1) >> 3; }

constexpr uint32_t spread(uint16_t pixel) { return (pixel & 0xF81Fu) | (uint32_t(pixel & 0x07E0u) << 16); }

// The source s over the destination d with weight (1 to 32) of 32.
constexpr uint16_t blend(uint16_t d, uint16_t s, uint32_t weight) {
    const uint32_t ds = spread(d);
    const uint32_t r = ds + (((spread(s) - ds) * weight) >> 5);
    return uint16_t(r ^ ((r ^ (r >> 16)) & 0x07E0u));
}

// A draw of alpha level (8 to 255) with the plain blend weight (of 32) it takes over an
// opaque pixel, onto the pixel d whose alpha is a.
constexpr void over(uint16_t& d, uint8_t& a, uint16_t s, uint32_t level, uint32_t weight) {
    if (level >= uint32_t(kAlphaOpaqueFrom) || weight >= 32) {
        d = s;
        a = 255;
        return;
    }
    const uint32_t below = a;
    const uint32_t result = level + (below * (255 - level) + 127) / 255;
    const uint32_t share = below == 255 ? weight : (level * 32 + result / 2) / result;
    d = blend(d, s, share > 32 ? 32 : share);
    a = uint8_t(result);
}

}  // namespace rgb565
