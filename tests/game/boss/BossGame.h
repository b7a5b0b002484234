#pragma once

// The game driver with the compiled content in place, entering a boss fight as the normal
// level does after a clear: record 0 holds the stage's result (a stored 0 h 12 min 50 s,
// collected 7), then the fight's scene is asked for. The scenes a fight leads to are test
// stand-ins.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "src/game/boss/BossFrame.h"
#include "tests/game/support/GameDriver.h"

namespace boss_test {

using namespace game_test;

inline constexpr int8_t kStoredMinutes = 12, kStoredSeconds = 50, kCollected = 7;

// Touch points of the level controls.
inline constexpr int32_t kAttackUp[2] = {120, 60}, kMoveLeft[2] = {40, 270}, kMoveRight[2] = {200, 260};
// Touch points of the pause button, the pause menu's entries and the quit question's yes.
inline constexpr int32_t kPauseButton[2] = {222, 302}, kResumeEntry[2] = {120, 132}, kRestartEntry[2] = {120, 168};
inline constexpr int32_t kQuitEntry[2] = {120, 204}, kYesAnswer[2] = {74, 249};

// The move that closes a gap to a target (target x minus the character's) down to `slack`.
inline const int32_t* closeGap(int32_t gap, int32_t slack) {
    return gap < -slack ? kMoveLeft : gap > slack ? kMoveRight : nullptr;
}

// Moves `thing` so that the middle of its first type-0 box lies on the middle of the
// character's: the two touch whatever their sizes.
inline void putOnCharacter(kv::AnimPlayer* thing, InGameObject::Character& hero) {
    VMPtr<boss::BoxArray> own = boss::newBoxes(1), target = boss::newBoxes(1);
    const kv::graphics::CollisionBox* a = boss::placedBox(thing, own);
    const kv::graphics::CollisionBox* b = boss::placedBox(hero.body.get(), target);
    thing->setX(thing->getX() + b->x + b->width / 2 - a->x - a->width / 2);
    thing->setY(thing->getY() + b->y + b->height / 2 - a->y - a->height / 2);
}

// A fight with a shot pool (fights 1 and 3): pooled shot 0 taken into play in slot 0 with
// `animation`, on the character.
template <class S> void putShotOnCharacter(S& fight, int32_t animation) {
    fight.activeShots->set(0, fight.shotPool->at(0));
    fight.shotPool->set(0, nullptr);
    fight.activeShots->at(0)->setAnimation(animation);
    putOnCharacter(fight.activeShots->at(0), *fight.character);
}

// Every shot in play back in its pool slot.
template <class S> void poolEveryShot(S& fight) {
    for (int32_t i = 0; i < S::kShotCount; ++i)
        if (fight.activeShots->at(i)) {
            fight.shotPool->set(i, fight.activeShots->at(i));
            fight.activeShots->set(i, nullptr);
        }
}

// The health one collision step takes from a character that can be hurt (full health,
// neither hurt nor blinking) once `put(fight)` has placed what touches it.
template <class S, typename Put> int32_t contactCost(S& fight, Put put) {
    InGameObject::Character& hero = *fight.character;
    hero.health = InGameObject::Character::kMaxHealth;
    hero.invulnerableTimer = hero.hurtTimer = 0;
    put(fight);
    fight.checkCollisions();
    return InGameObject::Character::kMaxHealth - hero.health;
}

class BossGame : public GameDriver {
public:
    BossGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        for (int32_t id : {1, 2, 7, 12, 20}) useScene(id);
    }
    template <class S> S& fight() { return *dynamic_cast<S*>(manager().getScene().get()); }
    template <class S> bool inFight() { return dynamic_cast<S*>(manager().getScene().get()) != nullptr; }

    // Boots, stores the stage's result and asks for its fight; runs the first frame.
    void enter(int32_t stage) {
        start();
        manager().storeResult(0, kCollected, stage, 0, 1, 0, kStoredMinutes, kStoredSeconds);
        before = record(0);
        manager().changeScene(scene_id::kBoss1 + stage);
        frames(1);
    }
    // Runs until the fight plays (sixteen load calls, then the intro); answers the frames run.
    template <class S> int openFight(int32_t stage) {
        enter(stage);
        int count = 1;
        while (inFight<S>() && fight<S>().state != boss::kPlaying && count < 400) {
            frames(1);
            ++count;
        }
        return count;
    }

    std::vector<int8_t> before;  // record 0 as the fight began
};

// One fight played to its end through the driver.
struct FightRun {
    int32_t lastScene = -1, hurt = -1, endState = -1;
    int64_t fightFrames = 0, playTime = 0;
    std::vector<int8_t> before, after;
};

// Saves the named picture of a run the first time it is asked for.
using SaveOnce = std::function<void(const std::string&)>;

// Plays fight S by touch until it is left or maxFrames have run: each frame in play `hold`
// names the point to hold (nullptr: none), `shield` keeps the character unhurt, and then
// `during(game, fight, once)` runs, where once(name) saves `prefix`_name.png the first time.
// Saves _end.png 1000 ms into the end and _curtain.png 3300 ms into it.
template <class S, typename During, typename Hold>
void play(BossGame& game, FightRun& run, const std::string& prefix, int maxFrames, bool shield, During during, Hold hold) {
    const int32_t* held = nullptr;
    std::set<std::string> saved;
    const SaveOnce once = [&](const std::string& name) {
        if (saved.insert(name).second) game.savePng(prefix + "_" + name + ".png");
    };
    for (int frame = 0; frame < maxFrames && game.inFight<S>(); ++frame) {
        S& fight = game.fight<S>();
        if (boss::inPlay(fight)) {
            ++run.fightFrames;
            if (shield) fight.character->setInvulnerableTimer(2000);
            const int32_t* point = hold(fight);
            if (point != held) {
                if (held) game.release(held[0], held[1]);
                else if (point) game.press(point[0], point[1]);
                held = held ? nullptr : point;
            }
            during(game, fight, once);
        } else {
            if (held) game.release(held[0], held[1]);
            held = nullptr;
            run.endState = fight.state;
            run.hurt = fight.character->noDamage ? 0 : 1;
            run.playTime = fight.playTime;
            if (fight.endTimer >= 1000) once("end");
            if (fight.endTimer >= 3300) once("curtain");
        }
        game.frames(1);
    }
    run.lastScene = askedScenes.back();
    run.after = game.record(0);
    run.before = game.before;
}

// Record 0 after a fight of the stage: bytes 0 to 12 kept; the hurt flag, the collected count
// passed on, the stage, cleared 1 and the stored time plus the fight's (frames in play x 50 ms).
inline void expectStored(const FightRun& run, int32_t stage) {
    ASSERT_EQ(run.after.size(), run.before.size());
    EXPECT_TRUE(std::equal(run.before.begin(), run.before.begin() + 13, run.after.begin()));
    EXPECT_EQ(run.playTime, run.fightFrames * 50);
    const boss::StageTime total = boss::totalTime(run.playTime, 0, kStoredMinutes, kStoredSeconds);
    EXPECT_EQ(run.after[13], run.hurt);
    EXPECT_EQ(run.after[14], kCollected);
    EXPECT_EQ(run.after[15], stage);
    EXPECT_EQ(run.after[16], 1);
    EXPECT_EQ(run.after[17], total.hours);
    EXPECT_EQ(run.after[18], total.minutes);
    EXPECT_EQ(run.after[19], total.seconds);
    std::printf("fight time %lld ms (%lld frames)\n", static_cast<long long>(run.playTime),
                static_cast<long long>(run.fightFrames));
}

// A whole fight of the stage through the driver, from the record prepared to the scene the
// fight asks for, played from its first frame in play as `play` does; the intro is saved as
// bossN_frames/intro.png and the run's pictures as bossN_frames/<name>_*.png.
template <class S, typename During, typename Hold>
FightRun playFight(int32_t stage, const std::string& name, int maxFrames, bool shield, During during, Hold hold) {
    const std::string folder = "boss" + std::to_string(stage + 1) + "_frames";
    std::filesystem::create_directories(folder);
    BossGame game;
    FightRun run;
    game.run([&](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(stage);
        game.frames(20);
        game.savePng(folder + "/intro.png");
        while (game.fight<S>().state != boss::kPlaying) game.frames(1);
        play<S>(game, run, folder + "/" + name, maxFrames, shield, during, hold);
        game.manager().requestExit();
    });
    return run;
}

// Holds nothing: the character stands where it starts.
template <class S> const int32_t* standStill(S&) { return nullptr; }

// A won fight leads to the result screen, a lost one (the character hurt) to game over.
inline void expectWon(const FightRun& run, int32_t stage) {
    EXPECT_EQ(run.endState, boss::kBeaten);
    EXPECT_EQ(run.lastScene, scene_id::kResult);
    expectStored(run, stage);
}
inline void expectLost(const FightRun& run, int32_t stage) {
    EXPECT_EQ(run.endState, boss::kLost);
    EXPECT_EQ(run.hurt, 1);
    EXPECT_EQ(run.lastScene, scene_id::kGameOver);
    expectStored(run, stage);
}

// The pause menu by touch, 40 frames into play: the pause button, then `menu(game, states)`
// with the menu showing; quit, then `question(game, states)` with the quit question showing;
// yes, and the fight asked for again; once it plays, the pause button and restart.
struct PanelsRun {
    std::vector<int32_t> states;
    int32_t quitScene = -1, restartScene = -1;
    std::vector<int8_t> afterQuit, before, restarted;  // restarted: record 0 from byte 13 on
};

template <class S, typename Menu, typename Question>
PanelsRun panelsByTouch(int32_t stage, Menu menu, Question question) {
    std::filesystem::create_directories("boss" + std::to_string(stage + 1) + "_frames");
    BossGame game;
    PanelsRun run;
    game.run([&](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<S>(stage);
        game.frames(40);
        game.tap(kPauseButton[0], kPauseButton[1]);
        game.frames(1);
        menu(game, run.states);
        game.tap(kQuitEntry[0], kQuitEntry[1]);
        game.frames(2);
        question(game, run.states);
        game.tap(kYesAnswer[0], kYesAnswer[1]);
        game.frames(2);
        run.quitScene = askedScenes.back();
        run.afterQuit = game.record(0);
        run.before = game.before;
        game.manager().changeScene(scene_id::kBoss1 + stage);
        game.frames(1);
        while (game.fight<S>().state != boss::kPlaying) game.frames(1);
        game.tap(kPauseButton[0], kPauseButton[1]);
        game.frames(1);
        game.tap(kRestartEntry[0], kRestartEntry[1]);
        game.frames(2);
        run.restartScene = askedScenes.back();
        std::vector<int8_t> record = game.record(0);
        run.restarted.assign(record.begin() + 13, record.end());
        game.manager().requestExit();
    });
    return run;
}

// Records the fight's state and saves the screen as `picture`.
template <class S> auto stateAndPicture(std::string picture) {
    return [picture](BossGame& game, std::vector<int32_t>& states) {
        states.push_back(game.fight<S>().state);
        game.savePng(picture);
    };
}

// Quit and yes lead to the world map with the record untouched; restart stores a zero time
// for the stage (cleared 1) and starts its normal level.
inline void expectPanels(const PanelsRun& run, int32_t stage, const std::vector<int32_t>& states) {
    EXPECT_EQ(run.states, states);
    EXPECT_EQ(run.quitScene, scene_id::kWorldMap);
    EXPECT_EQ(run.afterQuit, run.before);
    EXPECT_EQ(run.restartScene, scene_id::kNormalLevel);
    EXPECT_EQ(run.restarted, (std::vector<int8_t>{0, 0, int8_t(stage), 1, 0, 0, 0}));
}

}  // namespace boss_test
