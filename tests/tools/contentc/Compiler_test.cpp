// The content compiler end to end: small sources of the test's own compiled into a resource
// folder and read back through the framework's own readers (animation sets, gob sets, glyph
// fonts, text tables); the id header; the same sources giving the same bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "src/kv/kv_AnimSet.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"
#include "src/kv/util/text/kv_util_text_Translation.h"
#include "tests/kv/io/resource/PackFolder.h"
#include "tests/tools/contentc/SmallContent.h"
#include "tools/contentc/GlyphFonts.h"

namespace {

namespace fs = std::filesystem;
using kv::Resources;
using IntArray = VMArray<int32_t, 1>;

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, std::string> folderBytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) files[entry.path().filename()] = fileText(entry.path());
    return files;
}

std::u16string units(const VMPtr<java::lang::String>& s) { return std::u16string(s->chars(), size_t(s->length())); }

class CompilerTest : public testing::Test {
protected:
    void SetUp() override {
        contenttest::writeContent(sources, contenttest::smallContent());
        contentc::compile(contenttest::optionsFor(sources, pack.rsc()));
    }
    TemporaryFolder sources;
    kvtest::PackFolder pack;
};

TEST_F(CompilerTest, AnimationSetsReadBackWithFramesBoxesAndTiming) {
    VMPtr<kv::AnimSet> set = Resources::getAnimSet(0x800);
    set->setGobs(Resources::getGobs(0x801));
    EXPECT_EQ(set->getFrameCount(), 2);
    EXPECT_EQ(set->getAnimationCount(), 2);
    EXPECT_EQ(set->getAnimationDuration(0), 150);
    EXPECT_EQ(set->getAnimationDuration(1), 80);
    VMPtr<IntArray> bounds = IntArray::_VM_new(4);
    set->getFrameBounds(0, 0, bounds);
    EXPECT_EQ(std::vector<int32_t>(bounds->elements(), bounds->elements() + 4), (std::vector<int32_t>{-5, -3, 10, 6}));
    set->getFrameBounds(1, 0, bounds);  // mirrored about the anchor after its 4 px move
    EXPECT_EQ(std::vector<int32_t>(bounds->elements(), bounds->elements() + 4), (std::vector<int32_t>{-9, -3, 10, 6}));
    VMPtr<IntArray> rects = IntArray::_VM_new(10);
    ASSERT_EQ(set->getCollisionRectsOfType(0, 0, rects, 2), 1);
    EXPECT_EQ(std::vector<int32_t>(rects->elements(), rects->elements() + 5), (std::vector<int32_t>{-5, -3, 10, 6, 2}));
}

TEST_F(CompilerTest, GobSetsCarryTheTrimmedPictureItsAnchorAndCollisionBox) {
    VMPtr<kv::Gob::GobArray> gobs = Resources::getGobs(0x801);
    ASSERT_TRUE(gobs);
    ASSERT_EQ(gobs->length, 1);
    VMPtr<kv::Gob> bar = gobs->elements()[0];
    EXPECT_EQ(bar->width, 10);
    EXPECT_EQ(bar->height, 6);
    EXPECT_EQ(bar->offsetX, -5);
    EXPECT_EQ(bar->offsetY, -3);
    EXPECT_EQ(bar->collisionX, 3);  // (-2, -1) from the anchor, from the picture's corner
    EXPECT_EQ(bar->collisionY, 2);
    EXPECT_EQ(bar->collisionWidth, 4);
    VMPtr<IntArray> pixel = IntArray::_VM_new(1);
    bar->image->getRGB(pixel, 0, 1, 0, 0, 1, 1);
    EXPECT_EQ(uint32_t(pixel->elements()[0]), 0xFFF80000u);  // red, as the 16-bit screen keeps it
}

TEST_F(CompilerTest, TextTablesHoldEveryIdWithGapsEmpty) {
    VMPtr<kv::util::text::Translation> english = Resources::getTranslation(0x1C04);
    VMPtr<kv::util::text::Translation> german = Resources::getTranslation(0x1C05);
    ASSERT_EQ(english->count, 3);
    EXPECT_EQ(units(english->getText(0)), u"Alpha");
    EXPECT_EQ(units(english->getText(1)), u"");
    EXPECT_EQ(units(english->getText(2)), u"Two\nlines");
    EXPECT_EQ(units(german->getText(0)), u"Gr\u00FC\u00DFe");
}

TEST_F(CompilerTest, GlyphFontsMeasureAsRendered) {
    const std::vector<contentc::GlyphFont> model =
        contentc::readFonts(sources.path() + "/content/fonts.json", "/usr/share/fonts/truetype/dejavu");
    auto advance = [&](char16_t c) {
        for (const contentc::Glyph& g : model[0].glyphs)
            if (g.code == c) return g.advance;
        return -1;
    };
    VMPtr<kv::util::text::RichFont> font = kv::util::text::RichFont::_VM_new();
    font->_VM_init();
    font->setGlyphs(Resources::getGobs(0x1C00));
    EXPECT_EQ(font->getHeight(), model[0].height);
    EXPECT_EQ(font->getBaselinePosition(), model[0].baseline);
    EXPECT_EQ(font->stringWidth(kvtest::text("A\xC3\xA9\xE2\x82\xAC")), advance(u'A') + advance(u'\u00E9') + advance(u'\u20AC'));
}

TEST_F(CompilerTest, HeaderNamesEveryResourceAndText) {
    const std::string header = fileText(sources.path() + "/generated/content/ContentIds.h");
    EXPECT_NE(header.find("constexpr int32_t SPRITE_SET = 0x800;"), std::string::npos);
    EXPECT_NE(header.find("constexpr int32_t SPRITE_SHEET = 0x802;"), std::string::npos);
    EXPECT_NE(header.find("constexpr int32_t TEXTS_GERMAN = 0x1C05;"), std::string::npos);
    EXPECT_NE(header.find("constexpr int32_t TEXT_B = 2;"), std::string::npos);
}

TEST_F(CompilerTest, SameSourcesGiveTheSameBytesAndStaleFilesGo) {
    TemporaryFolder again;
    again.write("rsc/RP9part0.rp", "stale");
    contentc::compile(contenttest::optionsFor(sources, again.path() + "/rsc"));
    EXPECT_EQ(folderBytes(pack.rsc()), folderBytes(again.path() + "/rsc"));
}

}  // namespace
