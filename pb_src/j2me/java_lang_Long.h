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
    // Writes the signed text of l in radix (2..36) so that it ends just before end, and
    // returns where it starts; end must have kMaxChars units of room before it.
    static constexpr int32_t kMaxChars = 65;
    static char16_t* writeText(int64_t l, int32_t radix, char16_t* end);
};

}  // namespace java::lang
