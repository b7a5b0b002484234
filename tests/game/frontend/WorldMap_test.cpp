// The world map in the real application on the compiled content, with stand-ins for the
// scenes it leads to: what it reads of the saved progress, the arrows, the moves and their
// half-way switch, the keys, the three starts and what they store, what it paints and
// where, and which presses count. Zones are aimed at from the compiled boxes.

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "tests/game/frontend/MapGame.h"

namespace {

using namespace map_test;
using Image = javax::microedition::lcdui::Image;
using RichFont = kv::util::text::RichFont;

// Every string a wrapped font draws: "<font> <text> <x> <y> <anchor>".
std::vector<std::string> drawn;

class RecordingFont : public RichFont {
    VM_CLASS(RecordingFont, RichFont)
    VMPtr<RecordingFont> _VM_init(VMPtr<RichFont> real, int32_t index) {
        RichFont::_VM_init(real);
        font = index;
        return this;
    }
    void drawString(VMPtr<Graphics> g, VMPtr<String> s, int32_t x, int32_t y, int32_t anchor) override {
        drawn.push_back(std::to_string(font) + " " + s->toUtf8() + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(anchor));
        RichFont::drawString(g, s, x, y, anchor);
    }
    int32_t font = 0;
};

// The map with stand-ins for the scenes it leads to.
class StandInGame : public MapGame {
public:
    StandInGame() {
        for (int32_t id : {1, 2, 3, 4, 8, 11}) useScene(id);
    }
};

TEST(WorldMap, AFreshGameShowsOneStageAndNeitherBarZoneDoesAnything) {
    StandInGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(1));
        auto& map = game.map();
        seen = {map.state, map.openStageCount, map.selectedStage, map.arrowPlayer->getAnimation()};
        game.tapAt(game.nextZone());
        game.tapAt(game.previousZone());
        seen.insert(seen.end(), {map.state, map.selectedStage, g.sceneId()});
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 1, 0, 1, 1, 0, 7}));
}

TEST(WorldMap, TheArrowsFollowThePositionAndAreNotRestartedWhileUnchanged) {
    StandInGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(3));
        auto& map = game.map();
        for (int32_t stage : {0, 1, 2}) {
            map.selectedStage = stage;
            g.frames(1);
            const int32_t first = map.arrowPlayer->getElapsedTime();
            g.frames(3);
            seen.insert(seen.end(), {map.arrowPlayer->getAnimation(), map.arrowPlayer->getElapsedTime() - first});
        }
        g.manager().requestExit();
    });
    // Up only on the first stage, both in between, down only on the last; each kept playing.
    EXPECT_EQ(seen, (std::vector<int32_t>{2, 150, 4, 150, 3, 150}));
}

TEST(WorldMap, AMoveChangesStageAndPictureAtItsSwitchAndIgnoresPressesUntilItEnds) {
    StandInGame game;
    static std::vector<std::string> log;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(2));
        auto& map = game.map();
        const Point previous = game.previousZone(), next = game.nextZone(), menu = game.menuZone();
        for (Point zone : {previous, next}) {
            g.tap(zone.x, zone.y);
            g.frames(1);
            kv::Frame* picture = map.stagePicture.get();
            int32_t frames = 1, switchedAt = -1, pictureAt = -1, animationAt = -1;
            const int32_t firstHalf = map.transitionPlayer->getAnimation();
            while (map.state != 1 && frames < 400) {
                if (frames == 3) g.tap(zone.x, zone.y), g.tap(menu.x, menu.y);  // ignored mid-move
                const int32_t stage = map.selectedStage;
                g.frames(1);
                ++frames;
                if (switchedAt < 0 && map.selectedStage != stage) switchedAt = frames;
                if (pictureAt < 0 && map.stagePicture.get() != picture) pictureAt = frames;
                if (animationAt < 0 && map.transitionPlayer->getAnimation() != firstHalf) animationAt = frames;
            }
            log.push_back("first half " + std::to_string(firstHalf) + " switch " + std::to_string(switchedAt == animationAt) +
                          std::to_string(pictureAt == animationAt) + " late " + std::to_string(switchedAt > 2) + " stage " +
                          std::to_string(map.selectedStage) + " scene " + std::to_string(g.sceneId()));
            g.frames(2);  // the presses sent mid-move have been taken and ignored
        }
        g.manager().requestExit();
    });
    EXPECT_EQ(log, (std::vector<std::string>{"first half 3 switch 11 late 1 stage 0 scene 7",
                                             "first half 0 switch 11 late 1 stage 1 scene 7"}));
}

// A key code, and what handleKeys then shows: the state, the stage and the scene asked for.
struct KeyRow {
    std::vector<int32_t> keys;
    int32_t state, stage, scene;
};

TEST(WorldMap, KeysActInTheirOrderOnlyTheFirstMatchOnlyWhenReady) {
    StandInGame game;
    static std::vector<std::string> failures;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        const std::vector<KeyRow> table = {
            {{-1}, 1, 2, 7},         // up: no next stage on the last
            {{-1, -4}, 1, 2, 7},     // up with right: up was tested and ends the call
            {{-2}, 3, 2, 7},         // down: the move to the previous stage
            {{-4}, 1, 2, 8},         // right: the shop
            {{-3}, 1, 2, 3},         // left: the achievements
            {{-5}, 1, 2, 2},         // fire: the level of stage 2
            {{'3'}, 1, 2, 2},        {{-7}, 1, 2, 2},  // action 20 comes before 16
            {{'1'}, 1, 2, 1},        {{-6}, 1, 2, 1}, {{'Y'}, 1, 2, 1},
        };
        for (const KeyRow& row : table) {
            game.openMap(progress(3), 1);
            auto& map = game.map();
            for (int32_t key : row.keys) g.manager().keyPressed(key);
            g.frames(1);  // the frame's key snapshot
            map.handleKeys();
            const int32_t state = map.state, stage = map.selectedStage;
            for (int32_t key : row.keys) g.manager().keyReleased(key);
            g.frames(1);
            if (state != row.state || stage != row.stage || g.sceneId() != row.scene)
                failures.push_back("key " + std::to_string(row.keys[0]) + ": " + std::to_string(state) + " " +
                                   std::to_string(stage) + " " + std::to_string(g.sceneId()));
        }
        // During a move every key is ignored.
        game.openMap(progress(3), 1);
        for (int32_t key : {-2, -4}) {
            g.manager().keyPressed(key);
            g.frames(1);
            game.map().handleKeys();
            g.manager().keyReleased(key);
        }
        g.frames(1);
        if (game.map().state != 3 || g.sceneId() != 7) failures.push_back("a key during a move acted");
        g.manager().requestExit();
    });
    EXPECT_EQ(failures, std::vector<std::string>{});
}

// A start: open stages, the tutorial flag and the stage shown; the scene asked for and the
// story mode afterwards.
struct StartRow {
    int open;
    int8_t tutorialDone;
    int32_t scene, storyMode;
};

TEST(WorldMap, EachStartStoresTheStageThenOpensTutorialStoryOrLevel) {
    StandInGame game;
    static std::vector<std::string> results;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        for (const StartRow& row : std::vector<StartRow>{{1, 0, 4, 0}, {1, 1, 11, 1}, {3, 0, 2, 0}}) {
            game.start();
            g.manager().storyMode = 0;
            // A stale result block: the start replaces it.
            std::vector<int8_t> first = g.record(0);
            std::copy_n(std::vector<int8_t>{1, 9, 3, 1, 2, 3, 4}.begin(), 7, first.begin() + 13);
            g.writeRecord(0, first);
            std::vector<int8_t> saved = g.record(0);
            saved[1] = row.tutorialDone;
            game.writeRecord(1, progress(row.open));
            g.writeRecord(0, saved);
            g.manager().changeScene(7);
            g.frames(16);
            game.tapAt(game.startZone());
            const std::vector<int8_t> after = g.record(0);
            std::string block;
            for (int i = 13; i < 20; ++i) block += std::to_string(after[size_t(i)]);
            results.push_back(std::to_string(g.sceneId()) + " " + std::to_string(g.manager().storyMode) + " " + block +
                              " " + std::to_string(g.manager().stage));
        }
        g.manager().requestExit();
    });
    EXPECT_EQ(results, (std::vector<std::string>{"4 0 0000000 0", "11 1 0000000 0", "2 0 0020000 2"}));
}

TEST(WorldMap, MovesAndLeavingWriteNothing) {
    StandInGame game;
    static std::vector<int8_t> before0, before1, after0, after1;
    static int32_t scene = -1;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(2, {3, -1, -1, -1, -1}, {{0, 4, 2}}), 1);
        before0 = g.record(0);
        before1 = g.record(1);
        game.tapAt(game.previousZone());
        g.frames(60);
        game.tapAt(game.menuZone());
        scene = g.sceneId();
        after0 = g.record(0);
        after1 = g.record(1);
        g.manager().requestExit();
    });
    EXPECT_EQ(scene, 1);
    EXPECT_EQ(after0, before0);
    EXPECT_EQ(after1, before1);
}

TEST(WorldMap, NothingIsPaintedWhileLoading) {
    StandInGame game;
    static std::vector<int32_t> pixels;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        g.start();
        g.manager().changeScene(7);
        g.frames(1);
        VMPtr<Image> screen = Image::createImage(240, 320, false, 0x00FF00);
        game.map().paint(screen->getGraphics());
        VMPtr<VMArray<int32_t, 1>> all = VMArray<int32_t, 1>::_VM_new(240 * 320);
        screen->getRGB(all, 0, 240, 0, 0, 240, 320);
        std::set<int32_t> colours(all->elements(), all->elements() + all->length);
        pixels.assign(colours.begin(), colours.end());
        pixels.push_back(game.map().state);
        g.manager().requestExit();
    });
    EXPECT_EQ(pixels, (std::vector<int32_t>{int32_t(0xFF00FC00), 0}));
}

TEST(WorldMap, TheMarkAndTimeLineShowOnlyForAPlayedStageWithTwoDigitsEach) {
    StandInGame game;
    static std::vector<std::vector<std::string>> pages;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(3, {2, 7, -1, -1, -1}, {{0, 5, 9}, {1, 2, 3}}), 1);
        auto& map = game.map();
        VMPtr<VMArray<RichFont*, 1>> fonts = g.manager().fonts;
        for (int32_t i = 0; i < 2; ++i) {
            VMPtr<RecordingFont> font = RecordingFont::_VM_new();
            font->_VM_init(VMPtr<RichFont>(fonts->at(i)), i);
            fonts->set(i, font);
        }
        map.stageMarks->at(1) = 7;  // the records never hold it: the start-up repair keeps marks in -1..3
        VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
        for (int32_t stage : {2, 0, 1}) {
            map.selectedStage = stage;
            drawn.clear();
            map.paint(screen->getGraphics());
            pages.push_back(drawn);
        }
        g.manager().requestExit();
    });
    ASSERT_EQ(pages.size(), 3u);
    // Labels at the bottom bar's label points (y: point + 320 - half the body line), the
    // number at the badge, the mark centred on its point and the time a line and a half lower.
    // (The body font is 16 px high, the title font 20.)
    EXPECT_EQ(pages[0], (std::vector<std::string>{"1 Menu 59 290 1", "1 Play 181 290 1", "0 3 120 10 1"}));
    ASSERT_EQ(pages[1].size(), 5u);
    EXPECT_EQ(pages[1][3], "1 Great 120 190 1");
    EXPECT_EQ(pages[1][4], "1 Time  00:05:09 120 214 1");
    EXPECT_EQ(pages[2].at(3), "1 Ostrel 120 190 1");
    EXPECT_EQ(pages[2].at(4), "1 Time  01:02:03 120 214 1");
}

TEST(WorldMap, APressOnAZonesFarEdgeCountsAndDragsAndReleasesDoNothing) {
    StandInGame game;
    static std::vector<int32_t> scenes;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(1));
        VMPtr<kv::Paintable::BoxArray> boxes = kvtest::boxArray(2);
        game.map().bottomBar->getCollisionBoxes(0, boxes, 0);
        kv::graphics::CollisionBox* menu = boxes->at(0);
        const int32_t right = menu->x + menu->width + 120, bottom = menu->y + menu->height + 320;
        // A drag into the zone and a release inside it: nothing.
        g.press(120, 100);  // on the picture
        g.frames(1);
        g.drag(right, bottom);
        g.frames(1);
        g.release(right, bottom);
        g.frames(2);
        scenes.push_back(g.sceneId());
        g.tap(right + 1, bottom);  // one pixel outside
        g.frames(2);
        scenes.push_back(g.sceneId());
        g.tap(right, bottom);  // the far corner itself
        g.frames(2);
        scenes.push_back(g.sceneId());
        g.manager().requestExit();
    });
    EXPECT_EQ(scenes, (std::vector<int32_t>{7, 7, 1}));
}

TEST(WorldMap, APressInABarZoneAndACentreZoneAtOnceActsAsTheBarZone) {
    StandInGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(2));
        auto& map = game.map();
        const Point next = game.nextZone(), previous = game.previousZone();
        // Centre zones that cover the whole top bar (the centre player's origin is (120, 160)).
        kvtest::AnimSetModel model;
        model.frames = {kvtest::AnimFrame{{}, {kvtest::AnimBox{-120, -160, 240, 60, 0}, kvtest::AnimBox{-120, -160, 240, 60, 0}}}};
        model.animations = {kvtest::Animation{{kvtest::AnimStep{0, 100}}, -1}};
        map.centrePlayer->setAnimSet(kvtest::readSet(model));
        map.centrePlayer->setAnimation(0);
        game.tapAt(next);  // nowhere to go: the press ends there
        seen = {map.state, g.sceneId()};
        g.tap(previous.x, previous.y);
        g.frames(1);
        seen.insert(seen.end(), {map.state, g.sceneId()});
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 7, 3, 7}));
}

TEST(WorldMap, EveryLanguagesTextsFitTheirPlates) {
    StandInGame game;
    static std::vector<std::string> tooWide;
    game.run([](GameDriver& g) {
        auto& game = static_cast<StandInGame&>(g);
        game.openMap(progress(5, {0, 3, -1, -1, 2}, {{1, 22, 33}, {0, 5, 9}, {}, {}, {0, 59, 59}}), 1);
        auto& map = game.map();
        std::filesystem::create_directories("map_languages");
        VMPtr<kv::util::text::RichFont> body = g.manager().fonts->at(1);
        for (int32_t language = 0; language < 5; ++language) {
            g.manager().languageIndex = language;
            VMPtr<kv::util::text::Translation> texts = g.manager().translations->at(language);
            // The buttons' pills are 106 px wide, the mark plate 232 px with its rounded ends.
            for (int32_t id : {34, 56})
                if (body->stringWidth(texts->getText(id)) > 96) tooWide.push_back(texts->getText(id)->toUtf8());
            for (int32_t id : {20, 19, 15, 21, 35})
                if (body->stringWidth(texts->getText(id)) + 70 > 212) tooWide.push_back(texts->getText(id)->toUtf8());
            for (int32_t stage : language == 0 ? std::vector<int32_t>{4, 3, 2, 1, 0} : std::vector<int32_t>{1, 0}) {
                map.selectedStage = stage;
                map.loadStagePicture();
                map.stageMarks->at(0) = int8_t(language % 4);
                g.frames(1);
                g.savePng("map_languages/language" + std::to_string(language) + "_stage" + std::to_string(stage) + ".png");
            }
        }
        g.manager().requestExit();
    });
    EXPECT_EQ(tooWide, std::vector<std::string>{});
}

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(RecordingFont, "test.RecordingFont", "kv.util.text.RichFont", VM_NO_CLINIT)
