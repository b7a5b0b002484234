// The default operations of InputStream and OutputStream, through small subclasses that
// supply only read() and write(int).

#include "pb_src/j2me/java_io_InputStream.h"
#include "pb_src/j2me/java_io_OutputStream.h"
#include "tests/j2me/ClassLibrary.h"

namespace streamtest {

// Gives the bytes 10, 11, 12 ... up to `limit` of them, then -1. The call numbered
// `failingCall` (1-based) throws instead: an IOException, or a RuntimeException.
class CountingInput : public java::io::InputStream {
    VM_CLASS(CountingInput, java::io::InputStream)
    int32_t read() override {
        if (++calls == failingCall) {
            if (failWithIOException) vm::throwNew<java::io::IOException>();
            vm::throwNew<java::lang::RuntimeException>();
        }
        return delivered == limit ? -1 : 10 + delivered++;
    }
    using java::io::InputStream::read;
    int32_t limit = 10, delivered = 0, calls = 0, failingCall = 0;
    bool failWithIOException = true;
};

// Records the arguments of write(int).
class RecordingOutput : public java::io::OutputStream {
    VM_CLASS(RecordingOutput, java::io::OutputStream)
    void write(int32_t b) override { written.push_back(b); }
    using java::io::OutputStream::write;
    std::vector<int32_t> written;
};

}  // namespace streamtest

VM_DEFINE_CLASS(streamtest::CountingInput, "streamtest.CountingInput", "java.io.InputStream", VM_NO_CLINIT)
VM_DEFINE_CLASS(streamtest::RecordingOutput, "streamtest.RecordingOutput", "java.io.OutputStream", VM_NO_CLINIT)

namespace {

using namespace classlib;
using java::io::IOException;
using java::lang::IndexOutOfBoundsException;
using java::lang::NullPointerException;
using streamtest::CountingInput;
using streamtest::RecordingOutput;

const std::pair<int32_t, int32_t> kBadRanges[] = {{-1, 1}, {5, 0}, {0, -1}, {1, 4}, {2, INT_MAX}};  // of 4 bytes

VMPtr<CountingInput> input(int32_t limit) {
    VMPtr<CountingInput> stream = CountingInput::_VM_new();
    stream->limit = limit;
    return stream;
}

TEST(StreamBase, ReadIntoArrayFillsFromTheOffsetUntilTheEnd) {
    testRuntime();
    VMPtr<CountingInput> stream = input(3);
    VMPtr<ByteArray> b = bytesOf({-7, -7, -7, -7, -7, -7});
    EXPECT_EQ(stream->read(b, 2, 4), 3) << "the end of the stream cuts the read short";
    EXPECT_EQ(contentsOf(b), (std::vector<uint8_t>{0xF9, 0xF9, 10, 11, 12, 0xF9}));
    EXPECT_EQ(stream->read(b, 0, 6), -1);
    EXPECT_EQ(b->at(0), -7) << "nothing stored at the end";
    EXPECT_EQ(stream->read(b, 6, 0), 0) << "offset at the length with nothing to read is allowed";
    EXPECT_EQ(stream->calls, 5) << "the zero-length read did not call read()";
}

TEST(StreamBase, ReadAndWriteOfArraysCheckTheArrayAndRangeFirst) {
    testRuntime();
    VMPtr<CountingInput> in = input(10);
    VMPtr<RecordingOutput> out = RecordingOutput::_VM_new();
    VMPtr<ByteArray> b = ByteArray::_VM_new(4);
    EXPECT_THROW(in->read(VMPtr<ByteArray>()), NullPointerException*);
    EXPECT_THROW(out->write(VMPtr<ByteArray>()), NullPointerException*);
    for (auto [offset, length] : kBadRanges) {
        EXPECT_THROW(in->read(b, offset, length), IndexOutOfBoundsException*) << offset << "," << length;
        EXPECT_THROW(out->write(b, offset, length), IndexOutOfBoundsException*) << offset << "," << length;
    }
    EXPECT_EQ(in->calls, 0);
    EXPECT_TRUE(out->written.empty());
}

TEST(StreamBase, AnIOExceptionAfterTheFirstByteEndsTheReadOtherFailuresPassThrough) {
    testRuntime();
    VMPtr<ByteArray> b = ByteArray::_VM_new(10);
    VMPtr<CountingInput> stream = input(10);
    stream->failingCall = 3;
    EXPECT_EQ(stream->read(b, 0, 10), 2);
    EXPECT_EQ(contentsOf(b)[1], 11);
    VMPtr<CountingInput> failsFirst = input(10);
    failsFirst->failingCall = 1;
    EXPECT_THROW(failsFirst->read(b, 0, 10), IOException*) << "the first read() is not guarded";
    VMPtr<CountingInput> failsLater = input(10);
    failsLater->failingCall = 2;
    failsLater->failWithIOException = false;
    EXPECT_THROW(failsLater->read(b, 0, 10), java::lang::RuntimeException*);
}

TEST(StreamBase, SkipReadsAndDiscardsUpToTheEndAndMarkIsUnsupportedByDefault) {
    testRuntime();
    VMPtr<CountingInput> stream = input(5);
    EXPECT_EQ(stream->skip(-3), 0);
    EXPECT_EQ(stream->calls, 0) << "nothing to skip reads nothing";
    EXPECT_EQ(stream->skip(2), 2);
    EXPECT_EQ(stream->calls, 2) << "stops as soon as n bytes are skipped";
    EXPECT_EQ(stream->skip(100), 3);
    stream = input(5);
    EXPECT_FALSE(stream->markSupported());
    EXPECT_EQ(stream->available(), 0);
    stream->mark(10);
    stream->close();
    EXPECT_EQ(messageOf<IOException>([&] { stream->reset(); }), "mark/reset not supported");
    EXPECT_EQ(static_cast<java::lang::Object*>(stream.get())->owner, nullptr) << "released when reset throws";
    EXPECT_EQ(stream->read(), 10) << "close and mark change nothing";
}

TEST(StreamBase, WriteArraySendsEachByteSignExtended) {
    testRuntime();
    VMPtr<RecordingOutput> stream = RecordingOutput::_VM_new();
    VMPtr<ByteArray> b = bytesOf({1, -1, -128, 127});
    stream->write(b, 1, 3);
    stream->write(b, 4, 0);
    stream->flush();
    stream->close();
    stream->write(b);
    EXPECT_EQ(stream->written, (std::vector<int32_t>{-1, -128, 127, 1, -1, -128, 127})) << "close does not stop writes";
}

}  // namespace
