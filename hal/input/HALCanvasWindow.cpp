#include "hal/input/HALCanvasWindow.h"

#include "hal/host/HostMessages.h"
#include "hal/shell/Shell.h"

using namespace host;

HALCanvasWindow::HALCanvasWindow(java::lang::Object* owner)
    : HALDisplayable(owner), keyTables_(std::make_unique<HALKeyTables>()),
      pointerFilter_(std::make_unique<HALPointerFilter>()) {}

void HALCanvasWindow::setFullScreenMode(bool flag) {
    HALDisplayable::setFullScreenMode(flag);
    HAL_bringMainWindowToFront();
    // The host shows no task bar or input panel: the full screen and the work area are the
    // same rectangle, the phone's whole screen, which the window always fills. Only the
    // size update is left, and it posts the size change should the client area differ.
    updateSize();
}

int64_t HALCanvasWindow::handleMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    switch (message) {
    case kMsgKeyDown:
        keyTables_->keyDown(uint32_t(wParam), lParam);
        return 0;
    case kMsgKeyUp:
        keyTables_->keyUp(uint32_t(wParam), lParam);
        return 0;
    case kMsgChar:
        keyTables_->noteChar(uint32_t(wParam));
        return 0;
    case kMsgMouseMove:
        if (wParam & kMkLeftButton) pointerFilter_->drag(pointUnsignedX(lParam), pointUnsignedY(lParam));
        return 0;
    case kMsgLeftButtonDown:
        pointerFilter_->press(pointUnsignedX(lParam), pointUnsignedY(lParam));
        return 0;
    case kMsgLeftButtonUp:
        pointerFilter_->release(pointUnsignedX(lParam), pointUnsignedY(lParam));
        return 0;
    default:
        return HALDisplayable::handleMessage(message, wParam, lParam);
    }
}
