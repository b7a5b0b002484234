#pragma once

// InGameObject::Enemy: one enemy of a level, pooled: spawn resets its health, state and
// players, so a finished enemy can come back. It enters at its side's edge on the ground
// (flyers and droppers at the view's top), stays in x 0..239 turning at the edges, and
// moves at 240 / crossing time px/ms (0 for a crossing time of 0), keeping the fraction of
// its steps between frames. Behaviour kinds: 0 walks to and fro; 1 follows the target;
// 2 keeps its distance and throws its effect player at the target; 3 flies at the target;
// 4 drops in and stays; 5 walks and charges when level with the target. A defeat plays its
// dying animation once; only its end finishes the enemy (state 3).
//
// The animation numbering every enemy set follows (content/README.md): 0/1 moving left/right,
// 2/3 standing, 4/5 dying (no hit box), 6/7 attacking (charge, throw), 8/9 dropping, 10/11 the
// thrown effect's impact (no hit box), 12 the effect in flight, 13 the effect idle (nothing).

#include <cstdint>

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/game/objects/ObjectMotion.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace InGameObject {

class Enemy : public virtual ::java::lang::Object {
    VM_CLASS(Enemy, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;

    static constexpr int32_t kAlive = 1, kDying = 2, kFinished = 3;
    enum Animation : int32_t {
        kMove = 0, kStand = 2, kDie = 4, kAttack = 6, kDrop = 8, kImpact = 10, kEffectFlight = 12, kEffectIdle = 13
    };
    static constexpr int32_t kAreaWidth = 240, kViewHeight = 320;
    static constexpr int32_t kThrowMillis = 1800;       // between throws of a kind-2 enemy
    static constexpr double kThrowSpeed = 0.14;         // px/ms of a thrown effect
    static constexpr int32_t kKeepNear = 70, kKeepFar = 110;  // a kind-2 enemy's distance band
    static constexpr int32_t kLevelBand = 12;           // a kind-5 enemy charges within this height
    static constexpr double kChargeFactor = 3.0;

    VMPtr<Enemy> _VM_init(int32_t hitPoints, int32_t serial, int32_t side, VMPtr<kv::AnimSet> set, int32_t crossingMillis,
                          int32_t behaviour, int32_t tableRow, int32_t viewTop);
    void _VM_mark(uint32_t flags) override;

    virtual void spawn(int32_t side, int32_t viewTop);
    virtual void update(int32_t dt, int32_t targetX, int32_t targetY);
    virtual void setGroundLine(VMPtr<IntArray> heights);
    // True only for the damage that defeats a live enemy: health and damage above 0, and
    // neither dying nor finished. Anything else changes nothing.
    virtual bool takeDamage(int32_t damage);
    virtual int32_t getX() { return player->getX(); }
    virtual int32_t getY() { return player->getY(); }
    // The thrown effect hit: it shows its impact (10 or 11 by facing), which hurts no more.
    virtual void hitAnimation();
    virtual VMPtr<kv::AnimPlayer> getEffectPlayer() { return effect; }
    virtual void paint(VMPtr<Graphics> g);

    VMPtr<kv::AnimPlayer> player{vmField()};
    VMPtr<kv::AnimPlayer> effect{vmField()};
    VMPtr<kv::util::FastRandom> random{vmField()};
    VMPtr<IntArray> groundLine{vmField()};
    int32_t state = 0;
    int32_t kind = 0;
    int32_t id = 0;
    int32_t row = 0;
    int32_t health = 0;
    int32_t maxHealth = 0;
    int32_t crossingTime = 0;
    double speed = 0;
    bool facingLeft = false;
    bool landed = false;
    bool charging = false;
    int32_t throwTimer = 0;

private:
    bool walksOnGround() const { return kind != 3 && (kind != 4 || landed); }
    void face(bool left);
    void show(int32_t base) { showAnimation(player, base + (facingLeft ? 0 : 1)); }
    void walk(int32_t dt, double factor);
    void moveToward(int32_t dt, int32_t targetX, int32_t targetY);
    void keepDistance(int32_t dt, int32_t targetX, int32_t targetY);
    void updateEffect(int32_t dt);
    void placeOnGround();
    void syncPlayer();

    Coordinate posX, posY, effectX, effectY;
    double effectVX = 0, effectVY = 0;
};

}  // namespace InGameObject
