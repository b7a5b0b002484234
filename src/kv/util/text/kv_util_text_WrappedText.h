#pragma once

// kv::util::text::WrappedText: one text broken into lines that fit a pixel width in a rich
// font, kept as (start, length) pairs into the text, and painted line by line from a first
// line on, touching only the lines inside the clip. Lines break at line feeds, carriage
// returns and CR LF; otherwise after the rightmost break character in reach (a space ends
// the line and is dropped, '-' stays on the line unless a digit follows it, when it is a
// minus sign), else before the first character that does not fit. One leading space of each
// line is dropped. Every line holds at least one character even when none fits, so wrapping
// always ends; texts longer than 32767 characters (the line table's range) are refused with
// IllegalArgumentException, and a line height of 0 or less paints from the first line.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"

namespace kv::util::text {

class WrappedText : public virtual ::java::lang::Object {
    VM_CLASS(WrappedText, ::java::lang::Object)
    using String = ::java::lang::String;
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using CharArray = VMArray<char16_t, 1>;
    using ShortArray = VMArray<int16_t, 1>;
    using StringArray = VMArray<String*, 1>;

    static constexpr int32_t kMaxTextLength = 32767;

    static void _VM_clinit();
    // Empty, drawn opaque, with the canvas's font as the default.
    VMPtr<WrappedText> _VM_init(VMPtr<KvCanvas> canvas);
    void _VM_mark(uint32_t flags) override;

    virtual int32_t getHeight() { return getLineHeight() * getLineCount(); }
    virtual VMPtr<StringArray> getLines();
    // Wraps in a copy of the canvas's rich font.
    virtual int32_t wrap(VMPtr<String> text, int32_t width);
    // Breaks text into lines for width in font; returns the line count.
    virtual int32_t wrap(VMPtr<RichFont> font, VMPtr<String> text, int32_t width);
    virtual void setLineSpacing(int32_t spacing) { lineSpacing = spacing; }
    virtual void setAlpha(int32_t a) { alpha = a; }
    virtual VMPtr<String> getText() { return text; }
    virtual int32_t getLineCount() { return lines->length >> 1; }
    virtual VMPtr<CharArray> getBreakChars() { return breakChars; }
    virtual void reset();
    // Draws the lines from the first line on, the first at y; HCENTER and RIGHT place each
    // line in the block of `width` pixels whose left edge is x. A bitmap font's shared
    // glyphs take this text's alpha unless it is 255.
    virtual void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t anchor);
    virtual int32_t getLineSpacing() { return lineSpacing; }
    virtual int32_t getLineStart(int32_t line) { return lines->at(line * 2); }
    virtual int32_t getLineHeight() { return fontHeight + lineSpacing; }
    virtual int32_t getAlpha() { return alpha; }
    virtual int32_t getWidth() { return width; }
    virtual void setBreakChars(VMPtr<CharArray> chars) { breakChars = chars; }
    // The line paint draws first, at its y (lines before 0 do not exist).
    virtual void setFirstLine(int32_t line) { firstLine = line < 0 ? 0 : line; }

    // Makes every glyph an alpha gob (in place) drawn with alpha.
    static void setGlyphAlpha(VMPtr<Gob::GobArray> glyphs, int32_t alpha);

    static VMPtr<CharArray> defaultBreakChars;

    VMPtr<CharArray> breakChars{vmField()};
    VMPtr<String> text{vmField()};
    int32_t width = 0;
    VMPtr<ShortArray> lines{vmField()};
    int32_t lineSpacing = 0;
    VMPtr<RichFont> font{vmField()};
    int32_t fontHeight = 0;
    VMPtr<KvCanvas> canvas{vmField()};
    int32_t alpha = 0;
    int32_t firstLine = 0;

private:
    // Runs the line breaker over the whole text; stores the pairs when out is given.
    int32_t breakLines(ShortArray* out);
    int32_t softBreak(int32_t start, int32_t pos, bool& consumed);
};

}  // namespace kv::util::text
