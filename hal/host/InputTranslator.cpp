#include "hal/host/InputTranslator.h"

namespace host {

void InputTranslator::keyDown(uint32_t virtualKey) {
    const uint32_t key = virtualKey & 0xFF;
    queue_->post(kMsgKeyDown, key, keyParam(1, keysDown_[key], false));
    keysDown_[key] = true;
}

void InputTranslator::keyUp(uint32_t virtualKey) {
    const uint32_t key = virtualKey & 0xFF;
    queue_->post(kMsgKeyUp, key, keyParam(1, true, true));
    keysDown_[key] = false;
}

void InputTranslator::character(char16_t c) {
    if (c >= 0x20 && c != 0x7F) queue_->post(kMsgChar, c, keyParam(1, false, false));
}

void InputTranslator::pointerDown(int32_t x, int32_t y) {
    pointerDown_ = true;
    queue_->post(kMsgLeftButtonDown, kMkLeftButton, pointParam(x, y));
}

void InputTranslator::pointerMove(int32_t x, int32_t y) {
    queue_->post(kMsgMouseMove, pointerDown_ ? kMkLeftButton : 0, pointParam(x, y));
}

void InputTranslator::pointerUp(int32_t x, int32_t y) {
    pointerDown_ = false;
    queue_->post(kMsgLeftButtonUp, 0, pointParam(x, y));
}

void InputTranslator::focus(bool focused) { queue_->post(kMsgActivate, focused ? kActive : kInactive, 0); }

void InputTranslator::close() { queue_->post(kMsgClose); }

}  // namespace host
