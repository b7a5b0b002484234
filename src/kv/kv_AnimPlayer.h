#pragma once

// kv::AnimPlayer: plays one animation of a set at a position (kind 2). update advances it
// by elapsed time through durations, loop counts and hold levels, interpolates tweened
// offsets and moves the player by the change of the animation's cumulative offset under its
// flip flags. It paints the shown frame and answers box tests with that frame's boxes,
// filling the paintables' shared box array (no allocation once it is large enough). Its
// paintable bounds are those of the whole animation, rebuilt when the animation or the set
// changes.
//
// update always ends: a pass stops once a whole cycle has gone by without consuming time,
// and a tweened frame of duration 0 does not interpolate.

#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Paintable.h"

namespace kv {

class AnimPlayer : public Paintable {
    VM_CLASS(AnimPlayer, Paintable)
    using CollisionBox = graphics::CollisionBox;
    using GobArray = AnimSet::GobArray;

    VMPtr<AnimPlayer> _VM_init() {
        Paintable::_VM_init();
        animation = -1;
        boxType = -1;
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        vmMarkField(animationFrame, flags);
        vmMarkField(animSet, flags);
    }

    int32_t getKind() override { return 2; }
    // Bounds of the whole animation (getAnimationFrame); 0 without one.
    int32_t getHeight(int32_t flags) override;
    int32_t getWidth(int32_t flags) override;
    int32_t getX(int32_t flags) override;
    int32_t getY(int32_t flags) override;
    // Paints at the position moved by (dx, dy) with flags XORed into the player's; resets
    // the hold level as paint(g) does.
    void paint(VMPtr<Graphics> g, int32_t dx, int32_t dy, int32_t flags) override;
    // Paints the shown frame at the position and resets the hold level.
    void paint(VMPtr<Graphics> g) override;
    int32_t getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t type) override;
    using Paintable::getCollisionBoxes;
    int32_t getCollisionRects(int32_t flags, VMPtr<IntArray> out, int32_t type) override;
    using Paintable::getCollisionRects;
    int32_t getBoxCount() override;

    virtual VMPtr<Frame> getCurrentFrame();
    virtual int32_t getPrevX() { return prevX; }
    virtual void moveBy(int32_t dx, int32_t dy);
    // Whether a box of the shown frame hits the gob's collision box placed at (gx, gy).
    virtual bool collidesWithGob(VMPtr<Gob> gob, int32_t gx, int32_t gy, int32_t gobFlags);
    // Whether a box of this player's shown frame hits one of the other's, each at its
    // position under its flags and of its box type.
    virtual bool collidesWith(VMPtr<AnimPlayer> other);
    virtual bool containsPoint(int32_t px, int32_t py);
    // Whether a box of the shown frame, at the position, hits box; the pair is left in
    // CollisionBox::lastHitA / lastHitB, both cleared when nothing hits.
    virtual bool collidesWithBox(VMPtr<CollisionBox> box);
    // Remaining plays; -1 for an endless animation.
    virtual int32_t getLoops() { return loops < 0 ? -1 : loops; }
    virtual int32_t getFlags() { return flags; }
    virtual bool getUserFlag() { return userFlag; }
    virtual int32_t getUserValue() { return userValue; }
    virtual int32_t getRectsOfType(VMPtr<IntArray> out, int32_t type) { return getCollisionRects(flags, out, type); }
    virtual int32_t getBoxesOfType(VMPtr<BoxArray> out, int32_t type) { return getCollisionBoxes(flags, out, type); }
    virtual void setFlags(int32_t value) { flags = int8_t(value); }
    // Time spent in the animation so far.
    virtual int32_t getElapsedTime();
    // Shows animation frame k from its start.
    virtual void setFrame(int32_t k);
    // The cached bounds frame of the current animation.
    virtual VMPtr<Frame> getAnimationFrame();
    virtual int32_t getFrameModules(VMPtr<IntArray> out);
    virtual int32_t getBoxes(VMPtr<BoxArray> out) { return getBoxesOfType(out, -1); }
    virtual int32_t getRects(VMPtr<IntArray> out) { return getRectsOfType(out, -1); }
    virtual int32_t getFrameIndex() { return frameIndex; }
    // Advances by dt; answers whether the animation still plays.
    virtual bool update(int32_t dt);
    virtual VMPtr<GobArray> getGobs();
    virtual int32_t getAnimationDuration();
    virtual void paintCollisionBoxes(VMPtr<Graphics> g);
    virtual int32_t getDeltaX() { return x - prevX; }
    // The shown frame's bounds under the player's flags, moved by the position (empty bounds
    // are left unmoved).
    virtual void getBounds(VMPtr<IntArray> out);
    // The frame index of the shown animation frame.
    virtual int32_t getShownFrameIndex();
    virtual void setY(int32_t value) { y = int16_t(value); }
    virtual int32_t getX() { return x; }
    // Selects the animation and starts it at its first frame with its own loop count.
    virtual void setAnimation(int32_t anim);
    virtual int32_t getShownFrame() { return shownFrame; }
    virtual int32_t getAnimationLength() { return length; }
    virtual int32_t getDeltaY() { return y - prevY; }
    // The first box of the shown frame of the box type under flags, moved by (bx, by), into
    // out; out's width is 0 and the answer false when there is none.
    virtual bool getCollisionBox(VMPtr<CollisionBox> out, int32_t bx, int32_t by, int32_t boxFlags);
    virtual bool getCollisionBox(VMPtr<CollisionBox> out) { return getCollisionBox(out, x, y, flags); }
    virtual void setUserFlag(bool value) { userFlag = value; }
    virtual void setPrevX(int32_t value) { prevX = int16_t(value); }
    virtual void toggleFlags(int32_t value) { flags = int8_t(flags ^ value); }
    virtual void setX(int32_t value) { x = int16_t(value); }
    virtual int32_t getPrevY() { return prevY; }
    virtual void setPrevY(int32_t value) { prevY = int16_t(value); }
    virtual int32_t getY() { return y; }
    virtual void setUserValue(int32_t value) { userValue = int16_t(value); }
    virtual void setAnimSet(VMPtr<AnimSet> set);
    virtual VMPtr<AnimSet> getAnimSet() { return animSet; }
    virtual int32_t getAnimation() { return animation; }
    // The shown frame's top relative to the player's y; -(top + height) under flags bit 0.
    virtual int32_t getFrameTop(int32_t frameFlags);

    bool userFlag = false;
    int16_t userValue = 0;
    int8_t flags = 0;
    int8_t boxType = 0;
    int16_t prevY = 0;
    int16_t prevX = 0;
    int16_t y = 0;
    int16_t x = 0;
    int8_t loops = 0;
    VMPtr<Frame> animationFrame{vmField()};
    int16_t motionX = 0;
    uint16_t firstAnimFrame = 0;
    uint16_t frameIndex = 0;
    int16_t motionY = 0;
    uint16_t timeInFrame = 0;
    int16_t animation = 0;
    uint16_t length = 0;
    VMPtr<AnimSet> animSet{vmField()};
    uint16_t shownFrame = 0;
    uint8_t holdLevel = 0;

private:
    bool showsFrame() const { return animSet && length != 0; }
    int32_t stepWord(int32_t k) { return AnimSet::entry(animSet->animFrames, firstAnimFrame + k); }
    void moveByOffset(int32_t dx, int32_t dy);
};

}  // namespace kv
