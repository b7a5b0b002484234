#include <gtest/gtest.h>

#include <climits>

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::io::ByteArrayInputStream;
using java::lang::IndexOutOfBoundsException;
using java::lang::NullPointerException;
using ByteArray = VMArray<int8_t, 1>;

// An array holding the given bytes.
VMPtr<ByteArray> bytes(std::initializer_list<int8_t> values) {
    VMPtr<ByteArray> array = ByteArray::_VM_new(int32_t(values.size()));
    int32_t i = 0;
    for (int8_t value : values) array->at(i++) = value;
    return array;
}

VMPtr<ByteArrayInputStream> streamOver(VMPtr<ByteArray> array) {
    VMPtr<ByteArrayInputStream> stream = ByteArrayInputStream::_VM_new();
    stream->_VM_init(array);
    return stream;
}

VMPtr<ByteArrayInputStream> streamOver(VMPtr<ByteArray> array, int32_t offset, int32_t length) {
    VMPtr<ByteArrayInputStream> stream = ByteArrayInputStream::_VM_new();
    stream->_VM_init(array, offset, length);
    return stream;
}

bool monitorFree(ByteArrayInputStream* stream) { return static_cast<java::lang::Object*>(stream)->owner == nullptr; }

TEST(ByteArrayInputStream, RegistersUnderInputStreamWithoutAFactory) {
    testRuntime();
    java::lang::Class* record = ByteArrayInputStream::_VM_getClass();
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->name.c_str(), "java.io.ByteArrayInputStream");
    EXPECT_STREQ(record->superName.c_str(), "java.io.InputStream");
    EXPECT_STREQ(record->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_io_ByteArrayInputStream");
    EXPECT_EQ(record->factory, nullptr);
    EXPECT_FALSE(record->isAbstract);
    EXPECT_EQ(_VM_getSuperclass(_VM_getClassRegistry(), record), java::io::InputStream::_VM_getClass());
}

TEST(ByteArrayInputStream, ReadsEachByteAsUnsignedThenEndOfStream) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({0, 1, -1, -128, 127}));
    EXPECT_EQ(stream->available(), 5);
    const int32_t expected[5] = {0, 1, 255, 128, 127};
    for (int32_t value : expected) EXPECT_EQ(stream->read(), value);
    EXPECT_EQ(stream->read(), -1);
    EXPECT_EQ(stream->read(), -1);
    EXPECT_EQ(stream->available(), 0);
    EXPECT_TRUE(monitorFree(stream.get()));
}

TEST(ByteArrayInputStream, AWindowReadsFromTheOffsetAndStopsAtTheArraysEnd) {
    testRuntime();
    VMPtr<ByteArray> array = bytes({1, 2, 3, 4, 5});
    VMPtr<ByteArrayInputStream> window = streamOver(array, 1, 2);
    EXPECT_EQ(window->available(), 2);
    EXPECT_EQ(window->read(), 2);
    EXPECT_EQ(window->read(), 3);
    EXPECT_EQ(window->read(), -1);
    VMPtr<ByteArrayInputStream> cut = streamOver(array, 3, 100);
    EXPECT_EQ(cut->count, 5) << "the end is cut to the array's length";
    EXPECT_EQ(cut->skip(10), 2);
    VMPtr<ByteArrayInputStream> wrapped = streamOver(array, 2, INT_MAX);
    EXPECT_EQ(wrapped->read(), -1) << "an end that wraps negative leaves nothing to read";
    VMPtr<ByteArrayInputStream> beyond = streamOver(array, 7, 1);
    EXPECT_EQ(beyond->read(), -1);
    EXPECT_EQ(beyond->skip(1), 0);
}

TEST(ByteArrayInputStream, ANegativeOffsetFailsOnTheFirstReadWithoutTouchingMemory) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1, 2, 3}), -1, 3);
    EXPECT_THROW(stream->read(), java::lang::ArrayIndexOutOfBoundsException*);
    VMPtr<ByteArray> b = ByteArray::_VM_new(3);
    EXPECT_THROW(stream->read(b, 0, 3), java::lang::ArrayIndexOutOfBoundsException*);
    EXPECT_TRUE(monitorFree(stream.get()));
}

TEST(ByteArrayInputStream, NullArraysAreRefused) {
    testRuntime();
    EXPECT_THROW(streamOver(nullptr), NullPointerException*);
    EXPECT_THROW(streamOver(nullptr, 0, 1), NullPointerException*);
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1}));
    EXPECT_THROW(stream->read(nullptr, 0, 0), NullPointerException*);
    EXPECT_THROW(stream->read(VMPtr<ByteArray>()), NullPointerException*);
}

TEST(ByteArrayInputStream, ReadIntoArrayCopiesWhatRemains) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1, 2, 3, 4, 5}));
    VMPtr<ByteArray> b = bytes({9, 9, 9, 9, 9, 9});
    EXPECT_EQ(stream->read(b, 1, 2), 2);
    EXPECT_EQ(b->at(0), 9);
    EXPECT_EQ(b->at(1), 1);
    EXPECT_EQ(b->at(2), 2);
    EXPECT_EQ(b->at(3), 9);
    EXPECT_EQ(stream->read(b, 0, 6), 3) << "cut to the three bytes left";
    EXPECT_EQ(b->at(2), 5);
    EXPECT_EQ(b->at(3), 9);
    EXPECT_EQ(stream->read(b, 0, 6), -1);
    EXPECT_EQ(stream->read(b), -1) << "the one-argument read reaches the stream's own";
}

TEST(ByteArrayInputStream, AZeroLengthReadGivesZeroWhileBytesRemainAndEndOfStreamAfter) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1}));
    VMPtr<ByteArray> b = ByteArray::_VM_new(2);
    EXPECT_EQ(stream->read(b, 2, 0), 0);
    EXPECT_EQ(stream->read(), 1);
    EXPECT_EQ(stream->read(b, 0, 0), -1);
    VMPtr<ByteArrayInputStream> empty = streamOver(ByteArray::_VM_new(0));
    EXPECT_EQ(empty->read(ByteArray::_VM_new(0)), -1);
}

TEST(ByteArrayInputStream, ReadIntoArrayChecksTheRangeAndLeavesThePositionAlone) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1, 2, 3}));
    VMPtr<ByteArray> b = ByteArray::_VM_new(4);
    EXPECT_THROW(stream->read(b, -1, 1), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(b, 2, 3), IndexOutOfBoundsException*) << "checked even though only 3 bytes remain";
    EXPECT_THROW(stream->read(b, 1, INT_MAX), IndexOutOfBoundsException*);
    EXPECT_EQ(stream->available(), 3);
    EXPECT_TRUE(monitorFree(stream.get())) << "released when the check throws";
}

TEST(ByteArrayInputStream, SkipIsClampedToTheBytesLeftAndNeverBackwards) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1, 2, 3, 4, 5}));
    EXPECT_EQ(stream->skip(-5), 0);
    EXPECT_EQ(stream->skip(INT64_MIN), 0);
    EXPECT_EQ(stream->skip(0), 0);
    EXPECT_EQ(stream->skip(2), 2);
    EXPECT_EQ(stream->read(), 3);
    EXPECT_EQ(stream->skip(1000), 2);
    EXPECT_EQ(stream->skip(INT64_MAX), 0);
    EXPECT_EQ(stream->read(), -1);
}

TEST(ByteArrayInputStream, ResetReturnsToTheMark) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1, 2, 3, 4}));
    EXPECT_TRUE(stream->markSupported());
    stream->read();
    stream->reset();
    EXPECT_EQ(stream->read(), 1) << "before any mark, reset returns to the start";
    stream->mark(0);
    stream->skip(2);
    EXPECT_EQ(stream->read(), 4);
    EXPECT_EQ(stream->read(), -1);
    stream->reset();
    EXPECT_EQ(stream->available(), 3) << "the read limit does not drop the mark";
    EXPECT_EQ(stream->read(), 2);
}

TEST(ByteArrayInputStream, ResetOfAWindowBeforeAnyMarkReturnsToItsOffset) {
    testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({1, 2, 3, 4}), 2, 2);
    EXPECT_EQ(stream->read(), 3);
    stream->reset();
    EXPECT_EQ(stream->read(), 3);
}

TEST(ByteArrayInputStream, TheArrayIsSharedAndKeptAliveByTheStream) {
    VM* vm = testRuntime();
    VMPtr<ByteArrayInputStream> stream = streamOver(bytes({7, 8}));
    VMPtr<ByteArray> shared = stream->buf;
    shared->at(1) = 42;
    shared = nullptr;
    vm->collect();
    EXPECT_EQ(stream->read(), 7);
    EXPECT_EQ(stream->read(), 42) << "reads see later changes: the array is not copied";
}

}  // namespace
