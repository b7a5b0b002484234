#include "src/game/level/LevelControls.h"

#include <cstdlib>

#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/game/objects/HitTests.h"

namespace level {

using kv::input::PointerInputEventManager;

PointerEvent LevelControls::readPointer(ui::SceneManager& manager) {
    const int32_t type = PointerInputEventManager::getStaticFlag();
    const int32_t x = PointerInputEventManager::getStaticIntA(), y = PointerInputEventManager::getStaticIntB();
    return {type, x, y, y + manager.getGameY()};
}

Zone LevelControls::zoneAt(int32_t x, int32_t viewY) {
    if (viewY < kAttackRowTop) return Zone::kAttackUp;
    if (viewY < kBottomRowTop) return x < kHalf ? Zone::kAttackLeft : Zone::kAttackRight;
    if (x < kMoveLeftEnd) return Zone::kMoveLeft;
    return x >= kMoveRightStart ? Zone::kMoveRight : Zone::kJump;
}

void LevelControls::setFlag(Zone zone) {
    switch (zone) {
    case Zone::kAttackUp: f.flags.attackUp = true; break;
    case Zone::kAttackLeft: f.flags.attackLeft = true; break;
    case Zone::kAttackRight: f.flags.attackRight = true; break;
    case Zone::kMoveLeft: f.flags.left = true; break;
    case Zone::kJump: f.flags.jump = true; break;
    case Zone::kMoveRight: f.flags.right = true; break;
    }
}

// ---------------------------------------------------------------- keys

void LevelControls::keysInPlay() {
    InGameObject::Character& hero = *f.character;
    const int32_t towardLeft = mirrored ? kRight : kLeft, towardRight = mirrored ? kLeft : kRight;
    if (held(towardLeft)) {
        if (upAttackHeld()) hero.attackUp(true, true);
        else hero.moveLeft();
    } else if (held(towardRight)) {
        if (upAttackHeld()) hero.attackUp(true, false);
        else hero.moveRight();
    } else if (upAttackHeld()) {
        hero.attackUp(false, false);
    }
    if (held(kUp)) hero.jump();
    if (!held(kRight) && !held(kLeft) && !held(kUp) && !held(kDown) && !upAttackHeld()) hero.idle();
    if (held(kFire) && !held(kDown) && !upAttackHeld()) hero.attack();
    if (pressed(kPreviousWeapon)) hero.switchToOwnedWeapon(true);
    else if (pressed(kNextWeapon)) hero.switchToOwnedWeapon(false);
    if (pressed(kPause)) f.scene.pause();
}

PanelChoice LevelControls::pauseMenuKeys() {
    if (pressed(kUp)) {
        if (--f.menuCursor < 0) f.menuCursor = 2;
    } else if (pressed(kDown)) {
        if (++f.menuCursor > 2) f.menuCursor = 0;
    } else if (pressed(kFire)) {
        return f.menuCursor == 0 ? PanelChoice::kResume : f.menuCursor == 1 ? PanelChoice::kRestart : PanelChoice::kAskQuit;
    }
    return PanelChoice::kNone;
}

PanelChoice LevelControls::quitQuestionKeys() {
    if (pressed(kLeft) || pressed(kYes)) {
        f.quitChoice = true;
    } else if (pressed(kRight) || pressed(kPause)) {
        f.quitChoice = false;
    } else if (pressed(kFire)) {
        return f.quitChoice ? PanelChoice::kLeave : PanelChoice::kBackToMenu;
    }
    return PanelChoice::kNone;
}

// ---------------------------------------------------------------- touch

int32_t LevelControls::boxAt(kv::Frame* frame, int32_t type, int32_t count, int32_t ax, int32_t ay, int32_t x, int32_t y) {
    VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(count);
    frame->getCollisionBoxes(0, boxes, type);
    for (int32_t i = 0; i < count; ++i) {
        kv::graphics::CollisionBox* box = boxes->at(i);
        VMPtr<ui::Scene::Box> tapBox = ui::Scene::Box::_VM_new(4);
        tapBox->at(0) = ax + box->x;
        tapBox->at(1) = ay + box->y;
        tapBox->at(2) = box->width;
        tapBox->at(3) = box->height;
        if (f.scene.isPointInBox(x, y, tapBox)) return i;
    }
    return -1;
}

int32_t LevelControls::weaponButtonAt(int32_t x, int32_t viewY) {
    return boxAt(f.topBar, 1, 2, f.manager.getGameWidth() / 2, 0, x, viewY);
}

bool LevelControls::pauseButtonAt(int32_t x, int32_t viewY) {
    return boxAt(f.corner, -1, 1, f.manager.getGameWidth(), kViewHeight, x, viewY) == 0;
}

bool LevelControls::letGo(const PointerEvent& event) {
    if (event.type == PointerInputEventManager::RELEASED) {
        f.flags.clear();
        return true;
    }
    if (event.type != PointerInputEventManager::DRAGGED) return false;
    const bool pressedBefore = f.pointerX != -1 && f.pointerY != -1;
    if (pressedBefore && std::abs(event.x - f.pointerX) > kLongDrag && std::abs(event.viewY - f.pointerY) > kLongDrag)
        f.flags.clear();
    return true;
}

void LevelControls::pointerInPlay(const PointerEvent& event) {
    if (letGo(event) || event.type != PointerInputEventManager::PRESSED) return;
    const int32_t button = weaponButtonAt(event.x, event.viewY);
    if (button >= 0) {
        f.character->switchToOwnedWeapon(button == 0);
        return;
    }
    if (pauseButtonAt(event.x, event.viewY)) {
        f.scene.pause();
        return;
    }
    f.pointerX = event.x;
    f.pointerY = event.viewY;
    Zone zone = zoneAt(event.x, event.viewY);
    if (mirrored && zone == Zone::kMoveLeft) zone = Zone::kMoveRight;
    else if (mirrored && zone == Zone::kMoveRight) zone = Zone::kMoveLeft;
    setFlag(zone);
}

PanelChoice LevelControls::pauseMenuPointer(const PointerEvent& event) {
    if (event.type != PointerInputEventManager::PRESSED) return PanelChoice::kNone;
    const int32_t top = kPanelY - f.manager.getGameY();
    switch (boxAt(f.panelSet->getFrame(kPausePanel).get(), 1, 3, kPanelX, top, event.x, event.y)) {
    case 0: return PanelChoice::kResume;
    case 1: return PanelChoice::kRestart;
    case 2: return PanelChoice::kAskQuit;
    default: return PanelChoice::kNone;
    }
}

PanelChoice LevelControls::quitQuestionPointer(const PointerEvent& event) {
    const int32_t top = kPanelY - f.manager.getGameY();
    switch (boxAt(f.panelSet->getFrame(kQuitPanel).get(), 0, 2, kPanelX, top, event.x, event.y)) {
    case 0: return PanelChoice::kLeave;
    case 1: return PanelChoice::kBackToMenu;
    default: return PanelChoice::kNone;
    }
}

// ---------------------------------------------------------------- flags to moves

void LevelControls::applyInput() {
    InGameObject::Character& hero = *f.character;
    const ControlFlags& flags = f.flags;
    if (flags.left) {
        if (flags.attackUp) hero.attackUp(true, true);
        else hero.moveLeft();
    } else if (flags.right) {
        if (flags.attackUp) hero.attackUp(true, false);
        else hero.moveRight();
    } else if (flags.attackUp) {
        hero.attackUp(false, false);
    }
    if (flags.jump) hero.jump();
    if (!flags.any()) hero.idle();
    if ((flags.attackLeft || flags.attackRight) && !flags.attackUp) hero.attackToward(flags.attackLeft);
}

}  // namespace level
