#include "src/game/objects/HitTests.h"

namespace InGameObject {

VMPtr<BoxArray> newBoxes(int32_t count) {
    VMPtr<BoxArray> boxes = BoxArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
        box->_VM_init();
        boxes->set(i, box.get());
    }
    return boxes;
}

VMPtr<BoxArray> clearedBoxes(VMPtr<BoxTable>& table, int32_t place, int32_t count) {
    if (!table) table = BoxTable::_VM_new(kBoxPlaceCount, 0);
    BoxArray* boxes = table->at(place);
    if (!boxes || boxes->length != count) {
        VMPtr<BoxArray> made = newBoxes(count);
        table->set(place, made);
        return made;
    }
    for (int32_t i = 0; i < count; ++i) {
        kv::graphics::CollisionBox* box = boxes->at(i);
        box->x = box->y = box->width = box->height = 0;
        box->type = box->colour = 0;
        box->kind = 3;
        box->hasColour = box->filled = false;
    }
    return VMPtr<BoxArray>(boxes);
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

}  // namespace InGameObject
