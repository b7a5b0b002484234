#include "hal/display/PngDecoder.h"

#include <png.h>

#include <cstring>

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/display/HALSurface.h"

namespace {

// libpng reports its own allocation failures only in the message text.
bool mentionsOutOfMemory(const char* message) {
    static const char kNeedle[] = "out of memory";
    const size_t needle = sizeof kNeedle - 1;
    for (const char* p = message; *p != '\0'; ++p) {
        size_t i = 0;
        while (i < needle && p[i] != '\0' && (p[i] | 0x20) == kNeedle[i]) ++i;
        if (i == needle) return true;
    }
    return false;
}

int failureOf(const png_image& image) {
    return mentionsOutOfMemory(image.message) ? HAL_OUT_OF_MEMORY : HAL_BAD_FORMAT;
}

// The bytes R, G, B, A of each value become the word 0xAARRGGBB, in place.
void packRgbaAsArgb(int32_t* values, size_t count) {
    auto* bytes = reinterpret_cast<const uint8_t*>(values);
    for (size_t i = 0; i < count; ++i, bytes += 4) {
        const uint32_t argb = uint32_t(bytes[3]) << 24 | uint32_t(bytes[0]) << 16 | uint32_t(bytes[1]) << 8 | bytes[2];
        values[i] = int32_t(argb);
    }
}

bool validSide(png_uint_32 side) { return side >= 1 && side <= png_uint_32(HALSurface::kMaxSide); }

// Whether width x height values and the largest surface made from them fit in the budget.
bool fitsBudget(int32_t width, int32_t height) {
    const uint64_t values = uint64_t(width) * uint64_t(height) * 4;
    return HALSurface::fitsMemoryBudget(values + HALSurface::blockBytes(width, height, kSurfaceAlpha));
}

// Every libpng call is in this function, whose frame holds only plain C data: libpng leaves
// its error paths by longjmp (caught inside the simplified reader, but nothing here would be
// destroyed if it were not).
int readPng(const uint8_t* bytes, size_t length, HALDecodedPng* out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, length)) return failureOf(image);
    const int32_t width = validSide(image.width) ? int32_t(image.width) : 0;
    const int32_t height = validSide(image.height) ? int32_t(image.height) : 0;
    int code = HAL_OK;
    if (width == 0 || height == 0)
        code = HAL_BAD_FORMAT;
    else if (!fitsBudget(width, height))
        code = HAL_OUT_OF_MEMORY;
    int32_t* values = nullptr;
    if (code == HAL_OK) {
        values = static_cast<int32_t*>(HAL_malloc(size_t(width) * size_t(height) * 4));
        if (values == nullptr) code = HAL_OUT_OF_MEMORY;
    }
    if (code != HAL_OK) {
        png_image_free(&image);
        return code;
    }
    image.format = PNG_FORMAT_RGBA;
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    if (!png_image_finish_read(&image, nullptr, values, width * 4, nullptr)) {
        code = failureOf(image);
        png_image_free(&image);
        HAL_free(values);
        return code;
    }
    png_image_free(&image);
    out->argb = values;
    out->width = width;
    out->height = height;
    return HAL_OK;
}

}  // namespace

int HAL_decodePng(const uint8_t* bytes, size_t length, HALDecodedPng* out) {
    out->argb = nullptr;
    out->width = 0;
    out->height = 0;
    if (bytes == nullptr || length == 0) return HAL_BAD_FORMAT;
    const int code = readPng(bytes, length, out);
    if (code == HAL_OK) packRgbaAsArgb(out->argb, size_t(out->width) * size_t(out->height));
    return code;
}
