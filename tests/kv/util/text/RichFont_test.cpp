// Rich fonts: a glyph font written by the pack writer and loaded through getGobs is
// converted once and finds its glyphs by code; advances, ink widths and every anchor agree
// with the pixels drawn into an image (a first picture left of the pen, a character without
// a glyph, alignment on ink or on advances); numbers, trimmed heights and shared alpha; the
// system-font mode measures and draws through the profile's Font and leaves the Graphics
// colour as it was; short glyph arrays and unknown system font indexes are refused.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "tests/kv/util/text/TextTestSupport.h"

namespace texttest {

class Canvas : public kv::KvCanvas {
    VM_CLASS(Canvas, kv::KvCanvas)
    void paint(VMPtr<javax::microedition::lcdui::Graphics>) override {}
};

}  // namespace texttest

VM_DEFINE_CLASS(texttest::Canvas, "RichFontTestCanvas", "kv.KvCanvas", VM_NO_CLINIT)

namespace {

using kv::util::text::RichFont;
using kvtest::GlyphSpec;
using kvtest::text;

constexpr int32_t kTop = 16, kLeft = 4, kHCenter = 1, kRight = 8, kBottom = 32, kBaseline = 64;

std::vector<GlyphSpec> specs() {
    std::vector<GlyphSpec> s = {{u'A', 4, 3, 8, 0, 0}, {u'j', 2, 2, 8, -1, 2}, {u' ', 3, 0, 0, 0, 0},
                                {u'-', 3, 2, 1, 0, 4}, {u'\u00E9', 4, 3, 7, 0, 1}, {u'\u20AC', 4, 3, 6, 0, 2}};
    for (char16_t d = u'0'; d <= u'9'; ++d) s.push_back({d, 4, 3, 8, 0, 0});
    return s;
}

VMPtr<RichFont> testFont(bool alignByAdvance = false) {
    return kvtest::bitmapFont(kvtest::loadGlyphs(specs(), {10, 8, 5, 12, 3, alignByAdvance}));
}

// The box (x, y, width, height) of the pixels that are not black; zeros when there are none.
std::vector<int32_t> inkBox(const VMPtr<kvtest::Image>& image) {
    const std::vector<int32_t> px = kvtest::pixelsOf(image);
    const int32_t w = image->getWidth();
    int32_t left = w, top = 1 << 20, right = -1, bottom = -1;
    for (size_t i = 0; i < px.size(); ++i) {
        if ((px[i] & 0xFFFFFF) == 0) continue;
        const int32_t x = int32_t(i) % w, y = int32_t(i) / w;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
    if (right < 0) return {0, 0, 0, 0};
    return {left, top, right - left + 1, bottom - top + 1};
}

std::vector<int32_t> drawnBox(const VMPtr<RichFont>& font, const char* s, int32_t anchor) {
    VMPtr<kvtest::Image> image = kvtest::blankImage(40, 40);
    font->drawString(image->getGraphics(), text(s), 20, 20, anchor);
    return inkBox(image);
}

std::vector<int32_t> bounds(const VMPtr<RichFont>& font, const char* s, int32_t anchor) {
    VMPtr<kvtest::IntArray> out = kvtest::IntArray::_VM_new(4);
    font->stringBounds(text(s), 20, 20, out, anchor);
    return kvtest::vec(out, 4);
}

class RichFontTest : public testing::Test {
protected:
    kvtest::PackFolder folder;
};

TEST_F(RichFontTest, GlyphArraysConvertOnceAndFindGlyphsByCode) {
    VMPtr<RichFont> font = testFont();
    VMPtr<kv::Gob::GobArray> glyphs = font->getGlyphs();
    std::vector<int32_t> codes;
    for (int32_t i = 0; i < glyphs->length; ++i) codes.push_back(uint16_t(glyphs->elements()[i]->collisionX));
    EXPECT_EQ(codes, (std::vector<int32_t>{32, 45, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 65, 106, 0xE9, 0x20AC}));
    EXPECT_EQ(glyphs->elements()[3]->collisionHeight, 0);
    kvtest::bitmapFont(glyphs);
    EXPECT_EQ(uint16_t(glyphs->elements()[15]->collisionX), 0x20AC);
    EXPECT_EQ(font->findGlyph(u'j')->offsetX, -1);
    EXPECT_EQ(font->findGlyph(u'\u20AC').get(), glyphs->elements()[15]);
    EXPECT_FALSE(font->findGlyph(u'B'));
    font->mapGlyph(u'A', glyphs->elements()[0]);
    EXPECT_EQ(font->findGlyph(u'A').get(), glyphs->elements()[0]);

    VMPtr<kv::Gob::GobArray> six = kv::Gob::GobArray::_VM_new(6);
    for (int32_t i = 0; i < 6; ++i) six->set(i, glyphs->elements()[i]);
    EXPECT_THROW(font->setGlyphs(six), java::lang::IllegalArgumentException*);
    EXPECT_THROW(font->setGlyphs(kv::Gob::GobArray::_VM_new(7)), java::lang::IllegalArgumentException*);
    for (int32_t index : {-1, 6}) EXPECT_THROW(font->selectSystemFont(index), java::lang::IllegalArgumentException*);
    EXPECT_TRUE(font->isBitmapFont());
}

TEST_F(RichFontTest, MetricsAndMeasurements) {
    VMPtr<RichFont> font = testFont();
    EXPECT_EQ((std::vector<int32_t>{font->getHeight(), font->getBaselinePosition(), font->getLineHeight(),
                                    font->getExtraMetric(), font->getAlpha()}),
              (std::vector<int32_t>{10, 8, 12, 3, 255}));
    EXPECT_EQ(font->stringWidth(text("AjB")), 4 + 2 + 5);
    EXPECT_EQ(font->getCharDescent(u'j'), 2);
    EXPECT_EQ(font->getCharAscent(u'j'), 6);
    EXPECT_EQ(font->getCharDescent(u'A'), 0);
    EXPECT_EQ(font->stringHeight(text("A-")), 8);
    font->setTrimTop(true);
    EXPECT_EQ(font->stringHeight(text("-")), 1);
    EXPECT_EQ(font->stringHeight(text("-")), 5);
}

TEST_F(RichFontTest, AnchorsAndInkWidthsMatchTheDrawnPixels) {
    VMPtr<RichFont> font = testFont();
    for (const char* s : {"A-A", "jA", "A?", "j", "A j-7"})
        for (int32_t anchor : {kTop | kLeft, kTop | kHCenter, kTop | kRight, kBaseline | kLeft, kBottom | kHCenter, 0})
            EXPECT_EQ(drawnBox(font, s, anchor), bounds(font, s, anchor)) << s << " " << anchor;
    EXPECT_EQ(drawnBox(font, "A", kTop | kHCenter), (std::vector<int32_t>{19, 20, 3, 8}));
    EXPECT_EQ(drawnBox(font, "A?", kTop | kRight), (std::vector<int32_t>{17, 20, 3, 8}));
    EXPECT_EQ(drawnBox(testFont(true), "A?", kTop | kRight), (std::vector<int32_t>{11, 20, 3, 8}));
    EXPECT_EQ(drawnBox(font, "A?A", kTop | kLeft), (std::vector<int32_t>{20, 20, 12, 8}));
}

TEST_F(RichFontTest, NumbersAndSharedAlpha) {
    VMPtr<RichFont> font = testFont();
    for (auto [value, digits, expected] : {std::tuple{-7, 3, "-007"}, std::tuple{65536, 8, "65536"}}) {
        VMPtr<kvtest::Image> number = kvtest::blankImage(40, 20), string = kvtest::blankImage(40, 20);
        font->drawNumber(number->getGraphics(), value, digits, 2, 2, kTop | kLeft);
        font->drawString(string->getGraphics(), text(expected), 2, 2, kTop | kLeft);
        EXPECT_EQ(kvtest::pixelsOf(number), kvtest::pixelsOf(string));
        EXPECT_NE(inkBox(number)[2], 0);
    }
    VMPtr<RichFont> sharing = kvtest::bitmapFont(font->getGlyphs());
    font->setAlpha(128);
    EXPECT_EQ(sharing->getAlpha(), 128);
    VMPtr<kvtest::Image> image = kvtest::blankImage(4, 8);
    sharing->drawChar(image->getGraphics(), u'A', 0, 0, 0);
    const int32_t half = kvtest::pixelsOf(image)[0] & 0xFF;
    EXPECT_GT(half, 0x40);
    EXPECT_LT(half, 0xC0);
}

// Each form reads or writes the caller's array up to the first element outside it, which
// throws as the runtime's own array access does; ranges that end at the array's end pass.
TEST_F(RichFontTest, CallerArraysAreIndexedWithChecks) {
    using Chars = VMArray<char16_t, 1>;
    using Call = std::function<void(RichFont*, kvtest::Graphics*)>;
    constexpr std::optional<int32_t> kPasses;
    VMPtr<Chars> c = Chars::_VM_new(3);
    c->at(0) = u'A', c->at(1) = u'j', c->at(2) = u'A';
    auto out = [](int32_t n) { return kvtest::IntArray::_VM_new(n); };
    struct Row {
        const char* form;
        Call call;
        std::optional<int32_t> index;  // the first index outside the array, if any is reached
        bool systemFontToo;            // the bounds forms write the caller's array in either mode
    };
    const Row rows[] = {
        {"charsWidth past the end", [&](RichFont* f, auto*) { f->charsWidth(c, 0, 64); }, 3, false},
        {"charsWidth before the start", [&](RichFont* f, auto*) { f->charsWidth(c, -1, 2); }, -1, false},
        {"charsHeight past the end", [&](RichFont* f, auto*) { f->charsHeight(c, 2, 5); }, 3, false},
        {"charsHeight trimmed", [&](RichFont* f, auto*) { f->setTrimTop(true), f->charsHeight(c, 1, 3); }, 3, false},
        {"charsBounds past the end", [&](RichFont* f, auto*) { f->charsBounds(c, 0, 64, 0, 0, out(4), 20); }, 3, false},
        {"charsBounds before the start", [&](RichFont* f, auto*) { f->charsBounds(c, -2, 1, 0, 0, out(4), 20); }, -2, false},
        {"drawChars before the start", [&](RichFont* f, auto* g) { f->drawChars(g, c, -2, 3, 0, 0, 20); }, -2, false},
        {"drawChars centred past the end", [&](RichFont* f, auto* g) { f->drawChars(g, c, 1, 5, 0, 0, 17); }, 3, false},
        {"stringBounds into int[2]", [&](RichFont* f, auto*) { f->stringBounds(text("Aj"), 0, 0, out(2), 20); }, 2, true},
        {"charBounds into int[0]", [&](RichFont* f, auto*) { f->charBounds(u'A', 0, 0, out(0), 20); }, 0, true},
        {"charsBounds into int[3]", [&](RichFont* f, auto*) { f->charsBounds(c, 0, 3, 0, 0, out(3), 20); }, 3, true},
        {"the whole array", [&](RichFont* f, auto* g) { f->charsWidth(c, 0, 3), f->drawChars(g, c, 0, 3, 0, 0, 17); },
         kPasses, true},
        {"an empty range at the end", [&](RichFont* f, auto* g) { f->charsHeight(c, 3, 0), f->drawChars(g, c, 3, 0, 0, 0, 20); },
         kPasses, true},
    };
    VMPtr<RichFont> glyphs = testFont(), system = RichFont::_VM_new();
    system->_VM_init();
    VMPtr<kvtest::Image> image = kvtest::blankImage(20, 20);
    for (const Row& row : rows)
        for (RichFont* font : {glyphs.get(), system.get()}) {
            if (font == system.get() && !row.systemFontToo) continue;
            const std::string expected =
                row.index ? "java.lang.ArrayIndexOutOfBoundsException: Array index out of range: " + std::to_string(*row.index)
                          : "";
            EXPECT_EQ(kvtest::thrown([&] { row.call(font, image->getGraphics().get()); }), expected)
                << row.form << (font == system.get() ? " (system font)" : " (glyphs)");
        }
}

TEST_F(RichFontTest, SystemFontMode) {
    VMPtr<RichFont> font = RichFont::_VM_new();
    font->_VM_init();
    VMPtr<javax::microedition::lcdui::Font> medium = font->font;
    EXPECT_EQ(font->stringWidth(text("Hello")), medium->stringWidth(text("Hello")));
    EXPECT_EQ(font->getHeight(), medium->getHeight());
    font->setGlyphs(testFont()->getGlyphs());
    font->selectSystemFont(1);
    EXPECT_FALSE(font->isBitmapFont());
    EXPECT_EQ(font->font.get(), medium.get());
    font->setColor(int32_t(0xAAFF0000));
    VMPtr<kvtest::Image> image = kvtest::blankImage(60, 30);
    VMPtr<kvtest::Graphics> g = image->getGraphics();
    g->setColor(0x00FF00);
    font->drawString(g, text("Hi"), 50, 2, kTop | kRight);
    EXPECT_EQ(g->getColor() & 0xFFFFFF, 0x00FF00);
    EXPECT_EQ(g->getFont().get(), medium.get());
    const std::vector<int32_t> box = inkBox(image);
    EXPECT_GE(box[0], 50 - font->stringWidth(text("Hi")));
    EXPECT_LE(box[0] + box[2], 50);
    for (int32_t p : kvtest::pixelsOf(image)) EXPECT_EQ(p & 0x00FF00, 0);

    VMPtr<texttest::Canvas> canvas = texttest::Canvas::_VM_new();
    EXPECT_EQ(canvas->getRichFont().get(), canvas->getRichFont().get());
    font->selectSystemFont(4);
    VMPtr<RichFont> copy = RichFont::_VM_new();
    copy->_VM_init(font);
    EXPECT_EQ(copy->font.get(), font->font.get());
    EXPECT_EQ(copy->color, 0xFF0000);
}

}  // namespace
