#pragma once

// java::lang::Math: the arithmetic helpers the layers above call. Integer results wrap as
// Java's do (the absolute value of the smallest int is itself), never undefined behaviour.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace java::lang {

// No instances: no allocation and no reflective factory.
class Math : public virtual Object {
    VM_ABSTRACT_CLASS(Math, Object)

public:
    static int32_t abs(int32_t value) { return value < 0 ? int32_t(0u - uint32_t(value)) : value; }
};

}  // namespace java::lang
