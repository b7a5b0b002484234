#pragma once

// The displayable behind a canvas: the base displayable with the full-screen switch; its
// message handling turns key and pointer messages into the runtime's events and passes
// every other message to the main window's own handling.

#include "hal/display/HALDisplayable.h"

class HALCanvasWindow : public HALDisplayable {
public:
    explicit HALCanvasWindow(java::lang::Object* owner) : HALDisplayable(owner) {}
    void setFullScreenMode(bool flag) override;
    int64_t handleMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;
};
