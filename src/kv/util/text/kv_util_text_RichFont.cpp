#include "src/kv/util/text/kv_util_text_RichFont.h"

#include <algorithm>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "src/kv/kv_GobAlphaImage.h"
#include "src/kv/kv_KvCanvas.h"

namespace kv::util::text {

VM_DEFINE_CLASS(RichFont, "kv.util.text.RichFont", "java.lang.Object", VM_NO_CLINIT)

VMPtr<RichFont::CharArray> RichFont::charBuffer{VMStaticScope::instance()};
VMPtr<RichFont::ByteArray> RichFont::sizeTable{VMStaticScope::instance()};
VMPtr<java::lang::StringBuffer> RichFont::numberBuffer{VMStaticScope::instance()};

namespace {

constexpr int32_t kAnchorHCenter = 1, kAnchorRight = 8, kAnchorBottom = 32, kAnchorBaseline = 64, kAnchorTopLeft = 20;
// face | style | size of each system font index.
constexpr int8_t kSystemFontCodes[RichFont::kSystemFonts] = {8, 0, 16, 9, 1, 17};

[[noreturn]] void refuse(const char* why) {
    vm::throwNew<java::lang::IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral(why));
}

}  // namespace

VMPtr<RichFont> RichFont::_VM_init() {
    Object::_VM_init();
    font = Font::getFont(0, 0, 0);
    systemFontIndex = 1;
    return this;
}

VMPtr<RichFont> RichFont::_VM_init(VMPtr<RichFont> other) {
    _VM_init();
    if (other->isBitmapFont()) {
        setGlyphs(other->getGlyphs());
    } else {
        selectSystemFont(other->systemFontIndex);
        if (other->hasColor) setColor(other->color);
    }
    return this;
}

void RichFont::_VM_mark(uint32_t flags) {
    vmMarkField(glyphs, flags);
    vmMarkField(glyphMap, flags);
    vmMarkField(font, flags);
}

VMPtr<RichFont::CharArray> RichFont::bufferFor(int32_t len) {
    if (!charBuffer || charBuffer->length < len) charBuffer = CharArray::_VM_new(len);
    return charBuffer;
}

VMPtr<RichFont::CharArray> RichFont::copyOf(VMPtr<String> s, int32_t off, int32_t len) {
    VMPtr<CharArray> buffer = bufferFor(len);
    s->getChars(off, off + len, buffer, 0);
    return buffer;
}

VMPtr<RichFont::CharArray> RichFont::copyOf(VMPtr<StringBuffer> sb) {
    const int32_t len = sb->length();
    VMPtr<CharArray> buffer = bufferFor(len);
    sb->getChars(0, len, buffer, 0);
    return buffer;
}

bool RichFont::alignsByAdvance() { return glyphs && metric(kAlignByAdvance) != 0; }

Gob* RichFont::glyphFor(char16_t c) { return findGlyph(c).get(); }

int32_t RichFont::advanceOf(Gob* glyph) const { return glyph ? glyph->collisionWidth : metric(kMissingAdvance); }

int32_t RichFont::getHeight() {
    if (glyphs) return metric(kHeight);
    return font ? font->getHeight() : 0;
}

int32_t RichFont::getBaselinePosition() {
    if (glyphs) return metric(kBaseline);
    return font ? font->getBaselinePosition() : 0;
}

int32_t RichFont::getLineHeight() { return glyphs ? metric(kLineHeight) : getHeight(); }

int32_t RichFont::getExtraMetric() { return glyphs ? metric(kExtra) : 0; }

int32_t RichFont::getAlpha() { return glyphs ? glyphs->elements()[0]->getAlpha() : 255; }

void RichFont::setColor(int32_t rgb) {
    color = rgb & 0xFFFFFF;
    hasColor = true;
}

int32_t RichFont::charsHeight(VMPtr<CharArray> c, int32_t off, int32_t len) {
    int32_t top = 0;
    if (trimTop) {
        trimTop = false;
        top = inkTop(c, off, len);
    }
    return inkBottom(c, off, len, top);
}

int32_t RichFont::substringHeight(VMPtr<String> s, int32_t off, int32_t len) {
    return charsHeight(copyOf(s, off, len), 0, len);
}

int32_t RichFont::stringHeight(VMPtr<String> s) { return substringHeight(s, 0, s->length()); }

int32_t RichFont::charHeight(char16_t c) {
    VMPtr<CharArray> buffer = bufferFor(1);
    buffer->elements()[0] = c;
    return charsHeight(buffer, 0, 1);
}

int32_t RichFont::stringBufferHeight(VMPtr<StringBuffer> sb) { return charsHeight(copyOf(sb), 0, sb->length()); }

int32_t RichFont::charsWidth(VMPtr<CharArray> c, int32_t off, int32_t len) {
    if (!glyphs) return len != 0 && font ? font->charsWidth(c, off, len) : 0;
    int32_t sum = 0;
    for (int32_t i = off; i < off + len; ++i) sum += advanceOf(glyphFor(c->at(i)));
    return sum;
}

int32_t RichFont::stringBufferWidth(VMPtr<StringBuffer> sb) { return charsWidth(copyOf(sb), 0, sb->length()); }

int32_t RichFont::substringWidth(VMPtr<String> s, int32_t off, int32_t len) {
    return charsWidth(copyOf(s, off, len), 0, len);
}

int32_t RichFont::charWidth(char16_t c) {
    VMPtr<CharArray> buffer = bufferFor(1);
    buffer->elements()[0] = c;
    return charsWidth(buffer, 0, 1);
}

int32_t RichFont::stringWidth(VMPtr<String> s) { return substringWidth(s, 0, s->length()); }

int32_t RichFont::firstOffset(VMPtr<CharArray> c, int32_t off, int32_t) {
    if (!glyphs || off >= c->length) return 0;
    Gob* glyph = glyphFor(c->at(off));
    return glyph ? glyph->offsetX : 0;
}

// From the pen's start to the right edge of the last glyph's picture, widened by a first
// picture that starts left of the pen.
int32_t RichFont::inkWidth(VMPtr<CharArray> c, int32_t off, int32_t len, int32_t first) {
    if (!glyphs) return charsWidth(c, off, len);
    int32_t pen = 0, right = 0;
    for (int32_t i = off; i < off + len; ++i) {
        Gob* glyph = glyphFor(c->at(i));
        if (glyph) right = pen + glyph->offsetX + glyph->width;
        pen += advanceOf(glyph);
    }
    return first < 0 ? right - first : right;
}

int32_t RichFont::inkTop(VMPtr<CharArray> c, int32_t off, int32_t len) {
    if (!glyphs) return 0;
    bool any = false;
    int32_t top = 0;
    for (int32_t i = off; i < off + len; ++i) {
        Gob* glyph = glyphFor(c->at(i));
        if (!glyph) continue;
        top = any ? std::min<int32_t>(top, glyph->offsetY) : glyph->offsetY;
        any = true;
    }
    return top;
}

int32_t RichFont::inkBottom(VMPtr<CharArray> c, int32_t off, int32_t len, int32_t top) {
    if (!glyphs) return (font ? font->getHeight() : 0) - top;
    int32_t bottom = 0;
    bool any = false;
    for (int32_t i = off; i < off + len; ++i) {
        Gob* glyph = glyphFor(c->at(i));
        if (!glyph) continue;
        const int32_t edge = glyph->height + glyph->offsetY;
        bottom = any ? std::max(bottom, edge) : edge;
        any = true;
    }
    return bottom - top;
}

int32_t RichFont::verticalShift(int32_t anchor) {
    if (anchor & kAnchorBaseline) return getBaselinePosition();
    if (anchor & kAnchorBottom) return getHeight();
    return 0;
}

void RichFont::charsBounds(VMPtr<CharArray> c, int32_t off, int32_t len, int32_t x, int32_t y, VMPtr<IntArray> out,
                           int32_t anchor) {
    const int32_t first = firstOffset(c, off, len);
    const int32_t w = inkWidth(c, off, len, first);
    const int32_t top = inkTop(c, off, len);
    const int32_t h = inkBottom(c, off, len, top);
    int32_t bx = x + first;
    const int32_t by = y + top - verticalShift(anchor);
    if (anchor & (kAnchorHCenter | kAnchorRight)) bx -= w >> (anchor & 1);
    out->at(0) = bx;
    out->at(1) = by;
    out->at(2) = w;
    out->at(3) = h;
}

void RichFont::stringBounds(VMPtr<String> s, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor) {
    substringBounds(s, 0, s->length(), x, y, out, anchor);
}

void RichFont::substringBounds(VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y, VMPtr<IntArray> out,
                               int32_t anchor) {
    charsBounds(copyOf(s, off, len), 0, len, x, y, out, anchor);
}

void RichFont::stringBufferBounds(VMPtr<StringBuffer> sb, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor) {
    charsBounds(copyOf(sb), 0, sb->length(), x, y, out, anchor);
}

void RichFont::charBounds(char16_t c, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor) {
    VMPtr<CharArray> buffer = bufferFor(1);
    buffer->elements()[0] = c;
    charsBounds(buffer, 0, 1, x, y, out, anchor);
}

void RichFont::drawChars(VMPtr<Graphics> g, VMPtr<CharArray> c, int32_t off, int32_t len, int32_t x, int32_t y,
                         int32_t anchor) {
    y -= verticalShift(anchor);
    if (anchor & (kAnchorHCenter | kAnchorRight)) {
        const int32_t w = alignsByAdvance() ? charsWidth(c, off, len) : inkWidth(c, off, len, firstOffset(c, off, len));
        x -= w >> (anchor & 1);
    }
    if (glyphs) {
        for (int32_t i = off; i < off + len; ++i) {
            Gob* glyph = glyphFor(c->at(i));
            if (glyph) glyph->paint(g, x, y, 0);
            x += advanceOf(glyph);
        }
        return;
    }
    if (len == 0 || !font) return;
    if (g->getFont().get() != font.get()) g->setFont(font);
    const int32_t previous = g->getColor() & 0xFFFFFF;
    const bool recolour = hasColor && previous != color;
    if (recolour) g->setColor(color);
    g->drawChars(c, off, len, x, y, kAnchorTopLeft);
    if (recolour) g->setColor(previous);
}

void RichFont::drawString(VMPtr<Graphics> g, VMPtr<String> s, int32_t x, int32_t y, int32_t anchor) {
    drawSubstring(g, s, 0, s->length(), x, y, anchor);
}

void RichFont::drawStringBuffer(VMPtr<Graphics> g, VMPtr<StringBuffer> sb, int32_t x, int32_t y, int32_t anchor) {
    drawChars(g, copyOf(sb), 0, sb->length(), x, y, anchor);
}

void RichFont::drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y,
                             int32_t anchor) {
    drawChars(g, copyOf(s, off, len), 0, len, x, y, anchor);
}

void RichFont::drawChar(VMPtr<Graphics> g, char16_t c, int32_t x, int32_t y, int32_t anchor) {
    VMPtr<CharArray> buffer = bufferFor(1);
    buffer->elements()[0] = c;
    drawChars(g, buffer, 0, 1, x, y, anchor);
}

void RichFont::setAlpha(int32_t alpha) {
    if (!glyphs || glyphs->elements()[0]->getAlpha() == alpha) return;
    for (int32_t i = 0; i < glyphs->length; ++i)
        if (!glyphs->elements()[i]->isAlphaImage()) glyphs->set(i, glyphs->elements()[i]->toAlphaImage());
    for (int32_t i = 0; i < glyphs->length; ++i) glyphs->elements()[i]->setAlpha(alpha);
}

void RichFont::drawNumber(VMPtr<Graphics> g, int32_t value, int32_t digits, int32_t x, int32_t y, int32_t anchor) {
    if (!numberBuffer) {
        numberBuffer = StringBuffer::_VM_new();
        numberBuffer->_VM_init(8);
    }
    numberBuffer->setLength(0);
    KvCanvas::appendNumber(numberBuffer, value, digits, 0);
    drawStringBuffer(g, numberBuffer, x, y, anchor);
}

// Turns code steps into codes and moves the picture offsets into place; the marker glyph
// records that it was done.
void RichFont::convert(GobArray* g) {
    g->elements()[kMarker]->collisionHeight = 0;
    int32_t code = 0;
    for (int32_t i = 0; i < g->length; ++i) {
        Gob* glyph = g->elements()[i];
        code = (code + glyph->offsetX * 256 + (glyph->offsetY & 0xFF)) & 0xFFFF;
        glyph->offsetX = glyph->collisionX;
        glyph->offsetY = glyph->collisionY;
        glyph->collisionX = int16_t(code);
    }
}

void RichFont::setGlyphs(VMPtr<GobArray> g) {
    if (g) {
        if (g->length < kMetricGlyphs) refuse("A glyph array holds at least seven glyphs");
        for (int32_t i = 0; i < g->length; ++i)
            if (!g->elements()[i]) refuse("A glyph array holds no null glyph");
        if (g->elements()[kMarker]->collisionHeight == kUnconverted) convert(g.get());
    }
    glyphs = g;
}

void RichFont::selectSystemFont(int32_t index) {
    if (index < 0 || index >= kSystemFonts) refuse("System font index outside 0..5");
    glyphs = nullptr;
    if (index == systemFontIndex) return;
    systemFontIndex = index;
    if (!sizeTable) {
        sizeTable = ByteArray::_VM_new(kSystemFonts);
        std::copy(kSystemFontCodes, kSystemFontCodes + kSystemFonts, sizeTable->elements());
    }
    const int32_t v = sizeTable->elements()[index];
    const int32_t face = v & 0x60, style = v & 7, size = v & 0x18;
    font = Font::getFont(face, style, size);
    for (int32_t fallback : {0, 32, 64})
        if (!font && fallback != face) font = Font::getFont(fallback, style, size);
}

int32_t RichFont::getCharDescent(char16_t c) {
    Gob* glyph = glyphFor(c);
    if (!glyph) return 0;
    return std::max(0, glyph->height - (getBaselinePosition() - glyph->offsetY));
}

int32_t RichFont::getCharAscent(char16_t c) {
    Gob* glyph = glyphFor(c);
    return glyph ? getBaselinePosition() - glyph->offsetY : 0;
}

VMPtr<Gob> RichFont::findGlyph(char16_t c) {
    if (!glyphs) return nullptr;
    if (glyphMap) {
        VMPtr<Gob> mapped(dynamic_cast<Gob*>(glyphMap->get(c).get()));
        if (mapped) return mapped;
    }
    int32_t lo = 0, hi = glyphs->length - 1;
    Gob* const* g = glyphs->elements();
    while (lo <= hi) {
        const int32_t mid = (lo + hi) >> 1;
        const int32_t code = uint16_t(g[mid]->collisionX);
        if (code < c) lo = mid + 1;
        else if (code > c) hi = mid - 1;
        else return g[mid];
    }
    return nullptr;
}

void RichFont::mapGlyph(char16_t c, VMPtr<Gob> glyph) {
    if (!glyphMap) {
        glyphMap = IntHashtable::_VM_new();
        glyphMap->_VM_init(128);
    }
    glyphMap->put(c, glyph);
}

}  // namespace kv::util::text
