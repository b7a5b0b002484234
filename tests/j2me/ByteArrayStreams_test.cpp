// ByteArrayInputStream and ByteArrayOutputStream: windows of a shared array, range checks
// before anything moves, skip and mark, buffer growth, and the closed output stream.

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using namespace classlib;
using java::io::ByteArrayInputStream;
using java::io::ByteArrayOutputStream;
using java::lang::IndexOutOfBoundsException;
using java::lang::NullPointerException;
using Bytes = std::vector<uint8_t>;

VMPtr<ByteArrayInputStream> streamOver(VMPtr<ByteArray> array) {
    VMPtr<ByteArrayInputStream> stream = ByteArrayInputStream::_VM_new();
    return stream->_VM_init(array);
}

VMPtr<ByteArrayInputStream> streamOver(VMPtr<ByteArray> array, int32_t offset, int32_t length) {
    VMPtr<ByteArrayInputStream> stream = ByteArrayInputStream::_VM_new();
    return stream->_VM_init(array, offset, length);
}

VMPtr<ByteArrayOutputStream> outputOf(int32_t size = -2) {
    VMPtr<ByteArrayOutputStream> stream = ByteArrayOutputStream::_VM_new();
    return size == -2 ? stream->_VM_init() : stream->_VM_init(size);
}

bool monitorFree(java::lang::Object* o) { return o->owner == nullptr; }

TEST(ByteArrayInputStream, ReadsUnsignedBytesFromAWindowCutToTheArrayItShares) {
    VM* vm = testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytesOf({0, -1, -128, 127}));
    EXPECT_EQ(stream->available(), 4);
    for (int32_t value : {0, 255, 128, 127, -1, -1}) EXPECT_EQ(stream->read(), value);
    VMPtr<ByteArray> array = bytesOf({1, 2, 3, 4, 5});
    VMPtr<ByteArrayInputStream> window = streamOver(array, 1, 2);
    for (int32_t value : {2, 3, -1}) EXPECT_EQ(window->read(), value);
    EXPECT_EQ(streamOver(array, 3, 100)->skip(10), 2) << "the end is cut to the array's length";
    EXPECT_EQ(streamOver(array, 2, INT_MAX)->read(), -1) << "an end that wraps negative leaves nothing";
    EXPECT_EQ(streamOver(array, 7, 1)->read(), -1);
    VMPtr<ByteArrayInputStream> negative = streamOver(array, -1, 3);
    EXPECT_THROW(negative->read(), java::lang::ArrayIndexOutOfBoundsException*);
    EXPECT_THROW(negative->read(array, 0, 3), java::lang::ArrayIndexOutOfBoundsException*);
    EXPECT_TRUE(monitorFree(negative.get()));
    EXPECT_THROW(streamOver(nullptr), NullPointerException*);

    VMPtr<ByteArrayInputStream> shared = streamOver(bytesOf({7, 8}));
    shared->buf->at(1) = 42;
    vm->collect();
    EXPECT_EQ(shared->read() + shared->read(), 7 + 42) << "not copied, and kept alive";
}

TEST(ByteArrayInputStream, ReadIntoArrayCopiesWhatRemainsAfterCheckingTheRange) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytesOf({1, 2, 3, 4, 5}));
    VMPtr<ByteArray> b = bytesOf({9, 9, 9, 9, 9, 9});
    EXPECT_THROW(stream->read(b, -1, 1), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(b, 5, 3), IndexOutOfBoundsException*) << "checked though only 5 bytes remain";
    EXPECT_THROW(stream->read(b, 1, INT_MAX), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(VMPtr<ByteArray>()), NullPointerException*);
    EXPECT_TRUE(monitorFree(stream.get())) << "released when the check throws";
    EXPECT_EQ(stream->read(b, 6, 0), 0) << "a zero length reads nothing while bytes remain";
    EXPECT_EQ(stream->read(b, 1, 2), 2);
    EXPECT_EQ(stream->read(b, 0, 6), 3) << "cut to the three bytes left";
    EXPECT_EQ(contentsOf(b), (Bytes{3, 4, 5, 9, 9, 9}));
    EXPECT_EQ(stream->read(b, 0, 0), -1);
    EXPECT_EQ(stream->read(b), -1);
}

TEST(ByteArrayInputStream, SkipIsClampedAndResetReturnsToTheMark) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytesOf({1, 2, 3, 4, 5}));
    for (int64_t backwards : {int64_t(-5), INT64_MIN, int64_t(0)}) EXPECT_EQ(stream->skip(backwards), 0);
    EXPECT_EQ(stream->skip(2), 2);
    stream->reset();
    EXPECT_EQ(stream->read(), 1) << "before any mark, reset returns to the start";
    stream->mark(0);
    EXPECT_EQ(stream->skip(INT64_MAX), 4);
    stream->reset();
    EXPECT_EQ(stream->available(), 4) << "the read limit does not drop the mark";
    VMPtr<ByteArrayInputStream> window = streamOver(bytesOf({1, 2, 3, 4}), 2, 2);
    window->read();
    window->reset();
    EXPECT_EQ(window->read(), 3) << "a window's start is its offset";
}

TEST(ByteArrayOutputStream, KeepsTheLowEightBitsAndGrowsByDoublingOrToWhatIsNeeded) {
    VM* vm = testRuntime();
    EXPECT_EQ(outputOf()->buf->length, 32);
    EXPECT_EQ(messageOf<java::lang::IllegalArgumentException>([] { outputOf(-1); }), "Negative initial size");
    VMPtr<ByteArrayOutputStream> stream = outputOf(0);
    std::vector<int32_t> capacities;
    for (int32_t b : {0x41, 0x1FF, -2}) {
        stream->write(b);
        capacities.push_back(stream->buf->length);
    }
    stream->write(bytesOf({1, 2, 3, 4, 5, 6, 7}), 1, 6);
    capacities.push_back(stream->buf->length);
    EXPECT_EQ(capacities, (std::vector<int32_t>{1, 2, 4, 9})) << "more than twice: exactly what is needed";
    stream->write(bytesOf({1}), 1, 0);
    vm->collect();  // the stream keeps its buffer
    EXPECT_EQ(contentsOf(stream->toByteArray()), (Bytes{0x41, 0xFF, 0xFE, 2, 3, 4, 5, 6, 7}));
    ByteArray* buffer = stream->buf.get();
    stream->reset();
    stream->write(42);
    EXPECT_EQ(stream->buf.get(), buffer) << "reset keeps the capacity";
    EXPECT_EQ(contentsOf(stream->toByteArray()), (Bytes{42}));
}

TEST(ByteArrayOutputStream, WriteArrayChecksTheArrayAndRangeFirst) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = outputOf(2);
    VMPtr<ByteArray> source = bytesOf({1, 2, 3, 4});
    EXPECT_THROW(stream->write(VMPtr<ByteArray>()), NullPointerException*);
    for (auto [offset, length] : {std::pair{5, 0}, std::pair{2, 3}, std::pair{1, INT_MAX}})
        EXPECT_THROW(stream->write(source, offset, length), IndexOutOfBoundsException*);
    EXPECT_EQ(stream->size(), 0);
    EXPECT_TRUE(monitorFree(stream.get()));
}

TEST(ByteArrayOutputStream, ToByteArrayCopiesUnlessClosedAndFullAndAClosedStreamTakesOnlyArrays) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> full = outputOf(2);
    full->write(1);
    full->write(2);
    EXPECT_NE(full->toByteArray().get(), full->buf.get()) << "copied while open";
    full->close();
    EXPECT_EQ(full->toByteArray().get(), full->buf.get());
    VMPtr<ByteArrayOutputStream> partly = outputOf(4);
    partly->write(1);
    partly->close();
    EXPECT_EQ(contentsOf(partly->toByteArray()), (Bytes{1}));

    // A closed stream refuses bytes and reset but takes arrays.
    VMPtr<ByteArrayOutputStream> stream = outputOf();
    stream->write(5);
    stream->close();
    stream->close();
    const char* closed = "Writing to closed ByteArrayOutputStream";
    EXPECT_EQ(messageOf<java::lang::RuntimeException>([&] { stream->write(1); }), closed);
    EXPECT_EQ(messageOf<java::lang::RuntimeException>([&] { stream->reset(); }), closed);
    stream->write(bytesOf({1, 2, 3}), 0, 2);
    EXPECT_EQ(contentsOf(stream->toByteArray()), (Bytes{5, 1, 2}));
    EXPECT_TRUE(monitorFree(stream.get()));
}

}  // namespace
