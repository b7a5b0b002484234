#include "hal/base/FairRecursiveLock.h"

#include "hal/base/FatalError.h"

void FairRecursiveLock::enter() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (owner_ == std::this_thread::get_id()) {
            ++depth_;
            return;
        }
    }
    acquire(1);
}

void FairRecursiveLock::acquire(unsigned depth) {
    std::unique_lock<std::mutex> guard(mutex_);
    const uint64_t ticket = nextTicket_++;
    turn_.wait(guard, [&] { return nowServing_ == ticket; });
    owner_ = std::this_thread::get_id();
    depth_ = depth;
}

void FairRecursiveLock::leave() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (owner_ != std::this_thread::get_id() || depth_ == 0)
        HAL_fatalError("A lock was left by a thread that does not hold it.");
    if (--depth_ > 0) return;
    owner_ = std::thread::id();
    ++nowServing_;
    turn_.notify_all();  // under the mutex: a lock being deleted by the next owner is not touched after
}

unsigned FairRecursiveLock::releaseAll() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (owner_ != std::this_thread::get_id()) return 0;
    const unsigned depth = depth_;
    depth_ = 0;
    owner_ = std::thread::id();
    ++nowServing_;
    turn_.notify_all();
    return depth;
}

void FairRecursiveLock::restore(unsigned depth) {
    if (depth > 0) acquire(depth);
}

bool FairRecursiveLock::yield() {
    std::unique_lock<std::mutex> guard(mutex_);
    const auto self = std::this_thread::get_id();
    if (owner_ != self) return false;
    if (nextTicket_ - nowServing_ == 1) return true;  // nobody is queued
    const unsigned depth = depth_;
    owner_ = std::thread::id();
    depth_ = 0;
    ++nowServing_;
    const uint64_t ticket = nextTicket_++;
    turn_.notify_all();
    turn_.wait(guard, [&] { return nowServing_ == ticket; });
    owner_ = self;
    depth_ = depth;
    return true;
}

bool FairRecursiveLock::isHeldByCurrentThread() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return owner_ == std::this_thread::get_id();
}

unsigned FairRecursiveLock::depthOfCurrentThread() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return owner_ == std::this_thread::get_id() ? depth_ : 0;
}

unsigned FairRecursiveLock::waitingThreads() const {
    std::lock_guard<std::mutex> guard(mutex_);
    const uint64_t queued = nextTicket_ - nowServing_;
    return static_cast<unsigned>(owner_ == std::thread::id() ? queued : queued - 1);
}
