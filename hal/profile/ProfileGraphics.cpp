#include "hal/profile/ProfileGraphics.h"

#include "hal/base/HALResult.h"
#include "hal/display/GraphicsContext.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

using javax::microedition::lcdui::Graphics;

int HAL_paintScreenBuffer(Graphics* graphics, HALScreenBuffer* buffer) {
    if (graphics == nullptr || buffer == nullptr) return HAL_BAD_ARGUMENT;
    HAL_drawScreenBuffer(graphics->nativeContext, buffer, graphics->translateX, graphics->translateY);
    return HAL_OK;
}

int HAL_setGraphicsSize(Graphics* graphics, int32_t width, int32_t height) {
    if (graphics == nullptr) return HAL_BAD_ARGUMENT;
    graphics->setSize(width, height);
    return HAL_OK;
}

int HAL_releaseImageGraphics(Graphics* graphics) {
    if (graphics == nullptr) return HAL_BAD_ARGUMENT;
    if (graphics->nativeContext != nullptr) HAL_deleteGraphics(graphics->nativeContext);
    graphics->nativeContext = nullptr;
    return HAL_OK;
}
