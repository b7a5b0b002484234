#pragma once

// The record of a thread that runs managed code.
//
// Only one thread runs managed code at a time: the one that holds the VM lock. A thread
// holds it for its whole body and releases it only around blocking operations (yield,
// sleep, monitor waits, contended monitors, blocking platform calls); after taking it back
// the platform calls _VM_makeCurrent, which makes the thread the runtime's current thread
// and its stack list the active one. VM.currentThread is null while the lock is between
// threads. After the runtime has shut down, a thread that takes the VM lock again parks
// for ever instead of running managed code against a runtime that is gone.
//
// A record is created with its managed Thread (state Created, platform thread suspended),
// runs once started, ends in state Finished, and is deleted by a sweep once its Thread
// has been collected and its platform thread has exited.

#include <cstdint>

#include "lib_src/vm/VMPtr.h"
#include "lib_src/vm/VMScope.h"
#include "pb_src/j2me/java_lang_Throwable.h"

struct HALThread;
class HALLock;

namespace java::lang {
class Thread;
}

namespace vm {
// The name of the current thread for reports (null when it has none).
VMPtr<java::lang::String> currentThreadName();
}  // namespace vm

struct VMThread {
    enum State : int32_t { Created = 1, Running = 2, Waiting = 4, Finished = 8 };

    // Record of the calling platform thread, already running (the start-up thread).
    static VMThread* attach();
    // Record of a new managed thread with a suspended platform thread.
    static VMThread* create(java::lang::Thread* thread);
    // Deletes a record made by attach.
    static void detach(VMThread* thread);
    // Deletes a record (removing it from the runtime's list and joining its platform thread).
    static void destroy(VMThread* thread);

    // The thread that runs managed code now (null while the VM lock is between threads).
    static VMThread* currentThread();
    static int32_t activeCount();

    void start();
    bool isStarted() const { return state != Created; }
    bool isAlive() const { return (state & (Running | Waiting)) != 0; }
    // The record may be deleted: no managed Thread, not alive, platform thread exited.
    bool isReclaimable() const;
    void interrupt();
    // Asks the platform to stop a running thread at its next chance; the runtime never
    // kills a thread by force, so one that does not stop is left parked at shutdown.
    void cancel();
    // Throws InterruptedException (clearing the flag) when the thread was interrupted.
    void checkInterrupted();

    // Lets another thread take the VM lock; nothing while yielding is disabled (during a
    // collection, and for good after shutdown).
    static void yield();
    // Like yield, but waits briefly for a thread to ask for the VM lock when none does yet
    // (HAL_handOverVMLock): used after passing a monitor to a thread that is about to.
    static void handOver();
    // Sleeps on the thread's own lock with the VM lock released (0 or less yields);
    // InterruptedException when interrupted before or after.
    static void sleep(int64_t milliseconds);
    // The runtime's own pauses (between collections, while stopping threads): sleeps like
    // sleep but neither throws nor consumes a pending interrupt, which stays for the
    // application's next sleep or wait.
    static void pause(int64_t milliseconds);
    // Waits on the monitor's platform lock with the monitor released in full (whatever its
    // depth) and takes it back at the same depth; 0 waits without a time limit.
    // InterruptedException when the thread is interrupted before or after the wait.
    static void wait(java::lang::Object* monitor, int64_t milliseconds);
    static void disableYield();
    static void enableYield();
    static bool yieldDisabled();

    // The make-current callback: the calling platform thread's record becomes current.
    static void _VM_makeCurrent();
    static void makeCurrent(VMThread* thread);

    // After shutdown every thread but the calling one parks when it retakes the VM lock.
    static void markShutdown();
    static bool isShutdown();

    int32_t state = Running;
    HALThread* platformThread = nullptr;
    java::lang::Thread* javaThread = nullptr;
    VMPtr<java::lang::Thread>* pin = nullptr;
    VMRefList stackList;
    HALLock* waitLock = nullptr;
    HALLock* sleepLock = nullptr;
    bool interrupted = false;
    bool oomFlag = false;
    // The exception this thread is throwing: kept reachable while it unwinds, until the
    // next throw replaces it or the thread ends.
    VMPtr<java::lang::Throwable> inFlight{VMNativeScope::instance()};

private:
    VMThread() = default;
    ~VMThread();
    static void threadEntry(void* record);
    void run();
    void finish();
    void releasePin();
    void blockFor(int64_t milliseconds);
};
