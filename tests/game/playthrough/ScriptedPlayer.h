#pragma once

// A scripted player of the whole game from a fresh database, headless on fake time
// (50 ms a frame), over the real scenes and the compiled content. The player reads the scene
// id, positions and states and acts only by taps and held touches at points it computes from
// the compiled boxes and the objects' positions; after the fresh start it writes nothing into
// the game. Each scene id has its move: a function that reads the scene and decides the next
// touch. A lost level or fight is retried from the game-over screen and counted; the log keeps
// what a test checks against the saved progress afterwards. The mixer has no output thread
// here: the run renders it by hand to hear the music.

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <numeric>
#include <set>
#include <type_traits>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/Players.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/global_WeaponConfig.h"
#include "src/game/frontend/scene_FirstOption.h"
#include "src/game/frontend/scene_Menu.h"
#include "src/game/frontend/scene_WorldMap.h"
#include "src/game/level/scene_Tutorial.h"
#include "src/game/results/Progress.h"
#include "src/game/results/scene_Achievement.h"
#include "src/game/results/scene_GameOver.h"
#include "src/game/results/scene_Result.h"
#include "src/game/results/scene_Shop.h"
#include "tests/game/support/FightMoves.h"
#include "tests/game/support/GameDriver.h"

namespace game_test {

namespace progress = ui::progress;

inline constexpr int kMaxFrames = 60 * 60 * 20;  // an hour of play

class Player;
using Move = void (*)(Player&);

// What the run saw, for the checks at its end.
struct Log {
    int32_t expectedMoney = 0;
    std::vector<int32_t> bought;          // items, in order
    std::vector<int32_t> clearedStages;   // as each result screen settled them (a stage played again, again)
    std::vector<int32_t> stageSeconds;    // each cleared stage's stored time, as each result screen left it
    std::vector<int32_t> clearSeconds;    // the time of each clear, as its result stored it
    bool anyUntouched = false;
    int gameOvers = 0;
    std::map<std::string, int> losses;   // game overs by "<scene> <stage>" of the lost level or fight
    std::vector<std::string> music;       // "<scene> <loudness playing> <loudness paused>"
    int frames = 0;
    int quitQuestions = 0;  // quit questions opened and declined
    std::set<std::string> weaponsUsed;  // "<scene> <stage>: weapon <w>" for every start
    int coinsDropped = 0;  // coins the levels dropped, in won and lost ones
    int earned = 0;        // coins the won levels paid
    std::array<int, 5> pickedUp{};  // items picked up in levels, by effect 0..4 (won and lost ones)
    // Stages played again for their coins: the spans of the asked scenes they took (from the
    // level to the map after the result), and how many.
    std::vector<std::pair<size_t, size_t>> replaySpans;
    int replays = 0;
};

class Player : public GameDriver {
public:
    Player() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
    template <class S> S* scene() { return dynamic_cast<S*>(manager().getScene().get()); }
    bool asked(int32_t id) { return std::find(askedScenes.begin(), askedScenes.end(), id) != askedScenes.end(); }
    // A game-area point as a screen point.
    Point screen(Point p) { return {p.x + manager().getGameX(), p.y + manager().getGameY()}; }
    void tapAt(Point p, int frameCount = 2) { touch.tap(screen(p), frameCount); }

    Touch touch{*this};
    Log log;
    int32_t wantedStage = -1;   // the stage the world map plays; -1 the newest open one
    int32_t scenePlayed = -1;   // the level or fight whose start (weapon, music) was handled
    bool shopDue = false;       // a result was settled since the last shop visit
    int32_t language = 0;
    int32_t lastDefeated = -1, sinceDefeat = 0;  // frames since the level's last defeat
    bool quitAsked = false;         // the quit question was opened from a level's pause panel and declined
    bool achievementsSeen = false;  // the achievements screen was visited from the map
    int32_t lastHeroX = -1, stillFrames = 0;  // the hero's x last frame; frames a walk left it there
    Point climb;                              // the walk held through a jump onto a step; none
    int32_t climbTook = 0;                    // frames since that jump was pressed
    size_t replayFrom = 0;          // where the stage being played again began in the asked scenes; 0 none
    int32_t replayOnce = -1;        // a stage played once more as soon as the next is open; -1 none
    std::array<bool, 8> itemShown{};  // the level's item slots that were in play last frame
    // The effect and the time left of the item each slot held last frame (time left 0: none).
    std::array<std::pair<int32_t, int32_t>, 8> itemLeft{};
    // After the ending: the last fight was asked for and a story after it.
    bool ended() {
        const auto boss5 = std::find(askedScenes.begin(), askedScenes.end(), scene_id::kBoss5);
        return boss5 != askedScenes.end() && std::find(boss5, askedScenes.end(), scene_id::kStory) != askedScenes.end();
    }
};

// ---------------------------------------------------------------- sound

// The mixed output rendered by hand (the mixer has no output thread in this run): the
// root-mean-square of the next `frames` stereo frames.
inline double loudness(int frames = 11025) {
    std::vector<int16_t> samples(size_t(frames) * 2);
    HAL_audioMixer().render(samples.data(), frames);
    double sum = 0;
    for (int16_t s : samples) sum += double(s) * s;
    return std::sqrt(sum / double(samples.size()));
}

// Once a level or fight plays: its music is heard, and a few frames behind the pause panel
// it is silent (once the notes that were sounding have been released).
template <class S> void checkMusic(Player& p, S& s, const LevelPoints& points, int32_t resumeState) {
    const double playing = loudness();
    p.touch.tap(points.pause, 6);
    loudness();  // the release of the notes that were sounding
    const double paused = loudness();
    p.log.music.push_back(std::to_string(p.sceneId()) + (playing > 50 ? " heard" : " silent") +
                          (paused < 1 ? " stopped" : " still heard"));
    kv::Frame& panel = *s.panelSet->getFrame(level::LevelControls::kPausePanel);
    // Once a run, in a level: the third entry asks whether to quit, and "no" (the question's
    // second zone) goes back to the pause panel.
    if constexpr (std::is_same_v<S, scene::InGameNormal>) {
        if (!p.quitAsked) {
            p.quitAsked = true;
            const int32_t top = level::LevelControls::kPanelY - p.manager().getGameY();
            p.tapAt(centreOf(panel, 1, 2, level::LevelControls::kPanelX, top));
            const bool asked = s.state == scene::InGameNormal::kQuitQuestion;
            kv::Frame& question = *s.panelSet->getFrame(level::LevelControls::kQuitPanel);
            p.tapAt(centreOf(question, 0, 1, level::LevelControls::kPanelX, top));
            p.log.quitQuestions += asked && s.state == scene::InGameNormal::kPauseMenu ? 1 : 0;
        }
    }
    // The pause panel's first entry resumes.
    p.tapAt(centreOf(panel, 1, 0, level::LevelControls::kPanelX, level::LevelControls::kPanelY - p.manager().getGameY()));
    EXPECT_EQ(s.state, resumeState);
}

// ---------------------------------------------------------------- weapons

inline int32_t strongestOwned(Player& p) {
    const std::vector<int8_t> r0 = p.record(0);
    int32_t best = 0;
    for (int32_t i = 0; i < progress::kItemCount; ++i)
        if (r0[size_t(progress::kItems + i)] == progress::kItemOwned) best = i;
    return best;
}

// At a level's or fight's first playing frame: the strongest owned weapon taken from the top
// bar (the previous-weapon button steps back through the owned ones), then the music check.
template <class S> bool started(Player& p, S& s, const LevelPoints& points, int32_t playing) {
    if (p.scenePlayed == p.sceneId()) return true;
    if (s.state != playing) return false;
    p.scenePlayed = p.sceneId();
    const int32_t wanted = strongestOwned(p);
    for (int i = 0; i < 8 && s.character->weapon != wanted; ++i) p.touch.tap(points.previousWeapon, 1);
    EXPECT_EQ(s.character->weapon, wanted);
    p.log.weaponsUsed.insert(std::to_string(p.sceneId()) + " " + std::to_string(p.stage()) + ": weapon " + std::to_string(wanted));
    checkMusic(p, s, points, playing);
    return true;
}

// ---------------------------------------------------------------- moves, one per scene id

inline void optionsMove(Player& p) {
    scene::FirstOption* s = p.scene<scene::FirstOption>();
    if (!s || s->state == scene::OptionPages::kLoading) return;
    const int32_t zone = s->state == scene::OptionPages::kLanguagePage && s->languageCursor != p.language ? 1 : 2;
    p.tapAt(centreOf(*s->panelFrame, 1, zone, p.manager().getGameWidth() / 2, p.manager().getGameHeight() / 2), 20);
}

inline void menuMove(Player& p) {
    scene::Menu* s = p.scene<scene::Menu>();
    if (!s || s->state != scene::Menu::kMain || s->bar->getAnimation() != 1) return;
    kv::Frame& bar = *s->bar->getCurrentFrame();
    if (s->cursor != 0) return p.tapAt(centreOf(bar, 1, 0, s->bar->getX(), s->bar->getY()), 1);
    p.tapAt(centreOf(bar, 0, 0, s->bar->getX(), s->bar->getY()), 2);  // play
}

// The cheapest item for sale that the money covers, or -1.
inline int32_t affordable(const std::vector<int8_t>& r0) {
    int32_t best = -1;
    for (int32_t i = 0; i < progress::kItemCount; ++i)
        if (r0[size_t(progress::kItems + i)] == progress::kItemForSale && results::priceOf(i) <= r0[progress::kMoney] &&
            (best < 0 || results::priceOf(i) < results::priceOf(best)))
            best = i;
    return best;
}

// The strongest weapon for sale that the money covers, or -1. Until the ending only one
// stronger than every owned weapon is bought: money is kept for the next stronger one rather
// than spent on the weaker ones, which are bought with what is left after the ending.
inline int32_t strongestAffordable(const std::vector<int8_t>& r0, bool weakerToo) {
    int32_t best = -1, owned = 0;
    for (int32_t i = 0; i < progress::kItemCount; ++i) {
        if (r0[size_t(progress::kItems + i)] == progress::kItemOwned) owned = i;
        if (r0[size_t(progress::kItems + i)] == progress::kItemForSale && results::priceOf(i) <= r0[progress::kMoney]) best = i;
    }
    return weakerToo || best > owned ? best : -1;
}

inline void mapMove(Player& p) {
    scene::WorldMap* s = p.scene<scene::WorldMap>();
    if (!s || s->state != scene::WorldMap::kReady) return;
    if (p.replayFrom > 0 && askedScenes.size() > p.replayFrom) {
        p.log.replaySpans.emplace_back(p.replayFrom, askedScenes.size());
        ++p.log.replays;
        p.replayFrom = 0;
        p.replayOnce = -1;
    }
    const int32_t barY = s->topBar->getHeight(0) / 2;
    if (!p.achievementsSeen && p.asked(scene_id::kResult)) return p.tapAt(centreOf(*s->centrePlayer, 0, 0, 120, 160));
    if (p.shopDue && strongestAffordable(p.record(0), p.ended()) >= 0) {
        p.shopDue = false;
        return p.tapAt(centreOf(*s->centrePlayer, 0, 1, 120, 160));
    }
    // A stage is begun with at least the weapon of its number (weapon 0 for the first); with
    // less, the stage before is played again for its coins.
    const int32_t newest = s->openStageCount - 1;
    const bool armed = p.ended() || newest == 0 || strongestOwned(p) >= newest;
    const bool replay = p.wantedStage < 0 && p.replayOnce >= 0 && p.replayOnce < newest;
    const int32_t target = p.wantedStage >= 0 ? p.wantedStage : replay ? p.replayOnce : armed ? newest : newest - 1;
    if (s->selectedStage < target) return p.tapAt(centreOf(*s->topBar, 0, 0, 0, barY));
    if (s->selectedStage > target) return p.tapAt(centreOf(*s->topBar, 0, 1, 0, barY));
    if (p.wantedStage < 0 && target < newest) p.replayFrom = askedScenes.size();
    p.tapAt(centreOf(*s->bottomBar, 0, 1, 120, 320));
}

inline void tutorialMove(Player& p) {
    scene::Tutorial* s = p.scene<scene::Tutorial>();
    if (!s || s->state != scene::Tutorial::kPlaying) return void(p.touch.letGo());
    const LevelPoints points(*s->hudFrame12, *s->hudFrame1);
    if (!started(p, *s, points, scene::Tutorial::kPlaying)) return;
    // Each step's control, held until the step moves on; then the closing tap.
    const Point steps[] = {points.moveLeft, points.moveRight, points.jump, points.attackLeft, points.attackRight,
                           points.attackUp, points.previousWeapon};
    if (s->step < scene::Tutorial::kClosingStep) return void(p.touch.hold(steps[s->step]));
    p.touch.letGo();
    if (s->closingTime > scene::Tutorial::kMessageDelay) p.tapAt({120, 160}, 1);
}

// The x of the item worth walking to, or -1: the nearest coin or boost (and health item when
// `health`) whose time left covers the walk to it at the hero's pace (4 px a frame) with a
// margin of a second and a half for the shots and enemies on the way.
inline int32_t itemToFetch(scene::InGameNormal& l, int32_t heroX, bool health) {
    int32_t best = -1;
    for (int32_t i = 0; i < l.activeItems->length; ++i) {
        InGameObject::Item* it = l.activeItems->at(i);
        if (!it || it->state == InGameObject::Item::kDone || (it->effectCode == 1 && !health)) continue;
        const int32_t x = it->player->getX(), walk = std::abs(x - heroX) * 50 / 4;
        if (walk + 1500 < it->lifetime - it->timer && (best < 0 || std::abs(x - heroX) < std::abs(best - heroX))) best = x;
    }
    return best;
}

// A normal level: flee an enemy that is on the hero; jump what is thrown at it and a charge
// running at it; fetch a coin or boost (and health when low) that lies long enough for the walk,
// shooting on the way; strike the nearest enemy in the line of its sideways shots within the
// weapon's reach, and one over it upward; fetch any other item when no enemy is near; else
// wait in the middle for the enemies. A flyer homes in on the hero's
// middle, so it comes into the line of the shots and is met there.
inline Point levelTouch(scene::InGameNormal& l, const LevelPoints& points, bool stuck, int32_t stuckFrames = 0) {
    const int32_t heroX = l.character->getX();
    const Span hero = spanOf(l.character->body.get());
    auto* row = global::WeaponConfig::weapons()->at(l.character->weapon);
    const int32_t reach = row->at(global::WeaponConfig::REACH);
    // The line of sideways shots: the weapon's box around the hands, 16 px above the feet.
    const int32_t lineTop = hero.bottom - 16 - row->at(global::WeaponConfig::BOX_HEIGHT) / 2,
                  lineBottom = hero.bottom - 16 + row->at(global::WeaponConfig::BOX_HEIGHT) / 2;
    // In the air over a walker that keeps its way (a follower turns with the hero): across it
    // against its walk, to land behind it.
    if (!l.character->onGround && !stuck) {
        Target under;
        bool walksLeft = false;
        for (int32_t i = 0; i < l.activeEnemies->length; ++i) {
            InGameObject::Enemy* e = l.activeEnemies->at(i);
            if (!e || e->state != InGameObject::Enemy::kAlive || (e->kind != 0 && e->kind != 4 && e->kind != 5)) continue;
            const Span s = spanOf(e->player.get());
            if (const int32_t gap = gapBetween(s, hero); !s.empty() && gap < under.gap) under = {s.middle(), gap}, walksLeft = e->facingLeft;
        }
        if (under.gap < 40) return points.walkToward(heroX, walksLeft ? 239 : 0, 0);
    }
    bool flyerOver = false;
    Target level, inLine, above;
    for (int32_t i = 0; i < l.activeEnemies->length; ++i) {
        InGameObject::Enemy* e = l.activeEnemies->at(i);
        if (!e || e->state != InGameObject::Enemy::kAlive) continue;
        const Span s = spanOf(e->player.get());
        if (s.empty()) continue;
        const int32_t gap = gapBetween(s, hero);
        // On the hero: a shot at point-blank range when the weapon is ready, else away from it;
        // with a wall behind, over it.
        if (s.bottom > hero.top - 4 && s.top < hero.bottom && gap < 4) {
            if (l.character->attackCooldown == 0) return points.attackToward(heroX, s.middle());
            const bool wallBehind = s.middle() >= heroX ? heroX < 40 : heroX > 199;
            if (wallBehind && e->kind != 1) return l.character->onGround ? points.jump : points.walkToward(heroX, s.middle() >= heroX ? 239 : 0, 0);
            return points.walkToward(heroX, s.middle() >= heroX ? 0 : 239, 0);
        }
        // A flyer coming down over the line: struck upward once over the hero, else drawn
        // lower by stepping away from it.
        if (e->kind == 3 && s.bottom <= lineTop && s.bottom > hero.top - 90) {
            flyerOver = flyerOver || gap < 24;
            if (gap < 2) return points.attackUp;
            if (gap < 30 && l.character->onGround) return fleeFrom(points, heroX, s.middle());
        }
        Target& slot = s.bottom > hero.top + 4 ? level : above;
        if (gap < slot.gap) slot = {s.middle(), gap};
        if (s.top < lineBottom && s.bottom > lineTop && gap < inLine.gap) inLine = {s.middle(), gap};
    }
    // What is thrown is jumped, unless an enemy is so near that the jump would meet it.
    for (int32_t i = 0; i < l.activeEnemies->length && !flyerOver && level.gap > 40; ++i) {
        InGameObject::Enemy* e = l.activeEnemies->at(i);
        if (!e || e->effect->getAnimation() != InGameObject::Enemy::kEffectFlight) continue;
        const Span thrown = spanOf(e->effect.get());
        if (!thrown.empty() && gapBetween(thrown, hero) < 36 && thrown.bottom > hero.top && l.character->onGround) return points.jump;
    }
    // A charge: shot while there is time, jumped at the last moment (a jump clears the runner's
    // height in a frame, and the shorter the flight the less it meets on landing).
    if (const Charge charge = chargeAt(l.activeEnemies, l.activeEnemies->length, hero); !flyerOver && charge.gap < 40) {
        if (charge.gap > 16 && l.character->attackCooldown == 0) return points.attackToward(heroX, charge.runningLeft ? 239 : 0);
        if (charge.gap <= 16) return l.character->onGround ? points.jump : Point{};
    }
    // A coin or boost (or health when low) that lies long enough for the walk is fetched: the weapon
    // fires whenever it is ready and something is in the line, an enemy on the way is shot
    // until it goes, and otherwise the hero walks.
    if (const int32_t wanted = itemToFetch(l, heroX, l.character->health <= 60); wanted >= 0 && !flyerOver) {
        if (l.character->attackCooldown == 0 && inLine.gap < reach - 10) return points.attackToward(heroX, inLine.x);
        const bool left = wanted < heroX;
        int32_t blocker = -1, blockerGap = 1 << 20;
        for (int32_t i = 0; i < l.activeEnemies->length; ++i) {
            InGameObject::Enemy* e = l.activeEnemies->at(i);
            if (!e || e->state != InGameObject::Enemy::kAlive) continue;
            const Span s = spanOf(e->player.get());
            if (s.empty() || s.bottom <= hero.top + 4) continue;
            const bool onTheWay = left ? s.middle() < heroX && s.right > wanted - 8 : s.middle() > heroX && s.left < wanted + 8;
            if (const int32_t gap = gapBetween(s, hero); onTheWay && gap < blockerGap) blocker = s.middle(), blockerGap = gap;
        }
        if (blockerGap < 24) return points.attackToward(heroX, blocker);
        return points.walkToward(heroX, wanted, 2);
    }
    // (Long without a defeat, the shots from here do not meet: the place is changed below.)
    if (inLine.gap < reach - 10 && !stuck) return points.attackToward(heroX, inLine.x);
    if (above.gap < 0) return points.attackUp;
    auto nearestItem = [&](bool healthOnly) {
        int32_t best = -1;
        for (int32_t i = 0; i < l.activeItems->length; ++i) {
            InGameObject::Item* it = l.activeItems->at(i);
            if (!it || it->state == InGameObject::Item::kDone || (healthOnly && it->effectCode != 1)) continue;
            if (best < 0 || std::abs(it->player->getX() - heroX) < std::abs(best - heroX)) best = it->player->getX();
        }
        return best;
    };
    // No defeat for a while: the glass may hold the hero higher or lower than the enemy, so
    // that the shots fly past it; it is struck from a place whose ground is level with its feet.
    if (stuck && level.x >= 0) {
        Span target;
        for (int32_t i = 0; i < l.activeEnemies->length; ++i)
            if (InGameObject::Enemy* e = l.activeEnemies->at(i); e && spanOf(e->player.get()).middle() == level.x)
                target = spanOf(e->player.get());
        const int32_t lineBelowFeet = hero.bottom - lineTop, lineAboveFeet = hero.bottom - lineBottom;
        // A place is good when the ground within a step (4 px) either side of it holds the
        // line across the enemy too: the walk stops within a step of it.
        auto inLineAt = [&](int32_t x) {
            const int32_t ground = l.groundHeights->at(std::clamp(x, 0, 239));
            return ground - lineBelowFeet < target.bottom - 2 && ground - lineAboveFeet > target.top + 2;
        };
        // The longer it lasts, the farther back the place (16 to 66 px, round again every 70 s):
        // a shot steps 15 to 24 px a frame and leaves the view by its middle, so an enemy at the
        // edge is met only from some distances. The seventh 10 s goes right up to it: one that
        // keeps its distance stands at the edge with its box beyond the view, met only point-blank.
        if ((stuckFrames / 200) % 7 == 6 && l.character->onGround)
            return level.gap > 2 ? points.walkToward(heroX, level.x, 0) : points.attackToward(heroX, level.x);
        const int32_t nearest = 16 + 10 * ((stuckFrames / 200) % 7);
        int32_t spot = -1;
        for (int32_t x = 4; x < 236; ++x) {
            const int32_t distance = std::abs(x - level.x);
            const bool good = inLineAt(x - 4) && inLineAt(x) && inLineAt(x + 4);
            if (distance >= nearest && distance <= reach - 20 && good && (spot < 0 || std::abs(x - heroX) < std::abs(spot - heroX)))
                spot = x;
        }
        // In the air the line rises and falls with the hero: struck as it passes the enemy.
        if (!l.character->onGround) {
            const int32_t rise = -int32_t(l.character->velocityY * 50);  // how far the hero rises by the next frame
            return target.top < lineBottom - rise && target.bottom > lineTop - rise ? points.attackToward(heroX, level.x) : Point{};
        }
        if (spot >= 0 && std::abs(spot - heroX) > 3) return points.walkToward(heroX, spot, 3);
        if (target.bottom <= lineTop + 2) return points.jump;  // higher than the line here: a jump carries it up
        if (spot < 0 && level.gap > 8) return points.walkToward(heroX, level.x, 0);  // no such place: right up to it
        return points.attackToward(heroX, level.x);
    }
    const int32_t health = nearestItem(true);
    if (l.character->health <= 60 && health >= 0 && level.gap > 40) return points.walkToward(heroX, health, 2);
    const int32_t item = nearestItem(false);
    const bool calm = level.gap > 60 && !flyerOver;
    if (item >= 0 && std::abs(item - heroX) < 120 && calm) return points.walkToward(heroX, item, 2);
    if (level.gap < reach - 20) return points.attackToward(heroX, level.x);
    if (item >= 0 && calm) return points.walkToward(heroX, item, 2);
    if (level.x >= 0) return points.walkToward(heroX, level.x, reach - 40);
    // Only enemies above, none over the hero: under the nearest, to strike it upward (or to
    // draw down one that waits for the hero to come under it).
    if (above.x >= 0) return points.walkToward(heroX, above.x, 2);
    return points.walkToward(heroX, 120, 8);
}

inline void levelMove(Player& p) {
    scene::InGameNormal* s = p.scene<scene::InGameNormal>();
    if (!s || s->state != scene::InGameNormal::kPlaying) return void(p.touch.letGo());
    const LevelPoints points(*s->hudFrame12, *s->hudFrame1);
    if (p.scenePlayed != p.sceneId()) p.itemShown = {}, p.itemLeft = {}, p.climb = {}, p.stillFrames = 0;
    if (!started(p, *s, points, scene::InGameNormal::kPlaying)) return;
    for (int32_t i = 0; i < s->activeItems->length && i < int32_t(p.itemShown.size()); ++i) {
        InGameObject::Item* item = s->activeItems->at(i);
        if (item && !p.itemShown[size_t(i)] && item->effectCode == 0) ++p.log.coinsDropped;
        p.itemShown[size_t(i)] = item != nullptr;
        // An item that leaves its slot with more than a frame of its time left was picked up.
        auto& [effect, left] = p.itemLeft[size_t(i)];
        if (!item && left > 50) ++p.log.pickedUp[size_t(effect)];
        effect = item ? item->effectCode : 0;
        left = item && item->state != InGameObject::Item::kDone ? item->lifetime - item->timer : 0;
    }
    if (s->defeatedCount != p.lastDefeated) p.lastDefeated = s->defeatedCount, p.sinceDefeat = 0;
    ++p.sinceDefeat;
    const Point t = levelTouch(*s, points, p.sinceDefeat > 300, p.sinceDefeat - 300);
    // A walk that does not move the hero for a third of a second meets a step of the piles:
    // jumped, and the walk held through the flight to land on it.
    const bool walking = t == points.moveLeft || t == points.moveRight;
    p.stillFrames = walking && s->character->getX() == p.lastHeroX ? p.stillFrames + 1 : 0;
    p.lastHeroX = s->character->getX();
    if (p.climb.x >= 0 && s->character->onGround && p.climbTook > 2) p.climb = {};
    if (p.climb.x >= 0) {
        ++p.climbTook;
        return void(p.touch.hold(s->character->onGround ? points.jump : p.climb));
    }
    if (p.stillFrames >= 6 && s->character->onGround) {
        p.climb = t, p.climbTook = 0, p.stillFrames = 0;
        return void(p.touch.hold(points.jump));
    }
    p.touch.hold(t);
}

template <class S, Point (*fight)(S&, const LevelPoints&)> void bossMove(Player& p) {
    S* s = p.scene<S>();
    // The last fight's finale is played too: the hero fetches the falling crown.
    if (!s || !boss::inPlay(*s)) return void(p.touch.letGo());
    const LevelPoints points(*s->hudTopBar, *s->hudCorner);
    if (!started(p, *s, points, boss::kPlaying)) return;
    p.touch.hold(fight(*s, points));
}

inline void resultMove(Player& p) {
    scene::Result* s = p.scene<scene::Result>();
    if (!s || s->state != 1) return;
    const std::vector<int8_t> r0 = p.record(0), r1 = p.record(1);
    const int32_t stage = r0[progress::kStage];
    const int32_t best = r1[size_t(progress::kBestHours + stage)] * 3600 + r1[size_t(progress::kBestMinutes + stage)] * 60 +
                         r1[size_t(progress::kBestSeconds + stage)];
    p.log.clearedStages.push_back(stage);
    p.log.stageSeconds.push_back(best);
    p.log.clearSeconds.push_back(r0[17] * 3600 + r0[18] * 60 + r0[19]);
    p.log.expectedMoney = std::min(progress::kMaxMoney, p.log.expectedMoney + r0[progress::kEarned]);
    p.log.earned += r0[progress::kEarned];
    p.log.anyUntouched = p.log.anyUntouched || r0[progress::kResult] == 0;
    p.shopDue = true;
    p.tapAt(centreOf(*s->panelFrame, 3, 0, 120, 160));  // continue: the map
}

inline void shopMove(Player& p) {
    scene::Shop* s = p.scene<scene::Shop>();
    if (!s || s->state != 1) return;
    const std::vector<int8_t> r0 = p.record(0);
    const int32_t item = strongestAffordable(r0, p.ended());
    if (item < 0) {
        VMPtr<kv::graphics::CollisionBox> back = kv::graphics::CollisionBox::_VM_new();
        back->_VM_init();
        s->backPlayer->getCollisionBox(back);
        return p.tapAt({back->x + back->width / 2, back->y + back->height / 2});
    }
    if (s->cursor != item) return p.tapAt(centreOf(*s->background, 2, 1, 120, s->background->getHeight(0) / 2));
    p.tapAt(centreOf(*s->shopSet->getFrame(19), 0, 0, 240, 320));
    if (p.record(0)[size_t(progress::kItems + item)] == progress::kItemOwned) {
        p.log.bought.push_back(item);
        p.log.expectedMoney -= results::priceOf(item);
    }
}

// The achievements screen, once: back to the map by its back button.
inline void achievementsMove(Player& p) {
    scene::Achievement* s = p.scene<scene::Achievement>();
    if (!s || s->state != 1) return;
    p.achievementsSeen = true;
    VMPtr<kv::graphics::CollisionBox> back = kv::graphics::CollisionBox::_VM_new();
    back->_VM_init();
    s->backPlayer->getCollisionBox(back);
    p.tapAt({back->x + back->width / 2, back->y + back->height / 2});
}

inline void gameOverMove(Player& p) {
    scene::GameOver* s = p.scene<scene::GameOver>();
    if (!s || s->state != 1) return;
    ++p.log.gameOvers;
    ++p.log.losses[std::to_string(p.previousSceneId()) + " " + std::to_string(p.stage())];
    p.tapAt(centreOf(*s->panelFrame, 3, 1, 120, 160));  // retry
}

inline void waitMove(Player&) {}

// The stories (the introduction, the lead-in before boss 5, the ending) play by themselves.
inline const std::map<int32_t, Move> kMoves = {
    {scene_id::kLogo, waitMove},
    {scene_id::kOptions, optionsMove},
    {scene_id::kMenu, menuMove},
    {scene_id::kWorldMap, mapMove},
    {scene_id::kTutorial, tutorialMove},
    {scene_id::kStory, waitMove},
    {scene_id::kNormalLevel, levelMove},
    {scene_id::kBoss1, bossMove<scene::InGameBoss_1, boss1Move>},
    {scene_id::kBoss1 + 1, bossMove<scene::InGameBoss_2, boss2Move>},
    {scene_id::kBoss1 + 2, bossMove<scene::InGameBoss_3, boss3Move>},
    {scene_id::kBoss1 + 3, bossMove<scene::InGameBoss_4, boss4Move>},
    {scene_id::kBoss5, bossMove<scene::InGameBoss_5, boss5Move>},
    {scene_id::kResult, resultMove},
    {scene_id::kShop, shopMove},
    {scene_id::kAchievements, achievementsMove},
    {scene_id::kGameOver, gameOverMove},
};

// Plays until `done` answers true; answers whether it did within the hour.
template <typename Done> bool playUntil(Player& p, Done done) {
    for (; p.log.frames < kMaxFrames && !done(p); ++p.log.frames) {
        const int32_t id = p.sceneId();
        const bool played = id == scene_id::kNormalLevel || id == scene_id::kTutorial ||
                            (id >= scene_id::kBoss1 && id <= scene_id::kBoss5);
        if (!played) p.scenePlayed = -1;  // a level or fight left: the next one starts afresh
        auto move = kMoves.find(id);
        if (move == kMoves.end()) {
            ADD_FAILURE() << "no move for scene " << id;
            return false;
        }
        move->second(p);
        p.frames(1);
    }
    return done(p);
}

// The run from a fresh database until `done`, playing stage `replayOnce` once more as soon as
// the next is open; the log, both records and whether it got there.
struct Playing {
    Log log;
    std::vector<int8_t> r0, r1;
    bool reached = false;
};
template <typename Done> Playing play(Done done, int32_t replayOnce = -1) {
    HAL_setManualAudioRendering(true);
    static Playing run;
    static Done until = done;
    static int32_t replayStage;
    replayStage = replayOnce;
    run = {};
    Player game;
    const auto began = std::chrono::steady_clock::now();
    game.run([](GameDriver& g) {
        auto& p = static_cast<Player&>(g);
        if (const char* language = std::getenv("OSTREL_PLAYTHROUGH_LANGUAGE")) p.language = std::atoi(language);
        p.replayOnce = replayStage;
        p.start();
        run.reached = playUntil(p, until);
        run.log = p.log;
        run.r0 = p.record(0);
        run.r1 = p.record(1);
        p.manager().requestExit();
    });
    HAL_setManualAudioRendering(false);
    std::printf("played %d frames (%d s of game time) in %.1f s, %d game overs, %d stages played again; coins %d dropped, %d earned\n",
                run.log.frames, run.log.frames / 20, std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(),
                run.log.gameOvers, run.log.replays, run.log.coinsDropped, run.log.earned);
    std::printf("picked up by effect (coin, health, speed, power, shield): %d, %d, %d, %d, %d\n", run.log.pickedUp[0],
                run.log.pickedUp[1], run.log.pickedUp[2], run.log.pickedUp[3], run.log.pickedUp[4]);
    for (size_t i = 0; i < run.log.bought.size(); ++i) std::printf("  bought weapon %d\n", run.log.bought[i]);
    for (const auto& [lost, count] : run.log.losses) std::printf("  lost in scene %s (scene, stage): %d\n", lost.c_str(), count);
    for (const std::string& used : run.log.weaponsUsed) std::printf("  played %s\n", used.c_str());
    return run;
}

}  // namespace game_test
