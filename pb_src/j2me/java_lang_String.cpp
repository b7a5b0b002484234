#include "pb_src/j2me/java_lang_String.h"

#include <cstring>

#include "hal/base/FatalError.h"
#include "hal/base/HALString.h"
#include "lib_src/vm/VMCString.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMUtf8.h"
#include "pb_src/j2me/java_io_UnsupportedEncodingException.h"
#include "pb_src/j2me/java_lang_Character.h"
#include "pb_src/j2me/java_lang_Double.h"
#include "pb_src/j2me/java_lang_Float.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_Long.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::lang {

VM_DEFINE_CLASS(String, "java.lang.String", "java.lang.Object", VM_NO_CLINIT)

namespace {

[[noreturn]] void throwIndex(int32_t index) { vm::throwNew<StringIndexOutOfBoundsException>(index); }

[[noreturn]] void throwBareIndex(int64_t number) {
    vm::throwNew<IndexOutOfBoundsException>(String::withNumber("", number));
}

[[noreturn]] void throwMalformedUtf8() {
    vm::throwNew<RuntimeException>(VMPtr<java::lang::String>::fromLiteral("Improperly formatted UTF-8 string."));
}

// Offset, count and their sum against an array's length, each failure naming its number.
template <typename Fail> void checkRange(int32_t offset, int32_t count, int32_t arrayLength, Fail fail) {
    if (offset < 0) fail(offset);
    if (count < 0) fail(count);
    if (offset > arrayLength - count) fail(int64_t(offset) + count);
}

bool isSingleByteEncoding(String* name) {
    return name->_VM_equals("ISO-8859-1") || name->_VM_equals("ISO8859_1") || name->_VM_equals("US-ASCII") ||
           name->_VM_equals("ASCII");
}

}  // namespace

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

VMPtr<String> String::initFromBytes(const uint8_t* bytes, int32_t length, bool checked) {
    bool wellFormed = true;
    const int32_t characters = _VM_utf8CharCount(bytes, length, &wellFormed);
    if (checked && !wellFormed) throwMalformedUtf8();
    VMPtr<CharArray> array = CharArray::_VM_new(characters);
    int32_t stored = characters;
    _VM_utf8ToUtf16(array->elements(), &stored, bytes, length, &wellFormed);
    if (checked && !wellFormed) throwMalformedUtf8();
    return _VM_init(0, characters, array);
}

VMPtr<String> String::_VM_init(const char* bytes, int32_t length) {
    return initFromBytes(reinterpret_cast<const uint8_t*>(bytes), length, false);
}

VMPtr<String> String::_VM_init(const char* bytes) { return _VM_init(bytes, int32_t(std::strlen(bytes))); }

VMPtr<String> String::_VM_init(HALString* text) {
    uint32_t length = 0;
    if (HAL_getStringLength(text, &length) != 0) HAL_fatalError("HAL_getStringLength() failed in String::_VM_init().");
    VMPtr<CharArray> array = CharArray::_VM_new(int32_t(length));
    if (HAL_getStringCharacters(text, array->elements()) != 0)
        HAL_fatalError("HAL_getStringCharacters() failed in String::_VM_init().");
    return _VM_init(0, int32_t(length), array);
}

VMPtr<String> String::_VM_init(VMPtr<CharArray> characters, int32_t start, int32_t length) {
    checkRange(start, length, characters->length, [](int64_t n) { throwIndex(int32_t(n)); });
    VMPtr<CharArray> array = CharArray::_VM_new(length);
    array->copyElements(characters.get(), start, 0, length);
    return _VM_init(0, length, array);
}

VMPtr<String> String::_VM_init(VMPtr<ByteArray> bytes, int32_t start, int32_t length, VMPtr<String> encoding) {
    checkRange(start, length, bytes->length, throwBareIndex);
    if (!encoding) vm::throwNew<NullPointerException>();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes->elements()) + start;
    if (encoding->_VM_equals("UTF-8") || encoding->_VM_equals("UTF8")) return initFromBytes(data, length, true);
    if (!isSingleByteEncoding(encoding.get())) vm::throwNew<java::io::UnsupportedEncodingException>(encoding);
    VMPtr<CharArray> array = CharArray::_VM_new(length);
    for (int32_t i = 0; i < length; ++i) array->elements()[i] = data[i];
    return _VM_init(0, length, array);
}

VMPtr<String> String::_VM_init(VMPtr<ByteArray> bytes, int32_t start, int32_t length) {
    return _VM_init(bytes, start, length, VMPtr<java::lang::String>::fromLiteral("UTF-8"));
}

VMPtr<String> String::_VM_init(VMPtr<ByteArray> bytes) { return _VM_init(bytes, 0, bytes->length); }

VMPtr<String> String::_VM_init(VMPtr<StringBuffer> buffer) {
    VM_SYNCHRONIZED(buffer.get());
    buffer->shared = true;
    return _VM_init(0, buffer->count, buffer->value);
}

char16_t String::charAt(int32_t index) {
    if (index < 0 || index >= count) throwIndex(index);
    return chars()[index];
}

void String::getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin) {
    auto fail = [](int64_t n) { vm::throwNew<StringIndexOutOfBoundsException>(String::withNumber("", n)); };
    if (srcBegin < 0) fail(srcBegin);
    if (srcEnd > count) fail(srcEnd);
    if (srcBegin > srcEnd) fail(int64_t(srcEnd) - srcBegin);
    System::arraycopy(value, offset + srcBegin, dst, dstBegin, srcEnd - srcBegin);
}

// String is final, so an object whose class record is String's is a String whose
// most-derived address is the String itself: the cast needs no search of the bases.
bool String::equalsObject(Object* other) {
    if (other == this) return true;
    if (other == nullptr || other->getClass() != _VM_classRecord) return false;
    auto* text = static_cast<String*>(dynamic_cast<void*>(other));
    return text->count == count &&
           std::memcmp(text->chars(), chars(), size_t(count) * sizeof(char16_t)) == 0;
}

bool String::equalsIgnoreCase(VMPtr<String> other) {
    if (!other || other->count != count) return false;
    return regionMatches(true, 0, other, 0, count);
}

bool String::regionMatches(bool ignoreCase, int32_t toffset, VMPtr<String> other, int32_t ooffset, int32_t len) {
    if (ooffset < 0 || toffset < 0) return false;
    if (int64_t(toffset) > int64_t(count) - len || int64_t(ooffset) > int64_t(other->count) - len) return false;
    const char16_t* mine = chars() + toffset;
    const char16_t* theirs = other->chars() + ooffset;
    for (int32_t i = 0; i < len; ++i) {
        if (mine[i] == theirs[i]) continue;
        if (!ignoreCase || Character::toUpperCase(mine[i]) != Character::toUpperCase(theirs[i])) return false;
    }
    return true;
}

bool String::startsWith(VMPtr<String> prefix, int32_t toffset) {
    if (toffset < 0 || toffset > count - prefix->count) return false;
    return std::memcmp(chars() + toffset, prefix->chars(), size_t(prefix->count) * sizeof(char16_t)) == 0;
}

int32_t String::hashCode() {
    uint32_t h = 0;
    for (int32_t i = 0; i < count; ++i) h = h * 31 + chars()[i];
    return int32_t(h);
}

int32_t String::indexOf(int32_t ch, int32_t fromIndex) {
    for (int32_t i = fromIndex < 0 ? 0 : fromIndex; i < count; ++i)
        if (int32_t(chars()[i]) == ch) return i;
    return -1;
}

int32_t String::lastIndexOf(int32_t ch, int32_t fromIndex) {
    for (int32_t i = fromIndex >= count ? count - 1 : fromIndex; i >= 0; --i)
        if (int32_t(chars()[i]) == ch) return i;
    return -1;
}

VMPtr<String> String::substring(int32_t begin, int32_t end) {
    if (begin < 0) throwIndex(begin);
    if (end > count) throwIndex(end);
    if (begin > end) throwIndex(end - begin);
    if (begin == 0 && end == count) return this;
    VMPtr<String> slice = _VM_new();
    return slice->_VM_init(offset + begin, end - begin, value);
}

VMPtr<String> String::replace(char16_t oldChar, char16_t newChar) {
    const int32_t first = oldChar == newChar ? -1 : indexOf(oldChar);
    if (first < 0) return this;
    VMPtr<CharArray> array = CharArray::_VM_new(count);
    char16_t* out = array->elements();
    std::memcpy(out, chars(), size_t(count) * sizeof(char16_t));
    for (int32_t i = first; i < count; ++i)
        if (out[i] == oldChar) out[i] = newChar;
    VMPtr<String> replaced = _VM_new();
    return replaced->_VM_init(0, count, array);
}

VMPtr<String> String::toLowerCase() {
    int32_t first = 0;
    while (first < count && Character::toLowerCase(chars()[first]) == chars()[first]) ++first;
    if (first == count) return this;
    VMPtr<CharArray> array = CharArray::_VM_new(count);
    char16_t* out = array->elements();
    std::memcpy(out, chars(), size_t(first) * sizeof(char16_t));
    for (int32_t i = first; i < count; ++i) out[i] = Character::toLowerCase(chars()[i]);
    VMPtr<String> lower = _VM_new();
    return lower->_VM_init(0, count, array);
}

VMPtr<String> String::trim() {
    int32_t start = 0, end = count;
    while (start < end && chars()[start] <= 0x20) ++start;
    while (end > start && chars()[end - 1] <= 0x20) --end;
    return (start == 0 && end == count) ? VMPtr<String>(this) : substring(start, end);
}

void String::_VM_mark(uint32_t flags) { vmMarkField(value, flags); }

VMPtr<String> String::valueOf(bool b) { return VMPtr<java::lang::String>::fromLiteral(b ? "true" : "false"); }

VMPtr<String> String::valueOf(char16_t c) {
    VMPtr<String> text = _VM_new();
    return text->_VM_init(&c, 1);
}

VMPtr<String> String::valueOf(int32_t i) { return Integer::toString(i, 10); }
VMPtr<String> String::valueOf(int64_t l) { return Long::toString(l, 10); }
VMPtr<String> String::valueOf(float f) { return Float::toString(f); }
VMPtr<String> String::valueOf(double d) { return Double::toString(d); }

VMPtr<String> String::valueOf(VMPtr<Object> object) { return object ? object->toString() : VMPtr<java::lang::String>::fromLiteral("null"); }

// Calls use with the string as zero-terminated modified UTF-8 in a temporary heap block.
template <typename Use> void String::withModifiedUtf8(Use use) {
    int32_t capacity = _VM_utf8Length(chars(), count, true) + 1;
    auto* buffer = static_cast<uint8_t*>(_VM_allocateBytes(uint64_t(capacity)));
    _VM_utf16ToUtf8(buffer, &capacity, chars(), count, true, true);
    use(reinterpret_cast<const char*>(buffer));
    _VM_free(buffer);
}

void String::_VM_toCString(VMCString* out) {
    withModifiedUtf8([out](const char* text) { out->assign(text); });
}

void String::_VM_toCStringAppend(VMCString* out) {
    withModifiedUtf8([out](const char* text) { out->append(text); });
}

bool String::_VM_equals(const char* text) {
    return text != nullptr &&
           _VM_utf8EqualsUtf16(reinterpret_cast<const uint8_t*>(text), int32_t(std::strlen(text)), chars(), count);
}

VMPtr<String> String::fromUtf16(const std::u16string& text) {
    VMPtr<String> string = _VM_new();
    return string->_VM_init(text.data(), int32_t(text.size()));
}

VMPtr<String> String::fromUtf8(const char* text) {
    VMPtr<String> string = _VM_new();
    return string->_VM_init(text ? text : "");
}

VMPtr<String> String::withNumber(const char* prefix, int64_t number) {
    return fromUtf8((std::string(prefix) + std::to_string(number)).c_str());
}

std::u16string String::toUtf16() const { return std::u16string(chars(), size_t(count)); }

std::string String::toUtf8() const {
    std::string bytes(size_t(_VM_utf8Length(chars(), count, false)), '\0');
    int32_t capacity = int32_t(bytes.size());
    _VM_utf16ToUtf8(reinterpret_cast<uint8_t*>(bytes.data()), &capacity, chars(), count, false, false);
    return bytes;
}

}  // namespace java::lang
