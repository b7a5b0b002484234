#pragma once

// java::io::DataOutputStream: writes primitive values and strings onto another stream in
// a machine-independent form: multi-byte values big-endian, floating values as their IEEE
// 754 bit patterns, strings as an unsigned 16-bit byte count and modified UTF-8. Nothing is
// buffered: each primitive goes out one write(int) call per byte.

#include "pb_src/j2me/java_io_DataOutput.h"
#include "pb_src/j2me/java_io_OutputStream.h"

namespace java::io {

class DataOutputStream : public OutputStream, public virtual DataOutput {
    VM_CLASS(DataOutputStream, OutputStream)
    using ByteArray = VMArray<int8_t, 1>;

    // The longest string body writeUTF accepts, in encoded bytes.
    static constexpr int32_t kMaxUtfBytes = 65535;

    // Stores the stream written to; a null stream fails at the first operation.
    VMPtr<DataOutputStream> _VM_init(VMPtr<OutputStream> out);

    // The stream operations, forwarded to out.
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void write(VMPtr<ByteArray> b) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;

    void writeBoolean(bool v) override;
    void writeByte(int32_t v) override;
    void writeShort(int32_t v) override;
    void writeChar(int32_t v) override;
    void writeInt(int32_t v) override;
    void writeLong(int64_t v) override;
    void writeFloat(float v) override;
    void writeDouble(double v) override;
    // Two bytes per UTF-16 unit, high byte first.
    void writeChars(VMPtr<::java::lang::String> s) override;
    // The encoded length as two bytes, then the modified UTF-8 bytes, in one array write;
    // UTFDataFormatException, with nothing written, when the body would pass 65535 bytes.
    void writeUTF(VMPtr<::java::lang::String> s) override;
    void _VM_mark(uint32_t flags) override;

    VMPtr<OutputStream> out{vmField()};
    // The bytes of the last writeUTF, kept for the next one so that a string of the same or
    // smaller encoded size needs no new array.
    VMPtr<ByteArray> bytes{vmField()};

private:
    ByteArray* scratch(int32_t size);
    // The wrapped stream; NullPointerException when there is none.
    OutputStream* target();
    // The low count bytes of value, most significant first, as count calls of write(int).
    void writeSeveral(int64_t value, int32_t count);
};

}  // namespace java::io
