#include "pb_src/j2me/java_io_DataOutputStream.h"

#include <algorithm>
#include <bit>

#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMUtf8.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_UTFDataFormatException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

using java::lang::String;

VM_DEFINE_CLASS(DataOutputStream, "java.io.DataOutputStream", "java.io.OutputStream", VM_NO_CLINIT)
VM_IMPLEMENTS(DataOutputStream, "java.io.DataOutput")

namespace {

constexpr int32_t kMinScratch = 80;

// Appends the low count bytes of value, most significant first, to an open stream whose
// buffer has room for them all, under one hold of its monitor; false (nothing written)
// otherwise, where the caller writes byte by byte and the stream grows or throws as usual.
bool appendInPlace(ByteArrayOutputStream* stream, int64_t value, int32_t count) {
    VM_SYNCHRONIZED(stream);
    if (stream->isClosed || int64_t(stream->count) + count > stream->buf->length) return false;
    int8_t* at = stream->buf->elements() + stream->count;
    for (int32_t k = 0; k < count; ++k) at[k] = int8_t(value >> (8 * (count - 1 - k)));
    stream->count += count;
    return true;
}

}  // namespace

// When neither this stream's write(int) nor the target's can be overridden (both are of
// exactly their class), a ByteArrayOutputStream target takes the bytes in one call.
void DataOutputStream::writeSeveral(int64_t value, int32_t count) {
    OutputStream* stream = out.get();
    if (stream != nullptr && stream->getClass() == ByteArrayOutputStream::_VM_classRecord &&
        getClass() == _VM_classRecord &&
        appendInPlace(static_cast<ByteArrayOutputStream*>(dynamic_cast<void*>(stream)), value, count))
        return;
    for (int32_t k = count - 1; k >= 0; --k) write(int32_t(value >> (8 * k)));
}

VMPtr<DataOutputStream> DataOutputStream::_VM_init(VMPtr<OutputStream> stream) {
    out = stream;
    return this;
}

OutputStream* DataOutputStream::target() {
    if (!out) vm::throwNew<java::lang::NullPointerException>();
    return out.get();
}

void DataOutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len) { target()->write(b, off, len); }

void DataOutputStream::write(VMPtr<ByteArray> b) { OutputStream::write(b); }

void DataOutputStream::write(int32_t b) { target()->write(b); }

void DataOutputStream::flush() { target()->flush(); }

void DataOutputStream::close() { target()->close(); }

void DataOutputStream::writeBoolean(bool v) { write(v ? 1 : 0); }

void DataOutputStream::writeByte(int32_t v) { write(v); }

DataOutputStream::ByteArray* DataOutputStream::scratch(int32_t size) {
    if (!bytes || bytes->length < size) bytes = ByteArray::_VM_new(std::max(size, kMinScratch));
    return bytes.get();
}

void DataOutputStream::writeShort(int32_t v) { writeSeveral(v, 2); }

void DataOutputStream::writeChar(int32_t v) { writeSeveral(v, 2); }

void DataOutputStream::writeInt(int32_t v) { writeSeveral(v, 4); }

void DataOutputStream::writeLong(int64_t v) { writeSeveral(v, 8); }

void DataOutputStream::writeFloat(float v) { writeInt(std::bit_cast<int32_t>(v)); }

void DataOutputStream::writeDouble(double v) { writeLong(std::bit_cast<int64_t>(v)); }

void DataOutputStream::writeChars(VMPtr<String> s) {
    if (!s) vm::throwNew<java::lang::NullPointerException>();
    const int32_t length = s->length();
    for (int32_t i = 0; i < length; ++i) {
        const char16_t c = s->chars()[i];
        write(c >> 8);
        write(c);
    }
}

void DataOutputStream::writeUTF(VMPtr<String> s) {
    if (!s) vm::throwNew<java::lang::NullPointerException>();
    // Every unit needs at least one byte, so a longer string cannot fit; checking first
    // also keeps the measured length far from 32-bit overflow.
    const int32_t units = s->length();
    if (units > kMaxUtfBytes) vm::throwNew<UTFDataFormatException>();
    const int32_t length = _VM_utf8Length(s->chars(), units, true);
    if (length > kMaxUtfBytes) vm::throwNew<UTFDataFormatException>();
    int8_t* data = scratch(length + 2)->elements();
    data[0] = int8_t(length >> 8);
    data[1] = int8_t(length);
    int32_t written = length;
    _VM_utf16ToUtf8(reinterpret_cast<uint8_t*>(data + 2), &written, s->chars(), units, true, false);
    write(bytes, 0, length + 2);
}

void DataOutputStream::_VM_mark(uint32_t flags) {
    OutputStream::_VM_mark(flags);
    vmMarkField(out, flags);
    vmMarkField(bytes, flags);
}

}  // namespace java::io
