// The normal level's hits, pick-ups and glass pile over the compiled sets: objects are put
// in place on a level that plays (nothing spawns: its quota is marked spawned) and the
// level's own collision and glass steps are called.

#include "src/kv/util/kv_util_FastRandom.h"
#include "tests/game/level/LevelGame.h"
#include "src/game/objects/HitTests.h"

namespace {

using namespace level_test;
using Level = scene::InGameNormal;
using InGameObject::Enemy;
using InGameObject::Glass;

template <typename Body> void inLevel(int32_t stage, Body body) {
    LevelGame game;
    static Body* now;
    static int32_t stageNow;
    now = &body;
    stageNow = stage;
    game.run([](GameDriver& g) {
        auto& game = static_cast<LevelGame&>(g);
        game.openLevel(stageNow);
        game.level().spawnedCount = 1000;
        (*now)(game, game.level());
        game.manager().requestExit();
    });
}

// Pool enemy `pooled` into active place `place` at (x, y).
Enemy* putEnemy(Level& level, int32_t place, int32_t pooled, int32_t x, int32_t y) {
    Enemy* enemy = level.freeEnemies->at(pooled);
    level.activeEnemies->set(place, enemy);
    level.freeEnemies->set(pooled, nullptr);
    enemy->player->setX(x);
    enemy->player->setY(y);
    return enemy;
}

// The centre of a player's type-0 box, in game coordinates.
std::pair<int32_t, int32_t> boxCentre(kv::AnimPlayer* player) {
    VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(1);
    const kv::graphics::CollisionBox* box = InGameObject::placedBox(player, boxes);
    return {box->x + box->width / 2, box->y + box->height / 2};
}

// Launches an attack of the weapon to the right and puts its projectile on the point.
kv::AnimPlayer* shootAt(Level& level, int32_t weapon, std::pair<int32_t, int32_t> point) {
    InGameObject::Character& hero = *level.character;
    hero.weapon = weapon;
    hero.attackCooldown = 0;
    hero.hurtTimer = 0;
    hero.attackToward(false);
    for (int32_t slot = 0; slot < 4; ++slot)
        if (kv::AnimPlayer* shot = hero.projectiles->at(slot)) {
            shot->setX(shot->getX() + point.first - boxCentre(shot).first);
            shot->setY(shot->getY() + point.second - boxCentre(shot).second);
            return shot;
        }
    return nullptr;
}

TEST(LevelCollisions, AProjectileHitsTheLowerIndexOnceAndADefeatDropsGlassThenMaybeAnItem) {
    static std::vector<int32_t> seen, expected;
    inLevel(0, [](LevelGame&, Level& level) {
        Enemy* low = putEnemy(level, 1, 0, 60, 224);
        Enemy* high = putEnemy(level, 0, 1, 60, 224);  // lower index, the one hit
        low->health = high->health = 25;                   // two hits of weapon 2 each
        shootAt(level, 2, boxCentre(low->player.get()));  // 15 damage, three targets
        level.character->hurtTimer = 500;                   // its shots still hit while it cannot act
        level.checkCollisions();
        seen.insert(seen.end(), {high->health, low->health});
        level.checkCollisions();  // already hit: no damage, and the scan still ends there
        seen.insert(seen.end(), {high->health, low->health});
        // A new attack defeats it: two pieces and an item's dice, in that order.
        level.character->clearAttack(0);
        shootAt(level, 2, boxCentre(high->player.get()));
        level.random->setSeed(99);
        VMPtr<kv::util::FastRandom> dice = kv::util::FastRandom::_VM_new();
        dice->_VM_init();
        dice->setSeed(99);
        level.checkCollisions();
        const int32_t dropY = high->getY() - high->player->getCurrentFrame()->height;
        dice->nextInt(1);
        for (int32_t i = 0; i < 2; ++i) {
            Glass* piece = level.activeGlass->at(i);
            seen.insert(seen.end(), {piece->shape, piece->x, piece->y, piece->state});
            expected.insert(expected.end(), {dice->nextInt(7), 60, dropY, Glass::kStarting});
        }
        const int32_t roll = dice->nextInt(100), index = dice->nextInt(5);
        seen.push_back(level.random->nextInt());
        expected.push_back(dice->nextInt());
        seen.push_back(level.activeItems->at(index) != nullptr);
        expected.push_back(roll < 10);
        seen.push_back(high->state);
        expected.push_back(Enemy::kDying);
    });
    EXPECT_EQ(std::vector<int32_t>(seen.begin(), seen.begin() + 4), (std::vector<int32_t>{10, 25, 10, 25}));
    EXPECT_EQ(std::vector<int32_t>(seen.begin() + 4, seen.end()), expected);
}

TEST(LevelCollisions, EnemiesHurtOnlyACharacterThatCanActAndAThrownEffectHitsOnce) {
    static std::vector<int32_t> seen;
    inLevel(2, [](LevelGame&, Level& level) {
        InGameObject::Character& hero = *level.character;
        const int32_t x = hero.getX(), y = hero.getY();
        // Row 2 is the thrower (behaviour 2); its effects fly at the hero from afar.
        Enemy* first = putEnemy(level, 0, 4, 20, y);
        Enemy* second = putEnemy(level, 1, 5, 220, y);
        for (Enemy* thrower : {first, second}) {
            thrower->effect->setAnimation(Enemy::kEffectFlight);
            thrower->effect->setX(x);
            thrower->effect->setY(y - 16);
        }
        hero.hurtTimer = 100;  // staggered: cannot act, nothing hurts it
        level.checkCollisions();
        seen.push_back(hero.health);
        hero.hurtTimer = 0;
        level.checkCollisions();
        seen.insert(seen.end(), {hero.health, first->effect->getAnimation() / 2 * 2, second->effect->getAnimation()});
        // Body contact: the row's damage (row 0: 15).
        hero.invulnerableTimer = hero.hurtTimer = 0;
        putEnemy(level, 2, 0, x, y);
        level.checkCollisions();
        seen.push_back(hero.health);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{100, 85, Enemy::kImpact, Enemy::kEffectFlight, 70}));
}

TEST(LevelCollisions, ItemsGiveTheirEffectsAndADoneItemIsNeverPickedUp) {
    static std::vector<int32_t> seen;
    inLevel(0, [](LevelGame& game, Level& level) {
        InGameObject::Character& hero = *level.character;
        hero.health = 50;
        hero.hurtTimer = 500;  // pick-ups work while it cannot act
        for (int32_t i = 0; i < 5; ++i) {
            InGameObject::Item* item = level.spareItems->at(i);
            level.activeItems->set(i, item);
            level.spareItems->set(i, nullptr);
            item->spawn(hero.getX(), hero.getY());
        }
        // Health and the boosts, as items that carry them (items 1 to 4 draw their effects at
        // spawn; item 0 is the coin).
        const int32_t effects[4][2] = {{1, 30}, {2, 8000}, {3, 8000}, {4, 6000}};
        for (int32_t i = 1; i < 5; ++i)
            level.activeItems->at(i)->effectCode = effects[i - 1][0], level.activeItems->at(i)->effectValue = effects[i - 1][1];
        level.checkCollisions();
        seen.insert(seen.end(), {level.collectedCount, hero.health, hero.speedBoostTimer, hero.powerTimer,
                                 hero.invulnerableTimer});
        for (int32_t i = 0; i < 5; ++i) seen.push_back((level.activeItems->at(i) == nullptr) + 2 * (level.spareItems->at(i) != nullptr));
        InGameObject::Item* coin = level.spareItems->at(0);
        level.activeItems->set(0, coin);
        level.spareItems->set(0, nullptr);
        coin->spawn(hero.getX(), hero.getY());
        coin->state = InGameObject::Item::kDone;
        level.checkCollisions();
        seen.push_back(level.collectedCount);
        // The count is what the level stores.
        level.defeatedCount = 50;
        for (int i = 0; i < 200 && game.inLevel(); ++i) game.frames(1);
        seen.push_back(game.record(0)[14]);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 80, 8000, 8000, 6000, 3, 3, 3, 3, 3, 1, 1}));
}

// Puts spare piece `spare` in active place `place`.
Glass* putGlass(Level& level, int32_t place, int32_t x, int32_t y, int32_t size, int32_t state, int32_t shape = 2) {
    Glass* piece = level.spareGlass->at(place);
    level.spareGlass->set(place, nullptr);
    level.activeGlass->set(place, piece);
    piece->start(shape, 0);
    piece->setPosition(x, y);
    piece->size = size;
    piece->state = state;
    piece->frame = level.glassSet->getFrame(shape + 7 * size);
    return piece;
}

// Every piece back to the pool and the columns empty again.
void clearGlass(Level& level) {
    for (int32_t i = 0; i < 50; ++i)
        if (level.activeGlass->at(i)) level.releaseGlass(i);
    for (int32_t k = 0; k < 20; ++k) level.controlPoints->at(k) = 320;
}

struct MergeRow {
    int32_t falling, resting, restingAfter, fallingReleased;
};

TEST(LevelGlass, PiecesMergeOrRestOnTheHighestIndexAndLandOrLeaveByTheirColumn) {
    static const MergeRow rows[] = {{0, 0, 1, 1}, {0, 1, 2, 1}, {0, 2, 2, 0}, {1, 0, 0, 0}, {2, 1, 1, 0}};
    static std::vector<int32_t> seen, expected;
    inLevel(0, [](LevelGame&, Level& level) {
        for (const MergeRow& row : rows) {
            Glass* resting = putGlass(level, 3, 100, 215, row.resting, Glass::kResting);
            Glass* falling = putGlass(level, 9, 101, 206, row.falling, Glass::kFalling);
            level.updateGlass(0);
            seen.insert(seen.end(), {resting->size, resting->frame == level.glassSet->getFrame(2 + 7 * resting->size),
                                     level.activeGlass->at(9) == nullptr, falling->state});
            expected.insert(expected.end(), {row.restingAfter, 1, row.fallingReleased, row.fallingReleased ? Glass::kFalling : Glass::kResting});
            clearGlass(level);
        }
        // Two resting pieces under it: the higher index takes it.
        Glass* low = putGlass(level, 2, 100, 215, 0, Glass::kResting);
        Glass* high = putGlass(level, 7, 104, 215, 0, Glass::kResting);
        putGlass(level, 4, 102, 206, 0, Glass::kFalling);
        level.updateGlass(0);
        seen.insert(seen.end(), {low->size, high->size});
        expected.insert(expected.end(), {0, 1});
        clearGlass(level);
        // A column 15 px above the maximum height still takes a piece, landed just above the line;
        // at 16 px the piece falls through and leaves.
        for (int32_t above : {15, 16}) {
            level.controlPoints->at(5) = level.maxHeight - above;
            Glass* piece = putGlass(level, 0, 66, level.maxHeight + 10, 1, Glass::kFalling);
            level.updateGlass(0);
            seen.insert(seen.end(), {level.activeGlass->at(0) != nullptr, piece->state, above == 15 ? piece->y : 0});
            if (above == 15) expected.insert(expected.end(), {1, Glass::kResting, level.maxHeight - 1});
            else expected.insert(expected.end(), {0, Glass::kFalling, 0});
            clearGlass(level);
        }
    });
    EXPECT_EQ(seen, expected);
}

TEST(LevelGlass, ColumnsCoverByTheBoxLeftEdgeAndOnlyRiseAndTheGroundIsRebuiltOnAChange) {
    static std::vector<int32_t> points, ground;
    static int32_t maxAfter, maxKept, sentinel;
    inLevel(0, [](LevelGame&, Level& level) {
        // A small box is 10 wide from x - 5: at 29 its left edge 24 starts column 2 and ends
        // column 1; at 20 its left edge 15 lies in column 1 and it reaches column 2's start.
        putGlass(level, 0, 29, 223, 0, Glass::kResting);
        putGlass(level, 1, 20, 200, 0, Glass::kResting);
        putGlass(level, 2, 240 - 6, 223, 0, Glass::kFalling);  // falling pieces add nothing
        level.checkGlassHits();
        for (int32_t k = 0; k < 4; ++k) points.push_back(level.controlPoints->at(k));
        for (int32_t x : {0, 17, 18, 30}) ground.push_back(level.groundHeights->at(x));
        // Every column topped at 210: the maximum height follows; a lower top later changes nothing.
        clearGlass(level);
        for (int32_t k = 0; k < 20; ++k) level.controlPoints->at(k) = 210;
        level.checkGlassHits();
        maxAfter = level.maxHeight;
        level.groundHeights->at(0) = -99;
        putGlass(level, 0, 66, 230, 0, Glass::kResting);
        level.checkGlassHits();
        maxKept = level.maxHeight;
        sentinel = level.groundHeights->at(0);
    });
    EXPECT_EQ(points, (std::vector<int32_t>{320, 195, 195, 320}));
    EXPECT_EQ(ground, (std::vector<int32_t>{224, 197, 195, 195}));
    EXPECT_EQ(maxAfter, 210);
    EXPECT_EQ(maxKept, 210);
    EXPECT_EQ(sentinel, -99);  // nothing rose: the ground line was not rebuilt
}

TEST(LevelGlass, BuriedPiecesAreClearedInOnePassAndFallingGlassHoldsTheEnd) {
    static std::vector<int32_t> kept;
    static int32_t stateWhileFalling, stateAfter;
    inLevel(0, [](LevelGame& game, Level& level) {
        const int32_t line = level.maxHeight;  // the marker's box top
        level.controlPoints->at(5) = 200;      // a column above the maximum height
        putGlass(level, 0, 150, line + 8, 1, Glass::kFalling);   // medium, top at the line: cleared
        putGlass(level, 1, 160, line + 7, 1, Glass::kFalling);   // medium, top above the line: kept
        Glass* under = putGlass(level, 2, 66, 0, 0, Glass::kFalling);  // small, under its column's top: cleared
        under->y = 200 + under->frame->height / 2 + 1;
        Glass* level_ = putGlass(level, 3, 66, 0, 0, Glass::kFalling);  // small, at its column's top: kept
        level_->y = 200 + level_->frame->height / 2;
        putGlass(level, 4, 170, line + 5, 0, Glass::kFalling);  // small in a low column, top at the line: cleared
        level.checkGlassHits();
        for (int32_t i = 0; i < 5; ++i) kept.push_back(level.activeGlass->at(i) != nullptr);
        // The quota met while a piece falls: no end until it is gone.
        clearGlass(level);
        putGlass(level, 0, 120, 20, 0, Glass::kFalling);
        level.defeatedCount = 50;
        game.frames(1);
        stateWhileFalling = level.state;
        clearGlass(level);
        game.frames(1);
        stateAfter = level.state;
    });
    EXPECT_EQ(kept, (std::vector<int32_t>{0, 1, 0, 1, 0}));
    EXPECT_EQ(stateWhileFalling, Level::kPlaying);
    EXPECT_EQ(stateAfter, Level::kCleared);
}

TEST(LevelGlass, SpawnDropsTwoPiecesWithTheirOwnShapesAndAFullArraySkipsSilently) {
    static std::vector<int32_t> seen, expected;
    inLevel(0, [](LevelGame&, Level& level) {
        VMPtr<kv::util::FastRandom> dice = kv::util::FastRandom::_VM_new();
        dice->_VM_init();
        level.random->setSeed(5);
        dice->setSeed(5);
        level.spawnGlass(77, 40);
        dice->nextInt(1);
        for (int32_t i = 0; i < 2; ++i) {
            Glass* piece = level.activeGlass->at(i);
            seen.insert(seen.end(), {piece->shape, piece->x, piece->y, piece->frame == level.glassSet->getFrame(piece->shape)});
            expected.insert(expected.end(), {dice->nextInt(7), 77, 40, 1});
        }
        // 49 places taken: one piece fits, the other is skipped; all three draws are made.
        clearGlass(level);
        for (int32_t i = 0; i < 49; ++i) putGlass(level, i, 10, 10, 0, Glass::kResting);
        level.spawnGlass(50, 50);
        int32_t active = 0;
        for (int32_t i = 0; i < 50; ++i) active += level.activeGlass->at(i) != nullptr;
        seen.push_back(active);
        expected.push_back(50);
        for (int32_t i = 0; i < 3; ++i) dice->nextInt(7);
        seen.push_back(level.random->nextInt());
        expected.push_back(dice->nextInt());
    });
    EXPECT_EQ(seen, expected);
}

}  // namespace
