#pragma once

// global::GameConfig: per stage 0 to 4, the number of enemies the stage spawns and must see
// defeated (column 0) and the most alive at once (column 1).

#include "src/game/foundation/ConfigTable.h"

namespace global {

class GameConfig : public virtual ::java::lang::Object {
    VM_CLASS(GameConfig, ::java::lang::Object)
    static constexpr int32_t ENEMY_TOTAL = 0, MAX_ALIVE = 1;

    static void _VM_clinit();
    // The table, the class initialised first.
    static VMPtr<Table> stages();
    static VMPtr<Table> STAGES;
};

}  // namespace global
