#pragma once

// java::io::Writer: the abstract base of character output; its operations hold the monitor
// of `lock` (the writer itself).

#include "pb_src/j2me/java_lang_String.h"

namespace java::io {

class Writer : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(Writer, ::java::lang::Object)
    using CharArray = VMArray<char16_t, 1>;
    static constexpr int32_t kBufferSize = 1024;

    VMPtr<Writer> _VM_init();

    virtual void write(VMPtr<::java::lang::String> text, int32_t offset, int32_t length);
    void write(VMPtr<::java::lang::String> text) { write(text, 0, text->length()); }
    virtual void write(VMPtr<CharArray> characters, int32_t offset, int32_t length) = 0;
    void write(VMPtr<CharArray> characters) { write(characters, 0, characters->length); }
    virtual void write(int32_t c);
    virtual void flush() = 0;
    virtual void close() = 0;
    void _VM_mark(uint32_t flags) override;

    VMPtr<::java::lang::Object> lock{vmField()};
    VMPtr<CharArray> writeBuffer{vmField()};

protected:
    CharArray* buffer();
};

}  // namespace java::io
