#pragma once

// global::EnemyConfig: the enemy table of each stage 0 to 4 (the tutorial uses stage 4's),
// one row per enemy kind. Columns: 0 hit points, 1 crossing time in ms, 2 contact damage,
// 3 most of the kind alive (its pool size), 4 spawn cooldown in ms, 5 behaviour kind 0..5,
// 6 gob-array id, 7 animation-set id (-1: the kind is absent from the stage).

#include "src/game/foundation/ConfigTable.h"

namespace global {

class EnemyConfig : public virtual ::java::lang::Object {
    VM_CLASS(EnemyConfig, ::java::lang::Object)
    static constexpr int32_t HIT_POINTS = 0, CROSSING_TIME = 1, CONTACT_DAMAGE = 2, POOL_SIZE = 3, COOLDOWN = 4,
                             KIND = 5, GOBS_ID = 6, ANIM_SET_ID = 7;

    static void _VM_clinit();
    // The table of the stage, the class initialised first; IllegalArgumentException naming any stage outside 0..4.
    static VMPtr<Table> forStage(int32_t stage);

    static VMPtr<Table> STAGE_0, STAGE_1, STAGE_2, STAGE_3, STAGE_4;
};

}  // namespace global
