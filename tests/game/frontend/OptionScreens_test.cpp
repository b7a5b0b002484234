// The option screens (scenes 14, 13 and 9) in the real application: the staged load, the
// language moves that wrap and switch the text table at once, sound applied only on
// confirm, each screen's pages and where confirming leads, and the touch zones.

#include "src/game/frontend/scene_Audio.h"
#include "src/game/frontend/scene_FirstOption.h"
#include "src/game/frontend/scene_Language.h"
#include "tests/game/frontend/FrontEndGame.h"

namespace {

using namespace front_test;
using scene::OptionPages;

// Centres of the panel's zones in the game area: previous, next, confirm.
constexpr int32_t kPreviousX = 44, kNextX = 196, kArrowY = 156, kConfirmX = 120, kConfirmY = 208;

TEST(OptionScreens, LoadInSixteenUpdatesIgnoringInputAndDrawingNothing) {
    FrontEndGame game;
    static std::vector<int32_t> loading;
    static bool sawInput = false, paintedWhileLoading = true;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(14);
        auto& options = game.scene<scene::FirstOption>();
        loading.push_back(options.isLoading());  // after the first update
        for (int32_t update = 2; update <= 16; ++update) {
            if (update == 8) game.key(kRight);
            else if (update == 9) game.pointer(1, kNextX, kArrowY);
            else game.frames(1);
            if (update == 9) {
                sawInput = options.languageCursor != 0 || game.manager().languageIndex != 0;
                paintedWhileLoading = paintChangesPixels(options);
            }
            loading.push_back(options.isLoading());
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(std::count(loading.begin(), loading.end(), 1), int(loading.size()) - 1);
    EXPECT_EQ(loading.back(), 0);
    EXPECT_FALSE(sawInput);
    EXPECT_FALSE(paintedWhileLoading);
}

TEST(OptionScreens, LanguageMovesWrapAndTheNextFrameSpeaksTheNewLanguage) {
    FrontEndGame game;
    static std::vector<int32_t> languages;
    static bool englishDiffersFromItalian = false, backToEnglishSame = false;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(14);
        game.frames(15);
        const std::vector<uint16_t> english = game.frame();
        game.key(kLeft);  // 0 -> 4
        languages.push_back(game.manager().languageIndex);
        game.frames(1);
        englishDiffersFromItalian = game.frame() != english;
        game.key(kRight);  // 4 -> 0
        languages.push_back(game.manager().languageIndex);
        game.tapAt(kPreviousX, kArrowY);  // 0 -> 4 by touch
        languages.push_back(game.manager().languageIndex);
        game.tapAt(kNextX, kArrowY);
        languages.push_back(game.manager().languageIndex);
        game.frames(1);
        backToEnglishSame = game.frame() == english;
        game.manager().requestExit();
    });
    EXPECT_EQ(languages, (std::vector<int32_t>{4, 0, 4, 0}));
    EXPECT_TRUE(englishDiffersFromItalian);
    EXPECT_TRUE(backToEnglishSame);
}

// Per screen: the page it opens on, what confirming the language page does, and the page
// and scene after confirming the sound page (by key or touch).
struct ScreenRoad {
    int32_t id;
    int32_t firstPage;
    int32_t afterLanguageConfirm;  // page 2, or -1: the scene changed to the menu
};

struct Road {
    ScreenRoad screen;
    bool byTouch;
};

class OptionRoads : public testing::TestWithParam<Road> {};

TEST_P(OptionRoads, EachScreenOpensOnItsPageAndConfirmsToTheMenu) {
    static std::vector<std::string> failures;
    static Road road;
    road = GetParam();
    FrontEndGame game;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(road.screen.id);
        game.frames(15);
        auto& screen = dynamic_cast<OptionPages&>(*game.manager().getScene());
        if (screen.state != road.screen.firstPage) failures.push_back("opens on " + std::to_string(screen.state));
        auto confirm = [&] {
            road.byTouch ? game.tapAt(kConfirmX, kConfirmY) : game.key(kFire);
            game.frames(1);
        };
        if (screen.state == OptionPages::kLanguagePage) {
            confirm();
            const int32_t after = game.sceneId() == 1 ? -1 : dynamic_cast<OptionPages&>(*game.manager().getScene()).state;
            if (after != road.screen.afterLanguageConfirm) failures.push_back("language confirm gave " + std::to_string(after));
        }
        if (game.sceneId() != 1) {
            auto& page = dynamic_cast<OptionPages&>(*game.manager().getScene());
            road.byTouch ? game.tapAt(kNextX, kArrowY) : game.key(kLeft);
            if (page.soundOn || !game.manager().mediaManager->isSoundEnabled())
                failures.push_back("the sound switch moved before the confirm");
            confirm();
            if (game.sceneId() != 1 || game.manager().mediaManager->isSoundEnabled())
                failures.push_back("the confirm did not apply sound off and lead to the menu");
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(failures, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(OptionScreens, OptionRoads,
                         testing::Values(Road{{14, 1, 2}, false}, Road{{14, 1, 2}, true}, Road{{13, 2, 2}, false},
                                         Road{{13, 2, 2}, true}, Road{{9, 1, -1}, false}, Road{{9, 1, -1}, true}));

TEST(OptionScreens, OnlyPressesInsideAZoneAct) {
    FrontEndGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(9);
        game.frames(15);
        game.pointer(2, kNextX, kArrowY);  // drag
        game.pointer(3, kNextX, kArrowY);  // release
        game.pointer(1, 120, 30);          // press above the panel
        game.pointer(1, kNextX + 23, kArrowY);  // just right of the next arrow's right edge
        seen.push_back(game.manager().languageIndex);
        game.pointer(1, kNextX + 22, kArrowY);  // on its right edge: inside
        seen.push_back(game.manager().languageIndex);
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 1}));
}

}  // namespace
