#include "hal/input/HALKeyTables.h"

#include <new>

#include "hal/base/FatalError.h"
#include "hal/base/SystemClock.h"
#include "hal/host/HostMessages.h"
#include "hal/input/DeviceLibraries.h"
#include "hal/input/KeyCodes.h"
#include "hal/input/KeyStates.h"
#include "lib_src/vm/VMEvents.h"

using namespace host;

namespace {

template <typename T> std::unique_ptr<T[]> newTable(const char* failure) {
    T* table = new (std::nothrow) T[HALKeyTables::kTableSize]();
    if (table == nullptr) HAL_fatalError(failure);
    return std::unique_ptr<T[]>(table);
}

// The scan code and the extended-key bit of a key message, without its repeat bit.
constexpr int64_t kScanCodeBits = 0x01FF0000;

}  // namespace

HALKeyTables::HALKeyTables()
    : status_(newTable<uint8_t>("Unable to allocate key status array")),
      chars_(newTable<int32_t>("Unable to allocate key char array")),
      shiftedChars_(newTable<int32_t>("Unable to allocate key shift char array")),
      wheelKeyTest_(HAL_hasOpticalMouse()) {}

void HALKeyTables::noteChar(uint32_t character) {
    if (pendingChar_ == 0) pendingChar_ = int32_t(character);
}

int32_t HALKeyTables::takeChar(uint32_t virtualKey, bool shift) {
    int32_t* table = shift ? shiftedChars_.get() : chars_.get();
    if (pendingChar_ != 0) {
        const int32_t character = pendingChar_;
        pendingChar_ = 0;
        if (virtualKey < kTableSize) table[virtualKey] = character;
        return character;
    }
    return virtualKey < kTableSize ? table[virtualKey] : 0;
}

bool HALKeyTables::isWheelKey(uint32_t virtualKey, int64_t lParam) const {
    if (!wheelKeyTest_ || (virtualKey != kVkUp && virtualKey != kVkDown)) return false;
    return HAL_isWheelKeyMessage(virtualKey, keyScanCode(lParam));
}

bool HALKeyTables::shiftDown() const { return status_[kVkShift] != 0; }

void HALKeyTables::postKey(uint32_t virtualKey, bool down, int eventType, bool shift, bool alternate) {
    int32_t keyCode = takeChar(virtualKey, shift);
    if (keyCode == 0) keyCode = HAL_virtualKeyToKeyCode(virtualKey, alternate);
    if (keyCode == 0) return;
    HAL_latchKeyState(keyCode, down);
    intptr_t payload[1] = {keyCode};
    HAL_postEvent(eventType, 1, payload, 1);
}

void HALKeyTables::keyDown(uint32_t virtualKey, int64_t lParam) {
    const uint32_t now = HAL_getTickCount();
    const bool wheel = isWheelKey(virtualKey, lParam);
    const bool shift = shiftDown();
    if (virtualKey < kTableSize) status_[virtualKey] = shift ? kDownWithShift : kDownWithoutShift;

    // A repeat runs while the same key keeps repeating; it starts with the second repeat
    // message in a row, dated from the first.
    const bool repeat = keyWasDown(lParam);
    if (repeatActive_) {
        if (!repeat || virtualKey != lastKey_) {
            repeatActive_ = false;
            repeatStart_ = 0;
        }
    } else if (repeat && lastWasRepeat_ && virtualKey == lastKey_) {
        repeatActive_ = true;
        repeatStart_ = lastTime_;
    }
    lastKey_ = virtualKey;
    lastTime_ = now;
    keyIsDown_ = true;
    lastWasRepeat_ = repeat;

    // Elapsed time in 32-bit arithmetic, so the tick count's wrap does not stop repeats.
    if (repeat && repeatActive_ && now - repeatStart_ < kRepeatDelay) {
        pendingChar_ = 0;
        return;
    }
    postKey(virtualKey, true, repeat ? kEventKeyRepeated : kEventKeyPressed, shift, wheel);
}

void HALKeyTables::keyUp(uint32_t virtualKey, int64_t lParam) {
    const bool wheel = isWheelKey(virtualKey, lParam);
    bool shift = shiftDown();
    if (virtualKey < kTableSize) {
        if (status_[virtualKey] != 0) {
            shift = status_[virtualKey] == kDownWithShift;  // the release reports what the press did
        } else {
            keyDown(virtualKey, lParam & kScanCodeBits);  // a release without a press seen: post the press
        }
        status_[virtualKey] = 0;
    }
    lastTime_ = HAL_getTickCount();
    repeatActive_ = false;
    repeatStart_ = 0;
    lastKey_ = virtualKey;
    keyIsDown_ = false;
    lastWasRepeat_ = false;
    postKey(virtualKey, false, kEventKeyReleased, shift, wheel);
}
