// Boss fight 2 in the real game, headless on fake time over the compiled content: loading, the
// walk, jump, pause and summon rules, hits and the defeat, and the fight played by touch to a
// win and to a loss through the game driver (frames saved under boss2_frames/).

#include <filesystem>

#include "src/game/boss/scene_InGameBoss_2.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_2;


int32_t minionsIn(const VMPtr<Boss::EnemyArray>& minions) {
    int32_t n = 0;
    for (int32_t k = 0; k < 5; ++k) n += minions->at(k) != nullptr;
    return n;
}

TEST(Boss2, LoadsTheBruteAtTheRightEdgeAndFiveMinions) {
    BossGame game;
    static int32_t bossX, bossWidth, bossY, heroX, phase, free, active;
    static std::vector<int32_t> rows;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(1);
        while (game.fight<Boss>().isLoading()) game.frames(1);
        Boss& fight = game.fight<Boss>();
        bossX = fight.bossPlayer->getX();
        bossWidth = fight.bossPlayer->getCurrentFrame()->width;
        bossY = fight.bossPlayer->getY();
        heroX = fight.character->getX();
        phase = fight.bossPhase;
        free = minionsIn(fight.freeMinions);
        active = minionsIn(fight.activeMinions);
        for (int32_t k = 0; k < 5; ++k) rows.push_back(fight.freeMinions->at(k)->row);
        game.manager().requestExit();
    });
    EXPECT_EQ(bossX, 240 - bossWidth / 2);
    EXPECT_EQ(bossY, 224);
    EXPECT_EQ(heroX, 48);
    EXPECT_EQ(phase, Boss::kChoosing);
    EXPECT_EQ(free, 5);
    EXPECT_EQ(active, 0);
    EXPECT_EQ(rows, (std::vector<int32_t>{0, 0, 1, 2, 4}));
}

TEST(Boss2, WalkJumpPauseAndSummon) {
    BossGame game;
    static int32_t smallStep, pausedOverJump, landedY, landedPhase, firstSummon, secondSummon, secondHealthFull;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(1);
        Boss& fight = game.fight<Boss>();
        fight.character->setInvulnerableTimer(1'000'000);
        // A 10 ms frame still moves the brute one pixel.
        fight.bossPlayer->setX(120);
        fight.movingLeft = true;
        fight.frameTime = 10;
        fight.walk(true, Boss::kWalkAnim);
        smallStep = fight.bossPlayer->getX();
        // Jump and pause due in one step: the pause wins.
        fight.bossPhase = Boss::kWalking;
        fight.bossTimer = 4990;
        fight.jumpTimer = 1990;
        fight.updateBoss();
        pausedOverJump = fight.bossPhase;
        // A jump lands back on the ground line.
        fight.bossPhase = Boss::kWalking;
        fight.bossTimer = 0;
        fight.jumpTimer = 1990;
        fight.updateBoss();
        fight.frameTime = 50;
        for (int k = 0; k < 400 && fight.bossPhase == Boss::kJumping; ++k) fight.updateBoss();
        landedY = fight.bossPlayer->getY();
        landedPhase = fight.bossPhase;
        // Summons bring all five; the second summon's are at full health again.
        auto summon = [&] {
            for (int tries = 0; tries < 64 && fight.bossPhase != Boss::kMinionsOut; ++tries) {
                fight.bossPhase = Boss::kChoosing;
                fight.bossTimer = 2000;
                fight.updateBoss();
            }
            return minionsIn(fight.activeMinions);
        };
        firstSummon = summon();
        for (int32_t k = 0; k < 5; ++k) {
            fight.activeMinions->at(k)->health = 1;
            fight.activeMinions->at(k)->state = InGameObject::Enemy::kFinished;
        }
        fight.updateBoss();
        fight.updateBoss();
        secondSummon = summon();
        secondHealthFull = 1;
        for (int32_t k = 0; k < 5; ++k)
            secondHealthFull &= fight.activeMinions->at(k)->health == fight.activeMinions->at(k)->maxHealth;
        game.manager().requestExit();
    });
    EXPECT_EQ(smallStep, 119);
    EXPECT_EQ(pausedOverJump, Boss::kChoosing);
    EXPECT_EQ(landedY, 224);
    EXPECT_EQ(landedPhase, Boss::kWalking);
    EXPECT_EQ(firstSummon, 5);
    EXPECT_EQ(secondSummon, 5);
    EXPECT_EQ(secondHealthFull, 1);
}

TEST(Boss2, HitsTheZeroRuleAndTheDefeat) {
    BossGame game;
    static std::vector<int32_t> hpInPhases;
    static int32_t atZeroPhase, defeatedPhase, hpShown, rewardX, rewardY, bossX, bossTop, activeAfter, freeAfter,
        caughtFalling;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(1);
        Boss& fight = game.fight<Boss>();
        fight.character->setInvulnerableTimer(1'000'000);
        fight.character->body->setX(30);
        VMPtr<kv::AnimPlayer> bolt = InGameObject::newPlayer(fight.rewardPlayer->getAnimSet(), Boss::kReward);
        auto hit = [&](int32_t damage) {
            bolt->setX(fight.bossPlayer->getX());
            bolt->setY(fight.bossPlayer->getY() - 10);
            fight.character->slotDamage->at(0) = damage;
            fight.character->getProjectiles()->set(0, bolt.get());
            fight.checkCollisions();
            fight.character->getProjectiles()->set(0, nullptr);
        };
        for (int32_t phase : {Boss::kJumping, Boss::kMinionsOut}) {
            fight.bossPhase = phase;
            hit(50);
            hpInPhases.push_back(fight.bossHitPoints);
        }
        fight.bossPhase = Boss::kWalking;
        hit(400);
        atZeroPhase = fight.bossPhase;
        // Two minions the test puts out die with the boss and leave both arrays.
        fight.activeMinions->set(0, fight.freeMinions->at(0));
        fight.activeMinions->set(3, fight.freeMinions->at(3));
        fight.freeMinions->set(0, nullptr);
        fight.freeMinions->set(3, nullptr);
        hit(1);
        defeatedPhase = fight.bossPhase;
        hpShown = fight.bossHitPoints;
        rewardX = fight.rewardPlayer->getX();
        rewardY = fight.rewardPlayer->getY();
        bossX = fight.bossPlayer->getX();
        bossTop = fight.bossPlayer->getY() - fight.bossPlayer->getCurrentFrame()->height;
        hit(1);
        hpInPhases.push_back(fight.bossHitPoints);
        fight.frameTime = 50;
        fight.updateBoss();
        activeAfter = minionsIn(fight.activeMinions);
        freeAfter = minionsIn(fight.freeMinions);
        // The falling gem is caught in the air.
        fight.rewardPlayer->setX(fight.character->getX());
        fight.rewardPlayer->setY(fight.groundY - 8);
        fight.updateGame();
        caughtFalling = fight.state == boss::kBeaten && !fight.rewardPlayer;
        game.manager().requestExit();
    });
    EXPECT_EQ(hpInPhases, (std::vector<int32_t>{400, 400, 0}));
    EXPECT_EQ(atZeroPhase, Boss::kWalking);
    EXPECT_EQ(defeatedPhase, Boss::kDefeated);
    EXPECT_EQ(hpShown, 0);
    EXPECT_EQ(rewardX, bossX);
    EXPECT_EQ(rewardY, bossTop);
    EXPECT_EQ(activeAfter, 0);
    EXPECT_EQ(freeAfter, 3);
    EXPECT_TRUE(caughtFalling);
}



bool busy(Boss& fight) { return minionsIn(fight.activeMinions) >= 4; }

TEST(Boss2, WonByTouchWithTheFirstWeapon) {
    std::filesystem::create_directories("boss2_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(1);
        game.frames(20);
        game.savePng("boss2_frames/intro.png");
        while (game.fight<Boss>().state != boss::kPlaying) game.frames(1);
        playFight<Boss>(game, run, "boss2_frames", "win", boss2Move, busy);
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kBeaten);
    EXPECT_EQ(run.lastScene, scene_id::kResult);
    expectStored(run, 1);
}

TEST(Boss2, StandingStillLoses) {
    std::filesystem::create_directories("boss2_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(1);
        playFight<Boss>(game, run, "boss2_frames", "loss", [](Boss&, const LevelPoints&) { return Point{}; }, busy);
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kLost);
    EXPECT_EQ(run.hurt, 1);
    EXPECT_EQ(run.lastScene, scene_id::kGameOver);
    expectStored(run, 1);
}

}  // namespace
