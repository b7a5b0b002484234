#pragma once

// javax::microedition::lcdui::Font: a platform font named by face, style and size, with its
// height and baseline read once from the platform. getFont hands out one Font per
// combination for the life of the process (the cache and the default font are static
// fields, so the collector keeps them); the default font is a separate object with the
// metrics of (system, plain, medium). Text is measured by the platform; every range is
// checked before a character is read.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClass.h"

class HALFont;

namespace java::lang {
class String;
}
namespace java::util {
class Hashtable;
}

namespace javax::microedition::lcdui {

class Font : public virtual ::java::lang::Object {
    VM_CLASS(Font, ::java::lang::Object)

    using CharArray = VMArray<char16_t, 1>;

    static constexpr int32_t FACE_SYSTEM = 0;
    static constexpr int32_t FACE_MONOSPACE = 32;
    static constexpr int32_t FACE_PROPORTIONAL = 64;
    static constexpr int32_t STYLE_PLAIN = 0;
    static constexpr int32_t STYLE_BOLD = 1;
    static constexpr int32_t STYLE_ITALIC = 2;
    static constexpr int32_t STYLE_UNDERLINED = 4;
    static constexpr int32_t SIZE_MEDIUM = 0;
    static constexpr int32_t SIZE_SMALL = 8;
    static constexpr int32_t SIZE_LARGE = 16;

    // The cached Font of the combination; IllegalArgumentException "Unsupported face",
    // "Unsupported style" or "Unsupported size" for a value outside its set.
    static VMPtr<Font> getFont(int32_t face, int32_t style, int32_t size);
    // (system, plain, medium), made on first use and not entered in the cache.
    static VMPtr<Font> getDefaultFont();
    static void _VM_clinit();

    // Asks the platform for the font (fatal when it cannot make one) and reads its metrics.
    VMPtr<Font> _VM_init(int32_t face, int32_t style, int32_t size);

    virtual int32_t getStyle();
    virtual int32_t getSize();
    virtual int32_t getFace();
    virtual bool isPlain();
    virtual bool isBold();
    virtual bool isItalic();
    virtual bool isUnderlined();
    virtual int32_t getHeight();
    virtual int32_t getBaselinePosition();
    virtual int32_t charWidth(char16_t c);
    // NullPointerException for null data; ArrayIndexOutOfBoundsException unless offset and
    // length mark a run inside the array.
    virtual int32_t charsWidth(VMPtr<CharArray> data, int32_t offset, int32_t length);
    // As charsWidth, over the string's characters.
    virtual int32_t substringWidth(VMPtr<::java::lang::String> s, int32_t offset, int32_t len);
    virtual int32_t stringWidth(VMPtr<::java::lang::String> s);

    // The cache (Integer key face | style | size -> Font); its monitor also guards the
    // default font.
    static VMPtr<::java::util::Hashtable> cache;
    static VMPtr<Font> defaultFont;

    int32_t face = 0;
    int32_t style = 0;
    int32_t size = 0;
    int32_t height = 0;
    int32_t baselinePosition = 0;
    HALFont* nativeFont = nullptr;  // owned by the platform's font cache
};

}  // namespace javax::microedition::lcdui
