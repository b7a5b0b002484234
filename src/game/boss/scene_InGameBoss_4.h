#pragma once

// scene::InGameBoss_4 (scene 18): the fight after stage 3. A crystal prism stands on its plinth
// in the middle of the ground, with an eye over it and eight floating crystals around it.
// Every 4000 ms one of six falling objects appears at one of the first six crystals, falls to
// the ground, lands and closes; every 5000 ms a glass wave sweeps the ground from one edge.
// Every 15000 ms the eye swirls once, and while it does the walking controls are turned
// around. Projectiles take their weapon's damage off the prism's 1000 hit points (one hit a
// step) and destroy falling objects that have not begun to close; the wave costs 20 health,
// a falling object 15. At 0 hit points the prism breaks, every falling object is destroyed
// and it drops a gem; picking the gem up wins the fight.
//
// The frame around the fight (states, loading counter, pause, intro, end, panels, HUD,
// controls) is boss::BossFrame's.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/boss/BossFields.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace scene {

class InGameBoss_4 : public ui::Scene {
    VM_CLASS(InGameBoss_4, ui::Scene)
    using IntTable = VMArray<int32_t, 2>;
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;

    static constexpr int32_t kMaxHitPoints = 1000, kGaugeStep = 50, kShotCount = 6, kPartCount = 8, kCentreX = 120;
    static constexpr int32_t kSpawnMillis = 4000, kSweepMillis = 5000, kOverlayMillis = 15000;
    static constexpr int32_t kSweepDamage = 20, kShotDamage = 15;
    // Boss animations.
    static constexpr int32_t kIdle = 0, kHit = 1, kDefeated = 2, kOverlay = 3, kSwirl = 4, kFirstPart = 5,
                             kSweepFromRight = 14, kSweepFromLeft = 15, kDropGlow = 16, kDrop = 17;
    // Falling-object animations.
    static constexpr int32_t kDestroyedA = 2, kDestroyedB = 3, kCloseA = 8, kCloseB = 9, kFall = 10, kAppear = 11,
                             kLand = 12;

    VMPtr<InGameBoss_4> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override;

    BOSS_SCENE_OPERATIONS

    // The fight's own operations.
    virtual void paintWorld();
    virtual void updateGame();
    virtual void checkCollisions();
    virtual void paintHud();
    virtual void applyInput();
    virtual void paintMessage();

    void runLoadStep(int32_t step);
    // While the eye swirls the walking controls are turned around.
    bool controlsMirrored() { return bossIdleOverlay && bossIdleOverlay->getAnimation() == kSwirl; }

    // The frame's fields.
    BOSS_FRAME_FIELDS
    VMPtr<kv::Gob> backgroundGob{vmField()};
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()};
    VMPtr<kv::AnimSet> glassSet{vmField()};
    VMPtr<kv::AnimPlayer> markerPlayer{vmField()};
    int32_t groundY = 0;
    VMPtr<IntTable> enemyTable{vmField()};

    // The fight's fields.
    int32_t spawnTimer = 0, sweepTimer = 0, overlayTimer = 0;
    VMPtr<kv::AnimSet> bossSet{vmField()};
    VMPtr<kv::Frame> bossBaseFrame{vmField()};
    VMPtr<kv::AnimPlayer> bossBody{vmField()};
    VMPtr<kv::AnimPlayer> bossIdleOverlay{vmField()};
    VMPtr<PlayerArray> bossParts{vmField()};
    VMPtr<kv::AnimPlayer> sweepAttack{vmField()};
    VMPtr<kv::AnimPlayer> bossDrop{vmField()};
    VMPtr<kv::AnimPlayer> bossDropEffect{vmField()};
    VMPtr<kv::AnimSet> shotSet{vmField()};
    VMPtr<PlayerArray> activeShots{vmField()};
    VMPtr<PlayerArray> spareShots{vmField()};

private:
    void loadBoss();
    void loadShots();
    void spawnShot();
    void stepShot(int32_t slot);
    void stepSweep();
    void stepBody();
    void stepOverlay();
    void stepDrop();
    // Starts the sweep again at rest on a random edge.
    void restSweep();
    void destroyShot(kv::AnimPlayer* shot) { shot->setAnimation(random->nextInt(2) == 0 ? kDestroyedA : kDestroyedB); }
};

}  // namespace scene
