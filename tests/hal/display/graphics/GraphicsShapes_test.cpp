// Shapes beyond what the golden pictures show: arc runs agree with the point test, angles
// normalise, sectors join, huge or degenerate boxes finish, the colour survives a gradient.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "hal/display/GraphicsShapes.h"
#include "hal/display/HALArcRange.h"
#include "hal/display/HALEllipse.h"
#include "hal/display/Rgb565.h"
#include "tests/hal/display/graphics/TestCanvas.h"

namespace {

constexpr uint16_t kWhite = 0xFFFF;

// The pixels a drawing writes on a clean 64 x 64 canvas in opaque red.
PixelSet drawn(const std::function<void(HALGraphics*)>& draw, uint32_t argb = 0xFFFF0000u) {
    TestCanvas canvas(64, 64);
    HAL_setColor(canvas.g, int32_t(argb));
    draw(canvas.g);
    return canvas.changed();
}

PixelSet unite(PixelSet a, const PixelSet& b) {
    a.insert(b.begin(), b.end());
    return a;
}

TEST(HALArcRange, ColumnRunsAgreeWithThePointTest) {
    const int32_t angles[][2] = {{0, 90},   {30, 60},  {60, 30},  {10, 350}, {45, 225}, {100, 260},
                                 {200, 10}, {280, 300}, {300, 280}, {1, 2},    {359, 0},  {90, 180}};
    for (const auto& [start, end] : angles) {
        for (const auto& [w, h] : {std::pair{30, 30}, std::pair{41, 13}, std::pair{9, 57}}) {
            const HALArcRange range(start, end, w, h);
            for (int32_t q = 0; q < 4; ++q) {
                for (int64_t dx = 0; dx <= w / 2; ++dx) {
                    const int64_t top = h / 2 - dx * h / (2 * w + 1);
                    HALArcRange::Rows runs[2];
                    const int32_t count = range.passingRows(q, dx, top, runs);
                    for (int64_t dy = 0; dy <= top; ++dy) {
                        bool inRun = false;
                        for (int32_t i = 0; i < count; ++i) inRun |= runs[i].from <= dy && dy <= runs[i].to;
                        ASSERT_EQ(inRun, range.passes(q, dx, dy))
                            << start << "-" << end << " " << w << "x" << h << " q" << q << " (" << dx << "," << dy << ")";
                    }
                }
            }
        }
    }
}

TEST(GraphicsShapes, ArcAnglesNormaliseAndNarrowBoxesAreLines) {
    const auto fill = [](int32_t start, int32_t arc) {
        return drawn([=](HALGraphics* g) { HAL_fillArc(g, 4, 6, 50, 40, start, arc); });
    };
    const auto outline = [](int32_t start, int32_t arc) {
        return drawn([=](HALGraphics* g) { HAL_drawArc(g, 4, 6, 50, 40, start, arc); });
    };
    const PixelSet whole = fill(0, 360);
    EXPECT_EQ(fill(0, 400), whole);
    EXPECT_EQ(fill(77, 360), whole);
    EXPECT_TRUE(fill(0, -90).empty());
    EXPECT_TRUE(fill(0, 0).empty());
    EXPECT_EQ(fill(450, 90), fill(90, 90));
    EXPECT_EQ(fill(-270, 90), fill(90, 90));
    EXPECT_EQ(outline(450, 90), outline(90, 90));
    // The filled ellipse covers w by h pixels; the outline one more each way.
    EXPECT_EQ(std::max_element(whole.begin(), whole.end())->first, 53);
    const PixelSet ring = outline(0, 360);
    EXPECT_EQ(std::max_element(ring.begin(), ring.end())->first, 54);
    PixelSet column;
    for (int32_t y = 3; y < 10; ++y) column.insert({5, y});
    EXPECT_EQ(drawn([](HALGraphics* g) { HAL_drawArc(g, 5, 3, 1, 7, 0, 90); }), column);
    EXPECT_EQ(drawn([](HALGraphics* g) { HAL_fillArc(g, 5, 3, 1, 7, 0, 90); }), column);
    // Two angles that round to one slope on a flat ellipse still make a short arc.
    const PixelSet sliver = drawn([](HALGraphics* g) { HAL_drawArc(g, 0, 20, 40, 2, 0, 1); });
    EXPECT_FALSE(sliver.empty());
    for (const auto& p : sliver) EXPECT_GE(p.first, 30) << "only the points near three o'clock";
}

TEST(GraphicsShapes, SectorsJoinAndOnlyTheWedgeFadesBelowAlphaEight) {
    const auto sector = [](int32_t start, int32_t arc, uint32_t argb = 0xFFFF0000u) {
        return drawn([=](HALGraphics* g) { HAL_fillArc(g, 8, 8, 48, 40, start, arc); }, argb);
    };
    EXPECT_EQ(unite(sector(0, 90), sector(90, 90)), sector(0, 180));
    EXPECT_EQ(unite(sector(200, 50), sector(250, 100)), sector(200, 150));
    const size_t faint = sector(0, 45, 0x07FF0000u).size();
    EXPECT_GT(faint, 0u) << "the columns reaching the curve stay";
    EXPECT_LT(faint, sector(0, 45).size()) << "the wedge under the ray vanishes";
    EXPECT_EQ(sector(0, 360, 0x07FF0000u), sector(0, 360)) << "a full fill ignores the alpha";
}

TEST(GraphicsShapes, HugeOrFarAwayShapesFinishAndClip) {
    TestCanvas canvas(64, 64);
    HAL_fillArc(canvas.g, -500000, -1000, 1000064, 2064, 0, 360);  // a flat giant ellipse
    EXPECT_EQ(canvas.changed().size(), 64u * 64u);
    canvas.fill(kWhite);
    HAL_fillArc(canvas.g, -300000, -300000, 600064, 600064, 30, 60);
    EXPECT_FALSE(canvas.changed().empty());
    canvas.fill(kWhite);
    HAL_drawArc(canvas.g, 0, 0, INT32_MAX, INT32_MAX, 0, 360);
    EXPECT_TRUE(canvas.changed().empty()) << "too large to walk: nothing";
    HAL_fillTriangle(canvas.g, INT32_MIN, -5, INT32_MAX, -5, 0, INT32_MAX);
    EXPECT_EQ(canvas.at(32, 0), 0);
    EXPECT_EQ(canvas.at(0, 63), 0);
}

TEST(GraphicsShapes, ATriangleWhoseTopIsTheClipsLastRowDrawsThatRowOnly) {
    TestCanvas canvas(64, 64);
    HAL_setClip(canvas.g, 0, 0, 64, 20);
    HAL_fillTriangle(canvas.g, 10, 19, 0, 40, 30, 63);
    const PixelSet apex = canvas.changed();
    EXPECT_TRUE(apex.count({10, 19}));
    for (const auto& p : apex) EXPECT_EQ(p.second, 19);
    HAL_fillTriangle(canvas.g, 10, 20, 0, 40, 30, 63);
    EXPECT_EQ(canvas.changed(), apex) << "below the clip: nothing";
}

TEST(GraphicsShapes, GradientsStepShortOfTheirSecondColourAndRestoreTheColour) {
    TestCanvas canvas(8, 8);
    HAL_setColor(canvas.g, int32_t(0x40123456));
    const HALGraphics::ColorState before = canvas.g->colorState();
    HAL_fillGradient(canvas.g, 0, 0, 3, 2, 0x000000, 0xFF0000, false);
    EXPECT_EQ(canvas.at(2, 1), rgb565::fromArgb(0x7F0000)) << "0x7F0000, alpha ignored";
    EXPECT_EQ(canvas.at(3, 1), kWhite);
    EXPECT_EQ(canvas.g->color(), before.color);
    EXPECT_EQ(canvas.g->alpha(), before.alpha);
    EXPECT_EQ(canvas.g->color565(), before.color565);
    canvas.fill(kWhite);
    HAL_fillGradient(canvas.g, 0, 0, 0, 8, 0, 0xFFFFFF, false);
    HAL_fillGradient(canvas.g, 0, 0, 8, 0, 0, 0xFFFFFF, true);
    EXPECT_TRUE(canvas.changed().empty()) << "an empty box draws nothing";
}

}  // namespace
