#include "src/game/frontend/scene_Menu.h"

#include "content/ContentIds.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/kv_Resources.h"

namespace scene {

VM_DEFINE_CLASS(Menu, "scene.Menu", "ui.Scene", &Menu::_VM_clinit)

VMPtr<Menu::IntArray> Menu::menuTextIds{VMStaticScope::instance()};

namespace {

using BoxArray = kv::Paintable::BoxArray;
using namespace assets;
using kv::graphics::CollisionBox;
using kv::input::PointerInputEventManager;

const ui::SceneRegistration registration(1, &ui::buildScene<Menu>);

// Where each main entry leads, by cursor (the options and quit entries stay in the menu).
constexpr int32_t kEntryScenes[5] = {7, -1, 4, 6, 10};
constexpr int32_t kOptionScenes[2] = {9, 13};

}  // namespace

void Menu::_VM_clinit() {
    menuTextIds = IntArray::_VM_new(kEntries);
    const int32_t ids[kEntries] = {content::text::PLAY, content::text::OPTIONS, content::text::TUTORIAL,
                                   content::text::ABOUT, content::text::HELP, content::text::QUIT_GAME};
    for (int32_t i = 0; i < kEntries; ++i) menuTextIds->at(i) = ids[i];
}

VMPtr<Menu> Menu::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    optionCursor = 0;
    optionTextIds = IntArray::_VM_new(kOptionEntries);
    optionTextIds->at(0) = content::text::LANGUAGE;
    optionTextIds->at(1) = content::text::SOUND;
    optionTextIds->at(2) = content::text::BACK;
    quitChoice = false;
    cursor = 0;
    state = kLoading;
    loadStep = 0;
    manager = owner;
    init();
    return this;
}

int32_t Menu::titleAnimationFor(int32_t languageIndex) {
    constexpr int32_t kTitles[5] = {0, 4, 3, 2, 1};
    return languageIndex >= 0 && languageIndex < 5 ? kTitles[languageIndex] : -1;
}

VMPtr<kv::AnimPlayer> Menu::newPlayer(VMPtr<kv::AnimSet> set, int32_t animation) {
    VMPtr<kv::AnimPlayer> player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(set);
    if (animation >= 0) player->setAnimation(animation);
    return player;
}

void Menu::load() {
    switch (loadStep) {
    case 0:
        loadStep = 15;
        return;
    case 15:
        menuGobs = loadGobs(content::res::BACKDROP_GOBS);
        menuSet = loadAnimSet(content::res::BACKDROP_SET, menuGobs);
        --loadStep;
        barGobs = loadGobs(content::res::PANEL_GOBS);
        barSet = loadAnimSet(content::res::PANEL_SET, barGobs);
        return;
    case 8:
        dialogSet = loadAnimSet(content::res::PANEL_SET, loadGobs(content::res::PANEL_GOBS));
        break;
    case 7:
        decorPlayerB = newPlayer(menuSet, 1);
        break;
    case 6:
        decorPlayerA = newPlayer(menuSet, 0);
        break;
    case 5:
        title = newPlayer(loadAnimSet(content::res::TITLE_SET, loadGobs(content::res::TITLE_GOBS)),
                          titleAnimationFor(manager->languageIndex));
        break;
    case 4:
        background = menuGobs->at(0);
        decorFrame = menuSet->getFrame(9);
        decorGob = menuGobs->at(1);
        break;
    case 3:
        bar = newPlayer(barSet, 0);
        bar->setX(manager->getGameWidth() / 2);
        bar->setY(manager->getGameHeight());
        break;
    case 2:
        loadStep = 1;
        return;
    case 1:
        kv::Resources::closePack();
        state = kMain;
        return;
    default:
        break;
    }
    --loadStep;
}

void Menu::advanceBar(int32_t dt) {
    if (bar->getAnimation() != 0) {
        bar->update(dt);
        return;
    }
    if (bar->update(dt)) {
        bar->update(dt);  // the opening runs at double speed
    } else {
        bar->setAnimation(1);
        bar->setY(manager->getGameHeight());
    }
}

void Menu::update(int32_t dt) {
    switch (state) {
    case kLoading:
        load();
        break;
    case kMain:
    case kOptions:
        decorPlayerA->update(dt);
        decorPlayerB->update(dt);
        if (title->update(dt)) break;
        advanceBar(dt);
        break;
    case kChosen:
        chooseMain();
        break;
    default:
        break;
    }
}

void Menu::chooseMain() {
    if (cursor == 1) {
        state = kOptions;
        optionCursor = 0;
    } else if (cursor >= 0 && cursor < 5) {
        manager->changeScene(kEntryScenes[cursor]);
    }
}

void Menu::carryOutOption() {
    if (optionCursor == kBackEntry) state = kMain;
    else manager->changeScene(kOptionScenes[optionCursor]);
}

void Menu::answerNo() {
    state = kMain;
    cursor = 0;
}

void Menu::handleKeys() {
    const bool left = manager->isActionPressed(12), right = manager->isActionPressed(13),
               fire = manager->isActionPressed(14);
    if (state == kMain) {
        if (left) moveMain(-1);
        else if (right) moveMain(1);
        else if (fire) state = cursor == kQuitEntry ? kQuitQuestion : kChosen;
    } else if (state == kOptions) {
        if (left) moveOption(-1);
        else if (right) moveOption(1);
        else if (fire) carryOutOption();
    } else if (state == kQuitQuestion) {
        if (left || manager->isActionPressed(19)) quitChoice = true;
        else if (right || manager->isActionPressed(20)) quitChoice = false;
        else if (fire) {
            if (quitChoice) manager->requestExit();
            else answerNo();
        }
    }
}

bool Menu::inBarZone(int32_t type, int32_t index, int32_t x, int32_t y) {
    VMPtr<BoxArray> boxes = newBoxes(index + 1);
    if (bar->getBoxesOfType(boxes, type) <= index) return false;
    return isPointInBox(x, y, rectOf(boxes->at(index), bar->getX(), bar->getY()));
}

void Menu::handlePointer() {
    const int32_t type = PointerInputEventManager::getStaticFlag();
    const int32_t x = PointerInputEventManager::getStaticIntA(), y = PointerInputEventManager::getStaticIntB();
    if (state == kMain || state == kOptions) {
        const bool inMain = state == kMain;
        if (type == PointerInputEventManager::PRESSED && barIsOpen()) {
            const int32_t step = inBarZone(1, 0, x, y) ? -1 : inBarZone(1, 1, x, y) ? 1 : 0;
            if (step != 0 && inMain) moveMain(step);
            else if (step != 0) moveOption(step);
        } else if (type == PointerInputEventManager::RELEASED) {
            if (!inBarZone(0, 0, x, y)) return;
            if (!inMain) carryOutOption();
            else state = cursor == kQuitEntry ? kQuitQuestion : kChosen;
        }
    } else if (state == kQuitQuestion) {
        VMPtr<BoxArray> boxes = newBoxes(2);
        dialogSet->getFrame(15)->getCollisionBoxes(0, boxes, 0);
        const int32_t top = 160 - manager->getViewOffsetY();
        if (isPointInBox(x, y, rectOf(boxes->at(0), 120, top))) manager->requestExit();
        else if (isPointInBox(x, y, rectOf(boxes->at(1), 120, top))) answerNo();
    }
}

void Menu::paintPictures(VMPtr<Graphics> g, bool withBar) {
    const int32_t top = background->getHeight(0);
    g->setColor(0);
    g->fillRect(0, top, manager->getGameWidth(), manager->getGameHeight() - top);
    background->paint(g);
    title->paint(g);
    decorGob->paint(g);
    decorPlayerA->paint(g);
    decorPlayerB->paint(g);
    decorFrame->paint(g);
    if (withBar) bar->paint(g);
}

void Menu::paintEntry(VMPtr<Graphics> g) {
    if (state != kOptions && !barIsOpen()) return;
    VMPtr<kv::util::text::RichFont> font = manager->fonts->at(1);
    const int32_t id = state == kOptions ? optionTextIds->at(optionCursor) : menuTextIds->at(cursor);
    const int32_t y = bar->getY() - bar->getCurrentFrame()->getHeight(0) / 2 - font->getHeight() / 2;
    font->drawString(g, manager->translations->at(manager->languageIndex)->getText(id), bar->getX(), y, 1);
}

void Menu::paintQuitQuestion(VMPtr<Graphics> g) {
    VMPtr<kv::Frame> dialog = dialogSet->getFrame(15);
    const int32_t top = 160 - manager->getViewOffsetY();
    dialog->paint(g, 120, top, 0);
    VMPtr<BoxArray> line = newBoxes(1);
    dialog->getCollisionBoxes(0, line, 1);
    VMPtr<java::lang::StringBuffer> question = java::lang::StringBuffer::_VM_new();
    question->_VM_init(manager->translations->at(manager->languageIndex)->getText(content::text::QUIT_GAME));
    question->append(VMPtr<java::lang::String>::fromLiteral("?"));
    VMPtr<kv::util::text::RichFont> font = manager->fonts->at(0);
    font->drawString(g, question->toString(), 120, top + line->at(0)->y - font->getHeight() / 2, 1);
}

void Menu::paint(VMPtr<Graphics> g) {
    if (state == kLoading) return;
    if (state == kQuitQuestion) {
        paintPictures(g, false);
        paintQuitQuestion(g);
        return;
    }
    paintPictures(g, true);
    paintEntry(g);
}

}  // namespace scene
