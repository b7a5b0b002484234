#pragma once

// The frame every boss fight runs in, written once for all boss scenes: the staged loading's
// counter and shared steps, pause, the intro, the end sequence with its stored result, the
// pause menu's and the quit question's answers, the composition of a frame's painting with its
// curtains and panels, the HUD and the controls. Each boss scene is its own managed class with
// its own fields; these templates work on a scene type S through fields of agreed names, those
// BossFields.h declares (BOSS_FRAME_FIELDS, and BOSS_ARENA_FIELDS for the loading's shared
// steps), and through the scene's own virtual operations (load, runLoadStep, updateGame,
// applyInput, paintWorld, paintHud, paintMessage).
// A scene may add hooks the frame then calls: updateIntro(dt) (the fight's own intro motion),
// updateFinale(dt) (a finale state 7 that plays on after the boss is down, taking input and
// play time) and controlsMirrored() (the walking controls turned around for now).
//
// States: 0 loading, 1 playing, 2 pause menu, 3 intro, 5 boss beaten, 6 player lost and the
// quit question, which is 7 for the first bosses and a parameter for those that use 7 for
// something else (the finale).

#include <algorithm>
#include <cstdint>

#include "content/ContentIds.h"
#include "src/game/boss/BossFields.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/level/LevelControls.h"
#include "src/game/objects/HitTests.h"
#include "src/game/objects/SetLoading.h"
#include "src/game/results/Progress.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"
#include "src/kv/util/text/kv_util_text_Translation.h"

namespace boss {

enum State : int32_t { kLoading = 0, kPlaying = 1, kPauseMenu = 2, kIntro = 3, kBeaten = 5, kLost = 6, kQuitQuestion = 7 };
constexpr int32_t kFinale = 7;

template <class S> constexpr bool hasFinale = requires(S& s) { s.updateFinale(0); };

// Play, and the finale of a fight that has one: input and play time count.
template <class S> bool inPlay(S& s) { return s.state == kPlaying || (hasFinale<S> && s.state == kFinale); }

constexpr int32_t kFirstLoadStep = 15, kViewHeight = 320, kEndHoldMillis = 3000;
constexpr int32_t kBossGaugeX = 240, kGaugeY = 160, kControlsX = 160, kControlsY = 265, kGaugeSteps = 20;
constexpr int32_t kPanelPause = 9, kPanelQuit = 15;
constexpr int32_t kTextPauseTitle = 41, kTextResume = 42, kTextRestart = 43, kTextQuit = 44;

using BoxArray = kv::Paintable::BoxArray;

using InGameObject::clearedBoxes;
using InGameObject::newBoxes;
using InGameObject::placedBox;
using InGameObject::touches;

// A play-once animation that has played out.
inline bool ended(kv::AnimPlayer* player) { return player->getLoops() == 0; }

// The stage's total time: the time its normal level stored (record bytes 17 to 19) plus the
// fight's, split into hours (at most 99), minutes and seconds.
struct StageTime {
    int32_t hours, minutes, seconds;
};
StageTime totalTime(int64_t fightMillis, int32_t storedHours, int32_t storedMinutes, int32_t storedSeconds);

// ---------------------------------------------------------------- fields

template <class S> void markFrame(S& s, uint32_t flags) {
    for (auto* field : {&s.hudTopBar, &s.hudCorner, &s.playerGauge, &s.gaugeStep, &s.speedIcon, &s.powerIcon,
                        &s.healthFill, &s.healthFillLow, &s.bossFill, &s.bossGauge, &s.controlsFrame})
        vmMarkField(*field, flags);
    vmMarkField(s.transitionPlayer, flags);
    vmMarkField(s.character, flags);
    vmMarkField(s.progress, flags);
    vmMarkField(s.manager, flags);
    vmMarkField(s.groundLine, flags);
    vmMarkField(s.random, flags);
    vmMarkField(s.graphics, flags);
    vmMarkField(s.panelSet, flags);
    vmMarkField(s.menuTextIds, flags);
    vmMarkField(s.weaponIcons, flags);
}

template <class S> void markArena(S& s, uint32_t flags) {
    for (auto* field : {&s.centrePlayer, &s.markerPlayer, &s.bossPlayer, &s.rewardPlayer}) vmMarkField(*field, flags);
    vmMarkField(s.backgroundGob, flags);
    vmMarkField(s.glassSet, flags);
    vmMarkField(s.bossSet, flags);
}

// The source-level constructor's frame part, after ui::Scene's: the control flags and the quit
// answer cleared, the owner kept, then the scene's init.
template <class S> void initFrame(S& s, VMPtr<ui::SceneManager> owner) {
    s.leftFlag = s.rightFlag = s.attackUpFlag = s.jumpFlag = s.attackLeftFlag = s.attackRightFlag = false;
    s.quitChoice = false;
    s.manager = owner;
    s.init();
}

// init's frame part: record 0 read for the stage and the stored result, loading from its
// start, the clocks at 0, a ground entry per column and a generator seeded from the time.
template <class S> void resetFrame(S& s) {
    s.progress = s.manager->loadRecord(0);
    s.stage = s.progress->at(15);
    s.state = kLoading;
    s.loadStep = 0;
    s.playTime = 0;
    s.endTimer = 0;
    s.groundLine = VMArray<int32_t, 1>::_VM_new(s.manager->getGameWidth());
    s.random = kv::util::FastRandom::_VM_new();
    s.random->_VM_init();
}

// The steps of a 20-step gauge gone at `value` of `maximum`, one for every `step` points
// lost; the last step stays while anything is left.
constexpr int32_t gaugeStepsLost(int32_t value, int32_t maximum, int32_t step) {
    return std::min((maximum - value) / step, 19);
}

// ---------------------------------------------------------------- states

// Pauses unless loading, paused or asking to quit; the menu opens on its first entry.
template <class S> void pause(S& s, int32_t quitState = kQuitQuestion) {
    if (s.state == kLoading || s.state == kPauseMenu || s.state == quitState) return;
    s.menuCursor = 0;
    s.savedState = s.state;
    s.state = kPauseMenu;
}

template <class S> bool isPaused(S& s, int32_t quitState = kQuitQuestion) {
    return s.state == kPauseMenu || s.state == quitState;
}

// The intro ends once the opening curtain's frame has passed the view's bottom.
template <class S> bool introDone(S& s) {
    VMPtr<kv::Frame> shown = s.transitionPlayer->getCurrentFrame();
    return s.transitionPlayer->getY() + shown->getY(0) + shown->height > kViewHeight;
}

// Starts the closing curtain at its start; called by a fight as it sets state 5 or 6.
template <class S> void startEnd(S& s, int32_t endState) {
    s.state = endState;
    s.transitionPlayer->setAnimation(0);
    s.transitionPlayer->setY(0);
}

// Stores the stage's result (its collected count passed on, cleared always 1) and names the
// next scene: game over after a loss, the result screen after a win, whatever the stored stage
// says (a fight never stays behind its closed curtain). A win is stored with the mark of its
// pending settlement written first, so that from then on a kill cannot lose it.
template <class S> void finishFight(S& s) {
    const StageTime total = totalTime(s.playTime, s.progress->at(17), s.progress->at(18), s.progress->at(19));
    const int32_t hurt = (!s.character->noDamage || s.progress->at(13) != 0) ? 1 : 0;
    if (s.state == kLost) {
        s.manager->storeResult(hurt, s.progress->at(14), s.stage, s.playTime, 1, total.hours, total.minutes, total.seconds);
        s.manager->changeScene(scene_id::kGameOver);
        return;
    }
    results::storeWin(*s.manager, hurt, s.progress->at(14), s.stage, s.playTime, total.hours, total.minutes, total.seconds);
    s.manager->changeScene(scene_id::kResult);
}

// States 5 and 6: the closing curtain is held at its start for 3000 ms, then closes; once its
// edge has passed the view's bottom the fight ends.
template <class S> void updateEnd(S& s, int32_t dt) {
    s.endTimer += dt;
    if (s.endTimer < kEndHoldMillis) {
        s.transitionPlayer->setAnimation(0);
        s.transitionPlayer->setY(0);
        return;
    }
    s.transitionPlayer->update(dt);
    VMPtr<kv::Frame> shown = s.transitionPlayer->getCurrentFrame();
    if (s.transitionPlayer->getY() + shown->getY(0) - s.manager->getGameY() > kViewHeight) finishFight(s);
}

// One frame of the state machine; the fight keeps running under the closing curtain.
template <class S> void update(S& s, int32_t dt) {
    s.frameTime = dt;
    switch (s.state) {
    case kLoading: s.load(); break;
    case kIntro:
        s.transitionPlayer->update(dt);
        if constexpr (requires { s.updateIntro(dt); }) s.updateIntro(dt);
        if (introDone(s)) s.state = kPlaying;
        break;
    case kPlaying:
        s.playTime += int64_t(dt);
        s.updateGame();
        s.applyInput();
        break;
    case kBeaten:
    case kLost:
        updateEnd(s, dt);
        s.updateGame();
        break;
    case kFinale:
        if constexpr (hasFinale<S>) {
            s.playTime += int64_t(dt);
            s.updateGame();
            s.applyInput();
            s.updateFinale(dt);
        }
        break;
    default: break;
    }
}

// ---------------------------------------------------------------- loading

// One loading call: the first only arms the counter, each later one runs the step's work (the
// scene's runLoadStep) and counts down; step 1 ends loading into the intro and closes the pack.
template <class S> void load(S& s) {
    if (s.loadStep < 0 || s.loadStep > kFirstLoadStep) return;
    if (s.loadStep == 0) {
        s.loadStep = kFirstLoadStep;
        return;
    }
    if (s.loadStep == 1) {
        s.state = kIntro;
        kv::Resources::closePack();
        return;
    }
    s.runLoadStep(s.loadStep);
    --s.loadStep;
}

// The steps every fight shares (15 the character for `characterStage`, 14 the glass set of
// fight n, 13 the ground, 12 the background, 11 the curtain, 10 the HUD, 9 the weapon icons,
// 8 the controls frame); answers whether the step was one of them.
template <class S> bool sharedLoadStep(S& s, int32_t step, int32_t n, int32_t characterStage) {
    using namespace content::res;
    switch (step) {
    case 15:
        s.character = InGameObject::Character::_VM_new();
        s.character->_VM_init(s.manager->loadRecord(0), characterStage);
        return true;
    case 14: s.glassSet = InGameObject::loadAnimSet(GLASS0_SET + n, GLASS0_GOBS + n); return true;
    case 13: {
        s.markerPlayer = InGameObject::newPlayer(InGameObject::loadAnimSet(MARKER_SET, MARKER_GOBS), 0);
        s.markerPlayer->setX(0);
        s.centrePlayer = InGameObject::newPlayer(s.glassSet, 21);
        s.centrePlayer->setX(s.manager->getGameWidth() / 2);
        s.groundY = s.manager->getGameHeight() / 10 * 7;
        s.markerPlayer->setY(s.groundY);
        s.centrePlayer->setY(s.groundY);
        for (int32_t x = 0; x < s.groundLine->length; ++x) s.groundLine->at(x) = s.groundY;
        return true;
    }
    case 12:
        // A fight whose background is not the stage's picture loads its own.
        if constexpr (requires { s.backgroundGob; }) {
            VMPtr<kv::AnimSet::GobArray> gobs = InGameObject::loadGobs(STAGE0_GOBS + n);
            if (gobs->length < 1)
                vm::throwNew<java::lang::RuntimeException>(java::lang::String::withNumber("no gob array ", STAGE0_GOBS + n));
            s.backgroundGob = gobs->at(0);
            return true;
        } else {
            return false;
        }
    case 11:
        s.transitionPlayer = InGameObject::newPlayer(InGameObject::loadAnimSet(CURTAIN_SET, CURTAIN_GOBS), 1);
        s.transitionPlayer->setX(0);
        s.transitionPlayer->setY(0);
        return true;
    case 10: {
        VMPtr<kv::AnimSet> hud = InGameObject::loadAnimSet(HUD_SET, HUD_GOBS);
        VMPtr<kv::Frame>* frames[10] = {&s.hudTopBar, &s.hudCorner, &s.playerGauge, &s.gaugeStep, &s.speedIcon,
                                        &s.powerIcon, &s.healthFill, &s.healthFillLow, &s.bossFill, &s.bossGauge};
        constexpr int32_t indices[10] = {15, 1, 2, 7, 10, 11, 16, 17, 19, 18};
        for (int32_t i = 0; i < 10; ++i) *frames[i] = hud->getFrame(indices[i]);
        return true;
    }
    case 9: {
        VMPtr<kv::AnimSet> icons = InGameObject::loadAnimSet(WEAPON_ICON_SET, WEAPON_ICON_GOBS);
        s.weaponIcons = VMArray<kv::Frame*, 1>::_VM_new(7);
        for (int32_t i = 0; i < 7; ++i) s.weaponIcons->set(i, icons->getFrame(i).get());
        return true;
    }
    case 8: s.controlsFrame = InGameObject::loadAnimSet(TOUCH_MARK_SET, TOUCH_MARK_GOBS)->getFrame(0); return true;
    default: return false;
    }
}

// The pause and quit panels and the menu's entries.
template <class S> void loadPanels(S& s) {
    s.panelSet = InGameObject::loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS);
    s.menuTextIds = VMArray<int32_t, 1>::_VM_new(3);
    s.menuTextIds->at(0) = kTextResume;
    s.menuTextIds->at(1) = kTextRestart;
    s.menuTextIds->at(2) = kTextQuit;
    s.menuCursor = 0;
}

// ---------------------------------------------------------------- controls

template <class S> level::LevelControls controls(S& s) {
    level::LevelControls built({s, *s.manager, s.character.get(),
                                {s.leftFlag, s.rightFlag, s.attackUpFlag, s.jumpFlag, s.attackLeftFlag, s.attackRightFlag},
                                s.pointerX, s.pointerY, s.menuCursor, s.quitChoice, s.hudTopBar.get(), s.hudCorner.get(),
                                s.panelSet.get()});
    if constexpr (requires { s.controlsMirrored(); }) built.setMirrored(s.controlsMirrored());
    return built;
}

// Carries out a panel's answer: back to the interrupted state, the stage's normal level from
// its start (a zero time stored, cleared 1 as in every boss result), the quit question, the
// world map, or back to the pause menu.
template <class S> void choose(S& s, level::PanelChoice choice, int32_t quitState) {
    switch (choice) {
    case level::PanelChoice::kResume: s.state = s.savedState; break;
    case level::PanelChoice::kRestart:
        s.manager->storeResult(0, 0, s.stage, 0, 1, 0, 0, 0);
        s.manager->changeScene(scene_id::kNormalLevel);
        break;
    case level::PanelChoice::kAskQuit: s.state = quitState; break;
    case level::PanelChoice::kLeave: s.manager->changeScene(scene_id::kWorldMap); break;
    case level::PanelChoice::kBackToMenu: s.state = kPauseMenu; break;
    case level::PanelChoice::kNone: break;
    }
}

// Keys act in play, the pause menu and the quit question only.
template <class S> void handleKeys(S& s, int32_t quitState = kQuitQuestion) {
    if (inPlay(s))
        controls(s).keysInPlay();
    else if (s.state == kPauseMenu)
        choose(s, controls(s).pauseMenuKeys(), quitState);
    else if (s.state == quitState)
        choose(s, controls(s).quitQuestionKeys(), quitState);
}

template <class S> void handlePointer(S& s, int32_t quitState = kQuitQuestion) {
    const level::PointerEvent event = level::LevelControls::readPointer(*s.manager);
    if (inPlay(s))
        controls(s).pointerInPlay(event);
    else if (s.state == kPauseMenu)
        choose(s, controls(s).pauseMenuPointer(event), quitState);
    else if (s.state == quitState)
        choose(s, controls(s).quitQuestionPointer(event), quitState);
}

template <class S> void applyInput(S& s) {
    if (inPlay(s)) controls(s).applyInput();
}

// ---------------------------------------------------------------- painting

template <class S> void clipToView(S& s) {
    s.graphics->setClip(0, -s.manager->getGameY(), s.manager->getGameWidth(), s.manager->getGameHeight());
}

template <class S> void paintCurtain(S& s, bool opening) {
    VMPtr<kv::Frame> shown = s.transitionPlayer->getCurrentFrame();
    const int32_t top = shown->getY(0), width = s.manager->getGameWidth();
    if (opening) {
        s.transitionPlayer->paint(s.graphics);
        s.graphics->setColor(0x000000);
        s.graphics->fillRect(0, s.transitionPlayer->getY() + top + shown->height, width, kViewHeight - top);
    } else {
        const int32_t viewTop = -s.manager->getGameY();
        s.transitionPlayer->paint(s.graphics, 0, viewTop, 0);
        s.graphics->setColor(0x000000);
        s.graphics->fillRect(0, viewTop, width, s.transitionPlayer->getY() + top);
    }
}

template <class S> VMPtr<kv::util::text::Translation> translation(S& s) {
    return s.manager->translations->at(s.manager->languageIndex);
}

// The pause panel: title and the three entries centred on the view.
template <class S> void paintPausePanel(S& s) {
    const int32_t centreY = kGaugeY - s.manager->getGameY();
    VMPtr<BoxArray> boxes = clearedBoxes(s.scratchBoxes, InGameObject::kPanelBoxes, 4);
    VMPtr<kv::Frame> panel = s.panelSet->getFrame(kPanelPause);
    panel->getCollisionBoxes(0, boxes, 0);
    panel->paint(s.graphics, 120, centreY, 0);
    VMPtr<kv::util::text::RichFont> title = s.manager->fonts->at(0), entries = s.manager->fonts->at(1);
    title->drawString(s.graphics, translation(s)->getText(kTextPauseTitle), 120,
                      centreY + boxes->at(0)->y - title->getHeight() / 2, 1);
    for (int32_t i = 0; i < 3; ++i)
        entries->drawString(s.graphics, translation(s)->getText(s.menuTextIds->at(i)), 120,
                            centreY + boxes->at(i + 1)->y - entries->getHeight() / 2, 1);
}

// The quit question: text 44 and "?" on the panel's type-1 line.
template <class S> void paintQuitPanel(S& s) {
    const int32_t centreY = kGaugeY - s.manager->getGameY();
    VMPtr<kv::Frame> panel = s.panelSet->getFrame(kPanelQuit);
    panel->paint(s.graphics, 120, centreY, 0);
    VMPtr<BoxArray> boxes = clearedBoxes(s.scratchBoxes, InGameObject::kPanelLineBoxes, 1);
    panel->getCollisionBoxes(0, boxes, 1);
    VMPtr<java::lang::StringBuffer> question = java::lang::StringBuffer::_VM_new();
    question->_VM_init(translation(s)->getText(kTextQuit));
    question->append("?");
    VMPtr<kv::util::text::RichFont> font = s.manager->fonts->at(0);
    font->drawString(s.graphics, question->toString(), 120, centreY + boxes->at(0)->y - font->getHeight() / 2, 1);
}

// A frame's composition by state: the playfield, the HUD (not behind the panels), the curtains.
template <class S> void paint(S& s, VMPtr<javax::microedition::lcdui::Graphics> g, int32_t quitState = kQuitQuestion) {
    s.graphics = g;
    const int32_t state = s.state;
    if (inPlay(s) || state == kIntro || state == kBeaten || state == kLost) {
        s.paintWorld();
        s.paintHud();
        if (state == kIntro) paintCurtain(s, true);
        if (state == kBeaten || state == kLost) paintCurtain(s, false);
    } else if (state == kPauseMenu) {
        s.paintWorld();
        s.paintMessage();
    } else if (state == quitState) {
        s.paintWorld();
        paintQuitPanel(s);
    }
}

// The HUD: top bar with the weapon icon, the player's gauge with its timer icons, the boss's
// gauge (20 steps of `step` hit points below `maximum`), the controls frame and the corner.
template <class S> void paintHud(S& s, int32_t hitPoints, int32_t maximum, int32_t step) {
    const int32_t width = s.manager->getGameWidth(), offY = s.manager->getGameY(), gaugeY = kGaugeY - offY;
    const int32_t stepHeight = s.gaugeStep->height;
    s.hudTopBar->paint(s.graphics, width / 2, -offY, 0);
    s.playerGauge->paint(s.graphics, 0, gaugeY, 0);
    VMPtr<BoxArray> boxes = clearedBoxes(s.scratchBoxes, InGameObject::kHudBoxes, 2);
    s.playerGauge->getCollisionBoxes(0, boxes, 0);
    const int32_t health = s.character->health;
    if (health > 0) {
        kv::graphics::CollisionBox* window = boxes->at(0);
        s.graphics->setClip(window->x, gaugeY + window->y + gaugeStepsLost(health, 100, 5) * stepHeight, window->width,
                            window->height);
        (health <= 30 ? s.healthFillLow : s.healthFill)->paint(s.graphics, 0, gaugeY, 0);
        clipToView(s);
    }
    s.bossGauge->paint(s.graphics, kBossGaugeX, gaugeY, 0);
    if (hitPoints > 0) {
        s.bossGauge->getCollisionBoxes(0, boxes, 0);
        kv::graphics::CollisionBox* window = boxes->at(0);
        s.graphics->setClip(window->x + kBossGaugeX, gaugeY + window->y + gaugeStepsLost(hitPoints, maximum, step) * stepHeight,
                            window->width, window->height);
        s.bossFill->paint(s.graphics, kBossGaugeX, gaugeY, 0);
        clipToView(s);
    }
    s.playerGauge->getCollisionBoxes(0, boxes, 1);
    int32_t k = 0;
    if (s.character->powerTimer > 0) {
        s.powerIcon->paint(s.graphics, boxes->at(0)->x, gaugeY + boxes->at(0)->y, 0);
        k = 1;
    }
    if (s.character->speedBoostTimer > 0) s.speedIcon->paint(s.graphics, boxes->at(k)->x, gaugeY + boxes->at(k)->y - k, 0);
    s.hudTopBar->getCollisionBoxes(0, boxes, 0);
    s.weaponIcons->at(s.character->weapon)->paint(s.graphics, boxes->at(0)->x + width / 2, boxes->at(0)->y - offY, 0);
    s.controlsFrame->paint(s.graphics, kControlsX, kControlsY - offY, 0);
    s.hudCorner->paint(s.graphics, width, kViewHeight - offY, 0);
}

}  // namespace boss
