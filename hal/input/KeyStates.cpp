#include "hal/input/KeyStates.h"

#include <atomic>

#include "hal/input/KeyCodes.h"

namespace {
std::atomic<uint32_t> pressedBits{0};
std::atomic<uint32_t> releasedBits{0};
}  // namespace

void HAL_latchKeyState(int32_t keyCode, bool down) {
    const int32_t action = HAL_getGameAction(keyCode);
    if (action == 0) return;
    const uint32_t bit = 1u << action;
    if (down) {
        pressedBits.fetch_or(bit);
        // Pressed again after a release that no read has seen yet: the key is held now,
        // so the next read must not drop it.
        releasedBits.fetch_and(~bit);
    } else {
        releasedBits.fetch_or(bit);
    }
}

int32_t HAL_getKeyStates() {
    const uint32_t pressed = pressedBits.load();
    const uint32_t released = releasedBits.exchange(0);
    pressedBits.fetch_and(~released);
    return int32_t(pressed);
}
