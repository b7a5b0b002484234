#pragma once

// scene::InGameBoss_2 (scene 16): the fight after stage 1. A brute walks the ground to and fro
// at 0.06 px per ms, jumps after every 2000 ms of walking and, after 5000 ms, pauses for 2000 ms
// before walking on or summoning five minions of the stage-1 enemy table, waiting then until
// all of them are gone. Projectiles wound it only while it walks or pauses; it is defeated only
// once its hit points fall below 0, taking its minions with it and dropping a gem that wins the
// fight when touched, even while it falls.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/game/objects/InGameObject_Enemy.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace scene {

class InGameBoss_2 : public ui::Scene {
    VM_CLASS(InGameBoss_2, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using ByteArray = VMArray<int8_t, 1>;
    using FrameArray = VMArray<kv::Frame*, 1>;
    using SetArray = VMArray<kv::AnimSet*, 1>;
    using EnemyArray = VMArray<InGameObject::Enemy*, 1>;

    static constexpr int32_t kMaxHitPoints = 400, kGaugeStep = 20, kMinionCount = 5, kContactDamage = 10;
    static constexpr int32_t kChoiceMillis = 2000, kJumpMillis = 2000, kWalkMillis = 5000;
    static constexpr double kWalkSpeed = 0.06;
    // Phases.
    static constexpr int32_t kWalking = 0, kJumping = 1, kMinionsOut = 2, kDefeated = 3, kChoosing = 4;
    // Animations facing left (the right-facing one is the next number).
    static constexpr int32_t kPauseAnim = 0, kWalkAnim = 2, kJumpStart = 4, kAirborne = 6, kSummon = 8, kDown = 10;
    static constexpr int32_t kCarrierUp = 12, kCarrierDown = 13, kReward = 14;

    VMPtr<InGameBoss_2> _VM_init(VMPtr<ui::SceneManager> owner);
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
    // One walking step in the facing direction, turning at the edges with `turnLeft` (at the
    // right edge) or `turnLeft` + 1 (at the left edge) when `turnAnim` is set.
    void walk(bool turnAnim, int32_t turnLeft);

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

    // The fight's fields.
    VMPtr<kv::Gob> backgroundGob{vmField()};
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()};
    VMPtr<kv::AnimPlayer> jumpCarrier{vmField()};
    VMPtr<kv::AnimSet> glassSet{vmField()};
    int32_t bossPhase = 0;
    int32_t groundY = 0;
    VMPtr<kv::AnimSet> bossSet{vmField()};
    VMPtr<IntTable> levelTable{vmField()};
    VMPtr<SetArray> minionSets{vmField()};
    VMPtr<kv::AnimPlayer> bossPlayer{vmField()};
    int32_t bossTimer = 0;
    bool movingLeft = false;
    VMPtr<kv::AnimPlayer> markerPlayer{vmField()};
    int32_t jumpTimer = 0;
    VMPtr<kv::AnimPlayer> rewardPlayer{vmField()};
    VMPtr<EnemyArray> activeMinions{vmField()};
    VMPtr<EnemyArray> freeMinions{vmField()};

private:
    void loadMinionSets();
    void loadBoss();
    void loadMinions();
    // Selects the facing version of a left-facing animation unless it already plays.
    void show(int32_t leftAnim);
    void choose();
    void stepWalking();
    void stepJump();
    void stepMinions();
    void stepDefeated();
};

}  // namespace scene
