#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "hal/display/Displays.h"
#include "hal/display/FontCache.h"
#include "hal/display/HALDisplayable.h"
#include "hal/display/HALRect.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/display/ImagePixels.h"
#include "hal/display/Rgb565.h"
#include "hal/display/TextRenderer.h"
#include "tests/hal/display/graphics/TestCanvas.h"
#include "tests/vm/TestRuntime.h"

namespace {

constexpr uint16_t kWhite = 0xFFFF, kRed = 0xF800;

TEST(HALRect, IntersectionKeepsTouchingEdgesAsZeroSizes) {
    const struct {
        HALRect other;
        bool meets;
        HALRect result;
    } cases[] = {{{-5, 2, 8, 20}, true, {0, 2, 3, 8}},
                 {{10, 0, 5, 5}, true, {10, 0, 0, 5}},
                 {{11, 0, 5, 5}, false, {}},
                 {{2, 2, -1, 5}, false, {}},
                 {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, false, {}}};
    for (const auto& c : cases) {
        HALRect rect{0, 0, 10, 10};
        EXPECT_EQ(rect.intersect(c.other), c.meets) << c.other.x;
        const HALRect expected = c.meets ? c.result : HALRect{rect.x, rect.y, 0, 0};
        EXPECT_TRUE(rect.x == expected.x && rect.y == expected.y && rect.width == expected.width &&
                    rect.height == expected.height)
            << c.other.x;
    }
    EXPECT_TRUE(HALRect({2, 3, 4, 5}).contains(5, 7));
    EXPECT_FALSE(HALRect({2, 3, 4, 5}).contains(6, 7));
}

TEST(HALGraphics, StateAtCreationAndTheColourRules) {
    TestCanvas canvas(8, 8);
    HALGraphics& g = *canvas.g;
    EXPECT_EQ(g.color(), 0xFF000000u);
    EXPECT_EQ(g.alpha(), -1);
    EXPECT_EQ(g.alphaLevel(), 255) << "the initial alpha draws opaque";
    EXPECT_EQ(g.strokeStyle(), 0);
    EXPECT_EQ(g.clip().width, 8);
    HAL_setColor(&g, int32_t(0x80FF0000u));
    EXPECT_EQ(g.color565(), 0xF800);
    EXPECT_EQ(g.alpha(), 128);
    HAL_setColor(&g, 0x00123456);
    EXPECT_EQ(g.color565(), 0x11AA);
    EXPECT_EQ(HAL_getDisplayColor(&g, 0x123456), 0x103450);
    EXPECT_EQ(HAL_getDisplayColor(&g, int32_t(0xFFFFFFFFu)), 0xF8FCF8) << "the top byte is not a colour";
    EXPECT_EQ(HAL_getDisplayColor(nullptr, 0x123456), -1);
}

TEST(HALGraphics, CreationAndDeletionResults) {
    HALGraphics* g = nullptr;
    int code = 0;
    HALPixelBuffer* image = HAL_newMutableImage(4, 4, &code);
    EXPECT_EQ(HAL_createGraphicsWithImage(nullptr, image), 2);
    EXPECT_EQ(HAL_createGraphicsWithImage(&g, nullptr), 2);
    EXPECT_EQ(g, nullptr);
    EXPECT_EQ(HAL_createGraphicsWithScreenBuffer(&g, nullptr), 2);
    EXPECT_EQ(HAL_deleteGraphics(nullptr), 2);
    ASSERT_EQ(HAL_createGraphicsWithImage(&g, image), 0);
    EXPECT_EQ(image->references(), 2) << "the context holds the pixels";
    HAL_deleteImage(image);  // the Image object goes first: the context still draws
    HAL_setColor(g, int32_t(0xFF00FF00u));
    HAL_fillRect(g, 0, 0, 4, 4);
    EXPECT_EQ(g->surface()->row(3)[3], 0x07E0);
    EXPECT_EQ(HAL_deleteGraphics(g), 0);  // and frees the pixels (ASan checks)
    // Null contexts are ignored everywhere.
    HAL_setColor(nullptr, 0);
    HAL_fillRect(nullptr, 0, 0, 1, 1);
    HAL_drawChars(nullptr, u"a", 1, 0, 0);
    EXPECT_EQ(HAL_copyArea(nullptr, 0, 0, 1, 1, 1, 1), 0);
}

std::array<int32_t, 4> clipOf(const HALGraphics& g) { return {g.clip().x, g.clip().y, g.clip().width, g.clip().height}; }

TEST(HALGraphics, ClipIsTheSurfaceIntersectedWithTheRequest) {
    TestCanvas canvas(240, 320);
    HALGraphics& g = *canvas.g;
    HAL_setClip(&g, -10, -10, 20, 20);
    EXPECT_EQ(clipOf(g), (std::array<int32_t, 4>{0, 0, 10, 10}));
    HAL_clipRect(&g, 5, 2, 100, 100);
    EXPECT_EQ(clipOf(g), (std::array<int32_t, 4>{5, 2, 5, 8}));
    HAL_drawLine(&g, 0, 0, 4, 60);  // bounding boxes beside the clip
    HAL_drawLine(&g, 11, 0, 60, 60);
    EXPECT_TRUE(canvas.changed().empty()) << "lines wholly beside the clip draw nothing";
    HAL_clipRect(&g, 50, 50, 5, 5);
    EXPECT_TRUE(g.clip().empty());
    HAL_setColor(&g, int32_t(0xFFFF0000u));
    HAL_fillRect(&g, 0, 0, 240, 320);
    EXPECT_TRUE(canvas.changed().empty()) << "an empty clip draws nothing";
    HAL_setClip(&g, 230, 310, 100, 100);
    EXPECT_EQ(clipOf(g), (std::array<int32_t, 4>{230, 310, 10, 10}));
}

// Pixels written by one line on a clean canvas.
PixelSet linePixels(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool dotted = false) {
    TestCanvas canvas(64, 64);
    HAL_setStrokeStyle(canvas.g, dotted ? 1 : 0);
    HAL_drawLine(canvas.g, x1, y1, x2, y2);
    return canvas.changed();
}

TEST(HALGraphics, DottedLinesFollowTheSurfaceColumnsAndCountFromTheirFirstEnd) {
    TestCanvas canvas(24, 4);
    HALGraphics& g = *canvas.g;
    HAL_setColor(&g, int32_t(0xFFFF0000u));
    HAL_setStrokeStyle(&g, 1);
    HAL_drawLine(&g, 0, 0, 15, 0);
    HAL_drawLine(&g, 4, 1, 15, 1);
    HAL_setClip(&g, 2, 2, 20, 1);  // a clip cutting the span's start keeps the pattern
    HAL_drawLine(&g, 0, 2, 15, 2);
    for (int32_t x = 0; x < 16; ++x) {
        const bool on = x % 8 < 4;
        EXPECT_EQ(canvas.at(x, 0) == kRed, on) << x;
        EXPECT_EQ(canvas.at(x, 1) == kRed, on && x >= 4) << x;
        EXPECT_EQ(canvas.at(x, 2) == kRed, on && x >= 2) << x;
    }
    const PixelSet diagonal = linePixels(20, 20, 9, 9, true);
    for (int32_t i = 0; i <= 11; ++i) EXPECT_EQ(diagonal.count({20 - i, 20 - i}) == 1, i % 8 < 4) << "from the first end";
}

TEST(HALGraphics, LinesAreWalkedFromBothEnds) {
    EXPECT_EQ(linePixels(0, 0, 3, 1), PixelSet({{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    const int32_t ends[][4] = {{5, 5, 40, 17}, {40, 17, 5, 5}, {3, 60, 20, 2}, {10, 10, 10, 50},
                               {2, 9, 61, 10}, {30, 30, 1, 59}, {7, 3, 8, 60}, {0, 63, 63, 0}};
    for (const auto& e : ends) {
        const PixelSet pixels = linePixels(e[0], e[1], e[2], e[3]);
        const int32_t dx = std::abs(e[2] - e[0]), dy = std::abs(e[3] - e[1]);
        const bool xMajor = dx >= dy;
        const int32_t n = std::max(dx, dy);
        ASSERT_EQ(pixels.size(), size_t(n) + 1) << "one pixel per step, " << e[0] << "," << e[1];
        EXPECT_TRUE(pixels.count({e[0], e[1]}) && pixels.count({e[2], e[3]}));
        std::set<int32_t> majors;
        for (const auto& [x, y] : pixels) {
            majors.insert(xMajor ? x : y);
            // Symmetric about the middle (the middle pixel itself sits on the near end's side).
            const bool middle = 2 * (xMajor ? x : y) == (xMajor ? e[0] + e[2] : e[1] + e[3]);
            EXPECT_TRUE(middle || pixels.count({e[0] + e[2] - x, e[1] + e[3] - y})) << x << "," << y;
        }
        EXPECT_EQ(majors.size(), size_t(n) + 1) << "each column (or row) once";
    }
}

TEST(HALGraphics, ImageBlitsGoThroughTheClipAndTheAlpha) {
    TestCanvas canvas(16, 8, 0x001F);
    std::vector<int32_t> values(8 * 4);
    for (size_t i = 0; i < values.size(); ++i) values[i] = i % 8 == 0 ? 0 : int32_t(0xFF000000u | uint32_t(i) * 3);
    int code = 0;
    HALPixelBuffer* keyed = HAL_createPixelsFromRGB(values.data(), 8, 4, 8, true, &code);
    ASSERT_EQ(keyed->surface->format, kSurfaceColorKey);
    HAL_drawImage(canvas.g, keyed, 1, 1);
    EXPECT_EQ(canvas.at(1, 1), 0x001F) << "the colour key leaves the destination";
    EXPECT_EQ(canvas.at(2, 1), keyed->surface->row(0)[1]);
    // Mirrored and cut by 3 on the left: the columns from the right end less 3.
    canvas.fill(0x001F);
    HAL_setClip(canvas.g, 3, 0, 16, 8);
    HAL_drawRegion(canvas.g, keyed, 0, 0, 8, 4, 2, 0, 0);
    EXPECT_EQ(canvas.at(3, 0), keyed->surface->row(0)[4]);
    EXPECT_EQ(canvas.at(6, 2), keyed->surface->row(2)[1]);
    EXPECT_EQ(canvas.at(2, 0), 0x001F);
    // Half alpha blends; below 8 nothing.
    canvas.fill(0x001F);
    HAL_setClip(canvas.g, 0, 0, 16, 8);
    HAL_setColor(canvas.g, int32_t(0x80000000u));
    HAL_drawImage(canvas.g, keyed, 0, 0);
    EXPECT_EQ(canvas.at(1, 0), rgb565::blend(0x001F, keyed->surface->row(0)[1], 16));
    HAL_setColor(canvas.g, 0x07000000);
    HAL_drawImage(canvas.g, keyed, 0, 4);
    EXPECT_EQ(canvas.at(1, 4), 0x001F);
    HAL_drawImage(canvas.g, nullptr, 0, 0);
    keyed->release();
    // Format bits from resource data cannot make an opaque image read an alpha plane it has not.
    HALPixelBuffer* opaque = HAL_newMutableImage(4, 4, &code);
    canvas.fill(0x001F);
    HAL_setColor(canvas.g, int32_t(0xFF000000u));
    HAL_drawRegion(canvas.g, opaque, 0, 0, 4, 4, 0x300, 2, 2);
    EXPECT_EQ(canvas.at(5, 5), kWhite) << "drawn as the opaque image it is";
    HAL_drawMutableRegion(canvas.g, opaque, 0, 0, 4, 4, 0x200 | 4, 8, 2);
    EXPECT_EQ(canvas.at(8, 2), kWhite);
    opaque->release();
}

TEST(HALGraphics, RgbDataDrawsWithinItsValues) {
    TestCanvas canvas(8, 8);
    const int32_t values[] = {int32_t(0xFFFF0000u), int32_t(0x00FF0000), int32_t(0xFF00FF00u), int32_t(0x80000000u)};
    EXPECT_EQ(HAL_drawRGB(canvas.g, values, 4, 2, 1, 1, 2, 2, true), 0);
    EXPECT_EQ(canvas.at(1, 1), kRed);
    EXPECT_EQ(canvas.at(2, 1), kWhite) << "alpha 0 is transparent";
    EXPECT_EQ(canvas.at(1, 2), 0x07E0);
    EXPECT_EQ(canvas.at(2, 2), rgb565::blend(kWhite, 0, 16));
    canvas.fill(kWhite);
    EXPECT_EQ(HAL_drawRGB(canvas.g, values, 4, 2, 0, 0, 2, 2, false), 0);
    EXPECT_EQ(canvas.at(1, 0), kRed) << "without processAlpha every value is opaque";
    canvas.fill(kWhite);
    EXPECT_EQ(HAL_drawRGB(canvas.g, values, 3, 2, 0, 0, 2, 2, true), 2) << "rows past the values";
    EXPECT_EQ(HAL_drawRGB(canvas.g, values, 4, 2, 0, 0, 0, 2, true), 2);
    EXPECT_TRUE(canvas.changed().empty());
    EXPECT_EQ(HAL_drawRGB(canvas.g, values + 2, 2, -2, 0, 0, 2, 2, true), 0) << "rows going up";
    EXPECT_EQ(canvas.at(0, 0), 0x07E0);
    EXPECT_EQ(canvas.at(0, 1), kRed);
}

TEST(HALGraphics, CopyAreaSucceedsWithZeroAndCopiesAsThroughATemporary) {
    TestCanvas canvas(8, 8);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) canvas.surface().row(y)[x] = uint16_t(y * 8 + x);
    const std::vector<uint16_t> before = canvas.pixels();
    EXPECT_EQ(HAL_copyArea(canvas.g, 0, 0, 5, 5, 2, 1), 0);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(canvas.at(x + 2, y + 1), before[size_t(y) * 8 + x]) << x << "," << y;
    EXPECT_EQ(canvas.at(0, 0), before[0]);
}

// A screen buffer on a canvas displayable, for the client-list tests.
struct BufferFixture {
    BufferFixture() {
        testRuntime();
        HAL_createCanvas(&canvas, nullptr);
        HAL_createScreenBuffer(canvas, &buffer);
    }
    ~BufferFixture() {
        if (buffer) HAL_deleteScreenBuffer(buffer);
        HAL_deleteCanvas(canvas);
    }
    HALDisplayable* canvas = nullptr;
    HALScreenBuffer* buffer = nullptr;
};

TEST(HALGraphics, ScreenBufferContextsFollowTheBufferAndLeaveIt) {
    BufferFixture fixture;
    HALGraphics* first = nullptr;
    HALGraphics* second = nullptr;
    ASSERT_EQ(HAL_createGraphicsWithScreenBuffer(&first, fixture.buffer), 0);
    ASSERT_EQ(HAL_createGraphicsWithScreenBuffer(&second, fixture.buffer), 0);
    EXPECT_EQ(first->surface(), fixture.buffer->surface);
    HAL_setClip(first, 1, 1, 2, 2);
    HAL_deleteGraphics(second);  // leaves the list: the resize below must not reach it
    fixture.canvas->width = 100;
    fixture.buffer->resize();
    EXPECT_EQ(first->clip().width, 100) << "the clip is the whole new surface";
    EXPECT_EQ(first->clip().height, fixture.buffer->height);
    HAL_setColor(first, int32_t(0xFF0000FFu));
    HAL_fillRect(first, 0, 0, 1, 1);
    EXPECT_EQ(fixture.buffer->surface->row(0)[0], 0x001F);
    HAL_deleteGraphics(first);
}

TEST(HALGraphics, AContextOutlivingItsScreenBufferDrawsNothingUntilDeleted) {
    BufferFixture fixture;
    HALGraphics* g = nullptr;
    ASSERT_EQ(HAL_createGraphicsWithScreenBuffer(&g, fixture.buffer), 0);
    HAL_deleteScreenBuffer(fixture.buffer);
    fixture.buffer = nullptr;
    EXPECT_EQ(g->surface(), nullptr);
    HAL_setClip(g, 0, 0, 10, 10);
    EXPECT_TRUE(g->clip().empty());
    HAL_fillRect(g, 0, 0, 10, 10);
    HAL_drawLine(g, 0, 0, 9, 9);
    HAL_drawChars(g, u"gone", 4, 0, 0);
    EXPECT_EQ(HAL_copyArea(g, 0, 0, 2, 2, 1, 1), 2);
    EXPECT_EQ(HAL_deleteGraphics(g), 0);  // no list to leave (ASan checks)
}

TEST(HALGraphics, ScreenBuffersDrawIntoOtherContexts) {
    BufferFixture fixture;
    HALSurface& source = *fixture.buffer->surface;
    for (int32_t y = 0; y < source.height; ++y)
        for (int32_t x = 0; x < source.width; ++x) source.row(y)[x] = uint16_t(x ^ y);
    TestCanvas canvas(8, 8);
    HAL_drawScreenBuffer(canvas.g, fixture.buffer, -3, -2);
    EXPECT_EQ(canvas.at(0, 0), uint16_t(3 ^ 2));
    EXPECT_EQ(canvas.at(7, 7), uint16_t(10 ^ 9));
}

}  // namespace
