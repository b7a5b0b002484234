#include "src/game/frontend/scene_About.h"

#include "content/ContentIds.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"

namespace scene {

VM_DEFINE_CLASS(About, "scene.About", "ui.Scene", VM_NO_CLINIT)

namespace {

using namespace assets;
using kv::input::PointerInputEventManager;

const ui::SceneRegistration registration(6, &ui::buildScene<About>);

constexpr int32_t kMenuScene = 1;

}  // namespace

void About::init() {
    state = kLoading;
    loadStep = 0;
    aboutText = kv::util::text::WrappedText::_VM_new();
    aboutText->_VM_init(manager);
}

void About::update(int32_t) {
    if (state == kLoading) load();
}

void About::load() {
    switch (loadStep) {
    case 0:
        loadStep = 15;
        return;
    case 14:
        panelSet = loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS);
        break;
    case 13:
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

void About::handleKeys() {
    if (state == kShowing && manager->isActionPressed(17)) manager->changeScene(kMenuScene);
}

void About::handlePointer() {
    if (state == kShowing && PointerInputEventManager::getStaticFlag() == PointerInputEventManager::PRESSED)
        manager->changeScene(kMenuScene);
}

void About::paint(VMPtr<Graphics> g) {
    if (state != kShowing) return;
    VMPtr<kv::Paintable::BoxArray> boxes = paintTextPage(g, backgroundSet, panelSet);
    VMPtr<kv::util::text::Translation> texts = manager->translations->at(manager->languageIndex);
    VMPtr<kv::util::text::RichFont> body = manager->fonts->at(1);
    VMPtr<java::lang::StringBuffer> titleLine = java::lang::StringBuffer::_VM_new();
    titleLine->_VM_init(texts->getText(content::text::ABOUT_TITLE));
    titleLine->append(VMPtr<java::lang::String>::fromLiteral(" "));
    titleLine->append(VMPtr<java::lang::String>::fromLiteral(kVersion));
    const int32_t left = boxes->at(0)->x + 120, top = boxes->at(0)->y + 160;
    body->drawString(g, titleLine->toString(), left, top, 4);
    aboutText->wrap(body, texts->getText(content::text::ABOUT_BODY), 240);
    aboutText->setFirstLine(0);
    aboutText->paint(g, left, top + body->getHeight(), 4);
    body->drawString(g, texts->getText(content::text::TAP_TO_GO_ON), boxes->at(1)->x + 120, boxes->at(1)->y + 160, 1);
}

}  // namespace scene
