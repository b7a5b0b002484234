#pragma once

// global::WeaponConfig: the seven weapons, one row per weapon index (weapon i is shop item
// i). Columns: 0 damage per hit, 1 targets one attack can hit, 2 projectile speed in pixels
// per second, 3 reach in pixels, 4 time between attacks in ms, 5 shop price, 6 and 7 the
// projectile's hit box width and height in pixels (the shots' content boxes are these), 8 how
// far a hit pushes an enemy back in pixels, 9 projectiles in flight at once. Weapon 0, which
// a new game owns, can win every fight; the others cost what a playthrough earns, and each
// deals more damage a second than the one before it. Damage fits enemies of 10 to 30 hit
// points and bosses of 200 to 2000: the newest weapon on sale before stage s (weapon s + 1)
// strikes down any of that stage's enemies at one hit, for a stage sends 60 to 100 enemies
// and each that reaches the hero costs it up to a fifth of its health.

#include "src/game/foundation/ConfigTable.h"

namespace global {

class WeaponConfig : public virtual ::java::lang::Object {
    VM_CLASS(WeaponConfig, ::java::lang::Object)
    static constexpr int32_t DAMAGE = 0, HITS = 1, SPEED = 2, REACH = 3, COOLDOWN = 4, PRICE = 5, BOX_WIDTH = 6,
                             BOX_HEIGHT = 7, KNOCKBACK = 8, SLOTS = 9;
    static constexpr int32_t WEAPON_COUNT = 7;

    static void _VM_clinit();
    // The table, the class initialised first.
    static VMPtr<Table> weapons();
    static VMPtr<Table> WEAPONS;
};

}  // namespace global
