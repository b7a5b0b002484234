// The story scene in the real application on the compiled content: each story plays to its
// end and asks for its next scene; the closing player waits for all the others; input
// changes nothing; the ending paints over what is on the screen; the load is shared by
// update and paint. Frames of each story are saved as PNGs (story_frames/).

#include <filesystem>

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/frontend/scene_Story.h"
#include "tests/game/support/GameDriver.h"
#include "tests/kv/AnimSupport.h"

namespace {

using namespace game_test;
using Image = javax::microedition::lcdui::Image;

class StoryGame : public GameDriver {
public:
    StoryGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        for (int32_t next : {2, 7, 19}) useScene(next);
    }
    // Boots to the logo, then opens the story of the mode (the change applies at the next frame).
    void openStory(int32_t mode) {
        start();
        manager().storyMode = mode;
        manager().changeScene(11);
    }
    scene::Story& story() { return *dynamic_cast<scene::Story*>(manager().getScene().get()); }
};

// A set of its own: animation 0 ends after 200 ms, 1 after 300 ms, 2 after 100 ms; frames 0
// and 1 draw nothing, frame 2 a 4 x 4 red gob at the anchor.
VMPtr<kv::AnimSet> timingSet() {
    using namespace kvtest;
    AnimSetModel model;
    model.frames = {AnimFrame{}, AnimFrame{}, AnimFrame{{AnimModule{0, 0, 0, 0}}, {}}};
    model.animations = {Animation{{AnimStep{0, 100}, AnimStep{1, 100}}, 1}, Animation{{AnimStep{1, 300}}, 1},
                        Animation{{AnimStep{2, 100}}, 1}};
    VMPtr<kv::AnimSet> set = readSet(model);
    set->setGobs(gobArray({pixelGob(4, 4, 0, 0, std::vector<int32_t>(16, int32_t(0xFFFF0000)))}));
    return set;
}

int32_t pixelAt(const VMPtr<Image>& image, int32_t x, int32_t y) {
    VMPtr<VMArray<int32_t, 1>> pixel = VMArray<int32_t, 1>::_VM_new(1);
    image->getRGB(pixel, 0, 1, x, y, 1, 1);
    return pixel->elements()[0] & 0xFFFFFF;
}

// Red and green as the 16-bit screen keeps them.
constexpr int32_t kRed = 0xF80000, kGreen = 0x00FC00;

struct Road {
    int32_t mode, next;
    const char* name;
};

class EachStory : public ::testing::TestWithParam<Road> {};

TEST_P(EachStory, PlaysToItsEndThenAsksForItsNextScene) {
    StoryGame game;
    static Road road;
    road = GetParam();
    static int32_t length = 0, framesPlayed = 0, sceneAfter = -1;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StoryGame&>(g);
        game.openStory(road.mode);
        game.frames(8);  // sixteen load steps, two a frame
        auto& story = game.story();
        EXPECT_EQ(story.state, 1);
        const int32_t last = story.players->length - 1;
        int32_t others = 0;
        for (int32_t i = 0; i < last; ++i) others = std::max(others, story.players->at(i)->getAnimationDuration());
        length = others + story.players->at(last)->getAnimationDuration();
        const std::string folder = std::string("story_frames/") + road.name;
        std::filesystem::create_directories(folder);
        while (g.sceneId() == 11 && framesPlayed < 2000) {
            g.frames(1);
            if (framesPlayed == 0 || framesPlayed == length / 100 || framesPlayed == length / 50 - 2)
                g.savePng(folder + "/frame_" + std::to_string(framesPlayed) + ".png");
            ++framesPlayed;
        }
        sceneAfter = g.sceneId();
        g.manager().requestExit();
    });
    EXPECT_GE(length, 10000);
    EXPECT_LE(length, 25000);
    EXPECT_EQ(sceneAfter, road.next);
    // The closing player starts in the frame after the others have ended.
    EXPECT_NEAR(framesPlayed * 50, length, 100) << road.name;
}

INSTANTIATE_TEST_SUITE_P(Story, EachStory,
                         ::testing::Values(Road{1, 2, "introduction"}, Road{2, 7, "ending"}, Road{3, 19, "lead_in"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Story, TheClosingPlayerIsNeitherDrawnNorAdvancedBeforeAllOthersHaveEnded) {
    StoryGame game;
    static std::vector<std::string> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StoryGame&>(g);
        game.openStory(1);
        game.frames(8);
        auto& story = game.story();
        VMPtr<kv::AnimSet> set = timingSet();
        for (int32_t i = 0; i < 3; ++i) story.players->set(i, kvtest::player(set, i));
        story.players->at(2)->setX(10);
        story.players->at(2)->setY(10);
        VMPtr<Image> screen = Image::createImage(240, 320, false, kGreen);
        for (int32_t t = 50; t <= 400; t += 50) {
            story.update(50);
            story.paint(screen->getGraphics());
            seen.push_back(std::to_string(t) + ": " + std::to_string(story.players->at(2)->getElapsedTime()) + " " +
                           (pixelAt(screen, 11, 11) == kRed ? "drawn" : "-"));
            if (g.manager().pendingSceneId != ui::SceneManager::kNoScene) break;
        }
        g.manager().requestExit();
    });
    // Player 1 ends at 300 ms: the closing player moves from that frame on, is drawn from
    // then, and its end (100 ms later) asks for the level.
    EXPECT_EQ(seen, (std::vector<std::string>{"50: 0 -", "100: 0 -", "150: 0 -", "200: 0 -", "250: 0 -", "300: 50 drawn",
                                              "350: 100 drawn"}));
}

TEST(Story, TheEndingLeavesWhatWasUnderItsFrameAndTheOthersClearToBlack) {
    StoryGame game;
    static std::vector<int32_t> corners;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StoryGame&>(g);
        for (int32_t mode : {2, 1}) {
            if (mode == 2) game.openStory(2);
            else {
                g.manager().storyMode = 1;
                g.manager().changeScene(11);
                g.frames(1);
            }
            game.frames(8);
            auto& story = game.story();
            VMPtr<kv::AnimSet> set = timingSet();
            for (int32_t i = 0; i < story.players->length; ++i) story.players->set(i, kvtest::player(set, 2));
            VMPtr<Image> screen = Image::createImage(240, 320, false, kGreen);
            story.paint(screen->getGraphics());
            corners.push_back(pixelAt(screen, 0, 0));
            corners.push_back(pixelAt(screen, 120, 160));
        }
        g.manager().requestExit();
    });
    // The ending: the red gob drawn at (0, 0), the green under it kept; the introduction
    // clears to black first.
    EXPECT_EQ(corners, (std::vector<int32_t>{kRed, kGreen, kRed, 0x000000}));
}

TEST(Story, TapsAndKeysChangeNothing) {
    StoryGame game;
    static std::vector<int32_t> elapsed;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StoryGame&>(g);
        game.openStory(3);
        game.frames(8);
        auto& story = game.story();
        for (int i = 0; i < 5; ++i) {
            g.tap(120 + i, 160);
            g.manager().keyPressed(-5);
            story.handleKeys();
            g.frames(1);
            g.manager().keyReleased(-5);
        }
        for (int32_t i = 0; i < story.players->length; ++i) elapsed.push_back(story.players->at(i)->getElapsedTime());
        elapsed.push_back(g.sceneId());
        g.manager().requestExit();
    });
    // Five frames of 50 ms played, as without input; the closing player waits.
    EXPECT_EQ(elapsed, (std::vector<int32_t>{250, 250, 250, 250, 0, 11}));
}

TEST(Story, UpdateAndPaintShareTheSixteenLoadStepsTwoAFrame) {
    StoryGame game;
    static std::vector<int32_t> steps;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StoryGame&>(g);
        game.openStory(1);
        for (int i = 0; i < 9; ++i) {
            g.frames(1);
            auto& story = game.story();
            steps.push_back(story.state == 1 ? 100 + story.loadStep : story.loadStep);
        }
        g.manager().requestExit();
    });
    // The first frame takes steps 0 and 15 (the sequence loaded), then two a frame: ready
    // on the eighth frame, the sixteenth step.
    EXPECT_EQ(steps, (std::vector<int32_t>{14, 12, 10, 8, 6, 4, 2, 101, 101}));
}

TEST(Story, AnUnknownModeLoadsNothingAndLeavesForTheMapAtItsFirstUpdate) {
    StoryGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        g.start();
        g.manager().storyMode = 5;
        VMPtr<scene::Story> story = scene::Story::_VM_new();
        story->_VM_init(VMPtr<ui::SceneManager>(&g.manager()));
        VMPtr<Image> screen = Image::createImage(240, 320, false, kGreen);
        story->paint(screen->getGraphics());
        story->load();
        seen = {story->loadStep, story->state, int32_t(story->storySet.isNull()), pixelAt(screen, 5, 5)};
        story->update(50);
        seen.push_back(g.manager().pendingSceneId);
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 0, 1, 0x00FC00, 7}));
}

}  // namespace
