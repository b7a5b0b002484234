#include "src/game/foundation/global_EnemyConfig.h"

#include <string>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"

namespace global {

VM_DEFINE_CLASS_WITHOUT_FACTORY(EnemyConfig, "global.EnemyConfig", "java.lang.Object", &EnemyConfig::_VM_clinit)

VMPtr<Table> EnemyConfig::STAGE_0{VMStaticScope::instance()};
VMPtr<Table> EnemyConfig::STAGE_1{VMStaticScope::instance()};
VMPtr<Table> EnemyConfig::STAGE_2{VMStaticScope::instance()};
VMPtr<Table> EnemyConfig::STAGE_3{VMStaticScope::instance()};
VMPtr<Table> EnemyConfig::STAGE_4{VMStaticScope::instance()};

void EnemyConfig::_VM_clinit() {
    STAGE_0 = makeTable<8>({{10, 9000, 10, 2, 3000, 0, 12295, 12290},
                            {10, 12000, 10, 2, 6000, 0, 12294, 12289},
                            {10, 24000, 10, 2, 7000, 0, 12296, 12291},
                            {10, 0, 5, 1, 8000, 4, 12297, 12292},
                            {10, 6000, 15, 2, 2000, 5, 12293, 12288}});
    STAGE_1 = makeTable<8>({{10, 12000, 10, 2, 3000, 0, 13320, 13315},
                            {15, 6000, 15, 2, 2000, 1, 13319, 13314},
                            {15, 9000, 15, 2, 4000, 1, 13317, 13312},
                            {10, 0, 5, 1, 4000, 4, 13321, 13316},
                            {10, 6000, 15, 2, 2000, 5, 13318, 13313}});
    STAGE_2 = makeTable<8>({{15, 6000, 15, 2, 3000, 0, 14344, 14339},
                            {20, 6000, 15, 2, 4000, 1, 14345, 14340},
                            {15, 9000, 15, 2, 4000, 2, 14343, 14338},
                            {10, 0, 15, 1, 4000, 4, 14341, 14336},
                            {10, 6000, 20, 2, 2000, 5, 14342, 14337}});
    STAGE_3 = makeTable<8>({{20, 6000, 15, 2, 3000, 0, 15370, 15364},
                            {20, 9000, 15, 2, 4000, 1, 15368, 15362},
                            {20, 9000, 15, 2, 4000, 2, 15366, 15360},
                            {20, 6000, 15, 2, 4000, 3, 15371, 15365},
                            {15, 0, 15, 1, 4000, 4, 15367, 15361},
                            {15, 6000, 20, 2, 2000, 5, 15369, 15363}});
    STAGE_4 = makeTable<8>({{30, 9000, 20, 2, 2000, 0, 16394, 16388},
                            {30, 6000, 20, 2, 3000, 1, 16391, 16385},
                            {30, 9000, 20, 2, 4000, 2, 16390, 16384},
                            {30, 18000, 20, 2, 10000, 3, 16395, 16389},
                            {15, 0, 20, 1, 4000, 4, 16392, 16386},
                            {30, 6000, 20, 2, 3000, 5, 16393, 16387}});
}

VMPtr<Table> EnemyConfig::forStage(int32_t stage) {
    vm::ensureInitialized(_VM_getClass());
    switch (stage) {
    case 0: return STAGE_0;
    case 1: return STAGE_1;
    case 2: return STAGE_2;
    case 3: return STAGE_3;
    case 4: return STAGE_4;
    default: break;
    }
    const std::string message = "no enemy table for stage " + std::to_string(stage);
    vm::throwNew<java::lang::IllegalArgumentException>(java::lang::String::fromUtf8(message.c_str()));
}

}  // namespace global
