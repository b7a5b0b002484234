#pragma once

// kv::GobTextureHelper: a registered class without members.

#include "lib_src/vm/VMClass.h"

namespace kv {

class GobTextureHelper : public virtual ::java::lang::Object {
    VM_CLASS(GobTextureHelper, ::java::lang::Object)
};

}  // namespace kv
