// The tutorial played by touch through the game driver, headless on fake time with a fresh
// save: every step held until it advances, the closing message, the tap that ends it and
// where it leads; the loading's enemy pool, the arrow's places, what each state paints, the
// keys of each step, the closing-time boundary, the per-step gating of presses, the panels,
// the application's pause and a second start of the game. Frames are saved under tutorial/.

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/level/scene_Tutorial.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/util/kv_util_FastRandom.h"
#include "tests/game/level/LevelGame.h"
#include "tests/support/TemporaryFolder.h"
#include "src/game/objects/HitTests.h"

namespace {

using namespace level_test;
using Tutorial = scene::Tutorial;

using Image = javax::microedition::lcdui::Image;

std::string noted;  // what the spies were asked, in order

// The tutorial with its painting layers noted.
class SpyTutorial : public scene::Tutorial {
    VM_CLASS(SpyTutorial, scene::Tutorial)
    void paintObjects() override { note("objects", [&] { Tutorial::paintObjects(); }); }
    void paintControls() override { note("hud", [&] { Tutorial::paintControls(); }); }
    void paintHint() override { note("hint", [&] { Tutorial::paintHint(); }); }
    void paintMessage() override { note("pause", [&] { Tutorial::paintMessage(); }); }
    template <typename Body> void note(const char* layer, Body body) {
        noted += std::string(layer) + " ";
        body();
    }
};

// A character that notes the moves asked of it.
class SpyCharacter : public InGameObject::Character {
    VM_CLASS(SpyCharacter, InGameObject::Character)
    void moveLeft() override { noted += "L "; }
    void moveRight() override { noted += "R "; }
    void attackUp(bool step, bool left) override { noted += std::string("U") + (step ? (left ? "<" : ">") : "") + " "; }
    void jump() override { noted += "J "; }
    void idle() override { noted += "I "; }
    void attack() override { noted += "A "; }
    void switchWeapon(bool back) override { noted += back ? "W- " : "W+ "; }
};

// Screen points of each step's control: the walking zones, the attack halves, the top
// strip and the top bar's previous-weapon button.
constexpr int32_t kStepPoints[7][2] = {{40, 270}, {200, 270}, {120, 270}, {60, 160}, {180, 160}, {120, 60}, {15, 15}};

Tutorial& tutorial(LevelGame& game) { return *dynamic_cast<Tutorial*>(game.manager().getScene().get()); }
bool inTutorial(LevelGame& game) { return dynamic_cast<Tutorial*>(game.manager().getScene().get()) != nullptr; }

// The generator a scene made in this frame holds: seeded with the fake clock's time.
VMPtr<kv::util::FastRandom> seededNow(LevelGame& game) {
    VMPtr<kv::util::FastRandom> random = kv::util::FastRandom::_VM_new();
    random->_VM_init();
    random->setSeed(game.clock.time);
    return random;
}

// Boots (unless running), asks for `from` (a stand-in) and then the tutorial, and runs until
// it plays. The pool holds 11 enemies, one side drawn each from the scene's generator, and
// none is active.
void enterFrom(LevelGame& game, int32_t from) {
    if (!game.manager().getScene()) game.start();
    game.requestScene(from, 0);
    game.frames(1);
    game.requestScene(scene_id::kTutorial, 0);
    game.frames(1);
    VMPtr<kv::util::FastRandom> sides = seededNow(game);
    int loads = 0;
    while (inTutorial(game) && tutorial(game).state == Tutorial::kLoading && loads < 100) {
        game.frames(1);
        ++loads;
    }
    EXPECT_EQ(loads + 1, 16);  // the first load ran in the frame that entered
    Tutorial& t = tutorial(game);
    EXPECT_EQ(t.state, Tutorial::kOpening);
    EXPECT_EQ(t.freeEnemies->length, 11);
    for (int32_t k = 0; k < t.freeEnemies->length; ++k) EXPECT_EQ(t.freeEnemies->at(k)->facingLeft, sides->nextInt(2) != 0) << k;
    EXPECT_EQ(t.activeEnemies->length, 4);
    for (int32_t i = 0; i < t.activeEnemies->length; ++i) EXPECT_EQ(t.activeEnemies->at(i), nullptr);
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

// Boots the game, enters the tutorial from `from` and runs body(game, tutorial) on the loop
// thread; the game then exits.
template <typename Body> void runTutorial(int32_t from, Body body) {
    std::filesystem::create_directories("tutorial");
    static int32_t origin;
    static Body* now;
    origin = from;
    now = &body;
    LevelGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, origin);
        (*now)(game, tutorial(game));
        game.manager().requestExit();
    }), 0);
}

TEST(Tutorial, PlayedFromTheMenuByTouchEndsInTheMenuMarkedDone) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
        const std::vector<int8_t> before = game.record(0);
        EXPECT_EQ(before[1], 0);
        EXPECT_EQ(playSteps(game, "menu"), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
        EXPECT_NE(t.character->weapon, 0);
        finish(game, "menu");
        EXPECT_EQ(askedScenes.back(), scene_id::kMenu);
        std::vector<int8_t> after = game.record(0);
        EXPECT_EQ(after[1], 1);
        after[1] = before[1];
        EXPECT_EQ(after, before);
    });
}

TEST(Tutorial, PlayedFromTheWorldMapEndsInTheStoryPartOne) {
    runTutorial(scene_id::kWorldMap, [](LevelGame& game, Tutorial&) {
        playSteps(game, "map");
        finish(game, "map");
        EXPECT_EQ(askedScenes.back(), scene_id::kStory);
        EXPECT_EQ(game.storyPart(), 1);
        EXPECT_EQ(game.record(0)[1], 1);
    });
}

// Begun on the world map and restarted from the pause menu, the tutorial's previous scene is
// itself: it ends in the menu, marked done.
TEST(Tutorial, RestartedFromTheWorldMapItEndsInTheMenuMarkedDone) {
    runTutorial(scene_id::kWorldMap, [](LevelGame& game, Tutorial&) {
        game.tap(222, 302);
        game.frames(2);
        game.tap(120, 168);
        game.frames(2);
        EXPECT_EQ(askedScenes.back(), scene_id::kTutorial);
        EXPECT_EQ(game.previousSceneId(), scene_id::kTutorial);
        for (int i = 0; i < 60 && !(inTutorial(game) && tutorial(game).state == Tutorial::kPlaying); ++i) game.frames(1);
        playSteps(game, "restart");
        finish(game, "restart");
        EXPECT_EQ(askedScenes.back(), scene_id::kMenu);
        EXPECT_EQ(game.record(0)[1], 1);
    });
}

// Standing idle the character is exactly on the ground line, which step 2 asks it to leave;
// a step whose condition already holds is done in that frame, and the next step's work
// starts in the following one.
TEST(Tutorial, StepsWaitForTheirConditionAndAdvanceOneAFrame) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
        t.step = 2;
        game.frames(10);
        EXPECT_EQ(t.character->getY(), 224);
        EXPECT_EQ(t.step, 2);
        t.step = 6;
        t.character->weapon = 3;
        game.frames(1);
        EXPECT_EQ(t.step, 7);
        EXPECT_EQ(t.closingTime, 0);
        game.frames(1);
        EXPECT_EQ(t.closingTime, kv::KvCanvas::kFrameMillis);
    });
}

// Begun on the world map, quit's yes counts the tutorial as played (record 0 byte 1 and
// nothing else) and goes on to the story's first part.
TEST(Tutorial, QuitFromTheWorldMapMarksItDoneAndStartsTheStory) {
    runTutorial(scene_id::kWorldMap, [](LevelGame& game, Tutorial& t) {
        std::vector<int8_t> before = game.record(0);
        t.pause();
        game.tap(120, 204);
        game.frames(2);
        game.tap(74, 249);
        game.frames(2);
        EXPECT_EQ(askedScenes.back(), scene_id::kStory);
        EXPECT_EQ(game.storyPart(), 1);
        before[1] = 1;
        EXPECT_EQ(game.record(0), before);
    });
}

// A press in another step's zone sets nothing; the current step's does.
TEST(Tutorial, OnlyTheCurrentStepsZoneAnswers) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
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
    });
}

// Steps 0 to 5 point at fixed places; step 6 at the centre of the top bar's first weapon button.
TEST(Tutorial, TheArrowPointsAtEachStepsControl) {
    std::vector<std::pair<int32_t, int32_t>> seen,
            expected = {{40, 265}, {200, 265}, {120, 265}, {40, 159}, {200, 159}, {120, 53}};
    runTutorial(scene_id::kMenu, [&](LevelGame& game, Tutorial& t) {
        VMPtr<kv::Paintable::BoxArray> buttons = InGameObject::newBoxes(1);
        t.hudFrame12->getCollisionBoxes(0, buttons, 1);
        const kv::graphics::CollisionBox* first = buttons->at(0);
        expected.push_back({120 + first->x + first->width / 2, first->y + first->height / 2});
        for (int32_t step = 0; step < 7; ++step) {
            t.step = step;
            game.frames(1);
            seen.push_back({t.hintArrow->getX(), t.hintArrow->getY()});
        }
    });
    EXPECT_EQ(seen, expected);
}

// The layers each state paints: nothing while loading, the HUD under the opening curtain and
// in play until the closing message shows, the arrow or message in play and under the end
// curtain, neither HUD nor arrow behind the panels. The end curtain covers the message.
TEST(Tutorial, EachStatePaintsItsLayers) {
    struct Row {
        int32_t state, step, closingTime;
        const char* layers;
    };
    static const Row rows[] = {
            {Tutorial::kLoading, 0, 0, ""},
            {Tutorial::kOpening, 0, 0, "objects hud "},        {Tutorial::kPlaying, 0, 0, "objects hud hint "},
            {Tutorial::kPlaying, 7, 1999, "objects hud hint "}, {Tutorial::kPlaying, 7, 2000, "objects hint "},
            {Tutorial::kCleared, 7, 2100, "objects hint "},    {Tutorial::kPauseMenu, 3, 0, "objects pause "},
            {Tutorial::kQuitQuestion, 3, 0, "objects "},
    };
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial&) {
        VMPtr<Image> screen = Image::createImage(240, 320, false, 0x123456);
        VMPtr<VMArray<int32_t, 1>> pixels = VMArray<int32_t, 1>::_VM_new(240 * 320);
        auto shown = [&] {
            screen->getRGB(pixels, 0, 240, 0, 0, 240, 320);
            return std::vector<int32_t>(pixels->elements(), pixels->elements() + pixels->length);
        };
        VMPtr<SpyTutorial> spy = SpyTutorial::_VM_new();
        spy->_VM_init(VMPtr<ui::SceneManager>(&game.manager()));
        auto paint = [&] {
            noted.clear();
            spy->paint(screen->getGraphics());
            return noted;
        };
        const std::vector<int32_t> blank = shown();
        EXPECT_EQ(paint(), "");
        EXPECT_EQ(shown(), blank);
        for (int call = 0; call < 16; ++call) spy->load();
        for (const Row& row : rows) {
            spy->state = row.state;
            spy->step = row.step;
            spy->closingTime = row.closingTime;
            EXPECT_EQ(paint(), row.layers) << row.state << " " << row.step << " " << row.closingTime;
        }
        // A point of the message's panel, covered once the end curtain has passed it.
        VMPtr<kv::Paintable::BoxArray> area = InGameObject::newBoxes(1);
        spy->panelSet->getFrame(Tutorial::kPanelMessage)->getCollisionBoxes(0, area, 0);
        const size_t at = size_t((160 + area->at(0)->y + 4) * 240 + 120 + area->at(0)->x + 4);
        spy->state = Tutorial::kPlaying;
        paint();
        EXPECT_NE(shown()[at], int32_t(0xFF000000));
        spy->state = Tutorial::kCleared;
        spy->transition->setAnimation(0);
        spy->transition->setY(200 + area->at(0)->y);
        paint();
        EXPECT_EQ(shown()[at], int32_t(0xFF000000));
    });
}

// Keys (never read by the frame; here after a key snapshot) pass only the current step's
// control; idle follows unless a moving key is held; action 20 pauses in every step but 7;
// any key ends step 7 only above 2000 ms.
TEST(Tutorial, KeysPassOnlyTheCurrentStepsControl) {
    enum { k1 = 1, k7 = 7, k9 = 9, kUp = 10, kDown = 11, kLeft = 12, kRight = 13, kFire = 14, k20 = 20 };
    struct Row {
        int32_t step, closingTime;
        std::vector<int32_t> held, pressed;
        const char* moves;
        int32_t state;
    };
    static const Row rows[] = {
            {0, 0, {kLeft}, {}, "L ", 1},       {0, 0, {kLeft, k1}, {}, "U< ", 1}, {0, 0, {kRight}, {}, "", 1},
            {0, 0, {kFire}, {}, "I ", 1},       {1, 0, {kRight}, {}, "R ", 1},     {1, 0, {kLeft}, {}, "", 1},
            {2, 0, {kUp}, {}, "J ", 1},         {2, 0, {k1}, {}, "", 1},           {3, 0, {kFire}, {}, "A I ", 1},
            {4, 0, {kFire, kDown}, {}, "", 1},  {4, 0, {kUp}, {}, "", 1},          {5, 0, {k1}, {}, "U ", 1},
            {5, 0, {kFire}, {}, "I ", 1},       {6, 0, {}, {k7, k9}, "W- I ", 1},  {6, 0, {}, {k9}, "W+ I ", 1},
            {6, 0, {kLeft}, {}, "", 1},         {0, 0, {}, {k20}, "I ", 5},        {7, 1000, {}, {k20}, "I ", 1},
            {7, 2000, {}, {kFire}, "I ", 1},    {7, 2001, {}, {kFire}, "I ", 2},
    };
    // The first key of each of those actions.
    static constexpr auto keyOf = [](int32_t action) {
        constexpr std::pair<int32_t, int32_t> keys[] = {{k1, 17},  {k7, 23},    {k9, 25},   {kUp, 1}, {kDown, 6},
                                                        {kLeft, 2}, {kRight, 5}, {kFire, 8}, {k20, 29}};
        for (const auto& [a, key] : keys)
            if (a == action) return key;
        return -1;
    };
    std::vector<std::string> seen;
    std::vector<int32_t> states;
    runTutorial(scene_id::kMenu, [&](LevelGame& game, Tutorial& t) {
        VMPtr<InGameObject::Character> real = t.character;
        t.character = SpyCharacter::_VM_new();
        ui::SceneManager& manager = game.manager();
        for (const Row& row : rows) {
            t.state = Tutorial::kPlaying;
            t.step = row.step;
            t.closingTime = row.closingTime;
            std::fill(std::begin(manager.keysDown), std::end(manager.keysDown), false);
            for (int32_t action : row.held) manager.keysDown[keyOf(action)] = true;
            for (int32_t action : row.pressed) manager.keysPressedSince[keyOf(action)] = true;
            manager.snapshotKeys();
            noted.clear();
            t.handleKeys();
            seen.push_back(noted);
            states.push_back(t.state);
        }
        t.character = real;
        t.state = Tutorial::kPlaying;
    });
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(seen[i], rows[i].moves) << i;
        EXPECT_EQ(states[i], rows[i].state) << i;
    }
}

// In step 7 a tap at exactly 2000 ms does nothing, the pause button does not pause, and a
// tap above 2000 ms starts the end.
TEST(Tutorial, ClosingTapCountsOnlyAboveTwoSeconds) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
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
        game.frames(1);
        EXPECT_GT(t.transition->getY(), 0);  // the end curtain moves from the start: no hold
    });
}

// The closing message is wrapped once for its text, language, font and width: later frames
// keep that wrap, and a change of language wraps the new language's text as a fresh wrap does.
TEST(Tutorial, TheClosingMessageIsWrappedAgainOnlyInAnotherLanguage) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
        t.step = Tutorial::kClosingStep;
        t.closingTime = 2100;
        game.frames(1);
        const auto* firstLines = t.wrappedText->lines.get();
        game.frames(3);
        EXPECT_EQ(t.wrappedText->lines.get(), firstLines);
        game.manager().setSettingChoice(1);
        game.frames(1);
        VMPtr<java::lang::String> message = game.manager().translations->at(1)->getText(Tutorial::kTextMessage);
        EXPECT_EQ(t.wrappedText->getText()->toUtf8(), message->toUtf8());
        VMPtr<kv::util::text::WrappedText> fresh = kv::util::text::WrappedText::_VM_new();
        fresh->_VM_init(VMPtr<kv::KvCanvas>(&game.manager()));
        fresh->wrap(t.wrappedText->font, message, t.wrappedText->width);
        ASSERT_EQ(t.wrappedText->getLineCount(), fresh->getLineCount());
        for (int32_t line = 0; line < fresh->getLineCount(); ++line)
            EXPECT_EQ(t.wrappedText->getLineStart(line), fresh->getLineStart(line)) << line;
        game.manager().setSettingChoice(0);
    });
}

// The pause button in step 1 lies in the walking-right zone: the press sets the right flag
// and pauses; after resuming the character walks on.
TEST(Tutorial, PauseButtonInStepOneSetsTheFlagAndPauses) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
        t.step = 1;
        game.tap(222, 302);
        game.frames(1);
        EXPECT_TRUE(t.rightFlag);
        EXPECT_EQ(t.state, Tutorial::kPauseMenu);
        game.savePng("tutorial/pause.png");
        game.tap(120, 132);
        game.frames(2);
        EXPECT_EQ(t.state, Tutorial::kPlaying);
    });
}

// The application's pause (the window losing focus) holds step 7's closing time; resumed
// from the pause menu, step 7 goes on.
TEST(Tutorial, TheApplicationsPauseHoldsStepSeven) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
        t.step = 7;
        game.frames(4);
        game.backend->input().focus(false);
        for (int i = 0; i < 200 && t.state != Tutorial::kPauseMenu; ++i) game.settle();
        EXPECT_EQ(t.state, Tutorial::kPauseMenu);
        const int32_t held = t.closingTime;
        game.frames(10);
        EXPECT_EQ(t.closingTime, held);
        game.backend->input().focus(true);
        for (int i = 0; i < 200 && !game.manager().isShownNow(); ++i) game.settle();
        game.tap(120, 132);
        game.frames(3);
        EXPECT_EQ(t.state, Tutorial::kPlaying);
        EXPECT_EQ(t.step, 7);
        EXPECT_GT(t.closingTime, held);
    });
}

// From the menu, quit's yes goes back to the menu with the saved record untouched, and the
// release of the tap that opened the question does not answer it; restart asks for the
// tutorial again and stores nothing.
TEST(Tutorial, QuitFromTheMenuLeavesTheRecordAndRestartStoresNothing) {
    runTutorial(scene_id::kMenu, [](LevelGame& game, Tutorial& t) {
        const std::vector<int8_t> before = game.record(0);
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
    });
}

// Neither the release of the press that opened the quit question nor a drag of up to 5 px
// from it answers the question, wherever on the quit entry the press was.
TEST(Tutorial, TheQuitEntrysOwnReleaseOrSmallDragAnswersNothing) {
    std::vector<int32_t> states;
    runTutorial(scene_id::kMenu, [&](LevelGame& game, Tutorial& t) {
        VMPtr<kv::Paintable::BoxArray> entries = InGameObject::newBoxes(3);
        t.panelSet->getFrame(9)->getCollisionBoxes(0, entries, 1);
        const kv::graphics::CollisionBox* quit = entries->at(2);
        for (int32_t corner = 0; corner < 4; ++corner) {
            const int32_t x = 120 + quit->x + (corner % 2) * quit->width, y = 160 + quit->y + (corner / 2) * quit->height;
            for (const auto& [dx, dy] : {std::pair{0, 0}, {5, 5}, {-5, 5}, {5, -5}, {-5, -5}}) {
                t.state = Tutorial::kPauseMenu;
                game.press(x, y);
                game.frames(1);
                game.drag(x + dx, y + dy);
                game.frames(1);
                game.release(x + dx, y + dy);
                game.frames(1);
                states.push_back(t.state);
            }
        }
    });
    EXPECT_EQ(states, std::vector<int32_t>(20, Tutorial::kQuitQuestion));
}

// The played flag is on disk: the next start of the game finds it.
TEST(Tutorial, ThePlayedFlagOutlivesTheGame) {
    TemporaryFolder database;
    static std::string folder;
    folder = database.path();
    auto boot = [](void (*scenario)(GameDriver&)) {
        const pid_t child = fork();
        if (child == 0) {
            int code = 0;
            {
                LevelGame game;
                setenv("OSTREL_DATABASE_DIR", folder.c_str(), 1);
                code = game.run(scenario);
            }
            _exit(code != 0 || testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(boot([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        enterFrom(game, scene_id::kMenu);
        tutorial(game).step = 7;
        tutorial(game).closingTime = 2001;
        game.tap(120, 160);
        for (int frame = 0; frame < 100 && inTutorial(game); ++frame) game.frames(1);
        EXPECT_EQ(askedScenes.back(), scene_id::kMenu);
        game.manager().requestExit();
    }), 0);
    EXPECT_EQ(boot([](GameDriver& g) {
        g.start();
        EXPECT_EQ(g.record(0).at(1), 1);
        g.manager().requestExit();
    }), 0);
}

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(SpyTutorial, "test.SpyTutorial", "scene.Tutorial", VM_NO_CLINIT)
VM_DEFINE_CLASS_WITHOUT_FACTORY(SpyCharacter, "test.SpyCharacter", "InGameObject.Character", VM_NO_CLINIT)
