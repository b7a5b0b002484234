#pragma once

// kv::input::PointerInputEventManager: the pointer events between the UI thread, which
// queues them, and the game-loop thread, which takes one at a time (both hold the VM lock).
// A ring of 20: when it is full the newest event is dropped, so the oldest are delivered in
// their order. While input is suspended (the canvas is hidden) new events are dropped and
// none is handed out. Positions are queued in game-area coordinates; the event handed out
// also has the pointer offset subtracted.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace kv::input {

class PointerInputEventManager : public virtual ::java::lang::Object {
    VM_CLASS(PointerInputEventManager, ::java::lang::Object)

    static constexpr int32_t kCapacity = 20;
    static constexpr int8_t PRESSED = 1, DRAGGED = 2, RELEASED = 3;

    // False (and the event dropped) when the ring is full or input is suspended.
    static bool addEvent(int8_t type, int32_t x, int32_t y);
    // Takes the oldest event as the current one; false, leaving the current event, when
    // none is queued or input is suspended.
    static bool nextEvent();
    static int8_t getStaticFlag() { return currentType; }
    static int32_t getStaticIntA() { return currentX; }
    static int32_t getStaticIntB() { return currentY; }
    static void setPointerOffset(int32_t x, int32_t y);
    static void setSuspended(bool suspended);
    static bool isSuspended() { return suspendedFlag; }
    static int32_t pendingCount() { return count; }
    static void clear();

private:
    struct Event {
        int8_t type;
        int32_t x, y;
    };
    static Event ring[kCapacity];
    static int32_t head, count;
    static int8_t currentType;
    static int32_t currentX, currentY, offsetX, offsetY;
    static bool suspendedFlag;
};

}  // namespace kv::input
