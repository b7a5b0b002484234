#pragma once

// Brings the runtime up for a benchmark the way the boot does: the calling thread gets a
// platform thread record, the runtime's callback table is installed and the calling
// thread takes the VM lock, which it keeps while it runs managed code (blocking calls
// release it). It becomes the "System" thread; the heap, every class registration, the
// interfaces, the sealed registry, the core classes and the (not yet started) finalizer
// exist, and collections are enabled.

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
#include "pb_src/j2me/java_lang_Thread.h"

inline VM* benchRuntime(uint64_t initialLimit = 16ull << 20, uint64_t ceiling = 512ull << 20) {
    HALThread* platformThread = nullptr;
    HAL_createMainThreadRecord(&platformThread);
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    HAL_enterVMLock();

    auto* vm = new VM();
    VM::setInstance(vm);
    vm->phase = 1;
    _VM_initHeap(initialLimit, ceiling);
    vm->phase = 9;
    vm->mainThread = VMThread::attach();
    vm->phase = 3;
    _VM_getClassRegistry();
    vm->phase = 4;
    _VM_runClassRegistrations();
    vm->phase = 6;
    _VM_registerInterfaces();
    vm->phase = 7;
    _VM_registerMainMethods();
    vm->phase = 8;
    _VM_sealRegistry(_VM_getClassRegistry());
    vm->phase = 10;
    for (const char* name : {"java.lang.Object", "java.lang.Class", "java.lang.String", "java.lang.Thread",
                             "java.lang.Throwable", "java.lang.Exception", "java.lang.Error",
                             "java.lang.ExceptionInInitializerError", "java.lang.NoClassDefFoundError",
                             "java.lang.VirtualMachineError", "java.lang.OutOfMemoryError",
                             "java.lang.RuntimeException", "java.lang.NullPointerException", "java.lang.System"}) {
        _VM_ensureClassInitialized(_VM_getClassRegistry(), _VM_findClass(_VM_getClassRegistry(), name));
    }
    vm->phase = 11;
    VMPtr<java::lang::Thread> system = java::lang::Thread::_VM_new();
    system->_VM_initStartupThread(vmLiteral("System"), vm->mainThread);
    vm->systemThread = system;
    VMPtr<com::kelvane::ostrel::vm::Finalizer> finalizer = com::kelvane::ostrel::vm::Finalizer::_VM_new();
    vm->finalizer = finalizer->_VM_init();
    vm->phase = VM::kCollectingPhase;
    vm->finalizerStartPending = true;
    return vm;
}
