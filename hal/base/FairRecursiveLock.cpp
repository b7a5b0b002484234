#include "hal/base/FairRecursiveLock.h"

#include "hal/base/FatalError.h"

void FairRecursiveLock::acquire(unsigned depth) {
    const uintptr_t self = currentThread();
    std::unique_lock<std::mutex> guard(mutex_);
    if (Waiter* previousOwner = handOverTo_) {
        handOverTo_ = nullptr;
        state_.store(self | kQueued, std::memory_order_release);
        append(previousOwner);
        depth_ = depth;
        return;
    }
    uintptr_t state = state_.load(std::memory_order_relaxed);
    for (;;) {
        if (state == 0) {
            if (state_.compare_exchange_weak(state, self, std::memory_order_acquire, std::memory_order_relaxed)) {
                depth_ = depth;
                return;
            }
        } else if (state_.compare_exchange_weak(state, state | kQueued, std::memory_order_acquire,
                                                std::memory_order_relaxed)) {
            break;  // the owner's release now finds the bit and hands the lock over under mutex_
        }
    }
    Waiter me{self};
    append(&me);
    waitForTurn(guard, me);
    depth_ = depth;
}

void FairRecursiveLock::releaseToQueued() {
    std::lock_guard<std::mutex> guard(mutex_);
    grantToFirst(false);
}

void FairRecursiveLock::leftWithoutHolding() { HAL_fatalError("A lock was left by a thread that does not hold it."); }

void FairRecursiveLock::append(Waiter* waiter) {
    if (tail_) tail_->next = waiter;
    else head_ = waiter;
    tail_ = waiter;
}

void FairRecursiveLock::grantToFirst(bool stillQueued) {
    Waiter* first = head_;
    if (first == nullptr) HAL_fatalError("A lock marked as waited for has an empty queue.");
    head_ = first->next;
    if (head_ == nullptr) tail_ = nullptr;
    const bool queued = stillQueued || head_ != nullptr;
    state_.store(first->thread | (queued ? kQueued : 0), std::memory_order_release);
    first->granted = true;
    // Under mutex_: the waiter cannot see `granted` and leave its frame before this call
    // is done with its condition variable.
    first->turn.notify_one();
}

void FairRecursiveLock::waitForTurn(std::unique_lock<std::mutex>& guard, Waiter& self) {
    self.turn.wait(guard, [&] { return self.granted; });
}

unsigned FairRecursiveLock::releaseAll() {
    if (owner() != currentThread()) return 0;
    const unsigned depth = depth_;
    depth_ = 0;
    release();
    return depth;
}

void FairRecursiveLock::restore(unsigned depth) {
    if (depth == 0) return;
    uintptr_t expected = 0;
    if (state_.compare_exchange_strong(expected, currentThread(), std::memory_order_acquire,
                                       std::memory_order_relaxed)) {
        depth_ = depth;
        return;
    }
    acquire(depth);
}

bool FairRecursiveLock::yield() {
    const uintptr_t self = currentThread();
    const uintptr_t state = state_.load(std::memory_order_acquire);
    if ((state & ~kQueued) != self) return false;
    if ((state & kQueued) == 0) return true;  // nobody is queued
    std::unique_lock<std::mutex> guard(mutex_);
    requeue(guard, self);
    return true;
}

void FairRecursiveLock::requeue(std::unique_lock<std::mutex>& guard, uintptr_t self) {
    const unsigned depth = depth_;
    grantToFirst(true);
    Waiter me{self};
    append(&me);
    waitForTurn(guard, me);
    depth_ = depth;
}

bool FairRecursiveLock::yieldToNextArrival(std::chrono::microseconds limit) {
    const uintptr_t self = currentThread();
    if (owner() != self) return false;
    std::unique_lock<std::mutex> guard(mutex_);
    if (head_ != nullptr) {
        requeue(guard, self);
        return true;
    }
    const unsigned depth = depth_;
    Waiter me{self};
    handOverTo_ = &me;
    // The queued bit sends every newcomer through the mutex, where it finds handOverTo_.
    state_.store(self | kQueued, std::memory_order_release);
    if (!me.turn.wait_for(guard, limit, [&] { return me.granted || handOverTo_ != &me; })) {
        // Nobody came: the lock is still this thread's.
        handOverTo_ = nullptr;
        state_.store(self, std::memory_order_release);
    } else {
        waitForTurn(guard, me);
    }
    depth_ = depth;
    return true;
}

bool FairRecursiveLock::isHeldByCurrentThread() const { return owner() == currentThread(); }

unsigned FairRecursiveLock::depthOfCurrentThread() const { return owner() == currentThread() ? depth_ : 0; }

unsigned FairRecursiveLock::waitingThreads() const {
    std::lock_guard<std::mutex> guard(mutex_);
    unsigned count = 0;
    for (const Waiter* waiter = head_; waiter != nullptr; waiter = waiter->next) ++count;
    return count;
}
