#pragma once

// kv::util::text::RichFont: the game's text renderer, in one of two modes. As a system font
// it wraps a profile Font and draws through Graphics in a colour of its own (restoring the
// Graphics colour afterwards); as a bitmap font it draws each character as a glyph gob of a
// glyph array sorted by character code, whose first seven glyphs carry the font's metrics in
// their collision heights (height, baseline, advance of a missing character, conversion
// marker, line height, extra metric, align-by-advance). An array is converted from its
// stored form (code steps in the offsets, picture offsets in the collision position) once,
// whoever sets it first. Every text form copies its characters into one shared buffer and
// runs the character-array form. Arrays of fewer than seven glyphs, null glyphs and system
// font indexes outside 0..5 are refused with IllegalArgumentException. A caller's character
// range and bounds array are used through checked indexes: the first element outside the
// array throws ArrayIndexOutOfBoundsException naming its index.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/javax_microedition_lcdui_Font.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/util/kv_util_IntHashtable.h"

namespace kv::util::text {

class RichFont : public virtual ::java::lang::Object {
    VM_CLASS(RichFont, ::java::lang::Object)
    using String = ::java::lang::String;
    using StringBuffer = ::java::lang::StringBuffer;
    using Font = ::javax::microedition::lcdui::Font;
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using CharArray = VMArray<char16_t, 1>;
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using GobArray = Gob::GobArray;

    // Indexes of the glyphs whose collision height carries a metric.
    enum Metric { kHeight = 0, kBaseline = 1, kMissingAdvance = 2, kMarker = 3, kLineHeight = 4, kExtra = 5,
                  kAlignByAdvance = 6, kMetricGlyphs = 7 };
    static constexpr int32_t kUnconverted = 255;
    static constexpr int32_t kSystemFonts = 6;

    // System font, plain, medium (index 1).
    VMPtr<RichFont> _VM_init();
    // The other font's system font and colour, or its glyph array; not its glyph map.
    VMPtr<RichFont> _VM_init(VMPtr<RichFont> other);
    void _VM_mark(uint32_t flags) override;

    virtual bool alignsByAdvance();
    virtual int32_t charsHeight(VMPtr<CharArray> c, int32_t off, int32_t len);
    virtual int32_t getHeight();
    virtual int32_t substringHeight(VMPtr<String> s, int32_t off, int32_t len);
    virtual int32_t stringHeight(VMPtr<String> s);
    virtual int32_t charHeight(char16_t c);
    virtual int32_t stringBufferHeight(VMPtr<StringBuffer> sb);
    virtual bool isBitmapFont() { return bool(glyphs); }
    virtual int32_t getBaselinePosition();
    virtual int32_t stringBufferWidth(VMPtr<StringBuffer> sb);
    // Sum of advances; a character without a glyph advances by the missing-glyph metric.
    virtual int32_t charsWidth(VMPtr<CharArray> c, int32_t off, int32_t len);
    virtual int32_t substringWidth(VMPtr<String> s, int32_t off, int32_t len);
    virtual int32_t charWidth(char16_t c);
    virtual int32_t stringWidth(VMPtr<String> s);
    virtual void stringBounds(VMPtr<String> s, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor);
    virtual void substringBounds(VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y, VMPtr<IntArray> out,
                                 int32_t anchor);
    // The ink box (x, y, width, height) of the text placed at (x, y) by anchor, into out.
    virtual void charsBounds(VMPtr<CharArray> c, int32_t off, int32_t len, int32_t x, int32_t y, VMPtr<IntArray> out,
                             int32_t anchor);
    virtual void stringBufferBounds(VMPtr<StringBuffer> sb, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor);
    virtual void charBounds(char16_t c, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor);
    virtual void drawString(VMPtr<Graphics> g, VMPtr<String> s, int32_t x, int32_t y, int32_t anchor);
    virtual void drawStringBuffer(VMPtr<Graphics> g, VMPtr<StringBuffer> sb, int32_t x, int32_t y, int32_t anchor);
    virtual void drawChars(VMPtr<Graphics> g, VMPtr<CharArray> c, int32_t off, int32_t len, int32_t x, int32_t y,
                           int32_t anchor);
    virtual void drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y,
                               int32_t anchor);
    virtual void drawChar(VMPtr<Graphics> g, char16_t c, int32_t x, int32_t y, int32_t anchor);
    // The next charsHeight measures from the ink top.
    virtual void setTrimTop(bool on) { trimTop = on; }
    // Bitmap mode: turns the shared glyphs into alpha gobs drawn with that alpha.
    virtual void setAlpha(int32_t alpha);
    // '-' for a negative value, then at least `digits` digits (unpadded from 65536 on).
    virtual void drawNumber(VMPtr<Graphics> g, int32_t value, int32_t digits, int32_t x, int32_t y, int32_t anchor);
    // Bitmap mode with these glyphs (converted once), or system mode for null.
    virtual void setGlyphs(VMPtr<GobArray> g);
    // System mode with the font of that table index.
    virtual void selectSystemFont(int32_t index);
    virtual int32_t getCharDescent(char16_t c);
    virtual int32_t getSystemFontIndex() { return systemFontIndex; }
    virtual VMPtr<GobArray> getGlyphs() { return glyphs; }
    virtual int32_t getLineHeight();
    virtual int32_t getCharAscent(char16_t c);
    // The mapped gob, else the glyph of that code, else null (always null in system mode).
    virtual VMPtr<Gob> findGlyph(char16_t c);
    virtual void mapGlyph(char16_t c, VMPtr<Gob> glyph);
    virtual int32_t getExtraMetric();
    virtual int32_t getAlpha();
    virtual void setColor(int32_t rgb);

    static VMPtr<CharArray> charBuffer;
    static VMPtr<ByteArray> sizeTable;
    static VMPtr<StringBuffer> numberBuffer;

    int32_t systemFontIndex = 0;
    VMPtr<GobArray> glyphs{vmField()};
    bool trimTop = false;
    int32_t color = 0;
    bool hasColor = false;
    VMPtr<IntHashtable> glyphMap{vmField()};
    VMPtr<Font> font{vmField()};

private:
    static VMPtr<CharArray> bufferFor(int32_t len);
    static VMPtr<CharArray> copyOf(VMPtr<String> s, int32_t off, int32_t len);
    static VMPtr<CharArray> copyOf(VMPtr<StringBuffer> sb);
    int32_t metric(int32_t glyph) const { return glyphs->elements()[glyph]->collisionHeight; }
    Gob* glyphFor(char16_t c);
    int32_t advanceOf(Gob* glyph) const;
    int32_t firstOffset(VMPtr<CharArray> c, int32_t off, int32_t len);
    int32_t inkWidth(VMPtr<CharArray> c, int32_t off, int32_t len, int32_t first);
    int32_t inkTop(VMPtr<CharArray> c, int32_t off, int32_t len);
    int32_t inkBottom(VMPtr<CharArray> c, int32_t off, int32_t len, int32_t top);
    int32_t verticalShift(int32_t anchor);
    static void convert(GobArray* g);
};

}  // namespace kv::util::text
