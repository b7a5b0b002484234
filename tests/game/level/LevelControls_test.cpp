// The normal level's controls over the compiled HUD and panels: keys (set in the canvas's key
// table, snapshotted, then handleKeys), pointer events handed to handlePointer, and the flags
// turned into moves; a spy character records what the controls ask of it. Touch targets are
// tapped through the window where they are drawn, also after the view climbed 40 px.

#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "tests/game/level/LevelGame.h"

namespace {

using namespace level_test;
using Level = scene::InGameNormal;
using kv::input::PointerInputEventManager;

std::string moves;

class SpyCharacter : public InGameObject::Character {
    VM_CLASS(SpyCharacter, InGameObject::Character)
    void moveLeft() override { moves += "L "; }
    void moveRight() override { moves += "R "; }
    void attackUp(bool step, bool left) override { moves += std::string("U") + (step ? (left ? "<" : ">") : "") + " "; }
    void jump() override { moves += "J "; }
    void idle() override { moves += "I "; }
    void attack() override { moves += "A "; }
    void attackToward(bool left) override { moves += left ? "A< " : "A> "; }
    void switchToOwnedWeapon(bool back) override { moves += back ? "W- " : "W+ "; }
};

enum Action { k1 = 1, k3 = 3, k7 = 7, k9 = 9, kUp = 10, kDown = 11, kLeft = 12, kRight = 13, kFire = 14, k19 = 19, k20 = 20 };

// The first key of each game action the levels use, by action number.
int32_t keyOf(int32_t action) {
    switch (action) {
    case k1: return 17;
    case k3: return 19;
    case k7: return 23;
    case k9: return 25;
    case kUp: return 1;
    case kDown: return 6;
    case kLeft: return 2;
    case kRight: return 5;
    case kFire: return 8;
    case k19: return 27;
    default: return 29;
    }
}

// One frame's keys: held ones stay down, pressed ones went down since the last snapshot.
void keys(ui::SceneManager& manager, std::vector<int32_t> held, std::vector<int32_t> pressed) {
    std::fill(std::begin(manager.keysDown), std::end(manager.keysDown), false);
    for (int32_t action : held) manager.keysDown[keyOf(action)] = true;
    for (int32_t action : pressed) manager.keysPressedSince[keyOf(action)] = true;
    manager.snapshotKeys();
    moves.clear();
}

void pointer(Level& level, int8_t type, int32_t x, int32_t y) {
    PointerInputEventManager::addEvent(type, x, y);
    PointerInputEventManager::nextEvent();
    level.handlePointer();
}

std::string flagsOf(Level& level) {
    std::string text;
    for (bool flag : {level.leftFlag, level.rightFlag, level.attackUpFlag, level.jumpFlag, level.attackLeftFlag,
                      level.attackRightFlag})
        text += flag ? "1" : "0";
    return text;
}

VMPtr<InGameObject::Character> spyOn(Level& level) {
    VMPtr<InGameObject::Character> real = level.character;
    level.character = SpyCharacter::_VM_new();
    return real;
}

template <typename Body> void inLevel(Body body) {
    LevelGame game;
    static Body* now;
    now = &body;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        (*now)(game, game.level());
        game.manager().requestExit();
    });
}

struct KeyRow {
    std::vector<int32_t> held, pressed;
    std::string moves;
    int32_t state;
};

TEST(LevelControls, KeysInPlayMoveJumpAttackSwitchAndPauseInTheirOrder) {
    static const KeyRow rows[] = {
            {{kLeft, kRight}, {}, "L ", 1},
            {{kLeft, kRight, k1}, {}, "U< ", 1},
            {{kRight, k3}, {}, "U> ", 1},
            {{k1, kFire}, {}, "U ", 1},
            {{kFire, kDown}, {}, "", 1},
            {{kDown}, {}, "", 1},
            {{kFire}, {}, "I A ", 1},
            {{kUp}, {}, "J ", 1},
            {{}, {k7, k9}, "I W- ", 1},
            {{}, {k9}, "I W+ ", 1},
            {{}, {k20}, "I ", 5},
    };
    static std::vector<std::string> seen;
    static std::vector<int32_t> states;
    inLevel([](LevelGame& game, Level& level) {
        spyOn(level);
        for (const KeyRow& row : rows) {
            level.state = Level::kPlaying;
            keys(game.manager(), row.held, row.pressed);
            level.handleKeys();
            seen.push_back(moves);
            states.push_back(level.state);
        }
    });
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(seen[i], rows[i].moves) << i;
        EXPECT_EQ(states[i], rows[i].state) << i;
    }
}

TEST(LevelControls, PauseMenuAndQuitQuestionKeys) {
    static std::vector<int32_t> seen;
    static std::vector<int8_t> record;
    inLevel([](LevelGame& game, Level& level) {
        auto step = [&](std::vector<int32_t> pressed) {
            keys(game.manager(), {}, pressed);
            level.handleKeys();
            seen.push_back(level.state * 100 + level.menuCursor * 10 + level.quitChoice);
        };
        level.pause();
        step({kUp});          // 0 -> 2
        step({kDown});        // 2 -> 0
        step({kUp, kFire});   // only the cursor moves: 2
        step({kFire});        // entry 2: the question
        step({kLeft, kRight});  // yes wins
        step({kFire, kLeft});   // yes chosen, not confirmed
        step({k20});          // no
        step({kFire});        // back to the menu, cursor kept
        step({k19});          // nothing in the menu
        step({kDown, kDown});  // one step: 0
        step({kFire});        // resume
        game.manager().storeResult(1, 5, 0, 0, 1, 2, 3, 4);
        level.pause();
        step({kDown});
        step({kFire});        // restart
        game.frames(1);
        record = game.record(0);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{520, 500, 520, 620, 621, 621, 620, 520, 520, 500, 100, 510, 510}));
    EXPECT_EQ(askedScenes.back(), 2);
    EXPECT_EQ(std::vector<int8_t>(record.begin() + 13, record.end()), (std::vector<int8_t>{0, 0, 0, 0, 0, 0, 0}));
}

TEST(LevelControls, QuitConfirmedWithKeysLeavesForTheWorldMapStoringNothing) {
    static std::vector<int8_t> before, after;
    inLevel([](LevelGame& game, Level& level) {
        level.playTime = 65'000;
        before = game.record(0);
        level.pause();
        level.state = Level::kQuitQuestion;
        keys(game.manager(), {}, {k19});
        level.handleKeys();
        keys(game.manager(), {}, {kFire});
        level.handleKeys();
        game.frames(1);
        after = game.record(0);
    });
    EXPECT_EQ(askedScenes.back(), 7);
    EXPECT_EQ(after, before);
}

struct ZoneRow {
    int32_t x, y;
    const char* flags;  // left, right, up, jump, attack left, attack right
};

TEST(LevelControls, PressesSetTheFlagOfTheirZoneAndButtonsSetNone) {
    static const ZoneRow rows[] = {
            {10, 105, "001000"}, {10, 106, "000010"}, {10, 211, "000010"}, {10, 212, "100000"}, {119, 150, "000010"},
            {120, 150, "000001"}, {79, 300, "100000"}, {80, 300, "000100"}, {159, 300, "000100"}, {160, 250, "010000"},
            // The weapon buttons (type-1 boxes of the top bar at x 2..28 and 60..86, y 2..28) and the pause
            // button (208..236, 288..316), edges included: no flag.
            {2, 2, "000000"}, {86, 28, "000000"}, {236, 316, "000000"}, {208, 288, "000000"},
            {87, 28, "001000"}, {237, 300, "010000"},
    };
    static std::vector<std::string> seen;
    static std::vector<std::string> effects;
    inLevel([](LevelGame& game, Level& level) {
        VMPtr<InGameObject::Character> real = spyOn(level);
        for (const ZoneRow& row : rows) {
            level.state = Level::kPlaying;
            level.pointerX = level.pointerY = -7;
            pointer(level, PointerInputEventManager::PRESSED, row.x, row.y);
            seen.push_back(flagsOf(level));
            effects.push_back(moves + std::to_string(level.state) + " " + std::to_string(level.pointerX) + "," +
                              std::to_string(level.pointerY));
            moves.clear();
            pointer(level, PointerInputEventManager::RELEASED, row.x, row.y);
            if (flagsOf(level) != "000000") seen.back() += " kept after release";
        }
        level.character = real;
    });
    for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(seen[i], rows[i].flags) << rows[i].x << "," << rows[i].y;
    EXPECT_EQ(effects[10], "W- 1 -7,-7");
    EXPECT_EQ(effects[11], "W+ 1 -7,-7");
    EXPECT_EQ(effects[12], "5 -7,-7");
    EXPECT_EQ(effects[0], "1 10,105");
}

TEST(LevelControls, LongDragsLetGoShortOnesDoNotAndFlagsOutlastAPause) {
    static std::vector<std::string> seen;
    inLevel([](LevelGame& game, Level& level) {
        VMPtr<InGameObject::Character> real = spyOn(level);
        auto note = [&] { seen.push_back(flagsOf(level)); };
        pointer(level, PointerInputEventManager::DRAGGED, 200, 200);  // no press yet: nothing to let go
        level.attackLeftFlag = true;
        pointer(level, PointerInputEventManager::DRAGGED, 200, 200);
        note();
        level.attackLeftFlag = false;
        pointer(level, PointerInputEventManager::PRESSED, 50, 150);
        pointer(level, PointerInputEventManager::DRAGGED, 56, 153);
        note();
        pointer(level, PointerInputEventManager::DRAGGED, 53, 156);
        note();
        pointer(level, PointerInputEventManager::DRAGGED, 56, 156);
        note();
        // A held zone, then a pause: the menu ignores the release, the flag acts after resuming.
        pointer(level, PointerInputEventManager::PRESSED, 50, 150);
        pointer(level, PointerInputEventManager::PRESSED, 222, 302);
        pointer(level, PointerInputEventManager::RELEASED, 222, 302);
        note();
        pointer(level, PointerInputEventManager::PRESSED, 120, 132);  // resume
        moves.clear();
        level.applyInput();
        seen.push_back(moves);
        pointer(level, PointerInputEventManager::RELEASED, 120, 132);
        moves.clear();
        level.applyInput();
        seen.push_back(moves);
        level.character = real;
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"000010", "000010", "000010", "000000", "000010", "A< ", "I "}));
}

TEST(LevelControls, ApplyInputTurnsFlagsIntoMoves) {
    static const std::pair<const char*, const char*> rows[] = {
            {"000000", "I "}, {"100000", "L "}, {"101000", "U< "}, {"011000", "U> "}, {"001000", "U "},
            {"110000", "L "}, {"000100", "J "}, {"000011", "A< "}, {"001001", "U "}, {"010001", "R A> "},
    };
    static std::vector<std::string> seen;
    inLevel([](LevelGame& game, Level& level) {
        VMPtr<InGameObject::Character> real = spyOn(level);
        for (const auto& row : rows) {
            bool* flags[6] = {&level.leftFlag, &level.rightFlag, &level.attackUpFlag, &level.jumpFlag, &level.attackLeftFlag,
                              &level.attackRightFlag};
            for (int i = 0; i < 6; ++i) *flags[i] = row.first[i] == '1';
            moves.clear();
            level.applyInput();
            seen.push_back(moves);
        }
        level.character = real;
    });
    for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(seen[i], rows[i].second) << rows[i].first;
}

TEST(LevelControls, PanelTapsResumeAskAnswerAndTheLeaveTapsOwnReleaseAnswersNothing) {
    static std::vector<int32_t> states;
    inLevel([](LevelGame& game, Level& level) {
        auto note = [&] { states.push_back(level.state); };
        level.pause();
        pointer(level, PointerInputEventManager::DRAGGED, 120, 132);  // drags and releases do nothing
        pointer(level, PointerInputEventManager::RELEASED, 120, 132);
        note();
        pointer(level, PointerInputEventManager::PRESSED, 120, 132);  // resume
        note();
        level.pause();
        pointer(level, PointerInputEventManager::PRESSED, 120, 204);  // leave: the question
        note();
        pointer(level, PointerInputEventManager::RELEASED, 120, 204);
        note();
        pointer(level, PointerInputEventManager::PRESSED, 120, 204);
        pointer(level, PointerInputEventManager::DRAGGED, 115, 209);
        pointer(level, PointerInputEventManager::RELEASED, 115, 209);
        note();
        pointer(level, PointerInputEventManager::RELEASED, 166, 268);  // the no box's corner
        note();
        pointer(level, PointerInputEventManager::PRESSED, 120, 204);
        pointer(level, PointerInputEventManager::RELEASED, 34, 230);  // a release on the yes box's corner
        game.frames(1);
    });
    EXPECT_EQ(states, (std::vector<int32_t>{5, 1, 6, 6, 6, 5}));
    EXPECT_EQ(askedScenes.back(), 7);
}

TEST(LevelControls, RestartTappedStoresAZeroResultForTheStage) {
    static std::vector<int8_t> record;
    LevelGame game;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(3);
        game.level().playTime = 99'000;
        game.manager().storeResult(1, 5, 3, 0, 1, 2, 3, 4);
        game.level().pause();
        pointer(game.level(), PointerInputEventManager::PRESSED, 120, 168);
        game.frames(1);
        record = game.record(0);
        game.manager().requestExit();
    });
    EXPECT_EQ(askedScenes.back(), 2);
    EXPECT_EQ(std::vector<int8_t>(record.begin() + 13, record.end()), (std::vector<int8_t>{0, 0, 3, 0, 0, 0, 0}));
}

TEST(LevelControls, EveryTargetIsHitWhereItIsDrawnAfterTheViewClimbed) {
    static std::vector<std::string> seen;
    static int32_t weapon;
    std::filesystem::create_directories("level_frames");
    inLevel([](LevelGame& game, Level& level) {
        game.manager().setGameY(40);
        level.character->setInvulnerableTimer(60'000);
        auto hold = [&](int32_t x, int32_t y) {
            game.press(x, y);
            game.frames(1);
            seen.push_back(flagsOf(level) + " " + std::to_string(level.pointerX) + "," + std::to_string(level.pointerY));
            game.release(x, y);
            game.frames(1);
        };
        hold(10, 105);
        hold(10, 106);
        hold(150, 211);
        hold(79, 212);
        hold(80, 319);
        hold(160, 212);
        for (int32_t i = 0; i < 7; ++i) level.character->weaponStates->at(i) = 0;
        game.tap(15, 15);  // previous weapon: from 0 to the last one
        game.frames(2);
        weapon = level.character->weapon;
        seen.push_back(flagsOf(level));
        game.tap(222, 302);
        game.frames(2);
        seen.push_back(std::to_string(level.state));
        game.savePng("level_frames/pause_climbed.png");
        game.tap(120, 204);
        game.frames(2);
        seen.push_back(std::to_string(level.state));
        game.savePng("level_frames/question_climbed.png");
        game.tap(126, 249);  // no
        game.frames(2);
        seen.push_back(std::to_string(level.state));
        game.tap(120, 132);  // resume
        game.frames(2);
        seen.push_back(std::to_string(level.state));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"001000 10,105", "000010 10,106", "000001 150,211", "100000 79,212",
                                              "000100 80,319", "010000 160,212", "000000", "5", "6", "5", "1"}));
    EXPECT_EQ(weapon, 6);
}

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(SpyCharacter, "test.SpyCharacter", "InGameObject.Character", VM_NO_CLINIT)
