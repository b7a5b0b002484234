#pragma once

// The level scenes' controls: game actions and touches turned into character moves, weapon
// switches, the pause action and the answers of the pause menu and the quit question. Every
// level (normal, tutorial, bosses) builds a LevelControls over its own fields for one call
// (it holds references only and keeps nothing) and runs these procedures; where the panels
// lead (restart, leave) differs by scene, so the panel procedures return a PanelChoice that
// the scene carries out with its own states and targets.
//
// Coordinates: pointer events arrive in game-area coordinates. The control zones and the
// HUD's weapon and pause buttons are drawn at fixed places of the 240 x 320 view, so they
// are tested in view coordinates (event y + the game area's vertical offset), and the
// pointer values are kept in view coordinates. The panels are drawn centred on the view in
// game coordinates, so their boxes are tested against the event as it came.

#include <cstdint>

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"

namespace level {

// The six on-screen control flags of a scene.
struct ControlFlags {
    bool &left, &right, &attackUp, &jump, &attackLeft, &attackRight;
    void clear() { left = right = attackUp = jump = attackLeft = attackRight = false; }
    bool any() const { return left || right || attackUp || jump || attackLeft || attackRight; }
};

// The fixed touch zones of the view: the top strip, the play field's halves, the bottom row.
enum class Zone { kAttackUp, kAttackLeft, kAttackRight, kMoveLeft, kJump, kMoveRight };

// What a panel's key or touch answered; the scene decides where each leads.
enum class PanelChoice { kNone, kResume, kRestart, kAskQuit, kLeave, kBackToMenu };

// The frame's pointer event: its type (1 pressed, 2 dragged, 3 released), x, its y in game
// coordinates and the same y in view coordinates.
struct PointerEvent {
    int32_t type, x, y, viewY;
};

class LevelControls {
public:
    // Game actions.
    static constexpr int32_t kUpAttack1 = 1, kUpAttack3 = 3, kPreviousWeapon = 7, kNextWeapon = 9, kUp = 10, kDown = 11,
                             kLeft = 12, kRight = 13, kFire = 14, kYes = 19, kPause = 20;
    // Zone borders in view pixels.
    static constexpr int32_t kAttackRowTop = 106, kBottomRowTop = 212, kMoveLeftEnd = 80, kHalf = 120, kMoveRightStart = 160;
    static constexpr int32_t kLongDrag = 5;  // a drag further than this on both axes lets go
    static constexpr int32_t kPanelX = 120, kPanelY = 160, kViewHeight = 320;
    static constexpr int32_t kPausePanel = 9, kQuitPanel = 15;

    struct Fields {
        ui::Scene& scene;
        ui::SceneManager& manager;
        InGameObject::Character* character;
        ControlFlags flags;
        int32_t &pointerX, &pointerY;
        int32_t& menuCursor;
        bool& quitChoice;
        kv::Frame* topBar;     // type-1 boxes 0 and 1: previous and next weapon
        kv::Frame* corner;     // its first box: the pause button
        kv::AnimSet* panelSet; // frame 9 the pause panel, frame 15 the quit question
    };

    explicit LevelControls(const Fields& fields) : f(fields) {}

    // Turns the walking controls around: the right key and the bottom row's right third walk
    // left, the left ones walk right (a fight that confuses the hero for a while).
    LevelControls& setMirrored(bool value) {
        mirrored = value;
        return *this;
    }

    static PointerEvent readPointer(ui::SceneManager& manager);
    static Zone zoneAt(int32_t x, int32_t viewY);

    // Keys in play: movement, jump, idle, attack, weapon switch and the pause action.
    void keysInPlay();
    PanelChoice pauseMenuKeys();
    PanelChoice quitQuestionKeys();

    // A pointer event in play: a release or a long drag lets go of the controls; a press hits
    // a weapon button, else the pause button, else sets its zone's flag.
    void pointerInPlay(const PointerEvent& event);
    // Clears the flags on a release or a long drag; answers whether the event was one of those.
    bool letGo(const PointerEvent& event);
    // -1 when neither weapon button holds the point, else 0 (previous) or 1 (next).
    int32_t weaponButtonAt(int32_t x, int32_t viewY);
    bool pauseButtonAt(int32_t x, int32_t viewY);
    void setFlag(Zone zone);
    // Presses only: the entry tapped (resume, restart, ask to quit), the cursor unmoved.
    PanelChoice pauseMenuPointer(const PointerEvent& event);
    // Every event type: on the yes box leave, on the no box back to the pause menu.
    PanelChoice quitQuestionPointer(const PointerEvent& event);

    // Once a frame of play: the flags as character moves, as held keys would be.
    void applyInput();

private:
    bool held(int32_t action) { return f.manager.isActionHeld(action); }
    bool pressed(int32_t action) { return f.manager.isActionPressed(action); }
    bool upAttackHeld() { return held(kUpAttack1) || held(kUpAttack3); }
    // The first of the frame's first `count` boxes of `type` (negative: any), anchored at
    // (ax, ay), that holds (x, y) with its edges; -1 when none does. Boxes the frame lacks
    // stay empty at the anchor.
    int32_t boxAt(kv::Frame* frame, int32_t type, int32_t count, int32_t ax, int32_t ay, int32_t x, int32_t y);

    Fields f;
    bool mirrored = false;
};

}  // namespace level
