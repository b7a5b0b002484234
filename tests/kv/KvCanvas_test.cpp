// The framework canvas's static services: padded decimal text, alpha classification, the
// little-endian output buffer with its bounds, and indexed pixels with magenta first and a
// full palette.

#include <gtest/gtest.h>

#include "src/kv/kv_KvCanvas.h"
#include "tests/kv/KvTestSupport.h"

namespace {

using kv::KvCanvas;
using kvtest::thrown;
using IntArray = KvCanvas::IntArray;

VMPtr<IntArray> ints(const std::vector<int32_t>& values) {
    VMPtr<IntArray> array = IntArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->elements()[i] = values[i];
    return array;
}

class KvCanvasTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(KvCanvasTest, AppendNumberPadsBelow65536) {
    struct Case { const char* start; int32_t value, minDigits, at; const char* result; } cases[] = {
        {"ab", 7, 3, 1, "a007b"},       {"", -5, 2, 0, "-05"},        {"x", 70000, 8, 1, "x70000"},
        {"", 65535, 6, 0, "065535"},    {"", INT32_MIN, 1, 0, "-2147483648"}, {"", 123, 0, 0, "123"}};
    for (const Case& c : cases) {
        VMPtr<java::lang::StringBuffer> sb = java::lang::StringBuffer::_VM_new();
        sb->_VM_init(c.start);
        KvCanvas::appendNumber(sb, c.value, c.minDigits, c.at);
        EXPECT_EQ(sb->toString()->toUtf8(), c.result) << c.value;
    }
}

TEST_F(KvCanvasTest, AlphaClassification) {
    struct Case { std::vector<int32_t> pixels; int32_t type; } cases[] = {
        {{int32_t(0xFF000000), int32_t(0xF0123456)}, 1},
        {{int32_t(0xFF000000), 0x0F000000}, 2},
        {{0x00000000, int32_t(0x80FFFFFF), 0x00000000}, 3},
        {{}, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(KvCanvas::getAlphaType(ints(c.pixels), 0, int32_t(c.pixels.size()), 0, 0, int32_t(c.pixels.size()),
                                         c.pixels.empty() ? 0 : 1), c.type);
    EXPECT_FALSE(KvCanvas::hasTranslucentPixel(ints({int32_t(0xF0000000), -1})));
    EXPECT_TRUE(KvCanvas::hasTranslucentPixel(ints({int32_t(0xEFFFFFFF), -1})));
}

TEST_F(KvCanvasTest, OutputBufferIsLittleEndianAndBounded) {
    KvCanvas::outputBuffer = kvtest::Bytes::_VM_new(7);
    KvCanvas::outputPosition = 0;
    KvCanvas::putShortLE(0x4D42);
    KvCanvas::putIntLE(0x01020304);
    EXPECT_NE(thrown([] { KvCanvas::putShortLE(1); }).find("ArrayIndexOutOfBounds"), std::string::npos);
    KvCanvas::putByte(0x1FF);
    EXPECT_EQ(kvtest::vec(KvCanvas::outputBuffer), (std::vector<uint8_t>{0x42, 0x4D, 4, 3, 2, 1, 0xFF}));
}

TEST_F(KvCanvasTest, IndexedPixelsPutMagentaFirst) {
    const int32_t red = int32_t(0xFFF80000), magenta = int32_t(0xFFF800F8), blue = int32_t(0xFF0000F8);
    VMPtr<KvCanvas::Image> image = KvCanvas::createRGBImage(ints({red, magenta, red, blue}), 2, 2, false);
    VMPtr<IntArray> palette = IntArray::_VM_new(256);
    EXPECT_EQ(kvtest::vec(KvCanvas::toIndexedPixels(image, palette)), (std::vector<uint8_t>{1, 0, 1, 2}));
    EXPECT_EQ(palette->elements()[0], 0xF800F8);
    EXPECT_EQ(palette->elements()[2], 0x0000F8);
    VMPtr<IntArray> small = IntArray::_VM_new(2);
    EXPECT_EQ(kvtest::vec(KvCanvas::toIndexedPixels(image, small)), (std::vector<uint8_t>{1, 0, 1, 0}));  // nearest
}

}  // namespace
