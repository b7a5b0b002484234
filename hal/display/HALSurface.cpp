#include "hal/display/HALSurface.h"

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"

namespace {

constexpr int32_t kMaxSurfaceSide = 32767;

bool validSize(int32_t width, int32_t height) {
    return width > 0 && height > 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide;
}

// Pixels (and the alpha plane) for the surface's current size and format.
int allocatePlanes(HALSurface* surface, int32_t width, int32_t height) {
    const uint64_t count = uint64_t(width) * uint64_t(height);
    auto* pixels = static_cast<uint16_t*>(HAL_mallocCounted(count * sizeof(uint16_t)));
    uint8_t* alpha = nullptr;
    if (pixels && surface->format == kSurfaceAlpha) alpha = static_cast<uint8_t*>(HAL_mallocCounted(count));
    if (pixels == nullptr || (surface->format == kSurfaceAlpha && alpha == nullptr)) {
        HAL_freeCounted(pixels);
        return HAL_OUT_OF_MEMORY;
    }
    HAL_freeCounted(surface->pixels);
    HAL_freeCounted(surface->alpha);
    surface->pixels = pixels;
    surface->alpha = alpha;
    surface->width = width;
    surface->height = height;
    surface->stride = width;
    return HAL_OK;
}

}  // namespace

int HAL_createSurface(HALSurface** out, int32_t width, int32_t height, int32_t format) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    if (!validSize(width, height) || format < kSurfaceOpaque || format > kSurfaceAlpha) return HAL_BAD_ARGUMENT;
    auto* surface = new HALSurface();
    surface->format = format;
    if (int result = allocatePlanes(surface, width, height)) {
        delete surface;
        return result;
    }
    *out = surface;
    return HAL_OK;
}

int HAL_resizeSurface(HALSurface* surface, int32_t width, int32_t height) {
    if (surface == nullptr || !validSize(width, height)) return HAL_BAD_ARGUMENT;
    if (width == surface->width && height == surface->height) return HAL_OK;
    return allocatePlanes(surface, width, height);
}

void HAL_deleteSurface(HALSurface* surface) {
    if (surface == nullptr) return;
    HAL_freeCounted(surface->pixels);
    HAL_freeCounted(surface->alpha);
    delete surface;
}
