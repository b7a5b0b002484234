// The runtime's start-up and shutdown.

#include <cstring>
#include <limits>

#include "hal/base/FloatConstants.h"
#include "hal/base/HALThread.h"
#include "hal/base/SystemClock.h"
#include "hal/base/VMCallbacks.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_NoClassDefFoundError.h"
#include "pb_src/j2me/java_lang_Thread.h"

namespace {

constexpr uint32_t kExitEventMask = 1u << kEventExit;
constexpr uint32_t kStopPoll = 20;

// The platform's floating-point limits, kept for the life of the running runtime.
struct FloatConstants {
    bool ready = false;
    float floatValues[5];
    double doubleValues[5];
} floatConstants;

void initFloatConstants() {
    float* f = floatConstants.floatValues;
    double* d = floatConstants.doubleValues;
    HAL_getFloatConstants(&f[0], &f[1], &f[2], &f[3], &f[4]);
    HAL_getDoubleConstants(&d[0], &d[1], &d[2], &d[3], &d[4]);
    floatConstants.ready = true;
}

const char* const kCoreClasses[] = {
    "java.lang.Object",       "java.lang.Class",
    "java.lang.String",       "java.lang.Thread",
    "java.lang.Throwable",    "java.lang.Exception",
    "java.lang.Error",        "java.lang.ExceptionInInitializerError",
    "java.lang.NoClassDefFoundError", "java.lang.VirtualMachineError",
    "java.lang.OutOfMemoryError",     "java.lang.RuntimeException",
    "java.lang.NullPointerException", "java.lang.System",
};

int initVM(uint64_t initialLimit, uint64_t ceiling, HALThread* thread, const char* bootClassName, int) {
    auto* vm = new VM();
    VM::setInstance(vm);
    return vm->start(initialLimit, ceiling, thread, bootClassName, nullptr);
}

void destroyVM() {
    VM* vm = VM::instance();
    if (vm == nullptr) return;
    vm->stopThreads();
    VM::setInstance(nullptr);
    delete vm;
}

}  // namespace

VMCallbacks VM::callbacks() {
    VMCallbacks table{};
    table.initVM = &initVM;
    table.dispatchEvent = &HAL_dispatchEvent;
    table.yield = [] { VMThread::yield(); };
    table.makeCurrent = &VMThread::_VM_makeCurrent;
    table.collect = [] {
        if (VM* vm = instance()) vm->collect();
    };
    table.destroyVM = &destroyVM;
    return table;
}

int VM::onExitEvent(int type, int, void*) {
    if (type == kEventExit) {
        if (VM* vm = instance()) vm->exitRequested = true;
    }
    return 0;
}

int VM::start(uint64_t initialLimit, uint64_t ceiling, HALThread*, const char* bootClassName, void* mainArgument) {
    try {
        bootPhases(initialLimit, ceiling);
        return runBootClass(bootClassName, mainArgument);
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> uncaught(caught);
        if (phase >= 13) uncaught->printStackTrace();
        return CALLBACK_UNCAUGHT_EXCEPTION;
    } catch (...) {
        return CALLBACK_UNCAUGHT_EXCEPTION;
    }
}

void VM::bootPhases(uint64_t initialLimit, uint64_t ceiling) {
    phase = 1;
    _VM_initHeap(initialLimit, ceiling);
    phase = 2;
    HAL_createEventListeners();
    HAL_addEventListener(&VM::onExitEvent, kExitEventMask, 0);
    _VM_getLiteralTable();
    initFloatConstants();
    phase = 9;
    mainThread = VMThread::attach();
    currentThread = mainThread;
    phase = 3;
    VMClassRegistry* registry = _VM_getClassRegistry();
    phase = 4;
    _VM_runClassRegistrations();
    phase = 6;
    _VM_registerInterfaces();
    phase = 7;
    _VM_registerMainMethods();
    phase = 8;
    _VM_sealRegistry(registry);
    phase = 10;
    initializeCoreClasses();
    phase = 11;
    createRuntimeThreads();
    phase = 12;
    finalizerStartPending = true;
    collect();
}

void VM::initializeCoreClasses() {
    VMClassRegistry* registry = _VM_getClassRegistry();
    for (const char* name : kCoreClasses) {
        java::lang::Class* record = _VM_findClass(registry, name);
        if (record && record->state != java::lang::Class::Initialized) _VM_ensureClassInitialized(registry, record);
    }
}

void VM::createRuntimeThreads() {
    VMPtr<java::lang::Thread> system = java::lang::Thread::_VM_new();
    system->_VM_initStartupThread(VMPtr<java::lang::String>::fromLiteral("System"), mainThread);
    systemThread = system;
    VMPtr<com::kelvane::ostrel::vm::Finalizer> made = com::kelvane::ostrel::vm::Finalizer::_VM_new();
    finalizer = made->_VM_init();
}

int VM::runBootClass(const char* bootClassName, void* mainArgument) {
    phase = 14;
    if (bootClassName == nullptr) return CALLBACK_INITIALIZATION_FAILED;
    VMClassRegistry* registry = _VM_getClassRegistry();
    java::lang::Class* boot = _VM_findClass(registry, bootClassName);
    if (boot == nullptr || boot->main == nullptr) vm::throwNew<java::lang::NoClassDefFoundError>();
    _VM_ensureClassInitialized(registry, boot);
    boot->main(static_cast<VMArray<java::lang::String*, 1>*>(mainArgument));
    return CALLBACK_OK;
}

bool VM::waitForOtherThreads(uint32_t milliseconds) {
    const uint64_t begin = HAL_getTickCount64();
    while (VMThread::activeCount() > 1) {
        if (HAL_getTickCount64() - begin >= milliseconds) return false;
        VMThread::pause(kStopPoll);
    }
    return true;
}

void VM::forEachOtherThread(void (*action)(VMThread*)) {
    VMThread* me = VMThread::currentThread();
    for (VMList::Node* node = threads.begin(); node; node = VMList::next(node)) {
        auto* thread = static_cast<VMThread*>(VMList::value(node));
        if (thread != me) action(thread);
    }
}

void VM::stopThreads() {
    if (finalizer && finalizer->isAlive()) finalizer->requestStop();
    if (!waitForOtherThreads(250)) {
        forEachOtherThread([](VMThread* thread) { thread->interrupt(); });
        if (!waitForOtherThreads(250)) {
            forEachOtherThread([](VMThread* thread) { thread->cancel(); });
            waitForOtherThreads(100);
        }
    }
    VMThread::markShutdown();
    floatConstants.ready = false;
    HAL_deleteEventListeners();
    _VM_stopHeap();
    finalizer = nullptr;
    systemThread = nullptr;
}
