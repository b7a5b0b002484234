#include "src/kv/kv_GobTextureHelper.h"

namespace kv {

VM_DEFINE_CLASS_WITHOUT_FACTORY(GobTextureHelper, "kv.GobTextureHelper", "java.lang.Object", VM_NO_CLINIT)

}  // namespace kv
