#include "hal/host/MessageQueue.h"

#include <chrono>

namespace host {

void MessageQueue::post(uint32_t message, uint64_t wParam, int64_t lParam) {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        messages_.push_back(HostMessage{message, wParam, lParam});
        changed_.notify_all();
    }
    if (wakeHook_) wakeHook_();
}

bool MessageQueue::take(HostMessage* out) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (messages_.empty()) return false;
    *out = messages_.front();
    messages_.pop_front();
    return true;
}

bool MessageQueue::takeFirst(uint32_t message, HostMessage* out) {
    std::lock_guard<std::mutex> guard(mutex_);
    for (auto it = messages_.begin(); it != messages_.end(); ++it) {
        if (it->message != message) continue;
        *out = *it;
        messages_.erase(it);
        return true;
    }
    return false;
}

bool MessageQueue::wait(int milliseconds) {
    std::unique_lock<std::mutex> guard(mutex_);
    auto ready = [&] { return !messages_.empty() || woken_; };
    if (milliseconds < 0) changed_.wait(guard, ready);
    else changed_.wait_for(guard, std::chrono::milliseconds(milliseconds), ready);
    woken_ = false;
    return !messages_.empty();
}

void MessageQueue::wake() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        woken_ = true;
        changed_.notify_all();
    }
    if (wakeHook_) wakeHook_();
}

bool MessageQueue::takeWake() {
    std::lock_guard<std::mutex> guard(mutex_);
    const bool woken = woken_;
    woken_ = false;
    return woken;
}

bool MessageQueue::empty() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return messages_.empty();
}

void MessageQueue::clear() {
    std::lock_guard<std::mutex> guard(mutex_);
    messages_.clear();
    woken_ = false;
}

}  // namespace host
