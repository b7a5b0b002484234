// The scene manager in the real application, booted headless by the test game driver:
// start-up records, scene changes and their order, failures in scene calls, game actions,
// touch in game-area coordinates, the music of the game scenes and the saved progress.

#include <chrono>
#include <set>
#include <span>
#include <thread>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "src/game/foundation/ResourceIds.h"
#include "tests/game/support/GameDriver.h"
#include "tests/hal/audio/AudioFixtures.h"
#include "tests/kv/KvTestSupport.h"
#include "tools/packwriter/GlyphFontEncoder.h"
#include "tools/packwriter/PackWriter.h"
#include "tools/packwriter/TranslationEncoder.h"

namespace {

using namespace game_test;
using Record = std::vector<int8_t>;
using Calls = std::vector<std::string>;

const Record kNew0 = {0, 0, 0, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Record kNew1 = {1, 0, 0, 0, 0, -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

Record record(GameDriver& game, int32_t slot) {
    VMPtr<VMArray<int8_t, 1>> bytes = game.manager().loadRecord(slot);
    return bytes ? Record(bytes->elements(), bytes->elements() + bytes->length) : Record{};
}

void store(GameDriver& game, int32_t slot, const Record& bytes) {
    VMPtr<VMArray<int8_t, 1>> array = VMArray<int8_t, 1>::_VM_new(int32_t(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), array->elements());
    game.manager().saveRecord(slot, array);
}

[[noreturn]] void fail() { vm::throwNew<java::lang::RuntimeException>(VMPtr<java::lang::String>::fromLiteral("broken")); }

ui::SceneManager& managerOf() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }

TEST(SceneManager, TheFirstRunCreatesBothRecordsAndBuildsSceneZero) {
    GameDriver game;
    useScene(0);
    static Record first0, first1;
    EXPECT_EQ(game.run([](GameDriver& g) {
                  g.start();
                  first0 = record(g, 0);
                  first1 = record(g, 1);
                  g.frames(2);
                  g.manager().requestExit();
              }),
              0);
    EXPECT_EQ(first0, kNew0);
    EXPECT_EQ(first1, kNew1);
    EXPECT_EQ(calls, (Calls{"0 init", "0 update", "0 paint", "0 update", "0 paint"}));
}

// A font of one glyph, 'A', whose advance tells the fonts apart.
packwriter::GlyphFont oneGlyphFont(int32_t advance) {
    packwriter::GlyphFont font;
    font.metrics = {.height = 8, .baseline = 7, .missingAdvance = 3, .lineHeight = 9};
    font.glyphs.push_back({.code = u'A', .width = 4, .height = 6, .argb = std::vector<uint32_t>(24, 0xFFFFFFFF),
                           .advance = advance});
    return font;
}

TEST(SceneManager, TheStartUpLoadingMakesTheTwoFontsAndTheFiveTextTables) {
    GameDriver game;
    std::vector<packwriter::Entry> part(9);
    for (int32_t i = 0; i < 2; ++i) {
        const packwriter::EncodedFont font = packwriter::encodeGlyphFont(oneGlyphFont(6 + 3 * i));
        part[size_t(i)] = {packwriter::encodeGobSet({.imageIndex = 2 + i, .gobs = font.gobs}), -1};
        part[size_t(2 + i)] = {packwriter::encodeSheetPng(font.sheet), -3};
    }
    for (int32_t language = 0; language < 5; ++language)
        part[size_t(res::kTranslations[language] & 0x3FF)] = {
            packwriter::encodeTranslation({"text of table " + std::to_string(res::kTranslations[language])}), -1};
    int32_t total = 0;
    for (const packwriter::Entry& entry : part) total += int32_t(entry.bytes.size());
    packwriter::writeSplitPart((game.folder / "rsc").string(), res::kFontTitleGobs >> 10, part, {total});
    useScene(0);
    static std::vector<std::string> seen;
    game.run([](GameDriver& g) {
        g.start();
        ui::SceneManager& m = g.manager();
        const auto letter = VMPtr<java::lang::String>::fromLiteral("A");
        for (int32_t i = 0; i < 2; ++i) seen.push_back(std::to_string(m.fonts->at(i)->stringWidth(letter)));
        for (int32_t i = 0; i < 5; ++i) seen.push_back(m.translations->at(i)->getText(0)->toUtf8());
        m.requestExit();
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"6", "9", "text of table 7172", "text of table 7173", "text of table 7175",
                                              "text of table 7174", "text of table 7176"}));
}

TEST(SceneManager, MissingFontsAndTextTablesAreReplacedAndTheGameStarts) {
    GameDriver game;
    useScene(0);
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        g.start();
        ui::SceneManager& m = g.manager();
        seen = {m.fonts->length, m.fonts->at(0)->glyphs.isNull(), m.fonts->at(1)->glyphs.isNull(),
                m.translations->length, m.translations->at(4)->count, g.sceneId(), m.getScene().isNull()};
        m.requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{2, 1, 1, 5, 0, 0, 0}));
}

TEST(SceneManager, ARecordSlotKeepsDataOfAnyLengthAcrossSaves) {
    GameDriver game;
    useScene(0);
    static std::vector<bool> same;
    game.run([](GameDriver& g) {
        for (size_t length : {9000u, 10u, 0u, 4096u}) {
            Record data(length);
            for (size_t i = 0; i < length; ++i) data[i] = int8_t(i * 7 + length);
            store(g, 3, data);
            same.push_back(record(g, 3) == data);
        }
        same.push_back(g.manager().loadRecord(4).isNull());
        g.manager().requestExit();
    });
    EXPECT_EQ(same, (std::vector<bool>{true, true, true, true, true}));
}

TEST(SceneManager, CorruptAndShortRecordsAreRepairedBeforeTheFirstScene) {
    GameDriver game;
    useScene(0);
    static Record repaired0, repaired1;
    static int32_t stage = -1;
    game.run([](GameDriver& g) {
        store(g, 0, {50, 1, 0, 1, 3, -7});
        store(g, 1, {1, 0, 1, 0, 0, 9, 3});
        g.start();
        repaired0 = record(g, 0);
        repaired1 = record(g, 1);
        stage = g.manager().stage;
        g.manager().requestExit();
    });
    EXPECT_EQ(repaired0, (Record{50, 1, 0, 1, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(repaired1, (Record{1, 1, 1, 0, 0, -1, 3, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(stage, 0);
}

TEST(SceneManager, ChangesFromUpdateAndPaintApplyInTheSameFrameAfterTheCallingSceneEnds) {
    GameDriver game;
    static std::vector<int32_t> seenByTwo;
    useScene(0, {.update = [] {
                     managerOf().setGameArea(200, 300);
                     managerOf().changeScene(2);
                     calls.push_back("0 update goes on");
                 }});
    useScene(2, {.init =
                     [] {
                         ui::SceneManager& m = managerOf();
                         seenByTwo = {m.getGameWidth(), m.getGameHeight(), m.getGameX(), m.getPreviousSceneId()};
                     },
                 .paint =
                     [] {
                         managerOf().changeScene(3);
                         calls.push_back("2 paint goes on");
                     }});
    useScene(3);
    static int32_t sceneAfter = -1, previousAfter = -1;
    game.run([](GameDriver& g) {
        g.start();
        g.frames(1);
        sceneAfter = g.sceneId();
        previousAfter = g.manager().getPreviousSceneId();
        g.manager().requestExit();
    });
    EXPECT_EQ(calls, (Calls{"0 init", "0 update", "0 update goes on", "0 dispose", "2 init", "2 paint",
                            "2 paint goes on", "2 dispose", "3 init"}));
    EXPECT_EQ(seenByTwo, (std::vector<int32_t>{240, 320, 0, 0}));
    EXPECT_EQ(sceneAfter, 3);
    EXPECT_EQ(previousAfter, 2);
}

// Which call of scene 2 fails; scene 0 changes to 2 on its first update, scene 2 to 3 on its
// first update (so that its dispose runs).
struct FailingCall {
    const char* name;
    SceneScript script;
    bool needsTap;
};

TEST(SceneManager, AFailureInAnySceneCallLeadsToTheMenu) {
    const std::vector<FailingCall> table = {
        {"init", {.init = fail}, false},
        {"update", {.update = fail}, false},
        {"paint", {.paint = fail}, false},
        {"pointer", {.pointer = fail}, true},
        {"dispose", {.update = [] { managerOf().changeScene(3); }, .dispose = fail}, false},
    };
    for (const FailingCall& failing : table) {
        SCOPED_TRACE(failing.name);
        EXPECT_EXIT(
            {
                GameDriver game;
                useScene(0, {.update = [] { managerOf().changeScene(2); }});
                useScene(1);
                useScene(2, failing.script);
                useScene(3);
                static bool tap = failing.needsTap;
                static int32_t scene = -1;
                game.run([](GameDriver& g) {
                    g.start();
                    g.frames(1);
                    if (tap) g.tap(10, 10);
                    g.frames(3);
                    scene = g.sceneId();
                    g.manager().requestExit();
                });
                const bool menuRuns = std::count(calls.begin(), calls.end(), "1 paint") >= 1;
                std::exit(scene == 1 && menuRuns ? 0 : 2);
            },
            testing::ExitedWithCode(0), "");
    }
}

TEST(SceneManager, WhenTheMenuFailsOrThereIsNoneTheGameEndsWithExitCodeOne) {
    EXPECT_EXIT(
        {
            GameDriver game;
            useScene(0, {.update = [] { managerOf().changeScene(1); }});
            useScene(1, {.update = fail});
            std::exit(game.run([](GameDriver& g) {
                g.start();
                g.frames(5);
                if (!g.manager().isLoopEnding()) g.manager().requestExit();
            }));
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            GameDriver game;
            useScene(0, {.paint = fail});
            std::exit(game.run([](GameDriver& g) {
                g.start();
                g.frames(5);
                if (!g.manager().isLoopEnding()) g.manager().requestExit();
            }));
        },
        testing::ExitedWithCode(1), "");
}

TEST(SceneManager, AnIdWithoutASceneClassLeadsToTheMenu) {
    GameDriver game;
    useScene(0, {.update = [] { managerOf().changeScene(5); }});
    useScene(1);
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        g.start();
        g.frames(2);
        seen = {g.sceneId(), g.manager().getPreviousSceneId()};
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 5}));
    EXPECT_EQ(calls, (Calls{"0 init", "0 update", "0 dispose", "1 init", "1 paint", "1 update", "1 paint"}));
}

TEST(SceneManager, AnIdWithoutASceneClassLeavesNoSceneWhileThereIsNoMenu) {
    GameDriver game;
    gameFactories[1] = nullptr;  // the game's own menu is linked in
    wrapSceneTable();
    useScene(0, {.update = [] { managerOf().changeScene(5); }});
    ui::setSceneFactory(1, nullptr);  // the game's own menu is linked in: take it out
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        g.start();
        g.frames(3);
        g.tap(5, 5);
        g.frames(1);
        seen = {g.sceneId(), g.manager().getScene().isNull(), g.manager().isLoopEnding(),
                kv::input::PointerInputEventManager::pendingCount()};
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{5, 1, 0, 0})) << "touches without a scene are dropped";
}

// The key codes the canvas receives, and the game actions each one presses.
struct KeyActions {
    int32_t keyCode;
    std::set<int32_t> actions;
};

TEST(SceneManager, EveryGameActionReadsItsKeysPressedSinceTheLastSnapshotAndHeld) {
    GameDriver game;
    useScene(0);
    static std::vector<std::string> failures;
    game.run([](GameDriver& g) {
        g.start();
        std::vector<KeyActions> table = {
            {-1, {10}}, {-24, {10}}, {'W', {10}}, {'2', {2, 10}},  {-2, {11}}, {'S', {11}}, {'8', {8, 11}},
            {-3, {12}}, {'A', {12}}, {'4', {4, 12}}, {-4, {13}},   {'D', {13}}, {'6', {6, 13}}, {-5, {14}},
            {-28, {14}}, {' ', {14}}, {'5', {5, 14}}, {-6, {15, 19}}, {'Y', {19}}, {-7, {16, 20}}, {-9, {20}},
            {'P', {20}}, {'0', {0}},  {'1', {1}},   {'3', {3}},    {'7', {7}},  {'9', {9}},    {'*', {17}},
            {'#', {17}}, {'Q', {}},
        };
        ui::SceneManager& m = g.manager();
        auto check = [&](const std::string& what, int32_t code, const std::set<int32_t>& pressed,
                         const std::set<int32_t>& held) {
            for (int32_t action = -1; action <= 22; ++action) {
                const bool wantPressed = pressed.count(action) || (action == 17 && !pressed.empty()),
                           wantHeld = held.count(action) > 0 && action != 17;
                if (m.isActionPressed(action) != wantPressed || m.isActionHeld(action) != wantHeld)
                    failures.push_back(what + " key " + std::to_string(code) + " action " + std::to_string(action));
            }
        };
        for (const KeyActions& row : table) {
            m.keyPressed(row.keyCode);
            g.frames(1);
            check("down", row.keyCode, row.actions, row.actions);
            g.frames(1);
            check("still down", row.keyCode, {}, row.actions);
            m.keyReleased(row.keyCode);
            g.frames(1);
            check("up", row.keyCode, {}, {});
            m.keyPressed(row.keyCode);
            m.keyReleased(row.keyCode);
            g.frames(1);
            check("tapped between frames", row.keyCode, row.actions, row.actions);
        }
        // One key through the window: the arrow up is the phone's up key.
        g.keyDown(host::kVkUp);
        g.frames(1);
        if (!m.isActionPressed(10) || !m.isActionHeld(10)) failures.push_back("window key up");
        g.keyUp(host::kVkUp);
        g.frames(1);
        if (m.isActionHeld(10)) failures.push_back("window key up released");
        m.requestExit();
    });
    EXPECT_EQ(failures, std::vector<std::string>{});
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "0 keys"), 0);
}

TEST(SceneManager, TouchReachesTheSceneInGameAreaCoordinatesOneEventAFrame) {
    GameDriver game;
    useScene(0, {.init = [] { managerOf().setGameArea(200, 300); }});
    static std::vector<int32_t> offsets;
    game.run([](GameDriver& g) {
        g.start();
        offsets = {g.manager().getGameX(), g.manager().getGameY(), g.manager().getViewOffsetX(),
                   g.manager().getViewOffsetY()};
        g.tap(120, 160);
        g.tap(20, 10);
        g.frames(1);
        const size_t afterOne = pointerEvents.size();
        g.frames(4);
        offsets.push_back(int32_t(afterOne));
        g.manager().requestExit();
    });
    EXPECT_EQ(offsets, (std::vector<int32_t>{20, 10, 20, 10, 1}));
    EXPECT_EQ(pointerEvents, (std::vector<std::array<int32_t, 3>>{{1, 100, 150}, {3, 100, 150}, {1, 0, 0}, {3, 0, 0}}));
}

TEST(SceneManager, WhatASceneDrawsIsWhereItIsTouchedWithACentredGameArea) {
    GameDriver game;
    static const std::string picture = (game.folder / "frame.png").string();
    useScene(0, {.init = [] { managerOf().setGameArea(200, 300); },
                 .paint = [] {
                     auto* scene = static_cast<TestScene*>(managerOf().getScene().get());
                     scene->graphics->setColor(0x00FF00);
                     scene->graphics->fillRect(10, 20, 30, 40);
                 }});
    static std::vector<uint16_t> frame;
    game.run([](GameDriver& g) {
        g.start();
        g.frames(1);
        g.tap(20 + 10, 10 + 20);        // the rectangle's top left corner on the screen
        g.tap(20 + 39, 10 + 59);        // and its bottom right pixel
        g.frames(4);
        frame = g.frame();
        g.savePng(picture);
        g.manager().requestExit();
    });
    auto at = [](int x, int y) { return frame[size_t(y) * 240 + size_t(x)]; };
    EXPECT_EQ(at(30, 30), 0x07E0);
    EXPECT_EQ(at(59, 69), 0x07E0);
    EXPECT_EQ(at(29, 30), 0);
    EXPECT_EQ(at(60, 70), 0);
    EXPECT_EQ(at(5, 5), 0) << "the side panels are black";
    EXPECT_EQ(pointerEvents, (std::vector<std::array<int32_t, 3>>{{1, 10, 20}, {3, 10, 20}, {1, 39, 59}, {3, 39, 59}}));
    std::ifstream png(picture, std::ios::binary);
    std::string signature(8, '\0');
    png.read(signature.data(), 8);
    EXPECT_EQ(signature, std::string("\x89PNG\r\n\x1A\n", 8));
}

TEST(SceneManager, GameScenesPlayTheirMusicOnceLoadedAndStopItWhilePausedAndOnAChange) {
    GameDriver game;
    std::vector<packwriter::Entry> music(21);
    for (packwriter::Entry& entry : music) entry.bytes = audio_test::noteFile(5000);
    music[5].bytes = audio_test::constantWav(500, 44100);  // an effect
    packwriter::writeTablePart((game.folder / "rsc").string(), res::kMusicStage[0] >> 10, music);
    useScene(0, {.update = [] { managerOf().changeScene(2); }});
    useScene(2, {.loadingUpdates = 2});
    useScene(15);
    static std::vector<int32_t> playing;
    static std::vector<bool> sounds;
    static const int32_t stage0Music = res::kMusicStage[0], effect = res::kMusicStage[0] + 5;
    game.run([](GameDriver& g) {
        kv::MediaManager* media = nullptr;
        auto sample = [&] { playing.push_back(media->isMusicPlaying() ? media->getMusicId() : -1); };
        g.start();
        media = g.manager().mediaManager.get();
        g.frames(1);  // scene 2 is built
        g.frames(2);  // loading
        sample();
        g.frames(1);
        sample();
        scripts[2].paused = true;
        g.frames(1);
        sample();
        scripts[2].paused = false;
        g.frames(1);
        sample();
        scripts[2].update = [] { managerOf().changeScene(15); };
        g.frames(1);  // scene 2 asks for the change in its update
        sample();
        g.frames(1);
        sample();
        media->setSoundEnabled(false);
        sample();
        media->playMusic(stage0Music);
        media->playEffect(effect);
        sample();
        sounds.push_back(media->effects->at(0) != nullptr);
        media->setSoundEnabled(true);
        media->playEffect(effect);
        sounds.push_back(media->effects->at(0)->getState() == javax::microedition::media::Player::STARTED);
        media->setMuted(true);
        sounds.push_back(media->isSoundEnabled() || media->effects->at(0) != nullptr);
        g.manager().requestExit();
    });
    const int32_t stage0 = res::kMusicStage[0], boss1 = res::kMusicBoss[0];
    EXPECT_EQ(playing, (std::vector<int32_t>{-1, stage0, -1, stage0, -1, boss1, -1, -1}));
    EXPECT_EQ(sounds, (std::vector<bool>{false, true, false})) << "no sound while off, an effect plays, muting stops it";
}

// A scene that pauses while handling a touch (its pause button) has its music stopped in
// that same frame, before the pause menu is painted; it starts again once the scene plays.
TEST(SceneManager, MusicStopsInTheFrameTheSceneIsPausedByATouch) {
    GameDriver game;
    std::vector<packwriter::Entry> music(1);
    music[0].bytes = audio_test::noteFile(5000);
    packwriter::writeTablePart((game.folder / "rsc").string(), res::kMusicStage[0] >> 10, music);
    useScene(0, {.update = [] { managerOf().changeScene(2); }});
    useScene(2, {.pointer = [] { scripts[2].paused |= kv::input::PointerInputEventManager::getStaticFlag() == 1; }});
    static std::vector<bool> playing;
    game.run([](GameDriver& g) {
        kv::MediaManager* media = nullptr;
        g.start();
        media = g.manager().mediaManager.get();
        g.frames(2);
        playing.push_back(media->isMusicPlaying());
        g.tap(30, 40);
        g.frames(1);
        playing.push_back(media->isMusicPlaying());
        scripts[2].paused = false;
        g.frames(1);
        playing.push_back(media->isMusicPlaying());
        g.manager().requestExit();
    });
    EXPECT_EQ(playing, (std::vector<bool>{true, false, true}));
}

// The levels' tunes follow the stage the manager keeps; the tutorial stores no stage, so its
// tune is chosen by its id alone, and each boss has its own.
TEST(SceneManager, MusicIsChosenByIdAndOnlyTheNormalLevelReadsTheKeptStage) {
    GameDriver game;
    useScene(0);
    static std::vector<std::vector<int32_t>> chosen;
    game.run([](GameDriver& g) {
        g.start();
        for (int32_t kept = 0; kept < 5; ++kept) {
            g.manager().stage = kept;
            std::vector<int32_t> row;
            for (int32_t id : {scene_id::kNormalLevel, scene_id::kTutorial, scene_id::kBoss1, scene_id::kBoss1 + 4})
                row.push_back(g.manager().musicFor(id));
            chosen.push_back(row);
        }
        g.manager().requestExit();
    });
    ASSERT_EQ(chosen.size(), 5u);
    for (int32_t kept = 0; kept < 5; ++kept)
        EXPECT_EQ(chosen[kept], (std::vector<int32_t>{res::kMusicStage[kept], res::kMusicStage[0], res::kMusicBoss[0],
                                                      res::kMusicBoss[4]}))
            << "stage " << kept;
}

TEST(SceneManager, EverySavedProgressOperationChangesItsBytesAndSavesAtOnce) {
    GameDriver game;
    useScene(0);
    static std::vector<std::string> failures;
    game.run([](GameDriver& g) {
        g.start();
        ui::SceneManager& m = g.manager();
        auto expect = [&](const std::string& what, bool ok) {
            if (!ok) failures.push_back(what);
        };
        auto at = [&](int32_t slot, int32_t index) { return record(g, slot)[size_t(index)]; };

        m.storeResult(1, 120, 3, 123456789, 1, 2, 3, 4);
        expect("storeResult", record(g, 0) == Record{0, 0, 0, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 1, 99, 3, 1, 2, 3, 4});
        expect("storeResult keeps the stage", m.stage == 3);
        expect("storeResult refuses stage 5",
               !kvtest::thrown([&] { m.storeResult(0, 0, 5, 0, 0, 0, 0, 0); }).empty() && at(0, 15) == 3);
        m.setTutorialDone();
        expect("setTutorialDone", at(0, 1) == 1);
        store(g, 0, [&] { Record r = record(g, 0); r[0] = 80; return r; }());
        m.addSavedCounter(30);
        expect("addSavedCounter caps at 99", at(0, 0) == 99);
        m.addSavedCounter(-120);
        expect("addSavedCounter stops at 0", at(0, 0) == 0);
        m.setSavedCounter(150);
        expect("setSavedCounter caps at 99", at(0, 0) == 99);
        m.setSavedCounter(-3);
        expect("setSavedCounter stops at 0", at(0, 0) == 0);
        expect("unlockItem of a locked item", m.unlockItem(3) && at(0, 5) == 1);
        expect("unlockItem again", !m.unlockItem(3) && at(0, 5) == 1);
        m.markItemBought(4);
        expect("markItemBought of a locked item", at(0, 6) == 2);
        m.markItemBought(3);
        expect("markItemBought", at(0, 5) == 0 && at(0, 12) == 0);
        for (int32_t item = 1; item < 7; ++item) m.unlockItem(item), m.markItemBought(item);
        expect("all items bought grants achievement 3", at(0, 12) == 1);
        expect("unlockAchievement", m.unlockAchievement(1) && at(0, 10) == 1);
        expect("unlockAchievement again", !m.unlockAchievement(1));
        expect("openStage", m.openStage(2) && at(1, 2) == 1);
        expect("openStage again", !m.openStage(2));
        m.setStageMark(1, 3);
        expect("setStageMark", at(1, 6) == 3);
        m.storeBestTime(0, 0, 5, 0);
        expect("first best time", at(1, 15) == 5);
        m.storeBestTime(0, 0, 6, 0);
        expect("slower time kept out", at(1, 15) == 5);
        m.storeBestTime(0, 0, 4, 59);
        expect("faster time stored", at(1, 15) == 4 && at(1, 20) == 59);
        expect("marks not all two or three", !m.areAllStageMarksTwoOrThree(0));
        for (int32_t stage = 0; stage < 5; ++stage) m.setStageMark(stage, 2 + stage % 2);
        expect("marks two or three", m.areAllStageMarksTwoOrThree(0) && !m.areAllStageMarksThree(0));
        for (int32_t stage = 0; stage < 5; ++stage) m.setStageMark(stage, 3);
        expect("marks all three", m.areAllStageMarksThree(0));
        m.setSettingChoice(7);
        expect("setSettingChoice ignores 7", m.languageIndex == 0);
        VMPtr<VMArray<java::lang::String*, 1>> kept = VMArray<java::lang::String*, 1>::_VM_new(1);
        m.translations->at(0)->cachedTexts = kept;
        m.translations->at(3)->cachedTexts = kept;
        m.setSettingChoice(3);
        expect("setSettingChoice", m.languageIndex == 3);
        expect("the texts kept for the language left go", !m.translations->at(0)->cachedTexts && m.translations->at(3)->cachedTexts);
        m.requestExit();
    });
    EXPECT_EQ(failures, std::vector<std::string>{});
}

// Every record write, the start-up creation included, is told to the hook before it happens
// (the store still holds the old bytes) and after it (the store holds the image told).
struct Told {
    int32_t slot;
    Record image;
    bool written, stored;
    bool operator==(const Told&) const = default;
};
std::vector<Told> told;

void logImage(int32_t slot, std::span<const int8_t> image, bool written) {
    VMPtr<VMArray<int8_t, 1>> stored = managerOf().loadRecord(slot);
    const Record bytes(image.begin(), image.end());
    told.push_back({slot, bytes, written, stored && Record(stored->elements(), stored->elements() + stored->length) == bytes});
}

TEST(SceneManager, EveryRecordWriteIsToldToTheHookBeforeAndAfterWithItsImage) {
    GameDriver game;
    useScene(0);
    told.clear();
    ui::recordImageHook = &logImage;
    game.run([](GameDriver& g) {
        g.start();
        g.manager().setTutorialDone();
        g.manager().openStage(3);
        g.manager().requestExit();
    });
    ui::recordImageHook = nullptr;
    Record tutorialDone = kNew0, stageOpened = kNew1;
    tutorialDone[1] = 1;
    stageOpened[3] = 1;
    const std::vector<Told> expected = {{0, kNew0, false, false},       {0, kNew0, true, true},
                                        {1, kNew1, false, false},       {1, kNew1, true, true},
                                        {0, tutorialDone, false, false}, {0, tutorialDone, true, true},
                                        {1, stageOpened, false, false},  {1, stageOpened, true, true}};
    EXPECT_EQ(told, expected);
}

// The driver's frame timer is told each frame's scene (the one it ended in) and a wall time
// that covers the scene's paint.
std::vector<std::pair<int32_t, std::chrono::steady_clock::duration>> timedFrames;

TEST(SceneManager, TheDriversFrameTimerIsToldEachFramesSceneAndWallTime) {
    GameDriver game;
    static int updates = 0;
    updates = 0;
    useScene(0, {.update = [] {
                     if (++updates == 2) managerOf().changeScene(2);
                 }});
    useScene(2, {.paint = [] { std::this_thread::sleep_for(std::chrono::milliseconds(3)); }});
    timedFrames.clear();
    game.frameTimer = [](int32_t id, std::chrono::steady_clock::duration wallTime) { timedFrames.emplace_back(id, wallTime); };
    game.run([](GameDriver& g) {
        g.start();
        g.frames(3);
        g.manager().requestExit();
    });
    ASSERT_EQ(timedFrames.size(), 3u);
    EXPECT_EQ(timedFrames[0].first, 0);
    for (size_t frame : {1u, 2u}) {
        EXPECT_EQ(timedFrames[frame].first, 2) << frame;
        EXPECT_GE(timedFrames[frame].second, std::chrono::milliseconds(3)) << frame;
    }
}

}  // namespace
