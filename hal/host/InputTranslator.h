#pragma once

// Turns host input (keys, characters, the pointer, focus, the close button) into the
// messages of the phone's window system. Both backends use it: the SDL backend for real
// input, the headless backend for input that tests inject.

#include <bitset>

#include "hal/host/MessageQueue.h"

namespace host {

class InputTranslator {
public:
    explicit InputTranslator(MessageQueue* queue) : queue_(queue) {}

    // A key press; a key already down is a repeat (previous-state bit set).
    void keyDown(uint32_t virtualKey);
    void keyUp(uint32_t virtualKey);
    // A printable character typed (character messages come only for printable keys).
    void character(char16_t c);
    void pointerDown(int32_t x, int32_t y);
    void pointerMove(int32_t x, int32_t y);
    void pointerUp(int32_t x, int32_t y);
    void focus(bool focused);
    void close();

private:
    MessageQueue* queue_;
    std::bitset<256> keysDown_;
    bool pointerDown_ = false;
};

}  // namespace host
