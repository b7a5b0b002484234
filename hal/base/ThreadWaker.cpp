#include "hal/base/ThreadWaker.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

namespace {

// Sleeps while the word still reads `expected`, at most `timeout` (null: no limit). Any
// return, early or spurious, is followed by a fresh look at the word.
void futexWait(std::atomic<uint32_t>* word, uint32_t expected, const timespec* timeout) {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAIT_PRIVATE, expected, timeout, nullptr, 0);
}

// A wake-up for a word whose thread may already have gone on (and freed it) is harmless:
// the kernel finds no sleeper there, or wakes one that looks again at its own word.
void futexWakeAll(std::atomic<uint32_t>* word) {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAKE_PRIVATE, INT32_MAX, nullptr, nullptr, 0);
}

timespec toTimespec(std::chrono::nanoseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

}  // namespace

void ThreadWaker::arm() { armed_.store(1, std::memory_order_seq_cst); }

void ThreadWaker::wake() {
    if (armed_.exchange(0, std::memory_order_acq_rel) != 0) futexWakeAll(&armed_);
}

bool ThreadWaker::isArmed() const { return armed_.load(std::memory_order_acquire) != 0; }

bool ThreadWaker::sleep(uint32_t milliseconds) {
    using Clock = std::chrono::steady_clock;
    const bool limited = milliseconds != kNoLimit;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limited ? milliseconds : 0);
    while (armed_.load(std::memory_order_acquire) != 0) {
        if (!limited) {
            futexWait(&armed_, 1, nullptr);
            continue;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) break;
        const timespec timeout = toTimespec(left);
        futexWait(&armed_, 1, &timeout);
    }
    // Woken exactly when another thread cleared the flag; a timeout clears it here.
    return armed_.exchange(0, std::memory_order_acq_rel) == 0;
}
