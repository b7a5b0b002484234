#include <gtest/gtest.h>

#include <climits>

#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::io::ByteArrayOutputStream;
using java::lang::IndexOutOfBoundsException;
using java::lang::RuntimeException;
using ByteArray = VMArray<int8_t, 1>;

VMPtr<ByteArrayOutputStream> newStream() {
    VMPtr<ByteArrayOutputStream> stream = ByteArrayOutputStream::_VM_new();
    stream->_VM_init();
    return stream;
}

VMPtr<ByteArrayOutputStream> newStream(int32_t size) {
    VMPtr<ByteArrayOutputStream> stream = ByteArrayOutputStream::_VM_new();
    stream->_VM_init(size);
    return stream;
}

// 1, 2, 3 ... length.
VMPtr<ByteArray> counting(int32_t length) {
    VMPtr<ByteArray> array = ByteArray::_VM_new(length);
    for (int32_t i = 0; i < length; ++i) array->at(i) = int8_t(i + 1);
    return array;
}

std::vector<int8_t> contents(ByteArray* array) { return {array->elements(), array->elements() + array->length}; }

void expectClosedMessage(RuntimeException* caught) {
    VMPtr<RuntimeException> e(caught);
    EXPECT_EQ(e->getClass(), RuntimeException::_VM_getClass());
    EXPECT_EQ(e->getMessage()->toUtf8(), "Writing to closed ByteArrayOutputStream");
}

TEST(ByteArrayOutputStream, RegistersUnderOutputStreamWithAFactory) {
    testRuntime();
    java::lang::Class* record = ByteArrayOutputStream::_VM_getClass();
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->name.c_str(), "java.io.ByteArrayOutputStream");
    EXPECT_STREQ(record->superName.c_str(), "java.io.OutputStream");
    EXPECT_STREQ(record->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_io_ByteArrayOutputStream");
    EXPECT_EQ(_VM_getSuperclass(_VM_getClassRegistry(), record), java::io::OutputStream::_VM_getClass());
    VMPtr<java::lang::Object> made = record->newInstance();
    auto* stream = dynamic_cast<ByteArrayOutputStream*>(made.get());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->buf->length, 32) << "the factory runs the no-argument constructor";
    EXPECT_EQ(stream->size(), 0);
}

TEST(ByteArrayOutputStream, ANegativeInitialSizeIsRefused) {
    testRuntime();
    try {
        newStream(-1);
        FAIL() << "accepted a negative size";
    } catch (java::lang::IllegalArgumentException* caught) {
        VMPtr<java::lang::IllegalArgumentException> e(caught);
        EXPECT_EQ(e->getMessage()->toUtf8(), "Negative initial size");
    }
    EXPECT_EQ(newStream(0)->buf->length, 0);
}

TEST(ByteArrayOutputStream, WriteByteKeepsTheLowEightBits) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream();
    for (int32_t b : {0x41, 0x1FF, 256, -2, 0x7FFFFF80}) stream->write(b);
    EXPECT_EQ(stream->size(), 5);
    EXPECT_EQ(contents(stream->toByteArray().get()), (std::vector<int8_t>{0x41, -1, 0, -2, -128}));
}

TEST(ByteArrayOutputStream, TheBufferDoublesOrGrowsToWhatIsNeeded) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> fromZero = newStream(0);
    fromZero->write(7);
    EXPECT_EQ(fromZero->buf->length, 1);
    fromZero->write(8);
    EXPECT_EQ(fromZero->buf->length, 2);
    fromZero->write(9);
    EXPECT_EQ(fromZero->buf->length, 4);
    fromZero->write(counting(10), 0, 10);
    EXPECT_EQ(fromZero->buf->length, 13) << "more than twice: exactly what is needed";
    EXPECT_EQ(contents(fromZero->toByteArray().get()),
              (std::vector<int8_t>{7, 8, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    VMPtr<ByteArrayOutputStream> byDefault = newStream();
    for (int32_t i = 0; i < 32; ++i) byDefault->write(i);
    EXPECT_EQ(byDefault->buf->length, 32);
    byDefault->write(32);
    EXPECT_EQ(byDefault->buf->length, 64);
    for (int32_t i = 33; i < 65; ++i) byDefault->write(i);
    EXPECT_EQ(byDefault->buf->length, 128);
    VMPtr<ByteArray> all = byDefault->toByteArray();
    ASSERT_EQ(all->length, 65);
    for (int32_t i = 0; i < 65; ++i) EXPECT_EQ(all->at(i), i) << "kept across growth at " << i;
}

TEST(ByteArrayOutputStream, WriteArrayAppendsTheRange) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream(0);
    VMPtr<ByteArray> source = counting(5);
    stream->write(source, 1, 3);
    stream->write(source, 5, 0);
    EXPECT_EQ(stream->buf->length, 3) << "an empty write does not grow the buffer";
    stream->write(source);
    EXPECT_EQ(contents(stream->toByteArray().get()), (std::vector<int8_t>{2, 3, 4, 1, 2, 3, 4, 5}));
}

TEST(ByteArrayOutputStream, WriteArrayChecksTheArrayAndRangeFirst) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream(2);
    VMPtr<ByteArray> source = counting(4);
    EXPECT_THROW(stream->write(nullptr, 0, 0), java::lang::NullPointerException*);
    EXPECT_THROW(stream->write(VMPtr<ByteArray>()), java::lang::NullPointerException*);
    EXPECT_THROW(stream->write(source, 5, 0), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->write(source, 2, 3), IndexOutOfBoundsException*);
    EXPECT_THROW(stream->write(source, 1, INT_MAX), IndexOutOfBoundsException*);
    EXPECT_EQ(stream->size(), 0);
    EXPECT_EQ(stream->buf->length, 2);
    EXPECT_EQ(static_cast<java::lang::Object*>(stream.get())->owner, nullptr) << "the monitor is released";
}

TEST(ByteArrayOutputStream, ToByteArrayCopiesWhileOpen) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream(2);
    stream->write(1);
    stream->write(2);
    VMPtr<ByteArray> copy = stream->toByteArray();
    EXPECT_NE(copy.get(), stream->buf.get()) << "a full buffer is still copied while open";
    copy->at(0) = 99;
    EXPECT_EQ(stream->buf->at(0), 1);
    EXPECT_EQ(newStream(4)->toByteArray()->length, 0);
}

TEST(ByteArrayOutputStream, ToByteArrayOfAClosedFullStreamIsTheBufferItself) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> full = newStream(2);
    full->write(1);
    full->write(2);
    full->close();
    EXPECT_EQ(full->toByteArray().get(), full->buf.get());

    VMPtr<ByteArrayOutputStream> partly = newStream(4);
    partly->write(1);
    partly->close();
    VMPtr<ByteArray> copy = partly->toByteArray();
    EXPECT_NE(copy.get(), partly->buf.get());
    EXPECT_EQ(contents(copy.get()), (std::vector<int8_t>{1}));
}

TEST(ByteArrayOutputStream, AClosedStreamRefusesBytesAndResetButTakesArrays) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream();
    stream->write(5);
    stream->close();
    stream->close();
    try {
        stream->write(1);
        FAIL() << "a closed stream took a byte";
    } catch (RuntimeException* caught) {
        expectClosedMessage(caught);
    }
    try {
        stream->reset();
        FAIL() << "a closed stream was reset";
    } catch (RuntimeException* caught) {
        expectClosedMessage(caught);
    }
    EXPECT_EQ(stream->size(), 1) << "the contents are unchanged";
    stream->write(counting(3), 0, 2);
    EXPECT_EQ(contents(stream->toByteArray().get()), (std::vector<int8_t>{5, 1, 2}));
    EXPECT_EQ(static_cast<java::lang::Object*>(stream.get())->owner, nullptr);
}

TEST(ByteArrayOutputStream, ResetEmptiesButKeepsTheCapacity) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream(0);
    stream->write(counting(5), 0, 5);
    ByteArray* buffer = stream->buf.get();
    stream->reset();
    EXPECT_EQ(stream->size(), 0);
    EXPECT_EQ(stream->buf.get(), buffer);
    stream->write(42);
    EXPECT_EQ(stream->buf.get(), buffer) << "no growth while the capacity suffices";
    EXPECT_EQ(contents(stream->toByteArray().get()), (std::vector<int8_t>{42}));
}

TEST(ByteArrayOutputStream, TheBufferSurvivesCollections) {
    VM* vm = testRuntime();
    VMPtr<ByteArrayOutputStream> stream = newStream(1);
    for (int32_t i = 0; i < 3; ++i) stream->write(i + 10);
    vm->collect();
    EXPECT_EQ(contents(stream->toByteArray().get()), (std::vector<int8_t>{10, 11, 12}));
}

}  // namespace
