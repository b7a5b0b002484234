// Figures for the VM lock and the HAL monitors:
// - uncontended enter and leave of the VM lock, and of a free HAL monitor section taken
//   without leaving the VM lock (ns per pair);
// - hand-off latency: thread A yields the VM lock to a waiting thread B; the time from A's
//   yield to B running (p50, p99);
// - the split of turns between two threads that yield in a loop;
// - notify-to-wake latency: from HAL_notifyLock to the waiter running again.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "hal/base/FairRecursiveLock.h"
#include "hal/base/HALLock.h"
#include "hal/base/HALThread.h"
#include "hal/base/VMLock.h"

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[size_t(fraction * double(samples.size() - 1))];
}

void report(const char* name, const std::vector<double>& microseconds) {
    std::printf("%-28s p50 %8.2f us   p99 %8.2f us   (%zu samples)\n", name,
                percentile(microseconds, 0.5), percentile(microseconds, 0.99), microseconds.size());
}

template <typename Body> double nanosecondsPerCall(int calls, Body body) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) body();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / calls;
}

void uncontended() {
    constexpr int kCalls = 5000000;
    const double vmLock = nanosecondsPerCall(kCalls, [] {
        HAL_enterVMLock();
        HAL_leaveVMLock();
    });
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    HAL_enterVMLock();
    const double section = nanosecondsPerCall(kCalls, [lock] {
        if (!lock->tryEnter()) HAL_enterLock(lock);
        HAL_leaveLock(lock);
    });
    HAL_leaveVMLock();
    HAL_deleteLock(lock);
    std::printf("%-28s %8.2f ns per enter and leave\n", "VM lock, uncontended", vmLock);
    std::printf("%-28s %8.2f ns per enter and leave\n", "monitor section, free", section);
}

void handOffLatency() {
    constexpr int kRounds = 20000;
    std::vector<double> samples;
    samples.reserve(kRounds);
    Clock::time_point yieldedAt;
    std::atomic<int> turn{0};
    // Both threads alternate; each measures from the other's yield to its own entry.
    auto body = [&](int id) {
        HAL_enterVMLock();
        while (turn.load() < kRounds * 2) {
            if (turn.load() % 2 == id) {
                if (turn.load() > 0) {
                    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - yieldedAt).count());
                }
                ++turn;
                yieldedAt = Clock::now();
            }
            HAL_yieldVMLock();
        }
        HAL_leaveVMLock();
    };
    std::thread a(body, 0), b(body, 1);
    a.join();
    b.join();
    report("VM lock hand-off", samples);
}

void turnSplit() {
    constexpr int kSeconds = 1;
    std::atomic<bool> stop{false};
    long turns[2] = {0, 0};
    long switches = 0;
    int last = -1;
    auto body = [&](int id) {
        HAL_enterVMLock();
        while (!stop) {
            ++turns[id];
            switches += last != id;
            last = id;
            HAL_yieldVMLock();
        }
        HAL_leaveVMLock();
    };
    std::thread a(body, 0), b(body, 1);
    std::this_thread::sleep_for(std::chrono::seconds(kSeconds));
    stop = true;
    a.join();
    b.join();
    const double total = double(turns[0] + turns[1]);
    std::printf("%-28s %ld / %ld turns (%.1f%% / %.1f%%), %ld switches, %.0f yields/s\n",
                "two yielding threads", turns[0], turns[1], 100.0 * turns[0] / total,
                100.0 * turns[1] / total, switches, total / kSeconds);
}

void notifyToWake() {
    constexpr int kRounds = 5000;
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    std::vector<double> samples;
    std::atomic<bool> waiting{false};
    std::atomic<bool> done{false};
    Clock::time_point notifiedAt;
    std::thread waiter([&] {
        HALThread* record = nullptr;
        HAL_createMainThreadRecord(&record);
        HAL_enterVMLock();
        for (int i = 0; i < kRounds; ++i) {
            HAL_enterLock(lock);
            waiting = true;
            HAL_waitLock(lock, 0);
            samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - notifiedAt).count());
            HAL_leaveLock(lock);
        }
        done = true;
        HAL_leaveVMLock();
        HAL_deleteMainThreadRecord(record);
    });
    while (!done) {
        if (!waiting || lock->waiterCount() == 0) {
            std::this_thread::yield();
            continue;
        }
        waiting = false;
        HAL_enterVMLock();
        notifiedAt = Clock::now();
        HAL_notifyLock(lock);
        HAL_leaveVMLock();
    }
    waiter.join();
    HAL_deleteLock(lock);
    report("notify to wake", samples);
}

}  // namespace

int main() {
    uncontended();
    handOffLatency();
    turnSplit();
    notifyToWake();
    return 0;
}
