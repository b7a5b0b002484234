#pragma once

// Text drawn into a 16-bit RGB565 surface: the graphics context's text primitive.
//
// The text's cell is its measured width (HAL_getStringWidth) by the font's height, with
// its top-left corner at (x, y). The characters are drawn where measuring placed them, the
// underline of an underlined font across the whole width. Only pixels inside the clip, the
// surface and the cell change, and clipping never moves the text: what shows is the part of
// it that lies inside the clip. Only the colour plane is written.
//
// Colour: the RGB of argb as RGB565; its top byte is the alpha. Each pixel's coverage s
// (0 to 255) and the alpha a decide as for a pixel of an alpha-plane image: with a of 248
// or more, s below 8 is skipped, 248 or more copies the colour, and anything between blends
// with weight (s + 1) >> 3 of 32; with a from 8 to 247 the combination
// m = ((s + 1) × (a + 1)) >> 8 decides the same way but blends with weight m >> 3; with a
// below 8 nothing is drawn.
//
// Used under the runtime lock only (the font renders glyphs on first use).

#include <cstdint>

class HALFont;
class HALSurface;

struct HALTextClip {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

void HAL_drawText(HALSurface* surface, HALFont* font, const char16_t* chars, int32_t length, int32_t x, int32_t y,
                  uint32_t argb, const HALTextClip& clip);
