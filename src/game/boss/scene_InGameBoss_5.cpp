#include "src/game/boss/scene_InGameBoss_5.h"

#include <algorithm>

#include "pb_src/j2me/java_util_Date.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/global_EnemyConfig.h"

namespace scene {

VM_DEFINE_CLASS(InGameBoss_5, "scene.InGameBoss_5", "ui.Scene", VM_NO_CLINIT)

namespace {
const ui::SceneRegistration registration(scene_id::kBoss5, &ui::buildScene<InGameBoss_5>);
using global::EnemyConfig;
// The attacks the keeper picks from, one chance in four each.
constexpr int32_t kChoices[4] = {0, 4, 1, 3};
}  // namespace

VMPtr<InGameBoss_5> InGameBoss_5::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    boss::initFrame(*this, owner);
    return this;
}

void InGameBoss_5::_VM_mark(uint32_t flags) {
    Scene::_VM_mark(flags);
    boss::markFrame(*this, flags);
    for (auto* field : {&centrePlayer, &markerPlayer, &bossBody, &bossPartA, &bossPartB,
                        &weakPointEffect, &defeatEffect})
        vmMarkField(*field, flags);
    vmMarkField(backgroundFrame, flags);
    for (auto* field : {&glassSet, &bossSet}) vmMarkField(*field, flags);
    vmMarkField(activeShards, flags);
    vmMarkField(spareShards, flags);
    vmMarkField(activeMinions, flags);
    vmMarkField(spareMinions, flags);
    vmMarkField(enemyAnimSets, flags);
    vmMarkField(rainList, flags);
    vmMarkField(icicles, flags);
    vmMarkField(enemyTable, flags);
}

void InGameBoss_5::init() {
    boss::resetFrame(*this);
    VMPtr<java::util::Date> now = java::util::Date::_VM_new();
    now->_VM_init();
    random->setSeed(now->getTime());
    bossHitPoints = kMaxHitPoints;
    bossPhase = kIdle;
    phaseTimer = 0;
    slamDone = false;
    // The last fight always takes the last stage's guards.
    enemyTable = EnemyConfig::forStage(kFinaleStage);
}

BOSS_FRAME_OPERATIONS(InGameBoss_5, kQuitState)
void InGameBoss_5::paintHud() { boss::paintHud(*this, bossHitPoints, kMaxHitPoints, kGaugeStep); }

kv::AnimPlayer* InGameBoss_5::rainAt(int32_t i) { return dynamic_cast<kv::AnimPlayer*>(rainList->get(i).get()); }

// ---------------------------------------------------------------- the frame's hooks

void InGameBoss_5::updateIntro(int32_t dt) {
    bossBody->update(dt);
    bossPartB->update(frameTime);
    bossPartA->update(frameTime);
    weakPointEffect->update(frameTime);
    pinWeakPoint();
}

// The crown falls to the ground; touching it wins. A character that died as the keeper fell
// ends the fight as won too, without celebrating: nothing else could end it.
void InGameBoss_5::updateFinale(int32_t dt) {
    if (state != boss::kFinale) return;
    if (defeatEffect->getY() < groundY) defeatEffect->update(dt);
    if (character->dead) {
        boss::startEnd(*this, boss::kBeaten);
    } else if (defeatEffect->collidesWith(character->body)) {
        character->celebrate();
        boss::startEnd(*this, boss::kBeaten);
    }
}

void InGameBoss_5::pinWeakPoint() {
    VMPtr<boss::BoxArray> boxes = boss::clearedBoxes(scratchBoxes, InGameObject::kWeakPointBoxes, 1);
    kv::graphics::CollisionBox* box = boss::placedBox(bossBody.get(), boxes);
    weakPointEffect->setX(box->x);
    weakPointEffect->setY(box->y);
}

// ---------------------------------------------------------------- loading

void InGameBoss_5::runLoadStep(int32_t step) {
    if (step == 12) {
        backgroundFrame = InGameObject::loadAnimSet(content::res::BOSS5_BACKDROP_SET, content::res::BOSS5_BACKDROP_GOBS)
                              ->getFrame(0);
        return;
    }
    if (boss::sharedLoadStep(*this, step, kFinaleStage, kFinaleStage)) return;
    if (step == 7) loadEnemySets();
    if (step == 6) loadBoss();
    if (step == 5) loadMinions();
    if (step == 4) loadShards();
    if (step == 3) boss::loadPanels(*this);
}

void InGameBoss_5::loadEnemySets() {
    enemyAnimSets = SetArray::_VM_new(enemyTable->length);
    for (int32_t row = 0; row < enemyTable->length; ++row) {
        const int32_t setId = enemyTable->at(row)->at(EnemyConfig::ANIM_SET_ID);
        if (setId == -1) continue;
        enemyAnimSets->set(row, InGameObject::loadAnimSet(setId, enemyTable->at(row)->at(EnemyConfig::GOBS_ID)).get());
    }
}

void InGameBoss_5::loadBoss() {
    bossSet = InGameObject::loadAnimSet(content::res::BOSS5_SET, content::res::BOSS5_GOBS);
    auto atBase = [&](int32_t animation) {
        VMPtr<kv::AnimPlayer> player = InGameObject::newPlayer(bossSet, animation);
        player->setX(kCentreX);
        player->setY(groundY);
        return player;
    };
    bossBody = atBase(kBodyRest);
    bossPartA = atBase(kIdleA);
    bossPartB = atBase(kIdleA + 1);
    rainList = kv::util::ArrayList::_VM_new();
    rainList->_VM_init(kRainMost, 0);  // room for the whole rain from the start
    icicles = PlayerArray::_VM_new(kRainMost);
    for (int32_t i = 0; i < kRainMost; ++i) icicles->set(i, InGameObject::newPlayer(bossSet, kRainFall));
    weakPointEffect = InGameObject::newPlayer(bossSet, kHeart);
    pinWeakPoint();
    // The crown starts a body's height above the base.
    defeatEffect = InGameObject::newPlayer(bossSet, kDefeatFall);
    defeatEffect->setX(bossBody->getX());
    defeatEffect->setY(bossBody->getY() - bossBody->getCurrentFrame()->height);
}

// One guard of every kind but the one that drops in and stays, in table order.
void InGameBoss_5::loadMinions() {
    activeMinions = EnemyArray::_VM_new(kMinionCount);
    spareMinions = EnemyArray::_VM_new(kMinionCount);
    int32_t n = 0;
    for (int32_t row = 0; row < enemyTable->length && n < kMinionCount; ++row) {
        VMPtr<IntArray> columns = enemyTable->at(row);
        if (columns->at(EnemyConfig::KIND) == 4) continue;
        VMPtr<InGameObject::Enemy> minion = InGameObject::Enemy::_VM_new();
        minion->_VM_init(columns->at(EnemyConfig::HIT_POINTS), n, random->nextInt(2) != 0 ? 1 : 0,
                         enemyAnimSets->at(row), columns->at(EnemyConfig::CROSSING_TIME), columns->at(EnemyConfig::KIND),
                         row, -manager->getGameY());
        spareMinions->set(n, minion.get());
        ++n;
    }
}

void InGameBoss_5::loadShards() {
    activeShards = GlassArray::_VM_new(kShardCount);
    spareShards = GlassArray::_VM_new(kShardCount);
    for (int32_t i = 0; i < kShardCount; ++i) {
        VMPtr<InGameObject::Glass> shard = InGameObject::Glass::_VM_new();
        shard->_VM_init(glassSet, random->nextInt(kShardShapes), 0);
        spareShards->set(i, shard.get());
    }
}

// ---------------------------------------------------------------- the fight

void InGameBoss_5::updateGame() {
    if (state == boss::kPlaying) updateBoss();
    if (state == boss::kFinale || state == boss::kBeaten || state == boss::kLost) {
        bossBody->update(frameTime);
        for (int32_t i = 0; i < kMinionCount; ++i)
            if (InGameObject::Enemy* minion = activeMinions->at(i))
                minion->update(frameTime, character->body->getX(), character->body->getY());
        for (int32_t i = 0; i < rainList->size(); ++i) rainAt(i)->update(frameTime);
    }
    for (int32_t i = 0; i < kShardCount; ++i) {
        InGameObject::Glass* shard = activeShards->at(i);
        if (!shard) continue;
        shard->update(frameTime);
        if (shard->y > kViewBottom) {
            spareShards->set(i, shard);
            activeShards->set(i, nullptr);
        }
    }
    pinWeakPoint();
    if (weakPointEffect->getAnimation() == kHeartStruck) {
        if (!weakPointEffect->update(frameTime)) weakPointEffect->setAnimation(kHeart);
    } else {
        weakPointEffect->update(frameTime);
    }
    character->setGroundLine(groundLine);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    if (bossHitPoints < 1 && state == boss::kPlaying) {
        for (int32_t i = 0; i < kMinionCount; ++i)
            if (InGameObject::Enemy* minion = activeMinions->at(i)) minion->takeDamage(minion->health);
        bossBody->setAnimation(kBodyDefeated);
        state = boss::kFinale;
    }
    if (character->dead && state == boss::kPlaying) boss::startEnd(*this, boss::kLost);
    if (state == boss::kPlaying) checkCollisions();
}

bool InGameBoss_5::partsEnded() {
    const bool endedB = !bossPartB->update(frameTime);
    const bool endedA = !bossPartA->update(frameTime);
    return endedA && endedB;
}

void InGameBoss_5::updateBoss() {
    switch (bossPhase) {
    case kIdle: choose(); break;
    case kSlam:
    case kCrossSlam: stepSlam(); break;
    case kRainWindUp:
        bossBody->update(frameTime);
        if (partsEnded()) {
            bossPhase = kRain;
            bossPartA->setAnimation(kIdleA);
            bossPartB->setAnimation(kIdleA + 1);
        }
        break;
    case kRain: stepRain(); break;
    case kSummons: summon(); break;
    case kMinions: stepMinions(); break;
    default: break;
    }
}

// 500 ms of rest, then one of the four attacks, each with one chance in four. The generator is
// seeded once, when the fight starts: reseeded from the clock before every choice, steady
// 50 ms frames would repeat the same choice for seconds on end.
void InGameBoss_5::choose() {
    bossBody->update(frameTime);
    bossPartB->update(frameTime);
    bossPartA->update(frameTime);
    phaseTimer += frameTime;
    show(bossPartA.get(), kIdleA);
    show(bossPartB.get(), kIdleA + 1);
    if (phaseTimer < kRestMillis) return;
    const int32_t choice = kChoices[random->nextInt(4)];
    slamDone = false;
    phaseTimer = 0;
    switch (choice) {
    case 0:
        bossPhase = kSlam;
        bossPartA->setAnimation(kSlamA);
        bossPartB->setAnimation(kSlamA + 1);
        break;
    case 1:
        bossPhase = kCrossSlam;
        bossPartA->setAnimation(kCrossSlamA);
        bossPartB->setAnimation(kCrossSlamA + 1);
        break;
    default:
        bossPhase = choice == 3 ? kRainWindUp : kSummons;
        bossBody->setAnimation(kBodyAttacking);
        bossPartA->setAnimation(kWindUpA);
        bossPartB->setAnimation(kWindUpA + 1);
        break;
    }
    bossBody->setY(groundY);
    bossPartA->setY(groundY);
    bossPartB->setY(groundY);
}

// The fists come down; the first step in which the left fist's impact point reaches the
// ground strikes once.
void InGameBoss_5::stepSlam() {
    bossBody->update(frameTime);
    if (partsEnded()) bossPhase = kIdle;
    auto impact = [](kv::AnimPlayer* part, int32_t& x, int32_t& y) {
        VMPtr<kv::Frame> shown = part->getCurrentFrame();
        x = part->getX() + shown->getX(0) + shown->width / 2;
        y = part->getY() + shown->getY(0) + shown->height;
    };
    int32_t ax, ay, bx, by;
    impact(bossPartA.get(), ax, ay);
    impact(bossPartB.get(), bx, by);
    if (!slamDone && ay >= groundY) strike(ax, ay, bx, by);
}

// The ground shakes under a standing character, and ten shards burst from the two impact
// points (slots 0 to 4 from the left fist's). A slot whose shard is still in flight keeps it.
void InGameBoss_5::strike(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    if (character->canAct() && character->body->getY() >= groundY) character->takeDamage(kStrikeDamage);
    for (int32_t i = 0; i < kShardCount; ++i) {
        const int32_t shape = random->nextInt(kShardShapes);
        InGameObject::Glass* shard = spareShards->at(i);
        if (!shard) continue;
        activeShards->set(i, shard);
        shard->start(shape, 0);
        spareShards->set(i, nullptr);
        if (i < kShardCount / 2) shard->setPosition(ax, ay);
        else shard->setPosition(bx, by);
    }
    slamDone = true;
}

// An icicle every 300 ms at a column 12 x r (r 1..19, 0 counting as 1), up to 50; once all
// 50 are finished the fists close and the keeper rests.
void InGameBoss_5::stepRain() {
    bossBody->update(frameTime);
    phaseTimer += frameTime;
    if (!rainCleared) {
        rainList->clear();
        rainCleared = true;
    }
    if (phaseTimer >= kRainMillis && rainList->size() < kRainMost) {
        // The rain's n-th icicle is the pool's n-th, set back to a new player's state.
        VMPtr<kv::AnimPlayer> icicle(icicles->at(rainList->size()));
        icicle->userFlag = false;
        icicle->userValue = 0;
        icicle->flags = 0;
        icicle->boxType = -1;
        icicle->setPrevX(0);
        icicle->setPrevY(0);
        icicle->setX(0);
        icicle->setAnimation(kRainFall);
        icicle->setY(0);
        const int32_t r = std::max(1, random->nextInt(20));
        icicle->setX(r * manager->getGameWidth() / 20);
        rainList->add(icicle);
        phaseTimer = 0;
    }
    bool landed = rainList->size() == kRainMost;
    for (int32_t i = 0; landed && i < rainList->size(); ++i) landed = rainAt(i)->getAnimation() == kRainDone;
    if (!restOnceOver(landed)) return;
    rainList->clear();
    phaseTimer = 0;
}

// Every free guard slot takes its guard, which enters from a random side.
void InGameBoss_5::summon() {
    for (int32_t i = 0; i < kMinionCount; ++i) {
        if (activeMinions->at(i)) continue;
        const int32_t side = random->nextInt(2);
        InGameObject::Enemy* minion = spareMinions->at(i);
        if (!minion) continue;
        activeMinions->set(i, minion);
        minion->spawn(side, -manager->getGameY());
        spareMinions->set(i, nullptr);
    }
    bossBody->update(frameTime);
    if (partsEnded()) {
        bossPhase = kMinions;
        bossPartA->setAnimation(kIdleA);
        bossPartB->setAnimation(kIdleA + 1);
    }
}

// The guards fight on; a finished one goes back to rest (and counts as free from the next
// step). Once a step finds all five slots free, the fists close and the keeper rests.
void InGameBoss_5::stepMinions() {
    bossBody->update(frameTime);
    int32_t free = 0;
    for (int32_t i = 0; i < kMinionCount; ++i) {
        InGameObject::Enemy* minion = activeMinions->at(i);
        if (!minion) {
            ++free;
        } else if (minion->state == InGameObject::Enemy::kFinished) {
            spareMinions->set(i, minion);
            activeMinions->set(i, nullptr);
        } else {
            minion->setGroundLine(groundLine);
            minion->update(frameTime, character->body->getX(),
                           character->body->getY() - character->body->getCurrentFrame()->height / 2);
        }
    }
    restOnceOver(free == kMinionCount);
}

// The end of an attack phase: while it lasts the fists play on; once it is over they close,
// and when both have closed the keeper rests (answers true then).
bool InGameBoss_5::restOnceOver(bool over) {
    if (!over) {
        bossPartB->update(frameTime);
        bossPartA->update(frameTime);
        return false;
    }
    show(bossPartA.get(), kCloseA);
    show(bossPartB.get(), kCloseA + 1);
    if (!partsEnded()) return false;
    bossBody->setAnimation(kBodyRest);
    bossPhase = kIdle;
    return true;
}

int32_t InGameBoss_5::contactDamage(InGameObject::Enemy* minion) {
    return enemyTable->at(minion->row)->at(EnemyConfig::CONTACT_DAMAGE);
}

void InGameBoss_5::checkCollisions() {
    VMPtr<boss::BoxArray> first = boss::clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                          second = boss::clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1);
    // Projectiles against the guards: each strikes at most one guard a step, each guard once
    // per attack slot.
    VMPtr<PlayerArray> projectiles = character->getProjectiles();
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile) continue;
        kv::graphics::CollisionBox* boltBox = boss::placedBox(projectile, first);
        for (int32_t j = 0; j < kMinionCount; ++j) {
            InGameObject::Enemy* minion = activeMinions->at(j);
            if (!minion || !boss::touches(boltBox, boss::placedBox(minion->player.get(), second))) continue;
            minion->takeDamage(character->damageFor(i, minion->id));
            character->registerHit(i, minion->id);
            break;
        }
    }
    // Projectiles against the heart: each strikes once and is gone.
    projectiles = character->getProjectiles();
    for (int32_t i = 0; i < projectiles->length; ++i) {
        kv::AnimPlayer* projectile = projectiles->at(i);
        if (!projectile) continue;
        if (!boss::touches(boss::placedBox(projectile, first), boss::placedBox(weakPointEffect.get(), second))) continue;
        show(weakPointEffect.get(), kHeartStruck);
        bossHitPoints = std::max(0, bossHitPoints - character->getAttackPower(i));
        character->clearAttack(i);
    }
    // The guards' bodies, then the thrown effects of the throwers met before a body touched.
    if (character->canAct()) {
        VMPtr<boss::BoxArray> heroBoxes = boss::clearedBoxes(scratchBoxes, InGameObject::kHeroBoxes, 1);
        kv::graphics::CollisionBox* heroBox = boss::placedBox(character->body.get(), heroBoxes);
        int32_t throwers[kMinionCount], count = 0;
        for (int32_t j = 0; j < kMinionCount; ++j) {
            InGameObject::Enemy* minion = activeMinions->at(j);
            if (!minion) continue;
            if (boss::touches(boss::placedBox(minion->player.get(), first), heroBox)) {
                character->takeDamage(contactDamage(minion));
                break;
            }
            if (minion->kind == 2) throwers[count++] = j;
        }
        for (int32_t k = 0; k < count; ++k) {
            InGameObject::Enemy* minion = activeMinions->at(throwers[k]);
            if (!boss::touches(boss::placedBox(minion->getEffectPlayer().get(), first), heroBox)) continue;
            minion->hitAnimation();
            character->takeDamage(contactDamage(minion));
            break;
        }
    }
    // The icicles fall here during play.
    for (int32_t i = 0; i < rainList->size(); ++i) {
        kv::AnimPlayer* icicle = rainAt(i);
        if (!icicle->update(frameTime)) icicle->setAnimation(kRainDone);
        if (character->canAct() && icicle->collidesWith(character->body)) {
            character->takeDamage(kStrikeDamage);
            icicle->setAnimation(kRainStruck);
        }
        if (icicle->getY() - icicle->getCurrentFrame()->height > kViewBottom) icicle->setAnimation(kRainDone);
    }
    // The fists.
    if (character->canAct()) {
        kv::graphics::CollisionBox* heroBox = boss::placedBox(character->body.get(), first);
        if (boss::touches(heroBox, boss::placedBox(bossPartA.get(), second))) character->takeDamage(kStrikeDamage);
        if (boss::touches(heroBox, boss::placedBox(bossPartB.get(), second))) character->takeDamage(kStrikeDamage);
    }
}

// ---------------------------------------------------------------- painting

void InGameBoss_5::paintWorld() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    // The background never shows below the ground line.
    graphics->setClip(0, -offY, width, offY + groundY);
    backgroundFrame->paint(graphics, 0, 0, 0);
    boss::clipToView(*this);
    const bool standing = bossHitPoints > 0;
    if (standing) weakPointEffect->paint(graphics);
    bossBody->paint(graphics);
    if (standing) {
        bossPartA->paint(graphics);
        bossPartB->paint(graphics);
    }
    int32_t throwers[kMinionCount], count = 0;
    for (int32_t i = 0; i < kMinionCount; ++i) {
        InGameObject::Enemy* minion = activeMinions->at(i);
        if (!minion) continue;
        minion->paint(graphics);
        if (minion->kind == 2) throwers[count++] = i;
    }
    for (int32_t k = 0; k < count; ++k) activeMinions->at(throwers[k])->getEffectPlayer()->paint(graphics);
    for (int32_t i = 0; i < rainList->size(); ++i) rainAt(i)->paint(graphics);
    if (state == boss::kFinale) defeatEffect->paint(graphics);
    character->paint(graphics);
    for (int32_t i = kShardCount - 1; i >= 0; --i)
        if (activeShards->at(i)) activeShards->at(i)->paint(graphics);
    centrePlayer->paint(graphics);
    markerPlayer->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> strip = markerPlayer->getCurrentFrame();
    graphics->fillRect(markerPlayer->getX(), markerPlayer->getY() + strip->height + strip->getY(0), width,
                       manager->getGameHeight() + strip->height - markerPlayer->getY());
}

}  // namespace scene
