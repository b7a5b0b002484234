#include "src/kv/kv_GobSet.h"

namespace kv {

VM_DEFINE_CLASS(GobSet, "kv.GobSet", "java.lang.Object", VM_NO_CLINIT)

}  // namespace kv
