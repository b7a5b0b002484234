#include "src/game/level/scene_InGameNormal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/ContentIds.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_util_Date.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/global_EnemyConfig.h"
#include "src/game/foundation/global_GameConfig.h"
#include "src/game/objects/HitTests.h"
#include "src/game/objects/SetLoading.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"
#include "src/kv/util/text/kv_util_text_Translation.h"

namespace scene {

VM_DEFINE_CLASS(InGameNormal, "scene.InGameNormal", "ui.Scene", VM_NO_CLINIT)

using global::EnemyConfig;
using InGameObject::loadAnimSet;
using InGameObject::newPlayer;
using java::lang::String;
using java::lang::StringBuffer;
using BoxArray = kv::Paintable::BoxArray;

namespace {

const ui::SceneRegistration registration(scene_id::kNormalLevel, &ui::buildScene<InGameNormal>);

constexpr int32_t kPanelPause = 9, kPanelQuit = 15;
constexpr int32_t kTextPauseTitle = 41, kTextResume = 42, kTextRestart = 43, kTextQuit = 44;
constexpr int32_t kHudFrames[9] = {12, 1, 2, 7, 8, 10, 11, 16, 17};

using InGameObject::clearedBoxes;
using InGameObject::placedBox;
using InGameObject::touches;

}  // namespace

VMPtr<InGameNormal> InGameNormal::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    leftFlag = rightFlag = attackUpFlag = jumpFlag = attackLeftFlag = attackRightFlag = false;
    quitChoice = false;
    manager = owner;
    init();
    return this;
}

void InGameNormal::_VM_mark(uint32_t flags) {
    Scene::_VM_mark(flags);
    for (auto* field : {&hudFrame17, &hudFrame10, &hudFrame16, &hudFrame12, &hudFrame1, &hudFrame8, &touchMarks, &hudFrame2,
                        &hudFrame11, &hudFrame7})
        vmMarkField(*field, flags);
    vmMarkField(groundHeights, flags);
    vmMarkField(menuTextIds, flags);
    vmMarkField(activeGlass, flags);
    vmMarkField(tiles, flags);
    vmMarkField(centrePlayer, flags);
    vmMarkField(activeItems, flags);
    vmMarkField(random, flags);
    vmMarkField(glassSet, flags);
    vmMarkField(spareGlass, flags);
    vmMarkField(savedRecord, flags);
    vmMarkField(weaponIcons, flags);
    vmMarkField(panelSet, flags);
    vmMarkField(spawnCooldowns, flags);
    vmMarkField(levelTable, flags);
    vmMarkField(itemSet, flags);
    vmMarkField(character, flags);
    vmMarkField(controlPoints, flags);
    vmMarkField(enemySets, flags);
    vmMarkField(graphics, flags);
    vmMarkField(spareItems, flags);
    vmMarkField(marker, flags);
    vmMarkField(activeEnemies, flags);
    vmMarkField(freeEnemies, flags);
    vmMarkField(transition, flags);
    vmMarkField(manager, flags);
    vmMarkField(enemiesLeftTexts, flags);
}

// ---------------------------------------------------------------- life cycle

void InGameNormal::resetPlay() {
    state = kLoading;
    savedState = 0;
    loadStep = 0;
    tiles = PlayerArray::_VM_new(kTileCount);
    controlPoints = IntArray::_VM_new(kControlPoints);
    groundHeights = IntArray::_VM_new(manager->getGameWidth());
    random = kv::util::FastRandom::_VM_new();
    random->_VM_init();
    VMPtr<java::util::Date> now = java::util::Date::_VM_new();
    now->_VM_init();
    random->setSeed(now->getTime());
    maxHeight = manager->getGameHeight();
    frameTime = 0;
    pointerX = pointerY = -1;
}

void InGameNormal::init() {
    savedRecord = manager->loadRecord(0);
    resetPlay();
    playTime = 0;
    endTimer = 0;
    collectedCount = 0;
    stage = savedRecord && savedRecord->length > 15 ? savedRecord->at(15) : -1;
    java::lang::System::out->println(stage);
    spawnedCount = 0;
    // A stage outside 0..4 has no table: this raises an error naming it.
    levelTable = EnemyConfig::forStage(stage);
    spawnCooldowns = IntArray::_VM_new(levelTable->length);
    for (int32_t i = 0; i < levelTable->length; ++i) spawnCooldowns->at(i) = levelTable->at(i)->at(EnemyConfig::COOLDOWN);
    defeatedCount = 0;
}

void InGameNormal::pause() {
    if (state == kLoading || state == kPauseMenu || state == kQuitQuestion) return;
    savedState = state;
    state = kPauseMenu;
    menuCursor = 0;
}

int32_t InGameNormal::configValue(int32_t column) { return global::GameConfig::stages()->at(stage)->at(column); }

void InGameNormal::update(int32_t dt) {
    frameTime = dt;
    switch (state) {
    case kLoading: load(); break;
    case kOpening: updateOpening(dt); break;
    case kPlaying:
        playTime += int64_t(dt);
        stepGame();
        applyInput();
        break;
    case kCleared:
    case kFailed:
        updateEnd(dt);
        if (state == kCleared || state == kFailed) stepGame();
        break;
    default: break;
    }
}

void InGameNormal::updateOpening(int32_t dt) {
    transition->update(dt);
    VMPtr<kv::Frame> shown = transition->getCurrentFrame();
    if (transition->getY() + shown->getY(0) + shown->height > kViewHeight) state = kPlaying;
}

void InGameNormal::updateEnd(int32_t dt) {
    endTimer += dt;
    if (endTimer < kEndHoldMillis) {
        transition->setAnimation(0);
        transition->setY(0);
        return;
    }
    transition->update(dt);
    if (transition->getY() + transition->getCurrentFrame()->getY(0) - manager->getGameY() > kViewHeight) finishLevel();
}

void InGameNormal::finishLevel() {
    const int64_t seconds = playTime / 1000;
    const int32_t hours = int32_t(std::min<int64_t>(seconds / 3600, 99)) + savedRecord->at(17);
    const int32_t minutes = int32_t((seconds % 3600) / 60) + savedRecord->at(18);
    const int32_t secondsPart = int32_t(seconds % 60) + savedRecord->at(19);
    const bool cleared = state == kCleared;
    manager->storeResult(character->noDamage ? 0 : 1, collectedCount, stage, playTime, cleared ? 1 : 0, hours, minutes,
                         secondsPart);
    if (!cleared) {
        manager->changeScene(scene_id::kGameOver);
    } else if (stage < 4) {
        manager->changeScene(scene_id::kBoss1 + stage);
    } else {
        manager->storyMode = 3;
        manager->changeScene(scene_id::kStory);
    }
}

// ---------------------------------------------------------------- loading

void InGameNormal::load() {
    if (loadStep > kFirstLoadStep) return;
    if (loadStep == 0) {
        loadStep = kFirstLoadStep;
        return;
    }
    runLoadStep(loadStep);
    if (loadStep > 1) --loadStep;
}

void InGameNormal::runLoadStep(int32_t step) {
    switch (step) {
    case 15: loadCharacter(); break;
    case 14: loadGlass(); break;
    case 13: loadEnemySets(); break;
    case 12: loadMarkerAndGround(); break;
    case 11: loadBackground(); break;
    case 10:
        transition = newPlayer(loadAnimSet(content::res::CURTAIN_SET, content::res::CURTAIN_GOBS), 1);
        transition->setX(0);
        transition->setY(0);
        break;
    case 9: loadHud(); break;
    case 8: loadItems(); break;
    case 7: {
        VMPtr<kv::AnimSet> icons = loadAnimSet(content::res::WEAPON_ICON_SET, content::res::WEAPON_ICON_GOBS);
        weaponIcons = FrameArray::_VM_new(7);
        for (int32_t i = 0; i < 7; ++i) weaponIcons->set(i, icons->getFrame(i).get());
        break;
    }
    case 6: touchMarks = loadAnimSet(content::res::TOUCH_MARK_SET, content::res::TOUCH_MARK_GOBS)->getFrame(0); break;
    case 5: loadEnemyPool(); break;
    case 4: loadSpareGlass(); break;
    case 3: loadPanels(); break;
    case 2: break;
    case 1:
        character->setGroundLine(groundHeights);
        state = kOpening;
        kv::Resources::closePack();
        break;
    default: break;
    }
}

void InGameNormal::loadCharacter() {
    character = InGameObject::Character::_VM_new();
    character->_VM_init(manager->loadRecord(0), stage);
}

void InGameNormal::loadGlass() {
    activeGlass = GlassArray::_VM_new(kGlassCount);
    glassSet = loadAnimSet(content::res::GLASS0_SET + stage, content::res::GLASS0_GOBS + stage);
}

void InGameNormal::loadEnemySets() {
    enemySets = SetArray::_VM_new(levelTable->length);
    activeEnemies = EnemyArray::_VM_new(configValue(global::GameConfig::MAX_ALIVE));
    for (int32_t row = 0; row < levelTable->length; ++row) {
        const int32_t setId = levelTable->at(row)->at(EnemyConfig::ANIM_SET_ID);
        if (setId == -1) continue;
        enemySets->set(row, loadAnimSet(setId, levelTable->at(row)->at(EnemyConfig::GOBS_ID)).get());
    }
}

void InGameNormal::loadMarkerAndGround() {
    marker = newPlayer(loadAnimSet(content::res::MARKER_SET, content::res::MARKER_GOBS), 0);
    marker->setX(0);
    centrePlayer = newPlayer(glassSet, 21);
    centrePlayer->setX(manager->getGameWidth() / 2);
    maxHeight = manager->getGameHeight() / 10 * 7;
    marker->setY(maxHeight);
    centrePlayer->setY(maxHeight);
    for (int32_t x = 0; x < groundHeights->length; ++x) groundHeights->at(x) = maxHeight;
    for (int32_t k = 0; k < kControlPoints; ++k) controlPoints->at(k) = manager->getGameHeight();
}

void InGameNormal::loadBackground() {
    VMPtr<kv::AnimSet> set = loadAnimSet(content::res::STAGE0_SET + stage, content::res::STAGE0_GOBS + stage);
    for (int32_t i = 0; i < kTileCount; ++i) {
        VMPtr<kv::AnimPlayer> tile = newPlayer(set, 0);
        tiles->set(i, tile.get());
        const int32_t height = tile->getCurrentFrame()->height;
        tile->setY(i == 0 ? -height : tiles->at(i - 1)->getY() + height);
    }
}

void InGameNormal::loadHud() {
    VMPtr<kv::AnimSet> hud = loadAnimSet(content::res::HUD_SET, content::res::HUD_GOBS);
    VMPtr<kv::Frame>* members[9] = {&hudFrame12, &hudFrame1, &hudFrame2, &hudFrame7, &hudFrame8,
                                    &hudFrame10, &hudFrame11, &hudFrame16, &hudFrame17};
    for (int32_t i = 0; i < 9; ++i) *members[i] = hud->getFrame(i == 0 ? topBarFrameIndex() : kHudFrames[i]);
}

void InGameNormal::loadItems() {
    activeItems = ItemArray::_VM_new(kItemCount);
    spareItems = ItemArray::_VM_new(kItemCount);
    itemSet = loadAnimSet(content::res::ITEM_SET, content::res::ITEM_GOBS);
    constexpr int32_t kinds[kItemCount][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}};
    for (int32_t i = 0; i < kItemCount; ++i) {
        VMPtr<InGameObject::Item> item = InGameObject::Item::_VM_new();
        item->_VM_init(itemSet, kinds[i][0], kinds[i][1], 0, 0);
        spareItems->set(i, item.get());
    }
}

void InGameNormal::loadEnemyPool() {
    int32_t total = 0;
    for (int32_t row = 0; row < levelTable->length; ++row) total += levelTable->at(row)->at(EnemyConfig::POOL_SIZE);
    freeEnemies = EnemyArray::_VM_new(total);
    int32_t serial = 0;
    for (int32_t row = 0; row < levelTable->length; ++row) {
        VMPtr<IntArray> values = levelTable->at(row);
        for (int32_t n = 0; n < values->at(EnemyConfig::POOL_SIZE); ++n) {
            const int32_t side = random->nextInt(2) != 0 ? 1 : 0;
            VMPtr<InGameObject::Enemy> enemy = InGameObject::Enemy::_VM_new();
            enemy->_VM_init(values->at(EnemyConfig::HIT_POINTS), serial, side, enemySets->at(row),
                            values->at(EnemyConfig::CROSSING_TIME), values->at(EnemyConfig::KIND), row, viewTop());
            freeEnemies->set(serial++, enemy.get());
        }
    }
}

void InGameNormal::loadSpareGlass() {
    spareGlass = GlassArray::_VM_new(kGlassCount);
    for (int32_t i = 0; i < kGlassCount; ++i) {
        VMPtr<InGameObject::Glass> glass = InGameObject::Glass::_VM_new();
        glass->_VM_init(glassSet, random->nextInt(7), 0);
        spareGlass->set(i, glass.get());
    }
}

void InGameNormal::loadPanels() {
    panelSet = loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS);
    menuTextIds = IntArray::_VM_new(3);
    menuTextIds->at(0) = kTextResume;
    menuTextIds->at(1) = kTextRestart;
    menuTextIds->at(2) = kTextQuit;
    menuCursor = 0;
}

// ---------------------------------------------------------------- play step

void InGameNormal::stepGame() {
    spawnEnemies();
    checkCollisions();
    character->setGroundLine(groundHeights);
    character->update(frameTime, manager->getGameX(), manager->getGameY());
    for (int32_t i = 0; i < activeItems->length; ++i) {
        InGameObject::Item* item = activeItems->at(i);
        if (!item) continue;
        item->update(frameTime, groundHeights);
        if (item->state == InGameObject::Item::kDone) {
            spareItems->set(i, item);
            activeItems->set(i, nullptr);
        }
    }
    if (marker->getY() > maxHeight && marker->update(frameTime)) scrollView();
    updateEnemies();
    updateGlass(frameTime);
    checkEnd();
}

void InGameNormal::scrollView() {
    centrePlayer->update(frameTime);
    manager->setGameY(marker->getPrevY() - marker->getY() + manager->getGameY());
    int32_t top = 0;
    for (int32_t i = 0; i < kTileCount; ++i) {
        tiles->at(i)->update(frameTime);
        if (tiles->at(i)->getY() < tiles->at(top)->getY()) top = i;
    }
    if (manager->getGameY() > manager->getGameHeight() - kViewHeight) {
        const int32_t offset = manager->getGameY();
        manager->setGameArea(manager->getGameWidth(), manager->getGameHeight() + kViewHeight);
        // Log lines go out piece by piece: no string is made for them in play.
        java::lang::System::out->print("reset game height:");
        java::lang::System::out->println(manager->getGameHeight());
        manager->setGameY(offset);
    }
    // A piece whose top lies below the view's bottom edge has left the visible area: it goes
    // on top of the highest one. (Measured from the view, not from the area, which grows.)
    kv::AnimPlayer* topTile = tiles->at(top);
    for (int32_t i = 0; i < kTileCount; ++i) {
        kv::AnimPlayer* tile = tiles->at(i);
        if (tile->getY() <= kViewHeight - manager->getGameY()) continue;
        tile->setAnimation(tile->getAnimation());
        const int32_t lift = topTile->getY() - topTile->getPrevY();
        tile->setY(topTile->getY() - tile->getCurrentFrame()->height - lift);
        VMPtr<java::io::PrintStream> out = java::lang::System::out;
        out->print(i);
        out->print(" ");
        out->print(tile->getY() - topTile->getY());
        out->print(" done!");
        out->println(lift);
    }
}

void InGameNormal::updateEnemies(bool scored) {
    for (int32_t i = 0; i < activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = activeEnemies->at(i);
        if (!enemy) continue;
        if (enemy->state == InGameObject::Enemy::kFinished) {
            if (scored) spawnCooldowns->at(enemy->row) = levelTable->at(enemy->row)->at(EnemyConfig::COOLDOWN);
            for (int32_t k = 0; k < freeEnemies->length; ++k) {
                if (freeEnemies->at(k)) continue;
                freeEnemies->set(k, enemy);
                activeEnemies->set(i, nullptr);
                if (scored) ++defeatedCount;
                break;
            }
            continue;
        }
        enemy->setGroundLine(groundHeights);
        VMPtr<kv::AnimPlayer> body = character->body;
        enemy->update(frameTime, body->getX(), body->getY() - body->getCurrentFrame()->height / 2);
    }
}

bool InGameNormal::glassInPlay() {
    for (int32_t i = 0; i < activeGlass->length; ++i)
        if (activeGlass->at(i) && activeGlass->at(i)->state != 0) return true;
    return false;
}

void InGameNormal::checkEnd() {
    const bool settled = !glassInPlay() && marker->getY() <= maxHeight;
    if (defeatedCount == configValue(global::GameConfig::ENEMY_TOTAL) && state == kPlaying) {
        character->celebrate();
        if (settled) {
            state = kCleared;
            transition->setAnimation(0);
            transition->setY(0);
        }
    }
    if (character->dead && state == kPlaying && settled) {
        state = kFailed;
        transition->setAnimation(0);
        transition->setY(0);
    }
}

void InGameNormal::spawnEnemies() {
    for (int32_t i = 0; i < spawnCooldowns->length; ++i)
        spawnCooldowns->at(i) = std::max(0, spawnCooldowns->at(i) - frameTime);
    int32_t alive = 0;
    for (int32_t i = 0; i < activeEnemies->length; ++i)
        if (activeEnemies->at(i)) ++alive;
    if (spawnedCount >= configValue(global::GameConfig::ENEMY_TOTAL) || alive >= configValue(global::GameConfig::MAX_ALIVE))
        return;
    // The row is the kind for cooldowns, counts and the pool.
    const int32_t row = random->nextInt(levelTable->length);
    if (levelTable->at(row)->at(EnemyConfig::ANIM_SET_ID) == -1 || spawnCooldowns->at(row) != 0 || glassInPlay()) return;
    int32_t ofRow = 0, freePlace = -1, pooled = -1;
    for (int32_t i = 0; i < activeEnemies->length; ++i) {
        if (activeEnemies->at(i) && activeEnemies->at(i)->row == row) ++ofRow;
        if (!activeEnemies->at(i) && freePlace < 0) freePlace = i;
    }
    for (int32_t k = 0; k < freeEnemies->length && pooled < 0; ++k)
        if (freeEnemies->at(k) && freeEnemies->at(k)->row == row) pooled = k;
    if (ofRow < levelTable->at(row)->at(EnemyConfig::POOL_SIZE) && freePlace >= 0 && pooled >= 0) {
        const int32_t side = random->nextInt(2);
        InGameObject::Enemy* enemy = freeEnemies->at(pooled);
        activeEnemies->set(freePlace, enemy);
        enemy->spawn(side, viewTop());
        freeEnemies->set(pooled, nullptr);
        ++spawnedCount;
    }
    spawnCooldowns->at(row) = levelTable->at(row)->at(EnemyConfig::COOLDOWN);
}

void InGameNormal::spawnItem(int32_t x, int32_t y) {
    if (x < 0 || x > 239) return;
    const int32_t roll = random->nextInt(100);
    const int32_t index = random->nextInt(kItemCount);
    if (activeItems->at(index) || !spareItems->at(index)) return;
    InGameObject::Item* item = spareItems->at(index);
    const int32_t total = configValue(global::GameConfig::ENEMY_TOTAL);
    const bool starts = roll < 10 || (item->kind == 0 && total - defeatedCount == total / 2);
    if (!starts) return;
    activeItems->set(index, item);
    spareItems->set(index, nullptr);
    item->spawn(x, y);
}

void InGameNormal::buildGroundLine() {
    const int32_t width = manager->getGameWidth(), segment = width / kControlPoints, half = segment / 2;
    auto capped = [&](int32_t k) { return std::min(controlPoints->at(k), maxHeight); };
    for (int32_t x = 0; x < half && x < width; ++x) groundHeights->at(x) = capped(0);
    for (int32_t k = 0; k + 1 < kControlPoints; ++k) {
        const int32_t a = capped(k), b = capped(k + 1);
        const double slope = std::abs(b - a) / double(segment);
        for (int32_t j = 0; j < segment; ++j) {
            const int32_t column = half + k * segment + j;
            if (column >= 0 && column < width) groundHeights->at(column) = int32_t(a <= b ? a + j * slope : a - j * slope);
        }
    }
    for (int32_t x = std::max(0, width - half); x < width; ++x) groundHeights->at(x) = capped(kControlPoints - 1);
}

// ---------------------------------------------------------------- collisions

void InGameNormal::checkCollisions() {
    VMPtr<BoxArray> first = clearedBoxes(scratchBoxes, InGameObject::kShotBoxes, 1),
                    second = clearedBoxes(scratchBoxes, InGameObject::kTargetBoxes, 1);
    hitEnemies(first, second);
    if (character->canAct()) hurtCharacter(first, second);
    pickUpItems(first, second);
}

void InGameNormal::hitEnemies(const VMPtr<BoxArray>& shotBoxes, const VMPtr<BoxArray>& enemyBoxes, bool drops) {
    VMPtr<PlayerArray> shots = character->getProjectiles();
    for (int32_t slot = 0; slot < shots->length; ++slot) {
        kv::AnimPlayer* shot = shots->at(slot);
        if (!shot) continue;
        kv::graphics::CollisionBox* shotBox = placedBox(shot, shotBoxes);
        for (int32_t i = 0; i < activeEnemies->length; ++i) {
            InGameObject::Enemy* enemy = activeEnemies->at(i);
            if (!enemy || !touches(shotBox, placedBox(enemy->player.get(), enemyBoxes))) continue;
            if (enemy->takeDamage(character->damageFor(slot, enemy->id)) && drops) {
                const int32_t x = enemy->getX(), y = enemy->getY() - enemy->player->getCurrentFrame()->height;
                spawnGlass(x, y);
                spawnItem(x, y);
            }
            character->registerHit(slot, enemy->id);
            break;
        }
    }
}

void InGameNormal::hurtCharacter(const VMPtr<BoxArray>& heroBoxes, const VMPtr<BoxArray>& enemyBoxes) {
    kv::graphics::CollisionBox* heroBox = placedBox(character->body.get(), heroBoxes);
    // The first enemy the character touches hurts it; the throwers before that one may then
    // hurt it with their effect.
    int32_t reached = activeEnemies->length;
    for (int32_t i = 0; i < activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = activeEnemies->at(i);
        if (!enemy || !touches(heroBox, placedBox(enemy->player.get(), enemyBoxes))) continue;
        character->takeDamage(contactDamage(enemy));
        reached = i;
        break;
    }
    for (int32_t i = 0; i < reached; ++i) {
        InGameObject::Enemy* enemy = activeEnemies->at(i);
        if (!enemy || enemy->kind != 2) continue;
        if (!touches(heroBox, placedBox(enemy->getEffectPlayer().get(), enemyBoxes))) continue;
        enemy->hitAnimation();
        character->takeDamage(contactDamage(enemy));
        break;
    }
}

int32_t InGameNormal::contactDamage(InGameObject::Enemy* enemy) {
    return levelTable->at(enemy->row)->at(EnemyConfig::CONTACT_DAMAGE);
}

void InGameNormal::pickUpItems(const VMPtr<BoxArray>& heroBoxes, const VMPtr<BoxArray>& itemBoxes) {
    kv::graphics::CollisionBox* heroBox = placedBox(character->body.get(), heroBoxes);
    for (int32_t i = 0; i < activeItems->length; ++i) {
        InGameObject::Item* item = activeItems->at(i);
        if (!item || item->state == InGameObject::Item::kDone) continue;
        if (!touches(heroBox, placedBox(item->player.get(), itemBoxes)) || !item->player->collidesWith(character->body)) continue;
        switch (item->effectCode) {
        case 0: ++collectedCount; break;
        case 1: character->addHealth(item->effectValue); break;
        case 2: character->setSpeedBoostTimer(item->effectValue); break;
        case 3: character->setPowerTimer(item->effectValue); break;
        case 4: character->setInvulnerableTimer(item->effectValue); break;
        default: break;
        }
        spareItems->set(i, item);
        activeItems->set(i, nullptr);
    }
}

// ---------------------------------------------------------------- glass

void InGameNormal::spawnGlass(int32_t x, int32_t y) {
    const int32_t pieces = 2 + random->nextInt(1);
    for (int32_t n = 0; n < pieces; ++n) {
        const int32_t shape = random->nextInt(7);
        const int32_t place = firstFree(activeGlass), spare = firstHeld(spareGlass);
        if (place < 0 || spare < 0) continue;
        InGameObject::Glass* glass = spareGlass->at(spare);
        activeGlass->set(place, glass);
        glass->start(shape, 0);
        glass->frame = glassSet->getFrame(shape);
        glass->setPosition(x, y);
        spareGlass->set(spare, nullptr);
    }
}

int32_t InGameNormal::firstFree(const VMPtr<GlassArray>& pieces) {
    for (int32_t i = 0; i < pieces->length; ++i)
        if (!pieces->at(i)) return i;
    return -1;
}

int32_t InGameNormal::firstHeld(const VMPtr<GlassArray>& pieces) {
    for (int32_t i = 0; i < pieces->length; ++i)
        if (pieces->at(i)) return i;
    return -1;
}

void InGameNormal::releaseGlass(int32_t index) {
    const int32_t place = firstFree(spareGlass);
    if (place < 0) return;
    spareGlass->set(place, activeGlass->at(index));
    activeGlass->set(index, nullptr);
}

int32_t InGameNormal::columnOf(int32_t x) {
    const int32_t width = manager->getGameWidth();
    for (int32_t k = 0; k < kControlPoints; ++k) {
        const int32_t start = width * k / kControlPoints;
        if (start <= x && x <= start + width / kControlPoints) return k;
    }
    return 0;
}

kv::graphics::CollisionBox* InGameNormal::glassBox(InGameObject::Glass* glass, const VMPtr<BoxArray>& boxes) {
    kv::graphics::CollisionBox* box = boxes->at(0);
    box->x = box->y = box->width = box->height = 0;
    glass->frame->getCollisionBoxes(0, boxes);
    box->x += glass->x;
    box->y += glass->y;
    return box;
}

void InGameNormal::updateGlass(int32_t dt) {
    VMPtr<BoxArray> falling = clearedBoxes(scratchBoxes, InGameObject::kFallingGlassBoxes, 1),
                    resting = clearedBoxes(scratchBoxes, InGameObject::kRestingGlassBoxes, 1);
    bool changed = false;
    for (int32_t i = 0; i < activeGlass->length; ++i) {
        InGameObject::Glass* glass = activeGlass->at(i);
        if (!glass || glass->state == InGameObject::Glass::kResting) continue;
        kv::graphics::CollisionBox* box = glassBox(glass, falling);
        const int32_t column = columnOf(glass->x);
        const bool columnLow = maxHeight - controlPoints->at(column) < kPileStep;
        if (columnLow && settleOnPile(i, box, resting)) {
            changed = true;
            continue;
        }
        glass->update(dt);
        if (glass->y < maxHeight) continue;
        if (columnLow) {
            glass->y = maxHeight - 1;
            glass->state = InGameObject::Glass::kResting;
            changed = true;
        } else {
            releaseGlass(i);
        }
    }
    if (changed) checkGlassHits();
}

bool InGameNormal::settleOnPile(int32_t index, kv::graphics::CollisionBox* box, const VMPtr<BoxArray>& boxes) {
    InGameObject::Glass* glass = activeGlass->at(index);
    for (int32_t j = activeGlass->length - 1; j >= 0; --j) {
        InGameObject::Glass* below = activeGlass->at(j);
        if (j == index || !below || below->state != InGameObject::Glass::kResting) continue;
        if (!touches(box, glassBox(below, boxes))) continue;
        if (glass->size == 0 && below->size < 2) {
            // 0 + 0 makes a medium piece, 0 + 1 a large one; the resting piece grows.
            below->size += 1;
            below->frame = glassSet->getFrame(below->shape + kShapes * below->size);
            releaseGlass(index);
        } else {
            glass->state = InGameObject::Glass::kResting;
        }
        return true;
    }
    return false;
}

void InGameNormal::checkGlassHits() {
    VMPtr<BoxArray> boxes = clearedBoxes(scratchBoxes, InGameObject::kGlassHitBoxes, 1);
    const int32_t width = manager->getGameWidth(), span = width / kControlPoints;
    bool raised = false;
    for (int32_t k = 0; k < kControlPoints; ++k) {
        const int32_t start = width * k / kControlPoints, end = start + span;
        for (int32_t i = 0; i < activeGlass->length; ++i) {
            InGameObject::Glass* glass = activeGlass->at(i);
            if (!glass || glass->state != InGameObject::Glass::kResting) continue;
            kv::graphics::CollisionBox* box = glassBox(glass, boxes);
            const int32_t left = box->x;
            const bool covers = left == start || (start < left && left <= end) || (left < start && start <= left + box->width);
            if (covers && box->y < controlPoints->at(k)) {
                controlPoints->at(k) = box->y;
                raised = true;
            }
        }
    }
    int32_t lowestTop = controlPoints->at(0);
    for (int32_t k = 1; k < kControlPoints; ++k) lowestTop = std::max(lowestTop, controlPoints->at(k));
    if (lowestTop < maxHeight) maxHeight = lowestTop;
    clearBuriedGlass(boxes);
    if (raised) buildGroundLine();
}

void InGameNormal::clearBuriedGlass(const VMPtr<BoxArray>& boxes) {
    VMPtr<BoxArray> markerBoxes = clearedBoxes(scratchBoxes, InGameObject::kMarkerBoxes, 1);
    marker->getCollisionBoxes(marker->getFlags(), markerBoxes, 0);
    const int32_t markerTop = marker->getY() + markerBoxes->at(0)->y;
    for (int32_t i = 0; i < activeGlass->length; ++i) {
        InGameObject::Glass* glass = activeGlass->at(i);
        if (!glass) continue;
        const int32_t column = columnOf(glass->x), top = glassBox(glass, boxes)->y;
        const bool plain = glass->x < 0 || glass->x > 239 || controlPoints->at(column) >= maxHeight || glass->size != 0;
        // Below the marker's line nothing shows; a small piece under its column's top is buried.
        const bool gone = plain ? top >= markerTop : glass->y - glass->frame->height / 2 > controlPoints->at(column);
        if (gone) releaseGlass(i);
    }
}

// ---------------------------------------------------------------- controls

level::LevelControls InGameNormal::controls() {
    return level::LevelControls({*this, *manager, character.get(),
                                 {leftFlag, rightFlag, attackUpFlag, jumpFlag, attackLeftFlag, attackRightFlag}, pointerX,
                                 pointerY, menuCursor, quitChoice, hudFrame12.get(), hudFrame1.get(), panelSet.get()});
}

void InGameNormal::choose(level::PanelChoice choice) {
    switch (choice) {
    case level::PanelChoice::kResume: state = savedState; break;
    case level::PanelChoice::kRestart: restart(); break;
    case level::PanelChoice::kAskQuit: state = kQuitQuestion; break;
    case level::PanelChoice::kLeave: leave(); break;
    case level::PanelChoice::kBackToMenu: state = kPauseMenu; break;
    case level::PanelChoice::kNone: break;
    }
}

void InGameNormal::restart() {
    manager->storeResult(0, 0, stage, 0, 0, 0, 0, 0);
    manager->changeScene(scene_id::kNormalLevel);
}

void InGameNormal::leave() { manager->changeScene(scene_id::kWorldMap); }

void InGameNormal::applyInput() { controls().applyInput(); }

void InGameNormal::keysInPlay() { controls().keysInPlay(); }

void InGameNormal::pointerInPlay(const level::PointerEvent& event) { controls().pointerInPlay(event); }

void InGameNormal::handleKeys() {
    switch (state) {
    case kPlaying: keysInPlay(); break;
    case kPauseMenu: choose(controls().pauseMenuKeys()); break;
    case kQuitQuestion: choose(controls().quitQuestionKeys()); break;
    default: break;
    }
}

void InGameNormal::handlePointer() {
    const level::PointerEvent event = level::LevelControls::readPointer(*manager);
    switch (state) {
    case kPlaying: pointerInPlay(event); break;
    case kPauseMenu: choose(controls().pauseMenuPointer(event)); break;
    case kQuitQuestion: choose(controls().quitQuestionPointer(event)); break;
    default: break;
    }
}

// ---------------------------------------------------------------- painting

void InGameNormal::clipToView() {
    graphics->setClip(0, viewTop(), manager->getGameWidth(), manager->getGameHeight());
}

void InGameNormal::paint(VMPtr<Graphics> g) {
    graphics = g;
    switch (state) {
    case kPlaying:
        paintObjects();
        paintPlayOverlay();
        break;
    case kCleared:
    case kFailed:
        paintObjects();
        paintEndOverlay();
        paintCurtain(false);
        break;
    case kOpening:
        paintObjects();
        paintControls();
        paintCurtain(true);
        break;
    case kPauseMenu:
        paintObjects();
        paintMessage();
        break;
    case kQuitQuestion:
        paintObjects();
        paintQuitQuestion();
        break;
    default: break;
    }
}

void InGameNormal::paintObjects() {
    paintWorldBehind();
    for (int32_t i = 0; i < activeItems->length; ++i)
        if (activeItems->at(i)) activeItems->at(i)->paint(graphics);
    character->paint(graphics);
    for (int32_t i = activeGlass->length - 1; i >= 0; --i)
        if (activeGlass->at(i)) activeGlass->at(i)->paint(graphics);
    paintWorldInFront();
}

// The background down to the ground line, then the enemies with the effects of the kind-2
// ones over every enemy; the view's clip and black are left set.
void InGameNormal::paintWorldBehind() {
    const int32_t width = manager->getGameWidth();
    graphics->setClip(0, viewTop(), width, manager->getGameY() + maxHeight);
    for (int32_t i = 0; i < kTileCount; ++i) tiles->at(i)->paint(graphics);
    clipToView();
    graphics->setColor(0x000000);
    int32_t throwers[16];
    int32_t throwerCount = 0;
    for (int32_t i = 0; i < activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = activeEnemies->at(i);
        if (!enemy) continue;
        enemy->paint(graphics);
        if (enemy->kind == 2 && throwerCount < 16) throwers[throwerCount++] = i;
    }
    for (int32_t n = 0; n < throwerCount; ++n) activeEnemies->at(throwers[n])->getEffectPlayer()->paint(graphics);
}

void InGameNormal::paintWorldInFront() {
    const int32_t width = manager->getGameWidth();
    centrePlayer->paint(graphics);
    marker->paint(graphics);
    graphics->setColor(0x000000);
    VMPtr<kv::Frame> shown = marker->getCurrentFrame();
    graphics->fillRect(marker->getX(), marker->getY() + shown->getY(0) + shown->height, width,
                       manager->getGameHeight() + shown->height - marker->getY());
}

void InGameNormal::paintCurtain(bool opening) {
    VMPtr<kv::Frame> shown = transition->getCurrentFrame();
    const int32_t top = shown->getY(0);
    graphics->setColor(0x000000);
    if (opening) {
        transition->paint(graphics);
        graphics->fillRect(0, transition->getY() + top + shown->height, manager->getGameWidth(), kViewHeight - top);
    } else {
        transition->paint(graphics, 0, viewTop(), 0);
        graphics->fillRect(0, viewTop(), manager->getGameWidth(), transition->getY() + top);
    }
}

void InGameNormal::paintControls() {
    const int32_t width = manager->getGameWidth(), offY = manager->getGameY();
    hudFrame12->paint(graphics, width / 2, -offY, 0);
    hudFrame2->paint(graphics, 0, 160 - offY, 0);
    if (character->health > 0) {
        VMPtr<BoxArray> window = clearedBoxes(scratchBoxes, InGameObject::kHealthWindowBoxes, 1);
        hudFrame2->getCollisionBoxes(0, window, 0);
        kv::graphics::CollisionBox* box = window->at(0);
        const int32_t step = (100 - character->health) / 5;
        graphics->setClip(box->x, 160 - offY + box->y + step * hudFrame7->height, box->width, box->height);
        (character->health > 30 ? hudFrame16 : hudFrame17)->paint(graphics, 0, 160 - offY, 0);
        clipToView();
    }
    VMPtr<BoxArray> places = clearedBoxes(scratchBoxes, InGameObject::kPowerPlaceBoxes, 2);
    hudFrame2->getCollisionBoxes(0, places, 1);
    int32_t i = 0;
    if (character->powerTimer > 0) {
        hudFrame11->paint(graphics, places->at(0)->x, 160 - offY + places->at(0)->y, 0);
        i = 1;
    }
    if (character->speedBoostTimer > 0) hudFrame10->paint(graphics, places->at(i)->x, 160 - offY + places->at(i)->y - i, 0);
    VMPtr<BoxArray> bar = clearedBoxes(scratchBoxes, InGameObject::kWeaponBarBoxes, 2);
    hudFrame12->getCollisionBoxes(0, bar, 0);
    weaponIcons->at(character->weapon)->paint(graphics, bar->at(1)->x + width / 2, bar->at(1)->y - offY, 0);
    const int32_t total = configValue(global::GameConfig::ENEMY_TOTAL), left = total - defeatedCount;
    // Every count the stage can show is written on the first paint, so a defeat makes no text.
    if (!enemiesLeftTexts) {
        enemiesLeftTexts = VMArray<String*, 1>::_VM_new(std::max(total + 1, 0));
        for (int32_t n = 0; n <= total; ++n) enemiesLeftTexts->set(n, numberText(n));
    }
    VMPtr<String> enemiesLeft = left >= 0 && left < enemiesLeftTexts->length ? VMPtr<String>(enemiesLeftTexts->at(left))
                                                                            : numberText(left);
    VMPtr<kv::util::text::RichFont> font = manager->fonts->at(0);
    kv::graphics::CollisionBox* counter = bar->at(0);
    font->drawString(graphics, enemiesLeft, counter->x + width / 2 + counter->width / 2,
                     counter->y - offY + counter->height / 2 - font->getHeight() / 2, 1);
    touchMarks->paint(graphics, 160, 265 - offY, 0);
    hudFrame1->paint(graphics, width, kViewHeight - offY, 0);
}

VMPtr<java::lang::String> InGameNormal::numberText(int32_t n) {
    VMPtr<StringBuffer> digits = StringBuffer::_VM_new();
    digits->_VM_init();
    digits->append(n);
    return digits->toString();
}

VMPtr<kv::util::text::Translation> InGameNormal::translation() {
    return manager->translations->at(manager->languageIndex);
}

void InGameNormal::paintMessage() {
    const int32_t centreY = 160 - manager->getGameY();
    VMPtr<BoxArray> boxes = clearedBoxes(scratchBoxes, InGameObject::kPanelBoxes, 4);
    VMPtr<kv::Frame> panel = panelSet->getFrame(kPanelPause);
    panel->getCollisionBoxes(0, boxes, 0);
    panel->paint(graphics, 120, centreY, 0);
    VMPtr<kv::util::text::RichFont> title = manager->fonts->at(0), entries = manager->fonts->at(1);
    title->drawString(graphics, translation()->getText(kTextPauseTitle), 120, centreY + boxes->at(0)->y - title->getHeight() / 2, 1);
    for (int32_t i = 0; i < 3; ++i)
        entries->drawString(graphics, translation()->getText(menuTextIds->at(i)), 120,
                            centreY + boxes->at(i + 1)->y - entries->getHeight() / 2, 1);
}

void InGameNormal::paintQuitQuestion() {
    const int32_t centreY = 160 - manager->getGameY();
    VMPtr<kv::Frame> panel = panelSet->getFrame(kPanelQuit);
    panel->paint(graphics, 120, centreY, 0);
    VMPtr<BoxArray> boxes = clearedBoxes(scratchBoxes, InGameObject::kPanelLineBoxes, 1);
    panel->getCollisionBoxes(0, boxes, 1);
    VMPtr<StringBuffer> question = StringBuffer::_VM_new();
    question->_VM_init(translation()->getText(kTextQuit));
    question->append("?");
    VMPtr<kv::util::text::RichFont> font = manager->fonts->at(0);
    font->drawString(graphics, question->toString(), 120, centreY + boxes->at(0)->y - font->getHeight() / 2, 1);
}

// A development overlay: the maximum height, the ground line, glass counts and offsets.
void InGameNormal::paintDebugInfo() {
    const int32_t offY = manager->getGameY();
    graphics->setColor(0xFF0000);
    graphics->drawLine(0, maxHeight, manager->getGameWidth(), maxHeight);
    for (int32_t x = 0; x < groundHeights->length; ++x) graphics->drawLine(x, groundHeights->at(x), x, groundHeights->at(x));
    int32_t sizes[3] = {};
    for (int32_t i = 0; i < activeGlass->length; ++i)
        if (activeGlass->at(i)) ++sizes[std::clamp(activeGlass->at(i)->size, 0, 2)];
    const char* labels[3] = {"S_SIZE:", "M_SIZE:", "B_SIZE:"};
    if (frameTime > 0) graphics->drawString(String::withNumber("FPS:", 1000 / frameTime), 10, 10 - offY, 0);
    for (int32_t k = 0; k < 3; ++k) graphics->drawString(String::withNumber(labels[k], sizes[k]), 10, 20 + 10 * k - offY, 0);
    graphics->drawString(String::withNumber("HP:", character->health), 10, 50 - offY, 0);
    graphics->drawString(String::withNumber("Game_Y:", offY), 10, 60 - offY, 0);
}

}  // namespace scene
