#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "hal/display/GraphicsShapes.h"
#include "hal/display/HALArcRange.h"
#include "hal/display/HALEllipse.h"
#include "hal/display/Rgb565.h"
#include "tests/hal/display/graphics/TestCanvas.h"

namespace {

constexpr uint16_t kWhite = 0xFFFF, kRed = 0xF800;

// The pixels a drawing writes on a clean 64 x 64 canvas in opaque red.
PixelSet drawn(const std::function<void(HALGraphics*)>& draw, uint32_t argb = 0xFFFF0000u) {
    TestCanvas canvas(64, 64);
    HAL_setColor(canvas.g, int32_t(argb));
    draw(canvas.g);
    return canvas.changed();
}

PixelSet unite(const PixelSet& a, const PixelSet& b) {
    PixelSet out = a;
    out.insert(b.begin(), b.end());
    return out;
}

TEST(HALArcRange, TheTangentTableAndTheSlopeLimits) {
    EXPECT_EQ(HALArcRange::tangent(0), 0);
    EXPECT_EQ(HALArcRange::tangent(45), 1000);
    EXPECT_EQ(HALArcRange::tangent(89), 57290);
    EXPECT_EQ(HALArcRange::tangent(90), 0x7FFFFFFF);
    EXPECT_EQ(HALArcRange::slopeLimit(135, 10, 10), 1000) << "folded to 45";
    EXPECT_EQ(HALArcRange::slopeLimit(225, 20, 10), 500) << "scaled by height / width";
    EXPECT_EQ(HALArcRange::slopeLimit(270, 20, 10), 0x7FFFFFFF);
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

TEST(GraphicsShapes, NarrowArcBoxesAreLinesAndSpans) {
    PixelSet column, row;
    for (int32_t y = 3; y < 10; ++y) column.insert({5, y});
    for (int32_t x = 5; x < 12; ++x) row.insert({x, 3});
    EXPECT_EQ(drawn([](HALGraphics* g) { HAL_drawArc(g, 5, 3, 1, 7, 0, 90); }), column);
    EXPECT_EQ(drawn([](HALGraphics* g) { HAL_drawArc(g, 5, 3, 7, 1, 0, 90); }), row);
    EXPECT_EQ(drawn([](HALGraphics* g) {
                  HAL_setStrokeStyle(g, 1);
                  HAL_fillArc(g, 5, 3, 1, 7, 0, 90);
              }),
              column)
        << "fills are solid";
}

TEST(GraphicsShapes, ArcAnglesNormaliseAndLargeArcsAreWhole) {
    const auto fill = [](int32_t start, int32_t arc) {
        return drawn([=](HALGraphics* g) { HAL_fillArc(g, 4, 6, 50, 40, start, arc); });
    };
    const auto outline = [](int32_t start, int32_t arc) {
        return drawn([=](HALGraphics* g) { HAL_drawArc(g, 4, 6, 50, 40, start, arc); });
    };
    const PixelSet whole = fill(0, 360);
    EXPECT_FALSE(whole.empty());
    EXPECT_EQ(fill(0, 400), whole);
    EXPECT_EQ(fill(77, 360), whole);
    EXPECT_TRUE(fill(0, -90).empty());
    EXPECT_TRUE(fill(0, 0).empty());
    EXPECT_EQ(fill(450, 90), fill(90, 90));
    EXPECT_EQ(outline(450, 90), outline(90, 90));
    EXPECT_EQ(fill(-270, 90), fill(90, 90));
    // The filled ellipse covers w by h pixels; the outline one more each way.
    EXPECT_EQ(whole.begin()->first, 4);
    EXPECT_EQ(std::max_element(whole.begin(), whole.end())->first, 53);
    const PixelSet ring = outline(0, 360);
    EXPECT_EQ(ring.begin()->first, 4);
    EXPECT_EQ(std::max_element(ring.begin(), ring.end())->first, 54);
    for (const auto& p : ring) EXPECT_TRUE(p.second >= 6 && p.second <= 46);
}

TEST(GraphicsShapes, ArcsStayWithinTheirAngles) {
    // A 41 x 41 box at (10, 10): centre (31, 30); an odd width makes the top two pixels wide,
    // and 90 degrees takes in both.
    const PixelSet topRight = drawn([](HALGraphics* g) { HAL_drawArc(g, 10, 10, 41, 41, 0, 90); });
    for (const auto& [x, y] : topRight) EXPECT_TRUE(x >= 30 && y <= 30) << x << "," << y;
    EXPECT_TRUE(topRight.count({51, 30}) && topRight.count({31, 10})) << "both ends";
    const PixelSet lowerHalf = drawn([](HALGraphics* g) { HAL_drawArc(g, 10, 10, 41, 41, 0, 45); });
    for (const auto& [x, y] : lowerHalf) EXPECT_LE(30 - y, x - 31) << "no steeper than 45 degrees: " << x << "," << y;
    EXPECT_FALSE(lowerHalf.empty());
    const PixelSet allButIt = drawn([](HALGraphics* g) { HAL_drawArc(g, 10, 10, 41, 41, 45, 315); });
    EXPECT_FALSE(allButIt.count({51, 29})) << "just above three o'clock is outside 45..360";
    EXPECT_TRUE(allButIt.count({31, 10}) && allButIt.count({10, 30}) && allButIt.count({31, 51}));
    // Two angles that round to one slope on a flat ellipse still make a short arc.
    const PixelSet sliver = drawn([](HALGraphics* g) { HAL_drawArc(g, 0, 20, 40, 2, 0, 1); });
    EXPECT_FALSE(sliver.empty());
    for (const auto& p : sliver) EXPECT_GE(p.first, 30) << "only the points near three o'clock";
}

TEST(GraphicsShapes, SectorsJoinAndBlendOnlyTheirWedges) {
    const auto sector = [](int32_t start, int32_t arc, uint32_t argb = 0xFFFF0000u) {
        return drawn([=](HALGraphics* g) { HAL_fillArc(g, 8, 8, 48, 40, start, arc); }, argb);
    };
    EXPECT_EQ(unite(sector(0, 90), sector(90, 90)), sector(0, 180));
    EXPECT_EQ(unite(sector(200, 50), sector(250, 100)), sector(200, 150));
    // 0 to 45: the columns under the ray are wedge (blended), the rest reach the curve (solid).
    TestCanvas canvas(64, 64);
    HAL_setColor(canvas.g, int32_t(0x80FF0000u));
    HAL_fillArc(canvas.g, 8, 8, 48, 40, 0, 45);
    int solid = 0, blended = 0;
    for (const auto& [x, y] : canvas.changed()) {
        const uint16_t p = canvas.at(x, y);
        solid += p == kRed;
        blended += p == rgb565::blend(kWhite, kRed, 16);
    }
    EXPECT_GT(solid, 0);
    EXPECT_GT(blended, 0);
    EXPECT_EQ(size_t(solid + blended), canvas.changed().size());
    EXPECT_EQ(sector(0, 45, 0x07FF0000u).size(), size_t(solid)) << "below alpha 8 the wedge vanishes, not the rest";
    // A full fill ignores the alpha.
    EXPECT_EQ(sector(0, 360, 0x07FF0000u), sector(0, 360));
}

TEST(GraphicsShapes, HugeArcBoxesFinishAndClip) {
    TestCanvas canvas(64, 64);
    HAL_fillArc(canvas.g, -500000, -1000, 1000064, 2064, 0, 360);  // a flat giant ellipse
    EXPECT_EQ(canvas.changed().size(), 64u * 64u);
    canvas.fill(kWhite);
    HAL_fillArc(canvas.g, -300000, -300000, 600064, 600064, 30, 60);
    EXPECT_FALSE(canvas.changed().empty());
    canvas.fill(kWhite);
    HAL_drawArc(canvas.g, 0, 0, INT32_MAX, INT32_MAX, 0, 360);
    EXPECT_TRUE(canvas.changed().empty()) << "too large to walk: nothing";
}

TEST(GraphicsShapes, TrianglesHonourAlphaAndTheClipRows) {
    EXPECT_TRUE(drawn([](HALGraphics* g) { HAL_fillTriangle(g, 5, 5, 40, 30, 10, 50); }, 0x07FF0000u).empty());
    const PixelSet flat = drawn([](HALGraphics* g) { HAL_fillTriangle(g, 3, 9, 30, 9, 12, 9); });
    EXPECT_FALSE(flat.empty());
    for (const auto& p : flat) EXPECT_EQ(p.second, 9) << "at most that one row";
    const PixelSet right = drawn([](HALGraphics* g) { HAL_fillTriangle(g, 0, 0, 0, 9, 9, 9); });
    for (int32_t x = 0; x <= 9; ++x) EXPECT_TRUE(right.count({x, 9})) << x;
    EXPECT_TRUE(right.count({0, 0}));
    EXPECT_FALSE(right.count({5, 2}));
    for (const auto& [x, y] : right) EXPECT_LE(x, y) << "under the diagonal";
    TestCanvas canvas(64, 64);
    HAL_setColor(canvas.g, int32_t(0x80FF0000u));
    HAL_setClip(canvas.g, 0, 0, 64, 20);
    HAL_fillTriangle(canvas.g, 10, 19, 0, 40, 30, 63);  // top point on the clip's last row
    const PixelSet apex = canvas.changed();
    EXPECT_TRUE(apex.count({10, 19}));
    for (const auto& [x, y] : apex) {
        EXPECT_EQ(y, 19);
        EXPECT_EQ(canvas.at(x, y), rgb565::blend(kWhite, kRed, 16));
    }
    HAL_fillTriangle(canvas.g, 10, 20, 0, 40, 30, 63);
    EXPECT_EQ(canvas.changed(), apex) << "below the clip: nothing";
    HAL_setClip(canvas.g, 0, 0, 64, 64);
    HAL_setColor(canvas.g, int32_t(0xFF00FF00u));
    HAL_fillTriangle(canvas.g, INT32_MIN, -5, INT32_MAX, -5, 0, INT32_MAX);  // far-away corners finish
    EXPECT_EQ(canvas.at(32, 0), 0x07E0);
    EXPECT_EQ(canvas.at(0, 63), 0x07E0);
}

TEST(GraphicsShapes, GradientsStepShortOfTheirSecondColour) {
    TestCanvas canvas(8, 8);
    HAL_setColor(canvas.g, int32_t(0x40123456));
    const HALGraphics::ColorState before = canvas.g->colorState();
    HAL_fillGradient(canvas.g, 0, 0, 3, 2, 0x000000, 0xFF0000, false);
    EXPECT_EQ(canvas.at(0, 0), 0x0000);
    EXPECT_EQ(canvas.at(2, 1), rgb565::fromArgb(0x7F0000)) << "0x7F0000, alpha ignored";
    EXPECT_EQ(canvas.at(3, 1), kWhite);
    HAL_fillGradient(canvas.g, 4, 0, 4, 8, 0x0000FF, 0x000000, true);
    const uint16_t blues[] = {255 >> 3, 191 >> 3, 127 >> 3, 63 >> 3};  // 255 - 63.75 per column, truncated
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(canvas.at(4 + i, 7), blues[i]) << i;
    EXPECT_EQ(canvas.g->color(), before.color) << "the colour is restored";
    EXPECT_EQ(canvas.g->alpha(), before.alpha);
    EXPECT_EQ(canvas.g->color565(), before.color565);
    canvas.fill(kWhite);
    HAL_fillGradient(canvas.g, 0, 0, 0, 8, 0, 0xFFFFFF, false);
    HAL_fillGradient(canvas.g, 0, 0, 8, 0, 0, 0xFFFFFF, true);
    EXPECT_TRUE(canvas.changed().empty()) << "an empty box draws nothing";
}

TEST(GraphicsShapes, RoundRectangleCorners) {
    const PixelSet small = drawn([](HALGraphics* g) { HAL_drawRoundRect(g, 2, 2, 10, 8, 2, 2); });
    EXPECT_FALSE(small.count({2, 2})) << "the corner pixel is cut";
    EXPECT_TRUE(small.count({3, 2}) && small.count({2, 3}));
    EXPECT_TRUE(small.count({12, 3}) && small.count({11, 10}) && !small.count({12, 10}));
    const PixelSet round = drawn([](HALGraphics* g) { HAL_drawRoundRect(g, 2, 2, 30, 20, 10, 10); });
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(round.count({2 + i, 2})) << i;
        EXPECT_FALSE(round.count({32 - i, 22})) << i;
    }
    EXPECT_TRUE(round.count({17, 2}) && round.count({2, 12}) && round.count({32, 12}) && round.count({17, 22}));
    EXPECT_TRUE(drawn([](HALGraphics* g) { HAL_drawRoundRect(g, 2, 2, -1, 20, 4, 4); }).empty());
    const PixelSet filled = drawn([](HALGraphics* g) { HAL_fillRoundRect(g, 2, 2, 30, 20, 10, 10); }, 0x07FF0000u);
    EXPECT_FALSE(filled.count({2, 2}));
    EXPECT_TRUE(filled.count({17, 12})) << "the straight parts ignore the alpha";
    for (const auto& [x, y] : filled) EXPECT_TRUE(x >= 2 && x < 32 && y >= 2 && y < 22) << x << "," << y;
    EXPECT_TRUE(drawn([](HALGraphics* g) { HAL_fillRoundRect(g, 2, 2, 0, 20, 4, 4); }).empty());
}

}  // namespace
