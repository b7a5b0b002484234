#pragma once

// kv::io::FastInputStream: buffers a wrapped input stream in blocks of 1024 bytes. A read
// never returns more than is buffered, so it asks the wrapped stream for at most one block;
// writeTo hands the buffered bytes to an output stream. After close every read, skip and
// writeTo throws IOException "InputStream closed"; once the wrapped stream reports its end it
// is not read again.

#include "pb_src/j2me/java_io_InputStream.h"
#include "pb_src/j2me/java_io_OutputStream.h"

namespace kv::io {

class FastInputStream : public ::java::io::InputStream {
    VM_CLASS(FastInputStream, ::java::io::InputStream)
    using InputStream = ::java::io::InputStream;

    static constexpr int32_t kBlockSize = 1024;

    VMPtr<FastInputStream> _VM_init(VMPtr<InputStream> in);

    using InputStream::read;
    // Bounds-checked against b: IndexOutOfBoundsException for a range outside it.
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    // The buffered bytes only; never reads the wrapped stream.
    int32_t available() override { return count; }
    void close() override;
    void mark(int32_t readLimit) override {}
    void reset() override {}
    // The number of bytes handed to out, or -1 at the end of input.
    virtual int32_t writeTo(VMPtr<::java::io::OutputStream> out);

    void _VM_mark(uint32_t flags) override;

    VMPtr<ByteArray> buffer{vmField()};
    VMPtr<InputStream> in{vmField()};
    int32_t pos = 0;
    bool closed = false;
    bool eof = false;
    int32_t count = 0;

private:
    // Leaves at least one unread byte buffered, or eof set.
    void fill();
};

}  // namespace kv::io
