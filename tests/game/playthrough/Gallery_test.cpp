// The gallery: every scene's characteristic states in every language, saved as PNGs named
// <language>_<number>_<name>.png into the folder OSTREL_GALLERY names (scripts/gallery.sh
// runs it and makes the contact sheets). Without that variable it does nothing. Unlike the
// playthrough it sets the game up directly (records, results, story modes, stages, a scene's
// state) to reach each state; a boss is beaten quickly by its own rules (one blow fells it).

#include <filesystem>

#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/global_GameConfig.h"
#include "src/game/frontend/scene_Help.h"
#include "src/game/frontend/scene_Menu.h"
#include "src/game/frontend/scene_WorldMap.h"
#include "src/game/level/scene_InGameNormal.h"
#include "src/game/level/scene_Tutorial.h"
#include "tests/game/boss/BossGame.h"
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

    // An end 1000 ms in, and once its closing curtain is coming down (3300 ms: "_shut").
    template <class S> void endShots(const std::string& name) {
        for (int i = 0; i < 400 && scene<S>() && scene<S>()->endTimer < 1000; ++i) frames(1);
        shot(name);
        for (int i = 0; i < 200 && scene<S>() && scene<S>()->endTimer < 3300; ++i) frames(1);
        shot(name + "_shut");
    }
    // Runs frames with the hero unhurt (standing still loses some levels and fights). The
    // shield's time is painted in a shown half of its blink (2000 ms once a frame has run:
    // 100 ms blinks, odd ones hidden), so the hero stays in the picture.
    template <class S> void unhurt(int frameCount) {
        for (int i = 0; i < frameCount && scene<S>(); ++i) {
            scene<S>()->character->setInvulnerableTimer(2000 + kv::KvCanvas::kFrameMillis);
            frames(1);
        }
    }
    // Stage 0 won (every enemy counted as defeated) and lost (the hero dead).
    void levelEnds() {
        for (const bool cleared : {true, false}) {
            requestScene(scene_id::kNormalLevel, 0);
            frames(1);
            untilPlaying<scene::InGameNormal>(scene::InGameNormal::kPlaying);
            unhurt<scene::InGameNormal>(20);
            scene::InGameNormal& level = *scene<scene::InGameNormal>();
            if (cleared) {
                level.defeatedCount = global::GameConfig::stages()->at(0)->at(global::GameConfig::ENEMY_TOTAL);
            } else {
                level.character->health = 0;
                level.character->dead = true;
            }
            endShots<scene::InGameNormal>(cleared ? "stage0_won" : "stage0_lost");
        }
    }
    // A fight from its stored stage result: the intro, play, the pause menu and the quit
    // question by touch, the finale of a fight that has one, then the end won and lost (each on
    // a fresh entry).
    template <class S> void fight(int32_t stage) {
        const std::string name = "boss" + std::to_string(stage + 1);
        enterFight<S>(stage, 40);
        shot(name + "_intro");
        untilPlaying<S>(boss::kPlaying);
        unhurt<S>(200);
        shot(name + "_play");
        tap(boss_test::kPauseButton[0], boss_test::kPauseButton[1]);
        frames(2);
        if (scene<S>()->state != boss::kPauseMenu) ADD_FAILURE() << name << ": no pause menu";
        shot(name + "_pause");
        tap(boss_test::kQuitEntry[0], boss_test::kQuitEntry[1]);
        frames(2);
        if (scene<S>()->state == boss::kPauseMenu || !scene<S>()->isPaused()) ADD_FAILURE() << name << ": no quit question";
        shot(name + "_quit");
        if constexpr (boss::hasFinale<S>) {
            enterFight<S>(stage, 1);
            untilPlaying<S>(boss::kPlaying);
            scene<S>()->bossHitPoints = 0;
            frames(20);
            shot(name + "_finale");
        }
        for (const bool won : {true, false}) {
            enterFight<S>(stage, 1);
            untilPlaying<S>(boss::kPlaying);
            frames(20);
            if (won) {
                win<S>(name);
            } else {
                scene<S>()->character->health = 0;
                scene<S>()->character->dead = true;
            }
            endShots<S>(name + (won ? "_won" : "_lost"));
        }
    }
    // Wins the fight by the scene's own rules, quickly: the hero cannot be hurt, the boss falls
    // to one blow, the hero strikes (from under or beside the target `aim` names) until the boss
    // is down, and then celebrates as after picking up the reward.
    template <class S> void win(const std::string& name) {
        const int32_t* held = nullptr;
        for (int i = 0; i < 600 && scene<S>() && boss::inPlay(*scene<S>()); ++i) {
            S& s = *scene<S>();
            s.character->setInvulnerableTimer(2000 + kv::KvCanvas::kFrameMillis);
            s.bossHitPoints = std::min(s.bossHitPoints, 1);
            if (defeated(s)) break;
            const int32_t* point = aim(s);
            if (point != held) {
                if (held) release(held[0], held[1]);
                if (point) press(point[0], point[1]);
                held = point;
            }
            frames(1);
        }
        if (held) release(held[0], held[1]);
        if (!scene<S>() || !defeated(*scene<S>())) ADD_FAILURE() << name << " not beaten in 600 frames";
        if (S* s = scene<S>(); s && boss::inPlay(*s)) {
            s->character->celebrate();
            boss::startEnd(*s, boss::kBeaten);
        }
    }
    static bool defeated(scene::InGameBoss_1& s) { return s.bossPhase == scene::InGameBoss_1::kDefeated || s.bossPhase == scene::InGameBoss_1::kGone; }
    static bool defeated(scene::InGameBoss_2& s) { return s.bossPhase == scene::InGameBoss_2::kDefeated; }
    static bool defeated(scene::InGameBoss_3& s) { return s.bossPhase == scene::InGameBoss_3::kDefeated; }
    static bool defeated(scene::InGameBoss_4& s) { return s.bossBody->getAnimation() == scene::InGameBoss_4::kDefeated; }
    static bool defeated(scene::InGameBoss_5& s) { return s.state != boss::kPlaying; }
    // The touch that strikes the boss next: upward for most; beside the walker (from 60 px
    // away); under each of the third boss's parts in turn, each falling to one blow.
    template <class S> static const int32_t* aim(S&) { return boss_test::kAttackUp; }
    static const int32_t* aim(scene::InGameBoss_2& s) {
        static constexpr int32_t kAttackLeft[2] = {60, 160}, kAttackRight[2] = {180, 160};
        const int32_t bossX = s.bossPlayer->getX();
        s.character->body->setX(bossX > 120 ? bossX - 60 : bossX + 60);
        return bossX > 120 ? kAttackRight : kAttackLeft;
    }
    static const int32_t* aim(scene::InGameBoss_3& s) {
        int32_t x = 120;
        for (int32_t k = 0; k < 4; ++k)
            if (s.partHealth->at(k) > 0) {
                s.partHealth->at(k) = 1;
                x = s.partPlayers->at(k)->getX();
                break;
            }
        s.character->body->setX(x);
        return boss_test::kAttackUp;
    }
    template <class S> void enterFight(int32_t stage, int frameCount) {
        manager().storeResult(0, 7, stage, 0, 1, 0, 3, 0);
        show(scene_id::kBoss1 + stage, frameCount);
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
            // Each language starts from a new game's records (the result screen settles one).
            for (int32_t slot : {0, 1}) g.writeRecord(slot, ui::progress::newRecord(slot));
            g.manager().setSettingChoice(language);
            g.show(scene_id::kOptions, 20);
            g.shot("first_option");
            for (const auto& [id, name] : std::vector<std::pair<int32_t, std::string>>{
                     {scene_id::kLanguage, "language"}, {scene_id::kAudio, "sound"}, {scene_id::kAbout, "about"},
                     {scene_id::kHelp, "help"}}) {
                g.show(id, 20);
                g.shot(name);
            }
            if (auto* help = g.scene<scene::Help>()) help->page = 2;  // the other page the next button shows
            g.frames(2);
            g.shot("help_page2");
            g.show(scene_id::kMenu, 26);
            g.shot("menu_opening");
            g.frames(30);
            g.shot("menu_play");
            // The options submenu, and the quit question (as their entries lead to them).
            if (auto* menu = g.scene<scene::Menu>()) menu->state = scene::Menu::kOptions;
            g.frames(2);
            g.shot("menu_options");
            if (auto* menu = g.scene<scene::Menu>()) {
                menu->cursor = scene::Menu::kQuitEntry;
                menu->state = scene::Menu::kQuitQuestion;
            }
            g.frames(2);
            g.shot("menu_quit");
            g.show(scene_id::kWorldMap, 20);
            g.shot("map_new_game");
            // Three stages open, two of them marked with a best time: the last open one is
            // shown, then a move back to the one before it.
            g.writeRecord(1, {1, 1, 1, 0, 0, 3, 1, -1, -1, -1, 0, 0, 0, 0, 0, 2, 5, 0, 0, 0, 41, 7, 0, 0, 0});
            g.show(scene_id::kWorldMap, 20);
            g.shot("map_three_open");
            if (auto* map = g.scene<scene::WorldMap>()) map->startMoveToPrevious();
            g.frames(3);
            g.shot("map_moving");
            g.frames(40);
            g.shot("map_stage1");
            g.writeRecord(1, ui::progress::newRecord(1));
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
            if (auto* tutorial = g.scene<scene::Tutorial>()) tutorial->step = scene::Tutorial::kClosingStep;
            g.frames(50);
            g.shot("tutorial_closing");
            for (int32_t stage = 0; stage < 5; ++stage) {
                g.requestScene(scene_id::kNormalLevel, stage);
                g.frames(1);
                if (stage == 0) {
                    g.frames(2);
                    g.shot("loading");  // the manager's picture while a scene loads
                }
                g.untilPlaying<scene::InGameNormal>(scene::InGameNormal::kPlaying);
                g.unhurt<scene::InGameNormal>(200);
                g.shot("stage" + std::to_string(stage) + "_play");
                if (stage == 0)
                    if (auto* level = g.scene<scene::InGameNormal>())
                        g.panels(*level->hudFrame12, *level->hudFrame1, *level->panelSet, "stage0");
            }
            g.levelEnds();
            g.fight<scene::InGameBoss_1>(0);
            g.fight<scene::InGameBoss_2>(1);
            g.fight<scene::InGameBoss_3>(2);
            g.fight<scene::InGameBoss_4>(3);
            g.fight<scene::InGameBoss_5>(4);
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
