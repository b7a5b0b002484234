#pragma once

// java::io::ByteArrayOutputStream: collects written bytes in a managed array that grows
// as needed; the bytes are taken out with toByteArray.

#include "pb_src/j2me/java_io_OutputStream.h"

namespace java::io {

class ByteArrayOutputStream : public OutputStream {
    VM_CLASS(ByteArrayOutputStream, OutputStream)

    // A buffer of 32 bytes.
    VMPtr<ByteArrayOutputStream> _VM_init();
    // A buffer of size bytes; IllegalArgumentException when size is negative.
    VMPtr<ByteArrayOutputStream> _VM_init(int32_t size);

    using OutputStream::write;
    void write(int32_t b) override;
    // Unlike write(int), still accepted after close.
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    // Only marks the stream closed: later byte writes and resets throw, array writes do not.
    void close() override;
    // Empties the stream; the buffer keeps its capacity.
    virtual void reset();
    // A copy of the bytes written; a closed stream whose buffer is exactly full gives the
    // buffer itself.
    virtual VMPtr<ByteArray> toByteArray();
    virtual int32_t size();
    // The bytes written so far, decoded as UTF-8.
    VMPtr<::java::lang::String> toString() override;
    void _VM_mark(uint32_t flags) override;

    VMPtr<ByteArray> buf{vmField()};  // its length is the capacity
    int32_t count = 0;                // number of valid bytes in buf
    bool isClosed = false;

private:
    // RuntimeException once the stream is closed.
    void checkOpen();
    // Makes buf hold at least needed bytes: twice its length, or needed if that is more.
    void ensureCapacity(int64_t needed);
};

}  // namespace java::io
