#include "hal/display/ImagePixels.h"

#include "hal/base/HALResult.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Rgb565.h"

namespace {

int32_t alphaOf(int32_t value) { return int32_t(uint32_t(value) >> 24); }

const int32_t* sourceRow(const int32_t* values, int32_t scanlength, int32_t row) {
    return values + int64_t(row) * scanlength;
}

void convertRow(const int32_t* in, int32_t width, int32_t format, uint16_t* pixels, uint8_t* alpha) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t value = uint32_t(in[x]);
        const int32_t a = alphaOf(in[x]);
        if (format == kSurfaceColorKey && a < rgb565::kAlphaVisibleFrom)
            pixels[x] = rgb565::kColorKey;
        else
            pixels[x] = rgb565::fromArgb(value);
        if (alpha) alpha[x] = uint8_t(a);
    }
}

}  // namespace

int32_t HAL_formatForRGB(const int32_t* values, int32_t width, int32_t height, int32_t scanlength, bool processAlpha) {
    if (!processAlpha) return kSurfaceOpaque;
    bool anyTransparent = false;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t* row = sourceRow(values, scanlength, y);
        for (int32_t x = 0; x < width; ++x) {
            const int32_t a = alphaOf(row[x]);
            if (a < rgb565::kAlphaVisibleFrom)
                anyTransparent = true;
            else if (a < rgb565::kAlphaOpaqueFrom)
                return kSurfaceAlpha;
        }
    }
    return anyTransparent ? kSurfaceColorKey : kSurfaceOpaque;
}

HALPixelBuffer* HAL_createPixelsFromRGB(const int32_t* values, int32_t width, int32_t height, int32_t scanlength,
                                        bool processAlpha, int* code) {
    int ignored;
    if (code == nullptr) code = &ignored;
    if (values == nullptr || !HALSurface::validSize(width, height)) {
        *code = HAL_BAD_ARGUMENT;
        return nullptr;
    }
    const int32_t format = HAL_formatForRGB(values, width, height, scanlength, processAlpha);
    HALSurface* surface = HALSurface::create(width, height, format);
    if (surface == nullptr) {
        *code = HAL_OUT_OF_MEMORY;
        return nullptr;
    }
    for (int32_t y = 0; y < height; ++y) {
        convertRow(sourceRow(values, scanlength, y), width, format, surface->row(y),
                   surface->hasAlphaPlane() ? surface->alphaRow(y) : nullptr);
    }
    HALPixelBuffer* buffer = HALPixelBuffer::wrap(surface);
    *code = buffer ? HAL_OK : HAL_OUT_OF_MEMORY;
    return buffer;
}

uint32_t HAL_surfacePixelToArgb(const HALSurface& surface, int32_t x, int32_t y) {
    const uint16_t pixel = surface.row(y)[x];
    switch (surface.format) {
    case kSurfaceColorKey: return rgb565::toArgb(pixel, pixel == rgb565::kColorKey ? 0 : 255);
    case kSurfaceAlpha: return rgb565::toArgb(pixel, surface.alphaRow(y)[x]);
    default: return rgb565::toArgb(pixel, 255);
    }
}

void HAL_getImageRGB(const HALSurface& surface, int32_t* out, int32_t scanlength, int32_t x, int32_t y, int32_t width,
                     int32_t height) {
    for (int32_t row = 0; row < height; ++row) {
        int32_t* line = out + int64_t(row) * scanlength;
        for (int32_t column = 0; column < width; ++column) {
            line[column] = int32_t(HAL_surfacePixelToArgb(surface, x + column, y + row));
        }
    }
}
