#include "src/game/boss/BossFrame.h"

namespace boss {

VMPtr<BoxArray> newBoxes(int32_t count) {
    VMPtr<BoxArray> boxes = BoxArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
        box->_VM_init();
        boxes->set(i, box.get());
    }
    return boxes;
}

kv::graphics::CollisionBox* placedBox(kv::AnimPlayer* player, const VMPtr<BoxArray>& boxes) {
    kv::graphics::CollisionBox* box = boxes->at(0);
    box->x = box->y = box->width = box->height = 0;
    player->getCollisionBoxes(player->getFlags(), boxes, 0);
    box->x += player->getX();
    box->y += player->getY();
    return box;
}

bool touches(const kv::graphics::CollisionBox* a, const kv::graphics::CollisionBox* b) {
    return kv::Paintable::overlaps(a->x, a->y, a->width, a->height, b->x, b->y, b->width, b->height);
}

StageTime totalTime(int64_t fightMillis, int32_t storedHours, int32_t storedMinutes, int32_t storedSeconds) {
    const int32_t stored = storedHours * 3600 + storedMinutes * 60 + storedSeconds;
    const int64_t totalSeconds = (fightMillis + int64_t(stored * 1000)) / 1000;
    return {int32_t(std::min<int64_t>(totalSeconds / 3600, 99)), int32_t(totalSeconds % 3600 / 60),
            int32_t(totalSeconds % 60)};
}

}  // namespace boss
