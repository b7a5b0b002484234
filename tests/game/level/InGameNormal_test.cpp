// The normal level in the real game, headless on fake time over the compiled content: each
// stage loads in sixteen calls, opens, and plays 30 s with its enemies on the ground line
// (frames saved as level_frames/*.png); what loading builds; the opening's and the end's
// exits and the 3000 ms hold; the stored result and the next scene of each end; pause;
// spawning; items; the ground line; the climb; a bad stage byte and a missing gob array.

#include <fstream>

#include "src/game/foundation/global_GameConfig.h"

#include "tests/game/level/LevelGame.h"

namespace {

using namespace level_test;
using Level = scene::InGameNormal;

// One boot a process: each stage is a case of its own.
class EachStage : public testing::TestWithParam<int32_t> {};

TEST_P(EachStage, LoadsInSixteenCallsOpensAndPlaysThirtySeconds) {
    {
        const int32_t stage = GetParam();
        LevelGame game;
        static int loadingCalls, openingFrames, stateAfter, spawned, enemiesOnGround, previous;
        static std::vector<int32_t> heights;
        static int32_t stageNow;
        stageNow = stage;
        game.run([](GameDriver& g) {
            auto& game = static_cast<LevelGame&>(g);
            game.enter(stageNow);
            previous = game.previousSceneId();
            loadingCalls = 1;
            while (game.level().isLoading()) {
                game.frames(1);
                ++loadingCalls;
            }
            std::filesystem::create_directories("level_frames");
            openingFrames = 0;
            while (game.level().state == Level::kOpening) {
                if (openingFrames == 6) game.savePng("level_frames/opening_" + std::to_string(stageNow) + ".png");
                game.frames(1);
                ++openingFrames;
            }
            game.level().character->setInvulnerableTimer(60'000);  // enemies hurt it now: keep it alive
            game.frames(600);  // 30 s of play
            game.savePng("level_frames/play_" + std::to_string(stageNow) + ".png");
            Level& level = game.level();
            stateAfter = level.state;
            spawned = level.spawnedCount;
            enemiesOnGround = 0;
            heights.clear();
            for (int32_t i = 0; i < level.activeEnemies->length; ++i)
                if (auto* enemy = level.activeEnemies->at(i)) {
                    if (enemy->kind != 3 && enemy->getY() == level.groundHeights->at(std::clamp(enemy->getX(), 0, 239)))
                        ++enemiesOnGround;
                    heights.push_back(enemy->getY());
                }
            game.manager().requestExit();
        });
        EXPECT_EQ(previous, 0) << stage;
        EXPECT_EQ(loadingCalls, 16) << stage;
        EXPECT_EQ(openingFrames, 16) << stage;  // 20 px a frame until the curtain's edge (its anchor) passes 320
        EXPECT_EQ(stateAfter, Level::kPlaying) << stage;
        EXPECT_GE(spawned, 3) << stage;
        EXPECT_GE(enemiesOnGround, 1) << stage;
    }
}

INSTANTIATE_TEST_SUITE_P(InGameNormal, EachStage, testing::Range(0, 5));

TEST(InGameNormal, LoadingBuildsThePoolsTheGroundAndTheTilesInOrder) {
    LevelGame game;
    static std::vector<int32_t> rows, ids, itemKinds, itemVariants, tileYs;
    static int32_t maxHeight, activeEnemies, ground0, control0, glassSpare, glassActive, state;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.enter(3);
        game.frames(15);
        Level& level = game.level();
        for (int32_t i = 0; i < level.freeEnemies->length; ++i) {
            rows.push_back(level.freeEnemies->at(i)->row);
            ids.push_back(level.freeEnemies->at(i)->id);
        }
        for (int32_t i = 0; i < 5; ++i) {
            itemKinds.push_back(level.spareItems->at(i)->kind);
            itemVariants.push_back(level.spareItems->at(i)->variant);
        }
        for (int32_t i = 0; i < 3; ++i) tileYs.push_back(level.tiles->at(i)->getY());
        maxHeight = level.maxHeight;
        activeEnemies = level.activeEnemies->length;
        ground0 = level.groundHeights->at(0);
        control0 = level.controlPoints->at(19);
        glassSpare = glassActive = 0;
        for (int32_t i = 0; i < 50; ++i) {
            glassSpare += level.spareGlass->at(i) != nullptr;
            glassActive += level.activeGlass->at(i) != nullptr;
        }
        state = level.state;
        game.manager().requestExit();
    });
    EXPECT_EQ(rows, (std::vector<int32_t>{0, 0, 1, 1, 2, 2, 3, 3, 4, 5, 5}));
    EXPECT_EQ(ids, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(itemKinds, (std::vector<int32_t>{0, 1, 2, 2, 2}));
    EXPECT_EQ(itemVariants, (std::vector<int32_t>{0, 0, 0, 1, 2}));
    EXPECT_EQ(tileYs, (std::vector<int32_t>{-320, 0, 320}));
    EXPECT_EQ(maxHeight, 224);
    EXPECT_EQ(ground0, 224);
    EXPECT_EQ(control0, 320);
    EXPECT_EQ(activeEnemies, 4);
    EXPECT_EQ(glassSpare, 50);
    EXPECT_EQ(glassActive, 0);
    EXPECT_EQ(state, Level::kOpening);
}

// Plays a stage until its end curtain finishes, after the test's change to the level.
struct EndCase {
    int32_t stage;
    bool dies;
    int64_t playTime;
    int32_t nextScene;
    std::vector<int8_t> result;  // record 0 bytes 13..19
};

const EndCase kEndCases[] = {
        {0, false, 12'000'000, 15, {0, 0, 0, 1, 3, 20, 0}},          // 3 h 20 min
        {3, false, 3'600'000LL * 120 + 61'000, 18, {0, 0, 3, 1, 99, 1, 1}},  // over 99 h
        {4, false, 1000, 11, {0, 0, 4, 1, 0, 0, 1}},
        {2, true, 5000, 20, {1, 0, 2, 0, 0, 0, 5}},
};

class EachEnd : public testing::TestWithParam<int> {};

TEST_P(EachEnd, StoresTheResultAfterTheHeldCurtainAndNamesTheNextScene) {
    {
        const EndCase& c = kEndCases[GetParam()];
        LevelGame game;
        static const EndCase* now;
        static int heldFrames, endFrames, story, transitionY;
        static std::vector<int8_t> record;
        now = &c;
        game.run([](GameDriver& g) {
            auto& game = static_cast<LevelGame&>(g);
            game.openLevel(now->stage);
            Level& level = game.level();
            level.playTime = now->playTime;
            if (now->dies) {
                level.character->takeDamage(100);
            } else {
                level.defeatedCount = global::GameConfig::stages()->at(now->stage)->at(0);
            }
            game.frames(1);
            heldFrames = 0;
            while (game.inLevel() && level.endTimer < Level::kEndHoldMillis) {
                transitionY = std::max(transitionY, int(level.transition->getY()));
                game.frames(1);
                ++heldFrames;
            }
            endFrames = 0;
            while (game.inLevel() && endFrames < 100) {
                game.frames(1);
                ++endFrames;
            }
            record = game.record(0);
            story = game.storyPart();
            game.manager().requestExit();
        });
        EXPECT_EQ(heldFrames, 60) << c.stage;
        EXPECT_EQ(transitionY, 0) << c.stage;
        EXPECT_EQ(endFrames, 17) << c.stage;  // from 20 px until the edge's top passes 320
        EXPECT_EQ(askedScenes.back(), c.nextScene) << c.stage;
        EXPECT_EQ(std::vector<int8_t>(record.begin() + 13, record.end()), c.result) << c.stage;
        if (c.nextScene == 11) {
            EXPECT_EQ(story, 3);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(InGameNormal, EachEnd, testing::Range(0, 4));

TEST(InGameNormal, ClearedIsTestedBeforeFailedInOneFrame) {
    LevelGame game;
    static int32_t state;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(1);
        Level& level = game.level();
        level.defeatedCount = 60;
        level.character->takeDamage(200);
        game.frames(1);
        state = level.state;
        game.manager().requestExit();
    });
    EXPECT_EQ(state, Level::kCleared);
}

TEST(InGameNormal, APauseActsOutsideLoadingAndThePanelsAndKeepsTheStateItLeft) {
    LevelGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.enter(0);
        Level& level = game.level();
        level.pause();
        seen.push_back(level.state);  // loading: nothing
        game.frames(16);
        for (int32_t from : {Level::kOpening, Level::kCleared, Level::kFailed}) {
            level.state = from;
            level.pause();
            seen.push_back(level.state);
            seen.push_back(level.savedState);
            level.state = Level::kQuitQuestion;
            level.pause();
            seen.push_back(level.state);
        }
        seen.push_back(game.manager().getScene()->isPaused());
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 5, 4, 6, 5, 2, 6, 5, 3, 6, 1}));
}

TEST(InGameNormal, GlassInPlayHoldsSpawningWhileCooldownsRunOutAndARowAtItsLimitOnlyRestartsItsCooldown) {
    LevelGame game;
    static int32_t limitCooldown, limitSpawned, spawnedWithGlass, cooldownsWithGlass, spawnedAfter;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        // Row 3 holds one enemy at most: with its one out, its draw only restarts its cooldown.
        level.activeEnemies->set(1, level.freeEnemies->at(6));
        level.freeEnemies->set(6, nullptr);
        level.frameTime = 0;
        level.spawnCooldowns->at(3) = 0;
        for (int i = 0; i < 200 && level.spawnCooldowns->at(3) == 0; ++i) {
            for (int32_t r = 0; r < 5; ++r)
                if (r != 3) level.spawnCooldowns->at(r) = 1000;
            level.spawnEnemies();
        }
        limitCooldown = level.spawnCooldowns->at(3);
        limitSpawned = level.spawnedCount;
        // A starting glass piece (state 2) holds every spawn; the cooldowns still run out.
        level.frameTime = 50;
        level.activeGlass->set(0, level.spareGlass->at(0));
        for (int i = 0; i < 200; ++i) level.spawnEnemies();
        spawnedWithGlass = level.spawnedCount;
        cooldownsWithGlass = 0;
        for (int32_t i = 0; i < level.spawnCooldowns->length; ++i) cooldownsWithGlass += level.spawnCooldowns->at(i);
        level.activeGlass->set(0, nullptr);
        for (int i = 0; i < 200 && level.spawnedCount == 0; ++i) level.spawnEnemies();
        spawnedAfter = level.spawnedCount;
        game.manager().requestExit();
    });
    EXPECT_EQ(limitCooldown, 8000);
    EXPECT_EQ(limitSpawned, 0);
    EXPECT_EQ(spawnedWithGlass, 0);
    EXPECT_EQ(cooldownsWithGlass, 0);
    EXPECT_EQ(spawnedAfter, 1);
}

TEST(InGameNormal, AFinishedEnemyReturnsToThePoolCountsAndRestartsItsRowsCooldown) {
    LevelGame game;
    static int32_t defeated, cooldown, inPool;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(1);
        Level& level = game.level();
        InGameObject::Enemy* enemy = level.freeEnemies->at(2);  // row 1
        level.activeEnemies->set(2, enemy);
        level.freeEnemies->set(2, nullptr);
        enemy->state = InGameObject::Enemy::kFinished;
        level.spawnCooldowns->at(1) = 0;
        level.spawnedCount = 60;  // nothing more spawns
        game.frames(1);
        defeated = level.defeatedCount;
        cooldown = level.spawnCooldowns->at(1);
        inPool = level.freeEnemies->at(2) == enemy && level.activeEnemies->at(2) == nullptr;
        game.manager().requestExit();
    });
    EXPECT_EQ(defeated, 1);
    EXPECT_EQ(cooldown, 2000);
    EXPECT_EQ(inPool, 1);
}

TEST(InGameNormal, SpawnItemOutsideTheAreaDrawsNothingAndTheCoinStartsAtExactlyHalf) {
    LevelGame game;
    static int64_t seedBefore, seedAfter;
    static int coinsAtHalf, coinsElsewhere;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        level.random->setSeed(77);
        for (int32_t x : {-1, 240}) level.spawnItem(x, 100);
        seedBefore = level.random->nextInt();
        level.random->setSeed(77);
        seedAfter = level.random->nextInt();
        for (int32_t defeated : {25, 24}) {
            level.defeatedCount = defeated;
            int coins = 0;
            for (int32_t seed = 0; seed < 400; ++seed) {
                level.random->setSeed(seed);
                level.spawnItem(120, 100);
                if (level.activeItems->at(0)) {
                    ++coins;
                    level.spareItems->set(0, level.activeItems->at(0));
                    level.activeItems->set(0, nullptr);
                }
                for (int32_t i = 1; i < 5; ++i)
                    if (level.activeItems->at(i)) {
                        level.spareItems->set(i, level.activeItems->at(i));
                        level.activeItems->set(i, nullptr);
                    }
            }
            (defeated == 25 ? coinsAtHalf : coinsElsewhere) = coins;
        }
        game.manager().requestExit();
    });
    EXPECT_EQ(seedBefore, seedAfter);
    EXPECT_GT(coinsAtHalf, 60);       // every draw of index 0
    EXPECT_LT(coinsElsewhere, coinsAtHalf / 4);  // only rolls under 10
}

TEST(InGameNormal, TheGroundLineIsFlatAtItsEdgesTruncatedBetweenAndCappedAtTheMaximumHeight) {
    LevelGame game;
    static std::vector<int32_t> ground;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(0);
        Level& level = game.level();
        for (int32_t k = 0; k < 20; ++k) level.controlPoints->at(k) = 300;  // below the maximum height: capped
        level.controlPoints->at(0) = 200;
        level.controlPoints->at(1) = 207;
        level.buildGroundLine();
        for (int32_t x = 0; x < 240; ++x) ground.push_back(level.groundHeights->at(x));
        game.manager().requestExit();
    });
    for (int x = 0; x < 6; ++x) EXPECT_EQ(ground[x], 200);
    EXPECT_EQ(ground[6], 200);
    EXPECT_EQ(ground[7], 200);    // 200 + 7/12 truncates
    EXPECT_EQ(ground[8], 201);    // 200 + 14/12
    EXPECT_EQ(ground[17], 206);   // 200 + 77/12
    EXPECT_EQ(ground[18], 207);
    EXPECT_EQ(ground[30], 224);   // 224 and the next point, capped, meet
    for (int x = 234; x < 240; ++x) EXPECT_EQ(ground[x], 224);
}

TEST(InGameNormal, TheViewClimbsWithTheMarkerAndTheAreaGrowsKeepingTheOffset) {
    LevelGame game;
    static int32_t climbed, offset, areaHeight, markerY, charY;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(2);
        Level& level = game.level();
        level.maxHeight = 124;
        for (int32_t x = 0; x < 240; ++x) level.groundHeights->at(x) = 124;
        game.frames(100);
        markerY = level.marker->getY();
        offset = game.manager().getGameY();
        areaHeight = game.manager().getGameHeight();
        climbed = 224 - markerY;
        charY = level.character->getY();
        game.savePng("level_frames/climbed.png");
        game.manager().requestExit();
    });
    EXPECT_EQ(markerY, 124);
    EXPECT_EQ(offset, climbed);
    EXPECT_EQ(areaHeight, 640);
    EXPECT_EQ(charY, 124);
}

// The three background pieces keep the whole view covered however far it climbs: a piece
// that leaves the bottom of the view goes on top of the others. Checked every frame of a
// climb of 1,000 px: the heights (climbs) at which some row of the view had no piece.
TEST(InGameNormal, TheBackgroundCoversEveryRowOfTheViewThroughAClimbOf1000Px) {
    LevelGame game;
    static std::vector<int32_t> bareAt;
    static int32_t climbed;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(1);
        Level& level = game.level();
        level.spawnedCount = 1000;  // no enemies: nothing ends the level on the way
        level.maxHeight = 224 - 1000;
        for (int32_t x = 0; x < 240; ++x) level.groundHeights->at(x) = level.maxHeight;
        for (int frame = 0; frame < 520; ++frame) {
            game.frames(1);
            const int32_t viewTop = -game.manager().getGameY();
            for (int32_t y = viewTop; y < viewTop + 320; ++y) {
                bool covered = false;
                for (int32_t i = 0; i < 3 && !covered; ++i) {
                    kv::AnimPlayer& tile = *level.tiles->at(i);
                    const int32_t top = tile.getY() + tile.getCurrentFrame()->getY(0);
                    covered = y >= top && y < top + tile.getCurrentFrame()->height;
                }
                if (!covered) {
                    bareAt.push_back(-viewTop);
                    break;
                }
            }
        }
        climbed = game.manager().getGameY();
        game.manager().requestExit();
    });
    EXPECT_EQ(climbed, 1000);
    EXPECT_EQ(bareAt, std::vector<int32_t>{});
}

TEST(InGameNormal, AStageOutsideTheTablesIsAnErrorThatLeadsToTheMenu) {
    LevelGame game;
    static std::vector<int32_t> asked;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.writeRecord(0, {0, 0, 0, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        game.start();
        auto record = game.record(0);
        record[15] = 7;  // after the start-up check, as a damaged save would read later
        game.writeRecord(0, record);
        game.manager().changeScene(scene_id::kNormalLevel);
        game.frames(2);
        asked = askedScenes;
        game.manager().requestExit();
    });
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 2, 1}));
}

TEST(InGameNormal, AGobArrayThatDoesNotReadIsALoadFailureThatLeadsToTheMenu) {
    LevelGame game;
    // The first enemy set's gob array of stage 0 (0x3007, part 12) made unreadable.
    std::fstream part(game.folder / "rsc" / "RP12part7.rp", std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(part.is_open());
    part.write("\x03\xFF", 2);
    part.close();
    static std::vector<int32_t> asked;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.enter(0);
        game.frames(20);
        asked = askedScenes;
        game.manager().requestExit();
    });
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 2, 1}));
}

TEST(GameDriver, AsksForScenesAsTheGameDoesAndHoldsAPressAcrossFrames) {
    LevelGame game;
    useScene(13);
    static std::vector<int32_t> asked;
    static int32_t previous, previousSet;
    static std::vector<std::array<int32_t, 3>> events;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.start();
        game.requestScene(13, 2);
        game.frames(1);
        previous = game.previousSceneId();
        game.setPreviousSceneId(7);
        previousSet = game.previousSceneId();
        game.press(10, 12);
        game.frames(1);
        game.drag(30, 40);
        game.frames(1);
        game.release(30, 40);
        game.frames(1);
        asked = askedScenes;
        events = pointerEvents;
        game.manager().requestExit();
    });
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 13}));
    EXPECT_EQ(previous, 0);
    EXPECT_EQ(previousSet, 7);
    EXPECT_EQ(events, (std::vector<std::array<int32_t, 3>>{{1, 10, 12}, {2, 30, 40}, {3, 30, 40}}));
}

}  // namespace
