#pragma once

// PNG to 32-bit ARGB through libpng's simplified reader: palette, grey and RGB images, with
// or without an alpha channel or a tRNS chunk, of 1 to 16 bits per channel, interlaced or not.
// Channels are 8-bit sRGB, not premultiplied; 16-bit images without colour-space information
// are taken as sRGB too (their top byte), as 8-bit ones are.
//
// The declared size is checked before any pixel is decoded: sides of 1 to 32767, and the
// decoded values plus the largest surface made from them must fit in the memory budget, so a
// small file that declares a huge image costs nothing.

#include <cstddef>
#include <cstdint>

struct HALDecodedPng {
    int32_t* argb;  // width x height values, row by row, a counted block (HAL_free)
    int32_t width;
    int32_t height;
};

// 0 with *out filled; 5 when memory runs out (or the image could never fit the budget); 6 for
// anything else (null or empty input, not a PNG, damaged data, a side outside 1 to 32767). On
// failure out->argb is null.
int HAL_decodePng(const uint8_t* bytes, size_t length, HALDecodedPng* out);
