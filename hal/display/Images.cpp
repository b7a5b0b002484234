#include "hal/display/Images.h"

#include <algorithm>
#include <cstring>

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/ImageDecoding.h"
#include "hal/display/ImagePixels.h"
#include "hal/services/ResourceFiles.h"

namespace {

constexpr uint16_t kWhite565 = 0xFFFF;

int deliver(HALPixelBuffer* image, int code, HALPixelBuffer** out, int32_t* width, int32_t* height) {
    *out = image;
    if (image == nullptr) return code != HAL_OK ? code : HAL_BAD_ARGUMENT;
    if (width) *width = image->width;
    if (height) *height = image->height;
    return HAL_OK;
}

// A new owning surface of the format wrapped as an image, or null with *code 2 or 5.
HALPixelBuffer* newImage(int32_t width, int32_t height, int32_t format, int* code) {
    if (!HALSurface::validSize(width, height)) {
        *code = HAL_BAD_ARGUMENT;
        return nullptr;
    }
    HALPixelBuffer* image = HALPixelBuffer::wrap(HALSurface::create(width, height, format));
    *code = image ? HAL_OK : HAL_OUT_OF_MEMORY;
    return image;
}

// Whether rows of width values, scanlength apart, stay within available values.
bool rowsFit(int32_t available, int32_t scanlength, int32_t width, int32_t height) {
    const int64_t forward = scanlength > 0 ? int64_t(height - 1) * scanlength : 0;
    return forward + width <= available;
}

bool regionInside(const HALSurface& surface, int32_t x, int32_t y, int32_t width, int32_t height) {
    return x >= 0 && y >= 0 && int64_t(x) + width <= surface.width && int64_t(y) + height <= surface.height;
}

}  // namespace

int HAL_createImageWithData(HALPixelBuffer** out, const uint8_t* bytes, int32_t length, int32_t* width,
                            int32_t* height) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    int code = HAL_BAD_ARGUMENT;
    HALPixelBuffer* image = HAL_decodeImageRetrying(bytes, length, &code);
    return deliver(image, code, out, width, height);
}

int HAL_createImageWithResource(HALPixelBuffer** out, const char16_t* name, int32_t nameLength, int32_t* width,
                                int32_t* height) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    uint8_t* data = nullptr;
    int32_t size = 0;
    if (int code = HAL_loadResource(name, nameLength, &data, &size)) return code;
    int code = HAL_BAD_ARGUMENT;
    HALPixelBuffer* image = HAL_decodeImageRetrying(data, size, &code);
    HAL_free(data);
    return deliver(image, code, out, width, height);
}

int HAL_createImageWithRGB(HALPixelBuffer** out, const int32_t* values, int32_t count, int32_t width, int32_t height,
                           bool processAlpha) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    if (values == nullptr || count < 1 || !HALSurface::validSize(width, height)) return HAL_BAD_ARGUMENT;
    if (int64_t(width) * height > count) return HAL_BAD_ARGUMENT;
    int code = HAL_BAD_ARGUMENT;
    HALPixelBuffer* image = HAL_createPixelsFromRGB(values, width, height, width, processAlpha, &code);
    return deliver(image, code, out, nullptr, nullptr);
}

HALPixelBuffer* HAL_newMutableImage(int32_t width, int32_t height, int* code) {
    HALPixelBuffer* image = newImage(width, height, kSurfaceOpaque, code);
    if (image) std::fill_n(image->surface->pixels, int64_t(width) * height, kWhite565);
    return image;
}

HALPixelBuffer* HAL_newTransparentMutableImage(int32_t width, int32_t height, int* code) {
    HALPixelBuffer* image = newImage(width, height, kSurfaceAlpha, code);
    if (image) std::memset(image->surface->pixels, 0, size_t(HALSurface::blockBytes(width, height, kSurfaceAlpha)));
    return image;
}

int HAL_createMutableImage(HALPixelBuffer** out, int32_t width, int32_t height) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    int code = HAL_BAD_ARGUMENT;
    HALPixelBuffer* image = HAL_newMutableImage(width, height, &code);
    return deliver(image, code, out, nullptr, nullptr);
}

int HAL_createTransparentMutableImage(HALPixelBuffer** out, int32_t width, int32_t height) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    int code = HAL_BAD_ARGUMENT;
    HALPixelBuffer* image = HAL_newTransparentMutableImage(width, height, &code);
    return deliver(image, code, out, nullptr, nullptr);
}

int HAL_deleteImage(HALPixelBuffer* image) {
    if (image) image->release();
    return HAL_OK;
}

int HAL_getImmutableRGB(HALPixelBuffer* image, int32_t* out, int32_t available, int32_t scanlength, int32_t x,
                        int32_t y, int32_t width, int32_t height) {
    if (image == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    if (width < 1 || height < 1) return HAL_OK;
    if (!regionInside(*image->surface, x, y, width, height) || !rowsFit(available, scanlength, width, height)) {
        return HAL_BAD_ARGUMENT;
    }
    HAL_getImageRGB(*image->surface, out, scanlength, x, y, width, height);
    return HAL_OK;
}

int HAL_getImmutableHasAlpha(HALPixelBuffer* image, bool* hasAlpha) {
    if (image == nullptr || hasAlpha == nullptr) return HAL_BAD_ARGUMENT;
    *hasAlpha = image->surface->format != kSurfaceOpaque;
    return HAL_OK;
}
