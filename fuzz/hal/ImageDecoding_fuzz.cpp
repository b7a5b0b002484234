// Decodes arbitrary bytes as an encoded image and checks what every decode must give: either
// an image of 1 to 32767 pixels a side whose every pixel reads back, in a format that matches
// the alpha values read back, or the code 5 or 6 with no image and no counted memory left
// behind.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "hal/base/Memory.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Images.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkImage(HALPixelBuffer* image, int32_t width, int32_t height) {
    check(image != nullptr && width == image->width && height == image->height);
    check(HALSurface::validSize(width, height));
    std::vector<int32_t> row(size_t(width), 0);
    bool anyTransparent = false, anyBlended = false;
    for (int32_t y = 0; y < height; ++y) {
        check(HAL_getImmutableRGB(image, row.data(), width, width, 0, y, width, 1) == 0);
        for (int32_t value : row) {
            const uint32_t alpha = uint32_t(value) >> 24;
            anyTransparent |= alpha == 0;
            anyBlended |= alpha > 0 && alpha < 255;
        }
    }
    const int32_t format = image->surface->format;
    if (format == kSurfaceOpaque) check(!anyTransparent && !anyBlended);
    if (format == kSurfaceColorKey) check(anyTransparent && !anyBlended);
    if (format == kSurfaceAlpha) check(anyBlended);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A small budget keeps each decode quick; larger declared sizes are refused as memory.
    setenv("OSTREL_MEMORY_BUDGET", "4194304", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20) return 0;
    const uint64_t before = HAL_getAllocatedBytes();
    HALPixelBuffer* image = nullptr;
    int32_t width = -1, height = -1;
    const int code = HAL_createImageWithData(&image, data, int32_t(size), &width, &height);
    if (code == 0) {
        checkImage(image, width, height);
        HAL_deleteImage(image);
    } else {
        check((code == 5 || code == 6) && image == nullptr);
    }
    check(HAL_getAllocatedBytes() == before);
    return 0;
}
