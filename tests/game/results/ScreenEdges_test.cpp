// The screens' edges: the buy rule at and below the price (keys, action 20 and the zone),
// the button shown only when affordable, wrapping, input while loading (the shop's keys and
// presses, touches on the result and game-over choices), overlapping zones in their order,
// flags other than 1 shown locked, a drag across a result zone, and a result for a stage
// outside 0..4.

#include "content/ContentIds.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/results/ScreenParts.h"
#include "tests/game/results/ResultsGame.h"

namespace {

using namespace results_test;

constexpr int32_t kUp = -1, kDown = -2, kLeft = -3, kRight = -4, kFire = -5, kAction20 = -9;

void press(ResultsGame& g, int32_t keyCode) {
    g.manager().keyPressed(keyCode);
    g.frames(1);
    g.manager().getScene()->handleKeys();
    g.manager().keyReleased(keyCode);
    g.frames(1);
}

// The pixels of the game area's rectangle.
std::vector<uint16_t> region(ResultsGame& g, int x, int y, int w, int h) {
    const std::vector<uint16_t> frame = g.frame();
    std::vector<uint16_t> out;
    for (int row = y; row < y + h; ++row)
        out.insert(out.end(), frame.begin() + row * 240 + x, frame.begin() + row * 240 + x + w);
    return out;
}

Bytes shopRecord(int money) {
    Bytes r = ui::progress::newRecord(0);
    r[0] = int8_t(money);
    r[3] = 1;  // item 1 for sale at 2
    return r;
}

TEST(ScreenEdges, BelowThePriceNothingBuysAndNoButtonShowsAtThePriceTheMoneyGoesToZero) {
    ResultsGame game;
    static std::vector<int32_t> seen;
    static Bytes below, exact;
    static bool buttonOnlyWhenAffordable = false;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        g.writeRecord(0, shopRecord(1));
        g.show(8);
        auto* shop = &g.scene<scene::Shop>();
        const auto owned = region(g, 140, 276, 92, 36);
        press(g, kDown);
        const auto poor = region(g, 140, 276, 92, 36);
        press(g, kFire);
        press(g, kAction20);
        g.tapFrameBox(shop->shopSet->getFrame(19), 0, 0, 240, 320);
        seen = {shop->cursor, shop->money};
        below = g.record(0);
        shop->money = 2;
        g.frames(1);
        buttonOnlyWhenAffordable = poor == owned && region(g, 140, 276, 92, 36) != owned;
        g.writeRecord(0, shopRecord(2));
        g.show(8);
        shop = &g.scene<scene::Shop>();
        press(g, kDown);
        press(g, kFire);
        seen.push_back(shop->money);
        exact = g.record(0);
        press(g, kUp);
        press(g, kUp);
        seen.insert(seen.end(), {shop->cursor, shop->character->weapon});  // 0 back to 6, the weapon too
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 1, 0, 6, 6}));
    EXPECT_EQ(below, shopRecord(1));
    EXPECT_TRUE(buttonOnlyWhenAffordable);
    EXPECT_EQ(exact[0], 0);
    EXPECT_EQ(exact[3], 0);
}

TEST(ScreenEdges, InputWhileLoadingChangesNothingAndOverlappingZonesActInOrder) {
    ResultsGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        g.manager().changeScene(8);
        g.frames(3);
        auto* shop = &g.scene<scene::Shop>();
        g.tap(g.manager().getGameX() + 54, g.manager().getGameY() + 294);  // where the back button will be
        g.frames(2);
        press(g, kDown);
        seen = {g.sceneId(), shop->cursor, shop->state};
        g.frames(16);
        // The back zone moved over the previous-item zone: the arrow, tested first, wins.
        VMPtr<kv::Paintable::BoxArray> arrows = kv::Paintable::BoxArray::_VM_new(1);
        arrows->set(0, kv::graphics::CollisionBox::_VM_new()->_VM_init());
        shop->background->getCollisionBoxes(0, arrows, 2);
        shop->backPlayer->setX(arrows->at(0)->x + 120 + 112 - 4);
        shop->backPlayer->setY(arrows->at(0)->y + 160 - 116 - 4);
        g.tapFrameBox(shop->background, 2, 0, 120, 160);
        seen.insert(seen.end(), {g.sceneId(), shop->cursor});
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{8, 0, 0, 8, 6}));
}

// Asks for the result (12) or game-over (20) screen, whose panel is frame `panelFrame` of the
// panel set, and taps its two choice zones by turns while it loads: seven taps, a press and
// a release each, handled in loading frames 1 to 14; then the fifteenth frame and the first
// shown one pass without input.
void tapChoicesWhileLoading(ResultsGame& g, int32_t id, int32_t panelFrame) {
    VMPtr<kv::Frame> panel = results::loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS)->getFrame(panelFrame);
    g.manager().changeScene(id);
    for (int32_t i = 0; i < 7; ++i) g.tapPanelZone(panel, i % 2);
    g.frames(2);
}

TEST(ScreenEdges, TouchesOnTheResultAndGameOverChoicesWhileTheyLoadDoNothing) {
    ResultsGame game;
    static std::vector<int32_t> seen;
    static Bytes lostBefore, lostAfter;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        g.manager().storeResult(0, 3, 1, 0, 1, 0, 4, 10);  // stage 1's boss won
        tapChoicesWhileLoading(g, 12, 14);
        // Still shown, and next has not stored stage 2 as the one to play.
        seen = {g.sceneId(), g.record(0)[15], g.stage()};
        if (g.sceneId() != 12) return g.manager().requestExit();
        seen.push_back(g.scene<scene::Result>().state);
        g.tapPanelZone(g.scene<scene::Result>().panelFrame, 1);  // loaded: next acts
        seen.insert(seen.end(), {g.sceneId(), g.stage()});
        g.manager().storeResult(1, 4, 3, 0, 0, 0, 6, 30);  // stage 3's level lost
        lostBefore = g.record(0);
        tapChoicesWhileLoading(g, 20, 13);
        seen.push_back(g.sceneId());
        lostAfter = g.record(0);
        if (g.sceneId() != 20) return g.manager().requestExit();
        seen.push_back(g.scene<scene::GameOver>().state);
        g.tapPanelZone(g.scene<scene::GameOver>().panelFrame, 1);  // loaded: retry acts
        seen.push_back(g.sceneId());
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{12, 1, 1, 1, 2, 2, 20, 1, 2}));
    EXPECT_EQ(lostAfter, lostBefore);
}

TEST(ScreenEdges, OnlyFlagOneCountsAsWonAndTheCursorWraps) {
    ResultsGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        Bytes r = ui::progress::newRecord(0);
        r[9] = 1, r[10] = 2, r[11] = 0, r[12] = 1;
        g.writeRecord(0, r);
        g.show(3);
        auto& screen = g.scene<scene::Achievement>();
        for (int i = 0; i < 4; ++i)
            for (int frame : {14, 15, 16, 17, 18})
                if (screen.pictures->at(i) == screen.shopSet->getFrame(frame).get()) seen.push_back(frame);
        press(g, kUp);
        seen.push_back(screen.cursor);
        press(g, kDown);
        press(g, kLeft);
        seen.insert(seen.end(), {screen.cursor, g.sceneId()});
        press(g, kRight);
        seen.push_back(g.sceneId());
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{15, 14, 14, 18, 3, 0, 3, 7}));
}

TEST(ScreenEdges, ADragIntoAResultZoneActsAndGameOverKeysRetry) {
    ResultsGame game;
    static std::vector<int32_t> seen;
    static std::vector<std::string> times;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        g.manager().storeResult(1, 0, 2, 0, 1, 0, 9, 0);
        g.show(12);
        const int32_t x = g.manager().getGameX(), y = g.manager().getGameY();
        g.backend->input().pointerDown(x + 10, y + 10);
        g.settle();
        g.frames(1);
        seen.push_back(g.sceneId());
        g.backend->input().pointerMove(x + 70, y + 264);  // over the continue zone
        g.settle();
        g.frames(1);
        seen.push_back(g.sceneId());
        g.backend->input().pointerUp(x + 70, y + 264);
        g.settle();
        g.frames(1);
        g.manager().storeResult(0, 0, 3, 0, 0, 0, 9, 0);
        g.show(20);
        press(g, kAction20);
        seen.push_back(g.sceneId());
        Bytes r = g.record(0);
        r[15] = 7, r[16] = 1;  // a boss result with no such stage: retry does nothing
        g.writeRecord(0, r);
        g.show(20);
        press(g, kAction20);
        seen.push_back(g.sceneId());
        times = {results::timeText(0, 7, 5)->toUtf8(), results::timeText(0, 12, 3)->toUtf8(), results::timeText(100, 59, 0)->toUtf8()};
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{12, 7, 2, 20}));
    EXPECT_EQ(times, (std::vector<std::string>{"00:07:05", "00:12:03", "100:59:00"}));
}

// A result whose stage byte names no stage (written after the start-up check, as a damaged
// save would read later) is an error that leads to the menu: nothing is settled or written.
TEST(ScreenEdges, AResultForAStageOutsideZeroToFourLeadsToTheMenuAndWritesNothing) {
    ResultsGame game;
    static std::vector<std::string> failures;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        for (int stage : {5, 7, -3, 127}) {
            Bytes r0 = g.record(0);
            r0[14] = 10, r0[15] = int8_t(stage), r0[16] = 1;
            g.writeRecord(0, r0);
            const Bytes r1 = g.record(1);
            askedScenes.clear();
            g.show(12);
            const std::string name = "stage " + std::to_string(stage) + ": ";
            if (askedScenes != std::vector<int32_t>{12, 1}) failures.push_back(name + "not led to the menu");
            if (g.record(0) != r0 || g.record(1) != r1) failures.push_back(name + "the records changed");
            if (!g.record(2).empty()) failures.push_back(name + "a pending win was stored");
        }
        g.manager().requestExit();
    });
    EXPECT_EQ(failures, std::vector<std::string>{});
}

}  // namespace
