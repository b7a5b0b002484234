#pragma once

// java::io::OutputStream: the base of every byte output stream. Subclasses supply
// write(int); array writes, flush and close have working defaults.

#include "lib_src/vm/VMArray.h"

namespace java::io {

class OutputStream : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(OutputStream, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;

    // Writes len bytes of b from off, one write(int) call each.
    virtual void write(VMPtr<ByteArray> b, int32_t off, int32_t len);
    virtual void write(VMPtr<ByteArray> b);
    // Writes the low 8 bits of b.
    virtual void write(int32_t b) = 0;
    virtual void flush();
    virtual void close();

protected:
    // NullPointerException for a null array; IndexOutOfBoundsException unless
    // 0 <= off <= off + len <= length of b.
    static void checkArrayRange(ByteArray* b, int32_t off, int32_t len);
};

}  // namespace java::io
