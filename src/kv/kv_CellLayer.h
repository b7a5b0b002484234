#pragma once

// kv::CellLayer: a registered class without members.

#include "lib_src/vm/VMClass.h"

namespace kv {

class CellLayer : public virtual ::java::lang::Object {
    VM_CLASS(CellLayer, ::java::lang::Object)
};

}  // namespace kv
