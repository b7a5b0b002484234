#include "hal/display/ImageDecoding.h"

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "hal/display/ImagePixels.h"
#include "hal/display/PngDecoder.h"

HALPixelBuffer* HAL_decodeImage(const uint8_t* bytes, int32_t length, int* code) {
    int ignored;
    if (code == nullptr) code = &ignored;
    if (bytes == nullptr || length < 1) {
        *code = HAL_BAD_FORMAT;
        return nullptr;
    }
    HALDecodedPng decoded;
    *code = HAL_decodePng(bytes, size_t(length), &decoded);
    if (*code != HAL_OK) return nullptr;
    HALPixelBuffer* image =
        HAL_createPixelsFromRGB(decoded.argb, decoded.width, decoded.height, decoded.width, true, code);
    HAL_free(decoded.argb);
    return image;
}

HALPixelBuffer* HAL_decodeImageRetrying(const uint8_t* bytes, int32_t length, int* code) {
    int first;
    HALPixelBuffer* image = HAL_decodeImage(bytes, length, &first);
    if (first != HAL_OUT_OF_MEMORY) {
        if (code) *code = first;
        return image;
    }
    HAL_enterVMLock();
    HAL_vmCallbacks().makeCurrent();
    HAL_vmCallbacks().collect();
    HAL_leaveVMLock();
    return HAL_decodeImage(bytes, length, code);
}
