#pragma once

// kv::graphics::CollisionBox: a typed hit area, an axis-aligned rectangle (kind 3) or a
// circle of diameter width touching the top and left edges (any other kind). Point,
// rectangle and box tests use strict rectangle edges, and touching circles intersect;
// squared distances are computed in 64 bits, so large coordinates cannot wrap. The array
// test records its first hitting pair in lastHitA / lastHitB. ensureArray hands out arrays
// whose every slot holds a box.

#include "src/kv/kv_Paintable.h"
#include "src/kv/WrappingArithmetic.h"

namespace kv::graphics {

class CollisionBox : public Paintable {
    VM_CLASS(CollisionBox, Paintable)

    VMPtr<CollisionBox> _VM_init() { return _VM_init(3); }
    VMPtr<CollisionBox> _VM_init(int32_t boxKind) {
        Paintable::_VM_init();
        kind = boxKind;
        return this;
    }
    static void _VM_clinit();

    int32_t getKind() override { return kind; }
    int32_t getHeight(int32_t) override { return height; }
    // Adds (dx, dy) to the position for the duration of the paint; flags are not used.
    void paint(VMPtr<Graphics> g, int32_t dx, int32_t dy, int32_t flags) override;
    // Outline or filled rectangle or circle, in colour when hasColour; nothing when empty.
    void paint(VMPtr<Graphics> g) override;
    // 1 when the box is not empty and matches the type (negative: any), copied into out[0]
    // when out has an element; else 0.
    int32_t getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t type) override;
    using Paintable::getCollisionBoxes;
    int32_t getWidth(int32_t) override { return width; }
    int32_t getBoxCount() override { return isEmpty() ? 0 : 1; }
    int32_t getX(int32_t) override { return x; }
    int32_t getY(int32_t) override { return y; }
    virtual void setSize(int32_t w, int32_t h);
    // The overlap of a and b as a rectangle box; disjoint boxes leave it empty.
    virtual void setIntersection(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b);
    virtual void translate(int32_t dx, int32_t dy);
    virtual bool intersectsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh);
    virtual bool intersects(VMPtr<CollisionBox> other);
    virtual void set(VMPtr<CollisionBox> other) { setBounds(other->x, other->y, other->width, other->height); }
    virtual void setBounds(int32_t bx, int32_t by, int32_t w, int32_t h);
    virtual void setPosition(int32_t px, int32_t py);
    // Copies position, size, type and kind.
    virtual void copyTo(VMPtr<CollisionBox> target);
    // Strict rectangle test of other against this box's bounds placed at (dx, dy).
    virtual bool intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy, int32_t flags);
    virtual bool intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy) { return intersectsAt(other, dx, dy, 0); }
    virtual bool containsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh);
    virtual bool containsPoint(int32_t px, int32_t py);
    virtual bool containsBox(VMPtr<CollisionBox> other);
    // Copies everything copyTo does, and the fill and colour settings.
    virtual void copyAllTo(VMPtr<CollisionBox> target);
    // The bounding rectangle box of a and b.
    virtual void setUnion(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b);
    virtual bool isEmpty() { return width <= 0 || height <= 0; }
    // x + width and y + height, wrapping at the 32-bit limits.
    int32_t right() const { return wrapAdd(x, width); }
    int32_t bottom() const { return wrapAdd(y, height); }
    // "x,y:<x>,<y>, WxH:<width>,<height>"
    VMPtr<::java::lang::String> toString() override;

    // Whether the circle of radius r centred at (cx, cy) touches or enters box's rectangle.
    static bool circleIntersectsBox(int32_t cx, int32_t cy, int32_t r, VMPtr<CollisionBox> box);
    // Whether some a[i] intersects some b[j] (j fastest); records the first pair, or null.
    // The walk reads a box at a time: a count beyond its array throws
    // ArrayIndexOutOfBoundsException at the first missing element the walk reaches.
    static bool collides(int32_t n, VMPtr<BoxArray> a, int32_t m, VMPtr<BoxArray> b);
    using Paintable::collides;
    // boxes when it holds at least n; otherwise a new array of max(n, 4) new rectangle boxes
    // (the old boxes are not carried over).
    static VMPtr<BoxArray> ensureArray(VMPtr<BoxArray> boxes, int32_t n);

    static VMPtr<CollisionBox> testBox;
    static VMPtr<CollisionBox> lastHitA;
    static VMPtr<CollisionBox> lastHitB;

    int32_t height = 0;
    int32_t colour = 0;
    int32_t width = 0;
    int32_t type = 0;
    int32_t kind = 0;
    bool hasColour = false;
    int32_t y = 0;
    bool filled = false;
    int32_t x = 0;
};

}  // namespace kv::graphics
