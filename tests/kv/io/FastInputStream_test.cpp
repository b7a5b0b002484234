// FastInputStream over a wrapped stream that counts its block reads: block sizes, byte and
// block reads, skip, available, writeTo draining from the read position, and the closed
// state.

#include <gtest/gtest.h>

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "src/kv/io/kv_io_FastInputStream.h"
#include "tests/kv/KvTestSupport.h"

namespace fastinputtest {

// Hands out as many bytes as asked for while it has them, counting the block reads.
class CountingStream : public java::io::ByteArrayInputStream {
    VM_CLASS(CountingStream, java::io::ByteArrayInputStream)
    using ByteArrayInputStream::read;
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override {
        ++reads;
        return ByteArrayInputStream::read(b, off, len);
    }
    int32_t reads = 0;
};

}  // namespace fastinputtest

VM_DEFINE_CLASS(fastinputtest::CountingStream, "FastInputTestCountingStream", "java.io.ByteArrayInputStream",
                VM_NO_CLINIT)

namespace {

using fastinputtest::CountingStream;
using kv::io::FastInputStream;
using kvtest::thrown;

struct Fixture {
    VMPtr<CountingStream> source;
    VMPtr<FastInputStream> stream;
};

Fixture over(int32_t length) {
    VMPtr<kvtest::Bytes> data = kvtest::Bytes::_VM_new(length);
    for (int32_t i = 0; i < length; ++i) data->elements()[i] = int8_t(i * 7);
    Fixture f{CountingStream::_VM_new(), FastInputStream::_VM_new()};
    f.source->_VM_init(data);
    f.stream->_VM_init(f.source);
    return f;
}

class FastInputStreamTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(FastInputStreamTest, ByteReadsTakeWholeBlocks) {
    Fixture f = over(2500);
    EXPECT_EQ(f.stream->available(), 0);
    int32_t n = 0;
    for (int32_t c; (c = f.stream->read()) != -1; ++n) ASSERT_EQ(c, uint8_t(n * 7));
    EXPECT_EQ(n, 2500);
    EXPECT_EQ(f.source->reads, 4);  // three blocks and the end
    EXPECT_EQ(f.stream->read(), -1);
    EXPECT_EQ(f.source->reads, 4);  // the end is not asked again
    EXPECT_EQ(f.stream->available(), 0);
}

TEST_F(FastInputStreamTest, BlockReadsReturnAtMostTheBuffer) {
    Fixture f = over(2500);
    VMPtr<kvtest::Bytes> target = kvtest::Bytes::_VM_new(4096);
    EXPECT_EQ(f.stream->read(target, 0, 4096), 1024);
    EXPECT_EQ(f.stream->read(target, 0, 0), 0);
    f.stream->read();
    EXPECT_EQ(f.stream->available(), 1023);
    EXPECT_NE(thrown([&] { f.stream->read(target, 4000, 100); }).find("IndexOutOfBounds"), std::string::npos);
}

TEST_F(FastInputStreamTest, SkipStopsAtTheEnd) {
    Fixture f = over(4);
    EXPECT_EQ(f.stream->skip(0), 0);
    EXPECT_EQ(f.stream->skip(-5), 0);
    EXPECT_EQ(f.source->reads, 0);
    EXPECT_EQ(f.stream->skip(10), 4);
    EXPECT_EQ(f.stream->read(), -1);
    Fixture g = over(3000);
    EXPECT_EQ(g.stream->skip(2050), 2050);
    EXPECT_EQ(g.stream->read(), uint8_t(2050 * 7));
}

TEST_F(FastInputStreamTest, WriteToDrainsBlockByBlock) {
    Fixture f = over(3000);
    VMPtr<java::io::ByteArrayOutputStream> out = java::io::ByteArrayOutputStream::_VM_new();
    out->_VM_init();
    std::vector<int32_t> moved;
    for (int32_t n; (n = f.stream->writeTo(out)) != -1;) moved.push_back(n);
    EXPECT_EQ(moved, (std::vector<int32_t>{1024, 1024, 952}));
    EXPECT_EQ(out->size(), 3000);
    EXPECT_EQ(out->toByteArray()->elements()[2999], int8_t(2999 * 7));
}

// After a partial read writeTo hands over the rest of the block, from the read position.
TEST_F(FastInputStreamTest, WriteToContinuesWhereReadingStopped) {
    Fixture f = over(1500);
    VMPtr<kvtest::Bytes> first = kvtest::Bytes::_VM_new(10);
    EXPECT_EQ(f.stream->read(first, 0, 10), 10);
    EXPECT_EQ(f.stream->read(), uint8_t(10 * 7));
    VMPtr<java::io::ByteArrayOutputStream> out = java::io::ByteArrayOutputStream::_VM_new();
    out->_VM_init();
    EXPECT_EQ(f.stream->writeTo(out), 1024 - 11);
    EXPECT_EQ(f.stream->writeTo(out), 1500 - 1024);
    VMPtr<kvtest::Bytes> written = out->toByteArray();
    ASSERT_EQ(written->length, 1500 - 11);
    for (int32_t i = 0; i < written->length; ++i) ASSERT_EQ(written->at(i), int8_t((i + 11) * 7)) << i;
}

TEST_F(FastInputStreamTest, ClosedStreamRefusesReads) {
    Fixture f = over(10);
    f.stream->reset();
    EXPECT_FALSE(f.stream->markSupported());
    f.stream->close();
    f.stream->close();
    EXPECT_EQ(thrown([&] { f.stream->read(); }), "java.io.IOException: InputStream closed");
    EXPECT_EQ(thrown([&] { f.stream->skip(1); }), "java.io.IOException: InputStream closed");
    EXPECT_EQ(f.stream->available(), 0);
}

}  // namespace
