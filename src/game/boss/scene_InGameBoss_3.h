#pragma once

// scene::InGameBoss_3 (scene 17): the fight after stage 2. A core rests at the top of the
// field and every 3000 ms drops a glass anvil that falls through the ground. Below it a carrier
// deploys four parts that launch falling shards from two launchers every 500 ms while a part of
// their side lives; a shield over the core clears one projectile a frame until every part is
// destroyed, when it opens for 5000 ms after the carrier's exposure. 500 hit points on the core
// defeat it; a gem falls, and picking it up wins the fight.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/boss/BossFields.h"
#include "src/game/foundation/ui_Scene.h"

namespace scene {

class InGameBoss_3 : public ui::Scene {
    VM_CLASS(InGameBoss_3, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;

    static constexpr int32_t kMaxHitPoints = 500, kGaugeStep = 25, kShotCount = 20, kPartCount = 4, kPartHealth = 30;
    static constexpr int32_t kWaitMillis = 3000, kLaunchMillis = 500, kRestoreMillis = 5000, kDamage = 15, kCentreX = 120;
    // Phases.
    static constexpr int32_t kWaiting = 0, kDropping = 1, kDefeated = 3;
    // Animations.
    static constexpr int32_t kRest = 0, kDrop = 1, kHit = 2, kBroken = 3, kHazard = 4, kFirstShot = 5, kDeploy = 8,
                             kExposed = 9, kFirstPart = 10, kShieldOpen = 26, kShieldClosed = 27, kShadow = 28,
                             kReward = 32;

    VMPtr<InGameBoss_3> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override;

    BOSS_SCENE_OPERATIONS

    virtual void paintWorld();
    virtual void updateGame();
    virtual void updateBoss();
    virtual void checkCollisions();
    virtual void paintHud();
    virtual void applyInput();
    virtual void paintMessage();

    void runLoadStep(int32_t step);
    static int32_t partAnimation(int32_t part, int32_t which) { return kFirstPart + 4 * part + which; }

    BOSS_FRAME_FIELDS
    BOSS_ARENA_FIELDS

    // The fight's fields.
    VMPtr<PlayerArray> shotPool{vmField()};
    VMPtr<kv::AnimPlayer> shieldPlayer{vmField()};
    int32_t bossTimer = 0;
    VMPtr<kv::AnimPlayer> carrierPlayer{vmField()};
    int32_t carrierTimer = 0;
    VMPtr<kv::AnimPlayer> rewardShadowPlayer{vmField()};
    VMPtr<kv::AnimPlayer> hazardPlayer{vmField()};
    VMPtr<PlayerArray> activeShots{vmField()};
    int32_t bossPhase = 0;
    VMPtr<IntArray> partHealth{vmField()};
    VMPtr<PlayerArray> partPlayers{vmField()};

private:
    void loadBoss();
    void placeParts();
    void stepBody();
    void stepCarrier();
    void stepArmed();
    void launch();
    void stepShots();
    bool sideLives(int32_t side) { return partHealth->at(2 * side) > 0 || partHealth->at(2 * side + 1) > 0; }
};

}  // namespace scene
