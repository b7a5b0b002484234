#pragma once

// The key table's indexes: which slot of the framework canvas's key table a key code of
// the profile fills, so that the game reads keys by index whatever keyboard produced them.
//
//   1 up, 2 left, 5 right, 6 down, 8 fire   the phone's direction and fire keys (and the wheel)
//   7, 15                                   the left and right soft keys
//   16 to 25                                the keypad digits 0 to 9
//   26 '*', 28 '#'
//   27, 29                                  the desktop keyboard's soft keys: Y, and Escape or P
//   30 to 34                                the desktop keyboard's up, down, left, right and
//                                           fire: W, S, A, D and Space
// Every other key code has no index (-1).

#include <cstdint>

namespace kv::input {

constexpr int32_t kKeyIndexCount = 35;

int32_t keyIndexOf(int32_t keyCode);

}  // namespace kv::input
