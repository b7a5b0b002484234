#include "hal/input/HALCanvasWindow.h"

// The host window always fills the phone's whole screen: full screen changes no size.
void HALCanvasWindow::setFullScreenMode(bool flag) { HALDisplayable::setFullScreenMode(flag); }

int64_t HALCanvasWindow::handleMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    return HALDisplayable::handleMessage(message, wParam, lParam);
}
