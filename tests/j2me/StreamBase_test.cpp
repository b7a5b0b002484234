// The default operations of InputStream and OutputStream, through small subclasses that
// supply only read() and write(int).

#include <gtest/gtest.h>

#include <climits>

#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_io_InputStream.h"
#include "pb_src/j2me/java_io_OutputStream.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "tests/vm/TestRuntime.h"

namespace streamtest {

// Gives the bytes 10, 11, 12 ... up to `limit` of them, then -1. The call numbered
// `failingCall` (1-based) throws instead: an IOException, or a RuntimeException.
class CountingInput : public java::io::InputStream {
    VM_CLASS(CountingInput, java::io::InputStream)
    VMPtr<CountingInput> _VM_init(int32_t limit) {
        this->limit = limit;
        return this;
    }
    int32_t read() override {
        ++calls;
        if (calls == failingCall) {
            if (failWithIOException) vm::throwNew<java::io::IOException>();
            vm::throwNew<java::lang::RuntimeException>();
        }
        if (delivered == limit) return -1;
        return 10 + delivered++;
    }
    using java::io::InputStream::read;

    int32_t limit = 0;
    int32_t delivered = 0;
    int32_t calls = 0;
    int32_t failingCall = 0;
    bool failWithIOException = true;
};

// Records the arguments of write(int).
class RecordingOutput : public java::io::OutputStream {
    VM_CLASS(RecordingOutput, java::io::OutputStream)
    VMPtr<RecordingOutput> _VM_init() { return this; }
    void write(int32_t b) override {
        if (count < 16) written[count] = b;
        ++count;
    }
    using java::io::OutputStream::write;

    int32_t written[16] = {};
    int32_t count = 0;
};

}  // namespace streamtest

VM_DEFINE_CLASS(streamtest::CountingInput, "streamtest.CountingInput", "java.io.InputStream", VM_NO_CLINIT)
VM_DEFINE_CLASS(streamtest::RecordingOutput, "streamtest.RecordingOutput", "java.io.OutputStream", VM_NO_CLINIT)

namespace {

using java::io::InputStream;
using java::io::IOException;
using java::io::OutputStream;
using java::lang::IndexOutOfBoundsException;
using java::lang::NullPointerException;
using streamtest::CountingInput;
using streamtest::RecordingOutput;
using ByteArray = VMArray<int8_t, 1>;

VMPtr<CountingInput> input(int32_t limit) {
    VMPtr<CountingInput> stream = CountingInput::_VM_new();
    stream->_VM_init(limit);
    return stream;
}

VMPtr<RecordingOutput> output() {
    VMPtr<RecordingOutput> stream = RecordingOutput::_VM_new();
    stream->_VM_init();
    return stream;
}

VMPtr<ByteArray> bytes(int32_t length, int8_t fill = 0) {
    VMPtr<ByteArray> array = ByteArray::_VM_new(length);
    for (int32_t i = 0; i < length; ++i) array->at(i) = fill;
    return array;
}

TEST(StreamBase, BothBasesRegisterAsAbstractClassesWithoutFactories) {
    testRuntime();
    for (java::lang::Class* record : {InputStream::_VM_getClass(), OutputStream::_VM_getClass()}) {
        ASSERT_NE(record, nullptr);
        EXPECT_STREQ(record->superName.c_str(), "java.lang.Object");
        EXPECT_TRUE(record->isAbstract);
        EXPECT_EQ(record->factory, nullptr);
    }
    EXPECT_STREQ(InputStream::_VM_getClass()->name.c_str(), "java.io.InputStream");
    EXPECT_STREQ(InputStream::_VM_getClass()->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_io_InputStream");
    EXPECT_STREQ(OutputStream::_VM_getClass()->name.c_str(), "java.io.OutputStream");
    EXPECT_STREQ(OutputStream::_VM_getClass()->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_io_OutputStream");
}

TEST(StreamBase, ReadIntoArrayFillsFromTheOffsetUntilTheEnd) {
    testRuntime();
    VMPtr<CountingInput> stream = input(3);
    VMPtr<ByteArray> b = bytes(6, -7);
    EXPECT_EQ(stream->read(b, 2, 4), 3) << "the end of the stream cuts the read short";
    const int8_t expected[6] = {-7, -7, 10, 11, 12, -7};
    for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(b->at(i), expected[i]) << "index " << i;
    EXPECT_EQ(stream->read(b, 0, 6), -1);
    EXPECT_EQ(b->at(0), -7) << "nothing stored at the end";
}

TEST(StreamBase, ReadIntoWholeArrayAndZeroLengthReads) {
    testRuntime();
    VMPtr<CountingInput> stream = input(10);
    VMPtr<ByteArray> b = bytes(4);
    EXPECT_EQ(stream->read(b), 4);
    EXPECT_EQ(b->at(3), 13);
    EXPECT_EQ(stream->read(b, 4, 0), 0) << "offset at the length with nothing to read is allowed";
    EXPECT_EQ(stream->read(bytes(0)), 0);
    EXPECT_EQ(stream->calls, 4) << "zero-length reads do not call read()";
}

TEST(StreamBase, ReadIntoArrayChecksTheArrayAndRangeBeforeReading) {
    testRuntime();
    VMPtr<CountingInput> stream = input(10);
    VMPtr<ByteArray> b = bytes(4);
    EXPECT_THROW(stream->read(nullptr, 0, 1), NullPointerException*);
    EXPECT_THROW(stream->read(VMPtr<ByteArray>()), NullPointerException*);
    EXPECT_THROW(stream->read(b, -1, 1), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(b, 5, 0), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(b, 0, -1), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(b, 1, 4), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(b, 2, INT_MAX), IndexOutOfBoundsException*) << "off + len wraps negative";
    EXPECT_EQ(stream->calls, 0);
}

TEST(StreamBase, AnIOExceptionAfterTheFirstByteEndsTheReadWithTheBytesSoFar) {
    testRuntime();
    VMPtr<CountingInput> stream = input(10);
    stream->failingCall = 3;
    VMPtr<ByteArray> b = bytes(10);
    EXPECT_EQ(stream->read(b, 0, 10), 2);
    EXPECT_EQ(b->at(1), 11);
    EXPECT_EQ(b->at(2), 0);
}

TEST(StreamBase, OtherFailuresOfReadPassThrough) {
    testRuntime();
    VMPtr<ByteArray> b = bytes(10);
    VMPtr<CountingInput> failsFirst = input(10);
    failsFirst->failingCall = 1;
    EXPECT_THROW(failsFirst->read(b, 0, 10), IOException*) << "the first read() is not guarded";
    VMPtr<CountingInput> failsLater = input(10);
    failsLater->failingCall = 2;
    failsLater->failWithIOException = false;
    EXPECT_THROW(failsLater->read(b, 0, 10), java::lang::RuntimeException*);
}

TEST(StreamBase, SkipReadsAndDiscardsUpToTheEnd) {
    testRuntime();
    VMPtr<CountingInput> stream = input(5);
    EXPECT_EQ(stream->skip(0), 0);
    EXPECT_EQ(stream->skip(-3), 0);
    EXPECT_EQ(stream->calls, 0) << "nothing to skip reads nothing";
    EXPECT_EQ(stream->skip(2), 2);
    EXPECT_EQ(stream->calls, 2) << "stops as soon as n bytes are skipped";
    EXPECT_EQ(stream->read(), 12);
    EXPECT_EQ(stream->skip(100), 2);
    EXPECT_EQ(stream->skip(1), 0);
}

TEST(StreamBase, MarkIsUnsupportedByDefault) {
    testRuntime();
    VMPtr<CountingInput> stream = input(5);
    EXPECT_FALSE(stream->markSupported());
    EXPECT_EQ(stream->available(), 0);
    stream->mark(10);
    stream->close();
    try {
        stream->reset();
        FAIL() << "reset succeeded";
    } catch (IOException* caught) {
        VMPtr<IOException> e(caught);
        EXPECT_EQ(e->getMessage()->toUtf8(), "mark/reset not supported");
    }
    java::lang::Object* object = stream.get();
    EXPECT_EQ(object->owner, nullptr) << "the monitor is released when reset throws";
    EXPECT_EQ(stream->read(), 10) << "close and mark change nothing";
}

TEST(StreamBase, WriteArraySendsEachByteSignExtended) {
    testRuntime();
    VMPtr<RecordingOutput> stream = output();
    VMPtr<ByteArray> b = bytes(4);
    b->at(0) = 1;
    b->at(1) = -1;
    b->at(2) = -128;
    b->at(3) = 127;
    stream->write(b, 1, 3);
    ASSERT_EQ(stream->count, 3);
    EXPECT_EQ(stream->written[0], -1);
    EXPECT_EQ(stream->written[1], -128);
    EXPECT_EQ(stream->written[2], 127);
    stream->write(b);
    EXPECT_EQ(stream->count, 7);
    EXPECT_EQ(stream->written[3], 1);
    stream->write(b, 4, 0);
    stream->flush();
    stream->close();
    stream->write(b, 0, 1);
    EXPECT_EQ(stream->count, 8) << "close of the base class does not stop writes";
}

TEST(StreamBase, WriteArrayChecksTheArrayAndRangeBeforeWriting) {
    testRuntime();
    VMPtr<RecordingOutput> stream = output();
    VMPtr<ByteArray> b = bytes(4);
    EXPECT_THROW(stream->write(nullptr, 0, 0), NullPointerException*);
    EXPECT_THROW(stream->write(VMPtr<ByteArray>()), NullPointerException*);
    EXPECT_THROW(stream->write(b, -1, 1), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->write(b, 5, 0), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->write(b, 0, -1), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->write(b, 3, 2), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->write(b, 1, INT_MAX), IndexOutOfBoundsException*);
    EXPECT_EQ(stream->count, 0) << "nothing is written when the range is bad";
}

}  // namespace
