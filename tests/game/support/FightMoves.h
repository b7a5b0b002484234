#pragma once

// How a scripted player fights each boss by touch, from what it reads: the point to hold in
// the current frame (none: let go), chosen from the positions and boxes of the fight's
// players. No move writes into the fight.

#include <cstdlib>
#include <vector>

#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"
#include "src/game/foundation/global_WeaponConfig.h"
#include "src/game/objects/HitTests.h"
#include "tests/game/support/TouchPlay.h"

namespace game_test {

// A player's first box placed at its position (x, y, width, height; empty when it has none).
struct Span {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left; }
    int32_t middle() const { return (left + right) / 2; }
};
inline Span spanOf(kv::AnimPlayer* player) {
    VMPtr<kv::Paintable::BoxArray> boxes = InGameObject::newBoxes(1);
    const kv::graphics::CollisionBox* box = InGameObject::placedBox(player, boxes);
    return {box->x, box->y, box->x + box->width, box->y + box->height};
}
// Horizontal gap between two spans (negative when they overlap).
inline int32_t gapBetween(const Span& a, const Span& b) { return std::max(a.left - b.right, b.left - a.right); }

// The live enemy of a pool of `count` slots (null slots free) whose box is nearest to the
// hero's: its middle and the gap between the boxes (a large gap when there is none).
struct Target {
    int32_t x = -1, gap = 1 << 20;
};
template <class Array> Target nearestLive(Array& pool, int32_t count, const Span& hero) {
    Target best;
    for (int32_t i = 0; i < count; ++i) {
        InGameObject::Enemy* enemy = pool->at(i);
        if (!enemy || enemy->state != InGameObject::Enemy::kAlive) continue;
        const Span s = spanOf(enemy->player.get());
        if (s.empty()) continue;
        const int32_t gap = gapBetween(s, hero);
        if (gap < best.gap) best = {s.middle(), gap};
    }
    return best;
}

// Walks away from x toward the side with more room.
inline Point fleeFrom(const LevelPoints& p, int32_t heroX, int32_t x) {
    const bool roomLeft = x > 120;
    if (heroX < 24) return p.moveRight;
    if (heroX > 215) return p.moveLeft;
    return (heroX < x || (heroX == x && roomLeft)) ? p.moveLeft : p.moveRight;
}

// Fight 1: wreck the walking drops before they reach the hero, keep out from under the
// falling golem, and strike it from beside while it squats.
inline Point boss1Move(scene::InGameBoss_1& f, const LevelPoints& p) {
    using B = scene::InGameBoss_1;
    const int32_t heroX = f.character->getX();
    const Span hero = spanOf(f.character->body.get());
    if (f.bossPhase == B::kGone) return f.rewardPlayer ? p.walkToward(heroX, f.rewardPlayer->getX(), 4) : Point{};
    // The nearest drop on the ground or about to land near the hero.
    int32_t threat = -1, threatGap = 1 << 20;
    for (int32_t i = 0; i < B::kShotCount; ++i) {
        kv::AnimPlayer* shot = f.activeShots->at(i);
        if (!shot) continue;
        const int32_t a = shot->getAnimation();
        if (a == B::kWreckLeft || a == B::kWreckRight) continue;
        const Span s = spanOf(shot);
        if (s.empty()) continue;
        const int32_t gap = gapBetween(s, hero);
        if (a == B::kShotFall) {
            if (gap < 6 && s.bottom > hero.top - 60) return fleeFrom(p, heroX, s.middle());
            continue;
        }
        if (gap < threatGap) threat = s.middle(), threatGap = gap;
    }
    if (threat >= 0 && threatGap < 90) return p.attackToward(heroX, threat);
    const Span golem = spanOf(f.bossPlayer.get());
    const int32_t anim = f.bossPlayer->getAnimation();
    const int32_t gap = gapBetween(golem, hero);
    if (anim == B::kDrop || golem.bottom > hero.top - 8) {
        if (gap < 8) return fleeFrom(p, heroX, golem.middle());
        if (anim == B::kLanded && gap > 40) return p.walkToward(heroX, golem.middle(), 0);
        if (anim == B::kLanded || anim == B::kRise) return p.attackToward(heroX, golem.middle());
        return {};
    }
    if (anim == B::kRise && f.bossPlayer->getY() > 0 && std::abs(golem.middle() - heroX) < (golem.right - golem.left) / 2)
        return p.attackUp;
    return {};
}

// Fight 2: jump over the brute as it comes, strike it from behind or ahead while it walks or
// pauses, and shoot the minions before they touch the hero.
inline Point boss2Move(scene::InGameBoss_2& f, const LevelPoints& p) {
    using B = scene::InGameBoss_2;
    const int32_t heroX = f.character->getX();
    const Span hero = spanOf(f.character->body.get());
    if (f.bossPhase == B::kDefeated) return f.rewardPlayer ? p.walkToward(heroX, f.rewardPlayer->getX(), 4) : Point{};
    const Span brute = spanOf(f.bossPlayer.get());
    const int32_t gap = gapBetween(brute, hero);
    // In the air: cross over the brute against its walk.
    if (!f.character->onGround) return gap < 40 ? p.walkToward(heroX, f.movingLeft ? 239 : 0, 0) : Point{};
    const bool coming = f.movingLeft ? brute.middle() > heroX : brute.middle() < heroX;
    if (coming && gap < 20) return p.jump;
    // Keep off the walls while it walks away, so that there is room to jump it when it turns.
    if (!coming && (heroX < 60 || heroX > 180) && gap > 30) return p.walkToward(heroX, 120, 0);
    const Target minion = nearestLive(f.activeMinions, B::kMinionCount, hero);
    if (minion.gap < 8) return fleeFrom(p, heroX, minion.x);
    if (minion.gap < 110) return p.attackToward(heroX, minion.x);
    if (f.bossPhase == B::kWalking || f.bossPhase == B::kChoosing) return p.attackToward(heroX, brute.middle());
    return {};
}

// Fight 3: break the parts from below (the inner one of a side first, so that a side's
// launcher stops after one crossing of its column), then strike the core through the open
// shield. Shards and the anvil fall straight, so the hero stands only outside the anvil's
// column and the columns of the live sides' launchers, and crosses a launcher's column only
// while no shard in it is low.
inline Point boss3Move(scene::InGameBoss_3& f, const LevelPoints& p) {
    using B = scene::InGameBoss_3;
    const int32_t heroX = f.character->getX();
    if (f.bossPhase == B::kDefeated) return f.rewardPlayer ? p.walkToward(heroX, f.rewardPlayer->getX(), 4) : Point{};
    const Span hero = spanOf(f.character->body.get());
    const int32_t half = (hero.right - hero.left) / 2;
    std::vector<Span> columns{spanOf(f.hazardPlayer.get())}, shards;
    for (int32_t k = 0; k < B::kShotCount; ++k)
        if (f.activeShots->at(k)) shards.push_back(spanOf(f.activeShots->at(k)));
    columns.insert(columns.end(), shards.begin(), shards.end());
    for (int32_t side = 0; side < 2; ++side) {
        if (f.partHealth->at(2 * side) <= 0 && f.partHealth->at(2 * side + 1) <= 0) continue;
        const kv::graphics::CollisionBox launcher = boxOf(*f.carrierPlayer->getCurrentFrame(), 1, side);
        const int32_t x = f.carrierPlayer->getX() + launcher.x + launcher.width / 2;
        columns.push_back({x - 6, 0, x + 6, 1});
    }
    auto clear = [&](int32_t x, int32_t margin) {
        for (const Span& s : columns)
            if (!s.empty() && x + half + margin > s.left && x - half - margin < s.right) return false;
        return true;
    };
    Span target = spanOf(f.bossPlayer.get());
    for (int32_t k : {1, 0, 2, 3})
        if (f.partHealth->at(k) > 0) {
            target = spanOf(f.partPlayers->at(k));
            break;
        }
    int32_t best = -1;
    for (int32_t x = std::max(8, target.left + 2); x <= std::min(231, target.right - 2); ++x)
        if (clear(x, 4) && (best < 0 || std::abs(x - heroX) < std::abs(best - heroX))) best = x;
    if (best < 0) best = target.middle();
    if (std::abs(best - heroX) < 4) return clear(heroX, 0) ? p.attackUp : fleeFrom(p, heroX, heroX);
    const int32_t next = heroX + (best < heroX ? -8 : 8);
    auto blocks = [&](const Span& s, int32_t lookAhead) {
        return s.bottom > hero.top - lookAhead && s.top < hero.bottom && next + half > s.left && next - half < s.right;
    };
    bool wait = blocks(columns[0], 150);
    for (const Span& s : shards) wait = wait || blocks(s, 70);
    if (wait && clear(heroX, 0)) return {};
    return p.walkToward(heroX, best, 2);
}


// The nearest charging enemy (kind 5) of a pool of `count` slots that runs at the hero: its
// gap and the way it runs (a large gap when there is none).
struct Charge {
    int32_t gap = 1 << 20;
    bool runningLeft = false;
};
template <class Array> Charge chargeAt(Array& pool, int32_t count, const Span& hero) {
    Charge nearest;
    for (int32_t i = 0; i < count; ++i) {
        InGameObject::Enemy* m = pool->at(i);
        if (!m || m->state != InGameObject::Enemy::kAlive || m->kind != 5 || !m->charging) continue;
        const Span s = spanOf(m->player.get());
        const bool toward = m->facingLeft ? s.middle() > hero.middle() : s.middle() < hero.middle();
        if (toward && gapBetween(s, hero) < nearest.gap) nearest = {gapBetween(s, hero), m->facingLeft};
    }
    return nearest;
}

// The reach of the weapon in the hero's hands.
inline int32_t reachOf(InGameObject::Character& hero) {
    return global::WeaponConfig::weapons()->at(hero.weapon)->at(global::WeaponConfig::REACH);
}

// The walk toward x as the fight's controls take it: turned around while they are mirrored.
inline Point walkAs(const LevelPoints& p, bool mirrored, int32_t from, int32_t x, int32_t slack) {
    const Point walk = p.walkToward(from, x, slack);
    if (!mirrored || walk.x < 0) return walk;
    return walk == p.moveLeft ? p.moveRight : p.moveLeft;
}

// Fight 4: jump the glass wave as it comes, shoot down what falls over the hero, keep off the
// objects that landed, and strike the prism from beside it, within the weapon's reach.
inline Point boss4Move(scene::InGameBoss_4& f, const LevelPoints& p) {
    const int32_t reach = reachOf(*f.character);
    using B = scene::InGameBoss_4;
    const int32_t heroX = f.character->getX();
    const bool mirrored = f.controlsMirrored();
    if (f.bossBody->getAnimation() == B::kDefeated) return f.bossDrop ? walkAs(p, mirrored, heroX, f.bossDrop->getX(), 4) : Point{};
    const Span hero = spanOf(f.character->body.get());
    const Span wave = spanOf(f.sweepAttack.get());
    if (!wave.empty()) {
        const bool fromRight = f.sweepAttack->getAnimation() == B::kSweepFromRight;
        const bool coming = fromRight ? wave.right > hero.left : wave.left < hero.right;
        if (coming && gapBetween(wave, hero) < 22 && wave.top < hero.bottom) return f.character->onGround ? p.jump : Point{};
    }
    for (int32_t i = 0; i < B::kShotCount; ++i) {
        kv::AnimPlayer* shot = f.activeShots->at(i);
        if (!shot) continue;
        const int32_t a = shot->getAnimation();
        const Span s = spanOf(shot);
        if (s.empty()) continue;
        if ((a == B::kAppear || a == B::kFall) && gapBetween(s, hero) < 4 && s.bottom < hero.top) return p.attackUp;
        if ((a == B::kLand || a == B::kCloseA || a == B::kCloseB) && gapBetween(s, hero) < 4) return walkAs(p, mirrored, heroX, s.middle() < heroX ? 239 : 0, 0);
    }
    const Span prism = spanOf(f.bossBody.get());
    const int32_t standOff = std::min(60, reach - 40);
    const int32_t spot = heroX < B::kCentreX ? prism.left - standOff : prism.right + standOff;
    if (std::abs(spot - heroX) > 10) return walkAs(p, mirrored, heroX, spot, 4);
    return p.attackToward(heroX, prism.middle());
}

// Fight 5: fire up at the heart from under it; jump as a fist comes down to the ground, step
// out of the column of an icicle over the hero, and while guards are out fight them as in a
// level (the nearest level with the hero sideways, one above upward, thrown things jumped).
inline Point boss5Move(scene::InGameBoss_5& f, const LevelPoints& p) {
    const int32_t reach = reachOf(*f.character);
    using B = scene::InGameBoss_5;
    const int32_t heroX = f.character->getX();
    const Span hero = spanOf(f.character->body.get());
    if (f.state == boss::kFinale) return p.walkToward(heroX, f.defeatEffect->getX(), 4);
    // A fist about to strike the ground: in the air by then.
    if ((f.bossPhase == B::kSlam || f.bossPhase == B::kCrossSlam) && !f.slamDone) {
        VMPtr<kv::Frame> shown = f.bossPartA->getCurrentFrame();
        const int32_t impact = f.bossPartA->getY() + shown->getY(0) + shown->height;
        if (f.groundY - impact < 40 && f.character->onGround) return p.jump;
    }
    for (int32_t i = 0; i < B::kMinionCount; ++i) {
        InGameObject::Enemy* m = f.activeMinions->at(i);
        if (!m || m->effect->getAnimation() != InGameObject::Enemy::kEffectFlight) continue;
        const Span thrown = spanOf(m->effect.get());
        if (!thrown.empty() && gapBetween(thrown, hero) < 36 && thrown.bottom > hero.top && f.character->onGround) return p.jump;
    }
    Target level, above;
    for (int32_t i = 0; i < B::kMinionCount; ++i) {
        InGameObject::Enemy* m = f.activeMinions->at(i);
        if (!m || m->state != InGameObject::Enemy::kAlive) continue;
        const Span s = spanOf(m->player.get());
        if (s.empty()) continue;
        Target& slot = s.bottom > hero.top + 4 ? level : above;
        if (const int32_t gap = gapBetween(s, hero); gap < slot.gap) slot = {s.middle(), gap};
    }
    if (level.gap < 4) return fleeFrom(p, heroX, level.x);
    if (chargeAt(f.activeMinions, B::kMinionCount, hero).gap < 40) return f.character->onGround ? p.jump : Point{};
    if (level.gap < reach - 20) return p.attackToward(heroX, level.x);
    if (above.gap < 24) return p.attackUp;
    // Icicles: the hero stands only where none that is still falling is over it.
    std::vector<Span> icicles;
    for (int32_t i = 0; i < f.rainList->size(); ++i)
        if (kv::AnimPlayer* icicle = f.rainAt(i); icicle->getAnimation() == B::kRainFall) {
            const Span s = spanOf(icicle);
            if (!s.empty() && s.bottom < hero.bottom) icicles.push_back(s);
        }
    const int32_t half = (hero.right - hero.left) / 2;
    auto clear = [&](int32_t x) {
        for (const Span& s : icicles)
            if (x + half + 3 > s.left && x - half - 3 < s.right) return false;
        return true;
    };
    const Span heart = spanOf(f.weakPointEffect.get());
    int32_t best = -1;
    for (int32_t x = 8; x <= 231; ++x)
        if (clear(x) && (best < 0 || std::abs(x - heart.middle()) + std::abs(x - heroX) / 2 <
                                         std::abs(best - heart.middle()) + std::abs(best - heroX) / 2))
            best = x;
    if (best < 0) best = heroX;
    if (std::abs(best - heroX) > 3) return p.walkToward(heroX, best, 3);
    return heart.left <= heroX && heroX <= heart.right ? p.attackUp : p.walkToward(heroX, heart.middle(), 1);
}

}  // namespace game_test
