// Boss fight 5 in the real game, headless on fake time over the compiled content: loading, the
// keeper's attacks (the choice, the slams and their shards, the rain, the summons), the heart
// and the guards under fire, the finale, and the fight played by touch to a win and to a loss
// (frames saved under boss5_frames/).

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "src/game/boss/scene_InGameBoss_5.h"
#include "tests/game/boss/BossGame.h"

namespace {

using namespace boss_test;
using Boss = scene::InGameBoss_5;

constexpr int32_t kStage = 4;
constexpr int kMaxFrames = 15 * 60 * 20;

void step(Boss& fight, int32_t dt) {
    fight.frameTime = dt;
    fight.updateBoss();
}

// Runs the keeper's phase machine until its parts end the current phase.
void runPhase(Boss& fight, int32_t phase) {
    for (int k = 0; k < 400 && fight.bossPhase == phase; ++k) step(fight, 50);
}

TEST(Boss5, LoadsForTheLastStage) {
    BossGame game;
    static int calls;
    static std::vector<int32_t> heroAfter, bossAfter, ids, rows, heart, expectedHeart;
    static int32_t heroStage, hitPoints, crownY, expectedCrownY;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        // A stored stage other than 4: the fight still takes the last stage's.
        game.start();
        game.manager().storeResult(0, kCollected, 2, 0, 1, 0, kStoredMinutes, kStoredSeconds);
        game.manager().changeScene(scene_id::kBoss5);
        game.frames(1);
        for (calls = 1; game.fight<Boss>().isLoading(); ++calls) {
            Boss& fight = game.fight<Boss>();
            if (fight.character) heroAfter.push_back(calls);
            if (fight.bossBody) bossAfter.push_back(calls);
            game.frames(1);
        }
        Boss& fight = game.fight<Boss>();
        heroStage = fight.character->stage;
        hitPoints = fight.bossHitPoints;
        for (int32_t i = 0; i < Boss::kMinionCount; ++i) {
            ids.push_back(fight.spareMinions->at(i)->id);
            rows.push_back(fight.spareMinions->at(i)->row);
        }
        VMPtr<boss::BoxArray> boxes = boss::newBoxes(1);
        kv::graphics::CollisionBox* box = boss::placedBox(fight.bossBody.get(), boxes);
        expectedHeart = {box->x, box->y};
        heart = {fight.weakPointEffect->getX(), fight.weakPointEffect->getY()};
        crownY = fight.defeatEffect->getY();
        expectedCrownY = 224 - fight.bossBody->getCurrentFrame()->height;
        game.manager().requestExit();
    });
    EXPECT_EQ(calls, 16);
    ASSERT_FALSE(heroAfter.empty());
    ASSERT_FALSE(bossAfter.empty());
    EXPECT_EQ(heroAfter.front(), 2);
    EXPECT_EQ(bossAfter.front(), 11);
    EXPECT_EQ(heroStage, 4);
    EXPECT_EQ(hitPoints, 2000);
    EXPECT_EQ(ids, (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(rows, (std::vector<int32_t>{0, 1, 2, 3, 5}));
    EXPECT_EQ(heart, expectedHeart);
    EXPECT_EQ(crownY, expectedCrownY);
}

TEST(Boss5, TheKeepersAttacks) {
    BossGame game;
    static int32_t at450, at500, afterLongStep, timerAfterLongStep;
    static std::set<int32_t> chosen;
    static int32_t groundHits, airHits, shardsAtA, shardsAtB, keptInFlight;
    static std::vector<int32_t> rainCounts;
    static bool columnsOk;
    static int32_t rainMost, phaseAfterRain, rainLeft, keptMinion, summoned, phaseAfterMinions;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        fight.character->setInvulnerableTimer(0);
        // The first choice comes when 500 ms of rest have gathered.
        fight.bossPhase = Boss::kIdle;
        fight.phaseTimer = 0;
        step(fight, 450);
        at450 = fight.bossPhase;
        step(fight, 50);
        at500 = fight.bossPhase;
        // A 600 ms step chooses at once and starts the next rest from 0.
        fight.bossPhase = Boss::kIdle;
        fight.phaseTimer = 0;
        step(fight, 600);
        afterLongStep = fight.bossPhase;
        timerAfterLongStep = fight.phaseTimer;
        // The choice takes every attack in turn.
        for (int k = 0; k < 64; ++k) {
            activeClock->advance(7);
            fight.bossPhase = Boss::kIdle;
            fight.phaseTimer = 500;
            step(fight, 0);
            chosen.insert(fight.bossPhase);
        }
        // A slam strikes once: a character on the ground loses 20, one in the air nothing.
        for (bool inAir : {false, true}) {
            fight.bossPhase = Boss::kSlam;
            fight.slamDone = false;
            fight.bossPartA->setAnimation(Boss::kSlamA);
            fight.bossPartB->setAnimation(Boss::kSlamA + 1);
            for (int32_t i = 0; i < Boss::kShardCount; ++i)
                if (!fight.spareShards->at(i)) {
                    fight.spareShards->set(i, fight.activeShards->at(i));
                    fight.activeShards->set(i, nullptr);
                }
            fight.character->health = 100;
            fight.character->invulnerableTimer = fight.character->hurtTimer = 0;
            fight.character->body->setY(inAir ? 150 : 224);
            int32_t strikes = 0;
            while (fight.bossPhase == Boss::kSlam) {
                const bool before = fight.slamDone;
                step(fight, 50);
                if (fight.slamDone && !before) {
                    ++strikes;
                    // The shards burst from the two impact points.
                    if (!inAir) {
                        for (int32_t i = 0; i < Boss::kShardCount; ++i) {
                            InGameObject::Glass* shard = fight.activeShards->at(i);
                            if (!shard) continue;
                            const bool left = shard->x < 120;
                            (i < 5 ? shardsAtA : shardsAtB) += (i < 5) == left;
                        }
                        // A shard still in flight keeps its slot at the next slam, and a shape is
                        // still drawn for every slot.
                        InGameObject::Glass* flying = fight.activeShards->at(3);
                        fight.spareShards->set(0, fight.activeShards->at(0));
                        fight.activeShards->set(0, nullptr);
                        fight.slamDone = false;
                        fight.character->invulnerableTimer = 1'000'000;
                        VMPtr<kv::util::FastRandom> replay = kv::util::FastRandom::_VM_new();
                        replay->state = fight.random->state;
                        for (int32_t i = 0; i < Boss::kShardCount; ++i) replay->nextInt(7);
                        step(fight, 0);
                        keptInFlight = fight.activeShards->at(3) == flying && fight.spareShards->at(3) == nullptr &&
                                       fight.activeShards->at(0) != nullptr && replay->state == fight.random->state;
                        fight.character->invulnerableTimer = 0;
                        fight.character->hurtTimer = 0;
                    }
                }
                fight.character->body->setY(inAir ? 150 : 224);
            }
            (inAir ? airHits : groundHits) = (100 - fight.character->health) * 100 + strikes;
        }
        fight.character->body->setY(224);
        fight.character->setInvulnerableTimer(1'000'000);
        // The rain: an icicle every 300 ms at a column 12 x r, never more than 50.
        fight.bossPhase = Boss::kRain;
        fight.phaseTimer = 0;
        columnsOk = true;
        for (int k = 0; k < 60; ++k) {
            step(fight, 100);
            step(fight, 100);
            step(fight, 100);
            rainCounts.push_back(fight.rainList->size());
            kv::AnimPlayer* last = fight.rainAt(fight.rainList->size() - 1);
            columnsOk = columnsOk && last->getX() % 12 == 0 && last->getX() >= 12 && last->getX() <= 228;
        }
        rainMost = fight.rainList->size();
        for (int32_t i = 0; i < fight.rainList->size(); ++i) fight.rainAt(i)->setAnimation(Boss::kRainDone);
        runPhase(fight, Boss::kRain);
        phaseAfterRain = fight.bossPhase;
        rainLeft = fight.rainList->size();
        // The summons fills the free slots only.
        VMPtr<InGameObject::Enemy> staying = fight.spareMinions->at(2);
        fight.activeMinions->set(2, staying.get());
        fight.spareMinions->set(2, nullptr);
        fight.bossPhase = Boss::kSummons;
        step(fight, 50);
        keptMinion = fight.activeMinions->at(2) == staying.get();
        summoned = 0;
        for (int32_t i = 0; i < Boss::kMinionCount; ++i) summoned += fight.activeMinions->at(i) != nullptr;
        runPhase(fight, Boss::kSummons);
        // The guards' phase ends on a step that finds all five slots empty.
        for (int32_t i = 0; i < Boss::kMinionCount; ++i) fight.activeMinions->at(i)->state = InGameObject::Enemy::kFinished;
        runPhase(fight, Boss::kMinions);
        phaseAfterMinions = fight.bossPhase;
        // The first slam's strike in a real frame.
        fight.bossPhase = Boss::kSlam;
        fight.slamDone = false;
        fight.bossPartA->setAnimation(Boss::kSlamA);
        fight.bossPartB->setAnimation(Boss::kSlamA + 1);
        for (int k = 0; k < 100 && !fight.slamDone; ++k) game.frames(1);
        game.frames(2);
        std::filesystem::create_directories("boss5_frames");
        game.savePng("boss5_frames/slam.png");
        game.manager().requestExit();
    });
    EXPECT_EQ(at450, Boss::kIdle);
    EXPECT_NE(at500, Boss::kIdle);
    EXPECT_NE(afterLongStep, Boss::kIdle);
    EXPECT_EQ(timerAfterLongStep, 0);
    EXPECT_EQ(chosen, (std::set<int32_t>{Boss::kSlam, Boss::kCrossSlam, Boss::kRainWindUp, Boss::kSummons}));
    EXPECT_EQ(groundHits, 20 * 100 + 1);
    EXPECT_EQ(airHits, 0 * 100 + 1);
    EXPECT_EQ(shardsAtA, 5);
    EXPECT_EQ(shardsAtB, 5);
    EXPECT_TRUE(keptInFlight);
    EXPECT_EQ(rainCounts.front(), 1);
    EXPECT_EQ(rainCounts[9], 10);
    EXPECT_TRUE(columnsOk);
    EXPECT_EQ(rainMost, 50);
    EXPECT_EQ(phaseAfterRain, Boss::kIdle);
    EXPECT_EQ(rainLeft, 0);
    EXPECT_TRUE(keptMinion);
    EXPECT_EQ(summoned, 5);
    EXPECT_EQ(phaseAfterMinions, Boss::kIdle);
}

// At the game's steady 50 ms frames each attack keeps its one chance in four and none comes in
// a long streak: 400 choices, each made in a frame of play.
TEST(Boss5, EachAttackHasOneChanceInFourAtTheFramePace) {
    BossGame game;
    static std::map<int32_t, int32_t> counts;
    static int32_t longestRun;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        int32_t last = -1, run = 0;
        for (int k = 0; k < 400; ++k) {
            fight.character->setInvulnerableTimer(1'000'000);
            fight.bossPhase = Boss::kIdle;
            fight.phaseTimer = Boss::kRestMillis - 50;
            game.frames(1);
            ++counts[fight.bossPhase];
            run = fight.bossPhase == last ? run + 1 : 1;
            last = fight.bossPhase;
            longestRun = std::max(longestRun, run);
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(counts.size(), 4u);
    for (int32_t attack : {Boss::kSlam, Boss::kCrossSlam, Boss::kRainWindUp, Boss::kSummons}) {
        EXPECT_GE(counts[attack], 400 * 18 / 100) << "attack " << attack;
        EXPECT_LE(counts[attack], 400 * 32 / 100) << "attack " << attack;
    }
    EXPECT_LE(longestRun, 8);
}

// Every contact costs the character 20 health: a guard of any of the five rows, the thrower's
// missile, an icicle, either fist.
TEST(Boss5, EveryContactCostsTwenty) {
    BossGame game;
    static std::map<std::string, int32_t> costs;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        fight.frameTime = 0;  // the icicles stay where they are put
        auto guardOut = [](Boss& f, int32_t k) {
            f.activeMinions->set(k, f.spareMinions->at(k));
            return f.activeMinions->at(k);
        };
        std::vector<std::pair<std::string, std::function<void(Boss&)>>> cases = {
            {"missile", [guardOut](Boss& f) {
                 InGameObject::Enemy* thrower = guardOut(f, 2);
                 thrower->player->setY(-1000);
                 thrower->getEffectPlayer()->setAnimation(InGameObject::Enemy::kEffectFlight);
                 putOnCharacter(thrower->getEffectPlayer().get(), *f.character);
             }},
            {"icicle", [](Boss& f) {
                 kv::AnimPlayer* icicle = f.icicles->at(0);
                 icicle->setAnimation(Boss::kRainFall);
                 putOnCharacter(icicle, *f.character);
                 f.rainList->add(icicle);
             }},
            {"fist A", [](Boss& f) { putOnCharacter(f.bossPartA.get(), *f.character); }},
            {"fist B", [](Boss& f) { putOnCharacter(f.bossPartB.get(), *f.character); }}};
        for (int32_t k = 0; k < Boss::kMinionCount; ++k)
            cases.emplace_back("guard " + std::to_string(k), [guardOut, k](Boss& f) {
                putOnCharacter(guardOut(f, k)->player.get(), *f.character);
            });
        for (const auto& [name, put] : cases) {
            // Nothing else within reach: the fists far above, no guard out, no icicle.
            fight.bossPartA->setY(-1000);
            fight.bossPartB->setY(-1000);
            for (int32_t k = 0; k < Boss::kMinionCount; ++k) fight.activeMinions->set(k, nullptr);
            fight.rainList->clear();
            costs[name] = contactCost(fight, put);
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(costs, (std::map<std::string, int32_t>{{"guard 0", 20}, {"guard 1", 20}, {"guard 2", 20}, {"guard 3", 20},
                                                     {"guard 4", 20}, {"missile", 20}, {"icicle", 20}, {"fist A", 20},
                                                     {"fist B", 20}}));
}

// The heart and the guards under fire in one step; a projectile spends one hit per new guard.
TEST(Boss5, HeartAndGuardsUnderFire) {
    BossGame game;
    static int32_t hpAfterBoth, guardHealth, floored;
    static std::vector<int32_t> struck, hitsLeft;
    static int32_t finaleState, endState;
    static bool celebrated;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        fight.character->setInvulnerableTimer(1'000'000);
        VMPtr<kv::AnimPlayer> bolt = InGameObject::newPlayer(fight.bossSet, Boss::kHeart);
        const int32_t hx = fight.weakPointEffect->getX(), hy = fight.weakPointEffect->getY();
        // A guard standing in the heart's place: one projectile strikes both in one step.
        InGameObject::Enemy* guard = fight.spareMinions->at(0);
        fight.activeMinions->set(0, guard);
        fight.spareMinions->set(0, nullptr);
        guard->spawn(0, 0);
        guard->player->setX(hx + 12);
        guard->player->setY(hy + 24);
        bolt->setX(hx);
        bolt->setY(hy);
        fight.character->slotDamage->at(0) = 5;
        fight.character->hitsLeft->at(0) = 3;
        fight.character->getProjectiles()->set(0, bolt.get());
        fight.checkCollisions();
        hpAfterBoth = fight.bossHitPoints;
        guardHealth = guard->health;
        // Three guards in a projectile's way: a guard already struck by the slot takes nothing
        // and spends no hit; a new one spends the last hit, which ends the projectile.
        fight.character->getProjectiles()->set(0, nullptr);
        for (int32_t i = 0; i < 3; ++i) {
            InGameObject::Enemy* minion = fight.spareMinions->at(i + 1);
            fight.activeMinions->set(i + 1, minion);
            fight.spareMinions->set(i + 1, nullptr);
            minion->spawn(0, 0);
            minion->player->setX(40);
            minion->player->setY(224);
        }
        fight.activeMinions->set(0, nullptr);
        fight.spareMinions->set(0, guard);
        bolt->setX(40);
        bolt->setY(214);
        fight.character->getProjectiles()->set(0, bolt.get());
        fight.character->slotDamage->at(0) = 5;
        fight.character->hitsLeft->at(0) = 2;
        fight.character->hitCounts->at(0) = 0;
        for (int k = 0; k < 3; ++k) {
            if (k == 2) fight.activeMinions->at(1)->player->setX(200);
            fight.checkCollisions();
            int32_t n = 0;
            for (int32_t i = 1; i <= 3; ++i) n += fight.activeMinions->at(i)->health < 30;
            struck.push_back(n);
            hitsLeft.push_back(fight.character->hitsLeft->at(0) * 10 + (fight.character->getProjectiles()->at(0) != nullptr));
        }
        // The heart's hit points never go below 0.
        fight.character->getProjectiles()->set(0, bolt.get());
        bolt->setX(hx);
        bolt->setY(hy);
        fight.character->slotDamage->at(0) = 50;
        fight.bossHitPoints = 30;
        fight.checkCollisions();
        floored = fight.bossHitPoints;
        // Dead as the keeper falls: the finale begins, and the fight ends won without a
        // celebration.
        fight.character->health = 0;
        fight.character->dead = true;
        fight.frameTime = 50;
        fight.updateGame();
        finaleState = fight.state;
        fight.update(50);
        endState = fight.state;
        celebrated = fight.character->celebrating;
        game.manager().requestExit();
    });
    EXPECT_EQ(hpAfterBoth, 1995);
    EXPECT_EQ(guardHealth, 25);
    EXPECT_EQ(struck, (std::vector<int32_t>{1, 1, 2}));
    EXPECT_EQ(hitsLeft, (std::vector<int32_t>{11, 11, 0}));
    EXPECT_EQ(floored, 0);
    EXPECT_EQ(finaleState, boss::kFinale);
    EXPECT_EQ(endState, boss::kBeaten);
    EXPECT_FALSE(celebrated);
}

// Pause opens the menu from play, the intro, the end and the finale; loading, the menu and the
// quit question (8 here) stay as they are. Only the menu and the quit question count as paused.
TEST(Boss5, PauseInEveryState) {
    BossGame game;
    static std::vector<int32_t> after, saved, paused;
    game.run([](GameDriver& g) {
        auto& game = static_cast<BossGame&>(g);
        game.openFight<Boss>(kStage);
        Boss& fight = game.fight<Boss>();
        for (int32_t state : {0, 1, 2, 3, 5, 6, 7, 8}) {
            fight.state = state;
            fight.savedState = -1;
            paused.push_back(fight.isPaused());
            fight.pause();
            after.push_back(fight.state);
            saved.push_back(fight.savedState);
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(after, (std::vector<int32_t>{0, 2, 2, 2, 2, 2, 2, 8}));
    EXPECT_EQ(saved, (std::vector<int32_t>{-1, 1, -1, 3, 5, 6, 7, -1}));
    EXPECT_EQ(paused, (std::vector<int32_t>{0, 0, 1, 0, 0, 0, 0, 1}));
}

int32_t guardsInView(Boss& fight) {
    int32_t n = 0;
    for (int32_t i = 0; i < Boss::kMinionCount; ++i) {
        InGameObject::Enemy* minion = fight.activeMinions->at(i);
        n += minion && minion->getX() > 30 && minion->getX() < 210;
    }
    return n;
}

// The state a pause in the finale leads to and the one resume returns to.
struct FinalePause {
    int32_t paused = -1, resumed = -1;
};

// In play: the attacks' pictures as they happen, and one pause in the finale, resumed from the
// menu (the routes hold nothing in the finale, so no touch is held then).
auto duringFight(FinalePause& finale) {
    return [&finale](BossGame& game, Boss& fight, const SaveOnce& once) {
        if (fight.bossPhase == Boss::kSlam && fight.slamDone) once("slam");
        if (fight.bossPhase == Boss::kCrossSlam && fight.slamDone) once("cross_slam");
        if (fight.bossPhase == Boss::kRain && fight.rainList->size() >= 20) once("rain");
        if (fight.bossPhase == Boss::kMinions && guardsInView(fight) >= 3) once("guards");
        if (fight.state == boss::kFinale && fight.defeatEffect->getY() > 150) once("finale");
        if (fight.state == boss::kFinale && finale.paused < 0) {
            fight.pause();
            finale.paused = fight.state;
            game.frames(2);
            game.tap(kResumeEntry[0], kResumeEntry[1]);
            game.frames(1);
            finale.resumed = fight.state;
        }
    };
}

// Under the heart, firing upward; in the finale the crown falls onto the hero.
const int32_t* winningTouch(Boss& fight) { return fight.state == boss::kPlaying ? kAttackUp : nullptr; }

TEST(Boss5, WonByTouchWithTheFirstWeapon) {
    FinalePause finale;
    expectWon(playFight<Boss>(kStage, "win", kMaxFrames, true, duringFight(finale), winningTouch), kStage);
    EXPECT_EQ(finale.paused, boss::kPauseMenu);
    EXPECT_EQ(finale.resumed, boss::kFinale);
}

TEST(Boss5, StandingStillLoses) {
    FinalePause finale;
    expectLost(playFight<Boss>(kStage, "loss", kMaxFrames, false, duringFight(finale), standStill<Boss>), kStage);
}

// The pause menu by touch, its pictures saved as boss5_frames/pause.png and quit.png. Quit
// here is state 8 (7 is the finale), and the quit question counts as paused.
TEST(Boss5, PanelsByTouchQuitAndRestart) {
    const PanelsRun run = panelsByTouch<Boss>(kStage, stateAndPicture<Boss>("boss5_frames/pause.png"),
                                              [](BossGame& game, std::vector<int32_t>& states) {
                                                  states.push_back(game.fight<Boss>().state);
                                                  states.push_back(game.fight<Boss>().isPaused());
                                                  game.savePng("boss5_frames/quit.png");
                                              });
    expectPanels(run, kStage, {boss::kPauseMenu, Boss::kQuitState, 1});
}

}  // namespace
