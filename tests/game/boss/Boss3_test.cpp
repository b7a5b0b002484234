// Boss fight 3 in the real game, headless on fake time over the compiled content: loading, the
// shield's one-a-frame rule, part hits, the end in a frame of both a win and a death, the drop,
// the launches and the parts' return, and the fight played by touch to a win and to a loss
// (frames saved under boss3_frames/).

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "src/game/boss/scene_InGameBoss_3.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_3;

constexpr int kMaxFrames = 8 * 60 * 20;

TEST(Boss3, LoadsThePartsOnTheCarriersBoxes) {
    BossGame game;
    static std::vector<int32_t> placed, expected, health;
    static int32_t hitPoints, heroX;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(2);
        while (game.fight<Boss>().isLoading()) game.frames(1);
        Boss& fight = game.fight<Boss>();
        VMPtr<kv::Paintable::BoxArray> boxes = boss::newBoxes(4);
        fight.carrierPlayer->getCollisionBoxes(0, boxes, 0);
        for (int32_t k = 0; k < 4; ++k) {
            placed.push_back(fight.partPlayers->at(k)->getX());
            placed.push_back(fight.partPlayers->at(k)->getY());
            expected.push_back(120 + boxes->at(k)->x);
            expected.push_back(boxes->at(k)->y);
            health.push_back(fight.partHealth->at(k));
        }
        hitPoints = fight.bossHitPoints;
        heroX = fight.character->getX();
        game.manager().requestExit();
    });
    EXPECT_EQ(placed, expected);
    EXPECT_EQ(health, (std::vector<int32_t>{30, 30, 30, 30}));
    EXPECT_EQ(hitPoints, 500);
    EXPECT_EQ(heroX, 120);
}

TEST(Boss3, ShieldPartsAndTheLastFrame) {
    BossGame game;
    static int32_t afterShield, clearedByShield, hpAfterParts, endState;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        Boss& fight = game.fight<Boss>();
        VMPtr<kv::AnimPlayer> a = InGameObject::newPlayer(fight.bossSet, 5), b = InGameObject::newPlayer(fight.bossSet, 5);
        auto aim = [&](kv::AnimPlayer* bolt, int32_t x, int32_t y, int32_t slot) {
            bolt->setX(x);
            bolt->setY(y);
            fight.character->slotDamage->at(slot) = 5;
            fight.character->getProjectiles()->set(slot, bolt);
        };
        // Two projectiles at the closed shield: one is cleared, the other reaches the core.
        aim(a.get(), 120, 40, 0);
        aim(b.get(), 125, 40, 1);
        fight.checkCollisions();
        afterShield = fight.bossHitPoints;
        clearedByShield = (fight.character->getProjectiles()->at(0) == nullptr) + (fight.character->getProjectiles()->at(1) == nullptr);
        // Part hits never touch the boss's hit points.
        fight.carrierPlayer->setAnimation(Boss::kDeploy);
        for (int32_t k = 0; k < 4; ++k) {
            aim(a.get(), fight.partPlayers->at(k)->getX(), fight.partPlayers->at(k)->getY() + 8, 0);
            fight.checkCollisions();
        }
        hpAfterParts = fight.bossHitPoints;
        // Beaten and dead in one frame: the fight ends as won.
        fight.bossPhase = Boss::kDefeated;
        fight.rewardPlayer = nullptr;
        fight.character->health = 0;
        fight.frameTime = 50;
        fight.updateGame();
        endState = fight.state;
        game.manager().requestExit();
    });
    EXPECT_EQ(afterShield, 495);
    EXPECT_EQ(clearedByShield, 2);
    EXPECT_EQ(hpAfterParts, 495);
    EXPECT_EQ(endState, boss::kBeaten);
}


int32_t liveShots(Boss& fight) {
    int32_t n = 0;
    for (int32_t k = 0; k < 20; ++k) n += fight.activeShots->at(k) != nullptr;
    return n;
}

// The drop ends in the step where the hazard has sunk wholly below the ground line, even with
// the body hit while it falls, and not before.
TEST(Boss3, TheDropEndsOnlyOnceTheHazardHasSunk) {
    BossGame game;
    static std::vector<std::string> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        Boss& fight = game.fight<Boss>();
        fight.frameTime = 50;
        fight.bossTimer = 2950;
        fight.updateBoss();
        seen.push_back("phase " + std::to_string(fight.bossPhase));
        fight.bossPlayer->setAnimation(Boss::kHit);
        for (int k = 0; k < 2000 && fight.bossPhase == Boss::kDropping; ++k) {
            fight.updateBoss();
            kv::AnimPlayer* hazard = fight.hazardPlayer.get();
            const bool sunk = hazard->getY() - hazard->getCurrentFrame()->height > fight.groundY;
            if (sunk != (fight.bossPhase == Boss::kWaiting))
                seen.push_back("phase " + std::to_string(fight.bossPhase) + " with the hazard at " +
                               std::to_string(fight.hazardPlayer->getY()));
        }
        seen.push_back("phase " + std::to_string(fight.bossPhase) + " body " +
                       std::to_string(fight.bossPlayer->getAnimation()));
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"phase 1", "phase 0 body 0"}));
}

// Launches come only from the side whose parts live; with twenty shots out none follow. The
// attempts are 500 ms apart; 1 ms steps keep the shots from sinking meanwhile.
TEST(Boss3, LaunchesNeedALivePartAndAFreeSlot) {
    BossGame game;
    static int32_t launched, wrongSide, full, fullAfter, pooled;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        Boss& fight = game.fight<Boss>();
        while (fight.carrierPlayer->update(50)) {
        }
        VMPtr<kv::Paintable::BoxArray> launchers = boss::newBoxes(2);
        fight.carrierPlayer->getCollisionBoxes(0, launchers, 1);
        const int32_t secondLauncherX = fight.carrierPlayer->getX() + launchers->at(1)->x;
        fight.frameTime = 1;
        auto attempt = [&] {
            fight.carrierTimer = 499;
            fight.updateBoss();
        };
        fight.partHealth->at(0) = fight.partHealth->at(1) = 0;
        for (int k = 0; k < 40; ++k) {
            const int32_t before = liveShots(fight);
            attempt();
            if (liveShots(fight) == before) continue;
            ++launched;
            wrongSide += fight.activeShots->at(before)->getX() != secondLauncherX;
        }
        fight.partHealth->at(0) = fight.partHealth->at(1) = 30;
        for (int k = 0; k < 200 && liveShots(fight) < 20; ++k) attempt();
        full = liveShots(fight);
        for (int k = 0; k < 10; ++k) attempt();
        fullAfter = liveShots(fight);
        for (int32_t k = 0; k < 20; ++k) pooled += fight.shotPool->at(k) != nullptr;
        game.manager().requestExit();
    });
    EXPECT_GT(launched, 5);
    EXPECT_LT(launched, 35);  // about half the attempts draw the dead side
    EXPECT_EQ(wrongSide, 0);
    EXPECT_EQ(full, 20);
    EXPECT_EQ(fullAfter, 20);
    EXPECT_EQ(pooled, 0);
}

// With the last part down the carrier is exposed and the shield opens; the parts come back at
// full health 5000 ms after the exposure animation has played out, the shield closed again.
TEST(Boss3, ThePartsReturnFiveSecondsAfterTheExposure) {
    BossGame game;
    static int32_t exposedShield, updates, exposureUpdates, shieldAfter;
    static std::vector<int32_t> healthAfter;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        Boss& fight = game.fight<Boss>();
        while (fight.carrierPlayer->update(50)) {
        }
        VMPtr<kv::AnimPlayer> probe = InGameObject::newPlayer(fight.bossSet, Boss::kExposed);
        while (probe->update(50)) ++exposureUpdates;
        for (int32_t k = 0; k < 4; ++k) fight.partHealth->at(k) = 0;
        fight.frameTime = 50;
        fight.updateBoss();
        exposedShield = fight.shieldPlayer->getAnimation();
        while (updates < 1000 && fight.carrierPlayer->getAnimation() == Boss::kExposed) {
            fight.updateBoss();
            ++updates;
        }
        shieldAfter = fight.shieldPlayer->getAnimation();
        for (int32_t k = 0; k < 4; ++k) healthAfter.push_back(fight.partHealth->at(k));
        game.manager().requestExit();
    });
    EXPECT_EQ(exposedShield, Boss::kShieldOpen);
    EXPECT_EQ(updates, exposureUpdates + 100);
    EXPECT_EQ(shieldAfter, Boss::kShieldClosed);
    EXPECT_EQ(healthAfter, (std::vector<int32_t>{30, 30, 30, 30}));
}

// Touching the hazard or a shot of any of the three kinds costs the character 15 health.
TEST(Boss3, ContactWithTheHazardOrAShotCostsFifteen) {
    BossGame game;
    static std::map<std::string, int32_t> costs;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        Boss& fight = game.fight<Boss>();
        std::vector<std::pair<std::string, std::function<void(Boss&)>>> cases = {
            {"hazard", [](Boss& f) { putOnCharacter(f.hazardPlayer.get(), *f.character); }}};
        for (int32_t kind = 0; kind < 3; ++kind)
            cases.emplace_back("shot " + std::to_string(kind),
                               [kind](Boss& f) { putShotOnCharacter(f, Boss::kFirstShot + kind); });
        for (const auto& [name, put] : cases) {
            // Nothing else within reach: the hazard far above, every shot back in the pool.
            fight.hazardPlayer->setY(-1000);
            poolEveryShot(fight);
            costs[name] = contactCost(fight, put);
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(costs, (std::map<std::string, int32_t>{{"hazard", 15}, {"shot 0", 15}, {"shot 1", 15}, {"shot 2", 15}}));
}

// Busy enough for a picture: two shots out.
void pictures(BossGame&, Boss& fight, const SaveOnce& once) {
    if (liveShots(fight) >= 2) once("play");
}

// Walks to x and attacks upward there.
const int32_t* attackFrom(Boss& fight, int32_t x) {
    const int32_t* move = closeGap(x - fight.character->getX(), 10);
    return move ? move : kAttackUp;
}

// The winning route, with the first weapon.
const int32_t* winningTouch(Boss& fight) {
    if (fight.bossPhase == Boss::kDefeated) {
        return fight.rewardPlayer ? closeGap(fight.rewardPlayer->getX() - fight.character->getX(), 4) : nullptr;
    }
    for (int32_t k = 0; k < 4; ++k)
        if (fight.partHealth->at(k) > 0) return attackFrom(fight, fight.partPlayers->at(k)->getX());
    return attackFrom(fight, 120);
}

TEST(Boss3, WonByTouchWithTheFirstWeapon) {
    expectWon(playFight<Boss>(2, "win", kMaxFrames, true, pictures, winningTouch), 2);
}

TEST(Boss3, StandingStillLoses) {
    expectLost(playFight<Boss>(2, "loss", kMaxFrames, false, pictures, standStill<Boss>), 2);
}

}  // namespace
