#pragma once

// java::io::OutputStreamWriter: characters to UTF-8 bytes on an OutputStream.

#include "pb_src/j2me/java_io_OutputStream.h"
#include "pb_src/j2me/java_io_Writer.h"

namespace java::io {

class OutputStreamWriter : public Writer {
    VM_CLASS(OutputStreamWriter, Writer)
    using ByteArray = VMArray<int8_t, 1>;
    static constexpr int32_t kByteBufferSize = 2048;

    VMPtr<OutputStreamWriter> _VM_init(VMPtr<OutputStream> out);

    using Writer::write;
    void write(VMPtr<::java::lang::String> text, int32_t offset, int32_t length) override;
    void write(VMPtr<CharArray> characters, int32_t offset, int32_t length) override;
    void write(int32_t c) override;
    // Native callers: count units from a native buffer.
    void write(const char16_t* units, int32_t count);
    void flush() override;
    void close() override;
    void _VM_mark(uint32_t flags) override;

    bool useUtf8 = false;
    VMPtr<OutputStream> out{vmField()};
    VMPtr<ByteArray> byteBuf{vmField()};

private:
    void ensureOpen();
    ByteArray* bytes();
    // Encodes the units in rounds that fit the byte buffer, one stream write per round.
    void encode(const char16_t* units, int32_t count);
};

}  // namespace java::io
