#include "src/kv/util/kv_util_Sorting_KVC_Comparator.h"

namespace kv::util {

VM_DEFINE_INTERFACE(Sorting_KVC_Comparator, "kv.util.Sorting$Comparator", VM_NO_CLINIT)

}  // namespace kv::util
