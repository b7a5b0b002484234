#pragma once

// scene::InGameNormal (scene 2): one normal stage. It loads in sixteen steps (one a frame,
// state 0), opens behind a curtain (4), is played (1) until the stage's quota of enemies is
// defeated (2, cleared) or the character dies (3, failed), and then, 3000 ms into a closing
// curtain, stores the stage result and names the next scene: the stage's boss level, the
// story's part 3 after stage 4, or game over. A pause (5) and the quit question (6) freeze
// it behind their panels.
//
// Every object of play (enemies, glass, items, projectiles) is made while loading; play
// only moves them between fixed pools and active arrays, where null marks a free place.
// The view climbs with the marker as the glass pile raises the maximum height: the game
// area's vertical offset follows the marker, and the area grows 320 px whenever the view
// reaches its bottom, keeping the offset.
//
// Each play step settles shots against enemies (the first enemy a shot touches takes it),
// enemies against the character (only while it can act) and pick-ups. A defeated enemy
// drops two glass pieces: they fall, merge with the piece they land on (two small make a
// medium one, small and medium a large one) or rest on it, and each of the 20 columns
// keeps the top of its pile; the maximum height follows the lowest column top, a column
// 16 px above it takes no more glass, and pieces buried under their column's top or below
// the marker's line leave play. Tops and the maximum height only ever rise. Controls run
// through LevelControls, shared with the other levels.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/level/LevelControls.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/game/objects/InGameObject_Enemy.h"
#include "src/game/objects/InGameObject_Glass.h"
#include "src/game/objects/InGameObject_Item.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace scene {

class InGameNormal : public ui::Scene {
    VM_CLASS(InGameNormal, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using ByteArray = VMArray<int8_t, 1>;
    using GlassArray = VMArray<InGameObject::Glass*, 1>;
    using ItemArray = VMArray<InGameObject::Item*, 1>;
    using EnemyArray = VMArray<InGameObject::Enemy*, 1>;
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;
    using FrameArray = VMArray<kv::Frame*, 1>;
    using SetArray = VMArray<kv::AnimSet*, 1>;

    enum State : int32_t { kLoading = 0, kPlaying = 1, kCleared = 2, kFailed = 3, kOpening = 4, kPauseMenu = 5, kQuitQuestion = 6 };
    static constexpr int32_t kGlassCount = 50, kItemCount = 5, kTileCount = 3, kControlPoints = 20;
    static constexpr int32_t kViewHeight = 320, kEndHoldMillis = 3000, kFirstLoadStep = 15;
    static constexpr int32_t kShapes = 7;     // glass frames: 7 shapes a size, small to large
    static constexpr int32_t kPileStep = 16;  // a column this far above the maximum height takes no more glass

    VMPtr<InGameNormal> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override;

    // ui::Scene
    void pause() override;
    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    bool isPaused() override { return state == kPauseMenu || state == kQuitQuestion; }
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == kLoading; }

    // The level's own operations.
    virtual void spawnItem(int32_t x, int32_t y);
    virtual void spawnEnemies();
    virtual void checkCollisions();
    virtual void paintControls();
    virtual void spawnGlass(int32_t x, int32_t y);
    virtual void paintMessage();
    virtual void paintObjects();
    virtual void checkGlassHits();
    virtual void paintDebugInfo();
    virtual void stepGame();
    virtual void updateGlass(int32_t dt);
    virtual void buildGroundLine();
    virtual void releaseGlass(int32_t index);
    virtual void applyInput();

    VMPtr<kv::Frame> hudFrame17{vmField()};
    VMPtr<kv::Frame> hudFrame10{vmField()};
    VMPtr<IntArray> groundHeights{vmField()};
    VMPtr<IntArray> menuTextIds{vmField()};
    VMPtr<GlassArray> activeGlass{vmField()};
    VMPtr<PlayerArray> tiles{vmField()};
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()};
    VMPtr<ItemArray> activeItems{vmField()};
    VMPtr<kv::util::FastRandom> random{vmField()};
    VMPtr<kv::AnimSet> glassSet{vmField()};
    VMPtr<GlassArray> spareGlass{vmField()};
    bool jumpFlag = false, attackRightFlag = false;
    int32_t maxHeight = 0;
    int32_t menuCursor = 0;
    VMPtr<ByteArray> savedRecord{vmField()};
    VMPtr<FrameArray> weaponIcons{vmField()};
    bool leftFlag = false;
    VMPtr<kv::Frame> hudFrame16{vmField()};
    VMPtr<kv::AnimSet> panelSet{vmField()};
    int32_t state = kLoading;
    VMPtr<IntArray> spawnCooldowns{vmField()};
    int32_t loadStep = 0;
    bool quitChoice = false;
    VMPtr<IntTable> levelTable{vmField()};
    int32_t stage = 0;
    bool attackLeftFlag = false;
    VMPtr<kv::AnimSet> itemSet{vmField()};
    VMPtr<kv::Frame> hudFrame12{vmField()};
    VMPtr<InGameObject::Character> character{vmField()};
    VMPtr<IntArray> controlPoints{vmField()};
    int32_t savedState = 0;
    int64_t playTime = 0;
    bool rightFlag = false, attackUpFlag = false;
    VMPtr<kv::Frame> hudFrame1{vmField()};
    int32_t defeatedCount = 0;
    VMPtr<kv::Frame> hudFrame8{vmField()};
    VMPtr<SetArray> enemySets{vmField()};
    VMPtr<Graphics> graphics{vmField()};
    int32_t collectedCount = 0;
    int32_t frameTime = 0;
    VMPtr<kv::Frame> touchMarks{vmField()};
    VMPtr<ItemArray> spareItems{vmField()};
    VMPtr<kv::Frame> hudFrame2{vmField()};
    VMPtr<kv::Frame> hudFrame11{vmField()};
    VMPtr<kv::AnimPlayer> marker{vmField()};
    int32_t spawnedCount = 0;
    // The HUD's count of enemies left, written for every count from 0 to the stage's total.
    VMPtr<VMArray<::java::lang::String*, 1>> enemiesLeftTexts{vmField()};
    VMPtr<EnemyArray> activeEnemies{vmField()};
    VMPtr<EnemyArray> freeEnemies{vmField()};
    int32_t pointerX = -1, pointerY = -1;
    VMPtr<kv::AnimPlayer> transition{vmField()};
    VMPtr<kv::Frame> hudFrame7{vmField()};
    int32_t endTimer = 0;
    VMPtr<ui::SceneManager> manager{vmField()};

protected:
    // The tutorial runs the same loading and play helpers with a few steps of its own.
    virtual void runLoadStep(int32_t step);
    virtual int32_t topBarFrameIndex() { return 12; }
    // What play and the end curtain draw over the world: here the HUD.
    virtual void paintPlayOverlay() { paintControls(); }
    virtual void paintEndOverlay() { paintControls(); }
    // Input in play, and where the pause menu's restart and the quit question's yes lead.
    virtual void keysInPlay();
    virtual void pointerInPlay(const level::PointerEvent& event);
    virtual void restart();
    virtual void leave();
    // Fields every new level scene starts from: states, ground arrays, the seeded generator,
    // the full-height ground, the frame time and the pointer values.
    void resetPlay();
    void loadCharacter();
    void loadGlass();
    void loadEnemySets();
    void loadMarkerAndGround();
    void loadBackground();
    void loadHud();
    void loadItems();
    void loadEnemyPool();
    void loadSpareGlass();
    void loadPanels();
    void updateOpening(int32_t dt);
    void updateEnd(int32_t dt);
    void finishLevel();
    void scrollView();
    // A finished enemy goes back to the pool (restarting its kind's cooldown and counting it
    // as defeated when `scored`); the others step toward the character.
    void updateEnemies(bool scored = true);
    void checkEnd();
    bool glassInPlay();
    int32_t configValue(int32_t column);
    int32_t viewTop() { return -manager->getGameY(); }
    VMPtr<kv::util::text::Translation> translation();
    // n in decimal.
    static VMPtr<::java::lang::String> numberText(int32_t n);
    void paintQuitQuestion();
    void paintCurtain(bool opening);
    void clipToView();
    // The world under the character (background, enemies and their effects) and over it
    // (centre and marker players, black below the ground strip).
    void paintWorldBehind();
    void paintWorldInFront();
    using BoxArray = kv::Paintable::BoxArray;
    // Each shot hits the first enemy it touches; a defeat drops glass and maybe an item when `drops`.
    void hitEnemies(const VMPtr<BoxArray>& shotBoxes, const VMPtr<BoxArray>& enemyBoxes, bool drops = true);
    void hurtCharacter(const VMPtr<BoxArray>& heroBoxes, const VMPtr<BoxArray>& enemyBoxes);
    void pickUpItems(const VMPtr<BoxArray>& heroBoxes, const VMPtr<BoxArray>& itemBoxes);
    int32_t contactDamage(InGameObject::Enemy* enemy);
    static int32_t firstFree(const VMPtr<GlassArray>& pieces);
    static int32_t firstHeld(const VMPtr<GlassArray>& pieces);
    int32_t columnOf(int32_t x);
    static kv::graphics::CollisionBox* glassBox(InGameObject::Glass* glass, const VMPtr<BoxArray>& boxes);
    bool settleOnPile(int32_t index, kv::graphics::CollisionBox* box, const VMPtr<BoxArray>& boxes);
    void clearBuriedGlass(const VMPtr<BoxArray>& boxes);
    level::LevelControls controls();
    void choose(level::PanelChoice choice);
};

}  // namespace scene
