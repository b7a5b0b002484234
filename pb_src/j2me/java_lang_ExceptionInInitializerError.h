#pragma once

#include "pb_src/j2me/java_lang_Error.h"

namespace java::lang {

// The error that wraps an exception thrown by a static initialiser.
class ExceptionInInitializerError : public Error {
    VM_THROWABLE(ExceptionInInitializerError, Error)
    VMPtr<ExceptionInInitializerError> _VM_init();
    VMPtr<ExceptionInInitializerError> _VM_init(VMPtr<Throwable> thrown);
    virtual VMPtr<Throwable> getException();
    void _VM_mark(uint32_t flags) override;

    VMPtr<Throwable> exception{vmField()};
};

}  // namespace java::lang
