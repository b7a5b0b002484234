#include "pb_src/j2me/javax_microedition_lcdui_Font.h"

#include "hal/base/FatalError.h"
#include "hal/display/FontCache.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_util_Hashtable.h"

namespace javax::microedition::lcdui {

using ::java::lang::ArrayIndexOutOfBoundsException;
using ::java::lang::IllegalArgumentException;
using ::java::lang::NullPointerException;

VM_DEFINE_CLASS(Font, "javax.microedition.lcdui.Font", "java.lang.Object", &Font::_VM_clinit)

VMPtr<::java::util::Hashtable> Font::cache{VMStaticScope::instance()};
VMPtr<Font> Font::defaultFont{VMStaticScope::instance()};

namespace {

// offset..offset+length inside 0..total, in subtraction form so no sum overflows.
void checkRun(int32_t offset, int32_t length, int32_t total) {
    if (offset < 0 || length < 0 || offset > total || length > total - offset)
        vm::throwNew<ArrayIndexOutOfBoundsException>();
}

VMPtr<Font> newFont(int32_t face, int32_t style, int32_t size) {
    VMPtr<Font> font = Font::_VM_new();
    return font->_VM_init(face, style, size);
}

}  // namespace

void Font::_VM_clinit() {
    cache = ::java::util::Hashtable::_VM_new();
    cache->_VM_init(4);
}

VMPtr<Font> Font::getFont(int32_t face, int32_t style, int32_t size) {
    if (face != FACE_SYSTEM && face != FACE_MONOSPACE && face != FACE_PROPORTIONAL)
        vm::throwNew<IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral("Unsupported face"));
    if ((style & 7) != style) vm::throwNew<IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral("Unsupported style"));
    if (size != SIZE_MEDIUM && size != SIZE_SMALL && size != SIZE_LARGE)
        vm::throwNew<IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral("Unsupported size"));
    vm::ensureInitialized(_VM_classRecord);
    VM_SYNCHRONIZED(cache.get());
    VMPtr<::java::lang::Integer> key = ::java::lang::Integer::_VM_new();
    key->_VM_init(face | style | size);
    VMPtr<Font> font(dynamic_cast<Font*>(cache->get(key).get()));
    if (!font) {
        font = newFont(face, style, size);
        cache->put(key, font);
    }
    return font;
}

VMPtr<Font> Font::getDefaultFont() {
    vm::ensureInitialized(_VM_classRecord);
    VM_SYNCHRONIZED(cache.get());
    if (!defaultFont) defaultFont = newFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM);
    return defaultFont;
}

VMPtr<Font> Font::_VM_init(int32_t faceValue, int32_t styleValue, int32_t sizeValue) {
    Object::_VM_init();
    if (HAL_getFont(&nativeFont, faceValue, styleValue, sizeValue) != 0) HAL_fatalError("HAL_getFont() failed.");
    face = faceValue;
    style = styleValue;
    size = sizeValue;
    height = HAL_getFontHeight(nativeFont);
    baselinePosition = HAL_getFontBaseline(nativeFont);
    return this;
}

int32_t Font::getStyle() { return style; }
int32_t Font::getSize() { return size; }
int32_t Font::getFace() { return face; }
bool Font::isPlain() { return style == STYLE_PLAIN; }
bool Font::isBold() { return (style & STYLE_BOLD) != 0; }
bool Font::isItalic() { return (style & STYLE_ITALIC) != 0; }
bool Font::isUnderlined() { return (style & STYLE_UNDERLINED) != 0; }
int32_t Font::getHeight() { return height; }
int32_t Font::getBaselinePosition() { return baselinePosition; }

int32_t Font::charWidth(char16_t c) { return HAL_getStringWidth(nativeFont, &c, 1); }

int32_t Font::charsWidth(VMPtr<CharArray> data, int32_t offset, int32_t length) {
    if (!data) vm::throwNew<NullPointerException>();
    checkRun(offset, length, data->length);
    if (length == 0) return 0;
    return HAL_getStringWidth(nativeFont, data->elements() + offset, length);
}

int32_t Font::substringWidth(VMPtr<::java::lang::String> s, int32_t offset, int32_t len) {
    if (!s) vm::throwNew<NullPointerException>();
    checkRun(offset, len, s->length());
    if (len == 0) return 0;
    return HAL_getStringWidth(nativeFont, s->chars() + offset, len);
}

int32_t Font::stringWidth(VMPtr<::java::lang::String> s) {
    if (!s) vm::throwNew<NullPointerException>();
    if (s->length() == 0) return 0;
    return HAL_getStringWidth(nativeFont, s->chars(), s->length());
}

}  // namespace javax::microedition::lcdui
