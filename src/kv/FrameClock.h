#pragma once

// The clock the game loop paces itself by: the platform's milliseconds and a sleep that
// releases the VM lock while it waits. One clock serves the whole process; tests install a
// fake one to run the loop on made-up time.

#include <cstdint>

namespace java::lang {
class Object;
}

namespace kv {

class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual int64_t now();
    // Sleeps (0 only lets waiting threads in) and takes the VM lock back.
    virtual void sleep(int32_t milliseconds);
    // Sleeps like sleep unless `done` is set, and wakes as soon as another thread sets it
    // and notifies `signal` while holding signal's monitor. `done` is read under that
    // monitor, so a notify cannot fall between the check and the wait.
    virtual void sleepUntilSet(int32_t milliseconds, const bool& done, java::lang::Object* signal);

    static FrameClock& current();
    // Null restores the system clock; the caller keeps ownership.
    static void install(FrameClock* clock);
};

}  // namespace kv
