#pragma once

// The touch-screen handling of one canvas window: turns the main window's stylus messages
// into the runtime's pointer events (11 pressed, 12 released, 13 dragged, each with x and
// y) and keeps them well formed:
// - a duplicate (same type as the last event posted, within 30 ms of it, less than 5 pixels
//   away on both axes) is dropped;
// - on devices with the pointer quirk (DeviceQuirks.h), presses and releases at the
//   device's phantom points are dropped (drags are not);
// - every release and drag follows a press: one that comes without is preceded by a press
//   at its own point.
//
// UI thread only.

#include <cstdint>

class HALPointerFilter {
public:
    static constexpr uint32_t kDuplicateTime = 30;
    static constexpr int32_t kDuplicateDistance = 5;
    static constexpr int32_t kMaxQuirkPoints = 8;

    // Reads the phantom points of the pointer quirk when it is enabled.
    HALPointerFilter();
    // Takes the phantom points from a list of values x, y, x, y, ... (at most 16 are used;
    // fewer than 2 leave the quirk off; an odd last value is ignored).
    void setQuirkPoints(const int32_t* values, int32_t count);

    void press(uint16_t x, uint16_t y);
    void release(uint16_t x, uint16_t y);
    void drag(uint16_t x, uint16_t y);

    bool quirkEnabled() const { return quirkEnabled_; }
    int32_t quirkPointCount() const { return quirkPointCount_; }
    bool isQuirkPoint(uint16_t x, uint16_t y) const;
    bool pressed() const { return pressed_; }

private:
    // Posts the event unless it duplicates the last one posted.
    void post(uint16_t x, uint16_t y, int eventType);

    int lastType_ = 0;
    uint16_t lastX_ = 0;
    uint16_t lastY_ = 0;
    uint32_t lastTime_ = 0;
    bool quirkEnabled_ = false;
    int32_t quirkPointCount_ = 0;
    int32_t quirkPoints_[kMaxQuirkPoints][2] = {};
    bool pressed_ = false;
};
