// Image: the factories' checks and result mapping, the mutable fill colour, pixel read-back
// with its range checks, and the alpha question.

#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "tests/j2me/lcdui/ProfileTestSupport.h"

namespace profiletest {
namespace {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::IllegalArgumentException;
using ByteArray = VMArray<int8_t, 1>;

TEST(Image, FactoriesCheckArgumentsAndMapPlatformResults) {
    testRuntime();
    VMPtr<ByteArray> bytes = ByteArray::_VM_new(8);
    EXPECT_THROW(Image::createImage(bytes, 8, 0), ArrayIndexOutOfBoundsException*);
    EXPECT_THROW(Image::createImage(bytes, 1, INT_MAX), ArrayIndexOutOfBoundsException*);
    EXPECT_EQ(messageOf<IllegalArgumentException>([&] { Image::createImage(bytes, 0, 8); }),
              "HAL_createImageWithData() error: HAL_BAD_FORMAT_ERR");
    EXPECT_EQ(messageOf<java::io::IOException>([] { Image::createImage(VMPtr<java::lang::String>::fromLiteral("/no-such-image.png")); }),
              "HAL_createImageWithResource() error: 4");
    EXPECT_THROW(Image::createRGBImage(ints({1, 2, 3, 4}), 0, 5, false), IllegalArgumentException*);
    EXPECT_THROW(Image::createRGBImage(ints({1, 2, 3, 4}), 65536, 65536, false), ArrayIndexOutOfBoundsException*)
        << "w * h must not wrap to 0";
    EXPECT_THROW(Image::createRGBImage(ints({1, 2, 3, 4}), 40000, 1, false), ArrayIndexOutOfBoundsException*);
    EXPECT_THROW(Image::createImage(40000, 1, false, 0), IllegalArgumentException*) << "a size the platform refuses";
    EXPECT_THROW(Image::createImage(0, 1, true, 0), IllegalArgumentException*);
    EXPECT_THROW(Image::createImage(-1, 1, true, 0), IllegalArgumentException*);
    EXPECT_THROW(imageOf({"A"})->getGraphics(), java::lang::IllegalStateException*);
}

TEST(Image, MutableImagesAreFilledWithTheirColour) {
    testRuntime();
    VMPtr<Image> opaque = Image::createImage(3, 2, false, 0x00F80000);
    EXPECT_EQ(lettersOf(opaque), std::vector<std::string>({"AAA", "AAA"})) << "the alpha byte 0 is made opaque";
    EXPECT_FALSE(opaque->hasAlpha());
    VMPtr<Image> clear = Image::createImage(2, 1, true, 0);
    VMPtr<IntArray> pixels = ints({-1, -1});
    clear->getRGB(pixels, 0, 2, 0, 0, 2, 1);
    EXPECT_EQ(uint32_t(pixels->elements()[0]) >> 24, 0u);
    EXPECT_TRUE(clear->hasAlpha());
}

// Drawing into a transparent image composites its alpha: opaque draws (spans, lines, blits)
// make pixels opaque, a blended fill adds its share, untouched pixels stay transparent.
TEST(Image, DrawingIntoATransparentImageCompositesItsAlpha) {
    testRuntime();
    auto argb = [](const VMPtr<Image>& image) {
        VMPtr<IntArray> out = ints(std::vector<int32_t>(size_t(image->getWidth() * image->getHeight()), 0));
        image->getRGB(out, 0, image->getWidth(), 0, 0, image->getWidth(), image->getHeight());
        std::vector<uint32_t> values;
        for (int32_t i = 0; i < out->length; ++i) values.push_back(uint32_t(out->elements()[i]));
        return values;
    };
    VMPtr<Image> filled = Image::createImage(2, 1, true, int32_t(0x80F80000));
    EXPECT_EQ(argb(filled), std::vector<uint32_t>(2, 0x80F80000u));
    VMPtr<Graphics> half = filled->getGraphics();
    half->setARGBColor(int32_t(0x80F80000));
    half->fillRect(0, 0, 1, 1);
    EXPECT_EQ(argb(filled)[0] >> 24, 192u) << "128 over 128";
    VMPtr<Image> drawn = Image::createImage(3, 2, true, 0);
    VMPtr<Graphics> g = drawn->getGraphics();
    g->setColor(0x0000F8);
    g->drawLine(0, 0, 1, 0);
    g->drawImage(Image::createImage(1, 1, false, 0x00F800), 2, 1, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ(argb(drawn), (std::vector<uint32_t>{0xFF0000F8u, 0xFF0000F8u, 0, 0, 0, 0xFF00F800u}));
}

TEST(Image, GetRgbRoundTripsAndChecksRanges) {
    testRuntime();
    VMPtr<Image> image = imageOf({"ABC", "DEF"});
    VMPtr<IntArray> out = ints(std::vector<int32_t>(10, 0));
    image->getRGB(out, 8, -4, 1, 0, 2, 2);  // rows upwards: row 0 at 8, row 1 at 4
    EXPECT_EQ(out->elements()[8], colourOf('B'));
    EXPECT_EQ(out->elements()[9], colourOf('C'));
    EXPECT_EQ(out->elements()[4], colourOf('E'));
    EXPECT_EQ(out->elements()[5], colourOf('F'));
    image->getRGB(nullptr, 0, 0, 0, 0, 0, 2);  // nothing to read: the array is not looked at
    struct Bad { int32_t offset, scanlength, x, w, h; bool index; };
    const Bad bad[] = {{0, 3, -1, 1, 1, false}, {0, 3, 1, INT_MAX, 1, false}, {0, 1, 0, 2, 1, false},
                       {8, 3, 0, 3, 1, true},   {-1, 3, 0, 1, 1, true},       {9, -4, 0, 3, 2, true},
                       {2, INT_MAX, 0, 1, 2, true}, {INT_MAX, 3, 0, 3, 1, true}};
    for (const Bad& b : bad) {
        auto read = [&] { image->getRGB(out, b.offset, b.scanlength, b.x, 0, b.w, b.h); };
        if (b.index) EXPECT_THROW(read(), ArrayIndexOutOfBoundsException*) << b.offset << "/" << b.scanlength;
        else EXPECT_THROW(read(), IllegalArgumentException*) << b.x << "/" << b.w;
    }
}

}  // namespace
}  // namespace profiletest
