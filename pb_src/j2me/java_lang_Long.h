#pragma once

// java::lang::Long: the text of 64-bit integers in any radix.

#include <cstdint>

#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

// Static operations only: no allocation and no reflective factory.
class Long : public virtual Object {
    VM_ABSTRACT_CLASS(Long, Object)

    // Signed text of l; a radix outside 2..36 means 10.
    static VMPtr<String> toString(int64_t l, int32_t radix);
};

}  // namespace java::lang
