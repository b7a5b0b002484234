#pragma once

#include <cstdint>

struct HALThread;

// Results of slot 0 (starting the runtime).
constexpr int CALLBACK_OK = 0;
constexpr int CALLBACK_INITIALIZATION_FAILED = 1;  // no boot class name was given
constexpr int CALLBACK_UNCAUGHT_EXCEPTION = 2;     // an exception escaped, a missing boot class included

// The table through which the platform layer calls into the runtime. The platform never
// calls the runtime by name; it reaches it only through these six entries.
struct VMCallbacks {
    // Slot 0: create and start the runtime; one of the CALLBACK_ results above.
    int (*initVM)(uint64_t heapFirstLimit, uint64_t heapCeiling, HALThread* thread,
                  const char* bootClassName, int reserved);
    // Slot 1: deliver an event (type, number of 32-bit words at b, b).
    int (*dispatchEvent)(int type, int a, void* b);
    // Slot 2: let another runtime thread run.
    void (*yield)();
    // Slot 3: make the calling thread the runtime's current thread. Called after every
    // re-entry of the VM lock by platform code.
    void (*makeCurrent)();
    // Slot 4: run one collection cycle.
    void (*collect)();
    // Slot 5: stop the runtime's threads and destroy it.
    void (*destroyVM)();
};

// Copies the given table (null keeps the defaults); every null entry gets its default:
// slots 0 and 1 return 0, slots 2 to 5 do nothing.
void HAL_setVMCallbacks(const VMCallbacks* table);

// The installed table (the defaults until one is installed).
const VMCallbacks& HAL_vmCallbacks();

// Runs one collection cycle of the runtime at once (the table's collect entry).
void HAL_callbackCollect();
