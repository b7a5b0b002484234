#pragma once

// kv::Paintable: the base of everything the framework paints and tests for collisions. It
// fixes the virtual operations (kind, paint with a transform, bounds, collision boxes and
// rectangle records of a box type) and builds on them the pairwise box and rectangle tests,
// which reuse four shared scratch arrays and allocate nothing once those are large enough,
// and the tiled fill of the clip area, which paints nothing for a paintable without a
// positive size. The strict rectangle overlap test lives here too: touching edges do not
// overlap, and an empty rectangle overlaps nothing.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

namespace kv {

namespace graphics {
class CollisionBox;
}

class Paintable : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(Paintable, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using IntArray = VMArray<int32_t, 1>;
    using BoxArray = VMArray<graphics::CollisionBox*, 1>;

    VMPtr<Paintable> _VM_init() {
        Object::_VM_init();
        return this;
    }

    // Whether a box of this object (type1, flags1, moved by x1, y1) intersects a box of
    // other; the first hitting pair is left in CollisionBox::lastHitA / lastHitB, which are
    // cleared when either object has no boxes.
    virtual bool collides(int32_t x1, int32_t y1, int32_t flags1, int32_t type1, VMPtr<Paintable> other, int32_t x2,
                          int32_t y2, int32_t flags2, int32_t type2);
    // The same over rectangle records; result, when given, receives the intersection and the
    // two box types of the first overlapping pair.
    virtual bool collidesRects(int32_t x1, int32_t y1, int32_t flags1, int32_t type1, VMPtr<Paintable> other,
                               int32_t x2, int32_t y2, int32_t flags2, int32_t type2, VMPtr<IntArray> result);
    // Fills g's clip area with copies painted on a grid through (x, y).
    virtual void paintTiled(VMPtr<Graphics> g, int32_t x, int32_t y);
    virtual int32_t getKind() = 0;
    virtual int32_t getCollisionRects(int32_t flags, VMPtr<IntArray> out) { return getCollisionRects(flags, out, -1); }
    virtual int32_t getHeight(int32_t flags) = 0;
    virtual void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags) = 0;
    virtual void paint(VMPtr<Graphics> g) { paint(g, 0, 0, 0); }
    // Fills the existing boxes of out with this object's boxes of the type (-1: all) and
    // answers how many it filled.
    virtual int32_t getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t type);
    // Writes this object's rectangle records of the type into out; answers their count.
    virtual int32_t getCollisionRects(int32_t flags, VMPtr<IntArray> out, int32_t type);
    virtual int32_t getWidth(int32_t flags) = 0;
    virtual int32_t getBoxCount() { return 0; }
    // Left and top edge relative to the paint position under the transform.
    virtual int32_t getX(int32_t flags) = 0;
    virtual int32_t getY(int32_t flags) = 0;

    int32_t getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out) { return getCollisionBoxes(flags, out, -1); }

    // False when either rectangle has a width or height below 1; otherwise whether they
    // share an inner point. Computed in 64 bits, so edges near the int range do not wrap.
    static bool overlaps(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2);

    // Scratch arrays of the pairwise tests, shared by every paintable (game thread only).
    static VMPtr<IntArray> rectsA;
    static VMPtr<IntArray> rectsB;
    static VMPtr<BoxArray> boxesA;
    static VMPtr<BoxArray> boxesB;

private:
    // Fills boxes (grown to the box count) with the object's boxes moved by (x, y).
    static int32_t gatherBoxes(Paintable* object, VMPtr<BoxArray>& boxes, int32_t x, int32_t y, int32_t flags,
                               int32_t type);
    static int32_t gatherRects(Paintable* object, VMPtr<IntArray>& rects, int32_t x, int32_t y, int32_t flags,
                               int32_t type);
};

}  // namespace kv
