#pragma once

// The main window's message queue. Any thread may post; the UI thread reads, with or
// without waiting. A waiting reader wakes for a post from any thread and for host input
// (the backend's wake-up hook turns host input into posts).

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "hal/host/HostMessages.h"

namespace host {

class MessageQueue {
public:
    void post(uint32_t message, uint64_t wParam = 0, int64_t lParam = 0);
    // Takes the next message; false when none is queued.
    bool take(HostMessage* out);
    // Takes the first queued message of the given kind, leaving the others in order.
    bool takeFirst(uint32_t message, HostMessage* out);
    // Waits up to `milliseconds` (negative: without limit) for a message or a wake-up;
    // true when a message is queued.
    bool wait(int milliseconds);
    // Ends a wait without a message (a frame became ready, say).
    void wake();
    // True when a wake-up came since the last wait or take of it; clears it. A backend that
    // waits on host events checks it, since its own wake-up event may already be consumed.
    bool takeWake();
    bool empty() const;
    void clear();
    // Called after every post and wake, on the posting thread (the SDL backend uses it to
    // end the UI thread's wait for host input).
    void setWakeHook(std::function<void()> hook) { wakeHook_ = std::move(hook); }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<HostMessage> messages_;
    bool woken_ = false;
    std::function<void()> wakeHook_;
};

}  // namespace host
