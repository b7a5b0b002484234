#pragma once

// InGameObject::Character: the player's hero in a level. It is anchored at its feet and
// stands on the ground line it is given (at or below the line it is put on it); x stays in
// 0..239. It walks (faster under the speed boost), jumps three times its height, and attacks
// with the current weapon: each attack takes a free slot of the weapon's slots and launches
// a projectile player that flies up, left or right until its reach, its hits or the view's
// edge ends it. A projectile hurts each target once (its slot's hit list) and spends one of
// its hits per new target. Health runs 0..100; a hit staggers it for a moment and makes it
// invulnerable (blinking) for 2000 ms. Three players draw it: the body (position, boxes,
// pose), an effect of the running item timers, and the figure holding the current weapon,
// which the shop also draws alone.
//
// Speeds are pixels per millisecond; positions keep their fraction between frames. The body's
// x and y are the character's position: one set on the body from outside (a fight placing the
// hero) is where the next step starts. No object is made after construction: the projectile
// players are made with the character.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/game/objects/ObjectMotion.h"
#include "src/kv/kv_AnimPlayer.h"

namespace InGameObject {

class Character : public virtual ::java::lang::Object {
    VM_CLASS(Character, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using ByteArray = VMArray<int8_t, 1>;
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;
    using IntTable = VMArray<int32_t, 2>;

    static constexpr int32_t kMaxHealth = 100;
    static constexpr int32_t kSlots = 4;          // most projectiles of any weapon at once
    static constexpr int32_t kMaxHits = 8;        // most targets of one projectile
    static constexpr int32_t kStartX = 120, kStartY = 320;
    static constexpr int32_t kInvulnerableMillis = 2000, kHurtMillis = 500;
    static constexpr double kWalkSpeed = 0.08, kBoostFactor = 1.75;
    static constexpr int32_t kHeight = 32;        // the figure's height; a jump rises 3 times it
    static constexpr double kJumpRiseMillis = 420.0;
    static constexpr int32_t kUp = 1, kDown = 2, kLeft = 3, kRight = 4;

    // Body animations (the hero's set), facing right; facing left mirrors them.
    enum BodyAnimation : int32_t { kStand = 0, kWalk, kRise, kFall, kHurt, kCelebrate, kDead, kAttack, kAttackUp };
    // Effect animations: nothing, the speed boost, the power, both.
    static constexpr int32_t kEffectNone = 9, kEffectSpeed = 10, kEffectPower = 11, kEffectBoth = 12;
    // Figure animations: the weapon in hand, 13 + weapon index.
    static constexpr int32_t kFigureFirst = 13;
    // Projectile animations (the shot set): flying sideways (facing right), 7 + weapon flying up.
    static constexpr int32_t kShotUpFirst = 7;

    VMPtr<Character> _VM_init(VMPtr<ByteArray> record, int32_t stage);
    void _VM_mark(uint32_t flags) override;

    virtual void setGroundLine(VMPtr<IntArray> heights);
    virtual void update(int32_t dt, int32_t gameX, int32_t gameY);
    virtual void paint(VMPtr<Graphics> g);
    virtual bool canAct();
    virtual void celebrate();
    virtual void takeDamage(int32_t damage);
    virtual VMPtr<PlayerArray> getProjectiles() { return projectiles; }
    virtual int32_t getAttackPower(int32_t slot);
    virtual int32_t damageFor(int32_t slot, int32_t targetId);
    virtual void registerHit(int32_t slot, int32_t targetId);
    virtual void clearAttack(int32_t slot);
    virtual void addHealth(int32_t amount);
    virtual void setSpeedBoostTimer(int32_t millis) { speedBoostTimer = millis; }
    virtual void setPowerTimer(int32_t millis) { powerTimer = millis; }
    virtual void setInvulnerableTimer(int32_t millis) { invulnerableTimer = millis; }
    virtual void moveLeft() { move(true); }
    virtual void moveRight() { move(false); }
    virtual void attackUp(bool moveFirst, bool left);
    virtual void jump();
    virtual void idle();
    virtual void attack();
    virtual void attackToward(bool left);
    virtual void switchToOwnedWeapon(bool back);
    virtual void switchWeapon(bool back);
    virtual int32_t getX() { return body->getX(); }
    virtual int32_t getY() { return body->getY(); }

    VMPtr<kv::AnimPlayer> body{vmField()};
    VMPtr<kv::AnimPlayer> effect{vmField()};
    VMPtr<kv::AnimPlayer> figure{vmField()};
    VMPtr<ByteArray> weaponStates{vmField()};
    VMPtr<IntArray> groundLine{vmField()};
    VMPtr<PlayerArray> projectiles{vmField()};  // the active slots' players, null when idle
    VMPtr<PlayerArray> shots{vmField()};        // every slot's player, made once
    VMPtr<IntArray> directions{vmField()};
    VMPtr<IntArray> slotDamage{vmField()};
    VMPtr<IntArray> hitsLeft{vmField()};
    VMPtr<IntArray> hitCounts{vmField()};
    VMPtr<IntTable> hitLists{vmField()};
    int32_t health = kMaxHealth;
    bool noDamage = true;
    bool dead = false;
    int32_t powerTimer = 0;
    int32_t speedBoostTimer = 0;
    int32_t invulnerableTimer = 0;
    int32_t hurtTimer = 0;
    int32_t attackCooldown = 0;
    int32_t weapon = 0;
    int32_t stage = 0;
    int32_t frameTime = 0;
    bool facingLeft = false;
    bool onGround = true;
    bool celebrating = false;
    bool celebrated = false;
    double velocityY = 0;

private:
    void move(bool left);
    // Takes the body's position where it differs from the kept one's whole pixels.
    void followBody();
    bool launch(int32_t direction);
    void updateProjectiles(int32_t dt, int32_t gameX, int32_t gameY);
    void land(int32_t ground);
    void showFigure();
    int32_t weaponValue(int32_t column);
    double jumpSpeed() const { return 2.0 * 3 * kHeight / kJumpRiseMillis; }
    double gravity() const { return jumpSpeed() / kJumpRiseMillis; }

    Coordinate posX, posY;
    Coordinate shotX[kSlots], shotY[kSlots];
    double travelled[kSlots] = {};
    int32_t slotSpeed[kSlots] = {}, slotReach[kSlots] = {};  // the weapon's, at launch
};

}  // namespace InGameObject
