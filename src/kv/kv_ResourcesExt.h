#pragma once

// kv::ResourcesExt: a registered companion of kv::Resources without fields or operations.

#include "lib_src/vm/VMClass.h"

namespace kv {

class ResourcesExt : public virtual ::java::lang::Object {
    VM_CLASS(ResourcesExt, ::java::lang::Object)

    VMPtr<ResourcesExt> _VM_init() {
        Object::_VM_init();
        return this;
    }
};

}  // namespace kv
