#pragma once

// java::io::DataInputStream: reads primitive values and strings from another stream in the
// form DataOutputStream writes. Nothing is buffered: each byte of a value is one read() of
// this stream. The composite readers (readShort, readChar, readLong, readFloat, readDouble,
// readUTF, readFully of a whole array) call the others virtually, so a subclass that
// overrides one reader changes them too.

#include "pb_src/j2me/java_io_DataInput.h"
#include "pb_src/j2me/java_io_InputStream.h"

namespace java::io {

class ByteArrayInputStream;

class DataInputStream : public InputStream, public virtual DataInput {
    VM_CLASS(DataInputStream, InputStream)
    using ByteArray = VMArray<int8_t, 1>;

    // Stores the stream read from; a null stream fails at the first operation.
    VMPtr<DataInputStream> _VM_init(VMPtr<InputStream> in);

    // The stream operations, forwarded to in without examining their arguments.
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read(VMPtr<ByteArray> b) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    int32_t available() override;
    void close() override;
    void mark(int32_t readLimit) override;
    void reset() override;
    bool markSupported() override;

    // Fills len bytes or throws EOFException (the bytes read so far are lost);
    // IndexOutOfBoundsException for a negative len. A len of 0 reads nothing.
    void readFully(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void readFully(VMPtr<ByteArray> b) override;
    // Skips up to n bytes; stops early when the stream skips nothing. Returns the count.
    int32_t skipBytes(int32_t n) override;
    bool readBoolean() override;
    int8_t readByte() override;
    int32_t readUnsignedByte() override;
    int16_t readShort() override;
    int32_t readUnsignedShort() override;
    char16_t readChar() override;
    int32_t readInt() override;
    int64_t readLong() override;
    float readFloat() override;
    double readDouble() override;
    // An unsigned 16-bit byte count, then that many bytes of modified UTF-8. EOFException
    // when the stream ends first; UTFDataFormatException (the bytes consumed) unless every
    // sequence is complete, with continuation bytes where they belong.
    VMPtr<::java::lang::String> readUTF() override;
    void _VM_mark(uint32_t flags) override;

    VMPtr<InputStream> in{vmField()};
    // The bytes of the last readUTF, kept for the next one so that a string of the same or
    // smaller encoded size needs no new array.
    VMPtr<ByteArray> bytes{vmField()};

private:
    ByteArray* scratch(int32_t size);
    // The wrapped stream; NullPointerException when there is none.
    InputStream* source();
    // count bytes as count calls of read() give them (-1 for each past the end).
    void readSeveral(int32_t* bytes, int32_t count);
    ByteArrayInputStream* plainSource();
};

}  // namespace java::io
