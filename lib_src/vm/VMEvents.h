#pragma once

// Events from the platform to the runtime: (type, a, b) triples delivered at once, on the
// posting thread, under the VM lock, to the listeners registered for the type. There is no
// queue between the platform and the runtime. Listeners live in three lists walked in the
// order 0, 1, 2, each in registration order. In an event, a is the number of 32-bit words
// that b points at; b is valid only during the dispatch.
//
// Also here: the queue of calls that the UI thread runs serially after its current
// dispatch (HAL_callSerially).

#include <cstdint>

namespace java::lang {
class Object;
}

enum HALEventType : int {
    kEventPause = 1,
    kEventResume = 2,
    kEventExit = 3,
    kEventTimeZoneChanged = 4,
    kEventDisplayChanged = 5,
    kEventSizeChanged = 6,
    kEventKeyPressed = 8,
    kEventKeyReleased = 9,
    kEventKeyRepeated = 10,
    kEventPointerPressed = 11,
    kEventPointerReleased = 12,
    kEventPointerDragged = 13,
};

using HALEventListener = int (*)(int type, int a, void* b);

// Creates the three listener lists once (a second call keeps the first).
void HAL_createEventListeners();
// Registers a listener for the types whose bits are set in mask, in list 0, 2, or 1 for
// any other kind. Returns the listener record, or null when no registry exists.
void* HAL_addEventListener(HALEventListener listener, uint32_t mask, int kind);
// Calls every matching listener: types 0 to 31 match their bit, larger types nothing. A
// managed exception from a listener is reported (printStackTrace) and ends the walk; the
// result is then 2, else 0 (also 0 without a registry).
int HAL_dispatchEvent(int type, int a, void* b);
void HAL_deleteEventListeners();

// Delivers an event through the runtime's dispatch callback; with takeLock the VM lock is
// taken around it (callers already under the lock pass 0). Nothing once the application
// has begun to exit.
void HAL_postEvent(int type, int a, void* b, int takeLock);
// Set by the shell when the exit sequence begins.
void HAL_setExiting(bool exiting);
bool HAL_isExiting();

// Queues runEntry(runnable) for the UI thread, which runs it under the VM lock after its
// current dispatch. The runnable stays reachable while it waits. Returns 0.
using HALSerialEntry = void (*)(java::lang::Object* runnable);
int HAL_callSerially(HALSerialEntry runEntry, java::lang::Object* runnable);
// Runs the queued calls (the UI thread, holding the VM lock); returns how many ran.
int HAL_runSerialCalls();
// Called after every queued call (the shell posts a message that wakes the UI thread).
void HAL_setSerialCallNotifier(void (*notify)());
