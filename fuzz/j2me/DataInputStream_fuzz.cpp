// Reads random bytes through a DataInputStream over a ByteArrayInputStream with a sequence
// of reads chosen by the input, and checks every result, every exception and the stream
// position against a plain model of the wire form. Strings that decode are written back
// with writeUTF and read again.
//
// Input: byte 0 gives the number of operation bytes that follow (at most 31); the rest is
// the stream's data. Each operation byte picks a read by its low four bits; its high four
// bits are the operand of the reads that take one.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_UTFDataFormatException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "lib_src/vm/VMHeap.h"
#include "fuzz/RuntimeFuzzing.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::io::ByteArrayInputStream;
using java::io::ByteArrayOutputStream;
using java::io::DataInputStream;
using java::io::DataOutputStream;
using java::io::EOFException;
using java::io::UTFDataFormatException;
using java::lang::IndexOutOfBoundsException;
using java::lang::Throwable;
using ByteArray = VMArray<int8_t, 1>;

void check(bool condition) {
    if (!condition) std::abort();
}

// What a ByteArrayInputStream over the data holds: the bytes, the read position and the mark.
struct Model {
    const uint8_t* data;
    int32_t size;
    int32_t pos = 0;
    int32_t markPos = 0;

    int32_t remaining() const { return size - pos; }
    // The next n bytes as a big-endian number; the caller has checked that they are there.
    uint64_t take(int32_t n) {
        uint64_t value = 0;
        for (int32_t i = 0; i < n; ++i) value = (value << 8) | data[pos++];
        return value;
    }
};

// The outcome of one read on the model: a value, or the exception expected.
enum class Outcome { Value, EndOfData, BadText, BadRange };

// Decodes a string body the way readUTF must accept it: whole sequences only, continuation
// bytes where they belong, no byte that cannot start a character. False when malformed.
bool decodeModel(const uint8_t* bytes, int32_t count, std::u16string* out) {
    for (int32_t i = 0; i < count;) {
        const uint8_t b0 = bytes[i];
        if (b0 < 0x80) {
            *out += char16_t(b0);
            i += 1;
        } else if (b0 >= 0xC0 && b0 <= 0xDF) {
            if (count - i < 2 || (bytes[i + 1] & 0xC0) != 0x80) return false;
            *out += char16_t(((b0 & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            i += 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            if (count - i < 3 || (bytes[i + 1] & 0xC0) != 0x80 || (bytes[i + 2] & 0xC0) != 0x80) return false;
            *out += char16_t(((b0 & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

// Writes the text with writeUTF and reads it back: the same text, in no more bytes than the
// body it was decoded from (overlong forms come back shorter), except that a raw zero byte,
// which readUTF accepts, comes back as C0 80.
void checkRewrite(const VMPtr<java::lang::String>& text, int32_t bodyLength) {
    for (char16_t unit : text->toUtf16()) bodyLength += unit == 0 ? 1 : 0;
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::_VM_new();
    sink->_VM_init();
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(sink);
    out->writeUTF(text);
    check(sink->size() >= 2 && sink->size() - 2 <= bodyLength);
    VMPtr<ByteArrayInputStream> source = ByteArrayInputStream::_VM_new();
    source->_VM_init(sink->toByteArray());
    VMPtr<DataInputStream> in = DataInputStream::_VM_new();
    in->_VM_init(source);
    check(in->readUTF()->toUtf16() == text->toUtf16());
    check(in->available() == 0);
}

// Runs one operation on the stream and the model and compares them.
void step(uint8_t op, DataInputStream* in, Model& model, ByteArray* scratch) {
    const int32_t operand = op >> 4;
    Outcome expected = Outcome::Value;
    Outcome actual = Outcome::Value;
    // Fixed-size values: the model takes the bytes or, when too few are left, all of them.
    auto fixed = [&](int32_t size, auto read, auto fromBits) {
        if (model.remaining() < size) {
            expected = Outcome::EndOfData;
            model.pos = model.size;
        }
        const uint64_t bits = expected == Outcome::Value ? model.take(size) : 0;
        try {
            const auto value = read();
            check(expected == Outcome::Value && value == fromBits(bits));
        } catch (EOFException* caught) {
            VMPtr<EOFException> held(caught);
            actual = Outcome::EndOfData;
        }
    };
    switch (op & 0x0F) {
    case 0: fixed(1, [&] { return in->readBoolean(); }, [](uint64_t b) { return b != 0; }); break;
    case 1: fixed(1, [&] { return in->readByte(); }, [](uint64_t b) { return int8_t(b); }); break;
    case 2: fixed(1, [&] { return in->readUnsignedByte(); }, [](uint64_t b) { return int32_t(b); }); break;
    case 3: fixed(2, [&] { return in->readShort(); }, [](uint64_t b) { return int16_t(b); }); break;
    case 4: fixed(2, [&] { return in->readUnsignedShort(); }, [](uint64_t b) { return int32_t(b); }); break;
    case 5: fixed(2, [&] { return in->readChar(); }, [](uint64_t b) { return char16_t(b); }); break;
    case 6: fixed(4, [&] { return in->readInt(); }, [](uint64_t b) { return int32_t(uint32_t(b)); }); break;
    case 7: fixed(8, [&] { return in->readLong(); }, [](uint64_t b) { return int64_t(b); }); break;
    case 8:  // compared as bit patterns, so NaNs compare too
        fixed(4, [&] { return std::bit_cast<uint32_t>(in->readFloat()); }, [](uint64_t b) { return uint32_t(b); });
        break;
    case 9: fixed(8, [&] { return std::bit_cast<uint64_t>(in->readDouble()); }, [](uint64_t b) { return b; }); break;
    case 10: {
        std::u16string text;
        int32_t length = 0;
        if (model.remaining() < 2) {
            expected = Outcome::EndOfData;
            model.pos = model.size;
        } else {
            length = int32_t(model.take(2));
            if (model.remaining() < length) {
                expected = Outcome::EndOfData;
                model.pos = model.size;
            } else {
                if (!decodeModel(model.data + model.pos, length, &text)) expected = Outcome::BadText;
                model.pos += length;
            }
        }
        try {
            VMPtr<java::lang::String> s = in->readUTF();
            check(expected == Outcome::Value && s->toUtf16() == text);
            checkRewrite(s, length);
        } catch (EOFException* caught) {
            VMPtr<EOFException> held(caught);
            actual = Outcome::EndOfData;
        } catch (UTFDataFormatException* caught) {
            VMPtr<UTFDataFormatException> held(caught);
            actual = Outcome::BadText;
        }
        break;
    }
    case 11: {  // readFully of up to 15 bytes at the start of the scratch array
        const int32_t start = model.pos;
        if (model.remaining() < operand) {
            expected = Outcome::EndOfData;
            model.pos = model.size;
        } else {
            model.pos += operand;
        }
        try {
            in->readFully(scratch, 0, operand);
            check(std::memcmp(scratch->elements(), model.data + start, size_t(operand)) == 0);
        } catch (EOFException* caught) {
            VMPtr<EOFException> held(caught);
            actual = Outcome::EndOfData;
        }
        break;
    }
    case 12: {  // skipBytes of -4 .. 11
        const int32_t n = operand - 4;
        const int32_t skipped = n <= 0 ? 0 : std::min(n, model.remaining());
        model.pos += skipped;
        check(in->skipBytes(n) == skipped);
        break;
    }
    case 13: {  // read(b, off, len) around the 16-byte array: off -1, 5, 11, 17; len -1, 4, 9, 14
        const int32_t off = (operand & 3) * 6 - 1;
        const int32_t len = (operand >> 2) * 5 - 1;
        int32_t expectedCount = 0;
        if (off < 0 || len < 0 || off + len > scratch->length) {
            expected = Outcome::BadRange;
        } else if (model.remaining() == 0) {
            expectedCount = -1;
        } else {
            expectedCount = std::min(len, model.remaining());
            model.pos += expectedCount;
        }
        try {
            check(in->read(scratch, off, len) == expectedCount && expected == Outcome::Value);
        } catch (IndexOutOfBoundsException* caught) {
            VMPtr<IndexOutOfBoundsException> held(caught);
            actual = Outcome::BadRange;
        }
        break;
    }
    case 14:
        check(in->available() == model.remaining());
        if (operand & 1) {
            in->mark(0);
            model.markPos = model.pos;
        }
        break;
    case 15:
        in->reset();
        model.pos = model.markPos;
        break;
    }
    check(actual == expected);
    check(in->available() == model.remaining());
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    if (size == 0) return 0;
    const size_t opCount = std::min<size_t>(data[0] & 0x1F, size - 1);
    const uint8_t* ops = data + 1;
    Model model{data + 1 + opCount, int32_t(size - 1 - opCount)};
    try {
        VMPtr<ByteArray> bytes = ByteArray::_VM_new(model.size);
        if (model.size > 0) std::memcpy(bytes->elements(), model.data, size_t(model.size));
        VMPtr<ByteArrayInputStream> source = ByteArrayInputStream::_VM_new();
        source->_VM_init(bytes);
        VMPtr<DataInputStream> in = DataInputStream::_VM_new();
        in->_VM_init(source);
        VMPtr<ByteArray> scratch = ByteArray::_VM_new(16);
        for (size_t i = 0; i < opCount; ++i) step(ops[i], in.get(), model, scratch.get());
    } catch (Throwable* e) {
        VMPtr<Throwable> held(e);
        std::abort();  // every exception an operation may throw is expected and caught above
    }
    checkHeapReturnsToItsBaseline();
    return 0;
}
