#pragma once

// What every boss scene declares, written once, so that each boss stays its own managed class
// while the frame's templates (BossFrame.h) find its fields by name:
// - BOSS_SCENE_OPERATIONS declares the ui::Scene overrides;
// - BOSS_FRAME_FIELDS the frame (states, clocks, result, controls, panels, HUD);
// - BOSS_ARENA_FIELDS the playfield a fight stands on (background, ground line and its
//   players, the boss's set, body and reward), for the fights that have all of it;
// - BOSS_FRAME_OPERATIONS defines the overrides that only hand over to the frame, with
//   applyInput and paintMessage;
// boss::markFrame, boss::markArena, boss::initFrame and boss::resetFrame (BossFrame.h) mark
// the two field groups and do the frame's parts of _VM_init and init.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/util/kv_util_FastRandom.h"

#define BOSS_FRAME_FIELDS                                                                                      \
    int32_t state = 0, savedState = 0, menuCursor = 0, loadStep = 0;                                           \
    bool quitChoice = false;                                                                                   \
    int64_t playTime = 0;                                                                                      \
    int32_t frameTime = 0, endTimer = 0, stage = 0, bossHitPoints = 0;                                         \
    VMPtr<kv::AnimPlayer> transitionPlayer{vmField()};                                                         \
    VMPtr<InGameObject::Character> character{vmField()};                                                       \
    VMPtr<VMArray<int8_t, 1>> progress{vmField()};                                                             \
    VMPtr<ui::SceneManager> manager{vmField()};                                                                \
    VMPtr<VMArray<int32_t, 1>> groundLine{vmField()};                                                          \
    VMPtr<kv::util::FastRandom> random{vmField()};                                                             \
    bool leftFlag = false, rightFlag = false, attackUpFlag = false, jumpFlag = false, attackLeftFlag = false,  \
         attackRightFlag = false;                                                                              \
    int32_t pointerX = 0, pointerY = 0;                                                                        \
    VMPtr<javax::microedition::lcdui::Graphics> graphics{vmField()};                                           \
    VMPtr<kv::AnimSet> panelSet{vmField()};                                                                    \
    VMPtr<VMArray<int32_t, 1>> menuTextIds{vmField()};                                                         \
    VMPtr<kv::Frame> hudTopBar{vmField()}, hudCorner{vmField()}, playerGauge{vmField()}, gaugeStep{vmField()}, \
        speedIcon{vmField()}, powerIcon{vmField()}, healthFill{vmField()}, healthFillLow{vmField()},           \
        bossFill{vmField()}, bossGauge{vmField()}, controlsFrame{vmField()};                                   \
    VMPtr<VMArray<kv::Frame*, 1>> weaponIcons{vmField()};

#define BOSS_ARENA_FIELDS                                                   \
    VMPtr<kv::Gob> backgroundGob{vmField()};                                \
    VMPtr<kv::AnimSet> glassSet{vmField()};                                 \
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()}, markerPlayer{vmField()}; \
    int32_t groundY = 0;                                                    \
    VMPtr<kv::AnimSet> bossSet{vmField()};                                  \
    VMPtr<kv::AnimPlayer> bossPlayer{vmField()}, rewardPlayer{vmField()};

// The ui::Scene operations a boss scene overrides, in the base's slot order.
#define BOSS_SCENE_OPERATIONS               \
    void pause() override;                  \
    void update(int32_t dt) override;       \
    void load() override;                   \
    void init() override;                   \
    void handleKeys() override;             \
    bool isPaused() override;               \
    void paint(VMPtr<Graphics> g) override; \
    void handlePointer() override;          \
    bool isLoading() override;

// The ui::Scene operations that are the frame's alone, for a class C whose quit question is
// state quitState.
#define BOSS_FRAME_OPERATIONS(C, quitState)                                \
    void C::pause() { boss::pause(*this, quitState); }                     \
    bool C::isPaused() { return boss::isPaused(*this, quitState); }        \
    bool C::isLoading() { return state == boss::kLoading; }                \
    void C::update(int32_t dt) { boss::update(*this, dt); }                \
    void C::load() { boss::load(*this); }                                  \
    void C::handleKeys() { boss::handleKeys(*this, quitState); }           \
    void C::handlePointer() { boss::handlePointer(*this, quitState); }     \
    void C::applyInput() { boss::applyInput(*this); }                      \
    void C::paint(VMPtr<Graphics> g) { boss::paint(*this, g, quitState); } \
    void C::paintMessage() { boss::paintPausePanel(*this); }
