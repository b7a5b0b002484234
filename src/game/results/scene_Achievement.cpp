#include "src/game/results/scene_Achievement.h"

#include "content/ContentIds.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/results/Progress.h"
#include "src/game/results/ScreenParts.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"

namespace scene {

VM_DEFINE_CLASS(Achievement, "scene.Achievement", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(scene_id::kAchievements, &ui::buildScene<Achievement>);

constexpr int32_t kBackground = 1, kSelection = 13, kLocked = 14, kFirstPicture = 15, kBackAnimation = 1;
constexpr int32_t kDescriptions[Achievement::kCount] = {content::text::ACHIEVEMENT_GREAT, content::text::ACHIEVEMENT_PERFECT,
                                                       content::text::ACHIEVEMENT_UNTOUCHED, content::text::ACHIEVEMENT_ARSENAL};

}  // namespace

VMPtr<Achievement> Achievement::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    descriptionIds = VMArray<int32_t, 1>::_VM_new(kCount);
    for (int32_t i = 0; i < kCount; ++i) descriptionIds->at(i) = kDescriptions[i];
    manager = owner;
    init();
    return this;
}

void Achievement::init() {
    state = loadStep = cursor = 0;
    VMPtr<VMArray<int8_t, 1>> record = results::loadRecord(*manager, 0);
    unlocked = VMArray<int8_t, 1>::_VM_new(kCount);
    for (int32_t i = 0; i < kCount; ++i) unlocked->at(i) = record->at(ui::progress::kAchievements + i);
    descriptionText = kv::util::text::WrappedText::_VM_new();
    descriptionText->_VM_init(manager);
}

void Achievement::update(int32_t dt) {
    if (state == 0) load();
    else if (state == 1) backPlayer->update(dt);
}

void Achievement::load() {
    if (loadStep == 0) {
        loadStep = 15;
    } else if (loadStep == 15) {
        shopSet = results::loadAnimSet(content::res::SHOP_SET, content::res::SHOP_GOBS);
        background = shopSet->getFrame(kBackground);
        backPlayer = results::newBackPlayer(shopSet, kBackAnimation);
        loadStep = 14;
    } else if (loadStep == 14) {
        pictures = FrameArray::_VM_new(kCount);
        for (int32_t i = 0; i < kCount; ++i)
            pictures->set(i, shopSet->getFrame(unlocked->at(i) == 1 ? kFirstPicture + i : kLocked));
        loadStep = 13;
    } else if (loadStep >= 2 && loadStep <= 13) {
        --loadStep;
    } else if (loadStep == 1) {
        state = 1;
    }
}

void Achievement::step(bool back) { cursor = back ? (cursor + kCount - 1) % kCount : (cursor + 1) % kCount; }

void Achievement::handleKeys() {
    if (state != 1) return;
    if (manager->isActionPressed(10)) step(true);
    else if (manager->isActionPressed(11)) step(false);
    else if (manager->isActionPressed(13)) manager->changeScene(scene_id::kWorldMap);
}

void Achievement::handlePointer() {
    using kv::input::PointerInputEventManager;
    if (state != 1 || PointerInputEventManager::getStaticFlag() != PointerInputEventManager::PRESSED) return;
    const int32_t x = PointerInputEventManager::getStaticIntA(), y = PointerInputEventManager::getStaticIntB();
    const int32_t half = background->getHeight(0) / 2;
    VMPtr<results::BoxArray> arrows = results::boxesOf(*this, InGameObject::kArrowBoxes, background, 2, 2);
    if (isPointInBox(x, y, results::zoneOf(arrows->at(0), 0, half))) return step(true);
    if (isPointInBox(x, y, results::zoneOf(arrows->at(1), 0, half))) return step(false);
    if (results::isOnBackButton(*this, backPlayer, x, y)) manager->changeScene(scene_id::kWorldMap);
}

void Achievement::paint(VMPtr<Graphics> g) {
    if (state != 1) return;
    g->setColor(0);
    g->fillRect(0, 0, 240, 320);
    const int32_t half = background->getHeight(0) / 2;
    background->paint(g, 0, half, 0);
    VMPtr<results::BoxArray> places = results::boxesOf(*this, InGameObject::kPlaceBoxes, background, 1, kCount);
    for (int32_t i = 0; i < kCount; ++i) {
        const int32_t x = places->at(i)->x, y = places->at(i)->y + half;
        pictures->at(i)->paint(g, x, y, 0);
        if (i == cursor) shopSet->getFrame(kSelection)->paint(g, x, y, 0);
    }
    VMPtr<results::BoxArray> texts = results::boxesOf(*this, InGameObject::kLineBoxes, background, 0, 2);
    VMPtr<kv::util::text::RichFont> title = results::fontOf(*manager, 0), body = results::fontOf(*manager, 1);
    title->drawString(g, results::textOf(*manager, content::text::ACHIEVEMENTS_TITLE), texts->at(0)->x,
                      texts->at(0)->y - title->getHeight() / 2 + half, results::kCentre);
    descriptionText->wrap(body, results::textOf(*manager, descriptionIds->at(cursor)), texts->at(1)->width);
    descriptionText->setFirstLine(0);
    descriptionText->paint(g, texts->at(1)->x, texts->at(1)->y + half - descriptionText->getHeight() / 2, results::kCentre);
    backPlayer->paint(g);
}

}  // namespace scene
