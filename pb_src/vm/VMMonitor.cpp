#include "lib_src/vm/VMMonitor.h"

#include "hal/base/FatalError.h"
#include "hal/base/HALLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMClass.h"
#include "lib_src/vm/VMObject.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IllegalMonitorStateException.h"

using java::lang::Object;

void _VM_inflateMonitor(Object* object) {
    if (object->lock != nullptr) return;
    VMThread* me = VMThread::currentThread();
    if (object->count > 0 && object->owner != me)
        HAL_fatalError("Attempt to inflate a lock that we do not own in _VM_inflateMonitor().");
    if (HAL_createLock(&object->lock, object->count > 0) != 0)
        HAL_fatalError("HAL_createLock() failed in _VM_inflateMonitor().");
}

namespace {

// The last level of an inflated monitor was left.
void releaseInflated(HALLock* lock) {
    // With nobody queued to enter, the exit stays as cheap as a thin one. Otherwise the
    // waiters are woken and the section goes to the first entrant, which then needs the
    // VM lock: this thread lets it have that first, so that the entrant runs now and this
    // thread does not find the section taken at its next enter (which would make the two
    // threads trade the monitor at every enter).
    const bool contended = lock->hasEntrants();
    if (contended) HAL_notifyAllLock(lock);
    lock->leave();
    if (contended) VMThread::handOver();
}

}  // namespace

// The monitor is held by another thread, or inflated and free.
void _VM_lockSlowly(Object* object, VMThread* me) {
    if (object->lock == nullptr) {
        // Held by another thread: let the owner run until it lets go, then inflate.
        while (object->count != 0) VMThread::yield();
        _VM_inflateMonitor(object);
    }
    // A free section is taken without leaving the VM lock; only a held one blocks.
    if (!object->lock->tryEnter()) HAL_enterLock(object->lock);
    object->count = 1;
    object->owner = me;
}

void _VM_unlockSlowly(Object* object) {
    if (object->count <= 0 || object->owner != _VM_runningThread())
        HAL_fatalError("Monitor state is invalid in _VM_unlock()!");
    if (--object->count > 0) return;
    object->owner = nullptr;
    if (object->lock != nullptr) releaseInflated(object->lock);
}

namespace java::lang {

namespace {

void checkOwner(Object* object) {
    if (object->count <= 0 || object->owner != VMThread::currentThread()) vm::throwNew<IllegalMonitorStateException>();
}

}  // namespace

void Object::wait(int64_t milliseconds) {
    if (milliseconds < 0) vm::throwNew<IllegalArgumentException>();
    checkOwner(this);
    _VM_inflateMonitor(this);
    VMThread::wait(this, milliseconds);
}

void Object::notify() {
    checkOwner(this);
    if (lock != nullptr) HAL_notifyLock(lock);
}

void Object::notifyAll() {
    checkOwner(this);
    if (lock != nullptr) HAL_notifyAllLock(lock);
}

}  // namespace java::lang
