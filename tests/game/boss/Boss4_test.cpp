// Boss fight 4 in the real game, headless on fake time over the compiled content: loading, the
// falling objects, the prism's hits, the sweep, the turned-around controls, and the fight
// played by touch to a win and to a loss and left through the pause menu (frames saved under
// boss4_frames/).

#include <filesystem>

#include "src/game/boss/scene_InGameBoss_4.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_4;

constexpr int32_t kStage = 3;
constexpr int32_t kPauseButton[2] = {222, 302}, kRestartEntry[2] = {120, 168}, kQuitEntry[2] = {120, 204};
constexpr int32_t kYesAnswer[2] = {74, 249};
constexpr int32_t kAttackUp[2] = {120, 60}, kMoveLeft[2] = {40, 270}, kMoveRight[2] = {200, 260};
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

struct FightRun {
    int32_t lastScene = -1, hurt = -1, endState = -1;
    int64_t fightFrames = 0, playTime = 0;
    std::vector<int8_t> before, after;
};

template <typename Hold> void play(BossGame& game, FightRun& run, const std::string& name, bool shield, Hold hold) {
    const int32_t* held = nullptr;
    bool savedPlay = false, savedSweep = false, savedDrop = false, savedEnd = false, savedCurtain = false;
    for (int frame = 0; frame < kMaxFrames && game.inFight<Boss>(); ++frame) {
        Boss& fight = game.fight<Boss>();
        if (fight.state == boss::kPlaying) {
            ++run.fightFrames;
            if (shield) fight.character->setInvulnerableTimer(2000);
            const int32_t* point = hold(fight);
            if (point != held) {
                if (held) game.release(held[0], held[1]);
                else if (point) game.press(point[0], point[1]);
                held = held ? nullptr : point;
            }
            if (!savedPlay && fight.activeShots->at(0) && fight.activeShots->at(0)->getAnimation() == Boss::kFall &&
                fight.activeShots->at(0)->getY() > 150) {
                savedPlay = true;
                game.savePng("boss4_frames/" + name + "_play.png");
            }
            if (!savedSweep && fight.sweepAttack->getX() > 80 && fight.sweepAttack->getX() < 160) {
                savedSweep = true;
                game.savePng("boss4_frames/" + name + "_sweep.png");
            }
            if (!savedDrop && fight.bossBody->getAnimation() == Boss::kDefeated && fight.bossDrop &&
                fight.bossDrop->getY() > 180) {
                savedDrop = true;
                game.savePng("boss4_frames/" + name + "_drop.png");
            }
        } else {
            if (held) game.release(held[0], held[1]);
            held = nullptr;
            run.endState = fight.state;
            run.hurt = fight.character->noDamage ? 0 : 1;
            run.playTime = fight.playTime;
            if (!savedEnd && fight.endTimer >= 1000) {
                savedEnd = true;
                game.savePng("boss4_frames/" + name + "_end.png");
            }
            if (!savedCurtain && fight.endTimer >= 3300) {
                savedCurtain = true;
                game.savePng("boss4_frames/" + name + "_curtain.png");
            }
        }
        game.frames(1);
    }
    run.lastScene = askedScenes.back();
    run.after = game.record(0);
    run.before = game.before;
}

void expectStored(const FightRun& run) {
    ASSERT_EQ(run.after.size(), run.before.size());
    EXPECT_TRUE(std::equal(run.before.begin(), run.before.begin() + 13, run.after.begin()));
    EXPECT_EQ(run.playTime, run.fightFrames * 50);
    const boss::StageTime total = boss::totalTime(run.playTime, 0, kStoredMinutes, kStoredSeconds);
    EXPECT_EQ(run.after[13], run.hurt);
    EXPECT_EQ(run.after[14], kCollected);
    EXPECT_EQ(run.after[15], kStage);
    EXPECT_EQ(run.after[16], 1);
    EXPECT_EQ(run.after[17], total.hours);
    EXPECT_EQ(run.after[18], total.minutes);
    EXPECT_EQ(run.after[19], total.seconds);
    std::printf("fight time %lld ms (%lld frames)\n", static_cast<long long>(run.playTime),
                static_cast<long long>(run.fightFrames));
}

TEST(Boss4, WonByTouchWithTheFirstWeapon) {
    std::filesystem::create_directories("boss4_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(kStage);
        game.frames(20);
        game.savePng("boss4_frames/intro.png");
        while (game.fight<Boss>().state != boss::kPlaying) game.frames(1);
        play(game, run, "win", true, [](Boss& fight) -> const int32_t* {
            if (fight.bossBody->getAnimation() != Boss::kDefeated) return kAttackUp;
            if (!fight.bossDrop) return nullptr;
            // Walking toward the gem; the controls may be turned around while the eye swirls.
            const int32_t gap = fight.bossDrop->getX() - fight.character->getX();
            const bool swapped = fight.controlsMirrored();
            if (gap < -4) return swapped ? kMoveRight : kMoveLeft;
            if (gap > 4) return swapped ? kMoveLeft : kMoveRight;
            return nullptr;
        });
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kBeaten);
    EXPECT_EQ(run.lastScene, scene_id::kResult);
    expectStored(run);
}

TEST(Boss4, StandingStillLoses) {
    std::filesystem::create_directories("boss4_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        play(game, run, "loss", false, [](Boss&) -> const int32_t* { return nullptr; });
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kLost);
    EXPECT_EQ(run.hurt, 1);
    EXPECT_EQ(run.lastScene, scene_id::kGameOver);
    expectStored(run);
}

// The pause menu by touch: quit and yes lead to the world map with the record untouched;
// restart stores a zero time for the stage and starts its normal level.
TEST(Boss4, PanelsByTouchQuitAndRestart) {
    std::filesystem::create_directories("boss4_frames");
    BossGame game;
    static std::vector<int32_t> states;
    static int32_t quitScene, restartScene;
    static std::vector<int8_t> afterQuit, before, restarted;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        game.frames(40);
        game.tap(kPauseButton[0], kPauseButton[1]);
        game.frames(1);
        states.push_back(game.fight<Boss>().state);
        const int32_t language = game.manager().languageIndex;
        for (int32_t k = 0; k < 5; ++k) {
            game.manager().languageIndex = k;
            game.frames(1);
            game.savePng("boss4_frames/pause_" + std::to_string(k) + ".png");
        }
        game.manager().languageIndex = language;
        game.tap(kQuitEntry[0], kQuitEntry[1]);
        game.frames(2);
        game.fight<Boss>().pause();  // the quit question stays
        states.push_back(game.fight<Boss>().state);
        for (int32_t k = 0; k < 5; ++k) {
            game.manager().languageIndex = k;
            game.frames(1);
            game.savePng("boss4_frames/quit_" + std::to_string(k) + ".png");
        }
        game.manager().languageIndex = language;
        game.tap(kYesAnswer[0], kYesAnswer[1]);
        game.frames(2);
        quitScene = askedScenes.back();
        afterQuit = game.record(0);
        before = game.before;
        game.manager().changeScene(scene_id::kBoss1 + kStage);
        game.frames(1);
        while (game.fight<Boss>().state != boss::kPlaying) game.frames(1);
        game.tap(kPauseButton[0], kPauseButton[1]);
        game.frames(1);
        game.tap(kRestartEntry[0], kRestartEntry[1]);
        game.frames(2);
        restartScene = askedScenes.back();
        std::vector<int8_t> record = game.record(0);
        restarted.assign(record.begin() + 13, record.end());
        game.manager().requestExit();
    });
    EXPECT_EQ(states, (std::vector<int32_t>{boss::kPauseMenu, boss::kQuitQuestion}));
    EXPECT_EQ(quitScene, scene_id::kWorldMap);
    EXPECT_EQ(afterQuit, before);
    EXPECT_EQ(restartScene, scene_id::kNormalLevel);
    EXPECT_EQ(restarted, (std::vector<int8_t>{0, 0, kStage, 1, 0, 0, 0}));
}

}  // namespace
