#pragma once

// What the input tests share: a callback table whose dispatch slot records every event
// with its payload words, and a tick count the test sets.

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

#include "hal/base/SystemClock.h"
#include "hal/base/VMCallbacks.h"

struct RecordedEvent {
    int type;
    std::vector<intptr_t> words;
    bool operator==(const RecordedEvent&) const = default;
};

inline std::vector<RecordedEvent> recordedEvents;
inline std::atomic<uint32_t> testTicks{0};

struct InputTestSupport {
    InputTestSupport() {
        recordedEvents.clear();
        VMCallbacks table{};
        table.dispatchEvent = [](int type, int a, void* b) {
            const auto* words = static_cast<const intptr_t*>(b);
            recordedEvents.push_back({type, std::vector<intptr_t>(words, words + a)});
            return 0;
        };
        HAL_setVMCallbacks(&table);
        HAL_setTickCountSource([] { return testTicks.load(); });
        testTicks = 1000;
    }
    ~InputTestSupport() {
        HAL_setTickCountSource(nullptr);
        HAL_setVMCallbacks(nullptr);
    }
    // The events recorded since the last call.
    std::vector<RecordedEvent> take() { return std::exchange(recordedEvents, {}); }
};

inline RecordedEvent key(int type, int32_t code) { return {type, {code}}; }
inline RecordedEvent point(int type, int32_t x, int32_t y) { return {type, {x, y}}; }
