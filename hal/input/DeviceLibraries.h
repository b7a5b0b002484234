#pragma once

// Optional device libraries of some phones: an optical mouse whose wheel sends up and down
// keys, and a tilt sensor. Neither exists on this platform: loading reports the library
// absent and every feature stays off. The shell still makes the calls at their places in
// start-up, focus and exit, so the features' absence is decided here alone.

#include <cstdint>

// Loads the optical mouse's library once; later calls return the first answer. Whether it
// is usable (false: absent).
bool HAL_loadSamsungSdk();
// Whether an optical mouse is present (false without its library).
bool HAL_hasOpticalMouse();
// Switches the optical mouse's mode; whether that succeeded (false without its library).
bool HAL_setOpticalMouseMode(int32_t flag);
// Whether a key message came from the wheel (false without its library).
bool HAL_isWheelKeyMessage(uint32_t virtualKey, uint32_t scanCode);

// Opens the tilt sensor; whether it is open (false: its library is absent).
bool HAL_loadTiltSensor();
// Clears the sensor's readings and closes it when open.
void HAL_closeTiltSensor();
