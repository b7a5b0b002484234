// The normal level's painting, pixel by pixel: the level is painted into a magenta picture
// as the canvas paints it (translated by the view's offset) and compared with its parts
// painted alone where they must land. Loading paints nothing; the pause panels hide the
// HUD; the health gauge empties from the top in twenty steps and turns red at 30; the timer
// icons take their places (the second one pixel higher); kind-2 effects lie over every enemy
// and the first glass over the others; no background shows below the maximum height; the
// panels stay centred on a climbed view and change language on the next frame. The panels
// in five languages, the HUD and the end curtain are saved as PNGs (level_frames/).

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "tests/game/level/LevelGame.h"
#include "src/game/objects/HitTests.h"

namespace {

using namespace level_test;
using Level = scene::InGameNormal;
using Image = javax::microedition::lcdui::Image;
using Pixels = std::vector<uint32_t>;

constexpr int32_t kMagenta = 0xFF00FF;

Pixels pixelsOf(const VMPtr<Image>& image) {
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::_VM_new(240 * 320);
    image->getRGB(rgb, 0, 240, 0, 0, 240, 320);
    Pixels out(rgb->elements(), rgb->elements() + 240 * 320);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    return out;
}

// Magenta as the 16-bit picture keeps it.
uint32_t unpainted() {
    static const uint32_t value = pixelsOf(Image::createImage(240, 320, false, kMagenta))[0];
    return value;
}

template <typename Paint> Pixels painted(int32_t offY, Paint paint) {
    VMPtr<Image> image = Image::createImage(240, 320, false, kMagenta);
    VMPtr<javax::microedition::lcdui::Graphics> g = image->getGraphics();
    g->translate(0, offY);
    paint(g);
    return pixelsOf(image);
}

Pixels paintLevel(Level& level, int32_t offY) {
    return painted(offY, [&](auto g) { level.paint(g); });
}

// Whether the pixels the paintable covers fully when painted alone at (x, y) (the same on
// two backgrounds) are the same in the picture, all of them or the given share.
bool showsOnTop(const Pixels& picture, int32_t offY, kv::Paintable& part, int32_t x, int32_t y, double share = 1.0) {
    const Pixels onMagenta = painted(offY, [&](auto g) { part.paint(g, x, y, 0); });
    VMPtr<Image> green = Image::createImage(240, 320, false, 0x00FF00);
    VMPtr<javax::microedition::lcdui::Graphics> g = green->getGraphics();
    g->translate(0, offY);
    part.paint(g, x, y, 0);
    const Pixels onGreen = pixelsOf(green);
    int covered = 0, same = 0;
    for (size_t i = 0; i < onMagenta.size(); ++i) {
        if (onMagenta[i] != onGreen[i]) continue;
        ++covered;
        same += picture[i] == onMagenta[i];
    }
    return covered > 0 && same >= share * covered;
}

uint32_t at(const Pixels& p, int x, int y) { return p[size_t(y * 240 + x)]; }
bool greenish(uint32_t c) { return ((c >> 8) & 0xFF) > ((c >> 16) & 0xFF) + 40; }
bool reddish(uint32_t c) { return ((c >> 16) & 0xFF) > ((c >> 8) & 0xFF) + 60; }

// A playing level with no enemy, item or glass about, the character at the left edge.
void clearWorld(Level& level) {
    for (int32_t i = 0; i < level.activeEnemies->length; ++i) level.activeEnemies->set(i, nullptr);
    level.character->body->setX(2);
}

TEST(LevelPainting, LoadingPaintsNothingAndThePanelsHideTheHud) {
    LevelGame game;
    static bool loadingUntouched;
    static uint32_t barPlaying, barPaused, barQuit;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.enter(0);
        const Pixels loading = paintLevel(game.level(), 0);
        loadingUntouched = std::all_of(loading.begin(), loading.end(), [](uint32_t c) { return c == unpainted(); });
        game.openLevel(0);
        Level& level = game.level();
        clearWorld(level);
        barPlaying = at(paintLevel(level, 0), 200, 2);
        level.state = Level::kPauseMenu;
        barPaused = at(paintLevel(level, 0), 200, 2);
        level.state = Level::kQuitQuestion;
        barQuit = at(paintLevel(level, 0), 200, 2);
        game.manager().requestExit();
    });
    EXPECT_TRUE(loadingUntouched);
    EXPECT_NE(barPlaying, barPaused);
    EXPECT_EQ(barPaused, barQuit);
}

TEST(LevelPainting, TheGaugeEmptiesFromTheTopInTwentyStepsAndTurnsRedAtThirty) {
    LevelGame game;
    static std::vector<bool> rows;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        clearWorld(level);
        // The window runs from y 116 for 80 rows; a step is 4 rows.
        for (int32_t health : {100, 31, 30, 0}) {
            level.character->health = health;
            const Pixels p = paintLevel(level, 0);
            const int32_t firstRow = 116 + (100 - health) / 5 * 4;
            rows.push_back(health > 30 ? greenish(at(p, 11, std::min(firstRow, 195))) : reddish(at(p, 11, std::min(firstRow, 195))));
            rows.push_back(!greenish(at(p, 11, firstRow - 1)) && !reddish(at(p, 11, firstRow - 1)));
        }
        game.manager().requestExit();
    });
    // 100: full from the top; 31: green from row 168; 30: red from row 172; 0: nothing.
    EXPECT_EQ(rows, (std::vector<bool>{true, true, true, true, true, true, false, true}));
}

TEST(LevelPainting, TimerIconsTakeTheirPlacesTheSecondOnePixelHigher) {
    LevelGame game;
    static bool speedAlone, powerFirst, speedSecond;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        clearWorld(level);
        level.character->speedBoostTimer = 5000;
        speedAlone = showsOnTop(paintLevel(level, 0), 0, *level.hudFrame10, 3, 160 - 92);
        level.character->powerTimer = 5000;
        const Pixels both = paintLevel(level, 0);
        powerFirst = showsOnTop(both, 0, *level.hudFrame11, 3, 160 - 92);
        speedSecond = showsOnTop(both, 0, *level.hudFrame10, 3, 160 - 74 - 1);
        game.manager().requestExit();
    });
    EXPECT_TRUE(speedAlone);
    EXPECT_TRUE(powerFirst);
    EXPECT_TRUE(speedSecond);
}

TEST(LevelPainting, ThrownEffectsLieOverEveryEnemyAndTheFirstGlassOverTheOthers) {
    LevelGame game;
    static bool effectOnTop, firstGlassOnTop, weaponIcon;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(2);
        Level& level = game.level();
        clearWorld(level);
        // Stage 2: pool places 4 and 5 are the kind-2 row, 0 a walker.
        InGameObject::Enemy* thrower = level.freeEnemies->at(4);
        InGameObject::Enemy* walker = level.freeEnemies->at(0);
        level.activeEnemies->set(0, thrower);
        level.activeEnemies->set(1, walker);
        walker->player->setX(120);
        walker->player->setY(150);
        thrower->effect->setAnimation(InGameObject::Enemy::kEffectFlight);
        thrower->effect->setX(120);
        thrower->effect->setY(140);
        for (int32_t i = 0; i < 2; ++i) {
            level.activeGlass->set(i, level.spareGlass->at(i));
            level.activeGlass->at(i)->state = 0;
            level.activeGlass->at(i)->frame = level.glassSet->getFrame(14 + i);
            level.activeGlass->at(i)->setPosition(60, 100);
        }
        const Pixels p = paintLevel(level, 0);
        effectOnTop = showsOnTop(p, 0, *thrower->effect, 0, 0);
        firstGlassOnTop = showsOnTop(p, 0, *level.glassSet->getFrame(14), 60, 100);
        weaponIcon = showsOnTop(p, 0, *level.weaponIcons->at(0), 120 - 84, 5);
        game.manager().requestExit();
    });
    EXPECT_TRUE(effectOnTop);
    EXPECT_TRUE(firstGlassOnTop);
    EXPECT_TRUE(weaponIcon);
}

TEST(LevelPainting, NoBackgroundShowsBelowTheMaximumHeight) {
    LevelGame game;
    static uint32_t above, below, background;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(1);
        Level& level = game.level();
        clearWorld(level);
        level.maxHeight = 150;
        const Pixels p = paintLevel(level, 0);
        background = unpainted();
        above = at(p, 120, 140);
        below = at(p, 120, 160);
        game.manager().requestExit();
    });
    EXPECT_NE(above, background);
    EXPECT_EQ(below, background);
}

TEST(LevelPainting, PanelsStayCentredOnAClimbedViewAndChangeLanguageOnTheNextFrame) {
    LevelGame game;
    static bool centred, quitCentred, switched;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        clearWorld(level);
        std::filesystem::create_directories("level_frames");
        game.savePng("level_frames/hud.png");
        level.pause();
        game.manager().setGameArea(240, 640);
        game.manager().setGameY(100);
        // The panels at the view's centre, the lines of text over them aside.
        centred = showsOnTop(paintLevel(level, 100), 100, *level.panelSet->getFrame(9), 120, 60, 0.8);
        level.state = Level::kQuitQuestion;
        quitCentred = showsOnTop(paintLevel(level, 100), 100, *level.panelSet->getFrame(15), 120, 60, 0.8);
        game.manager().setGameArea(240, 320);
        level.state = Level::kPauseMenu;
        for (int32_t language = 0; language < 5; ++language) {
            game.manager().setSettingChoice(language);
            for (int32_t state : {Level::kPauseMenu, Level::kQuitQuestion}) {
                level.state = state;
                game.frames(1);
                game.savePng("level_frames/" + std::string(state == Level::kPauseMenu ? "pause_" : "quit_") +
                             std::to_string(language) + ".png");
            }
        }
        level.state = Level::kPauseMenu;
        game.manager().setSettingChoice(0);
        game.frames(1);
        const Pixels english = paintLevel(level, 0);
        game.manager().setSettingChoice(1);
        game.frames(1);
        switched = english != paintLevel(level, 0);
        // The end curtain, closing over the level.
        level.state = Level::kFailed;
        level.character->dead = true;
        game.frames(70);
        game.savePng("level_frames/end_curtain.png");
        game.manager().requestExit();
    });
    EXPECT_TRUE(centred);
    EXPECT_TRUE(quitCentred);
    EXPECT_TRUE(switched);
}

TEST(LevelPainting, ThePanelBoxesAreThereAndTheAnswersLieClearOfTheEntries) {
    LevelGame game;
    static std::vector<int32_t> counts;
    static int32_t clearance;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(8);
        for (int32_t frame : {9, 15})
            for (int32_t type : {0, 1}) counts.push_back(level.panelSet->getFrame(frame)->getCollisionBoxes(0, boxes, type));
        level.panelSet->getFrame(9)->getCollisionBoxes(0, boxes, 1);
        int32_t lowestEntry = INT32_MIN;
        for (int32_t i = 0; i < 3; ++i) lowestEntry = std::max(lowestEntry, boxes->at(i)->y + boxes->at(i)->height);
        level.panelSet->getFrame(15)->getCollisionBoxes(0, boxes, 0);
        clearance = std::min(boxes->at(0)->y, boxes->at(1)->y) - lowestEntry;
        game.manager().requestExit();
    });
    EXPECT_EQ(counts, (std::vector<int32_t>{4, 3, 2, 1}));
    EXPECT_GE(clearance, 8);
}

}  // namespace
