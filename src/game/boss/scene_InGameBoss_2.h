#pragma once

// scene::InGameBoss_2 (scene 16): the fight after stage 1. A brute walks the ground to and fro
// at 0.06 px per ms, jumps after every 2000 ms of walking and, after 5000 ms, pauses for 2000 ms
// before walking on or summoning five minions of the stage-1 enemy table, waiting then until
// all of them are gone. Projectiles wound it only while it walks or pauses; it is defeated only
// once its hit points fall below 0, taking its minions with it and dropping a gem that wins the
// fight when touched, even while it falls.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/boss/BossFields.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/objects/InGameObject_Enemy.h"

namespace scene {

class InGameBoss_2 : public ui::Scene {
    VM_CLASS(InGameBoss_2, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
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

    BOSS_SCENE_OPERATIONS

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

    BOSS_FRAME_FIELDS
    BOSS_ARENA_FIELDS

    // The fight's fields.
    VMPtr<kv::AnimPlayer> jumpCarrier{vmField()};
    int32_t bossPhase = 0;
    VMPtr<IntTable> levelTable{vmField()};
    VMPtr<SetArray> minionSets{vmField()};
    int32_t bossTimer = 0;
    bool movingLeft = false;
    int32_t jumpTimer = 0;
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
