#pragma once

// java::io::InputStream: the base of every byte input stream. Subclasses supply read();
// the other operations have working defaults built on it.

#include "lib_src/vm/VMArray.h"

namespace java::io {

class InputStream : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(InputStream, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;

    // Reads up to len bytes into b from off by calling read() until it reports the end; an
    // IOException after the first byte ends the loop and the bytes read so far count.
    virtual int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len);
    virtual int32_t read(VMPtr<ByteArray> b);
    // The next byte as 0..255, or -1 at the end of the stream.
    virtual int32_t read() = 0;
    // Reads and discards up to n bytes; returns how many were discarded.
    virtual int64_t skip(int64_t n);
    virtual int32_t available();
    virtual void close();
    virtual void mark(int32_t readLimit);
    virtual void reset();
    virtual bool markSupported();

protected:
    // NullPointerException for a null array; IndexOutOfBoundsException unless
    // 0 <= off <= off + len <= length of b.
    static void checkArrayRange(ByteArray* b, int32_t off, int32_t len);
};

}  // namespace java::io
