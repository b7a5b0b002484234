#include "src/game/foundation/global_WeaponConfig.h"

namespace global {

VM_DEFINE_CLASS_WITHOUT_FACTORY(WeaponConfig, "global.WeaponConfig", "java.lang.Object", &WeaponConfig::_VM_clinit)

VMPtr<Table> WeaponConfig::WEAPONS{VMStaticScope::instance()};

VMPtr<Table> WeaponConfig::weapons() {
    vm::ensureInitialized(_VM_getClass());
    return WEAPONS;
}

void WeaponConfig::_VM_clinit() {
    WEAPONS = makeTable<9>({{5, 1, 300, 120, 400, 0, 16, 16, 4},
                            {6, 2, 320, 130, 380, 2, 18, 16, 4},
                            {8, 2, 340, 140, 360, 3, 18, 18, 6},
                            {10, 3, 360, 150, 340, 4, 20, 18, 6},
                            {12, 3, 380, 160, 320, 5, 20, 20, 8},
                            {14, 4, 400, 170, 300, 5, 22, 20, 8},
                            {16, 5, 420, 180, 280, 6, 24, 22, 10}});
}

}  // namespace global
