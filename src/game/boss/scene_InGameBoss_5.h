#pragma once

// scene::InGameBoss_5 (scene 19): the last fight, entered from the story. The tower's keeper
// stands in the middle of the ground with two great fists; its glowing heart, pinned to the
// body's first hit box, is the only place that takes damage (2000 hit points). After 500 ms
// of rest it picks one of four attacks at random: a slam of both fists (two forms) that hurts
// a character on the ground and bursts ten glass shards from the impact points, a rain of 50
// icicles at random columns, or a summons of five of the tower's guards that fight until all
// are gone. At 0 hit points every guard falls, and a finale begins: play goes on while the
// keeper's crown falls to the ground, and touching it wins the fight.
//
// The frame around the fight (states, loading counter, pause, intro, end, panels, HUD,
// controls) is boss::BossFrame's; here state 7 is the finale and 8 the quit question.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/boss/BossFields.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/game/objects/InGameObject_Enemy.h"
#include "src/game/objects/InGameObject_Glass.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/util/kv_util_ArrayList.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace scene {

class InGameBoss_5 : public ui::Scene {
    VM_CLASS(InGameBoss_5, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using SetArray = VMArray<kv::AnimSet*, 1>;
    using EnemyArray = VMArray<InGameObject::Enemy*, 1>;
    using GlassArray = VMArray<InGameObject::Glass*, 1>;
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;

    static constexpr int32_t kQuitState = 8;
    static constexpr int32_t kMaxHitPoints = 2000, kGaugeStep = 100, kCentreX = 120, kFinaleStage = 4;
    static constexpr int32_t kShardCount = 10, kMinionCount = 5, kRainMost = 50, kShardShapes = 7;
    static constexpr int32_t kRestMillis = 500, kRainMillis = 300, kStrikeDamage = 20, kViewBottom = 320;
    // Phases.
    static constexpr int32_t kSlam = 0, kCrossSlam = 1, kRain = 3, kSummons = 4, kMinions = 5, kIdle = 7, kRainWindUp = 8;
    // Body animations.
    static constexpr int32_t kBodyRest = 0, kBodyAttacking = 2, kBodyDefeated = 21;
    // Part animations (A, then B = A + 1).
    static constexpr int32_t kSlamA = 5, kWindUpA = 7, kIdleA = 9, kCloseA = 11, kCrossSlamA = 15;
    // Rain, heart and defeat animations.
    static constexpr int32_t kRainFall = 17, kRainStruck = 18, kRainDone = 19, kHeart = 22, kHeartStruck = 23,
                             kDefeatFall = 24;

    VMPtr<InGameBoss_5> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override;

    BOSS_SCENE_OPERATIONS

    // The fight's own operations.
    virtual void paintWorld();
    virtual void updateGame();
    virtual void updateBoss();
    virtual void checkCollisions();
    virtual void paintHud();
    virtual void applyInput();
    virtual void paintMessage();

    void runLoadStep(int32_t step);
    // The frame's hooks: the keeper moves during the intro; the finale.
    void updateIntro(int32_t dt);
    void updateFinale(int32_t dt);

    // The frame's fields.
    BOSS_FRAME_FIELDS
    VMPtr<kv::Frame> backgroundFrame{vmField()};
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()};
    VMPtr<kv::AnimSet> glassSet{vmField()};
    VMPtr<kv::AnimPlayer> markerPlayer{vmField()};
    int32_t groundY = 0;
    VMPtr<IntTable> enemyTable{vmField()};

    // The fight's fields.
    int32_t bossPhase = 0, phaseTimer = 0;
    bool rainCleared = false, slamDone = false;
    VMPtr<kv::AnimSet> bossSet{vmField()};
    VMPtr<kv::AnimPlayer> bossBody{vmField()};
    VMPtr<kv::AnimPlayer> bossPartA{vmField()};
    VMPtr<kv::AnimPlayer> bossPartB{vmField()};
    VMPtr<kv::AnimPlayer> weakPointEffect{vmField()};
    VMPtr<kv::AnimPlayer> defeatEffect{vmField()};
    VMPtr<kv::util::ArrayList> rainList{vmField()};
    VMPtr<PlayerArray> icicles{vmField()};  // the players the rain's icicles are, made while loading
    VMPtr<GlassArray> activeShards{vmField()};
    VMPtr<GlassArray> spareShards{vmField()};
    VMPtr<SetArray> enemyAnimSets{vmField()};
    VMPtr<EnemyArray> activeMinions{vmField()};
    VMPtr<EnemyArray> spareMinions{vmField()};

    kv::AnimPlayer* rainAt(int32_t i);

private:
    void loadEnemySets();
    void loadBoss();
    void loadMinions();
    void loadShards();
    void pinWeakPoint();
    // Selects an animation unless the player already shows it.
    static void show(kv::AnimPlayer* player, int32_t animation) {
        if (player->getAnimation() != animation) player->setAnimation(animation);
    }
    // Advances both parts; answers whether both have ended in this step.
    bool partsEnded();
    void choose();
    void stepSlam();
    void stepRain();
    void summon();
    void stepMinions();
    bool restOnceOver(bool over);
    void strike(int32_t ax, int32_t ay, int32_t bx, int32_t by);
    int32_t contactDamage(InGameObject::Enemy* minion);
};

}  // namespace scene
