#include "src/kv/input/kv_input_PointerInputEventManager.h"

namespace kv::input {

VM_DEFINE_CLASS_WITHOUT_FACTORY(PointerInputEventManager, "kv.input.PointerInputEventManager", "java.lang.Object",
                                VM_NO_CLINIT)

PointerInputEventManager::Event PointerInputEventManager::ring[kCapacity];
int32_t PointerInputEventManager::head = 0;
int32_t PointerInputEventManager::count = 0;
int8_t PointerInputEventManager::currentType = 0;
int32_t PointerInputEventManager::currentX = 0;
int32_t PointerInputEventManager::currentY = 0;
int32_t PointerInputEventManager::offsetX = 0;
int32_t PointerInputEventManager::offsetY = 0;
bool PointerInputEventManager::suspendedFlag = false;

bool PointerInputEventManager::addEvent(int8_t type, int32_t x, int32_t y) {
    if (suspendedFlag || count == kCapacity) return false;
    ring[(head + count) % kCapacity] = Event{type, x, y};
    ++count;
    return true;
}

bool PointerInputEventManager::nextEvent() {
    if (suspendedFlag || count == 0) return false;
    const Event& event = ring[head];
    currentType = event.type;
    currentX = event.x - offsetX;
    currentY = event.y - offsetY;
    head = (head + 1) % kCapacity;
    --count;
    return true;
}

void PointerInputEventManager::setPointerOffset(int32_t x, int32_t y) {
    offsetX = x;
    offsetY = y;
}

void PointerInputEventManager::setSuspended(bool suspended) { suspendedFlag = suspended; }

void PointerInputEventManager::clear() { head = count = 0; }

}  // namespace kv::input
