#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "hal/base/Memory.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Images.h"
#include "hal/display/PngDecoder.h"
#include "hal/services/ModulePath.h"
#include "tests/hal/base/TestCallbacks.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using png_writer::Bytes;
using png_writer::Picture;

Picture picture(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colorType, std::vector<uint16_t> samples,
                std::vector<uint8_t> palette = {}, std::vector<uint8_t> transparency = {}) {
    Picture s;
    s.width = width;
    s.height = height;
    s.bitDepth = bitDepth;
    s.colorType = colorType;
    s.samples = std::move(samples);
    s.palette = std::move(palette);
    s.transparency = std::move(transparency);
    return s;
}

// The ARGB values the decoder makes of the file, or the failure code as one value.
std::vector<uint32_t> decode(const Bytes& file) {
    HALDecodedPng decoded;
    const int code = HAL_decodePng(file.data(), file.size(), &decoded);
    if (code != 0) return {uint32_t(code)};
    std::vector<uint32_t> values(decoded.argb, decoded.argb + size_t(decoded.width) * decoded.height);
    HAL_free(decoded.argb);
    return values;
}

// The code of HAL_createImageWithData, and the image's format on success.
std::pair<int, int32_t> createImage(const Bytes& file) {
    HALPixelBuffer* image = nullptr;
    int32_t width = 0, height = 0;
    const int code = HAL_createImageWithData(&image, file.data(), int32_t(file.size()), &width, &height);
    const int32_t format = image ? image->surface->format : 0;
    if (image) {
        EXPECT_EQ(width, image->width);
        EXPECT_EQ(height, image->height);
    }
    HAL_deleteImage(image);
    return {code, format};
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// Each colour type and depth, with its transparency, and the image format (0: not checked).
TEST(PngDecoding, EveryColourTypeAndDepthWithItsTransparency) {
    using png_writer::kGrey, png_writer::kGreyAlpha, png_writer::kPalette, png_writer::kRgb, png_writer::kRgba;
    const std::vector<uint8_t> palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 16, 32, 48};
    const struct {
        const char* name;
        Picture picture;
        std::vector<uint32_t> argb;
        int32_t format;
    } cases[] = {
        {"palette", picture(4, 1, 2, kPalette, {0, 1, 2, 3}, palette),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF102030}, kSurfaceOpaque},
        {"palette, short tRNS", picture(4, 1, 2, kPalette, {0, 1, 2, 3}, palette, {0, 128}),
         {0x00FF0000, 0x8000FF00, 0xFF0000FF, 0xFF102030}, kSurfaceAlpha},
        {"palette, keyed", picture(4, 1, 2, kPalette, {0, 1, 2, 3}, palette, {255, 0}),
         {0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0xFF102030}, kSurfaceColorKey},
        {"grey 1", picture(3, 1, 1, kGrey, {0, 1, 0}), {0xFF000000, 0xFFFFFFFF, 0xFF000000}, 0},
        {"grey 4", picture(2, 1, 4, kGrey, {3, 15}), {0xFF333333, 0xFFFFFFFF}, 0},
        {"grey 16 as sRGB", picture(2, 1, 16, kGrey, {0x80 * 257, 0x12 * 257}), {0xFF808080, 0xFF121212}, 0},
        {"grey keyed", picture(2, 1, 8, kGrey, {7, 200}, {}, {0, 7}), {0x00070707, 0xFFC8C8C8}, kSurfaceColorKey},
        {"grey alpha", picture(2, 1, 8, kGreyAlpha, {100, 8, 50, 255}), {0x08646464, 0xFF323232}, 0},
        {"rgb 8", picture(2, 1, 8, kRgb, {1, 2, 3, 250, 251, 252}), {0xFF010203, 0xFFFAFBFC}, 0},
        {"rgb 16", picture(1, 1, 16, kRgb, {0x11 * 257, 0x22 * 257, 0x33 * 257}), {0xFF112233}, 0},
        {"rgb keyed", picture(2, 1, 8, kRgb, {1, 2, 3, 4, 5, 6}, {}, {0, 4, 0, 5, 0, 6}), {0xFF010203, 0x00040506}, 0},
        {"rgba 8", picture(2, 1, 8, kRgba, {9, 8, 7, 247, 1, 2, 3, 0}), {0xF7090807, 0x00010203}, kSurfaceAlpha},
        {"rgba 16", picture(1, 1, 16, kRgba, {0, 0xFF * 257, 0, 0x40 * 257}), {0x4000FF00}, 0},
    };
    for (const auto& c : cases) {
        const Bytes file = png_writer::encode(c.picture);
        EXPECT_EQ(decode(file), c.argb) << c.name;
        if (c.format != 0) {
            EXPECT_EQ(createImage(file), std::make_pair(0, c.format)) << c.name;
        }
    }
}

TEST(PngDecoding, EveryDamagedOrForeignInputIsCode6) {
    const Bytes good = png_writer::encode(picture(2, 2, 8, png_writer::kRgb, std::vector<uint16_t>(12, 9)));
    const Bytes ihdr = png_writer::header(2, 2, 8, png_writer::kRgb, false);
    const Bytes idat = png_writer::chunk("IDAT", png_writer::compress(Bytes(14, 0)));
    const Bytes end = png_writer::chunk("IEND", {});
    Bytes badCrc = good;
    badCrc[8 + 8 + 13] ^= 1;  // the IHDR's CRC
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"empty", {}},
        {"text", Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
        {"signature only", png_writer::signature()},
        {"header only", concat({png_writer::signature(), ihdr})},
        {"cut in the pixel data", Bytes(good.begin(), good.end() - 20)},
        {"header CRC", badCrc},
        {"zero width",
         concat({png_writer::signature(), png_writer::header(0, 2, 8, png_writer::kRgb, false), idat, end})},
        {"width 32768", concat({png_writer::signature(), png_writer::header(32768, 1, 8, png_writer::kGrey, false),
                                png_writer::chunk("IDAT", png_writer::compress(Bytes(32769, 0))), end})},
        {"bit depth 5",
         concat({png_writer::signature(), png_writer::header(2, 2, 5, png_writer::kGrey, false), idat, end})},
        {"palette without PLTE",
         concat({png_writer::signature(), png_writer::header(2, 2, 8, png_writer::kPalette, false), idat, end})},
        {"pixel data not deflate",
         concat({png_writer::signature(), ihdr, png_writer::chunk("IDAT", Bytes(20, 0xAB)), end})},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_EQ(decode(bytes), std::vector<uint32_t>{6}) << name;
        EXPECT_EQ(createImage(bytes).first, 6) << name;
    }
    HALPixelBuffer* image = nullptr;
    EXPECT_EQ(HAL_createImageWithData(&image, nullptr, 10, nullptr, nullptr), 6);
    EXPECT_EQ(HAL_createImageWithData(&image, good.data(), -1, nullptr, nullptr), 6);
    EXPECT_EQ(HAL_createImageWithData(nullptr, good.data(), int32_t(good.size()), nullptr, nullptr), 2);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(createImage(good), std::make_pair(0, int32_t(kSurfaceOpaque)));
}

// A tiny file that declares 32767 x 32767 pixels costs nothing: the size is checked against
// the memory budget before decoding, and the retry after one collection fails the same way.
TEST(PngDecoding, AHugeDeclaredSizeIsOutOfMemoryAfterExactlyOneCollection) {
    CountingCallbacks callbacks;
    const Bytes huge =
        concat({png_writer::signature(), png_writer::header(32767, 32767, 8, png_writer::kRgba, false),
                png_writer::chunk("IDAT", png_writer::compress(Bytes(100, 0))), png_writer::chunk("IEND", {})});
    const uint64_t before = HAL_getAllocatedBytes();
    HALPixelBuffer* image = nullptr;
    EXPECT_EQ(HAL_createImageWithData(&image, huge.data(), int32_t(huge.size()), nullptr, nullptr), 5);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(CountingCallbacks::collectCalls, 1);
    EXPECT_EQ(CountingCallbacks::makeCurrentCalls, 1);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
}

TEST(PngDecoding, TheRetryAfterACollectionCanSucceed) {
    setenv("OSTREL_MEMORY_BUDGET", "200000", 1);
    static void* hog = nullptr;
    hog = HAL_mallocCounted(150000);
    VMCallbacks table{};
    table.collect = [] {
        HAL_freeCounted(hog);
        hog = nullptr;
    };
    HAL_setVMCallbacks(&table);
    Picture big = picture(100, 100, 8, png_writer::kGrey, std::vector<uint16_t>(10000, 77));  // needs 70000 bytes
    const Bytes file = png_writer::encode(big);
    EXPECT_EQ(createImage(file), std::make_pair(0, int32_t(kSurfaceOpaque)));
    EXPECT_EQ(hog, nullptr);
    HAL_setVMCallbacks(nullptr);
}

class ImageResources : public testing::Test {
protected:
    void SetUp() override { HAL_setModuleDirectory(folder.path().c_str()); }
    void TearDown() override { HAL_setModuleDirectory(nullptr); }

    int create(const std::u16string& name, int32_t* width, int32_t* height) {
        HALPixelBuffer* image = nullptr;
        const int code = HAL_createImageWithResource(&image, name.data(), int32_t(name.size()), width, height);
        EXPECT_EQ(code == 0, image != nullptr);
        HAL_deleteImage(image);
        return code;
    }

    TemporaryFolder folder;
};

TEST_F(ImageResources, LoadDecodeAndReportTheResourceCodes) {
    const Bytes file = png_writer::encode(picture(3, 5, 8, png_writer::kGrey, std::vector<uint16_t>(15, 1)));
    folder.write("rsc/img/Sprite.png", std::string(file.begin(), file.end()));
    folder.write("rsc/notes.txt", "not an image");
    folder.write("rsc/empty.png", "");
    const uint64_t before = HAL_getAllocatedBytes();
    int32_t width = 0, height = 0;
    EXPECT_EQ(create(u"img/sprite.png", &width, &height), 0) << "names match without regard to case";
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 5);
    EXPECT_EQ(create(u"missing.png", &width, &height), 4);
    EXPECT_EQ(create(u"notes.txt", &width, &height), 6);
    EXPECT_EQ(create(u"empty.png", &width, &height), 7);
    EXPECT_EQ(HAL_getAllocatedBytes(), before) << "the loaded bytes are freed";
    EXPECT_EQ(HAL_createImageWithResource(nullptr, u"x", 1, nullptr, nullptr), 2);
}

}  // namespace
