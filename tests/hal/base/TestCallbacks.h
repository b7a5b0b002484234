#pragma once

#include <atomic>
#include <thread>

#include "hal/base/VMCallbacks.h"
#include "tests/support/WaitLimit.h"

// Installs a callback table whose make-current and collect slots count their calls.
struct CountingCallbacks {
    static inline std::atomic<int> makeCurrentCalls{0};
    static inline std::atomic<int> collectCalls{0};

    CountingCallbacks() {
        makeCurrentCalls = 0;
        collectCalls = 0;
        VMCallbacks table{};
        table.makeCurrent = [] { ++makeCurrentCalls; };
        table.collect = [] { ++collectCalls; };
        HAL_setVMCallbacks(&table);
    }
    ~CountingCallbacks() { HAL_setVMCallbacks(nullptr); }
};

// Spins (yielding the CPU) until the condition holds; false once the wait's limit is reached.
template <typename Condition> bool eventually(Condition condition) {
    for (const WaitLimit limit; !limit.reached();) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}
