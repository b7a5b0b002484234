#pragma once

// java::lang::StringBuffer: a growable, synchronised character buffer. toString shares the
// buffer's array with the new String; the buffer copies it before its next change that
// could alter the characters the String sees.

#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

class StringBuffer : public virtual Object {
    VM_CLASS(StringBuffer, Object)
    using CharArray = VMArray<char16_t, 1>;

    static constexpr int32_t kDefaultCapacity = 16;

    VMPtr<StringBuffer> _VM_init(int32_t capacity);
    VMPtr<StringBuffer> _VM_init() { return _VM_init(kDefaultCapacity); }
    VMPtr<StringBuffer> _VM_init(VMPtr<String> text);
    VMPtr<StringBuffer> _VM_init(const char* utf8);

    VMPtr<StringBuffer> append(VMPtr<String> text);
    VMPtr<StringBuffer> append(char16_t c);
    VMPtr<StringBuffer> append(int32_t i);
    VMPtr<StringBuffer> append(VMPtr<Object> object);
    VMPtr<StringBuffer> append(const char* utf8, int32_t byteCount);
    VMPtr<StringBuffer> append(const char* utf8);
    VMPtr<StringBuffer> insert(int32_t offset, VMPtr<String> text);
    VMPtr<StringBuffer> insert(int32_t offset, char16_t c);
    VMPtr<StringBuffer> insert(int32_t offset, int32_t i);
    void setLength(int32_t newLength);
    void getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin);
    VMPtr<String> toString() override;
    int32_t length();
    int32_t capacity() const { return value->length; }
    void _VM_mark(uint32_t flags) override { vmMarkField(value, flags); }

    VMPtr<CharArray> value{vmField()};
    int32_t count = 0;
    bool shared = false;
    bool initialised = false;

private:
    void requireInitialised() const;
    void expandCapacity(int32_t minimumCapacity);
    void copy();
    // Appends count units (the caller holds the buffer's monitor).
    void appendUnits(const char16_t* units, int32_t count);
    // Makes room for `extra` characters at offset (growing, or copying a shared array).
    void openGap(int32_t offset, int32_t extra);
    void checkInsertOffset(int32_t offset) const;
};

}  // namespace java::lang
