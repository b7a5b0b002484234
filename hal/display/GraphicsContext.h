#pragma once

// The profile's graphics-context functions: contexts on images and screen buffers, their
// colour, font, stroke and clip, and lines, rectangles, blits and text (HALGraphics says how
// each draws). Every function takes the native context first; a null context draws nothing.
// Coordinates arrive already translated and anchored by the profile.
//
// Results: 0 ok, 2 bad argument, 5 out of memory.

#include <cstdint>

class HALFont;
class HALGraphics;
class HALPixelBuffer;
class HALScreenBuffer;

// A context on the image, holding a reference on it: 2 when out or image is null, 5 when
// memory fails (*out null).
int HAL_createGraphicsWithImage(HALGraphics** out, HALPixelBuffer* image);
// A context on the buffer, in its client list: 2 when out or buffer is null, 5 when memory
// fails (*out null).
int HAL_createGraphicsWithScreenBuffer(HALGraphics** out, HALScreenBuffer* buffer);
// Releases the image reference or leaves the buffer's list, and frees the context; 2 for null.
int HAL_deleteGraphics(HALGraphics* graphics);

// Colour and alpha from 0xAARRGGBB.
void HAL_setColor(HALGraphics* graphics, int32_t argb);
// 0x00RRGGBB as the 16-bit surface shows it (each channel cut to its 5 or 6 bits); -1 for a
// null context.
int32_t HAL_getDisplayColor(HALGraphics* graphics, int32_t rgb);
// Null: the default font.
void HAL_setFont(HALGraphics* graphics, HALFont* font);
// 0 solid, 1 dotted.
void HAL_setStrokeStyle(HALGraphics* graphics, int32_t style);
// clip := the whole surface intersected with the rectangle.
void HAL_setClip(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);
// clip := the clip intersected with the rectangle.
void HAL_clipRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);

void HAL_drawLine(HALGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void HAL_fillRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);
void HAL_drawRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);

// Text, literally on one line, its cell's top-left at (x, y).
void HAL_drawChars(HALGraphics* graphics, const char16_t* chars, int32_t length, int32_t x, int32_t y);
// The whole image at (x, y).
void HAL_drawImage(HALGraphics* graphics, HALPixelBuffer* image, int32_t x, int32_t y);
// A region with a transform (bits 0-2) and an optional format override (bits 8-15), its
// transformed top-left at (x, y). The mutable entry draws the same way.
void HAL_drawRegion(HALGraphics* graphics, HALPixelBuffer* image, int32_t sourceX, int32_t sourceY, int32_t width,
                    int32_t height, int32_t transform, int32_t x, int32_t y);
void HAL_drawMutableRegion(HALGraphics* graphics, HALPixelBuffer* image, int32_t sourceX, int32_t sourceY,
                           int32_t width, int32_t height, int32_t transform, int32_t x, int32_t y);
// width x height ARGB values, rows scanlength apart, drawn at (x, y) through a temporary
// image. 0; 2 for a null context or values, a side below 1, or rows reaching past the
// available values; 5 when memory fails. Nothing is drawn unless 0.
int HAL_drawRGB(HALGraphics* graphics, const int32_t* values, int32_t available, int32_t scanlength, int32_t x,
                int32_t y, int32_t width, int32_t height, bool processAlpha);
// Copies (sourceX, sourceY, width, height) of the context's surface to (x, y), overlapping or
// not, through the clip and alpha: 0 (also for a null context), 2 when the context has no
// surface.
int HAL_copyArea(HALGraphics* graphics, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t x,
                 int32_t y);
// The buffer's whole surface at (x, y).
void HAL_drawScreenBuffer(HALGraphics* graphics, HALScreenBuffer* buffer, int32_t x, int32_t y);
