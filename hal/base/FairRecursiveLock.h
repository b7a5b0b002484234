#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// A recursive lock that is granted strictly in arrival order (a ticket lock).
//
// Guarantees:
// - the owner may enter again any number of times; it is free when every level is left;
// - when the lock becomes free it goes to the thread that has waited longest, so a thread
//   that leaves and enters again at once queues behind every thread already waiting
//   (yielding really hands the lock over instead of taking it straight back);
// - `releaseAll` and `restore` let a blocking call leave every level and come back to the
//   same depth.
class FairRecursiveLock {
public:
    FairRecursiveLock() = default;
    FairRecursiveLock(const FairRecursiveLock&) = delete;
    FairRecursiveLock& operator=(const FairRecursiveLock&) = delete;

    void enter();
    // Leaves one level. Leaving a lock the caller does not hold is a fatal error.
    void leave();
    // Leaves every level the caller holds and returns how many there were (0 when the
    // caller does not hold the lock).
    unsigned releaseAll();
    // Takes the lock again at the given depth (nothing for 0).
    void restore(unsigned depth);
    // Lets every thread already queued have the lock first, then takes it back at the same
    // depth. Leaving and queueing again happen in one step, so a busy thread cannot slip
    // in between and starve the yielding one. False when the caller does not hold the lock.
    bool yield();

    bool isHeldByCurrentThread() const;
    unsigned depthOfCurrentThread() const;
    // Number of threads queued for the lock, not counting the owner.
    unsigned waitingThreads() const;

private:
    void acquire(unsigned depth);

    mutable std::mutex mutex_;
    std::condition_variable turn_;
    std::thread::id owner_;
    unsigned depth_ = 0;
    uint64_t nextTicket_ = 0;
    uint64_t nowServing_ = 0;
};
