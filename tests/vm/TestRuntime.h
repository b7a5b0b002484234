#pragma once

#include <cstdint>

#include "hal/base/HALThread.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMFinalizer.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMThread.h"

// Brings the runtime up once per process for a test, the way the boot does: the test
// thread holds the VM lock and is the "System" thread; the heap, every class registration,
// the interfaces, the sealed registry, the core classes and the (not started) finalizer
// exist, and collections are enabled.
inline VM* testRuntime(uint64_t initialLimit = 1 << 20, uint64_t ceiling = 256ull << 20) {
    static VM* vm = [&] {
        HALThread* platformThread = nullptr;
        HAL_createMainThreadRecord(&platformThread);
        const VMCallbacks callbacks = VM::callbacks();
        HAL_setVMCallbacks(&callbacks);
        HAL_enterVMLock();

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
        for (const char* name : {"java.lang.Object", "java.lang.Class", "java.lang.String", "java.lang.Thread",
                                 "java.lang.Throwable", "java.lang.Exception", "java.lang.Error",
                                 "java.lang.ExceptionInInitializerError", "java.lang.NoClassDefFoundError",
                                 "java.lang.VirtualMachineError", "java.lang.OutOfMemoryError",
                                 "java.lang.RuntimeException", "java.lang.NullPointerException", "java.lang.System"}) {
            _VM_ensureClassInitialized(_VM_getClassRegistry(), _VM_findClass(_VM_getClassRegistry(), name));
        }
        runtime->phase = 11;
        VMPtr<java::lang::Thread> system = java::lang::Thread::_VM_new();
        system->_VM_initStartupThread(vmLiteral("System"), runtime->mainThread);
        runtime->systemThread = system;
        VMPtr<com::kelvane::ostrel::vm::Finalizer> finalizer = com::kelvane::ostrel::vm::Finalizer::_VM_new();
        runtime->finalizer = finalizer->_VM_init();
        runtime->phase = VM::kCollectingPhase;
        runtime->finalizerStartPending = true;
        return runtime;
    }();
    return vm;
}
