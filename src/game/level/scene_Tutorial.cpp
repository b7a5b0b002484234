#include "src/game/level/scene_Tutorial.h"

#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_util_Date.h"
#include "content/ContentIds.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/global_EnemyConfig.h"
#include "src/game/objects/SetLoading.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
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
    state = kLoading;
    savedState = 0;
    loadStep = 0;
    tiles = PlayerArray::_VM_new(kTileCount);
    controlPoints = IntArray::_VM_new(kControlPoints);
    groundHeights = IntArray::_VM_new(manager->getGameWidth());
    random = kv::util::FastRandom::_VM_new();
    random->_VM_init();
    VMPtr<java::util::Date> now = java::util::Date::_VM_new();
    now->_VM_init();
    random->setSeed(now->getTime());
    wrappedText = kv::util::text::WrappedText::_VM_new();
    wrappedText->_VM_init(manager.get());
    maxHeight = manager->getGameHeight();
    frameTime = 0;
    stage = kStage;
    pointerX = pointerY = -1;
    levelTable = global::EnemyConfig::forStage(kStage);
}

void Tutorial::pause() {
    if (state == kLoading || state == kPauseMenu || state == kQuitQuestion) return;
    savedState = state;
    state = kPauseMenu;
    menuCursor = 0;
}

void Tutorial::update(int32_t dt) {
    frameTime = dt;
    switch (state) {
    case kLoading: load(); break;
    case kOpening: {
        transition->update(dt);
        VMPtr<kv::Frame> shown = transition->getCurrentFrame();
        if (transition->getY() + shown->height + shown->getY(0) > kViewHeight) state = kPlaying;
        break;
    }
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
    VMPtr<BoxArray> buttons = freshBoxes(2);
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
    for (int32_t i = 0; i < activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = activeEnemies->at(i);
        if (!enemy) continue;
        if (enemy->state == InGameObject::Enemy::kFinished) {
            for (int32_t k = 0; k < freeEnemies->length; ++k) {
                if (freeEnemies->at(k)) continue;
                freeEnemies->set(k, enemy);
                activeEnemies->set(i, nullptr);
                break;
            }
            continue;
        }
        enemy->setGroundLine(groundHeights);
        VMPtr<kv::AnimPlayer> body = character->body;
        enemy->update(frameTime, body->getX(), body->getY() - body->getCurrentFrame()->height / 2);
    }
}

void Tutorial::checkCollisions() {
    VMPtr<PlayerArray> shots = character->getProjectiles();
    for (int32_t slot = 0; slot < shots->length; ++slot) {
        kv::AnimPlayer* shot = shots->at(slot);
        if (!shot) continue;
        VMPtr<BoxArray> shotBoxes = freshBoxes(1);
        shot->getCollisionBoxes(0, shotBoxes, 0);
        kv::graphics::CollisionBox* a = shotBoxes->at(0);
        for (int32_t i = 0; i < activeEnemies->length; ++i) {
            InGameObject::Enemy* enemy = activeEnemies->at(i);
            if (!enemy) continue;
            VMPtr<BoxArray> enemyBoxes = freshBoxes(1);
            enemy->player->getCollisionBoxes(0, enemyBoxes, 0);
            kv::graphics::CollisionBox* b = enemyBoxes->at(0);
            if (!kv::Paintable::overlaps(shot->getX() + a->x, shot->getY() + a->y, a->width, a->height,
                                         enemy->getX() + b->x, enemy->getY() + b->y, b->width, b->height))
                continue;
            enemy->takeDamage(character->damageFor(slot, enemy->id));
            character->registerHit(slot, enemy->id);
            break;
        }
    }
}

// ---------------------------------------------------------------- controls

void Tutorial::chooseInPanel(level::PanelChoice choice) {
    switch (choice) {
    case level::PanelChoice::kResume: state = savedState; break;
    case level::PanelChoice::kRestart: manager->changeScene(scene_id::kTutorial); break;
    case level::PanelChoice::kAskQuit: state = kQuitQuestion; break;
    case level::PanelChoice::kLeave: leave(); break;
    case level::PanelChoice::kBackToMenu: state = kPauseMenu; break;
    case level::PanelChoice::kNone: break;
    }
}

void Tutorial::keysInStep() {
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

void Tutorial::handleKeys() {
    switch (state) {
    case kPlaying: keysInStep(); break;
    case kPauseMenu: chooseInPanel(controls().pauseMenuKeys()); break;
    case kQuitQuestion: chooseInPanel(controls().quitQuestionKeys()); break;
    default: break;
    }
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

void Tutorial::handlePointer() {
    const level::PointerEvent event = LevelControls::readPointer(*manager);
    switch (state) {
    case kPlaying:
        if (!controls().letGo(event) && event.type == 1) pressInStep(event);
        break;
    case kPauseMenu: chooseInPanel(controls().pauseMenuPointer(event)); break;
    case kQuitQuestion: chooseInPanel(controls().quitQuestionPointer(event)); break;
    default: break;
    }
}

// ---------------------------------------------------------------- painting

void Tutorial::paint(VMPtr<Graphics> g) {
    graphics = g;
    switch (state) {
    case kPlaying:
        paintObjects();
        if (closingTime < kMessageDelay) paintControls();
        paintHint();
        break;
    case kCleared:
        paintObjects();
        paintHint();
        paintCurtain(false);
        break;
    case kOpening:
        paintObjects();
        paintControls();
        paintCurtain(true);
        break;
    case kPauseMenu:
        paintObjects();
        paintMessage();
        break;
    case kQuitQuestion:
        paintObjects();
        paintQuitQuestion();
        break;
    default: break;
    }
}

void Tutorial::paintObjects() {
    const int32_t width = manager->getGameWidth();
    graphics->setClip(0, viewTop(), width, manager->getGameY() + maxHeight);
    for (int32_t i = 0; i < kTileCount; ++i) tiles->at(i)->paint(graphics);
    clipToView();
    graphics->setColor(0x000000);
    for (int32_t i = 0; i < activeEnemies->length; ++i)
        if (activeEnemies->at(i)) activeEnemies->at(i)->paint(graphics);
    for (int32_t i = 0; i < activeEnemies->length; ++i)
        if (activeEnemies->at(i) && activeEnemies->at(i)->kind == 2) activeEnemies->at(i)->getEffectPlayer()->paint(graphics);
    character->paint(graphics);
    centrePlayer->paint(graphics);
    marker->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> shown = marker->getCurrentFrame();
    graphics->fillRect(marker->getX(), marker->getY() + shown->height + shown->getY(0), width,
                       manager->getGameHeight() + shown->height - marker->getY());
}

// The top bar, the weapon icon on its type-0 box 0, the walking marks and the pause button.
// The type-0 boxes of HUD frame 2 are read first and overwritten by the top bar's.
void Tutorial::paintControls() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    hudFrame12->paint(graphics, width / 2, -offY, 0);
    VMPtr<BoxArray> boxes = freshBoxes(2);
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
    VMPtr<BoxArray> boxes = freshBoxes(2);
    panel->getCollisionBoxes(0, boxes);
    kv::graphics::CollisionBox *area = boxes->at(0), *line = boxes->at(1);
    VMPtr<kv::util::text::RichFont> font = manager->fonts->at(1);
    wrappedText->wrap(font, translation()->getText(kTextMessage), area->width);
    wrappedText->setLineSpacing(3);
    wrappedText->paint(graphics, area->x + 120, area->y + 160, 4);
    font->drawString(graphics, translation()->getText(kTextContinue), line->x + 120, line->y + 160, 1);
}

}  // namespace scene
