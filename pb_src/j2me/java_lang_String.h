#pragma once

// java::lang::String: immutable UTF-16 text, a window (offset, count) onto a character
// array that it may share.

#include <string>

#include "lib_src/vm/VMArray.h"

namespace java::lang {

class String : public virtual Object {
    VM_CLASS(String, Object)
    using CharArray = VMArray<char16_t, 1>;

    VMPtr<String> _VM_init();
    VMPtr<String> _VM_init(const char16_t* characters, int32_t count);
    // The sharing constructor: no copy and no check.
    VMPtr<String> _VM_init(int32_t offset, int32_t count, VMPtr<CharArray> characters);

    // New strings from native text (UTF-8).
    static VMPtr<String> fromUtf8(const char* text);
    static VMPtr<String> fromUtf16(const std::u16string& text);
    // prefix followed by the decimal text of number.
    static VMPtr<String> withNumber(const char* prefix, int64_t number);

    int32_t length() const { return count; }
    char16_t charAt(int32_t index);
    bool equals(VMPtr<Object> other) override;
    int32_t hashCode() override;
    VMPtr<String> toString() override { return this; }
    void _VM_mark(uint32_t flags) override;

    // The text for native code.
    std::u16string toUtf16() const;
    std::string toUtf8() const;

    VMPtr<CharArray> value{vmField()};
    int32_t offset = 0;
    int32_t count = 0;

private:
    const char16_t* chars() const { return value->elements() + offset; }
};

}  // namespace java::lang
