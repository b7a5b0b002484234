#pragma once

// java::io::ByteArrayInputStream: reads the bytes of a caller's array (or a window of it)
// without copying it; supports mark and reset.

#include "pb_src/j2me/java_io_InputStream.h"

namespace java::io {

class ByteArrayInputStream : public InputStream {
    VM_CLASS(ByteArrayInputStream, InputStream)

    VMPtr<ByteArrayInputStream> _VM_init(VMPtr<ByteArray> buf);
    // Reads from offset up to offset + length, cut to the array's end. Until mark is called,
    // reset returns to offset.
    VMPtr<ByteArrayInputStream> _VM_init(VMPtr<ByteArray> buf, int32_t offset, int32_t length);

    using InputStream::read;
    int32_t read() override;
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int64_t skip(int64_t n) override;
    int32_t available() override;
    // The read limit is ignored: the whole array stays readable.
    void mark(int32_t readLimit) override;
    void reset() override;
    bool markSupported() override { return true; }
    void _VM_mark(uint32_t flags) override;

    VMPtr<ByteArray> buf{vmField()};
    int32_t pos = 0;      // index of the next byte to read
    int32_t markPos = 0;  // where reset returns to
    int32_t count = 0;    // one past the last readable index
};

}  // namespace java::io
