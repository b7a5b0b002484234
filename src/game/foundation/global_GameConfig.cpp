#include "src/game/foundation/global_GameConfig.h"

namespace global {

VM_DEFINE_CLASS_WITHOUT_FACTORY(GameConfig, "global.GameConfig", "java.lang.Object", &GameConfig::_VM_clinit)

VMPtr<Table> GameConfig::STAGES{VMStaticScope::instance()};

VMPtr<Table> GameConfig::stages() {
    vm::ensureInitialized(_VM_getClass());
    return STAGES;
}

void GameConfig::_VM_clinit() { STAGES = makeTable<2>({{50, 3}, {60, 3}, {70, 3}, {80, 4}, {100, 4}}); }

}  // namespace global
