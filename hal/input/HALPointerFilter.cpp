#include "hal/input/HALPointerFilter.h"

#include <cstdlib>

#include "hal/base/SystemClock.h"
#include "hal/input/DeviceQuirks.h"
#include "lib_src/vm/VMEvents.h"

HALPointerFilter::HALPointerFilter() {
    if (!HAL_isQuirkEnabled(kQuirkIgnoreSomePointerEvents)) return;
    int32_t values[2 * kMaxQuirkPoints];
    int32_t count = 2 * kMaxQuirkPoints;
    HAL_getQuirkIntList(kQuirkIgnoreSomePointerEvents, "WHERE", values, &count);
    setQuirkPoints(values, count);
}

void HALPointerFilter::setQuirkPoints(const int32_t* values, int32_t count) {
    if (count > 2 * kMaxQuirkPoints) count = 2 * kMaxQuirkPoints;
    quirkEnabled_ = values != nullptr && count >= 2;
    quirkPointCount_ = quirkEnabled_ ? count / 2 : 0;
    for (int32_t i = 0; i < quirkPointCount_; ++i) {
        quirkPoints_[i][0] = values[2 * i];
        quirkPoints_[i][1] = values[2 * i + 1];
    }
}

bool HALPointerFilter::isQuirkPoint(uint16_t x, uint16_t y) const {
    if (!quirkEnabled_) return false;
    for (int32_t i = 0; i < quirkPointCount_; ++i)
        if (quirkPoints_[i][0] == x && quirkPoints_[i][1] == y) return true;
    return false;
}

void HALPointerFilter::post(uint16_t x, uint16_t y, int eventType) {
    const uint32_t now = HAL_getTickCount();
    if (now - lastTime_ < kDuplicateTime && eventType == lastType_ && std::abs(int32_t(x) - lastX_) < kDuplicateDistance &&
        std::abs(int32_t(y) - lastY_) < kDuplicateDistance)
        return;
    lastX_ = x;
    lastY_ = y;
    lastTime_ = now;
    lastType_ = eventType;
    intptr_t payload[2] = {x, y};
    HAL_postEvent(eventType, 2, payload, 1);
}

void HALPointerFilter::press(uint16_t x, uint16_t y) {
    if (isQuirkPoint(x, y)) return;
    pressed_ = true;
    post(x, y, kEventPointerPressed);
}

void HALPointerFilter::release(uint16_t x, uint16_t y) {
    if (isQuirkPoint(x, y)) return;
    if (!pressed_) post(x, y, kEventPointerPressed);
    pressed_ = false;
    post(x, y, kEventPointerReleased);
}

void HALPointerFilter::drag(uint16_t x, uint16_t y) {
    if (!pressed_) post(x, y, kEventPointerPressed);
    pressed_ = true;
    post(x, y, kEventPointerDragged);
}
