#pragma once

// The game driver with the compiled content in place, entering a boss fight as the normal
// level does after a clear: record 0 holds the stage's result (a stored 0 h 12 min 50 s,
// collected 7), then the fight's scene is asked for. The scenes a fight leads to are test
// stand-ins.

#include <filesystem>

#include "src/game/boss/BossFrame.h"
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

}  // namespace boss_test
