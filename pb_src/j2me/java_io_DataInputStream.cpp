#include "pb_src/j2me/java_io_DataInputStream.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_UTFDataFormatException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

using java::lang::String;

VM_DEFINE_CLASS(DataInputStream, "java.io.DataInputStream", "java.io.InputStream", VM_NO_CLINIT)
VM_IMPLEMENTS(DataInputStream, "java.io.DataInput")

namespace {

[[noreturn]] void endOfData() { vm::throwNew<EOFException>(); }

constexpr int32_t kMinScratch = 80;
// readUTF decodes a string of up to this many bytes in one pass, on the stack.
constexpr int32_t kStackUnits = 512;

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Decodes the bytes into out (room for count units; nothing is stored when out is null) and
// returns the number of UTF-16 units,
// or -1 unless they are a whole number of well-formed sequences: a byte below 0x80, C0-DF
// and one continuation byte, E0-EF and two. Checking and decoding in the same pass; the
// codec substitutes U+0080 for a broken sequence and clamps a cut-off one to the data, so
// this check is what tells readUTF's caller that the data was damaged.
template <bool Store>
int32_t decodeModifiedUtf8(const uint8_t* bytes, int32_t count, char16_t* out) {
    int32_t units = 0;
    int32_t i = 0;
    while (i < count) {
        const uint8_t lead = bytes[i];
        if (lead < 0x80) {
            if constexpr (Store) out[units] = lead;
            ++units;
            i += 1;
        } else if (lead >= 0xC0 && lead <= 0xDF) {
            if (count - i < 2 || !isContinuation(bytes[i + 1])) return -1;
            if constexpr (Store) out[units] = char16_t(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            ++units;
            i += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            if (count - i < 3 || !isContinuation(bytes[i + 1]) || !isContinuation(bytes[i + 2])) return -1;
            if constexpr (Store)
                out[units] = char16_t(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            ++units;
            i += 3;
        } else {
            return -1;
        }
    }
    return units;
}

// Takes up to count bytes from a plain ByteArrayInputStream under one hold of its monitor,
// each as its read() gives it (-1 past the end; a position the constructor left negative
// throws from the checked access, as read() does).
// The caller's handle on the DataInputStream holds the stream through its field for the
// whole call, and nothing here runs managed code: the monitor guard needs no handle.
void readEach(ByteArrayInputStream* stream, int32_t* bytes, int32_t count) {
    VMSelfMonitorGuard guard(stream);
    const int32_t pos = stream->pos;
    auto* array = stream->buf.get();
    if (array != nullptr && pos >= 0 && pos <= stream->count - count && stream->count <= array->length) {
        // All of them lie inside the array: no per-byte checks.
        const int8_t* data = array->elements() + pos;
        for (int32_t k = 0; k < count; ++k) bytes[k] = uint8_t(data[k]);
        stream->pos = pos + count;
        return;
    }
    for (int32_t k = 0; k < count; ++k) {
        if (stream->pos >= stream->count) {
            bytes[k] = -1;
            continue;
        }
        bytes[k] = uint8_t(stream->buf->at(stream->pos));
        ++stream->pos;
    }
}

}  // namespace

// The bytes of a multi-byte value, one read() each. When neither this stream's read() nor
// the source's can be overridden (both are of exactly their class), a ByteArrayInputStream
// source hands them over in one call: the same bytes, one monitor hold instead of one per byte.
void DataInputStream::readSeveral(int32_t* bytes, int32_t count) {
    if (ByteArrayInputStream* stream = plainSource()) {
        readEach(stream, bytes, count);
        return;
    }
    for (int32_t k = 0; k < count; ++k) bytes[k] = read();
}

// The source when it is a plain ByteArrayInputStream and this stream is a plain
// DataInputStream (neither read() can be overridden); null otherwise.
ByteArrayInputStream* DataInputStream::plainSource() {
    InputStream* stream = in.get();
    if (stream != nullptr && stream->getClass() == ByteArrayInputStream::_VM_classRecord &&
        getClass() == _VM_classRecord)
        return static_cast<ByteArrayInputStream*>(dynamic_cast<void*>(stream));
    return nullptr;
}

VMPtr<DataInputStream> DataInputStream::_VM_init(VMPtr<InputStream> stream) {
    in = stream;
    return this;
}

InputStream* DataInputStream::source() {
    if (!in) vm::throwNew<java::lang::NullPointerException>();
    return in.get();
}

int32_t DataInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len) { return source()->read(b, off, len); }

int32_t DataInputStream::read(VMPtr<ByteArray> b) {
    InputStream* stream = source();
    if (!b) vm::throwNew<java::lang::NullPointerException>();
    return stream->read(b, 0, b->length);
}

int32_t DataInputStream::read() { return source()->read(); }

int64_t DataInputStream::skip(int64_t n) { return source()->skip(n); }

int32_t DataInputStream::available() { return source()->available(); }

void DataInputStream::close() { source()->close(); }

void DataInputStream::mark(int32_t readLimit) { source()->mark(readLimit); }

void DataInputStream::reset() { source()->reset(); }

bool DataInputStream::markSupported() { return source()->markSupported(); }

void DataInputStream::readFully(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    if (len < 0) vm::throwNew<java::lang::IndexOutOfBoundsException>();
    // The wrapped stream checks off and len against the array. The offset is advanced with
    // 32-bit wrap-around and a count beyond what was asked is cut, so a stream that checks
    // nothing or over-reports cannot make this loop overflow.
    for (int32_t n = 0; n < len;) {
        const int32_t count = read(b, int32_t(uint32_t(off) + uint32_t(n)), len - n);
        if (count < 0) endOfData();
        n += std::min(count, len - n);
    }
}

void DataInputStream::readFully(VMPtr<ByteArray> b) {
    if (!b) vm::throwNew<java::lang::NullPointerException>();
    readFully(b, 0, b->length);
}

int32_t DataInputStream::skipBytes(int32_t n) {
    int32_t total = 0;
    while (total < n) {
        const int64_t skipped = skip(int64_t(n) - total);
        if (skipped <= 0) break;
        // A stream that claims more than was asked cannot push the count past n.
        total += int32_t(std::min<int64_t>(skipped, int64_t(n) - total));
    }
    return total;
}

bool DataInputStream::readBoolean() {
    const int32_t c = read();
    if (c < 0) endOfData();
    return c != 0;
}

int8_t DataInputStream::readByte() {
    const int32_t c = read();
    if (c < 0) endOfData();
    return int8_t(c);
}

int32_t DataInputStream::readUnsignedByte() {
    const int32_t c = read();
    if (c < 0) endOfData();
    return c;
}

int16_t DataInputStream::readShort() { return int16_t(readUnsignedShort()); }

DataInputStream::ByteArray* DataInputStream::scratch(int32_t size) {
    if (!bytes || bytes->length < size) bytes = ByteArray::_VM_new(std::max(size, kMinScratch));
    return bytes.get();
}

int32_t DataInputStream::readUnsignedShort() {
    int32_t c[2];
    readSeveral(c, 2);
    if ((c[0] | c[1]) < 0) endOfData();
    return (c[0] << 8) + c[1];
}

char16_t DataInputStream::readChar() { return char16_t(readUnsignedShort()); }

int32_t DataInputStream::readInt() {
    int32_t c[4];
    readSeveral(c, 4);
    if ((c[0] | c[1] | c[2] | c[3]) < 0) endOfData();
    return int32_t((uint32_t(c[0]) << 24) | (uint32_t(c[1]) << 16) | (uint32_t(c[2]) << 8) | uint32_t(c[3]));
}

int64_t DataInputStream::readLong() {
    if (ByteArrayInputStream* stream = plainSource()) {
        // All eight bytes in one hold of the source's monitor. The source reads no further
        // than its end, so a cut-off value consumes what was there, as two readInt calls do.
        int32_t c[8];
        readEach(stream, c, 8);
        uint64_t value = 0;
        int32_t missing = 0;
        for (int32_t k = 0; k < 8; ++k) {
            missing |= c[k];
            value = (value << 8) | uint8_t(c[k]);
        }
        if (missing < 0) endOfData();
        return int64_t(value);
    }
    const int64_t high = readInt();
    const uint32_t low = uint32_t(readInt());
    return int64_t((uint64_t(high) << 32) | low);
}

float DataInputStream::readFloat() { return std::bit_cast<float>(readInt()); }

double DataInputStream::readDouble() { return std::bit_cast<double>(readLong()); }

namespace {

// Decodes a string body of length bytes (at most kStackUnits) straight from a plain
// ByteArrayInputStream's array into decoded, under one hold of its monitor, and consumes
// it; false (nothing consumed) unless all of it lies inside the array. *units is -1 for a
// malformed body. Nothing here runs managed code: the caller's handle holds the source.
bool decodeFromSource(ByteArrayInputStream* stream, int32_t length, char16_t* decoded, int32_t* units) {
    VMSelfMonitorGuard guard(stream);
    const int32_t pos = stream->pos;
    auto* array = stream->buf.get();
    if (array == nullptr || pos < 0 || pos > stream->count - length || stream->count > array->length) return false;
    *units = decodeModifiedUtf8<true>(reinterpret_cast<const uint8_t*>(array->elements() + pos), length, decoded);
    stream->pos = pos + length;
    return true;
}

}  // namespace

VMPtr<String> DataInputStream::readUTF() {
    const int32_t length = readUnsignedShort();
    if (length <= kStackUnits) {
        // From a plain source the body is decoded where it lies: no copy into the scratch array.
        char16_t decoded[kStackUnits];
        int32_t units;
        if (ByteArrayInputStream* stream = plainSource(); stream && decodeFromSource(stream, length, decoded, &units)) {
            if (units < 0) vm::throwNew<UTFDataFormatException>();
            VMPtr<String::CharArray> chars = String::CharArray::_VM_new(units);
            std::memcpy(chars->elements(), decoded, size_t(units) * sizeof(char16_t));
            VMPtr<String> text = String::_VM_new();
            return text->_VM_init(0, units, chars);
        }
    }
    VMPtr<ByteArray> buffer(scratch(length));
    readFully(buffer, 0, length);
    const auto* data = reinterpret_cast<const uint8_t*>(buffer->elements());
    // A short string is checked and decoded in one pass onto the stack, then copied into an
    // array of exactly its size; a long one is checked and counted first, then decoded into
    // its array. Nothing is allocated before the bytes are known to be well formed.
    VMPtr<String::CharArray> chars;
    int32_t units;
    if (length <= kStackUnits) {
        char16_t decoded[kStackUnits];
        units = decodeModifiedUtf8<true>(data, length, decoded);
        if (units < 0) vm::throwNew<UTFDataFormatException>();
        chars = String::CharArray::_VM_new(units);
        std::memcpy(chars->elements(), decoded, size_t(units) * sizeof(char16_t));
    } else {
        units = decodeModifiedUtf8<false>(data, length, nullptr);
        if (units < 0) vm::throwNew<UTFDataFormatException>();
        chars = String::CharArray::_VM_new(units);
        decodeModifiedUtf8<true>(data, length, chars->elements());
    }
    // The array is this string's alone and exactly its size, so the string takes it over.
    VMPtr<String> text = String::_VM_new();
    return text->_VM_init(0, units, chars);
}

void DataInputStream::_VM_mark(uint32_t flags) {
    InputStream::_VM_mark(flags);
    vmMarkField(in, flags);
    vmMarkField(bytes, flags);
}

}  // namespace java::io
