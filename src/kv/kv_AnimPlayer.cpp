#include "src/kv/kv_AnimPlayer.h"

#include <algorithm>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "src/kv/kv_Gob.h"

namespace kv {

VM_DEFINE_CLASS(AnimPlayer, "kv.AnimPlayer", "kv.Paintable", VM_NO_CLINIT)

using graphics::CollisionBox;

namespace {

constexpr int32_t kFractionBits = 12;
constexpr int64_t kMaxTimeInFrame = 0xFFFF;

}  // namespace

// ---- bounds ----

VMPtr<Frame> AnimPlayer::getAnimationFrame() {
    if (!animationFrame && animSet && animation >= 0) animationFrame = animSet->getAnimationFrame(animation);
    return animationFrame;
}

int32_t AnimPlayer::getHeight(int32_t f) {
    VMPtr<Frame> frame = getAnimationFrame();
    return frame ? frame->getHeight(f) : 0;
}

int32_t AnimPlayer::getWidth(int32_t f) {
    VMPtr<Frame> frame = getAnimationFrame();
    return frame ? frame->getWidth(f) : 0;
}

int32_t AnimPlayer::getX(int32_t f) {
    VMPtr<Frame> frame = getAnimationFrame();
    return frame ? frame->getX(f) : 0;
}

int32_t AnimPlayer::getY(int32_t f) {
    VMPtr<Frame> frame = getAnimationFrame();
    return frame ? frame->getY(f) : 0;
}

int32_t AnimPlayer::getFrameTop(int32_t frameFlags) {
    VMPtr<Frame> frame = getCurrentFrame();
    return frame ? frame->getY(frameFlags) : 0;
}

void AnimPlayer::getBounds(VMPtr<IntArray> out) {
    if (!showsFrame()) return;
    animSet->getFrameBounds(getShownFrameIndex(), flags, out);
    if (out->elements()[0] == 0x7FFFFFFF) return;  // no module: the empty bounds stay as they are
    out->elements()[0] += x;
    out->elements()[1] += y;
}

// ---- the shown frame ----

int32_t AnimPlayer::getShownFrameIndex() { return showsFrame() ? animSet->animFrameIndex(firstAnimFrame + shownFrame) : 0; }

VMPtr<Frame> AnimPlayer::getCurrentFrame() { return showsFrame() ? animSet->getFrame(getShownFrameIndex()) : nullptr; }

void AnimPlayer::paint(VMPtr<Graphics> g, int32_t dx, int32_t dy, int32_t f) {
    if (!showsFrame()) return;
    animSet->paintFrame(g, getShownFrameIndex(), int16_t(x + dx), int16_t(y + dy), flags ^ f);
    holdLevel = 0;
}

void AnimPlayer::paint(VMPtr<Graphics> g) {
    if (!showsFrame()) return;
    animSet->paintFrame(g, getShownFrameIndex(), x, y, flags);
    holdLevel = 0;
}

int32_t AnimPlayer::getCollisionBoxes(int32_t f, VMPtr<BoxArray> out, int32_t type) {
    return showsFrame() ? animSet->getCollisionBoxesOfType(getShownFrameIndex(), f, out, type) : 0;
}

int32_t AnimPlayer::getCollisionRects(int32_t f, VMPtr<IntArray> out, int32_t type) {
    return showsFrame() ? animSet->getCollisionRectsOfType(getShownFrameIndex(), f, out, type) : 0;
}

int32_t AnimPlayer::getBoxCount() { return showsFrame() ? animSet->getBoxCount(getShownFrameIndex()) : 0; }

int32_t AnimPlayer::getFrameModules(VMPtr<IntArray> out) {
    return showsFrame() ? animSet->getFrameModules(getShownFrameIndex(), flags, out) : 0;
}

// ---- collisions ----

void AnimPlayer::moveBy(int32_t dx, int32_t dy) {
    x = int16_t(x + dx);
    y = int16_t(y + dy);
}

bool AnimPlayer::collidesWithGob(VMPtr<Gob> gob, int32_t gx, int32_t gy, int32_t gobFlags) {
    gob->toCollisionBox(CollisionBox::testBox, gx, gy, gobFlags);
    return collidesWithBox(CollisionBox::testBox);
}

bool AnimPlayer::collidesWith(VMPtr<AnimPlayer> other) {
    return collides(x, y, flags, boxType, other, other->x, other->y, other->flags, other->boxType);
}

bool AnimPlayer::containsPoint(int32_t px, int32_t py) {
    VMPtr<CollisionBox> point = CollisionBox::testBox;
    point->setBounds(px, py, 1, 1);
    point->kind = 3;
    point->type = -1;
    return collidesWithBox(point);
}

bool AnimPlayer::collidesWithBox(VMPtr<CollisionBox> box) {
    const int32_t count = getBoxCount();
    if (count > 0 && !box->isEmpty()) {
        boxesA = CollisionBox::ensureArray(boxesA, count);
        const int32_t filled = getCollisionBoxes(flags, boxesA, boxType);
        for (int32_t i = 0; i < filled; ++i) {
            CollisionBox* mine = boxesA->elements()[i];
            mine->translate(x, y);
            if (!mine->intersects(box)) continue;
            CollisionBox::lastHitA = mine;
            CollisionBox::lastHitB = box;
            return true;
        }
    }
    CollisionBox::lastHitA = nullptr;
    CollisionBox::lastHitB = nullptr;
    return false;
}

bool AnimPlayer::getCollisionBox(VMPtr<CollisionBox> out, int32_t bx, int32_t by, int32_t boxFlags) {
    out->width = 0;
    if (!showsFrame()) return false;
    boxesA = CollisionBox::ensureArray(boxesA, 1);
    if (getCollisionBoxes(boxFlags, boxesA, boxType) < 1) return false;
    boxesA->elements()[0]->copyTo(out);
    out->translate(bx, by);
    return true;
}

void AnimPlayer::paintCollisionBoxes(VMPtr<Graphics> g) {
    boxesA = CollisionBox::ensureArray(boxesA, getBoxCount());
    const int32_t filled = getBoxesOfType(boxesA, boxType);
    for (int32_t i = 0; i < filled; ++i) boxesA->elements()[i]->paint(g, x, y, 0);
}

// ---- playing ----

VMPtr<AnimPlayer::GobArray> AnimPlayer::getGobs() { return animSet ? animSet->getGobs() : nullptr; }

int32_t AnimPlayer::getAnimationDuration() { return animSet ? animSet->getAnimationDuration(animation) : 0; }

void AnimPlayer::setAnimSet(VMPtr<AnimSet> set) {
    if (set.get() != animSet.get()) animationFrame = nullptr;
    animSet = set;
}

void AnimPlayer::setAnimation(int32_t anim) {
    animation = int16_t(anim);
    animationFrame = nullptr;
    const int32_t word = animSet ? AnimSet::entry(animSet->animations, anim) : 0;
    loops = int8_t(int32_t(uint32_t(word) << 16) >> 26);
    length = uint16_t(word & 0x3FF);
    firstAnimFrame = uint16_t(uint32_t(word) >> 16);
    setFrame(0);
    motionX = motionY = 0;
}

void AnimPlayer::setFrame(int32_t k) {
    const bool playing = showsFrame();
    if (playing && (k < 0 || k >= length)) vm::throwNew<::java::lang::ArrayIndexOutOfBoundsException>(k);
    timeInFrame = 0;
    frameIndex = shownFrame = uint16_t(k);
    const int32_t word = playing ? stepWord(k) : 0;
    motionX = int16_t(AnimSet::offsetX(word));
    motionY = int16_t(AnimSet::offsetY(word));
    holdLevel = uint8_t(playing ? animSet->holdLevelOf(firstAnimFrame + k) : 0);
}

int32_t AnimPlayer::getElapsedTime() {
    int32_t elapsed = timeInFrame;
    if (showsFrame())
        for (int32_t k = 0; k < frameIndex; ++k) elapsed += animSet->durationOf(firstAnimFrame + k);
    return elapsed;
}

bool AnimPlayer::update(int32_t dt) {
    if (loops == 0) {
        prevX = x;
        prevY = y;
        return false;
    }
    if (!showsFrame()) return false;
    int64_t t = std::max<int64_t>(0, int64_t(timeInFrame) + dt);
    int32_t k = frameIndex, shown = k, timeless = 0;
    for (;;) {
        const int32_t d = animSet->durationOf(firstAnimFrame + k);
        if (t < d) break;
        t -= d;
        timeless = d == 0 ? timeless + 1 : 0;
        if (++k == length) {
            if (loops > 0 && --loops == 0) {
                k = length - 1;
                t = d;
                frameIndex = uint16_t(k);
                break;
            }
            k = 0;
            const int32_t last = stepWord(length - 1);
            motionX = int16_t(motionX - AnimSet::offsetX(last));
            motionY = int16_t(motionY - AnimSet::offsetY(last));
        }
        frameIndex = uint16_t(k);
        const int32_t hold = animSet->holdLevelOf(firstAnimFrame + k);
        if (holdLevel <= hold) {
            shown = k;
            holdLevel = uint8_t(hold);
            if (hold == 3) break;
        }
        // A whole cycle that took no time would repeat forever: end the pass here.
        if (timeless >= length) break;
    }
    const int32_t word = stepWord(k);
    int32_t ox = AnimSet::offsetX(word), oy = AnimSet::offsetY(word);
    const int32_t d = animSet->durationOf(firstAnimFrame + k);
    if ((word & 3) != 0 && loops != 0 && !(loops == 1 && k == length - 1) && d > 0) {
        int32_t nx, ny;
        if (k + 1 < length) {
            nx = AnimSet::offsetX(stepWord(k + 1));
            ny = AnimSet::offsetY(stepWord(k + 1));
        } else {
            nx = AnimSet::offsetX(stepWord(0)) + ox;
            ny = AnimSet::offsetY(stepWord(0)) + oy;
        }
        const int64_t fraction = (t << kFractionBits) / d;
        ox += int32_t(((nx - ox) * fraction) >> kFractionBits);
        oy += int32_t(((ny - oy) * fraction) >> kFractionBits);
    }
    const int32_t dx = ox - motionX, dy = oy - motionY;
    prevX = x;
    prevY = y;
    shownFrame = uint16_t(shown);
    timeInFrame = uint16_t(std::min(t, kMaxTimeInFrame));
    motionX = int16_t(ox);
    motionY = int16_t(oy);
    moveByOffset(dx, dy);
    return loops != 0;
}

void AnimPlayer::moveByOffset(int32_t dx, int32_t dy) {
    if (flags & 4)
        moveBy((flags & 1) ? -dy : dy, (flags & 2) ? -dx : dx);
    else
        moveBy((flags & 2) ? -dx : dx, (flags & 1) ? -dy : dy);
}

}  // namespace kv
