// DataOutputStream and DataInputStream: exact bytes, round trips, truncated and malformed
// input, the 65535-byte string limit, slow streams, and forwarding to the wrapped streams.

#include <bit>
#include <cmath>

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_UTFDataFormatException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "tests/j2me/ClassLibrary.h"

namespace datatest {

using classlib::ByteArray;

// Hands out one byte per array read and per skip, and counts the calls; skip can be made
// to skip nothing, and read() to fail.
class Trickle : public java::io::InputStream {
    VM_CLASS(Trickle, java::io::InputStream)
    VMPtr<Trickle> _VM_init(VMPtr<ByteArray> bytes) {
        data = bytes;
        return this;
    }
    int32_t read() override {
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
    int64_t skip(int64_t) override {
        ++skips;
        if (skipsNothing || pos == data->length) return 0;
        return ++pos, 1;
    }
    void _VM_mark(uint32_t flags) override {
        InputStream::_VM_mark(flags);
        vmMarkField(data, flags);
    }

    VMPtr<ByteArray> data{vmField()};
    int32_t pos = 0, arrayReads = 0, skips = 0;
    bool skipsNothing = false, failing = false;
};

// Counts single-byte and array writes, flushes and closes.
class Recorder : public java::io::OutputStream {
    VM_CLASS(Recorder, java::io::OutputStream)
    void write(int32_t) override { ++byteWrites; }
    void write(VMPtr<ByteArray>, int32_t, int32_t len) override { ++arrayWrites, arrayBytes += len; }
    using java::io::OutputStream::write;
    void flush() override { ++flushes; }
    void close() override { ++closes; }
    int32_t byteWrites = 0, arrayWrites = 0, arrayBytes = 0, flushes = 0, closes = 0;
};

// Overrides the two basic readers, so the composite ones must go through them.
class FixedReader : public java::io::DataInputStream {
    VM_CLASS(FixedReader, java::io::DataInputStream)
    int32_t readInt() override { return 0x3F800000; }
    int32_t readUnsignedShort() override { return 0xFFFE; }
};

// Byte-array streams that count the single-byte calls made on them.
class CountingArrayInput : public java::io::ByteArrayInputStream {
    VM_CLASS(CountingArrayInput, java::io::ByteArrayInputStream)
    int32_t read() override { return ++reads, ByteArrayInputStream::read(); }
    using java::io::ByteArrayInputStream::read;
    int32_t reads = 0;
};

class CountingArrayOutput : public java::io::ByteArrayOutputStream {
    VM_CLASS(CountingArrayOutput, java::io::ByteArrayOutputStream)
    void write(int32_t b) override { ++writes, ByteArrayOutputStream::write(b); }
    using java::io::ByteArrayOutputStream::write;
    int32_t writes = 0;
};

}  // namespace datatest

VM_DEFINE_CLASS(datatest::CountingArrayInput, "datatest.CountingArrayInput", "java.io.ByteArrayInputStream",
                VM_NO_CLINIT)
VM_DEFINE_CLASS(datatest::CountingArrayOutput, "datatest.CountingArrayOutput", "java.io.ByteArrayOutputStream",
                VM_NO_CLINIT)
VM_DEFINE_CLASS(datatest::Trickle, "datatest.Trickle", "java.io.InputStream", VM_NO_CLINIT)
VM_DEFINE_CLASS(datatest::Recorder, "datatest.Recorder", "java.io.OutputStream", VM_NO_CLINIT)
VM_DEFINE_CLASS(datatest::FixedReader, "datatest.FixedReader", "java.io.DataInputStream", VM_NO_CLINIT)

namespace {

using namespace classlib;
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
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::_VM_new();
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    Writer() { out->_VM_init(sink->_VM_init()); }
    Bytes bytes() { return contentsOf(sink->toByteArray()); }
};

VMPtr<ByteArray> arrayOf(const Bytes& values) {
    VMPtr<ByteArray> array = ByteArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->at(int32_t(i)) = int8_t(values[i]);
    return array;
}

VMPtr<DataInputStream> readerOf(VMPtr<java::io::InputStream> source) {
    VMPtr<DataInputStream> in = DataInputStream::_VM_new();
    return in->_VM_init(source);
}

VMPtr<DataInputStream> readerOf(const Bytes& values) {
    VMPtr<ByteArrayInputStream> source = ByteArrayInputStream::_VM_new();
    return readerOf(source->_VM_init(arrayOf(values)));
}

VMPtr<datatest::Trickle> trickleOf(const Bytes& values) {
    VMPtr<datatest::Trickle> trickle = datatest::Trickle::_VM_new();
    return trickle->_VM_init(arrayOf(values));
}

TEST(DataStreams, WritesAreBigEndianWithIeeeBitsAndModifiedUtf8) {
    testRuntime();
    using Write = std::function<void(DataOutput*)>;
    const std::pair<Write, Bytes> cases[] = {
        {[](DataOutput* o) { o->writeInt(-2); }, {0xFF, 0xFF, 0xFF, 0xFE}},
        {[](DataOutput* o) { o->writeInt(0x12345678); }, {0x12, 0x34, 0x56, 0x78}},
        {[](DataOutput* o) { o->writeShort(0x12345); }, {0x23, 0x45}},
        {[](DataOutput* o) { o->writeChar(0x1E9); }, {0x01, 0xE9}},
        {[](DataOutput* o) { o->writeLong(0x0102030405060708); }, {1, 2, 3, 4, 5, 6, 7, 8}},
        {[](DataOutput* o) { o->writeFloat(-0.0f); }, {0x80, 0, 0, 0}},
        {[](DataOutput* o) { o->writeDouble(1.0); }, {0x3F, 0xF0, 0, 0, 0, 0, 0, 0}},
        {[](DataOutput* o) { o->writeBoolean(true), o->writeBoolean(false); }, {1, 0}},
        {[](DataOutput* o) { o->writeByte(0x1FF), o->write(-128); }, {0xFF, 0x80}},
        {[](DataOutput* o) { o->writeChars(String::fromUtf16(u"A\uFFFF")); }, {0, 0x41, 0xFF, 0xFF}},
        {[](DataOutput* o) { o->writeUTF(String::fromUtf16(std::u16string(1, u'\0'))); }, {0, 2, 0xC0, 0x80}},
        {[](DataOutput* o) { o->writeUTF(String::fromUtf16(u"z\u0080\u07FF")); }, {0, 5, 'z', 0xC2, 0x80, 0xDF, 0xBF}},
        {[](DataOutput* o) { o->writeUTF(String::fromUtf16(u"\u0800")); }, {0, 3, 0xE0, 0xA0, 0x80}},
        {[](DataOutput* o) { o->writeUTF(String::fromUtf16(u"\U0001F600")); }, {0, 6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Writer w;
        cases[i].first(w.out.get());  // through the interface
        EXPECT_EQ(w.bytes(), cases[i].second) << "case " << i;
    }
}

TEST(DataStreams, EveryTypeRoundTrips) {
    testRuntime();
    const std::u16string texts[] = {u"", std::u16string(u"nul\0in", 6), u"caf\u00E9 \u20AC\uFFFF", u"\U0001F600",
                                    std::u16string(1, u'\xD800') + u"lone"};
    const int64_t longs[] = {0, -1, INT64_MIN, INT64_MAX, 0xFFFFFFFF, int64_t(0xFFFFFFFF00000000)};
    const float floats[] = {-0.0f, 1.5f, -3.25e-40f, INFINITY, std::bit_cast<float>(0x7FC12345)};
    const double doubles[] = {-0.0, 3.141592653589793, 4.9e-324, std::bit_cast<double>(0x7FF8000000000ABCull)};
    Writer w;
    w.out->writeBoolean(true);
    for (int32_t v : {-128, 127}) w.out->writeByte(v);
    for (int32_t v : {-32768, 32767}) w.out->writeShort(v);
    w.out->writeChar(0xD800);
    for (int32_t v : {INT_MIN, INT_MAX}) w.out->writeInt(v);
    for (int64_t v : longs) w.out->writeLong(v);
    for (float v : floats) w.out->writeFloat(v);
    for (double v : doubles) w.out->writeDouble(v);
    for (const std::u16string& t : texts) w.out->writeUTF(String::fromUtf16(t));
    w.out->writeByte(0xAB);

    Bytes bytes = w.bytes();
    EXPECT_EQ(readerOf({0xFF, 0xFE})->readUnsignedShort(), 65534);
    EXPECT_TRUE(readerOf({0x02})->readBoolean()) << "any non-zero byte is true";
    EXPECT_EQ(readerOf({0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF})->readLong(), 0x1FFFFFFFFll) << "the low half is unsigned";
    VMPtr<DataInputStream> in = readerOf(bytes);
    DataInput* input = in.get();  // through the interface
    EXPECT_TRUE(input->readBoolean());
    for (int32_t v : {-128, 127}) EXPECT_EQ(input->readByte(), v);
    for (int32_t v : {-32768, 32767}) EXPECT_EQ(input->readShort(), v);
    EXPECT_EQ(input->readChar(), u'\xD800');
    for (int32_t v : {INT_MIN, INT_MAX}) EXPECT_EQ(input->readInt(), v);
    for (int64_t v : longs) EXPECT_EQ(input->readLong(), v);
    for (float v : floats) EXPECT_EQ(std::bit_cast<uint32_t>(input->readFloat()), std::bit_cast<uint32_t>(v));
    for (double v : doubles) EXPECT_EQ(std::bit_cast<uint64_t>(input->readDouble()), std::bit_cast<uint64_t>(v));
    for (const std::u16string& t : texts) EXPECT_EQ(input->readUTF()->toUtf16(), t);
    EXPECT_EQ(input->readUnsignedByte(), 0xAB);
    EXPECT_EQ(messageOf<EOFException>([&] { input->readByte(); }), "<none>");
}

TEST(DataStreams, StringBodiesUpTo65535BytesAndNoMore) {
    testRuntime();
    Writer w;
    const std::u16string fits(21845, u'\u0800');  // 65535 bytes encoded
    w.out->writeUTF(String::fromUtf16(fits));
    const Bytes written = w.bytes();
    ASSERT_EQ(written.size(), 65537u);
    EXPECT_EQ(written[0] + written[1], 0x1FE);
    EXPECT_EQ(readerOf(written)->readUTF()->toUtf16(), fits);
    for (const std::u16string& tooLong : {std::u16string(21846, u'\u0800'), std::u16string(65536, u'x'),
                                          std::u16string(32768, u'\0'), std::u16string(70000, u'\u0100')}) {
        EXPECT_EQ(messageOf<UTFDataFormatException>([&] { w.out->writeUTF(String::fromUtf16(tooLong)); }), "<none>");
    }
    EXPECT_EQ(w.sink->size(), 65537) << "nothing written for a refused string";
}

TEST(DataStreams, EndOfDataInsideEveryValueConsumesWhatWasThere) {
    testRuntime();
    using Read = std::function<void(DataInputStream*)>;
    const std::pair<int32_t, Read> readers[] = {
        {1, [](DataInputStream* in) { in->readBoolean(); }}, {1, [](DataInputStream* in) { in->readUnsignedByte(); }},
        {2, [](DataInputStream* in) { in->readShort(); }},   {2, [](DataInputStream* in) { in->readChar(); }},
        {4, [](DataInputStream* in) { in->readInt(); }},     {4, [](DataInputStream* in) { in->readFloat(); }},
        {8, [](DataInputStream* in) { in->readLong(); }},    {8, [](DataInputStream* in) { in->readDouble(); }},
        {5, [](DataInputStream* in) { in->readUTF(); }},  // 00 03 and three bytes
    };
    for (const auto& reader : readers) {
        const Read& read = reader.second;
        for (int32_t held = 0; held < reader.first; ++held) {
            Bytes data = {0, 3, 'a', 'b', 'c', 0, 0, 0};
            data.resize(size_t(held));
            VMPtr<DataInputStream> in = readerOf(data);
            EXPECT_EQ(messageOf<EOFException>([&] { read(in.get()); }), "<none>") << reader.first << "/" << held;
            EXPECT_EQ(in->available(), 0);
        }
    }
}

TEST(DataStreams, ReadUtfRejectsMalformedBodiesAfterConsumingThem) {
    testRuntime();
    EXPECT_EQ(readerOf({0, 3, 0xE0, 0x81, 0x81})->readUTF()->toUtf16(), u"A") << "overlong forms are accepted";
    const Bytes malformed[] = {
        {0, 1, 0xC3},          {0, 2, 0xE2, 0x82},        {0, 3, 'A', 'B', 0xE2},          // cut off by the length
        {0, 2, 0xC3, 0x41},    {0, 3, 0xE2, 0x82, 0x41},  {0, 3, 0xE2, 0x41, 0x82},        // bad continuation
        {0, 1, 0x80},          {0, 2, 'A', 0xFF},         {0, 4, 0xF0, 0x9F, 0x98, 0x80},  // bad lead byte
    };
    // Short bodies are checked as they are decoded, long ones before: a run of plain
    // characters in front makes each body long.
    for (const size_t lead : {size_t(0), size_t(600)}) {
        for (Bytes data : malformed) {
            const size_t length = data[1] + lead;
            data.insert(data.begin() + 2, lead, 'a');
            data[0] = uint8_t(length >> 8);
            data[1] = uint8_t(length);
            data.push_back(0x5A);
            VMPtr<DataInputStream> in = readerOf(data);
            EXPECT_EQ(messageOf<UTFDataFormatException>([&] { in->readUTF(); }), "<none>") << lead;
            EXPECT_EQ(in->readByte(), 0x5A) << "the body's bytes are consumed, no more";
        }
    }
}

TEST(DataStreams, ReadFullyFillsOrFails) {
    testRuntime();
    VMPtr<ByteArray> b = arrayOf({9, 9, 9, 9, 9});
    VMPtr<DataInputStream> in = readerOf({1, 2, 3, 4, 5, 6});
    in->readFully(b, 1, 3);
    EXPECT_EQ(contentsOf(b), (Bytes{9, 1, 2, 3, 9}));
    in->readFully(b, 5, 0);  // a zero length at the array's end reads nothing
    EXPECT_EQ(messageOf<IndexOutOfBoundsException>([&] { in->readFully(b, 0, -1); }), "<none>");
    EXPECT_THROW(in->readFully(b, 1, INT_MAX), IndexOutOfBoundsException*);
    EXPECT_THROW(in->readFully(VMPtr<ByteArray>()), NullPointerException*);
    EXPECT_EQ(messageOf<EOFException>([&] { in->readFully(b); }), "<none>");
    EXPECT_EQ(b->at(2), 6) << "what was read before the end is stored";

    VMPtr<datatest::Trickle> trickle = trickleOf({1, 2, 3, 4, 5, 0, 3, 'x', 'y', 'z'});
    VMPtr<DataInputStream> slow = readerOf(trickle);
    slow->readFully(b, 0, 0);
    EXPECT_EQ(trickle->arrayReads, 0) << "a zero length does not read";
    slow->readFully(b);
    EXPECT_EQ(trickle->arrayReads, 5) << "asked again until the range is full";
    EXPECT_EQ(slow->readUTF()->toUtf16(), u"xyz") << "a string body arrives through the same loop";
}

TEST(DataStreams, SkipBytesCountsWhatTheStreamSkips) {
    testRuntime();
    VMPtr<DataInputStream> in = readerOf({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(in->skipBytes(-5), 0);
    EXPECT_EQ(in->skipBytes(2), 2);
    EXPECT_EQ(in->skipBytes(10), 4) << "only four bytes were left";
    VMPtr<datatest::Trickle> trickle = trickleOf({1, 2, 3, 4, 5});
    VMPtr<DataInputStream> slow = readerOf(trickle);
    EXPECT_EQ(slow->skipBytes(3), 3);
    EXPECT_EQ(trickle->skips, 3) << "asks again until n bytes are skipped";
    trickle->skipsNothing = true;
    EXPECT_EQ(slow->skipBytes(2), 0) << "a stream that skips nothing ends the loop";
    EXPECT_EQ(slow->readUnsignedByte(), 4);
}

TEST(DataStreams, StreamOperationsForwardToTheWrappedStreamsAndCompositeReadsToTheBasicOnes) {
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

    VMPtr<datatest::Recorder> recorder = datatest::Recorder::_VM_new();
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(recorder);
    out->writeLong(7);
    out->writeChars(String::fromUtf16(u"ab"));
    EXPECT_EQ(recorder->byteWrites, 12) << "primitives go out one byte per call";
    out->writeUTF(String::fromUtf16(u"\u00E9t\u00E9"));
    EXPECT_EQ(recorder->arrayWrites, 1) << "a string goes out in one array write";
    EXPECT_EQ(recorder->arrayBytes, 7);
    out->flush();
    out->close();
    EXPECT_EQ(recorder->flushes + recorder->closes, 2);

    // Composite readers go through the overridable basic ones.
    VMPtr<datatest::FixedReader> fixed = datatest::FixedReader::_VM_new();
    fixed->_VM_init(VMPtr<java::io::InputStream>());  // never read: the overrides answer
    EXPECT_EQ(fixed->readFloat(), 1.0f);
    EXPECT_EQ(fixed->readLong(), 0x3F8000003F800000ll);
    EXPECT_EQ(fixed->readShort(), -2);
    EXPECT_EQ(fixed->readChar(), u'\uFFFE');
}

TEST(DataStreams, MultiByteValuesGoThroughOverriddenByteCallsOfByteArrayStreams) {
    testRuntime();
    VMPtr<datatest::CountingArrayInput> source = datatest::CountingArrayInput::_VM_new();
    source->_VM_init(arrayOf({1, 2, 3, 4, 5, 6}));
    VMPtr<DataInputStream> in = readerOf(source);
    EXPECT_EQ(in->readInt(), 0x01020304);
    EXPECT_EQ(in->readShort(), 0x0506);
    EXPECT_EQ(source->reads, 6);

    VMPtr<datatest::CountingArrayOutput> sink = datatest::CountingArrayOutput::_VM_new();
    sink->_VM_init();
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(sink);
    out->writeLong(0x0102030405060708ll);
    out->writeChar(0x090A);
    EXPECT_EQ(sink->writes, 10);
    EXPECT_EQ(contentsOf(sink->toByteArray()), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(DataStreams, ValuesIntoAFullOrClosedByteArrayStreamGrowItOrFail) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::_VM_new();
    sink->_VM_init(3);
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(sink);
    out->writeShort(0x0102);
    out->writeInt(0x03040506);  // passes the capacity halfway
    EXPECT_EQ(contentsOf(sink->toByteArray()), (Bytes{1, 2, 3, 4, 5, 6}));
    sink->close();
    EXPECT_THROW(out->writeInt(7), java::lang::RuntimeException*);
    EXPECT_EQ(sink->size(), 6);
}

TEST(DataStreams, FailuresOfTheWrappedStreamsAndMissingStreams) {
    testRuntime();
    VMPtr<datatest::Trickle> trickle = trickleOf({1, 2, 3, 4});
    trickle->failing = true;
    EXPECT_THROW(readerOf(trickle)->readInt(), java::io::IOException*);

    VMPtr<DataInputStream> in = readerOf(VMPtr<java::io::InputStream>());
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(nullptr);
    VMPtr<ByteArray> b = ByteArray::_VM_new(4);
    Writer w;
    const std::function<void()> operations[] = {
        [&] { in->read(); },       [&] { in->skip(1); },      [&] { in->available(); },  [&] { in->readUTF(); },
        [&] { in->readFully(b); }, [&] { in->skipBytes(1); }, [&] { in->close(); },      [&] { out->write(1); },
        [&] { out->write(b); },    [&] { out->flush(); },     [&] { out->close(); },     [&] { w.out->writeUTF(nullptr); },
        [&] { w.out->writeChars(nullptr); },
    };
    for (const auto& operation : operations) EXPECT_THROW(operation(), NullPointerException*);
}

TEST(DataStreams, TheWrappedStreamsSurviveCollections) {
    VM* vm = testRuntime();
    VMPtr<DataInputStream> in = readerOf({0, 3, 'x', 'y', 'z'});
    VMPtr<DataOutputStream> out = Writer().out;
    vm->collect();
    EXPECT_EQ(in->readUTF()->toUtf16(), u"xyz");
    out->writeInt(5);
    EXPECT_EQ(static_cast<ByteArrayOutputStream*>(out->out.get())->size(), 4);
}

}  // namespace
