#pragma once

// kv::Frame: one frame of an animation set as a paintable (kind 1), or the bounds of one
// whole animation of it. It keeps its unflipped bounding rectangle relative to the paint
// position and hands painting, modules and boxes to its set. A whole-animation frame is
// bounds only: it paints nothing and has no modules and no boxes.

#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Paintable.h"

namespace kv {

class Frame : public Paintable {
    VM_CLASS(Frame, Paintable)

    // bounds: x, y, width, height as the set's bounds queries write them (transform 0).
    VMPtr<Frame> _VM_init(VMPtr<AnimSet> set, int32_t frameIndex, VMPtr<IntArray> bounds);
    void _VM_mark(uint32_t flags) override { vmMarkField(animSet, flags); }

    int32_t getKind() override { return 1; }
    int32_t getHeight(int32_t) override { return height; }
    void paint(VMPtr<Graphics> g, int32_t px, int32_t py, int32_t flags) override;
    using Paintable::paint;
    int32_t getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t type) override;
    using Paintable::getCollisionBoxes;
    int32_t getCollisionRects(int32_t flags, VMPtr<IntArray> out, int32_t type) override;
    using Paintable::getCollisionRects;
    int32_t getWidth(int32_t) override { return width; }
    int32_t getBoxCount() override;
    // x, or the mirrored left edge when flags bit 1 is set.
    int32_t getX(int32_t flags) override { return (flags & 2) ? -(x + width) : x; }
    // y, or the mirrored top edge when flags bit 0 is set.
    int32_t getY(int32_t flags) override { return (flags & 1) ? -(y + height) : y; }
    virtual int32_t getIndex() { return index < 0 ? -index : index; }
    virtual int32_t getModuleCount();
    virtual int32_t getModules(int32_t flags, VMPtr<IntArray> out);
    // Strict test of the unflipped rectangle moved by (dx, dy) against the box.
    virtual bool intersectsBox(VMPtr<graphics::CollisionBox> box, int32_t dx, int32_t dy);
    virtual void getBounds(int32_t flags, VMPtr<IntArray> out);
    virtual VMPtr<AnimSet> getAnimSet() { return animSet; }

    int16_t height = 0;
    int16_t y = 0;
    int16_t x = 0;
    int16_t width = 0;
    int16_t index = 0;
    VMPtr<AnimSet> animSet{vmField()};
    // Set for the bounds of a whole animation (whose index of 0 would otherwise name frame 0).
    bool wholeAnimation = false;

private:
    bool isFrameOfSet() const { return !wholeAnimation && index >= 0; }
};

}  // namespace kv
