#pragma once

// The profile's operations on displayables, the display's capabilities and orientation.

#include <cstdint>

class HALDisplayable;
namespace java::lang {
class Object;
}

int HAL_createCanvas(HALDisplayable** out, java::lang::Object* owner);
int HAL_deleteCanvas(HALDisplayable* displayable);
// Makes the displayable current and posts the display-change event (the caller holds the
// VM lock).
int HAL_setCurrentDisplayable(HALDisplayable* displayable);
int HAL_getDisplayableSize(HALDisplayable* displayable, int32_t* width, int32_t* height);
void HAL_setDisplayableFullScreenMode(HALDisplayable* displayable, int flag);
void HAL_setDisplayableTitle(HALDisplayable* displayable, const char16_t* characters, int32_t length);
void HAL_setDisplayableTicker(HALDisplayable* displayable, const char16_t* characters, int32_t length);
void HAL_addDisplayableCommand(HALDisplayable* displayable, void* command);
void HAL_removeDisplayableCommand(HALDisplayable* displayable, void* command);
void HAL_getDisplayCapabilities(int32_t* isColor, int32_t* numColors, int32_t* numAlphaLevels, int32_t* doubleBuffered);
// The screen is a touch screen with repeating keys: all three are reported.
void HAL_getCanvasCapabilities(int32_t* hasPointerEvents, int32_t* hasPointerMotionEvents, int32_t* hasRepeatEvents);
// The device has no vibrator: the operation behind vibrate does nothing and answers 0 (false).
int _returnZero();

// The number of colours of a screen with the given bits per pixel (0 from 32 bits on).
int32_t HAL_colorsForDepth(int32_t bitsPerPixel);

// Orientation codes: 0 none, 1 to 4 for 0, 90, 180 and 270 degrees. This display cannot
// rotate: asking for its current orientation succeeds, any other gives 8.
int HAL_getOrientation(int32_t* code);
int HAL_setOrientation(int32_t code);
void HAL_initRotationTable();
void HAL_reapplyOrientation();
// The display's rotation as seen by the orientation calls: read gives the rotation index (0 to
// 3 for 0, 90, 180 and 270 degrees, 4 for another angle), set asks for one and says whether
// the display took it. The host display is fixed at index 0; tests put a display that turns
// in its place (null restores the fixed one).
struct HALDisplayRotation {
    int32_t (*read)();
    bool (*set)(int32_t index);
};
void HAL_setDisplayRotation(const HALDisplayRotation* display);
// The rotation-table entry for an orientation index (0 to 3; 4 and others give entry 4, 0).
int32_t HAL_rotationForIndex(int32_t index);
