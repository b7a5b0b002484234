#pragma once

// kv::Resources_KVC_Type_KVC_Kelvane: the group of the framework's own entry formats; it declares no operations.

#include "lib_src/vm/VMClass.h"

namespace kv {

class Resources_KVC_Type_KVC_Kelvane : public virtual ::java::lang::Object {
    VM_INTERFACE(Resources_KVC_Type_KVC_Kelvane)
};

}  // namespace kv
