// The player's road through the front end on a fresh database, by taps only: the logo, the
// language and sound, the menu and every entry and back, and out through the quit question
// with exit code 0. Every screen on the way shows something. A second run saves each screen
// in each of the five languages as PNGs (frontend_frames/ in the test's folder), to look at.

#include <filesystem>

#include "src/game/frontend/scene_Menu.h"
#include "tests/game/frontend/FrontEndGame.h"

namespace {

using namespace front_test;
using scene::Menu;

// Zones in the game area: the option panel's arrows and confirm, the menu bar's arrows and
// select zone, the quit question's yes, help's back button, a level's pause button and quit entry.
constexpr int32_t kOptionNext[2] = {196, 156}, kOptionPrevious[2] = {44, 156}, kOptionConfirm[2] = {120, 208};
constexpr int32_t kBarNext[2] = {216, 292}, kBarSelect[2] = {120, 292}, kQuitYes[2] = {74, 249};
constexpr int32_t kHelpBack[2] = {59, 298}, kHelpNext[2] = {181, 298};
constexpr int32_t kPauseButton[2] = {222, 302}, kQuitEntry[2] = {120, 204};  // a level's

std::vector<std::string> steps;  // "<scene id> <language> <shows something>" per screen

void note(FrontEndGame& game) {
    steps.push_back(std::to_string(game.sceneId()) + " " + std::to_string(game.manager().languageIndex) +
                    (game.showsSomething() ? "" : " blank"));
}

void tap(FrontEndGame& game, const int32_t (&at)[2], int frames = 20) {
    game.tapAt(at[0], at[1]);
    game.frames(frames);
}

// From the menu: `moves` taps on the bar's next arrow, then a tap on the select zone.
void chooseEntry(FrontEndGame& game, int moves) {
    game.frames(50);  // loaded, title played, bar open
    for (int i = 0; i < moves; ++i) tap(game, kBarNext, 1);
    tap(game, kBarSelect);
    note(game);
}

TEST(FrontEndRoad, FromTheLogoThroughEveryEntryAndOutThroughQuit) {
    FrontEndGame game;
    steps.clear();
    const int code = game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.start();
        game.frames(30);
        note(game);
        game.frames(31 + 16);
        note(game);                       // the language page
        tap(game, kOptionNext);           // German
        note(game);
        tap(game, kOptionConfirm);        // the sound page
        tap(game, kOptionPrevious);       // off
        tap(game, kOptionConfirm);        // the menu
        game.frames(50);
        note(game);
        chooseEntry(game, 0);             // play: the world map
        tap(game, kHelpBack);             // its menu button, where help's back button is
        chooseEntry(game, 2);             // tutorial (still loading), left through its pause menu's quit and yes
        game.frames(40);
        tap(game, kPauseButton);
        tap(game, kQuitEntry);
        tap(game, kQuitYes);
        chooseEntry(game, 3);             // about
        tap(game, kOptionConfirm);
        chooseEntry(game, 4);             // help
        tap(game, kHelpNext);
        note(game);
        tap(game, kHelpBack);
        chooseEntry(game, 1);             // options: language
        tap(game, kBarSelect);
        note(game);
        tap(game, kOptionNext);           // French
        tap(game, kOptionConfirm);
        chooseEntry(game, 1);             // options: audio
        tap(game, kBarNext, 1);
        tap(game, kBarSelect);
        note(game);
        tap(game, kOptionNext);           // on again
        tap(game, kOptionConfirm);
        chooseEntry(game, 5);             // quit
        tap(game, kQuitYes, 1);
        steps.push_back(game.manager().mediaManager->isSoundEnabled() ? "sound on" : "sound off");
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(steps, (std::vector<std::string>{"0 0", "14 0", "14 1", "1 1", "7 1", "4 1 blank", "6 1", "10 1", "10 1",
                                               "1 1", "9 1", "1 2", "13 2", "1 2", "sound on"}));
}

TEST(FrontEndRoad, EveryScreenInEveryLanguageIsSaved) {
    FrontEndGame game;
    static int saved = 0;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.start();
        std::filesystem::create_directories("frontend_frames");
        for (int32_t language = 0; language < 5; ++language) {
            game.manager().setSettingChoice(language);
            auto save = [&](const std::string& name) {
                game.savePng("frontend_frames/" + std::to_string(language) + "_" + name + ".png");
                ++saved;
            };
            for (int32_t id : {14, 13, 9, 10, 6}) {
                game.manager().changeScene(id);
                game.frames(20);
                save("scene" + std::to_string(id));
            }
            game.key(kFire);  // the option screens' sound page, help's second page
            game.manager().changeScene(14);
            game.frames(20);
            game.key(kFire);
            game.frames(1);
            save("scene14_sound");
            game.manager().changeScene(10);
            game.frames(20);
            game.key(kRight);
            game.frames(1);
            save("scene10_page2");
            game.manager().changeScene(1);
            game.frames(26);
            save("scene1_opening");
            game.frames(30);
            for (int entry = 0; entry < Menu::kEntries; ++entry) {
                save("scene1_entry" + std::to_string(entry));
                game.key(kRight);
                game.frames(1);
            }
            Menu& menu = game.scene<Menu>();
            menu.state = Menu::kOptions;
            for (int entry = 0; entry < Menu::kOptionEntries; ++entry) {
                game.frames(1);
                save("scene1_option" + std::to_string(entry));
                menu.optionCursor = (menu.optionCursor + 1) % Menu::kOptionEntries;
            }
            menu.state = Menu::kQuitQuestion;
            game.frames(1);
            save("scene1_quit");
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(saved, 5 * 18);
}

}  // namespace
