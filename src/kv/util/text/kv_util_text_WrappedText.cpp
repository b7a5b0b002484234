#include "src/kv/util/text/kv_util_text_WrappedText.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "src/kv/util/text/kv_util_text_StringHelper.h"

namespace kv::util::text {

VM_DEFINE_CLASS_WITHOUT_FACTORY(WrappedText, "kv.util.text.WrappedText", "java.lang.Object", &WrappedText::_VM_clinit)

VMPtr<WrappedText::CharArray> WrappedText::defaultBreakChars{VMStaticScope::instance()};

namespace {

constexpr int32_t kOpaque = 255;
constexpr int32_t kHCenter = 1, kRight = 8;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

void WrappedText::_VM_clinit() {
    defaultBreakChars = CharArray::_VM_new(3);
    char16_t* chars = defaultBreakChars->elements();
    chars[0] = u' ';
    chars[1] = u'@';
    chars[2] = u'-';
}

VMPtr<WrappedText> WrappedText::_VM_init(VMPtr<KvCanvas> owner) {
    Object::_VM_init();
    alpha = kOpaque;
    canvas = owner;
    reset();
    return this;
}

void WrappedText::_VM_mark(uint32_t flags) {
    vmMarkField(breakChars, flags);
    vmMarkField(text, flags);
    vmMarkField(lines, flags);
    vmMarkField(font, flags);
    vmMarkField(canvas, flags);
}

void WrappedText::reset() {
    text = nullptr;
    lineSpacing = 0;
    fontHeight = 0;
    width = 0;
    font = nullptr;
    lines = ShortArray::_VM_new(0);
    breakChars = defaultBreakChars;
    firstLine = 0;
}

VMPtr<WrappedText::StringArray> WrappedText::getLines() {
    const int32_t count = getLineCount();
    VMPtr<StringArray> result = StringArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<String> line = String::_VM_new();
        line->_VM_init(text->chars() + lines->elements()[2 * i], lines->elements()[2 * i + 1]);
        result->set(i, line);
    }
    return result;
}

int32_t WrappedText::wrap(VMPtr<String> newText, int32_t newWidth) {
    VMPtr<RichFont> copy = RichFont::_VM_new();
    copy->_VM_init(canvas->getRichFont());
    return wrap(copy, newText, newWidth);
}

int32_t WrappedText::wrap(VMPtr<RichFont> newFont, VMPtr<String> newText, int32_t newWidth) {
    if (newText->length() > kMaxTextLength)
        vm::throwNew<java::lang::IllegalArgumentException>(
            String::withNumber("Text too long to wrap: ", newText->length()));
    text = newText;
    width = newWidth;
    font = newFont;
    fontHeight = font->getHeight();
    lines = ShortArray::_VM_new(breakLines(nullptr));
    breakLines(lines.get());
    return getLineCount();
}

int32_t WrappedText::breakLines(ShortArray* out) {
    const int32_t n = text->length();
    int32_t pos = 0, entries = 0;
    while (pos < n) {
        int32_t start = pos, step = 1, w = 0;
        bool consumed = false;
        while (pos < n) {
            char16_t c = text->chars()[pos];
            if (pos == start && c == u' ') {
                start = ++pos;
                if (pos == n) break;
                c = text->chars()[pos];
            }
            if (c == u'\n' || c == u'\r') {
                step = (c == u'\r' && pos + 1 < n && text->chars()[pos + 1] == u'\n') ? 2 : 1;
                consumed = true;
                break;
            }
            w += font->charWidth(c);
            if (w > width) break;
            ++pos;
        }
        if (!consumed && pos < n) pos = pos == start ? pos + 1 : softBreak(start, pos, consumed);
        if (out) {
            out->elements()[entries] = int16_t(start);
            out->elements()[entries + 1] = int16_t(pos - start);
        }
        entries += 2;
        if (consumed) pos += step;
    }
    return entries;
}

// Where the line that overflows at pos ends: after the rightmost break character from
// start + 1 to pos (at a space, which is then consumed), or at pos itself.
int32_t WrappedText::softBreak(int32_t start, int32_t pos, bool& consumed) {
    const int32_t n = text->length();
    int32_t best = -1;
    for (int32_t i = 0; breakChars && i < breakChars->length; ++i) {
        const char16_t b = breakChars->elements()[i];
        const int32_t k = StringHelper::lastIndexOf(text, b, start + 1, pos);
        const bool minusSign = b == u'-' && k + 1 < n && isDigit(text->chars()[k + 1]);
        if (k > best && !minusSign) best = k;
    }
    if (best <= start || best >= pos) return pos;
    if (text->chars()[best] == u' ') {
        consumed = true;
        return best;
    }
    return best + 1;
}

void WrappedText::paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t anchor) {
    if (!text) return;
    if (font->isBitmapFont() && alpha != kOpaque) setGlyphAlpha(font->getGlyphs(), alpha);
    if (anchor & kHCenter) x += width >> 1;
    else if (anchor & kRight) x += width;
    const int64_t top = g->getClipY(), bottom = top + g->getClipHeight(), lh = getLineHeight();
    int64_t lineY = y, first = firstLine;
    if (lineY < top && lh > 0) {
        const int64_t skipped = (top - lineY) / lh;
        first += skipped;
        lineY += skipped * lh;
    }
    for (int64_t i = first; i < getLineCount() && lineY <= bottom; ++i, lineY += lh) {
        const int32_t length = lines->elements()[2 * i + 1];
        if (length > 0) font->drawSubstring(g, text, lines->elements()[2 * i], length, x, int32_t(lineY), anchor);
    }
}

void WrappedText::setGlyphAlpha(VMPtr<Gob::GobArray> glyphs, int32_t alpha) {
    Gob::cloneAll(glyphs);
    for (int32_t i = 0; i < glyphs->length; ++i) glyphs->elements()[i]->setAlpha(alpha);
}

}  // namespace kv::util::text
