#include "pb_src/j2me/java_lang_StringBuffer.h"

#include <cstring>

#include "hal/base/FatalError.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMUtf8.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::lang {

VM_DEFINE_CLASS(StringBuffer, "java.lang.StringBuffer", "java.lang.Object", VM_NO_CLINIT)

VMPtr<StringBuffer> StringBuffer::_VM_init(int32_t capacity) {
    value = CharArray::_VM_new(capacity);
    count = 0;
    shared = false;
    initialised = true;
    return this;
}

VMPtr<StringBuffer> StringBuffer::_VM_init(VMPtr<String> text) {
    _VM_init(text->length() + kDefaultCapacity);
    return append(text);
}

VMPtr<StringBuffer> StringBuffer::_VM_init(const char* utf8) {
    const int32_t bytes = int32_t(std::strlen(utf8));
    _VM_init(bytes + kDefaultCapacity);
    return append(utf8, bytes);
}

void StringBuffer::requireInitialised() const {
    if (!initialised) HAL_fatalError("Using StringBuffer without initialization!");
}

void StringBuffer::expandCapacity(int32_t minimumCapacity) {
    int32_t newCapacity = int32_t(uint32_t(value->length + 1) * 2u);
    if (newCapacity < 0) newCapacity = 0x7FFFFFFF;
    else if (minimumCapacity > newCapacity) newCapacity = minimumCapacity;
    VMPtr<CharArray> larger = CharArray::_VM_new(newCapacity);
    larger->copyElements(value.get(), 0, 0, count);
    value = larger;
    shared = false;
}

void StringBuffer::copy() {
    VMPtr<CharArray> copied = CharArray::_VM_new(value->length);
    copied->copyElements(value.get(), 0, 0, count);
    value = copied;
    shared = false;
}

void StringBuffer::openGap(int32_t offset, int32_t extra) {
    const int32_t newCount = count + extra;
    if (newCount > value->length) expandCapacity(newCount);
    else if (shared) copy();
    value->copyElements(value.get(), offset, offset + extra, count - offset);
}

void StringBuffer::checkInsertOffset(int32_t offset) const {
    if (offset < 0 || offset > count) vm::throwNew<StringIndexOutOfBoundsException>();
}

void StringBuffer::appendUnits(const char16_t* units, int32_t length) {
    requireInitialised();
    // Characters past count are seen by no String, so a shared array needs no copy here.
    if (count + length > value->length) expandCapacity(count + length);
    std::memcpy(value->elements() + count, units, size_t(length) * sizeof(char16_t));
    count += length;
}

VMPtr<StringBuffer> StringBuffer::append(VMPtr<String> text) {
    VM_SYNCHRONIZED_SELF();
    if (!text) text = VMPtr<java::lang::String>::fromLiteral("null");
    appendUnits(text->chars(), text->length());
    return this;
}

VMPtr<StringBuffer> StringBuffer::append(char16_t c) {
    VM_SYNCHRONIZED_SELF();
    requireInitialised();
    if (count + 1 > value->length) expandCapacity(count + 1);
    value->elements()[count++] = c;
    return this;
}

// The digits are written straight into the buffer's array: no String is made for them.
VMPtr<StringBuffer> StringBuffer::append(int32_t i) {
    VM_SYNCHRONIZED_SELF();
    char16_t text[Integer::kMaxChars];
    char16_t* const end = text + Integer::kMaxChars;
    const char16_t* begin = Integer::writeText(i, 10, end);
    appendUnits(begin, int32_t(end - begin));
    return this;
}

VMPtr<StringBuffer> StringBuffer::append(VMPtr<Object> object) {
    VM_SYNCHRONIZED_SELF();
    return append(String::valueOf(object));
}

VMPtr<StringBuffer> StringBuffer::append(const char* utf8, int32_t byteCount) {
    VM_SYNCHRONIZED_SELF();
    requireInitialised();
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8);
    bool wellFormed = true;
    const int32_t characters = _VM_utf8CharCount(bytes, byteCount, &wellFormed);
    if (count + characters > value->length) expandCapacity(count + characters);
    int32_t room = value->length - count;
    _VM_utf8ToUtf16(value->elements() + count, &room, bytes, byteCount, &wellFormed);
    count += characters;
    return this;
}

VMPtr<StringBuffer> StringBuffer::append(const char* utf8) { return append(utf8, int32_t(std::strlen(utf8))); }

VMPtr<StringBuffer> StringBuffer::insert(int32_t offset, VMPtr<String> text) {
    VM_SYNCHRONIZED_SELF();
    checkInsertOffset(offset);
    if (!text) text = VMPtr<java::lang::String>::fromLiteral("null");
    const int32_t length = text->length();
    openGap(offset, length);
    text->getChars(0, length, value, offset);
    count += length;
    return this;
}

VMPtr<StringBuffer> StringBuffer::insert(int32_t offset, char16_t c) {
    VM_SYNCHRONIZED_SELF();
    checkInsertOffset(offset);
    openGap(offset, 1);
    value->elements()[offset] = c;
    count += 1;
    return this;
}

VMPtr<StringBuffer> StringBuffer::insert(int32_t offset, int32_t i) {
    VM_SYNCHRONIZED_SELF();
    return insert(offset, String::valueOf(i));
}

void StringBuffer::setLength(int32_t newLength) {
    VM_SYNCHRONIZED_SELF();
    if (newLength < 0) vm::throwNew<StringIndexOutOfBoundsException>(newLength);
    if (newLength > value->length) expandCapacity(newLength);
    if (count < newLength) {
        if (shared) copy();
        std::memset(value->elements() + count, 0, size_t(newLength - count) * sizeof(char16_t));
        count = newLength;
        return;
    }
    count = newLength;
    if (!shared) return;
    if (newLength == 0) value = CharArray::_VM_new(kDefaultCapacity);
    else copy();
    shared = false;
}

void StringBuffer::getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin) {
    VM_SYNCHRONIZED_SELF();
    if (srcBegin < 0) vm::throwNew<StringIndexOutOfBoundsException>(srcBegin);
    if (srcEnd < 0 || srcEnd > count) vm::throwNew<StringIndexOutOfBoundsException>(srcEnd);
    if (srcBegin > srcEnd) vm::throwNew<StringIndexOutOfBoundsException>(VMPtr<java::lang::String>::fromLiteral("srcBegin > srcEnd"));
    System::arraycopy(value, srcBegin, dst, dstBegin, srcEnd - srcBegin);
}

VMPtr<String> StringBuffer::toString() {
    VMPtr<String> text = String::_VM_new();
    text->_VM_init(0, count, value);
    shared = true;
    return text;
}

int32_t StringBuffer::length() {
    VM_SYNCHRONIZED_SELF();
    return count;
}

}  // namespace java::lang
