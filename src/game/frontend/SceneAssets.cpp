#include "src/game/frontend/SceneAssets.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Resources.h"

namespace scene::assets {

using kv::graphics::CollisionBox;

VMPtr<kv::AnimSet::GobArray> loadGobs(int32_t id) {
    VMPtr<kv::AnimSet::GobArray> gobs = kv::Resources::getGobs(id);
    if (!gobs) vm::throwNew<java::lang::RuntimeException>(java::lang::String::withNumber("no gob array ", id));
    return gobs;
}

VMPtr<kv::AnimSet> loadSet(int32_t id, VMPtr<kv::AnimSet::GobArray> gobs) {
    VMPtr<kv::AnimSet> set = kv::Resources::getAnimSet(id);
    set->setGobs(gobs);
    return set;
}

VMPtr<kv::AnimSet> loadSet(int32_t id, int32_t gobsId) { return loadSet(id, loadGobs(gobsId)); }

VMPtr<kv::Paintable::BoxArray> newBoxes(int32_t count) {
    VMPtr<kv::Paintable::BoxArray> boxes = kv::Paintable::BoxArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<CollisionBox> box = CollisionBox::_VM_new();
        box->_VM_init();
        boxes->set(i, box);
    }
    return boxes;
}

VMPtr<ui::Scene::Box> rectOf(CollisionBox* box, int32_t dx, int32_t dy) {
    VMPtr<ui::Scene::Box> rect = ui::Scene::Box::_VM_new(4);
    rect->at(0) = box->x + dx;
    rect->at(1) = box->y + dy;
    rect->at(2) = box->width;
    rect->at(3) = box->height;
    return rect;
}

VMPtr<kv::Paintable::BoxArray> paintTextPage(const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::AnimSet>& backgroundSet,
                                             const VMPtr<kv::AnimSet>& panelSet) {
    g->setColor(0);
    g->fillRect(0, 0, 240, 320);
    backgroundSet->getFrame(0)->paint(g);
    backgroundSet->getFrame(12)->paint(g);
    VMPtr<kv::Frame> panel = panelSet->getFrame(7);
    panel->paint(g, 120, 160, 0);
    VMPtr<kv::Paintable::BoxArray> boxes = newBoxes(2);
    panel->getCollisionBoxes(0, boxes);
    return boxes;
}

}  // namespace scene::assets
