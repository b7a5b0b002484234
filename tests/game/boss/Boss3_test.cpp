// Boss fight 3 in the real game, headless on fake time over the compiled content: loading, the
// shield's one-a-frame rule, part hits, the end in a frame of both a win and a death, and the
// fight played by touch to a win and to a loss (frames saved under boss3_frames/).

#include <filesystem>

#include "src/game/boss/scene_InGameBoss_3.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_3;


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

bool busy(Boss& fight) { return liveShots(fight) >= 4 && fight.bossPhase == Boss::kDropping; }

TEST(Boss3, WonByTouchWithTheFirstWeapon) {
    std::filesystem::create_directories("boss3_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(2);
        game.frames(20);
        game.savePng("boss3_frames/intro.png");
        while (game.fight<Boss>().state != boss::kPlaying) game.frames(1);
        playFight<Boss>(game, run, "boss3_frames", "win", boss3Move, busy);
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kBeaten);
    EXPECT_EQ(run.lastScene, scene_id::kResult);
    expectStored(run, 2);
}

TEST(Boss3, StandingStillLoses) {
    std::filesystem::create_directories("boss3_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        playFight<Boss>(game, run, "boss3_frames", "loss", [](Boss&, const LevelPoints&) { return Point{}; }, busy);
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kLost);
    EXPECT_EQ(run.hurt, 1);
    EXPECT_EQ(run.lastScene, scene_id::kGameOver);
    expectStored(run, 2);
}

}  // namespace
