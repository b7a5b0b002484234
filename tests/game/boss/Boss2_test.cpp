// Boss fight 2 in the real game, headless on fake time over the compiled content: loading, the
// walk, jump, pause and summon rules, hits and the defeat, and the fight played by touch to a
// win and to a loss through the game driver (frames saved under boss2_frames/).

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "src/game/boss/scene_InGameBoss_2.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_2;

constexpr int32_t kAttackLeft[2] = {60, 160}, kAttackRight[2] = {180, 160};
constexpr int kMaxFrames = 6 * 60 * 20;

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

// Touching the brute costs the character 10 health; a minion costs its stage-1 row's contact
// damage: 10 for the two of row 0, 15 for those of rows 1, 2 and 4.
TEST(Boss2, ContactWithTheBruteOrAMinionCostsItsDamage) {
    BossGame game;
    static std::map<std::string, int32_t> costs;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(1);
        Boss& fight = game.fight<Boss>();
        std::vector<std::pair<std::string, std::function<void(Boss&)>>> cases = {
            {"brute", [](Boss& f) { putOnCharacter(f.bossPlayer.get(), *f.character); }}};
        for (int32_t k = 0; k < Boss::kMinionCount; ++k)
            cases.emplace_back("minion " + std::to_string(k), [k](Boss& f) {
                f.activeMinions->set(k, f.freeMinions->at(k));
                putOnCharacter(f.activeMinions->at(k)->player.get(), *f.character);
            });
        for (const auto& [name, put] : cases) {
            // Nothing else within reach: the brute far above, no minion out.
            fight.bossPlayer->setY(-1000);
            for (int32_t k = 0; k < Boss::kMinionCount; ++k) fight.activeMinions->set(k, nullptr);
            costs[name] = contactCost(fight, put);
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(costs, (std::map<std::string, int32_t>{{"brute", 10}, {"minion 0", 10}, {"minion 1", 10},
                                                     {"minion 2", 15}, {"minion 3", 15}, {"minion 4", 15}}));
}

// Busy enough for a picture: four minions out.
void pictures(BossGame&, Boss& fight, const SaveOnce& once) {
    if (minionsIn(fight.activeMinions) >= 4) once("play");
}

// The nearest target: a live minion, else the brute.
int32_t targetX(Boss& fight) {
    const int32_t heroX = fight.character->getX();
    int32_t best = fight.bossPlayer->getX();
    for (int32_t k = 0; k < 5; ++k) {
        InGameObject::Enemy* minion = fight.activeMinions->at(k);
        if (!minion || minion->state != InGameObject::Enemy::kAlive) continue;
        if (std::abs(minion->getX() - heroX) < std::abs(best - heroX)) best = minion->getX();
    }
    return best;
}

// The winning route, with the first weapon.
const int32_t* winningTouch(Boss& fight) {
    const int32_t heroX = fight.character->getX();
    if (fight.bossPhase == Boss::kDefeated) {
        return fight.rewardPlayer ? closeGap(fight.rewardPlayer->getX() - heroX, 4) : nullptr;
    }
    const int32_t target = targetX(fight);
    // Too close to hit: walk on, turning only at the edges, until there is room.
    static bool goingRight = true;
    if (heroX < 30) goingRight = true;
    if (heroX > 210) goingRight = false;
    if (std::abs(target - heroX) < 30) return goingRight ? kMoveRight : kMoveLeft;
    return target < heroX ? kAttackLeft : kAttackRight;
}

TEST(Boss2, WonByTouchWithTheFirstWeapon) {
    expectWon(playFight<Boss>(1, "win", kMaxFrames, true, pictures, winningTouch), 1);
}

TEST(Boss2, StandingStillLoses) {
    expectLost(playFight<Boss>(1, "loss", kMaxFrames, false, pictures, standStill<Boss>), 1);
}

}  // namespace
