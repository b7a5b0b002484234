#pragma once

// The displayable behind a canvas: the base displayable with the full-screen switch, key
// tables and a pointer filter. While it is current, its message handling turns the main
// window's key, character and stylus messages into the runtime's key and pointer events
// (8 to 13) and passes every other message to the main window's own handling.

#include <memory>

#include "hal/display/HALDisplayable.h"
#include "hal/input/HALKeyTables.h"
#include "hal/input/HALPointerFilter.h"

class HALCanvasWindow : public HALDisplayable {
public:
    explicit HALCanvasWindow(java::lang::Object* owner);

    // Stores the flag, brings the main window to the front, fits it to the full screen or
    // the work area and updates the size (posting the size change when there is one).
    void setFullScreenMode(bool flag) override;
    // 0 for the key, character and stylus messages; the base's answer for the others.
    int64_t handleMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;

private:
    std::unique_ptr<HALKeyTables> keyTables_;
    std::unique_ptr<HALPointerFilter> pointerFilter_;
};
