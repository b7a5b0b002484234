#include "src/game/foundation/ui_Scene.h"

namespace ui {

VM_DEFINE_CLASS(Scene, "ui.Scene", "java.lang.Object", VM_NO_CLINIT)

bool Scene::isPointInBoxes(int32_t x, int32_t y, VMPtr<BoxList> boxes) {
    for (int32_t i = 0; i < boxes->length; ++i)
        if (isPointInBox(x, y, VMPtr<Box>(boxes->at(i)))) return true;
    return false;
}

bool Scene::isPointInBox(int32_t x, int32_t y, VMPtr<Box> box) {
    const int64_t left = box->at(0), top = box->at(1), width = box->at(2), height = box->at(3);
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

}  // namespace ui
