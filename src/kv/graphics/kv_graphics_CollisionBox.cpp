#include "src/kv/graphics/kv_graphics_CollisionBox.h"

#include <algorithm>
#include <cstdio>

#include "pb_src/j2me/java_lang_String.h"
#include "src/kv/WrappingArithmetic.h"

namespace kv::graphics {

VM_DEFINE_CLASS(CollisionBox, "kv.graphics.CollisionBox", "kv.Paintable", &CollisionBox::_VM_clinit)

VMPtr<CollisionBox> CollisionBox::testBox{VMStaticScope::instance()};
VMPtr<CollisionBox> CollisionBox::lastHitA{VMStaticScope::instance()};
VMPtr<CollisionBox> CollisionBox::lastHitB{VMStaticScope::instance()};

namespace {

// Whether dx² + dy² is below r² (or equal to it, when inclusive), without overflow for any
// distances made of 32-bit coordinates.
bool withinRadius(int64_t dx, int64_t dy, int64_t r, bool inclusive) {
    uint64_t ux = uint64_t(dx < 0 ? -dx : dx), uy = uint64_t(dy < 0 ? -dy : dy), ur = uint64_t(r < 0 ? -r : r);
    if (ux > ur || uy > ur) return false;
    uint64_t distance = ux * ux + uy * uy, limit = ur * ur;
    return inclusive ? distance <= limit : distance < limit;
}

}  // namespace

void CollisionBox::_VM_clinit() {
    testBox = _VM_new();
    testBox->_VM_init();
}

void CollisionBox::paint(VMPtr<Graphics> g, int32_t dx, int32_t dy, int32_t) {
    translate(dx, dy);
    paint(g);
    translate(wrapNeg(dx), wrapNeg(dy));
}

void CollisionBox::paint(VMPtr<Graphics> g) {
    if (width < 1 || height < 1) return;
    int32_t saved = hasColour ? g->getARGBColor() : 0;
    if (hasColour) g->setARGBColor(colour);
    if (kind == 4) {
        if (filled) g->fillArc(x, y, width - 1, height - 1, 0, 360);
        else g->drawArc(x, y, width - 1, height - 1, 0, 360);
    } else if (filled) {
        g->fillRect(x, y, width, height);
    } else {
        g->drawRect(x, y, width - 1, height - 1);
    }
    if (hasColour) g->setARGBColor(saved);
}

int32_t CollisionBox::getCollisionBoxes(int32_t, VMPtr<BoxArray> out, int32_t boxType) {
    if (isEmpty() || (boxType >= 0 && boxType != type)) return 0;
    if (out->length > 0) copyTo(out->elements()[0]);
    return 1;
}

void CollisionBox::setSize(int32_t w, int32_t h) {
    width = w;
    height = h;
}

void CollisionBox::setIntersection(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b) {
    x = std::max(a->x, b->x);
    y = std::max(a->y, b->y);
    width = wrapSub(std::min(a->right(), b->right()), x);
    height = wrapSub(std::min(a->bottom(), b->bottom()), y);
    kind = 3;
}

void CollisionBox::translate(int32_t dx, int32_t dy) {
    x = wrapAdd(x, dx);
    y = wrapAdd(y, dy);
}

bool CollisionBox::intersectsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh) {
    if (kind == 3) return rw > 0 && rh > 0 && !isEmpty() && overlaps(x, y, width, height, rx, ry, rw, rh);
    testBox->setBounds(rx, ry, rw, rh);
    int32_t r = width >> 1;
    return circleIntersectsBox(wrapAdd(x, r), wrapAdd(y, r), r, testBox);
}

bool CollisionBox::intersects(VMPtr<CollisionBox> other) {
    int32_t r = width >> 1, ro = other->width >> 1;
    if (kind == 3 && other->kind == 3) return overlaps(x, y, width, height, other->x, other->y, other->width, other->height);
    if (kind == 3) return circleIntersectsBox(wrapAdd(other->x, ro), wrapAdd(other->y, ro), ro, this);
    if (other->kind == 3) return circleIntersectsBox(wrapAdd(x, r), wrapAdd(y, r), r, other);
    int64_t dx = int64_t(wrapAdd(x, r)) - wrapAdd(other->x, ro), dy = int64_t(wrapAdd(y, r)) - wrapAdd(other->y, ro);
    return withinRadius(dx, dy, int64_t(r) + ro, true);
}

void CollisionBox::setBounds(int32_t bx, int32_t by, int32_t w, int32_t h) {
    x = bx;
    y = by;
    width = w;
    height = h;
}

void CollisionBox::setPosition(int32_t px, int32_t py) {
    x = px;
    y = py;
}

void CollisionBox::copyTo(VMPtr<CollisionBox> target) {
    target->setBounds(x, y, width, height);
    target->type = type;
    target->kind = kind;
}

bool CollisionBox::intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy, int32_t flags) {
    int64_t left = int64_t(dx) + getX(flags), top = int64_t(dy) + getY(flags);
    return int64_t(other->x) + other->width > left && int64_t(other->y) + other->height > top &&
           left + getWidth(flags) > other->x && top + getHeight(flags) > other->y;
}

bool CollisionBox::containsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh) {
    return rw >= 1 && rh >= 1 && !isEmpty() && rx >= x && ry >= y && int64_t(x) + width >= int64_t(rx) + rw &&
           int64_t(y) + height >= int64_t(ry) + rh;
}

bool CollisionBox::containsPoint(int32_t px, int32_t py) {
    if (kind == 3) return !isEmpty() && px >= x && py >= y && px < int64_t(x) + width && py < int64_t(y) + height;
    int32_t r = width >> 1;
    return withinRadius(int64_t(px) - x - r, int64_t(py) - y - r, r, false);
}

bool CollisionBox::containsBox(VMPtr<CollisionBox> other) {
    return containsRect(other->x, other->y, other->width, other->height);
}

void CollisionBox::copyAllTo(VMPtr<CollisionBox> target) {
    copyTo(target);
    target->filled = filled;
    target->colour = colour;
    target->hasColour = hasColour;
}

void CollisionBox::setUnion(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b) {
    x = std::min(a->x, b->x);
    y = std::min(a->y, b->y);
    width = wrapSub(std::max(a->right(), b->right()), x);
    height = wrapSub(std::max(a->bottom(), b->bottom()), y);
    kind = 3;
}

VMPtr<::java::lang::String> CollisionBox::toString() {
    char text[96];
    std::snprintf(text, sizeof text, "x,y:%d,%d, WxH:%d,%d", int(x), int(y), int(width), int(height));
    return ::java::lang::String::fromUtf8(text);
}

bool CollisionBox::circleIntersectsBox(int32_t cx, int32_t cy, int32_t r, VMPtr<CollisionBox> box) {
    int64_t hw = box->width >> 1, hh = box->height >> 1;
    int64_t dx = int64_t(cx) - box->x - hw, dy = int64_t(cy) - box->y - hh;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    if (dx > hw + r || dy > hh + r) return false;
    if (dx <= hw || dy <= hh) return true;
    return withinRadius(dx - hw, dy - hh, r, true);
}

bool CollisionBox::collides(int32_t n, VMPtr<BoxArray> a, int32_t m, VMPtr<BoxArray> b) {
    for (int32_t i = 0; i < n; ++i)
        for (int32_t j = 0; j < m; ++j) {
            CollisionBox* mine = a->at(i);
            CollisionBox* theirs = b->at(j);
            if (mine->intersects(theirs)) {
                lastHitA = mine;
                lastHitB = theirs;
                return true;
            }
        }
    lastHitA = nullptr;
    lastHitB = nullptr;
    return false;
}

VMPtr<CollisionBox::BoxArray> CollisionBox::ensureArray(VMPtr<BoxArray> boxes, int32_t n) {
    if (boxes && boxes->length >= n) return boxes;
    VMPtr<BoxArray> fresh = BoxArray::_VM_new(std::max(n, 4));
    for (int32_t i = 0; i < fresh->length; ++i) {
        VMPtr<CollisionBox> box = _VM_new();
        box->_VM_init();
        fresh->elements()[i] = box.get();
    }
    return fresh;
}

}  // namespace kv::graphics
