#include "hal/base/ThreadWaker.h"

#include <chrono>

void ThreadWaker::arm() {
    std::lock_guard<std::mutex> guard(mutex_);
    armed_ = true;
}

void ThreadWaker::wake() {
    // Notifies while holding the mutex: the sleeper cannot return, and its record cannot be
    // freed, before this call is done with the condition variable.
    std::lock_guard<std::mutex> guard(mutex_);
    armed_ = false;
    woken_.notify_all();
}

bool ThreadWaker::isArmed() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return armed_;
}

bool ThreadWaker::sleep(uint32_t milliseconds) {
    std::unique_lock<std::mutex> guard(mutex_);
    bool wasWoken;
    if (milliseconds == kNoLimit) {
        woken_.wait(guard, [&] { return !armed_; });
        wasWoken = true;
    } else {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        wasWoken = woken_.wait_until(guard, deadline, [&] { return !armed_; });
    }
    armed_ = false;
    return wasWoken;
}
