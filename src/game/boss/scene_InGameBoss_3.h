#pragma once

// scene::InGameBoss_3 (scene 17): the fight after stage 2. A core rests at the top of the
// field and every 3000 ms drops a glass anvil that falls through the ground. Below it a carrier
// deploys four parts that launch falling shards from two launchers every 500 ms while a part of
// their side lives; a shield over the core clears one projectile a frame until every part is
// destroyed, when it opens for 5000 ms after the carrier's exposure. 500 hit points on the core
// defeat it; a gem falls, and picking it up wins the fight.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace scene {

class InGameBoss_3 : public ui::Scene {
    VM_CLASS(InGameBoss_3, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using ByteArray = VMArray<int8_t, 1>;
    using FrameArray = VMArray<kv::Frame*, 1>;
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

    void pause() override;
    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    bool isPaused() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override;

    virtual void paintWorld();
    virtual void updateGame();
    virtual void updateBoss();
    virtual void checkCollisions();
    virtual void paintHud();
    virtual void applyInput();
    virtual void paintMessage();

    void runLoadStep(int32_t step);
    static int32_t partAnimation(int32_t part, int32_t which) { return kFirstPart + 4 * part + which; }

    // The frame's fields.
    int32_t state = 0, savedState = 0, menuCursor = 0, loadStep = 0;
    bool quitChoice = false;
    int64_t playTime = 0;
    int32_t frameTime = 0, endTimer = 0, stage = 0, bossHitPoints = 0;
    VMPtr<kv::AnimPlayer> transitionPlayer{vmField()};
    VMPtr<InGameObject::Character> character{vmField()};
    VMPtr<ByteArray> progress{vmField()};
    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<IntArray> groundLine{vmField()};
    VMPtr<kv::util::FastRandom> random{vmField()};
    bool leftFlag = false, rightFlag = false, attackUpFlag = false, jumpFlag = false, attackLeftFlag = false,
         attackRightFlag = false;
    int32_t pointerX = 0, pointerY = 0;
    VMPtr<Graphics> graphics{vmField()};
    VMPtr<kv::AnimSet> panelSet{vmField()};
    VMPtr<IntArray> menuTextIds{vmField()};
    VMPtr<kv::Frame> hudTopBar{vmField()}, hudCorner{vmField()}, playerGauge{vmField()}, gaugeStep{vmField()},
        speedIcon{vmField()}, powerIcon{vmField()}, healthFill{vmField()}, healthFillLow{vmField()}, bossFill{vmField()},
        bossGauge{vmField()}, controlsFrame{vmField()};
    VMPtr<FrameArray> weaponIcons{vmField()};
    VMPtr<kv::Gob> backgroundGob{vmField()};
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()};
    VMPtr<kv::AnimSet> glassSet{vmField()};
    VMPtr<kv::AnimPlayer> markerPlayer{vmField()};
    int32_t groundY = 0;
    VMPtr<kv::AnimSet> bossSet{vmField()};

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
    VMPtr<kv::AnimPlayer> bossPlayer{vmField()};
    VMPtr<PlayerArray> partPlayers{vmField()};
    VMPtr<kv::AnimPlayer> rewardPlayer{vmField()};

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
