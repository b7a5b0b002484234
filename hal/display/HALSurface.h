#pragma once

// A 16-bit RGB565 pixel surface in one of three formats: opaque (1), colour key (2: pixels
// equal to 0xF81F are transparent) or alpha plane (3: an 8-bit alpha per pixel, 0
// transparent to 255 opaque).
//
// Pixel (x, y) is pixels[x + stride * y]. A format-3 surface's alpha plane follows the colour
// plane in the same block: height rows of stride bytes starting stride * height pixels after
// pixels. An owning surface allocates that block as counted pixel memory (HAL_mallocCounted)
// and frees it when destroyed or resized; a surface over someone else's pixels never frees
// them and ignores resizes. Sides are 1 to 32767 and byte counts are computed in 64 bits; a
// surface whose block would not fit in the memory budget beside the counted memory already in
// use is not made (a phone would have run out of memory).

#include <cstdint>

enum HALSurfaceFormat : int32_t { kSurfaceOpaque = 1, kSurfaceColorKey = 2, kSurfaceAlpha = 3 };

class HALSurface {
public:
    static constexpr int32_t kMaxSide = 32767;

    // A new owning surface with stride = width and undefined contents; null for a side outside
    // 1 to kMaxSide, a format outside 1 to 3, or when the memory is not there.
    static HALSurface* create(int32_t width, int32_t height, int32_t format);
    // A surface over pixels the caller keeps alive (for format 3 its alpha plane must follow).
    HALSurface(uint16_t* pixels, int32_t width, int32_t height, int32_t stride, int32_t format);
    virtual ~HALSurface();
    HALSurface(const HALSurface&) = delete;
    HALSurface& operator=(const HALSurface&) = delete;

    // Owning surfaces only: a new size gets new pixels (contents undefined) and stride = width.
    // False when the size is invalid or memory fails; the surface then keeps its old pixels and
    // size. A surface that does not own its pixels ignores the call (true).
    bool resize(int32_t width, int32_t height);

    static bool validSize(int32_t width, int32_t height) {
        return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide;
    }
    // The bytes of the block of a surface of that stride, height and format.
    static uint64_t blockBytes(int32_t stride, int32_t height, int32_t format);
    // Whether bytes more of counted memory stay within the memory budget.
    static bool fitsMemoryBudget(uint64_t bytes);

    bool hasAlphaPlane() const { return format == kSurfaceAlpha; }
    uint16_t* row(int32_t y) const { return pixels + int64_t(y) * stride; }
    // Format 3 only (null otherwise).
    uint8_t* alphaPlane() const {
        return hasAlphaPlane() ? reinterpret_cast<uint8_t*>(pixels + int64_t(stride) * height) : nullptr;
    }
    uint8_t* alphaRow(int32_t y) const { return alphaPlane() + int64_t(y) * stride; }

    uint16_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;  // pixels per row
    bool ownsPixels = false;
    int32_t format = kSurfaceOpaque;

private:
    HALSurface() = default;
};

// New owning surfaces of format 1 or 3 with stride = width, or null.
HALSurface* HAL_createOpaqueSurface(int32_t width, int32_t height);
HALSurface* HAL_createAlphaSurface(int32_t width, int32_t height);
