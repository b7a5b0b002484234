// Boss fight 1 in the real game, headless on fake time over the compiled content: the stage
// time's sum, loading, pause, the fight's rules, and the fight played by touch to a win and to
// a loss through the game driver (frames saved under boss1_frames/).

#include <filesystem>
#include <map>
#include <string>

#include "src/game/boss/scene_InGameBoss_1.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_1;

constexpr int kMaxFrames = 20 * 60 * 20;

TEST(BossFrame, StageTimeAddsTheFightBeforeSplitting) {
    struct Case {
        int64_t fight;
        int32_t h, m, s;
        boss::StageTime want;
    } cases[] = {
        {75'000, 0, 12, 50, {0, 14, 5}},
        {999, 0, 0, 59, {0, 0, 59}},
        {1'000, 1, 59, 59, {2, 0, 0}},
        {61'000, 100, 30, 20, {99, 31, 21}},  // over 99 h: 99 with the total's minutes and seconds
        {3'570'000, 0, 1, 0, {1, 0, 30}},     // 59:30 fought after 0:01:00
    };
    for (const Case& c : cases) {
        const boss::StageTime got = boss::totalTime(c.fight, c.h, c.m, c.s);
        EXPECT_EQ(got.hours, c.want.hours);
        EXPECT_EQ(got.minutes, c.want.minutes);
        EXPECT_EQ(got.seconds, c.want.seconds);
    }
}

TEST(Boss1, LoadsInSixteenCallsOnTheEightColumns) {
    BossGame game;
    static int calls;
    static bool loadingAfterFifteen;
    static std::vector<int32_t> columns, decorationY;
    static int32_t state, heroX, groundY, ground0, decorationHeight;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(0);
        calls = 1;
        while (game.fight<Boss>().isLoading()) {
            loadingAfterFifteen = calls == 15;
            game.frames(1);
            ++calls;
        }
        Boss& fight = game.fight<Boss>();
        state = fight.state;
        columns.push_back(fight.bossPlayer->getX());
        for (int32_t i = 0; i < 10; ++i) columns.push_back(fight.shotPool->at(i)->getX());
        for (int32_t i = 0; i < 8; ++i) decorationY.push_back(fight.decorationPlayers->at(i)->getY());
        decorationHeight = fight.decorationPlayers->at(0)->getCurrentFrame()->height;
        heroX = fight.character->getX();
        groundY = fight.groundY;
        ground0 = fight.groundLine->at(239);
        game.manager().requestExit();
    });
    EXPECT_EQ(calls, 16);
    EXPECT_TRUE(loadingAfterFifteen);
    EXPECT_EQ(state, boss::kIntro);
    for (int32_t x : columns) EXPECT_TRUE(x % 26 == 0 && x >= 26 && x <= 208) << x;
    const int32_t up = -(decorationHeight / 2);
    EXPECT_EQ(decorationY, (std::vector<int32_t>{0, 0, up, 0, up, 0, 0, up}));
    EXPECT_EQ(heroX, 120);
    EXPECT_EQ(groundY, 224);
    EXPECT_EQ(ground0, 224);
}

// Pause does nothing while loading; in the intro it freezes the curtain, which goes on from
// where it was after the menu's first entry.
TEST(Boss1, PausingTheIntroKeepsItsCurtain) {
    BossGame game;
    static int32_t whileLoading, paused, curtainBefore, curtainAfter, resumed, pausedAgain;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.enter(0);
        Boss& fight = game.fight<Boss>();
        fight.pause();
        whileLoading = fight.state;
        while (fight.isLoading()) game.frames(1);
        game.frames(3);
        fight.pause();
        paused = fight.state;
        curtainBefore = fight.transitionPlayer->getY();
        game.frames(5);
        curtainAfter = fight.transitionPlayer->getY();
        fight.pause();
        pausedAgain = fight.savedState;
        game.tap(kResumeEntry[0], kResumeEntry[1]);
        game.frames(1);
        resumed = fight.state;
        game.manager().requestExit();
    });
    EXPECT_EQ(whileLoading, boss::kLoading);
    EXPECT_EQ(paused, boss::kPauseMenu);
    EXPECT_EQ(curtainAfter, curtainBefore);
    EXPECT_EQ(pausedAgain, boss::kIntro);  // a second pause leaves the saved state alone
    EXPECT_EQ(resumed, boss::kIntro);
}

// The fight's rules, driven on the loaded fight directly.
TEST(Boss1, ShotsTheGolemAndTheReward) {
    BossGame game;
    static int32_t spawnedAfter3950, spawnedAfter4000, spawnedWhenFull, rewrecked, hpAtTop, shotsAfterDefeat,
        spawnedAfterDefeat, rewardWhileFalling, rewardOnGround;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(0);
        Boss& fight = game.fight<Boss>();
        auto active = [&] {
            int32_t n = 0;
            for (int32_t i = 0; i < 10; ++i) n += fight.activeShots->at(i) != nullptr;
            return n;
        };
        fight.character->setInvulnerableTimer(1'000'000);
        fight.shotTimer = 0;
        fight.frameTime = 3950;
        fight.updateGame();
        spawnedAfter3950 = active();
        fight.frameTime = 50;
        fight.updateGame();
        spawnedAfter4000 = active();
        // Fill every slot, then one more period spawns nothing.
        for (int32_t k = 0; k < 9; ++k) {
            fight.shotTimer = 4000;
            fight.updateGame();
        }
        fight.shotTimer = 4000;
        fight.updateGame();
        spawnedWhenFull = active();
        // A wrecked shot hit again restarts animation 12.
        kv::AnimPlayer* shot = fight.activeShots->at(0);
        shot->setAnimation(Boss::kWreckLeft);
        fight.character->body->setX(shot->getX());
        VMPtr<kv::AnimPlayer> bolt = InGameObject::newPlayer(fight.bossSet, Boss::kShotFall);
        bolt->setX(shot->getX());
        bolt->setY(shot->getY());
        fight.character->getProjectiles()->set(0, bolt.get());
        fight.checkCollisions();
        rewrecked = shot->getAnimation();
        fight.character->getProjectiles()->set(0, nullptr);
        // At y 0 a projectile passes through the golem.
        fight.bossPlayer->setAnimation(Boss::kRise);
        fight.bossPlayer->setY(0);
        bolt->setX(fight.bossPlayer->getX());
        bolt->setY(-20);
        fight.character->getProjectiles()->set(0, bolt.get());
        fight.checkCollisions();
        hpAtTop = fight.bossHitPoints;
        // A blow that leaves 0 hit points defeats it: every shot wrecked, no new ones.
        fight.bossPlayer->setY(150);
        bolt->setY(130);
        fight.bossHitPoints = 5;
        fight.character->slotDamage->at(0) = 5;
        fight.checkCollisions();
        int32_t wrecking = 0;
        for (int32_t i = 0; i < 10; ++i) {
            const int32_t a = fight.activeShots->at(i) ? fight.activeShots->at(i)->getAnimation() : -1;
            wrecking += a == Boss::kWreckLeft || a == Boss::kWreckRight;
        }
        shotsAfterDefeat = wrecking;
        for (int k = 0; k < 200 && fight.bossPhase != Boss::kGone; ++k) {
            fight.frameTime = 50;
            fight.updateGame();
        }
        fight.shotTimer = 3999;
        fight.updateGame();
        spawnedAfterDefeat = active();
        // The reward falls onto the character, who cannot take it before it lands.
        fight.rewardPlayer->setX(fight.character->getX());
        fight.rewardPlayer->setY(fight.groundY - 10);
        fight.updateGame();
        rewardWhileFalling = fight.rewardPlayer ? 1 : 0;
        for (int k = 0; k < 40 && fight.rewardPlayer; ++k) fight.updateGame();
        rewardOnGround = fight.rewardPlayer ? 1 : 0;
        game.manager().requestExit();
    });
    EXPECT_EQ(spawnedAfter3950, 0);
    EXPECT_EQ(spawnedAfter4000, 1);
    EXPECT_EQ(spawnedWhenFull, 10);
    EXPECT_EQ(rewrecked, Boss::kWreckRight);
    EXPECT_EQ(hpAtTop, 200);
    EXPECT_EQ(shotsAfterDefeat, 10);
    EXPECT_EQ(spawnedAfterDefeat, 0);
    EXPECT_EQ(rewardWhileFalling, 1);
    EXPECT_EQ(rewardOnGround, 0);
}

// Touching a shot, falling or walking, or the golem costs the character 10 health.
TEST(Boss1, ContactWithAShotOrTheGolemCostsTen) {
    BossGame game;
    static std::map<std::string, int32_t> costs;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(0);
        Boss& fight = game.fight<Boss>();
        auto shot = [](int32_t animation) { return [animation](Boss& f) { putShotOnCharacter(f, animation); }; };
        const std::pair<std::string, std::function<void(Boss&)>> cases[] = {
            {"falling shot", shot(Boss::kShotFall)},
            {"walking shot", shot(Boss::kWalkLeft)},
            {"golem", [](Boss& f) {
                 f.bossPlayer->setAnimation(Boss::kLanded);
                 putOnCharacter(f.bossPlayer.get(), *f.character);
             }}};
        for (const auto& [name, put] : cases) {
            // Nothing else within reach: the golem far above, every shot back in the pool.
            fight.bossPlayer->setY(-1000);
            poolEveryShot(fight);
            costs[name] = contactCost(fight, put);
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(costs, (std::map<std::string, int32_t>{{"falling shot", 10}, {"walking shot", 10}, {"golem", 10}}));
}

// The golem waits 5000 ms on the ground once its landing has played out, and 5000 ms at the
// top before it drops again over the character.
TEST(Boss1, TheGolemWaitsFiveSecondsDownAndUp) {
    BossGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(0);
        Boss& fight = game.fight<Boss>();
        fight.character->setInvulnerableTimer(1'000'000);
        fight.frameTime = 50;
        auto waitFor = [&](int32_t next) {
            fight.bossTimer = 0;
            int32_t updates = 0;
            for (; updates < 1000 && fight.bossPlayer->getAnimation() != next; ++updates) fight.updateGame();
            return updates;
        };
        fight.bossPlayer->setAnimation(Boss::kLanded);
        fight.bossPlayer->setY(fight.groundY);
        while (fight.bossPlayer->update(50)) {
        }
        seen.push_back(waitFor(Boss::kRise));
        fight.bossPlayer->setY(0);
        fight.character->body->setX(52);
        seen.push_back(waitFor(Boss::kDrop));
        seen.push_back(fight.bossPlayer->getX());
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{100, 100, 52}));
}

// The closing curtain holds at its start for 3000 ms; the stage's earlier hurt flag is kept.
TEST(Boss1, TheEndHoldsThenStoresAndLeaves) {
    BossGame game;
    static int32_t heldY, movedY, hurt, next;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(0);
        Boss& fight = game.fight<Boss>();
        fight.progress->at(13) = 1;
        fight.character->setInvulnerableTimer(1'000'000);
        boss::startEnd(fight, boss::kBeaten);
        game.frames(59);  // 2950 ms
        heldY = fight.transitionPlayer->getY();
        game.frames(2);
        movedY = fight.transitionPlayer->getY();
        while (game.inFight<Boss>()) game.frames(1);
        hurt = game.record(0)[13];
        next = askedScenes.back();
        game.manager().requestExit();
    });
    EXPECT_EQ(heldY, 0);
    EXPECT_GT(movedY, 0);
    EXPECT_EQ(hurt, 1);
    EXPECT_EQ(next, scene_id::kResult);
}

// Busy enough for a picture: the golem down with two drops out.
void pictures(BossGame&, Boss& fight, const SaveOnce& once) {
    if (fight.bossPlayer->getAnimation() == Boss::kLanded && fight.activeShots->at(1)) once("play");
}

// The winning route, with the first weapon.
const int32_t* winningTouch(Boss& fight) {
    if (fight.bossPhase != Boss::kGone) return kAttackUp;
    return closeGap(fight.rewardPlayer->getX() - fight.character->getX(), 4);
}

TEST(Boss1, WonByTouchWithTheFirstWeapon) {
    expectWon(playFight<Boss>(0, "win", kMaxFrames, true, pictures, winningTouch), 0);
}

TEST(Boss1, StandingStillLoses) {
    expectLost(playFight<Boss>(0, "loss", kMaxFrames, false, pictures, standStill<Boss>), 0);
}

// The pause menu by touch, its pictures saved as boss1_frames/pause.png and quit.png.
TEST(Boss1, PanelsByTouchQuitAndRestart) {
    expectPanels(panelsByTouch<Boss>(0, stateAndPicture<Boss>("boss1_frames/pause.png"),
                                     stateAndPicture<Boss>("boss1_frames/quit.png")),
                 0, {boss::kPauseMenu, boss::kQuitQuestion});
}

}  // namespace
