#include "src/game/boss/scene_InGameBoss_1.h"

#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/SceneTable.h"

namespace scene {

VM_DEFINE_CLASS(InGameBoss_1, "scene.InGameBoss_1", "ui.Scene", VM_NO_CLINIT)

namespace {
const ui::SceneRegistration registration(scene_id::kBoss1, &ui::buildScene<InGameBoss_1>);
constexpr int32_t kDecorationAnimations[8] = {0, 0, 1, 1, 2, 2, 3, 3};
constexpr int32_t kDecorationX[8] = {26, 78, 130, 208, 182, 156, 52, 104};
constexpr bool kDecorationRaised[8] = {false, false, true, false, true, false, false, true};
constexpr int32_t kRestingFrame = 2;  // the beaten golem rises until its bottom meets this frame's height
}  // namespace

VMPtr<InGameBoss_1> InGameBoss_1::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    boss::initFrame(*this, owner);
    return this;
}

void InGameBoss_1::_VM_mark(uint32_t flags) {
    Scene::_VM_mark(flags);
    boss::markFrame(*this, flags);
    boss::markArena(*this, flags);
    for (auto* field : {&bossOverlayPlayer, &rewardGlowPlayer}) vmMarkField(*field, flags);
    for (auto* field : {&decorationPlayers, &activeShots, &shotPool}) vmMarkField(*field, flags);
}

void InGameBoss_1::init() {
    boss::resetFrame(*this);
    bossTimer = 0;
    shotTimer = 0;
    bossHitPoints = kMaxHitPoints;
}

BOSS_FRAME_OPERATIONS(InGameBoss_1, boss::kQuitQuestion)
void InGameBoss_1::paintHud() { boss::paintHud(*this, bossHitPoints, kMaxHitPoints, kGaugeStep); }

// ---------------------------------------------------------------- loading

void InGameBoss_1::runLoadStep(int32_t step) {
    if (boss::sharedLoadStep(*this, step, 0, stage)) return;
    if (step == 7) loadBoss();
    if (step == 6) loadShots();
    if (step == 5) boss::loadPanels(*this);
}

void InGameBoss_1::loadBoss() {
    bossSet = InGameObject::loadAnimSet(content::res::BOSS1_SET, content::res::BOSS1_GOBS);
    decorationPlayers = PlayerArray::_VM_new(kDecorations);
    for (int32_t i = 0; i < kDecorations; ++i) {
        VMPtr<kv::AnimPlayer> player = kv::AnimPlayer::_VM_new();
        player->_VM_init();
        player->setAnimSet(bossSet);
        decorationPlayers->set(i, player.get());
    }
    for (int32_t i = 0; i < kDecorations; ++i) decorationPlayers->at(i)->setAnimation(kDecorationAnimations[i]);
    for (int32_t i = 0; i < kDecorations; ++i) {
        kv::AnimPlayer* player = decorationPlayers->at(i);
        player->setY(kDecorationRaised[i] ? -(decorationPlayers->at(0)->getCurrentFrame()->height / 2) : 0);
        player->setX(kDecorationX[i]);
    }
    bossPlayer = InGameObject::newPlayer(bossSet, kDrop);
    bossPlayer->setY(0);
    bossPlayer->setX(randomColumn());
    rewardPlayer = InGameObject::newPlayer(bossSet, kReward);
    rewardGlowPlayer = InGameObject::newPlayer(bossSet, kGlow);
    bossOverlayPlayer = InGameObject::newPlayer(bossSet, kOverlay);
}

void InGameBoss_1::loadShots() {
    shotPool = PlayerArray::_VM_new(kShotCount);
    activeShots = PlayerArray::_VM_new(kShotCount);
    for (int32_t i = 0; i < kShotCount; ++i) {
        VMPtr<kv::AnimPlayer> shot = InGameObject::newPlayer(bossSet, kShotFall);
        shot->setY(0);
        shot->setX(randomColumn());
        shotPool->set(i, shot.get());
    }
}

// ---------------------------------------------------------------- the fight

void InGameBoss_1::updateGame() {
    for (int32_t i = 0; i < kDecorations; ++i) decorationPlayers->at(i)->update(frameTime);
    character->setGroundLine(groundLine);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    if (bossPhase != kGone) stepBoss();
    bossOverlayPlayer->setX(bossPlayer->getX());
    bossOverlayPlayer->setY(bossPlayer->getY());
    bossOverlayPlayer->update(frameTime);
    if (bossPhase != kGone && bossPhase != kDefeated) spawnShot();
    for (int32_t i = 0; i < kShotCount; ++i) stepShot(i);
    if (bossPhase == kGone && rewardPlayer) stepReward();
    if (state == boss::kPlaying) checkCollisions();
    if (bossPhase == kGone && !rewardPlayer && state == boss::kPlaying) {
        character->celebrate();
        boss::startEnd(*this, boss::kBeaten);
    }
    if (character->health <= 0 && state == boss::kPlaying) boss::startEnd(*this, boss::kLost);
}

void InGameBoss_1::stepBoss() {
    kv::AnimPlayer* golem = bossPlayer.get();
    switch (golem->getAnimation()) {
    case kDrop:
        if (golem->getY() >= groundY) {
            golem->setAnimation(kLanded);
            golem->setY(groundY);
        } else {
            golem->update(frameTime);
        }
        break;
    case kLanded:
        golem->update(frameTime);
        if (!boss::ended(golem)) break;
        bossTimer += frameTime;
        if (bossTimer >= kWaitMillis) {
            bossTimer = 0;
            golem->setAnimation(kRise);
        }
        break;
    case kRise:
        if (bossPhase == kDefeated) {
            const int32_t resting = bossSet->getFrame(kRestingFrame)->height;
            if (golem->getY() > resting) {
                golem->update(frameTime);
            } else {
                golem->setY(resting);
                golem->setAnimation(kDefeat);
            }
        } else if (golem->getY() > 0) {
            golem->update(frameTime);
        } else {
            golem->setY(0);
            bossTimer += frameTime;
            if (bossTimer >= kWaitMillis) {
                golem->setX(character->body->getX());
                bossTimer = 0;
                golem->setAnimation(kDrop);
            }
        }
        break;
    case kDefeat:
        golem->update(frameTime);
        if (!boss::ended(golem)) break;
        bossPhase = kGone;
        rewardPlayer->setX(golem->getX());
        rewardPlayer->setY(0);
        for (int32_t i = 0; i < kDecorations; ++i) {
            kv::AnimPlayer* decoration = decorationPlayers->at(i);
            decoration->setAnimation(decoration->getAnimation() + 4);
            decoration->setY(0);
        }
        break;
    default: break;
    }
}

// Every 4000 ms the first free slot takes its pooled drop, which falls from the top at a
// random column; a full field or an empty pool slot spawns nothing, and the timer restarts.
void InGameBoss_1::spawnShot() {
    shotTimer += frameTime;
    if (shotTimer < kShotMillis) return;
    shotTimer = 0;
    for (int32_t i = 0; i < kShotCount; ++i) {
        if (activeShots->at(i)) continue;
        kv::AnimPlayer* shot = shotPool->at(i);
        if (!shot) return;
        activeShots->set(i, shot);
        shotPool->set(i, nullptr);
        shot->setAnimation(kShotFall);
        shot->setY(0);
        shot->setX(randomColumn());
        return;
    }
}

void InGameBoss_1::stepShot(int32_t slot) {
    kv::AnimPlayer* shot = activeShots->at(slot);
    if (!shot) return;
    const int32_t walk = int32_t(frameTime * kWalkSpeed);
    switch (shot->getAnimation()) {
    case kShotFall:
        shot->update(frameTime);
        if (shot->getY() >= groundY) shot->setAnimation(random->nextInt(2) != 0 ? kLandRight : kLandLeft);
        break;
    case kLandLeft:
    case kLandRight:
        shot->update(frameTime);
        if (!boss::ended(shot)) break;
        shot->setAnimation(shot->getAnimation() == kLandLeft ? kWalkLeft : kWalkRight);
        shot->setY(groundY);
        break;
    case kWalkLeft:
        shot->update(frameTime);
        shot->setX(shot->getX() - walk);
        if (shot->getX() < 0) {
            shot->setX(0);
            shot->setAnimation(kWalkRight);
        }
        break;
    case kWalkRight:
        shot->update(frameTime);
        shot->setX(shot->getX() + walk);
        if (shot->getX() > 239) {
            shot->setX(239);
            shot->setAnimation(kWalkLeft);
        }
        break;
    case kWreckLeft:
    case kWreckRight:
        shot->update(frameTime);
        if (!boss::ended(shot)) break;
        shotPool->set(slot, shot);
        activeShots->set(slot, nullptr);
        break;
    default: break;
    }
}

// The gem falls until it reaches the ground and can be picked up only there.
void InGameBoss_1::stepReward() {
    rewardGlowPlayer->update(frameTime);
    if (rewardPlayer->getY() < groundY) {
        rewardPlayer->update(frameTime);
        return;
    }
    if (rewardPlayer->collidesWith(character->body)) rewardPlayer = nullptr;
}

void InGameBoss_1::wreckShot(kv::AnimPlayer* shot) {
    const int32_t shown = shot->getAnimation();
    shot->setAnimation(shown == kWalkLeft || shown == kLandLeft ? kWreckLeft : kWreckRight);
}

void InGameBoss_1::checkCollisions() {
    VMPtr<PlayerArray> projectiles = character->getProjectiles();
    VMPtr<boss::BoxArray> first = boss::clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                          second = boss::clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1),
                          third = boss::clearedBoxes(scratchBoxes, InGameObject::kThirdBoxes, 1);
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile) continue;
        kv::graphics::CollisionBox* shotBox = boss::placedBox(projectile, first);
        for (int32_t j = 0; j < kShotCount; ++j) {
            kv::AnimPlayer* shot = activeShots->at(j);
            if (!shot || !boss::touches(shotBox, boss::placedBox(shot, second))) continue;
            wreckShot(shot);
            character->registerHit(i, j);
            break;
        }
    }
    kv::graphics::CollisionBox* heroBox = boss::placedBox(character->body.get(), first);
    kv::graphics::CollisionBox* golemBox = boss::placedBox(bossPlayer.get(), second);
    if (bossHitPoints > 0 && bossPlayer->getY() > 0) {
        for (int32_t i = 0; i < projectiles->length; ++i) {
            kv::AnimPlayer* projectile = projectiles->at(i);
            if (!projectile || !boss::touches(boss::placedBox(projectile, third), golemBox)) continue;
            bossOverlayPlayer->setAnimation(kHitFlash);
            bossHitPoints -= character->getAttackPower(i);
            if (bossHitPoints <= 0) {
                bossPhase = kDefeated;
                bossPlayer->setAnimation(kRise);
                for (int32_t j = 0; j < kShotCount; ++j)
                    if (activeShots->at(j)) wreckShot(activeShots->at(j));
            }
            character->clearAttack(i);
        }
    }
    if (!character->canAct()) return;
    for (int32_t j = 0; j < kShotCount; ++j) {
        kv::AnimPlayer* shot = activeShots->at(j);
        if (!shot || !boss::touches(boss::placedBox(shot, third), heroBox)) continue;
        character->takeDamage(kContactDamage);
        break;
    }
    if (character->canAct() && boss::touches(golemBox, heroBox)) character->takeDamage(kContactDamage);
}

// ---------------------------------------------------------------- painting

void InGameBoss_1::paintWorld() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    graphics->setClip(0, -offY, width, offY + groundY);
    backgroundGob->paint(graphics);
    boss::clipToView(*this);
    bossPlayer->paint(graphics);
    if (bossPhase != kGone && bossPhase != kDefeated) bossOverlayPlayer->paint(graphics);
    for (int32_t i = 0; i < kDecorations; ++i) decorationPlayers->at(i)->paint(graphics);
    for (int32_t i = 0; i < kShotCount; ++i)
        if (activeShots->at(i)) activeShots->at(i)->paint(graphics);
    if (bossPhase == kGone && rewardPlayer) {
        rewardPlayer->paint(graphics);
        rewardGlowPlayer->paint(graphics, rewardPlayer->getX() - rewardGlowPlayer->getX(),
                                rewardPlayer->getY() - rewardGlowPlayer->getY(), 0);
    }
    character->paint(graphics);
    centrePlayer->paint(graphics);
    markerPlayer->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> shown = markerPlayer->getCurrentFrame();
    graphics->fillRect(markerPlayer->getX(), markerPlayer->getY() + shown->height + shown->getY(0), width,
                       manager->getGameHeight() + shown->height - markerPlayer->getY());
}

}  // namespace scene
