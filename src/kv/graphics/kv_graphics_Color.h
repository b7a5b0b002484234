#pragma once

// kv::graphics::Color: a registered, instantiable class without fields or operations of
// its own.

#include "lib_src/vm/VMClass.h"

namespace kv::graphics {

class Color : public virtual ::java::lang::Object {
    VM_CLASS(Color, ::java::lang::Object)

    VMPtr<Color> _VM_init() {
        Object::_VM_init();
        return this;
    }
};

}  // namespace kv::graphics
