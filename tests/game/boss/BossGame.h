#pragma once

// The game driver with the compiled content in place, entering a boss fight as the normal
// level does after a clear: record 0 holds the stage's result (a stored 0 h 12 min 50 s,
// collected 7), then the fight's scene is asked for. The scenes a fight leads to are test
// stand-ins.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "src/game/boss/BossFrame.h"
#include "tests/game/support/GameDriver.h"

namespace boss_test {

using namespace game_test;

inline constexpr int8_t kStoredMinutes = 12, kStoredSeconds = 50, kCollected = 7;

// Touch points of the level controls.
inline constexpr int32_t kAttackUp[2] = {120, 60}, kMoveLeft[2] = {40, 270}, kMoveRight[2] = {200, 260};

// The move that closes a gap to a target (target x minus the character's) down to `slack`.
inline const int32_t* closeGap(int32_t gap, int32_t slack) {
    return gap < -slack ? kMoveLeft : gap > slack ? kMoveRight : nullptr;
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

// Plays fight S by touch until it is left or maxFrames have run: each frame in play `hold`
// names the point to hold (nullptr: none) and `shield` keeps the character unhurt. Saves
// `prefix`_play.png at the first frame in play where `busy` holds, _end.png 1000 ms into the
// end and _curtain.png 3300 ms into it.
template <class S, typename Busy, typename Hold>
void play(BossGame& game, FightRun& run, const std::string& prefix, int maxFrames, bool shield, Busy busy, Hold hold) {
    const int32_t* held = nullptr;
    bool savedPlay = false, savedEnd = false, savedCurtain = false;
    for (int frame = 0; frame < maxFrames && game.inFight<S>(); ++frame) {
        S& fight = game.fight<S>();
        if (fight.state == boss::kPlaying) {
            ++run.fightFrames;
            if (shield) fight.character->setInvulnerableTimer(2000);
            const int32_t* point = hold(fight);
            if (point != held) {
                if (held) game.release(held[0], held[1]);
                else if (point) game.press(point[0], point[1]);
                held = held ? nullptr : point;
            }
            if (!savedPlay && busy(fight)) {
                savedPlay = true;
                game.savePng(prefix + "_play.png");
            }
        } else {
            if (held) game.release(held[0], held[1]);
            held = nullptr;
            run.endState = fight.state;
            run.hurt = fight.character->noDamage ? 0 : 1;
            run.playTime = fight.playTime;
            if (!savedEnd && fight.endTimer >= 1000) {
                savedEnd = true;
                game.savePng(prefix + "_end.png");
            }
            if (!savedCurtain && fight.endTimer >= 3300) {
                savedCurtain = true;
                game.savePng(prefix + "_curtain.png");
            }
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
template <class S, typename Busy, typename Hold>
FightRun playFight(int32_t stage, const std::string& name, int maxFrames, bool shield, Busy busy, Hold hold) {
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
        play<S>(game, run, folder + "/" + name, maxFrames, shield, busy, hold);
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

}  // namespace boss_test
