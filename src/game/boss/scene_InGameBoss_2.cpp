#include "src/game/boss/scene_InGameBoss_2.h"

#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/global_EnemyConfig.h"

namespace scene {

VM_DEFINE_CLASS(InGameBoss_2, "scene.InGameBoss_2", "ui.Scene", VM_NO_CLINIT)

using global::EnemyConfig;

namespace {
const ui::SceneRegistration registration(scene_id::kBoss1 + 1, &ui::buildScene<InGameBoss_2>);
constexpr int32_t kMinionRows[5] = {0, 0, 1, 2, 4};  // row 3 is never summoned
constexpr int32_t kMinionStage = 1, kHeroStartX = 48, kStartEdge = 240;
}  // namespace

VMPtr<InGameBoss_2> InGameBoss_2::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    boss::initFrame(*this, owner);
    return this;
}

void InGameBoss_2::_VM_mark(uint32_t flags) {
    Scene::_VM_mark(flags);
    boss::markFrame(*this, flags);
    boss::markArena(*this, flags);
    vmMarkField(jumpCarrier, flags);
    vmMarkField(activeMinions, flags);
    vmMarkField(freeMinions, flags);
    vmMarkField(levelTable, flags);
    vmMarkField(minionSets, flags);
}

void InGameBoss_2::init() {
    boss::resetFrame(*this);
    levelTable = EnemyConfig::forStage(kMinionStage);
    bossTimer = 0;
    jumpTimer = 0;
    bossHitPoints = kMaxHitPoints;
}

BOSS_FRAME_OPERATIONS(InGameBoss_2, boss::kQuitQuestion)
void InGameBoss_2::paintHud() { boss::paintHud(*this, bossHitPoints, kMaxHitPoints, kGaugeStep); }

// ---------------------------------------------------------------- loading

void InGameBoss_2::runLoadStep(int32_t step) {
    if (boss::sharedLoadStep(*this, step, 1, stage)) {
        if (step == 15) character->body->setX(kHeroStartX);
        return;
    }
    if (step == 7) loadMinionSets();
    if (step == 6) loadBoss();
    if (step == 5) loadMinions();
    if (step == 4) boss::loadPanels(*this);
}

void InGameBoss_2::loadMinionSets() {
    minionSets = SetArray::_VM_new(levelTable->length);
    for (int32_t row = 0; row < levelTable->length; ++row) {
        const int32_t setId = levelTable->at(row)->at(EnemyConfig::ANIM_SET_ID);
        if (setId == -1) continue;
        minionSets->set(row, InGameObject::loadAnimSet(setId, levelTable->at(row)->at(EnemyConfig::GOBS_ID)).get());
    }
}

void InGameBoss_2::loadBoss() {
    bossSet = InGameObject::loadAnimSet(content::res::BOSS2_SET, content::res::BOSS2_GOBS);
    bossPlayer = InGameObject::newPlayer(bossSet, kPauseAnim);
    bossPlayer->setX(kStartEdge - bossPlayer->getCurrentFrame()->width / 2);
    bossPlayer->setY(groundY);
    movingLeft = true;
    bossPhase = kChoosing;
    jumpCarrier = kv::AnimPlayer::_VM_new();
    jumpCarrier->_VM_init();
    jumpCarrier->setAnimSet(bossSet);
    rewardPlayer = InGameObject::newPlayer(bossSet, kReward);
}

void InGameBoss_2::loadMinions() {
    activeMinions = EnemyArray::_VM_new(kMinionCount);
    freeMinions = EnemyArray::_VM_new(kMinionCount);
    for (int32_t i = 0; i < kMinionCount; ++i) {
        VMPtr<IntArray> row = levelTable->at(kMinionRows[i]);
        const int32_t side = random->nextInt(2) != 0 ? 1 : 0;
        VMPtr<InGameObject::Enemy> minion = InGameObject::Enemy::_VM_new();
        minion->_VM_init(row->at(EnemyConfig::HIT_POINTS), i, side, minionSets->at(kMinionRows[i]),
                         row->at(EnemyConfig::CROSSING_TIME), row->at(EnemyConfig::KIND), kMinionRows[i],
                         -manager->getGameY());
        freeMinions->set(i, minion.get());
    }
}

// ---------------------------------------------------------------- the fight

void InGameBoss_2::updateGame() {
    updateBoss();
    character->setGroundLine(groundLine);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    for (int32_t i = 0; i < kMinionCount; ++i) {
        InGameObject::Enemy* minion = activeMinions->at(i);
        if (!minion) continue;
        minion->setGroundLine(groundLine);
        minion->update(frameTime, character->body->getX(), character->body->getY());
    }
    if (bossPhase == kDefeated && state == boss::kPlaying && rewardPlayer && rewardPlayer->collidesWith(character->body)) {
        character->celebrate();
        boss::startEnd(*this, boss::kBeaten);
        rewardPlayer = nullptr;
    }
    if (character->dead && state == boss::kPlaying) boss::startEnd(*this, boss::kLost);
    if (state == boss::kPlaying) checkCollisions();
}

void InGameBoss_2::show(int32_t leftAnim) {
    const int32_t wanted = leftAnim + (movingLeft ? 0 : 1);
    if (bossPlayer->getAnimation() != wanted) bossPlayer->setAnimation(wanted);
}

void InGameBoss_2::walk(bool turnAnim, int32_t turnLeft) {
    kv::AnimPlayer* brute = bossPlayer.get();
    const double step = frameTime * kWalkSpeed;
    const int32_t x = brute->getX(), margin = brute->getCurrentFrame()->height / 2;
    if (movingLeft)
        brute->setX(step > 0 && step < 1 ? x - 1 : int32_t(x - step));
    else
        brute->setX(step > 0 && step < 1 ? x + 1 : int32_t(x + step));
    if (!movingLeft && brute->getX() >= kStartEdge - margin) {
        if (turnAnim) brute->setAnimation(turnLeft);
        if (brute->getX() != 239) brute->setX(239 - margin);
        movingLeft = true;
    } else if (movingLeft && brute->getX() <= margin) {
        if (turnAnim) brute->setAnimation(turnLeft + 1);
        if (brute->getX() != 0) brute->setX(margin);
        movingLeft = false;
    }
}

void InGameBoss_2::updateBoss() {
    switch (bossPhase) {
    case kChoosing: choose(); break;
    case kWalking: stepWalking(); break;
    case kJumping: stepJump(); break;
    case kMinionsOut: stepMinions(); break;
    case kDefeated: stepDefeated(); break;
    default: break;
    }
}

// A 2000 ms pause, then walking or a summon of all five minions, as the generator says.
void InGameBoss_2::choose() {
    show(kPauseAnim);
    bossPlayer->update(frameTime);
    bossTimer += frameTime;
    if (bossTimer < kChoiceMillis) return;
    bossTimer = 0;
    constexpr int32_t next[2] = {kWalking, kMinionsOut};
    bossPhase = next[random->nextInt(2)];
    if (bossPhase == kWalking) {
        show(kWalkAnim);
        return;
    }
    show(kSummon);
    for (int32_t k = 0; k < kMinionCount; ++k) {
        InGameObject::Enemy* minion = freeMinions->at(k);
        activeMinions->set(k, minion);
        if (minion) minion->spawn(random->nextInt(2), -manager->getGameY());
        freeMinions->set(k, nullptr);
    }
}

// Walking jumps every 2000 ms and pauses every 5000 ms; the pause wins when both fall due.
void InGameBoss_2::stepWalking() {
    bossPlayer->update(frameTime);
    bossTimer += frameTime;
    jumpTimer += frameTime;
    show(kWalkAnim);
    walk(true, kWalkAnim);
    if (jumpTimer >= kJumpMillis) {
        bossPhase = kJumping;
        jumpTimer = 0;
        jumpCarrier->setAnimation(kCarrierUp);
        show(kJumpStart);
    }
    if (bossTimer >= kWalkMillis) {
        bossTimer = 0;
        bossPhase = kChoosing;
    }
}

// The jump follows the carrier's path: up once, then down until the ground is passed.
void InGameBoss_2::stepJump() {
    walk(true, kAirborne);
    bossPlayer->update(frameTime);
    if (boss::ended(bossPlayer.get())) show(kAirborne);
    kv::AnimPlayer* carrier = jumpCarrier.get();
    if (carrier->getAnimation() == kCarrierUp) {
        carrier->update(frameTime);
        if (!boss::ended(carrier)) {
            bossPlayer->setY(bossPlayer->getY() + carrier->getY() - carrier->getPrevY());
        } else {
            carrier->setAnimation(kCarrierDown);
            bossPlayer->setY(bossPlayer->getY() - carrier->getCurrentFrame()->getY(0));
        }
        return;
    }
    carrier->update(frameTime);
    bossPlayer->setY(bossPlayer->getY() + carrier->getY() - carrier->getPrevY());
    if (bossPlayer->getY() > groundY) {
        bossPlayer->setY(groundY);
        bossPhase = kWalking;
        carrier->setY(0);
    }
}

// Removed minions go back to their free slots; once none was out, the boss chooses again.
void InGameBoss_2::stepMinions() {
    bossPlayer->update(frameTime);
    bool noneOut = true;
    for (int32_t k = 0; k < kMinionCount; ++k) {
        InGameObject::Enemy* minion = activeMinions->at(k);
        if (!minion) continue;
        noneOut = false;
        if (minion->state != InGameObject::Enemy::kFinished) continue;
        freeMinions->set(k, minion);
        activeMinions->set(k, nullptr);
    }
    if (noneOut) {
        bossTimer = 0;
        bossPhase = kChoosing;
    }
}

// The gem falls to the ground; the minions still out die with the boss and are dropped.
void InGameBoss_2::stepDefeated() {
    bossPlayer->update(frameTime);
    if (!rewardPlayer) return;
    if (rewardPlayer->getY() < groundY) rewardPlayer->update(frameTime);
    for (int32_t k = 0; k < kMinionCount; ++k) {
        InGameObject::Enemy* minion = activeMinions->at(k);
        if (!minion) continue;
        minion->takeDamage(minion->health);
        activeMinions->set(k, nullptr);
    }
}

void InGameBoss_2::checkCollisions() {
    VMPtr<VMArray<kv::AnimPlayer*, 1>> projectiles = character->getProjectiles();
    VMPtr<boss::BoxArray> first = boss::clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                          second = boss::clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1);
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile) continue;
        kv::graphics::CollisionBox* shotBox = boss::placedBox(projectile, first);
        for (int32_t k = 0; k < kMinionCount; ++k) {
            InGameObject::Enemy* minion = activeMinions->at(k);
            if (!minion || !boss::touches(shotBox, boss::placedBox(minion->player.get(), second))) continue;
            minion->takeDamage(character->damageFor(i, minion->id));
            character->registerHit(i, minion->id);
            break;
        }
    }
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile || (bossPhase != kWalking && bossPhase != kChoosing)) continue;
        if (!boss::touches(boss::placedBox(projectile, first), boss::placedBox(bossPlayer.get(), second))) continue;
        bossHitPoints -= character->getAttackPower(i);
        if (bossHitPoints < 0) {
            bossHitPoints = 0;
            bossPhase = kDefeated;
            show(kDown);
            rewardPlayer->setX(bossPlayer->getX());
            rewardPlayer->setY(bossPlayer->getY() - bossPlayer->getCurrentFrame()->height);
        }
        character->clearAttack(i);
    }
    if (!character->canAct()) return;
    kv::graphics::CollisionBox* heroBox = boss::placedBox(character->body.get(), first);
    for (int32_t k = 0; k < kMinionCount; ++k) {
        InGameObject::Enemy* minion = activeMinions->at(k);
        if (!minion || !boss::touches(boss::placedBox(minion->player.get(), second), heroBox)) continue;
        character->takeDamage(levelTable->at(minion->row)->at(EnemyConfig::CONTACT_DAMAGE));
        break;
    }
    if (character->canAct() && boss::touches(boss::placedBox(bossPlayer.get(), second), heroBox))
        character->takeDamage(kContactDamage);
}

// ---------------------------------------------------------------- painting

void InGameBoss_2::paintWorld() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    graphics->setClip(0, -offY, width, offY + groundY);
    backgroundGob->paint(graphics);
    boss::clipToView(*this);
    for (int32_t k = 0; k < kMinionCount; ++k)
        if (activeMinions->at(k)) activeMinions->at(k)->paint(graphics);
    if (bossPhase == kDefeated && rewardPlayer) rewardPlayer->paint(graphics);
    bossPlayer->paint(graphics);
    character->paint(graphics);
    centrePlayer->paint(graphics);
    markerPlayer->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> shown = markerPlayer->getCurrentFrame();
    graphics->fillRect(markerPlayer->getX(), markerPlayer->getY() + shown->height + shown->getY(0), width,
                       manager->getGameHeight() + shown->height - markerPlayer->getY());
}

}  // namespace scene
