// Decodes arbitrary bytes as an encoded image and checks what every decode must give: either
// an image of 1 to 32767 pixels a side whose every pixel reads back, in a format that matches
// the alpha values read back, or the code 5 or 6 with no image and no counted memory left
// behind.
//
// Mutations are followed by fixing up the checksum of every whole PNG chunk, so that the
// decoder gets past its checks into the chunk contents (libpng refuses a chunk whose CRC
// is wrong before reading it). One mutation in eight keeps its checksums as they fall, so
// the refusal itself stays covered.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "hal/base/Memory.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Images.h"

namespace {

constexpr size_t kSignatureSize = 8;

uint32_t crc32Of(const uint8_t* bytes, size_t size) {
    static const auto table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t readBigEndian(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

void writeBigEndian(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = uint8_t(value >> (24 - 8 * i));
}

// Rewrites the CRC of each chunk (length, type, data, CRC) that lies wholly within the
// bytes, in order from the signature on, up to the first chunk that does not.
void fixChunkCrcs(uint8_t* data, size_t size) {
    size_t at = kSignatureSize;
    while (at + 12 <= size) {
        const uint32_t length = readBigEndian(data + at);
        if (length > size - at - 12) return;
        writeBigEndian(data + at + 8 + length, crc32Of(data + at + 4, size_t(length) + 4));
        at += size_t(length) + 12;
    }
}

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

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 8 != 0) fixChunkCrcs(data, size);
    return size;
}
