#pragma once

// kv::util::Sorting: a registered class of the utility package without fields or operations.

#include "lib_src/vm/VMClass.h"

namespace kv::util {

class Sorting : public virtual ::java::lang::Object {
    VM_CLASS(Sorting, ::java::lang::Object)

    VMPtr<Sorting> _VM_init() {
        Object::_VM_init();
        return this;
    }
};

}  // namespace kv::util
