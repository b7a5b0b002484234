#pragma once

// java::lang::Math: registered so that the class exists for the layers above; it offers no
// operations of its own.

#include "lib_src/vm/VMClass.h"

namespace java::lang {

// No instances: no allocation and no reflective factory.
class Math : public virtual Object {
    VM_ABSTRACT_CLASS(Math, Object)
};

}  // namespace java::lang
