#include "src/game/results/ScreenParts.h"

#include <cstdio>

#include "content/ContentIds.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/kv_Resources.h"

namespace results {

namespace {

constexpr int32_t kCentreX = 120, kCentreY = 160;
constexpr int32_t kResultHours = 17, kTypeZone = 3;
constexpr int32_t kTimeLineText = 0;  // the scene's kept text of the head's time line

}  // namespace

VMPtr<kv::AnimSet> loadAnimSet(int32_t setId, int32_t gobsId) {
    VMPtr<kv::AnimSet> set = kv::Resources::getAnimSet(setId);
    VMPtr<kv::AnimSet::GobArray> gobs = kv::Resources::getGobs(gobsId);
    if (!set || !gobs) vm::throwNew<java::lang::RuntimeException>(String::withNumber("cannot read set ", set ? gobsId : setId));
    set->setGobs(gobs);
    return set;
}

VMPtr<BoxArray> boxesOf(ui::Scene& scene, int32_t place, const VMPtr<kv::Paintable>& frame, int32_t type, int32_t count) {
    VMPtr<BoxArray> boxes = scene::assets::clearedBoxes(scene.scratchBoxes, place, count);
    frame->getCollisionBoxes(0, boxes, type);
    return boxes;
}

VMPtr<ui::Scene::Box> zoneOf(kv::graphics::CollisionBox* box, int32_t dx, int32_t dy) {
    return scene::assets::rectOf(box, dx, dy);
}

VMPtr<kv::util::text::RichFont> fontOf(ui::SceneManager& manager, int32_t index) { return manager.fonts->at(index); }

VMPtr<String> textOf(ui::SceneManager& manager, int32_t id) {
    return manager.translations->at(manager.languageIndex)->getText(id);
}

VMPtr<String> timeText(int32_t hours, int32_t minutes, int32_t seconds) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hours, minutes, seconds);
    return String::fromUtf8(text);
}

void paintPanelHead(ui::Scene& scene, ui::SceneManager& manager, const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::Frame>& panel,
                    int32_t titleId, const VMPtr<VMArray<int8_t, 1>>& progress, const VMPtr<String>& verdict, int32_t firstLabel,
                    int32_t secondLabel) {
    VMPtr<kv::util::text::RichFont> title = fontOf(manager, 0), body = fontOf(manager, 1);
    const int32_t h0 = title->getHeight(), h1 = body->getHeight();
    VMPtr<BoxArray> boxes = boxesOf(scene, InGameObject::kPanelBoxes, panel, 0, 3);
    auto x = [&](int32_t i) { return boxes->at(i)->x + kCentreX; };
    auto y = [&](int32_t i) { return boxes->at(i)->y + kCentreY; };
    title->drawString(g, textOf(manager, titleId), x(0), y(0) - h0 / 2, kCentre);
    const int32_t hours = progress->at(kResultHours), minutes = progress->at(kResultHours + 1),
                  seconds = progress->at(kResultHours + 2);
    VMPtr<String> timeLine = scene.keptText(kTimeLineText, {manager.languageIndex, hours, minutes, seconds}, [&] {
        VMPtr<java::lang::StringBuffer> line = java::lang::StringBuffer::_VM_new();
        line->_VM_init(textOf(manager, content::text::TIME));
        line->append(String::fromUtf8("    "))->append(timeText(hours, minutes, seconds));
        return line->toString();
    });
    body->drawString(g, timeLine, x(0), y(0) + h0, kCentre);
    if (verdict) body->drawString(g, verdict, x(0), y(0) + h0 + h1 + h1 / 2, kCentre);
    body->drawString(g, textOf(manager, firstLabel), x(1), y(1) - h1 / 2, kCentre);
    body->drawString(g, textOf(manager, secondLabel), x(2), y(2) - h1 / 2, kCentre);
}

int32_t panelZoneAt(ui::Scene& scene, const VMPtr<kv::Frame>& panel, int32_t x, int32_t y) {
    VMPtr<BoxArray> boxes = boxesOf(scene, InGameObject::kZoneBoxes, panel, kTypeZone, 2);
    for (int32_t i = 0; i < 2; ++i)
        if (scene.isPointInBox(x, y, zoneOf(boxes->at(i), kCentreX, kCentreY))) return i;
    return -1;
}

void paintPanelScreen(ui::Scene& scene, ui::SceneManager& manager, const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::AnimSet>& backgroundSet,
                      const VMPtr<kv::Frame>& panel, int32_t titleId, const VMPtr<VMArray<int8_t, 1>>& progress,
                      const VMPtr<String>& verdict, int32_t firstLabel, int32_t secondLabel) {
    g->setColor(0);
    g->fillRect(0, 0, 240, 320);
    backgroundSet->getFrame(0)->paint(g);
    backgroundSet->getFrame(12)->paint(g);
    panel->paint(g, kCentreX, kCentreY, 0);
    paintPanelHead(scene, manager, g, panel, titleId, progress, verdict, firstLabel, secondLabel);
}

int32_t panelChoiceOfKeys(ui::SceneManager& manager) {
    if (manager.isActionPressed(19) || manager.isActionPressed(1)) return 0;
    if (manager.isActionPressed(20) || manager.isActionPressed(3)) return 1;
    return -1;
}

int32_t panelChoiceOfPointer(ui::Scene& scene, const VMPtr<kv::Frame>& panel) {
    using kv::input::PointerInputEventManager;
    return panelZoneAt(scene, panel, PointerInputEventManager::getStaticIntA(), PointerInputEventManager::getStaticIntB());
}

VMPtr<kv::AnimPlayer> newBackPlayer(const VMPtr<kv::AnimSet>& shopSet, int32_t animation) {
    VMPtr<kv::AnimPlayer> player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(shopSet);
    player->setAnimation(animation);
    player->setX(kCentreX);
    player->setY(kCentreY);
    return player;
}

bool isOnBackButton(ui::Scene& scene, const VMPtr<kv::AnimPlayer>& backPlayer, int32_t x, int32_t y) {
    VMPtr<kv::graphics::CollisionBox> back = kv::graphics::CollisionBox::_VM_new();
    back->_VM_init();
    backPlayer->getCollisionBox(back);
    return scene.isPointInBox(x, y, zoneOf(back.get(), 0, 0));
}

}  // namespace results
