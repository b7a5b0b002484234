#include "src/game/objects/InGameObject_Character.h"

#include <algorithm>

#include "content/ContentIds.h"
#include "src/game/foundation/global_WeaponConfig.h"
#include "src/game/objects/SetLoading.h"

namespace InGameObject {

VM_DEFINE_CLASS(Character, "InGameObject.Character", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr int32_t kWeaponBytes = 2;  // record bytes 2..8: the seven weapons' states
constexpr int32_t kOwned = 0;
constexpr int32_t kAreaWidth = 240, kViewHeight = 320;
constexpr int32_t kHandHeight = 16;  // projectiles leave from the middle of the figure
constexpr int32_t kBlinkMillis = 100;

}  // namespace

VMPtr<Character> Character::_VM_init(VMPtr<ByteArray> record, int32_t stageIndex) {
    Object::_VM_init();
    stage = stageIndex;
    weaponStates = ByteArray::_VM_new(global::WeaponConfig::WEAPON_COUNT);
    for (int32_t i = 0; i < global::WeaponConfig::WEAPON_COUNT; ++i)
        weaponStates->at(i) = record && record->length > kWeaponBytes + i ? record->at(kWeaponBytes + i) : int8_t(2);
    VMPtr<kv::AnimSet> heroSet = loadAnimSet(content::res::HERO_SET, content::res::HERO_GOBS);
    VMPtr<kv::AnimSet> shotSet = loadAnimSet(content::res::SHOT_SET, content::res::SHOT_GOBS);
    body = newPlayer(heroSet, kStand);
    effect = newPlayer(heroSet, kEffectNone);
    figure = newPlayer(heroSet, kFigureFirst);
    projectiles = PlayerArray::_VM_new(kSlots);
    shots = PlayerArray::_VM_new(kSlots);
    for (int32_t i = 0; i < kSlots; ++i) shots->set(i, newPlayer(shotSet, 0).get());
    directions = IntArray::_VM_new(kSlots);
    slotDamage = IntArray::_VM_new(kSlots);
    hitsLeft = IntArray::_VM_new(kSlots);
    hitCounts = IntArray::_VM_new(kSlots);
    hitLists = IntTable::_VM_new(kSlots, kMaxHits);
    posX.set(kStartX);
    posY.set(kStartY);
    body->setX(kStartX);
    body->setY(kStartY);
    showFigure();
    return this;
}

void Character::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(body, flags);
    vmMarkField(effect, flags);
    vmMarkField(figure, flags);
    vmMarkField(weaponStates, flags);
    vmMarkField(groundLine, flags);
    vmMarkField(projectiles, flags);
    vmMarkField(shots, flags);
    vmMarkField(directions, flags);
    vmMarkField(slotDamage, flags);
    vmMarkField(hitsLeft, flags);
    vmMarkField(hitCounts, flags);
    vmMarkField(hitLists, flags);
}

int32_t Character::weaponValue(int32_t column) { return global::WeaponConfig::weapons()->at(weapon)->at(column); }

void Character::setGroundLine(VMPtr<IntArray> heights) {
    groundLine = heights;
    if (onGround) land(groundAt(groundLine, body->getX(), body->getY()));
}

void Character::land(int32_t ground) {
    posY.set(ground);
    body->setY(ground);
    velocityY = 0;
    onGround = true;
}

void Character::followBody() {
    if (body->getX() != posX.pixels()) posX.set(body->getX());
    if (body->getY() != posY.pixels()) posY.set(body->getY());
}

void Character::update(int32_t dt, int32_t gameX, int32_t gameY) {
    followBody();
    frameTime = dt;
    for (int32_t* timer : {&powerTimer, &speedBoostTimer, &invulnerableTimer, &hurtTimer, &attackCooldown})
        *timer = std::max(0, *timer - dt);
    const int32_t ground = groundAt(groundLine, body->getX(), kViewHeight);
    if (onGround && body->getY() < ground) onGround = false;  // walked off a ledge
    if (!onGround) {
        // Exact for constant gravity, so the jump's height does not depend on the frame time.
        posY.add(velocityY * dt + 0.5 * gravity() * dt * dt);
        velocityY += gravity() * dt;
    }
    // At or below the ground line the figure stands on it (it rides a rising pile too).
    if (posY.pixels() >= ground && velocityY >= 0) land(ground);
    body->setY(posY.pixels());
    if (celebrating && onGround && !celebrated) {
        celebrated = true;
        body->setAnimation(kCelebrate);
    } else if (dead) {
        showAnimation(body, kDead);
    } else if (hurtTimer > 0) {
        showAnimation(body, kHurt);
    }
    body->update(dt);
    const int32_t boosts = (speedBoostTimer > 0 ? 1 : 0) + (powerTimer > 0 ? 2 : 0);
    showAnimation(effect, boosts == 0 ? kEffectNone : boosts == 1 ? kEffectSpeed : boosts == 2 ? kEffectPower : kEffectBoth);
    effect->update(dt);
    updateProjectiles(dt, gameX, gameY);
}

void Character::updateProjectiles(int32_t dt, int32_t gameX, int32_t gameY) {
    for (int32_t slot = 0; slot < kSlots; ++slot) {
        kv::AnimPlayer* shot = projectiles->at(slot);
        if (!shot) continue;
        const double step = slotSpeed[slot] / 1000.0 * dt;
        const int32_t direction = directions->at(slot);
        if (direction == kUp) shotY[slot].add(-step);
        else shotX[slot].add(direction == kLeft ? -step : step);
        travelled[slot] += step;
        shot->setX(shotX[slot].pixels());
        shot->setY(shotY[slot].pixels());
        shot->update(dt);
        const int32_t x = shot->getX(), y = shot->getY();
        const bool outOfView = x < -gameX || x >= kAreaWidth - gameX || y < -gameY || y >= kViewHeight - gameY;
        if (outOfView || travelled[slot] >= slotReach[slot]) clearAttack(slot);
    }
}

void Character::paint(VMPtr<Graphics> g) {
    const bool blinkedOut = invulnerableTimer > 0 && !dead && (invulnerableTimer / kBlinkMillis) % 2 == 1;
    if (!blinkedOut) {
        body->paint(g);
        figure->setX(body->getX());
        figure->setY(body->getY());
        figure->setFlags(body->getFlags());
        figure->paint(g);
    }
    effect->setX(body->getX());
    effect->setY(body->getY());
    effect->paint(g);
    for (int32_t slot = 0; slot < kSlots; ++slot)
        if (kv::AnimPlayer* shot = projectiles->at(slot)) shot->paint(g);
}

bool Character::canAct() { return !celebrating && !dead && hurtTimer == 0; }

void Character::celebrate() { celebrating = true; }

void Character::takeDamage(int32_t damage) {
    if (invulnerableTimer > 0 || dead) return;
    health -= damage;
    noDamage = false;
    if (health <= 0) {
        health = 0;
        dead = true;
        return;
    }
    invulnerableTimer = kInvulnerableMillis;
    hurtTimer = kHurtMillis;
}

void Character::addHealth(int32_t amount) {
    if (dead) return;
    health = std::min(kMaxHealth, health + amount);
}

int32_t Character::getAttackPower(int32_t slot) { return slotDamage->at(slot); }

int32_t Character::damageFor(int32_t slot, int32_t targetId) {
    for (int32_t i = 0; i < hitCounts->at(slot); ++i)
        if (hitLists->at(slot)->at(i) == targetId) return 0;
    return slotDamage->at(slot);
}

void Character::registerHit(int32_t slot, int32_t targetId) {
    if (!projectiles->at(slot) || damageFor(slot, targetId) == 0) return;
    int32_t& count = hitCounts->at(slot);
    if (count < kMaxHits) hitLists->at(slot)->at(count++) = targetId;
    if (--hitsLeft->at(slot) <= 0) clearAttack(slot);
}

void Character::clearAttack(int32_t slot) {
    projectiles->set(slot, nullptr);
    hitCounts->at(slot) = 0;
    hitsLeft->at(slot) = 0;
}

void Character::move(bool left) {
    if (!canAct()) return;
    followBody();
    facingLeft = left;
    body->setFlags(left ? 2 : 0);
    const double speed = kWalkSpeed * (speedBoostTimer > 0 ? kBoostFactor : 1.0);
    posX.add((left ? -speed : speed) * frameTime);
    posX.clamp(0, kAreaWidth - 1);
    body->setX(posX.pixels());
    if (onGround) showAnimation(body, kWalk);
}

void Character::jump() {
    if (!canAct() || !onGround) return;
    onGround = false;
    velocityY = -jumpSpeed();
    showAnimation(body, kRise);
}

void Character::idle() {
    if (!canAct()) return;
    showAnimation(body, onGround ? kStand : velocityY < 0 ? kRise : kFall);
}

void Character::attack() { launch(facingLeft ? kLeft : kRight); }

void Character::attackToward(bool left) {
    if (!canAct()) return;
    facingLeft = left;
    body->setFlags(left ? 2 : 0);
    attack();
}

void Character::attackUp(bool moveFirst, bool left) {
    if (moveFirst) move(left);
    launch(kUp);
}

bool Character::launch(int32_t direction) {
    if (!canAct() || attackCooldown > 0) return false;
    const int32_t slots = std::min(kSlots, weaponValue(global::WeaponConfig::SLOTS));
    int32_t slot = 0;
    while (slot < slots && projectiles->at(slot)) ++slot;
    if (slot == slots) return false;
    kv::AnimPlayer* shot = shots->at(slot);
    shot->setAnimation(direction == kUp ? kShotUpFirst + weapon : weapon);
    shot->setFlags(direction == kLeft ? 2 : 0);
    shotX[slot].set(body->getX() + (direction == kUp ? 0 : direction == kLeft ? -8 : 8));
    shotY[slot].set(body->getY() - (direction == kUp ? kHeight : kHandHeight));
    shot->setX(shotX[slot].pixels());
    shot->setY(shotY[slot].pixels());
    travelled[slot] = 0;
    slotSpeed[slot] = weaponValue(global::WeaponConfig::SPEED);
    slotReach[slot] = weaponValue(global::WeaponConfig::REACH);
    projectiles->set(slot, shot);
    directions->at(slot) = direction;
    slotDamage->at(slot) = weaponValue(global::WeaponConfig::DAMAGE) * (powerTimer > 0 ? 2 : 1);
    hitsLeft->at(slot) = std::min(kMaxHits, weaponValue(global::WeaponConfig::HITS));
    hitCounts->at(slot) = 0;
    attackCooldown = weaponValue(global::WeaponConfig::COOLDOWN);
    body->setAnimation(direction == kUp ? kAttackUp : kAttack);
    return true;
}

void Character::switchToOwnedWeapon(bool back) {
    const int32_t count = global::WeaponConfig::WEAPON_COUNT;
    for (int32_t step = 1; step < count; ++step) {
        const int32_t candidate = ((weapon + (back ? -step : step)) % count + count) % count;
        if (weaponStates->at(candidate) == kOwned) {
            weapon = candidate;
            break;
        }
    }
    showFigure();
}

void Character::switchWeapon(bool back) {
    const int32_t count = global::WeaponConfig::WEAPON_COUNT;
    weapon = ((weapon + (back ? -1 : 1)) % count + count) % count;
    showFigure();
}

void Character::showFigure() { figure->setAnimation(kFigureFirst + weapon); }

}  // namespace InGameObject
