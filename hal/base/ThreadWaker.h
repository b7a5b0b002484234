#pragma once

#include <atomic>
#include <cstdint>

// The sleeping flag of one thread, a word the thread sleeps on (a Linux futex). The thread
// arms the flag before it releases its locks; any thread may clear it (notify, interrupt),
// which ends the sleep at once. Clearing it before the sleep begins ends that sleep
// immediately, so a wake-up sent between arming and sleeping is never lost. Waking takes
// no lock, so the woken thread never wakes only to wait for a mutex the waker still holds.
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
    std::atomic<uint32_t> armed_{0};
};
