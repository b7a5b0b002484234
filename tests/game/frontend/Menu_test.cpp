// The main menu (scene 1) in the real application: the sixteen-update load, the entries
// wrapping both ways, a main entry carried out one update after it is chosen and an options
// entry at once, the arrows working only once the bar has opened, the select zone's release,
// and the quit question (yes ends the game with code 0, no returns to entry 0).

#include "src/game/frontend/scene_Menu.h"
#include "tests/game/frontend/FrontEndGame.h"

namespace {

using namespace front_test;
using scene::Menu;

// The bar's zones and the quit question's buttons in the game area.
constexpr int32_t kBarY = 292, kPreviousX = 24, kNextX = 216, kSelectX = 120;
constexpr int32_t kYesX = 74, kNoX = 166, kAnswerY = 249;

// Menu ready with the title played and the bar open.
Menu& openMenu(FrontEndGame& game) {
    game.startAt(1);
    game.frames(60);
    return game.scene<Menu>();
}

TEST(Menu, LoadsInExactlySixteenUpdates) {
    FrontEndGame game;
    static std::vector<int32_t> loading;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(1);  // the first update
        loading.push_back(game.scene<Menu>().isLoading());
        for (int i = 1; i < 16; ++i) {
            game.frames(1);
            loading.push_back(game.scene<Menu>().isLoading());
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(loading, (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
}

TEST(Menu, TheTitleFollowsTheLanguageAndNoneOutsideTheFive) {
    std::vector<int32_t> titles;
    for (int32_t language = -1; language <= 5; ++language) titles.push_back(Menu::titleAnimationFor(language));
    EXPECT_EQ(titles, (std::vector<int32_t>{-1, 0, 4, 3, 2, 1, -1}));
}

TEST(Menu, EntriesWrapAndAMainEntryIsCarriedOutAtTheNextUpdate) {
    FrontEndGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        Menu& menu = openMenu(game);
        game.key(kLeft);
        seen.push_back(menu.cursor);  // 0 -> 5
        game.key(kRight);
        seen.push_back(menu.cursor);  // 5 -> 0
        for (int i = 0; i < 3; ++i) game.key(kRight);
        game.frames(1);
        menu.handleKeys();            // no key pressed since the last frame: nothing
        game.manager().keyPressed(kFire);
        game.frames(1);
        menu.handleKeys();
        seen.push_back(menu.state);   // entry 3 chosen
        seen.push_back(game.manager().pendingSceneId);
        game.manager().keyReleased(kFire);
        game.frames(1);
        seen.push_back(game.sceneId());  // about
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{5, 0, Menu::kChosen, ui::SceneManager::kNoScene, 6}));
}

TEST(Menu, AnOptionsEntryIsCarriedOutAtOnce) {
    FrontEndGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        Menu& menu = openMenu(game);
        game.key(kRight);
        game.key(kFire);
        game.frames(1);
        seen.push_back(menu.state);  // options
        game.key(kLeft);
        seen.push_back(menu.optionCursor);  // 0 -> 2, back
        game.key(kFire);
        seen.push_back(menu.state);
        seen.push_back(menu.cursor);
        game.key(kFire);
        game.frames(1);
        game.key(kRight);
        game.manager().keyPressed(kFire);
        game.frames(1);
        menu.handleKeys();
        seen.push_back(game.manager().pendingSceneId);  // audio, asked for inside the call
        game.manager().keyReleased(kFire);
        game.frames(1);
        seen.push_back(game.sceneId());
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{Menu::kOptions, 2, Menu::kMain, 1, 13, 13}));
}

TEST(Menu, ArrowsWaitForTheOpenBarAndTheSelectReleaseChangesSceneAnUpdateLater) {
    FrontEndGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(1);
        game.frames(15);
        Menu& menu = game.scene<Menu>();
        while (menu.title->update(0)) game.frames(1);  // the title ends; the bar starts opening
        game.frames(1);
        seen.push_back(menu.bar->getAnimation());
        game.pointer(1, kNextX, kBarY - 6);  // a press on the rising bar's arrow
        seen.push_back(menu.cursor);
        game.frames(10);
        seen.push_back(menu.bar->getAnimation());
        game.pointer(1, kNextX, kBarY);  // now it moves
        game.pointer(3, kNextX, kBarY);  // a release on the arrow chooses nothing
        game.pointer(1, kPreviousX, kBarY);
        game.pointer(1, kPreviousX, kBarY);
        seen.push_back(menu.cursor);  // 0 -> 1 -> 0 -> 5
        game.pointer(1, kPreviousX, kBarY);
        game.pointer(3, kSelectX, kBarY);  // entry 4, help: chosen
        seen.push_back(menu.state);
        seen.push_back(game.sceneId());
        game.frames(1);
        seen.push_back(game.sceneId());
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 0, 1, 5, Menu::kChosen, 1, 10}));
}

TEST(Menu, TheQuitQuestionAnswersNoToEntryZeroAndYesEndsTheGame) {
    FrontEndGame game;
    static std::vector<int32_t> seen;
    static bool questionShown = false;
    const int code = game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        Menu& menu = openMenu(game);
        auto ask = [&] {
            game.key(kLeft);
            game.key(kFire);
            seen.push_back(menu.state);
        };
        ask();
        game.key(kSoftLeft);
        seen.push_back(menu.quitChoice);  // yes selected, not answered
        game.frames(1);
        questionShown = game.showsSomething();
        game.pointer(2, kNoX, kAnswerY);  // a drag on no answers it
        seen.push_back(menu.state);
        seen.push_back(menu.cursor);
        ask();
        seen.push_back(menu.quitChoice);  // kept from the last question
        game.key(kRight);
        game.key(kFire);  // no, by key
        seen.push_back(menu.cursor);
        ask();
        game.pointer(1, kYesX, kAnswerY);  // a press on yes ends the game
        seen.push_back(game.manager().isLoopEnding());
    });
    EXPECT_TRUE(questionShown);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(seen, (std::vector<int32_t>{Menu::kQuitQuestion, 1, Menu::kMain, 0, Menu::kQuitQuestion, 1, 0,
                                          Menu::kQuitQuestion, 1}));
}

}  // namespace
