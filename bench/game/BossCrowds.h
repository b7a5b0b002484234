#pragma once

// The boss fights kept at their busiest for the benchmarks: the fight held in play with the
// hero unhurt and firing upward, and before each frame whatever left the field since the
// last one put back (boss 1's ten drops, boss 2's minions, boss 3's twenty shots, boss 4's
// falling objects and sweep, boss 5's rain, shards and guards).

#include "bench/game/GameBench.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"
#include "src/game/objects/SetLoading.h"

namespace bench {

template <class S> inline void holdFight(S& fight) {
    fight.state = boss::kPlaying;
    fight.bossHitPoints = S::kMaxHitPoints;
    fight.character->setInvulnerableTimer(1'000'000);
    fight.character->health = 100;
    fight.attackUpFlag = true;
}

inline void crowd(scene::InGameBoss_1& fight) {
    using Boss = scene::InGameBoss_1;
    for (int32_t i = 0; i < Boss::kShotCount; ++i) {
        if (fight.activeShots->at(i)) continue;
        kv::AnimPlayer* shot = fight.shotPool->at(i);
        fight.activeShots->set(i, shot);
        fight.shotPool->set(i, nullptr);
        shot->setAnimation(i % 2 ? Boss::kWalkLeft : Boss::kWalkRight);
        shot->setX(12 + 24 * i);
        shot->setY(fight.groundY);
    }
}
inline void crowd(scene::InGameBoss_2& fight) {
    using Boss = scene::InGameBoss_2;
    for (int tries = 0; tries < 64 && fight.bossPhase != Boss::kMinionsOut; ++tries) {
        fight.bossPhase = Boss::kChoosing;
        fight.bossTimer = 2000;
        fight.updateBoss();
    }
    for (int32_t k = 0; k < Boss::kMinionCount; ++k) {
        InGameObject::Enemy* minion = fight.activeMinions->at(k);
        if (minion && minion->state == InGameObject::Enemy::kAlive) continue;
        if (!minion) {
            minion = fight.freeMinions->at(k);
            fight.activeMinions->set(k, minion);
            fight.freeMinions->set(k, nullptr);
        }
        minion->health = minion->maxHealth;
        minion->spawn(k % 2, -manager().getGameY());
    }
}
inline void crowd(scene::InGameBoss_3& fight) {
    using Boss = scene::InGameBoss_3;
    for (int32_t k = 0; k < Boss::kShotCount; ++k) {
        if (fight.activeShots->at(k)) continue;
        kv::AnimPlayer* shot = fight.shotPool->at(k);
        fight.activeShots->set(k, shot);
        fight.shotPool->set(k, nullptr);
        shot->setX(10 + 11 * k);
        shot->setY(40 + 9 * k);
    }
}

// Every falling object in play and the sweep on its pass.
inline void crowd(scene::InGameBoss_4& fight) {
    using Boss = scene::InGameBoss_4;
    bool full = true;
    for (int32_t i = 0; i < Boss::kShotCount; ++i) full = full && fight.activeShots->at(i);
    if (full) return;
    fight.bossBody->setAnimation(Boss::kIdle);
    for (int32_t i = 0; i < Boss::kShotCount; ++i) {
        kv::AnimPlayer* shot = fight.spareShots->at(i);
        fight.activeShots->set(i, shot);
        shot->setAnimation(Boss::kFall);
        shot->setY(120 + 10 * i);
    }
    fight.sweepTimer = 5000;
}
// Fifty icicles falling, ten shards in flight, five guards on the field. The icicles are
// made once: a fall that ends is put back on top.
inline void crowd(scene::InGameBoss_5& fight) {
    using Boss = scene::InGameBoss_5;
    fight.bossPhase = Boss::kMinions;
    if (fight.rainList->size() < Boss::kRainMost) {
        fight.rainList->clear();
        for (int32_t i = 0; i < Boss::kRainMost; ++i) {
            VMPtr<kv::AnimPlayer> icicle = InGameObject::newPlayer(fight.bossSet, Boss::kRainFall);
            icicle->setY(i * 5);
            icicle->setX(12 + (i % 19) * 12);
            fight.rainList->add(icicle);
        }
    }
    for (int32_t i = 0; i < fight.rainList->size(); ++i) {
        kv::AnimPlayer* icicle = fight.rainAt(i);
        if (icicle->getAnimation() == Boss::kRainFall) continue;
        icicle->setAnimation(Boss::kRainFall);
        icicle->setY(0);
    }
    for (int32_t i = 0; i < Boss::kShardCount; ++i) {
        InGameObject::Glass* shard = fight.spareShards->at(i);
        if (!shard || fight.activeShards->at(i)) continue;
        fight.activeShards->set(i, shard);
        fight.spareShards->set(i, nullptr);
        shard->start(i % 7, 0);
        shard->setPosition(60 + 12 * i, 200);
    }
    for (int32_t i = 0; i < Boss::kMinionCount; ++i) {
        InGameObject::Enemy* minion = fight.activeMinions->at(i);
        if (minion && minion->state == InGameObject::Enemy::kAlive) continue;
        if (!minion) {
            minion = fight.spareMinions->at(i);
            if (!minion) continue;
            fight.activeMinions->set(i, minion);
            fight.spareMinions->set(i, nullptr);
        }
        minion->health = minion->maxHealth;
        minion->spawn(i % 2, 0);
    }
}

}  // namespace bench
