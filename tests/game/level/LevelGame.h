#pragma once

// The game driver with the compiled content in place, entering the normal level of a stage
// as the world map does; the scenes a level leads to are test stand-ins.

#include <filesystem>

#include "src/game/level/scene_InGameNormal.h"
#include "tests/game/support/GameDriver.h"

namespace level_test {

using namespace game_test;

class LevelGame : public GameDriver {
public:
    LevelGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        for (int32_t id : {1, 7, 11, 15, 16, 17, 18, 20}) useScene(id);
    }
    scene::InGameNormal& level() { return *dynamic_cast<scene::InGameNormal*>(manager().getScene().get()); }
    bool inLevel() { return dynamic_cast<scene::InGameNormal*>(manager().getScene().get()) != nullptr; }
    // Boots, asks for the level of the stage and runs its first frame (the first load call).
    void enter(int32_t stage) {
        start();
        requestScene(scene_id::kNormalLevel, stage);
        frames(1);
    }
    // Runs until the level plays (sixteen load calls, then the opening).
    int openLevel(int32_t stage) {
        enter(stage);
        int count = 1;
        while (inLevel() && level().state != scene::InGameNormal::kPlaying && count < 200) {
            frames(1);
            ++count;
        }
        return count;
    }
};

}  // namespace level_test
