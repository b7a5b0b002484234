#pragma once

// One character of a font, rendered once: its coverage bitmap (0 nothing to 255 full, row
// by row), where that bitmap lies relative to the pen on the baseline, and the whole number
// of pixels the pen then advances.

#include <cstdint>
#include <vector>

struct HALGlyph {
    int32_t left = 0;     // the bitmap's first column, relative to the pen
    int32_t top = 0;      // the bitmap's first row, in rows above the baseline
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;  // pixels, never negative
    std::vector<uint8_t> coverage;  // rows × width
};
