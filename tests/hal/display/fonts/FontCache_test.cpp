// The font cache: one font per face, style and size, metrics per size and style, literal measuring, and clean failure when the font files are missing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "hal/display/FontCache.h"
#include "hal/display/FontLibrary.h"
#include "hal/display/HALFont.h"
#include "tests/support/TemporaryFolder.h"

namespace {

int32_t width(HALFont* font, const std::u16string& text) { return HAL_getStringWidth(font, text.data(), int32_t(text.size())); }

TEST(FontCache, TheSameKeyGivesTheSameFont) {
    HALFont* courier = nullptr;
    ASSERT_EQ(HAL_getFont(&courier, 32, 0, 16), 0);
    ASSERT_NE(courier, nullptr);
    EXPECT_EQ(courier->faceName, "Courier New");
    EXPECT_EQ(courier->points, 12);
    HALFont* again = nullptr;
    EXPECT_EQ(HAL_getFont(&again, 32, 0, 16), 0);
    EXPECT_EQ(again, courier);
    HALFont* system = HAL_createNativeFont(0, 0, 0);
    HALFont* proportional = HAL_createNativeFont(64, 0, 0);
    EXPECT_NE(system, proportional) << "different slots";
    EXPECT_EQ(system->faceName, proportional->faceName);
    EXPECT_EQ(HAL_createNativeFont(0, 0, 12), HAL_createNativeFont(0, 0, 8)) << "size 12 is small";
    EXPECT_EQ(HAL_createNativeFont(0, 0, 12)->points, 7);
    EXPECT_EQ(HAL_getFont(nullptr, 0, 0, 0), 2);
}

TEST(FontCache, MetricsPerSizeAndStyle) {
    struct Expected {
        int32_t size, height, baseline;
    };
    // Cells of 96 dpi × 7, 9 and 12 points / 72; the ascent is the face's share of the cell.
    const Expected expected[] = {{8, 9, 7}, {0, 12, 10}, {16, 16, 13}};
    for (int32_t face : {0, 32, 64})
        for (const Expected& e : expected)
            for (int32_t style = 0; style < 8; ++style) {
                HALFont* font = HAL_createNativeFont(face, style, e.size);
                ASSERT_NE(font, nullptr);
                EXPECT_EQ(HAL_getFontHeight(font), e.height) << face << " " << e.size << " " << style;
                EXPECT_EQ(HAL_getFontBaseline(font), e.baseline) << face << " " << e.size << " " << style;
                EXPECT_LE(font->baseline + font->underlineOffset + font->underlineRows, font->height) << "inside the cell";
            }
    const std::u16string text = u"Measured text";
    EXPECT_LT(width(HAL_createNativeFont(0, 0, 8), text), width(HAL_createNativeFont(0, 0, 0), text));
    EXPECT_LT(width(HAL_createNativeFont(0, 0, 0), text), width(HAL_createNativeFont(0, 0, 16), text));
    HALFont* mono = HAL_createNativeFont(32, 0, 0);
    EXPECT_EQ(width(mono, u"iiii"), width(mono, u"MMMM")) << "the monospace face";
}

TEST(FontCache, TextIsMeasuredLiterallyOnOneLineAndNullMeasuresNothing) {
    HALFont* font = HAL_createNativeFont(0, 0, 0);
    const int32_t a = width(font, u"a"), b = width(font, u"b"), amp = width(font, u"&");
    EXPECT_GT(amp, 0);
    EXPECT_EQ(width(font, u"a&b"), a + amp + b) << "'&' is a character, not a prefix";
    EXPECT_EQ(width(font, u"a&&b"), a + 2 * amp + b);
    EXPECT_EQ(width(font, u"a\nb"), a + width(font, u"\n") + b) << "a line end is a character too";
    const std::u16string pair = u"\U0001D400";  // one character in two units
    const int32_t advance = font->glyphFor(0x1D400).advance;
    EXPECT_EQ(width(font, pair), advance);
    EXPECT_EQ(width(font, pair.substr(0, 1) + u"a"), font->glyphFor(0xD835).advance + a) << "a lone surrogate is one unit";
    EXPECT_EQ(HAL_getStringWidth(font, u"abc", 2), a + b) << "only the given length";
    EXPECT_EQ(HAL_getStringWidth(font, u"abc", 0), 0);
    EXPECT_EQ(HAL_getStringWidth(font, u"abc", -1), 0);
    EXPECT_EQ(HAL_getStringWidth(font, nullptr, 3), 0);
    EXPECT_EQ(HAL_getStringWidth(nullptr, u"abc", 3), 0);
    EXPECT_EQ(HAL_getFontHeight(nullptr), 0);
    EXPECT_EQ(HAL_getFontBaseline(nullptr), 0);
}

TEST(FontCache, MissingOrBrokenFontFilesFailCleanlyAndAreTriedAgain) {
    TemporaryFolder empty;
    setenv(FontLibrary::kFolderVariable, empty.path().c_str(), 1);
    HALFont* font = reinterpret_cast<HALFont*>(1);
    EXPECT_EQ(HAL_getFont(&font, 0, 0, 0), 2);
    EXPECT_EQ(font, nullptr);
    EXPECT_EQ(HAL_createNativeFont(0, 1, 0), nullptr);
    empty.write("DejaVuSans.ttf", std::string(4096, 'x'));
    EXPECT_EQ(HAL_getFont(&font, 0, 0, 0), 2) << "not a font";
    EXPECT_EQ(FontLibrary::openFaceCount(), 0) << "nothing left open";
    unsetenv(FontLibrary::kFolderVariable);
    EXPECT_EQ(HAL_getFont(&font, 0, 0, 0), 0) << "nothing was cached: the next request tries again";
    EXPECT_NE(font, nullptr);
}

TEST(FontCache, DeletingTheCacheClosesEveryFont) {
    EXPECT_FALSE(HAL_hasFontCache());
    HAL_createFontCache();
    ASSERT_TRUE(HAL_hasFontCache());
    HAL_createNativeFont(0, 0, 0);
    HAL_createNativeFont(32, 5, 16);
    EXPECT_EQ(FontLibrary::openFaceCount(), 2);
    HAL_deleteFontCache();
    EXPECT_FALSE(HAL_hasFontCache());
    EXPECT_EQ(FontLibrary::openFaceCount(), 0);
    EXPECT_NE(HAL_createNativeFont(0, 0, 0), nullptr) << "a request after deletion makes a new cache";
    HAL_deleteFontCache();
}

}  // namespace
