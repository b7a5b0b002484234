#pragma once

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

class Throwable : public VMException {
    VM_THROWABLE(Throwable, Object)

    VMPtr<Throwable> _VM_init();
    VMPtr<Throwable> _VM_init(VMPtr<String> message);

    virtual VMPtr<String> getMessage();
    // The uncaught-exception report on System.err: the thread, the class and message, and
    // a line "    at <unknown>" (no call stack is recorded).
    virtual void printStackTrace();
    // The class name, and ": " with the message when there is one.
    VMPtr<String> toString() override;
    void _VM_mark(uint32_t flags) override;

    VMPtr<String> message{vmField()};
};

}  // namespace java::lang
