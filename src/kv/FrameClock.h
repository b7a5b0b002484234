#pragma once

// The clock the game loop paces itself by: the platform's milliseconds and a sleep that
// releases the VM lock while it waits. One clock serves the whole process; tests install a
// fake one to run the loop on made-up time.

#include <cstdint>

namespace kv {

class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual int64_t now();
    // Sleeps (0 only lets waiting threads in) and takes the VM lock back.
    virtual void sleep(int32_t milliseconds);

    static FrameClock& current();
    // Null restores the system clock; the caller keeps ownership.
    static void install(FrameClock* clock);
};

}  // namespace kv
