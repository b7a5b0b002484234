#include "src/kv/kv_Frame.h"

namespace kv {

VM_DEFINE_CLASS(Frame, "kv.Frame", "kv.Paintable", VM_NO_CLINIT)

VMPtr<Frame> Frame::_VM_init(VMPtr<AnimSet> set, int32_t frameIndex, VMPtr<IntArray> bounds) {
    Paintable::_VM_init();
    animSet = set;
    index = int16_t(frameIndex);
    x = int16_t(bounds->at(0));
    y = int16_t(bounds->at(1));
    width = int16_t(bounds->at(2));
    height = int16_t(bounds->at(3));
    return this;
}

void Frame::paint(VMPtr<Graphics> g, int32_t px, int32_t py, int32_t flags) {
    if (isFrameOfSet()) animSet->paintFrame(g, index, px, py, flags);
}

int32_t Frame::getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t type) {
    return isFrameOfSet() ? animSet->getCollisionBoxesOfType(index, flags, out, type) : 0;
}

int32_t Frame::getCollisionRects(int32_t flags, VMPtr<IntArray> out, int32_t type) {
    return isFrameOfSet() ? animSet->getCollisionRectsOfType(index, flags, out, type) : 0;
}

int32_t Frame::getBoxCount() { return isFrameOfSet() ? animSet->getBoxCount(index) : 0; }

int32_t Frame::getModuleCount() { return isFrameOfSet() ? animSet->getModuleCount(index) : 0; }

int32_t Frame::getModules(int32_t flags, VMPtr<IntArray> out) {
    return isFrameOfSet() ? animSet->getFrameModules(index, flags, out) : 0;
}

bool Frame::intersectsBox(VMPtr<graphics::CollisionBox> box, int32_t dx, int32_t dy) {
    const int64_t left = int64_t(x) + dx, top = int64_t(y) + dy;
    return int64_t(box->x) + box->width > left && int64_t(box->y) + box->height > top && left + width > box->x &&
           top + height > box->y;
}

void Frame::getBounds(int32_t flags, VMPtr<IntArray> out) {
    int32_t* o = &out->at(3) - 3;
    o[0] = getX(flags);
    o[1] = getY(flags);
    o[2] = getWidth(flags);
    o[3] = getHeight(flags);
}

}  // namespace kv
