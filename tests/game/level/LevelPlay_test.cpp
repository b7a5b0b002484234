// Stage 0 played by touch through the game driver, headless on fake time with a fresh save:
// a clear (every weapon owned, the strongest picked on the top bar, one pause, then the
// attack zone held toward the enemies), a loss (walking only) and a leave (pause, leave,
// yes). Each checks the stored result and the scene asked for; the clear is also the check
// that stage 0 stays winnable. Frames are saved under level_play/.

#include <filesystem>

#include "tests/game/level/LevelGame.h"
#include "tests/game/support/TouchPlay.h"

namespace {

using namespace level_test;
using Level = scene::InGameNormal;

// Screen points of the drawn controls (the view has not climbed in these runs).
constexpr Point kPreviousWeapon{15, 15}, kPauseButton{222, 302}, kResumeEntry{120, 132};
constexpr Point kLeaveEntry{120, 204}, kYesAnswer{74, 249}, kNoAnswer{166, 249};
constexpr Point kAttackLeft{60, 160}, kAttackRight{180, 160}, kMoveLeft{40, 270}, kMoveRight{200, 260};
constexpr int kMaxFrames = 20 * 60 * 20;  // 20 minutes of play

struct PlayRun {
    std::vector<int8_t> result;  // record 0 bytes 13..19
    int32_t lastScene = -1, hurt = -1, collected = -1, weapon = -1, maxClimb = 0, pausedState = -1, defeated = 0;
    int64_t playTime = 0;
    bool ended = false;
};

void enterStageZero(LevelGame& game, bool everyWeapon) {
    game.start();
    if (everyWeapon) {
        std::vector<int8_t> record = game.record(0);
        for (int i = 2; i <= 8; ++i) record[size_t(i)] = 0;
        game.writeRecord(0, record);
    }
    game.requestScene(scene_id::kNormalLevel, 0);
    game.frames(1);
    while (game.inLevel() && game.level().state != Level::kPlaying) game.frames(1);
}

// The nearest live enemy's x, or -1.
int32_t nearestEnemyX(Level& level) {
    return nearestLiveX(level.activeEnemies, level.activeEnemies->length, level.character->getX());
}

bool shotInFlight(Level& level) {
    for (int32_t slot = 0; slot < 4; ++slot)
        if (level.character->projectiles->at(slot)) return true;
    return false;
}

int glassCount(Level& level) {
    int count = 0;
    for (int32_t i = 0; i < level.activeGlass->length; ++i) count += level.activeGlass->at(i) != nullptr;
    return count;
}

// Plays until the level is left; `choose` names the point to hold each frame (null: none).
template <typename Choose> void play(LevelGame& game, PlayRun& run, const std::string& name, Choose choose) {
    Touch touch(game);
    bool savedBusy = false, savedFight = false;
    for (int frame = 0; frame < kMaxFrames && game.inLevel(); ++frame) {
        Level& level = game.level();
        run.maxClimb = std::max(run.maxClimb, game.manager().getGameY());
        if (level.state == Level::kPlaying) {
            run.hurt = level.character->noDamage ? 0 : 1;
            run.collected = level.collectedCount;
            run.playTime = level.playTime;
            run.defeated = level.defeatedCount;
            if (Point point = choose(level); point.x >= 0) touch.hold(point);
            else touch.letGo();
            if (!savedFight && glassCount(level) >= 2 && nearestEnemyX(level) >= 0 && shotInFlight(level)) {
                savedFight = true;
                game.savePng("level_play/" + name + "_fight.png");
            }
            if (!savedBusy && glassCount(level) >= 4 && level.activeItems->at(0) == nullptr) {
                for (int32_t i = 0; i < 5 && !savedBusy; ++i) savedBusy = level.activeItems->at(i) != nullptr;
                if (savedBusy) game.savePng("level_play/" + name + "_busy.png");
            }
        } else {
            if (level.endTimer > 0 && level.endTimer <= 50) game.savePng("level_play/" + name + "_end.png");
            touch.letGo();
            if (level.endTimer == 3500) game.savePng("level_play/" + name + "_curtain.png");
        }
        game.frames(1);
    }
    run.ended = !game.inLevel();
    run.lastScene = askedScenes.back();
    std::vector<int8_t> record = game.record(0);
    run.result.assign(record.begin() + 13, record.end());
}

std::vector<int8_t> timeBytes(int64_t playTime, int8_t hurt, int8_t collected, int8_t cleared) {
    const int64_t seconds = playTime / 1000;
    return {hurt, collected, 0, cleared, int8_t(seconds / 3600), int8_t(seconds % 3600 / 60), int8_t(seconds % 60)};
}

TEST(LevelPlay, StageZeroIsClearedByTouchWithTheStrongestWeapon) {
    std::filesystem::create_directories("level_play");
    LevelGame game;
    static PlayRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterStageZero(game, true);
        Touch touch(game);
        touch.tap(kPreviousWeapon);  // from weapon 0 back to the last one, the strongest
        run.weapon = game.level().character->weapon;
        touch.tap(kPauseButton);
        run.pausedState = game.level().state;
        touch.tap(kResumeEntry);
        play(game, run, "clear", [](Level& level) -> Point {
            const int32_t target = nearestEnemyX(level), heroX = level.character->getX();
            if (target < 0) return {};
            if (std::abs(target - heroX) > 150) return target < heroX ? kMoveLeft : kMoveRight;
            return target < heroX ? kAttackLeft : kAttackRight;
        });
        game.manager().requestExit();
    });
    EXPECT_EQ(run.weapon, 6);
    EXPECT_EQ(run.pausedState, Level::kPauseMenu);
    ASSERT_TRUE(run.ended) << run.defeated << " defeated";
    EXPECT_EQ(run.lastScene, 15);
    EXPECT_EQ(run.result, timeBytes(run.playTime, int8_t(run.hurt), int8_t(run.collected), 1));
    EXPECT_LE(run.maxClimb, 320);
}

TEST(LevelPlay, WalkingOnlyLosesTheStage) {
    std::filesystem::create_directories("level_play");
    LevelGame game;
    static PlayRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterStageZero(game, false);
        static bool goingLeft = true;
        play(game, run, "loss", [](Level& level) -> Point {
            const int32_t x = level.character->getX();
            if (x < 20) goingLeft = false;
            if (x > 220) goingLeft = true;
            return goingLeft ? kMoveLeft : kMoveRight;
        });
        game.manager().requestExit();
    });
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.lastScene, 20);
    EXPECT_EQ(run.hurt, 1);
    EXPECT_EQ(run.result, timeBytes(run.playTime, 1, int8_t(run.collected), 0));
    EXPECT_LE(run.maxClimb, 320);
}

TEST(LevelPlay, LeavingThroughThePauseMenuStoresNothing) {
    LevelGame game;
    static std::vector<int8_t> before, after;
    static std::vector<int32_t> states;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterStageZero(game, false);
        game.frames(100);
        before = game.record(0);
        Touch touch(game);
        touch.tap(kPauseButton);
        states.push_back(game.level().state);
        touch.tap(kLeaveEntry);
        states.push_back(game.level().state);
        touch.tap(kYesAnswer);
        states.push_back(game.inLevel() ? game.level().state : -1);
        after = game.record(0);
        game.manager().requestExit();
    });
    EXPECT_EQ(states, (std::vector<int32_t>{Level::kPauseMenu, Level::kQuitQuestion, -1}));
    EXPECT_EQ(askedScenes.back(), 7);
    EXPECT_EQ(after, before);
}

}  // namespace

namespace {

TEST(LevelPlay, AGlassPileRaisesTheGroundAndTheViewClimbsUnderTheHud) {
    std::filesystem::create_directories("level_play");
    LevelGame game;
    static int32_t maxHeight, markerY, climbed, heroOnGround, lowestGround, stateAfterPanels;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterStageZero(game, false);
        Level& level = game.level();
        level.spawnedCount = 1000;  // glass only
        for (int frame = 0; frame < 900; ++frame) {
            if (frame % 3 == 0) level.spawnGlass(6 + 12 * (frame / 3 % 20), -game.manager().getGameY() + 30);
            game.frames(1);
        }
        game.frames(60);  // the last pieces settle and the view catches up
        for (int32_t i = 0; i < 5; ++i) {  // every item on the pile, clear of the character
            level.activeItems->set(i, level.spareItems->at(i));
            level.spareItems->set(i, nullptr);
            level.activeItems->at(i)->spawn(20 + 40 * i + (i > 2 ? 40 : 0), -game.manager().getGameY() + 60);
        }
        game.frames(40);
        maxHeight = level.maxHeight;
        markerY = level.marker->getY();
        climbed = game.manager().getGameY();
        const int32_t x = level.character->getX();
        heroOnGround = level.character->getY() == level.groundHeights->at(x);
        lowestGround = *std::min_element(level.groundHeights->elements(), level.groundHeights->elements() + 240);
        game.savePng("level_play/pile_climbed.png");
        Touch touch(game);
        touch.tap(kPauseButton);
        game.savePng("level_play/pause_climbed.png");
        touch.tap(kLeaveEntry);
        game.savePng("level_play/question_climbed.png");
        touch.tap(kNoAnswer);
        touch.tap(kResumeEntry);
        stateAfterPanels = level.state;
        game.manager().requestExit();
    });
    EXPECT_LT(maxHeight, 224);
    EXPECT_LE(markerY, maxHeight);
    EXPECT_EQ(climbed, 224 - markerY);  // the view follows the marker
    EXPECT_EQ(heroOnGround, 1);
    EXPECT_LT(lowestGround, maxHeight);
    EXPECT_EQ(stateAfterPanels, Level::kPlaying);
}

}  // namespace
