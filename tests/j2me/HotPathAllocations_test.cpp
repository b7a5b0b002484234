// The class library's hot paths make only the objects their results need.

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using java::io::ByteArrayInputStream;
using java::io::ByteArrayOutputStream;
using java::io::DataInputStream;
using java::io::DataOutputStream;
using java::io::PrintStream;
using java::lang::Integer;
using java::lang::String;
using java::lang::StringBuffer;

// The number of objects that operation leaves in the heap (no collection may run meanwhile).
template <typename Operation> size_t objectsMadeBy(Operation operation) {
    VM* vm = testRuntime();
    const uint32_t collections = vm->collections;
    const size_t before = vm->objectCount();
    operation();
    EXPECT_EQ(vm->collections, collections);
    return vm->objectCount() - before;
}

VMPtr<ByteArrayOutputStream> byteSink() {
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::_VM_new();
    return sink->_VM_init(256);
}

TEST(HotPathAllocations, AppendingAnIntToABufferWithRoomAndParsingMakeNoObject) {
    testRuntime();
    VMPtr<StringBuffer> buffer = StringBuffer::_VM_new();
    buffer->_VM_init(64);
    buffer->append(VMPtr<java::lang::String>::fromLiteral("n="));
    EXPECT_EQ(objectsMadeBy([&] { buffer->append(int32_t(-2147483647 - 1)); }), 0u);
    EXPECT_EQ(buffer->toString()->toUtf8(), "n=-2147483648");
    // Parsing reads only the string's window.
    VMPtr<String> window = VMPtr<java::lang::String>::fromLiteral("x-7fz")->substring(1, 4);
    int32_t value = 0;
    EXPECT_EQ(objectsMadeBy([&] { value = Integer::parseInt(window, 16); }), 0u);
    EXPECT_EQ(value, -127);
}

TEST(HotPathAllocations, PrintingNumbersAndCharactersMakesNoObject) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> sink = byteSink();
    VMPtr<PrintStream> out = PrintStream::_VM_new();
    out->_VM_init(sink);
    out->print(u'>');  // the writer's byte buffer is made by its first write
    EXPECT_EQ(objectsMadeBy([&] {
                  out->println(int32_t(-42));
                  out->println(int64_t(-9223372036854775807ll - 1));
                  out->print(u'\u20AC');
              }),
              0u);
    EXPECT_EQ(sink->toString()->toUtf8(), ">-42\n-9223372036854775808\n\u20AC");
}

TEST(HotPathAllocations, UtfStringsReuseTheStreamsByteArray) {
    testRuntime();
    VMPtr<ByteArrayOutputStream> sink = byteSink();
    VMPtr<DataOutputStream> out = DataOutputStream::_VM_new();
    out->_VM_init(sink);
    out->writeUTF(VMPtr<java::lang::String>::fromLiteral("first caf\xC3\xA9"));
    VMPtr<String> text = VMPtr<java::lang::String>::fromLiteral("second \xE2\x82\xAC");
    EXPECT_EQ(objectsMadeBy([&] { out->writeUTF(text); }), 0u);

    VMPtr<ByteArrayInputStream> source = ByteArrayInputStream::_VM_new();
    source->_VM_init(sink->toByteArray());
    VMPtr<DataInputStream> in = DataInputStream::_VM_new();
    in->_VM_init(source);
    EXPECT_EQ(in->readUTF()->toUtf8(), "first caf\xC3\xA9");
    VMPtr<String> second;
    EXPECT_EQ(objectsMadeBy([&] { second = in->readUTF(); }), 2u);  // the String and its characters
    EXPECT_EQ(second->toUtf8(), "second \xE2\x82\xAC");
}

}  // namespace
