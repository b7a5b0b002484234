#pragma once

#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"

namespace java::lang {

class StringIndexOutOfBoundsException : public IndexOutOfBoundsException {
    VM_THROWABLE(StringIndexOutOfBoundsException, IndexOutOfBoundsException)
    VMPtr<StringIndexOutOfBoundsException> _VM_init();
    VMPtr<StringIndexOutOfBoundsException> _VM_init(VMPtr<String> message);
    // "String index out of range: " and the index.
    VMPtr<StringIndexOutOfBoundsException> _VM_init(int32_t index);
};

}  // namespace java::lang
