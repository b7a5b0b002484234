#pragma once

// The native image behind a profile Image: one owned surface and a reference count. The image
// holds the first reference; every graphics context drawing on the image holds one more, so
// the pixels outlive the Image object while a context still draws on them. The last release
// destroys the surface and the buffer.

#include <cstdint>

class HALSurface;

class HALPixelBuffer {
public:
    // Takes the surface over with one reference; null (and the surface destroyed) when memory
    // fails. A null surface gives null.
    static HALPixelBuffer* wrap(HALSurface* surface);

    void addReference() { ++references_; }
    // Drops one reference; the buffer is gone when none is left.
    void release();
    int32_t references() const { return references_; }

    HALSurface* const surface;
    const int16_t width;
    const int16_t height;

private:
    explicit HALPixelBuffer(HALSurface* owned);
    ~HALPixelBuffer();

    int32_t references_ = 1;
};
