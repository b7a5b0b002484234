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

#include "lib_src/vm/VMPtr.h"

namespace java::lang {
class Object;
}

void _VM_lock(java::lang::Object* object);
// Fatal unless the caller owns the monitor.
void _VM_unlock(java::lang::Object* object);
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
