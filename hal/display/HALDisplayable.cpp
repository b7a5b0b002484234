#include "hal/display/HALDisplayable.h"

#include "hal/display/HALScreenBuffer.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VMEvents.h"

HALDisplayable::HALDisplayable(java::lang::Object* owner) : owner(owner) {
    HAL_getMainWindowClientSize(&width, &height);
}

HALDisplayable::~HALDisplayable() {
    // Nothing may keep pointing at a displayable that is gone: the window's current one and
    // its screen buffer's back-link.
    HAL_forgetDisplayable(this);
    if (screenBuffer && screenBuffer->displayable == this) screenBuffer->displayable = nullptr;
}

bool HALDisplayable::isShown() const { return HAL_isMainWindowVisible(); }

int64_t HALDisplayable::handleMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    return HAL_mainWindowProc(this, message, wParam, lParam);
}

void HALDisplayable::updateSize() {
    int32_t newWidth = 0, newHeight = 0;
    HAL_getMainWindowClientSize(&newWidth, &newHeight);
    if (newWidth == width && newHeight == height) return;
    width = newWidth;
    height = newHeight;
    if (screenBuffer) screenBuffer->resize();
    intptr_t payload[3] = {reinterpret_cast<intptr_t>(owner), width, height};
    HAL_postEvent(kEventSizeChanged, 3, payload, 1);
}
