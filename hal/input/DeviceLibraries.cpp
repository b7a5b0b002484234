#include "hal/input/DeviceLibraries.h"

#include <atomic>

namespace {

// The optical mouse's library is looked for at most once per process. None provides it
// here, so the first load finds it absent and the feature stays off; every entry point then
// answers as for a missing library.
std::atomic<bool> sdkLoaded{false};
std::atomic<bool> sdkUsable{false};

}  // namespace

bool HAL_loadSamsungSdk() {
    if (sdkLoaded.exchange(true)) return sdkUsable;
    sdkUsable = false;
    return false;
}

bool HAL_hasOpticalMouse() { return sdkUsable; }

bool HAL_setOpticalMouseMode(int32_t) { return false; }

bool HAL_isWheelKeyMessage(uint32_t, uint32_t) { return false; }

// The tilt sensor's library is absent: the sensor is never opened, so there is no handle to
// close and no reading to clear.
bool HAL_loadTiltSensor() { return false; }

void HAL_closeTiltSensor() {}
