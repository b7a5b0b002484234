// Collision boxes: point, rectangle and box tests at their edges for rectangles and
// circles, far coordinates, the array test's hit pair, arrays whose every slot holds a box,
// the intersection and union, the text form and painting.

#include <gtest/gtest.h>

#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "tests/kv/PaintSupport.h"

namespace {

using kv::graphics::CollisionBox;
using BoxArray = CollisionBox::BoxArray;

VMPtr<CollisionBox> box(int32_t kind, int32_t x, int32_t y, int32_t w, int32_t h) {
    VMPtr<CollisionBox> b = CollisionBox::_VM_new();
    b->_VM_init(kind);
    b->setBounds(x, y, w, h);
    return b;
}

class CollisionBoxTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(CollisionBoxTest, ContainsPoint) {
    struct Case { int32_t kind, w, h, px, py; bool inside; } cases[] = {
        {3, 10, 10, 0, 0, true}, {3, 10, 10, 9, 9, true},  {3, 10, 10, 10, 5, false}, {3, 0, 10, 0, 0, false},
        {4, 10, 10, 5, 1, true}, {4, 10, 10, 5, 0, false}, {4, 10, 10, 0, 0, false}};
    for (const Case& c : cases) EXPECT_EQ(box(c.kind, 0, 0, c.w, c.h)->containsPoint(c.px, c.py), c.inside) << c.px;
    EXPECT_FALSE(box(4, INT32_MIN, INT32_MIN, 10, 10)->containsPoint(INT32_MAX, INT32_MAX));
}

TEST_F(CollisionBoxTest, IntersectsByKind) {
    struct Case { int32_t k1, x1, y1, w1, k2, x2, y2, w2; bool hit; } cases[] = {
        {3, 0, 0, 10, 3, 10, 0, 10, false}, {3, 0, 0, 10, 3, 9, 9, 10, true},   {4, 0, 0, 10, 4, 10, 0, 10, true},
        {4, 0, 0, 10, 4, 11, 0, 10, false}, {4, 0, 0, 10, 3, 10, 0, 10, true},  {3, 0, 0, 10, 4, 17, 17, 10, false},
        {3, 0, 0, 10, 4, 8, 8, 10, true},   {4, 0, 0, 0x40000000, 4, INT32_MAX - 10, INT32_MAX - 10, 0x40000000, false}};
    for (const Case& c : cases) {
        VMPtr<CollisionBox> a = box(c.k1, c.x1, c.y1, c.w1, c.w1), b = box(c.k2, c.x2, c.y2, c.w2, c.w2);
        EXPECT_EQ(a->intersects(b), c.hit) << c.k1 << c.k2 << c.x2;
        EXPECT_EQ(b->intersects(a), c.hit) << c.k1 << c.k2 << c.x2;
    }
    EXPECT_TRUE(box(4, 0, 0, 10, 10)->intersectsRect(9, 5, 3, 3));
    EXPECT_FALSE(box(3, 0, 0, 10, 10)->intersectsRect(10, 0, 3, 3));
}

TEST_F(CollisionBoxTest, ArrayTestKeepsTheFirstHit) {
    VMPtr<BoxArray> a = CollisionBox::ensureArray(nullptr, 2), b = CollisionBox::ensureArray(nullptr, 2);
    a->elements()[0]->setBounds(0, 0, 5, 5);
    a->elements()[1]->setBounds(50, 50, 5, 5);
    b->elements()[0]->setBounds(20, 0, 5, 5);
    b->elements()[1]->setBounds(52, 52, 5, 5);
    EXPECT_TRUE(CollisionBox::collides(2, a, 2, b));
    EXPECT_EQ(CollisionBox::lastHitA.get(), a->elements()[1]);
    EXPECT_EQ(CollisionBox::lastHitB.get(), b->elements()[1]);
    EXPECT_FALSE(CollisionBox::collides(1, a, 2, b));
    EXPECT_FALSE(CollisionBox::lastHitA);
}

// Counts beyond the arrays: the walk throws at the first missing box it reaches, and a
// walk that ends early (a hit, or nothing to pair with) reads no further.
TEST_F(CollisionBoxTest, ArrayTestChecksItsCounts) {
    VMPtr<BoxArray> a = CollisionBox::ensureArray(nullptr, 2), b = CollisionBox::ensureArray(nullptr, 2);
    a->elements()[0]->setBounds(0, 0, 5, 5);
    b->elements()[0]->setBounds(2, 2, 5, 5);
    VMPtr<BoxArray> shortA = BoxArray::_VM_new(2), shortB = BoxArray::_VM_new(2);
    for (int32_t i = 0; i < 2; ++i) {
        shortA->set(i, box(3, 100 * i, 0, 5, 5));
        shortB->set(i, box(3, 0, 100 + 100 * i, 5, 5));
    }
    struct Case { int32_t n; VMPtr<BoxArray> a; int32_t m; VMPtr<BoxArray> b; const char* outcome; } cases[] = {
        {3, shortA, 1, shortB, "java.lang.ArrayIndexOutOfBoundsException: Array index out of range: 2"},
        {1, shortA, 5, shortB, "java.lang.ArrayIndexOutOfBoundsException: Array index out of range: 2"},
        {9, shortA, 0, shortB, "false"},
        {2, shortA, 2, shortB, "false"},
        {2, a, 9, b, "true"},  // a[0] and b[0] overlap: the walk stops there
    };
    for (const Case& c : cases) {
        std::string outcome;
        const std::string failure = kvtest::thrown([&] { outcome = CollisionBox::collides(c.n, c.a, c.m, c.b) ? "true" : "false"; });
        EXPECT_EQ(failure.empty() ? outcome : failure, c.outcome)
            << c.n << " of " << c.a->length << ", " << c.m << " of " << c.b->length;
    }
}

TEST_F(CollisionBoxTest, EnsureArrayFillsEverySlot) {
    struct Case { int32_t have, need, length; bool same; } cases[] = {
        {-1, 2, 4, false}, {-1, 0, 4, false}, {4, 3, 4, true}, {5, 6, 6, false}, {6, 6, 6, true}};
    for (const Case& c : cases) {
        VMPtr<BoxArray> old = c.have < 0 ? nullptr : CollisionBox::ensureArray(nullptr, c.have);
        VMPtr<BoxArray> got = CollisionBox::ensureArray(old, c.need);
        EXPECT_EQ(got->length, c.length);
        EXPECT_EQ(got.get() == old.get(), c.same);
        for (int32_t i = 0; i < got->length; ++i) EXPECT_EQ(got->elements()[i]->getKind(), 3);
    }
}

TEST_F(CollisionBoxTest, IntersectionUnionContainmentAndText) {
    VMPtr<CollisionBox> a = box(3, 0, 0, 10, 10), b = box(4, 5, 6, 10, 10), c = box(4, 0, 0, 0, 0);
    c->setIntersection(a, b);
    EXPECT_EQ(c->toString()->toUtf8(), "x,y:5,6, WxH:5,4");
    EXPECT_EQ(c->getKind(), 3);
    VMPtr<CollisionBox> round = box(4, 0, 0, 0, 0);
    round->setUnion(a, b);
    EXPECT_EQ(round->toString()->toUtf8(), "x,y:0,0, WxH:15,16");
    EXPECT_EQ(round->getKind(), 3);
    c->setIntersection(a, box(3, 20, 0, 5, 5));
    EXPECT_TRUE(c->isEmpty());
    EXPECT_TRUE(a->containsRect(0, 0, 10, 10));
    EXPECT_FALSE(a->containsRect(1, 1, 10, 1));
    EXPECT_FALSE(a->containsRect(1, 1, 1, 0));
    EXPECT_FALSE(a->containsBox(box(3, 1, 1, 0, 1)));
    EXPECT_TRUE(a->intersectsAt(box(3, 14, 0, 1, 1), 5, 0));
    EXPECT_FALSE(a->intersectsAt(box(3, 15, 0, 1, 1), 5, 0));
}

// Edges, moves and circle centres wrap at the 32-bit limits; widths across the limit come
// out right.
TEST_F(CollisionBoxTest, ArithmeticWrapsAtTheLimits) {
    VMPtr<CollisionBox> a = box(3, INT32_MAX - 5, INT32_MAX - 5, 10, 10), b = box(3, INT32_MAX - 2, 0, 10, 10);
    VMPtr<CollisionBox> c = box(3, 0, 0, 0, 0);
    c->setIntersection(a, b);
    EXPECT_EQ(c->toString()->toUtf8(), "x,y:2147483645,2147483642, WxH:7,10");
    c->setUnion(a, b);
    EXPECT_EQ(c->toString()->toUtf8(), "x,y:2147483642,0, WxH:13,10");
    c->setBounds(INT32_MAX, INT32_MAX, 4, 4);
    c->translate(1, 2);
    EXPECT_EQ(c->toString()->toUtf8(), "x,y:-2147483648,-2147483647, WxH:4,4");
    c->paint(kvtest::blankImage(1, 1)->getGraphics(), INT32_MIN, INT32_MIN, 0);
    EXPECT_EQ(c->x, INT32_MIN);
    // A circle whose centre passes the limit lies far left of a rectangle beside its box.
    VMPtr<CollisionBox> round = box(4, INT32_MAX - 4, 0, 10, 10);
    EXPECT_FALSE(round->intersectsRect(INT32_MAX - 4, 0, 4, 10));
    EXPECT_FALSE(round->intersects(box(3, INT32_MAX - 4, 0, 4, 10)));
    EXPECT_TRUE(round->intersects(box(4, INT32_MAX - 4, 0, 10, 10)));
}

TEST_F(CollisionBoxTest, PaintsInItsColourAndRestoresTheCurrentOne) {
    VMPtr<kvtest::Image> image = kvtest::blankImage(4, 4);
    VMPtr<kvtest::Graphics> g = image->getGraphics();
    g->setColor(0x0000F8);
    VMPtr<CollisionBox> b = box(3, 0, 0, 2, 2);
    b->filled = true;
    b->hasColour = true;
    b->colour = int32_t(0xFFF80000);
    b->paint(g, 1, 1, 0);
    g->fillRect(3, 3, 1, 1);
    std::vector<int32_t> px = kvtest::pixelsOf(image);
    EXPECT_EQ(uint32_t(px[5]), 0xFFF80000u);
    EXPECT_EQ(uint32_t(px[10]), 0xFFF80000u);
    EXPECT_EQ(uint32_t(px[0]), 0xFF000000u);
    EXPECT_EQ(uint32_t(px[15]), 0xFF0000F8u);
    EXPECT_EQ(b->x, 0);
}

}  // namespace
