#pragma once

// The game driver with the compiled content in place, entering a boss fight as the normal
// level does after a clear: record 0 holds the stage's result (a stored 0 h 12 min 50 s,
// collected 7), then the fight's scene is asked for. The scenes a fight leads to are test
// stand-ins.

#include <filesystem>

#include "src/game/boss/BossFrame.h"
#include "tests/game/support/FightMoves.h"
#include "tests/game/support/GameDriver.h"

namespace boss_test {

using namespace game_test;

inline constexpr int8_t kStoredMinutes = 12, kStoredSeconds = 50, kCollected = 7;

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

struct FightRun {
    int32_t lastScene = -1, hurt = -1, endState = -1;
    int64_t fightFrames = 0, touchFrames = 0, playTime = 0;
    std::vector<int8_t> before, after;
};

// Plays fight S by touch until it is left: `hold` names the point to hold in each frame of
// play; frames are saved under <folder>/<name>_play.png (the first frame `busy` answers true
// for), _end.png and _curtain.png.
template <class S, typename Hold, typename Busy>
void playFight(BossGame& game, FightRun& run, const std::string& folder, const std::string& name, Hold hold, Busy busy,
               int maxFrames = 20 * 60 * 20) {
    Touch touch(game);
    bool savedPlay = false, savedEnd = false, savedCurtain = false;
    for (int frame = 0; frame < maxFrames && game.inFight<S>(); ++frame) {
        S& fight = game.fight<S>();
        if (fight.state == boss::kPlaying) {
            ++run.fightFrames;
            run.touchFrames += touch.hold(hold(fight, LevelPoints(*fight.hudTopBar, *fight.hudCorner)));
            if (!savedPlay && busy(fight)) {
                savedPlay = true;
                game.savePng(folder + "/" + name + "_play.png");
            }
        } else {
            touch.letGo();
            run.endState = fight.state;
            run.hurt = fight.character->noDamage ? 0 : 1;
            run.playTime = fight.playTime;
            if (!savedEnd && fight.endTimer >= 1000) {
                savedEnd = true;
                game.savePng(folder + "/" + name + "_end.png");
            }
            if (!savedCurtain && fight.endTimer >= 3300) {
                savedCurtain = true;
                game.savePng(folder + "/" + name + "_curtain.png");
            }
        }
        game.frames(1);
    }
    run.lastScene = askedScenes.back();
    run.after = game.record(0);
    run.before = game.before;
}

// The fight's result over what the stage stored: everything before the result block kept,
// the fight's time (counted only in play) added to the stored time.
inline void expectStored(const FightRun& run, int8_t stage) {
    ASSERT_EQ(run.after.size(), run.before.size());
    EXPECT_TRUE(std::equal(run.before.begin(), run.before.begin() + 13, run.after.begin()));
    EXPECT_GE(run.playTime, run.fightFrames * 50);
    EXPECT_LE(run.playTime, (run.fightFrames + run.touchFrames) * 50);
    const boss::StageTime total = boss::totalTime(run.playTime, 0, kStoredMinutes, kStoredSeconds);
    EXPECT_EQ(run.after[13], run.hurt);
    EXPECT_EQ(run.after[14], kCollected);
    EXPECT_EQ(run.after[15], stage);
    EXPECT_EQ(run.after[16], 1);
    EXPECT_EQ(run.after[17], total.hours);
    EXPECT_EQ(run.after[18], total.minutes);
    EXPECT_EQ(run.after[19], total.seconds);
    std::printf("fight time %lld ms\n", static_cast<long long>(run.playTime));
}

}  // namespace boss_test
