#include "src/kv/util/kv_util_Sorting.h"

namespace kv::util {

VM_DEFINE_CLASS(Sorting, "kv.util.Sorting", "java.lang.Object", VM_NO_CLINIT)

}  // namespace kv::util
