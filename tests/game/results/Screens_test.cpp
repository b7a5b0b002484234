// The four screens in the real application on the compiled content, driven by taps at the
// centres of their compiled zones: a first clear settles and leads to the map, the shop
// buys with the saved money, the achievements show what was won, a lost level is retried,
// the last stage leads to the ending and next starts the following stage.

#include "tests/game/results/ResultsGame.h"

namespace {

using namespace results_test;

constexpr int kMoney = 0, kItems = 2, kAchievements = 9, kResult = 13;

// What a boss level leaves in record 0 as it is won: hurt, earned, stage, cleared, h, m, s.
void bossWon(ResultsGame& g, int hurt, int earned, int stage, int h, int m, int s) {
    g.manager().storeResult(hurt, earned, stage, 0, 1, h, m, s);
}

TEST(Screens, AFirstClearSettlesOnceShowsItsUnlocksAndContinuesToTheMap) {
    ResultsGame game;
    static Bytes r0, r1, r0Later;
    static bool listed[3];
    static int32_t mark = -1, after = -1;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        bossWon(g, 0, 10, 0, 0, 3, 40);
        g.show(12);
        auto& result = g.scene<scene::Result>();
        r0 = g.record(0);
        r1 = g.record(1);
        mark = result.stageMark;
        listed[0] = result.stageOpened, listed[1] = result.itemUnlocked, listed[2] = result.achievementUnlocked;
        g.shoot("result_three_unlocks");
        g.frames(30);
        r0Later = g.record(0);
        g.tapPanelZone(result.panelFrame, 0);
        after = g.sceneId();
        g.manager().requestExit();
    });
    EXPECT_EQ(mark, 3);
    EXPECT_EQ(r1[1], 1);
    EXPECT_EQ(r1[5], 3);
    EXPECT_EQ((Bytes{r1[10], r1[15], r1[20]}), (Bytes{0, 3, 40}));
    EXPECT_EQ((Bytes(r0.begin() + kItems, r0.begin() + kItems + 3)), (Bytes{0, 1, 1}));
    EXPECT_EQ((Bytes(r0.begin() + kAchievements, r0.begin() + kAchievements + 4)), (Bytes{0, 0, 1, 0}));
    EXPECT_EQ(r0[kMoney], 10);
    EXPECT_TRUE(listed[0] && listed[1] && listed[2]);
    EXPECT_EQ(r0Later, r0);  // settled once
    EXPECT_EQ(after, 7);
}

TEST(Screens, TheShopBuysWithTheSavedMoneyAndTheAchievementsShowWhatWasWon) {
    ResultsGame game;
    static int32_t shownMoney = -1, afterShop = -1, afterAchievements = -1, cursorAfterWrap = -1, weaponAfterWrap = -1;
    static Bytes r0;
    static std::vector<int32_t> pictures;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        bossWon(g, 0, 10, 0, 0, 3, 40);
        g.show(12);
        g.tapPanelZone(g.scene<scene::Result>().panelFrame, 0);
        g.show(8);
        auto* shop = &g.scene<scene::Shop>();
        g.shoot("shop_owned");
        g.tapFrameBox(shop->background, 2, 1, 120, 160);  // next: item 1
        g.tapFrameBox(shop->background, 2, 1, 120, 160);  // item 2
        g.shoot("shop_for_sale");
        g.tapFrameBox(shop->shopSet->getFrame(19), 0, 0, 240, 320);  // buy item 2 for 3
        g.shoot("shop_bought");
        g.tapFrameBox(shop->background, 2, 0, 120, 160);  // previous: item 1
        g.tapFrameBox(shop->shopSet->getFrame(19), 0, 0, 240, 320);  // buy item 1 for 2
        g.tapFrameBox(shop->background, 2, 1, 120, 160);
        g.tapFrameBox(shop->background, 2, 1, 120, 160);  // item 3: locked
        g.shoot("shop_locked");
        for (int i = 0; i < 4; ++i) g.tapFrameBox(shop->background, 2, 1, 120, 160);
        cursorAfterWrap = shop->cursor;  // past item 6 to item 0
        weaponAfterWrap = shop->character->weapon;
        shownMoney = shop->money;
        r0 = g.record(0);
        VMPtr<kv::graphics::CollisionBox> back = kv::graphics::CollisionBox::_VM_new();
        back->_VM_init();
        shop->backPlayer->getCollisionBox(back);
        g.tapBox(back.get(), 0, 0);
        afterShop = g.sceneId();
        g.show(3);
        auto& achievements = g.scene<scene::Achievement>();
        for (int i = 0; i < 4; ++i) pictures.push_back(achievements.pictures->at(i) == achievements.shopSet->getFrame(15 + i).get());
        g.shoot("achievements_first");
        g.tapFrameBox(achievements.background, 2, 1, 0, 160);
        g.tapFrameBox(achievements.background, 2, 1, 0, 160);
        g.shoot("achievements_untouched");
        back->_VM_init();
        achievements.backPlayer->getCollisionBox(back);
        g.tapBox(back.get(), 0, 0);
        afterAchievements = g.sceneId();
        g.manager().requestExit();
    });
    EXPECT_EQ(shownMoney, 5);
    EXPECT_EQ(r0[kMoney], 5);
    EXPECT_EQ((Bytes(r0.begin() + kItems, r0.begin() + kItems + 4)), (Bytes{0, 0, 0, 2}));
    EXPECT_EQ(cursorAfterWrap, 0);
    EXPECT_EQ(weaponAfterWrap, 0);
    EXPECT_EQ(afterShop, 7);
    EXPECT_EQ(pictures, (std::vector<int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(afterAchievements, 7);
}

TEST(Screens, ALostNormalLevelIsRetriedFromAFreshResultAndALostBossAsItWasLeft) {
    ResultsGame game;
    static Bytes normalRetry, bossBefore, bossAfter, mapBefore, mapAfter;
    static std::vector<int32_t> scenes;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        g.manager().storeResult(1, 4, 1, 0, 0, 0, 12, 3);  // a lost normal level of stage 1
        g.show(20);
        g.shoot("game_over");
        g.tapPanelZone(g.scene<scene::GameOver>().panelFrame, 1);
        scenes.push_back(g.sceneId());
        normalRetry = g.record(0);
        g.manager().storeResult(1, 0, 2, 0, 1, 0, 6, 0);  // a lost boss of stage 2
        bossBefore = g.record(0);
        g.show(20);
        g.tapPanelZone(g.scene<scene::GameOver>().panelFrame, 1);
        scenes.push_back(g.sceneId());
        bossAfter = g.record(0);
        g.show(20);
        mapBefore = g.record(1);
        mapBefore.insert(mapBefore.end(), bossAfter.begin(), bossAfter.end());
        g.tapPanelZone(g.scene<scene::GameOver>().panelFrame, 0);
        scenes.push_back(g.sceneId());
        mapAfter = g.record(1);
        const Bytes r0 = g.record(0);
        mapAfter.insert(mapAfter.end(), r0.begin(), r0.end());
        g.manager().requestExit();
    });
    EXPECT_EQ(scenes, (std::vector<int32_t>{2, 17, 7}));
    EXPECT_EQ((Bytes(normalRetry.begin() + kResult, normalRetry.end())), (Bytes{0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(bossAfter, bossBefore);
    EXPECT_EQ(mapAfter, mapBefore);
}

TEST(Screens, TheLastStageLeadsToTheEndingAndNextStartsTheFollowingStage) {
    ResultsGame game;
    static std::vector<int32_t> seen;
    static Bytes nextResult;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        g.start();
        g.frames(1);
        bossWon(g, 1, 0, 4, 0, 9, 0);
        g.show(12);
        g.shoot("result_new_weapon");
        g.tapPanelZone(g.scene<scene::Result>().panelFrame, 0);
        seen = {g.sceneId(), g.manager().storyMode};
        g.manager().storyMode = 0;
        bossWon(g, 1, 0, 4, 0, 9, 0);
        g.show(12);
        g.shoot("result_nothing_new");
        g.tapPanelZone(g.scene<scene::Result>().panelFrame, 1);
        seen.insert(seen.end(), {g.sceneId(), g.manager().storyMode});
        bossWon(g, 1, 0, 1, 0, 9, 0);
        g.show(12);
        g.tapPanelZone(g.scene<scene::Result>().panelFrame, 1);
        seen.push_back(g.sceneId());
        nextResult = g.record(0);
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{11, 2, 11, 2, 2}));
    EXPECT_EQ((Bytes(nextResult.begin() + kResult, nextResult.end())), (Bytes{0, 0, 2, 0, 0, 0, 0}));
}

}  // namespace
