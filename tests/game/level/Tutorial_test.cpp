// The tutorial played by touch through the game driver, headless on fake time with a fresh
// save: every step held until it advances, the closing message, the tap that ends it and
// where it leads; the closing-time boundary and the per-step gating of presses. Frames are
// saved under tutorial/.

#include <filesystem>

#include "src/game/level/scene_Tutorial.h"
#include "tests/game/level/LevelGame.h"

namespace {

using namespace level_test;
using Tutorial = scene::Tutorial;

// Screen points of each step's control: the walking zones, the attack halves, the top
// strip and the top bar's previous-weapon button.
constexpr int32_t kStepPoints[7][2] = {{40, 270}, {200, 270}, {120, 270}, {60, 160}, {180, 160}, {120, 60}, {15, 15}};

Tutorial& tutorial(LevelGame& game) { return *dynamic_cast<Tutorial*>(game.manager().getScene().get()); }
bool inTutorial(LevelGame& game) { return dynamic_cast<Tutorial*>(game.manager().getScene().get()) != nullptr; }

// Boots, asks for `from` (a stand-in) and then the tutorial, and runs until it plays.
void enterFrom(LevelGame& game, int32_t from) {
    game.start();
    game.requestScene(from, 0);
    game.frames(1);
    game.requestScene(scene_id::kTutorial, 0);
    game.frames(1);
    int loads = 0;
    while (inTutorial(game) && tutorial(game).state == Tutorial::kLoading && loads < 100) {
        game.frames(1);
        ++loads;
    }
    EXPECT_EQ(loads + 1, 16);  // the first load ran in the frame that entered
    EXPECT_EQ(tutorial(game).state, Tutorial::kOpening);
    EXPECT_EQ(tutorial(game).freeEnemies->length, 11);
    EXPECT_EQ(tutorial(game).activeEnemies->length, 4);
    for (int i = 0; i < 200 && inTutorial(game) && tutorial(game).state != Tutorial::kPlaying; ++i) game.frames(1);
    ASSERT_EQ(tutorial(game).state, Tutorial::kPlaying);
}

// Holds each step's control until the step advances; answers the steps seen in order.
std::vector<int32_t> playSteps(LevelGame& game, const std::string& name) {
    std::vector<int32_t> seen;
    for (int32_t step = 0; step < 7; ++step) {
        seen.push_back(tutorial(game).step);
        game.savePng("tutorial/" + name + "_step" + std::to_string(step) + ".png");
        const int32_t* point = kStepPoints[step];
        game.press(point[0], point[1]);
        for (int frame = 0; frame < 200 && tutorial(game).step == step; ++frame) game.frames(1);
        game.release(point[0], point[1]);
        game.frames(1);
    }
    seen.push_back(tutorial(game).step);
    return seen;
}

void finish(LevelGame& game, const std::string& name) {
    for (int i = 0; i < 100 && tutorial(game).closingTime < 2100; ++i) game.frames(1);
    for (int32_t language = 0; language < 5; ++language) {
        game.manager().languageIndex = language;
        game.frames(1);
        game.savePng("tutorial/" + name + "_message" + std::to_string(language) + ".png");
    }
    game.manager().languageIndex = 0;
    game.tap(120, 160);
    game.frames(1);
    EXPECT_EQ(tutorial(game).state, Tutorial::kCleared);
    for (int frame = 0; frame < 100 && inTutorial(game); ++frame) {
        if (frame == 6) game.savePng("tutorial/" + name + "_curtain.png");
        game.frames(1);
    }
}

TEST(Tutorial, PlayedFromTheMenuByTouchEndsInTheMenuMarkedDone) {
    std::filesystem::create_directories("tutorial");
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kMenu);
        const std::vector<int8_t> before = game.record(0);
        EXPECT_EQ(before[1], 0);
        EXPECT_EQ(playSteps(game, "menu"), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
        EXPECT_NE(tutorial(game).character->weapon, 0);
        finish(game, "menu");
        EXPECT_EQ(askedScenes.back(), scene_id::kMenu);
        std::vector<int8_t> after = game.record(0);
        EXPECT_EQ(after[1], 1);
        after[1] = before[1];
        EXPECT_EQ(after, before);
        game.manager().requestExit();
    }), 0);
}

TEST(Tutorial, PlayedFromTheWorldMapEndsInTheStoryPartOne) {
    std::filesystem::create_directories("tutorial");
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kWorldMap);
        playSteps(game, "map");
        finish(game, "map");
        EXPECT_EQ(askedScenes.back(), scene_id::kStory);
        EXPECT_EQ(game.storyPart(), 1);
        EXPECT_EQ(game.record(0)[1], 1);
        game.manager().requestExit();
    }), 0);
}

// A press in another step's zone sets nothing; the current step's does.
TEST(Tutorial, OnlyTheCurrentStepsZoneAnswers) {
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kMenu);
        Tutorial& t = tutorial(game);
        for (int32_t other = 1; other < 6; ++other) {
            game.press(kStepPoints[other][0], kStepPoints[other][1]);
            game.frames(1);
            EXPECT_FALSE(t.leftFlag || t.rightFlag || t.jumpFlag || t.attackLeftFlag || t.attackRightFlag || t.attackUpFlag);
            EXPECT_EQ(t.pointerX, kStepPoints[other][0]);
            game.release(kStepPoints[other][0], kStepPoints[other][1]);
            game.frames(1);
        }
        EXPECT_EQ(t.step, 0);
        game.press(kStepPoints[0][0], kStepPoints[0][1]);
        game.frames(1);
        EXPECT_TRUE(t.leftFlag);
        game.manager().requestExit();
    }), 0);
}

// In step 7 a tap at exactly 2000 ms does nothing, the pause button does not pause, and a
// tap above 2000 ms starts the end.
TEST(Tutorial, ClosingTapCountsOnlyAboveTwoSeconds) {
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kMenu);
        Tutorial& t = tutorial(game);
        t.step = 7;
        t.closingTime = 2000 - kv::KvCanvas::kFrameMillis;
        game.tap(120, 160);
        game.frames(1);
        EXPECT_EQ(t.closingTime, 2000);
        EXPECT_EQ(t.state, Tutorial::kPlaying);
        game.tap(222, 302);
        game.frames(2);
        EXPECT_EQ(t.state, Tutorial::kCleared);
        EXPECT_EQ(t.transition->getAnimation(), 0);
        game.manager().requestExit();
    }), 0);
}

// The pause button in step 1 lies in the walking-right zone: the press sets the right flag
// and pauses; after resuming the character walks on.
TEST(Tutorial, PauseButtonInStepOneSetsTheFlagAndPauses) {
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kMenu);
        Tutorial& t = tutorial(game);
        t.step = 1;
        game.tap(222, 302);
        game.frames(1);
        EXPECT_TRUE(t.rightFlag);
        EXPECT_EQ(t.state, Tutorial::kPauseMenu);
        game.savePng("tutorial/pause.png");
        game.tap(120, 132);
        game.frames(2);
        EXPECT_EQ(t.state, Tutorial::kPlaying);
        game.manager().requestExit();
    }), 0);
}

// From the menu, quit's yes goes back to the menu with the saved record untouched, and the
// release of the tap that opened the question does not answer it; restart asks for the
// tutorial again and stores nothing.
TEST(Tutorial, QuitFromTheMenuLeavesTheRecordAndRestartStoresNothing) {
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kMenu);
        const std::vector<int8_t> before = game.record(0);
        Tutorial& t = tutorial(game);
        game.tap(222, 302);
        game.frames(2);
        game.tap(120, 204);
        game.frames(2);
        EXPECT_EQ(t.state, Tutorial::kQuitQuestion);
        game.savePng("tutorial/quit.png");
        game.tap(74, 249);
        game.frames(2);
        EXPECT_EQ(askedScenes.back(), scene_id::kMenu);
        EXPECT_EQ(game.record(0), before);
        game.requestScene(scene_id::kTutorial, 0);
        for (int i = 0; i < 60 && !(inTutorial(game) && tutorial(game).state == Tutorial::kPlaying); ++i) game.frames(1);
        game.tap(222, 302);
        game.frames(2);
        game.tap(120, 168);
        game.frames(2);
        EXPECT_EQ(askedScenes.back(), scene_id::kTutorial);
        EXPECT_EQ(game.record(0), before);
        game.manager().requestExit();
    }), 0);
}

}  // namespace
