#pragma once

#include "pb_src/j2me/java_lang_RuntimeException.h"

namespace java::lang {
VM_EXCEPTION_CLASS(IndexOutOfBoundsException, RuntimeException)
}

// An index exception with the () and (String) bodies and an (int index) body whose message
// is the prefix followed by the index.
#define VM_INDEX_EXCEPTION_CLASS(Self, prefix)                                                 \
    class Self : public ::java::lang::IndexOutOfBoundsException {                              \
        VM_THROWABLE(Self, ::java::lang::IndexOutOfBoundsException)                            \
        VMPtr<Self> _VM_init() {                                                               \
            _VM_Super::_VM_init();                                                             \
            return this;                                                                       \
        }                                                                                      \
        VMPtr<Self> _VM_init(VMPtr<::java::lang::String> message) {                            \
            _VM_Super::_VM_init(message);                                                      \
            return this;                                                                       \
        }                                                                                      \
        VMPtr<Self> _VM_init(int32_t index) {                                                  \
            return _VM_init(::java::lang::String::withNumber(prefix, index));                  \
        }                                                                                      \
    };
