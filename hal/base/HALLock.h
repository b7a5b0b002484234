#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "hal/base/FairRecursiveLock.h"

class ThreadWaker;

// A native lock with a first-in first-out queue of waiting threads; the runtime builds its
// inflated monitors, wait and notify on it.
//
// Guarantees:
// - a thread never waits for the lock's section while it holds the VM lock (lock order:
//   section, then VM lock);
// - a waiter withdraws its own queue entry whenever its wait ends, so a timed-out or
//   interrupted waiter never swallows a later notify, and no entry outlives its wait;
// - waiters are woken in the order in which they began to wait;
// - a waiter notified by the thread that holds the section is woken when that thread leaves
//   the section (it could not go on before), so it wakes once, to a free section.
class HALLock {
public:
    explicit HALLock(bool entered);
    ~HALLock();

    void enter();
    // Enters the lock's section when that needs no waiting (the VM lock is kept); false
    // when another thread holds it or is queued for it.
    bool tryEnter() { return section_.tryEnter(); }
    void leave() {
        if (section_.leave() && anyNotified_.load(std::memory_order_relaxed)) wakeNotified();
    }
    // Whether a thread is queued to enter the section (a woken waiter taking it back
    // included); a hint read without locking.
    bool hasEntrants() const { return section_.hasWaiters(); }
    // Waits until notified or for the time (ThreadWaker::kNoLimit: no limit), with the
    // lock's section and the VM lock released; both are taken back at their depths.
    void wait(uint32_t milliseconds);
    void notify();
    void notifyAll();

    size_t waiterCount() const;

private:
    struct Waiter {
        ThreadWaker* waker;
        uint32_t arming;  // the waker's arming for this wait
        Waiter* next = nullptr;
        // On a list. Cleared under queueMutex_ when the entry is taken off to be woken, so
        // a waiter that was woken and finds it clear needs no mutex to leave.
        std::atomic<bool> listed{true};
    };

    // A list of waiters, first in first out, under queueMutex_.
    struct WaiterList {
        Waiter* head = nullptr;
        Waiter* tail = nullptr;
        void append(Waiter* waiter);
        Waiter* takeFirst();
        bool remove(Waiter* waiter);
    };

    void append(Waiter* waiter);
    void withdraw(Waiter* waiter);
    // Under queueMutex_: wakes the waiter now, or when the caller leaves the section.
    void release(Waiter* waiter);
    // Under queueMutex_: wakes a waiter already taken off its list.
    static void wake(Waiter* waiter);
    // Wakes the waiters notified by the section's holder; the holder calls it once it has
    // let go of the section (and, in a wait, of the VM lock). The wake-ups are sent outside
    // the mutex, so a woken thread never finds the mutex still held by its waker.
    void wakeNotified();

    FairRecursiveLock section_;
    mutable std::mutex queueMutex_;  // notify may come from a thread outside the section
    WaiterList waiting_;
    WaiterList notified_;  // taken off waiting_ by the section's holder, not yet woken
    std::atomic<bool> anyNotified_{false};
};

int HAL_createLock(HALLock** out, int entered);
// Leaves the VM lock while it blocks for the lock, takes it back and calls slot 3.
void HAL_enterLock(HALLock* lock);
void HAL_leaveLock(HALLock* lock);
// Timeout in milliseconds: 0 or negative waits without limit; values that do not fit
// below 0xFFFFFFFF are cut to 0xFFFFFFFE.
void HAL_waitLock(HALLock* lock, int64_t timeout);
void HAL_notifyLock(HALLock* lock);
void HAL_notifyAllLock(HALLock* lock);
void HAL_deleteLock(HALLock* lock);

// The sleep length that HAL_waitLock uses for a timeout.
uint32_t HAL_waitLengthForTimeout(int64_t timeout);
