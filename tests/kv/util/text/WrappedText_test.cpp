// Wrapped text with a one-pixel-per-character glyph font: the break rules (hard breaks,
// leading spaces, break characters, minus signs, words wider than the line, the character
// that does not fit), progress when nothing fits, the line-table limit, and painting that
// asks the font only for the lines inside the clip, from the first line on, placed by the
// anchor, with the text's alpha on the shared glyphs.

#include <gtest/gtest.h>

#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"
#include "tests/kv/util/text/TextTestSupport.h"

namespace texttest {

class Canvas : public kv::KvCanvas {
    VM_CLASS(Canvas, kv::KvCanvas)
    void paint(VMPtr<javax::microedition::lcdui::Graphics>) override {}
};

// Records the start of every substring it draws.
class CountingFont : public kv::util::text::RichFont {
    VM_CLASS(CountingFont, kv::util::text::RichFont)
    void drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y,
                       int32_t anchor) override {
        starts.push_back(off);
        RichFont::drawSubstring(g, s, off, len, x, y, anchor);
    }
    std::vector<int32_t> starts;
};

}  // namespace texttest

VM_DEFINE_CLASS(texttest::Canvas, "WrappedTextTestCanvas", "kv.KvCanvas", VM_NO_CLINIT)
VM_DEFINE_CLASS(texttest::CountingFont, "WrappedTextTestCountingFont", "kv.util.text.RichFont", VM_NO_CLINIT)

namespace {

using kv::util::text::WrappedText;
using kvtest::text;

std::vector<std::string> lines(const VMPtr<WrappedText>& wrapped) {
    std::vector<std::string> out;
    VMPtr<WrappedText::StringArray> all = wrapped->getLines();
    for (int32_t i = 0; i < all->length; ++i) out.push_back(VMPtr<java::lang::String>(all->elements()[i])->toUtf8());
    return out;
}

class WrappedTextTest : public testing::Test {
protected:
    kvtest::PackFolder folder;
    VMPtr<texttest::Canvas> canvas = texttest::Canvas::_VM_new();
    VMPtr<kv::util::text::RichFont> font = kvtest::monospaceFont();

    VMPtr<WrappedText> wrapped() {
        VMPtr<WrappedText> w = WrappedText::_VM_new();
        return w->_VM_init(canvas);
    }

    // A counting font over the monospace glyphs.
    VMPtr<texttest::CountingFont> countingFont() {
        VMPtr<texttest::CountingFont> counting = texttest::CountingFont::_VM_new();
        counting->_VM_init();
        counting->setGlyphs(font->getGlyphs());
        return counting;
    }
};

TEST_F(WrappedTextTest, BreakRules) {
    struct Case { const char* text; int32_t width; std::vector<std::string> lines; } cases[] = {
        {"", 5, {}},
        {"a\n\nb", 5, {"a", "", "b"}},
        {"a\n", 5, {"a"}},
        {"a\r\nb\rc", 5, {"a", "b", "c"}},
        {"  ab", 5, {" ab"}},
        {"abcd ", 4, {"abcd", ""}},
        {"abcd", 4, {"abcd"}},
        {"ab-cdef", 5, {"ab-", "cdef"}},
        {"ab@cdef", 5, {"ab@", "cdef"}},
        {"ab -12", 5, {"ab", "-12"}},
        {"abcdefgh", 3, {"abc", "def", "gh"}},
        {"ab cd-ef", 5, {"ab cd", "-ef"}},
        {"abcde fg", 5, {"abcde", "fg"}},
        {"one two three", 7, {"one two", "three"}},
        {"abc", 0, {"a", "b", "c"}},
        {" a b", -3, {"a", "b"}},
    };
    VMPtr<WrappedText> w = wrapped();
    for (const Case& c : cases) {
        EXPECT_EQ(w->wrap(font, text(c.text), c.width), int32_t(c.lines.size())) << c.text;
        EXPECT_EQ(lines(w), c.lines) << c.text;
    }
    EXPECT_EQ(w->getLineStart(1), 3);
    EXPECT_THROW(w->wrap(font, text(std::string(32768, 'x')), 100), java::lang::IllegalArgumentException*);
    EXPECT_EQ(w->wrap(font, text(std::string(32767, 'x')), 32767), 1);
}

TEST_F(WrappedTextTest, WrapsInACopyOfTheCanvasFont) {
    VMPtr<WrappedText> w = wrapped();
    const int32_t count = w->wrap(text("The quick brown fox jumps over the lazy dog"), 60);
    EXPECT_GT(count, 1);
    EXPECT_NE(w->font.get(), canvas->getRichFont().get());
    for (const std::string& line : lines(w)) EXPECT_LE(canvas->getRichFont()->stringWidth(text(line)), 60) << line;
    EXPECT_EQ(w->getHeight(), count * canvas->getRichFont()->getHeight());
}

TEST_F(WrappedTextTest, PaintsOnlyTheLinesInsideTheClip) {
    std::string many;
    for (int32_t i = 0; i < 600; ++i) many += "x\n";
    VMPtr<texttest::CountingFont> counting = countingFont();
    VMPtr<WrappedText> w = wrapped();
    w->wrap(counting, text(many), 5);
    w->setLineSpacing(1);
    VMPtr<kvtest::Image> image = kvtest::blankImage(10, 20);
    VMPtr<kvtest::Graphics> g = image->getGraphics();
    g->setClip(0, 4, 10, 4);
    w->paint(g, 0, -1000, 4);
    EXPECT_EQ(counting->starts, (std::vector<int32_t>{1004, 1006, 1008}));
    counting->starts.clear();
    w->setFirstLine(590);
    w->paint(g, 0, 3, 4);
    EXPECT_EQ(counting->starts, (std::vector<int32_t>{1180, 1182, 1184}));
    counting->starts.clear();
    w->setFirstLine(597);
    w->setLineSpacing(-1);
    w->paint(g, 0, -5, 4);
    EXPECT_EQ(counting->starts, (std::vector<int32_t>{1194, 1196, 1198}));
}

TEST_F(WrappedTextTest, AnchorsPlaceLinesInTheBlockAndAlphaReachesTheGlyphs) {
    VMPtr<WrappedText> w = wrapped();
    w->wrap(font, text("ab\ncdef"), 10);
    for (auto [anchor, left] : {std::pair{4, 0}, std::pair{1, 4}, std::pair{8, 8}}) {
        VMPtr<kvtest::Image> image = kvtest::blankImage(12, 2);
        w->paint(image->getGraphics(), 0, 0, anchor | 16);
        const std::vector<int32_t> px = kvtest::pixelsOf(image);
        EXPECT_NE(px[size_t(left)] & 0xFFFFFF, 0) << anchor;
        EXPECT_EQ(px[size_t(left + 2)] & 0xFFFFFF, 0) << anchor;
    }
    w->setAlpha(100);
    w->paint(kvtest::blankImage(12, 2)->getGraphics(), 0, 0, 20);
    EXPECT_EQ(font->getAlpha(), 100);
}

}  // namespace
