#include "src/game/objects/InGameObject_Glass.h"

namespace InGameObject {

VM_DEFINE_CLASS(Glass, "InGameObject.Glass", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Glass> Glass::_VM_init(VMPtr<kv::AnimSet> animSet, int32_t shapeIndex, int32_t unused) {
    Object::_VM_init();
    set = animSet;
    random = kv::util::FastRandom::_VM_new();
    random->_VM_init();
    player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(set);
    frame = set->getFrame(shapeIndex);
    start(shapeIndex, unused);
    return this;
}

void Glass::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(set, flags);
    vmMarkField(player, flags);
    vmMarkField(frame, flags);
    vmMarkField(random, flags);
}

void Glass::start(int32_t shapeIndex, int32_t) {
    state = kStarting;
    size = 0;
    shape = shapeIndex;
    frame = set->getFrame(shape);
    variant = random->nextInt(kVariants);
    direction = random->nextInt(kDirections);
    player->setAnimation(kStartFirst + variant);
}

void Glass::setPosition(int32_t px, int32_t py) {
    x = px;
    y = py;
    driftX.set(px);
    player->setX(px);
    player->setY(py);
}

void Glass::update(int32_t dt) {
    if (state == kResting) return;
    const bool playing = player->update(dt);
    y += player->getY() - player->getPrevY();
    if (state == kStarting && !playing) {
        state = kFalling;
        player->setAnimation(kFall);
    }
    const int32_t sideways = direction == kLeft ? -1 : direction == kRight ? 1 : 0;
    driftX.add(sideways * double(kAreaWidth) / kVariantCrossing[variant] * dt);
    driftX.clamp(0, kAreaWidth - 1);
    x = driftX.pixels();
    player->setX(x);
}

void Glass::paint(VMPtr<Graphics> g) { frame->paint(g, x, y, 0); }

}  // namespace InGameObject
