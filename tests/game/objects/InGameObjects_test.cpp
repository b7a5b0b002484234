// The in-game objects on the game's compiled content, driven frame by frame as the level
// drives them: the character on its ground line, walking, jumping, its weapons, hits and
// health; the enemies' movement, defeat and return to the pool; glass and items; the scenes'
// kept box arrays.

#include <array>
#include <set>
#include <vector>

#include "content/ContentIds.h"
#include "src/game/foundation/global_GameConfig.h"
#include "src/game/foundation/global_WeaponConfig.h"
#include "src/game/objects/HitTests.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/game/objects/InGameObject_Enemy.h"
#include "src/game/objects/InGameObject_Glass.h"
#include "src/game/objects/InGameObject_Item.h"
#include "src/game/objects/HitTests.h"
#include "src/game/objects/SetLoading.h"
#include "tests/game/level/LevelGame.h"

namespace {

using namespace level_test;
using InGameObject::Character;
using InGameObject::Enemy;
using IntArray = VMArray<int32_t, 1>;

VMPtr<IntArray> flatGround(int32_t y, int32_t width = 240) {
    VMPtr<IntArray> ground = IntArray::_VM_new(width);
    for (int32_t x = 0; x < width; ++x) ground->at(x) = y;
    return ground;
}

// Weapons 0 and 3 owned, the rest locked.
VMPtr<Character> newCharacter() {
    VMPtr<VMArray<int8_t, 1>> record = VMArray<int8_t, 1>::_VM_new(20);
    const int8_t states[7] = {0, 2, 2, 0, 2, 1, 2};
    for (int32_t i = 0; i < 7; ++i) record->at(2 + i) = states[i];
    VMPtr<Character> hero = Character::_VM_new();
    hero->_VM_init(record, 0);
    return hero;
}

void step(const VMPtr<Character>& hero, int frames) {
    for (int i = 0; i < frames; ++i) hero->update(50, 0, 0);
}

// Runs the body on the game's loop thread with the content open.
template <typename Body> void onContent(Body body) {
    LevelGame game;
    static Body* run;
    run = &body;
    game.run([](GameDriver& g) {
        g.start();
        (*run)();
        g.manager().requestExit();
    });
}

TEST(Character, StandsOnTheGroundWalksSteadilyAndStaysInTheArea) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        seen.push_back(hero->getY());
        hero->setGroundLine(flatGround(224, 100));  // columns past the array read its last one
        seen.push_back(hero->getY());
        step(hero, 1);
        for (int i = 0; i < 10; ++i) hero->moveRight();
        seen.push_back(hero->getX());  // 0.08 px/ms for 500 ms
        hero->setSpeedBoostTimer(1000);
        step(hero, 1);
        for (int i = 0; i < 10; ++i) hero->moveRight();
        seen.push_back(hero->getX());  // 1.75 times faster
        for (int i = 0; i < 200; ++i) hero->moveRight();
        seen.push_back(hero->getX());
        for (int i = 0; i < 400; ++i) hero->moveLeft();
        seen.push_back(hero->getX());
        hero->setGroundLine(flatGround(200));  // the pile rose under it
        seen.push_back(hero->getY());
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{320, 224, 160, 230, 239, 0, 200}));
}

// The body's position is the character's: a step starts from where the body was put (a fight
// placing the hero), and steps under a pixel still add up while nobody else moves it.
TEST(Character, StepsStartFromWhereTheBodyWasPut) {
    static std::vector<int32_t> seen;
    static int32_t fallenTo;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        hero->setGroundLine(flatGround(224));
        step(hero, 1);
        hero->body->setX(48);
        hero->moveRight();
        seen.push_back(hero->getX());  // 4 px a 50 ms frame
        hero->update(10, 0, 0);
        for (int i = 0; i < 6; ++i) hero->moveRight();
        seen.push_back(hero->getX());  // six steps of 0.8 px
        hero->body->setX(200);
        hero->update(10, 0, 0);
        seen.push_back(hero->getX());
        hero->body->setY(100);  // put in the air, it falls from there
        hero->update(50, 0, 0);
        fallenTo = hero->getY();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{52, 56, 200}));
    EXPECT_GE(fallenTo, 100);
    EXPECT_LT(fallenTo, 110);
}

TEST(Character, JumpsThreeTimesItsHeightAndLandsBackOnTheGround) {
    static int32_t highest, landed, secondJumpPeak;
    static bool canJumpInAir;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        hero->setGroundLine(flatGround(224));
        step(hero, 1);
        hero->jump();
        highest = 224;
        for (int i = 0; i < 40; ++i) {
            step(hero, 1);
            highest = std::min(highest, hero->getY());
            if (i == 2) {
                const double before = hero->velocityY;
                hero->jump();
                canJumpInAir = hero->velocityY != before;
            }
        }
        landed = hero->getY();
        secondJumpPeak = hero->onGround;
    });
    EXPECT_NEAR(224 - highest, 3 * Character::kHeight, 3);
    EXPECT_FALSE(canJumpInAir);
    EXPECT_EQ(landed, 224);
    EXPECT_EQ(secondJumpPeak, 1);
}

TEST(Character, OwnedWeaponsStepWithWrapAndHealthIsCappedAndFinal) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        hero->switchToOwnedWeapon(false);
        seen.push_back(hero->weapon);
        hero->switchToOwnedWeapon(false);
        seen.push_back(hero->weapon);
        hero->switchToOwnedWeapon(true);
        seen.push_back(hero->weapon);
        seen.push_back(hero->figure->getAnimation() - Character::kFigureFirst);
        hero->weaponStates->at(0) = 2;  // only weapon 3 left: it stays
        hero->switchToOwnedWeapon(false);
        seen.push_back(hero->weapon);
        hero->health = 90;
        hero->addHealth(30);
        seen.push_back(hero->health);
        hero->takeDamage(150);
        hero->addHealth(30);
        seen.push_back(hero->health);
        seen.push_back(hero->dead);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{3, 0, 3, 3, 3, 100, 0, 1}));
}

TEST(Character, AHitStaggersBrieflyWithinTwoSecondsOfInvulnerability) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        hero->setGroundLine(flatGround(224));
        hero->takeDamage(20);
        seen.push_back(hero->health);
        seen.push_back(hero->noDamage);
        seen.push_back(hero->canAct());
        hero->takeDamage(20);  // invulnerable: nothing
        seen.push_back(hero->health);
        step(hero, 10);
        seen.push_back(hero->canAct());
        step(hero, 29);
        hero->takeDamage(20);
        seen.push_back(hero->health);
        step(hero, 1);
        hero->takeDamage(20);
        seen.push_back(hero->health);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{80, 0, 0, 80, 1, 80, 60}));
}

TEST(Character, CelebratesOnceOnTheGroundAndActsNoMore) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        hero->setGroundLine(flatGround(224));
        step(hero, 1);
        hero->jump();
        hero->celebrate();
        step(hero, 2);
        seen.push_back(hero->body->getAnimation());  // still rising
        step(hero, 30);
        seen.push_back(hero->body->getAnimation());
        step(hero, 5);
        hero->celebrate();
        seen.push_back(hero->body->getElapsedTime() > 0);  // not restarted
        seen.push_back(hero->canAct());
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{Character::kRise, Character::kCelebrate, 1, 0}));
}

TEST(Character, AttacksTakeFreeSlotsAtTheWeaponsRateAndHurtEachTargetOnce) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<Character> hero = newCharacter();
        hero->setGroundLine(flatGround(224));
        step(hero, 1);
        hero->attackToward(true);
        hero->attack();  // within the weapon's rate: nothing
        auto active = [&] {
            int32_t n = 0;
            for (int32_t s = 0; s < Character::kSlots; ++s) n += hero->getProjectiles()->at(s) != nullptr;
            return n;
        };
        seen.push_back(active());
        seen.push_back(hero->directions->at(0));
        hero->attackCooldown = 0;  // the weapon's rate has passed
        hero->setPowerTimer(5000);
        hero->attackUp(false, false);
        seen.push_back(hero->directions->at(1));
        seen.push_back(hero->getAttackPower(1));  // doubled at launch
        hero->attackCooldown = 0;
        hero->attack();  // weapon 0's two slots are busy: nothing
        seen.push_back(active());
        seen.push_back(hero->damageFor(0, 7));
        hero->registerHit(0, 7);  // its one hit spent: the projectile is gone
        seen.push_back(hero->getProjectiles()->at(0) == nullptr);
        hero->weapon = 2;  // three hits
        hero->attackCooldown = 0;
        hero->attack();
        hero->registerHit(0, 4);
        hero->registerHit(0, 4);  // the same target again spends nothing
        seen.push_back(hero->damageFor(0, 4));
        seen.push_back(hero->hitsLeft->at(0));
        step(hero, 40);  // past their reach or out of view
        seen.push_back(active());
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, Character::kLeft, Character::kUp, 10, 2, 5, 1, 0, 2, 0}));
}

TEST(Enemy, DamageDefeatsALiveEnemyOnceAndOnlyTheEndOfItsDeathFinishesIt) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<kv::AnimSet> set = InGameObject::loadAnimSet(12291, 12296);
        VMPtr<Enemy> enemy = Enemy::_VM_new();
        enemy->_VM_init(10, 3, 0, set, 24000, 0, 2, 0);
        enemy->setGroundLine(flatGround(224));
        seen.push_back(enemy->takeDamage(0));
        seen.push_back(enemy->takeDamage(6));
        seen.push_back(enemy->takeDamage(6));
        seen.push_back(enemy->takeDamage(6));  // dying: no second defeat
        seen.push_back(enemy->state);
        int frames = 0;
        while (enemy->state != Enemy::kFinished && frames < 100) {
            enemy->update(50, 120, 200);
            ++frames;
        }
        seen.push_back(frames > 2 && frames < 20);
        seen.push_back(enemy->takeDamage(6));
        enemy->spawn(1, 0);
        seen.push_back(enemy->health);
        seen.push_back(enemy->state);
        seen.push_back(enemy->getX());
        seen.push_back(enemy->getY());
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 0, 1, 0, Enemy::kDying, 1, 0, 10, Enemy::kAlive, 239, 224}));
}

TEST(Enemy, ASlowCrossingStillMovesAndWalkersTurnAtTheEdges) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<kv::AnimSet> set = InGameObject::loadAnimSet(12291, 12296);
        VMPtr<Enemy> slow = Enemy::_VM_new();
        slow->_VM_init(10, 0, 0, set, 24000, 0, 2, 0);
        slow->setGroundLine(flatGround(224));
        for (int i = 0; i < 100; ++i) slow->update(50, 120, 200);
        seen.push_back(slow->getX());  // 0.01 px/ms for 5000 ms
        VMPtr<Enemy> fast = Enemy::_VM_new();
        fast->_VM_init(10, 1, 1, set, 2400, 0, 2, 0);
        fast->setGroundLine(flatGround(224));
        int32_t lowest = 239, highest = 0;
        for (int i = 0; i < 100; ++i) {
            fast->update(50, 120, 200);
            lowest = std::min(lowest, fast->getX());
            highest = std::max(highest, fast->getX());
        }
        seen.push_back(lowest);
        seen.push_back(highest);
        VMPtr<Enemy> dropper = Enemy::_VM_new();
        dropper->_VM_init(10, 2, 0, set, 0, 4, 3, 0);
        dropper->setGroundLine(flatGround(224));
        const int32_t x = dropper->getX();
        seen.push_back(dropper->getY());
        for (int i = 0; i < 100; ++i) dropper->update(50, 120, 200);
        seen.push_back(dropper->getY());
        seen.push_back(dropper->getX() == x && x > 0 && x < 239);
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{50, 0, 239, 0, 224, 1}));
}

TEST(GlassAndItem, GlassStartsFallsDriftsWithinTheAreaAndItemsLiveTheirTime) {
    static std::vector<int32_t> seen;
    onContent([] {
        VMPtr<kv::AnimSet> glassSet = InGameObject::loadAnimSet(content::res::GLASS0_SET, content::res::GLASS0_GOBS);
        VMPtr<InGameObject::Glass> glass = InGameObject::Glass::_VM_new();
        glass->_VM_init(glassSet, 5, 0);
        glass->setPosition(2, 50);
        seen.push_back(glass->state);
        seen.push_back(glass->frame->getIndex());
        for (int i = 0; i < 40; ++i) glass->update(50);
        seen.push_back(glass->state);
        seen.push_back(glass->y > 50);
        seen.push_back(glass->x >= 0 && glass->x <= 239 && glass->x != 2);
        VMPtr<kv::AnimSet> itemSet = InGameObject::loadAnimSet(content::res::ITEM_SET, content::res::ITEM_GOBS);
        VMPtr<InGameObject::Item> item = InGameObject::Item::_VM_new();
        item->_VM_init(itemSet, 0, 0, 100, 100);  // the coin: a row of one effect
        seen.push_back(item->effectCode);
        seen.push_back(item->effectValue);
        VMPtr<IntArray> ground = flatGround(200);
        int frames = 0;
        while (item->state == InGameObject::Item::kFalling && frames < 200) {
            item->update(50, ground);
            ++frames;
        }
        seen.push_back(item->player->getY());
        std::vector<int32_t> states;
        for (int i = 0; i < 400 && item->state != InGameObject::Item::kDone; ++i) {
            item->update(50, ground);
            if (states.empty() || states.back() != item->state) states.push_back(item->state);
        }
        seen.insert(seen.end(), states.begin(), states.end());
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{2, 5, 1, 1, 1, 0, 1, 200, 1, 2, 3}));
}

// A piece falls straight down (direction 0) or drifts left (1) or right (2): over many
// starts all three occur, and each moves its own way (the straight one not at all sideways).
TEST(GlassAndItem, GlassFallsStraightDownOrDriftsLeftOrRight) {
    static std::set<std::pair<int32_t, int32_t>> seen;  // (direction, sign of the x change)
    onContent([] {
        VMPtr<kv::AnimSet> glassSet = InGameObject::loadAnimSet(content::res::GLASS0_SET, content::res::GLASS0_GOBS);
        VMPtr<InGameObject::Glass> glass = InGameObject::Glass::_VM_new();
        glass->_VM_init(glassSet, 2, 0);
        for (int32_t n = 0; n < 300; ++n) {
            glass->start(n % 7, 0);
            glass->setPosition(120, 50);
            for (int i = 0; i < 20; ++i) glass->update(50);
            seen.insert({glass->direction, (glass->x > 120) - (glass->x < 120)});
        }
    });
    EXPECT_EQ(seen, (std::set<std::pair<int32_t, int32_t>>{{0, 0}, {1, -1}, {2, 1}}));
}

// A find (kind 2) draws its effect at each spawn: over many spawns each of its rows gives
// every effect, coins, health, speed, power and invulnerability, and coins the most.
TEST(GlassAndItem, AFindDrawsEveryEffectAtSpawnCoinsMostOften) {
    static std::vector<std::array<int32_t, 5>> counts;
    onContent([] {
        VMPtr<kv::AnimSet> itemSet = InGameObject::loadAnimSet(content::res::ITEM_SET, content::res::ITEM_GOBS);
        for (int32_t variant = 0; variant < 3; ++variant) {
            VMPtr<InGameObject::Item> item = InGameObject::Item::_VM_new();
            item->_VM_init(itemSet, 2, variant, 0, 0);
            std::array<int32_t, 5>& tally = counts.emplace_back();
            for (int32_t n = 0; n < 2000; ++n) {
                item->spawn(100, 100);
                ++tally[size_t(std::clamp(item->effectCode, 0, 4))];
            }
        }
    });
    ASSERT_EQ(counts.size(), 3u);
    for (const std::array<int32_t, 5>& tally : counts) {
        for (int32_t effect = 0; effect < 5; ++effect) EXPECT_GT(tally[size_t(effect)], 0) << "effect " << effect;
        EXPECT_GT(tally[0], 2000 / 2) << "coins";
    }
}

// A kept box array is handed out as a new one would be: whatever an earlier fill or use left
// in any of its boxes is gone, so a fill that writes fewer boxes reads exactly as a fill into
// newBoxes. Another count at the same place gives an array of that count.
TEST(HitTests, AKeptBoxArrayFillsExactlyAsANewOne) {
    using Fields = std::array<int32_t, 9>;
    static std::vector<std::vector<Fields>> kept, fresh;
    static std::vector<bool> reused;
    auto fields = [](const VMPtr<InGameObject::BoxArray>& boxes) {
        std::vector<Fields> all;
        for (int32_t i = 0; i < boxes->length; ++i) {
            kv::graphics::CollisionBox* b = boxes->at(i);
            all.push_back({b->x, b->y, b->width, b->height, b->type, b->colour, b->kind, b->hasColour, b->filled});
        }
        return all;
    };
    onContent([&] {
        VMPtr<kv::AnimSet> glassSet = InGameObject::loadAnimSet(content::res::GLASS0_SET, content::res::GLASS0_GOBS);
        VMPtr<kv::Frame> frame = glassSet->getFrame(3);
        VMPtr<InGameObject::BoxTable> table;
        VMPtr<InGameObject::BoxArray> first = InGameObject::clearedBoxes(table, InGameObject::kShotBoxes, 3);
        for (int32_t i = 0; i < 3; ++i) {
            kv::graphics::CollisionBox* b = first->at(i);
            b->setBounds(7 + i, -9, 40, 12);
            b->type = 5, b->colour = 0xFF00FF, b->kind = 4, b->hasColour = b->filled = true;
        }
        for (int32_t type : {-1, 0, 1}) {
            VMPtr<InGameObject::BoxArray> again = InGameObject::clearedBoxes(table, InGameObject::kShotBoxes, 3);
            VMPtr<InGameObject::BoxArray> made = InGameObject::newBoxes(3);
            reused.push_back(again.get() == first.get());
            kept.push_back(fields(again));
            fresh.push_back(fields(made));
            frame->getCollisionBoxes(0, again, type);
            frame->getCollisionBoxes(0, made, type);
            kept.push_back(fields(again));
            fresh.push_back(fields(made));
        }
        VMPtr<InGameObject::BoxArray> other = InGameObject::clearedBoxes(table, InGameObject::kShotBoxes, 1);
        reused.push_back(other.get() == first.get() || other->length != 1);
    });
    EXPECT_EQ(reused, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(kept, fresh);
}

}  // namespace

namespace {

// Each weapon's projectile hits with the box its row of the weapon table gives (width and
// height sideways, turned when it flies up), centred on the shot: a shot at hand height then
// meets a 22 px enemy standing up to half the box higher or lower on the glass.
TEST(Character, ProjectilesHitWithTheWeaponTablesBoxes) {
    static std::vector<std::string> mismatches;
    onContent([] {
        VMPtr<kv::AnimSet> shots = InGameObject::loadAnimSet(content::res::SHOT_SET, content::res::SHOT_GOBS);
        VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(1);
        for (int32_t weapon = 0; weapon < global::WeaponConfig::WEAPON_COUNT; ++weapon) {
            const int32_t w = global::WeaponConfig::weapons()->at(weapon)->at(global::WeaponConfig::BOX_WIDTH);
            const int32_t h = global::WeaponConfig::weapons()->at(weapon)->at(global::WeaponConfig::BOX_HEIGHT);
            for (const bool up : {false, true}) {
                shots->getFrame(weapon + (up ? 7 : 0))->getCollisionBoxes(0, boxes, 0);
                const kv::graphics::CollisionBox& box = *boxes->at(0);
                const int32_t wantW = up ? h : w, wantH = up ? w : h;
                if (box.width != wantW || box.height != wantH || box.x != -(wantW / 2) || box.y != -(wantH / 2))
                    mismatches.push_back(std::to_string(weapon) + (up ? " up" : " sideways"));
            }
        }
    });
    EXPECT_EQ(mismatches, std::vector<std::string>{});
}

}  // namespace

namespace {

// A level drops an item for at most one defeat in ten, one of its five items (kind, variant)
// by chance, and each item draws its effect at spawn; only coins earn money, one each. Over
// the five stages' enemy totals the coins expected from the drops alone (each item's share
// of coins over many spawns) cover the price of every weapon the shop sells with a margin.
TEST(GlassAndItem, APlaythroughsDropsPayForEveryWeapon) {
    static int32_t defeats = 0, prices = 0;
    static double coinItems = 0;  // the five items' coin shares added up
    onContent([] {
        for (int32_t stage = 0; stage < 5; ++stage)
            defeats += global::GameConfig::stages()->at(stage)->at(global::GameConfig::ENEMY_TOTAL);
        for (int32_t weapon = 0; weapon < global::WeaponConfig::WEAPON_COUNT; ++weapon)
            prices += global::WeaponConfig::weapons()->at(weapon)->at(global::WeaponConfig::PRICE);
        VMPtr<kv::AnimSet> itemSet = InGameObject::loadAnimSet(content::res::ITEM_SET, content::res::ITEM_GOBS);
        constexpr int32_t kSpawns = 4000;
        for (auto [kind, variant] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}) {
            VMPtr<InGameObject::Item> item = InGameObject::Item::_VM_new();
            item->_VM_init(itemSet, kind, variant, 0, 0);
            int32_t coins = 0;
            for (int32_t n = 0; n < kSpawns; ++n) {
                item->spawn(0, 0);
                coins += item->effectCode == 0;
            }
            coinItems += double(coins) / kSpawns;
        }
    });
    const double expected = defeats * coinItems / 50;
    EXPECT_GE(expected, prices * 1.04) << coinItems << " coin items of 5, " << defeats << " defeats";
}

}  // namespace
