#pragma once

// The record of a thread that runs managed code: its stack-handle list, its out-of-memory
// flag and the exception it is throwing. Records are registered in the runtime's thread
// list for their whole life.

#include <cstdint>

#include "lib_src/vm/VMPtr.h"
#include "lib_src/vm/VMScope.h"
#include "pb_src/j2me/java_lang_Throwable.h"

struct HALThread;
class HALLock;

namespace java::lang {
class Throwable;
}

namespace vm {
// The name of the current thread for reports (null when it has none).
VMPtr<java::lang::String> currentThreadName();
}  // namespace vm

struct VMThread {
    enum State : int32_t { Created = 1, Running = 2, Waiting = 4, Finished = 8 };

    // Record of the calling platform thread, already running (the start-up thread): its
    // stack list becomes the active one and it joins the runtime's thread list.
    static VMThread* attach();
    // Deletes a record made by attach (its handles must all be gone).
    static void detach(VMThread* thread);

    VMThread();
    ~VMThread();

    static VMThread* current();

    // Lets another thread take the VM lock, then makes this thread current again. Does
    // nothing while yielding is disabled (during a collection, and for good after shutdown).
    static void yield();
    // Sleeps with the VM lock released, then makes this thread current again.
    static void sleep(int64_t milliseconds);
    static void disableYield();
    static void enableYield();
    static bool yieldDisabled();
    // Waits on the monitor's platform lock with the monitor released in full (whatever its
    // depth) and takes it back at the same depth; 0 waits without a time limit. Throws
    // InterruptedException when the thread is interrupted before or after the wait.
    static void wait(java::lang::Object* monitor, int64_t milliseconds);
    // Throws InterruptedException (clearing the flag) when the thread was interrupted.
    void checkInterrupted();

    // Makes the record the runtime's current thread and its stack list the active one.
    static void makeCurrent(VMThread* thread);

    int32_t state = Running;
    HALThread* platformThread = nullptr;
    bool oomFlag = false;
    bool interrupted = false;
    HALLock* waitLock = nullptr;  // the lock this thread waits on, for interrupt
    VMRefList stackList;
    // The exception this thread is throwing: kept reachable while it unwinds, until the
    // next throw replaces it or the thread ends.
    VMPtr<java::lang::Throwable> inFlight;
};
