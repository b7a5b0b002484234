#pragma once

// scene::InGameBoss_1 (scene 15): the fight after stage 0. A glass golem hangs above the view,
// drops onto the column where the character stands, squats there for 5000 ms and rises again,
// waiting 5000 ms at the top before the next drop. Every 4000 ms a glass drop falls at one of
// eight columns, lands and walks the ground, turning at the edges. Projectiles wreck drops and
// wound the golem while it is down; the golem and every drop cost 10 hit points on contact. At
// 0 hit points the golem rises, breaks and leaves a gem; picking it up wins the fight.
//
// The frame around the fight (states, loading counter, pause, intro, end, panels, HUD,
// controls) is boss::BossFrame's.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/boss/BossFields.h"
#include "src/game/foundation/ui_Scene.h"

namespace scene {

class InGameBoss_1 : public ui::Scene {
    VM_CLASS(InGameBoss_1, ui::Scene)
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;

    static constexpr int32_t kMaxHitPoints = 200, kGaugeStep = 10, kShotCount = 10, kDecorations = 8;
    static constexpr int32_t kWaitMillis = 5000, kShotMillis = 4000, kContactDamage = 10, kColumn = 26;
    static constexpr double kWalkSpeed = 0.06;  // px per ms
    // Boss animations.
    static constexpr int32_t kDefeat = 13, kGlow = 16, kReward = 17, kDrop = 21, kLanded = 22, kRise = 23, kHitFlash = 24,
                             kOverlay = 25;
    // Shot animations.
    static constexpr int32_t kShotFall = 8, kWalkLeft = 9, kWalkRight = 10, kWreckLeft = 11, kWreckRight = 12,
                             kLandLeft = 19, kLandRight = 20;
    // Phases.
    static constexpr int32_t kFighting = 0, kGone = 2, kDefeated = 3;

    VMPtr<InGameBoss_1> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override;

    BOSS_SCENE_OPERATIONS

    // The fight's own operations.
    virtual void paintWorld();
    virtual void updateGame();
    virtual void paintHud();
    virtual void checkCollisions();
    virtual void applyInput();
    virtual void paintMessage();

    void runLoadStep(int32_t step);

    BOSS_FRAME_FIELDS
    BOSS_ARENA_FIELDS

    // The fight's fields.
    VMPtr<kv::AnimPlayer> bossOverlayPlayer{vmField()};
    int32_t bossPhase = 0;
    VMPtr<kv::AnimPlayer> rewardGlowPlayer{vmField()};
    int32_t bossTimer = 0;
    VMPtr<PlayerArray> decorationPlayers{vmField()};
    int32_t shotTimer = 0;
    VMPtr<PlayerArray> activeShots{vmField()};
    VMPtr<PlayerArray> shotPool{vmField()};

private:
    void loadBoss();
    void loadShots();
    void stepBoss();
    void spawnShot();
    void stepShot(int32_t slot);
    void stepReward();
    void wreckShot(kv::AnimPlayer* shot);
    int32_t randomColumn() { return (random->nextInt(8) + 1) * kColumn; }
};

}  // namespace scene
