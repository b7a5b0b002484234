#pragma once

// A 16-bit RGB565 pixel surface: opaque (format 1), with the colour key 0xF81F for
// transparent pixels (format 2), or with an 8-bit alpha plane after the colour plane
// (format 3). Pixel memory is counted against the runtime heap.

#include <cstdint>

enum HALSurfaceFormat : int32_t { kSurfaceOpaque = 1, kSurfaceColorKey = 2, kSurfaceAlpha = 3 };
constexpr uint16_t kSurfaceColorKeyValue = 0xF81F;

struct HALSurface {
    int32_t width = 0;
    int32_t height = 0;
    int32_t format = kSurfaceOpaque;
    int32_t stride = 0;         // pixels per row
    uint16_t* pixels = nullptr;  // height rows of stride pixels
    uint8_t* alpha = nullptr;    // format 3: height rows of width alpha values

    uint16_t* row(int32_t y) { return pixels + int64_t(y) * stride; }
};

// 0, 2 for a bad size or format, 5 when memory runs out (out is then null).
int HAL_createSurface(HALSurface** out, int32_t width, int32_t height, int32_t format);
// Reallocates the pixels for a new size; their contents are undefined until painted.
int HAL_resizeSurface(HALSurface* surface, int32_t width, int32_t height);
void HAL_deleteSurface(HALSurface* surface);
