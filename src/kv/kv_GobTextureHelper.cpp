#include "src/kv/kv_GobTextureHelper.h"

namespace kv {

VM_DEFINE_CLASS_AS_(GobTextureHelper, "kv.GobTextureHelper", "java.lang.Object", VM_NO_CLINIT, nullptr,
                    VMClassKind::Concrete)

}  // namespace kv
