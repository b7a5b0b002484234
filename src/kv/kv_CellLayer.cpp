#include "src/kv/kv_CellLayer.h"

namespace kv {

VM_DEFINE_CLASS_WITHOUT_FACTORY(CellLayer, "kv.CellLayer", "java.lang.Object", VM_NO_CLINIT)

}  // namespace kv
