#include "lib_src/vm/VMFinalizer.h"

#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"

namespace com::kelvane::ostrel::vm {

VM_DEFINE_CLASS(Finalizer, "com.kelvane.ostrel.vm.Finalizer", "java.lang.Thread", VM_NO_CLINIT)

using ::java::lang::Object;

VMPtr<Finalizer> Finalizer::_VM_init() {
    Thread::_VM_init(VMPtr<::java::lang::Runnable>(), VMPtr<java::lang::String>::fromLiteral("Finalizer"));
    idle = false;
    stopRequested = false;
    return this;
}

void Finalizer::setIdle() { idle = true; }

void Finalizer::wake() {
    VM_SYNCHRONIZED(this);
    idle = false;
    notify();
}

void Finalizer::requestStop() {
    VM_SYNCHRONIZED(this);
    stopRequested = true;
    notify();
}

void Finalizer::run() {
    try {
        while (!stopRequested) {
            finalizePass();
            idle = true;
            waitWhileIdle();
        }
    } catch (::java::lang::InterruptedException* caught) {
        VMPtr<::java::lang::InterruptedException> held(caught);
        stopRequested = true;
    }
}

void Finalizer::waitWhileIdle() {
    VM_SYNCHRONIZED(this);
    while (idle && !stopRequested) wait(0);
}

// Calls finalize on every object that awaits finalisation and was not reached in the last
// collection. A collection while a finaliser runs or while the pass yields may have
// deleted objects: the pass then starts again from the head (objects already finalised no
// longer await finalisation).
void Finalizer::finalizePass() {
    ::VM* runtime = ::VM::instance();
    int32_t examined = 0;
    for (Object* object = runtime->objects; object;) {
        const uint32_t collections = runtime->collections;
        if ((object->flags & Object::kAwaitingFinalization) && !(object->flags & Object::kReached)) {
            runFinalizer(object);
            examined = -1;  // yield right after every finaliser
        }
        if (++examined % kObjectsBetweenYields == 0) {
            VMThread::yield();
            if (stopRequested || idle) return;
        }
        object = runtime->collections != collections ? runtime->objects : object->next;
    }
}

void Finalizer::runFinalizer(Object* object) {
    object->flags = (object->flags & ~Object::kAwaitingFinalization) | Object::kFinalized;
    VMPtr<Object> held(object);
    try {
        object->finalize();
    } catch (::java::lang::InterruptedException*) {
        throw;
    } catch (::java::lang::Throwable* ignored) {
        VMPtr<::java::lang::Throwable> dropped(ignored);  // a failing finaliser does not stop the pass
    }
}

}  // namespace com::kelvane::ostrel::vm
