#pragma once

// The first three boss fights kept at their busiest for the benchmarks: before each frame,
// whatever left the field since the last one is put back (boss 1's ten drops, boss 2's
// minions, boss 3's twenty shots).

#include "bench/game/GameBench.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"

namespace bench {

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

}  // namespace bench
