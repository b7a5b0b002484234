#include "src/game/objects/InGameObject_Enemy.h"

#include <algorithm>
#include <cmath>

namespace InGameObject {

VM_DEFINE_CLASS(Enemy, "InGameObject.Enemy", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr int32_t kDropInset = 24, kDropSpread = 72;  // droppers land inside the edges, within reach

}  // namespace

VMPtr<Enemy> Enemy::_VM_init(int32_t hitPoints, int32_t serial, int32_t side, VMPtr<kv::AnimSet> set,
                             int32_t crossingMillis, int32_t behaviour, int32_t tableRow, int32_t viewTop) {
    Object::_VM_init();
    maxHealth = health = hitPoints;
    id = serial;
    crossingTime = crossingMillis;
    speed = crossingMillis > 0 ? double(kAreaWidth) / crossingMillis : 0.0;
    kind = behaviour;
    row = tableRow;
    random = kv::util::FastRandom::_VM_new();
    random->_VM_init();
    player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(set);
    effect = kv::AnimPlayer::_VM_new();
    effect->_VM_init();
    effect->setAnimSet(set);
    spawn(side, viewTop);
    return this;
}

void Enemy::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(player, flags);
    vmMarkField(effect, flags);
    vmMarkField(random, flags);
    vmMarkField(groundLine, flags);
}

void Enemy::spawn(int32_t side, int32_t viewTop) {
    health = maxHealth;
    state = kAlive;
    landed = false;
    charging = false;
    throwTimer = kThrowMillis;
    facingLeft = side != 0;  // entering from the right edge it walks left
    int32_t x = side == 0 ? 0 : kAreaWidth - 1;
    if (kind == 4) x = side == 0 ? kDropInset + random->nextInt(kDropSpread) : kAreaWidth - 1 - kDropInset - random->nextInt(kDropSpread);
    posX.set(x);
    posY.set(kind == 3 || kind == 4 ? viewTop : groundAt(groundLine, x, viewTop + kViewHeight));
    player->setAnimation(kind == 4 ? kDrop + (facingLeft ? 0 : 1) : kMove + (facingLeft ? 0 : 1));
    effect->setAnimation(kEffectIdle);
    syncPlayer();
}

void Enemy::syncPlayer() {
    player->setX(posX.pixels());
    player->setY(posY.pixels());
}

void Enemy::setGroundLine(VMPtr<IntArray> heights) {
    groundLine = heights;
    if (state != kFinished && walksOnGround()) placeOnGround();
}

void Enemy::placeOnGround() {
    posY.set(groundAt(groundLine, posX.pixels(), posY.pixels()));
    syncPlayer();
}

void Enemy::face(bool left) {
    facingLeft = left;
}

void Enemy::update(int32_t dt, int32_t targetX, int32_t targetY) {
    updateEffect(dt);
    if (state == kFinished) return;
    if (state == kDying) {
        if (!player->update(dt)) state = kFinished;
        return;
    }
    switch (kind) {
    case 1:
        if (std::abs(targetX - posX.pixels()) > 2) face(targetX < posX.pixels());
        walk(dt, 1.0);
        show(kMove);
        break;
    case 2: keepDistance(dt, targetX, targetY); break;
    case 3:
        moveToward(dt, targetX, targetY);
        show(kMove);
        break;
    case 4:
        if (!landed) {
            show(kDrop);
            player->update(dt);  // the drop moves by its animation
            posY.set(player->getY());
            const int32_t ground = groundAt(groundLine, posX.pixels(), kViewHeight);
            if (posY.pixels() >= ground) {
                landed = true;
                posY.set(ground);
            }
            syncPlayer();
            return;
        }
        show(kStand);
        break;
    case 5: {
        const bool level = std::abs(targetY - (posY.pixels() - player->getCurrentFrame()->getHeight(0) / 2)) <= kLevelBand;
        const bool ahead = facingLeft ? targetX < posX.pixels() : targetX > posX.pixels();
        charging = level && ahead;
        walk(dt, charging ? kChargeFactor : 1.0);
        show(charging ? kAttack : kMove);
        break;
    }
    default:
        walk(dt, 1.0);
        show(kMove);
        break;
    }
    if (walksOnGround()) posY.set(groundAt(groundLine, posX.pixels(), posY.pixels()));
    syncPlayer();
    player->update(dt);
    syncPlayer();
}

void Enemy::walk(int32_t dt, double factor) {
    posX.add((facingLeft ? -speed : speed) * factor * dt);
    if (posX.value <= 0) {
        posX.set(0);
        face(false);
    } else if (posX.value >= kAreaWidth - 1) {
        posX.set(kAreaWidth - 1);
        face(true);
    }
}

void Enemy::moveToward(int32_t dt, int32_t targetX, int32_t targetY) {
    const double dx = targetX - posX.value, dy = targetY - posY.value;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (std::abs(dx) > 2) face(dx < 0);
    if (distance < 1) return;
    const double step = std::min(distance, speed * dt);
    posX.add(dx / distance * step);
    posY.add(dy / distance * step);
    posX.clamp(0, kAreaWidth - 1);
}

void Enemy::keepDistance(int32_t dt, int32_t targetX, int32_t targetY) {
    const int32_t distance = std::abs(targetX - posX.pixels());
    face(targetX < posX.pixels());
    throwTimer = std::max(0, throwTimer - dt);
    if (distance < kKeepNear || distance > kKeepFar) {
        // Backing away turns it round for the step; near an edge it stands its ground.
        const bool away = distance < kKeepNear;
        const bool facing = facingLeft;
        if (away) face(!facing);
        walk(dt, 1.0);
        face(targetX < posX.pixels());
        show(kMove);
        return;
    }
    if (throwTimer == 0 && effect->getAnimation() == kEffectIdle) {
        throwTimer = kThrowMillis;
        effect->setAnimation(kEffectFlight);
        effectX.set(posX.pixels());
        effectY.set(posY.pixels() - player->getCurrentFrame()->getHeight(0) / 2);
        const double dx = targetX - effectX.value, dy = targetY - effectY.value;
        const double length = std::max(1.0, std::sqrt(dx * dx + dy * dy));
        effectVX = dx / length * kThrowSpeed;
        effectVY = dy / length * kThrowSpeed;
        effect->setX(effectX.pixels());
        effect->setY(effectY.pixels());
        show(kAttack);
        return;
    }
    show(kStand);
}

void Enemy::updateEffect(int32_t dt) {
    const int32_t shown = effect->getAnimation();
    if (shown == kEffectIdle) return;
    if (shown == kEffectFlight) {
        effectX.add(effectVX * dt);
        effectY.add(effectVY * dt);
        effect->setX(effectX.pixels());
        effect->setY(effectY.pixels());
        const bool gone = effectX.pixels() < 0 || effectX.pixels() >= kAreaWidth ||
                          effectY.pixels() > groundAt(groundLine, effectX.pixels(), kViewHeight);
        if (gone) {
            effect->setAnimation(kEffectIdle);
            return;
        }
    }
    if (!effect->update(dt)) effect->setAnimation(kEffectIdle);  // the impact ended
}

bool Enemy::takeDamage(int32_t damage) {
    if (health <= 0 || damage <= 0 || state != kAlive) return false;
    health -= damage;
    if (health >= 1) return false;
    state = kDying;
    player->setAnimation(kDie + (facingLeft ? 0 : 1));
    return true;
}

void Enemy::hitAnimation() {
    effect->setAnimation(kImpact + (facingLeft ? 0 : 1));
}

// A finished enemy has left the field (a fight may keep it in its slot a while): nothing shows.
void Enemy::paint(VMPtr<Graphics> g) {
    if (state != kFinished) player->paint(g);
}

}  // namespace InGameObject
