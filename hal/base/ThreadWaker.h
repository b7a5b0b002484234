#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// The sleeping flag of one thread with the condition variable it sleeps on. The thread
// arms the flag before it releases its locks; any thread may clear it (notify, interrupt),
// which ends the sleep at once. Clearing it before the sleep begins ends that sleep
// immediately, so a wake-up sent between arming and sleeping is never lost.
class ThreadWaker {
public:
    static constexpr uint32_t kNoLimit = 0xFFFFFFFF;

    void arm();
    void wake();
    bool isArmed() const;
    // Sleeps until woken or until the time has passed (kNoLimit: no time limit), then
    // disarms. Returns true when the sleep was ended by a wake-up.
    bool sleep(uint32_t milliseconds);

private:
    mutable std::mutex mutex_;
    std::condition_variable woken_;
    bool armed_ = false;
};
