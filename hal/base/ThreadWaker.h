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

    // Arms the flag; the value returned names this arming for wakeArming.
    uint32_t arm();
    void wake();
    // Wakes the thread only if the flag is still armed by the arming named (a late wake-up
    // meant for an earlier sleep leaves a later one alone).
    void wakeArming(uint32_t arming);
    bool isArmed() const;
    // Sleeps until woken or until the time has passed (kNoLimit: no time limit), then
    // disarms. Returns true when the sleep was ended by a wake-up.
    bool sleep(uint32_t milliseconds);

private:
    // Odd while armed; every arming and every disarming moves it on.
    std::atomic<uint32_t> word_{0};
};
