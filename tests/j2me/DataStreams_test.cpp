// DataOutputStream and DataInputStream: the exact bytes of every write, round trips through
// in-memory streams, the end of data inside every value, strings at and over the 65535-byte
// limit, malformed string bodies, readFully and skipBytes, and forwarding to the wrapped
// streams.

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_io_UTFDataFormatException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "tests/vm/TestRuntime.h"

namespace datatest {

using ByteArray = VMArray<int8_t, 1>;

// Hands out the bytes of `data`, at most one per array read and per skip, and counts the
// calls; skip can be made to skip nothing, and read() to fail.
class Trickle : public java::io::InputStream {
    VM_CLASS(Trickle, java::io::InputStream)
    VMPtr<Trickle> _VM_init(VMPtr<ByteArray> bytes) {
        data = bytes;
        return this;
    }
    int32_t read() override {
        ++byteReads;
        if (failing) vm::throwNew<java::io::IOException>();
        return pos < data->length ? uint8_t(data->at(pos++)) : -1;
    }
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override {
        ++arrayReads;
        checkArrayRange(b.get(), off, len);
        if (pos == data->length) return -1;
        b->elements()[off] = data->at(pos++);
        return 1;
    }
    using java::io::InputStream::read;
    int64_t skip(int64_t n) override {
        ++skips;
        if (skipsNothing || pos == data->length) return 0;
        ++pos;
        return 1;
    }
    void _VM_mark(uint32_t flags) override {
        InputStream::_VM_mark(flags);
        vmMarkField(data, flags);
    }

    VMPtr<ByteArray> data{vmField()};
    int32_t pos = 0;
    int32_t byteReads = 0;
    int32_t arrayReads = 0;
    int32_t skips = 0;
    bool skipsNothing = false;
    bool failing = false;
};

// Counts single-byte and array writes, flushes and closes, and keeps the bytes in `sink`.
class Recorder : public java::io::OutputStream {
    VM_CLASS(Recorder, java::io::OutputStream)
    VMPtr<Recorder> _VM_init() {
        sink = java::io::ByteArrayOutputStream::_VM_new();
        sink->_VM_init();
        return this;
    }
    void write(int32_t b) override {
        ++byteWrites;
        sink->write(b);
    }
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override {
        ++arrayWrites;
        sink->write(b, off, len);
    }
    using java::io::OutputStream::write;
    void flush() override { ++flushes; }
    void close() override { ++closes; }
    void _VM_mark(uint32_t flags) override {
        OutputStream::_VM_mark(flags);
        vmMarkField(sink, flags);
    }

    VMPtr<java::io::ByteArrayOutputStream> sink{vmField()};
    int32_t byteWrites = 0;
    int32_t arrayWrites = 0;
    int32_t flushes = 0;
    int32_t closes = 0;
};

// Overrides the two basic readers, so the composite ones must go through them.
class FixedReader : public java::io::DataInputStream {
    VM_CLASS(FixedReader, java::io::DataInputStream)
    int32_t readInt() override { return 0x3F800000; }
    int32_t readUnsignedShort() override { return 0xFFFE; }
};

}  // namespace datatest

VM_DEFINE_CLASS(datatest::Trickle, "datatest.Trickle", "java.io.InputStream", VM_NO_CLINIT)
VM_DEFINE_CLASS(datatest::Recorder, "datatest.Recorder", "java.io.OutputStream", VM_NO_CLINIT)
VM_DEFINE_CLASS(datatest::FixedReader, "datatest.FixedReader", "java.io.DataInputStream", VM_NO_CLINIT)

namespace {

using datatest::ByteArray;
using java::io::ByteArrayInputStream;
using java::io::ByteArrayOutputStream;
using java::io::DataInput;
using java::io::DataInputStream;
using java::io::DataOutput;
using java::io::DataOutputStream;
using java::io::EOFException;
using java::io::UTFDataFormatException;
using java::lang::IndexOutOfBoundsException;
using java::lang::NullPointerException;
using java::lang::String;
using Bytes = std::vector<uint8_t>;

struct Writer {
    VMPtr<ByteArrayOutputStream> sink;
    VMPtr<DataOutputStream> out;
    Bytes bytes() {
        VMPtr<ByteArray> array = sink->toByteArray();
        const auto* data = reinterpret_cast<const uint8_t*>(array->elements());
        return Bytes(data, data + array->length);
    }
};

Writer writer() {
    Writer w{ByteArrayOutputStream::_VM_new(), DataOutputStream::_VM_new()};
    w.sink->_VM_init();
    w.out->_VM_init(w.sink);
    return w;
}

VMPtr<ByteArray> arrayOf(const Bytes& values) {
    VMPtr<ByteArray> array = ByteArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->at(int32_t(i)) = int8_t(values[i]);
    return array;
}

VMPtr<DataInputStream> readerOf(const Bytes& values) {
    VMPtr<ByteArrayInputStream> source = ByteArrayInputStream::_VM_new();
    source->_VM_init(arrayOf(values));
    VMPtr<DataInputStream> in = DataInputStream::_VM_new();
    return in->_VM_init(source);
}

// Runs f, which must throw E without a message.
template <typename E> void expectBare(const std::function<void()>& f, const char* what) {
    try {
        f();
        ADD_FAILURE() << what << ": nothing thrown";
    } catch (E* caught) {
        VMPtr<E> e(caught);
        EXPECT_FALSE(e->getMessage()) << what;
    }
}

// The bytes writeUTF gives for the text.
Bytes utfBytes(const std::u16string& text) {
    Writer w = writer();
    w.out->writeUTF(String::fromUtf16(text));
    return w.bytes();
}

TEST(DataStreams, RegisterTwoStreamsAndTwoInterfaces) {
    testRuntime();
    struct Expected {
        java::lang::Class* record;
        const char* name;
        const char* superName;
        bool isInterface;
    };
    for (const Expected& e : {Expected{DataOutputStream::_VM_getClass(), "java.io.DataOutputStream", "java.io.OutputStream", false},
                              Expected{DataInputStream::_VM_getClass(), "java.io.DataInputStream", "java.io.InputStream", false},
                              Expected{DataOutput::_VM_getClass(), "java.io.DataOutput", "", true},
                              Expected{DataInput::_VM_getClass(), "java.io.DataInput", "", true}}) {
        ASSERT_NE(e.record, nullptr) << e.name;
        EXPECT_STREQ(e.record->name.c_str(), e.name);
        EXPECT_STREQ(e.record->superName.c_str(), e.superName);
        EXPECT_EQ(e.record->sourceFile.c_str(), std::string("target/winmo/pb_src/j2me/") + (std::string(e.name).replace(0, 8, "java_io_")));
        EXPECT_EQ(e.record->isInterface, e.isInterface) << e.name;
        EXPECT_EQ(e.record->factory, nullptr) << e.name;
    }
    Writer w = writer();
    VMPtr<DataInputStream> in = readerOf({});
    EXPECT_TRUE(_VM_instanceOf(_VM_getClassRegistry(), w.out.get(), DataOutput::_VM_getClass()));
    EXPECT_TRUE(_VM_instanceOf(_VM_getClassRegistry(), in.get(), DataInput::_VM_getClass()));
    EXPECT_FALSE(_VM_instanceOf(_VM_getClassRegistry(), in.get(), DataOutput::_VM_getClass()));
}

TEST(DataStreams, WritesAreBigEndianWithIeeeBitPatterns) {
    testRuntime();
    struct Case {
        const char* what;
        std::function<void(DataOutput*)> write;
        Bytes expected;
    };
    const Case cases[] = {
        {"writeInt(1)", [](DataOutput* o) { o->writeInt(1); }, {0, 0, 0, 1}},
        {"writeInt(-2)", [](DataOutput* o) { o->writeInt(-2); }, {0xFF, 0xFF, 0xFF, 0xFE}},
        {"writeInt(0x12345678)", [](DataOutput* o) { o->writeInt(0x12345678); }, {0x12, 0x34, 0x56, 0x78}},
        {"writeShort(-2)", [](DataOutput* o) { o->writeShort(-2); }, {0xFF, 0xFE}},
        {"writeShort(0x12345)", [](DataOutput* o) { o->writeShort(0x12345); }, {0x23, 0x45}},
        {"writeChar(0x1E9)", [](DataOutput* o) { o->writeChar(0x1E9); }, {0x01, 0xE9}},
        {"writeLong(1)", [](DataOutput* o) { o->writeLong(1); }, {0, 0, 0, 0, 0, 0, 0, 1}},
        {"writeLong(min)", [](DataOutput* o) { o->writeLong(INT64_MIN); }, {0x80, 0, 0, 0, 0, 0, 0, 0}},
        {"writeLong(0x0102030405060708)", [](DataOutput* o) { o->writeLong(0x0102030405060708); }, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"writeFloat(1.0)", [](DataOutput* o) { o->writeFloat(1.0f); }, {0x3F, 0x80, 0, 0}},
        {"writeFloat(-0.0)", [](DataOutput* o) { o->writeFloat(-0.0f); }, {0x80, 0, 0, 0}},
        {"writeDouble(1.0)", [](DataOutput* o) { o->writeDouble(1.0); }, {0x3F, 0xF0, 0, 0, 0, 0, 0, 0}},
        {"writeBoolean", [](DataOutput* o) { o->writeBoolean(true); o->writeBoolean(false); }, {1, 0}},
        {"writeByte/write", [](DataOutput* o) { o->writeByte(0x1FF); o->write(-128); }, {0xFF, 0x80}},
        {"writeChars", [](DataOutput* o) { o->writeChars(String::fromUtf16(u"A\u00E9\uFFFF")); }, {0, 0x41, 0, 0xE9, 0xFF, 0xFF}},
        {"writeUTF empty", [](DataOutput* o) { o->writeUTF(String::fromUtf16(u"")); }, {0, 0}},
        {"writeUTF U+0000", [](DataOutput* o) { o->writeUTF(String::fromUtf16(std::u16string(1, u'\0'))); }, {0, 2, 0xC0, 0x80}},
    };
    for (const Case& c : cases) {
        Writer w = writer();
        c.write(w.out.get());  // through the interface
        EXPECT_EQ(w.bytes(), c.expected) << c.what;
    }
}

TEST(DataStreams, StringsUseModifiedUtf8WithSurrogatesAsTwoSequences) {
    testRuntime();
    EXPECT_EQ(utfBytes(u"Az\u007F"), (Bytes{0, 3, 'A', 'z', 0x7F}));
    EXPECT_EQ(utfBytes(u"\u0080\u07FF"), (Bytes{0, 4, 0xC2, 0x80, 0xDF, 0xBF}));
    EXPECT_EQ(utfBytes(u"\u0800\u20AC"), (Bytes{0, 6, 0xE0, 0xA0, 0x80, 0xE2, 0x82, 0xAC}));
    EXPECT_EQ(utfBytes(u"\U0001F600"), (Bytes{0, 6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80})) << "each surrogate on its own";
}

TEST(DataStreams, EveryTypeRoundTrips) {
    testRuntime();
    const std::u16string texts[] = {u"", u"plain ASCII", std::u16string(u"nul\0inside", 10), u"caf\u00E9 \u20AC \u0800\uFFFF",
                                    u"\U0001F600 pair", std::u16string(1, u'\xD800') + u"lone"};
    const int32_t ints[] = {0, 1, -1, INT_MIN, INT_MAX, 0x12345678};
    const int64_t longs[] = {0, -1, INT64_MIN, INT64_MAX, 0x00000000FFFFFFFF, int64_t(0xFFFFFFFF00000000)};
    const float floats[] = {0.0f, -0.0f, 1.5f, -3.25e-40f, INFINITY, -INFINITY, std::bit_cast<float>(0x7FC12345)};
    const double doubles[] = {0.0, -0.0, 3.141592653589793, 4.9e-324, -INFINITY, std::bit_cast<double>(0x7FF8000000000ABCull)};

    Writer w = writer();
    for (bool b : {true, false}) w.out->writeBoolean(b);
    for (int32_t v : {-128, -1, 0, 127}) w.out->writeByte(v);
    for (int32_t v : {-32768, -1, 0, 32767}) w.out->writeShort(v);
    for (int32_t v : {0, 0xD800, 0xFFFF}) w.out->writeChar(v);
    for (int32_t v : ints) w.out->writeInt(v);
    for (int64_t v : longs) w.out->writeLong(v);
    for (float v : floats) w.out->writeFloat(v);
    for (double v : doubles) w.out->writeDouble(v);
    for (const std::u16string& t : texts) w.out->writeUTF(String::fromUtf16(t));
    w.out->writeByte(0xAB);

    VMPtr<DataInputStream> in = readerOf(w.bytes());
    DataInput* input = in.get();  // through the interface
    EXPECT_TRUE(input->readBoolean());
    EXPECT_FALSE(input->readBoolean());
    for (int32_t v : {-128, -1, 0, 127}) EXPECT_EQ(input->readByte(), v);
    for (int32_t v : {-32768, -1, 0, 32767}) EXPECT_EQ(input->readShort(), v);
    for (int32_t v : {0, 0xD800, 0xFFFF}) EXPECT_EQ(input->readChar(), char16_t(v));
    for (int32_t v : ints) EXPECT_EQ(input->readInt(), v);
    for (int64_t v : longs) EXPECT_EQ(input->readLong(), v);
    for (float v : floats) EXPECT_EQ(std::bit_cast<uint32_t>(input->readFloat()), std::bit_cast<uint32_t>(v));
    for (double v : doubles) EXPECT_EQ(std::bit_cast<uint64_t>(input->readDouble()), std::bit_cast<uint64_t>(v));
    for (const std::u16string& t : texts) EXPECT_EQ(input->readUTF()->toUtf16(), t);
    EXPECT_EQ(input->readUnsignedByte(), 0xAB);
    expectBare<EOFException>([&] { input->readByte(); }, "after the last byte");
}

TEST(DataStreams, UnsignedAndSignedReadsOfTheSameBytes) {
    testRuntime();
    EXPECT_EQ(readerOf({0xFF, 0xFE})->readUnsignedShort(), 65534);
    EXPECT_EQ(readerOf({0xFF, 0xFE})->readShort(), -2);
    EXPECT_EQ(readerOf({0xFF, 0xFE})->readChar(), u'\uFFFE');
    EXPECT_EQ(readerOf({0x80})->readByte(), -128);
    EXPECT_EQ(readerOf({0x80})->readUnsignedByte(), 128);
    EXPECT_TRUE(readerOf({0x02})->readBoolean()) << "any non-zero byte is true";
    EXPECT_EQ(readerOf({0x3F, 0x80, 0, 0})->readFloat(), 1.0f);
    EXPECT_EQ(readerOf({0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF})->readLong(), 0x1FFFFFFFFll) << "the low half is unsigned";
}

TEST(DataStreams, StringBodiesUpTo65535BytesAndNoMore) {
    testRuntime();
    Writer w = writer();
    const std::u16string fits(21845, u'\u0800');  // 65535 bytes encoded
    w.out->writeUTF(String::fromUtf16(fits));
    Bytes written = w.bytes();
    ASSERT_EQ(written.size(), 65537u);
    EXPECT_EQ(written[0], 0xFF);
    EXPECT_EQ(written[1], 0xFF);
    EXPECT_EQ(readerOf(written)->readUTF()->toUtf16(), fits);
    w.out->writeUTF(String::fromUtf16(std::u16string(65535, u'x')));
    EXPECT_EQ(w.sink->size(), 2 * 65537);

    for (const std::u16string& tooLong : {std::u16string(21846, u'\u0800'), std::u16string(65536, u'x'),
                                          std::u16string(32768, u'\0'), std::u16string(70000, u'\u0100')}) {
        expectBare<UTFDataFormatException>([&] { w.out->writeUTF(String::fromUtf16(tooLong)); }, "over 65535 bytes");
    }
    EXPECT_EQ(w.sink->size(), 2 * 65537) << "nothing written for a refused string";
}

TEST(DataStreams, EndOfDataInsideEveryValue) {
    testRuntime();
    struct Reader {
        const char* what;
        int32_t size;
        std::function<void(DataInputStream*)> read;
    };
    const Reader readers[] = {
        {"readBoolean", 1, [](DataInputStream* in) { in->readBoolean(); }},
        {"readByte", 1, [](DataInputStream* in) { in->readByte(); }},
        {"readUnsignedByte", 1, [](DataInputStream* in) { in->readUnsignedByte(); }},
        {"readShort", 2, [](DataInputStream* in) { in->readShort(); }},
        {"readUnsignedShort", 2, [](DataInputStream* in) { in->readUnsignedShort(); }},
        {"readChar", 2, [](DataInputStream* in) { in->readChar(); }},
        {"readInt", 4, [](DataInputStream* in) { in->readInt(); }},
        {"readFloat", 4, [](DataInputStream* in) { in->readFloat(); }},
        {"readLong", 8, [](DataInputStream* in) { in->readLong(); }},
        {"readDouble", 8, [](DataInputStream* in) { in->readDouble(); }},
        {"readUTF", 5, [](DataInputStream* in) { in->readUTF(); }},  // 00 03 and three bytes
    };
    for (const Reader& r : readers) {
        for (int32_t held = 0; held < r.size; ++held) {
            Bytes data = {0, 3, 'a', 'b', 'c', 0, 0, 0};
            data.resize(size_t(held));
            VMPtr<DataInputStream> in = readerOf(data);
            expectBare<EOFException>([&] { r.read(in.get()); }, r.what);
            EXPECT_EQ(in->available(), 0) << r.what << " with " << held << " bytes consumes them";
        }
    }
}

TEST(DataStreams, ReadUtfRejectsMalformedBodiesAfterConsumingThem) {
    testRuntime();
    EXPECT_EQ(readerOf({0, 2, 'A', 'B'})->readUTF()->toUtf16(), u"AB");
    EXPECT_EQ(readerOf({0, 2, 0xC0, 0x80})->readUTF()->toUtf16(), std::u16string(1, u'\0'));
    EXPECT_EQ(readerOf({0, 3, 0xE0, 0x81, 0x81})->readUTF()->toUtf16(), u"A") << "overlong forms are accepted";
    const Bytes malformed[] = {
        {0, 1, 0xC3},              // two-byte sequence cut off by the length
        {0, 2, 0xE2, 0x82},        // three-byte sequence cut off
        {0, 3, 'A', 'B', 0xE2},    // cut off after good characters
        {0, 2, 0xC3, 0x41},        // bad continuation byte
        {0, 3, 0xE2, 0x82, 0x41},  // bad last continuation byte
        {0, 3, 0xE2, 0x41, 0x82},  // bad first continuation byte
        {0, 1, 0x80},              // continuation byte as lead
        {0, 4, 0xF0, 0x9F, 0x98, 0x80},  // four-byte form
        {0, 2, 'A', 0xFF},
    };
    for (const Bytes& body : malformed) {
        Bytes data = body;
        data.push_back(0x5A);
        VMPtr<DataInputStream> in = readerOf(data);
        expectBare<UTFDataFormatException>([&] { in->readUTF(); }, "malformed body");
        EXPECT_EQ(in->readByte(), 0x5A) << "the body's bytes are consumed, no more";
    }
}

TEST(DataStreams, ReadFullyFillsOrFails) {
    testRuntime();
    VMPtr<ByteArray> b = arrayOf({9, 9, 9, 9, 9});
    VMPtr<DataInputStream> in = readerOf({1, 2, 3, 4, 5, 6});
    in->readFully(b, 1, 3);
    EXPECT_EQ(b->at(0), 9);
    EXPECT_EQ(b->at(1), 1);
    EXPECT_EQ(b->at(3), 3);
    EXPECT_EQ(b->at(4), 9);
    in->readFully(b, 5, 0);  // a zero length at the array's end reads nothing
    expectBare<IndexOutOfBoundsException>([&] { in->readFully(b, 0, -1); }, "negative length");
    EXPECT_THROW(in->readFully(b, 3, 3), IndexOutOfBoundsException*) << "the wrapped stream checks the range";
    EXPECT_THROW(in->readFully(b, 1, INT_MAX), IndexOutOfBoundsException*);
    EXPECT_THROW(in->readFully(nullptr, 0, 1), NullPointerException*);
    EXPECT_THROW(in->readFully(VMPtr<ByteArray>()), NullPointerException*);
    expectBare<EOFException>([&] { in->readFully(b); }, "three bytes left for five");
    EXPECT_EQ(b->at(2), 6) << "what was read before the end is stored";

    // A stream that gives one byte per call is asked until the range is full.
    VMPtr<datatest::Trickle> trickle = datatest::Trickle::_VM_new();
    trickle->_VM_init(arrayOf({1, 2, 3, 4, 5, 0, 3, 'x', 'y', 'z'}));
    VMPtr<DataInputStream> slow = DataInputStream::_VM_new();
    slow->_VM_init(trickle);
    slow->readFully(b, 0, 0);
    EXPECT_EQ(trickle->arrayReads, 0) << "a zero length does not read";
    slow->readFully(b);
    EXPECT_EQ(trickle->arrayReads, 5);
    EXPECT_EQ(b->at(4), 5);
    EXPECT_EQ(slow->readUTF()->toUtf16(), u"xyz") << "a string body arrives through the same loop";
    EXPECT_EQ(trickle->arrayReads, 8);
}

TEST(DataStreams, SkipBytesCountsWhatTheStreamSkips) {
    testRuntime();
    VMPtr<DataInputStream> in = readerOf({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(in->skipBytes(0), 0);
    EXPECT_EQ(in->skipBytes(-5), 0);
    EXPECT_EQ(in->skipBytes(2), 2);
    EXPECT_EQ(in->skipBytes(10), 4) << "only four bytes were left";
    EXPECT_EQ(in->skipBytes(1), 0);

    VMPtr<datatest::Trickle> trickle = datatest::Trickle::_VM_new();
    trickle->_VM_init(arrayOf({1, 2, 3, 4, 5}));
    VMPtr<DataInputStream> slow = DataInputStream::_VM_new();
    slow->_VM_init(trickle);
    EXPECT_EQ(slow->skipBytes(3), 3);
    EXPECT_EQ(trickle->skips, 3) << "asks again until n bytes are skipped";
    trickle->skipsNothing = true;
    EXPECT_EQ(slow->skipBytes(2), 0) << "a stream that skips nothing ends the loop";
    EXPECT_EQ(slow->readUnsignedByte(), 4);
}

TEST(DataStreams, StreamOperationsForwardToTheWrappedStreams) {
    testRuntime();
    VMPtr<DataInputStream> in = readerOf({1, 2, 3, 4});
    EXPECT_TRUE(in->markSupported());
    EXPECT_EQ(in->read(), 1);
    in->mark(0);
    VMPtr<ByteArray> b = ByteArray::_VM_new(2);
    EXPECT_EQ(in->read(b), 2);
    EXPECT_EQ(in->available(), 1);
    in->reset();
    EXPECT_EQ(in->skip(2), 2);
    EXPECT_EQ(in->read(b, 1, 1), 1);
    EXPECT_EQ(b->at(1), 4);
    EXPECT_EQ(in->read(b, 0, 2), -1);
    in->close();

    VMPtr<datatest::Recorder> recorder = datatest::Recorder::_VM_new();
    recorder->_VM_init();
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(recorder);
    out->writeLong(7);
    out->writeChars(String::fromUtf16(u"ab"));
    EXPECT_EQ(recorder->byteWrites, 12) << "primitives go out one byte per call";
    EXPECT_EQ(recorder->arrayWrites, 0);
    out->writeUTF(String::fromUtf16(u"\u00E9t\u00E9"));
    EXPECT_EQ(recorder->arrayWrites, 1) << "a string goes out in one array write";
    EXPECT_EQ(recorder->byteWrites, 12);
    out->write(arrayOf({7, 8, 9}), 1, 2);
    EXPECT_THROW(out->write(arrayOf({7}), 1, 1), IndexOutOfBoundsException*);
    EXPECT_THROW(out->write(VMPtr<ByteArray>()), NullPointerException*);
    out->flush();
    out->close();
    EXPECT_EQ(recorder->flushes, 1);
    EXPECT_EQ(recorder->closes, 1);
    EXPECT_EQ(recorder->sink->size(), 12 + 7 + 2);
}

TEST(DataStreams, CompositeReadersGoThroughTheOverridableOnes) {
    testRuntime();
    VMPtr<datatest::FixedReader> in = datatest::FixedReader::_VM_new();
    in->_VM_init(VMPtr<java::io::InputStream>());  // never read: the overrides answer
    EXPECT_EQ(in->readFloat(), 1.0f);
    EXPECT_EQ(in->readLong(), 0x3F8000003F800000ll);
    EXPECT_EQ(in->readShort(), -2);
    EXPECT_EQ(in->readChar(), u'\uFFFE');
    EXPECT_THROW(in->readUTF(), NullPointerException*) << "the body is read from the (missing) stream";
}

TEST(DataStreams, FailuresOfTheWrappedStreamsAndMissingStreams) {
    testRuntime();
    VMPtr<datatest::Trickle> trickle = datatest::Trickle::_VM_new();
    trickle->_VM_init(arrayOf({1, 2, 3, 4}));
    trickle->failing = true;
    VMPtr<DataInputStream> failing = DataInputStream::_VM_new();
    failing->_VM_init(trickle);
    EXPECT_THROW(failing->readInt(), java::io::IOException*);

    VMPtr<DataInputStream> in = DataInputStream::_VM_new();
    in->_VM_init(nullptr);
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(nullptr);
    VMPtr<ByteArray> b = ByteArray::_VM_new(4);
    const std::function<void()> operations[] = {
        [&] { in->read(); }, [&] { in->read(b); }, [&] { in->skip(1); }, [&] { in->available(); },
        [&] { in->readInt(); }, [&] { in->readUTF(); }, [&] { in->readFully(b); }, [&] { in->skipBytes(1); },
        [&] { in->close(); }, [&] { in->markSupported(); },
        [&] { out->write(1); }, [&] { out->writeInt(1); }, [&] { out->write(b); }, [&] { out->flush(); },
        [&] { out->writeUTF(String::fromUtf16(u"x")); }, [&] { out->close(); },
        [&] { writer().out->writeUTF(nullptr); }, [&] { writer().out->writeChars(nullptr); },
    };
    for (const auto& operation : operations) EXPECT_THROW(operation(), NullPointerException*);
}

TEST(DataStreams, TheWrappedStreamSurvivesCollections) {
    VM* vm = testRuntime();
    VMPtr<DataInputStream> in = readerOf({0, 3, 'x', 'y', 'z'});
    Writer w = writer();
    VMPtr<DataOutputStream> out = w.out;
    w.sink = nullptr;
    w.out = nullptr;
    vm->collect();
    EXPECT_EQ(in->readUTF()->toUtf16(), u"xyz");
    out->writeInt(5);
    EXPECT_EQ(static_cast<ByteArrayOutputStream*>(out->out.get())->size(), 4);
}

}  // namespace
