// The access layer's PNG helpers and image paths over packs written by the pack writer:
// palette lookup and the guarded palette exchange (restored after a failed decode),
// transparency lookup, image loading from entry bytes and from a directory's image file, the
// BMP export, and closing the pack through an empty record slot.

#include <gtest/gtest.h>

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"
#include "tests/kv/io/resource/PackFolder.h"
#include "tests/support/PngWriter.h"

namespace resourcestest {

// A running canvas for loadRecord; it is never shown.
class RecordCanvas : public kv::KvCanvas {
    VM_CLASS(RecordCanvas, kv::KvCanvas)
    void paint(VMPtr<javax::microedition::lcdui::Graphics> g) override {}
};

}  // namespace resourcestest

VM_DEFINE_CLASS(resourcestest::RecordCanvas, "ResourcesTestRecordCanvas", "kv.KvCanvas", VM_NO_CLINIT)

namespace {

using kvtest::streamOf;

using kv::Resources;
using kv::io::resource::ResourcePack;
using kvtest::thrown;
using packwriter::Bytes;

// A 2 x 1 indexed picture of palette entries 0 and 1.
Bytes indexedPng(const Bytes& palette, const Bytes& alpha = {}) {
    png_writer::Picture picture;
    picture.width = 2;
    picture.colorType = png_writer::kPalette;
    picture.palette = palette;
    picture.transparency = alpha;
    picture.samples = {0, 1};
    return png_writer::encode(picture);
}

const Bytes kRedGreen = {0xFF, 0, 0, 0, 0xFF, 0};
const Bytes kBlueWhite = {0, 0, 0xFF, 0xFF, 0xFF, 0xFF};

Bytes head(const VMPtr<kvtest::Bytes>& array, size_t n) {
    const Bytes all = kvtest::vec(array);
    return Bytes(all.begin(), all.begin() + long(n));
}

int32_t pixel(const VMPtr<javax::microedition::lcdui::Image>& image, int32_t x, int32_t y) {
    VMPtr<VMArray<int32_t, 1>> argb = VMArray<int32_t, 1>::_VM_new(1);
    image->getRGB(argb, 0, 1, x, y, 1, 1);
    return argb->elements()[0] & 0xFFFFFF;
}

// The colour as the 16-bit renderer keeps it.
int32_t rgb565(int32_t rgb) { return rgb & 0xF8FCF8;
}

class ResourcesTest : public testing::Test {
protected:
    kvtest::PackFolder folder;

    void attach(const std::vector<Bytes>& entries) {
        std::vector<packwriter::Entry> list;
        for (const Bytes& e : entries) list.push_back({e, -3});
        ASSERT_EQ(Resources::attachStream(streamOf(packwriter::table(list))), 1);
    }
};

TEST_F(ResourcesTest, PaletteAndTransparencyLookups) {
    attach({indexedPng(kRedGreen), indexedPng(kRedGreen, {0xFF, 0xFF, 0}), indexedPng(kRedGreen, {0xFF, 0xFF})});
    VMPtr<kvtest::Bytes> palette = Resources::getPalette(0);
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->length, 10);  // colours and CRC
    EXPECT_EQ(head(palette, 6), kRedGreen);
    EXPECT_EQ(Resources::paletteOffset, 41);
    EXPECT_EQ(Resources::getTransparentIndex(0), -1);
    EXPECT_EQ(Resources::getTransparentIndex(1), 2);
    EXPECT_EQ(Resources::getTransparentIndex(2), -1);
    const Bytes png = indexedPng(kRedGreen, {0xFF, 0xFF, 0});
    EXPECT_EQ(Resources::findTransparentIndex(streamOf(Bytes(png.begin(), png.begin() + 61))), -1);  // ends in tRNS
    png_writer::Picture rgb;
    rgb.samples = {1, 2, 3};
    EXPECT_FALSE(Resources::readPaletteChunk(streamOf(png_writer::encode(rgb))));
    Bytes huge = indexedPng(kRedGreen);
    huge[33] = 0x7F;  // a PLTE length far beyond 256 colours
    EXPECT_FALSE(Resources::readPaletteChunk(streamOf(huge)));
}

TEST_F(ResourcesTest, PaletteExchangeIsGuardedAndReversible) {
    VMPtr<kvtest::Bytes> data = kvtest::bytes(indexedPng(kRedGreen));
    const Bytes original = kvtest::vec(data);
    VMPtr<kvtest::Bytes> palette = Resources::readPaletteChunk(streamOf(indexedPng(kBlueWhite)));
    const Bytes paletteBytes = kvtest::vec(palette);
    Resources::swapPalette(data, 0, palette);
    EXPECT_EQ(head(palette, 6), kRedGreen);
    Resources::swapPalette(data, 0, palette);
    EXPECT_EQ(kvtest::vec(data), original);
    EXPECT_EQ(kvtest::vec(palette), paletteBytes);
    Resources::swapPalette(data, 0, nullptr);
    const VMPtr<kvtest::Bytes> refused[] = {kvtest::bytes(Bytes(9, 1)), kvtest::bytes(Bytes(13, 1))};
    for (const auto& wrong : refused)
        EXPECT_NE(thrown([&] { Resources::swapPalette(data, 0, wrong); }).find("IllegalArgumentException"), std::string::npos);
    VMPtr<kvtest::Bytes> cut = kvtest::bytes(Bytes(original.begin(), original.begin() + 45));
    EXPECT_NE(thrown([&] { Resources::swapPalette(cut, 0, palette); }).find("IllegalArgumentException"), std::string::npos);
    EXPECT_EQ(kvtest::vec(data), original);
    EXPECT_EQ(kvtest::vec(palette), paletteBytes);
}

TEST_F(ResourcesTest, ImagesDecodeWithAnExchangedPalette) {
    Bytes broken = indexedPng(kRedGreen);
    broken[broken.size() - 20] ^= 0xFF;  // damage the compressed pixels
    attach({indexedPng(kRedGreen), broken});
    VMPtr<kvtest::Bytes> palette = Resources::readPaletteChunk(streamOf(indexedPng(kBlueWhite)));
    const Bytes paletteBytes = kvtest::vec(palette);
    const Bytes pack = kvtest::vec(Resources::getPackData(0));
    VMPtr<javax::microedition::lcdui::Image> plain = Resources::getImage(0);
    VMPtr<javax::microedition::lcdui::Image> swapped = Resources::getImage(0, palette);
    EXPECT_EQ(pixel(plain, 0, 0), rgb565(0xFF0000));
    EXPECT_EQ(pixel(swapped, 0, 0), rgb565(0x0000FF));
    EXPECT_NE(Resources::getImage(0).get(), plain.get());
    EXPECT_NE(thrown([&] { Resources::getImage(1, palette); }), "");
    EXPECT_EQ(kvtest::vec(Resources::getPackData(0)), pack);  // the swap back ran after the failure
    EXPECT_EQ(kvtest::vec(palette), paletteBytes);
}

TEST_F(ResourcesTest, DirectoryImageFileIsDecodedByName) {
    packwriter::writeDirectoryPart(folder.rsc(), 2, {{indexedPng(kRedGreen), -3}});
    EXPECT_EQ(pixel(Resources::getImage(2 << 10), 1, 0), rgb565(0x00FF00));
    // With a palette, or at an offset inside its file, the entry is decoded from its bytes.
    VMPtr<kvtest::Bytes> palette = Resources::readPaletteChunk(streamOf(indexedPng(kBlueWhite)));
    EXPECT_EQ(pixel(Resources::getImage(2 << 10, palette), 0, 0), rgb565(0x0000FF));
    const std::vector<packwriter::Entry> shifted = {{indexedPng(kRedGreen), -3}};
    Bytes vfso = packwriter::directory(shifted);
    vfso[15] = 4;  // entry 0 at offset 4 of its file
    folder.write("RP3part0.rp", packwriter::container({packwriter::chunk(packwriter::kIdRphe, packwriter::table(shifted, true, false)),
                                                       packwriter::chunk(packwriter::kIdVfso, vfso)}));
    Bytes file = {'j', 'u', 'n', 'k'};
    file.insert(file.end(), shifted[0].bytes.begin(), shifted[0].bytes.end());
    folder.write("RP3part1.png", file);
    EXPECT_EQ(pixel(Resources::getImage(3 << 10), 1, 0), rgb565(0x00FF00));
    std::filesystem::resize_file(folder.rsc() + "/RP2part1.png", 20);
    EXPECT_NE(thrown([] { Resources::getImage(2 << 10); }).find("java.lang.RuntimeException"), std::string::npos);
}

TEST_F(ResourcesTest, BmpExportWritesBottomRowFirst) {
    png_writer::Picture picture;
    picture.width = 3;
    picture.height = 2;
    picture.samples = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0, 0};
    attach({png_writer::encode(picture)});
    VMPtr<kvtest::Bytes> saved = kvtest::Bytes::_VM_new(4);
    kv::KvCanvas::outputBuffer = saved;
    kv::KvCanvas::outputPosition = 3;
    const Bytes bmp = kvtest::vec(Resources::getImageAsBmp(0));
    EXPECT_EQ(kv::KvCanvas::outputBuffer.get(), saved.get());
    EXPECT_EQ(kv::KvCanvas::outputPosition, 3);
    ASSERT_EQ(bmp.size(), 1086u);
    auto le32 = [&](size_t at) { return int32_t(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | uint32_t(bmp[at + 3]) << 24); };
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(le32(2), 1086);
    EXPECT_EQ(le32(10), 1078);
    EXPECT_EQ(le32(18), 3);
    EXPECT_EQ(le32(22), 2);
    EXPECT_EQ(le32(34), 8);
    VMPtr<javax::microedition::lcdui::Image> image = Resources::getImage(0);
    const int32_t rows[2] = {1, 0};
    for (int32_t r = 0; r < 2; ++r) {
        for (int32_t x = 0; x < 3; ++x) {
            const uint8_t index = bmp[size_t(1078 + r * 4 + x)];
            EXPECT_EQ(le32(54 + 4 * index), pixel(image, x, rows[r]) | int32_t(0xFF000000)) << r << " " << x;
        }
        EXPECT_EQ(bmp[size_t(1078 + r * 4 + 3)], 0);
    }
}

TEST_F(ResourcesTest, PackLoadsFromRecordSlots) {
    setenv("OSTREL_DATABASE_DIR", (folder.rsc() + "/../database").c_str(), 1);
    kv::KvCanvas::instance = resourcestest::RecordCanvas::_VM_new();
    const Bytes pack = packwriter::table({kvtest::entry("first"), kvtest::entry("second")});
    VMPtr<javax::microedition::rms::RecordStore> store =
        javax::microedition::rms::RecordStore::openRecordStore(kvtest::text("4"), true);
    const size_t half = pack.size() / 2;
    store->addRecord(kvtest::bytes(Bytes(pack.begin(), pack.begin() + long(half))), 0, int32_t(half));
    store->addRecord(kvtest::bytes(Bytes(pack.begin() + long(half), pack.end())), 0, int32_t(pack.size() - half));
    store->closeRecordStore();
    EXPECT_EQ(Resources::loadPackFromRecord(4), 1);  // the records joined in id order
    EXPECT_EQ(kvtest::str(Resources::getData(1)), "second");
    for (int32_t slot : {-1, 5}) {
        attach({indexedPng(kRedGreen)});
        EXPECT_EQ(Resources::loadPackFromRecord(slot), 0);
        EXPECT_EQ(ResourcePack::currentPart, -1);
    }
}

}  // namespace
