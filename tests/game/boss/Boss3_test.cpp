// Boss fight 3 in the real game, headless on fake time over the compiled content: loading, the
// shield's one-a-frame rule, part hits, the end in a frame of both a win and a death, and the
// fight played by touch to a win and to a loss (frames saved under boss3_frames/).

#include <filesystem>

#include "src/game/boss/scene_InGameBoss_3.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_3;

constexpr int32_t kAttackUp[2] = {120, 60}, kMoveLeft[2] = {40, 270}, kMoveRight[2] = {200, 260};
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

struct FightRun {
    int32_t lastScene = -1, hurt = -1, endState = -1;
    int64_t fightFrames = 0, playTime = 0;
    std::vector<int8_t> before, after;
};

int32_t liveShots(Boss& fight) {
    int32_t n = 0;
    for (int32_t k = 0; k < 20; ++k) n += fight.activeShots->at(k) != nullptr;
    return n;
}

template <typename Hold> void play(BossGame& game, FightRun& run, const std::string& name, bool shield, Hold hold) {
    const int32_t* held = nullptr;
    bool savedPlay = false, savedEnd = false, savedCurtain = false;
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
            if (!savedPlay && liveShots(fight) >= 4 && fight.bossPhase == Boss::kDropping) {
                savedPlay = true;
                game.savePng("boss3_frames/" + name + "_play.png");
            }
        } else {
            if (held) game.release(held[0], held[1]);
            held = nullptr;
            run.endState = fight.state;
            run.hurt = fight.character->noDamage ? 0 : 1;
            run.playTime = fight.playTime;
            if (!savedEnd && fight.endTimer >= 1000) {
                savedEnd = true;
                game.savePng("boss3_frames/" + name + "_end.png");
            }
            if (!savedCurtain && fight.endTimer >= 3300) {
                savedCurtain = true;
                game.savePng("boss3_frames/" + name + "_curtain.png");
            }
        }
        game.frames(1);
    }
    if (game.inFight<Boss>())
    {
        Boss& f = game.fight<Boss>();
        std::printf("left at phase %d, %d hit points, parts %d %d %d %d at y %d, hero %d carrier %d\n", f.bossPhase,
                    f.bossHitPoints, f.partHealth->at(0), f.partHealth->at(1), f.partHealth->at(2), f.partHealth->at(3),
                    f.partPlayers->at(0)->getY(), f.character->getX(), f.carrierPlayer->getAnimation());
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
    EXPECT_EQ(run.after[15], 2);
    EXPECT_EQ(run.after[16], 1);
    EXPECT_EQ(run.after[17], total.hours);
    EXPECT_EQ(run.after[18], total.minutes);
    EXPECT_EQ(run.after[19], total.seconds);
    std::printf("fight time %lld ms (%lld frames)\n", static_cast<long long>(run.playTime),
                static_cast<long long>(run.fightFrames));
}

// Walks to x and attacks upward there.
const int32_t* attackFrom(Boss& fight, int32_t x) {
    const int32_t gap = x - fight.character->getX();
    if (gap < -10) return kMoveLeft;
    if (gap > 10) return kMoveRight;
    return kAttackUp;
}

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
        play(game, run, "win", true, [](Boss& fight) -> const int32_t* {
            if (fight.bossPhase == Boss::kDefeated) {
                if (!fight.rewardPlayer) return nullptr;
                const int32_t gap = fight.rewardPlayer->getX() - fight.character->getX();
                return gap < -4 ? kMoveLeft : gap > 4 ? kMoveRight : nullptr;
            }
            for (int32_t k = 0; k < 4; ++k)
                if (fight.partHealth->at(k) > 0) return attackFrom(fight, fight.partPlayers->at(k)->getX());
            return attackFrom(fight, 120);
        });
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kBeaten);
    EXPECT_EQ(run.lastScene, scene_id::kResult);
    expectStored(run);
}

TEST(Boss3, StandingStillLoses) {
    std::filesystem::create_directories("boss3_frames");
    BossGame game;
    static FightRun run;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(2);
        play(game, run, "loss", false, [](Boss&) -> const int32_t* { return nullptr; });
        game.manager().requestExit();
    });
    EXPECT_EQ(run.endState, boss::kLost);
    EXPECT_EQ(run.hurt, 1);
    EXPECT_EQ(run.lastScene, scene_id::kGameOver);
    expectStored(run);
}

}  // namespace
