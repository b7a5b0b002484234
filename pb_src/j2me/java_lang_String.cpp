#include "pb_src/j2me/java_lang_String.h"

#include <cstring>

#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"

namespace java::lang {

VM_DEFINE_CLASS(String, "java.lang.String", "java.lang.Object", VM_NO_CLINIT)

VMPtr<String> String::_VM_init() { return _VM_init(u"", 0); }

VMPtr<String> String::_VM_init(const char16_t* characters, int32_t length) {
    VMPtr<CharArray> array = CharArray::_VM_new(length);
    if (length > 0) std::memcpy(array->elements(), characters, size_t(length) * sizeof(char16_t));
    return _VM_init(0, length, array);
}

VMPtr<String> String::_VM_init(int32_t start, int32_t length, VMPtr<CharArray> characters) {
    value = characters;
    offset = start;
    count = length;
    return this;
}

namespace {

// UTF-8 to UTF-16: one unit per one-, two- or three-byte sequence.
std::u16string decodeUtf8(const char* text) {
    std::u16string units;
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p;) {
        if (p[0] < 0x80) {
            units += char16_t(*p++);
        } else if ((p[0] & 0xE0) == 0xC0 && p[1]) {
            units += char16_t(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if ((p[0] & 0xF0) == 0xE0 && p[1] && p[2]) {
            units += char16_t(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else {
            break;  // a sequence beyond U+FFFF or a truncated one ends the text
        }
    }
    return units;
}

}  // namespace

VMPtr<String> String::fromUtf16(const std::u16string& text) {
    VMPtr<String> string = _VM_new();
    string->_VM_init(text.data(), int32_t(text.size()));
    return string;
}

VMPtr<String> String::fromUtf8(const char* text) { return fromUtf16(decodeUtf8(text ? text : "")); }

VMPtr<String> String::withNumber(const char* prefix, int64_t number) {
    return fromUtf8((std::string(prefix) + std::to_string(number)).c_str());
}

char16_t String::charAt(int32_t index) {
    if (index < 0 || index >= count) vm::throwNew<StringIndexOutOfBoundsException>(index);
    return chars()[index];
}

bool String::equals(VMPtr<Object> other) {
    if (other.get() == this) return true;
    auto* text = dynamic_cast<String*>(other.get());
    return text != nullptr && text->count == count &&
           std::memcmp(text->chars(), chars(), size_t(count) * sizeof(char16_t)) == 0;
}

int32_t String::hashCode() {
    uint32_t h = 0;
    for (int32_t i = 0; i < count; ++i) h = h * 31 + chars()[i];
    return int32_t(h);
}

void String::_VM_mark(uint32_t flags) { vmMarkField(value, flags); }

std::u16string String::toUtf16() const { return std::u16string(chars(), size_t(count)); }

std::string String::toUtf8() const {
    std::string bytes;
    for (int32_t i = 0; i < count; ++i) {
        const char16_t c = chars()[i];
        if (c < 0x80) {
            bytes += char(c);
        } else if (c < 0x800) {
            bytes += char(0xC0 | (c >> 6));
            bytes += char(0x80 | (c & 0x3F));
        } else {
            bytes += char(0xE0 | (c >> 12));
            bytes += char(0x80 | ((c >> 6) & 0x3F));
            bytes += char(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

}  // namespace java::lang
