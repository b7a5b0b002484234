#include "src/game/boss/scene_InGameBoss_3.h"

#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/SceneTable.h"

namespace scene {

VM_DEFINE_CLASS(InGameBoss_3, "scene.InGameBoss_3", "ui.Scene", VM_NO_CLINIT)

namespace {
const ui::SceneRegistration registration(scene_id::kBoss1 + 2, &ui::buildScene<InGameBoss_3>);
constexpr int32_t kAppear = 0, kIdle = 1, kPartHit = 2, kDestroyed = 3;
}  // namespace

VMPtr<InGameBoss_3> InGameBoss_3::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    bossHitPoints = kMaxHitPoints;
    boss::initFrame(*this, owner);
    return this;
}

void InGameBoss_3::_VM_mark(uint32_t flags) {
    Scene::_VM_mark(flags);
    boss::markFrame(*this, flags);
    boss::markArena(*this, flags);
    for (auto* field : {&shieldPlayer, &carrierPlayer, &rewardShadowPlayer, &hazardPlayer}) vmMarkField(*field, flags);
    for (auto* field : {&shotPool, &activeShots, &partPlayers}) vmMarkField(*field, flags);
    vmMarkField(partHealth, flags);
}

void InGameBoss_3::init() {
    boss::resetFrame(*this);
    bossTimer = 0;
    carrierTimer = 0;
}

BOSS_FRAME_OPERATIONS(InGameBoss_3, boss::kQuitQuestion)
void InGameBoss_3::paintHud() { boss::paintHud(*this, bossHitPoints, kMaxHitPoints, kGaugeStep); }

// ---------------------------------------------------------------- loading

void InGameBoss_3::runLoadStep(int32_t step) {
    if (boss::sharedLoadStep(*this, step, 2, stage)) return;
    if (step == 7) boss::loadPanels(*this);
    if (step == 6) loadBoss();
}

void InGameBoss_3::loadBoss() {
    using InGameObject::newPlayer;
    bossSet = InGameObject::loadAnimSet(content::res::BOSS3_SET, content::res::BOSS3_GOBS);
    auto placed = [&](int32_t animation) {
        VMPtr<kv::AnimPlayer> player = newPlayer(bossSet, animation);
        player->setX(kCentreX);
        player->setY(0);
        return player;
    };
    bossPlayer = placed(kRest);
    hazardPlayer = placed(kHazard);
    activeShots = PlayerArray::_VM_new(kShotCount);
    shotPool = PlayerArray::_VM_new(kShotCount);
    for (int32_t i = 0; i < kShotCount; ++i) shotPool->set(i, newPlayer(bossSet, kFirstShot + random->nextInt(3)).get());
    carrierPlayer = newPlayer(bossSet, kDeploy);
    carrierPlayer->setY(0);
    carrierPlayer->setX(kCentreX);
    partPlayers = PlayerArray::_VM_new(kPartCount);
    partHealth = IntArray::_VM_new(kPartCount);
    for (int32_t k = 0; k < kPartCount; ++k) {
        partPlayers->set(k, newPlayer(bossSet, partAnimation(k, kAppear)).get());
        partHealth->at(k) = kPartHealth;
    }
    placeParts();
    auto atTop = [&](int32_t animation) {
        VMPtr<kv::AnimPlayer> player = newPlayer(bossSet, animation);
        player->setY(0);
        player->setX(kCentreX);
        return player;
    };
    shieldPlayer = atTop(kShieldClosed);
    rewardPlayer = atTop(kReward);
    rewardShadowPlayer = atTop(kShadow);
}

// The parts ride on the carrier's four type-0 boxes.
void InGameBoss_3::placeParts() {
    VMPtr<boss::BoxArray> boxes = boss::clearedBoxes(scratchBoxes, InGameObject::kPlaceBoxes, kPartCount);
    carrierPlayer->getCollisionBoxes(carrierPlayer->getFlags(), boxes, 0);
    for (int32_t k = 0; k < kPartCount; ++k) {
        partPlayers->at(k)->setX(carrierPlayer->getX() + boxes->at(k)->x);
        partPlayers->at(k)->setY(carrierPlayer->getY() + boxes->at(k)->y);
    }
}

// ---------------------------------------------------------------- the fight

void InGameBoss_3::updateGame() {
    updateBoss();
    shieldPlayer->update(frameTime);
    character->setGroundLine(groundLine);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    if (bossPhase == kDefeated) {
        // The reward's shadow and pick-up exist only while the reward does.
        if (rewardPlayer) {
            if (rewardPlayer->getY() < groundY) rewardPlayer->update(frameTime);
            rewardShadowPlayer->setX(rewardPlayer->getX());
            rewardShadowPlayer->setY(rewardPlayer->getY());
            rewardShadowPlayer->update(frameTime);
            if (rewardPlayer->collidesWith(character->body)) rewardPlayer = nullptr;
        }
    } else {
        checkCollisions();
    }
    if (bossPhase == kDefeated && !rewardPlayer && state == boss::kPlaying) {
        boss::startEnd(*this, boss::kBeaten);
        character->celebrate();
    }
    if (character->health < 1 && state == boss::kPlaying) boss::startEnd(*this, boss::kLost);
}

void InGameBoss_3::updateBoss() {
    stepBody();
    if (bossPhase != kDefeated) stepCarrier();
    stepShots();
}

void InGameBoss_3::stepBody() {
    kv::AnimPlayer* body = bossPlayer.get();
    switch (bossPhase) {
    case kWaiting:
        if (body->getAnimation() == kHit && !body->update(frameTime)) body->setAnimation(kRest);
        bossTimer += frameTime;
        if (bossTimer >= kWaitMillis) {
            bossPhase = kDropping;
            bossTimer = 0;
            body->setAnimation(kDrop);
            hazardPlayer->setY(0);
        }
        break;
    case kDropping:
        if (body->getAnimation() == kHit && !body->update(frameTime)) {
            body->setAnimation(kRest);
            body->setX(kCentreX);
            body->setY(0);
        }
        body->update(frameTime);
        hazardPlayer->update(frameTime);
        if (hazardPlayer->getY() - hazardPlayer->getCurrentFrame()->height > groundY) {
            bossPhase = kWaiting;
            body->setAnimation(kRest);
            body->setX(kCentreX);
            body->setY(0);
        }
        break;
    case kDefeated:
        body->update(frameTime);
        if (hazardPlayer->getY() > 0) hazardPlayer->update(frameTime);
        break;
    default: break;
    }
}

void InGameBoss_3::stepCarrier() {
    kv::AnimPlayer* carrier = carrierPlayer.get();
    if (carrier->getAnimation() == kDeploy) {
        if (carrier->update(frameTime))
            placeParts();
        else
            stepArmed();
        return;
    }
    if (carrier->getAnimation() != kExposed) return;
    if (carrier->update(frameTime)) return;
    carrierTimer += frameTime;
    if (carrierTimer < kRestoreMillis) return;
    shieldPlayer->setAnimation(kShieldClosed);
    carrier->setAnimation(kDeploy);
    carrier->setY(0);
    carrier->setX(kCentreX);
    for (int32_t k = 0; k < kPartCount; ++k) {
        partPlayers->at(k)->setAnimation(partAnimation(k, kAppear));
        partHealth->at(k) = kPartHealth;
    }
    placeParts();
    carrierTimer = 0;
}

// Armed: live parts idle (a hit shows for one frame), the launchers fire every 500 ms, and the
// carrier is exposed once every part is down.
void InGameBoss_3::stepArmed() {
    for (int32_t k = 0; k < kPartCount; ++k) {
        kv::AnimPlayer* part = partPlayers->at(k);
        const int32_t shown = part->getAnimation();
        const bool idle = shown == partAnimation(k, kIdle), hit = shown == partAnimation(k, kPartHit);
        if (partHealth->at(k) > 0 && !idle && !hit) {
            part->setAnimation(partAnimation(k, kIdle));
        } else if (hit) {
            part->update(frameTime);
            part->setAnimation(partAnimation(k, kIdle));
        } else {
            part->update(frameTime);
        }
    }
    carrierTimer += frameTime;
    if (carrierTimer >= kLaunchMillis) {
        launch();
        carrierTimer = 0;
    }
    bool allDown = true;
    for (int32_t k = 0; k < kPartCount; ++k) allDown = allDown && partHealth->at(k) < 1;
    if (allDown) {
        carrierPlayer->setAnimation(kExposed);
        shieldPlayer->setAnimation(kShieldOpen);
        carrierTimer = 0;
    }
}

void InGameBoss_3::launch() {
    VMPtr<boss::BoxArray> launchers = boss::clearedBoxes(scratchBoxes, InGameObject::kLauncherBoxes, 2);
    carrierPlayer->getCollisionBoxes(carrierPlayer->getFlags(), launchers, 1);
    int32_t slot = -1, pooled = -1;
    for (int32_t i = 0; i < kShotCount && slot < 0; ++i)
        if (!activeShots->at(i)) slot = i;
    for (int32_t j = 0; j < kShotCount && pooled < 0; ++j)
        if (shotPool->at(j)) pooled = j;
    if (slot < 0 || pooled < 0) return;
    const int32_t side = random->nextInt(2);
    if (!sideLives(side)) return;
    kv::AnimPlayer* shot = shotPool->at(pooled);
    activeShots->set(slot, shot);
    shotPool->set(pooled, nullptr);
    kv::graphics::CollisionBox* launcher = launchers->at(side);
    shot->setX(carrierPlayer->getX() + launcher->x);
    const bool other = random->nextInt(2) != 0;
    shot->setAnimation(side == 0 ? (other ? kFirstShot + 1 : kFirstShot + 2) : (other ? kFirstShot : kFirstShot + 2));
    shot->setY(carrierPlayer->getY() + launcher->y);
}

// Shots that have sunk wholly below the ground go back to their pool slot; the rest fall on.
void InGameBoss_3::stepShots() {
    for (int32_t k = 0; k < kShotCount; ++k) {
        kv::AnimPlayer* shot = activeShots->at(k);
        if (!shot) continue;
        if (shot->getY() - shot->getCurrentFrame()->height > groundY) {
            shotPool->set(k, shot);
            activeShots->set(k, nullptr);
            continue;
        }
        shot->update(frameTime);
    }
}

void InGameBoss_3::checkCollisions() {
    VMPtr<PlayerArray> projectiles = character->getProjectiles();
    VMPtr<boss::BoxArray> first = boss::clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                          second = boss::clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1);
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile) continue;
        kv::graphics::CollisionBox* shotBox = boss::placedBox(projectile, first);
        for (int32_t k = 0; k < kPartCount; ++k) {
            kv::AnimPlayer* part = partPlayers->at(k);
            if (!boss::touches(shotBox, boss::placedBox(part, second))) continue;
            partHealth->at(k) -= character->getAttackPower(i);
            part->setAnimation(partAnimation(k, partHealth->at(k) > 0 ? kPartHit : kDestroyed));
            character->clearAttack(i);
            break;
        }
    }
    for (int32_t i = 0; i < projectiles->length; ++i) {
        if (!projectiles->at(i) || !projectiles->at(i)->collidesWith(shieldPlayer)) continue;
        character->clearAttack(i);
        break;
    }
    for (int32_t i = 0; i < projectiles->length; ++i) {
        if (!projectiles->at(i) || !projectiles->at(i)->collidesWith(bossPlayer)) continue;
        bossHitPoints -= character->getAttackPower(i);
        if (bossHitPoints <= 0) {
            bossPlayer->setAnimation(kBroken);
            bossPhase = kDefeated;
        } else {
            bossPlayer->setAnimation(kHit);
        }
        character->clearAttack(i);
        break;
    }
    if (!character->canAct()) return;
    kv::graphics::CollisionBox* heroBox = boss::placedBox(character->body.get(), first);
    if (boss::touches(heroBox, boss::placedBox(hazardPlayer.get(), second))) character->takeDamage(kDamage);
    if (!character->canAct()) return;
    for (int32_t k = 0; k < kShotCount; ++k) {
        kv::AnimPlayer* shot = activeShots->at(k);
        if (!shot || !boss::touches(boss::placedBox(shot, second), heroBox)) continue;
        character->takeDamage(kDamage);
        break;
    }
}

// ---------------------------------------------------------------- painting

void InGameBoss_3::paintWorld() {
    const int32_t width = manager->getGameWidth(), height = manager->getGameHeight(), offY = manager->getGameY();
    graphics->setClip(0, -offY, width, offY + groundY);
    backgroundGob->paint(graphics);
    boss::clipToView(*this);
    VMPtr<boss::BoxArray> bodyBoxes = boss::clearedBoxes(scratchBoxes, InGameObject::kWorldBoxes, 1);
    bossPlayer->getCollisionBoxes(0, bodyBoxes);
    if (bossPhase != kDefeated) {
        carrierPlayer->paint(graphics);
        if (carrierPlayer->getAnimation() == kDeploy)
            for (int32_t k = 0; k < kPartCount; ++k) partPlayers->at(k)->paint(graphics);
        shieldPlayer->paint(graphics);
    }
    bossPlayer->paint(graphics);
    // The anvil shows only below the core's box, the shards only below the launchers.
    graphics->setClip(0, bossPlayer->getY() + bodyBoxes->at(0)->height, width, height);
    hazardPlayer->paint(graphics);
    boss::clipToView(*this);
    VMPtr<boss::BoxArray> launchers = boss::clearedBoxes(scratchBoxes, InGameObject::kLauncherBoxes, 2);
    carrierPlayer->getCollisionBoxes(0, launchers, 1);
    graphics->setClip(0, carrierPlayer->getY() + launchers->at(0)->y, width, height);
    for (int32_t k = 0; k < kShotCount; ++k)
        if (activeShots->at(k)) activeShots->at(k)->paint(graphics);
    boss::clipToView(*this);
    if (bossPhase == kDefeated && rewardPlayer) {
        rewardPlayer->paint(graphics);
        rewardShadowPlayer->paint(graphics);
    }
    character->paint(graphics);
    centrePlayer->paint(graphics);
    markerPlayer->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> shown = markerPlayer->getCurrentFrame();
    graphics->fillRect(markerPlayer->getX(), markerPlayer->getY() + shown->height + shown->getY(0), width,
                       height + shown->height - markerPlayer->getY());
}

}  // namespace scene
