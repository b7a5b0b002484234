#include "hal/display/HALPixelBuffer.h"

#include <new>

#include "hal/display/HALSurface.h"

HALPixelBuffer* HALPixelBuffer::wrap(HALSurface* surface) {
    if (surface == nullptr) return nullptr;
    auto* buffer = new (std::nothrow) HALPixelBuffer(surface);
    if (buffer == nullptr) delete surface;
    return buffer;
}

HALPixelBuffer::HALPixelBuffer(HALSurface* owned)
    : surface(owned), width(int16_t(owned->width)), height(int16_t(owned->height)) {}

HALPixelBuffer::~HALPixelBuffer() { delete surface; }

void HALPixelBuffer::release() {
    if (--references_ < 1) delete this;
}
