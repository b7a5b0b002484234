#pragma once

// java::lang::Runtime: the singleton that reports heap figures, runs a collection and
// refuses to end the process from managed code (the application ends only through its
// lifecycle).

#include "lib_src/vm/VMClass.h"

namespace java::lang {

class Runtime : public virtual Object {
    VM_CLASS(Runtime, Object)
    VMPtr<Runtime> _VM_init() { return this; }

    static VMPtr<Runtime> getRuntime();
    // Throws SecurityException "MIDP lifecycle does not support system exit." unless
    // exiting was allowed; then ends the calling thread.
    virtual void exit(int32_t status);
    virtual int64_t freeMemory();
    virtual int64_t totalMemory();
    virtual void gc();
    static void _VM_setExitAllowed(bool allowed);

    static VMPtr<Runtime> instance;
};

}  // namespace java::lang
