#pragma once

// Playing by touch on the test game driver: screen points at the centres of compiled boxes,
// one touch held at a time, the level scenes' control points (from the control zones' borders
// and the HUD's compiled buttons) and the positions a scripted player aims by. Everything here
// reads the game and acts through the window's input only.

#include <cstdlib>

#include "src/game/level/LevelControls.h"
#include "src/game/objects/InGameObject_Enemy.h"
#include "src/kv/kv_Paintable.h"
#include "tests/game/support/GameDriver.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/game/objects/HitTests.h"

namespace game_test {

struct Point {
    int32_t x = -1, y = -1;
    bool operator==(const Point&) const = default;
};

// The index-th box of the type in the frame.
inline kv::graphics::CollisionBox boxOf(kv::Paintable& source, int32_t type, int32_t index) {
    VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(index + 1);
    source.getCollisionBoxes(0, boxes, type);
    return *boxes->at(index);
}

// The centre of the index-th box of the type in a frame drawn with its origin at (dx, dy).
inline Point centreOf(kv::Paintable& source, int32_t type, int32_t index, int32_t dx, int32_t dy) {
    const kv::graphics::CollisionBox box = boxOf(source, type, index);
    return {box.x + box.width / 2 + dx, box.y + box.height / 2 + dy};
}

// One touch at a time, as a finger: holding a new point lets the old one go first, and each
// press or release gets its own frame (hold and letGo answer the frames they ran).
class Touch {
public:
    explicit Touch(GameDriver& game) : game(game) {}
    int hold(Point point) {
        if (held == point) return 0;
        const int released = letGo();
        if (point.x < 0) return released;
        game.press(point.x, point.y);
        game.frames(1);
        held = point;
        return released + 1;
    }
    int letGo() {
        if (held.x < 0) return 0;
        game.release(held.x, held.y);
        game.frames(1);
        held = {};
        return 1;
    }
    void tap(Point point, int frames = 2) {
        letGo();
        game.tap(point.x, point.y);
        game.frames(frames);
    }
    Point holding() const { return held; }

private:
    GameDriver& game;
    Point held;
};

// The screen points of a level scene's controls: the middles of the fixed zones (the view is
// the screen, so no climb moves them), the top bar's weapon buttons and the corner's pause
// button as the HUD frames place them; the walk-right point keeps clear of the pause button.
struct LevelPoints {
    Point attackUp, attackLeft, attackRight, moveLeft, jump, moveRight, previousWeapon, nextWeapon, pause;

    LevelPoints(kv::Frame& topBar, kv::Frame& corner) {
        using C = level::LevelControls;
        const int32_t middleRow = (C::kAttackRowTop + C::kBottomRowTop) / 2, bottomRow = (C::kBottomRowTop + C::kViewHeight) / 2;
        attackUp = {C::kHalf, C::kAttackRowTop / 2};
        attackLeft = {C::kHalf / 2, middleRow};
        attackRight = {C::kHalf + C::kHalf / 2, middleRow};
        moveLeft = {C::kMoveLeftEnd / 2, bottomRow};
        jump = {(C::kMoveLeftEnd + C::kMoveRightStart) / 2, bottomRow};
        previousWeapon = centreOf(topBar, 1, 0, 120, 0);
        nextWeapon = centreOf(topBar, 1, 1, 120, 0);
        const kv::graphics::CollisionBox button = boxOf(corner, -1, 0);
        pause = {240 + button.x + button.width / 2, C::kViewHeight + button.y + button.height / 2};
        const int32_t right = std::min(240, 240 + button.x);
        moveRight = {(C::kMoveRightStart + right) / 2, std::min(bottomRow, C::kViewHeight + button.y - 8)};
    }
    // The point that walks toward x (dead zone `slack`), or none when there.
    Point walkToward(int32_t from, int32_t x, int32_t slack) const {
        if (x < from - slack) return moveLeft;
        if (x > from + slack) return moveRight;
        return {};
    }
    Point attackToward(int32_t from, int32_t x) const { return x < from ? attackLeft : attackRight; }
};

// The x of the live enemy nearest to x in a pool of `count` slots (null slots free), or -1.
template <class Array> int32_t nearestLiveX(Array& pool, int32_t count, int32_t x) {
    int32_t best = -1;
    for (int32_t i = 0; i < count; ++i) {
        InGameObject::Enemy* enemy = pool->at(i);
        if (!enemy || enemy->state != InGameObject::Enemy::kAlive) continue;
        if (best < 0 || std::abs(enemy->getX() - x) < std::abs(best - x)) best = enemy->getX();
    }
    return best;
}

}  // namespace game_test
