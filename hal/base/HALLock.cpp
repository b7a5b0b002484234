#include "hal/base/HALLock.h"

#include "hal/base/HALResult.h"
#include "hal/base/HALThread.h"
#include "hal/base/ThreadWaker.h"
#include "hal/base/VMLock.h"

HALLock::HALLock(bool entered) {
    if (entered) section_.enter();
}

HALLock::~HALLock() {
    // Waiter entries live on their waiters' stacks; dropping the queue frees nothing.
    std::lock_guard<std::mutex> guard(queueMutex_);
    head_ = tail_ = nullptr;
}

void HALLock::enter() {
    const unsigned vmDepth = HAL_releaseVMLock();
    section_.enter();
    HAL_restoreVMLock(vmDepth);
}

void HALLock::leave() { section_.leave(); }

void HALLock::wait(uint32_t milliseconds) {
    ThreadWaker& waker = HAL_currentThreadWaker();
    Waiter self{&waker, nullptr};
    waker.arm();
    append(&self);

    const unsigned sectionDepth = section_.releaseAll();
    const unsigned vmDepth = HAL_releaseVMLock();
    waker.sleep(milliseconds);
    section_.restore(sectionDepth);
    withdraw(&self);
    HAL_restoreVMLock(vmDepth);
}

void HALLock::notify() {
    std::lock_guard<std::mutex> guard(queueMutex_);
    Waiter* first = head_;
    if (first == nullptr) return;
    head_ = first->next;
    if (head_ == nullptr) tail_ = nullptr;
    first->next = nullptr;
    first->waker->wake();
}

void HALLock::notifyAll() {
    std::lock_guard<std::mutex> guard(queueMutex_);
    for (Waiter* waiter = head_; waiter != nullptr;) {
        Waiter* next = waiter->next;
        waiter->next = nullptr;
        waiter->waker->wake();
        waiter = next;
    }
    head_ = tail_ = nullptr;
}

size_t HALLock::waiterCount() const {
    std::lock_guard<std::mutex> guard(queueMutex_);
    size_t count = 0;
    for (Waiter* waiter = head_; waiter != nullptr; waiter = waiter->next) ++count;
    return count;
}

void HALLock::append(Waiter* waiter) {
    std::lock_guard<std::mutex> guard(queueMutex_);
    if (tail_) tail_->next = waiter;
    else head_ = waiter;
    tail_ = waiter;
}

bool HALLock::withdraw(Waiter* waiter) {
    std::lock_guard<std::mutex> guard(queueMutex_);
    Waiter* previous = nullptr;
    for (Waiter* current = head_; current != nullptr; previous = current, current = current->next) {
        if (current != waiter) continue;
        (previous ? previous->next : head_) = current->next;
        if (tail_ == current) tail_ = previous;
        return true;
    }
    return false;
}

int HAL_createLock(HALLock** out, int entered) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = new HALLock(entered != 0);
    return HAL_OK;
}

void HAL_enterLock(HALLock* lock) {
    if (lock) lock->enter();
}

void HAL_leaveLock(HALLock* lock) {
    if (lock) lock->leave();
}

uint32_t HAL_waitLengthForTimeout(int64_t timeout) {
    if (timeout <= 0) return ThreadWaker::kNoLimit;
    if (timeout >= int64_t{0xFFFFFFFF}) return 0xFFFFFFFE;
    return static_cast<uint32_t>(timeout);
}

void HAL_waitLock(HALLock* lock, int64_t timeout) {
    if (lock) lock->wait(HAL_waitLengthForTimeout(timeout));
}

void HAL_notifyLock(HALLock* lock) {
    if (lock) lock->notify();
}

void HAL_notifyAllLock(HALLock* lock) {
    if (lock) lock->notifyAll();
}

void HAL_deleteLock(HALLock* lock) { delete lock; }
