// The gallery: every scene's characteristic states in every language, saved as PNGs named
// <language>_<number>_<name>.png into the folder OSTREL_GALLERY names (scripts/gallery.sh
// runs it and makes the contact sheets). Without that variable it does nothing. Unlike the
// playthrough it sets the game up directly (results, story modes, stages) to reach each state.

#include <filesystem>

#include "src/game/boss/BossFrame.h"
#include "src/game/frontend/scene_Menu.h"
#include "src/game/level/scene_InGameNormal.h"
#include "src/game/level/scene_Tutorial.h"
#include "tests/game/support/GameDriver.h"
#include "tests/game/support/TouchPlay.h"

namespace {

using namespace game_test;

class Gallery : public GameDriver {
public:
    Gallery() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
    void shot(const std::string& name) {
        char number[8];
        std::snprintf(number, sizeof number, "%02d", count++);
        savePng(out + "/" + std::to_string(language) + "_" + number + "_" + name + ".png");
    }
    void show(int32_t id, int frameCount) {
        manager().changeScene(id);
        frames(frameCount);
    }
    template <class S> S* scene() { return dynamic_cast<S*>(manager().getScene().get()); }
    // Runs until the level or fight plays (at most `limit` frames).
    template <class S, class State> void untilPlaying(State playing, int limit = 400) {
        for (int i = 0; i < limit && scene<S>() && scene<S>()->state != playing; ++i) frames(1);
    }
    // A level's pause panel and quit question, by the corner button and the panel's entry.
    void panels(kv::Frame& topBar, kv::Frame& corner, kv::AnimSet& panelSet, const std::string& name) {
        const LevelPoints points(topBar, corner);
        tap(points.pause.x, points.pause.y);
        frames(2);
        shot(name + "_pause");
        const Point quit = centreOf(*panelSet.getFrame(level::LevelControls::kPausePanel), 1, 2, level::LevelControls::kPanelX,
                                    level::LevelControls::kPanelY);
        tap(quit.x, quit.y);
        frames(2);
        shot(name + "_quit");
    }

    std::string out;
    int32_t language = 0;
    int count = 0;
};

TEST(Gallery, EveryScreenInEveryLanguage) {
    const char* folder = std::getenv("OSTREL_GALLERY");
    if (!folder) GTEST_SKIP() << "OSTREL_GALLERY names no folder";
    std::filesystem::create_directories(folder);
    Gallery game;
    game.out = folder;
    static int saved = 0;
    game.run([](GameDriver& d) {
        auto& g = static_cast<Gallery&>(d);
        g.start();
        g.frames(20);
        g.shot("logo");
        for (int32_t language = 0; language < 5; ++language) {
            g.language = language;
            g.count = 1;
            g.manager().setSettingChoice(language);
            g.show(scene_id::kOptions, 20);
            g.shot("first_option_language");
            for (int32_t id : {scene_id::kLanguage, scene_id::kAudio, scene_id::kAbout, scene_id::kHelp}) {
                g.show(id, 20);
                g.shot("scene" + std::to_string(id));
            }
            g.show(scene_id::kMenu, 26);
            g.shot("menu_opening");
            g.frames(30);
            g.shot("menu_play");
            g.show(scene_id::kWorldMap, 20);
            g.shot("world_map");
            for (int32_t part = 1; part <= 3; ++part) {
                g.setStoryMode(part);
                g.show(scene_id::kStory, 60);
                g.shot("story" + std::to_string(part) + "_start");
                g.frames(200);
                g.shot("story" + std::to_string(part) + "_later");
            }
            g.requestScene(scene_id::kTutorial, 0);
            g.frames(1);
            g.untilPlaying<scene::Tutorial>(scene::Tutorial::kPlaying);
            g.frames(10);
            g.shot("tutorial_step0");
            for (int32_t stage = 0; stage < 4; ++stage) {
                g.requestScene(scene_id::kNormalLevel, stage);
                g.frames(1);
                g.untilPlaying<scene::InGameNormal>(scene::InGameNormal::kPlaying);
                g.frames(200);
                g.shot("stage" + std::to_string(stage) + "_play");
                if (stage == 0)
                    if (auto* level = g.scene<scene::InGameNormal>())
                        g.panels(*level->hudFrame12, *level->hudFrame1, *level->panelSet, "stage0");
            }
            for (int32_t fight = 0; fight < 3; ++fight) {
                g.manager().storeResult(0, 7, fight, 0, 1, 0, 3, 0);
                g.show(scene_id::kBoss1 + fight, 40);
                g.shot("boss" + std::to_string(fight + 1) + "_intro");
                g.frames(200);
                g.shot("boss" + std::to_string(fight + 1) + "_play");
            }
            g.manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
            g.show(scene_id::kResult, 20);
            g.shot("result");
            g.manager().storeResult(1, 4, 1, 0, 0, 0, 12, 3);
            g.show(scene_id::kGameOver, 20);
            g.shot("game_over");
            g.show(scene_id::kShop, 20);
            g.shot("shop");
            g.show(scene_id::kAchievements, 20);
            g.shot("achievements");
            saved += g.count - 1;
        }
        g.manager().requestExit();
    });
    EXPECT_GT(saved, 5 * 30);
}

}  // namespace
