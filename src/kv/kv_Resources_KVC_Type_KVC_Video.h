#pragma once

// kv::Resources_KVC_Type_KVC_Video: the group of video entry types; it declares no operations.

#include "lib_src/vm/VMClass.h"

namespace kv {

class Resources_KVC_Type_KVC_Video : public virtual ::java::lang::Object {
    VM_INTERFACE(Resources_KVC_Type_KVC_Video)
};

}  // namespace kv
