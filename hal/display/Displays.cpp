#include "hal/display/Displays.h"

#include "hal/base/HALResult.h"
#include "hal/host/HostBackend.h"
#include "hal/input/HALCanvasWindow.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VMEvents.h"

int HAL_createCanvas(HALDisplayable** out, java::lang::Object* owner) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = new HALCanvasWindow(owner);
    return HAL_OK;
}

int HAL_deleteCanvas(HALDisplayable* displayable) {
    delete displayable;
    return HAL_OK;
}

int HAL_setCurrentDisplayable(HALDisplayable* displayable) {
    HAL_setWindowDisplayable(displayable);
    intptr_t owner[1] = {reinterpret_cast<intptr_t>(displayable ? displayable->owner : nullptr)};
    HAL_postEvent(kEventDisplayChanged, 1, owner, 0);
    return HAL_OK;
}

int HAL_getDisplayableSize(HALDisplayable* displayable, int32_t* width, int32_t* height) {
    if (displayable == nullptr) return HAL_BAD_ARGUMENT;
    if (width) *width = displayable->getWidth();
    if (height) *height = displayable->getHeight();
    return HAL_OK;
}

void HAL_setDisplayableFullScreenMode(HALDisplayable* displayable, int flag) {
    if (displayable) displayable->setFullScreenMode(flag != 0);
}

void HAL_setDisplayableTitle(HALDisplayable* displayable, const char16_t* characters, int32_t length) {
    if (displayable && characters) displayable->setTitle(characters, length);
}

void HAL_setDisplayableTicker(HALDisplayable* displayable, const char16_t* characters, int32_t length) {
    if (displayable && characters) displayable->setTicker(characters, length);
}

void HAL_addDisplayableCommand(HALDisplayable* displayable, void* command) {
    if (displayable && command) displayable->addCommand(command);
}

void HAL_removeDisplayableCommand(HALDisplayable* displayable, void* command) {
    if (displayable && command) displayable->removeCommand(command);
}

int32_t HAL_colorsForDepth(int32_t bitsPerPixel) {
    const int32_t bits = bitsPerPixel & 0xFF;
    return bits >= 32 ? 0 : int32_t(1) << bits;
}

void HAL_getDisplayCapabilities(int32_t* isColor, int32_t* numColors, int32_t* numAlphaLevels, int32_t* doubleBuffered) {
    if (isColor) *isColor = 1;
    if (numColors) *numColors = HAL_colorsForDepth(host::kScreenBitsPerPixel);
    if (numAlphaLevels) *numAlphaLevels = 32;
    if (doubleBuffered) *doubleBuffered = 1;
}

void HAL_getCanvasCapabilities(int32_t* hasPointerEvents, int32_t* hasPointerMotionEvents, int32_t* hasRepeatEvents) {
    // A touch screen: presses, releases and drags all reach the current canvas.
    if (hasPointerEvents) *hasPointerEvents = 1;
    if (hasPointerMotionEvents) *hasPointerMotionEvents = 1;
    if (hasRepeatEvents) *hasRepeatEvents = 1;
}

int _returnZero() { return 0; }
