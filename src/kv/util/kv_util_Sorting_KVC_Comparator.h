#pragma once

// kv::util::Sorting_KVC_Comparator: a registered interface without operations.

#include "lib_src/vm/VMClass.h"

namespace kv::util {

class Sorting_KVC_Comparator : public virtual ::java::lang::Object {
    VM_INTERFACE(Sorting_KVC_Comparator)
};

}  // namespace kv::util
