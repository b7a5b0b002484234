#include "src/game/frontend/scene_Logo.h"

#include "content/ContentIds.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/objects/SetLoading.h"
#include "src/kv/kv_Resources.h"

namespace scene {

VM_DEFINE_CLASS(Logo, "scene.Logo", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(0, &ui::buildScene<Logo>);

VMPtr<kv::Paintable> entryAt(const VMPtr<kv::util::ArrayList>& list, int32_t i) {
    return VMPtr<kv::Paintable>(dynamic_cast<kv::Paintable*>(list->get(i).get()));
}

}  // namespace

VMPtr<Logo> Logo::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    timer = 0;
    index = 0;
    manager = owner;
    init();
    return this;
}

void Logo::init() {
    sequence = kv::util::ArrayList::_VM_new();
    sequence->_VM_init();
    VMPtr<kv::AnimSet> set = InGameObject::loadAnimSet(content::res::LOGO_SET, content::res::LOGO_GOBS);
    logoPlayer = kv::AnimPlayer::_VM_new();
    logoPlayer->_VM_init();
    logoPlayer->setAnimSet(set);
    index = 0;
    kv::Resources::closePack();
    layoutSequence();
}

void Logo::layoutSequence() {
    sequence->clear();
    logoPlayer->setAnimation(0);
    // The animation's corner is its anchor, so moving the anchor by half the free space
    // centres the whole animation.
    logoPlayer->setX(logoPlayer->getX() + (manager->getGameWidth() - logoPlayer->getWidth(0)) / 2);
    logoPlayer->setY(logoPlayer->getY() + (manager->getGameHeight() - logoPlayer->getHeight(0)) / 2);
    sequence->add(logoPlayer);
}

void Logo::update(int32_t dt) {
    if (timer >= kShowMillis) {
        if (index < sequence->size() - 1) {
            ++index;
            timer = 0;
        } else {
            index = sequence->size();
        }
        return;
    }
    if (index >= sequence->size()) return;  // nothing left to show: the next paint moves on
    VMPtr<kv::Paintable> entry = entryAt(sequence, index);
    if (entry->getKind() == 2) VMPtr<kv::AnimPlayer>(dynamic_cast<kv::AnimPlayer*>(entry.get()))->update(dt);
    timer += dt;
}

void Logo::paint(VMPtr<Graphics> g) {
    g->setColor(0xFFFFFF);
    g->fillRect(-manager->sideWidth, 0, 320, 320);
    if (index > sequence->size() - 1) {
        manager->changeScene(kNextScene);
        return;
    }
    entryAt(sequence, index)->paint(g);
}

void Logo::dispose() {
    logoPlayer = nullptr;
    timer = 0;
    index = 0;
    sequence->clear();
}

}  // namespace scene
