#include "src/game/foundation/global_WeaponConfig.h"

namespace global {

VM_DEFINE_CLASS_WITHOUT_FACTORY(WeaponConfig, "global.WeaponConfig", "java.lang.Object", &WeaponConfig::_VM_clinit)

VMPtr<Table> WeaponConfig::WEAPONS{VMStaticScope::instance()};

VMPtr<Table> WeaponConfig::weapons() {
    vm::ensureInitialized(_VM_getClass());
    return WEAPONS;
}

void WeaponConfig::_VM_clinit() {
    // damage, hits, speed, reach, cooldown, price, box w, box h, knockback, slots
    WEAPONS = makeTable<10>({{5, 1, 300, 140, 400, 0, 16, 16, 4, 2},
                             {8, 1, 420, 160, 250, 2, 14, 10, 2, 3},
                             {15, 3, 260, 130, 400, 3, 18, 18, 6, 2},
                             {20, 2, 360, 110, 450, 4, 22, 12, 6, 1},
                             {30, 1, 320, 200, 500, 5, 20, 20, 8, 2},
                             {30, 4, 480, 220, 380, 5, 24, 12, 8, 2},
                             {30, 5, 420, 240, 340, 6, 24, 22, 10, 3}});
}

}  // namespace global
