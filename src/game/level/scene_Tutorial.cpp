#include "src/game/level/scene_Tutorial.h"

#include "content/ContentIds.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/global_EnemyConfig.h"
#include "src/game/objects/HitTests.h"
#include "src/game/objects/SetLoading.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"
#include "src/kv/util/text/kv_util_text_Translation.h"

namespace scene {

VM_DEFINE_CLASS(Tutorial, "scene.Tutorial", "scene.InGameNormal", VM_NO_CLINIT)

using InGameObject::loadAnimSet;
using InGameObject::newPlayer;
using level::LevelControls;
using BoxArray = kv::Paintable::BoxArray;

namespace {

const ui::SceneRegistration registration(scene_id::kTutorial, &ui::buildScene<Tutorial>);

constexpr int32_t kAnyKeyAction = 17;
constexpr int32_t kArrowAnimation = 6, kHintPanelAnimation = 3;
constexpr int32_t kUp = 1, kLeft = 3, kRight = 4;  // projectile directions
// Where the arrow points in steps 0 to 5: the walking zones, the attack halves, the top strip.
constexpr int32_t kArrowPlaces[6][2] = {{40, 265}, {200, 265}, {120, 265}, {40, 159}, {200, 159}, {120, 53}};

}  // namespace

VMPtr<Tutorial> Tutorial::_VM_init(VMPtr<ui::SceneManager> owner) {
    closingTime = 0;
    InGameNormal::_VM_init(owner);
    return this;
}

void Tutorial::_VM_mark(uint32_t flags) {
    InGameNormal::_VM_mark(flags);
    vmMarkField(hintSet, flags);
    vmMarkField(hintArrow, flags);
    vmMarkField(hintPanel, flags);
    vmMarkField(wrappedText, flags);
}

// ---------------------------------------------------------------- life cycle

void Tutorial::init() {
    step = 0;
    resetPlay();
    wrappedText = kv::util::text::WrappedText::_VM_new();
    wrappedText->_VM_init(manager.get());
    stage = kStage;
    levelTable = global::EnemyConfig::forStage(kStage);
}

void Tutorial::update(int32_t dt) {
    frameTime = dt;
    switch (state) {
    case kLoading: load(); break;
    case kOpening: updateOpening(dt); break;
    case kPlaying:
        stepGame();
        checkStep();
        applyInput();
        break;
    case kCleared:
        stepGame();
        transition->update(dt);
        if (transition->getY() + transition->getCurrentFrame()->getY(0) - manager->getGameY() > kViewHeight) finishTutorial();
        break;
    default: break;
    }
}

void Tutorial::finishTutorial() {
    manager->setTutorialDone();
    if (manager->getPreviousSceneId() == scene_id::kWorldMap) {
        manager->storyMode = 1;
        manager->changeScene(scene_id::kStory);
    } else {
        manager->changeScene(scene_id::kMenu);
    }
}

// The quit question's yes: from the world map the tutorial counts as played and the story
// follows; from anywhere else the menu, with the saved progress untouched.
void Tutorial::leave() {
    if (manager->getPreviousSceneId() == scene_id::kWorldMap) {
        finishTutorial();
    } else {
        manager->changeScene(scene_id::kMenu);
    }
}

void Tutorial::startEnd() {
    state = kCleared;
    transition->setAnimation(0);
    transition->setY(0);
}

// ---------------------------------------------------------------- loading

void Tutorial::runLoadStep(int32_t loadingStep) {
    switch (loadingStep) {
    case 14: glassSet = loadAnimSet(content::res::GLASS0_SET + stage, content::res::GLASS0_GOBS + stage); break;
    case 8:
        hintSet = loadAnimSet(content::res::HINT_SET, content::res::HINT_GOBS);
        hintArrow = newPlayer(hintSet, kArrowAnimation);
        hintArrow->setY(kArrowPlaces[0][1]);
        hintArrow->setX(kArrowPlaces[0][0]);
        break;
    case 4: break;
    case 3:
        InGameNormal::runLoadStep(loadingStep);
        hintPanel = newPlayer(panelSet, kHintPanelAnimation);
        hintPanel->setX(120);
        hintPanel->setY(265);
        break;
    default: InGameNormal::runLoadStep(loadingStep); break;
    }
}

// ---------------------------------------------------------------- steps

bool Tutorial::projectileFlying(int32_t direction) {
    VMPtr<PlayerArray> shots = character->getProjectiles();
    for (int32_t slot = 0; slot < shots->length; ++slot)
        if (shots->at(slot) && character->directions->at(slot) == direction) return true;
    return false;
}

void Tutorial::placeArrowOnWeaponButton() {
    VMPtr<BoxArray> buttons = InGameObject::clearedBoxes(scratchBoxes, InGameObject::kButtonBoxes, 2);
    hudFrame12->getCollisionBoxes(0, buttons, 1);
    kv::graphics::CollisionBox* box = buttons->at(0);
    hintArrow->setY(box->y + box->height / 2);
    hintArrow->setX(box->x + 120 + box->width / 2);
}

void Tutorial::checkStep() {
    if (step < 6) {
        hintArrow->setY(kArrowPlaces[step][1]);
        hintArrow->setX(kArrowPlaces[step][0]);
    }
    bool done = false;
    switch (step) {
    case 0: done = character->body->getX() < 80; break;
    case 1: done = character->body->getX() > 120; break;
    case 2: done = character->body->getY() < maxHeight; break;
    case 3: done = projectileFlying(kLeft); break;
    case 4: done = projectileFlying(kRight); break;
    case 5: done = projectileFlying(kUp); break;
    case 6:
        placeArrowOnWeaponButton();
        done = character->weapon != 0;
        break;
    default: closingTime += frameTime; break;
    }
    if (done) ++step;
    hintArrow->update(frameTime);
}

// The tutorial never brings an enemy into play.
void Tutorial::spawnEnemies() {}

void Tutorial::stepGame() {
    spawnEnemies();
    checkCollisions();
    character->setGroundLine(groundHeights);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    updateEnemies(false);
}

// Shots against the active enemies (which stay empty), with no glass or item drops; boxes
// are made only while a shot flies.
void Tutorial::checkCollisions() {
    VMPtr<PlayerArray> shots = character->getProjectiles();
    for (int32_t slot = 0; slot < shots->length; ++slot) {
        if (!shots->at(slot)) continue;
        hitEnemies(InGameObject::clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                   InGameObject::clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1), false);
        return;
    }
}

// ---------------------------------------------------------------- controls

void Tutorial::restart() { manager->changeScene(scene_id::kTutorial); }

void Tutorial::keysInPlay() {
    InGameObject::Character& hero = *character;
    auto held = [&](int32_t action) { return manager->isActionHeld(action); };
    auto pressed = [&](int32_t action) { return manager->isActionPressed(action); };
    const bool upAttack = held(LevelControls::kUpAttack1) || held(LevelControls::kUpAttack3);
    switch (step) {
    case 0:
        if (held(LevelControls::kLeft)) upAttack ? hero.attackUp(true, true) : hero.moveLeft();
        break;
    case 1:
        if (held(LevelControls::kRight)) upAttack ? hero.attackUp(true, false) : hero.moveRight();
        break;
    case 2:
        if (held(LevelControls::kUp)) hero.jump();
        break;
    case 3:
    case 4:
        if (held(LevelControls::kFire) && !held(LevelControls::kDown) && !upAttack) hero.attack();
        break;
    case 5:
        if (upAttack) hero.attackUp(false, false);
        break;
    case 6:
        if (pressed(LevelControls::kPreviousWeapon)) hero.switchWeapon(true);
        else if (pressed(LevelControls::kNextWeapon)) hero.switchWeapon(false);
        break;
    default:
        if (pressed(kAnyKeyAction) && closingTime > kMessageDelay) startEnd();
        break;
    }
    if (!held(LevelControls::kRight) && !held(LevelControls::kLeft) && !held(LevelControls::kUp) &&
        !held(LevelControls::kDown) && !upAttack)
        hero.idle();
    if (pressed(LevelControls::kPause) && step != kClosingStep) pause();
}

// A press in play sets only the current step's control; the pause button is tested after it.
void Tutorial::pressInStep(const level::PointerEvent& event) {
    level::LevelControls c = controls();
    pointerX = event.x;
    pointerY = event.viewY;
    const level::Zone zone = LevelControls::zoneAt(event.x, event.viewY);
    constexpr level::Zone kStepZones[6] = {level::Zone::kMoveLeft,   level::Zone::kMoveRight,   level::Zone::kJump,
                                           level::Zone::kAttackLeft, level::Zone::kAttackRight, level::Zone::kAttackUp};
    if (step < 6) {
        if (zone == kStepZones[step]) c.setFlag(zone);
    } else if (step == 6) {
        const int32_t button = c.weaponButtonAt(event.x, event.viewY);
        if (button >= 0) character->switchWeapon(button == 0);
    } else if (closingTime > kMessageDelay) {
        startEnd();
    }
    if (step != kClosingStep && c.pauseButtonAt(event.x, event.viewY)) pause();
}

void Tutorial::pointerInPlay(const level::PointerEvent& event) {
    if (!controls().letGo(event) && event.type == kv::input::PointerInputEventManager::PRESSED) pressInStep(event);
}

// ---------------------------------------------------------------- painting

void Tutorial::paintPlayOverlay() {
    if (closingTime < kMessageDelay) paintControls();
    paintHint();
}

void Tutorial::paintObjects() {
    paintWorldBehind();
    character->paint(graphics);
    paintWorldInFront();
}

// The top bar, the weapon icon on its type-0 box 0, the walking marks and the pause button.
// The type-0 boxes of HUD frame 2 are read first and overwritten by the top bar's.
void Tutorial::paintControls() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    hudFrame12->paint(graphics, width / 2, -offY, 0);
    VMPtr<BoxArray> boxes = InGameObject::clearedBoxes(scratchBoxes, InGameObject::kWeaponBarBoxes, 2);
    hudFrame2->getCollisionBoxes(0, boxes, 0);
    hudFrame12->getCollisionBoxes(0, boxes, 0);
    weaponIcons->at(character->weapon)->paint(graphics, boxes->at(0)->x + width / 2, boxes->at(0)->y - offY, 0);
    touchMarks->paint(graphics, 160, 265 - offY, 0);
    hudFrame1->paint(graphics, width, kViewHeight - offY, 0);
}

void Tutorial::paintHint() {
    if (step < kClosingStep) {
        hintArrow->paint(graphics);
    } else if (closingTime >= kMessageDelay) {
        paintClosingMessage();
    }
}

void Tutorial::paintClosingMessage() {
    VMPtr<kv::Frame> panel = panelSet->getFrame(kPanelMessage);
    panel->paint(graphics, 120, 160, 0);
    VMPtr<BoxArray> boxes = InGameObject::clearedBoxes(scratchBoxes, InGameObject::kPanelBoxes, 2);
    panel->getCollisionBoxes(0, boxes);
    kv::graphics::CollisionBox *area = boxes->at(0), *line = boxes->at(1);
    VMPtr<kv::util::text::RichFont> font = manager->fonts->at(1);
    // The message is wrapped again only when its text, language, font or width changed.
    const bool wrapped = wrappedTextId == kTextMessage && wrappedLanguage == manager->languageIndex &&
                         wrappedText->font.get() == font.get() && wrappedText->width == area->width &&
                         wrappedText->getText();
    if (!wrapped) {
        wrappedText->wrap(font, translation()->getText(kTextMessage), area->width);
        wrappedTextId = kTextMessage;
        wrappedLanguage = manager->languageIndex;
    }
    wrappedText->setLineSpacing(3);
    wrappedText->paint(graphics, area->x + 120, area->y + 160, 4);
    font->drawString(graphics, translation()->getText(kTextContinue), line->x + 120, line->y + 160, 1);
}

}  // namespace scene
