#pragma once

// java::util::Enumeration: a walk over a series of objects, one at a time. Carries no code.

#include "lib_src/vm/VMClass.h"

namespace java::util {

class Enumeration : public virtual ::java::lang::Object {
    VM_INTERFACE(Enumeration)
    // True while nextElement has an object to hand out.
    virtual bool hasMoreElements() = 0;
    // The next object; NoSuchElementException when none is left.
    virtual VMPtr<::java::lang::Object> nextElement() = 0;
};

}  // namespace java::util
