// Text drawn into RGB565 surfaces: ink stays in the measured cell and reaches its ends, text
// cut at the surface's edge stays in place, the alpha rule per pixel, line ends drawn
// literally, and calls that draw nothing.

#include <gtest/gtest.h>

#include <string>

#include "hal/display/FontCache.h"
#include "hal/display/HALFont.h"
#include "hal/display/TextRenderer.h"
#include "tests/hal/display/fonts/TestSurface.h"

namespace {

constexpr uint16_t kBackground = 0x2965;
constexpr uint32_t kInk = 0xFFF0E040;

void draw(TestSurface& canvas, HALFont* font, const std::u16string& text, int32_t x, int32_t y, uint32_t argb,
          const HALTextClip& clip) {
    HAL_drawText(&canvas.surface, font, text.data(), int32_t(text.size()), x, y, argb, clip);
}

int32_t width(HALFont* font, const std::u16string& text) { return HAL_getStringWidth(font, text.data(), int32_t(text.size())); }

// One channel of d blended towards s with weight k of 32.
uint32_t blendChannel(uint32_t d, uint32_t s, uint32_t k) { return uint32_t(int32_t(d) + ((int32_t(s) - int32_t(d)) * int32_t(k) >> 5)); }

uint16_t blendPixel(uint16_t d, uint16_t s, uint32_t k) {
    return uint16_t(blendChannel(d >> 11, s >> 11, k) << 11 | blendChannel((d >> 5) & 63, (s >> 5) & 63, k) << 5 |
                    blendChannel(d & 31, s & 31, k));
}

// The pixel expected where a glyph's coverage is s, from the alpha rule.
uint16_t expectedPixel(uint16_t background, uint16_t colour, uint32_t s, uint32_t alpha) {
    if (alpha < 8) return background;
    const uint32_t m = alpha >= 248 ? s : ((s + 1) * (alpha + 1)) >> 8;
    if (m < 8) return background;
    if (m >= 248) return colour;
    return blendPixel(background, colour, alpha >= 248 ? (m + 1) >> 3 : m >> 3);
}

TEST(TextRenderer, InkStaysInTheMeasuredCellAndReachesItsEnds) {
    const std::u16string texts[] = {u"HIM", u"Wjgy&|Q", u"fff", u"\u00C5ngstr\u00F6m"};
    for (int32_t size : {8, 0, 16})
        for (int32_t style = 0; style < 8; ++style)
            for (const std::u16string& text : texts) {
                HALFont* font = HAL_createNativeFont(0, style, size);
                TestSurface canvas(200, 40, kBackground);
                draw(canvas, font, text, 20, 10, kInk, canvas.whole());
                const HALTextClip cell{20, 10, width(font, text), HAL_getFontHeight(font)};
                const HALTextClip ink = canvas.changed(kBackground);
                ASSERT_GT(ink.width, 0);
                EXPECT_GE(ink.x, cell.x);
                EXPECT_GE(ink.y, cell.y);
                EXPECT_LE(ink.x + ink.width, cell.x + cell.width) << "size " << size << " style " << style;
                EXPECT_LE(ink.y + ink.height, cell.y + cell.height) << "size " << size << " style " << style;
                if (text == u"HIM") {
                    EXPECT_LE(ink.x, cell.x + 2) << "style " << style;
                    EXPECT_GE(ink.x + ink.width, cell.x + cell.width - 2) << "style " << style;
                }
            }
}

TEST(TextRenderer, TextWiderThanTheSurfaceIsCutAtItsEdgeInPlace) {
    HALFont* font = HAL_createNativeFont(0, 0, 0);
    const std::u16string text = u"A line longer than the narrow surface";
    TestSurface wide(400, 20, kBackground);
    draw(wide, font, text, 0, 2, kInk, wide.whole());
    for (int32_t x : {0, -30}) {
        TestSurface narrow(40, 20, kBackground);
        draw(narrow, font, text, x, 2, kInk, {-100, -100, 1000, 1000});
        for (int32_t y = 0; y < 20; ++y)
            for (int32_t column = 0; column < 40; ++column)
                ASSERT_EQ(narrow.at(column, y), wide.at(column - x, y)) << "x " << x << " at " << column << "," << y;
    }
}

TEST(TextRenderer, EachPixelFollowsTheColourAndAlphaRule) {
    HALFont* font = HAL_createNativeFont(0, 1, 16);
    const HALGlyph& glyph = font->glyphFor(u'a');
    const uint16_t colour = 0xF1E8;  // 0xF03C40 in RGB565
    for (uint32_t alpha : {255u, 248u, 247u, 128u, 8u, 7u, 0u}) {
        TestSurface canvas(40, 30, kBackground);
        draw(canvas, font, u"a", 10, 5, alpha << 24 | 0xF03C40, canvas.whole());
        const int32_t left = 10 + glyph.left, top = 5 + font->baseline - glyph.top;
        for (int32_t y = 0; y < glyph.rows; ++y)
            for (int32_t x = 0; x < glyph.width; ++x) {
                const uint32_t s = glyph.coverage[size_t(y * glyph.width + x)];
                ASSERT_EQ(canvas.at(left + x, top + y), expectedPixel(kBackground, colour, s, alpha))
                    << "alpha " << alpha << " coverage " << s;
            }
    }
    TestSurface black(40, 30, 0x0000);
    draw(black, font, u"I", 10, 5, 0x80FFFFFF, black.whole());
    bool half = false;
    for (uint16_t pixel : black.pixels) half = half || pixel == 0x7BEF;
    EXPECT_TRUE(half) << "white at alpha 128 over black: weight 16 where coverage is full";
}

TEST(TextRenderer, LineEndsAreDrawnLiterallyOnOneLine) {
    HALFont* font = HAL_createNativeFont(0, 0, 0);
    TestSurface lines(100, 40, kBackground);
    draw(lines, font, u"a\nb\r\nc", 5, 5, kInk, lines.whole());
    const HALTextClip ink = lines.changed(kBackground);
    EXPECT_GE(ink.y, 5);
    EXPECT_LE(ink.y + ink.height, 5 + HAL_getFontHeight(font)) << "one line";
}

TEST(TextRenderer, NothingIsDrawnForMissingArgumentsAlphaBelowEightOrTextOffTheSurface) {
    HALFont* font = HAL_createNativeFont(0, 0, 0);
    TestSurface canvas(100, 30, kBackground);
    HAL_drawText(nullptr, font, u"x", 1, 5, 5, kInk, canvas.whole());
    HAL_drawText(&canvas.surface, nullptr, u"x", 1, 5, 5, kInk, canvas.whole());
    HAL_drawText(&canvas.surface, font, nullptr, 1, 5, 5, kInk, canvas.whole());
    HAL_drawText(&canvas.surface, font, u"x", 0, 5, 5, kInk, canvas.whole());
    HAL_drawText(&canvas.surface, font, u"x", -3, 5, 5, kInk, canvas.whole());
    HAL_drawText(&canvas.surface, font, u"x", 1, 5, 5, 0x07FFFFFF, canvas.whole());
    draw(canvas, font, u"Hidden", -200, 15, kInk, canvas.whole());  // wholly off the surface
    draw(canvas, font, u"Hidden", 20, 30, kInk, {-1000, -1000, 3000, 3000});
    draw(canvas, font, u"Hidden", INT32_MAX - 10, INT32_MIN, kInk, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_EQ(canvas.changed(kBackground).width, 0);
}

}  // namespace
