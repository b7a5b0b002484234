#include "src/game/boss/scene_InGameBoss_4.h"

#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_System.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/global_EnemyConfig.h"

namespace scene {

VM_DEFINE_CLASS(InGameBoss_4, "scene.InGameBoss_4", "ui.Scene", VM_NO_CLINIT)

namespace {
const ui::SceneRegistration registration(scene_id::kBoss1 + 3, &ui::buildScene<InGameBoss_4>);
constexpr int32_t kStageIndex = 3;  // the stage whose glass, ground and background the fight uses
}  // namespace

VMPtr<InGameBoss_4> InGameBoss_4::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    bossHitPoints = kMaxHitPoints;
    boss::initFrame(*this, owner);
    return this;
}

void InGameBoss_4::_VM_mark(uint32_t flags) {
    Scene::_VM_mark(flags);
    boss::markFrame(*this, flags);
    for (auto* field : {&centrePlayer, &markerPlayer, &bossBody, &bossIdleOverlay, &sweepAttack,
                        &bossDrop, &bossDropEffect})
        vmMarkField(*field, flags);
    vmMarkField(bossBaseFrame, flags);
    for (auto* field : {&bossParts, &activeShots, &spareShots}) vmMarkField(*field, flags);
    for (auto* field : {&glassSet, &bossSet, &shotSet}) vmMarkField(*field, flags);
    vmMarkField(backgroundGob, flags);
    vmMarkField(enemyTable, flags);
}

void InGameBoss_4::init() {
    boss::resetFrame(*this);
    sweepTimer = overlayTimer = spawnTimer = 0;
    // A stage outside 0..4 has no table: this raises an error naming it.
    enemyTable = global::EnemyConfig::forStage(stage);
}

BOSS_FRAME_OPERATIONS(InGameBoss_4, boss::kQuitQuestion)
void InGameBoss_4::paintHud() { boss::paintHud(*this, bossHitPoints, kMaxHitPoints, kGaugeStep); }

// ---------------------------------------------------------------- loading

void InGameBoss_4::runLoadStep(int32_t step) {
    if (boss::sharedLoadStep(*this, step, kStageIndex, stage)) return;
    if (step == 7) shotSet = InGameObject::loadAnimSet(content::res::ENEMY_3C05_SET, content::res::ENEMY_3C05_GOBS);
    if (step == 6) loadBoss();
    if (step == 5) loadShots();
    if (step == 4) boss::loadPanels(*this);
}

void InGameBoss_4::loadBoss() {
    using InGameObject::newPlayer;
    bossSet = InGameObject::loadAnimSet(content::res::BOSS4_SET, content::res::BOSS4_GOBS);
    bossBaseFrame = bossSet->getFrame(0);
    auto atBase = [&](int32_t animation) {
        VMPtr<kv::AnimPlayer> player = newPlayer(bossSet, animation);
        player->setX(kCentreX);
        player->setY(groundY);
        return player;
    };
    bossBody = atBase(kIdle);
    bossIdleOverlay = atBase(kOverlay);
    bossParts = PlayerArray::_VM_new(kPartCount);
    for (int32_t i = 0; i < kPartCount; ++i) bossParts->set(i, atBase(kFirstPart + i).get());
    sweepAttack = kv::AnimPlayer::_VM_new();
    sweepAttack->_VM_init();
    sweepAttack->setAnimSet(bossSet);
    restSweep();
    // The gem hangs from the top of the prism's hit box and falls from there.
    bossDrop = newPlayer(bossSet, kDrop);
    bossDrop->setX(kCentreX);
    VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
    box->_VM_init();
    bossBody->getCollisionBox(box);
    bossDrop->setY(box->y + bossDrop->getCurrentFrame()->height);
    bossDropEffect = newPlayer(bossSet, kDropGlow);
    bossDropEffect->setX(bossDrop->getX());
    bossDropEffect->setY(bossDrop->getY());
}

// Each falling object rests at the tip of its crystal.
void InGameBoss_4::loadShots() {
    activeShots = PlayerArray::_VM_new(kShotCount);
    spareShots = PlayerArray::_VM_new(kShotCount);
    VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
    box->_VM_init();
    for (int32_t i = 0; i < kShotCount; ++i) {
        bossParts->at(i)->getCollisionBox(box);
        VMPtr<kv::AnimPlayer> shot = InGameObject::newPlayer(shotSet, kAppear);
        shot->setX(box->x + box->width / 2);
        shot->setY(box->y);
        spareShots->set(i, shot.get());
    }
}

void InGameBoss_4::restSweep() {
    if (random->nextInt(2) == 0) {
        sweepAttack->setAnimation(kSweepFromRight);
        sweepAttack->setX(manager->getGameWidth());
    } else {
        sweepAttack->setAnimation(kSweepFromLeft);
        sweepAttack->setX(0);
    }
    sweepAttack->setY(groundY);
    sweepAttack->update(0);
}

// ---------------------------------------------------------------- the fight

void InGameBoss_4::updateGame() {
    spawnShot();
    for (int32_t i = 0; i < kShotCount; ++i) stepShot(i);
    stepSweep();
    stepBody();
    stepOverlay();
    character->setGroundLine(groundLine);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    if (bossBody->getAnimation() == kDefeated) {
        stepDrop();
    } else {
        for (int32_t i = 0; i < kPartCount; ++i) bossParts->at(i)->update(frameTime);
        checkCollisions();
    }
    // Both may hold in one step: the fight is then won.
    if (!bossDrop && state == boss::kPlaying) {
        boss::startEnd(*this, boss::kBeaten);
        character->celebrate();
    }
    if (character->health < 1 && state == boss::kPlaying) boss::startEnd(*this, boss::kLost);
}

// Every 4000 ms the first free slot takes its falling object, which appears at a random one
// of the first six crystals; a full field spawns nothing, and the timer restarts either way.
// The beaten prism spawns nothing, and the timer runs on.
void InGameBoss_4::spawnShot() {
    spawnTimer += frameTime;
    if (spawnTimer < kSpawnMillis || bossBody->getAnimation() == kDefeated) return;
    for (int32_t i = 0; i < kShotCount; ++i) {
        if (activeShots->at(i)) continue;
        VMPtr<kv::graphics::CollisionBox> box(boss::clearedBoxes(scratchBoxes, InGameObject::kSpawnBoxes, 1)->at(0));
        bossParts->at(random->nextInt(kShotCount))->getCollisionBox(box);
        kv::AnimPlayer* shot = spareShots->at(i);
        activeShots->set(i, shot);
        shot->setAnimation(kAppear);
        shot->setX(box->x);
        shot->setY(box->y);
        break;
    }
    spawnTimer = 0;
}

void InGameBoss_4::stepShot(int32_t slot) {
    kv::AnimPlayer* shot = activeShots->at(slot);
    if (!shot) return;
    switch (shot->getAnimation()) {
    case kDestroyedA:
    case kDestroyedB:
    case kCloseA:
    case kCloseB:
        if (!shot->update(frameTime)) {
            spareShots->set(slot, shot);
            activeShots->set(slot, nullptr);
        }
        break;
    case kFall:
        if (shot->getY() < groundY) {
            shot->update(frameTime);
        } else {
            shot->setAnimation(kLand);
            shot->setY(groundY);
        }
        break;
    case kAppear:
        if (!shot->update(frameTime)) {
            shot->setAnimation(kFall);
            // The console notes where each object starts to fall.
            java::lang::System::out->println(shot->getFrameTop(0));
            shot->update(0);
        }
        break;
    case kLand:
        if (!shot->update(frameTime)) shot->setAnimation(random->nextInt(2) == 0 ? kCloseA : kCloseB);
        break;
    default: break;
    }
}

// The wave rests until 5000 ms have gathered, then runs its pass and rests again at a
// random edge; the beaten prism sends no more.
void InGameBoss_4::stepSweep() {
    sweepTimer += frameTime;
    if (sweepTimer < kSweepMillis || bossBody->getAnimation() == kDefeated) return;
    if (sweepAttack->update(frameTime)) return;
    restSweep();
    sweepTimer = 0;
}

void InGameBoss_4::stepBody() {
    switch (bossBody->getAnimation()) {
    case kHit:
        if (!bossBody->update(frameTime)) bossBody->setAnimation(kIdle);
        break;
    case kDefeated: bossBody->update(frameTime); break;
    default: break;  // the idle prism is a still picture
    }
}

void InGameBoss_4::stepOverlay() {
    if (bossIdleOverlay->getAnimation() == kOverlay) {
        bossIdleOverlay->update(frameTime);
        overlayTimer += frameTime;
        if (overlayTimer >= kOverlayMillis) {
            bossIdleOverlay->setAnimation(kSwirl);
            overlayTimer = 0;
        }
    } else if (!bossIdleOverlay->update(frameTime)) {
        bossIdleOverlay->setAnimation(kOverlay);
    }
}

// The gem falls to the ground with its glow and can be picked up at any time.
void InGameBoss_4::stepDrop() {
    if (bossDrop && bossDrop->getY() < groundY) {
        bossDrop->update(frameTime);
        bossDropEffect->setX(bossDrop->getX());
        bossDropEffect->setY(bossDrop->getY());
    }
    bossDropEffect->update(frameTime);
    if (bossDrop && bossDrop->collidesWith(character->body)) bossDrop = nullptr;
}

void InGameBoss_4::checkCollisions() {
    VMPtr<boss::BoxArray> first = boss::clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                          second = boss::clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1);
    VMPtr<kv::graphics::CollisionBox> shotBox(boss::clearedBoxes(scratchBoxes, InGameObject::kThirdBoxes, 1)->at(0));
    // At most one projectile strikes the prism a step.
    if (bossHitPoints > 0) {
        VMPtr<PlayerArray> projectiles = character->getProjectiles();
        kv::graphics::CollisionBox* bodyBox = boss::placedBox(bossBody.get(), second);
        for (int32_t i = 0; i < projectiles->length; ++i) {
            kv::AnimPlayer* projectile = projectiles->at(i);
            if (!projectile || !boss::touches(boss::placedBox(projectile, first), bodyBox)) continue;
            bossHitPoints -= character->getAttackPower(i);
            if (bossHitPoints > 0) {
                bossBody->setAnimation(kHit);
            } else {
                bossBody->setAnimation(kDefeated);
                for (int32_t j = 0; j < kShotCount; ++j)
                    if (activeShots->at(j)) destroyShot(activeShots->at(j));
            }
            character->clearAttack(i);
            break;
        }
    }
    // Objects that have begun to close cannot be shot.
    VMPtr<PlayerArray> projectiles = character->getProjectiles();
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile) continue;
        kv::graphics::CollisionBox* boltBox = boss::placedBox(projectile, first);
        for (int32_t j = 0; j < kShotCount; ++j) {
            kv::AnimPlayer* shot = activeShots->at(j);
            if (!shot || shot->getAnimation() == kCloseA || shot->getAnimation() == kCloseB) continue;
            shot->getCollisionBox(shotBox);
            if (!boss::touches(boltBox, shotBox.get())) continue;
            destroyShot(shot);
            character->clearAttack(i);
            break;
        }
    }
    if (character->canAct() &&
        boss::touches(boss::placedBox(character->body.get(), first), boss::placedBox(sweepAttack.get(), second)))
        character->takeDamage(kSweepDamage);
    // Asked again: a sweep hit leaves the character hurt, and nothing more hurts it this step.
    if (!character->canAct()) return;
    kv::graphics::CollisionBox* heroBox = boss::placedBox(character->body.get(), first);
    for (int32_t j = 0; j < kShotCount; ++j) {
        kv::AnimPlayer* shot = activeShots->at(j);
        if (!shot) continue;
        shot->getCollisionBox(shotBox);
        if (!boss::touches(shotBox.get(), heroBox)) continue;
        character->takeDamage(kShotDamage);
        break;
    }
}

// ---------------------------------------------------------------- painting

void InGameBoss_4::paintWorld() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    graphics->setClip(0, -offY, width, offY + groundY);
    backgroundGob->paint(graphics);
    boss::clipToView(*this);
    bossBaseFrame->paint(graphics, kCentreX, groundY, 0);
    bossBody->paint(graphics);
    const int32_t shown = bossBody->getAnimation();
    if (shown != kHit && shown != kDefeated) bossIdleOverlay->paint(graphics);
    for (int32_t i = 0; i < kPartCount; ++i) bossParts->at(i)->paint(graphics);
    for (int32_t i = 0; i < kShotCount; ++i)
        if (activeShots->at(i)) activeShots->at(i)->paint(graphics);
    sweepAttack->paint(graphics);
    if (shown == kDefeated && bossDrop) {
        bossDrop->paint(graphics);
        bossDropEffect->paint(graphics);
    }
    character->paint(graphics);
    centrePlayer->paint(graphics);
    markerPlayer->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> strip = markerPlayer->getCurrentFrame();
    graphics->fillRect(markerPlayer->getX(), markerPlayer->getY() + strip->height + strip->getY(0), width,
                       manager->getGameHeight() + strip->height - markerPlayer->getY());
}

}  // namespace scene
