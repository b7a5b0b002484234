#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// A recursive lock with a cheap uncontended path and a first-in first-out queue for the
// threads that have to wait.
//
// Guarantees:
// - the owner may enter again any number of times; it is free when every level is left;
// - entering a free lock nobody waits for, and leaving a lock nobody waits for, is one
//   atomic operation each: no mutex, no system call;
// - when the owner lets go while threads are queued, the lock goes straight to the thread
//   that has waited longest (it is never free in between, so no newcomer can overtake a
//   queued thread and none starves);
// - a release that finds nobody queued touches nothing after the lock is free, so the
//   next owner may delete the lock at once;
// - `yield` hands the lock to the longest-waiting thread and queues the yielding thread
//   behind every thread already waiting, so it cannot take the lock straight back;
// - `releaseAll` and `restore` let a blocking call leave every level and come back to the
//   same depth; a thread that blocks lets the queued threads in before it gets it back.
class FairRecursiveLock {
public:
    FairRecursiveLock() = default;
    FairRecursiveLock(const FairRecursiveLock&) = delete;
    FairRecursiveLock& operator=(const FairRecursiveLock&) = delete;

    void enter();
    // Takes the lock only when that needs no waiting: true when the caller now holds it
    // (one more level when it held it already).
    bool tryEnter();
    // Leaves one level; true when that was the last (the lock is no longer the caller's).
    // Leaving a lock the caller does not hold is a fatal error.
    bool leave();
    // Leaves every level the caller holds and returns how many there were (0 when the
    // caller does not hold the lock).
    unsigned releaseAll();
    // Takes the lock again at the given depth (nothing for 0).
    void restore(unsigned depth);
    // Lets every thread already queued have the lock first, then takes it back at the same
    // depth. Leaving and queueing again happen in one step, so a busy thread cannot slip
    // in between and starve the yielding one. False when the caller does not hold the lock.
    bool yield();
    // Like yield, but when nobody is queued yet it waits up to `limit` for the next thread
    // that asks for the lock and lets that one have it first (for a thread that has just
    // handed another thread something that thread will need the lock to use).
    bool yieldToNextArrival(std::chrono::microseconds limit);

    bool isHeldByCurrentThread() const;
    unsigned depthOfCurrentThread() const;
    // Number of threads queued for the lock, not counting the owner.
    unsigned waitingThreads() const;
    // Whether any thread waits for the lock, read without the queue's mutex (a hint that
    // may be out of date as soon as it is read).
    bool hasWaiters() const { return (state_.load(std::memory_order_relaxed) & kQueued) != 0; }

private:
    // A queued thread, on its own stack; the releasing thread hands it the lock by making
    // it the owner before it wakes it.
    struct Waiter {
        explicit Waiter(uintptr_t thread) : thread(thread) {}
        uintptr_t thread;
        Waiter* next = nullptr;
        bool granted = false;
        std::condition_variable turn;
    };

    // The low bit of the state: at least one thread is queued.
    static constexpr uintptr_t kQueued = 1;

    // An even number that stands for the calling thread while it lives.
    static uintptr_t currentThread();
    uintptr_t owner() const { return state_.load(std::memory_order_acquire) & ~kQueued; }
    void acquire(unsigned depth);
    void release();
    // The part of release that hands the lock to a queued thread.
    void releaseToQueued();
    [[noreturn]] static void leftWithoutHolding();
    void append(Waiter* waiter);
    // Under mutex_: makes the first queued thread the owner and wakes it; `stillQueued`
    // says whether the state keeps its queued bit (more threads, or the caller, queue on).
    void grantToFirst(bool stillQueued);
    void waitForTurn(std::unique_lock<std::mutex>& guard, Waiter& self);
    // Under mutex_, by the owner: hands the lock to the first queued thread, queues the
    // caller behind every queued thread and waits for its turn.
    void requeue(std::unique_lock<std::mutex>& guard, uintptr_t self);

    // The owner's number with the queued bit; 0 exactly when the lock is free, which
    // implies that nobody is queued (a release with queued threads hands the lock over).
    std::atomic<uintptr_t> state_{0};
    unsigned depth_ = 0;  // read and written only by the owner
    mutable std::mutex mutex_;
    // Set while the owner waits in yieldToNextArrival: the next thread to ask takes the
    // lock at once and queues this waiter (the owner) behind itself. Under mutex_.
    Waiter* handOverTo_ = nullptr;
    Waiter* head_ = nullptr;  // the queue, under mutex_
    Waiter* tail_ = nullptr;
};

// The uncontended paths are inline: each is a compare-and-swap on the state.

inline uintptr_t FairRecursiveLock::currentThread() {
    // The address of a per-thread word: distinct for every living thread and even.
    thread_local uint64_t tag;
    return reinterpret_cast<uintptr_t>(&tag);
}

inline bool FairRecursiveLock::tryEnter() {
    const uintptr_t self = currentThread();
    if (owner() == self) {
        ++depth_;
        return true;
    }
    uintptr_t expected = 0;
    if (!state_.compare_exchange_strong(expected, self, std::memory_order_acquire, std::memory_order_relaxed))
        return false;
    depth_ = 1;
    return true;
}

inline void FairRecursiveLock::enter() {
    if (!tryEnter()) acquire(1);
}

inline void FairRecursiveLock::release() {
    uintptr_t expected = currentThread();
    if (!state_.compare_exchange_strong(expected, 0, std::memory_order_release, std::memory_order_relaxed))
        releaseToQueued();
}

inline bool FairRecursiveLock::leave() {
    if (owner() != currentThread() || depth_ == 0) leftWithoutHolding();
    if (--depth_ > 0) return false;
    release();
    return true;
}
