// The logo scene in the real application, booted headless on fake time with the game's own
// compiled content: 60 frames of 50 ms show it, the 61st ends it and asks for scene 14 in
// the same frame; a long frame ends it at the next update; the white clear covers the side
// panels; a pause leaves the timer alone; an emptied sequence moves on at the first paint;
// a logo that cannot load leads to the menu.
// The boot-to-scene-14 run saves its frames as PNGs (logo_frames/ in the test's folder).

#include <filesystem>
#include <fstream>

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/frontend/scene_Logo.h"
#include "tests/game/support/GameDriver.h"

namespace {

using namespace game_test;
using Image = javax::microedition::lcdui::Image;

// The driver with the compiled resource folder in place and a stand-in for scene 14.
class LogoGame : public GameDriver {
public:
    LogoGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc", std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        useScene(14);
    }
    scene::Logo& logo() { return *dynamic_cast<scene::Logo*>(manager().getScene().get()); }
};

// The smallest rectangle of pixels that are not white, as left, top, right, bottom.
std::array<int, 4> inkBounds(const std::vector<uint16_t>& frame, int width) {
    std::array<int, 4> box = {width, int(frame.size()) / width, -1, -1};
    for (size_t i = 0; i < frame.size(); ++i)
        if (frame[i] != 0xFFFF) {
            const int x = int(i) % width, y = int(i) / width;
            box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
        }
    return box;
}

TEST(Logo, TheSixtyFirstFrameEndsTheLogoAndItsPaintAsksForSceneFourteen) {
    LogoGame game;
    static std::vector<int32_t> ids;
    static int32_t timer = 0;
    static std::array<int, 4> ink;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LogoGame&>(g);
        game.start();
        std::filesystem::create_directories("logo_frames");
        for (int frame = 1; frame <= 61; ++frame) {
            game.frames(1);
            ids.push_back(game.sceneId());
            if (frame % 10 == 1 || frame >= 60) game.savePng("logo_frames/frame_" + std::to_string(frame) + ".png");
            if (frame == 60) {
                timer = game.logo().timer;
                ink = inkBounds(game.frame(), 240);
            }
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(timer, 3000);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 0), 60);
    EXPECT_EQ(ids.back(), 14);
    EXPECT_EQ(calls.front(), "14 init");
    // The whole logo is on screen at its end, centred: the animation's bounds, which the
    // scene centres, reach a few pixels above the last frame (the emblem's bounce).
    EXPECT_LE(std::abs((ink[0] + ink[2]) - 239), 2);
    EXPECT_LE(std::abs((ink[1] + ink[3]) - 319), 8);
    EXPECT_GT(ink[2] - ink[0], 120);
}

TEST(Logo, ALongFrameEndsTheSequenceAtTheNextUpdate) {
    LogoGame game;
    static int32_t timerAfter = 0, indexAfter = -1, sceneBefore = -1, sceneAfter = -1;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LogoGame&>(g);
        game.start();
        game.logo().update(5000);
        timerAfter = game.logo().timer;
        indexAfter = game.logo().index;
        sceneBefore = game.sceneId();
        game.frames(1);
        sceneAfter = game.sceneId();
        game.manager().requestExit();
    });
    EXPECT_EQ(timerAfter, 5000);
    EXPECT_EQ(indexAfter, 0);
    EXPECT_EQ(sceneBefore, 0);
    EXPECT_EQ(sceneAfter, 14);
}

TEST(Logo, TheWhiteClearCoversTheSidePanelsAlsoOnTheLastFrame) {
    LogoGame game;
    static std::vector<uint32_t> edges;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LogoGame&>(g);
        game.start();
        for (bool ended : {false, true}) {
            VMPtr<Image> wide = Image::createImage(320, 320, false, 0x000000);
            VMPtr<javax::microedition::lcdui::Graphics> graphics = wide->getGraphics();
            graphics->translate(40, 0);  // the game area between two 40 px side panels
            if (ended) game.logo().index = 1;
            game.logo().paint(graphics);
            VMPtr<VMArray<int32_t, 1>> pixel = VMArray<int32_t, 1>::_VM_new(1);
            for (int x : {0, 39, 280, 319}) {
                wide->getRGB(pixel, 0, 1, x, 0, 1, 1);
                edges.push_back(uint32_t(pixel->elements()[0]));
                wide->getRGB(pixel, 0, 1, x, 319, 1, 1);
                edges.push_back(uint32_t(pixel->elements()[0]));
            }
        }
        game.frames(1);
        game.manager().requestExit();
    });
    EXPECT_EQ(edges, std::vector<uint32_t>(16, 0xFFF8FCF8u));  // white, as the 16-bit screen keeps it
}

TEST(Logo, APauseKeepsTheTimer) {
    LogoGame game;
    static int32_t before = 0, after = 0, scene = -1;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LogoGame&>(g);
        game.start();
        game.frames(30);
        before = game.logo().timer;
        game.manager().loadStep(1);
        after = game.logo().timer;
        game.frames(31);
        scene = game.sceneId();
        game.manager().requestExit();
    });
    EXPECT_EQ(before, 1500);
    EXPECT_EQ(after, 1500);
    EXPECT_EQ(scene, 14);
}

TEST(Logo, AnEmptiedSequenceMovesOnAtTheFirstPaint) {
    LogoGame game;
    static int32_t scene = -1;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LogoGame&>(g);
        game.start();
        game.logo().sequence->clear();
        game.frames(1);  // the update finds no entry; the paint asks for scene 14
        scene = game.sceneId();
        game.manager().requestExit();
    });
    EXPECT_EQ(scene, 14);
}

TEST(Logo, TheSceneAfterTheLogoLoadsBehindTheLoadingPictureAndItsTurningIndicator) {
    LogoGame game;
    scripts[14].loadingUpdates = 3;
    static std::vector<uint16_t> first, second, loaded;
    game.run([](GameDriver& g) {
        g.start();
        g.frames(61);  // the logo's last frame asks for scene 14, which starts loading
        first = g.frame();
        std::filesystem::create_directories("logo_frames");
        g.savePng("logo_frames/loading.png");
        g.frames(2);  // 100 ms: the indicator's 80 ms step has passed
        second = g.frame();
        g.frames(2);
        loaded = g.frame();
        g.manager().requestExit();
    });
    const uint16_t black = 0;
    // The picture fills the screen (its top-left corner is not the black clear) and the
    // indicator's next step differs from its first; the loaded scene draws nothing.
    EXPECT_NE(first[0], black);
    EXPECT_NE(first, second);
    EXPECT_EQ(first[0], second[0]);
    EXPECT_NE(loaded, first);
}

TEST(Logo, AGobSetThatDoesNotLoadLeadsToTheMenu) {
    LogoGame game;
    // The gob set's image index now names an entry the part lacks: the set reads as null.
    std::fstream gobSet(game.folder / "rsc" / "RP1part2.rp", std::ios::in | std::ios::out | std::ios::binary);
    gobSet.write("\x03\xFF", 2);
    gobSet.close();
    static int32_t scene = -1;
    const int code = game.run([](GameDriver& g) {
        g.start();
        g.frames(1);
        scene = g.sceneId();
        g.manager().requestExit();
    });
    EXPECT_EQ(scene, 1);
    EXPECT_EQ(code, 0);
}

}  // namespace
