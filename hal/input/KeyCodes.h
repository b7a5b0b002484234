#pragma once

// The key-code vocabulary of the profile: MIDP key codes, the phone's virtual keys in both
// directions, game actions and key names.
//
// Key codes: negative for the phone's own keys (-1 up, -2 down, -3 left, -4 right, -5 fire,
// -6 and -7 the soft keys, ...), the alternate codes -24 to -28 for the same directions and
// fire coming from a wheel, the character for keys that type one, and the virtual key minus
// 1500 for any key without a code of its own.

#include <cstdint>

// Game actions, as the profile numbers them; each also names a bit of the key states.
enum HALGameAction : int32_t {
    kGameUp = 1,
    kGameLeft = 2,
    kGameRight = 5,
    kGameDown = 6,
    kGameFire = 8,
};

// The key code that has the game action (0 for anything but the five actions).
int32_t HAL_getKeyCode(int32_t gameAction);
// The game action of a key code (0 when it has none; the alternate codes have none).
int32_t HAL_getGameAction(int32_t keyCode);

// Writes the key's name to buffer: *length holds the buffer's capacity in characters on
// entry and the number written on return (no terminator is written; a longer name is cut
// at the capacity). Returns 1, also for a key without a name (length 0). A null buffer or
// length gives 0 (and length 0 when it is given).
int HAL_getKeyName(int32_t keyCode, char16_t* buffer, int32_t* length);
// The full name of the virtual key, zero-terminated ("" when it has none).
const char16_t* HAL_virtualKeyName(uint32_t virtualKey);

// The virtual key that a key code stands for.
uint32_t HAL_keyCodeToVirtualKey(int32_t keyCode);
// The key code of a virtual key; alternate selects the wheel's codes for the directions and
// fire.
int32_t HAL_virtualKeyToKeyCode(uint32_t virtualKey, bool alternate);
