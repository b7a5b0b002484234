// Wraps arbitrary text at arbitrary widths in a small glyph font (advances from 0 to 30,
// characters without a glyph among them), then paints it under an arbitrary clip. Wrapping
// must end; the lines must lie in order inside the text, skipping only spaces and line
// breaks; every line of two or more characters must fit the width.
//
// Input: width (2 bytes, signed), line spacing (1 byte, signed), anchor (1 byte), clip top
// (1 byte), then the text: a byte below 0x80 is that character, any other byte a character
// the font has no glyph for.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/RuntimeFuzzing.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"
#include "tools/packwriter/GlyphFontEncoder.h"

namespace {

using kv::util::text::RichFont;
using kv::util::text::WrappedText;

void check(bool condition) {
    if (!condition) std::abort();
}

class Canvas : public kv::KvCanvas {
    VM_CLASS(Canvas, kv::KvCanvas)
    void paint(VMPtr<javax::microedition::lcdui::Graphics>) override {}
};

VMPtr<RichFont>& smallFont() {
    static VMPtr<RichFont> font{VMStaticScope::instance()};
    if (font) return font;
    packwriter::GlyphFont model{{8, 6, 6, 9, 0, false}, {}};
    const struct { char16_t code; int32_t advance, width; } specs[] = {
        {u' ', 3, 0}, {u'-', 2, 2}, {u'@', 0, 1}, {u'0', 5, 4}, {u'1', 5, 4}, {u'a', 4, 3}, {u'b', 7, 6}, {u'W', 30, 28}};
    for (const auto& s : specs) {
        packwriter::Glyph g;
        g.code = s.code;
        g.advance = s.advance;
        g.width = s.width;
        g.height = s.width > 0 ? 5 : 0;
        g.argb.assign(size_t(g.width * g.height), 0xFFFFFFFFu);
        model.glyphs.push_back(g);
    }
    std::vector<packwriter::Entry> part;
    const int32_t id = packwriter::addGlyphFont(part, model);
    const packwriter::Bytes pack = packwriter::table(part);
    VMPtr<kv::Resources::ByteArray> bytes = kv::Resources::ByteArray::_VM_new(int32_t(pack.size()));
    for (size_t i = 0; i < pack.size(); ++i) bytes->elements()[i] = int8_t(pack[i]);
    kv::Resources::attachStream(kv::Resources::createStream(bytes, 0, bytes->length));
    font = RichFont::_VM_new();
    font->_VM_init();
    font->setGlyphs(kv::Resources::getGobs(id));
    return font;
}

bool skippable(char16_t c) { return c == u' ' || c == u'\n' || c == u'\r'; }

void checkLines(const VMPtr<WrappedText>& wrapped, const std::u16string& text, int32_t width) {
    const int32_t count = wrapped->getLineCount();
    check(wrapped->lines->length == 2 * count);
    size_t end = 0;
    for (int32_t i = 0; i < count; ++i) {
        const size_t start = size_t(wrapped->lines->elements()[2 * i]);
        const int32_t length = wrapped->lines->elements()[2 * i + 1];
        check(start >= end && length >= 0 && start + size_t(length) <= text.size());
        for (size_t k = end; k < start; ++k) check(skippable(text[k]));
        if (length > 1) check(wrapped->font->substringWidth(wrapped->text, int32_t(start), length) <= width);
        end = start + size_t(length);
    }
    for (size_t k = end; k < text.size(); ++k) check(skippable(text[k]));
}

}  // namespace

VM_DEFINE_CLASS(Canvas, "TextWrapFuzzCanvas", "kv.KvCanvas", VM_NO_CLINIT)

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    if (size < 5) return 0;
    const int32_t width = int16_t((data[0] << 8) | data[1]);
    const int32_t spacing = int8_t(data[2]), anchor = data[3], clipTop = data[4];
    std::u16string text;
    for (size_t i = 5; i < size; ++i) text += data[i] < 0x80 ? char16_t(data[i]) : char16_t(0x100 + data[i]);
    VMPtr<WrappedText> wrapped = WrappedText::_VM_new();
    wrapped->_VM_init(Canvas::_VM_new());
    wrapped->wrap(smallFont(), java::lang::String::fromUtf16(text), width);
    checkLines(wrapped, text, width);
    wrapped->setLineSpacing(spacing);
    wrapped->setFirstLine(anchor >> 4);
    VMPtr<javax::microedition::lcdui::Graphics> g =
        javax::microedition::lcdui::Image::createImage(32, 32, false, 0)->getGraphics();
    g->setClip(0, clipTop & 31, 32, 8);
    wrapped->paint(g, 0, int32_t(int8_t(clipTop)) * 4, anchor & 0x7F);
    checkHeapReturnsToItsBaseline();
    return 0;
}
