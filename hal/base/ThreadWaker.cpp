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

uint32_t ThreadWaker::arm() {
    // Only the owning thread arms, so nobody else moves an even word.
    const uint32_t word = word_.load(std::memory_order_relaxed);
    if (word & 1) return word;
    word_.store(word + 1, std::memory_order_seq_cst);
    return word + 1;
}

void ThreadWaker::wake() {
    uint32_t word = word_.load(std::memory_order_acquire);
    while (word & 1) {
        if (word_.compare_exchange_weak(word, word + 1, std::memory_order_acq_rel, std::memory_order_acquire)) {
            futexWakeAll(&word_);
            return;
        }
    }
}

void ThreadWaker::wakeArming(uint32_t arming) {
    uint32_t expected = arming;
    if (word_.compare_exchange_strong(expected, arming + 1, std::memory_order_acq_rel, std::memory_order_relaxed))
        futexWakeAll(&word_);
}

bool ThreadWaker::isArmed() const { return (word_.load(std::memory_order_acquire) & 1) != 0; }

bool ThreadWaker::sleep(uint32_t milliseconds) {
    using Clock = std::chrono::steady_clock;
    const uint32_t armed = word_.load(std::memory_order_acquire);
    if ((armed & 1) == 0) return true;  // woken before the sleep began
    const bool limited = milliseconds != kNoLimit;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limited ? milliseconds : 0);
    while (word_.load(std::memory_order_acquire) == armed) {
        if (!limited) {
            futexWait(&word_, armed, nullptr);
            continue;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) break;
        const timespec timeout = toTimespec(left);
        futexWait(&word_, armed, &timeout);
    }
    // Woken exactly when another thread moved the word on; a timeout disarms it here.
    uint32_t expected = armed;
    return !word_.compare_exchange_strong(expected, armed + 1, std::memory_order_acq_rel, std::memory_order_acquire);
}
