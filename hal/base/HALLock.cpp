#include "hal/base/HALLock.h"

#include "hal/base/HALResult.h"
#include "hal/base/HALThread.h"
#include "hal/base/ThreadWaker.h"
#include "hal/base/VMLock.h"

HALLock::HALLock(bool entered) {
    if (entered) section_.enter();
}

HALLock::~HALLock() {
    // Waiter entries live on their waiters' stacks; dropping the lists frees nothing.
    std::lock_guard<std::mutex> guard(queueMutex_);
    waiting_ = WaiterList();
    notified_ = WaiterList();
}

void HALLock::enter() {
    const unsigned vmDepth = HAL_releaseVMLock();
    section_.enter();
    HAL_restoreVMLock(vmDepth);
}

void HALLock::wait(uint32_t milliseconds) {
    ThreadWaker& waker = HAL_currentThreadWaker();
    Waiter self{&waker, waker.arm()};
    append(&self);

    // The threads this one notified are woken only once both locks are free, so that they
    // find them free. (The lock outlives the wait: this thread uses it again afterwards.)
    const unsigned sectionDepth = section_.releaseAll();
    const unsigned vmDepth = HAL_releaseVMLock();
    wakeNotified();
    const bool woken = waker.sleep(milliseconds);
    section_.restore(sectionDepth);
    // Woken by a notify: the entry is off every list already and the notifier is done
    // with it. After a timeout a notify may be under way, so the entry is withdrawn under
    // the mutex.
    if (!woken || self.listed.load(std::memory_order_acquire)) withdraw(&self);
    HAL_restoreVMLock(vmDepth);
}

void HALLock::notify() {
    std::lock_guard<std::mutex> guard(queueMutex_);
    if (Waiter* first = waiting_.takeFirst()) release(first);
}

void HALLock::notifyAll() {
    std::lock_guard<std::mutex> guard(queueMutex_);
    while (Waiter* waiter = waiting_.takeFirst()) release(waiter);
}

void HALLock::release(Waiter* waiter) {
    if (!section_.isHeldByCurrentThread()) {
        wake(waiter);
        return;
    }
    notified_.append(waiter);
    anyNotified_.store(true, std::memory_order_relaxed);
}

void HALLock::wakeNotified() {
    // Only the section's holder fills the list, so the flag it reads is its own.
    if (!anyNotified_.load(std::memory_order_relaxed)) return;
    constexpr size_t kBatch = 8;
    struct Pending {
        ThreadWaker* waker;
        uint32_t arming;
    };
    for (;;) {
        Pending batch[kBatch];
        size_t count = 0;
        {
            std::lock_guard<std::mutex> guard(queueMutex_);
            for (Waiter* waiter; count < kBatch && (waiter = notified_.takeFirst()) != nullptr;) {
                batch[count++] = {waiter->waker, waiter->arming};
                waiter->listed.store(false, std::memory_order_release);
            }
            if (notified_.head == nullptr) anyNotified_.store(false, std::memory_order_relaxed);
        }
        // A waiter whose wait timed out meanwhile has moved its waker on: its wake-up is void.
        for (size_t i = 0; i < count; ++i) batch[i].waker->wakeArming(batch[i].arming);
        if (count < kBatch) return;
    }
}

void HALLock::wake(Waiter* waiter) {
    waiter->listed.store(false, std::memory_order_release);
    waiter->waker->wakeArming(waiter->arming);
}

size_t HALLock::waiterCount() const {
    std::lock_guard<std::mutex> guard(queueMutex_);
    size_t count = 0;
    for (Waiter* waiter = waiting_.head; waiter != nullptr; waiter = waiter->next) ++count;
    return count;
}

void HALLock::append(Waiter* waiter) {
    std::lock_guard<std::mutex> guard(queueMutex_);
    waiting_.append(waiter);
}

void HALLock::withdraw(Waiter* waiter) {
    std::lock_guard<std::mutex> guard(queueMutex_);
    if (!waiting_.remove(waiter)) notified_.remove(waiter);
    waiter->listed.store(false, std::memory_order_relaxed);
}

void HALLock::WaiterList::append(Waiter* waiter) {
    waiter->next = nullptr;
    if (tail) tail->next = waiter;
    else head = waiter;
    tail = waiter;
}

HALLock::Waiter* HALLock::WaiterList::takeFirst() {
    Waiter* first = head;
    if (first == nullptr) return nullptr;
    head = first->next;
    if (head == nullptr) tail = nullptr;
    first->next = nullptr;
    return first;
}

bool HALLock::WaiterList::remove(Waiter* waiter) {
    Waiter* previous = nullptr;
    for (Waiter* current = head; current != nullptr; previous = current, current = current->next) {
        if (current != waiter) continue;
        (previous ? previous->next : head) = current->next;
        if (tail == current) tail = previous;
        current->next = nullptr;
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
