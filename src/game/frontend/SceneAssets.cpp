#include "src/game/frontend/SceneAssets.h"

#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Resources.h"

namespace scene::assets {

using kv::graphics::CollisionBox;

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
