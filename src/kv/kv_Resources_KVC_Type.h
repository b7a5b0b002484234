#pragma once

// kv::Resources_KVC_Type: the group of the pack's entry types; it declares no operations.

#include "lib_src/vm/VMClass.h"

namespace kv {

class Resources_KVC_Type : public virtual ::java::lang::Object {
    VM_INTERFACE(Resources_KVC_Type)
};

}  // namespace kv
