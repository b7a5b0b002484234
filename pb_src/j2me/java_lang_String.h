#pragma once

// java::lang::String: immutable UTF-16 text, a window (offset, count) onto a character
// array that it may share with other strings and with a StringBuffer. No String writes
// into its array once its constructor body has run.

#include <string>

#include "lib_src/vm/VMArray.h"

class VMCString;
class HALString;

namespace java::lang {

class StringBuffer;

class String final : public virtual Object {
    VM_CLASS(String, Object)
    using CharArray = VMArray<char16_t, 1>;
    using ByteArray = VMArray<int8_t, 1>;

    VMPtr<String> _VM_init();
    // Modified UTF-8 from native code: count bytes, or up to the terminator.
    VMPtr<String> _VM_init(const char* bytes, int32_t count);
    VMPtr<String> _VM_init(const char* bytes);
    VMPtr<String> _VM_init(const char16_t* characters, int32_t count);
    VMPtr<String> _VM_init(HALString* text);
    VMPtr<String> _VM_init(VMPtr<CharArray> characters, int32_t offset, int32_t count);
    VMPtr<String> _VM_init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length, VMPtr<String> encoding);
    VMPtr<String> _VM_init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length);
    VMPtr<String> _VM_init(VMPtr<ByteArray> bytes);
    VMPtr<String> _VM_init(VMPtr<StringBuffer> buffer);
    // The sharing constructor: no copy and no check.
    VMPtr<String> _VM_init(int32_t offset, int32_t count, VMPtr<CharArray> characters);

    int32_t length() const { return count; }
    char16_t charAt(int32_t index);
    void getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin);
    bool equals(VMPtr<Object> other) override { return equalsObject(other.get()); }
    // The same without a handle; calls nothing that allocates.
    bool equalsObject(Object* other);
    bool equalsIgnoreCase(VMPtr<String> other);
    bool regionMatches(bool ignoreCase, int32_t toffset, VMPtr<String> other, int32_t ooffset, int32_t len);
    bool startsWith(VMPtr<String> prefix, int32_t toffset);
    bool startsWith(VMPtr<String> prefix) { return startsWith(prefix, 0); }
    int32_t hashCode() override;
    int32_t indexOf(int32_t ch, int32_t fromIndex);
    int32_t indexOf(int32_t ch) { return indexOf(ch, 0); }
    int32_t lastIndexOf(int32_t ch, int32_t fromIndex);
    int32_t lastIndexOf(int32_t ch) { return lastIndexOf(ch, count - 1); }
    VMPtr<String> substring(int32_t begin, int32_t end);
    VMPtr<String> substring(int32_t begin) { return substring(begin, count); }
    VMPtr<String> replace(char16_t oldChar, char16_t newChar);
    VMPtr<String> toLowerCase();
    VMPtr<String> trim();
    VMPtr<String> toString() override { return this; }
    void _VM_mark(uint32_t flags) override;

    static VMPtr<String> valueOf(bool b);
    static VMPtr<String> valueOf(char16_t c);
    static VMPtr<String> valueOf(int32_t i);
    static VMPtr<String> valueOf(int64_t l);
    static VMPtr<String> valueOf(float f);
    static VMPtr<String> valueOf(double d);
    static VMPtr<String> valueOf(VMPtr<Object> object);

    // Native bridges: the text as modified UTF-8 (replacing or appending to out), and a
    // comparison with UTF-8 text.
    void _VM_toCString(VMCString* out);
    void _VM_toCStringAppend(VMCString* out);
    bool _VM_equals(const char* text);

    // New strings from native text, and the text for native code.
    static VMPtr<String> fromUtf8(const char* text);
    static VMPtr<String> fromUtf16(const std::u16string& text);
    static VMPtr<String> withNumber(const char* prefix, int64_t number);
    std::u16string toUtf16() const;
    std::string toUtf8() const;

    const char16_t* chars() const { return value->elements() + offset; }

    VMPtr<CharArray> value{vmField()};
    int32_t offset = 0;
    int32_t count = 0;

private:
    VMPtr<String> initFromBytes(const uint8_t* bytes, int32_t count, bool checked);
    template <typename Use> void withModifiedUtf8(Use use);
};

}  // namespace java::lang
