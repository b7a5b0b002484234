// Boss fight 4 in the real game, headless on fake time over the compiled content: loading, the
// falling objects, the prism's hits, the sweep, the turned-around controls, and the fight
// played by touch to a win and to a loss and left through the pause menu (frames saved under
// boss4_frames/).

#include <filesystem>
#include <vector>

#include "src/game/boss/scene_InGameBoss_4.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_4;

constexpr int32_t kStage = 3;
constexpr int kMaxFrames = 10 * 60 * 20;

int32_t activeCount(Boss& fight) {
    int32_t n = 0;
    for (int32_t i = 0; i < Boss::kShotCount; ++i) n += fight.activeShots->at(i) != nullptr;
    return n;
}

// A projectile of the character's slot placed at (x, y) with the given damage.
void aim(Boss& fight, kv::AnimPlayer* bolt, int32_t slot, int32_t x, int32_t y, int32_t damage) {
    bolt->setX(x);
    bolt->setY(y);
    fight.character->slotDamage->at(slot) = damage;
    fight.character->getProjectiles()->set(slot, bolt);
}

// The gauges' steps gone: the hero's (100 health, 5 a step), boss 4's (1000, 50), boss 5's
// (2000, 100); the last step stays while anything is left.
TEST(BossFrame, GaugeStepsGone) {
    struct Case {
        int32_t value, maximum, step, gone;
    } cases[] = {{100, 100, 5, 0},    {96, 100, 5, 0},     {95, 100, 5, 1},   {30, 100, 5, 14},   {1000, 1000, 50, 0},
                 {951, 1000, 50, 0},  {10, 1000, 50, 19},  {1, 1000, 50, 19}, {2000, 2000, 100, 0}, {100, 2000, 100, 19}};
    for (const Case& c : cases) EXPECT_EQ(boss::gaugeStepsLost(c.value, c.maximum, c.step), c.gone) << c.value;
}

TEST(Boss4, LoadsInSixteenCalls) {
    BossGame game;
    static std::vector<int32_t> heroAfter, bossAfter;
    static int calls;
    static int32_t hitPoints, sweepX, sweepAnim, dropY, bodyTop, groundY;
    static std::vector<int32_t> spares, tips;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(kStage);
        for (calls = 1; game.fight<Boss>().isLoading(); ++calls) {
            Boss& fight = game.fight<Boss>();
            if (fight.character) heroAfter.push_back(calls);
            if (fight.bossBody) bossAfter.push_back(calls);
            game.frames(1);
        }
        Boss& fight = game.fight<Boss>();
        hitPoints = fight.bossHitPoints;
        sweepX = fight.sweepAttack->getX();
        sweepAnim = fight.sweepAttack->getAnimation();
        dropY = fight.bossDrop->getY();
        VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
        box->_VM_init();
        fight.bossBody->getCollisionBox(box);
        bodyTop = box->y;
        groundY = fight.groundY;
        for (int32_t i = 0; i < Boss::kShotCount; ++i) {
            fight.bossParts->at(i)->getCollisionBox(box);
            tips.push_back(box->x + box->width / 2);
            tips.push_back(box->y);
            spares.push_back(fight.spareShots->at(i)->getX());
            spares.push_back(fight.spareShots->at(i)->getY());
        }
        game.manager().requestExit();
    });
    // The first call only arms the counter; the character exists after the 2nd, the prism
    // after the 11th.
    EXPECT_EQ(calls, 16);
    ASSERT_FALSE(heroAfter.empty());
    ASSERT_FALSE(bossAfter.empty());
    EXPECT_EQ(heroAfter.front(), 2);
    EXPECT_EQ(bossAfter.front(), 11);
    EXPECT_EQ(hitPoints, 1000);
    EXPECT_EQ(groundY, 224);
    EXPECT_TRUE((sweepX == 240 && sweepAnim == Boss::kSweepFromRight) || (sweepX == 0 && sweepAnim == Boss::kSweepFromLeft));
    EXPECT_EQ(dropY, bodyTop + 20);
    EXPECT_EQ(spares, tips);
}

TEST(Boss4, FallingObjectsAndHits) {
    BossGame game;
    static int32_t after3950, after4000, whenFull, timerWhenFull;
    static std::string console, expectedConsole;
    static int32_t twoBolts, secondBoltLeft, closingShot, closingBoltLeft, healthAfterClosing, healthAfterBoth;
    static int32_t beatenAnim, destroyedShots, endState;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        fight.sweepTimer = -1'000'000;  // keep the wave resting
        fight.spawnTimer = 0;
        fight.frameTime = 3950;
        fight.updateGame();
        after3950 = activeCount(fight);
        fight.frameTime = 50;
        fight.updateGame();
        after4000 = activeCount(fight);
        // The first object appears and then starts to fall: one console line, its frame's top.
        kv::AnimPlayer* first = fight.activeShots->at(0);
        testing::internal::CaptureStdout();
        for (int k = 0; k < 40 && first->getAnimation() == Boss::kAppear; ++k) fight.updateGame();
        console = testing::internal::GetCapturedStdout();
        expectedConsole = std::to_string(first->getFrameTop(0)) + "\n";
        for (int32_t k = 0; k < 5; ++k) {
            fight.spawnTimer = 4000;
            fight.updateGame();
        }
        fight.spawnTimer = 4100;
        fight.updateGame();
        whenFull = activeCount(fight);
        timerWhenFull = fight.spawnTimer;

        // Two projectiles on the prism in one step: only the first strikes.
        fight.character->setInvulnerableTimer(1'000'000);
        VMPtr<kv::AnimPlayer> a = InGameObject::newPlayer(fight.bossSet, Boss::kDrop),
                              b = InGameObject::newPlayer(fight.bossSet, Boss::kDrop);
        aim(fight, a.get(), 0, 120, 180, 5);
        aim(fight, b.get(), 1, 124, 180, 5);
        fight.checkCollisions();
        twoBolts = fight.bossHitPoints;
        secondBoltLeft = fight.character->getProjectiles()->at(1) != nullptr;
        fight.character->getProjectiles()->set(1, nullptr);
        // A closing object cannot be shot but still hurts.
        kv::AnimPlayer* shot = fight.activeShots->at(1);
        shot->setAnimation(Boss::kCloseA);
        shot->setX(30);
        shot->setY(224);
        aim(fight, a.get(), 0, 30, 214, 5);
        fight.bossHitPoints = 1000;
        fight.checkCollisions();
        closingShot = shot->getAnimation();
        closingBoltLeft = fight.character->getProjectiles()->at(0) != nullptr;
        fight.character->getProjectiles()->set(0, nullptr);
        fight.character->invulnerableTimer = 0;
        fight.character->hurtTimer = 0;
        fight.character->body->setX(30);
        fight.checkCollisions();
        healthAfterClosing = fight.character->health;
        // The sweep and an object both touching: the sweep's hit leaves the character hurt, so
        // the object does not hurt it in the same step.
        fight.character->health = 100;
        fight.character->invulnerableTimer = 0;
        fight.character->hurtTimer = 0;
        fight.sweepAttack->setAnimation(Boss::kSweepFromLeft);
        fight.sweepAttack->setX(0);
        for (int k = 0; k < 6; ++k) fight.sweepAttack->update(50);
        fight.character->body->setX(fight.sweepAttack->getX());
        shot->setX(fight.sweepAttack->getX());
        fight.checkCollisions();
        healthAfterBoth = fight.character->health;
        // A hit that leaves exactly 0 beats the prism and destroys every object in play.
        fight.bossHitPoints = 5;
        aim(fight, a.get(), 0, 120, 180, 5);
        fight.checkCollisions();
        beatenAnim = fight.bossBody->getAnimation();
        destroyedShots = 0;
        for (int32_t i = 0; i < Boss::kShotCount; ++i) {
            const int32_t shown = fight.activeShots->at(i) ? fight.activeShots->at(i)->getAnimation() : -1;
            destroyedShots += shown == Boss::kDestroyedA || shown == Boss::kDestroyedB;
        }
        // Won and dead in one step: the fight ends won.
        fight.bossDrop = nullptr;
        fight.character->health = 0;
        fight.updateGame();
        endState = fight.state;
        game.manager().requestExit();
    });
    EXPECT_EQ(after3950, 0);
    EXPECT_EQ(after4000, 1);
    EXPECT_EQ(console, expectedConsole);
    EXPECT_EQ(whenFull, 6);
    EXPECT_EQ(timerWhenFull, 0);
    EXPECT_EQ(twoBolts, 995);
    EXPECT_EQ(secondBoltLeft, 1);
    EXPECT_EQ(closingShot, Boss::kCloseA);
    EXPECT_EQ(closingBoltLeft, 1);
    EXPECT_EQ(healthAfterClosing, 85);
    EXPECT_EQ(healthAfterBoth, 80);
    EXPECT_EQ(beatenAnim, Boss::kDefeated);
    EXPECT_EQ(destroyedShots, 6);
    EXPECT_EQ(endState, boss::kBeaten);
}

// At 50 ms frames from the start of play: the sweep rests at its edge until 5000 ms have
// gathered, runs its pass, and after each pass rests 5000 ms again; the eye swirls once after
// 15000 ms on its idle overlay, and again 15000 ms after the swirl has played out.
TEST(Boss4, TheSweepComesEveryFiveSecondsAndTheSwirlEveryFifteen) {
    BossGame game;
    static std::vector<int32_t> sweepRests, sweepStarts, swirlStarts, swirlEnds;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        fight.character->setInvulnerableTimer(1'000'000);
        fight.sweepTimer = fight.overlayTimer = 0;
        fight.bossIdleOverlay->setAnimation(Boss::kOverlay);
        fight.frameTime = 50;
        bool resting = true;
        for (int32_t time = 50; time <= 40'000; time += 50) {
            const int32_t sweepX = fight.sweepAttack->getX(), overlay = fight.bossIdleOverlay->getAnimation();
            fight.updateGame();
            if (resting && fight.sweepAttack->getX() != sweepX) sweepStarts.push_back(time);
            resting = resting && fight.sweepAttack->getX() == sweepX;
            if (!resting && fight.sweepTimer == 0) {
                sweepRests.push_back(time);
                resting = true;
            }
            const int32_t shown = fight.bossIdleOverlay->getAnimation();
            if (shown != overlay) (shown == Boss::kSwirl ? swirlStarts : swirlEnds).push_back(time);
        }
        game.manager().requestExit();
    });
    ASSERT_GE(sweepStarts.size(), 5u);
    ASSERT_GE(sweepRests.size(), sweepStarts.size() - 1);
    EXPECT_EQ(sweepStarts[0], 5000);
    for (size_t k = 1; k < sweepStarts.size(); ++k) EXPECT_EQ(sweepStarts[k] - sweepRests[k - 1], 5000) << k;
    ASSERT_EQ(swirlStarts.size(), 2u);
    ASSERT_GE(swirlEnds.size(), 1u);
    EXPECT_EQ(swirlStarts[0], 15'000);
    EXPECT_LT(swirlEnds[0], swirlStarts[1]);
    EXPECT_EQ(swirlStarts[1] - swirlEnds[0], 15'000);
}

// While the eye swirls, the bottom row's thirds and the arrow keys walk the other way.
TEST(Boss4, SwirlTurnsTheControlsAround) {
    BossGame game;
    static std::vector<int32_t> flags;
    static std::vector<bool> facedLeft;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        for (int32_t overlay : {Boss::kOverlay, Boss::kSwirl}) {
            for (const int32_t* point : {kMoveLeft, kMoveRight}) {
                fight.bossIdleOverlay->setAnimation(overlay);
                game.press(point[0], point[1]);
                game.frames(1);
                flags.push_back(fight.leftFlag * 1 + fight.rightFlag * 2);
                game.release(point[0], point[1]);
                game.frames(1);
            }
            // The right arrow held (action 13, key 5).
            fight.bossIdleOverlay->setAnimation(overlay);
            std::fill(std::begin(game.manager().keysDown), std::end(game.manager().keysDown), false);
            game.manager().keysDown[5] = true;
            game.manager().snapshotKeys();
            fight.handleKeys();
            facedLeft.push_back(fight.character->facingLeft);
            game.manager().keysDown[5] = false;
            game.manager().snapshotKeys();
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(flags, (std::vector<int32_t>{1, 2, 2, 1}));
    EXPECT_EQ(facedLeft, (std::vector<bool>{false, true}));
}

// The pictures in play: an object low in its fall, the sweep mid-screen, the gem dropping.
void pictures(BossGame&, Boss& fight, const SaveOnce& once) {
    if (fight.activeShots->at(0) && fight.activeShots->at(0)->getAnimation() == Boss::kFall &&
        fight.activeShots->at(0)->getY() > 150)
        once("play");
    if (fight.sweepAttack->getX() > 80 && fight.sweepAttack->getX() < 160) once("sweep");
    if (fight.bossBody->getAnimation() == Boss::kDefeated && fight.bossDrop && fight.bossDrop->getY() > 180) once("drop");
}

// The winning route, with the first weapon.
const int32_t* winningTouch(Boss& fight) {
    if (fight.bossBody->getAnimation() != Boss::kDefeated) return kAttackUp;
    if (!fight.bossDrop) return nullptr;
    // Walking toward the gem; the controls may be turned around while the eye swirls.
    const int32_t gap = fight.bossDrop->getX() - fight.character->getX();
    const bool swapped = fight.controlsMirrored();
    if (gap < -4) return swapped ? kMoveRight : kMoveLeft;
    if (gap > 4) return swapped ? kMoveLeft : kMoveRight;
    return nullptr;
}

TEST(Boss4, WonByTouchWithTheFirstWeapon) {
    expectWon(playFight<Boss>(kStage, "win", kMaxFrames, true, pictures, winningTouch), kStage);
}

TEST(Boss4, StandingStillLoses) {
    expectLost(playFight<Boss>(kStage, "loss", kMaxFrames, false, pictures, standStill<Boss>), kStage);
}

// Saves the screen in each of the five languages as <path>_<language>.png.
void savePerLanguage(BossGame& game, const std::string& path) {
    const int32_t language = game.manager().languageIndex;
    for (int32_t k = 0; k < 5; ++k) {
        game.manager().languageIndex = k;
        game.frames(1);
        game.savePng(path + "_" + std::to_string(k) + ".png");
    }
    game.manager().languageIndex = language;
}

// The pause menu by touch, its pictures saved in every language; pausing again keeps the quit
// question.
TEST(Boss4, PanelsByTouchQuitAndRestart) {
    const PanelsRun run = panelsByTouch<Boss>(
        kStage,
        [](BossGame& game, std::vector<int32_t>& states) {
            states.push_back(game.fight<Boss>().state);
            savePerLanguage(game, "boss4_frames/pause");
        },
        [](BossGame& game, std::vector<int32_t>& states) {
            game.fight<Boss>().pause();
            states.push_back(game.fight<Boss>().state);
            savePerLanguage(game, "boss4_frames/quit");
        });
    expectPanels(run, kStage, {boss::kPauseMenu, boss::kQuitQuestion});
}

}  // namespace
