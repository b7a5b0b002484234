// Gobs: edges and collision rectangles under every flip and quarter turn, circular boxes,
// gobs without a collision rectangle, pixel-exact painting with flips and trims, alpha
// images, and sheets cut into gobs (pictures outside the sheet refused, empty gobs loaded
// without a picture).

#include <gtest/gtest.h>

#include "src/kv/kv_GobAlphaImage.h"
#include "tests/kv/PaintSupport.h"

namespace kvtest {

// Turns every pixel it is given opaque black.
class Blackout : public kv::graphics::RGBFilter {
    VM_CLASS(Blackout, kv::graphics::RGBFilter)
    int32_t filter(int32_t) override { return int32_t(0xFF000000); }
};
VM_DEFINE_CLASS(Blackout, "kvtest.Blackout", "kv.graphics.RGBFilter", VM_NO_CLINIT)

}  // namespace kvtest

namespace {

using kv::Gob;
using kv::graphics::CollisionBox;
using kvtest::ints;
using kvtest::vec;
using ShortArray = Gob::ShortArray;

constexpr int32_t R = int32_t(0xFFF80000), G = int32_t(0xFF00FC00), B = int32_t(0xFF0000F8), W = int32_t(0xFFF8FCF8);
constexpr int32_t K = int32_t(0xFF000000);

VMPtr<ShortArray> shorts(const std::vector<int>& values) {
    VMPtr<ShortArray> array = ShortArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->elements()[i] = int16_t(values[i]);
    return array;
}

// A gob cut from a one-gob sheet through the loader.
VMPtr<Gob> loadedGob(const std::vector<int>& descriptor, VMPtr<kvtest::Image> sheet) {
    VMPtr<Gob::GobArray> gobs = Gob::GobArray::_VM_new(1);
    VMPtr<Gob> gob = Gob::_VM_new();
    gob->_VM_init();
    gobs->set(0, gob);
    gob->image = sheet;
    Gob::initImageTable(gobs);
    gob->setFromDescriptor(shorts(descriptor));
    Gob::loadImages(gobs);
    return gob;
}

VMPtr<kvtest::Image> sheet2x2() { return kvtest::Image::createRGBImage(ints({R, G, B, W}), 2, 2, false); }

class GobTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(GobTest, EdgesAndCollisionRectanglesUnderFlips) {
    VMPtr<Gob> gob = loadedGob({-5, -30, 0, 0, 2, 2, 1, 2, 3, 4}, sheet2x2());
    gob->width = 20;
    gob->height = 30;
    struct Case { int32_t flags, x, y; std::vector<int32_t> rect, box; } cases[] = {
        {0, -5, -30, {-4, -28, 3, 4, -1}, {-4, -28, 3, 4}},   {1, -5, 0, {-4, 24, 3, 4, -1}, {-4, 24, 3, 4}},
        {2, -15, -30, {1, -28, 3, 4, -1}, {1, -28, 3, 4}},    {3, -15, 0, {1, 24, 3, 4, -1}, {1, 24, 3, 4}},
        {4, -5, -30, {-4, -28, 3, 4, -1}, {-28, -4, 4, 3}},   {7, -15, 0, {1, 24, 3, 4, -1}, {24, 1, 4, 3}},
        {5, -5, 0, {-4, 24, 3, 4, -1}, {24, -4, 4, 3}},       {6, -15, -30, {1, -28, 3, 4, -1}, {-28, 1, 4, 3}}};
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(5);
    VMPtr<CollisionBox> box = CollisionBox::_VM_new();
    for (const Case& c : cases) {
        EXPECT_EQ(gob->getX(c.flags), c.x);
        EXPECT_EQ(gob->getY(c.flags), c.y);
        EXPECT_EQ(gob->getCollisionRects(c.flags, out, 7), 1);
        EXPECT_EQ(vec(out, 5), c.rect) << c.flags;
        EXPECT_TRUE(gob->toCollisionBox(box, 100, 0, c.flags));
        EXPECT_EQ((std::vector<int32_t>{box->x - 100, box->y, box->width, box->height}), c.box) << c.flags;
        EXPECT_EQ(box->type, -1);
    }
    EXPECT_TRUE(gob->collidesRect(0, 0, 0, -2, -25, 5, 5));
    EXPECT_FALSE(gob->collidesRect(0, 0, 0, -1, -25, 5, 5));
    EXPECT_FALSE(gob->collidesGob(0, 0, 0, gob, 3, 0, 0));
    EXPECT_TRUE(gob->collidesGobExtended(0, 0, 0, gob, 3, 0, 0, -1, 0, 0, 0));
    VMPtr<kv::graphics::Rect> rect = kv::graphics::Rect::_VM_new();
    rect->_VM_init();
    for (auto [x, inside] : {std::pair{14, true}, std::pair{15, false}}) {
        rect->setBounds(x, -1, 1, 1);
        EXPECT_EQ(gob->intersectsImage(rect, 0, 0), inside);
    }
}

// Positions and growths past INT32_MAX wrap: the gob's edges, collision rectangle and trim
// clip move together, and a list intersection across the limit keeps its true size.
TEST_F(GobTest, OffsetsWrapAtTheLimits) {
    VMPtr<Gob> gob = loadedGob({-1, -1, 0, 0, 2, 2, 5, 1, 2, 2}, sheet2x2());
    EXPECT_TRUE(gob->collidesRect(INT32_MAX, 0, 0, INT32_MIN + 3, 0, 1, 1));
    EXPECT_FALSE(gob->collidesRect(INT32_MAX, 0, 0, INT32_MAX, 0, 1, 1));
    EXPECT_TRUE(gob->collidesGobExtended(INT32_MAX, 0, 0, gob, INT32_MAX, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(gob->collidesGobExtended(0, 0, 0, gob, 0, 0, 0, 0, 0, INT32_MAX, 0));
    VMPtr<kvtest::Image> image = kvtest::blankImage(4, 4);
    VMPtr<kvtest::Graphics> g = image->getGraphics();
    gob->paint(g, INT32_MAX, INT32_MAX, 0);
    gob->paintTrimmed(g, INT32_MAX, INT32_MAX, 0, 1, 1, INT32_MIN, 0);
    gob->withAlpha(128)->paint(g, INT32_MIN, INT32_MIN, 3);
    EXPECT_EQ(kvtest::pixelsOf(image), std::vector<int32_t>(16, K));
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(6);
    EXPECT_TRUE(Gob::collideLists(1, ints({INT32_MAX - 5, 0, 10, 10, 1}), 1, ints({INT32_MAX - 2, 0, 10, 10, 2}), out));
    EXPECT_EQ(vec(out, 6), (std::vector<int32_t>{INT32_MAX - 2, 0, 7, 10, 1, 2}));
}

TEST_F(GobTest, CircularAndMissingCollisionAreas) {
    VMPtr<Gob> round = loadedGob({0, 0, 0, 0, 2, 2, 0, 0, 0x8010, 16}, sheet2x2());
    VMPtr<CollisionBox> box = CollisionBox::_VM_new();
    EXPECT_TRUE(round->toCollisionBox(box, 0, 0, 0));
    EXPECT_EQ(round->collisionWidth, 16);
    EXPECT_EQ(box->kind, 4);
    VMPtr<Gob> none = loadedGob({0, 0, 0, 0, 2, 2, 1, 1, 0, 5}, sheet2x2());
    VMPtr<kvtest::IntArray> out = ints({9, 9, 9, 9, 9});
    EXPECT_EQ(none->getBoxCount(), 0);
    EXPECT_EQ(none->getCollisionRects(0, out, -1), 0);
    EXPECT_EQ(vec(out, 5), (std::vector<int32_t>(5, 9)));
    EXPECT_FALSE(none->toCollisionBox(box, 3, 0, 0));
    EXPECT_EQ(box->x, 4);
}

TEST_F(GobTest, PaintsPixelExactUnderFlipsAndTrims) {
    VMPtr<Gob> gob = loadedGob({-1, -1, 0, 0, 2, 2, 0, 0, 0, 0}, sheet2x2());
    struct Case { int32_t flags, left, top, right, bottom; std::vector<int32_t> quad; } cases[] = {
        {0, 0, 0, 0, 0, {R, G, B, W}}, {1, 0, 0, 0, 0, {B, W, R, G}}, {2, 0, 0, 0, 0, {G, R, W, B}},
        {3, 0, 0, 0, 0, {W, B, G, R}}, {0, 1, 0, 0, 0, {K, G, K, W}}, {2, 1, 0, 0, 1, {G, K, K, K}}};
    for (const Case& c : cases) {
        VMPtr<kvtest::Image> image = kvtest::blankImage(4, 4);
        VMPtr<kvtest::Graphics> g = image->getGraphics();
        gob->paintTrimmed(g, 2, 2, c.flags, c.left, c.top, c.right, c.bottom);
        std::vector<int32_t> px = kvtest::pixelsOf(image);
        EXPECT_EQ((std::vector<int32_t>{px[5], px[6], px[9], px[10]}), c.quad) << c.flags << c.left;
        EXPECT_EQ(g->getClipWidth(), 4);
    }
}

TEST_F(GobTest, AlphaImages) {
    VMPtr<Gob> gob = loadedGob({0, 0, 0, 0, 2, 2, 0, 0, 0, 0}, sheet2x2());
    VMPtr<Gob::GobArray> gobs = Gob::GobArray::_VM_new(2);
    gobs->set(0, gob->withAlpha(0));
    gobs->set(1, gob);
    Gob::cloneAll(gobs);
    EXPECT_FALSE(gobs->elements()[1]->isAlphaImage());
    VMPtr<kvtest::Image> image = kvtest::blankImage(2, 2);
    gobs->elements()[0]->paint(image->getGraphics());
    EXPECT_EQ(kvtest::pixelsOf(image), (std::vector<int32_t>(4, K)));
    gobs->set(0, gob);
    Gob::cloneAll(gobs);
    EXPECT_TRUE(gobs->elements()[1]->isAlphaImage());
    EXPECT_EQ(gobs->elements()[1]->getAlpha(), 255);
    gobs->elements()[1]->paint(image->getGraphics());
    EXPECT_EQ(kvtest::pixelsOf(image), (std::vector<int32_t>{R, G, B, W}));
    gobs->elements()[1]->refilter(kvtest::Blackout::_VM_new());
    VMPtr<kvtest::Image> filtered = kvtest::Image::createImage(2, 2, false, int32_t(0xFFF8FCF8));
    gobs->elements()[1]->paint(filtered->getGraphics());
    EXPECT_EQ(kvtest::pixelsOf(filtered), (std::vector<int32_t>(4, K)));
    EXPECT_EQ(gobs->elements()[1]->alphaType, 1);
    gob->paint(image->getGraphics());
    EXPECT_EQ(kvtest::pixelsOf(image), (std::vector<int32_t>{R, G, B, W}));
}

TEST_F(GobTest, SheetsCutWithEmptyGobsAndRefusedRectangles) {
    VMPtr<kvtest::Image> sheet = kvtest::Image::createRGBImage(ints({R, G, B, W, K, R}), 3, 2, false);
    VMPtr<Gob> cut = loadedGob({0, 0, 1, 0, 2, 2, 0, 0, 0, 0}, sheet);
    VMPtr<kvtest::Image> image = kvtest::blankImage(2, 2);
    cut->paint(image->getGraphics());
    EXPECT_EQ(kvtest::pixelsOf(image), (std::vector<int32_t>{G, B, K, R}));
    VMPtr<Gob> empty = loadedGob({0, 0, 3, 0, 0, 2, 0, 0, 0, 0}, sheet);
    EXPECT_FALSE(empty->image);
    empty->paint(image->getGraphics());
    empty->withAlpha(128)->paint(image->getGraphics());
    EXPECT_EQ(kvtest::pixelsOf(image), (std::vector<int32_t>{G, B, K, R}));
    for (const std::vector<int>& bad : std::vector<std::vector<int>>{
             {0, 0, 2, 0, 2, 1, 0, 0, 0, 0}, {0, 0, -1, 0, 1, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0x7FFF, 0x7FFF, 0, 0, 0, 0},
             {0, 0, 0, 0, -2, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 1}})
        EXPECT_NE(kvtest::thrown([&] { loadedGob(bad, sheet); }).find("IllegalArgument"), std::string::npos);
}

}  // namespace
