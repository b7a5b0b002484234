// Gob sets from the resource pack: the stream decoded field by field (one- and two-byte
// widths, signed and unsigned bytes, absent groups, alpha types, the image named in the
// set's own part), damaged streams and blocks shorter than their counts answer null, and
// sets written by the pack writer's encoder load back gob for gob with their pixels, and
// their transparent pixels let the background show.

#include <gtest/gtest.h>

#include <stdexcept>

#include "src/kv/kv_Resources.h"
#include "tests/kv/PaintSupport.h"
#include "tests/kv/io/resource/PackFolder.h"
#include "tools/packwriter/GobSetEncoder.h"

namespace {

using kv::Gob;
using kv::Resources;
using packwriter::Bytes;
using packwriter::GobDescriptor;

constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

packwriter::Sheet sheet(int32_t w, int32_t h) {
    packwriter::Sheet s;
    s.width = w;
    s.height = h;
    s.argb.assign(size_t(w * h), kRed);
    s.argb[1] = kBlue;
    return s;
}

// A gob-set stream naming image 0: header, value block and optional alpha-type block.
Bytes setStream(int32_t length, int32_t mask, int32_t countWord, const Bytes& block, const Bytes& alpha = {}) {
    Bytes out = {0, 0, 0};
    packwriter::putU16(out, uint32_t(length));
    packwriter::putU16(out, uint32_t(mask));
    packwriter::putU16(out, uint32_t(countWord));
    out.insert(out.end(), block.begin(), block.end());
    if (countWord & 0x2000) {
        packwriter::putU16(out, uint32_t(alpha.size() + 5));
        out.insert(out.end(), 5, 0);
        out.insert(out.end(), alpha.begin(), alpha.end());
    }
    return out;
}

// The set's gobs read through getGobs from a pack of the sheet and the set.
VMPtr<Gob::GobArray> load(const Bytes& set) {
    Resources::attachStream(kvtest::streamOf(packwriter::table({{packwriter::encodeSheetPng(sheet(256, 2)), -3},
                                                                 {set, -1}})));
    return Resources::getGobs(1);
}

std::vector<int32_t> fieldsOf(Gob* g) {
    return {g->offsetX, g->offsetY, g->width, g->height, g->collisionX, g->collisionY, g->collisionWidth,
            g->collisionHeight, g->circularBox, g->alphaType};
}

class GobSetTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(GobSetTest, StreamsDecodeFieldByField) {
    const Bytes oneByte = {0xFF, 0x01, 0xFF, 0x00, 0x01, 0x01, 0xFF, 0x80, 0xFF, 0x80};
    const Bytes twoBytes = {0xFF, 0xFE, 0, 0, 0, 0xFF, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0x80, 0x10, 0x02, 0x00};
    struct Case { Bytes set; std::vector<std::vector<int32_t>> gobs; } cases[] = {
        {setStream(14, 0x7FE0, 1, oneByte), {{-1, 1, 1, 1, -1, -128, 255, 128, 0, 0}}},
        {setStream(24, 0, 1, twoBytes), {{-2, 0, 1, 1, 0, 0, 16, 512, -1, 0}}},
        {setStream(4, 0x0007, 2, {}), {std::vector<int32_t>(10, 0), std::vector<int32_t>(10, 0)}},
        {setStream(4, 0x0007, 0x2003, {}, {0x1B}),
         {{0, 0, 0, 0, 0, 0, 0, 0, 0, 3}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}}},
    };
    for (const Case& c : cases) {
        VMPtr<Gob::GobArray> gobs = load(c.set);
        ASSERT_TRUE(gobs);
        ASSERT_EQ(gobs->length, int32_t(c.gobs.size()));
        for (int32_t i = 0; i < gobs->length; ++i) {
            EXPECT_EQ(fieldsOf(gobs->elements()[i]), c.gobs[size_t(i)]);
            EXPECT_EQ(bool(gobs->elements()[i]->image), gobs->elements()[i]->width > 0);
        }
    }
    VMPtr<kvtest::Image> image = kvtest::blankImage(1, 1);
    load(setStream(14, 0x7FE0, 1, oneByte))->elements()[0]->paint(image->getGraphics(), 1, -1, 0);
    EXPECT_EQ(kvtest::pixelsOf(image)[0], int32_t(0xFFF80000));
}

TEST_F(GobSetTest, DamageAnswersNull) {
    const Bytes oneByte = {0xFF, 0x01, 0xFF, 0x00, 0x01, 0x01, 0xFF, 0x80, 0xFF, 0x80};
    const Bytes whole = setStream(14, 0x7FE0, 1, oneByte);
    const Bytes damaged[] = {
        setStream(13, 0x7FE0, 1, Bytes(oneByte.begin(), oneByte.end() - 1)),  // value block a byte short
        setStream(4, 0x0007, 0x2005, {}, {0x1B}),                            // alpha types for 4 of 5 gobs
        Bytes(whole.begin(), whole.end() - 1),                              // stream ends early
        setStream(3, 0x0007, 0, {}),                                        // negative block length
        setStream(14, 0x7FE0, 1, {0, 0, 0xFF, 0, 2, 1, 0, 0, 0, 0}),          // picture leaves the sheet
    };
    for (const Bytes& set : damaged) EXPECT_FALSE(load(set));
    EXPECT_FALSE(Resources::readGobSet(0x0C05, nullptr, kvtest::streamOf({0x00, 0x12, 0, 0, 4, 0, 7, 0, 0})));
    EXPECT_EQ(Resources::gobImageId, 0x0C12);
    EXPECT_TRUE(load(whole));
}

TEST_F(GobSetTest, EncodedSetsLoadBackWithTheirPixels) {
    std::vector<GobDescriptor> gobs(3);
    gobs[0] = {-1, -2, 300, 1, 2, 1, 0, 0, 0, 0, false, 1};
    gobs[1] = {5, 0, 0, 0, 2, 2, 0, 0, 0, 0, false, 3};
    gobs[2] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false, 2};
    std::vector<packwriter::Entry> part;
    const int32_t id = packwriter::addGobSet(part, sheet(320, 2), gobs, true);
    const Bytes& set = part[size_t(id)].bytes;
    EXPECT_EQ((set[5] << 8) | set[6], 0x0004 | 0x20 | 0x40 | 0x100 | 0x200 | 0x400);  // no collision group; sheet x wide
    Resources::attachStream(kvtest::streamOf(packwriter::table(part)));
    VMPtr<Gob::GobArray> first = Resources::getGobs(id), second = Resources::getGobs(id);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    for (int32_t i = 0; i < 3; ++i) {
        const GobDescriptor& d = gobs[size_t(i)];
        EXPECT_EQ(fieldsOf(first->elements()[i]), (std::vector<int32_t>{d.offsetX, d.offsetY, d.width, d.height, 0, 0,
                                                                         0, 0, 0, d.alphaType}));
        EXPECT_EQ(fieldsOf(first->elements()[i]), fieldsOf(second->elements()[i]));
    }
    VMPtr<kvtest::Image> image = kvtest::blankImage(2, 2);
    first->elements()[1]->paint(image->getGraphics(), -5, 0, 0);
    EXPECT_EQ(kvtest::pixelsOf(image), (std::vector<int32_t>{int32_t(0xFFF80000), int32_t(0xFF0000F8),
                                                             int32_t(0xFFF80000), int32_t(0xFFF80000)}));

    GobDescriptor wide;
    wide.offsetX = 40000;
    EXPECT_THROW(packwriter::encodeGobSet({0, {wide}, false}), std::invalid_argument);
    EXPECT_THROW(packwriter::encodeGobSet({0, std::vector<GobDescriptor>(4096), false}), std::invalid_argument);
    EXPECT_THROW(packwriter::addGobSet(part, sheet(4, 4), {gobs[0]}), std::invalid_argument);
}

// A loaded gob keeps its picture's transparency: drawn over a background, its fully
// transparent pixel leaves the background as it was and its half-transparent pixel mixes
// with it, for the image's own kind (alpha type 0) and for the alpha plane (type 3, the
// type anti-aliased art gets).
TEST_F(GobSetTest, LoadedGobsLetTheBackgroundShowThroughTransparentPixels) {
    packwriter::Sheet art;
    art.width = 3;
    art.argb = {kRed, 0x00FF0000, 0x80FF0000};  // opaque, fully transparent, half transparent
    const int32_t types[] = {0, 3};
    std::vector<GobDescriptor> gobs;
    for (int32_t type : types) gobs.push_back({0, 0, 0, 0, 3, 1, 0, 0, 0, 0, false, type});
    std::vector<packwriter::Entry> part;
    const int32_t id = packwriter::addGobSet(part, art, gobs, true);
    Resources::attachStream(kvtest::streamOf(packwriter::table(part)));
    VMPtr<Gob::GobArray> loaded = Resources::getGobs(id);
    ASSERT_TRUE(loaded);
    for (int32_t i = 0; i < 2; ++i) {
        const int32_t type = types[i];
        EXPECT_EQ(loaded->elements()[i]->alphaType, type);
        VMPtr<kvtest::Image> image = kvtest::blankImage(4, 1);
        VMPtr<kvtest::Graphics> g = image->getGraphics();
        g->setColor(0x00FF00);
        g->fillRect(0, 0, 4, 1);
        loaded->elements()[i]->paint(g, 0, 0, 0);
        const std::vector<int32_t> px = kvtest::pixelsOf(image);
        const int32_t background = px[3], red = int32_t(0xFFF80000);
        EXPECT_EQ(px[0], red) << "alpha type " << type;
        EXPECT_EQ(px[1], background) << "alpha type " << type << ": the transparent pixel";
        EXPECT_TRUE(px[2] != red && px[2] != background && (px[2] & 0xFF0000) && (px[2] & 0x00FF00))
            << "alpha type " << type << ": the half-transparent pixel is a mix, not " << std::hex << px[2];
    }
}

}  // namespace
