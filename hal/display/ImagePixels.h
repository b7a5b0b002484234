#pragma once

// Conversions between 32-bit ARGB values and image surfaces.
//
// From ARGB, the surface takes the cheapest format the values allow: without processAlpha,
// opaque (1); with it, the alpha plane (3) as soon as one alpha lies in 8 to 247, else the
// colour key (2) when some alpha is below 8 (those pixels become 0xF81F), else opaque. An
// opaque value whose colour is 0xF81F in a colour-keyed image is transparent when drawn.
// Back to ARGB, each RGB565 pixel gets its channels' low bits 0 and the alpha of its format:
// 255 for opaque, 0 for the colour key (so it reads 0x00F800F8) and 255 for the rest of a
// colour-keyed surface, the alpha plane's byte for format 3.
//
// Rows of ARGB values are scanlength values apart (negative: upwards in memory).

#include <cstdint>

class HALPixelBuffer;
class HALSurface;

// The format for width x height values (sizes already checked).
int32_t HAL_formatForRGB(const int32_t* values, int32_t width, int32_t height, int32_t scanlength, bool processAlpha);

// A new image of width x height from the values, or null with *code: 2 for null values or a
// side outside 1 to 32767, 5 when memory fails (nothing is left allocated). *code is 0 on
// success.
HALPixelBuffer* HAL_createPixelsFromRGB(const int32_t* values, int32_t width, int32_t height, int32_t scanlength,
                                        bool processAlpha, int* code);

// The ARGB value of one pixel of the surface.
uint32_t HAL_surfacePixelToArgb(const HALSurface& surface, int32_t x, int32_t y);

// Writes the region (x, y, width, height), which must lie inside the surface, as ARGB values
// whose rows start scanlength values apart.
void HAL_getImageRGB(const HALSurface& surface, int32_t* out, int32_t scanlength, int32_t x, int32_t y, int32_t width,
                     int32_t height);
