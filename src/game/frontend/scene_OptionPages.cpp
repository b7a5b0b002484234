#include "src/game/frontend/scene_OptionPages.h"

#include "content/ContentIds.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/kv_Resources.h"

namespace scene {

namespace {

using BoxArray = kv::Paintable::BoxArray;
using kv::graphics::CollisionBox;
using namespace assets;

}  // namespace

void OptionPages::init() {
    state = kLoading;
    loadStep = 0;
    soundOn = manager->mediaManager->isSoundEnabled();
    languageCursor = manager->languageIndex;
    languageNameIds = IntArray::_VM_new(5);
    for (int32_t i = 0; i < 5; ++i) languageNameIds->at(i) = content::text::LANGUAGE_0 + i;
}

void OptionPages::update(int32_t) {
    if (state == kLoading) load();
}

void OptionPages::load() {
    if (loadStep == 0) {
        loadStep = 15;
    } else if (loadStep >= 4 && loadStep <= 15) {
        --loadStep;
    } else if (loadStep == 3) {
        backgroundSet = loadAnimSet(content::res::BACKDROP_SET, content::res::BACKDROP_GOBS);
        loadStep = 2;
    } else if (loadStep == 2) {
        loadStep = 1;
    } else if (loadStep == 1) {
        panelFrame = loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS)->getFrame(3);
        state = firstPage();
        kv::Resources::closePack();
    }
}

void OptionPages::moveLanguage(int32_t step) {
    languageCursor += step;
    if (languageCursor < 0) languageCursor = 4;
    if (languageCursor >= 5) languageCursor = 0;
    manager->setSettingChoice(languageCursor);
}

void OptionPages::confirmSound() {
    manager->changeScene(kMenuScene);
    manager->mediaManager->setSoundEnabled(soundOn);
}

void OptionPages::handleKeys() {
    const bool fire = manager->isActionPressed(14), left = manager->isActionPressed(12),
               right = manager->isActionPressed(13);
    if (state == kLanguagePage) {
        if (fire) confirmLanguage();
        else if (left) moveLanguage(-1);
        else if (right) moveLanguage(1);
    } else if (state == kSoundPage) {
        if (fire) confirmSound();
        else if (left || right) soundOn = !soundOn;
    }
}

void OptionPages::actOnZone(int32_t zone) {
    if (state == kSoundPage) {
        if (zone < 2) soundOn = !soundOn;
        else confirmSound();
    } else if (state == kLanguagePage) {
        if (zone == 2) confirmLanguage();
        else moveLanguage(zone == 0 ? -1 : 1);
    }
}

void OptionPages::handlePointer() {
    using kv::input::PointerInputEventManager;
    if (PointerInputEventManager::getStaticFlag() != PointerInputEventManager::PRESSED || state == kLoading) return;
    VMPtr<BoxArray> zones = newBoxes(3);
    panelFrame->getCollisionBoxes(0, zones, 1);
    const int32_t x = PointerInputEventManager::getStaticIntA(), y = PointerInputEventManager::getStaticIntB();
    for (int32_t i = 0; i < 3; ++i) {
        if (isPointInBox(x, y, rectOf(zones->at(i), manager->getGameWidth() / 2, manager->getGameHeight() / 2)))
            actOnZone(i);
    }
}

void OptionPages::paint(VMPtr<Graphics> g) {
    if (state == kLoading) return;
    const int32_t halfWidth = manager->getGameWidth() / 2, halfHeight = manager->getGameHeight() / 2;
    g->setColor(0);
    g->fillRect(0, 0, manager->getGameWidth(), manager->getGameHeight());
    backgroundSet->getFrame(0)->paint(g);
    backgroundSet->getFrame(12)->paint(g);
    panelFrame->paint(g, halfWidth, halfHeight, 0);
    if (state == kSoundPage) g->setColor(0xFF0000);
    VMPtr<BoxArray> boxes = newBoxes(3);
    panelFrame->getCollisionBoxes(0, boxes, 0);
    const int32_t ids[2] = {state == kLanguagePage ? content::text::LANGUAGE : content::text::SOUND,
                            state == kLanguagePage ? languageNameIds->at(languageCursor)
                                                   : (soundOn ? content::text::SOUND_ON : content::text::SOUND_OFF)};
    for (int32_t i = 0; i < 2; ++i) {
        VMPtr<kv::util::text::RichFont> font = manager->fonts->at(i);
        CollisionBox* box = boxes->at(i);
        const int32_t x = box->x + halfWidth + box->width / 2;
        const int32_t y = box->y + halfHeight + box->height / 2 - font->getHeight() / 2;
        font->drawString(g, manager->translations->at(manager->languageIndex)->getText(ids[i]), x, y, 1);
    }
}

}  // namespace scene
