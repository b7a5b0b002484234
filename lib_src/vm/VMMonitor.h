#pragma once

// Monitors: every object can be locked (synchronized), waited on and notified.
//
// A monitor starts thin: an owner and a recursion count in the object header, changed
// without any platform lock (only the VM-lock holder runs managed code). It is inflated,
// a HALLock attached for good, the first time a thread must wait for it or waits on it.
// Invariants: count is 0 exactly when owner is null; once inflated, the platform lock is
// held by the owning thread whenever count > 0. No thread blocks on a monitor's platform
// lock while it holds the VM lock; a free one is taken without leaving the VM lock. A final
// exit of an inflated monitor wakes its waiters and yields only when a thread is queued to
// enter it, so a monitor that has been waited on stays about as cheap as a thin one.

#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMObject.h"
#include "lib_src/vm/VMPtr.h"

// The thread that runs managed code (the only one that touches monitor fields).
inline VMThread* _VM_runningThread() {
    VM* vm = VM::instance();
    return vm ? vm->currentThread : nullptr;
}

// Out of line: a monitor held by another thread, inflated monitors, invalid releases.
void _VM_lockSlowly(java::lang::Object* object, VMThread* me);
void _VM_unlockSlowly(java::lang::Object* object);

// The thin cases are inline: taking a free monitor or one level more is two stores.
inline void _VM_lock(java::lang::Object* object) {
    VMThread* me = _VM_runningThread();
    if (object->count == 0 && object->lock == nullptr) {
        object->count = 1;
        object->owner = me;
        return;
    }
    if (object->owner == me && object->count > 0) {
        ++object->count;
        return;
    }
    _VM_lockSlowly(object, me);
}

// Fatal unless the caller owns the monitor.
inline void _VM_unlock(java::lang::Object* object) {
    if (object->lock == nullptr && object->count > 0 && object->owner == _VM_runningThread()) {
        if (--object->count == 0) object->owner = nullptr;
        return;
    }
    _VM_unlockSlowly(object);
}

void _VM_inflateMonitor(java::lang::Object* object);

// Holds an object's monitor for the life of a block (how synchronized is written); the
// monitor is released when the block is left by an exception too.
class VMMonitorGuard {
public:
    explicit VMMonitorGuard(java::lang::Object* object) : object_(object) { _VM_lock(object); }
    ~VMMonitorGuard() { _VM_unlock(object_.get()); }
    VMMonitorGuard(const VMMonitorGuard&) = delete;
    VMMonitorGuard& operator=(const VMMonitorGuard&) = delete;

private:
    VMPtr<java::lang::Object> object_;
};

#define VM_SYNCHRONIZED(object) VMMonitorGuard VM_CONCAT_(vmMonitorGuard_, __LINE__)(object)

// The same for the object a member function runs on, which the caller's handle holds for
// the whole call: the guard needs no handle of its own. (A guard's handle outlives the
// handle a synchronized function returns, so it is also released out of order.)
class VMSelfMonitorGuard {
public:
    explicit VMSelfMonitorGuard(java::lang::Object* self) : self_(self) { _VM_lock(self); }
    ~VMSelfMonitorGuard() { _VM_unlock(self_); }
    VMSelfMonitorGuard(const VMSelfMonitorGuard&) = delete;
    VMSelfMonitorGuard& operator=(const VMSelfMonitorGuard&) = delete;

private:
    java::lang::Object* const self_;
};

#define VM_SYNCHRONIZED_SELF() VMSelfMonitorGuard VM_CONCAT_(vmMonitorGuard_, __LINE__)(this)
