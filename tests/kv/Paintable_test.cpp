// The paintable base: box and rectangle tests between paintables with their offsets and
// flips, the hit pair cleared for a paintable without boxes, the tiled fill's grid and its
// refusal of an empty tile, and the platform extension's alpha handling.

#include <gtest/gtest.h>

#include "src/kv/kv_Gob.h"
#include "src/kv/platform/kv_platform_ExtendedGraphics.h"
#include "tests/kv/PaintSupport.h"

namespace kvtest {

// A paintable that records where it is painted.
class Tile : public kv::Paintable {
    VM_CLASS(Tile, kv::Paintable)
    int32_t getKind() override { return 9; }
    int32_t getHeight(int32_t) override { return h; }
    int32_t getWidth(int32_t) override { return w; }
    int32_t getX(int32_t) override { return -1; }
    int32_t getY(int32_t) override { return 0; }
    void paint(VMPtr<Graphics>, int32_t x, int32_t y, int32_t) override { painted.push_back({x, y}); }
    int32_t w = 0, h = 0;
    std::vector<std::pair<int32_t, int32_t>> painted;
};
VM_DEFINE_CLASS(Tile, "kvtest.Tile", "kv.Paintable", VM_NO_CLINIT)

}  // namespace kvtest

namespace {

using kv::Gob;
using kv::graphics::CollisionBox;
using kvtest::ints;

VMPtr<Gob> gobWithBox(int32_t cx, int32_t cy, int32_t cw, int32_t ch) {
    VMPtr<Gob> gob = Gob::createFromRGB(ints(std::vector<int32_t>(100, -1)), 10, 10, false);
    gob->collisionX = int16_t(cx);
    gob->collisionY = int16_t(cy);
    gob->collisionWidth = int16_t(cw);
    gob->collisionHeight = int16_t(ch);
    return gob;
}

class PaintableTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(PaintableTest, BoxAndRectangleTests) {
    VMPtr<Gob> a = gobWithBox(0, 0, 4, 4), b = gobWithBox(6, 0, 4, 4), none = gobWithBox(0, 0, 0, 4);
    struct Case { int32_t x2, flags2; bool hit; } cases[] = {{0, 0, false}, {-3, 0, true}, {-2, 0, false}, {14, 2, false}, {9, 2, true}};
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(6);
    for (const Case& c : cases) {
        EXPECT_EQ(a->collides(0, 0, 0, -1, b, c.x2, 0, c.flags2, -1), c.hit) << c.x2;
        EXPECT_EQ(a->collidesRects(0, 0, 0, -1, b, c.x2, 0, c.flags2, -1, out), c.hit) << c.x2;
    }
    EXPECT_EQ(kvtest::vec(out, 6), (std::vector<int32_t>{0, 0, 3, 4, -1, -1}));
    EXPECT_TRUE(a->collides(0, 0, 0, -1, b, -3, 0, 0, -1));
    EXPECT_TRUE(CollisionBox::lastHitA);
    EXPECT_FALSE(a->collides(0, 0, 0, -1, none, 0, 0, 0, -1));
    EXPECT_FALSE(CollisionBox::lastHitA);
    EXPECT_FALSE(CollisionBox::lastHitB);
}

// Records and boxes moved past INT32_MAX wrap, the same for both paintables.
TEST_F(PaintableTest, MovesWrapAtTheLimits) {
    VMPtr<Gob> a = gobWithBox(5, 0, 4, 4);
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(6);
    EXPECT_TRUE(a->collidesRects(INT32_MAX, 0, 0, -1, a, INT32_MAX - 2, 0, 0, -1, out));
    EXPECT_EQ(kvtest::vec(out, 6), (std::vector<int32_t>{INT32_MIN + 4, 0, 2, 4, -1, -1}));
    EXPECT_TRUE(a->collides(INT32_MAX, 0, 0, -1, a, INT32_MAX - 2, 0, 0, -1));
    EXPECT_EQ(CollisionBox::lastHitA->x, INT32_MIN + 4);
}

TEST_F(PaintableTest, TiledFillCoversTheClipFromTheLastCoveringTile) {
    VMPtr<kvtest::Graphics> g = kvtest::blankImage(20, 10)->getGraphics();
    g->setClip(5, 2, 9, 5);
    VMPtr<kvtest::Tile> tile = kvtest::Tile::_VM_new();
    tile->w = 4;
    tile->h = 4;
    tile->paintTiled(g, -6, 0);
    std::vector<std::pair<int32_t, int32_t>> expected;
    for (int32_t y : {0, 4})
        for (int32_t x : {5, 9, 13}) expected.push_back({x, y});
    EXPECT_EQ(tile->painted, expected);
    for (auto [w, h] : {std::pair{0, 4}, std::pair{4, -1}}) {
        tile->painted.clear();
        tile->w = w;
        tile->h = h;
        tile->paintTiled(g, 0, 0);
        EXPECT_TRUE(tile->painted.empty());
    }
}

TEST_F(PaintableTest, ExtensionRestoresTheAlpha) {
    VMPtr<kvtest::Image> image = kvtest::blankImage(4, 1);
    VMPtr<kvtest::Graphics> g = image->getGraphics();
    VMPtr<kv::platform::ExtendedGraphics> extension = kv::platform::ExtendedGraphics::_VM_new();
    extension->_VM_init();
    g->setColor(0xF8F8F8);
    for (int32_t alpha : {255, 0}) {
        extension->fillRect(g, alpha == 255 ? 0 : 1, 0, 1, 1, alpha);
        EXPECT_EQ(g->getAlpha(), 255);
    }
    extension->fillGradient(g, 2, 0, 2, 1, 0x0000F8, 0x0000F8, false);
    std::vector<int32_t> px = kvtest::pixelsOf(image);
    EXPECT_EQ(uint32_t(px[0]), 0xFFF8F8F8u);
    EXPECT_EQ(uint32_t(px[1]), 0xFF000000u);
    EXPECT_EQ(uint32_t(px[3]), 0xFF0000F8u);
}

}  // namespace
