#include "src/kv/kv_Paintable.h"

#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/WrappingArithmetic.h"

namespace kv {

VM_DEFINE_ABSTRACT_CLASS(Paintable, "kv.Paintable", "java.lang.Object", VM_NO_CLINIT)

using graphics::CollisionBox;

VMPtr<Paintable::IntArray> Paintable::rectsA{VMStaticScope::instance()};
VMPtr<Paintable::IntArray> Paintable::rectsB{VMStaticScope::instance()};
VMPtr<Paintable::BoxArray> Paintable::boxesA{VMStaticScope::instance()};
VMPtr<Paintable::BoxArray> Paintable::boxesB{VMStaticScope::instance()};

bool Paintable::overlaps(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2) {
    if (w1 < 1 || h1 < 1 || w2 < 1 || h2 < 1) return false;
    return int64_t(x2) + w2 > x1 && int64_t(y2) + h2 > y1 && int64_t(x1) + w1 > x2 && int64_t(y1) + h1 > y2;
}

int32_t Paintable::getCollisionBoxes(int32_t, VMPtr<BoxArray>, int32_t) { return 0; }

int32_t Paintable::getCollisionRects(int32_t, VMPtr<IntArray>, int32_t) { return 0; }

int32_t Paintable::gatherBoxes(Paintable* object, VMPtr<BoxArray>& boxes, int32_t x, int32_t y, int32_t flags,
                               int32_t type) {
    boxes = CollisionBox::ensureArray(boxes, object->getBoxCount());
    int32_t count = object->getCollisionBoxes(flags, boxes, type);
    for (int32_t i = 0; i < count; ++i) boxes->elements()[i]->translate(x, y);
    return count;
}

int32_t Paintable::gatherRects(Paintable* object, VMPtr<IntArray>& rects, int32_t x, int32_t y, int32_t flags,
                               int32_t type) {
    int64_t needed = int64_t(object->getBoxCount()) * 5;
    if (!rects || rects->length < needed) rects = IntArray::_VM_new(int32_t(needed));
    int32_t count = object->getCollisionRects(flags, rects, type);
    int32_t* record = rects->elements();
    for (int32_t i = 0; i < count; ++i, record += 5) {
        record[0] = wrapAdd(record[0], x);
        record[1] = wrapAdd(record[1], y);
    }
    return count;
}

bool Paintable::collides(int32_t x1, int32_t y1, int32_t flags1, int32_t type1, VMPtr<Paintable> other, int32_t x2,
                         int32_t y2, int32_t flags2, int32_t type2) {
    if (getBoxCount() < 1 || other->getBoxCount() < 1) {
        CollisionBox::lastHitA = nullptr;
        CollisionBox::lastHitB = nullptr;
        return false;
    }
    int32_t n = gatherBoxes(this, boxesA, x1, y1, flags1, type1);
    int32_t m = gatherBoxes(other.get(), boxesB, x2, y2, flags2, type2);
    return CollisionBox::collides(n, boxesA, m, boxesB);
}

bool Paintable::collidesRects(int32_t x1, int32_t y1, int32_t flags1, int32_t type1, VMPtr<Paintable> other,
                              int32_t x2, int32_t y2, int32_t flags2, int32_t type2, VMPtr<IntArray> result) {
    if (getBoxCount() < 1 || other->getBoxCount() < 1) return false;
    int32_t n = gatherRects(this, rectsA, x1, y1, flags1, type1);
    int32_t m = gatherRects(other.get(), rectsB, x2, y2, flags2, type2);
    return Gob::collideLists(n, rectsA, m, rectsB, result);
}

namespace {

// The first grid position at or before the clip's start that still covers it.
int64_t alignedStart(int64_t start, int64_t clip, int64_t step) {
    return start < clip ? clip - (clip - start) % step : start;
}

}  // namespace

void Paintable::paintTiled(VMPtr<Graphics> g, int32_t x, int32_t y) {
    int64_t stepX = getWidth(0), stepY = getHeight(0);
    if (stepX < 1 || stepY < 1) return;
    int64_t clipX = g->getClipX(), clipY = g->getClipY();
    int64_t right = clipX + g->getClipWidth(), bottom = clipY + g->getClipHeight();
    int64_t x0 = alignedStart(int64_t(x) + getX(0), clipX, stepX);
    for (int64_t row = alignedStart(int64_t(y) + getY(0), clipY, stepY); row < bottom; row += stepY)
        for (int64_t column = x0; column < right; column += stepX) paint(g, int32_t(column), int32_t(row), 0);
}

}  // namespace kv
