#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "hal/base/Memory.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/ImagePixels.h"
#include "hal/display/Images.h"

namespace {

// The format an image of these ARGB values gets with processAlpha.
int32_t formatOf(std::vector<uint32_t> values) {
    HALPixelBuffer* image = nullptr;
    EXPECT_EQ(HAL_createImageWithRGB(&image, reinterpret_cast<const int32_t*>(values.data()), int32_t(values.size()),
                                     int32_t(values.size()), 1, true),
              0);
    const int32_t format = image ? image->surface->format : 0;
    HAL_deleteImage(image);
    return format;
}

std::vector<uint32_t> readBack(HALPixelBuffer* image) {
    std::vector<uint32_t> out(size_t(image->width) * image->height);
    EXPECT_EQ(HAL_getImmutableRGB(image, reinterpret_cast<int32_t*>(out.data()), int32_t(out.size()), image->width, 0,
                                  0, image->width, image->height),
              0);
    return out;
}

TEST(ImageFromRGB, TakesTheCheapestFormatTheAlphaValuesAllow) {
    // Alpha 7 and below is transparent, 8 to 247 blended, 248 and above opaque.
    const std::pair<std::vector<uint32_t>, int32_t> cases[] = {
        {{0xFF000000, 0xFFFFFFFF}, kSurfaceOpaque}, {{0xFF000000, 0x00FFFFFF}, kSurfaceColorKey},
        {{0xFF000000, 0x80FFFFFF}, kSurfaceAlpha},  {{0x07000000, 0xFFFFFFFF}, kSurfaceColorKey},
        {{0x08000000, 0xFFFFFFFF}, kSurfaceAlpha},  {{0xF7000000, 0x00FFFFFF}, kSurfaceAlpha},
        {{0xF8000000, 0xFFFFFFFF}, kSurfaceOpaque}, {{0x00000000, 0xF8000000}, kSurfaceColorKey}};
    for (const auto& [values, format] : cases) EXPECT_EQ(formatOf(values), format) << std::hex << values[0];

    const uint32_t translucent[2] = {0x80FF0000, 0x00000000};
    HALPixelBuffer* image = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&image, reinterpret_cast<const int32_t*>(translucent), 2, 2, 1, false), 0);
    EXPECT_EQ(image->surface->format, kSurfaceOpaque) << "without processAlpha";
    EXPECT_EQ(readBack(image), (std::vector<uint32_t>{0xFFF80000, 0xFF000000}));
    HAL_deleteImage(image);
}

TEST(ImageFromRGB, ReadsBackByFormat) {
    const std::vector<uint32_t> values = {0xFFFFFFFF, 0x00123456, 0xFFFF00FF, 0x80123456};
    HALPixelBuffer* keyed = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&keyed, reinterpret_cast<const int32_t*>(values.data()), 3, 3, 1, true), 0);
    EXPECT_EQ(keyed->surface->format, kSurfaceColorKey);
    EXPECT_EQ(readBack(keyed), (std::vector<uint32_t>{0xFFF8FCF8, 0x00F800F8, 0x00F800F8}))
        << "transparent pixels hold the key; an opaque magenta reads as the key too";
    bool hasAlpha = false;
    EXPECT_EQ(HAL_getImmutableHasAlpha(keyed, &hasAlpha), 0);
    EXPECT_TRUE(hasAlpha);
    HAL_deleteImage(keyed);

    HALPixelBuffer* blended = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&blended, reinterpret_cast<const int32_t*>(values.data()), 4, 2, 2, true), 0);
    EXPECT_EQ(blended->surface->format, kSurfaceAlpha);
    EXPECT_EQ(readBack(blended), (std::vector<uint32_t>{0xFFF8FCF8, 0x00103450, 0xFFF800F8, 0x80103450}));
    HAL_deleteImage(blended);
}

TEST(ImageFromRGB, RefusesBadArgumentsWithCode2) {
    const int32_t values[4] = {};
    HALPixelBuffer* image = reinterpret_cast<HALPixelBuffer*>(1);
    // Null out or values, no values, fewer values than pixels, sides out of range, a product
    // that would wrap in 32 bits.
    for (int code : {HAL_createImageWithRGB(nullptr, values, 4, 2, 2, false), HAL_createImageWithRGB(&image, nullptr, 4, 2, 2, false),
                     HAL_createImageWithRGB(&image, values, 0, 1, 1, false), HAL_createImageWithRGB(&image, values, 3, 2, 2, false),
                     HAL_createImageWithRGB(&image, values, 4, 0, 2, false), HAL_createImageWithRGB(&image, values, 4, 32768, 1, false),
                     HAL_createImageWithRGB(&image, values, 4, 65536, 65536, false), HAL_getImmutableHasAlpha(nullptr, nullptr)})
        EXPECT_EQ(code, 2);
    EXPECT_EQ(image, nullptr);
}

TEST(ImageFromRGB, ConvertsRowsScanlengthApart) {
    const int32_t values[6] = {int32_t(0xFF0000F8), 1, 2, int32_t(0xFFF80000), 3, 4};
    int code = -1;
    HALPixelBuffer* image = HAL_createPixelsFromRGB(values + 3, 1, 2, -3, false, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(image->surface->row(0)[0], 0xF800);
    EXPECT_EQ(image->surface->row(1)[0], 0x001F);
    image->release();
    EXPECT_EQ(HAL_createPixelsFromRGB(values, 0, 1, 1, false, &code), nullptr);
    EXPECT_EQ(code, 2);
}

TEST(MutableImage, IsWhiteAndTheTransparentOneIsClear) {
    HALPixelBuffer* white = nullptr;
    ASSERT_EQ(HAL_createMutableImage(&white, 3, 2), 0);
    EXPECT_EQ(white->surface->format, kSurfaceOpaque);
    EXPECT_EQ(readBack(white), std::vector<uint32_t>(6, 0xFFF8FCF8));
    bool hasAlpha = true;
    EXPECT_EQ(HAL_getImmutableHasAlpha(white, &hasAlpha), 0);
    EXPECT_FALSE(hasAlpha);
    HAL_deleteImage(white);

    HALPixelBuffer* clear = nullptr;
    ASSERT_EQ(HAL_createTransparentMutableImage(&clear, 2, 3), 0);
    EXPECT_EQ(clear->surface->format, kSurfaceAlpha);
    EXPECT_EQ(readBack(clear), std::vector<uint32_t>(6, 0));
    HAL_deleteImage(clear);

    HALPixelBuffer* none = nullptr;
    for (int code : {HAL_createMutableImage(nullptr, 3, 2), HAL_createMutableImage(&none, 0, 2), HAL_createMutableImage(&none, 32768, 2),
                     HAL_createTransparentMutableImage(&none, 2, 0), HAL_createTransparentMutableImage(nullptr, 2, 2)})
        EXPECT_EQ(code, 2);
    EXPECT_EQ(none, nullptr);
}

TEST(MutableImage, OutOfMemoryIsCode5WithNothingLeft) {
    setenv("OSTREL_MEMORY_BUDGET", "100000", 1);
    const uint64_t before = HAL_getAllocatedBytes();
    HALPixelBuffer* image = nullptr;
    EXPECT_EQ(HAL_createMutableImage(&image, 32767, 32767), 5);
    EXPECT_EQ(HAL_createTransparentMutableImage(&image, 200, 200), 5);
    const int32_t values[1] = {0};
    int code = 0;
    EXPECT_EQ(HAL_createPixelsFromRGB(values, 300, 300, 0, false, &code), nullptr);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
}

TEST(ImageRGB, ReadsARegionAndRefusesOneOutsideTheImageOrTheOutput) {
    std::vector<uint32_t> values(12);
    for (uint32_t i = 0; i < 12; ++i) values[i] = 0xFF000000 | (i << 19);
    HALPixelBuffer* image = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&image, reinterpret_cast<const int32_t*>(values.data()), 12, 4, 3, false), 0);
    std::vector<int32_t> out(8, -1);
    // Rows 1 and 2, columns 1 and 2, written bottom row first with a negative scanlength.
    ASSERT_EQ(HAL_getImmutableRGB(image, out.data() + 4, 4, -4, 1, 1, 2, 2), 0);
    EXPECT_EQ(uint32_t(out[4]), 0xFF000000u | 5u << 19);
    EXPECT_EQ(uint32_t(out[5]), 0xFF000000u | 6u << 19);
    EXPECT_EQ(uint32_t(out[0]), 0xFF000000u | 9u << 19);
    EXPECT_EQ(out[2], -1) << "the scanlength gap is left alone";

    EXPECT_EQ(HAL_getImmutableRGB(image, out.data(), 8, 4, 3, 0, 2, 1), 2) << "past the right edge";
    EXPECT_EQ(HAL_getImmutableRGB(image, out.data(), 8, 4, -1, 0, 1, 1), 2);
    EXPECT_EQ(HAL_getImmutableRGB(image, out.data(), 8, 4, 0, 2, 1, 2), 2) << "past the bottom";
    EXPECT_EQ(HAL_getImmutableRGB(image, out.data(), 5, 4, 0, 0, 2, 2), 2) << "the second row ends past 5 values";
    EXPECT_EQ(HAL_getImmutableRGB(image, out.data(), 6, 4, 0, 0, 2, 2), 0);
    EXPECT_EQ(HAL_getImmutableRGB(image, nullptr, 0, 4, 0, 0, 0, 0), 2);
    EXPECT_EQ(HAL_getImmutableRGB(image, out.data(), 0, 4, 0, 0, 0, 5), 0) << "an empty region reads nothing";
    HAL_deleteImage(image);
    EXPECT_EQ(HAL_deleteImage(nullptr), 0);
}

}  // namespace
