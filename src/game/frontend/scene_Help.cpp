#include "src/game/frontend/scene_Help.h"

#include "content/ContentIds.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"

namespace scene {

VM_DEFINE_CLASS(Help, "scene.Help", "ui.Scene", VM_NO_CLINIT)

namespace {

using namespace assets;
using kv::input::PointerInputEventManager;

const ui::SceneRegistration registration(10, &ui::buildScene<Help>);

constexpr int32_t kMenuScene = 1;

}  // namespace

int32_t Help::nextPage(int32_t current) {
    const int32_t next = current + 1;
    return next == 1 ? 2 : next == 3 ? 0 : next;
}

void Help::init() {
    state = kLoading;
    loadStep = 0;
    pageText = kv::util::text::WrappedText::_VM_new();
    pageText->_VM_init(manager);
    pageTextIds = IntArray::_VM_new(3);
    pageTextIds->at(0) = content::text::HELP_PLAY;
    pageTextIds->at(1) = content::text::HELP_SHOP;
    pageTextIds->at(2) = content::text::HELP_MARKS;
    page = 0;
}

void Help::update(int32_t) {
    if (state == kLoading) load();
}

void Help::load() {
    switch (loadStep) {
    case 0:
        loadStep = 15;
        return;
    case 14:
        panelSet = loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS);
        break;
    case 13:
        barSet = loadAnimSet(content::res::BUTTON_SET, content::res::BUTTON_GOBS);
        barFrame = barSet->getFrame(1);
        break;
    case 12:
        backgroundSet = loadAnimSet(content::res::BACKDROP_SET, content::res::BACKDROP_GOBS);
        break;
    case 1:
        state = kShowing;
        return;
    default:
        break;
    }
    if (loadStep > 1 && loadStep <= 15) --loadStep;
}

void Help::handleKeys() {
    if (state != kShowing) return;
    if (manager->isActionPressed(13) || manager->isActionPressed(20)) page = nextPage(page);
    else if (manager->isActionPressed(12) || manager->isActionPressed(19)) manager->changeScene(kMenuScene);
}

void Help::handlePointer() {
    if (state != kShowing || PointerInputEventManager::getStaticFlag() != PointerInputEventManager::PRESSED) return;
    VMPtr<kv::Paintable::BoxArray> buttons = newBoxes(2);
    barFrame->getCollisionBoxes(0, buttons, 0);
    const int32_t x = PointerInputEventManager::getStaticIntA(), y = PointerInputEventManager::getStaticIntB();
    const int32_t dx = manager->getGameWidth() / 2, dy = manager->getGameHeight();
    if (isPointInBox(x, y, rectOf(buttons->at(0), dx, dy))) manager->changeScene(kMenuScene);
    else if (isPointInBox(x, y, rectOf(buttons->at(1), dx, dy))) page = nextPage(page);
}

void Help::paint(VMPtr<Graphics> g) {
    if (state != kShowing) return;
    VMPtr<kv::Paintable::BoxArray> area = paintTextPage(g, backgroundSet, panelSet);
    VMPtr<kv::util::text::Translation> texts = manager->translations->at(manager->languageIndex);
    VMPtr<kv::util::text::RichFont> body = manager->fonts->at(1);
    pageText->wrap(body, texts->getText(pageTextIds->at(page)), area->at(0)->width);
    pageText->setFirstLine(0);
    pageText->paint(g, area->at(0)->x + 120, area->at(0)->y + 160, 4);
    const int32_t barX = manager->getGameWidth() / 2, barY = manager->getGameHeight();
    barFrame->paint(g, barX, barY, 0);
    VMPtr<kv::Paintable::BoxArray> labels = newBoxes(2);
    barFrame->getCollisionBoxes(0, labels, 1);
    const int32_t labelIds[2] = {content::text::MENU, content::text::NEXT};
    for (int32_t i = 0; i < 2; ++i)
        body->drawString(g, texts->getText(labelIds[i]), labels->at(i)->x + 120, labels->at(i)->y + 320 - body->getHeight() / 2, 1);
}

}  // namespace scene
