#pragma once

// The latched key states read by GameCanvas.getKeyStates: bit n stands for game action n.
// A key going down sets its action's bit among the pressed bits, a key going up among the
// released bits; a read returns the pressed bits (so a press shorter than the time between
// two reads is seen once) and then drops the bits of the keys released meanwhile. The
// bits are process-wide and survive a change of the current canvas.
//
// Written by the UI thread's key handling and read by a runtime thread, both under the VM
// lock.

#include <cstdint>

// Notes a key code going down or up (codes without a game action change nothing).
void HAL_latchKeyState(int32_t keyCode, bool down);
// The pressed bits; then the bits of released keys are cleared and the released bits too.
int32_t HAL_getKeyStates();
