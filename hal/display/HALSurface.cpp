#include "hal/display/HALSurface.h"

#include <cstddef>
#include <new>

#include "hal/base/Memory.h"
#include "hal/base/MemoryBudget.h"

namespace {

bool validFormat(int32_t format) { return format >= kSurfaceOpaque && format <= kSurfaceAlpha; }

// The block for a surface, or null (size checked by the caller).
uint16_t* allocateBlock(int32_t width, int32_t height, int32_t format) {
    const uint64_t bytes = HALSurface::blockBytes(width, height, format);
    if (bytes == 0 || bytes > SIZE_MAX || !HALSurface::fitsMemoryBudget(bytes)) return nullptr;
    return static_cast<uint16_t*>(HAL_mallocCounted(size_t(bytes)));
}

}  // namespace

HALSurface* HALSurface::create(int32_t width, int32_t height, int32_t format) {
    if (!validSize(width, height) || !validFormat(format)) return nullptr;
    uint16_t* block = allocateBlock(width, height, format);
    if (block == nullptr) return nullptr;
    auto* surface = new (std::nothrow) HALSurface();
    if (surface == nullptr) {
        HAL_freeCounted(block);
        return nullptr;
    }
    surface->pixels = block;
    surface->width = width;
    surface->height = height;
    surface->stride = width;
    surface->ownsPixels = true;
    surface->format = format;
    return surface;
}

HALSurface::HALSurface(uint16_t* pixels_, int32_t width_, int32_t height_, int32_t stride_, int32_t format_)
    : pixels(pixels_), width(width_), height(height_), stride(stride_), ownsPixels(false), format(format_) {}

HALSurface::~HALSurface() {
    if (ownsPixels) HAL_freeCounted(pixels);
}

bool HALSurface::resize(int32_t newWidth, int32_t newHeight) {
    if (!ownsPixels) return true;
    if (!validSize(newWidth, newHeight)) return false;
    if (newWidth == width && newHeight == height) return true;
    // The old block is freed once the new one is there: only the growth counts against the budget.
    const uint64_t oldBytes = blockBytes(stride, height, format);
    const uint64_t newBytes = blockBytes(newWidth, newHeight, format);
    if (newBytes > oldBytes && !fitsMemoryBudget(newBytes - oldBytes)) return false;
    auto* block = static_cast<uint16_t*>(HAL_mallocCounted(size_t(newBytes)));
    if (block == nullptr) return false;
    HAL_freeCounted(pixels);
    pixels = block;
    width = newWidth;
    height = newHeight;
    stride = newWidth;
    return true;
}

uint64_t HALSurface::blockBytes(int32_t stride, int32_t height, int32_t format) {
    if (stride < 1 || height < 1 || !validFormat(format)) return 0;
    const uint64_t count = uint64_t(stride) * uint64_t(height);
    return format == kSurfaceAlpha ? count * 3 : count * 2;
}

bool HALSurface::fitsMemoryBudget(uint64_t bytes) {
    // Read once: the figure is fixed for the process, as the runtime heap's limits are.
    static const uint64_t budget = HAL_getMemoryBudgetBytes();
    const uint64_t used = HAL_getAllocatedBytes();
    return used <= budget && bytes <= budget - used;
}

HALSurface* HAL_createOpaqueSurface(int32_t width, int32_t height) {
    return HALSurface::create(width, height, kSurfaceOpaque);
}

HALSurface* HAL_createAlphaSurface(int32_t width, int32_t height) {
    return HALSurface::create(width, height, kSurfaceAlpha);
}
