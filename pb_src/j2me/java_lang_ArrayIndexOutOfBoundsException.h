#pragma once

#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"

namespace java::lang {

class ArrayIndexOutOfBoundsException : public IndexOutOfBoundsException {
    VM_THROWABLE(ArrayIndexOutOfBoundsException, IndexOutOfBoundsException)
    VMPtr<ArrayIndexOutOfBoundsException> _VM_init();
    VMPtr<ArrayIndexOutOfBoundsException> _VM_init(VMPtr<String> message);
    // "Array index out of range: " and the index.
    VMPtr<ArrayIndexOutOfBoundsException> _VM_init(int32_t index);
};

}  // namespace java::lang
