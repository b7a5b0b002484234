#pragma once

#include <cstdint>

#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMThread.h"

// Brings the runtime up once per process for a test: the heap, the test thread's record,
// every class registration, the interfaces, the sealed registry, collections enabled.
inline VM* testRuntime(uint64_t initialLimit = 1 << 20, uint64_t ceiling = 256ull << 20) {
    static VM* vm = [&] {
        auto* runtime = new VM();
        VM::setInstance(runtime);
        runtime->phase = 1;
        _VM_initHeap(initialLimit, ceiling);
        runtime->phase = 9;
        runtime->mainThread = VMThread::attach();
        runtime->phase = 3;
        _VM_getClassRegistry();
        runtime->phase = 4;
        _VM_runClassRegistrations();
        runtime->phase = 6;
        _VM_registerInterfaces();
        runtime->phase = 7;
        _VM_registerMainMethods();
        runtime->phase = 8;
        _VM_sealRegistry(_VM_getClassRegistry());
        runtime->phase = 10;
        for (const char* name : {"java.lang.Object", "java.lang.Class", "java.lang.String", "java.lang.Throwable",
                                 "java.lang.Exception", "java.lang.Error", "java.lang.ExceptionInInitializerError",
                                 "java.lang.NoClassDefFoundError", "java.lang.VirtualMachineError",
                                 "java.lang.OutOfMemoryError", "java.lang.RuntimeException",
                                 "java.lang.NullPointerException", "java.lang.System"}) {
            _VM_ensureClassInitialized(_VM_getClassRegistry(), _VM_findClass(_VM_getClassRegistry(), name));
        }
        runtime->phase = VM::kCollectingPhase;
        return runtime;
    }();
    return vm;
}
